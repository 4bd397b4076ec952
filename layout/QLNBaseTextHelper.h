// The column engine of a text control: lays the control's lines into columns whose widths the
// user drags, wraps words inside each cell, marks an overflow and draws the column borders.
//
// Column widths are kept as divisors of the available width (ratios), so a layout survives a
// change of size or zoom. The control owns one engine for its whole life, hands it fonts,
// colours and spacing before every draw, forwards its mouse messages to it and exchanges the
// ratios last among its persisted properties. Every pointer the engine holds is borrowed.
#pragma once
#include "QLNBaseExport.h"

#include "CArray.h"
#include "CDC.h"
#include "CFontHolder.h"
#include "CPoint.h"
#include "CRect.h"
#include "CString.h"
#include "QLNDrawingFonts.h"
#include "QLNLinePlanner.h"
#include "QLNMeasuredTexts.h"

#include <vector>

class CEdit;
class COleControl;
class CPropExchange;
class CQLNTextFieldLines;

class QLN_BASE_API CQLNBaseTextHelper
{
public:
    // Half width, in pixels, of the zone around a border that grabs it.
    static const int CVEL_ColumnResizeHandleSize = 3;
    // Version written before the persisted ratios; every stored version loads the same way.
    static const unsigned long CVEL_BaseTextVersion = 2;

    explicit CQLNBaseTextHelper(COleControl* pOwnerCtrl);
    virtual ~CQLNBaseTextHelper();

    // Exchanges "VelBaseTextVer" and one "ColWidthRatio<i>" per visible column. The control
    // resets the columns from its freshly loaded properties before it calls this on loading.
    virtual void DoPropExchange(CPropExchange* pPX);

    // The zoom scales fonts only; column geometry is not zoomed.
    int m_fnSetZoom(double dZoom);
    double m_fnGetZoom() const;
    // Returns 0 and keeps the previous settings when any of the five font holders is null.
    int m_fnSetFonts(short nVerticalSpacing, CFontHolder* pDefaultFont, CFontHolder* pTitleFont,
                     unsigned long clrTitle, CFontHolder* pHeadingFont, unsigned long clrHeading,
                     CFontHolder* pPromptFont, unsigned long clrPrompt, CFontHolder* pValueFont,
                     unsigned long clrValue);
    int m_fnOnInPlaceEdit(int bInPlaceEdit);
    // nColumns logical columns, each split into a label and a value column when data labels
    // are shown with label spacing; every column gets an equal share.
    int m_fnResetColumnWidths(int nColumns, int bIncludeDataLabel, short nLabelSpacing);
    int m_fnGetVisibleColumnCount(long* pnCount) const;
    // An index outside the columns gives 0.0 (and success).
    int m_fnGetColumnWidthRatio(long nIndex, double* pdRatio) const;

    // The border drag, in the control's client coordinates. The mouse is not captured: a
    // button released outside the control leaves the drag on until the next button-up.
    int m_fnOnLButtonDown(UINT nFlags, CPoint point);
    int m_fnOnMouseMove(UINT nFlags, CPoint point);
    int m_fnOnLButtonUp(UINT nFlags, CPoint point);

    // Draws the text of the given edit window into rcBounds, its lines cut as the control cuts
    // its text fields. Returns 0 without drawing when the DC or the edit window is null, the edit
    // has no window, or a font is missing. Raises CInvalidArgException when the columns were
    // never reset.
    int m_fnOnDraw(CDC* pDC, CRect rcBounds, CRect rcInvalid, CEdit* pEdit);
    // The same for lines already cut: the control's own entry, which reads no window. The lines
    // are a reference, so that a null edit (nullptr) names the edit form alone.
    int m_fnOnDraw(CDC* pDC, CRect rcBounds, CRect rcInvalid, const CQLNTextFieldLines& lines);
    // The marker that ends a drawing whose lines do not all fit, for every report object to end
    // its own drawings with.
    static CString GetMoreMarker();

private:
    void OnDrawColumns(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid, const CQLNTextFieldLines& lines);
    // Plans the line after those before it and draws its items, each text line in its role's
    // font and colour (colours indexed by role).
    void DrawLine(CDC* pDC, CQLNLinePlanner& planner, const CString& strLine, const COLORREF* pColours);
    void DrawIndication(CDC* pDC, const CRect& rcBounds);
    void CalcAndDrawColBorders(CDC* pDC, const CRect& rcBounds, const std::vector<int>& widths);

    double ZoomForFonts() const;

    int CalculateColumnWidth(int nColumn, CRect rect);
    int ColumnBorderHitTest(CPoint point) const;
    void MatchBorderToColumns(int nBorder, int& nLeftColumn, int& nRightColumn) const;
    void ResizeColumns(int nBorder, long x);

    CFontHolder* m_pPromptFont;
    unsigned long m_clrPrompt;
    CFontHolder* m_pValueFont;
    unsigned long m_clrValue;
    CFontHolder* m_pTitleFont;
    unsigned long m_clrTitle;
    CFontHolder* m_pDefaultFont;
    CFontHolder* m_pHeadingFont;
    unsigned long m_clrHeading;
    short m_nVerticalSpacing;
    short m_nAllignType;
    BOOL m_bIncludeDataLabel;
    BOOL m_bInPlaceEdit;
    BOOL m_bResizing;
    long m_nResizeBorder;
    long m_nVisibleColumns;
    CArray<double, double> m_arrColWidthRatio;
    CArray<long, long> m_arrColBorder;
    COleControl* m_pOwnerCtrl;
    double m_dZoom;
    // The fonts of the roles, kept between passes.
    CQLNDrawingFonts m_fonts;
    // Only during a drawing pass: the line being drawn, kept to reuse their storage.
    std::vector<CQLNLinePlanner::Piece> m_pieces;
    CQLNLinePlanner::Placement m_placement;
    // The texts measured lately, answering the fitting and giving the drawing their widths;
    // and the text colour last set on the DC.
    CQLNMeasuredTexts m_measured;
    COLORREF m_clrText = CLR_INVALID;

    CQLNBaseTextHelper(const CQLNBaseTextHelper&) = delete;
    CQLNBaseTextHelper& operator=(const CQLNBaseTextHelper&) = delete;
};
