#include "CPropertyPage.h"

#include "AfxRes.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CDialog(nIDTemplate), m_psp(), m_bFirstSetActive(TRUE)
{
    m_psp.dwSize = sizeof(m_psp);
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
        m_psp.dwFlags |= PSP_USETITLE;
}

BOOL CPropertyPage::PreparePage()
{
    HINSTANCE hInstance = nullptr;
    const LPCDLGTEMPLATEW pTemplate = LoadTemplate(m_nIDTemplate, &hInstance);
    if (pTemplate == nullptr)
        return FALSE;
    m_psp.dwSize = sizeof(m_psp);
    m_psp.dwFlags |= PSP_DLGINDIRECT;
    m_psp.hInstance = hInstance;
    m_psp.pResource = pTemplate;
    m_psp.pszTitle = m_strCaption.GetString();
    m_psp.pfnDlgProc = &StartPageProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    return TRUE;
}

INT_PTR CALLBACK CPropertyPage::StartPageProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The sheet hands the page its copy of m_psp, whose lParam is the page object.
    if (message != WM_INITDIALOG || FromHandlePermanent(hWnd) != nullptr || lParam == 0)
        return FALSE;
    CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(reinterpret_cast<const PROPSHEETPAGEW*>(lParam)->lParam);
    pPage->m_bFirstSetActive = TRUE;
    return pPage->AttachOnInitDialog(hWnd, wParam, lParam);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    const HWND hWndSheet = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (hWndSheet != nullptr)
        ::SendMessageW(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader == nullptr || m_hWnd == nullptr || pHeader->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    switch (pHeader->code) {
    case PSN_SETACTIVE:
        *pResult = OnSetActive() ? 0 : -1;
        return TRUE;
    case PSN_KILLACTIVE:
        *pResult = OnKillActive() ? FALSE : TRUE;
        return TRUE;
    case PSN_APPLY:
        *pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return TRUE;
    case PSN_RESET:
        OnReset();
        *pResult = 0;
        return TRUE;
    case PSN_QUERYCANCEL:
        *pResult = OnQueryCancel() ? FALSE : TRUE;
        return TRUE;
    case PSN_HELP:
        SendMessage(WM_COMMAND, ID_HELP);
        *pResult = 0;
        return TRUE;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
}
