#include "CQLNInsertDialog.h"

#include "CQLNModalDialog.h"
#include "QLNReportPageRes.h"

bool CQLNInsertDialog::Choose(HWND hOwner, CLSID& clsid)
{
    const std::vector<CQLNReportClasses::Entry> entries = CQLNReportClasses::All();
    CLSID chosen = CLSID_NULL;
    CQLNModalDialog::Handlers handlers;
    handlers.init = [&](HWND hDlg) {
        // The list box sorts nothing: its rows are in the entries' order.
        const HWND hList = ::GetDlgItem(hDlg, IDC_INSERT_CLASSES);
        for (const CQLNReportClasses::Entry& entry : entries) {
            const std::wstring text = entry.name + L"  (" + entry.category + L")";
            ::SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        ::SendMessageW(hList, LB_SETCURSEL, 0, 0);
        ::EnableWindow(::GetDlgItem(hDlg, IDOK), !entries.empty());
        ::SetFocus(hList);
    };
    handlers.ok = [&](HWND hDlg) {
        const LRESULT nSel = ::SendDlgItemMessageW(hDlg, IDC_INSERT_CLASSES, LB_GETCURSEL, 0, 0);
        if (nSel < 0 || static_cast<size_t>(nSel) >= entries.size())
            return false;
        chosen = entries[static_cast<size_t>(nSel)].clsid;
        return true;
    };
    handlers.isOk = [](WPARAM wParam) { return LOWORD(wParam) == IDC_INSERT_CLASSES && HIWORD(wParam) == LBN_DBLCLK; };
    if (!CQLNModalDialog::Run(hOwner, IDD_INSERT_OBJECT, handlers))
        return false;
    clsid = chosen;
    return true;
}
