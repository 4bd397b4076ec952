#include "QLNSampleAnnotationFontPage.h"

#include "QLNSampleAnnotationCtrl.h"

#include <cstring>

CQLNSampleAnnotationFontPage::CQLNSampleAnnotationFontPage(CQLNSampleAnnotationCtrl& ctrl)
    : m_ctrl(ctrl), m_lfLoaded(), m_cySizeLoaded(), m_crLoaded(0)
{
    Load(FALSE);
}

void CQLNSampleAnnotationFontPage::Load(BOOL bShow)
{
    LOGFONTW lf = {};
    CFontHolder& font = m_ctrl.GetTextFontHolder();
    if (font.m_pFont != nullptr)
        QLNFontToLogFont(font.m_pFont, lf);
    const CY cySize = font.GetFontSize();
    const COLORREF cr = m_ctrl.TranslateColor(m_ctrl.GetTextColor());
    // Another page may have changed the colour since the dialog last showed it.
    if (std::memcmp(&lf, &m_lfLoaded, sizeof lf) == 0 && cySize.int64 == m_cySizeLoaded.int64 && cr == m_crLoaded &&
        bShow)
        return;
    m_lfLoaded = lf;
    m_cySizeLoaded = cySize;
    m_crLoaded = cr;
    CQLNFontDialog& dlg = GetFontDialog();
    dlg.SetCurrentFont(lf);
    dlg.SetCurrentSize(cySize);
    dlg.SetCurrentColor(cr);
    if (bShow && dlg.GetSafeHwnd() != nullptr) {
        dlg.UpdateData(FALSE);
        SetModified(FALSE);
    }
}

void CQLNSampleAnnotationFontPage::Save()
{
    CQLNFontDialog& dlg = GetFontDialog();
    LOGFONTW lf = {};
    dlg.GetCurrentFont(lf);
    const CY cySize = dlg.GetCurrentSize();
    CFontHolder& font = m_ctrl.GetTextFontHolder();
    if (font.m_pFont != nullptr &&
        (std::memcmp(&lf, &m_lfLoaded, sizeof lf) != 0 || cySize.int64 != m_cySizeLoaded.int64)) {
        // Changed in place: the annotation hears of it through its font notification, and only
        // what the user changed is given to the font.
        QLNLogFontToFont(lf, font.m_pFont, TRUE, &cySize);
        m_lfLoaded = lf;
        m_cySizeLoaded = cySize;
    }
    if (dlg.GetCurrentColor() != m_crLoaded) {
        m_ctrl.SetTextColor(dlg.GetCurrentColor());
        m_crLoaded = dlg.GetCurrentColor();
    }
}

BOOL CQLNSampleAnnotationFontPage::OnSetActive()
{
    if (!CQLNAnnotationFontPropPage::OnSetActive())
        return FALSE;
    Load(TRUE);
    return TRUE;
}

BOOL CQLNSampleAnnotationFontPage::OnKillActive()
{
    if (!CQLNAnnotationFontPropPage::OnKillActive())
        return FALSE;
    Save();
    SetModified(FALSE);
    return TRUE;
}

BOOL CQLNSampleAnnotationFontPage::OnApply()
{
    Save();
    return CQLNAnnotationFontPropPage::OnApply();
}
