#include "HtmlHelpRecorder.h"

#include <cwchar>

namespace {

int g_calls = 0;
RecordedHelpCall g_last = {};

} // namespace

extern "C" HWND WINAPI RecordHtmlHelp(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData)
{
    ++g_calls;
    g_last = {hwndCaller, {}, uCommand, dwData};
    if (pszFile != nullptr)
        wcsncpy(g_last.szFile, pszFile, 1023);
    return QLN_RECORDER_RESULT;
}

extern "C" int RecorderCalls(RecordedHelpCall* pLast)
{
    if (g_calls > 0 && pLast != nullptr)
        *pLast = g_last;
    return g_calls;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        wchar_t text[16] = {};
        ::GetEnvironmentVariableW(L"QLN_RECORDER_LOADS", text, 16);
        swprintf(text, 16, L"%d", _wtoi(text) + 1);
        ::SetEnvironmentVariableW(L"QLN_RECORDER_LOADS", text);
    }
    return TRUE;
}
