// A stand-in for the HTML Help control: a DLL whose ordinal 15 records its calls, so that tests
// see exactly what the library asked of HTML Help. Every load of either recorder DLL into the
// process adds one to the environment variable QLN_RECORDER_LOADS, which outlives the DLL.
#pragma once
#include <windows.h>

struct RecordedHelpCall
{
    HWND hwndCaller;
    wchar_t szFile[1024];
    UINT uCommand;
    DWORD_PTR dwData;
};

// Exported by name: the number of calls so far, the last one copied out when there was one.
typedef int (*RecorderCallsProc)(RecordedHelpCall* pLast);

// What the recorder's help function returns, so tests can see the result passed through.
#define QLN_RECORDER_RESULT reinterpret_cast<HWND>(static_cast<INT_PTR>(0x4242))
