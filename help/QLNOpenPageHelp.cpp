#include "QLNOpenPageHelp.h"

#include "QLNOpenHtmlHelp.h"

#include "AfxOwnedMessageBox.h"
#include "QLNBaseRes.h"
#include "QLNLibraryString.h"

void QLNOpenPageHelp(HWND owner, DWORD contextId)
{
    try {
        CString helpFile;
        if (QLNOpenHtmlHelpViewer(owner, contextId, &helpFile) != nullptr)
            return;
        // Without this the Help button would seem dead: the user hears why nothing opened.
        CString format, text;
        QLNLoadLibraryString(format, IDS_QLN_NO_HELP_VIEWER);
        text.Format(format.GetString(), static_cast<unsigned long>(contextId), helpFile.GetString());
        AfxOwnedMessageBox(owner, text, nullptr, MB_OK | MB_ICONEXCLAMATION);
    } catch (const _com_error& e) {
        const _bstr_t description = e.Description();
        const wchar_t* pszText = description.length() != 0 ? static_cast<const wchar_t*>(description) : e.ErrorMessage();
        AfxOwnedMessageBox(owner, pszText, nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
}
