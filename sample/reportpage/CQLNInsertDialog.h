// The list of report objects a user can insert: every class registered in one of the six
// report-object component categories, as the system's category manager reports them, so that a
// new report object appears once it has registered itself.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

class CQLNInsertDialog
{
public:
    struct Entry
    {
        CLSID clsid;
        std::wstring name;       // the class's user type, else its ProgID
        std::wstring category;   // the category's description
    };

    // In the order of the categories, each class once (under the first category it is in).
    static std::vector<Entry> ReportClasses();
    // Shows the list; true with the chosen class when the user chose one.
    static bool Choose(HWND hOwner, CLSID& clsid);

private:
    static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
};
