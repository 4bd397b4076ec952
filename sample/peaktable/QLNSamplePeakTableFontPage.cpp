#include "QLNSamplePeakTableFontPage.h"

#include "QLNSamplePeakTableCtrl.h"

#include <cstring>

// One font of the table: its control on the page, its font and its colour in the table.
struct CQLNSamplePeakTableFontPage::Setting
{
    CQLNFontCtrl& (CQLNTableFontPropPage::*pfnCtrl)();
    CFontHolder& (CQLNSamplePeakTableCtrl::*pfnFont)();
    OLE_COLOR CQLNSamplePeakTableCtrl::*pColor;
};

const CQLNSamplePeakTableFontPage::Setting CQLNSamplePeakTableFontPage::m_ksSettings[3] = {
    {&CQLNTableFontPropPage::GetTitleFontCtrl, &CQLNSamplePeakTableCtrl::GetTitleFontHolder,
     &CQLNSamplePeakTableCtrl::m_clrTitle},
    {&CQLNTableFontPropPage::GetHeadingFontCtrl, &CQLNSamplePeakTableCtrl::GetHeadingFontHolder,
     &CQLNSamplePeakTableCtrl::m_clrHeading},
    {&CQLNTableFontPropPage::GetCellFontCtrl, &CQLNSamplePeakTableCtrl::GetCellFontHolder,
     &CQLNSamplePeakTableCtrl::m_clrCell},
};

CQLNSamplePeakTableFontPage::CQLNSamplePeakTableFontPage(CQLNSamplePeakTableCtrl& ctrl) : m_ctrl(ctrl)
{
    // Only this page edits the fonts: loaded once, before the controls show them.
    for (const Setting& setting : m_ksSettings) {
        CFontHolder& font = (m_ctrl.*setting.pfnFont)();
        CQLNFontCtrl& fc = (this->*setting.pfnCtrl)();
        LOGFONTW lf = {};
        if (font.m_pFont != nullptr)
            QLNFontToLogFont(font.m_pFont, lf);
        fc.SetCurrentFont(lf);
        fc.SetCurrentSize(font.GetFontSize());
        fc.SetCurrentColor(m_ctrl.TranslateColor(m_ctrl.*setting.pColor));
    }
}

void CQLNSamplePeakTableFontPage::Save()
{
    for (const Setting& setting : m_ksSettings) {
        CFontHolder& font = (m_ctrl.*setting.pfnFont)();
        CQLNFontCtrl& fc = (this->*setting.pfnCtrl)();
        LOGFONTW lf = {};
        fc.GetCurrentFont(lf);
        const CY cySize = fc.GetCurrentSize();
        // Changed in place, only what differs: the table hears of it through its font
        // notification, and a font the user left alone keeps its size exactly.
        if (font.m_pFont != nullptr)
            QLNLogFontToFont(lf, font.m_pFont, TRUE, &cySize);
        const COLORREF cr = fc.GetCurrentColor();
        if (cr != m_ctrl.TranslateColor(m_ctrl.*setting.pColor)) {
            m_ctrl.*setting.pColor = cr;
            m_ctrl.SetModifiedFlag();
            m_ctrl.InvalidateControl();
        }
    }
}

BOOL CQLNSamplePeakTableFontPage::OnKillActive()
{
    if (!CQLNTableFontPropPage::OnKillActive())
        return FALSE;
    Save();
    SetModified(FALSE);
    return TRUE;
}

BOOL CQLNSamplePeakTableFontPage::OnApply()
{
    Save();
    return CQLNTableFontPropPage::OnApply();
}
