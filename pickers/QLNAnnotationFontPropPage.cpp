#include "QLNAnnotationFontPropPage.h"

#include "AfxRes.h"
#include "QLNBaseRes.h"
#include "QLNHelpIds.h"
#include "QLNOpenPageHelp.h"

IMPLEMENT_DYNCREATE(CQLNAnnotationFontPropPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CQLNAnnotationFontPropPage, CPropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQLNAnnotationFontPropPage::CQLNAnnotationFontPropPage()
    : CPropertyPage(IDD_QLN_ANNOTATION_FONT_PAGE, IDS_QLN_ANNOTATION_PAGE)
{
    m_psp.dwFlags |= PSP_HASHELP;
}

BOOL CQLNAnnotationFontPropPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_dlgFont.CreateFontDialog(this);
    return TRUE;
}

BOOL CQLNAnnotationFontPropPage::OnKillActive()
{
    // The system's sheet asks the page on show before it applies or changes pages.
    return m_dlgFont.CheckFace() && CPropertyPage::OnKillActive();
}

void CQLNAnnotationFontPropPage::OnHelp()
{
    QLNOpenPageHelp(m_hWnd, QLN_HELP_ANNOTATION_FONT_PAGE);
}
