// What a user does to a property sheet beyond its buttons: clicks a page's tab.
#pragma once
#include "ScriptedUser.h"

namespace qlntest {

// The Apply button of the system's property sheet.
constexpr int kApplyButton = 0x3021;

inline void PostTabClick(HWND hSheet, int nPage)
{
    const HWND hTab = reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
    RECT rc = {};
    ::SendMessageW(hTab, TCM_GETITEMRECT, static_cast<WPARAM>(nPage), reinterpret_cast<LPARAM>(&rc));
    PostClickAt(hTab, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

inline HWND CurrentPage(HWND hSheet)
{
    return reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

inline bool ApplyEnabled(HWND hSheet)
{
    return ::IsWindowEnabled(::GetDlgItem(hSheet, kApplyButton)) != FALSE;
}

} // namespace qlntest
