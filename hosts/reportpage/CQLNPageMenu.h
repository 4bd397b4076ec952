// The report page window's menus as they stand for the page shown: the paper, orientation,
// margins and zoom in force carry radio marks, and commands that need a selected object, or an
// object that edits in place, are greyed without one. The same rules mark the menu bar and the
// menus a right click opens.
#pragma once
#include <windows.h>

class CQLNPageObject;
class CQLNReportPage;

class CQLNPageMenu
{
public:
    // Marks the items of hMenu and of its submenus that are any of the page's commands.
    static void Mark(HMENU hMenu, const CQLNReportPage& page, int nZoom, const CQLNPageObject* pSelected);
    // Opens the menu of a right click at ptScreen: the object's commands on an object, else
    // Insert and the items of the Page menu of hWnd's menu bar. The command chosen reaches hWnd
    // as WM_COMMAND; the menu is marked through WM_INITMENUPOPUP as it opens.
    static void TrackContext(HWND hWnd, POINT ptScreen, bool bOnObject);

private:
    // Appends copies of the items (not submenus) of hFrom to hTo.
    static void AppendItems(HMENU hTo, HMENU hFrom);
    // The popup of the menu bar that holds the command, or null.
    static HMENU PopupWith(HMENU hBar, UINT nID);
};
