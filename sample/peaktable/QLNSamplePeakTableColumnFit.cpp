#include "QLNSamplePeakTableColumnFit.h"

CQLNSamplePeakTableColumnFit CQLNSamplePeakTableColumnFit::Fit(const std::vector<int>& widths, int nWidth,
                                                               int nMarkerWidth)
{
    CQLNSamplePeakTableColumnFit fit;
    // In 64 bits: a column list is the user's and any number of wide columns may add up.
    long long nTotal = 0;
    for (int width : widths)
        nTotal += width > 0 ? width : 0;
    if (nTotal <= nWidth) {
        fit.nShown = widths.size();
        return fit;
    }
    fit.bMarked = true;
    long long nUsed = nMarkerWidth > 0 ? nMarkerWidth : 0;
    while (fit.nShown < widths.size()) {
        const int width = widths[fit.nShown];
        nUsed += width > 0 ? width : 0;
        if (nUsed > nWidth)
            break;
        ++fit.nShown;
    }
    return fit;
}
