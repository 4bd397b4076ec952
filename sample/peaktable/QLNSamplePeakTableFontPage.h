// The peak table's font page: the library's table font page, its three font controls loaded with
// the table's title, heading and cell fonts and colours, and each written back into the table as
// the page is left or applied when the user changed it.
#pragma once
#include "QLNBase.h"

class CQLNSamplePeakTableCtrl;

class CQLNSamplePeakTableFontPage : public CQLNTableFontPropPage
{
public:
    explicit CQLNSamplePeakTableFontPage(CQLNSamplePeakTableCtrl& ctrl);

    BOOL OnKillActive() override;
    BOOL OnApply() override;

private:
    struct Setting;
    static const Setting m_ksSettings[3];
    void Save();

    CQLNSamplePeakTableCtrl& m_ctrl;
};
