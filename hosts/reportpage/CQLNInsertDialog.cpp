#include "CQLNInsertDialog.h"

#include "QLNReportPageRes.h"

namespace {

struct Choice
{
    std::vector<CQLNReportClasses::Entry> entries;
    CLSID chosen = CLSID_NULL;
};

} // namespace

INT_PTR CALLBACK CQLNInsertDialog::DialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    Choice* pChoice = reinterpret_cast<Choice*>(::GetWindowLongPtrW(hDlg, DWLP_USER));
    switch (uMsg) {
    case WM_INITDIALOG: {
        ::SetWindowLongPtrW(hDlg, DWLP_USER, lParam);
        pChoice = reinterpret_cast<Choice*>(lParam);
        const HWND hList = ::GetDlgItem(hDlg, IDC_INSERT_CLASSES);
        for (const CQLNReportClasses::Entry& entry : pChoice->entries) {
            const std::wstring text = entry.name + L"  (" + entry.category + L")";
            ::SendMessageW(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        ::SendMessageW(hList, LB_SETCURSEL, 0, 0);
        ::EnableWindow(::GetDlgItem(hDlg, IDOK), !pChoice->entries.empty());
        ::SetFocus(hList);
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == IDC_INSERT_CLASSES && HIWORD(wParam) == LBN_DBLCLK)) {
            const LRESULT nSel = ::SendDlgItemMessageW(hDlg, IDC_INSERT_CLASSES, LB_GETCURSEL, 0, 0);
            if (nSel < 0 || static_cast<size_t>(nSel) >= pChoice->entries.size())
                return TRUE;
            pChoice->chosen = pChoice->entries[static_cast<size_t>(nSel)].clsid;
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

bool CQLNInsertDialog::Choose(HWND hOwner, CLSID& clsid)
{
    Choice choice;
    choice.entries = CQLNReportClasses::All();
    // The list box sorts nothing: its rows are in the entries' order.
    if (::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INSERT_OBJECT), hOwner, &DialogProc,
                          reinterpret_cast<LPARAM>(&choice)) != IDOK)
        return false;
    clsid = choice.chosen;
    return true;
}
