// qlnresult: reads a chromatography result file (netCDF) and writes what it says as the hosts'
// data file, so that the hosts, which are Windows programs, read results through the same
// resolver as hand-written data. They start it as a program of the system they run on.
//   qlnresult RESULT.cdf OUT.txt
//   qlnresult --each STATUS RESULT.cdf OUT.txt [RESULT.cdf OUT.txt ...]
// Exit status 0 with the data in OUT; 1 with a one-line message in OUT when the result cannot be
// read (on the error stream when OUT cannot be written); 2 for a bad command line. With --each,
// a sequence's results are read in one run, each into its own OUT as above, and STATUS says of
// each in turn "read" or "refused" on a line of its own; the status is 1 when any was refused.
#include "CQLNResultFile.h"
#include "CQLNResultMapping.h"

#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool WriteFile(const char* path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return static_cast<bool>(out);
}

// A damaged header can make the netCDF library ask for memory by the gigabyte and spend minutes
// touching it; bounded, the allocation fails at once and the file is refused as damaged. The
// processor time is bounded too, so that no file keeps a host waiting.
void Bound()
{
    const rlimit memory = {2048ul << 20, 2048ul << 20};
    const rlimit seconds = {60, 60};
    setrlimit(RLIMIT_AS, &memory);
    setrlimit(RLIMIT_CPU, &seconds);
}

// Reads one result into out: its data, or the message why not.
bool ReadOne(const char* path, const char* out)
{
    CQLNResultMapping::Result result;
    std::string error;
    if (!CQLNResultFile::Read(path, result, error)) {
        if (!WriteFile(out, error + "\n"))
            std::fprintf(stderr, "qlnresult: %s\n", error.c_str());
        return false;
    }
    if (!WriteFile(out, CQLNResultMapping::DataText(result))) {
        std::fprintf(stderr, "qlnresult: cannot write %s\n", out);
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const bool bEach = argc >= 5 && argc % 2 == 1 && std::string(argv[1]) == "--each";
    if (argc != 3 && !bEach) {
        std::fprintf(stderr, "Usage: qlnresult RESULT.cdf OUT.txt\n"
                             "       qlnresult --each STATUS RESULT.cdf OUT.txt [RESULT.cdf OUT.txt ...]\n");
        return 2;
    }
    Bound();
    if (!bEach)
        return ReadOne(argv[1], argv[2]) ? 0 : 1;
    // The bounds hold for the whole run. A run stopped by them writes no STATUS: its caller then
    // reads the results one by one.
    std::string status;
    bool bAll = true;
    for (int i = 3; i + 1 < argc; i += 2) {
        const bool bRead = ReadOne(argv[i], argv[i + 1]);
        status += bRead ? "read\n" : "refused\n";
        bAll = bAll && bRead;
    }
    if (!WriteFile(argv[2], status)) {
        std::fprintf(stderr, "qlnresult: cannot write %s\n", argv[2]);
        return 1;
    }
    return bAll ? 0 : 1;
}
