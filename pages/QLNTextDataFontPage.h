// The font page of a text object: the title, heading, data label and data fonts and colours,
// each in a font control. The page keeps no font or colour of its own: the control's eight
// properties are read into the font controls when the page loads and all written back whenever
// it saves (leaving the page, Apply, OK), directly rather than through pending writes.
#pragma once
#include "QLNBaseExport.h"

#include "QLNFontCtrl.h"
#include "QLNOlePropertyPage.h"

class QLN_BASE_API CQLNTextDataFontPage : public CQLNOlePropertyPage
{
    DECLARE_DYNAMIC(CQLNTextDataFontPage)
public:
    // The control must outlive the page.
    explicit CQLNTextDataFontPage(COleControl& ctrl);

    BOOL OnInitDialog() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelp();

    CQLNFontCtrl m_fcTitle;
    CQLNFontCtrl m_fcHeading;
    CQLNFontCtrl m_fcPrompt;
    CQLNFontCtrl m_fcValue;

    DECLARE_MESSAGE_MAP()

private:
    struct FontSetting;
    static const FontSetting m_ksSettings[4];
};
