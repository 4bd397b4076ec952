#include "QLNSampleChromatogramDecimation.h"

#include <algorithm>
#include <cmath>

namespace {

// The first and last sample index inside the view, as doubles so that no conversion overflows.
bool SamplesInView(size_t nCount, double dStart, double dInterval, double dFrom, double dTo, size_t& nFirst,
                   size_t& nLast)
{
    const double first = std::max(0.0, std::ceil((dFrom - dStart) / dInterval - 1e-9));
    const double last = std::min(static_cast<double>(nCount) - 1.0, std::floor((dTo - dStart) / dInterval + 1e-9));
    if (!(first <= last))
        return false;
    nFirst = static_cast<size_t>(first);
    nLast = static_cast<size_t>(last);
    return true;
}

} // namespace

std::vector<CQLNSampleChromatogramPoint> CQLNSampleChromatogramDecimation::Decimate(const double* pValues,
                                                                                  size_t nCount, double dStart,
                                                                                  double dInterval, double dFrom,
                                                                                  double dTo, int nColumns)
{
    std::vector<CQLNSampleChromatogramPoint> points;
    if (pValues == nullptr || nCount == 0 || nColumns <= 0 || !std::isfinite(dStart) || !std::isfinite(dInterval) ||
        !(dInterval > 0) || !std::isfinite(dFrom) || !std::isfinite(dTo) || !(dTo > dFrom))
        return points;
    size_t nFirst = 0, nLast = 0;
    if (!SamplesInView(nCount, dStart, dInterval, dFrom, dTo, nFirst, nLast))
        return points;
    const double scale = nColumns / (dTo - dFrom);
    const auto columnX = [&](size_t i) { return (dStart + static_cast<double>(i) * dInterval - dFrom) * scale; };

    if (nLast - nFirst + 1 <= 2 * static_cast<size_t>(nColumns)) {
        points.reserve(nLast - nFirst + 1);
        for (size_t i = nFirst; i <= nLast; ++i)
            points.push_back({columnX(i), pValues[i]});
        return points;
    }

    points.reserve(4 * static_cast<size_t>(nColumns));
    // Column by column, each a run of samples scanned without arithmetic per sample: the last
    // sample of column c is the last one taken before the column's right edge.
    size_t i = nFirst;
    for (int column = 0; column < nColumns && i <= nLast; ++column) {
        size_t last = nLast;
        if (column + 1 < nColumns) {
            const double edge = std::ceil(((column + 1) / scale + dFrom - dStart) / dInterval) - 1;
            last = edge < static_cast<double>(i) ? i - 1 : std::min(nLast, static_cast<size_t>(edge));
        }
        if (last + 1 == i)
            continue;
        // A sample that is not a number is never the column's extreme: it compares false.
        size_t low = i, high = i;
        double lowest = HUGE_VAL, highest = -HUGE_VAL;
        for (size_t k = i; k <= last; ++k) {
            const double v = pValues[k];
            if (v < lowest) {
                lowest = v;
                low = k;
            }
            if (v > highest) {
                highest = v;
                high = k;
            }
        }
        // Each sample once, in the order it was taken; all at the column's middle.
        const size_t order[4] = {i, std::min(low, high), std::max(low, high), last};
        for (int k = 0; k < 4; ++k)
            if (k == 0 || order[k] != order[k - 1])
                points.push_back({column + 0.5, pValues[order[k]]});
        i = last + 1;
    }
    return points;
}
