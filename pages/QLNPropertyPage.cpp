#include "QLNPropertyPage.h"

#include "QLNChangeNotification.h"

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
    if (hWndSender != nullptr && !IsFillingControls() && QLNIsChangeNotification(hWndSender, HIWORD(wParam))) {
        const DWORD nID = LOWORD(wParam);
        m_changedIDs.insert(nID);
        BOOL bIgnored = FALSE;
        for (int i = 0; i < m_arrIgnoreIDs.GetSize() && !bIgnored; ++i)
            bIgnored = m_arrIgnoreIDs[i] == nID;
        if (!bIgnored)
            SetModified(TRUE);
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

// Loading the controls on entry is the page's own doing, not the user's.
BOOL CQLNPropertyPage::OnSetActive()
{
    const BOOL bResult = CPropertyPage::OnSetActive();
    if (bResult) {
        m_changedIDs.clear();
        SetModified(FALSE);
    }
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
    return bResult;
}
