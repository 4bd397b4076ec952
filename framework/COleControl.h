// The base of the embeddable controls: for now a control with a window of its own, drawn
// through OnDraw.
//
// The control's window is a child of its container's window, created by CreateControlWindow
// when the control is activated in place (or by a host or a test that places it directly).
#pragma once
#include "CWnd.h"

#include <olectl.h>

class AFX_CORE_API COleControl : public CWnd
{
    DECLARE_DYNAMIC(COleControl)
public:
    COleControl();
    ~COleControl() override;

    // Creates the control's window as a visible child of hWndParent at rcPos (parent client
    // coordinates). The clip rectangle of in-place activation is accepted and not yet used.
    virtual BOOL CreateControlWindow(HWND hWndParent, const CRect& rcPos, LPCRECT prcClipped = nullptr);

    // Draws the control into any DC: its window's paint DC, a metafile, a printer. rcBounds
    // is the control's rectangle in that DC; rcInvalid the part that needs drawing.
    virtual void OnDraw(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid);

    // Asks for the control to be drawn again (the whole control when lpRect is null).
    void InvalidateControl(LPCRECT lpRect = nullptr, BOOL bErase = TRUE);
    // Draws the control again now.
    void Refresh();
    // An OLE colour (an RGB value, or a system colour index with the high bit set) as a
    // COLORREF; black when the colour is not valid.
    COLORREF TranslateColor(OLE_COLOR clrColor, HPALETTE hpal = nullptr);

    DECLARE_MESSAGE_MAP()

protected:
    void OnPaint();
};
