// Which of the peak table's columns are drawn in the width it has: whole columns from the first,
// as many as fit, never one cut mid-text. When some are left out, the table says so with the
// library's marker after the last column drawn, and the marker needs its room too.
#pragma once
#include <cstddef>
#include <vector>

struct CQLNSamplePeakTableColumnFit
{
    // Columns drawn, from the first.
    size_t nShown = 0;
    // Whether columns were left out: the marker follows the last one drawn.
    bool bMarked = false;

    // The widths are each column's whole width, its padding included, in the units of nWidth;
    // nMarkerWidth is the room the marker takes after the last column drawn.
    static CQLNSamplePeakTableColumnFit Fit(const std::vector<int>& widths, int nWidth, int nMarkerWidth);
};
