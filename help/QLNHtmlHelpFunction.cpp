#include "QLNHtmlHelpFunction.h"

#include <vector>

namespace {

// Where the system records the file of its HTML Help control.
const wchar_t g_controlServerKey[] = L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
const wchar_t g_controlFileName[] = L"hhctrl.ocx";
// HtmlHelpW has no exported name in every version of the control; its ordinal is stable.
const WORD g_htmlHelpOrdinal = 15;

// The registered file of the control, environment variables expanded; empty when the key or
// value is missing, is not a string, or does not fit in MAX_PATH characters.
std::vector<wchar_t> ReadRegisteredControlFile()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, g_controlServerKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return {};
    wchar_t value[MAX_PATH + 1] = {};
    DWORD type = 0;
    // One character held back so that a value stored without its terminator still ends.
    DWORD size = MAX_PATH * sizeof(wchar_t);
    const LONG result = ::RegQueryValueExW(hKey, nullptr, nullptr, &type,
                                           reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(hKey);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) || value[0] == L'\0')
        return {};
    if (type == REG_SZ)
        return std::vector<wchar_t>(value, value + wcslen(value) + 1);

    std::vector<wchar_t> expanded(MAX_PATH);
    const DWORD needed = ::ExpandEnvironmentStringsW(value, expanded.data(), MAX_PATH);
    if (needed == 0 || needed > MAX_PATH)
        return {};
    return expanded;
}

} // namespace

CQLNHtmlHelpFunction::~CQLNHtmlHelpFunction()
{
    if (m_hModule != nullptr)
        ::FreeLibrary(m_hModule);
}

HWND CQLNHtmlHelpFunction::Call(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData)
{
    if (m_pfnHtmlHelp == nullptr && !Load())
        return nullptr;
    return m_pfnHtmlHelp(hwndCaller, pszFile, uCommand, dwData);
}

bool CQLNHtmlHelpFunction::IsSystemControl()
{
    if (m_pfnHtmlHelp == nullptr && !Load())
        return false;
    wchar_t loaded[MAX_PATH] = {};
    wchar_t system[MAX_PATH] = {};
    const DWORD loadedLength = ::GetModuleFileNameW(m_hModule, loaded, MAX_PATH);
    const UINT systemLength = ::GetSystemDirectoryW(system, MAX_PATH);
    if (loadedLength == 0 || loadedLength >= MAX_PATH || systemLength == 0 || systemLength >= MAX_PATH)
        return false;
    std::vector<wchar_t> expected(system, system + systemLength);
    if (expected.back() != L'\\')
        expected.push_back(L'\\');
    expected.insert(expected.end(), g_controlFileName, g_controlFileName + wcslen(g_controlFileName) + 1);
    return ::lstrcmpiW(loaded, expected.data()) == 0;
}

bool CQLNHtmlHelpFunction::Load()
{
    if (m_bLoadFailed)
        return false;
    const std::vector<wchar_t> registered = ReadRegisteredControlFile();
    if (!registered.empty())
        m_hModule = ::LoadLibraryW(registered.data());
    if (m_hModule == nullptr)
        m_hModule = ::LoadLibraryW(g_controlFileName);
    if (m_hModule == nullptr) {
        m_bLoadFailed = true;
        return false;
    }
    m_pfnHtmlHelp = reinterpret_cast<HtmlHelpProc>(
        ::GetProcAddress(m_hModule, MAKEINTRESOURCEA(g_htmlHelpOrdinal)));
    if (m_pfnHtmlHelp == nullptr) {
        ::FreeLibrary(m_hModule);
        m_hModule = nullptr;
        m_bLoadFailed = true;
        return false;
    }
    return true;
}
