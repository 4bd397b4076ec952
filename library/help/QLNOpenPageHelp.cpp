#include "QLNOpenPageHelp.h"

#include "QLNOpenHtmlHelp.h"

void QLNOpenPageHelp(HWND owner, DWORD contextId)
{
    try {
        OpenHtmlHelp(owner, contextId);
    } catch (const _com_error& e) {
        const _bstr_t description = e.Description();
        const wchar_t* pszText = description.length() != 0 ? static_cast<const wchar_t*>(description) : e.ErrorMessage();
        ::MessageBoxW(owner, pszText, nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
}
