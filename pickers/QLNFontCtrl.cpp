#include "QLNFontCtrl.h"

#include "AfxDDX.h"
#include "COlePropertyPage.h"
#include "QLNBaseRes.h"
#include "QLNFontConversion.h"
#include "QLNFontDialog.h"
#include "QLNPlainFrame.h"

IMPLEMENT_DYNAMIC(CQLNFontCtrl, CQLNCtrlDialogBase)

BEGIN_MESSAGE_MAP(CQLNFontCtrl, CQLNCtrlDialogBase)
    ON_BN_CLICKED(IDC_QLN_FONT_CTRL_BUTTON, OnClickedFontButton)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CQLNFontCtrl::CQLNFontCtrl() : CQLNCtrlDialogBase(IDD_QLN_FONT_CTRL, nullptr), m_crColor(0), m_lf(), m_cySize()
{
    // The font dialog's own starting font, so that an untouched control opens the dialog as is.
    const CQLNFontDialog dialog;
    dialog.GetCurrentFont(m_lf);
    m_cySize = dialog.GetCurrentSize();
    m_fontSample.CreateFontIndirect(&m_lf);
    m_strCaption.LoadString(IDS_QLN_FONT_BUTTON);
}

BOOL CQLNFontCtrl::CreateFontCtrl(CDialog* pParent, CRect rect, const wchar_t* caption, const wchar_t* sampleText)
{
    m_strCaption = caption;
    m_strSampleText = sampleText;
    const bool bOlePage = pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(COlePropertyPage));
    if (!CreateDialogBase(bOlePage ? IDD_QLN_FONT_CTRL_OLE : IDD_QLN_FONT_CTRL, pParent))
        return FALSE;
    // Only the difference of the centres counts, so the screen rectangle serves as well as the
    // parent's client one would.
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    rcWindow.OffsetRect((rect.left + rect.right) / 2 - (rcWindow.left + rcWindow.right) / 2,
                        (rect.top + rect.bottom) / 2 - (rcWindow.top + rcWindow.bottom) / 2);
    MoveWindow(&rcWindow, FALSE);
    ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CQLNFontCtrl::CreateFontCtrlAt(CDialog* pParent, int nIDPlace, UINT nIDCaption, UINT nIDSample)
{
    CWnd* pPlace = pParent->GetDlgItem(nIDPlace);
    if (pPlace == nullptr)
        return FALSE;
    CRect rcPlace;
    pPlace->GetWindowRect(&rcPlace);
    pParent->ScreenToClient(&rcPlace);
    CString strCaption, strSample;
    strCaption.LoadString(nIDCaption);
    strSample.LoadString(nIDSample);
    return CreateFontCtrl(pParent, rcPlace, strCaption, strSample);
}

void CQLNFontCtrl::SetCurrentFont(const LOGFONTW& lf)
{
    m_lf = lf;
    m_cySize = QLNHeightToFontSize(lf.lfHeight);
}

void CQLNFontCtrl::SetCurrentSize(CY cySize)
{
    if (QLNIsSizeOfHeight(cySize, m_lf.lfHeight))
        m_cySize = cySize;
}

CY CQLNFontCtrl::GetCurrentSize() const
{
    return m_cySize;
}

void CQLNFontCtrl::GetCurrentFont(LOGFONTW& lf) const
{
    lf = m_lf;
}

void CQLNFontCtrl::SetCurrentColor(COLORREF cr)
{
    m_crColor = cr;
}

COLORREF CQLNFontCtrl::GetCurrentColor() const
{
    return m_crColor;
}

void CQLNFontCtrl::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_QLN_SAMPLE, m_stSample);
}

BOOL CQLNFontCtrl::OnInitDialog()
{
    CQLNCtrlDialogBase::OnInitDialog();
    // Reached with Tab like any other control of the page.
    ModifyStyle(0, WS_TABSTOP);
    SetDlgItemText(IDC_QLN_FONT_CTRL_BUTTON, m_strCaption);
    m_stSample.SetWindowText(m_strSampleText);
    QLNGivePlainFrame(m_stSample.m_hWnd);
    UpdateSampleText();
    UpdateData(FALSE);
    return TRUE;
}

void CQLNFontCtrl::UpdateSampleText()
{
    CQLNFontDialog::ShowSampleFont(m_stSample, m_fontSample, m_lf);
}

void CQLNFontCtrl::OnClickedFontButton()
{
    CQLNFontDialog dialog;
    dialog.SetCurrentFont(m_lf);
    dialog.SetCurrentSize(m_cySize);
    dialog.SetCurrentColor(m_crColor);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetCurrentFont(m_lf);
    m_cySize = dialog.GetCurrentSize();
    m_crColor = dialog.GetCurrentColor();
    UpdateSampleText();
}

HBRUSH CQLNFontCtrl::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // The sample shows the colour without any font of its own.
    const HBRUSH hBrush = CQLNCtrlDialogBase::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd != nullptr && pWnd->GetDlgCtrlID() == IDC_QLN_SAMPLE)
        pDC->SetTextColor(m_crColor);
    return hBrush;
}
