// The platform's HTML Help function, loaded from the HTML Help control on first use.
#pragma once
#include "QLNBaseExport.h"

// The file of the control comes from the registry (where the system installed it), else the
// control is loaded by its usual name. A failed load, or a control without the function, is
// remembered: later calls return at once without touching the registry or the loader, so a
// machine without HTML Help pays for the attempt only once.
class QLN_BASE_API CQLNHtmlHelpFunction
{
public:
    CQLNHtmlHelpFunction() = default;
    CQLNHtmlHelpFunction(const CQLNHtmlHelpFunction&) = delete;
    CQLNHtmlHelpFunction& operator=(const CQLNHtmlHelpFunction&) = delete;
    ~CQLNHtmlHelpFunction();

    // Calls the help function as HtmlHelpW; returns its result, or null when it is unavailable.
    HWND Call(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData);
    // Whether the function is the system's own HTML Help control (the file of that name in the
    // system folder), loading it first when needed; false when it is unavailable.
    bool IsSystemControl();

private:
    typedef HWND(WINAPI* HtmlHelpProc)(HWND, LPCWSTR, UINT, DWORD_PTR);

    bool Load();

    HMODULE m_hModule = nullptr;
    HtmlHelpProc m_pfnHtmlHelp = nullptr;
    bool m_bLoadFailed = false;
};
