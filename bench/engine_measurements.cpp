// Text measurements per drawn text line, against the halving bound ceil(log2(length)), for one
// line of 10 to 30,000 characters wrapped in a cell 300 pixels wide. Two texts: words of a few
// letters, and one unbroken word (every text line ends where the halving ends).
#include "CountingMetaFileDC.h"
#include "TestTextControl.h"

#include <objbase.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

std::wstring Words(size_t n)
{
    static const wchar_t* const kWords[] = {L"peak ", L"area ", L"retention ", L"of ", L"sample ", L"injected ",
                                            L"m/z ", L"calibration ", L"level ", L"amount "};
    std::wstring s = L"{";
    for (size_t i = 0; s.size() < n; ++i)
        s += kWords[(i * 7) % 10];
    s.resize(n);
    return s;
}

std::wstring OneWord(size_t n)
{
    std::wstring s;
    for (size_t i = 0; i < n; ++i)
        s += static_cast<wchar_t>(L'a' + (i * 11) % 26);
    return s;
}

void Row(TestTextControl& ctrl, const char* kind, const std::wstring& line)
{
    ctrl.SetLines(line.c_str());
    CountingMetaFileDC dc;
    dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr);
    ctrl.Draw(&dc, CRect(0, 0, 300, 1 << 24));
    ::DeleteEnhMetaFile(dc.CloseEnhanced());
    // "AAA" for the default row height and "A" for the wrap limit are once per pass and item.
    const int nLineMeasures = dc.m_nMeasured - 2;
    const double perLine = dc.m_nDrawn ? static_cast<double>(nLineMeasures) / dc.m_nDrawn : 0.0;
    const int bound = static_cast<int>(std::ceil(std::log2(static_cast<double>(line.size()))));
    std::printf("%-6s %7zu %7d %9d %9.2f %7d %9.2f\n", kind, line.size(), dc.m_nDrawn, nLineMeasures, perLine,
                bound, perLine - bound);
}

} // namespace

int main()
{
    ::OleInitialize(nullptr);
    {
        TestTextControl ctrl;
        if (!ctrl.Place(600, 400)) {
            std::printf("no window\n");
            return 1;
        }
        ctrl.m_engine.m_fnResetColumnWidths(1, 1, 0);
        std::printf("Measurements per drawn text line, cell 300 px, Times New Roman 10 pt\n");
        std::printf("%-6s %7s %7s %9s %9s %7s %9s\n", "text", "chars", "lines", "measures", "per line",
                    "log2", "excess");
        const size_t lengths[] = {10, 30, 100, 300, 1000, 3000, 10000, 30000};
        for (size_t n : lengths)
            Row(ctrl, "words", Words(n));
        for (size_t n : lengths)
            Row(ctrl, "word", OneWord(n));
    }
    ::OleUninitialize();
    return 0;
}
