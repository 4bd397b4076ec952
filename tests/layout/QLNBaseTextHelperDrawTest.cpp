// The drawing pass on real output: each layout is recorded into an enhanced metafile and read
// back record by record. Expected positions come from the same fonts measured on the screen.
#include "QLNBaseTextHelper.h"

#include "CEdit.h"
#include "CInvalidArgException.h"
#include "CMetaFileDC.h"
#include "CountingMetaFileDC.h"
#include "EmfScan.h"
#include "QLNBaseLibrary.h"
#include "QLNFontHolderConversion.h"
#include "TestTextControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace {

SIZE Extent(CFontHolder& holder, const wchar_t* psz)
{
    LOGFONTW lf = {};
    QLNZoomFontHolderToLOGFONT(holder, 1.0, lf);
    HDC hdc = ::GetDC(nullptr);
    HFONT hFont = ::CreateFontIndirectW(&lf);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, psz, static_cast<int>(wcslen(psz)), &size);
    ::DeleteObject(::SelectObject(hdc, hOld));
    ::ReleaseDC(nullptr, hdc);
    return size;
}

// "text@x,y|": where a text was drawn, for tables of expected layouts.
std::wstring At(const std::wstring& text, long x, long y)
{
    return text + L"@" + std::to_wstring(x) + L"," + std::to_wstring(y) + L"|";
}

// Every text drawn, its kind told by its colour: p(rompt), v(alue), h(eading), or the marker's.
std::wstring Describe(const EmfScan& scan)
{
    std::wstring out;
    for (const EmfText& t : scan.texts) {
        const wchar_t* kind = t.colour == TestTextControl::kPromptColour  ? L"p:"
                              : t.colour == TestTextControl::kValueColour ? L"v:"
                              : t.colour == TestTextControl::kHeadingColour ? L"h:" : L"";
        out += At(kind + t.text, t.ref.x, t.ref.y);
    }
    return out;
}

// Reads a recording back and disposes of it.
EmfScan Scan(HENHMETAFILE hemf)
{
    EXPECT_NE(nullptr, hemf);
    EmfScan scan(hemf);
    ::DeleteEnhMetaFile(hemf);
    return scan;
}

class EngineDraw : public testing::Test
{
protected:
    // The marker's text is a string of the library, found through the resource chain as a
    // report-object library would have linked it.
    static void SetUpTestSuite() { QLV_BaseLibInit(); }
    void SetUp() override { ASSERT_TRUE(ctrl->Place(600, 400)); }
    // Records the lines drawn into bounds and reads the recording back.
    EmfScan Draw(const wchar_t* lines, const CRect& bounds = CRect(0, 0, 600, 400))
    {
        ctrl->SetLines(lines);
        return Scan(ctrl->Record(bounds));
    }
    void Columns(int n, int labels = 1, short labelSpacing = 0) { ctrl->m_engine.m_fnResetColumnWidths(n, labels, labelSpacing); }
    int Height(CFontHolder& holder) { return Extent(holder, L"A").cy; }

    std::unique_ptr<TestTextControl> ctrl = std::make_unique<TestTextControl>();
};

// Where lines go is the planner's (its own table); here the placements reach the device in the
// real fonts, each kind of text in its colour, and rows of empty cells are as high as "AAA" in
// the font the DC has when the pass begins.
TEST_F(EngineDraw, PlacementsAreDrawnInTheRealFonts)
{
    const int rtw = Extent(ctrl->m_promptFont, L"RT:").cx;
    const int headed = std::max({Height(ctrl->m_promptFont), Height(ctrl->m_valueFont), Height(ctrl->m_headingFont)});
    // Six columns of 100: the pair apart, a heading over 2 and 3, two values sharing 4 and 5,
    // a flowing line over a label and a value column on the next row.
    Columns(3, 1, 1);
    EXPECT_EQ(At(L"p:Data file:", 0, 0) + At(L"v:{Data File}", 100, 0) + At(L"h:Heading:", 200, 0) + At(L"v:{A}", 400, 0) +
                  At(L"v:{B}", 400 + Extent(ctrl->m_valueFont, L"{A}").cx, 0) + At(L"p:RT:", 0, headed) +
                  At(L"v:{RT}", rtw, headed) + At(L"p:min", rtw + Extent(ctrl->m_valueFont, L"{RT}").cx, headed),
              Describe(Draw(L"Data file: {Data File}\r\nHeading:\r\n{A}{B}\r\nRT: {RT} min")));
    Columns(3, 1, 0);
    EXPECT_EQ(At(L"v:{RT}", 0, Extent(ctrl->m_defaultFont, L"AAA").cy), Describe(Draw(L"\r\n\r\n\r\n{RT}")));
}

TEST_F(EngineDraw, EachKindHasItsFontAndAreaEvenInHugeBounds)
{
    Columns(3, 1, 1);
    const wchar_t* const lines = L"Data file: {Data File}\r\nHeading:\r\n{A}{B}\r\nRT: {RT} min";
    const EmfScan scan = Draw(lines);
    ASSERT_EQ(8u, scan.texts.size()) << Describe(scan);
    // Prompt, value, heading faces; the heading's area spans two columns, the second of two
    // values one, a flowing line two.
    const auto faces = [](const EmfScan& s) {
        std::wstring got;
        for (size_t i : {0, 1, 2})
            got += s.texts.size() > i ? s.texts[i].face + L"|" : L"?|";
        return got;
    };
    EXPECT_EQ(L"Liberation Serif|Liberation Mono|Liberation Sans|", faces(scan));
    EXPECT_EQ(CPoint(400, 500), CPoint(scan.texts[2].clip.right, scan.texts[4].clip.right));
    EXPECT_EQ(200, scan.texts[5].clip.right);
    // Fonts are kept from pass to pass, but not past a change of their properties.
    ctrl->m_valueFont.SetFontName(L"Liberation Sans");
    EXPECT_EQ(L"Liberation Serif|Liberation Sans|Liberation Sans|", faces(Draw(lines)));
    ctrl->m_engine.m_fnOnInPlaceEdit(1);
    EXPECT_EQ(8u, Draw(lines, CRect(INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2)).texts.size()) << "no overflow";
}

TEST_F(EngineDraw, InPlaceEditingDrawsTheBordersWithGrabHandles)
{
    Columns(3);
    EmfScan scan = Draw(L"{RT}");
    EXPECT_TRUE(scan.lines.empty() && scan.fills.empty()) << "none outside in-place editing";
    ctrl->m_engine.m_fnOnInPlaceEdit(1);
    scan = Draw(L"", CRect(10, 20, 610, 420));
    EXPECT_TRUE(scan.texts.empty());
    EXPECT_EQ(2, scan.selectsOfStockBlackPen);
    // Border k is the right edge of column k, offset by the bounds' left edge; three handles per
    // border, six pixels square: middle, top and bottom.
    std::wstring lines, fills;
    for (const EmfLine& l : scan.lines)
        lines += At(L"", l.from.x, l.from.y) + At(L"", l.to.x, l.to.y);
    for (const EmfFill& f : scan.fills)
        fills += At(f.colour == RGB(146, 213, 208) ? L"" : L"?", f.rect.left, f.rect.top) + At(L"", f.rect.right, f.rect.bottom);
    EXPECT_EQ(L"@210,20|@210,420|@410,20|@410,420|", lines);
    EXPECT_EQ(L"@207,217|@213,223|@207,20|@213,26|@207,414|@213,420|@407,217|@413,223|@407,20|@413,26|@407,414|@413,420|", fills);
    // One column has no interior border.
    Columns(1);
    EXPECT_TRUE(Draw(L"{A}").lines.empty());
}

TEST_F(EngineDraw, WordWiderThanItsCellIsSplitWithoutLoss)
{
    Columns(1);
    const std::wstring word = L"{ABCDEFGHIJKLMNOPQRSTUVWXYZ}";
    const EmfScan scan = Draw(word.c_str(), CRect(0, 0, 60, 400));
    ASSERT_GT(scan.texts.size(), 2u);
    std::wstring joined;
    for (size_t i = 0; i < scan.texts.size(); ++i) {
        EXPECT_EQ(static_cast<LONG>(i) * Height(ctrl->m_valueFont), scan.texts[i].ref.y);
        EXPECT_EQ(60, scan.texts[i].clip.right) << "each piece clipped at the cell's right edge";
        joined += scan.texts[i].text;
    }
    EXPECT_EQ(word, joined);
}

TEST_F(EngineDraw, MarkerFollowsTheLineThatFilledTheBounds)
{
    Columns(1);
    const int y = 40 - Extent(ctrl->m_defaultFont, L"(More...)").cy;
    EmfScan scan = Draw(L"{A}\r\n{B}\r\n{C}\r\n{D}", CRect(5, 0, 305, 40));
    const EmfText* pMore = scan.Find(L"(More...)");
    ASSERT_NE(nullptr, pMore) << Describe(scan);
    EXPECT_EQ(CPoint(5, y), CPoint(pMore->ref));
    EXPECT_EQ(ETO_OPAQUE, pMore->options & (ETO_OPAQUE | ETO_CLIPPED));
    EXPECT_EQ(CPoint(305, 0), CPoint(pMore->clip.right, static_cast<int>(pMore->colour)));
    EXPECT_EQ(nullptr, scan.Find(L"{D}")) << "the lines after it are not read";

    scan = Draw(L"{A}\r\n{B}\r\n{C}", CRect(0, 0, 30, 20));
    pMore = scan.Find(L"(More...)");
    ASSERT_NE(nullptr, pMore) << Describe(scan);
    EXPECT_EQ(ETO_CLIPPED, pMore->options & (ETO_OPAQUE | ETO_CLIPPED)) << "bounds narrower than the marker";

    // Blank lines alone run past the bottom without a marker; the first text below raises it,
    // itself outside the bounds.
    std::wstring lines;
    for (int i = 0; i < 20; ++i)
        lines += L"\r\n";
    EXPECT_EQ(L"", Describe(Draw(lines.c_str(), CRect(0, 0, 300, 40))));
    EXPECT_EQ(At(L"(More...)", 0, y), Describe(Draw((lines + L"{Z}").c_str(), CRect(0, 0, 300, 40))));
}

TEST_F(EngineDraw, ZoomScalesEveryFontAndDamagedZoomStillDraws)
{
    Columns(1);
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    // Zooms no user sets draw at 1, and a huge one at the largest zoom, 100: bounds to fit that.
    const struct { double zoom, drawnAt; } rows[] = {{2.0, 2.0}, {nan, 1.0}, {-3.0, 1.0}, {0.0, 1.0}, {inf, 1.0}, {1e300, 100.0}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.zoom);
        LOGFONTW lf = {};
        QLNZoomFontHolderToLOGFONT(ctrl->m_valueFont, r.drawnAt, lf);
        ctrl->m_engine.m_fnSetZoom(r.zoom);
        const EmfScan scan = Draw(L"{RT}", CRect(0, 0, 40000, 40000));
        ASSERT_EQ(At(L"v:{RT}", 0, 0), Describe(scan));
        EXPECT_EQ(lf.lfHeight, scan.texts[0].height);
    }
}

TEST_F(EngineDraw, IncompleteCallsDrawNothingAndKeepThePreviousFonts)
{
    ctrl->SetLines(L"{RT}");
    CMetaFileDC dc;
    ASSERT_TRUE(dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
    const CRect bounds(0, 0, 300, 100);
    EXPECT_EQ(0, ctrl->m_engine.m_fnOnDraw(&dc, bounds, CRect(), ctrl->m_lines)) << "fonts never handed over";
    EXPECT_THROW(ctrl->Draw(&dc, bounds), CInvalidArgException) << "no columns";
    Columns(1);
    CFontHolder other(nullptr);
    other.InitializeFont();
    EXPECT_EQ(0, ctrl->m_engine.m_fnSetFonts(0, &other, &other, 0, &other, 0, &other, 0, nullptr, 0));
    EXPECT_EQ(0, ctrl->m_engine.m_fnOnDraw(nullptr, bounds, CRect(), ctrl->m_lines));
    // A null edit control, written as code that knows the edit form alone writes it.
    EXPECT_EQ(0, ctrl->m_engine.m_fnOnDraw(&dc, bounds, CRect(), nullptr));
    CEdit noWindow;
    EXPECT_EQ(0, ctrl->m_engine.m_fnOnDraw(&dc, bounds, CRect(), &noWindow));
    EXPECT_EQ(1, ctrl->m_engine.m_fnOnDraw(&dc, bounds, CRect(), ctrl->m_lines));
    const EmfScan scan = Scan(dc.CloseEnhanced());
    ASSERT_EQ(1u, scan.texts.size()) << Describe(scan);
    EXPECT_EQ(L"Liberation Mono", scan.texts[0].face);
}

// A report object that keeps its lines in an edit window of its own hands the engine that window:
// its text is cut at carriage return plus line feed only, as the control's lines are, although
// the window itself also breaks at a lone line feed.
TEST_F(EngineDraw, AnEditWindowsTextIsDrawnCutAsTheControlsLines)
{
    Columns(2);
    const wchar_t* text = L"Results\r\nAmount: {A}\nB\r\nVial: {V}\r\r\n{RT}\r\n";
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY | ES_WANTRETURN,
                            CRect(0, 0, 100, 100), ctrl.get(), 1));
    edit.SetWindowText(text);
    EXPECT_EQ(6, edit.GetLineCount()) << "the window's own lines";
    const std::wstring byLines = Describe(Draw(text));
    ctrl->SetLines(L"");
    ctrl->m_pEdit = &edit;
    const std::wstring byEdit = Describe(Scan(ctrl->Record(CRect(0, 0, 600, 400))));
    ctrl->m_pEdit = nullptr;
    EXPECT_NE(std::wstring::npos, byLines.find(L"v:{A}@")) << byLines;
    EXPECT_NE(std::wstring::npos, byLines.find(L"|p:B@")) << "after a lone line feed, the line goes on: " << byLines;
    EXPECT_EQ(byLines, byEdit);
}

TEST_F(EngineDraw, LongLineIsMeasuredByHalving)
{
    Columns(1);
    std::wstring line = L"{";
    while (line.size() < 3000)
        line += L"lorem ipsum dolor sit amet consectetur ";
    const auto measure = [&](const wchar_t* lines, CountingMetaFileDC& dc, int height) {
        ctrl->SetLines(lines);
        ASSERT_TRUE(dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
        ctrl->Draw(&dc, CRect(0, 0, 300, height));
        ::DeleteEnhMetaFile(dc.CloseEnhanced());
    };
    CountingMetaFileDC dc, dcShort;
    measure(line.c_str(), dc, 100000);
    ASSERT_GT(dc.m_nDrawn, 10);
    // Per text line at most the halving of the whole remaining text (12 steps for 3000
    // characters) and one more; "AAA" and "A" once per pass and per item.
    const int perLine = static_cast<int>(std::ceil(std::log2(static_cast<double>(line.size())))) + 1;
    EXPECT_LE(dc.m_nMeasured, 2 + dc.m_nDrawn * perLine);
    measure(L"{RT}", dcShort, 100);
    EXPECT_EQ(3, dcShort.m_nMeasured) << "a short item that fits, beside \"AAA\" and \"A\"";
}

} // namespace
