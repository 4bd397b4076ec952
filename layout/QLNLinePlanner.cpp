#include "QLNLinePlanner.h"

#include "AfxSaturate.h"
#include "CInvalidArgException.h"
#include "QLNCellTextFit.h"
#include "QLNColumnGeometry.h"
#include "QLNStringTokenizer.h"

namespace {

// Measures in one role's font and keeps the pieces the fit would draw.
class CRecordingSurface : public CQLNCellTextFit::Surface
{
public:
    CRecordingSurface(CQLNLinePlanner::Measurer& measurer, CQLNLinePlanner::EFontRole role,
                      std::vector<CQLNLinePlanner::TextLine>& lines)
        : m_measurer(measurer), m_role(role), m_lines(lines)
    {
    }

    SIZE MeasureText(const wchar_t* pch, int nCount) override { return m_measurer.MeasureText(m_role, pch, nCount); }
    void DrawPiece(const RECT& rc, const CString& strPiece) override { m_lines.push_back({rc, strPiece}); }

private:
    CQLNLinePlanner::Measurer& m_measurer;
    CQLNLinePlanner::EFontRole m_role;
    std::vector<CQLNLinePlanner::TextLine>& m_lines;
};

// Asked of every item twice a pass: decided in place, without a trimmed copy.
bool IsBlank(const CString& str)
{
    return CQLNCellTextFit::IsBlank(str.GetString(), str.GetLength());
}

RECT Area(long nLeft, long nTop, int nWidth, long nBottom)
{
    return RECT{nLeft, nTop, AfxSaturateAdd(nLeft, nWidth), nBottom};
}

} // namespace

CQLNLinePlanner::CQLNLinePlanner(Measurer& measurer, const RECT& rcBounds, const std::vector<int>& widths,
                                 BOOL bIncludeDataLabel, short nLabelSpacing, short nVerticalSpacing,
                                 int nDefaultRowHeight)
    : m_measurer(measurer), m_rcBounds(rcBounds), m_widths(widths), m_bIncludeDataLabel(bIncludeDataLabel),
      m_nLabelSpacing(nLabelSpacing), m_nVerticalSpacing(nVerticalSpacing), m_nDefaultRowHeight(nDefaultRowHeight),
      m_ptCell{rcBounds.left, rcBounds.top}
{
}

void CQLNLinePlanner::ReadPieces(const CString& strLine, std::vector<Piece>& pieces)
{
    // The pieces of the line before are overwritten, not destroyed: their texts keep their
    // storage, so a pass over lines of a similar shape allocates for none of them.
    CQLNStringTokenizer tokenizer(strLine);
    CString strItem;
    BOOL bValue = FALSE;
    size_t nPieces = 0;
    while (tokenizer.GetNextString(strItem, bValue)) {
        if (nPieces == pieces.size())
            pieces.push_back({CString(), FALSE});
        Piece& piece = pieces[nPieces++];
        piece.strText = strItem;
        piece.bValue = bValue;
    }
    pieces.resize(nPieces);
}

CQLNLinePlanner::ELineKind CQLNLinePlanner::KindOf(const std::vector<Piece>& pieces, BOOL bIncludeDataLabel,
                                                   short nLabelSpacing)
{
    if (pieces.empty())
        return eEmpty;
    int nPrompts = 0, nValues = 0;
    for (const Piece& piece : pieces)
        ++(piece.bValue ? nValues : nPrompts);
    if (nValues == 0)
        return eHeading;
    if (nPrompts == 1 && nValues == 1) {
        if (!bIncludeDataLabel)
            return eValueOnly;
        return nLabelSpacing ? eSeparatePair : eJoinedPair;
    }
    if (nPrompts == 0 && nValues == 2)
        return eTwoValues;
    return eFlowing;
}

BOOL CQLNLinePlanner::HasLabelColumns() const
{
    return m_bIncludeDataLabel && m_nLabelSpacing;
}

int CQLNLinePlanner::Width(int nColumn) const
{
    if (nColumn < 0 || static_cast<size_t>(nColumn) >= m_widths.size())
        AfxThrowInvalidArgException();
    return m_widths[static_cast<size_t>(nColumn)];
}

void CQLNLinePlanner::StartNewRowWhenFull()
{
    if (static_cast<size_t>(m_nColumn) != m_widths.size())
        return;
    m_ptCell.x = m_rcBounds.left;
    m_ptCell.y = AfxSaturateAdd(m_ptCell.y, CQLNColumnGeometry::AdjustLineHeight(m_nVerticalSpacing, m_nRowHeight));
    m_nColumn = 0;
    m_nRowHeight = m_nDefaultRowHeight;
}

int CQLNLinePlanner::TakeColumns(BOOL bSpan, int& nColumns)
{
    int nWidth = Width(m_nColumn);
    ++m_nColumn;
    nColumns = 1;
    if (bSpan && HasLabelColumns()) {
        nWidth = AfxSaturateAdd(nWidth, Width(m_nColumn));
        ++m_nColumn;
        nColumns = 2;
    }
    m_ptCell.x = AfxSaturateAdd(m_ptCell.x, nWidth);
    return nWidth;
}

void CQLNLinePlanner::BeginLine(ELineKind kind, const std::vector<Piece>& pieces)
{
    m_kind = kind;
    m_pPieces = &pieces;
    m_nNext = 0;
    m_nPlaced = 0;
    m_bEmptyPlaced = FALSE;
    for (size_t i = 0; i < pieces.size() && !m_bAnyText; ++i)
        m_bAnyText = !IsBlank(pieces[i].strText);
    if (kind != eFlowing)
        return;
    // Its cell is taken even when none of its items is shown.
    StartNewRowWhenFull();
    const POINT ptCell = m_ptCell;
    const int nWidth = TakeColumns(TRUE, m_nFlowingColumns);
    m_rcFlowing = Area(ptCell.x, ptCell.y, nWidth, m_rcBounds.bottom);
    m_ptContinue = ptCell;
}

BOOL CQLNLinePlanner::Next(Placement& placement)
{
    placement.lines.clear();
    if (m_kind == eEmpty) {
        if (m_bEmptyPlaced)
            return FALSE;
        m_bEmptyPlaced = TRUE;
        PlaceEmpty(placement);
        return TRUE;
    }
    while (m_pPieces != nullptr && m_nNext < m_pPieces->size()) {
        const size_t nPiece = m_nNext++;
        const Piece& piece = (*m_pPieces)[nPiece];
        // Labels are not shown with data labels off, and take no room; a heading is all labels.
        if (!piece.bValue && m_kind != eHeading && !m_bIncludeDataLabel)
            continue;
        placement.nPiece = static_cast<int>(nPiece);
        if (m_kind == eFlowing)
            PlaceFlowing(piece, placement);
        else
            PlaceInCell(piece, placement);
        ++m_nPlaced;
        return TRUE;
    }
    return FALSE;
}

void CQLNLinePlanner::PlaceEmpty(Placement& placement)
{
    StartNewRowWhenFull();
    placement.nPiece = -1;
    placement.ptStart = m_ptCell;
    placement.role = eValueFont;
    const int nWidth = TakeColumns(TRUE, placement.nColumns);
    placement.rcArea = Area(placement.ptStart.x, placement.ptStart.y, nWidth, m_rcBounds.bottom);
    if (m_nRowHeight < m_nDefaultRowHeight)
        m_nRowHeight = m_nDefaultRowHeight;
}

void CQLNLinePlanner::PlaceFlowing(const Piece& piece, Placement& placement)
{
    placement.rcArea = m_rcFlowing;
    placement.ptStart = m_ptContinue;
    placement.role = piece.bValue ? eValueFont : ePromptFont;
    placement.nColumns = m_nPlaced == 0 ? m_nFlowingColumns : 0;
    Fit(piece, placement);
}

void CQLNLinePlanner::PlaceInCell(const Piece& piece, Placement& placement)
{
    StartNewRowWhenFull();
    const POINT ptCell = m_ptCell;
    // The second item of a joined pair or of two values goes on after the first, whose cell
    // it shares; that second item, or any item of the other kinds, closes its cell. A heading
    // closes both columns of label columns and wraps across them; the second of two values
    // takes the value column too but wraps in its first cell, as the first value does.
    const BOOL bShared = m_kind == eJoinedPair || m_kind == eTwoValues;
    const BOOL bSecond = bShared && m_nPlaced > 0;
    int nWidth = Width(m_nColumn);
    placement.nColumns = 0;
    if (!bShared || bSecond) {
        const int nTaken = TakeColumns(m_kind == eHeading || (m_kind == eTwoValues && bSecond), placement.nColumns);
        if (m_kind == eHeading)
            nWidth = nTaken;
    }
    placement.rcArea = Area(ptCell.x, ptCell.y, nWidth, m_rcBounds.bottom);
    // The first item starts at its cell, and so does what goes on after it when it is blank.
    if (!bSecond)
        m_ptContinue = ptCell;
    placement.ptStart = m_ptContinue;
    placement.role = m_kind == eHeading ? eHeadingFont : piece.bValue ? eValueFont : ePromptFont;
    Fit(piece, placement);
}

void CQLNLinePlanner::Fit(const Piece& piece, Placement& placement)
{
    if (IsBlank(piece.strText))
        return;
    const SIZE sizeA = ExtentOfA(placement.role);
    CRecordingSurface surface(m_measurer, placement.role, placement.lines);
    const POINT ptEnd = CQLNCellTextFit::Flow(surface, placement.rcArea, placement.ptStart, piece.strText, sizeA, 1);
    m_ptContinue = POINT{ptEnd.x, AfxSaturateSub(ptEnd.y, sizeA.cy)};
    const int nHeight = AfxSaturateSub(ptEnd.y, placement.rcArea.top);
    if (nHeight > m_nRowHeight)
        m_nRowHeight = nHeight;
}

SIZE CQLNLinePlanner::ExtentOfA(EFontRole role)
{
    if (!m_bKnownA[role]) {
        m_sizeA[role] = m_measurer.MeasureText(role, L"A", 1);
        m_bKnownA[role] = TRUE;
    }
    return m_sizeA[role];
}

BOOL CQLNLinePlanner::Full() const
{
    return m_bAnyText && static_cast<long long>(m_ptCell.y) + m_nRowHeight >= m_rcBounds.bottom;
}
