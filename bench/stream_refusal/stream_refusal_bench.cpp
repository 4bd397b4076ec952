// The process's peak memory while a text object loads a normal stream, and then while it refuses
// streams whose text, title or font-name length claims 0x04000000 characters (128 MB) that never
// follow. Refusing should cost next to nothing above the normal load.
#include "BenchSampleText.h"
#include "CQLNTextObjClient.h"
#include "E2eSupport.h"

#include <ole2.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

double PeakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

// The stream with the length before the first occurrence of mark (in UTF-16) claiming 0x04000000
// characters; empty when the mark is not there.
std::string Claiming(const std::string& stream, const std::wstring& mark)
{
    const std::string utf16(reinterpret_cast<const char*>(mark.data()), mark.size() * sizeof(wchar_t));
    const size_t at = stream.find(utf16);
    if (at == std::string::npos || at < 4)
        return std::string();
    const ULONG claimed = 0x04000000;
    return stream.substr(0, at - 4) + std::string(reinterpret_cast<const char*>(&claimed), 4) + stream.substr(at);
}

} // namespace

int main()
{
    int result = 1;
    {
        BenchSampleText sample(L"stream_refusal_bench");
        CQLNTextObjClient& control = sample.Control();
        std::wstring error;
        std::string stream;
        if (!sample.Started() || !control.PutProperty(L"TextFields", L"Mark of the text", error) ||
            !control.PutProperty(L"Title", L"Mark of the title", error) || !control.SaveStream(stream, error) ||
            !control.LoadStream(stream, error)) {
            std::fwprintf(stderr, L"stream_refusal_bench: cannot start the sample text object %ls\n", error.c_str());
        } else {
            const double baseline = PeakMegabytes();
            std::printf("Peak working set of the process\n");
            std::printf("  after a normal load:                   %7.1f MB\n", baseline);
            result = 0;
            const struct { const wchar_t* mark; const char* what; } rows[] = {
                {L"Mark of the text", "TextFields"}, {L"Mark of the title", "Title"}, {L"Times New Roman", "font name"}};
            for (const auto& row : rows) {
                const std::string damaged = Claiming(stream, row.mark);
                const bool refused = !damaged.empty() && !control.LoadStream(damaged, error);
                std::printf("  after refusing a huge %-16s %7.1f MB (%+.1f)%s\n", row.what, PeakMegabytes(),
                            PeakMegabytes() - baseline, refused ? "" : "  NOT REFUSED");
                if (!refused)
                    result = 1;
            }
        }
    }
    return result;
}
