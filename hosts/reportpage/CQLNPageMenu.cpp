#include "CQLNPageMenu.h"

#include "CQLNPageObject.h"
#include "CQLNReportPage.h"
#include "QLNReportPageRes.h"

#include <iterator>

void CQLNPageMenu::Mark(HMENU hMenu, const CQLNReportPage& page, int nZoom, const CQLNPageObject* pSelected)
{
    const bool bA4 = page.GetPaper() == CQLNReportPage::Paper::A4;
    const long nMargin = page.Margin();
    // Each group is one choice: the item of the setting in force is marked, the others not; a
    // margin the menu does not offer (read from a file) marks none of them.
    const struct { UINT nID; bool bChecked; } radios[] = {
        {ID_PAGE_A4, bA4},
        {ID_PAGE_LETTER, !bA4},
        {ID_PAGE_PORTRAIT, !page.IsLandscape()},
        {ID_PAGE_LANDSCAPE, page.IsLandscape()},
        {ID_PAGE_MARGIN_10, nMargin == 1000},
        {ID_PAGE_MARGIN_20, nMargin == 2000},
        {ID_PAGE_MARGIN_25, nMargin == 2500},
        {ID_ZOOM_50, nZoom == 50},
        {ID_ZOOM_75, nZoom == 75},
        {ID_ZOOM_100, nZoom == 100},
        {ID_ZOOM_150, nZoom == 150},
        {ID_ZOOM_200, nZoom == 200},
    };
    for (const auto& radio : radios) {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE;
        if (!::GetMenuItemInfoW(hMenu, radio.nID, FALSE, &mii))
            continue;
        mii.fType |= MFT_RADIOCHECK;
        mii.fState = (mii.fState & ~MFS_CHECKED) | (radio.bChecked ? MFS_CHECKED : 0);
        ::SetMenuItemInfoW(hMenu, radio.nID, FALSE, &mii);
    }
    const bool bEditsInPlace = pSelected != nullptr && pSelected->EditsInPlace();
    const struct { UINT nID; bool bEnabled; } commands[] = {
        {ID_OBJECT_PROPERTIES, pSelected != nullptr && !pSelected->IsPlaceholder()},
        {ID_OBJECT_EDIT_IN_PLACE, bEditsInPlace},
        {ID_EDIT_DELETE, pSelected != nullptr},
    };
    for (const auto& command : commands)
        ::EnableMenuItem(hMenu, command.nID, MF_BYCOMMAND | (command.bEnabled ? MF_ENABLED : MF_GRAYED));
}

void CQLNPageMenu::TrackContext(HWND hWnd, POINT ptScreen, bool bOnObject)
{
    const HMENU hMenus = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_PAGE_CONTEXT_MENU));
    if (hMenus == nullptr)
        return;
    const HMENU hPopup = ::GetSubMenu(hMenus, bOnObject ? 0 : 1);
    if (!bOnObject) {
        const HMENU hPage = PopupWith(::GetMenu(hWnd), ID_PAGE_A4);
        if (hPage != nullptr) {
            ::AppendMenuW(hPopup, MF_SEPARATOR, 0, nullptr);
            AppendItems(hPopup, hPage);
        }
    }
    ::TrackPopupMenu(hPopup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, ptScreen.x, ptScreen.y, 0, hWnd, nullptr);
    ::DestroyMenu(hMenus);
}

void CQLNPageMenu::AppendItems(HMENU hTo, HMENU hFrom)
{
    const int nCount = ::GetMenuItemCount(hFrom);
    for (int i = 0; i < nCount; ++i) {
        wchar_t szText[128] = {};
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING | MIIM_SUBMENU;
        mii.dwTypeData = szText;
        mii.cch = static_cast<UINT>(std::size(szText));
        if (!::GetMenuItemInfoW(hFrom, static_cast<UINT>(i), TRUE, &mii) || mii.hSubMenu != nullptr)
            continue;
        mii.fMask &= ~static_cast<UINT>(MIIM_SUBMENU);
        if (mii.fType & MFT_SEPARATOR)
            mii.fMask &= ~static_cast<UINT>(MIIM_STRING);
        ::InsertMenuItemW(hTo, static_cast<UINT>(::GetMenuItemCount(hTo)), TRUE, &mii);
    }
}

HMENU CQLNPageMenu::PopupWith(HMENU hBar, UINT nID)
{
    const int nCount = hBar != nullptr ? ::GetMenuItemCount(hBar) : 0;
    for (int i = 0; i < nCount; ++i) {
        const HMENU hPopup = ::GetSubMenu(hBar, i);
        if (hPopup != nullptr && ::GetMenuState(hPopup, nID, MF_BYCOMMAND) != static_cast<UINT>(-1))
            return hPopup;
    }
    return nullptr;
}
