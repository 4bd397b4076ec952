#include "QLNTextDataAttributePage.h"

#include "AfxDDX.h"
#include "AfxRes.h"
#include "QLNBaseRes.h"
#include "QLNHelpIds.h"
#include "QLNOpenPageHelp.h"

IMPLEMENT_DYNAMIC(CQLNTextDataAttributePage, CQLNOlePropertyPage)

BEGIN_MESSAGE_MAP(CQLNTextDataAttributePage, CQLNOlePropertyPage)
    ON_BN_CLICKED(IDC_QLN_INCLUDE_DATA_LABEL, OnClickedIncludeDataLabel)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQLNTextDataAttributePage::CQLNTextDataAttributePage(COleControl& ctrl)
    : CQLNOlePropertyPage(IDD_QLN_TEXT_DATA_ATTRIBUTE, ctrl, IDS_QLN_ATTRIBUTES_PAGE), m_nNumColumns(-1),
      m_nVerticalSpacing(-1), m_bAllignType(FALSE), m_bIncludeDataLabel(TRUE)
{
}

CQLNTextDataAttributePage::~CQLNTextDataAttributePage() = default;

BOOL CQLNTextDataAttributePage::OnInitDialog()
{
    CQLNOlePropertyPage::OnInitDialog();
    // The spacing box starts as a click on the check box would leave it.
    OnClickedIncludeDataLabel();
    return TRUE;
}

void CQLNTextDataAttributePage::OnClickedIncludeDataLabel()
{
    m_btnSpacing.EnableWindow(m_btnIncludeDataLabel.GetCheck() != BST_UNCHECKED);
}

void CQLNTextDataAttributePage::OnHelp()
{
    QLNOpenPageHelp(m_hWnd, QLN_HELP_LAYOUT_ATTRIBUTE_PAGE);
}

void CQLNTextDataAttributePage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_QLN_LABEL_SPACING, m_btnSpacing);
    DDX_Control(pDX, IDC_QLN_INCLUDE_DATA_LABEL, m_btnIncludeDataLabel);
    Quillon_DDP_Radio(pDX, IDC_QLN_COLUMNS_1, m_nNumColumns, L"NumColumns");
    DDX_Radio(pDX, IDC_QLN_COLUMNS_1, m_nNumColumns);
    Quillon_DDP_Radio(pDX, IDC_QLN_SPACING_SINGLE, m_nVerticalSpacing, L"VerticalSpacing");
    DDX_Radio(pDX, IDC_QLN_SPACING_SINGLE, m_nVerticalSpacing);
    Quillon_DDP_Check(pDX, IDC_QLN_LABEL_SPACING, m_bAllignType, L"AllignType");
    DDX_Check(pDX, IDC_QLN_LABEL_SPACING, m_bAllignType);
    Quillon_DDP_Check(pDX, IDC_QLN_INCLUDE_DATA_LABEL, m_bIncludeDataLabel, L"IncludeDataLabel");
    DDX_Check(pDX, IDC_QLN_INCLUDE_DATA_LABEL, m_bIncludeDataLabel);
    Quillon_DDP_PostProcessing(pDX);
}
