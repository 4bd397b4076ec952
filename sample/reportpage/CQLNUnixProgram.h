// A program of the system the emulation runs on (Ghostscript, poppler), started from a Windows
// program under Wine through the emulator's own exports, with file names as that system sees
// them. Where the exports are missing (on Windows itself) nothing can be started.
#pragma once
#include <string>
#include <vector>

class CQLNUnixProgram
{
public:
    // Whether programs can be started at all.
    static bool Available();
    // The file's name on the system underneath; empty when it has none.
    static std::string UnixPath(const std::wstring& path);
    // Runs argv[0] (found on the search path) with the arguments and waits for it; true when
    // it was started and ended with status 0.
    static bool Run(const std::vector<std::string>& argv);
};
