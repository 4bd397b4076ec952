// Time to draw a text object of 236 items in three label columns into an enhanced metafile,
// against the platform's own word wrap (DrawTextW with DT_WORDBREAK) of the same items into
// the same cells with the same fonts, measured side by side in one run. Then the cost of
// reading the lines alone: a text of blank lines, which the pass reads to the end without
// drawing; twice the lines should cost about twice the time.
#include "CDC.h"
#include "CountingMetaFileDC.h"
#include "QLNDefaultText.h"
#include "QLNFontHolderConversion.h"
#include "QLNStringTokenizer.h"
#include "TestTextControl.h"

#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int kItems = 236;
const CRect kBounds(0, 0, 900, 4000);
const int kColumns = 6;   // three logical columns, each a label and a value column

struct Item
{
    std::wstring label;
    std::wstring value;
};

std::vector<Item> Items()
{
    static const wchar_t* const kLabels[] = {L"Data file:", L"Retention time:", L"Sample amount injected:",
                                             L"Compound name:", L"Calibration level of the internal standard:",
                                             L"Area:", L"Quantitation ion m/z:", L"Operator:"};
    std::vector<Item> items;
    for (int i = 0; i < kItems; ++i) {
        wchar_t value[64];
        swprintf(value, 64, L"{Token%d}", i);
        items.push_back({kLabels[i % 8], value});
    }
    return items;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b)
{
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(b.QuadPart - a.QuadPart) / f.QuadPart;
}

// What a measured pass includes: the making, closing and deleting of its metafile, or the
// drawing alone. The metafile is made against a reference DC kept for the run, as the library's
// recording device keeps its printer's or hidden window's: without one the system makes a
// screen DC for every metafile, for which Wine sends its server some forty requests, and on a
// busy machine that wait, the same for both sides, can outweigh either drawing.
enum class Clock { WithDevice, DrawingOnly };
enum class Reference { Kept, None };

HDC ReferenceDC()
{
    static HDC hdc = ::CreateCompatibleDC(nullptr);
    return hdc;
}

template <typename Draw>
double Timed(Clock clock, Draw draw, Reference reference = Reference::Kept)
{
    LARGE_INTEGER t0, t1, t2, t3;
    ::QueryPerformanceCounter(&t0);
    HDC hdc = ::CreateEnhMetaFileW(reference == Reference::Kept ? ReferenceDC() : nullptr, nullptr, nullptr, nullptr);
    ::QueryPerformanceCounter(&t1);
    draw(hdc);
    ::QueryPerformanceCounter(&t2);
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hdc));
    ::QueryPerformanceCounter(&t3);
    return clock == Clock::WithDevice ? Seconds(t0, t3) : Seconds(t1, t2);
}

double Engine(TestTextControl& ctrl, Clock clock = Clock::WithDevice)
{
    return Timed(clock, [&ctrl](HDC hdc) {
        CDC dc;
        dc.Attach(hdc);
        ctrl.Draw(&dc, kBounds);
        dc.Detach();
    });
}

HFONT Font(CFontHolder& holder)
{
    LOGFONTW lf = {};
    QLNZoomFontHolderToLOGFONT(holder, 1.0, lf);
    return ::CreateFontIndirectW(&lf);
}

// The same cells: row-major, a label column then a value column of 150 pixels, each row as
// high as its taller cell; a font made per item, the engine keeping its fonts from pass to pass.
double Platform(TestTextControl& ctrl, const std::vector<Item>& items, Clock clock = Clock::WithDevice)
{
    return Timed(clock, [&ctrl, &items](HDC hdc) {
        const int w = kBounds.Width() / kColumns;
        int x = kBounds.left, y = kBounds.top, column = 0, rowHeight = 0;
        for (const Item& item : items) {
            if (column == kColumns) {
                x = kBounds.left;
                y += rowHeight;
                column = 0;
                rowHeight = 0;
            }
            const std::wstring* texts[] = {&item.label, &item.value};
            CFontHolder* fonts[] = {&ctrl.m_promptFont, &ctrl.m_valueFont};
            for (int k = 0; k < 2; ++k) {
                HFONT hFont = Font(*fonts[k]);
                HGDIOBJ hOld = ::SelectObject(hdc, hFont);
                RECT rc = {x, y, x + w, kBounds.bottom};
                const int h = ::DrawTextW(hdc, texts[k]->c_str(), -1, &rc, DT_LEFT | DT_TOP | DT_WORDBREAK);
                rowHeight = std::max(rowHeight, h);
                ::SelectObject(hdc, hOld);
                ::DeleteObject(hFont);
                x += w;
                ++column;
            }
        }
    });
}

// Processor time of the calling thread, in seconds: what a pass costs whatever else the
// machine runs. Wine counts it in scheduler ticks, so it is read over many passes.
double ThreadSeconds()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto hundredsOfNs = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    return (hundredsOfNs(kernel) + hundredsOfNs(user)) * 1e-7;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The fastest round: on a machine that others share, the one least interrupted.
double Best(const std::vector<double>& v)
{
    return *std::min_element(v.begin(), v.end());
}

// Where a pass's time goes: each step the pass takes per item, done alone for every item into
// an EMF, in microseconds for all of them (the median of a few rounds).
void Breakdown(TestTextControl& ctrl, const std::vector<Item>& items)
{
    LOGFONTW lf = {};
    QLNZoomFontHolderToLOGFONT(ctrl.m_promptFont, 1.0, lf);
    HFONT hFont = ::CreateFontIndirectW(&lf);
    std::vector<std::wstring> texts;
    for (const Item& item : items) {
        texts.push_back(item.label);
        texts.push_back(item.value);
    }
    struct Step
    {
        const char* name;
        void (*run)(TestTextControl&, HDC, const std::wstring&, int);
    };
    const Step steps[] = {
        {"reading and tokenizing the lines", [](TestTextControl& c, HDC, const std::wstring&, int i) {
             if (i % 2 == 0) {
                 const CString line = CQLNDefaultText::GetCustomizedLine(c.m_lines.GetLine(i / 2));
                 int nPrompts = 0, nValues = 0;
                 CQLNStringTokenizer::GetNumberOfPromptAndValue(line, nPrompts, nValues);
                 CQLNStringTokenizer tokenizer(line);
                 CString item;
                 BOOL bIsValue = FALSE;
                 while (tokenizer.GetNextString(item, bIsValue)) {
                 }
             }
         }},
        {"font description from the holder", [](TestTextControl& c, HDC, const std::wstring&, int i) {
             LOGFONTW lf = {};
             QLNZoomFontHolderToLOGFONT(i % 2 ? c.m_valueFont : c.m_promptFont, 1.0, lf);
         }},
        {"font made, selected, released", [](TestTextControl& c, HDC h, const std::wstring&, int i) {
             static LOGFONTW lf[2];
             if (lf[0].lfHeight == 0) {
                 QLNZoomFontHolderToLOGFONT(c.m_promptFont, 1.0, lf[0]);
                 QLNZoomFontHolderToLOGFONT(c.m_valueFont, 1.0, lf[1]);
             }
             HFONT f = ::CreateFontIndirectW(&lf[i % 2]);
             HGDIOBJ o = ::SelectObject(h, f);
             ::SelectObject(h, o);
             ::DeleteObject(f);
         }},
        {"text colour set", [](TestTextControl&, HDC h, const std::wstring&, int i) {
             ::SetTextColor(h, i % 2 ? RGB(0, 128, 0) : RGB(128, 0, 0));
         }},
        {"extent of the text", [](TestTextControl&, HDC h, const std::wstring& t, int) {
             SIZE size;
             ::GetTextExtentPoint32W(h, t.c_str(), static_cast<int>(t.size()), &size);
         }},
        {"extent with each prefix's width", [](TestTextControl&, HDC h, const std::wstring& t, int) {
             static int extents[256];
             SIZE size;
             ::GetTextExtentExPointW(h, t.c_str(), static_cast<int>(std::min<size_t>(t.size(), 256)), 0, nullptr,
                                     extents, &size);
         }},
        {"extent of \"A\"", [](TestTextControl&, HDC h, const std::wstring&, int) {
             SIZE size;
             ::GetTextExtentPoint32W(h, L"A", 1, &size);
         }},
        {"text metrics", [](TestTextControl&, HDC h, const std::wstring&, int) {
             TEXTMETRICW tm;
             ::GetTextMetricsW(h, &tm);
         }},
        {"DrawTextW, format 0", [](TestTextControl&, HDC h, const std::wstring& t, int i) {
             RECT rc = {(i % kColumns) * 150, i, (i % kColumns) * 150 + 150, i + 20};
             ::DrawTextW(h, t.c_str(), -1, &rc, 0);
         }},
        {"DrawTextW, DT_WORDBREAK", [](TestTextControl&, HDC h, const std::wstring& t, int i) {
             RECT rc = {(i % kColumns) * 150, i, (i % kColumns) * 150 + 150, kBounds.bottom};
             ::DrawTextW(h, t.c_str(), -1, &rc, DT_WORDBREAK);
         }},
        {"ExtTextOutW, clipped", [](TestTextControl&, HDC h, const std::wstring& t, int i) {
             RECT rc = {(i % kColumns) * 150, i, (i % kColumns) * 150 + 150, i + 20};
             ::ExtTextOutW(h, rc.left, rc.top, ETO_CLIPPED, &rc, t.c_str(), static_cast<UINT>(t.size()), nullptr);
         }},
        {"ExtTextOutW, clipped, given advances", [](TestTextControl&, HDC h, const std::wstring& t, int i) {
             static const std::vector<int> advances(256, 7);
             const int n = static_cast<int>(std::min<size_t>(t.size(), advances.size()));
             RECT rc = {(i % kColumns) * 150, i, (i % kColumns) * 150 + 150, i + 20};
             ::ExtTextOutW(h, rc.left, rc.top, ETO_CLIPPED, &rc, t.c_str(), static_cast<UINT>(n), advances.data());
         }},
        // Last: it leaves another font selected. The two fonts live as long as the program.
        {"font kept, selected", [](TestTextControl& c, HDC h, const std::wstring&, int i) {
             static HFONT kept[2];
             if (kept[0] == nullptr) {
                 LOGFONTW lf = {};
                 QLNZoomFontHolderToLOGFONT(c.m_promptFont, 1.0, lf);
                 kept[0] = ::CreateFontIndirectW(&lf);
                 QLNZoomFontHolderToLOGFONT(c.m_valueFont, 1.0, lf);
                 kept[1] = ::CreateFontIndirectW(&lf);
             }
             ::SelectObject(h, kept[i % 2]);
         }},
    };
    // Each round records into a metafile of its own, made and closed outside the clock, as a
    // pass does: one metafile for every round would grow its records and handle table far
    // beyond a pass's and charge the steps that write records for it.
    std::printf("\nwhere the time goes: each step for all %u items into an EMF, median of 15\n",
                static_cast<unsigned>(texts.size()));
    for (const Step& step : steps) {
        std::vector<double> rounds;
        for (int r = 0; r < 15; ++r) {
            HDC hdc = ::CreateEnhMetaFileW(ReferenceDC(), nullptr, nullptr, nullptr);
            HGDIOBJ hOld = ::SelectObject(hdc, hFont);
            LARGE_INTEGER t0, t1;
            ::QueryPerformanceCounter(&t0);
            for (size_t i = 0; i < texts.size(); ++i)
                step.run(ctrl, hdc, texts[i], static_cast<int>(i));
            ::QueryPerformanceCounter(&t1);
            rounds.push_back(Seconds(t0, t1));
            ::SelectObject(hdc, hOld);
            ::DeleteEnhMetaFile(::CloseEnhMetaFile(hdc));
        }
        std::printf("  %-36s %8.0f us\n", step.name, Median(rounds) * 1e6);
    }
    ::DeleteObject(hFont);
}

// Milliseconds for one pass over nLines blank lines, the best of 7: single runs on a busy
// machine vary by half.
double BlankLines(TestTextControl& ctrl, int nLines)
{
    std::wstring lines;
    for (int i = 1; i < nLines; ++i)
        lines += L"\r\n";
    ctrl.SetLines(lines.c_str());
    double best = -1;
    for (int run = 0; run < 7; ++run) {
        const double t = Engine(ctrl) * 1000;
        if (best < 0 || t < best)
            best = t;
    }
    return best;
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
        const std::vector<Item> items = Items();
        std::wstring lines;
        for (const Item& item : items)
            lines += item.label + L" " + item.value + L"\r\n";
        lines.resize(lines.size() - 2);
        ctrl.SetLines(lines.c_str());
        ctrl.m_engine.m_fnResetColumnWidths(3, 1, 1);

        const int kRounds = 40;
        std::vector<double> engine, platform, engineDrawing, platformDrawing, device, screenDevice;
        Engine(ctrl);                 // warm the font cache for both
        Platform(ctrl, items);
        for (int i = 0; i < kRounds; ++i) {
            engine.push_back(Engine(ctrl));
            platform.push_back(Platform(ctrl, items));
            engineDrawing.push_back(Engine(ctrl, Clock::DrawingOnly));
            platformDrawing.push_back(Platform(ctrl, items, Clock::DrawingOnly));
            device.push_back(Timed(Clock::WithDevice, [](HDC) {}));
            screenDevice.push_back(Timed(Clock::WithDevice, [](HDC) {}, Reference::None));
        }
        const double e = Median(engine) * 1000, p = Median(platform) * 1000;
        const double ed = Median(engineDrawing) * 1000, pd = Median(platformDrawing) * 1000;
        const double eb = Best(engine) * 1000, pb = Best(platform) * 1000;
        const double edb = Best(engineDrawing) * 1000, pdb = Best(platformDrawing) * 1000;
        std::printf("236 items, three label columns, 900 px, into an EMF; median (best) of %d rounds\n", kRounds);
        std::printf("engine (halving fit, word breaks):   %8.3f ms (%.3f)\n", e, eb);
        std::printf("platform DrawTextW DT_WORDBREAK:     %8.3f ms (%.3f)\n", p, pb);
        std::printf("ratio engine / platform:             %8.3f    (%.3f)\n", e / p, eb / pb);
        std::printf("\nthe same, the metafile made beforehand: the drawing alone\n");
        std::printf("engine:                              %8.3f ms (%.3f)\n", ed, edb);
        std::printf("platform:                            %8.3f ms (%.3f)\n", pd, pdb);
        std::printf("ratio engine / platform:             %8.3f    (%.3f)\n", ed / pd, edb / pdb);
        std::printf("metafile made, closed, deleted:      %8.3f ms (%.3f), in both passes above\n", Median(device) * 1000,
                    Best(device) * 1000);
        std::printf("the same without a reference DC:     %8.3f ms (%.3f)\n", Median(screenDevice) * 1000,
                    Best(screenDevice) * 1000);

        const int kCpuRounds = 200;
        const double c0 = ThreadSeconds();
        for (int i = 0; i < kCpuRounds; ++i)
            Engine(ctrl);
        const double c1 = ThreadSeconds();
        for (int i = 0; i < kCpuRounds; ++i)
            Platform(ctrl, items);
        const double c2 = ThreadSeconds();
        std::printf("\nprocessor time of the passes with their metafiles, mean of %d\n", kCpuRounds);
        std::printf("engine:                              %8.3f ms\n", (c1 - c0) * 1000 / kCpuRounds);
        std::printf("platform:                            %8.3f ms\n", (c2 - c1) * 1000 / kCpuRounds);
        std::printf("ratio engine / platform:             %8.3f\n", (c1 - c0) / (c2 - c1));

        CountingMetaFileDC counting;
        counting.CreateEnhanced(nullptr, nullptr, nullptr, nullptr);
        ctrl.Draw(&counting, kBounds);
        ::DeleteEnhMetaFile(counting.CloseEnhanced());
        std::printf("\na pass measures %d times and draws %d pieces for the %u items\n", counting.m_nMeasured,
                    counting.m_nDrawn, static_cast<unsigned>(2 * items.size()));
        Breakdown(ctrl, items);

        const double b5 = BlankLines(ctrl, 5000), b10 = BlankLines(ctrl, 10000), b20 = BlankLines(ctrl, 20000);
        std::printf("\nblank lines read by one pass, best of 7\n");
        std::printf("   5000 lines: %8.1f ms\n", b5);
        std::printf("  10000 lines: %8.1f ms\n", b10);
        std::printf("  20000 lines: %8.1f ms\n", b20);
        std::printf("  ratio 20000 / 10000: %.2f\n", b20 / b10);
    }
    ::OleUninitialize();
    return 0;
}
