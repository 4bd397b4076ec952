// One font setting of a page: a button that opens the font dialog and a sample drawn in the
// chosen font and colour.
//
// The owner of the page sets the font and colour before the control is created and reads them
// back whenever it likes; they outlive the control's window. Setting them does not redraw the
// sample: values set before CreateFontCtrl show when the control initialises.
#pragma once
#include "QLNBaseExport.h"

#include "CFont.h"
#include "CRect.h"
#include "CStatic.h"
#include "CString.h"
#include "QLNCtrlDialogBase.h"

class QLN_BASE_API CQLNFontCtrl : public CQLNCtrlDialogBase
{
    DECLARE_DYNAMIC(CQLNFontCtrl)
public:
    CQLNFontCtrl();

    // Creates the control as a child of pParent, centred on rect (in pParent's client
    // coordinates) whatever its own size, with the button's and the sample's texts, and shows it.
    BOOL CreateFontCtrl(CDialog* pParent, CRect rect, const wchar_t* caption, const wchar_t* sampleText);
    // The same on the place that the item nIDPlace of pParent (an empty group box) marks, with
    // the texts of strings nIDCaption and nIDSample.
    BOOL CreateFontCtrlAt(CDialog* pParent, int nIDPlace, UINT nIDCaption, UINT nIDSample);

    void SetCurrentFont(const LOGFONTW& lf);
    void GetCurrentFont(LOGFONTW& lf) const;
    void SetCurrentColor(COLORREF cr);
    COLORREF GetCurrentColor() const;
    // The size in points times 10000 that the current font's height stands for: the height's own
    // size after SetCurrentFont, unless SetCurrentSize says it exactly (a font's 10 points are
    // 13.33 pixels); after the font dialog, the size chosen there.
    void SetCurrentSize(CY cySize);
    CY GetCurrentSize() const;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    // Runs the font dialog modally; OK takes its font and colour, Cancel nothing.
    void OnClickedFontButton();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    // Shows m_lf in the sample, re-creating the sample font only if it changed.
    void UpdateSampleText();

    CStatic m_stSample;
    COLORREF m_crColor;
    CFont m_fontSample;
    LOGFONTW m_lf;
    CString m_strCaption;
    CString m_strSampleText;
    CY m_cySize;

    DECLARE_MESSAGE_MAP()
};
