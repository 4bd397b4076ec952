// Where everything of the peak table goes, before anything is drawn: its columns' widths, the
// columns and rows that fit its bounds, the place of each text and of the grid's rules.
//
// From the top of the bounds:
//   title      (when there is one, and only above the table's first row) in the title font,
//              inset by the cell padding
//   headings   (when shown) one row in the heading font; the marker follows the last column
//              drawn when columns were left out
//   rows       in the cell font, one row high each; numbers end at their column's right edge,
//              other text starts at its left; without headings, the first row drawn carries the
//              columns' marker
// A column is as wide as its widest heading or cell, in every row the table has (not only those
// drawn), so that a table drawn in parts keeps its columns. Whole columns only, from the first
// (CQLNSamplePeakTableColumnFit). When rows are left over, the last row that would fit gives
// its place to the marker. Without rows the table shows one row of its columns' tokens.
//
// A table may be drawn in parts: from a first row on, and at most a number of rows; rows after
// those of the part are the next part's, not left over.
//
// No device context: texts are measured through a measurer in the font of a role, so the same
// rules serve drawing, the count of rows a height holds and a table of expected places.
#pragma once
#include "CString.h"

#include <windows.h>

#include <cstddef>
#include <vector>

class CQLNSamplePeakTablePlan
{
public:
    enum EFontRole { eTitleFont, eHeadingFont, eCellFont };

    class Measurer
    {
    public:
        virtual int TextWidth(EFontRole role, const CString& strText) = 0;
        // The height of a line of text in the role's font.
        virtual int LineHeight(EFontRole role) = 0;

    protected:
        ~Measurer() = default;
    };

    struct Column
    {
        CString strHeading;
        CString strToken;
    };

    // What is planned; every member is borrowed for the call.
    struct Table
    {
        CString strTitle;     // empty: no title
        bool bHeadings = true;
        std::vector<Column> columns;
        std::vector<std::vector<CString>> rows;
        CString strMarker;
        size_t nFirstRow = 0;
        size_t nRowCount = 0; // 0: every row from the first on
    };

    struct Text
    {
        EFontRole role;
        POINT pt;             // the text's top left
        CString strText;
    };

    // Space between a cell's text and its column's edges, and round the title; above and below
    // a row's text.
    static const int kCellPad = 6;
    static const int kRowPad = 2;

    // Plans the table in rcBounds (device pixels, normalised).
    static CQLNSamplePeakTablePlan Make(Measurer& measurer, const RECT& rcBounds, const Table& table);
    // How many of the part's rows a height holds whole (no marker needed for them), its title and
    // headings included.
    static size_t RowsThatFit(Measurer& measurer, int nHeight, const Table& table);

    // Every column's width, its padding included; the first nColumns are drawn, from lefts.
    std::vector<int> widths;
    size_t nColumns = 0;
    std::vector<int> lefts;
    bool bColumnsLeftOut = false;
    // Where the table's rules end on the right: the last column drawn, inside the bounds.
    int nRight = 0;
    int nHeadingHeight = 0;
    int nRowHeight = 0;
    // The grid's top (below the title) and bottom (below the last row drawn).
    int nTableTop = 0;
    int nTableBottom = 0;
    // A rule below the headings and below every row drawn.
    std::vector<int> rules;
    size_t nRowsDrawn = 0;
    bool bRowsLeftOver = false;
    // In drawing order.
    std::vector<Text> texts;

private:
    // The rows the table shows: its own, or one of its tokens when it has none.
    static const std::vector<std::vector<CString>>& ShownRows(const Table& table,
                                                              std::vector<std::vector<CString>>& tokens);
    static bool HasTitle(const Table& table);
    static int TitleHeight(Measurer& measurer, const Table& table);
    // The part's rows: from the first on, no more than the count.
    static size_t PartRows(const Table& table, size_t nRows);
};
