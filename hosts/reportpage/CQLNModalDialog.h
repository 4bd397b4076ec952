// A modal dialog of the program's own resources, its state held by the caller: Run shows it, the
// handlers fill it and take what OK gives; Cancel (and Esc) end it with nothing taken.
#pragma once
#include <windows.h>

#include <functional>

class CQLNModalDialog
{
public:
    struct Handlers
    {
        // The dialog is shown: fill its controls and set the focus.
        std::function<void(HWND hDlg)> init;
        // OK: take what the dialog holds; false keeps it open (having told the user why).
        std::function<bool(HWND hDlg)> ok;
        // A command that counts as OK too (a double click on a list's row); may be empty.
        std::function<bool(WPARAM wParam)> isOk;
    };

    // True when the dialog ended with OK.
    static bool Run(HWND hOwner, UINT nTemplateId, const Handlers& handlers);

private:
    static INT_PTR CALLBACK DialogProc(HWND hDlg, UINT uMsg, WPARAM wParam, LPARAM lParam);
};
