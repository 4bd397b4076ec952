#include "QLNTextDataFontPage.h"

#include "AfxRes.h"
#include "QLNBaseRes.h"
#include "QLNHelpIds.h"
#include "QLNOpenPageHelp.h"

// One font control of the page: its properties, its place and its texts.
struct CQLNTextDataFontPage::FontSetting
{
    CQLNFontCtrl CQLNTextDataFontPage::*pfc;
    const wchar_t* pszFontProp;
    const wchar_t* pszColorProp;
    int nIDPlace;
    UINT nIDCaption;
    UINT nIDSample;
};

// In the order the properties are exchanged and the controls created.
const CQLNTextDataFontPage::FontSetting CQLNTextDataFontPage::m_ksSettings[4] = {
    {&CQLNTextDataFontPage::m_fcTitle, L"TitleFont", L"TitleColor", IDC_QLN_TITLE_FONT_BOX,
     IDS_QLN_TEXT_TITLE_FONT, IDS_QLN_TEXT_TITLE_SAMPLE},
    {&CQLNTextDataFontPage::m_fcHeading, L"HeadingFont", L"HeadingColor", IDC_QLN_HEADING_FONT_BOX,
     IDS_QLN_TEXT_HEADING_FONT, IDS_QLN_TEXT_HEADING_SAMPLE},
    {&CQLNTextDataFontPage::m_fcPrompt, L"PromptFont", L"PromptColor", IDC_QLN_PROMPT_FONT_BOX,
     IDS_QLN_TEXT_PROMPT_FONT, IDS_QLN_TEXT_PROMPT_SAMPLE},
    {&CQLNTextDataFontPage::m_fcValue, L"ValueFont", L"ValueColor", IDC_QLN_VALUE_FONT_BOX,
     IDS_QLN_TEXT_VALUE_FONT, IDS_QLN_TEXT_VALUE_SAMPLE},
};

IMPLEMENT_DYNAMIC(CQLNTextDataFontPage, CQLNOlePropertyPage)

BEGIN_MESSAGE_MAP(CQLNTextDataFontPage, CQLNOlePropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQLNTextDataFontPage::CQLNTextDataFontPage(COleControl& ctrl)
    : CQLNOlePropertyPage(IDD_QLN_TEXT_FONT_PAGE, ctrl, IDS_QLN_FONT_PAGE)
{
}

void CQLNTextDataFontPage::DoDataExchange(CDataExchange* pDX)
{
    // Loading may come before the font controls have windows: they hold the values until then,
    // and a later loading does not redraw their samples. Saving writes what the user changed
    // (SetFontProperty leaves what is the same in meaning), with the size the user chose
    // exactly; a colour the same as the property's is no change either.
    for (const FontSetting& setting : m_ksSettings) {
        CQLNFontCtrl& fc = this->*setting.pfc;
        if (pDX->m_bSaveAndValidate) {
            LOGFONTW lf;
            fc.GetCurrentFont(lf);
            SetFontProperty(lf, setting.pszFontProp, fc.GetCurrentSize());
            if (fc.GetCurrentColor() != GetColorProperty(setting.pszColorProp))
                SetColorProperty(fc.GetCurrentColor(), setting.pszColorProp);
        } else {
            CY cySize = {};
            fc.SetCurrentFont(GetFontProperty(setting.pszFontProp, &cySize));
            fc.SetCurrentSize(cySize);
            fc.SetCurrentColor(GetColorProperty(setting.pszColorProp));
        }
    }
    Quillon_DDP_PostProcessing(pDX);
}

BOOL CQLNTextDataFontPage::OnInitDialog()
{
    CQLNOlePropertyPage::OnInitDialog();
    for (const FontSetting& setting : m_ksSettings)
        (this->*setting.pfc).CreateFontCtrlAt(this, setting.nIDPlace, setting.nIDCaption, setting.nIDSample);
    return TRUE;
}

void CQLNTextDataFontPage::OnHelp()
{
    QLNOpenPageHelp(m_hWnd, QLN_HELP_TEXT_OBJECT_FONT_PAGE);
}
