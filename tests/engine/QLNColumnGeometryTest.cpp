// The column arithmetic as tables: each row names the rule it pins down.
#include "QLNColumnGeometry.h"

#include "RowName.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

struct WidthRow { const char* name; double ratio; int columns; double width; int expected; };

const WidthRow kWidthRows[] = {
    // A column is the available width divided by its ratio.
    {"600 by 3", 3.0, 3, 600, 200},
    // Rounded half up: 200.33 goes down, 200.67 goes up, 2.5 goes up.
    {"601 by 3 rounds down", 3.0, 3, 601, 200},
    {"602 by 3 rounds up", 3.0, 3, 602, 201},
    {"half rounds up", 2.0, 2, 5, 3},
    // A ratio of 0.0 (a key missing from the property set) is an equal share.
    {"zero ratio is an equal share", 0.0, 3, 600, 200},
    // Ratios that no drag can produce come from damaged data: equal share, as for 0.0.
    {"negative ratio is an equal share", -2.0, 3, 600, 200},
    {"NaN ratio is an equal share", kNaN, 3, 600, 200},
    {"infinite ratio is an equal share", kInf, 4, 600, 150},
    // A tiny divisor would give a width past any coordinate: held at the column limit.
    {"tiny ratio is held at the limit", 1e-300, 3, 600, CQLNColumnGeometry::m_knMaxColumnWidth},
    {"no width", 3.0, 3, 0, 0},
    // A rectangle given the wrong way round gives a negative width, rounded half up.
    {"negative width", 3.0, 3, -601, -200},
    {"NaN width", 3.0, 3, kNaN, 0},
};

class ColumnWidth : public testing::TestWithParam<WidthRow> {};

TEST_P(ColumnWidth, FollowsTheRatio)
{
    const WidthRow& row = GetParam();
    EXPECT_EQ(row.expected, CQLNColumnGeometry::ColumnWidth(row.ratio, row.columns, row.width)) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Table, ColumnWidth, testing::ValuesIn(kWidthRows),
                         RowName<WidthRow>);

struct VisibleRow { const char* name; int columns; int dataLabel; short spacing; int expected; };

const VisibleRow kVisibleRows[] = {
    // Label spacing with data labels splits every logical column into label and value.
    {"three with label columns", 3, 1, 1, 6},
    {"three without label spacing", 3, 1, 0, 3},
    {"three without data labels", 3, 0, 1, 3},
    {"one with label columns", 1, 1, 1, 2},
    // Fewer than one column leaves the model empty.
    {"zero columns", 0, 1, 1, 0},
    {"negative columns", -5, 1, 1, 0},
    // Doubling INT_MAX would overflow; the count is held at the most columns there can be.
    {"huge count is held", INT_MAX, 1, 1, CQLNColumnGeometry::m_knMaxVisibleColumns},
};

class VisibleColumns : public testing::TestWithParam<VisibleRow> {};

TEST_P(VisibleColumns, CountsLayoutColumns)
{
    const VisibleRow& row = GetParam();
    EXPECT_EQ(row.expected, CQLNColumnGeometry::VisibleColumns(row.columns, row.dataLabel, row.spacing)) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Table, VisibleColumns, testing::ValuesIn(kVisibleRows),
                         RowName<VisibleRow>);

struct HitRow { const char* name; long x; int expected; };

const long kBorders[] = {200, 400};

const HitRow kHitRows[] = {
    // Three pixels either side of a border grab it, the fourth does not.
    {"three right of border 0", 203, 0},
    {"three left of border 0", 197, 0},
    {"four right of border 0", 204, -1},
    {"four left of border 0", 196, -1},
    {"on border 1", 400, 1},
    {"between borders", 300, -1},
    // Coordinates far out must not overflow the distance.
    {"most negative x", LONG_MIN, -1},
    {"most positive x", LONG_MAX, -1},
};

class HitTest : public testing::TestWithParam<HitRow> {};

TEST_P(HitTest, FindsTheBorderWithinThreePixels)
{
    const HitRow& row = GetParam();
    EXPECT_EQ(row.expected, CQLNColumnGeometry::HitTest(kBorders, 2, row.x, 3)) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Table, HitTest, testing::ValuesIn(kHitRows),
                         RowName<HitRow>);

TEST(HitTestEdges, NoBordersAndOverlapsTakeTheFirst)
{
    EXPECT_EQ(-1, CQLNColumnGeometry::HitTest(nullptr, 0, 0, 3));
    EXPECT_EQ(-1, CQLNColumnGeometry::HitTest(kBorders, 0, 200, 3));
    // Narrow columns put two borders within reach: the lower index wins.
    const long close[] = {10, 12};
    EXPECT_EQ(0, CQLNColumnGeometry::HitTest(close, 2, 11, 3));
    EXPECT_EQ(1, CQLNColumnGeometry::HitTest(close, 2, 14, 3));
}

struct TradeRow {
    const char* name; double width; int left; int right; double delta;
    int result; double leftRatio; double rightRatio;
};

const TradeRow kTradeRows[] = {
    // The neighbours trade pixels: 250 and 150 of 600.
    {"drag right by 50", 600, 200, 200, 50, 1, 2.4, 4.0},
    // The left column stops at five pixels.
    {"drag to the left edge", 600, 200, 200, -200, 1, 120.0, 600.0 / 395},
    // The right column stops at five pixels.
    {"drag past the right neighbour", 600, 200, 200, 300, 1, 600.0 / 395, 120.0},
    {"no move", 600, 200, 200, 0, 1, 3.0, 3.0},
    // Both limits apply: the right column's wins and the left one ends narrower than five.
    {"pair narrower than ten", 600, 3, 3, 0, 1, 600.0, 120.0},
    // Neither can keep a positive width: nothing changes.
    {"pair of four pixels", 600, 2, 2, 0, 0, -1, -1},
    // A control with no width has no ratio to give.
    {"no client width", 0, 200, 200, 10, 0, -1, -1},
    {"negative client width", -600, 200, 200, 10, 0, -1, -1},
    {"NaN delta", 600, 200, 200, kNaN, 0, -1, -1},
};

class TradeWidths : public testing::TestWithParam<TradeRow> {};

TEST_P(TradeWidths, KeepsFivePixels)
{
    const TradeRow& row = GetParam();
    double l = -1, r = -1;
    EXPECT_EQ(row.result, CQLNColumnGeometry::TradeWidths(row.width, row.left, row.right, row.delta, l, r)) << row.name;
    EXPECT_DOUBLE_EQ(row.leftRatio, l) << row.name;
    EXPECT_DOUBLE_EQ(row.rightRatio, r) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Table, TradeWidths, testing::ValuesIn(kTradeRows),
                         RowName<TradeRow>);

struct SpacingRow { const char* name; short spacing; int height; int expected; };

const SpacingRow kSpacingRows[] = {
    {"single", 0, 15, 15},
    // One and a half, truncated toward zero: 22.5 is 22, -22.5 is -22.
    {"one and a half", 1, 15, 22},
    {"one and a half of a negative", 1, -15, -22},
    // Every other value doubles, the initial -1 included.
    {"double", 2, 15, 30},
    {"initial value", -1, 15, 30},
    {"unknown value", 7, 15, 30},
    // Doubling a huge height stays an int.
    {"huge height", 2, INT_MAX / 2 + 1, INT_MAX},
    {"huge negative height", 2, INT_MIN / 2 - 1, INT_MIN},
};

class AdjustLineHeight : public testing::TestWithParam<SpacingRow> {};

TEST_P(AdjustLineHeight, ScalesBySpacing)
{
    const SpacingRow& row = GetParam();
    EXPECT_EQ(row.expected, CQLNColumnGeometry::AdjustLineHeight(row.spacing, row.height)) << row.name;
}

INSTANTIATE_TEST_SUITE_P(Table, AdjustLineHeight, testing::ValuesIn(kSpacingRows),
                         RowName<SpacingRow>);

} // namespace
