#include "CDialog.h"

#include "AfxMessageBox.h"
#include "CDynLinkLibrary.h"
#include "CUserException.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() : m_nIDTemplate(0), m_pParentWnd(nullptr), m_nFilling(0)
{
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd), m_nFilling(0)
{
}

LPCDLGTEMPLATEW CDialog::LoadTemplate(UINT nIDTemplate, HINSTANCE* phInstance)
{
    const LPCWSTR lpszName = MAKEINTRESOURCEW(nIDTemplate);
    const HINSTANCE hInstance = AfxFindResourceHandle(lpszName, RT_DIALOG);
    const HRSRC hInfo = hInstance != nullptr ? ::FindResourceW(hInstance, lpszName, RT_DIALOG) : nullptr;
    const HGLOBAL hData = hInfo != nullptr ? ::LoadResource(hInstance, hInfo) : nullptr;
    if (hData == nullptr)
        return nullptr;
    if (phInstance != nullptr)
        *phInstance = hInstance;
    return static_cast<LPCDLGTEMPLATEW>(::LockResource(hData));
}

INT_PTR CALLBACK CDialog::StartDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Messages before WM_INITDIALOG (WM_SETFONT) get the system's default processing.
    if (message != WM_INITDIALOG || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    return reinterpret_cast<CDialog*>(lParam)->AttachOnInitDialog(hWnd, wParam, lParam);
}

INT_PTR CDialog::AttachOnInitDialog(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    if (!SubclassWindow(hWnd))
        return FALSE;
    return AfxCallWndProc(this, hWnd, WM_INITDIALOG, wParam, lParam);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_hWnd != nullptr)
        return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    HINSTANCE hInstance = nullptr;
    const LPCDLGTEMPLATEW pTemplate = LoadTemplate(nIDTemplate, &hInstance);
    if (pTemplate == nullptr)
        return FALSE;
    const HWND hWnd = ::CreateDialogIndirectParamW(hInstance, pTemplate, pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                                                   &StartDialogProc, reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr && m_hWnd == hWnd;
}

HWND CDialog::ModalOwner(CWnd* pParentWnd)
{
    HWND hWndOwner = pParentWnd != nullptr ? pParentWnd->m_hWnd : ::GetActiveWindow();
    while (hWndOwner != nullptr && (::GetWindowLongPtrW(hWndOwner, GWL_STYLE) & WS_CHILD))
        hWndOwner = ::GetParent(hWndOwner);
    return hWndOwner;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInstance = nullptr;
    const LPCDLGTEMPLATEW pTemplate = LoadTemplate(m_nIDTemplate, &hInstance);
    if (pTemplate == nullptr || m_hWnd != nullptr)
        return -1;

    const HWND hWndOwner = ModalOwner(m_pParentWnd);
    const BOOL bEnableOwner = hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, FALSE);

    m_nModalResult = -1;
    m_bContinueModal = TRUE;
    const HWND hWnd = ::CreateDialogIndirectParamW(hInstance, pTemplate, hWndOwner, &StartDialogProc,
                                                   reinterpret_cast<LPARAM>(this));
    if (hWnd != nullptr && m_hWnd == hWnd && m_bContinueModal) {
        ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
    }
    const int nResult = m_nModalResult;
    m_bContinueModal = FALSE;

    // The owner comes back before the dialog goes, so that activation returns to it.
    if (m_hWnd != nullptr)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner != nullptr && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd != nullptr)
        DestroyWindow();
    else if (hWnd != nullptr && ::IsWindow(hWnd))
        ::DestroyWindow(hWnd);
    return nResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_bContinueModal)
        EndModalLoop(nResult);
    else if (m_hWnd != nullptr)
        ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (m_hWnd == nullptr)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    const FillingControls filling(*this);
    try {
        DoDataExchange(&dx);
        return TRUE;
    } catch (const CUserException&) {
        return FALSE;
    } catch (const CException& e) {
        // Not a value the user typed but a fault of the exchange itself (a wrong control id,
        // a failed property read): say so rather than leave the dialog half-exchanged in silence.
        wchar_t szMessage[512] = {};
        if (e.GetErrorMessage(szMessage, 512))
            AfxMessageBox(szMessage, MB_ICONEXCLAMATION);
        return FALSE;
    }
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    return OnInitDialog();
}

LRESULT CDialog::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd != nullptr ? ::SendDlgItemMessageW(m_hWnd, nID, message, wParam, lParam) : 0;
}

void CDialog::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    if (m_hWnd != nullptr)
        ::SetDlgItemTextW(m_hWnd, nID, lpszString);
}

UINT CDialog::IsDlgButtonChecked(int nIDButton) const
{
    return m_hWnd != nullptr ? ::IsDlgButtonChecked(m_hWnd, nIDButton) : 0;
}

void CDialog::NextDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 0, FALSE);
}

void CDialog::PrevDlgCtrl() const
{
    SendMessage(WM_NEXTDLGCTL, 1, FALSE);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl != nullptr && pWndCtrl->m_hWnd != nullptr)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(SendMessage(DM_GETDEFID));
}

void CDialog::SetDefID(UINT nID)
{
    SendMessage(DM_SETDEFID, nID);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (m_nFilling == 0 || hWndCtrl == nullptr)
        return CWnd::OnCommand(wParam, lParam);
    LRESULT lResult = 0;
    ReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, &lResult);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST || m_hWnd == nullptr ||
        (GetStyle() & WS_CHILD))
        return FALSE;
    // F1 is the dialog's Help button, when it has one the user could press.
    const HWND hWndHelp = ::GetDlgItem(m_hWnd, static_cast<int>(m_nIDHelpButton));
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1 && hWndHelp != nullptr && ::IsWindowVisible(hWndHelp) &&
        ::IsWindowEnabled(hWndHelp)) {
        SendMessage(WM_COMMAND, MAKEWPARAM(m_nIDHelpButton, BN_CLICKED), reinterpret_cast<LPARAM>(hWndHelp));
        return TRUE;
    }
    return ::IsDialogMessageW(m_hWnd, pMsg);
}
