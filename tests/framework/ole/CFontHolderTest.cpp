// The font holder over the system's OLE font object: creation, references, the size as given
// and the property-notification sink.
#include "CFontHolder.h"
#include "CStringPrinter.h"

#include <gtest/gtest.h>

namespace {

// Records the change notifications a font sends; lives on the stack, so counts its references.
class RecordingSink : public IPropertyNotifySink
{
public:
    DISPID lastDispid = 0;
    ULONG refs = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = riid == IID_IUnknown || riid == IID_IPropertyNotifySink ? this : nullptr;
        if (*ppv == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override
    {
        lastDispid = dispid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
};

const FONTDESC kBold = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Times New Roman"), {{120000, 0}}, FW_BOLD, DEFAULT_CHARSET, TRUE, FALSE, FALSE};
const FONTDESC kPlain = {sizeof(FONTDESC), const_cast<LPOLESTR>(L"Times New Roman"), {{100000, 0}}, FW_NORMAL, DEFAULT_CHARSET, FALSE, FALSE, FALSE};

LONGLONG SizeOf(IFont* font)
{
    CY size = {};
    font->get_Size(&size);
    return size.int64;
}

} // namespace

TEST(CFontHolder, CreatesTheFontAndHandsOutReferences)
{
    CFontHolder holder(nullptr);
    EXPECT_EQ(nullptr, holder.GetFontDispatch());
    EXPECT_EQ(nullptr, holder.GetFontHandle());
    holder.InitializeFont(&kBold);
    LOGFONTW lf = {};
    ASSERT_NE(0, ::GetObjectW(holder.GetFontHandle(), sizeof lf, &lf));
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_STREQ(L"Times New Roman", lf.lfFaceName);

    // The dispatch handed out carries its own reference: the font outlives the holder's.
    const LONGLONG size = SizeOf(holder.m_pFont);   // as the font realised it
    IFontDisp* disp = holder.GetFontDispatch();
    ASSERT_NE(nullptr, disp);
    holder.ReleaseFont();
    EXPECT_EQ(nullptr, holder.m_pFont);
    IFont* still = nullptr;
    ASSERT_EQ(S_OK, disp->QueryInterface(IID_IFont, reinterpret_cast<void**>(&still)));
    EXPECT_EQ(size, SizeOf(still));
    still->Release();
    EXPECT_EQ(0u, disp->Release());
}

TEST(CFontHolder, TellsItsSinkUntilTheFontIsReleased)
{
    RecordingSink sink;
    {
        CFontHolder holder(&sink);
        holder.InitializeFont(&kPlain);
        holder.m_pFont->put_Bold(TRUE);
        EXPECT_EQ(DISPID_FONT_BOLD, sink.lastDispid);

        IFont* kept = holder.m_pFont;
        kept->AddRef();
        holder.ReleaseFont();
        kept->put_Italic(TRUE);                  // disconnected: the sink hears nothing
        EXPECT_EQ(DISPID_FONT_BOLD, sink.lastDispid);
        kept->Release();

        // A font handed in with SetFont is connected too.
        CFontHolder other(nullptr);
        other.InitializeFont(&kPlain);
        holder.SetFont(other.m_pFont);
        other.m_pFont->put_Underline(TRUE);
        EXPECT_EQ(DISPID_FONT_UNDER, sink.lastDispid);
    }
    EXPECT_EQ(1u, sink.refs);                    // every connection let go of the sink
}

TEST(CFontHolder, KeepsWhatItWasGivenUntilTheFontChanges)
{
    CFontHolder holder(nullptr);
    holder.InitializeFont(&kPlain);
    EXPECT_EQ(100000, holder.GetFontSize().int64);      // whatever size the font reports it realised
    holder.m_pFont->put_Size(CY{{120000, 0}});           // changed behind the holder's back (a script)
    EXPECT_EQ(120000, holder.GetFontSize().int64);      // as given to the font, not as the font realised it
    holder.SetFontSize(CY{{97500, 0}});
    EXPECT_EQ(97500, holder.GetFontSize().int64);
    // The face and character set likewise, though the font realised reports a substitute.
    const BSTR arial = ::SysAllocString(L"Arial");
    EXPECT_TRUE(SUCCEEDED(holder.m_pFont->put_Name(arial)) && SUCCEEDED(holder.m_pFont->put_Charset(SYMBOL_CHARSET)) &&
                holder.GetFontHandle() != nullptr);
    ::SysFreeString(arial);
    EXPECT_EQ(CString(L"Arial"), holder.GetFontName());
    EXPECT_EQ(SYMBOL_CHARSET, holder.GetFontCharset());
    // A face outside the ANSI code page, which the font's own record cannot hold, stays whole;
    // a font not held here says so too, before and after the system substitutes a face for it.
    const wchar_t kCjk[] = L"\u660E\u671D \u03A9mega";
    const BSTR cjk = ::SysAllocString(kCjk);
    EXPECT_TRUE(SUCCEEDED(holder.m_pFont->put_Name(cjk)));
    ::SysFreeString(cjk);
    EXPECT_EQ(CString(kCjk), holder.GetFontName());
    for (int realised = 0; realised < 2; ++realised) {
        CY size = {};
        CString name;
        short charset = 0;
        EXPECT_TRUE(AfxReadFontAsGiven(holder.m_pFont, size, name, charset));
        EXPECT_EQ(CString(kCjk), name) << realised;
        EXPECT_EQ(97500, size.int64) << realised;
        holder.GetFontHandle();
    }
    holder.ReleaseFont();
    EXPECT_EQ(0, holder.GetFontSize().int64);
}
