// Word wrap inside a cell, as a table over a fixed-pitch text measurer: every character is 10
// pixels wide and 16 high, so each expected piece can be worked out by hand. The halving and
// the break search are pinned through the pieces they give.
#include "QLNCellTextFit.h"

#include <gtest/gtest.h>

#include <string>

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
        m_pieces += std::wstring(strPiece.GetString()) + L"@" + std::to_wstring(rc.left) + L"," + std::to_wstring(rc.top) +
                    L"," + std::to_wstring(rc.right) + L"," + std::to_wstring(rc.bottom) + L" ";
    }
    std::wstring m_pieces;
    int m_nMeasured = 0;
};

const SIZE kA = {10, 16};

TEST(CellTextFit, FlowLaysPiecesInTheCell)
{
    const RECT wide = {0, 0, 100, 100};
    // pieces: "text@left,top,right,bottom " per piece drawn; end: the right end of the last
    // piece's text and the bottom of its line.
    const struct { const char* why; RECT area; POINT start; const wchar_t* text; const wchar_t* pieces; POINT end; } rows[] = {
        // All of it fits: not broken at its blank.
        {"fits on one line", wide, {0, 0}, L"fit it", L"fit it@0,0,100,16 ", {60, 16}},
        // Nine characters are exactly the limit; the blank after them is the break.
        {"exact fit", wide, {0, 0}, L"abcdefghi jk", L"abcdefghi@0,0,100,16 jk@0,16,100,32 ", {20, 32}},
        // The wrap limit is the width less one "A" (90): the break goes back to the blank,
        // which is not drawn.
        {"breaks at the blank", wide, {0, 0}, L"hello world foo", L"hello@0,0,100,16 world foo@0,16,100,32 ", {90, 32}},
        // No blank: split where the halving ends, one more than fits (50 of 45) when it ends
        // on a length it did not measure.
        {"word wider than its cell", {0, 0, 55, 100}, {0, 0}, L"abcdefghijklmnop",
         L"abcde@0,0,55,16 fghij@0,16,55,32 klmn@0,32,55,48 op@0,48,55,64 ", {20, 64}},
        {"start at the limit wraps first", wide, {90, 0}, L"ab", L"ab@0,16,100,32 ", {20, 32}},
        {"start just short of the limit", wide, {80, 0}, L"ab", L"a@80,0,100,16 b@0,16,100,32 ", {10, 32}},
        {"continues mid line, then whole lines", wide, {40, 0}, L"abc def", L"abc@40,0,100,16 def@0,16,100,32 ", {30, 32}},
        {"leading blanks dropped", wide, {0, 0}, L"   abc", L"abc@0,0,100,16 ", {30, 16}},
        // A tab is a break point, not expanded; so are line feed and carriage return.
        {"breaks at a tab", wide, {0, 0}, L"ab\tcdefghij", L"ab@0,0,100,16 cdefghij@0,16,100,32 ", {80, 32}},
        {"breaks at a line feed", wide, {0, 0}, L"abcd\nefghijkl", L"abcd@0,0,100,16 efghijkl@0,16,100,32 ", {80, 32}},
        {"breaks at a carriage return", wide, {0, 0}, L"abcd\refghijkl", L"abcd@0,0,100,16 efghijkl@0,16,100,32 ", {80, 32}},
        // The last visible line clipped at the bottom; the end stays on the bottom edge.
        {"clipped at the bottom", {0, 0, 50, 20}, {0, 0}, L"aaaa bbbb cccc dddd", L"aaaa@0,0,50,16 bbbb@0,16,50,20 ", {40, 20}},
        {"empty ends at (0, 0)", wide, {30, 30}, L"", L"", {0, 0}},
        {"blanks only", wide, {30, 30}, L" \t  ", L"", {0, 0}},
        // A negative limit: even the cell start is past it; one character per line, never none.
        {"area narrower than A", {0, 0, 8, 100}, {0, 0}, L"abc", L"a@0,16,8,32 b@0,32,8,48 c@0,48,8,64 ", {10, 64}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        FixedPitchSurface drawn, measured;
        const POINT end = CQLNCellTextFit::Flow(drawn, r.area, r.start, r.text, kA, 1);
        EXPECT_EQ(std::wstring(r.pieces), drawn.m_pieces);
        EXPECT_EQ(r.end.x, end.x);
        EXPECT_EQ(r.end.y, end.y);
        // Measuring only draws nothing and ends at the same point.
        const POINT endMeasured = CQLNCellTextFit::Flow(measured, r.area, r.start, r.text, kA, 0);
        EXPECT_EQ(L"", measured.m_pieces);
        EXPECT_EQ(end.x, endMeasured.x);
        EXPECT_EQ(end.y, endMeasured.y);
    }
    // A text that fits needs no halving: one measurement gives its line and its width.
    FixedPitchSurface surface;
    CQLNCellTextFit::Flow(surface, {0, 0, 1000, 100}, {0, 0}, std::wstring(30, L'x').c_str(), kA, 1);
    EXPECT_EQ(1, surface.m_nMeasured);
}

} // namespace
