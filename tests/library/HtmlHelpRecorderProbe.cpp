#include "HtmlHelpRecorderProbe.h"

#include <cwchar>

const wchar_t g_htmlHelpControlKey[] = L"CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

std::wstring HtmlHelpRecorderProbe::BinDirectory()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory(path);
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

int HtmlHelpRecorderProbe::Loads()
{
    wchar_t text[16] = {};
    ::GetEnvironmentVariableW(L"QLN_RECORDER_LOADS", text, 16);
    return static_cast<int>(wcstol(text, nullptr, 10));
}

void HtmlHelpRecorderProbe::ResetLoads()
{
    ::SetEnvironmentVariableW(L"QLN_RECORDER_LOADS", nullptr);
}

bool HtmlHelpRecorderProbe::IsLoaded()
{
    return ::GetModuleHandleW(L"qln_help_recorder.dll") != nullptr;
}

int HtmlHelpRecorderProbe::Calls()
{
    const HMODULE hRecorder = ::GetModuleHandleW(L"qln_help_recorder.dll");
    if (hRecorder == nullptr)
        return 0;
    const auto count = reinterpret_cast<RecorderCallCountProc>(::GetProcAddress(hRecorder, "RecorderCallCount"));
    return count != nullptr ? count() : 0;
}

bool HtmlHelpRecorderProbe::LastCall(RecordedHelpCall& call)
{
    const HMODULE hRecorder = ::GetModuleHandleW(L"qln_help_recorder.dll");
    if (hRecorder == nullptr)
        return false;
    const auto last = reinterpret_cast<RecorderLastCallProc>(::GetProcAddress(hRecorder, "RecorderLastCall"));
    return last != nullptr && last(&call);
}
