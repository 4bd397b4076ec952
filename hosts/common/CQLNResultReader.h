// Chromatography result files (netCDF) read into the hosts' data-file text by the result reader,
// qlnresult, a program of the system the hosts run on (hosts/resultreader), started through the
// emulator. It is looked for beside the running program first, where the build puts it, then on
// the system's search path.
#pragma once
#include <string>

class CQLNResultReader
{
public:
    // Whether the file is to be read as a result: its name ends in .cdf, in any case.
    static bool IsResultFile(const std::wstring& path);
    // The data-file text (UTF-8) of the result; false with the reader's message (which says
    // whether the file is no netCDF file or no chromatography result) otherwise.
    static bool Read(const std::wstring& path, std::string& dataText, std::wstring& error);
};
