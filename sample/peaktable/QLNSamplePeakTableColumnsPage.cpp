#include "QLNSamplePeakTableColumnsPage.h"

#include "AfxDDX.h"
#include "AfxRes.h"
#include "QLNSamplePeakTableHelp.h"
#include "QLNSamplePeakTableRes.h"

BEGIN_MESSAGE_MAP(CQLNSamplePeakTableColumnsPage, CQLNOlePropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQLNSamplePeakTableColumnsPage::CQLNSamplePeakTableColumnsPage(COleControl& ctrl)
    : CQLNOlePropertyPage(IDD_PEAKTABLE_COLUMNS_PAGE, ctrl, IDS_PEAKTABLE_COLUMNS_PAGE), m_bShowTitle(TRUE),
      m_bShowHeadings(TRUE), m_nGridLines(-1), m_clrGrid(0)
{
}

void CQLNSamplePeakTableColumnsPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_PEAKTABLE_GRID_COLOR, m_cbGridColor);
    Quillon_DDP_Text(pDX, IDC_PEAKTABLE_COLUMNS, m_strColumns, L"ColumnList");
    DDX_Text(pDX, IDC_PEAKTABLE_COLUMNS, m_strColumns);
    Quillon_DDP_Text(pDX, IDC_PEAKTABLE_TITLE, m_strTitle, L"Title");
    DDX_Text(pDX, IDC_PEAKTABLE_TITLE, m_strTitle);
    Quillon_DDP_Check(pDX, IDC_PEAKTABLE_SHOW_TITLE, m_bShowTitle, L"ShowTitle");
    DDX_Check(pDX, IDC_PEAKTABLE_SHOW_TITLE, m_bShowTitle);
    Quillon_DDP_Check(pDX, IDC_PEAKTABLE_SHOW_HEADINGS, m_bShowHeadings, L"ShowHeadings");
    DDX_Check(pDX, IDC_PEAKTABLE_SHOW_HEADINGS, m_bShowHeadings);
    Quillon_DDP_Radio(pDX, IDC_PEAKTABLE_GRID_NONE, m_nGridLines, L"GridLines");
    DDX_Radio(pDX, IDC_PEAKTABLE_GRID_NONE, m_nGridLines);
    Quillon_DDP_Text(pDX, IDC_PEAKTABLE_GRID_COLOR, m_clrGrid, L"GridColor");
    DDX_ColorPicker(pDX, m_cbGridColor, m_clrGrid);
    Quillon_DDP_PostProcessing(pDX);
}

void CQLNSamplePeakTableColumnsPage::OnHelp()
{
    QLNOpenPageHelp(m_hWnd, QLN_HELP_PEAK_TABLE_COLUMNS_PAGE);
}
