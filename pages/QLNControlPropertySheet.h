// The sheet a report object shows for its properties verb: captioned with a string of the report
// object, with a Help button that each page answers with its own topic, opening on its first
// page. Its pages write into the control whenever they are left or applied, so that the control
// shows the edits while the sheet is open; OK keeps them, and Cancel (or closing the sheet any
// other way) gives the control back its property set as it was when the sheet opened, modified
// only if it was modified then. A report object adds its pages and runs DoModal.
#pragma once
#include "QLNBaseExport.h"

#include "COleControl.h"
#include "CPropertySheet.h"

class QLN_BASE_API CQLNControlPropertySheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CQLNControlPropertySheet)
public:
    // The control must outlive the sheet; nIDCaption is a string of the caller's module.
    CQLNControlPropertySheet(COleControl& ctrl, UINT nIDCaption);
    ~CQLNControlPropertySheet() override;

    CQLNControlPropertySheet(const CQLNControlPropertySheet&) = delete;
    CQLNControlPropertySheet& operator=(const CQLNControlPropertySheet&) = delete;

    INT_PTR DoModal() override;

private:
    COleControl& m_ctrl;
};
