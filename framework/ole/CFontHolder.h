// Owner of one OLE standard font object (IFont), as a control keeps its font properties.
//
// The property-notification sink given at construction is connected to every font the holder
// takes, so that the owner hears when the font's properties change.
#pragma once
#include "Afx.h"
#include "AfxFontAsGiven.h"
#include "CString.h"

#include <ocidl.h>
#include <olectl.h>

class AFX_CORE_API CFontHolder
{
public:
    explicit CFontHolder(IPropertyNotifySink* pNotify);
    ~CFontHolder();

    // Creates the font from the description (a default one when null) or, when a font
    // dispatch is given, from a copy of that font.
    void InitializeFont(const FONTDESC* pFontDesc = nullptr, IDispatch* pFontDispAmbient = nullptr);
    // Takes the font object (adding a reference) in place of the current one; null releases.
    void SetFont(IFont* pNewFont);
    void ReleaseFont();

    // The font's dispatch interface with a reference for the caller, or null without a font.
    IFontDisp* GetFontDispatch();
    // The GDI font of the font object, owned by the font object; null without a font.
    HFONT GetFontHandle();
    // The same, for a device whose logical units relate to HIMETRIC as cyLogical : cyHimetric.
    HFONT GetFontHandle(long cyLogical, long cyHimetric);

    // The font's size in points times 10000, face name and character set as they were last
    // given: through the holder, or to the font itself (a script setting them), which the holder
    // hears. The system's font object reports those of the font it realised instead (a
    // substituted face, its character set, a rounded size); saving those would change the user's
    // choice on every save and load, and so would taking them when a page or script that read
    // them writes them back unchanged.
    CY GetFontSize();
    CString GetFontName();
    short GetFontCharset();
    // Give the font a size, face name or character set and remember it as given.
    void SetFontSize(CY cySize);
    void SetFontName(const CString& strName);
    void SetFontCharset(short sCharset);

    // A plain pointer, as the platform framework has it: report objects read and compare it,
    // and pass it where an IFont* is asked for. The holder owns one reference, taken in
    // InitializeFont or SetFont and given back in ReleaseFont.
    IFont* m_pFont;

    CFontHolder(const CFontHolder&) = delete;
    CFontHolder& operator=(const CFontHolder&) = delete;

private:
    void Connect();
    void Disconnect();

    // Takes the values the font now holds as given: all of them for DISPID_UNKNOWN, else the
    // one the property identifier names.
    void TakeGiven(DISPID dispid);
    // Whether the face (DISPID_FONT_NAME) or character set (DISPID_FONT_CHARSET) the font now
    // holds, though not the one given, is what the font reports for the face and character set
    // given (a substituted face, the character set it realised) rather than a new choice.
    BOOL IsReportedForGiven(DISPID dispid, const CString& strName, short sCharset);
    void Advise(IPropertyNotifySink* pSink, DWORD& dwCookie);
    void Unadvise(DWORD& dwCookie);

    // Hears the font's own change notifications; holds no reference on the holder.
    class XSizeSink : public IPropertyNotifySink
    {
    public:
        explicit XSizeSink(CFontHolder* pHolder) : m_pHolder(pHolder) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE OnChanged(DISPID dispid) override;
        HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

    private:
        CFontHolder* m_pHolder;
    };

    DWORD m_dwConnectCookie;
    IPropertyNotifySink* m_pNotify;
    // What the font was given; a value not known (the font could not say) is asked of the font.
    BOOL m_bSizeGiven;
    CY m_cySizeGiven;
    BOOL m_bNameGiven;
    CString m_strNameGiven;
    BOOL m_bCharsetGiven;
    short m_sCharsetGiven;
    DWORD m_dwSizeCookie;
    XSizeSink m_xSizeSink;
};
