// The sample annotation: a free note on a report. One or more lines of text in one font and one
// colour, aligned left, centred or right, with an optional frame round it.
#pragma once
#include "QLNBase.h"

// {3B7D2E91-5A64-4C0F-9E18-7D2A6B4C8F35}
extern const CLSID CLSID_QLNSampleAnnotationCtrl;

class CQLNSampleAnnotationCtrl : public COleControl
{
    DECLARE_DYNAMIC(CQLNSampleAnnotationCtrl)
public:
    // Values of Alignment.
    enum : short { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };

    CQLNSampleAnnotationCtrl();
    ~CQLNSampleAnnotationCtrl() override;

    void DoPropExchange(CPropExchange* pPX) override;
    void OnResetState() override;
    void OnDraw(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid) override;
    void OnFontChanged() override;
    // The annotation's sheet: its text page and the library's annotation font page.
    BOOL OnProperties(LPMSG lpMsg, HWND hWndParent, LPCRECT lpRect) override;
    // Nothing of the annotation is edited in place: its sheet is where it changes.
    DWORD GetMiscStatus() override;

    // The font object itself, for the font page, which edits it in place.
    CFontHolder& GetTextFontHolder() { return m_font; }

    // Automation.
    BSTR GetText();
    void SetText(LPCTSTR lpszText);
    IFontDisp* GetTextFont();
    void SetTextFont(IFontDisp* pFont);
    OLE_COLOR GetTextColor();
    void SetTextColor(OLE_COLOR clr);
    // 0 left, 1 centre, 2 right; any other value is refused.
    short GetAlignment();
    void SetAlignment(short nAlignment);
    BOOL m_bFrame;
    void SetZoom(double dZoom);

    DECLARE_DISPATCH_MAP()

protected:
    void OnFrameChanged();

private:
    CString m_strText;
    CFontHolder m_font;
    OLE_COLOR m_clrText;
    short m_nAlignment;
    double m_dZoom;
};
