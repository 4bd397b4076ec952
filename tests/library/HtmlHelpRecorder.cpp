#include "HtmlHelpRecorder.h"

#include <cwchar>
#include <cstdlib>

namespace {

int g_callCount = 0;
RecordedHelpCall g_lastCall = {};

void CountLoad()
{
    wchar_t text[16] = {};
    ::GetEnvironmentVariableW(L"QLN_RECORDER_LOADS", text, 16);
    swprintf(text, 16, L"%d", static_cast<int>(wcstol(text, nullptr, 10)) + 1);
    ::SetEnvironmentVariableW(L"QLN_RECORDER_LOADS", text);
}

} // namespace

extern "C" HWND WINAPI RecordHtmlHelp(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData)
{
    ++g_callCount;
    g_lastCall.hwndCaller = hwndCaller;
    g_lastCall.szFile[0] = L'\0';
    if (pszFile != nullptr)
        wcsncpy(g_lastCall.szFile, pszFile, 1023);
    g_lastCall.szFile[1023] = L'\0';
    g_lastCall.uCommand = uCommand;
    g_lastCall.dwData = dwData;
    return QLN_RECORDER_RESULT;
}

extern "C" int RecorderCallCount()
{
    return g_callCount;
}

extern "C" BOOL RecorderLastCall(RecordedHelpCall* pCall)
{
    if (g_callCount == 0)
        return FALSE;
    *pCall = g_lastCall;
    return TRUE;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH)
        CountLoad();
    return TRUE;
}
