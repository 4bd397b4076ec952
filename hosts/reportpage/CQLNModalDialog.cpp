#include "CQLNModalDialog.h"

INT_PTR CALLBACK CQLNModalDialog::DialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    const Handlers* pHandlers = reinterpret_cast<const Handlers*>(::GetWindowLongPtrW(hDlg, DWLP_USER));
    switch (uMsg) {
    case WM_INITDIALOG:
        ::SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
        reinterpret_cast<const Handlers*>(lParam)->init(hDlg);
        // The handler set the focus.
        return FALSE;
    case WM_COMMAND:
        if (pHandlers == nullptr)
            return FALSE;
        if (LOWORD(wParam) == IDOK || (pHandlers->isOk && pHandlers->isOk(wParam))) {
            if (pHandlers->ok(hDlg))
                ::EndDialog(hDlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(hDlg, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

bool CQLNModalDialog::Run(HWND hOwner, UINT nTemplateId, const Handlers& handlers)
{
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nTemplateId), hOwner, &DialogProc,
                             reinterpret_cast<LPARAM>(&handlers)) == IDOK;
}
