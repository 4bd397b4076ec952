#include "QLNSampleChromatogramTicks.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace {

// Ticks at every multiple of mantissa * 10^exponent inside the range, or none when there would
// be more than nMost of them.
bool TicksAt(double dLow, double dHigh, int nMantissa, int nExponent, size_t nMost, CQLNSampleChromatogramTicks& ticks)
{
    const double unit = std::pow(10.0, nExponent);
    const double step = nMantissa * unit;
    const double first = std::ceil(dLow / step - 1e-9);
    const double last = std::floor(dHigh / step + 1e-9);
    if (last - first + 1 > static_cast<double>(nMost))
        return false;
    ticks = CQLNSampleChromatogramTicks();
    ticks.dStep = step;
    ticks.nDecimals = std::max(0, -nExponent);
    for (double k = first; k <= last; k += 1) {
        // Multiplying whole numbers keeps 0.3 from coming out as 0.30000000000000004.
        const double value = nExponent < 0 ? k * nMantissa / std::pow(10.0, -nExponent) : k * step;
        ticks.values.push_back(value);
        ticks.labels.push_back(CQLNSampleChromatogramTicks::Format(value, ticks.nDecimals));
    }
    return true;
}

bool LabelsClear(const CQLNSampleChromatogramTicks& ticks, double dLow, double dHigh, int nLength,
                 const std::function<int(const std::wstring&)>& extent, int nGap)
{
    const double scale = nLength / (dHigh - dLow);
    for (size_t i = 1; i < ticks.values.size(); ++i) {
        const double distance = (ticks.values[i] - ticks.values[i - 1]) * scale;
        const double needed = (extent(ticks.labels[i - 1]) + extent(ticks.labels[i])) / 2.0 + nGap;
        if (distance < needed)
            return false;
    }
    return true;
}

} // namespace

std::wstring CQLNSampleChromatogramTicks::Format(double dValue, int nDecimals)
{
    wchar_t text[64] = {};
    std::swprintf(text, 64, L"%.*f", std::min(std::max(nDecimals, 0), 15), dValue);
    std::wstring s(text);
    // A small negative value rounded to zero is zero.
    if (s[0] == L'-' && s.find_first_of(L"123456789") == std::wstring::npos)
        s.erase(0, 1);
    return s;
}

CQLNSampleChromatogramTicks CQLNSampleChromatogramTicks::Choose(double dLow, double dHigh, int nLength,
                                                                const std::function<int(const std::wstring&)>& extent,
                                                                int nGap)
{
    CQLNSampleChromatogramTicks ticks;
    if (!std::isfinite(dLow) || !std::isfinite(dHigh) || dLow > dHigh)
        return ticks;
    if (dLow == dHigh || nLength <= 0) {
        // The value itself, with the decimals a tenth of it would need.
        const double magnitude = std::fabs(dLow);
        ticks.nDecimals = magnitude > 0 ? std::max(0, 1 - static_cast<int>(std::floor(std::log10(magnitude)))) : 0;
        ticks.values.push_back(dLow);
        ticks.labels.push_back(Format(dLow, ticks.nDecimals));
        return ticks;
    }
    // From a step that would put a tick on every device unit, upwards: the first whose labels
    // keep clear of each other.
    const size_t nMost = static_cast<size_t>(nLength) + 1;
    const int nExponent = static_cast<int>(std::floor(std::log10((dHigh - dLow) / nLength)));
    CQLNSampleChromatogramTicks candidate;
    for (int e = nExponent;; ++e) {
        for (int mantissa : {1, 2, 5}) {
            if (!TicksAt(dLow, dHigh, mantissa, e, nMost, candidate))
                continue;
            if (candidate.values.size() <= 1 || LabelsClear(candidate, dLow, dHigh, nLength, extent, nGap))
                return candidate;
        }
    }
}
