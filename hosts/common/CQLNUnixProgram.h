// A program of the system the emulation runs on (poppler's tools that read a PDF back), started
// from a Windows program under Wine through the emulator's own exports, and file names as that
// system sees them (Ghostscript's command line in a printer's port needs them). Where the exports are missing (on Windows itself) nothing can be started.
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
