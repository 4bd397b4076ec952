// How reading a text object's lines grows with their number: a host resolving a report reads
// every line through GetLineCount and GetLine by name, as a script would. Twice the lines
// should cost about twice the time; a cost per line that grows with the line's position shows
// as a ratio well above 2.
#include "BenchSampleText.h"
#include "CQLNTextObjClient.h"
#include "E2eSupport.h"

#include <ole2.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring TextFieldsOf(int nLines)
{
    std::wstring text;
    wchar_t line[96];
    for (int i = 0; i < nLines; ++i) {
        swprintf(line, 96, L"Item %d: {RT}\f2\fItem %d: {RT}\r\n", i, i);
        text += line;
    }
    return text.substr(0, text.size() - 2);
}

// Seconds for reading every line, the best of a few runs; negative on failure.
double TimeReading(CQLNTextObjClient& control, int nLines)
{
    std::wstring error;
    if (!control.PutProperty(L"TextFields", TextFieldsOf(nLines), error)) {
        std::fwprintf(stderr, L"getline_bench: %ls\n", error.c_str());
        return -1;
    }
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    double best = -1;
    for (int run = 0; run < 7; ++run) {
        LARGE_INTEGER start, end;
        ::QueryPerformanceCounter(&start);
        std::vector<std::wstring> lines;
        const bool ok = control.GetLines(lines, error);
        ::QueryPerformanceCounter(&end);
        if (!ok || lines.size() != static_cast<size_t>(nLines)) {
            std::fwprintf(stderr, L"getline_bench: read %u of %d lines %ls\n", static_cast<unsigned>(lines.size()),
                          nLines, error.c_str());
            return -1;
        }
        const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (best < 0 || seconds < best)
            best = seconds;
    }
    return best;
}

} // namespace

int main()
{
    int result = 1;
    {
        BenchSampleText sample(L"getline_bench");
        CQLNTextObjClient& control = sample.Control();
        if (sample.Started()) {
            const double t10 = TimeReading(control, 10000);
            const double t20 = TimeReading(control, 20000);
            // A larger text shows whether a ratio above 2 is the cost per line growing or the
            // text outgrowing the processor's caches.
            const double t40 = TimeReading(control, 40000);
            if (t10 > 0 && t20 > 0 && t40 > 0) {
                std::printf("GetLineCount + GetLine through IDispatch, every line, best of 7\n");
                std::printf("  10000 lines: %8.1f ms  (%.2f us a line)\n", t10 * 1e3, t10 * 1e6 / 10000);
                std::printf("  20000 lines: %8.1f ms  (%.2f us a line)\n", t20 * 1e3, t20 * 1e6 / 20000);
                std::printf("  40000 lines: %8.1f ms  (%.2f us a line)\n", t40 * 1e3, t40 * 1e6 / 40000);
                std::printf("  ratio 20000 / 10000: %.2f\n", t20 / t10);
                std::printf("  ratio 40000 / 20000: %.2f\n", t40 / t20);
                result = 0;
            }
        }
    }
    return result;
}
