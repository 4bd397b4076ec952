#include "AfxChangeNotification.h"

namespace {

struct ChangeNotification
{
    const wchar_t* pszClass;
    UINT nCode;
};

// Buttons are not told apart by style: a push button's click counts as much as a check box's.
const ChangeNotification kChangeNotifications[] = {
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

// Ordinal comparison: class names are identifiers, and a linguistic one would let a name with
// a hyphen or an accent match a row it differs from.
BOOL AfxIsChangeNotification(HWND hWndSender, UINT nCode)
{
    wchar_t szClass[100] = {};
    if (hWndSender == nullptr || ::GetClassNameW(hWndSender, szClass, 100) == 0)
        return FALSE;
    for (const ChangeNotification& row : kChangeNotifications)
        if (nCode == row.nCode && ::CompareStringOrdinal(szClass, -1, row.pszClass, -1, TRUE) == CSTR_EQUAL)
            return TRUE;
    return FALSE;
}
