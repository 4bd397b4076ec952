// A windowed control that owns a column engine the way a text control does: it forwards its
// mouse messages to the engine, hands it fonts, colours and spacing before every draw, and
// keeps its lines as a text control does. Its parent is a real top-level window.
#pragma once
#include "COleControl.h"
#include "CEdit.h"
#include "CFontHolder.h"
#include "QLNBaseTextHelper.h"
#include "QLNTextFieldLines.h"

class TestTextControl : public COleControl
{
public:
    // Colours of the four kinds of text, distinct so that a recording tells them apart.
    static const OLE_COLOR kHeadingColour = RGB(0, 0, 128);
    static const OLE_COLOR kPromptColour = RGB(128, 0, 0);
    static const OLE_COLOR kValueColour = RGB(0, 128, 0);

    TestTextControl();
    ~TestTextControl() override;

    // A visible top-level window with the control filling a client area of cx by cy.
    BOOL Place(int cx, int cy);
    // The lines, joined by carriage return and line feed as the text-field string joins them.
    void SetLines(const wchar_t* pszText);
    // What the control does before it draws: its default font selected at the engine's zoom,
    // fonts and spacing handed over; then the engine draws. Returns the engine's result.
    int Draw(CDC* pDC, const CRect& rcBounds);
    // Records a draw into rcBounds in an enhanced metafile measured for the screen.
    HENHMETAFILE Record(const CRect& rcBounds);

    void OnDraw(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid) override;

    CQLNBaseTextHelper m_engine;
    CQLNTextFieldLines m_lines;
    // When set, the engine draws this edit window's text instead of m_lines.
    CEdit* m_pEdit = nullptr;
    CFontHolder m_defaultFont;
    CFontHolder m_titleFont;
    CFontHolder m_headingFont;
    CFontHolder m_promptFont;
    CFontHolder m_valueFont;
    short m_nSpacing = 0;
    int m_nPaints = 0;

    DECLARE_MESSAGE_MAP()

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);

private:
    HWND m_hWndFrame = nullptr;
};
