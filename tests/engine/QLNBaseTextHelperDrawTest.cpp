// The drawing pass on real output: each layout is recorded into an enhanced metafile and read
// back record by record. Expected positions come from the same fonts measured on the screen.
#include "QLNBaseTextHelper.h"

#include "CInvalidArgException.h"
#include "CMetaFileDC.h"
#include "CountingMetaFileDC.h"
#include "EmfScan.h"
#include "QLNBaseLibrary.h"
#include "QLNFontConversion.h"
#include "TestTextControl.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

SIZE Extent(CFontHolder& holder, const wchar_t* psz, double dZoom = 1.0)
{
    LOGFONTW lf = {};
    QLNZoomFontHolderToLOGFONT(holder, dZoom, lf);
    HDC hdc = ::GetDC(nullptr);
    HFONT hFont = ::CreateFontIndirectW(&lf);
    HGDIOBJ hOld = ::SelectObject(hdc, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32W(hdc, psz, static_cast<int>(wcslen(psz)), &size);
    ::SelectObject(hdc, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(nullptr, hdc);
    return size;
}

class EngineDraw : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        // The marker's text is a string of the library, found through the resource chain as a
        // report-object library would have linked it.
        QLV_BaseLibInit();
    }
    void SetUp() override
    {
        ctrl = std::make_unique<TestTextControl>();
        ASSERT_TRUE(ctrl->Place(600, 400));
    }
    // Records the lines drawn into bounds and reads the recording back.
    EmfScan Draw(const wchar_t* lines, const CRect& bounds = CRect(0, 0, 600, 400))
    {
        ctrl->SetLines(lines);
        HENHMETAFILE hemf = ctrl->Record(bounds);
        EXPECT_NE(nullptr, hemf);
        EmfScan scan(hemf);
        ::DeleteEnhMetaFile(hemf);
        return scan;
    }
    int Height(CFontHolder& holder) { return Extent(holder, L"A").cy; }

    std::unique_ptr<TestTextControl> ctrl;
};

TEST_F(EngineDraw, NoLinesStoresBordersAndDrawsThemInPlace)
{
    ctrl->m_engine.m_fnResetColumnWidths(3, 1, 0);
    ctrl->m_engine.m_fnOnInPlaceEdit(1);
    const EmfScan scan = Draw(L"", CRect(10, 20, 610, 420));
    EXPECT_TRUE(scan.texts.empty()) << scan.TextList();
    // Border k is the right edge of column k, offset by the bounds' left edge when drawn.
    ASSERT_EQ(2u, scan.lines.size());
    EXPECT_EQ(210, scan.lines[0].from.x);
    EXPECT_EQ(20, scan.lines[0].from.y);
    EXPECT_EQ(210, scan.lines[0].to.x);
    EXPECT_EQ(420, scan.lines[0].to.y);
    EXPECT_EQ(410, scan.lines[1].from.x);
    EXPECT_EQ(2, scan.selectsOfStockBlackPen);
    // Three grab handles per border: middle, top and bottom, six pixels square.
    ASSERT_EQ(6u, scan.fills.size()) ;
    const RECT expected[] = {{207, 217, 213, 223}, {207, 20, 213, 26}, {207, 414, 213, 420}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(expected[i].left, scan.fills[i].rect.left) << i;
        EXPECT_EQ(expected[i].top, scan.fills[i].rect.top) << i;
        EXPECT_EQ(expected[i].right, scan.fills[i].rect.right) << i;
        EXPECT_EQ(expected[i].bottom, scan.fills[i].rect.bottom) << i;
        EXPECT_EQ(RGB(146, 213, 208), scan.fills[i].colour) << i;
    }
}

TEST_F(EngineDraw, BordersAreNotDrawnOutsideInPlaceEditing)
{
    ctrl->m_engine.m_fnResetColumnWidths(3, 1, 0);
    const EmfScan scan = Draw(L"{RT}");
    EXPECT_TRUE(scan.lines.empty());
    EXPECT_TRUE(scan.fills.empty());
}

TEST_F(EngineDraw, OneColumnPutsEveryCellOnANewRow)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    ctrl->m_engine.m_fnOnInPlaceEdit(1);
    const EmfScan scan = Draw(L"{A}\r\n{B}\r\n{C}");
    ASSERT_EQ(3u, scan.texts.size()) << scan.TextList();
    const int h = Height(ctrl->m_valueFont);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(0, scan.texts[i].ref.x);
        EXPECT_EQ(i * h, scan.texts[i].ref.y);
    }
    // One column has no interior border.
    EXPECT_TRUE(scan.lines.empty());
}

TEST_F(EngineDraw, JoinedPairBlankAndFlowingLineFillOneRow)
{
    ctrl->m_engine.m_fnResetColumnWidths(3, 1, 0);
    const EmfScan scan = Draw(L"Data file: {Data File}\r\n\r\n{Data File}\r\n{RT}");
    ASSERT_EQ(4u, scan.texts.size()) << scan.TextList();
    // The label at the cell start in the prompt font and colour, its trailing blank not drawn.
    EXPECT_EQ(L"Data file:", scan.texts[0].text);
    EXPECT_EQ(0, scan.texts[0].ref.x);
    EXPECT_EQ(0, scan.texts[0].ref.y);
    EXPECT_EQ(L"Liberation Serif", scan.texts[0].face);
    EXPECT_EQ(RGB(128, 0, 0), scan.texts[0].colour);
    // The value goes on directly after the label's text, on the same text line.
    EXPECT_EQ(L"{Data File}", scan.texts[1].text);
    EXPECT_EQ(Extent(ctrl->m_promptFont, L"Data file:").cx, scan.texts[1].ref.x);
    EXPECT_EQ(0, scan.texts[1].ref.y);
    EXPECT_EQ(L"Liberation Mono", scan.texts[1].face);
    EXPECT_EQ(RGB(0, 128, 0), scan.texts[1].colour);
    // The blank line took column 1; the lone value flows in column 2.
    EXPECT_EQ(400, scan.texts[2].ref.x);
    EXPECT_EQ(0, scan.texts[2].ref.y);
    // A fourth line starts the second row, below the tallest text of the first.
    const int rowHeight = std::max(Height(ctrl->m_promptFont), Height(ctrl->m_valueFont));
    EXPECT_EQ(0, scan.texts[3].ref.x);
    EXPECT_EQ(rowHeight, scan.texts[3].ref.y);
}

TEST_F(EngineDraw, DataLabelsOffDrawOnlyTheValueAtTheCellStart)
{
    ctrl->m_engine.m_fnResetColumnWidths(3, 0, 0);
    const EmfScan scan = Draw(L"Data file: {Data File}\r\n{RT}");
    ASSERT_EQ(2u, scan.texts.size()) << scan.TextList();
    EXPECT_EQ(L"{Data File}", scan.texts[0].text);
    EXPECT_EQ(0, scan.texts[0].ref.x);
    EXPECT_EQ(200, scan.texts[1].ref.x);
}

TEST_F(EngineDraw, LabelColumnsSeparateThePairAndHeadingsSpanTwoColumns)
{
    ctrl->m_engine.m_fnResetColumnWidths(3, 1, 1);   // six columns of 100
    const EmfScan scan = Draw(L"Data file: {Data File}\r\nHeading:\r\n{A}{B}\r\nRT: {RT} min");
    ASSERT_EQ(8u, scan.texts.size()) << scan.TextList();
    EXPECT_EQ(0, scan.texts[0].ref.x);
    EXPECT_EQ(100, scan.texts[1].ref.x);
    // The heading: heading font and colour, one area over columns 2 and 3.
    EXPECT_EQ(L"Heading:", scan.texts[2].text);
    EXPECT_EQ(200, scan.texts[2].ref.x);
    EXPECT_EQ(400, scan.texts[2].clip.right);
    EXPECT_EQ(L"Liberation Sans", scan.texts[2].face);
    EXPECT_EQ(RGB(0, 0, 128), scan.texts[2].colour);
    // Two values share columns 4 and 5, both drawn in an area one column wide.
    EXPECT_EQ(400, scan.texts[3].ref.x);
    EXPECT_EQ(400 + Extent(ctrl->m_valueFont, L"{A}").cx, scan.texts[4].ref.x);
    EXPECT_EQ(500, scan.texts[4].clip.right);
    // A flowing line on the next row, over a label and a value column.
    EXPECT_EQ(L"RT:", scan.texts[5].text);
    EXPECT_EQ(0, scan.texts[5].ref.x);
    EXPECT_GT(scan.texts[5].ref.y, 0);
    EXPECT_EQ(200, scan.texts[5].clip.right);
}

TEST_F(EngineDraw, HeadingsAreDrawnWithDataLabelsOff)
{
    ctrl->m_engine.m_fnResetColumnWidths(2, 0, 1);
    const EmfScan scan = Draw(L"Heading:");
    ASSERT_EQ(1u, scan.texts.size());
    EXPECT_EQ(L"Liberation Sans", scan.texts[0].face);
}

TEST_F(EngineDraw, AllBlankRowIsTheDefaultRowHigh)
{
    ctrl->m_engine.m_fnResetColumnWidths(3, 1, 0);
    const EmfScan scan = Draw(L"\r\n\r\n\r\n{RT}");
    ASSERT_EQ(1u, scan.texts.size());
    // "AAA" in the font selected when the pass begins: the control's default font.
    EXPECT_EQ(Extent(ctrl->m_defaultFont, L"AAA").cy, scan.texts[0].ref.y);
    // Every blank line selected the default font.
    int defaults = 0;
    for (const LOGFONTW& lf : scan.fontsCreated)
        defaults += wcscmp(lf.lfFaceName, L"Times New Roman") == 0;
    EXPECT_GE(defaults, 3);
}

TEST_F(EngineDraw, BlankSpacesLineTakesACellWithoutHeight)
{
    ctrl->m_engine.m_fnResetColumnWidths(3, 1, 0);
    // The first row starts from row height 0 and lines of blanks do not raise it.
    const EmfScan scan = Draw(L"   \r\n   \r\n   \r\n{RT}");
    ASSERT_EQ(1u, scan.texts.size());
    EXPECT_EQ(0, scan.texts[0].ref.x);
    EXPECT_EQ(0, scan.texts[0].ref.y);
}

TEST_F(EngineDraw, VerticalSpacingScalesTheRowHeight)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    const int h = Height(ctrl->m_valueFont);
    const struct { short spacing; int expected; } rows[] = {{0, h}, {1, h + h / 2}, {2, 2 * h}, {-1, 2 * h}};
    for (const auto& row : rows) {
        ctrl->m_nSpacing = row.spacing;
        const EmfScan scan = Draw(L"{A}\r\n{B}");
        ASSERT_EQ(2u, scan.texts.size());
        EXPECT_EQ(row.expected, scan.texts[1].ref.y) << "spacing " << row.spacing;
    }
}

TEST_F(EngineDraw, WordWiderThanItsCellIsSplitWithoutLoss)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    const std::wstring word = L"{ABCDEFGHIJKLMNOPQRSTUVWXYZ}";
    const EmfScan scan = Draw(word.c_str(), CRect(0, 0, 60, 400));
    ASSERT_GT(scan.texts.size(), 2u);
    std::wstring joined;
    const int h = Height(ctrl->m_valueFont);
    for (size_t i = 0; i < scan.texts.size(); ++i) {
        EXPECT_FALSE(scan.texts[i].text.empty());
        EXPECT_EQ(static_cast<LONG>(i) * h, scan.texts[i].ref.y);
        // Each piece clipped at the cell's right edge.
        EXPECT_EQ(60, scan.texts[i].clip.right);
        joined += scan.texts[i].text;
    }
    EXPECT_EQ(word, joined);
}

TEST_F(EngineDraw, MarkerFollowsTheLineThatFilledTheBounds)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    const EmfScan scan = Draw(L"{A}\r\n{B}\r\n{C}\r\n{D}", CRect(5, 0, 305, 40));
    const EmfText* pMore = scan.Find(L"(More...)");
    ASSERT_NE(nullptr, pMore) << scan.TextList();
    const int mh = Extent(ctrl->m_defaultFont, L"(More...)").cy;
    EXPECT_EQ(5, pMore->ref.x);
    EXPECT_EQ(40 - mh, pMore->ref.y);
    EXPECT_EQ(ETO_OPAQUE, pMore->options & (ETO_OPAQUE | ETO_CLIPPED));
    EXPECT_EQ(305, pMore->clip.right);
    EXPECT_EQ(0u, pMore->colour);
    // The lines after the one that filled the bounds are not read.
    EXPECT_EQ(nullptr, scan.Find(L"{D}"));
}

TEST_F(EngineDraw, MarkerIsClippedWhenTheBoundsAreNarrowerThanIt)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    const EmfScan scan = Draw(L"{A}\r\n{B}\r\n{C}", CRect(0, 0, 30, 20));
    const EmfText* pMore = scan.Find(L"(More...)");
    ASSERT_NE(nullptr, pMore) << scan.TextList();
    EXPECT_EQ(ETO_CLIPPED, pMore->options & (ETO_OPAQUE | ETO_CLIPPED));
}

TEST_F(EngineDraw, NoMarkerWhileEveryLineWasBlank)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    std::wstring lines;
    for (int i = 0; i < 20; ++i)
        lines += L"\r\n";
    // Blank lines alone run past the bottom without a marker.
    EXPECT_TRUE(Draw(lines.c_str(), CRect(0, 0, 300, 40)).texts.empty());
    // The first text below the bottom raises it; the text itself lies outside the bounds.
    lines += L"{Z}";
    const EmfScan scan = Draw(lines.c_str(), CRect(0, 0, 300, 40));
    ASSERT_EQ(1u, scan.texts.size()) << scan.TextList();
    EXPECT_EQ(L"(More...)", scan.texts[0].text);
}

TEST_F(EngineDraw, ZoomScalesEveryFont)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    ctrl->m_engine.m_fnSetZoom(2.0);
    const EmfScan scan = Draw(L"{RT}");
    ASSERT_EQ(1u, scan.texts.size());
    EXPECT_EQ(-26, scan.texts[0].height);
}

TEST_F(EngineDraw, ZoomFromDamagedDataStillDraws)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    const double zooms[] = {std::numeric_limits<double>::quiet_NaN(), -3.0, 0.0, 1e300,
                            std::numeric_limits<double>::infinity()};
    for (double zoom : zooms) {
        ctrl->m_engine.m_fnSetZoom(zoom);
        const EmfScan scan = Draw(L"{RT}");
        ASSERT_EQ(1u, scan.texts.size()) << zoom;
        EXPECT_NE(0, scan.texts[0].height) << zoom;
        EXPECT_LE(std::abs(scan.texts[0].height), 16384) << zoom;
    }
}

TEST_F(EngineDraw, MissingPiecesDrawNothing)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    ctrl->SetLines(L"{RT}");
    CMetaFileDC dc;
    ASSERT_TRUE(dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
    // Fonts never handed over.
    EXPECT_EQ(0, ctrl->m_engine.m_fnOnDraw(&dc, CRect(0, 0, 100, 100), CRect(), &ctrl->m_lines));
    EXPECT_EQ(1, ctrl->m_engine.m_fnSetFonts(0, &ctrl->m_defaultFont, &ctrl->m_titleFont, 0, &ctrl->m_headingFont,
                                              0, &ctrl->m_promptFont, 0, &ctrl->m_valueFont, 0));
    EXPECT_EQ(0, ctrl->m_engine.m_fnOnDraw(nullptr, CRect(0, 0, 100, 100), CRect(), &ctrl->m_lines));
    EXPECT_EQ(0, ctrl->m_engine.m_fnOnDraw(&dc, CRect(0, 0, 100, 100), CRect(), nullptr));
    HENHMETAFILE hemf = dc.CloseEnhanced();
    EmfScan scan(hemf);
    ::DeleteEnhMetaFile(hemf);
    EXPECT_TRUE(scan.texts.empty());
}

TEST_F(EngineDraw, NullFontKeepsThePreviousFonts)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    ctrl->SetLines(L"{RT}");
    CMetaFileDC dc;
    ASSERT_TRUE(dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(1, ctrl->m_engine.m_fnSetFonts(0, &ctrl->m_defaultFont, &ctrl->m_titleFont, 0, &ctrl->m_headingFont,
                                              0, &ctrl->m_promptFont, 0, &ctrl->m_valueFont, 0));
    CFontHolder other(nullptr);
    other.InitializeFont();
    EXPECT_EQ(0, ctrl->m_engine.m_fnSetFonts(0, &other, &other, 0, &other, 0, &other, 0, nullptr, 0));
    EXPECT_EQ(1, ctrl->m_engine.m_fnOnDraw(&dc, CRect(0, 0, 300, 100), CRect(), &ctrl->m_lines));
    HENHMETAFILE hemf = dc.CloseEnhanced();
    EmfScan scan(hemf);
    ::DeleteEnhMetaFile(hemf);
    ASSERT_EQ(1u, scan.texts.size());
    EXPECT_EQ(L"Liberation Mono", scan.texts[0].face);
}

TEST_F(EngineDraw, WithoutColumnsTheDrawRaisesInvalidArgument)
{
    ctrl->SetLines(L"{RT}");
    CMetaFileDC dc;
    ASSERT_TRUE(dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
    EXPECT_THROW(ctrl->Draw(&dc, CRect(0, 0, 100, 100)), CInvalidArgException);
    ::DeleteEnhMetaFile(dc.CloseEnhanced());
}

TEST_F(EngineDraw, LongLineIsMeasuredByHalving)
{
    ctrl->m_engine.m_fnResetColumnWidths(1, 1, 0);
    std::wstring line = L"{";
    while (line.size() < 3000)
        line += L"lorem ipsum dolor sit amet consectetur ";
    ctrl->SetLines(line.c_str());
    CountingMetaFileDC dc;
    ASSERT_TRUE(dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
    ctrl->Draw(&dc, CRect(0, 0, 300, 100000));
    ::DeleteEnhMetaFile(dc.CloseEnhanced());
    ASSERT_GT(dc.m_nDrawn, 10);
    // Per text line at most the halving of the whole remaining text (12 steps for 3000
    // characters) and one more; "AAA" and "A" once per pass and per item.
    const int perLine = static_cast<int>(std::ceil(std::log2(static_cast<double>(line.size())))) + 1;
    EXPECT_LE(dc.m_nMeasured, 2 + dc.m_nDrawn * perLine);
    // A short item that fits is measured once, beside "AAA" and "A".
    ctrl->SetLines(L"{RT}");
    CountingMetaFileDC dcShort;
    ASSERT_TRUE(dcShort.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
    ctrl->Draw(&dcShort, CRect(0, 0, 300, 100));
    ::DeleteEnhMetaFile(dcShort.CloseEnhanced());
    EXPECT_EQ(3, dcShort.m_nMeasured);
}

TEST_F(EngineDraw, HugeBoundsDoNotOverflow)
{
    ctrl->m_engine.m_fnResetColumnWidths(3, 1, 1);
    ctrl->m_engine.m_fnOnInPlaceEdit(1);
    const EmfScan scan = Draw(L"Data file: {Data File}\r\nHeading:", CRect(INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2));
    EXPECT_EQ(3u, scan.texts.size()) << scan.TextList();
}

} // namespace
