#include "QLNTextPropertySheet.h"

IMPLEMENT_DYNAMIC(CQLNTextPropertySheet, CQLNControlPropertySheet)

CQLNTextPropertySheet::CQLNTextPropertySheet(CQLNTextBaseCtrl& ctrl)
    : CQLNControlPropertySheet(ctrl, ctrl.GetTitleID()), m_pageData(ctrl), m_pageAttributes(ctrl), m_pageFont(ctrl)
{
    AddPage(&m_pageData);
    AddPage(&m_pageAttributes);
    AddPage(&m_pageFont);
}

CQLNTextPropertySheet::~CQLNTextPropertySheet() = default;

void CQLNTextPropertySheet::Show(CQLNTextBaseCtrl& ctrl)
{
    CQLNTextPropertySheet sheet(ctrl);
    sheet.DoModal();
}
