#include "CQLNInsertDialog.h"

#include "QLNReportPageRes.h"

#include <comcat.h>
#include <wrl/client.h>

#include <algorithm>

using Microsoft::WRL::ComPtr;

namespace {

// The report-object categories, in the order of their registration table.
const CATID kReportCategories[] = {
    {0x26CBEB70, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}},
    {0x26CBEB71, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}},
    {0x26CBEB72, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}},
    {0x26CBEB73, 0x59FC, 0x11D1, {0x84, 0xD1, 0x00, 0x00, 0xC0, 0x7A, 0x4C, 0xF5}},
    {0x473F69A1, 0x022F, 0x11D3, {0xBB, 0xA5, 0x00, 0x10, 0x5A, 0x39, 0x69, 0xB4}},
    {0x5B7559C0, 0x91EB, 0x11D1, {0xB7, 0x3B, 0x00, 0xA0, 0x24, 0x4A, 0xCB, 0xE8}},
};

std::wstring NameOf(const CLSID& clsid)
{
    std::wstring name;
    LPOLESTR psz = nullptr;
    if (SUCCEEDED(::OleRegGetUserType(clsid, USERCLASSTYPE_FULL, &psz)) && psz != nullptr)
        name = psz;
    ::CoTaskMemFree(psz);
    psz = nullptr;
    if (name.empty() && SUCCEEDED(::ProgIDFromCLSID(clsid, &psz)) && psz != nullptr)
        name = psz;
    ::CoTaskMemFree(psz);
    if (name.empty()) {
        wchar_t sz[40] = {};
        ::StringFromGUID2(clsid, sz, 40);
        name = sz;
    }
    return name;
}

} // namespace

std::vector<CQLNInsertDialog::Entry> CQLNInsertDialog::ReportClasses()
{
    std::vector<Entry> entries;
    ComPtr<ICatInformation> categories;
    if (FAILED(::CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatInformation,
                                  &categories)))
        return entries;
    for (const CATID& catid : kReportCategories) {
        // The categories are registered for the system's default locale; Wine's manager finds a
        // description only under the exact locale asked for, so the user's comes first and the
        // system default after it.
        std::wstring description;
        for (LCID lcid : {::GetUserDefaultLCID(), static_cast<LCID>(LOCALE_SYSTEM_DEFAULT)}) {
            LPWSTR psz = nullptr;
            if (SUCCEEDED(categories->GetCategoryDesc(const_cast<CATID&>(catid), lcid, &psz)) && psz != nullptr)
                description = psz;
            ::CoTaskMemFree(psz);
            if (!description.empty())
                break;
        }
        ComPtr<IEnumCLSID> classes;
        CATID implemented = catid;
        // A required-category count of -1 asks for the classes whatever they require.
        if (FAILED(categories->EnumClassesOfCategories(1, &implemented, static_cast<ULONG>(-1), nullptr, &classes)) || !classes)
            continue;
        CLSID clsid;
        while (classes->Next(1, &clsid, nullptr) == S_OK) {
            if (std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.clsid == clsid; }))
                continue;
            entries.push_back(Entry{clsid, NameOf(clsid), description});
        }
    }
    return entries;
}

namespace {

struct Choice
{
    std::vector<CQLNInsertDialog::Entry> entries;
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
        for (const Entry& entry : pChoice->entries) {
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
    choice.entries = ReportClasses();
    // The list box sorts nothing: its rows are in the entries' order.
    if (::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_INSERT_OBJECT), hOwner, &DialogProc,
                          reinterpret_cast<LPARAM>(&choice)) != IDOK)
        return false;
    clsid = choice.chosen;
    return true;
}
