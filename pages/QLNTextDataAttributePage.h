// The second page of a text object's sheet: how the items are laid out. One to three columns,
// whether data labels are drawn and spaced apart from their data, and the line spacing.
//
// The radio groups exchange the index of their checked button (-1 for none), not a count or a
// factor: NumColumns 0 is one column, VerticalSpacing 2 double spacing.
#pragma once
#include "QLNBaseExport.h"

#include "CButton.h"
#include "QLNOlePropertyPage.h"

class QLN_BASE_API CQLNTextDataAttributePage : public CQLNOlePropertyPage
{
    DECLARE_DYNAMIC(CQLNTextDataAttributePage)
public:
    explicit CQLNTextDataAttributePage(COleControl& ctrl);
    ~CQLNTextDataAttributePage() override;

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    // The spacing check box is enabled only while data labels are included; its state is kept
    // and exchanged either way.
    void OnClickedIncludeDataLabel();
    void OnHelp();

    CButton m_btnSpacing;
    CButton m_btnIncludeDataLabel;
    int m_nNumColumns;
    int m_nVerticalSpacing;
    int m_bAllignType;
    int m_bIncludeDataLabel;

    DECLARE_MESSAGE_MAP()
};
