#include "QLNTextFontPropPage.h"

#include "AfxRes.h"
#include "QLNBaseRes.h"
#include "QLNHelpIds.h"
#include "QLNOpenPageHelp.h"

IMPLEMENT_DYNCREATE(CQLNTextFontPropPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CQLNTextFontPropPage, CPropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQLNTextFontPropPage::CQLNTextFontPropPage() : CPropertyPage(IDD_QLN_TEXT_FONT_PAGE, IDS_QLN_TEXT_PAGE)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

BOOL CQLNTextFontPropPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_fcTitle.CreateFontCtrlAt(this, IDC_QLN_TITLE_FONT_BOX, IDS_QLN_TEXT_TITLE_FONT, IDS_QLN_TEXT_TITLE_SAMPLE);
    m_fcHeading.CreateFontCtrlAt(this, IDC_QLN_HEADING_FONT_BOX, IDS_QLN_TEXT_HEADING_FONT, IDS_QLN_TEXT_HEADING_SAMPLE);
    m_fcDataLabel.CreateFontCtrlAt(this, IDC_QLN_PROMPT_FONT_BOX, IDS_QLN_TEXT_PROMPT_FONT, IDS_QLN_TEXT_PROMPT_SAMPLE);
    m_fcData.CreateFontCtrlAt(this, IDC_QLN_VALUE_FONT_BOX, IDS_QLN_TEXT_VALUE_FONT, IDS_QLN_TEXT_VALUE_SAMPLE);
    return TRUE;
}

void CQLNTextFontPropPage::OnHelp()
{
    QLNOpenPageHelp(m_hWnd, QLN_HELP_TEXT_FONT_PAGE);
}
