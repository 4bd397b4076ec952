// A page of three font controls for a table: title, heading and cell. The page exchanges
// nothing itself: whoever shows it sets the controls' fonts and colours through the accessors
// before and reads them back afterwards.
#pragma once
#include "QLNBaseExport.h"

#include "CPropertyPage.h"
#include "QLNFontCtrl.h"

class QLN_BASE_API CQLNTableFontPropPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CQLNTableFontPropPage)
public:
    CQLNTableFontPropPage();

    CQLNFontCtrl& GetTitleFontCtrl() { return m_fcTitle; }
    CQLNFontCtrl& GetHeadingFontCtrl() { return m_fcHeading; }
    CQLNFontCtrl& GetCellFontCtrl() { return m_fcCell; }

    BOOL OnInitDialog() override;

protected:
    void OnHelp();

    CQLNFontCtrl m_fcTitle;
    CQLNFontCtrl m_fcHeading;
    CQLNFontCtrl m_fcCell;

    DECLARE_MESSAGE_MAP()
};
