// The arithmetic of the column engine: column widths from ratios, the border under the mouse,
// the ratios after a border moved, and row heights under the vertical spacing. No window and no
// device context: every input is a number, so that values read from a property set (zero,
// negative, NaN or huge) can be checked here once.
#pragma once
#include "QLNBaseExport.h"

class QLN_BASE_API CQLNColumnGeometry
{
public:
    // Largest pixel width a column can have. Keeps sums of all columns of a row, added to a
    // drawing rectangle's left edge, inside the range of a 32-bit coordinate.
    static const int m_knMaxColumnWidth = 1 << 20;
    // Most layout columns a column count can give; larger counts are taken as this.
    static const int m_knMaxVisibleColumns = 1024;
    // Narrowest a column may be dragged, in pixels.
    static const int m_knMinDragWidth = 5;

    // Pixel width of a column whose width divisor is dRatio, out of nWidth pixels shared by
    // nColumns columns, rounded half up. A ratio of 0.0 means an equal share; so does a ratio
    // that is not a positive finite number (only a damaged property set holds one).
    static int ColumnWidth(double dRatio, int nColumns, double dWidth);

    // Layout column count for a count of logical columns: doubled when every logical column is
    // split into a label column and a value column, never more than m_knMaxVisibleColumns, and
    // 0 for a count below 1.
    static int VisibleColumns(int nColumns, int bIncludeDataLabel, short nLabelSpacing);

    // Index of the first border within nHalfWidth pixels of x (y plays no part), or -1.
    static int HitTest(const long* pBorders, int nBorders, long x, int nHalfWidth);

    // New ratios of the two columns beside a border that is dragged by nDelta pixels in a
    // control nWidth pixels wide, where the columns are nLeftWidth and nRightWidth pixels wide
    // now. Neither column becomes narrower than m_knMinDragWidth; when both limits apply the
    // right column's wins. Returns 0 and leaves both ratios alone when the control has no width
    // or the pair is too narrow to share between them.
    static int TradeWidths(double dWidth, int nLeftWidth, int nRightWidth, double dDelta,
                           double& dLeftRatio, double& dRightRatio);

    // Row height under the vertical spacing: 0 single, 1 one and a half (truncated), any other
    // value double.
    static int AdjustLineHeight(short nSpacing, int nHeight);
};
