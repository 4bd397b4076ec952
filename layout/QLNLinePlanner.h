// Where the items of a text object's lines go, before anything is drawn: the cells each line
// takes in the grid of columns, the area and start point of each item, the font it is drawn in
// and the text lines its words wrap into.
//
// Lines fill the columns left to right, row by row; a row is as high as its tallest item and a
// new row starts when a line finds every column taken. With label columns (data labels shown
// with label spacing) every logical column is a label column and a value column, and a line
// takes both unless it is a pair:
//   empty          an empty cell, at least the default row height high
//   heading        (labels only) one cell; with label columns its area spans both
//   separate pair  (a label and a value, label columns) the label in one cell, the value in the next
//   joined pair    (a label and a value, no label columns) one cell, the value going on after the label
//   value only     (a label and a value, data labels off) the value in one cell; the label takes no room
//   two values     one cell, the second going on after the first
//   flowing        (any other mix) one cell, every item going on after the one before; labels
//                  only when data labels are shown
// An item's text is wrapped in its area (CQLNCellTextFit); a blank item takes its cell and draws
// nothing.
//
// No device context: text is measured through a measurer in the font of a role, so the same
// rules serve drawing and a table of expected placements. Every text is measured once.
#pragma once
#include "QLNBaseExport.h"

#include "CString.h"

#include <vector>

class QLN_BASE_API CQLNLinePlanner
{
public:
    enum ELineKind { eEmpty, eHeading, eSeparatePair, eJoinedPair, eValueOnly, eTwoValues, eFlowing };
    enum EFontRole { eHeadingFont, ePromptFont, eValueFont, eFontRoles };

    // An item of a line: a value ("{...}") or a label, as the tokenizer cuts it.
    struct Piece
    {
        CString strText;
        BOOL bValue;
    };

    // One wrapped text line of an item: drawn left and top aligned, clipped to rc.
    struct TextLine
    {
        RECT rc;
        CString strText;
    };

    struct Placement
    {
        int nPiece;          // index among the line's pieces; -1 for the cell of an empty line,
                             // whose role means nothing
        RECT rcArea;         // its width wraps the text (less one "A"), its bottom clips
        POINT ptStart;       // where the first character goes
        EFontRole role;
        int nColumns;        // columns the line's cursor moved on with this item
        std::vector<TextLine> lines;   // none for a blank item
    };

    class Measurer
    {
    public:
        // Width and height of the first nCount characters of pch in the font of role.
        virtual SIZE MeasureText(EFontRole role, const wchar_t* pch, int nCount) = 0;

    protected:
        ~Measurer() = default;
    };

    // widths: the pixel width of every column, left to right; nDefaultRowHeight: the height of
    // a row of empty cells. The measurer and the widths are borrowed for the planner's life.
    CQLNLinePlanner(Measurer& measurer, const RECT& rcBounds, const std::vector<int>& widths,
                    BOOL bIncludeDataLabel, short nLabelSpacing, short nVerticalSpacing, int nDefaultRowHeight);

    // The items of a line, in order: none for an empty line.
    static void ReadPieces(const CString& strLine, std::vector<Piece>& pieces);
    static ELineKind KindOf(const std::vector<Piece>& pieces, BOOL bIncludeDataLabel, short nLabelSpacing);

    // Starts placing a line after those placed before; pieces are borrowed until the line's
    // last placement is taken. A flowing line takes its cell here.
    void BeginLine(ELineKind kind, const std::vector<Piece>& pieces);
    // The next placement of the line, or FALSE when it has no more. Raises
    // CInvalidArgException when a line needs a column beyond the widths (there are none).
    BOOL Next(Placement& placement);
    // Whether the row being filled reaches the bottom of the bounds once some line had text:
    // a run of blank lines at the top never fills them.
    BOOL Full() const;

private:
    void StartNewRowWhenFull();
    int Width(int nColumn) const;
    BOOL HasLabelColumns() const;
    // Moves the cursor on by one column, or by two when bSpan and there are label columns;
    // returns the width passed.
    int TakeColumns(BOOL bSpan, int& nColumns);
    void PlaceEmpty(Placement& placement);
    void PlaceFlowing(const Piece& piece, Placement& placement);
    void PlaceInCell(const Piece& piece, Placement& placement);
    // Wraps the piece's text in the placement's area, moving the continue point and the row
    // height on; a blank text leaves both.
    void Fit(const Piece& piece, Placement& placement);
    SIZE ExtentOfA(EFontRole role);

    Measurer& m_measurer;
    const RECT m_rcBounds;
    const std::vector<int>& m_widths;
    const BOOL m_bIncludeDataLabel;
    const short m_nLabelSpacing;
    const short m_nVerticalSpacing;
    const int m_nDefaultRowHeight;

    // The cursor: the next cell's top left and column, the row's height so far.
    POINT m_ptCell;
    int m_nColumn = 0;
    int m_nRowHeight = 0;

    // The line being placed.
    ELineKind m_kind = eEmpty;
    const std::vector<Piece>* m_pPieces = nullptr;
    size_t m_nNext = 0;
    int m_nPlaced = 0;
    BOOL m_bEmptyPlaced = FALSE;
    BOOL m_bAnyText = FALSE;
    RECT m_rcFlowing = {};
    int m_nFlowingColumns = 0;
    // Where the next item that goes on after another starts.
    POINT m_ptContinue = {};

    SIZE m_sizeA[eFontRoles] = {};
    BOOL m_bKnownA[eFontRoles] = {};
};
