// The ticks of one axis: at round values (1, 2 or 5 times a power of ten), as close together as
// their labels allow without two labels touching. The labels show as many decimals as the step
// needs, and never "-0".
#pragma once
#include <functional>
#include <string>
#include <vector>

struct CQLNSampleChromatogramTicks
{
    // Zero when the axis has one tick alone.
    double dStep = 0;
    int nDecimals = 0;
    std::vector<double> values;
    std::vector<std::wstring> labels;

    // The axis runs nLength device units from dLow to dHigh; extent gives a label's length along
    // the axis, and nGap is the least space between two neighbours' labels. A range of zero
    // length has one tick, at its value; a range that is not finite, or upside down, none.
    static CQLNSampleChromatogramTicks Choose(double dLow, double dHigh, int nLength,
                                              const std::function<int(const std::wstring&)>& extent, int nGap);
    static std::wstring Format(double dValue, int nDecimals);
};
