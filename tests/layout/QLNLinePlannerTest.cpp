// Line placement as a table over a fake measurer, no device context. Each font role has its own
// fixed pitch, so the role an item was measured in shows in where the next one starts:
//   heading 12 x 20 pixels a character, label 10 x 16, value 8 x 12.
// A placement reads "<role><piece> <left>-<right>/<top> @<start> +<columns moved> 'text'@<at>...",
// role H(eading), P(rompt), V(alue), or E for an empty line's cell.
#include "QLNLinePlanner.h"

#include "CInvalidArgException.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

class PitchMeasurer : public CQLNLinePlanner::Measurer
{
public:
    SIZE MeasureText(CQLNLinePlanner::EFontRole role, const wchar_t*, int nCount) override
    {
        ++m_nMeasured;
        static const SIZE kPitch[] = {{12, 20}, {10, 16}, {8, 12}};
        return SIZE{kPitch[role].cx * nCount, kPitch[role].cy};
    }
    int m_nMeasured = 0;
};

const int kDefaultRowHeight = 14;

std::wstring Describe(const CQLNLinePlanner::Placement& p)
{
    const wchar_t* const kRoles = L"HPV";
    std::wstring out(1, p.nPiece < 0 ? L'E' : kRoles[p.role]);
    if (p.nPiece >= 0)
        out += std::to_wstring(p.nPiece);
    out += L" " + std::to_wstring(p.rcArea.left) + L"-" + std::to_wstring(p.rcArea.right) + L"/" +
           std::to_wstring(p.rcArea.top) + L" @" + std::to_wstring(p.ptStart.x) + L"," + std::to_wstring(p.ptStart.y) +
           L" +" + std::to_wstring(p.nColumns);
    for (const CQLNLinePlanner::TextLine& line : p.lines)
        out += L" '" + std::wstring(line.strText.GetString()) + L"'@" + std::to_wstring(line.rc.left) + L"," +
               std::to_wstring(line.rc.top);
    return out + L"; ";
}

struct Plan
{
    std::wstring kinds;
    std::wstring placements;
    bool full = false;
};

Plan PlanLines(PitchMeasurer& measurer, const std::vector<int>& widths, BOOL bLabels, short nLabelSpacing,
               short nSpacing, long nBottom, std::initializer_list<const wchar_t*> lines)
{
    const RECT bounds = {0, 0, 1000, nBottom};
    CQLNLinePlanner planner(measurer, bounds, widths, bLabels, nLabelSpacing, nSpacing, kDefaultRowHeight);
    Plan plan;
    std::vector<CQLNLinePlanner::Piece> pieces;
    CQLNLinePlanner::Placement placement;
    for (const wchar_t* line : lines) {
        CQLNLinePlanner::ReadPieces(line, pieces);
        const CQLNLinePlanner::ELineKind kind = CQLNLinePlanner::KindOf(pieces, bLabels, nLabelSpacing);
        plan.kinds += L"EHSJVTF"[kind];
        planner.BeginLine(kind, pieces);
        while (planner.Next(placement))
            plan.placements += Describe(placement);
    }
    plan.full = planner.Full() != FALSE;
    return plan;
}

TEST(LinePlanner, LinesTakeTheirCellsAndItemsTheirPlaces)
{
    const std::vector<int> one = {100}, two = {100, 100}, four = {100, 100, 100, 100};
    // kinds: E(mpty), H(eading), S(eparate pair), J(oined pair), V(alue only), T(wo values), F(lowing).
    const struct { const char* why; std::vector<int> widths; BOOL labels; short labelSpacing, spacing; long bottom;
                   std::initializer_list<const wchar_t*> lines; const wchar_t* kinds; const wchar_t* placements; bool full; } rows[] = {
        // The empty row is as high as the default, so the next row starts there.
        {"empty line: an empty cell, its row the default height", one, 1, 0, 0, 400, {L"", L"{A}"}, L"EF",
         L"E 0-100/0 @0,0 +1; V0 0-100/14 @0,14 +1 '{A}'@0,14; ", false},
        {"empty line in label columns takes both", four, 1, 1, 0, 400, {L"", L"{A}"}, L"EF",
         L"E 0-200/0 @0,0 +2; V0 200-400/0 @200,0 +2 '{A}'@200,0; ", false},
        {"heading: one cell in the heading font", two, 1, 0, 0, 400, {L"Notes"}, L"H",
         L"H0 0-100/0 @0,0 +1 'Notes'@0,0; ", false},
        // 144 pixels do not fit 100 less one heading "A": broken at the blank, wrapped in both columns.
        {"heading in label columns spans both and wraps across them", {50, 50}, 1, 1, 0, 400, {L"Sample notes"}, L"H",
         L"H0 0-100/0 @0,0 +2 'Sample'@0,0 'notes'@0,20; ", false},
        {"heading shown with data labels off, which leave no label columns", one, 0, 1, 0, 400, {L"Notes"}, L"H",
         L"H0 0-100/0 @0,0 +1 'Notes'@0,0; ", false},
        {"separate pair: label and value each in its column", four, 1, 1, 0, 400, {L"Area: {A}"}, L"S",
         L"P0 0-100/0 @0,0 +1 'Area:'@0,0; V1 100-200/0 @100,0 +1 '{A}'@100,0; ", false},
        // The label's trailing blank is not drawn: the value starts right after its 50 pixels.
        {"joined pair: the value goes on after the label", {200, 200}, 1, 0, 0, 400, {L"Area: {A}"}, L"J",
         L"P0 0-200/0 @0,0 +0 'Area:'@0,0; V1 0-200/0 @50,0 +1 '{A}'@50,0; ", false},
        {"value only: the label of a pair takes no room with data labels off", two, 0, 0, 0, 400, {L"Area: {A}"}, L"V",
         L"V1 0-100/0 @0,0 +1 '{A}'@0,0; ", false},
        {"two values share a cell", two, 1, 0, 0, 400, {L"{A}{B}"}, L"T",
         L"V0 0-100/0 @0,0 +0 '{A}'@0,0; V1 0-100/0 @24,0 +1 '{B}'@24,0; ", false},
        // The second value closes the label and the value column (the next line starts at 200)
        // but wraps in the first, as the first value does.
        {"two values in label columns close both", four, 1, 1, 0, 400, {L"{A}{B}", L"{C}"}, L"TF",
         L"V0 0-100/0 @0,0 +0 '{A}'@0,0; V1 0-100/0 @24,0 +2 '{B}'@24,0; V0 200-400/0 @200,0 +2 '{C}'@200,0; ", false},
        // 30 pixels of label, 32 of value, then the label " min" without its leading blank.
        {"flowing: every item goes on after the one before", {150, 150}, 1, 0, 0, 400, {L"RT: {RT} min"}, L"F",
         L"P0 0-150/0 @0,0 +1 'RT:'@0,0; V1 0-150/0 @30,0 +0 '{RT}'@30,0; P2 0-150/0 @62,0 +0 'min'@62,0; ", false},
        {"flowing in label columns takes both", four, 1, 1, 0, 400, {L"RT: {RT} min"}, L"F",
         L"P0 0-200/0 @0,0 +2 'RT:'@0,0; V1 0-200/0 @30,0 +0 '{RT}'@30,0; P2 0-200/0 @62,0 +0 'min'@62,0; ", false},
        {"flowing with data labels off: its labels dropped", two, 0, 0, 0, 400, {L"RT: {RT} min"}, L"F",
         L"V1 0-100/0 @0,0 +1 '{RT}'@0,0; ", false},
        // The heading's 20 pixels make the first row's height.
        {"a line finding every column taken starts a row below the tallest item", two, 1, 0, 0, 400,
         {L"Notes", L"{A}", L"{B}"}, L"HFF",
         L"H0 0-100/0 @0,0 +1 'Notes'@0,0; V0 100-200/0 @100,0 +1 '{A}'@100,0; V0 0-100/20 @0,20 +1 '{B}'@0,20; ", false},
        {"a blank label opening a row: the value starts at its cell", one, 1, 0, 0, 400, {L"Notes", L" {B}"}, L"HJ",
         L"H0 0-100/0 @0,0 +1 'Notes'@0,0; P0 0-100/20 @0,20 +0; V1 0-100/20 @0,20 +1 '{B}'@0,20; ", false},
        {"a line of blanks takes a cell without height", one, 1, 0, 0, 400, {L"   ", L"{A}"}, L"HF",
         L"H0 0-100/0 @0,0 +1; V0 0-100/0 @0,0 +1 '{A}'@0,0; ", false},
        {"tabs, vertical tabs and form feeds are blanks too", one, 1, 0, 0, 400, {L"\t\v\f ", L"{A}"}, L"HF",
         L"H0 0-100/0 @0,0 +1; V0 0-100/0 @0,0 +1 '{A}'@0,0; ", false},
        // The pieces of a line are read over those of the line before: none of them may stay.
        {"a line of fewer items than the one before keeps none of its items", {150, 150}, 1, 0, 0, 400,
         {L"RT: {RT} min", L"Notes"}, L"FH",
         L"P0 0-150/0 @0,0 +1 'RT:'@0,0; V1 0-150/0 @30,0 +0 '{RT}'@30,0; P2 0-150/0 @62,0 +0 'min'@62,0; "
         L"H0 150-300/0 @150,0 +1 'Notes'@150,0; ", false},
        {"one and a half spacing", one, 1, 0, 1, 400, {L"{A}", L"{B}"}, L"FF",
         L"V0 0-100/0 @0,0 +1 '{A}'@0,0; V0 0-100/18 @0,18 +1 '{B}'@0,18; ", false},
        {"double spacing", one, 1, 0, 2, 400, {L"{A}", L"{B}"}, L"FF",
         L"V0 0-100/0 @0,0 +1 '{A}'@0,0; V0 0-100/24 @0,24 +1 '{B}'@0,24; ", false},
        {"blank lines never fill the bounds", one, 1, 0, 0, 10, {L"", L"", L""}, L"EEE",
         L"E 0-100/0 @0,0 +1; E 0-100/14 @0,14 +1; E 0-100/28 @0,28 +1; ", false},
        {"a row of text reaching the bottom fills them", one, 1, 0, 0, 24, {L"{A}", L"{B}"}, L"FF",
         L"V0 0-100/0 @0,0 +1 '{A}'@0,0; V0 0-100/12 @0,12 +1 '{B}'@0,12; ", true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        PitchMeasurer measurer;
        const Plan plan = PlanLines(measurer, r.widths, r.labels, r.labelSpacing, r.spacing, r.bottom, r.lines);
        EXPECT_EQ(std::wstring(r.kinds), plan.kinds);
        EXPECT_EQ(std::wstring(r.placements), plan.placements);
        EXPECT_EQ(r.full, plan.full);
    }
}

TEST(LinePlanner, MeasuresEachTextOnceAndRefusesMissingColumns)
{
    // Five values that fit: one measurement each, and the value "A" once for all of them.
    PitchMeasurer measurer;
    PlanLines(measurer, {100}, 1, 0, 0, 400, {L"{A}", L"{B}", L"{C}", L"{D}", L"{E}"});
    EXPECT_EQ(6, measurer.m_nMeasured);
    // Columns never set up: a line has nowhere to go.
    EXPECT_THROW(PlanLines(measurer, {}, 1, 0, 0, 400, {L""}), CInvalidArgException);
    EXPECT_THROW(PlanLines(measurer, {}, 1, 0, 0, 400, {L"{A}"}), CInvalidArgException);
}

} // namespace
