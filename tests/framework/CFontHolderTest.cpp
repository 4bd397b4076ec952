// The font holder over the system's OLE font object: creation, references, copies, the size as
// given and the property-notification sink.
#include "CFontHolder.h"

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
        return *ppv != nullptr ? (AddRef(), S_OK) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override { return lastDispid = dispid, S_OK; }
    HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
};

FONTDESC Desc(LONGLONG points10000, SHORT weight = FW_NORMAL, BOOL italic = FALSE)
{
    return FONTDESC{sizeof(FONTDESC), const_cast<LPOLESTR>(L"Times New Roman"), {{static_cast<unsigned long>(points10000), 0}},
                    weight, DEFAULT_CHARSET, italic, FALSE, FALSE};
}

LONGLONG SizeOf(IFont* font)
{
    CY size = {};
    font->get_Size(&size);
    return size.int64;
}

} // namespace

TEST(CFontHolder, CreatesTheFontAndHandsOutReferencesAndCopies)
{
    CFontHolder holder(nullptr);
    EXPECT_EQ(nullptr, holder.GetFontDispatch());
    EXPECT_EQ(nullptr, holder.GetFontHandle());
    FONTDESC fd = Desc(120000, FW_BOLD, TRUE);
    holder.InitializeFont(&fd);
    LOGFONTW lf = {};
    ASSERT_NE(0, ::GetObjectW(holder.GetFontHandle(), sizeof lf, &lf));
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_STREQ(L"Times New Roman", lf.lfFaceName);

    // A font taken from another's dispatch is a copy of it.
    const LONGLONG size = SizeOf(holder.m_pFont);   // as the font realised it
    IFontDisp* disp = holder.GetFontDispatch();
    ASSERT_NE(nullptr, disp);
    CFontHolder copy(nullptr);
    copy.InitializeFont(nullptr, disp);
    ASSERT_NE(nullptr, copy.m_pFont);
    copy.m_pFont->put_Size(CY{{240000, 0}});
    EXPECT_EQ(size, SizeOf(holder.m_pFont));

    // The dispatch handed out carries its own reference: the font outlives the holder's.
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
        FONTDESC fd = Desc(100000);
        holder.InitializeFont(&fd);
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
    FONTDESC fd = Desc(100000);
    holder.InitializeFont(&fd);
    EXPECT_EQ(100000, holder.GetFontSize().int64);      // whatever size the font reports it realised
    holder.m_pFont->put_Size(CY{{120000, 0}});           // changed behind the holder's back (a script)
    EXPECT_EQ(120000, holder.GetFontSize().int64);      // as given to the font, not as the font realised it
    holder.SetFontSize(CY{{97500, 0}});
    EXPECT_EQ(97500, holder.GetFontSize().int64);
    holder.ReleaseFont();
    EXPECT_EQ(0, holder.GetFontSize().int64);
}
