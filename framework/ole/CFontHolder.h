// Owner of one OLE standard font object (IFont), as a control keeps its font properties.
//
// The property-notification sink given at construction is connected to every font the holder
// takes, so that the owner hears when the font's properties change.
#pragma once
#include "Afx.h"

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

    // The font's size in points times 10000 as it was last given, through the holder or (when
    // the font reports a change of size made elsewhere, a script setting it) to the font
    // itself. The system's font object may report the size of the font it realised instead of
    // the size it was given; saving that would shift a font's size on every save and load.
    CY GetFontSize();
    // Gives the font a size and remembers it as given.
    void SetFontSize(CY cySize);

    IFont* m_pFont;

    CFontHolder(const CFontHolder&) = delete;
    CFontHolder& operator=(const CFontHolder&) = delete;

private:
    void Connect();
    void Disconnect();

    void RememberGivenSize(CY cySize);
    // The size as the font was given it, from the font's own stream form; false when the font
    // cannot say.
    BOOL ReadPersistedSize(CY& cySize);
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
    BOOL m_bSizeGiven;
    CY m_cySizeGiven;
    DWORD m_dwSizeCookie;
    XSizeSink m_xSizeSink;
};
