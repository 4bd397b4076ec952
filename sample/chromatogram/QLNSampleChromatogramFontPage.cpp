#include "QLNSampleChromatogramFontPage.h"

#include "QLNSampleChromatogramCtrl.h"
#include "QLNSampleChromatogramRes.h"

// One font of the chromatogram: its control on the page, its font and colour, and the text of
// the control's button (0: the page's own).
struct CQLNSampleChromatogramFontPage::Setting
{
    CQLNFontCtrl& (CQLNTableFontPropPage::*pfnCtrl)();
    CFontHolder& (CQLNSampleChromatogramCtrl::*pfnFont)();
    OLE_COLOR CQLNSampleChromatogramCtrl::*pColor;
    UINT nIDButton;
};

const CQLNSampleChromatogramFontPage::Setting CQLNSampleChromatogramFontPage::m_ksSettings[3] = {
    {&CQLNTableFontPropPage::GetTitleFontCtrl, &CQLNSampleChromatogramCtrl::GetTitleFontHolder,
     &CQLNSampleChromatogramCtrl::m_clrTitle, 0},
    {&CQLNTableFontPropPage::GetHeadingFontCtrl, &CQLNSampleChromatogramCtrl::GetAxisFontHolder,
     &CQLNSampleChromatogramCtrl::m_clrAxis, IDS_CHROMATOGRAM_AXIS_FONT},
    {&CQLNTableFontPropPage::GetCellFontCtrl, &CQLNSampleChromatogramCtrl::GetLabelFontHolder,
     &CQLNSampleChromatogramCtrl::m_clrLabel, IDS_CHROMATOGRAM_LABEL_FONT},
};

namespace {

// The button of a font control: its first child that is a button.
HWND FontButton(HWND hFontCtrl)
{
    for (HWND h = ::GetWindow(hFontCtrl, GW_CHILD); h != nullptr; h = ::GetWindow(h, GW_HWNDNEXT)) {
        wchar_t szClass[16] = {};
        ::GetClassNameW(h, szClass, 16);
        if (::lstrcmpiW(szClass, L"Button") == 0)
            return h;
    }
    return nullptr;
}

} // namespace

CQLNSampleChromatogramFontPage::CQLNSampleChromatogramFontPage(CQLNSampleChromatogramCtrl& ctrl) : m_ctrl(ctrl)
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

BOOL CQLNSampleChromatogramFontPage::OnInitDialog()
{
    const BOOL bResult = CQLNTableFontPropPage::OnInitDialog();
    // The table's names for its fonts, heading and cell, are the plot's axis and labels.
    for (const Setting& setting : m_ksSettings) {
        const HWND hButton = setting.nIDButton != 0 ? FontButton((this->*setting.pfnCtrl)().GetSafeHwnd()) : nullptr;
        CString text;
        if (hButton != nullptr && text.LoadString(setting.nIDButton))
            ::SetWindowTextW(hButton, text);
    }
    return bResult;
}

void CQLNSampleChromatogramFontPage::Save()
{
    for (const Setting& setting : m_ksSettings) {
        CFontHolder& font = (m_ctrl.*setting.pfnFont)();
        CQLNFontCtrl& fc = (this->*setting.pfnCtrl)();
        LOGFONTW lf = {};
        fc.GetCurrentFont(lf);
        const CY cySize = fc.GetCurrentSize();
        // Changed in place, only what differs: the chromatogram hears of it through its font
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

BOOL CQLNSampleChromatogramFontPage::OnKillActive()
{
    if (!CQLNTableFontPropPage::OnKillActive())
        return FALSE;
    Save();
    SetModified(FALSE);
    return TRUE;
}

BOOL CQLNSampleChromatogramFontPage::OnApply()
{
    Save();
    return CQLNTableFontPropPage::OnApply();
}
