#include "QLNPropertyPage.h"

#include "QLNChangeNotification.h"
#include "QLNOpenPageHelp.h"

IMPLEMENT_DYNAMIC(CQLNPropertyPage, CPropertyPage)

CQLNPropertyPage::CQLNPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage(nIDTemplate, nIDCaption)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

void CQLNPropertyPage::IgnoreApply(UINT nID)
{
    m_arrIgnoreIDs.Add(nID);
}

BOOL CQLNPropertyPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Menus and accelerators have no sender.
    const HWND hWndSender = reinterpret_cast<HWND>(lParam);
    if (hWndSender != nullptr) {
        const DWORD nID = LOWORD(wParam);
        BOOL bIgnored = FALSE;
        for (int i = 0; i < m_arrIgnoreIDs.GetSize() && !bIgnored; ++i)
            bIgnored = m_arrIgnoreIDs[i] == nID;
        if (!bIgnored && QLNIsChangeNotification(hWndSender, HIWORD(wParam)))
            SetModified(TRUE);
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}

// Loading the controls on entry sends their change notifications too; those are not the user's.
BOOL CQLNPropertyPage::OnSetActive()
{
    const BOOL bResult = CPropertyPage::OnSetActive();
    if (bResult)
        SetModified(FALSE);
    return bResult;
}

// Leaving reads the controls back (and, in a page that writes properties, writes them), so a
// page left successfully has nothing more to apply.
BOOL CQLNPropertyPage::OnKillActive()
{
    const BOOL bResult = CPropertyPage::OnKillActive();
    if (bResult)
        SetModified(FALSE);
    return bResult;
}

void CQLNPropertyPage::OpenHelp(DWORD dwContext)
{
    QLNOpenPageHelp(m_hWnd, dwContext);
}
