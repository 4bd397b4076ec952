#include "QLNBaseTextHelper.h"

#include "AfxSaturate.h"
#include "CEdit.h"
#include "COleControl.h"
#include "CPropExchange.h"
#include "QLNBaseRes.h"
#include "QLNCellTextFit.h"
#include "QLNColumnGeometry.h"
#include "QLNDefaultText.h"
#include "QLNLibraryString.h"
#include "QLNPassFonts.h"
#include "QLNStringTokenizer.h"
#include "QLNTextFieldLines.h"

#include <cmath>

namespace {

// Zoom factors outside this range come from damaged data; fonts stay drawable.
const double kMinZoom = 0.01;
const double kMaxZoom = 100.0;
// The grab handles and border lines of the in-place layout.
const COLORREF kHandleColour = RGB(146, 213, 208);

// Selects a font of the pass for an item. Consecutive items in one font keep it selected, and
// the DC gets back the font it had before the pass when the pass ends (CQLNPassFonts::Release):
// every text is drawn and measured in its item's font, with half the selections.
class CZoomedFontSelection
{
public:
    CZoomedFontSelection(CDC* pDC, CQLNPassFonts& fonts, CFontHolder* pHolder, double dZoom)
        : m_pFont(fonts.Select(pDC, *pHolder, dZoom))
    {
    }

    // The font selected; null when none could be made and the DC's own stays.
    CFont* Font() const { return m_pFont; }

private:
    CFont* m_pFont;
};

// Measures on the DC's attribute DC and draws on its output DC.
class CDCSurface : public CQLNCellTextFit::Surface
{
public:
    CDCSurface(CDC* pDC, UINT nFormat) : m_pDC(pDC), m_nFormat(nFormat) {}

    SIZE MeasureText(const wchar_t* pch, int nCount) override { return m_pDC->GetTextExtent(pch, nCount); }
    void DrawPiece(const RECT& rc, const CString& strPiece) override
    {
        RECT rcDraw = rc;
        m_pDC->DrawText(strPiece.GetString(), -1, &rcDraw, m_nFormat);
    }

private:
    CDC* m_pDC;
    UINT m_nFormat;
};

bool IsBlank(const CString& str)
{
    CString strTrimmed(str);
    strTrimmed.Trim();
    return strTrimmed.IsEmpty() != FALSE;
}

} // namespace

CQLNBaseTextHelper::CQLNBaseTextHelper(COleControl* pOwnerCtrl)
    : m_pPromptFont(nullptr), m_clrPrompt(0), m_pValueFont(nullptr), m_clrValue(0), m_pTitleFont(nullptr),
      m_clrTitle(0), m_pDefaultFont(nullptr), m_pHeadingFont(nullptr), m_clrHeading(0), m_nVerticalSpacing(-1),
      m_nAllignType(1), m_bIncludeDataLabel(TRUE), m_bInPlaceEdit(FALSE), m_bResizing(FALSE), m_nResizeBorder(-1),
      m_nVisibleColumns(0), m_pOwnerCtrl(pOwnerCtrl), m_dZoom(1.0)
{
}

CQLNBaseTextHelper::~CQLNBaseTextHelper() = default;

// ---------------------------------------------------------------------------------------------
// Settings

int CQLNBaseTextHelper::m_fnSetZoom(double dZoom)
{
    m_dZoom = dZoom;
    return 1;
}

double CQLNBaseTextHelper::m_fnGetZoom() const
{
    return m_dZoom;
}

double CQLNBaseTextHelper::ZoomForFonts() const
{
    if (!std::isfinite(m_dZoom) || m_dZoom <= 0.0)
        return 1.0;
    if (m_dZoom < kMinZoom)
        return kMinZoom;
    return m_dZoom > kMaxZoom ? kMaxZoom : m_dZoom;
}

int CQLNBaseTextHelper::m_fnSetFonts(short nVerticalSpacing, CFontHolder* pDefaultFont, CFontHolder* pTitleFont,
                                     unsigned long clrTitle, CFontHolder* pHeadingFont, unsigned long clrHeading,
                                     CFontHolder* pPromptFont, unsigned long clrPrompt, CFontHolder* pValueFont,
                                     unsigned long clrValue)
{
    if (!pDefaultFont || !pTitleFont || !pHeadingFont || !pPromptFont || !pValueFont)
        return 0;
    m_nVerticalSpacing = nVerticalSpacing;
    m_pDefaultFont = pDefaultFont;
    m_pTitleFont = pTitleFont;
    m_clrTitle = clrTitle;
    m_pHeadingFont = pHeadingFont;
    m_clrHeading = clrHeading;
    m_pPromptFont = pPromptFont;
    m_clrPrompt = clrPrompt;
    m_pValueFont = pValueFont;
    m_clrValue = clrValue;
    return 1;
}

int CQLNBaseTextHelper::m_fnOnInPlaceEdit(int bInPlaceEdit)
{
    m_bInPlaceEdit = bInPlaceEdit;
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Column model

int CQLNBaseTextHelper::m_fnResetColumnWidths(int nColumns, int bIncludeDataLabel, short nLabelSpacing)
{
    m_nAllignType = nLabelSpacing;
    m_bIncludeDataLabel = bIncludeDataLabel;
    m_arrColWidthRatio.RemoveAll();
    m_arrColBorder.RemoveAll();
    m_nVisibleColumns = CQLNColumnGeometry::VisibleColumns(nColumns, bIncludeDataLabel, nLabelSpacing);
    for (long i = 0; i < m_nVisibleColumns; ++i)
        m_arrColWidthRatio.Add(static_cast<double>(m_nVisibleColumns));
    return 1;
}

int CQLNBaseTextHelper::m_fnGetVisibleColumnCount(long* pnCount) const
{
    if (!pnCount)
        return 0;
    *pnCount = m_nVisibleColumns;
    return 1;
}

int CQLNBaseTextHelper::m_fnGetColumnWidthRatio(long nIndex, double* pdRatio) const
{
    if (!pdRatio)
        return 0;
    *pdRatio = (nIndex >= 0 && nIndex < m_arrColWidthRatio.GetSize()) ? m_arrColWidthRatio[nIndex] : 0.0;
    return 1;
}

int CQLNBaseTextHelper::CalculateColumnWidth(int nColumn, CRect rect)
{
    const double dRatio = m_arrColWidthRatio.GetAt(nColumn);   // raises outside the columns
    return CQLNColumnGeometry::ColumnWidth(dRatio, m_nVisibleColumns, static_cast<double>(rect.Width()));
}

int CQLNBaseTextHelper::AdjustLineHeight(int nHeight) const
{
    return CQLNColumnGeometry::AdjustLineHeight(m_nVerticalSpacing, nHeight);
}

BOOL CQLNBaseTextHelper::HasLabelColumns() const
{
    return m_bIncludeDataLabel && m_nAllignType;
}

// ---------------------------------------------------------------------------------------------
// Border drag

int CQLNBaseTextHelper::ColumnBorderHitTest(CPoint point) const
{
    return CQLNColumnGeometry::HitTest(m_arrColBorder.GetData(), m_arrColBorder.GetSize(), point.x,
                                       CVEL_ColumnResizeHandleSize);
}

void CQLNBaseTextHelper::MatchBorderToColumns(int nBorder, int& nLeftColumn, int& nRightColumn) const
{
    nLeftColumn = nRightColumn = -1;
    if (nBorder >= 0 && nBorder < m_nVisibleColumns - 1) {
        nLeftColumn = nBorder;
        nRightColumn = nBorder + 1;
    }
}

void CQLNBaseTextHelper::ResizeColumns(int nBorder, long x)
{
    int nLeft, nRight;
    MatchBorderToColumns(nBorder, nLeft, nRight);
    if (nBorder < 0 || nLeft < 0 || nRight < 0)
        return;
    // The client width, not the drawing rectangle's: the ratios divide whatever width the
    // next draw gets, and the control draws into its client area less a small margin.
    CRect rcClient;
    if (m_pOwnerCtrl)
        m_pOwnerCtrl->GetClientRect(&rcClient);
    const double dWidth = rcClient.Width();
    const long nBorderX = m_arrColBorder.GetAt(nBorder);
    double& dLeftRatio = m_arrColWidthRatio.ElementAt(nLeft);
    double& dRightRatio = m_arrColWidthRatio.ElementAt(nRight);
    const double dDelta = static_cast<double>(x) - nBorderX;
    const int nLeftWidth = CQLNColumnGeometry::ColumnWidth(dLeftRatio, m_nVisibleColumns, dWidth);
    const int nRightWidth = CQLNColumnGeometry::ColumnWidth(dRightRatio, m_nVisibleColumns, dWidth);
    const double dLeftBefore = dLeftRatio;
    const double dRightBefore = dRightRatio;
    CQLNColumnGeometry::TradeWidths(dWidth, nLeftWidth, nRightWidth, dDelta, dLeftRatio, dRightRatio);
    // The widths are saved with the control: a container that saves only modified objects must
    // learn of the drag.
    if (m_pOwnerCtrl && (dLeftRatio != dLeftBefore || dRightRatio != dRightBefore))
        m_pOwnerCtrl->SetModifiedFlag();
}

int CQLNBaseTextHelper::m_fnOnLButtonDown(UINT nFlags, CPoint point)
{
    const int nBorder = ColumnBorderHitTest(point);
    m_nResizeBorder = nBorder;
    m_bResizing = nBorder >= 0;
    if (m_bResizing)
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
    return 1;
}

int CQLNBaseTextHelper::m_fnOnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bResizing) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
        ResizeColumns(m_nResizeBorder, point.x);
        if (m_pOwnerCtrl)
            m_pOwnerCtrl->Refresh();
    } else {
        ::SetCursor(::LoadCursorW(nullptr, ColumnBorderHitTest(point) >= 0 ? IDC_SIZEWE : IDC_ARROW));
    }
    return 1;
}

int CQLNBaseTextHelper::m_fnOnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bResizing) {
        m_nResizeBorder = -1;
        m_bResizing = FALSE;
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Persistence

void CQLNBaseTextHelper::DoPropExchange(CPropExchange* pPX)
{
    if (!pPX)
        return;
    // Written so that later versions can tell; read and ignored, as every version loads alike.
    ULONG ulVersion = CVEL_BaseTextVersion;
    PX_ULong(pPX, L"VelBaseTextVer", ulVersion, CVEL_BaseTextVersion);
    for (long i = 0; i < m_nVisibleColumns; ++i) {
        CString strKey;
        strKey.Format(L"ColWidthRatio%d", static_cast<int>(i));
        double& dRatio = m_arrColWidthRatio.ElementAt(i);
        if (pPX->IsLoading()) {
            // A missing key (older data, fewer columns saved) loads 0.0: an equal share. So
            // does a value no drag can produce (zero or less, infinite, not a number), which
            // only damaged data holds; it is not kept to be saved again.
            double dLoaded = 0.0;
            PX_Double(pPX, strKey, dLoaded, 0.0);
            dRatio = (std::isfinite(dLoaded) && dLoaded > 0.0) ? dLoaded : 0.0;
        } else {
            PX_Double(pPX, strKey, dRatio);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Drawing

int CQLNBaseTextHelper::m_fnOnDraw(CDC* pDC, CRect rcBounds, CRect rcInvalid, CEdit* pEdit)
{
    // The window's own lines (EM_GETLINE) would break at a lone line feed as well; the text is
    // cut here the one way every reader of text fields cuts it.
    if (pEdit == nullptr || pEdit->m_hWnd == nullptr)
        return 0;
    CString strText;
    pEdit->GetWindowText(strText);
    CQLNTextFieldLines lines;
    lines.SetText(strText);
    return m_fnOnDraw(pDC, rcBounds, rcInvalid, &lines);
}

int CQLNBaseTextHelper::m_fnOnDraw(CDC* pDC, CRect rcBounds, CRect rcInvalid, const CQLNTextFieldLines* pLines)
{
    if (!pDC || !pLines || !m_pDefaultFont || !m_pTitleFont || !m_pHeadingFont || !m_pPromptFont || !m_pValueFont)
        return 0;
    pDC->SetMapMode(MM_TEXT);
    // The fonts made for the pass go with it, also when it raises.
    struct CReleaseFonts
    {
        CQLNPassFonts& fonts;
        CDC* pDC;
        ~CReleaseFonts() { fonts.Release(pDC); }
    } release{m_passFonts, pDC};
    OnDrawColumns(pDC, rcBounds, rcInvalid, *pLines);
    return 1;
}

void CQLNBaseTextHelper::OnDrawColumns(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid,
                                       const CQLNTextFieldLines& lines)
{
    const int nLines = lines.GetCount();
    CRect rcCell(rcBounds);
    int nColumn = 0;
    int nRowHeight = 0;
    const int nDefaultRowHeight = pDC->GetTextExtent(L"AAA", 3).cy;
    BOOL bAnyText = FALSE;

    for (int i = 0; i < nLines; ++i) {
        const CString strLine = CQLNDefaultText::GetCustomizedLine(lines.GetLine(i));
        if (!bAnyText && !IsBlank(strLine))
            bAnyText = TRUE;
        DrawLine(pDC, strLine, rcBounds, rcCell, nColumn, nRowHeight, nDefaultRowHeight);
        // The rectangle is full only once there is something to show: a run of blank lines at
        // the top never raises the marker.
        if (static_cast<long long>(rcCell.top) + nRowHeight >= rcBounds.bottom && bAnyText) {
            DrawIndication(pDC, rcBounds);
            break;
        }
    }
    CalcAndDrawColBorders(pDC, rcBounds);
}

void CQLNBaseTextHelper::StartNewRow(int& nColumn, CRect& rcCell, int& nRowHeight, const CRect& rcBounds,
                                     int nDefaultRowHeight)
{
    rcCell.left = rcBounds.left;
    rcCell.top = AfxSaturateAdd(rcCell.top, AdjustLineHeight(nRowHeight));
    nColumn = 0;
    nRowHeight = nDefaultRowHeight;
}

void CQLNBaseTextHelper::DrawEmptyCell(int& nColumn, CRect& rcCell, int& nRowHeight, const CRect& rcBounds,
                                       int nDefaultRowHeight)
{
    if (nColumn == m_nVisibleColumns)
        StartNewRow(nColumn, rcCell, nRowHeight, rcBounds, nDefaultRowHeight);
    rcCell.left = AfxSaturateAdd(rcCell.left, CalculateColumnWidth(nColumn, rcBounds));
    ++nColumn;
    if (nRowHeight < nDefaultRowHeight)
        nRowHeight = nDefaultRowHeight;
}

CQLNBaseTextHelper::ELineKind CQLNBaseTextHelper::LineKind(int nPrompts, int nValues) const
{
    if (nValues == 0)
        return eHeading;
    if (nPrompts == 1 && nValues == 1) {
        if (!m_bIncludeDataLabel)
            return eValueOnly;
        return m_nAllignType ? eSeparatePair : eJoinedPair;
    }
    if (nPrompts == 0 && nValues == 2)
        return eTwoValues;
    return eFlowing;
}

void CQLNBaseTextHelper::DrawLine(CDC* pDC, const CString& strLine, const CRect& rcBounds, CRect& rcCell,
                                  int& nColumn, int& nRowHeight, int nDefaultRowHeight)
{
    const BOOL bLabelColumns = HasLabelColumns();
    if (strLine.IsEmpty()) {
        CZoomedFontSelection font(pDC, m_passFonts, m_pDefaultFont, ZoomForFonts());
        DrawEmptyCell(nColumn, rcCell, nRowHeight, rcBounds, nDefaultRowHeight);
        if (bLabelColumns)
            DrawEmptyCell(nColumn, rcCell, nRowHeight, rcBounds, nDefaultRowHeight);
        return;
    }
    pDC->SetTextAlign(0);
    int nPrompts = 0, nValues = 0;
    CQLNStringTokenizer::GetNumberOfPromptAndValue(strLine, nPrompts, nValues);
    const ELineKind kind = LineKind(nPrompts, nValues);

    CQLNStringTokenizer tokenizer(strLine);
    CString strItem;
    BOOL bIsValue = FALSE;
    // Until an item has drawn something, a following item of the line starts at the cell start.
    CPoint ptContinue(rcCell.left, rcCell.top);

    if (kind == eFlowing) {
        if (nColumn == m_nVisibleColumns)
            StartNewRow(nColumn, rcCell, nRowHeight, rcBounds, nDefaultRowHeight);
        int w = CalculateColumnWidth(nColumn, rcBounds);
        if (bLabelColumns) {
            w = AfxSaturateAdd(w, CalculateColumnWidth(nColumn + 1, rcBounds));
            nColumn += 2;
        } else {
            nColumn += 1;
        }
        const CRect rcArea(rcCell.left, rcCell.top, AfxSaturateAdd(rcCell.left, w), rcBounds.bottom);
        rcCell.left = rcArea.right;
        ptContinue = rcArea.TopLeft();
        while (tokenizer.GetNextString(strItem, bIsValue)) {
            if (bIsValue)
                DrawItem(pDC, m_pValueFont, m_clrValue, rcArea, ptContinue, strItem, ptContinue, nRowHeight);
            else if (m_bIncludeDataLabel)
                DrawItem(pDC, m_pPromptFont, m_clrPrompt, rcArea, ptContinue, strItem, ptContinue, nRowHeight);
        }
        return;
    }

    int nDrawn = 0;   // items of a pair or of two values placed so far
    while (tokenizer.GetNextString(strItem, bIsValue)) {
        // Labels of a value-only line are not shown and take no room.
        if (!bIsValue && kind != eHeading && !m_bIncludeDataLabel)
            continue;
        if (nColumn == m_nVisibleColumns)
            StartNewRow(nColumn, rcCell, nRowHeight, rcBounds, nDefaultRowHeight);
        const int w = CalculateColumnWidth(nColumn, rcBounds);
        CRect rcArea(rcCell.left, rcCell.top, AfxSaturateAdd(rcCell.left, w), rcBounds.bottom);
        const CPoint ptCell(rcCell.left, rcCell.top);

        // The second item of a joined pair or of two values goes on after the first, whose
        // cell it shares; that second item, or any item of the other kinds, closes its cell.
        const BOOL bShared = (kind == eJoinedPair || kind == eTwoValues);
        const BOOL bSecond = bShared && nDrawn > 0;
        const CPoint ptStart = bSecond ? ptContinue : ptCell;
        CFontHolder* pFont = bIsValue ? m_pValueFont : m_pPromptFont;
        unsigned long clr = bIsValue ? m_clrValue : m_clrPrompt;
        if (kind == eHeading) {
            pFont = m_pHeadingFont;
            clr = m_clrHeading;
        }
        BOOL bCloses = !bShared || bSecond;
        // A heading item and the second of two values span a label column and its value column.
        const BOOL bSpans = bLabelColumns && (kind == eHeading || (kind == eTwoValues && bSecond));
        if (bCloses) {
            rcCell.left = AfxSaturateAdd(rcCell.left, w);
            ++nColumn;
            if (bSpans) {
                const int wNext = CalculateColumnWidth(nColumn, rcBounds);
                rcCell.left = AfxSaturateAdd(rcCell.left, wNext);
                ++nColumn;
                if (kind == eHeading)
                    rcArea.right = AfxSaturateAdd(rcArea.right, wNext);
            }
        }
        DrawItem(pDC, pFont, clr, rcArea, ptStart, strItem, ptContinue, nRowHeight);
        ++nDrawn;
    }
}

void CQLNBaseTextHelper::DrawItem(CDC* pDC, CFontHolder* pFont, unsigned long clrText, const CRect& rcArea,
                                  CPoint ptStart, const CString& strItem, CPoint& ptContinue, int& nRowHeight)
{
    CZoomedFontSelection font(pDC, m_passFonts, pFont, ZoomForFonts());
    pDC->SetTextColor(m_pOwnerCtrl ? m_pOwnerCtrl->TranslateColor(clrText) : static_cast<COLORREF>(clrText));
    if (IsBlank(strItem))
        return;
    CRect rcDraw(rcArea);
    const SIZE sizeA = font.Font() != nullptr ? m_passFonts.ExtentOfA(pDC, font.Font()) : pDC->GetTextExtent(L"A", 1);
    const CPoint ptEnd = DrawCellText(pDC, rcDraw, ptStart, strItem, 0, TRUE, &sizeA);
    ptContinue = CPoint(ptEnd.x, AfxSaturateSub(ptEnd.y, sizeA.cy));
    const int nHeight = AfxSaturateSub(ptEnd.y, rcArea.top);
    if (nHeight > nRowHeight)
        nRowHeight = nHeight;
}

CPoint CQLNBaseTextHelper::DrawCellText(CDC* pDC, CRect& rcArea, CPoint ptStart, const CString& strText,
                                        UINT nFormat, int bDraw, const SIZE* pSizeA)
{
    const SIZE sizeA = pSizeA != nullptr ? *pSizeA : pDC->GetTextExtent(L"A", 1);
    CDCSurface surface(pDC, nFormat);
    return CQLNCellTextFit::Flow(surface, rcArea, ptStart, strText, sizeA, bDraw);
}

void CQLNBaseTextHelper::DrawIndication(CDC* pDC, const CRect& rcBounds)
{
    CZoomedFontSelection font(pDC, m_passFonts, m_pDefaultFont, ZoomForFonts());
    pDC->SetTextColor(RGB(0, 0, 0));
    CString strMore;
    QLNLoadLibraryString(strMore, IDS_QLN_MORE);
    const CSize size = pDC->GetTabbedTextExtent(strMore, 0, nullptr);
    // Opaque when the marker fits: the strip along the bottom is cleared of whatever the last
    // line drew there, so the marker reads cleanly.
    const UINT nOptions = (rcBounds.Width() > size.cx && rcBounds.Height() > size.cy) ? ETO_OPAQUE : ETO_CLIPPED;
    pDC->SetTextAlign(0);
    const int y = AfxSaturateSub(rcBounds.bottom, size.cy);
    const CRect rcStrip(rcBounds.left, y, rcBounds.right, rcBounds.bottom);
    pDC->ExtTextOut(rcBounds.left, y, nOptions, &rcStrip, strMore, nullptr);
}

void CQLNBaseTextHelper::CalcAndDrawColBorders(CDC* pDC, const CRect& rcBounds)
{
    m_arrColBorder.RemoveAll();
    CBrush brush;
    brush.CreateSolidBrush(kHandleColour);
    const int h = CVEL_ColumnResizeHandleSize;
    long long nSum = 0;
    for (int k = 0; k < m_nVisibleColumns - 1; ++k) {
        nSum += CalculateColumnWidth(k, rcBounds);
        const int nBorder = AfxSaturateInt(nSum);
        m_arrColBorder.Add(nBorder);
        if (!m_bInPlaceEdit)
            continue;
        const int x = AfxSaturateAdd(rcBounds.left, nBorder);
        pDC->SelectStockObject(BLACK_PEN);
        pDC->MoveTo(x, rcBounds.top);
        pDC->LineTo(x, rcBounds.bottom);
        const int m = static_cast<int>((static_cast<long long>(rcBounds.top) + rcBounds.bottom) / 2);
        const int nLeft = AfxSaturateSub(x, h);
        const int nRight = AfxSaturateAdd(x, h);
        const CRect rcMiddle(nLeft, AfxSaturateSub(m, h), nRight, AfxSaturateAdd(m, h));
        const CRect rcTop(nLeft, rcBounds.top, nRight, AfxSaturateAdd(rcBounds.top, 2 * h));
        const CRect rcBottom(nLeft, AfxSaturateSub(rcBounds.bottom, 2 * h), nRight, rcBounds.bottom);
        pDC->FillRect(&rcMiddle, &brush);
        pDC->FillRect(&rcTop, &brush);
        pDC->FillRect(&rcBottom, &brush);
    }
}
