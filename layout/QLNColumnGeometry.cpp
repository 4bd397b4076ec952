#include "QLNColumnGeometry.h"

#include "AfxSaturate.h"

#include <cmath>

namespace {

bool IsUsableRatio(double dRatio)
{
    return std::isfinite(dRatio) && dRatio > 0.0;
}

// The one place where a double becomes an int: NaN is 0 and every other value is held inside
// the column width limit before the conversion.
int RoundHalfUp(double dValue)
{
    if (std::isnan(dValue))
        return 0;
    const double dLimit = CQLNColumnGeometry::m_knMaxColumnWidth;
    const double dRounded = std::floor(dValue + 0.5);
    if (dRounded > dLimit)
        return CQLNColumnGeometry::m_knMaxColumnWidth;
    if (dRounded < -dLimit)
        return -CQLNColumnGeometry::m_knMaxColumnWidth;
    return static_cast<int>(dRounded);
}

} // namespace

int CQLNColumnGeometry::ColumnWidth(double dRatio, int nColumns, double dWidth)
{
    if (!std::isfinite(dWidth))
        return 0;
    if (IsUsableRatio(dRatio))
        return RoundHalfUp(dWidth / dRatio);
    if (nColumns < 1)
        return RoundHalfUp(dWidth);
    return RoundHalfUp(dWidth / nColumns);
}

int CQLNColumnGeometry::VisibleColumns(int nColumns, int bIncludeDataLabel, short nLabelSpacing)
{
    long long n = nColumns;
    if (bIncludeDataLabel && nLabelSpacing)
        n *= 2;
    if (n < 1)
        return 0;
    return n > m_knMaxVisibleColumns ? m_knMaxVisibleColumns : static_cast<int>(n);
}

int CQLNColumnGeometry::HitTest(const long* pBorders, int nBorders, long x, int nHalfWidth)
{
    for (int k = 0; pBorders && k < nBorders; ++k) {
        const long long d = static_cast<long long>(x) - pBorders[k];
        if (d >= -nHalfWidth && d <= nHalfWidth)
            return k;
    }
    return -1;
}

int CQLNColumnGeometry::TradeWidths(double dWidth, int nLeftWidth, int nRightWidth, double dDelta,
                                    double& dLeftRatio, double& dRightRatio)
{
    if (!std::isfinite(dWidth) || dWidth <= 0.0 || std::isnan(dDelta))
        return 0;
    double dNewDelta = dDelta;
    if (nLeftWidth + dNewDelta < m_knMinDragWidth)
        dNewDelta = m_knMinDragWidth - nLeftWidth;
    if (nRightWidth - dNewDelta < m_knMinDragWidth)
        dNewDelta = nRightWidth - m_knMinDragWidth;
    const double dLeft = nLeftWidth + dNewDelta;
    const double dRight = nRightWidth - dNewDelta;
    // Both limits at once leave one column at 5 pixels and the other below: the pair is
    // narrower than two minimal columns, and no ratio could express a width of zero or less.
    if (dLeft <= 0.0 || dRight <= 0.0)
        return 0;
    dLeftRatio = dWidth / dLeft;
    dRightRatio = dWidth / dRight;
    return 1;
}

int CQLNColumnGeometry::AdjustLineHeight(short nSpacing, int nHeight)
{
    const long long h = nHeight;
    switch (nSpacing) {
    case 0:
        return nHeight;
    case 1:
        // h * 1.5 truncated toward zero, without leaving integers.
        return AfxSaturateInt(h + h / 2);
    default:
        return AfxSaturateInt(h + h);
    }
}
