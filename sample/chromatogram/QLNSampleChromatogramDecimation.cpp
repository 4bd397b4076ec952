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
    const auto flush = [&](int column, size_t first, size_t low, size_t high, size_t last) {
        // Each sample once, in the order it was taken; all at the column's middle.
        size_t order[4] = {first, std::min(low, high), std::max(low, high), last};
        const double x = column + 0.5;
        for (int k = 0; k < 4; ++k)
            if (k == 0 || order[k] != order[k - 1])
                points.push_back({x, pValues[order[k]]});
    };
    int column = -1;
    size_t first = 0, low = 0, high = 0, last = 0;
    for (size_t i = nFirst; i <= nLast; ++i) {
        const int c = std::min(nColumns - 1, std::max(0, static_cast<int>(columnX(i))));
        if (c != column) {
            if (column >= 0)
                flush(column, first, low, high, last);
            column = c;
            first = low = high = i;
        }
        last = i;
        // A sample that is not a number draws nowhere: it is never the column's extreme.
        if (pValues[i] < pValues[low])
            low = i;
        if (pValues[i] > pValues[high])
            high = i;
    }
    flush(column, first, low, high, last);
    return points;
}
