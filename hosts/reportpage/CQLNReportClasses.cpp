#include "CQLNReportClasses.h"

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

std::vector<CQLNReportClasses::Entry> CQLNReportClasses::All()
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

CQLNReportClasses::Standing CQLNReportClasses::Of(const CLSID& clsid)
{
    const std::vector<Entry> entries = All();
    if (std::any_of(entries.begin(), entries.end(), [&](const Entry& e) { return e.clsid == clsid; }))
        return Standing::ReportObject;
    wchar_t sz[40] = {};
    ::StringFromGUID2(clsid, sz, 40);
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + sz).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return Standing::NotRegistered;
    ::RegCloseKey(hKey);
    return Standing::NotReportObject;
}

std::wstring CQLNReportClasses::Why(Standing standing)
{
    switch (standing) {
    case Standing::NotReportObject: return L"not a report object";
    case Standing::NotRegistered: return L"not registered on this computer";
    case Standing::ReportObject: break;
    }
    return std::wstring();
}
