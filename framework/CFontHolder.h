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

    // The font's size in points times 10000 as it was last given to the font, for as long as
    // the font still reports what it reported then. The system's font object may report the
    // size of the font it realised instead of the size it was given; saving that would shift
    // a font's size a little on every save and load.
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

    DWORD m_dwConnectCookie;
    IPropertyNotifySink* m_pNotify;
    BOOL m_bSizeGiven;
    CY m_cySizeGiven;
    CY m_cySizeReported;
};
