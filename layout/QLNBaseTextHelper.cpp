#include "QLNBaseTextHelper.h"

#include "AfxSaturate.h"
#include "CEdit.h"
#include "COleControl.h"
#include "CPropExchange.h"
#include "QLNBaseRes.h"
#include "QLNColumnGeometry.h"
#include "QLNDefaultText.h"
#include "QLNLibraryString.h"
#include "QLNTextFieldLines.h"

#include <cmath>
#include <cwchar>

namespace {

// Zoom factors outside this range come from damaged data; fonts stay drawable.
const double kMinZoom = 0.01;
const double kMaxZoom = 100.0;
// The grab handles and border lines of the in-place layout.
const COLORREF kHandleColour = RGB(146, 213, 208);

// Font slots of the pass: the planner's roles, then the overflow marker's.
const int kMarkerFont = CQLNLinePlanner::eFontRoles;
const int kFontSlots = kMarkerFont + 1;

// Measures on the DC's attribute DC in the role's font, which stays selected for the drawing.
// A prefix of a text measured lately is answered from that measurement.
class CDCMeasurer : public CQLNLinePlanner::Measurer
{
public:
    CDCMeasurer(CDC* pDC, CQLNDrawingFonts& fonts, CQLNMeasuredTexts& measured)
        : m_pDC(pDC), m_fonts(fonts), m_measured(measured)
    {
    }

    SIZE MeasureText(CQLNLinePlanner::EFontRole role, const wchar_t* pch, int nCount) override
    {
        SIZE size;
        if (m_measured.Find(role, pch, nCount, size))
            return size;
        m_fonts.Select(m_pDC, role);
        const int n = pch != nullptr && nCount > 0 ? static_cast<int>(::wcsnlen(pch, static_cast<size_t>(nCount))) : 0;
        if (n < 1)
            return m_pDC->GetTextExtent(pch, nCount);
        m_extents.resize(static_cast<size_t>(n));
        size = m_pDC->GetTextExtentExPoint(pch, n, m_extents.data());
        m_measured.Add(role, pch, n, m_extents.data(), size.cy);
        return size;
    }

private:
    CDC* m_pDC;
    CQLNDrawingFonts& m_fonts;
    CQLNMeasuredTexts& m_measured;
    std::vector<int> m_extents;
};

COLORREF Translate(COleControl* pOwnerCtrl, unsigned long clr)
{
    return pOwnerCtrl ? pOwnerCtrl->TranslateColor(clr) : static_cast<COLORREF>(clr);
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
    return m_fnOnDraw(pDC, rcBounds, rcInvalid, lines);
}

int CQLNBaseTextHelper::m_fnOnDraw(CDC* pDC, CRect rcBounds, CRect rcInvalid, const CQLNTextFieldLines& lines)
{
    if (!pDC || !m_pDefaultFont || !m_pTitleFont || !m_pHeadingFont || !m_pPromptFont || !m_pValueFont)
        return 0;
    pDC->SetMapMode(MM_TEXT);
    CFontHolder* const holders[kFontSlots] = {m_pHeadingFont, m_pPromptFont, m_pValueFont, m_pDefaultFont};
    m_fonts.BeginPass(holders, kFontSlots, ZoomForFonts());
    // The DC gets its own font back, also when the pass raises.
    struct CEndPass
    {
        CQLNDrawingFonts& fonts;
        CDC* pDC;
        ~CEndPass() { fonts.EndPass(pDC); }
    } end{m_fonts, pDC};
    OnDrawColumns(pDC, rcBounds, rcInvalid, lines);
    return 1;
}

void CQLNBaseTextHelper::OnDrawColumns(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid,
                                       const CQLNTextFieldLines& lines)
{
    std::vector<int> widths;
    for (int k = 0; k < m_nVisibleColumns; ++k)
        widths.push_back(CalculateColumnWidth(k, rcBounds));
    // "AAA" in the font selected when the pass begins: the control's default font.
    const int nDefaultRowHeight = pDC->GetTextExtent(L"AAA", 3).cy;
    m_measured.Clear();
    m_clrText = CLR_INVALID;
    CDCMeasurer measurer(pDC, m_fonts, m_measured);
    CQLNLinePlanner planner(measurer, rcBounds, widths, m_bIncludeDataLabel, m_nAllignType, m_nVerticalSpacing,
                            nDefaultRowHeight);
    const COLORREF colours[CQLNLinePlanner::eFontRoles] = {Translate(m_pOwnerCtrl, m_clrHeading),
                                                            Translate(m_pOwnerCtrl, m_clrPrompt),
                                                            Translate(m_pOwnerCtrl, m_clrValue)};
    pDC->SetTextAlign(0);
    const int nLines = lines.GetCount();
    for (int i = 0; i < nLines; ++i) {
        DrawLine(pDC, planner, CQLNDefaultText::GetCustomizedLine(lines.GetLine(i)), colours);
        if (planner.Full()) {
            DrawIndication(pDC, rcBounds);
            break;
        }
    }
    CalcAndDrawColBorders(pDC, rcBounds, widths);
}

void CQLNBaseTextHelper::DrawLine(CDC* pDC, CQLNLinePlanner& planner, const CString& strLine,
                                  const COLORREF* pColours)
{
    CQLNLinePlanner::ReadPieces(strLine, m_pieces);
    planner.BeginLine(CQLNLinePlanner::KindOf(m_pieces, m_bIncludeDataLabel, m_nAllignType), m_pieces);
    // Each item is placed just before it is drawn: the measuring has selected its font already.
    while (planner.Next(m_placement)) {
        if (m_placement.lines.empty())
            continue;
        // Without the role's font (the system refused it) the text is drawn in the font left
        // selected, which measures it anew.
        const bool bRoleFont = m_fonts.Select(pDC, m_placement.role) != nullptr;
        if (pColours[m_placement.role] != m_clrText) {
            m_clrText = pColours[m_placement.role];
            pDC->SetTextColor(m_clrText);
        }
        for (const CQLNLinePlanner::TextLine& line : m_placement.lines) {
            RECT rc = line.rc;
            const int nLength = line.strText.GetLength();
            pDC->DrawText(line.strText.GetString(), nLength, &rc, 0,
                          bRoleFont ? m_measured.Extents(m_placement.role, line.strText.GetString(), nLength)
                                    : nullptr);
        }
    }
}

CString CQLNBaseTextHelper::GetMoreMarker()
{
    CString strMore;
    QLNLoadLibraryString(strMore, IDS_QLN_MORE);
    return strMore;
}

void CQLNBaseTextHelper::DrawIndication(CDC* pDC, const CRect& rcBounds)
{
    m_fonts.Select(pDC, kMarkerFont);
    m_clrText = RGB(0, 0, 0);
    pDC->SetTextColor(m_clrText);
    const CString strMore = GetMoreMarker();
    const CSize size = pDC->GetTabbedTextExtent(strMore, 0, nullptr);
    // Opaque when the marker fits: the strip along the bottom is cleared of whatever the last
    // line drew there, so the marker reads cleanly.
    const UINT nOptions = (rcBounds.Width() > size.cx && rcBounds.Height() > size.cy) ? ETO_OPAQUE : ETO_CLIPPED;
    pDC->SetTextAlign(0);
    const int y = AfxSaturateSub(rcBounds.bottom, size.cy);
    const CRect rcStrip(rcBounds.left, y, rcBounds.right, rcBounds.bottom);
    pDC->ExtTextOut(rcBounds.left, y, nOptions, &rcStrip, strMore, nullptr);
}

void CQLNBaseTextHelper::CalcAndDrawColBorders(CDC* pDC, const CRect& rcBounds, const std::vector<int>& widths)
{
    m_arrColBorder.RemoveAll();
    CBrush brush;
    brush.CreateSolidBrush(kHandleColour);
    const int h = CVEL_ColumnResizeHandleSize;
    long long nSum = 0;
    for (int k = 0; k < m_nVisibleColumns - 1; ++k) {
        nSum += widths[static_cast<size_t>(k)];
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
