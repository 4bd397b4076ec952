#include "CPropertySheet.h"

#include <commctrl.h>

namespace {

// The id the system's sheet gives its Apply button.
const WORD kApplyButtonId = 0x3021;

// A multi-line edit claims every key in a dialog, Escape included; an edit inside a combo box
// gives Escape up to close its list.
bool IsMultiLineEdit(HWND hWnd)
{
    wchar_t szClass[16] = {};
    wchar_t szParentClass[16] = {};
    return hWnd != nullptr && ::GetClassNameW(hWnd, szClass, 16) != 0 && ::lstrcmpiW(szClass, L"Edit") == 0 &&
           (::GetWindowLongPtrW(hWnd, GWL_STYLE) & ES_MULTILINE) &&
           !(::GetClassNameW(::GetParent(hWnd), szParentClass, 16) != 0 && ::lstrcmpiW(szParentClass, L"ComboBox") == 0);
}

// Keys that belong to the sheet whichever control has the focus: the page switches, and Escape
// out of a multi-line edit. A control asked whether it wants them may say yes (a multi-line edit
// says so of every key) and then keep them.
bool IsSheetKey(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN)
        return false;
    const bool bControl = ::GetKeyState(VK_CONTROL) < 0;
    if (bControl)
        return msg.wParam == VK_TAB || msg.wParam == VK_PRIOR || msg.wParam == VK_NEXT;
    return msg.wParam == VK_ESCAPE && ::GetKeyState(VK_MENU) >= 0 && IsMultiLineEdit(msg.hwnd);
}

} // namespace

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

void CPropertySheet::NotePageFocus()
{
    const HWND hFocus = ::GetFocus();
    const HWND hPage = hFocus != nullptr ? CurrentPageWindow() : nullptr;
    if (hPage != nullptr && ::IsChild(hPage, hFocus))
        m_hWndPageFocus = hFocus;
}

void CPropertySheet::RestorePageFocus()
{
    // Only for the sheet the user works in: a sheet applied from elsewhere takes no activation.
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd) || ::GetActiveWindow() != m_hWnd)
        return;
    const HWND hFocus = ::GetFocus();
    if (hFocus != nullptr && ::IsChild(m_hWnd, hFocus) && ::IsWindowVisible(hFocus) && ::IsWindowEnabled(hFocus))
        return;
    const HWND hPage = CurrentPageWindow();
    if (hPage != nullptr && m_hWndPageFocus != nullptr && ::IsChild(hPage, m_hWndPageFocus) &&
        ::IsWindowVisible(m_hWndPageFocus) && ::IsWindowEnabled(m_hWndPageFocus))
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_hWndPageFocus), TRUE);
    else
        FocusCurrentPage();
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd == nullptr)
        return FALSE;
    // Before the message moves it (a click on a button of the sheet, Tab out of the page).
    NotePageFocus();
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
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
    // Offered as the sheet's own, the system's sheet handles them as it does for a control that
    // wants no keys.
    if (IsSheetKey(*pMsg))
        pMsg->hwnd = m_hWnd;
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
    if (HIWORD(wParam) != BN_CLICKED || LOWORD(wParam) != kApplyButtonId)
        return CWnd::OnCommand(wParam, lParam);
    // The system's sheet applies every page and, with none left modified, disables Apply, which
    // drops the focus when Apply has it (a click, Space, its mnemonic); no key would then act.
    DefWindowProc(WM_COMMAND, wParam, lParam);
    RestorePageFocus();
    return TRUE;
}
