#include "QLNSamplePeakTableCtrl.h"

#include "AfxDispatch.h"
#include "QLNSamplePeakTableColumnsPage.h"
#include "QLNSamplePeakTableFontPage.h"
#include "QLNSamplePeakTableRes.h"

#include <algorithm>
#include <new>
#include <utility>

const CLSID CLSID_QLNSamplePeakTableCtrl = {0x9e4c1b27, 0x3d85, 0x4a6f, {0xb0, 0xc2, 0x1f, 0x8e, 0x7a, 0x5d, 0x3c, 0x49}};

IMPLEMENT_DYNAMIC(CQLNSamplePeakTableCtrl, COleControl)

BEGIN_DISPATCH_MAP(CQLNSamplePeakTableCtrl, COleControl)
    DISP_PROPERTY_EX_ID(CQLNSamplePeakTableCtrl, "Columns", 1, GetColumns, SetColumns, VT_BSTR)
    DISP_PROPERTY_EX_ID(CQLNSamplePeakTableCtrl, "ColumnList", 2, GetColumnList, SetColumnList, VT_BSTR)
    DISP_PROPERTY_EX_ID(CQLNSamplePeakTableCtrl, "Title", 3, GetTitle, SetTitle, VT_BSTR)
    DISP_PROPERTY_NOTIFY_ID(CQLNSamplePeakTableCtrl, "ShowTitle", 4, m_bShowTitle, OnAppearanceChanged, VT_BOOL)
    DISP_PROPERTY_NOTIFY_ID(CQLNSamplePeakTableCtrl, "ShowHeadings", 5, m_bShowHeadings, OnAppearanceChanged, VT_BOOL)
    DISP_PROPERTY_EX_ID(CQLNSamplePeakTableCtrl, "GridLines", 6, GetGridLines, SetGridLines, VT_I2)
    DISP_PROPERTY_NOTIFY_ID(CQLNSamplePeakTableCtrl, "GridColor", 7, m_clrGrid, OnAppearanceChanged, VT_COLOR)
    DISP_PROPERTY_EX_ID(CQLNSamplePeakTableCtrl, "TitleFont", 8, GetTitleFont, SetTitleFont, VT_FONT)
    DISP_PROPERTY_EX_ID(CQLNSamplePeakTableCtrl, "HeadingFont", 9, GetHeadingFont, SetHeadingFont, VT_FONT)
    DISP_PROPERTY_EX_ID(CQLNSamplePeakTableCtrl, "CellFont", 10, GetCellFont, SetCellFont, VT_FONT)
    DISP_PROPERTY_NOTIFY_ID(CQLNSamplePeakTableCtrl, "TitleColor", 11, m_clrTitle, OnAppearanceChanged, VT_COLOR)
    DISP_PROPERTY_NOTIFY_ID(CQLNSamplePeakTableCtrl, "HeadingColor", 12, m_clrHeading, OnAppearanceChanged, VT_COLOR)
    DISP_PROPERTY_NOTIFY_ID(CQLNSamplePeakTableCtrl, "CellColor", 13, m_clrCell, OnAppearanceChanged, VT_COLOR)
    DISP_FUNCTION_ID(CQLNSamplePeakTableCtrl, "GetColumnCount", 20, GetColumnCount, VT_I4, VTS_NONE)
    DISP_FUNCTION_ID(CQLNSamplePeakTableCtrl, "GetColumn", 21, GetColumn, VT_I4, VTS_I4 VTS_PBSTR)
    DISP_FUNCTION_ID(CQLNSamplePeakTableCtrl, "SetRows", 22, SetRows, VT_EMPTY, VTS_BSTR)
    DISP_FUNCTION_ID(CQLNSamplePeakTableCtrl, "SetZoom", 23, SetZoom, VT_EMPTY, VTS_R8)
    DISP_FUNCTION_ID(CQLNSamplePeakTableCtrl, "SetRTPrecision", 24, SetRTPrecision, VT_EMPTY, VTS_I4)
    DISP_PROPERTY_EX_ID(CQLNSamplePeakTableCtrl, "FirstRow", 25, GetFirstRow, SetFirstRow, VT_I4)
    DISP_PROPERTY_EX_ID(CQLNSamplePeakTableCtrl, "RowCount", 26, GetRowCount, SetRowCount, VT_I4)
    DISP_FUNCTION_ID(CQLNSamplePeakTableCtrl, "RowsThatFit", 27, RowsThatFit, VT_I4, VTS_I4)
END_DISPATCH_MAP()

namespace {

FONTDESC FontDesc(long long cySize, short sWeight)
{
    FONTDESC fd = {};
    fd.cbSizeofstruct = sizeof fd;
    fd.lpstrName = const_cast<LPOLESTR>(L"Arial");
    fd.cySize.int64 = cySize;
    fd.sWeight = sWeight;
    fd.sCharset = ANSI_CHARSET;
    return fd;
}

const FONTDESC g_fontDescTitle = FontDesc(120000, FW_BOLD);
const FONTDESC g_fontDescHeading = FontDesc(90000, FW_BOLD);
const FONTDESC g_fontDescCell = FontDesc(90000, FW_NORMAL);
const DWORD kVersion = 0x10000;

CString Trimmed(CString s)
{
    s.Trim();
    return s;
}

// Lines of a text cut at carriage return plus line feed; an empty text has none.
std::vector<CString> SplitAt(const CString& text, const wchar_t* pszBreak)
{
    std::vector<CString> parts;
    if (text.IsEmpty())
        return parts;
    const int nBreak = static_cast<int>(::wcslen(pszBreak));
    for (int start = 0;;) {
        const int brk = text.Find(pszBreak, start);
        if (brk < 0) {
            parts.push_back(text.Mid(start));
            return parts;
        }
        parts.push_back(text.Mid(start, brk - start));
        start = brk + nBreak;
    }
}

// The table's three fonts at a zoom, measured on and selected into one device context; the
// context gets its own font back when they go.
class TableFonts : public CQLNSamplePeakTablePlan::Measurer
{
public:
    TableFonts(CDC& dc, CFontHolder* holders[3], double dZoom) : m_dc(dc)
    {
        for (int i = 0; i < 3; ++i) {
            LOGFONTW lf = {};
            QLNZoomFontHolderToLOGFONT(*holders[i], dZoom, lf);
            m_fonts[i].CreateFontIndirect(&lf);
        }
    }
    ~TableFonts()
    {
        if (m_pOld != nullptr)
            m_dc.SelectObject(m_pOld);
    }
    TableFonts(const TableFonts&) = delete;
    TableFonts& operator=(const TableFonts&) = delete;

    void Select(CQLNSamplePeakTablePlan::EFontRole role)
    {
        CFont* pOld = m_dc.SelectObject(&m_fonts[role]);
        if (m_pOld == nullptr)
            m_pOld = pOld;
    }
    int TextWidth(CQLNSamplePeakTablePlan::EFontRole role, const CString& strText) override
    {
        Select(role);
        return m_dc.GetTextExtent(strText).cx;
    }
    int LineHeight(CQLNSamplePeakTablePlan::EFontRole role) override
    {
        Select(role);
        return m_dc.GetTextExtent(CString(L"Ag")).cy;
    }

private:
    CDC& m_dc;
    CFont m_fonts[3];
    CFont* m_pOld = nullptr;
};

} // namespace

CQLNSamplePeakTableCtrl::CQLNSamplePeakTableCtrl()
    : m_bShowTitle(TRUE), m_bShowHeadings(TRUE), m_clrGrid(0x808080), m_clrTitle(0), m_clrHeading(0), m_clrCell(0),
      m_nGridLines(kGridRows), m_fontTitle(GetFontNotificationSink()), m_fontHeading(GetFontNotificationSink()),
      m_fontCell(GetFontNotificationSink()), m_nFirstRow(0), m_nRowCount(0), m_dZoom(1.0),
      m_pCatalogue(nullptr)
{
    SetInitialSize(480, 200);
    m_fontTitle.InitializeFont(&g_fontDescTitle);
    m_fontHeading.InitializeFont(&g_fontDescHeading);
    m_fontCell.InitializeFont(&g_fontDescCell);
}

CQLNSamplePeakTableCtrl::~CQLNSamplePeakTableCtrl()
{
    delete m_pCatalogue;
}

CQLNDefaultText* CQLNSamplePeakTableCtrl::GetCatalogue()
{
    if (m_pCatalogue == nullptr) {
        UINT ids[PEAKTABLE_ITEM_COUNT];
        for (int i = 0; i < PEAKTABLE_ITEM_COUNT; ++i)
            ids[i] = IDS_PEAKTABLE_ITEM_FIRST + static_cast<UINT>(i);
        m_pCatalogue = new (std::nothrow) CQLNDefaultText(ids, PEAKTABLE_ITEM_COUNT);
    }
    return m_pCatalogue;
}

// --- Columns ------------------------------------------------------------------------------

BSTR CQLNSamplePeakTableCtrl::GetColumns()
{
    return m_strColumns.AllocSysString();
}

void CQLNSamplePeakTableCtrl::SetColumns(LPCTSTR lpszColumns)
{
    CQLNTextFieldLines lines;
    lines.SetText(CString(lpszColumns));
    m_lines = std::move(lines);
    m_strColumns = lpszColumns;
    SetModifiedFlag();
    InvalidateControl();
}

BSTR CQLNSamplePeakTableCtrl::GetColumnList()
{
    CString list;
    for (long i = 0; i < m_lines.GetCount(); ++i)
        list += (i > 0 ? L"\r\n" : L"") + CQLNDefaultText::GetCustomizedLine(m_lines.GetLine(i));
    return list.AllocSysString();
}

void CQLNSamplePeakTableCtrl::SetColumnList(LPCTSTR lpszList)
{
    CQLNDefaultText* pCatalogue = GetCatalogue();
    CString columns;
    for (const CString& shown : SplitAt(CString(lpszList), L"\r\n")) {
        if (Trimmed(shown).IsEmpty())
            continue;
        // The table's own line for the text first, then the catalogue's item, then user text.
        CString line;
        for (long i = 0; i < m_lines.GetCount() && line.IsEmpty(); ++i)
            if (CQLNDefaultText::GetCustomizedLine(m_lines.GetLine(i)) == shown)
                line = m_lines.GetLine(i);
        if (line.IsEmpty()) {
            const BOOL bItem = pCatalogue != nullptr && pCatalogue->IsDefaultItem(shown);
            CString decimal = bItem ? pCatalogue->GetDefaultDecimal(shown) : CString(L"-1");
            CQLNDefaultText::FormTextLine(bItem ? shown : CString(), decimal, shown, line);
        }
        columns += (columns.IsEmpty() ? L"" : L"\r\n") + line;
    }
    if (columns != m_strColumns)
        SetColumns(columns);
}

long CQLNSamplePeakTableCtrl::GetColumnCount()
{
    return m_lines.GetCount();
}

long CQLNSamplePeakTableCtrl::GetColumn(long nColumn, BSTR* pColumn)
{
    const CString line = m_lines.GetLine(nColumn);
    if (pColumn != nullptr)
        *pColumn = CQLNDefaultText::GetCustomizedLine(line).AllocSysString();
    return line.GetLength();
}

std::vector<CQLNSamplePeakTableCtrl::Column> CQLNSamplePeakTableCtrl::ReadColumns() const
{
    std::vector<Column> columns;
    for (long i = 0; i < m_lines.GetCount(); ++i) {
        // The prompts make the heading (without the colon that ends a prompt), the first value
        // the token; a column of text alone shows that text in every row.
        CQLNStringTokenizer tokenizer(CQLNDefaultText::GetCustomizedLine(m_lines.GetLine(i)));
        Column column;
        CString item;
        BOOL bIsValue = FALSE;
        while (tokenizer.GetNextString(item, bIsValue)) {
            if (!bIsValue)
                column.strHeading += item;
            else if (column.strToken.IsEmpty())
                column.strToken = item;
        }
        column.strHeading.Trim();
        column.strHeading.TrimRight(L":");
        if (column.strToken.IsEmpty())
            column.strToken = column.strHeading;
        columns.push_back(column);
    }
    return columns;
}

void CQLNSamplePeakTableCtrl::SetRows(LPCTSTR lpszRows)
{
    std::vector<std::vector<CString>> rows;
    for (const CString& line : SplitAt(CString(lpszRows), L"\r\n"))
        rows.push_back(SplitAt(line, L"\t"));
    m_rows = std::move(rows);
    InvalidateControl();
}

long CQLNSamplePeakTableCtrl::GetFirstRow()
{
    return m_nFirstRow;
}

void CQLNSamplePeakTableCtrl::SetFirstRow(long nRow)
{
    if (nRow < 0) {
        CString strError;
        strError.LoadString(IDS_PEAKTABLE_BAD_ROWS);
        AfxThrowOleDispatchException(0, strError);
    }
    m_nFirstRow = nRow;
    InvalidateControl();
}

long CQLNSamplePeakTableCtrl::GetRowCount()
{
    return m_nRowCount;
}

void CQLNSamplePeakTableCtrl::SetRowCount(long nCount)
{
    if (nCount < 0) {
        CString strError;
        strError.LoadString(IDS_PEAKTABLE_BAD_ROWS);
        AfxThrowOleDispatchException(0, strError);
    }
    m_nRowCount = nCount;
    InvalidateControl();
}

long CQLNSamplePeakTableCtrl::RowsThatFit(long nHeight)
{
    // The fonts are measured on the screen at the table's zoom: a font of a height in pixels has
    // the same extents on any device, and the zoom makes the screen's pixels the device's.
    CDC dc;
    if (!dc.Attach(::CreateCompatibleDC(nullptr)))
        return 0;
    const double dPixelsPerHimetric = dc.GetDeviceCaps(LOGPIXELSY) * m_dZoom / 2540.0;
    const double dPixels = static_cast<double>(nHeight) * dPixelsPerHimetric;
    if (!(dPixels >= 1.0))
        return 0;
    CFontHolder* holders[3] = {&m_fontTitle, &m_fontHeading, &m_fontCell};
    TableFonts fonts(dc, holders, m_dZoom);
    const size_t nFit = CQLNSamplePeakTablePlan::RowsThatFit(fonts, static_cast<int>(std::min(dPixels, 1e9)), PlannedTable());
    return static_cast<long>(std::min<size_t>(nFit, 0x7FFFFFFF));
}

// --- Other properties -----------------------------------------------------------------------

BSTR CQLNSamplePeakTableCtrl::GetTitle()
{
    return m_strTitle.AllocSysString();
}

void CQLNSamplePeakTableCtrl::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    SetModifiedFlag();
    InvalidateControl();
}

short CQLNSamplePeakTableCtrl::GetGridLines()
{
    return m_nGridLines;
}

void CQLNSamplePeakTableCtrl::SetGridLines(short nGrid)
{
    if (nGrid < kGridNone || nGrid > kGridAll) {
        CString strError;
        strError.LoadString(IDS_PEAKTABLE_BAD_GRID);
        AfxThrowOleDispatchException(0, strError);
    }
    m_nGridLines = nGrid;
    OnAppearanceChanged();
}

void CQLNSamplePeakTableCtrl::OnAppearanceChanged()
{
    SetModifiedFlag();
    InvalidateControl();
}

void CQLNSamplePeakTableCtrl::SetFont(CFontHolder& font, IFontDisp* pFont)
{
    const FONTDESC* pDesc = &font == &m_fontTitle ? &g_fontDescTitle
                            : &font == &m_fontHeading ? &g_fontDescHeading : &g_fontDescCell;
    font.InitializeFont(pDesc, pFont);
    OnFontChanged();
    SetModifiedFlag();
}

IFontDisp* CQLNSamplePeakTableCtrl::GetTitleFont() { return m_fontTitle.GetFontDispatch(); }
void CQLNSamplePeakTableCtrl::SetTitleFont(IFontDisp* pFont) { SetFont(m_fontTitle, pFont); }
IFontDisp* CQLNSamplePeakTableCtrl::GetHeadingFont() { return m_fontHeading.GetFontDispatch(); }
void CQLNSamplePeakTableCtrl::SetHeadingFont(IFontDisp* pFont) { SetFont(m_fontHeading, pFont); }
IFontDisp* CQLNSamplePeakTableCtrl::GetCellFont() { return m_fontCell.GetFontDispatch(); }
void CQLNSamplePeakTableCtrl::SetCellFont(IFontDisp* pFont) { SetFont(m_fontCell, pFont); }

void CQLNSamplePeakTableCtrl::OnFontChanged()
{
    InvalidateControl();
    COleControl::OnFontChanged();
}

void CQLNSamplePeakTableCtrl::SetZoom(double dZoom)
{
    if (dZoom > 0.0 && dZoom <= 100.0)
        m_dZoom = dZoom;
}

void CQLNSamplePeakTableCtrl::SetRTPrecision(long nPrecision)
{
    // The process's setting, as the text objects' method sets it: a host may tell whichever
    // report object it creates first.
    g_lRTPrecision = nPrecision;
}

// --- Persistence --------------------------------------------------------------------------

void CQLNSamplePeakTableCtrl::DoPropExchange(CPropExchange* pPX)
{
    DWORD dwVersion = kVersion;
    pPX->Note(pPX->ExchangeVersion(dwVersion, kVersion, TRUE), L"_Version");
    COleControl::DoPropExchange(pPX);
    PX_String(pPX, L"Columns", m_strColumns);
    if (pPX->IsLoading()) {
        CQLNTextFieldLines lines;
        lines.SetText(m_strColumns);
        m_lines = std::move(lines);
    }
    PX_String(pPX, L"Title", m_strTitle);
    PX_Bool(pPX, L"ShowTitle", m_bShowTitle, TRUE);
    PX_Bool(pPX, L"ShowHeadings", m_bShowHeadings, TRUE);
    PX_Short(pPX, L"GridLines", m_nGridLines, kGridRows);
    PX_Color(pPX, L"GridColor", m_clrGrid, 0x808080);
    PX_Font(pPX, L"TitleFont", m_fontTitle, &g_fontDescTitle);
    PX_Font(pPX, L"HeadingFont", m_fontHeading, &g_fontDescHeading);
    PX_Font(pPX, L"CellFont", m_fontCell, &g_fontDescCell);
    PX_Color(pPX, L"TitleColor", m_clrTitle, 0);
    PX_Color(pPX, L"HeadingColor", m_clrHeading, 0);
    PX_Color(pPX, L"CellColor", m_clrCell, 0);
    // A property set from elsewhere may hold any number: it draws rows.
    if (pPX->IsLoading() && (m_nGridLines < kGridNone || m_nGridLines > kGridAll))
        m_nGridLines = kGridRows;
}

void CQLNSamplePeakTableCtrl::OnResetState()
{
    COleControl::OnResetState();
    CString columns;
    CQLNDefaultText* pCatalogue = GetCatalogue();
    if (pCatalogue != nullptr) {
        const CStringArray& items = pCatalogue->GetStringArray();
        const CStringArray& decimals = pCatalogue->GetDecimalArray();
        for (int i = 0; i < items.GetSize() && i < PEAKTABLE_DEFAULT_COLUMNS; ++i) {
            CString line;
            CQLNDefaultText::FormTextLine(items[i], decimals.GetAt(i), items[i], line);
            columns += (i > 0 ? L"\r\n" : L"") + line;
        }
    }
    SetColumns(columns);
    m_strTitle.LoadString(IDS_PEAKTABLE_TITLE);
}

// --- Drawing ------------------------------------------------------------------------------

CQLNSamplePeakTablePlan::Table CQLNSamplePeakTableCtrl::PlannedTable() const
{
    CQLNSamplePeakTablePlan::Table table;
    if (m_bShowTitle)
        table.strTitle = m_strTitle;
    table.bHeadings = m_bShowHeadings != FALSE;
    table.columns = ReadColumns();
    table.rows = m_rows;
    table.strMarker = CQLNBaseTextHelper::GetMoreMarker();
    table.nFirstRow = static_cast<size_t>(m_nFirstRow);
    table.nRowCount = static_cast<size_t>(m_nRowCount);
    return table;
}

void CQLNSamplePeakTableCtrl::OnDraw(CDC* pDC, const CRect& rcBounds, const CRect&)
{
    if (pDC == nullptr)
        return;
    CDC& dc = *pDC;
    CRect rc(rcBounds);
    rc.NormalizeRect();
    CFontHolder* holders[3] = {&m_fontTitle, &m_fontHeading, &m_fontCell};
    const COLORREF colours[3] = {TranslateColor(m_clrTitle), TranslateColor(m_clrHeading), TranslateColor(m_clrCell)};
    TableFonts fonts(dc, holders, m_dZoom);
    const CQLNSamplePeakTablePlan plan = CQLNSamplePeakTablePlan::Make(fonts, rc, PlannedTable());

    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF crOld = dc.SetTextColor(colours[0]);
    for (const CQLNSamplePeakTablePlan::Text& text : plan.texts) {
        fonts.Select(text.role);
        dc.SetTextColor(colours[text.role]);
        dc.TextOut(text.pt.x, text.pt.y, text.strText);
    }
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, TranslateColor(m_clrGrid));
    CPen* pOldPen = dc.SelectObject(&pen);
    if (m_nGridLines != kGridNone) {
        for (int nY : plan.rules) {
            dc.MoveTo(rc.left, nY);
            dc.LineTo(plan.nRight, nY);
        }
    }
    if (m_nGridLines == kGridAll) {
        for (size_t c = 0; c <= plan.nColumns; ++c) {
            const int nX = c < plan.nColumns ? plan.lefts[c] : plan.nRight;
            dc.MoveTo(nX, plan.nTableTop);
            dc.LineTo(nX, plan.nTableBottom);
        }
        dc.MoveTo(rc.left, plan.nTableTop);
        dc.LineTo(plan.nRight, plan.nTableTop);
    }
    dc.SelectObject(pOldPen);
    dc.SetTextColor(crOld);
    dc.SetBkMode(nOldMode);
}

DWORD CQLNSamplePeakTableCtrl::GetMiscStatus()
{
    return COleControl::GetMiscStatus() | OLEMISC_NOUIACTIVATE;
}

BOOL CQLNSamplePeakTableCtrl::OnProperties(LPMSG, HWND, LPCRECT)
{
    CQLNControlPropertySheet sheet(*this, IDS_PEAKTABLE_TITLE);
    CQLNSamplePeakTableColumnsPage pageColumns(*this);
    CQLNSamplePeakTableFontPage pageFont(*this);
    sheet.AddPage(&pageColumns);
    sheet.AddPage(&pageFont);
    sheet.DoModal();
    return TRUE;
}
