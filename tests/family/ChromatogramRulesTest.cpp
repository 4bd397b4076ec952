// The chromatogram's drawing rules without a device: which samples are drawn per column, where
// the axes' ticks go and what their labels say, and which peak labels are drawn where.
#include "QLNSampleChromatogramDecimation.h"
#include "QLNSampleChromatogramLabelLayout.h"
#include "QLNSampleChromatogramTicks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using Points = std::vector<CQLNSampleChromatogramPoint>;

std::vector<double> Values(const Points& points)
{
    std::vector<double> values;
    for (const auto& p : points)
        values.push_back(p.value);
    return values;
}

// Ten device units a character: a label's length along a time axis.
int Chars(const std::wstring& label)
{
    return 10 * static_cast<int>(label.size());
}

std::wstring Joined(const std::vector<std::wstring>& labels)
{
    std::wstring s;
    for (const auto& label : labels)
        s += (s.empty() ? L"" : L" ") + label;
    return s;
}

} // namespace

TEST(ChromatogramDecimation, EachColumnKeepsItsExtremesAndTheTraceItsEnds)
{
    struct Row
    {
        const char* rule;
        std::vector<double> values;
        double dFrom, dTo;
        int nColumns;
        std::vector<double> expected;
    };
    std::vector<double> spike(1000, 1.0);
    spike[537] = 90.0;
    std::vector<double> dip(1000, 1.0);
    dip[3] = -7.0;
    std::vector<double> ramp(1000);
    for (size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<double>(i);
    const std::vector<double> flat(1000, 4.0);
    const Row rows[] = {
        {"fewer samples than columns: every one, as it is", {1, 5, 2}, 0, 2, 10, {1, 5, 2}},
        {"twice the columns: still every one", {1, 2, 3, 4}, 0, 3, 2, {1, 2, 3, 4}},
        {"a flat signal is a flat line", flat, 0, 999, 10, std::vector<double>(10, 4.0)},
        {"samples outside the view are left out", {9, 1, 2, 3, 9}, 1, 3, 10, {1, 2, 3}},
        {"a view that holds no sample gives nothing", {1, 2}, 5, 6, 10, {}},
        {"no columns: nothing", {1, 2, 3}, 0, 2, 0, {}},
        {"a view upside down: nothing", {1, 2, 3}, 2, 0, 10, {}},
        {"a view that is not a number: nothing", {1, 2, 3}, 0, std::numeric_limits<double>::quiet_NaN(), 10, {}},
    };
    for (const Row& row : rows) {
        const Points points = CQLNSampleChromatogramDecimation::Decimate(
            row.values.data(), row.values.size(), 0.0, 1.0, row.dFrom, row.dTo, row.nColumns);
        std::vector<double> values = Values(points);
        if (std::string(row.rule).find("flat") != std::string::npos) {
            // One point a column at least, all at the same height.
            EXPECT_GE(values.size(), 10u) << row.rule;
            EXPECT_TRUE(std::all_of(values.begin(), values.end(), [](double v) { return v == 4.0; })) << row.rule;
            continue;
        }
        EXPECT_EQ(row.expected, values) << row.rule;
    }

    // A gap (a sample that is not a number) first in the spike's column hides nothing.
    std::vector<double> gapped = spike;
    gapped[500] = std::numeric_limits<double>::quiet_NaN();
    // A spike one sample wide among a thousand in ten columns is in the line; so is a dip.
    for (const auto* pSignal : {&spike, &dip, &gapped}) {
        const Points points = CQLNSampleChromatogramDecimation::Decimate(pSignal->data(), pSignal->size(), 0.0, 1.0,
                                                                        0.0, 999.0, 10);
        const std::vector<double> values = Values(points);
        EXPECT_LE(points.size(), 40u) << "at most four points a column";
        const double extreme = pSignal == &dip ? -7.0 : 90.0;
        ASSERT_NE(values.end(), std::find(values.begin(), values.end(), extreme)) << "the one-sample extreme survives";
        const size_t at = static_cast<size_t>(std::find(values.begin(), values.end(), extreme) - values.begin());
        EXPECT_EQ(pSignal == &dip ? 0 : 5, static_cast<int>(points[at].x)) << "in the column of its time";
    }

    // A ramp: the first and last samples begin and end the line, and x only grows.
    const Points points = CQLNSampleChromatogramDecimation::Decimate(ramp.data(), ramp.size(), 0.0, 1.0, 0.0, 999.0, 7);
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(0.0, points.front().value);
    EXPECT_EQ(999.0, points.back().value);
    for (size_t i = 1; i < points.size(); ++i)
        EXPECT_LE(points[i - 1].x, points[i].x) << "point " << i;
    EXPECT_LT(points.back().x, 7.0) << "the last sample is inside the last column";

    // Times that start late and run in seconds' worth of minutes map as the same.
    const std::vector<double> late = {3, 4};
    const Points shifted = CQLNSampleChromatogramDecimation::Decimate(late.data(), late.size(), 2.0, 0.5, 2.0, 3.0, 10);
    ASSERT_EQ(2u, shifted.size());
    EXPECT_DOUBLE_EQ(0.0, shifted[0].x);
    EXPECT_DOUBLE_EQ(5.0, shifted[1].x);
}

TEST(ChromatogramTicks, TicksAtRoundValuesAsCloseAsTheirLabelsAllow)
{
    struct Row
    {
        const char* rule;
        double dLow, dHigh;
        int nLength;
        int nGap;
        const wchar_t* labels;
    };
    const Row rows[] = {
        {"a run of ten minutes on a wide axis: every minute", 0, 10, 500, 10, L"0 1 2 3 4 5 6 7 8 9 10"},
        {"the same on a narrow axis: every two", 0, 10, 180, 10, L"0 2 4 6 8 10"},
        {"narrower: every five", 0, 10, 60, 10, L"0 5 10"},
        {"a thousandth of a unit: the decimals the step needs", 0, 0.001, 500, 10,
         L"0.0000 0.0002 0.0004 0.0006 0.0008 0.0010"},
        {"a million: whole numbers, wide labels further apart", 0, 1e6, 500, 10, L"0 200000 400000 600000 800000 1000000"},
        {"negative signal: the sign stays, zero has none", -0.25, 0.1, 500, 10,
         L"-0.25 -0.20 -0.15 -0.10 -0.05 0.00 0.05 0.10"},
        {"a range that starts off a round value: from the first inside", 0.13, 0.91, 300, 10, L"0.2 0.4 0.6 0.8"},
        {"a zero range: one tick at its value", 3.5, 3.5, 300, 10, L"3.5"},
        {"no room at all: one tick", 0, 10, 0, 10, L"0"},
        {"upside down: none", 5, 1, 300, 10, L""},
        {"not a number: none", 0, std::numeric_limits<double>::infinity(), 300, 10, L""},
    };
    for (const Row& row : rows) {
        const CQLNSampleChromatogramTicks ticks =
            CQLNSampleChromatogramTicks::Choose(row.dLow, row.dHigh, row.nLength, Chars, row.nGap);
        EXPECT_EQ(std::wstring(row.labels), Joined(ticks.labels)) << row.rule;
        EXPECT_EQ(ticks.values.size(), ticks.labels.size()) << row.rule;
        // Whatever the range, neighbours' labels keep the gap apart.
        for (size_t i = 1; i < ticks.values.size(); ++i) {
            const double distance = (ticks.values[i] - ticks.values[i - 1]) * row.nLength / (row.dHigh - row.dLow);
            EXPECT_GE(distance, (Chars(ticks.labels[i]) + Chars(ticks.labels[i - 1])) / 2.0 + row.nGap) << row.rule;
        }
    }
}

TEST(ChromatogramTicks, StepsAreOneTwoOrFiveTimesAPowerOfTenAcrossEveryScale)
{
    for (double range : {0.001, 0.0037, 0.02, 0.5, 1.0, 7.3, 42.0, 999.0, 12345.0, 1e6}) {
        for (double low : {-range, -range / 3, 0.0, range * 2}) {
            const CQLNSampleChromatogramTicks ticks =
                CQLNSampleChromatogramTicks::Choose(low, low + range, 300, Chars, 8);
            ASSERT_GE(ticks.values.size(), 2u) << range << " from " << low;
            const double exponent = std::floor(std::log10(ticks.dStep));
            const double mantissa = std::round(ticks.dStep / std::pow(10.0, exponent));
            EXPECT_TRUE(mantissa == 1 || mantissa == 2 || mantissa == 5) << ticks.dStep;
            for (double v : ticks.values) {
                EXPECT_GE(v, low - range * 1e-9);
                EXPECT_LE(v, low + range * (1 + 1e-9));
            }
            EXPECT_EQ(ticks.labels.end(), std::find(ticks.labels.begin(), ticks.labels.end(), L"-0")) << range;
        }
    }
    EXPECT_EQ(L"0.00", CQLNSampleChromatogramTicks::Format(-0.001, 2)) << "rounded to zero, without the sign";
    EXPECT_EQ(L"-0.01", CQLNSampleChromatogramTicks::Format(-0.006, 2));
}

TEST(ChromatogramLabelLayout, LabelsThatWouldOverlapRiseOrAreLeftOut)
{
    using Label = CQLNSampleChromatogramLabelLayout::Label;
    struct Row
    {
        const char* rule;
        std::vector<Label> labels;
        // "x,y" for each label drawn at its left and top, "-" for one left out.
        const char* expected;
    };
    // The plot: 0 to 400 across, its top at 20; labels rise at most 30 above their place.
    const Row rows[] = {
        {"apart: each above its apex", {{100, 200, 40, 10, 5}, {300, 150, 40, 10, 9}}, "80,190 280,140"},
        {"overlapping: the lower peak's label rises onto the taller's",
         {{100, 200, 40, 10, 5}, {110, 200, 40, 10, 9}}, "80,180 90,190"},
        {"four on one spot: the last would rise too far and is left out",
         {{100, 200, 40, 12, 1}, {100, 200, 40, 12, 4}, {100, 200, 40, 12, 3}, {100, 200, 40, 12, 2}},
         "- 80,188 80,176 80,164"},
        {"rising above the plot's top: left out", {{100, 30, 40, 10, 9}, {100, 30, 40, 10, 1}}, "80,20 -"},
        {"at the plot's edge: kept inside it", {{5, 200, 40, 10, 1}, {398, 200, 40, 10, 1}}, "0,190 360,190"},
        {"wider than the plot: left out", {{200, 200, 500, 10, 1}}, "-"},
        {"empty text (no width): left out", {{200, 200, 0, 10, 1}}, "-"},
        {"touching edges do not overlap", {{100, 200, 40, 10, 2}, {140, 200, 40, 10, 1}}, "80,190 120,190"},
    };
    for (const Row& row : rows) {
        const auto placed = CQLNSampleChromatogramLabelLayout::Place(row.labels, 0, 20, 400, 30);
        std::string text;
        for (const auto& p : placed)
            text += (text.empty() ? "" : " ") +
                    (p.shown ? std::to_string(p.left) + "," + std::to_string(p.top) : std::string("-"));
        EXPECT_EQ(row.expected, text) << row.rule;
    }
}
