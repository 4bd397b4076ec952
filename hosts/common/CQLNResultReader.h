// Chromatography result files (netCDF) read into the hosts' data-file text by the result reader,
// qlnresult, a program of the system the hosts run on (hosts/resultreader), started through the
// emulator. It is looked for beside the running program first, where the build puts it, then on
// the system's search path.
#pragma once
#include <string>
#include <vector>

class CQLNResultReader
{
public:
    // What reading one result gave: its data-file text (UTF-8), or the reader's message (which
    // says whether the file is no netCDF file or no chromatography result).
    struct Outcome
    {
        bool bRead = false;
        std::string dataText;
        std::wstring error;
    };

    // Whether the file is to be read as a result: its name ends in .cdf, in any case.
    static bool IsResultFile(const std::wstring& path);
    static bool Read(const std::wstring& path, std::string& dataText, std::wstring& error);
    // Each result of a sequence, in one run of the reader; outcomes in the order of paths. A run
    // that ends early (a damaged file can make it exceed its bounds) leaves the results it did
    // not report on to be read one by one.
    static std::vector<Outcome> ReadEach(const std::vector<std::wstring>& paths);
};
