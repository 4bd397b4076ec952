#include "CQLNTimeDecimalsDialog.h"

#include "CQLNReportPage.h"
#include "QLNReportPageRes.h"

#include <string>

INT_PTR CALLBACK CQLNTimeDecimalsDialog::DialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    long* pDecimals = reinterpret_cast<long*>(::GetWindowLongPtrW(hDlg, DWLP_USER));
    switch (uMsg) {
    case WM_INITDIALOG: {
        ::SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
        pDecimals = reinterpret_cast<long*>(lParam);
        ::SetDlgItemInt(hDlg, IDC_TIME_DECIMALS, static_cast<UINT>(*pDecimals), FALSE);
        ::SendDlgItemMessageW(hDlg, IDC_TIME_DECIMALS, EM_LIMITTEXT, 2, 0);
        const HWND hEdit = ::GetDlgItem(hDlg, IDC_TIME_DECIMALS);
        ::SetFocus(hEdit);
        ::SendMessageW(hEdit, EM_SETSEL, 0, -1);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            BOOL bNumber = FALSE;
            const UINT n = ::GetDlgItemInt(hDlg, IDC_TIME_DECIMALS, &bNumber, FALSE);
            if (!bNumber || n > static_cast<UINT>(CQLNReportPage::m_klMaxRTPrecision)) {
                const std::wstring text =
                    L"Type a number of decimals from 0 to " + std::to_wstring(CQLNReportPage::m_klMaxRTPrecision) + L".";
                ::MessageBoxW(hDlg, text.c_str(), L"Time Decimals", MB_OK | MB_ICONEXCLAMATION);
                // The number is selected, so that the next one typed replaces it.
                ::SetFocus(::GetDlgItem(hDlg, IDC_TIME_DECIMALS));
                ::SendDlgItemMessageW(hDlg, IDC_TIME_DECIMALS, EM_SETSEL, 0, -1);
                return TRUE;
            }
            *pDecimals = static_cast<long>(n);
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

bool CQLNTimeDecimalsDialog::Ask(HWND hOwner, long& nDecimals)
{
    long n = nDecimals;
    if (::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TIME_DECIMALS), hOwner, &DialogProc,
                          reinterpret_cast<LPARAM>(&n)) != IDOK)
        return false;
    nDecimals = n;
    return true;
}
