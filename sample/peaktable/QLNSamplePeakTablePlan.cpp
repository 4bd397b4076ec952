#include "QLNSamplePeakTablePlan.h"

#include "QLNBase.h"
#include "QLNSamplePeakTableColumnFit.h"

#include <algorithm>

const std::vector<std::vector<CString>>& CQLNSamplePeakTablePlan::ShownRows(const Table& table,
                                                                          std::vector<std::vector<CString>>& tokens)
{
    if (!table.rows.empty())
        return table.rows;
    tokens.assign(1, std::vector<CString>());
    for (const Column& column : table.columns)
        tokens.back().push_back(column.strToken);
    return tokens;
}

bool CQLNSamplePeakTablePlan::HasTitle(const Table& table)
{
    // A continuation repeats the headings, not the title.
    return !table.strTitle.IsEmpty() && table.nFirstRow == 0;
}

int CQLNSamplePeakTablePlan::TitleHeight(Measurer& measurer, const Table& table)
{
    return HasTitle(table) ? measurer.LineHeight(eTitleFont) + 2 * kRowPad + kCellPad : 0;
}

size_t CQLNSamplePeakTablePlan::PartRows(const Table& table, size_t nRows)
{
    const size_t nLeft = table.nFirstRow < nRows ? nRows - table.nFirstRow : 0;
    return table.nRowCount > 0 ? std::min(nLeft, table.nRowCount) : nLeft;
}

size_t CQLNSamplePeakTablePlan::RowsThatFit(Measurer& measurer, int nHeight, const Table& table)
{
    std::vector<std::vector<CString>> tokens;
    const size_t nRows = PartRows(table, ShownRows(table, tokens).size());
    const int nRowHeight = measurer.LineHeight(eCellFont) + 2 * kRowPad;
    // In 64 bits: a height and fonts from a host may be anything.
    long long nRoom = static_cast<long long>(nHeight) - TitleHeight(measurer, table);
    if (table.bHeadings)
        nRoom -= measurer.LineHeight(eHeadingFont) + 2 * kRowPad;
    if (nRoom <= 0 || nRowHeight <= 0)
        return 0;
    return static_cast<size_t>(std::min<long long>(nRoom / nRowHeight, static_cast<long long>(nRows)));
}

CQLNSamplePeakTablePlan CQLNSamplePeakTablePlan::Make(Measurer& measurer, const RECT& rc, const Table& table)
{
    CQLNSamplePeakTablePlan plan;
    std::vector<std::vector<CString>> tokens;
    const std::vector<std::vector<CString>>& rows = ShownRows(table, tokens);
    const size_t nColumnCount = table.columns.size();

    // Widths from content; each cell's width is kept for the numbers set against the right edge.
    plan.widths.assign(nColumnCount, 0);
    for (size_t c = 0; c < nColumnCount && table.bHeadings; ++c)
        plan.widths[c] = measurer.TextWidth(eHeadingFont, table.columns[c].strHeading);
    std::vector<std::vector<int>> cellWidths(rows.size());
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < nColumnCount && c < rows[r].size(); ++c) {
            cellWidths[r].push_back(measurer.TextWidth(eCellFont, rows[r][c]));
            plan.widths[c] = std::max(plan.widths[c], cellWidths[r].back());
        }
    for (int& width : plan.widths)
        width += 2 * kCellPad;
    const EFontRole markerRole = table.bHeadings ? eHeadingFont : eCellFont;
    const int nMarkerWidth = measurer.TextWidth(markerRole, table.strMarker) + 2 * kCellPad;
    const CQLNSamplePeakTableColumnFit fit =
        CQLNSamplePeakTableColumnFit::Fit(plan.widths, static_cast<int>(rc.right - rc.left), nMarkerWidth);
    plan.nColumns = fit.nShown;
    plan.bColumnsLeftOut = fit.bMarked;
    int x = rc.left;
    for (size_t c = 0; c < plan.nColumns; ++c) {
        plan.lefts.push_back(x);
        x += plan.widths[c];
    }
    plan.nRight = std::min(static_cast<int>(rc.right), x);
    const int nMarkerLeft = x + kCellPad;

    int y = rc.top;
    if (HasTitle(table)) {
        plan.texts.push_back({eTitleFont, POINT{rc.left + kCellPad, y + kRowPad}, table.strTitle});
        y += TitleHeight(measurer, table);
    }
    plan.nTableTop = y;
    plan.nHeadingHeight = measurer.LineHeight(eHeadingFont) + 2 * kRowPad;
    plan.nRowHeight = measurer.LineHeight(eCellFont) + 2 * kRowPad;
    if (table.bHeadings) {
        for (size_t c = 0; c < plan.nColumns; ++c)
            plan.texts.push_back({eHeadingFont, POINT{plan.lefts[c] + kCellPad, y + kRowPad}, table.columns[c].strHeading});
        if (plan.bColumnsLeftOut)
            plan.texts.push_back({eHeadingFont, POINT{nMarkerLeft, y + kRowPad}, table.strMarker});
        y += plan.nHeadingHeight;
        plan.rules.push_back(y);
    }
    const size_t nPartRows = PartRows(table, rows.size());
    for (size_t i = 0; i < nPartRows; ++i) {
        const size_t r = table.nFirstRow + i;
        // The last row that fits gives its place to the marker when rows remain after it.
        const bool bLast = i + 1 == nPartRows;
        if (y + plan.nRowHeight > rc.bottom || (!bLast && y + 2 * plan.nRowHeight > rc.bottom)) {
            plan.texts.push_back({eCellFont, POINT{rc.left + kCellPad, y + kRowPad}, table.strMarker});
            plan.bRowsLeftOver = true;
            break;
        }
        if (plan.bColumnsLeftOut && !table.bHeadings && i == 0)
            plan.texts.push_back({eCellFont, POINT{nMarkerLeft, y + kRowPad}, table.strMarker});
        for (size_t c = 0; c < plan.nColumns && c < rows[r].size(); ++c) {
            double dValue = 0;
            const bool bNumber = QLNConvertStringToDouble(rows[r][c], dValue) != FALSE;
            const int nLeft = bNumber ? plan.lefts[c] + plan.widths[c] - kCellPad - cellWidths[r][c]
                                      : plan.lefts[c] + kCellPad;
            plan.texts.push_back({eCellFont, POINT{nLeft, y + kRowPad}, rows[r][c]});
        }
        y += plan.nRowHeight;
        plan.rules.push_back(y);
        ++plan.nRowsDrawn;
    }
    plan.nTableBottom = y;
    return plan;
}
