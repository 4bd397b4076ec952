// Which points of a signal are drawn: at most a handful per device column, so that a run of a
// million samples draws as fast as one of ten thousand and its recording does not grow with it.
// Within a column the first and last samples join the trace to its neighbours, and the lowest and
// highest, in the order they were taken, keep every peak however narrow. A signal with no more
// samples than twice the columns keeps every one, each at its own place.
#pragma once
#include <cstddef>
#include <vector>

struct CQLNSampleChromatogramPoint
{
    // From the left edge of the view, in device columns (0 to the column count).
    double x;
    double value;
};

class CQLNSampleChromatogramDecimation
{
public:
    // Sample i was taken at dStart + i * dInterval; the view from dFrom to dTo (same unit) spreads
    // over nColumns columns. Samples outside the view are left out; a view, interval or column
    // count that is not a positive finite number gives no points.
    static std::vector<CQLNSampleChromatogramPoint> Decimate(const double* pValues, size_t nCount, double dStart,
                                                             double dInterval, double dFrom, double dTo,
                                                             int nColumns);
};
