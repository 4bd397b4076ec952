// The column arithmetic as tables: each row names the rule it pins down.
#include "QLNColumnGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
using Geometry = CQLNColumnGeometry;

TEST(ColumnGeometry, WidthFollowsTheRatioRoundedHalfUp)
{
    const struct { const char* why; double ratio; int columns; double width; int expected; } rows[] = {
        {"600 by 3", 3.0, 3, 600, 200},
        {"200.33 rounds down", 3.0, 3, 601, 200},
        {"200.67 rounds up", 3.0, 3, 602, 201},
        {"2.5 rounds up", 2.0, 2, 5, 3},
        // A missing key loads 0.0, and damaged data no drag produces: an equal share.
        {"zero ratio", 0.0, 3, 600, 200},
        {"negative ratio", -2.0, 3, 600, 200},
        {"NaN ratio", kNaN, 3, 600, 200},
        {"infinite ratio", kInf, 4, 600, 150},
        {"tiny ratio is held at the limit", 1e-300, 3, 600, Geometry::m_knMaxColumnWidth},
        {"no width", 3.0, 3, 0, 0},
        {"rectangle the wrong way round: -200.33", 3.0, 3, -601, -200},
        {"NaN width", 3.0, 3, kNaN, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(r.expected, Geometry::ColumnWidth(r.ratio, r.columns, r.width));
    }
}

TEST(ColumnGeometry, LabelSpacingWithLabelsDoublesTheColumns)
{
    const struct { const char* why; int columns, dataLabel; short spacing; int expected; } rows[] = {
        {"label and value columns", 3, 1, 1, 6},
        {"no label spacing", 3, 1, 0, 3},
        {"no data labels", 3, 0, 1, 3},
        {"zero columns", 0, 1, 1, 0},
        {"negative columns", -5, 1, 1, 0},
        {"doubling INT_MAX would overflow", INT_MAX, 1, 1, Geometry::m_knMaxVisibleColumns},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(r.expected, Geometry::VisibleColumns(r.columns, r.dataLabel, r.spacing));
    }
}

TEST(ColumnGeometry, HitTestGrabsABorderWithinThreePixels)
{
    const long borders[] = {200, 400};
    const long close[] = {10, 12};
    const struct { const char* why; const long* borders; int n; long x; int expected; } rows[] = {
        {"three right", borders, 2, 203, 0},
        {"three left", borders, 2, 197, 0},
        {"four right", borders, 2, 204, -1},
        {"four left", borders, 2, 196, -1},
        {"on the second border", borders, 2, 400, 1},
        {"between borders", borders, 2, 300, -1},
        {"most negative x must not overflow", borders, 2, LONG_MIN, -1},
        {"no borders", nullptr, 0, 0, -1},
        {"count of zero", borders, 0, 200, -1},
        {"two within reach: the lower index", close, 2, 11, 0},
        {"only the second within reach", close, 2, 14, 1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(r.expected, Geometry::HitTest(r.borders, r.n, r.x, 3));
    }
}

TEST(ColumnGeometry, TradeWidthsKeepsFivePixelsEachSide)
{
    const struct { const char* why; double width; int left, right; double delta; int result; double l, r; } rows[] = {
        {"250 and 150 of 600", 600, 200, 200, 50, 1, 2.4, 4.0},
        {"left stops at five", 600, 200, 200, -200, 1, 120.0, 600.0 / 395},
        {"right stops at five", 600, 200, 200, 300, 1, 600.0 / 395, 120.0},
        {"no move", 600, 200, 200, 0, 1, 3.0, 3.0},
        {"pair under ten: the right limit wins", 600, 3, 3, 0, 1, 600.0, 120.0},
        {"pair of four: neither keeps a width", 600, 2, 2, 0, 0, -1, -1},
        {"no client width", 0, 200, 200, 10, 0, -1, -1},
        {"negative client width", -600, 200, 200, 10, 0, -1, -1},
        {"NaN delta", 600, 200, 200, kNaN, 0, -1, -1},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        double l = -1, rr = -1;
        EXPECT_EQ(r.result, Geometry::TradeWidths(r.width, r.left, r.right, r.delta, l, rr));
        EXPECT_DOUBLE_EQ(r.l, l);
        EXPECT_DOUBLE_EQ(r.r, rr);
    }
}

TEST(ColumnGeometry, LineHeightScalesBySpacing)
{
    const struct { const char* why; short spacing; int height, expected; } rows[] = {
        {"single", 0, 15, 15},
        {"one and a half truncates 22.5", 1, 15, 22},
        {"and -22.5 toward zero", 1, -15, -22},
        {"double", 2, 15, 30},
        {"the initial -1 doubles", -1, 15, 30},
        {"any other value doubles", 7, 15, 30},
        {"doubling stays an int", 2, INT_MAX / 2 + 1, INT_MAX},
        {"and below", 2, INT_MIN / 2 - 1, INT_MIN},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        EXPECT_EQ(r.expected, Geometry::AdjustLineHeight(r.spacing, r.height));
    }
}

} // namespace
