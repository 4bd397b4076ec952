#include "QLNTextPropertySheet.h"

IMPLEMENT_DYNAMIC(CQLNTextPropertySheet, CPropertySheet)

CQLNTextPropertySheet::CQLNTextPropertySheet(CQLNTextBaseCtrl& ctrl)
    : CPropertySheet(ctrl.GetTitleID(), nullptr, 0), m_pageData(ctrl), m_pageAttributes(ctrl), m_pageFont(ctrl)
{
    m_psh.dwFlags |= PSH_HASHELP;
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
