#include "QLNPropertyPage.h"

#include "QLNChangeNotification.h"

namespace {

bool IsRadioButton(HWND hWnd)
{
    wchar_t szClass[16] = {};
    if (hWnd == nullptr || ::GetClassNameW(hWnd, szClass, 16) == 0 || ::lstrcmpiW(szClass, L"Button") != 0)
        return false;
    const LONG_PTR nType = ::GetWindowLongPtrW(hWnd, GWL_STYLE) & BS_TYPEMASK;
    return nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON;
}

} // namespace

IMPLEMENT_DYNAMIC(CQLNPropertyPage, CPropertyPage)

CQLNPropertyPage::CQLNPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate, nIDCaption)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

void CQLNPropertyPage::IgnoreApply(UINT nID)
{
    m_arrIgnoreIDs.Add(nID);
}

BOOL CQLNPropertyPage::IsControlChanged(UINT nID) const
{
    return m_changedIDs.count(nID) != 0;
}

BOOL CQLNPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Menus and accelerators have no sender.
    const HWND hWndSender = reinterpret_cast<HWND>(lParam);
    if (hWndSender != nullptr && !IsFillingControls() && QLNIsChangeNotification(hWndSender, HIWORD(wParam)) &&
        !IsClickOnCheckedRadio(hWndSender, HIWORD(wParam))) {
        const DWORD nID = LOWORD(wParam);
        m_changedIDs.insert(nID);
        BOOL bIgnored = FALSE;
        for (int i = 0; i < m_arrIgnoreIDs.GetSize() && !bIgnored; ++i)
            bIgnored = m_arrIgnoreIDs[i] == nID;
        if (!bIgnored)
            SetModified(TRUE);
    }
    const BOOL bResult = CPropertyPage::OnCommand(wParam, lParam);
    NoteRadioChecks();
    return bResult;
}

BOOL CQLNPropertyPage::IsClickOnCheckedRadio(HWND hWndSender, UINT nCode) const
{
    // The system's radio button reports a click even when it was checked already; its group
    // is then as it was.
    return (nCode == BN_CLICKED || nCode == BN_DOUBLECLICKED) && m_checkedRadios.count(hWndSender) != 0 &&
           IsRadioButton(hWndSender);
}

void CQLNPropertyPage::NoteRadioChecks()
{
    m_checkedRadios.clear();
    if (m_hWnd == nullptr)
        return;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (IsRadioButton(hChild) && ::SendMessageW(hChild, BM_GETCHECK, 0, 0) == BST_CHECKED)
            m_checkedRadios.insert(hChild);
}

// Loading the controls on entry is the page's own doing, not the user's.
BOOL CQLNPropertyPage::OnSetActive()
{
    const BOOL bResult = CPropertyPage::OnSetActive();
    if (bResult) {
        m_changedIDs.clear();
        SetModified(FALSE);
    }
    NoteRadioChecks();
    return bResult;
}

// Leaving reads the controls back (and, in a page that writes properties, writes what the user
// changed), so a page left successfully has nothing more to apply.
BOOL CQLNPropertyPage::OnKillActive()
{
    const BOOL bResult = CPropertyPage::OnKillActive();
    if (bResult) {
        m_changedIDs.clear();
        SetModified(FALSE);
    }
    NoteRadioChecks();
    return bResult;
}
