#include "QLNCtrlDialogBase.h"

#include "COlePropertyPage.h"
#include "CPropertyPage.h"
#include "QLNChangeNotification.h"

#include <uxtheme.h>

namespace {

const UINT WM_QLN_POST_INIT_DIALOG = WM_USER + 6;

} // namespace

IMPLEMENT_DYNAMIC(CQLNCtrlDialogBase, CDialog)

BEGIN_MESSAGE_MAP(CQLNCtrlDialogBase, CDialog)
    ON_MESSAGE(WM_QLN_POST_INIT_DIALOG, OnPostInitDialog)
END_MESSAGE_MAP()

CQLNCtrlDialogBase::CQLNCtrlDialogBase(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_pOlePage(nullptr), m_pPropPage(nullptr)
{
}

CQLNCtrlDialogBase::CQLNCtrlDialogBase() : m_pOlePage(nullptr), m_pPropPage(nullptr)
{
}

BOOL CQLNCtrlDialogBase::CreateDialogBase(UINT nIDTemplate, CWnd* pParent)
{
    const BOOL bCreated = Create(nIDTemplate, pParent);
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(COlePropertyPage)))
        m_pOlePage = static_cast<COlePropertyPage*>(pParent);
    else if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CPropertyPage)))
        m_pPropPage = static_cast<CPropertyPage*>(pParent);
    // On a page the dialog is part of the page's body and takes its background, as the system's
    // own dialogs inside a themed tab do; unthemed, both are the dialog colour anyway.
    if (m_hWnd != nullptr && (m_pOlePage != nullptr || m_pPropPage != nullptr))
        ::EnableThemeDialogTexture(m_hWnd, ETDT_ENABLETAB);
    if (m_hWnd != nullptr)
        PostMessage(WM_QLN_POST_INIT_DIALOG);
    return bCreated;
}

BOOL CALLBACK CQLNCtrlDialogBase::EnumControls(HWND hWnd, LPARAM lParam)
{
    COlePropertyPage* pPage = reinterpret_cast<COlePropertyPage*>(lParam);
    if (pPage != nullptr)
        pPage->SetControlStatus(static_cast<UINT>(::GetDlgCtrlID(hWnd)), FALSE);
    return TRUE;
}

BOOL CQLNCtrlDialogBase::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The command's own handling first: a button that opens a dialog counts once it has closed.
    const BOOL bResult = CDialog::OnCommand(wParam, lParam);
    const HWND hWndSender = reinterpret_cast<HWND>(lParam);
    if (hWndSender == nullptr || IsFillingControls() || !QLNIsChangeNotification(hWndSender, HIWORD(wParam)))
        return bResult;
    if (m_pOlePage == nullptr) {
        if (m_pPropPage != nullptr)
            m_pPropPage->SetModified(TRUE);
    } else if (m_pOlePage->SetControlStatus(LOWORD(wParam), TRUE)) {
        m_pOlePage->SetModifiedFlag(TRUE);
    }
    return bResult;
}

LRESULT CQLNCtrlDialogBase::OnPostInitDialog(WPARAM, LPARAM)
{
    if (m_pOlePage == nullptr && m_pPropPage != nullptr)
        m_pPropPage->SetModified(FALSE);
    return 1;
}

BOOL CQLNCtrlDialogBase::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
        const HWND hWndFocus = ::GetFocus();
        wchar_t szClass[10] = {};
        if (hWndFocus != nullptr && m_hWnd != nullptr && ::IsChild(m_hWnd, hWndFocus) &&
            ::GetClassNameW(hWndFocus, szClass, 10) != 0 && ::lstrcmpiW(szClass, L"BUTTON") == 0) {
            ::PostMessageW(hWndFocus, BM_CLICK, 0, 0);
            return TRUE;
        }
    }
    return CDialog::PreTranslateMessage(pMsg);
}
