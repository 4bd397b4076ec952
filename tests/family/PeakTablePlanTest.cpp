// The peak table's plan as tables over a fake measurer, no device context. Each font has its own
// fixed pitch, so the font a text was measured in shows in the widths and places:
//   title 12 x 20 pixels a character, heading 10 x 16, cell 8 x 12.
// With the padding (6 round a cell's text, 2 above and below it) a title takes 30 pixels down,
// the heading row 20 and a row 16. The marker is "+", 1 character.
// A plan reads "<widths> <columns drawn>[+ when some were left out] | <texts> | <rules> | <rows
// drawn>[+ when rows were left over]", a text "<T|H|C><left>,<top>'text'".
#include "QLNSamplePeakTablePlan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class PitchMeasurer : public CQLNSamplePeakTablePlan::Measurer
{
public:
    int TextWidth(CQLNSamplePeakTablePlan::EFontRole role, const CString& strText) override
    {
        static const int kPitch[] = {12, 10, 8};
        return kPitch[role] * strText.GetLength();
    }
    int LineHeight(CQLNSamplePeakTablePlan::EFontRole role) override
    {
        static const int kHeight[] = {20, 16, 12};
        return kHeight[role];
    }
};

using Rows = std::vector<std::vector<CString>>;

CQLNSamplePeakTablePlan::Table MakeTable(const wchar_t* pszTitle, bool bHeadings,
                                         std::vector<CQLNSamplePeakTablePlan::Column> columns, Rows rows,
                                         size_t nFirstRow = 0, size_t nRowCount = 0)
{
    CQLNSamplePeakTablePlan::Table table;
    table.strTitle = pszTitle;
    table.bHeadings = bHeadings;
    table.columns = std::move(columns);
    table.rows = std::move(rows);
    table.strMarker = L"+";
    table.nFirstRow = nFirstRow;
    table.nRowCount = nRowCount;
    return table;
}

std::wstring Describe(const CQLNSamplePeakTablePlan& plan)
{
    std::wstring out;
    for (size_t c = 0; c < plan.widths.size(); ++c)
        out += (c > 0 ? L"," : L"") + std::to_wstring(plan.widths[c]);
    out += L" " + std::to_wstring(plan.nColumns) + (plan.bColumnsLeftOut ? L"+" : L"") + L" |";
    for (const CQLNSamplePeakTablePlan::Text& text : plan.texts)
        out += std::wstring(L" ") + L"THC"[text.role] + std::to_wstring(text.pt.x) + L"," + std::to_wstring(text.pt.y) +
               L"'" + text.strText.GetString() + L"'";
    out += L" |";
    for (int nY : plan.rules)
        out += L" " + std::to_wstring(nY);
    return out + L" | " + std::to_wstring(plan.nRowsDrawn) + (plan.bRowsLeftOver ? L"+" : L"");
}

const std::vector<CQLNSamplePeakTablePlan::Column> kNameArea = {{L"Name", L"{Name}"}, {L"Area", L"{Area}"}};
const Rows kThree = {{L"A", L"1"}, {L"B", L"2"}, {L"C", L"3"}};

TEST(PeakTablePlan, ColumnsRowsAndMarkersTakeTheirPlaces)
{
    const struct
    {
        const char* rule;
        CQLNSamplePeakTablePlan::Table table;
        RECT bounds;
        const wchar_t* plan;
    } rows[] = {
        // "Caffeine" 64 + 12 makes the first column; "Area" 40 + 12 the second; 12 ends at 128 - 6.
        {"all columns fit: no marker; a number ends at its column's right edge",
         MakeTable(L"", true, kNameArea, {{L"Caffeine", L"12"}}), {0, 0, 200, 100},
         L"76,52 2 | H6,2'Name' H82,2'Area' C6,22'Caffeine' C106,22'12' | 20 36 | 1"},
        // 76 + 52 is past 120; 76 and the marker's 10 + 12 are not.
        {"whole columns only: the marker at the end of the heading row",
         MakeTable(L"", true, kNameArea, {{L"Caffeine", L"12"}}), {0, 0, 120, 100},
         L"76,52 1+ | H6,2'Name' H82,2'+' C6,22'Caffeine' | 20 36 | 1"},
        {"no room for the first column: only the marker",
         MakeTable(L"", true, kNameArea, {{L"Caffeine", L"12"}}), {0, 0, 50, 100},
         L"76,52 0+ | H6,2'+' | 20 36 | 1"},
        // Without headings the columns are as wide as their cells (28 for "12") and the marker
        // is in the cell font: 76 + 28 is past 100, 76 + 8 + 12 is not.
        {"without headings the first row carries the columns' marker",
         MakeTable(L"", false, kNameArea, {{L"Caffeine", L"12"}, {L"Theine", L"7"}}), {0, 0, 100, 100},
         L"76,28 1+ | C82,2'+' C6,2'Caffeine' C6,18'Theine' | 16 32 | 2"},
        {"a heading wider than its cells makes its column",
         MakeTable(L"", true, {{L"Calculated amount", L"{Amt}"}}, {{L"3"}}), {0, 0, 300, 100},
         L"182 1 | H6,2'Calculated amount' C168,22'3' | 20 36 | 1"},
        {"a row of token keys without data",
         MakeTable(L"", true, kNameArea, {}), {0, 0, 200, 100},
         L"60,60 2 | H6,2'Name' H66,2'Area' C6,22'{Name}' C66,22'{Area}' | 20 36 | 1"},
        {"empty table: the heading row and one empty row",
         MakeTable(L"", true, {}, {}), {0, 0, 200, 100}, L" 0 | | 20 36 | 1"},
        {"cells past the columns are not drawn, missing cells leave theirs empty",
         MakeTable(L"", true, kNameArea, {{L"A"}, {L"B", L"x", L"extra"}}), {0, 0, 200, 100},
         L"52,52 2 | H6,2'Name' H58,2'Area' C6,22'A' C6,38'B' C58,38'x' | 20 36 52 | 2"},
        {"the title above the table in its own font; the grid starts below it",
         MakeTable(L"Run", true, kNameArea, {{L"A", L"1"}}), {0, 0, 200, 100},
         L"52,52 2 | T6,2'Run' H6,32'Name' H58,32'Area' C6,52'A' C90,52'1' | 50 66 | 1"},
        // 20 + 3 x 16 = 68.
        {"rows that fit the height to the pixel are all drawn",
         MakeTable(L"", true, kNameArea, kThree), {0, 0, 200, 68},
         L"52,52 2 | H6,2'Name' H58,2'Area' C6,22'A' C90,22'1' C6,38'B' C90,38'2' C6,54'C' C90,54'3' | 20 36 52 68 | 3"},
        {"one pixel short: the last row that fits gives its place to the marker",
         MakeTable(L"", true, kNameArea, kThree), {0, 0, 200, 67},
         L"52,52 2 | H6,2'Name' H58,2'Area' C6,22'A' C90,22'1' C6,38'+' | 20 36 | 1+"},
        {"zero height: the headings, then only the marker",
         MakeTable(L"", true, kNameArea, kThree), {0, 0, 200, 0},
         L"52,52 2 | H6,2'Name' H58,2'Area' C6,22'+' | 20 | 0+"},
        {"bounds away from the corner move everything",
         MakeTable(L"", true, kNameArea, {{L"A", L"1"}}), {100, 50, 300, 150},
         L"52,52 2 | H106,52'Name' H158,52'Area' C106,72'A' C190,72'1' | 70 86 | 1"},
        // The first column is as wide as "Much longer" though that row is not drawn.
        {"a part from a row on: headings again, no title, the columns of every row",
         MakeTable(L"Run", true, kNameArea, {{L"A", L"1"}, {L"Much longer", L"2"}, {L"C", L"3"}}, 2),
         {0, 0, 200, 100}, L"100,52 2 | H6,2'Name' H106,2'Area' C6,22'C' C138,22'3' | 20 36 | 1"},
        {"a part of some rows: the rows after it are the next part's, not left over",
         MakeTable(L"", true, kNameArea, kThree, 0, 2), {0, 0, 200, 100},
         L"52,52 2 | H6,2'Name' H58,2'Area' C6,22'A' C90,22'1' C6,38'B' C90,38'2' | 20 36 52 | 2"},
        {"a part that does not fit its bounds still ends in the marker",
         MakeTable(L"", true, kNameArea, kThree, 0, 3), {0, 0, 200, 60},
         L"52,52 2 | H6,2'Name' H58,2'Area' C6,22'A' C90,22'1' C6,38'+' | 20 36 | 1+"},
        {"a part past the last row: the headings only",
         MakeTable(L"", true, kNameArea, kThree, 3), {0, 0, 200, 100}, L"52,52 2 | H6,2'Name' H58,2'Area' | 20 | 0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        PitchMeasurer measurer;
        EXPECT_EQ(std::wstring(row.plan), Describe(CQLNSamplePeakTablePlan::Make(measurer, row.bounds, row.table)));
    }
}

TEST(PeakTablePlan, RowsThatFitAHeightAreThoseAPartDrawsWhole)
{
    const Rows five = {{L"A"}, {L"B"}, {L"C"}, {L"D"}, {L"E"}};
    const std::vector<CQLNSamplePeakTablePlan::Column> one = {{L"Name", L"{Name}"}};
    const struct
    {
        const char* rule;
        CQLNSamplePeakTablePlan::Table table;
        int nHeight;
        size_t nFit;
    } rows[] = {
        {"the headings, then whole rows", MakeTable(L"", true, one, five), 68, 3},
        {"one pixel short of a row", MakeTable(L"", true, one, five), 67, 2},
        {"no headings", MakeTable(L"", false, one, five), 32, 2},
        {"the title takes its room above the first row", MakeTable(L"Run", true, one, five), 98, 3},
        {"a continuation has no title", MakeTable(L"Run", true, one, five, 1), 98, 4},
        {"never more than the rows left", MakeTable(L"", true, one, five, 3), 1000, 2},
        {"never more than the part's rows", MakeTable(L"", true, one, five, 1, 2), 1000, 2},
        {"the row of token keys of a table without rows", MakeTable(L"", true, one, {}), 1000, 1},
        {"room for the headings only", MakeTable(L"", true, one, five), 35, 0},
        {"zero height", MakeTable(L"", true, one, five), 0, 0},
        {"a height below zero", MakeTable(L"", true, one, five), -40, 0},
        {"past the last row", MakeTable(L"", true, one, five, 9), 1000, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        PitchMeasurer measurer;
        EXPECT_EQ(row.nFit, CQLNSamplePeakTablePlan::RowsThatFit(measurer, row.nHeight, row.table));
    }

    // At every height, a part of as many rows as fit is drawn whole; one more row does not fit
    // and ends in the marker instead.
    for (int nHeight = 0; nHeight < 140; ++nHeight) {
        SCOPED_TRACE(nHeight);
        PitchMeasurer measurer;
        CQLNSamplePeakTablePlan::Table table = MakeTable(L"Run", true, one, five, 1);
        table.nRowCount = CQLNSamplePeakTablePlan::RowsThatFit(measurer, nHeight, table);
        const RECT bounds = {0, 0, 200, nHeight};
        if (table.nRowCount > 0) {
            const CQLNSamplePeakTablePlan whole = CQLNSamplePeakTablePlan::Make(measurer, bounds, table);
            EXPECT_EQ(table.nRowCount, whole.nRowsDrawn);
            EXPECT_FALSE(whole.bRowsLeftOver);
        }
        if (table.nRowCount < 4) {
            ++table.nRowCount;
            EXPECT_TRUE(CQLNSamplePeakTablePlan::Make(measurer, bounds, table).bRowsLeftOver);
        }
    }
}

} // namespace
