#include "QLNTableFontPropPage.h"

#include "AfxRes.h"
#include "QLNBaseRes.h"
#include "QLNHelpIds.h"
#include "QLNOpenPageHelp.h"

IMPLEMENT_DYNCREATE(CQLNTableFontPropPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CQLNTableFontPropPage, CPropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQLNTableFontPropPage::CQLNTableFontPropPage() : CPropertyPage(IDD_QLN_TABLE_FONT_PAGE, IDS_QLN_TABLE_PAGE)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

BOOL CQLNTableFontPropPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_fcTitle.CreateFontCtrlAt(this, IDC_QLN_TITLE_FONT_BOX, IDS_QLN_TABLE_TITLE_FONT, IDS_QLN_TABLE_TITLE_SAMPLE);
    m_fcHeading.CreateFontCtrlAt(this, IDC_QLN_HEADING_FONT_BOX, IDS_QLN_TABLE_HEADING_FONT, IDS_QLN_TABLE_HEADING_SAMPLE);
    m_fcCell.CreateFontCtrlAt(this, IDC_QLN_CELL_FONT_BOX, IDS_QLN_TABLE_CELL_FONT, IDS_QLN_TABLE_CELL_SAMPLE);
    return TRUE;
}

void CQLNTableFontPropPage::OnHelp()
{
    QLNOpenPageHelp(m_hWnd, QLN_HELP_TABLE_FONT_PAGE);
}
