// qlnresult: reads a chromatography result file (netCDF) and writes what it says as the hosts'
// data file, so that the hosts, which are Windows programs, read results through the same
// resolver as hand-written data. They start it as a program of the system they run on.
//   qlnresult RESULT.cdf OUT.txt
// Exit status 0 with the data in OUT; 1 with a one-line message in OUT when the result cannot be
// read (on the error stream when OUT cannot be written); 2 for a bad command line.
#include "CQLNResultFile.h"
#include "CQLNResultMapping.h"

#include <sys/resource.h>

#include <cstdio>
#include <fstream>

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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "Usage: qlnresult RESULT.cdf OUT.txt\n");
        return 2;
    }
    Bound();
    CQLNResultMapping::Result result;
    std::string error;
    if (!CQLNResultFile::Read(argv[1], result, error)) {
        if (!WriteFile(argv[2], error + "\n"))
            std::fprintf(stderr, "qlnresult: %s\n", error.c_str());
        return 1;
    }
    if (!WriteFile(argv[2], CQLNResultMapping::DataText(result))) {
        std::fprintf(stderr, "qlnresult: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
