// The font holder over the system's OLE font object: creation, dispatch, GDI font and the
// property-notification sink.
#include "CFontHolder.h"

#include <gtest/gtest.h>

namespace {

// Counts the change notifications that a font sends to its sink.
class CountingSink : public IPropertyNotifySink
{
public:
    int changes = 0;
    DISPID lastDispid = 0;
    ULONG refs = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IPropertyNotifySink) {
            *ppv = static_cast<IPropertyNotifySink*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override
    {
        ++changes;
        lastDispid = dispid;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
};

FONTDESC Desc(const wchar_t* face, LONGLONG points10000, SHORT weight, BOOL italic)
{
    FONTDESC fd = {};
    fd.cbSizeofstruct = sizeof fd;
    fd.lpstrName = const_cast<LPOLESTR>(face);
    fd.cySize.int64 = points10000;
    fd.sWeight = weight;
    fd.fItalic = italic;
    return fd;
}

} // namespace

TEST(CFontHolder, CreatesTheDescribedFontAndItsGdiFont)
{
    CFontHolder holder(nullptr);
    EXPECT_EQ(nullptr, holder.GetFontDispatch());
    EXPECT_EQ(nullptr, holder.GetFontHandle());
    FONTDESC fd = Desc(L"Times New Roman", 120000, FW_BOLD, TRUE);
    holder.InitializeFont(&fd);
    ASSERT_NE(nullptr, holder.m_pFont);
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, holder.m_pFont->get_Name(&name));
    EXPECT_STREQ(L"Times New Roman", name);
    ::SysFreeString(name);
    HFONT hFont = holder.GetFontHandle();
    ASSERT_NE(nullptr, hFont);
    LOGFONTW lf = {};
    ASSERT_NE(0, ::GetObjectW(hFont, sizeof lf, &lf));
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_STREQ(L"Times New Roman", lf.lfFaceName);
}

TEST(CFontHolder, HandsOutTheDispatchWithAReference)
{
    CFontHolder holder(nullptr);
    holder.InitializeFont();                      // the default description
    IFontDisp* disp = holder.GetFontDispatch();
    ASSERT_NE(nullptr, disp);
    IFont* font = nullptr;
    ASSERT_EQ(S_OK, disp->QueryInterface(IID_IFont, reinterpret_cast<void**>(&font)));
    EXPECT_EQ(holder.m_pFont, font);
    font->Release();
    holder.ReleaseFont();
    EXPECT_EQ(nullptr, holder.m_pFont);
    // The caller's reference keeps the font alive after the holder let go.
    BSTR name = nullptr;
    IFont* still = nullptr;
    ASSERT_EQ(S_OK, disp->QueryInterface(IID_IFont, reinterpret_cast<void**>(&still)));
    EXPECT_EQ(S_OK, still->get_Name(&name));
    ::SysFreeString(name);
    still->Release();
    EXPECT_EQ(0u, disp->Release());
}

TEST(CFontHolder, InitialisingFromADispatchTakesACopy)
{
    CFontHolder original(nullptr);
    FONTDESC fd = Desc(L"Times New Roman", 100000, FW_NORMAL, FALSE);
    original.InitializeFont(&fd);
    IFontDisp* disp = original.GetFontDispatch();
    CFontHolder copy(nullptr);
    copy.InitializeFont(nullptr, disp);
    disp->Release();
    ASSERT_NE(nullptr, copy.m_pFont);
    EXPECT_NE(original.m_pFont, copy.m_pFont);
    CY before = {};
    original.m_pFont->get_Size(&before);
    CY size = {};
    size.int64 = 240000;
    copy.m_pFont->put_Size(size);
    CY originalSize = {};
    original.m_pFont->get_Size(&originalSize);
    EXPECT_EQ(before.int64, originalSize.int64);
}

TEST(CFontHolder, TellsItsSinkUntilTheFontIsReleased)
{
    CountingSink sink;
    {
        CFontHolder holder(&sink);
        FONTDESC fd = Desc(L"Times New Roman", 100000, FW_NORMAL, FALSE);
        holder.InitializeFont(&fd);
        holder.m_pFont->put_Bold(TRUE);
        EXPECT_EQ(DISPID_FONT_BOLD, sink.lastDispid);
        EXPECT_GE(sink.changes, 1);

        IFont* kept = holder.m_pFont;
        kept->AddRef();
        holder.ReleaseFont();
        const int before = sink.changes;
        kept->put_Italic(TRUE);                  // disconnected: the sink hears nothing
        EXPECT_EQ(before, sink.changes);
        kept->Release();

        // A font handed in with SetFont is connected too.
        CFontHolder other(nullptr);
        other.InitializeFont(&fd);
        holder.SetFont(other.m_pFont);
        other.m_pFont->put_Underline(TRUE);
        EXPECT_EQ(DISPID_FONT_UNDER, sink.lastDispid);
    }
    EXPECT_EQ(1u, sink.refs);                    // every connection let go of the sink
}

TEST(CFontHolder, KeepsTheSizeItWasGivenUntilTheFontChanges)
{
    CFontHolder holder(nullptr);
    FONTDESC fd = Desc(L"Times New Roman", 100000, FW_NORMAL, FALSE);
    holder.InitializeFont(&fd);
    EXPECT_EQ(100000, holder.GetFontSize().int64);      // whatever size the font reports it realised
    CY size = {};
    size.int64 = 120000;
    holder.m_pFont->put_Size(size);                     // changed behind the holder's back (a script)
    EXPECT_EQ(120000, holder.GetFontSize().int64);      // as given to the font, not as the font realised it
    size.int64 = 97500;
    holder.SetFontSize(size);
    EXPECT_EQ(97500, holder.GetFontSize().int64);
    holder.ReleaseFont();
    EXPECT_EQ(0, holder.GetFontSize().int64);
}
