// What the end-to-end tests share: where the programs are, child programs run to completion with
// their output, and whole files read and written.
#pragma once
#include <windows.h>

#include <string>

namespace E2e {

// The folder of the test programs, which is also where the samples and the demo host are built.
std::wstring BinDirectory();

// Runs a command line to its end; stdout and stderr are captured apart (as UTF-8 bytes).
struct ProcessResult
{
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;
    std::string err;
    // The program did not end in the time it was given and was ended.
    bool timedOut = false;
};
ProcessResult Run(const std::wstring& commandLine);
// The same, ended after the milliseconds: a program that hangs is a finding, not a hung test.
ProcessResult RunWithin(const std::wstring& commandLine, DWORD dwMilliseconds);

bool WriteBytes(const std::wstring& path, const std::string& bytes);
// Empty when the file cannot be read.
std::string ReadBytes(const std::wstring& path);

// A result file (netCDF) made by ncgen, of the system underneath, from CDL text; the text is left
// beside it as path + ".cdl".
bool MakeResultFromCdl(const std::wstring& path, const std::string& cdl);
// A result of the sample named sample with nPeaks peaks, "<sample> 1" ... at 10, 20, ... seconds.
bool MakeResult(const std::wstring& path, const std::string& sample, int nPeaks);

// The sample text object, by its version-independent name.
extern const wchar_t kProgId[];

} // namespace E2e
