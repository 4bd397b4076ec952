// Word wrap inside a cell, as tables over a fixed-pitch text measurer: every character is 10
// pixels wide and 16 high, so each expected piece can be worked out by hand.
#include "QLNCellTextFit.h"

#include "RowName.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FixedPitchSurface : public CQLNCellTextFit::Surface
{
public:
    SIZE MeasureText(const wchar_t*, int nCount) override
    {
        ++m_nMeasured;
        return SIZE{10L * nCount, 16};
    }
    void DrawPiece(const RECT& rc, const CString& strPiece) override
    {
        m_pieces += std::wstring(strPiece.GetString()) + L"@" + std::to_wstring(rc.left) + L"," +
                    std::to_wstring(rc.top) + L"," + std::to_wstring(rc.right) + L"," +
                    std::to_wstring(rc.bottom) + L" ";
    }
    std::wstring m_pieces;
    int m_nMeasured = 0;
};

const SIZE kA = {10, 16};

struct FlowRow {
    const char* name;
    RECT area;
    POINT start;
    const wchar_t* text;
    const wchar_t* pieces;   // "text@left,top,right,bottom " per piece drawn
    POINT end;
};

const FlowRow kFlowRows[] = {
    // A text that fits goes on one line from the start point; the end is its right end and
    // the bottom of its line.
    {"fits on one line", {0, 0, 100, 100}, {0, 0}, L"short", L"short@0,0,100,16 ", {50, 16}},
    // The wrap limit is the area's width less one "A" (90): nine characters fit, the break
    // goes back to the blank, and the trailing blank is not drawn.
    {"breaks at the blank", {0, 0, 100, 100}, {0, 0}, L"hello world foo",
     L"hello@0,0,100,16 world foo@0,16,100,32 ", {90, 32}},
    // No blank: the word is split where the halving ends, which is one character more than
    // fits (50 of 45 pixels) when the last length tried was not measured.
    {"word wider than its cell", {0, 0, 55, 100}, {0, 0}, L"abcdefghijklmnop",
     L"abcde@0,0,55,16 fghij@0,16,55,32 klmn@0,32,55,48 op@0,48,55,64 ", {20, 64}},
    // A start within one "A" of the limit moves to the next text line.
    {"start at the limit wraps first", {0, 0, 100, 100}, {90, 0}, L"ab", L"ab@0,16,100,32 ", {20, 32}},
    {"start just short of the limit", {0, 0, 100, 100}, {80, 0}, L"ab", L"a@80,0,100,16 b@0,16,100,32 ", {10, 32}},
    // A continued text uses what is left of the line, then whole lines.
    {"continues mid line", {0, 0, 100, 100}, {40, 0}, L"abc def", L"abc@40,0,100,16 def@0,16,100,32 ", {30, 32}},
    // Leading white space is dropped before the first line and after every break.
    {"leading blanks dropped", {0, 0, 100, 100}, {0, 0}, L"   abc", L"abc@0,0,100,16 ", {30, 16}},
    // Tab and line feed are break points as well; a tab is not expanded.
    {"breaks at a tab", {0, 0, 100, 100}, {0, 0}, L"ab\tcdefghij", L"ab@0,0,100,16 cdefghij@0,16,100,32 ", {80, 32}},
    {"breaks at a line feed", {0, 0, 100, 100}, {0, 0}, L"abcd\nefghijkl", L"abcd@0,0,100,16 efghijkl@0,16,100,32 ", {80, 32}},
    // The last visible line is clipped at the area's bottom; lines below are not drawn and
    // the end point stays on the bottom edge.
    {"clipped at the bottom", {0, 0, 50, 20}, {0, 0}, L"aaaa bbbb cccc dddd",
     L"aaaa@0,0,50,16 bbbb@0,16,50,20 ", {40, 20}},
    // Nothing to draw: the end point is (0, 0).
    {"empty", {0, 0, 100, 100}, {30, 30}, L"", L"", {0, 0}},
    {"blanks only", {0, 0, 100, 100}, {30, 30}, L" \t  ", L"", {0, 0}},
    // An area narrower than "A" leaves a negative limit: even the cell start counts as past
    // it, so the text begins one line down, one character per line, never none.
    {"area narrower than A", {0, 0, 8, 100}, {0, 0}, L"abc", L"a@0,16,8,32 b@0,32,8,48 c@0,48,8,64 ", {10, 64}},
};

class Flow : public testing::TestWithParam<FlowRow> {};

TEST_P(Flow, LaysPiecesInTheCell)
{
    const FlowRow& row = GetParam();
    FixedPitchSurface surface;
    const POINT end = CQLNCellTextFit::Flow(surface, row.area, row.start, row.text, kA, 1);
    EXPECT_EQ(std::wstring(row.pieces), surface.m_pieces) << row.name;
    EXPECT_EQ(row.end.x, end.x) << row.name;
    EXPECT_EQ(row.end.y, end.y) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Table, Flow, testing::ValuesIn(kFlowRows), RowName<FlowRow>);

TEST(FlowMeasuring, WithoutDrawingGivesTheSameEnd)
{
    FixedPitchSurface surface;
    const POINT end = CQLNCellTextFit::Flow(surface, {0, 0, 100, 100}, {0, 0}, L"hello world foo", kA, 0);
    EXPECT_EQ(L"", surface.m_pieces);
    EXPECT_EQ(90, end.x);
    EXPECT_EQ(32, end.y);
}

TEST(FlowMeasuring, TextThatFitsIsMeasuredOnce)
{
    FixedPitchSurface surface;
    CQLNCellTextFit::Flow(surface, {0, 0, 1000, 100}, {0, 0}, std::wstring(30, L'x').c_str(), kA, 1);
    EXPECT_EQ(1, surface.m_nMeasured);
}

struct HalvingRow { const char* name; const wchar_t* text; long limit; int expected; int maxMeasured; };

const HalvingRow kHalvingRows[] = {
    // The largest fitting length when the halving measures it.
    {"exact fit measured", L"abcdefgh", 40, 4, 3},
    // One more than fits when the halving ends on an unmeasured length: 5 characters are 50
    // pixels, over a limit of 45.
    {"one more than fits", L"abcdefghijklmnop", 45, 5, 4},
    // Never fewer than one character.
    {"nothing fits", L"abcdef", 5, 1, 3},
    {"negative limit", L"abcdef", -100, 1, 3},
    // A single character is taken without measuring.
    {"single character", L"a", 0, 1, 0},
    {"all fit", L"abcdefgh", 1000, 8, 3},
};

class FitByHalving : public testing::TestWithParam<HalvingRow> {};

TEST_P(FitByHalving, FindsTheLengthInLogarithmicSteps)
{
    const HalvingRow& row = GetParam();
    FixedPitchSurface surface;
    long h = 0;
    const int n = CQLNCellTextFit::FitByHalving(surface, row.text, static_cast<int>(wcslen(row.text)), row.limit, h);
    EXPECT_EQ(row.expected, n) << row.name;
    EXPECT_LE(surface.m_nMeasured, row.maxMeasured) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Table, FitByHalving, testing::ValuesIn(kHalvingRows), RowName<HalvingRow>);

struct BreakRow { const char* name; const wchar_t* text; int fit; int expected; };

const BreakRow kBreakRows[] = {
    // The character just past the fit is a blank: the fit stands.
    {"blank right after the fit", L"abcd efgh", 4, 4},
    {"back to the blank", L"ab cdefgh", 5, 2},
    {"back to a carriage return", L"ab\rcdefgh", 5, 2},
    // Position 0 is never a break: a word that starts the text is split instead.
    {"blank only at position 0", L" abcdefgh", 4, 4},
    {"no blank", L"abcdefgh", 4, 4},
    // All the text fits: nothing to break.
    {"all fits", L"ab cd", 5, 5},
};

class BreakAtWhiteSpace : public testing::TestWithParam<BreakRow> {};

TEST_P(BreakAtWhiteSpace, MovesBackToABreak)
{
    const BreakRow& row = GetParam();
    EXPECT_EQ(row.expected, CQLNCellTextFit::BreakAtWhiteSpace(row.text, static_cast<int>(wcslen(row.text)), row.fit))
        << row.name;
}

INSTANTIATE_TEST_SUITE_P(Table, BreakAtWhiteSpace, testing::ValuesIn(kBreakRows), RowName<BreakRow>);

} // namespace
