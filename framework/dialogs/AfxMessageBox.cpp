#include "AfxMessageBox.h"

#include "AfxOwnedMessageBox.h"
#include "AfxRes.h"
#include "CException.h"

namespace {

HMODULE FrameworkModule()
{
    HMODULE hModule = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&FrameworkModule), &hModule);
    return hModule;
}

// An application or library may give its own text for a framework prompt; the framework's
// strings are the last resort.
CString LoadPrompt(UINT nID)
{
    CString text;
    if (text.LoadString(nID))
        return text;
    const wchar_t* p = nullptr;
    const int nLength = ::LoadStringW(FrameworkModule(), nID, reinterpret_cast<LPWSTR>(&p), 0);
    return nLength > 0 ? CString(p, nLength) : CString();
}

int ReportInBox(const CException& e, UINT nType, UINT nMessageID)
{
    wchar_t szMessage[512] = {};
    if (e.GetErrorMessage(szMessage, 512))
        return AfxMessageBox(szMessage, nType);
    return AfxMessageBox(nMessageID != 0 ? nMessageID : AFX_IDP_NO_ERROR_AVAILABLE, nType);
}

// Installed as the framework is loaded, before any code of it can report an exception.
const struct ReporterInstaller
{
    ReporterInstaller() { CException::SetReporter(&ReportInBox); }
} g_reporterInstaller;

// The executable's name without folder and extension, as the caption of the application's boxes.
CString AppName()
{
    wchar_t szPath[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(nullptr, szPath, MAX_PATH);
    CString name(szPath, n < MAX_PATH ? static_cast<int>(n) : 0);
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    const int nDot = name.ReverseFind(L'.');
    return nDot > 0 ? name.Left(nDot) : name;
}

} // namespace

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    const CString caption = AppName();
    return AfxOwnedMessageBox(::GetActiveWindow(), lpszText, caption.IsEmpty() ? nullptr : caption.GetString(), nType,
                              nIDHelp);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    const CString text = LoadPrompt(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    AfxFormatString2(rString, nIDS, lpsz1, nullptr);
}

void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    const CString format = LoadPrompt(nIDS);
    CString result;
    for (int i = 0; i < format.GetLength(); ++i) {
        const wchar_t ch = format[i];
        if (ch == L'%' && i + 1 < format.GetLength() && (format[i + 1] == L'1' || format[i + 1] == L'2')) {
            const LPCTSTR lpsz = format[++i] == L'1' ? lpsz1 : lpsz2;
            result += lpsz != nullptr ? lpsz : L"";
        } else {
            result += ch;
        }
    }
    rString = result;
}
