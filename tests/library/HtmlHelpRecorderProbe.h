// What the tests ask of the recorder DLLs: where they are, whether and how often they were
// loaded, and what their help function received.
#pragma once
#include "HtmlHelpRecorder.h"

#include <string>

// Where the system records the file of its HTML Help control.
extern const wchar_t g_htmlHelpControlKey[];

class HtmlHelpRecorderProbe
{
public:
    // The folder of the test program, where every DLL of the build lands (with a trailing '\').
    static std::wstring BinDirectory();
    static std::wstring RecorderPath() { return BinDirectory() + L"qln_help_recorder.dll"; }
    static std::wstring NoOrdinalPath() { return BinDirectory() + L"qln_help_no_ordinal.dll"; }

    static int Loads();
    static void ResetLoads();
    static bool IsLoaded();
    // Calls recorded since the recorder was loaded; 0 when it is not loaded.
    static int Calls();
    static bool LastCall(RecordedHelpCall& call);
};
