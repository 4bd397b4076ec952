// The sheet a text control shows for its properties verb: the data selection, layout attribute
// and font pages over that control, in that order, captioned with the report object's title
// string, with a Help button that each page answers with its own topic. It always opens on the
// data selection page. The pages write into the control whenever they are left or applied, so
// that the control shows the edits while the sheet is open; OK keeps them, and Cancel (or
// closing the sheet any other way) gives the control back its property set as it was when the
// sheet opened, modified only if it was modified then.
#pragma once
#include "QLNBaseExport.h"

#include "CPropertySheet.h"
#include "QLNTextBaseCtrl.h"
#include "QLNTextDataAttributePage.h"
#include "QLNTextDataFontPage.h"
#include "QLNTextDataSelectPage.h"

class QLN_BASE_API CQLNTextPropertySheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CQLNTextPropertySheet)
public:
    // The control must outlive the sheet: its pages hold it without a reference.
    explicit CQLNTextPropertySheet(CQLNTextBaseCtrl& ctrl);
    ~CQLNTextPropertySheet() override;

    CQLNTextPropertySheet(const CQLNTextPropertySheet&) = delete;
    CQLNTextPropertySheet& operator=(const CQLNTextPropertySheet&) = delete;

    INT_PTR DoModal() override;

    // The control's properties verb, which the library installs in the control when it starts.
    static void Show(CQLNTextBaseCtrl& ctrl);

private:
    CQLNTextBaseCtrl& m_ctrl;
    CQLNTextDataSelectPage m_pageData;
    CQLNTextDataAttributePage m_pageAttributes;
    CQLNTextDataFontPage m_pageFont;
};
