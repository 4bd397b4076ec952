// A page of four font controls for a text object: title, heading, data label and data. The page
// exchanges nothing itself: whoever shows it sets the controls' fonts and colours through the
// accessors before and reads them back afterwards.
#pragma once
#include "QLNBaseExport.h"

#include "CPropertyPage.h"
#include "QLNFontCtrl.h"

class QLN_BASE_API CQLNTextFontPropPage : public CPropertyPage
{
    DECLARE_DYNCREATE(CQLNTextFontPropPage)
public:
    CQLNTextFontPropPage();

    CQLNFontCtrl& GetTitleFontCtrl() { return m_fcTitle; }
    CQLNFontCtrl& GetHeadingFontCtrl() { return m_fcHeading; }
    CQLNFontCtrl& GetDataLabelFontCtrl() { return m_fcDataLabel; }
    CQLNFontCtrl& GetDataFontCtrl() { return m_fcData; }

    BOOL OnInitDialog() override;

protected:
    void OnHelp();

    CQLNFontCtrl m_fcTitle;
    CQLNFontCtrl m_fcHeading;
    CQLNFontCtrl m_fcDataLabel;
    CQLNFontCtrl m_fcData;

    DECLARE_MESSAGE_MAP()
};
