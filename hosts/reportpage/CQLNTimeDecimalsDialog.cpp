#include "CQLNTimeDecimalsDialog.h"

#include "CQLNModalDialog.h"
#include "CQLNReportPage.h"
#include "QLNReportPageRes.h"

#include <string>

bool CQLNTimeDecimalsDialog::Ask(HWND hOwner, long& nDecimals)
{
    long n = nDecimals;
    CQLNModalDialog::Handlers handlers;
    handlers.init = [&](HWND hDlg) {
        ::SetDlgItemInt(hDlg, IDC_TIME_DECIMALS, static_cast<UINT>(n), FALSE);
        ::SendDlgItemMessageW(hDlg, IDC_TIME_DECIMALS, EM_LIMITTEXT, 2, 0);
        const HWND hEdit = ::GetDlgItem(hDlg, IDC_TIME_DECIMALS);
        ::SetFocus(hEdit);
        ::SendMessageW(hEdit, EM_SETSEL, 0, -1);
    };
    handlers.ok = [&](HWND hDlg) {
        BOOL bNumber = FALSE;
        const UINT nTyped = ::GetDlgItemInt(hDlg, IDC_TIME_DECIMALS, &bNumber, FALSE);
        if (!bNumber || nTyped > static_cast<UINT>(CQLNReportPage::m_klMaxRTPrecision)) {
            const std::wstring text =
                L"Type a number of decimals from 0 to " + std::to_wstring(CQLNReportPage::m_klMaxRTPrecision) + L".";
            ::MessageBoxW(hDlg, text.c_str(), L"Time Decimals", MB_OK | MB_ICONEXCLAMATION);
            // The number is selected, so that the next one typed replaces it.
            ::SetFocus(::GetDlgItem(hDlg, IDC_TIME_DECIMALS));
            ::SendDlgItemMessageW(hDlg, IDC_TIME_DECIMALS, EM_SETSEL, 0, -1);
            return false;
        }
        n = static_cast<long>(nTyped);
        return true;
    };
    if (!CQLNModalDialog::Run(hOwner, IDD_TIME_DECIMALS, handlers))
        return false;
    nDecimals = n;
    return true;
}
