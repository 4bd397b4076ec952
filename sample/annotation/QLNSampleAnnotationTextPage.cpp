#include "QLNSampleAnnotationTextPage.h"

#include "AfxDDX.h"
#include "AfxRes.h"
#include "QLNSampleAnnotationHelp.h"
#include "QLNSampleAnnotationRes.h"

BEGIN_MESSAGE_MAP(CQLNSampleAnnotationTextPage, CQLNOlePropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQLNSampleAnnotationTextPage::CQLNSampleAnnotationTextPage(COleControl& ctrl)
    : CQLNOlePropertyPage(IDD_ANNOTATION_TEXT_PAGE, ctrl, IDS_ANNOTATION_TEXT_PAGE), m_nAlignment(-1), m_bFrame(FALSE),
      m_clrText(0)
{
}

void CQLNSampleAnnotationTextPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_ANNOTATION_COLOR, m_cbColor);
    Quillon_DDP_Text(pDX, IDC_ANNOTATION_TEXT, m_strText, L"Text");
    DDX_Text(pDX, IDC_ANNOTATION_TEXT, m_strText);
    Quillon_DDP_Radio(pDX, IDC_ANNOTATION_LEFT, m_nAlignment, L"Alignment");
    DDX_Radio(pDX, IDC_ANNOTATION_LEFT, m_nAlignment);
    Quillon_DDP_Check(pDX, IDC_ANNOTATION_FRAME, m_bFrame, L"Frame");
    DDX_Check(pDX, IDC_ANNOTATION_FRAME, m_bFrame);
    Quillon_DDP_Text(pDX, IDC_ANNOTATION_COLOR, m_clrText, L"TextColor");
    DDX_ColorPicker(pDX, m_cbColor, m_clrText);
    Quillon_DDP_PostProcessing(pDX);
}

void CQLNSampleAnnotationTextPage::OnHelp()
{
    QLNOpenPageHelp(m_hWnd, QLN_HELP_ANNOTATION_TEXT_PAGE);
}
