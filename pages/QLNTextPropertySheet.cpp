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

// The control's properties verb lives here, beside the sheet it shows: the pages sit a layer above
// the control.
BOOL CQLNTextBaseCtrl::OnProperties(LPMSG, HWND, LPCRECT)
{
    CQLNTextPropertySheet sheet(*this);
    sheet.DoModal();
    return TRUE;
}
