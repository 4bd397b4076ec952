#include "CPropertySheet.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh(), m_pParentWnd(pParentWnd)
{
    m_strCaption.LoadString(nIDCaption);
    m_psh.dwSize = sizeof(m_psh);
    m_psh.nStartPage = iSelectPage;
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : m_psh(), m_strCaption(pszCaption), m_pParentWnd(pParentWnd)
{
    m_psh.dwSize = sizeof(m_psh);
    m_psh.nStartPage = iSelectPage;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage != nullptr)
        m_pages.push_back(pPage);
}

int CPropertySheet::GetPageCount() const
{
    return static_cast<int>(m_pages.size());
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? m_pages[static_cast<size_t>(nPage)] : nullptr;
}

HWND CPropertySheet::CurrentPageWindow() const
{
    return m_hWnd != nullptr ? reinterpret_cast<HWND>(SendMessage(PSM_GETCURRENTPAGEHWND)) : nullptr;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    CWnd* pPage = FromHandlePermanent(CurrentPageWindow());
    return pPage != nullptr && pPage->IsKindOf(RUNTIME_CLASS(CPropertyPage)) ? static_cast<CPropertyPage*>(pPage)
                                                                            : nullptr;
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != nullptr || m_pages.empty())
        return -1;
    std::vector<PROPSHEETPAGEW> pages;
    pages.reserve(m_pages.size());
    for (CPropertyPage* pPage : m_pages) {
        if (!pPage->PreparePage())
            return -1;
        pages.push_back(pPage->m_psp);
    }

    HWND hWndOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    while (hWndOwner != nullptr && (::GetWindowLongPtrW(hWndOwner, GWL_STYLE) & WS_CHILD))
        hWndOwner = ::GetParent(hWndOwner);

    // A modeless sheet, so that the framework's loop (and with it PreTranslateMessage) runs it.
    m_psh.dwSize = sizeof(m_psh);
    m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_MODELESS;
    m_psh.dwFlags &= ~static_cast<DWORD>(PSH_USEPSTARTPAGE);
    m_psh.hwndParent = hWndOwner;
    m_psh.pszCaption = m_strCaption.GetString();
    m_psh.nPages = static_cast<UINT>(pages.size());
    m_psh.ppsp = pages.data();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;

    const BOOL bEnableOwner = hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, FALSE);
    const HWND hWnd = reinterpret_cast<HWND>(::PropertySheetW(&m_psh));
    m_nModalResult = IDCANCEL;
    int nResult = -1;
    if (hWnd != nullptr && hWnd != reinterpret_cast<HWND>(-1) && SubclassWindow(hWnd)) {
        m_bContinueModal = TRUE;
        nResult = RunModalLoop();
    } else if (hWnd != nullptr && hWnd != reinterpret_cast<HWND>(-1)) {
        ::DestroyWindow(hWnd);
    }
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != nullptr && m_hWnd != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd != nullptr)
        DestroyWindow();
    return nResult;
}

BOOL CPropertySheet::ContinueModal()
{
    // A modeless sheet that OK or Cancel has closed has no current page any more.
    return CWnd::ContinueModal() && m_hWnd != nullptr && SendMessage(PSM_GETCURRENTPAGEHWND) != 0;
}

void CPropertySheet::FocusCurrentPage()
{
    const HWND hPage = CurrentPageWindow();
    const HWND hFirst = hPage != nullptr ? ::GetNextDlgTabItem(hPage, nullptr, FALSE) : nullptr;
    // Through the sheet, so that an edit gets its text selected and the default button follows.
    if (hFirst != nullptr)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hFirst), TRUE);
    else if (hPage != nullptr)
        ::SetFocus(hPage);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || m_hWnd == nullptr)
        return FALSE;
    // A key for a hidden window of the sheet (a control of a page switched away from, a detail
    // the page hid while it had the focus) goes to the page on show instead.
    if (pMsg->hwnd != nullptr && ::IsChild(m_hWnd, pMsg->hwnd) && !::IsWindowVisible(pMsg->hwnd)) {
        FocusCurrentPage();
        const HWND hFocus = ::GetFocus();
        if (hFocus == nullptr || !::IsWindowVisible(hFocus))
            return TRUE;
        pMsg->hwnd = hFocus;
    }
    // F1 is the Help button of the page on show, when the sheet has one.
    const HWND hWndHelp = ::GetDlgItem(m_hWnd, IDHELP);
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 && hWndHelp != nullptr && ::IsWindowVisible(hWndHelp) &&
        ::IsWindowEnabled(hWndHelp)) {
        SendMessage(PSM_PRESSBUTTON, PSBTN_HELP);
        return TRUE;
    }
    const HWND hPageBefore = CurrentPageWindow();
    const BOOL bHandled = static_cast<BOOL>(SendMessage(PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)));
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd) && hPageBefore != nullptr && CurrentPageWindow() != hPageBefore)
        FocusCurrentPage();
    return bHandled;
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    const HWND hTab = m_hWnd != nullptr ? reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL)) : nullptr;
    if (pHeader == nullptr || pResult == nullptr || pHeader->hwndFrom != hTab || pHeader->code != TCN_SELCHANGE)
        return CWnd::OnNotify(wParam, lParam, pResult);
    // The sheet switches (or, when the page it leaves refuses, stays) before the focus moves.
    const HWND hPageBefore = CurrentPageWindow();
    *pResult = DefWindowProc(WM_NOTIFY, wParam, lParam);
    if (CurrentPageWindow() != hPageBefore)
        FocusCurrentPage();
    return TRUE;
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
        m_nModalResult = LOWORD(wParam);
    return CWnd::OnCommand(wParam, lParam);
}
