// The chromatogram's font page: the library's table font page, its three font controls loaded
// with the chromatogram's title, axis and label fonts and colours (their buttons named so), and
// each written back into the chromatogram as the page is left or applied when the user changed it.
#pragma once
#include "QLNBase.h"

class CQLNSampleChromatogramCtrl;

class CQLNSampleChromatogramFontPage : public CQLNTableFontPropPage
{
public:
    explicit CQLNSampleChromatogramFontPage(CQLNSampleChromatogramCtrl& ctrl);

    BOOL OnInitDialog() override;
    BOOL OnKillActive() override;
    BOOL OnApply() override;

private:
    struct Setting;
    static const Setting m_ksSettings[3];
    void Save();

    CQLNSampleChromatogramCtrl& m_ctrl;
};
