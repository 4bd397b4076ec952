// What the tests ask of the recorder DLLs: where they are, how often they were loaded, and what
// their help function received.
#pragma once
#include "E2eSupport.h"
#include "HtmlHelpRecorder.h"

#include <cwchar>
#include <string>

// Where the system records the file of its HTML Help control.
constexpr wchar_t kHtmlHelpControlKey[] = L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

class HtmlHelpRecorderProbe
{
public:
    static std::wstring RecorderPath() { return E2e::BinDirectory() + L"qln_help_recorder.dll"; }
    static std::wstring NoOrdinalPath() { return E2e::BinDirectory() + L"qln_help_no_ordinal.dll"; }

    static int Loads()
    {
        wchar_t text[16] = {};
        ::GetEnvironmentVariableW(L"QLN_RECORDER_LOADS", text, 16);
        return _wtoi(text);
    }
    static void ResetLoads() { ::SetEnvironmentVariableW(L"QLN_RECORDER_LOADS", nullptr); }
    static bool IsLoaded() { return ::GetModuleHandleW(L"qln_help_recorder.dll") != nullptr; }
    // Calls recorded since the recorder was loaded (0 when it is not), the last one into pLast.
    static int Calls(RecordedHelpCall* pLast = nullptr)
    {
        const HMODULE hRecorder = ::GetModuleHandleW(L"qln_help_recorder.dll");
        const auto calls = hRecorder != nullptr
                               ? reinterpret_cast<RecorderCallsProc>(::GetProcAddress(hRecorder, "RecorderCalls"))
                               : nullptr;
        return calls != nullptr ? calls(pLast) : 0;
    }
};
