// The sample peak table: one row per peak, the columns chosen by the user. Its columns are a
// text-field string, one line a column: the line's prompt is the column's heading, its value
// the token, its decimal setting the column's decimals. The host reads the columns as it reads
// a text object's lines (GetColumnCount, GetColumn) and gives the rows to draw when it resolves
// a report (SetRows); without rows the table shows one row of token keys. A host that lays the
// table out over pages draws it in parts (FirstRow, RowCount) of the rows that fit each page's
// room (RowsThatFit); every part repeats the headings.
#pragma once
#include "QLNBase.h"
#include "QLNSamplePeakTablePlan.h"

#include <vector>

// {9E4C1B27-3D85-4A6F-B0C2-1F8E7A5D3C49}
extern const CLSID CLSID_QLNSamplePeakTableCtrl;

class CQLNSamplePeakTableCtrl : public COleControl
{
    DECLARE_DYNAMIC(CQLNSamplePeakTableCtrl)
public:
    // Values of GridLines.
    enum : short { kGridNone = 0, kGridRows = 1, kGridAll = 2 };

    CQLNSamplePeakTableCtrl();
    ~CQLNSamplePeakTableCtrl() override;

    void DoPropExchange(CPropExchange* pPX) override;
    void OnResetState() override;
    void OnDraw(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid) override;
    void OnFontChanged() override;
    // The table's sheet: its columns page and the library's table font page.
    BOOL OnProperties(LPMSG lpMsg, HWND hWndParent, LPCRECT lpRect) override;
    // Nothing of the table is edited in place: its sheet is where it changes.
    DWORD GetMiscStatus() override;

    // The three fonts and colours, for the font page, which edits the fonts in place.
    CFontHolder& GetTitleFontHolder() { return m_fontTitle; }
    CFontHolder& GetHeadingFontHolder() { return m_fontHeading; }
    CFontHolder& GetCellFontHolder() { return m_fontCell; }

    // Automation: properties.
    BSTR GetColumns();
    void SetColumns(LPCTSTR lpszColumns);
    // The columns as the user writes them: each column's shown text, one a line. A line the
    // table had, or one of its catalogue, keeps its decimals.
    BSTR GetColumnList();
    void SetColumnList(LPCTSTR lpszList);
    BSTR GetTitle();
    void SetTitle(LPCTSTR lpszTitle);
    BOOL m_bShowTitle;
    BOOL m_bShowHeadings;
    short GetGridLines();
    void SetGridLines(short nGrid);
    OLE_COLOR m_clrGrid;
    IFontDisp* GetTitleFont();
    void SetTitleFont(IFontDisp* pFont);
    IFontDisp* GetHeadingFont();
    void SetHeadingFont(IFontDisp* pFont);
    IFontDisp* GetCellFont();
    void SetCellFont(IFontDisp* pFont);
    OLE_COLOR m_clrTitle;
    OLE_COLOR m_clrHeading;
    OLE_COLOR m_clrCell;

    // Automation: methods.
    long GetColumnCount();
    // Hands out column nColumn's shown text (when pColumn is not null; the caller frees it) and
    // returns the length of the whole stored line; "" and 0 past the last column.
    long GetColumn(long nColumn, BSTR* pColumn);
    // Rows as text: one a line (carriage return and line feed between them), cells separated by
    // tabs in the order of the columns. Not saved: a host gives them on every resolve.
    void SetRows(LPCTSTR lpszRows);
    void SetZoom(double dZoom);
    // The rows drawn: from FirstRow (0 the first) on, at most RowCount of them (0: as many as
    // fit). Not saved, like the rows: a host sets them for each part it draws.
    long GetFirstRow();
    void SetFirstRow(long nRow);
    long GetRowCount();
    void SetRowCount(long nCount);
    // How many rows from FirstRow a height in HIMETRIC holds whole, with the headings (and the
    // title above the first row), at the zoom the table is at: a host that draws it on a device
    // at a zoom sets that zoom first.
    long RowsThatFit(long nHeight);
    // The decimals of time values in columns added from now on, in every report object of the
    // process; a column keeps the decimals it has.
    void SetRTPrecision(long nPrecision);

    DECLARE_DISPATCH_MAP()

protected:
    void OnAppearanceChanged();

private:
    using Column = CQLNSamplePeakTablePlan::Column;
    std::vector<Column> ReadColumns() const;
    CQLNSamplePeakTablePlan::Table PlannedTable() const;
    CQLNDefaultText* GetCatalogue();
    void SetFont(CFontHolder& font, IFontDisp* pFont);

    CString m_strColumns;
    CQLNTextFieldLines m_lines;
    CString m_strTitle;
    short m_nGridLines;
    CFontHolder m_fontTitle;
    CFontHolder m_fontHeading;
    CFontHolder m_fontCell;
    std::vector<std::vector<CString>> m_rows;
    long m_nFirstRow;
    long m_nRowCount;
    double m_dZoom;
    CQLNDefaultText* m_pCatalogue;
};
