// The chromatogram's own page: its title, the time range (the whole run, or from and to in
// minutes), the signal range (automatic with a margin, or fixed), what the peaks' labels show,
// the baselines, the trace's and baselines' colours and the trace's width, each exchanged with
// the chromatogram by property name.
#pragma once
#include "QLNBase.h"

class CQLNSampleChromatogramPage : public CQLNOlePropertyPage
{
public:
    explicit CQLNSampleChromatogramPage(COleControl& ctrl);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnHelp();

    CQLNColorPickerCB m_cbTraceColor;
    CQLNColorPickerCB m_cbBaselineColor;
    CString m_strTitle;
    int m_nTimeRange;
    double m_dTimeFrom;
    double m_dTimeTo;
    int m_nSignalRange;
    double m_dSignalMargin;
    double m_dSignalFrom;
    double m_dSignalTo;
    int m_nPeakLabels;
    int m_bBaselines;
    unsigned long m_clrTrace;
    unsigned long m_clrBaseline;
    short m_nLineWidth;

    DECLARE_MESSAGE_MAP()
};
