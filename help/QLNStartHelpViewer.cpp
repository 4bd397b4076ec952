#include "QLNStartHelpViewer.h"

#include <cwchar>
#include <string>

namespace {

// Long enough for a cold start of the viewer, short enough that a Help press that shows
// nothing is answered while the user still waits for it.
const DWORD g_windowWaitMs = 10000;
const DWORD g_pollMs = 50;

std::wstring ViewerProgram()
{
    wchar_t folder[MAX_PATH] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    std::wstring program(folder, length);
    if (program.back() != L'\\')
        program += L'\\';
    return program + L"hh.exe";
}

struct ViewerSearch
{
    DWORD processId;
    HWND hWnd;
};

BOOL CALLBACK FindViewerWindow(HWND hWnd, LPARAM lParam)
{
    ViewerSearch* pSearch = reinterpret_cast<ViewerSearch*>(lParam);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(hWnd, &processId);
    if (processId != pSearch->processId || !::IsWindowVisible(hWnd) || ::GetWindow(hWnd, GW_OWNER) != nullptr)
        return TRUE;
    pSearch->hWnd = hWnd;
    return FALSE;
}

} // namespace

bool QLNHasHelpViewerProgram()
{
    const std::wstring program = ViewerProgram();
    const DWORD attributes = program.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(program.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HWND QLNStartHelpViewer(LPCWSTR pszHelpFile, DWORD contextId)
{
    // Without a file the viewer has nothing to open; a quote would end the file's argument early.
    if (pszHelpFile == nullptr || *pszHelpFile == L'\0' || wcschr(pszHelpFile, L'"') != nullptr)
        return nullptr;
    const std::wstring program = ViewerProgram();
    if (program.empty())
        return nullptr;
    // The viewer's own command line: "-mapid" opens a context of the map compiled into the file.
    std::wstring commandLine = L"\"" + program + L"\" -mapid " + std::to_wstring(contextId) + L" \"" + pszHelpFile + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process))
        return nullptr;
    ::CloseHandle(process.hThread);
    // The user pressed Help: the viewer may come to the front although another process started it.
    ::AllowSetForegroundWindow(process.dwProcessId);

    ViewerSearch search = {process.dwProcessId, nullptr};
    for (DWORD waited = 0; waited < g_windowWaitMs; waited += g_pollMs) {
        ::EnumWindows(FindViewerWindow, reinterpret_cast<LPARAM>(&search));
        if (search.hWnd != nullptr)
            break;
        // A viewer that cannot open the file or the topic ends without a window.
        if (::WaitForSingleObject(process.hProcess, g_pollMs) == WAIT_OBJECT_0) {
            ::EnumWindows(FindViewerWindow, reinterpret_cast<LPARAM>(&search));
            break;
        }
    }
    ::CloseHandle(process.hProcess);
    return search.hWnd;
}
