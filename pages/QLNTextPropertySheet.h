// The sheet a text control shows for its properties verb: the data selection, layout attribute
// and font pages over that control, in that order, captioned with the report object's title
// string. It always opens on the data selection page; OK, Cancel and Help as in any report
// object's sheet (QLNControlPropertySheet.h).
#pragma once
#include "QLNBaseExport.h"

#include "QLNControlPropertySheet.h"
#include "QLNTextBaseCtrl.h"
#include "QLNTextDataAttributePage.h"
#include "QLNTextDataFontPage.h"
#include "QLNTextDataSelectPage.h"

class QLN_BASE_API CQLNTextPropertySheet : public CQLNControlPropertySheet
{
    DECLARE_DYNAMIC(CQLNTextPropertySheet)
public:
    // The control must outlive the sheet: its pages hold it without a reference.
    explicit CQLNTextPropertySheet(CQLNTextBaseCtrl& ctrl);
    ~CQLNTextPropertySheet() override;

    CQLNTextPropertySheet(const CQLNTextPropertySheet&) = delete;
    CQLNTextPropertySheet& operator=(const CQLNTextPropertySheet&) = delete;

    // The control's properties verb, which the library installs in the control when it starts.
    static void Show(CQLNTextBaseCtrl& ctrl);

private:
    CQLNTextDataSelectPage m_pageData;
    CQLNTextDataAttributePage m_pageAttributes;
    CQLNTextDataFontPage m_pageFont;
};
