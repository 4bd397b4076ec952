#include "QLNChangeNotification.h"

namespace {

struct ChangeNotification
{
    const wchar_t* lpszClass;
    UINT nCode;
};

const ChangeNotification s_changeNotifications[] = {
    {L"edit", EN_CHANGE},
    {L"button", BN_CLICKED},
    {L"button", BN_DOUBLECLICKED},
    {L"combobox", CBN_EDITCHANGE},
    {L"combobox", CBN_SELCHANGE},
    {L"listbox", LBN_SELCHANGE},
    {L"RichEdit", EN_CHANGE},
    {L"RICHEDIT_CLASS", EN_CHANGE},
};

} // namespace

BOOL QLNIsChangeNotification(HWND hWndSender, UINT nCode)
{
    wchar_t szClass[100] = {};
    if (hWndSender == nullptr || ::GetClassNameW(hWndSender, szClass, 100) == 0)
        return FALSE;
    for (const ChangeNotification& row : s_changeNotifications) {
        if (row.nCode == nCode && ::lstrcmpiW(szClass, row.lpszClass) == 0)
            return TRUE;
    }
    return FALSE;
}
