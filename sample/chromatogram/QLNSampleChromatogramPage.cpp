#include "QLNSampleChromatogramPage.h"

#include "AfxDDX.h"
#include "AfxRes.h"
#include "QLNSampleChromatogramHelp.h"
#include "QLNSampleChromatogramRes.h"

BEGIN_MESSAGE_MAP(CQLNSampleChromatogramPage, CQLNOlePropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CQLNSampleChromatogramPage::CQLNSampleChromatogramPage(COleControl& ctrl)
    : CQLNOlePropertyPage(IDD_CHROMATOGRAM_PAGE, ctrl, IDS_CHROMATOGRAM_PAGE), m_nTimeRange(-1), m_dTimeFrom(0),
      m_dTimeTo(0), m_nSignalRange(-1), m_dSignalMargin(0), m_dSignalFrom(0), m_dSignalTo(0), m_nPeakLabels(-1),
      m_bBaselines(TRUE), m_clrTrace(0), m_clrBaseline(0), m_nLineWidth(1)
{
}

void CQLNSampleChromatogramPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_CHROMATOGRAM_TRACE_COLOR, m_cbTraceColor);
    DDX_Control(pDX, IDC_CHROMATOGRAM_BASELINE_COLOR, m_cbBaselineColor);
    Quillon_DDP_Text(pDX, IDC_CHROMATOGRAM_TITLE, m_strTitle, L"Title");
    DDX_Text(pDX, IDC_CHROMATOGRAM_TITLE, m_strTitle);
    Quillon_DDP_Radio(pDX, IDC_CHROMATOGRAM_TIME_WHOLE, m_nTimeRange, L"TimeRange");
    DDX_Radio(pDX, IDC_CHROMATOGRAM_TIME_WHOLE, m_nTimeRange);
    Quillon_DDP_Text(pDX, IDC_CHROMATOGRAM_TIME_FROM, m_dTimeFrom, L"TimeFrom");
    DDX_Text(pDX, IDC_CHROMATOGRAM_TIME_FROM, m_dTimeFrom);
    Quillon_DDP_Text(pDX, IDC_CHROMATOGRAM_TIME_TO, m_dTimeTo, L"TimeTo");
    DDX_Text(pDX, IDC_CHROMATOGRAM_TIME_TO, m_dTimeTo);
    Quillon_DDP_Radio(pDX, IDC_CHROMATOGRAM_SIGNAL_AUTO, m_nSignalRange, L"SignalRange");
    DDX_Radio(pDX, IDC_CHROMATOGRAM_SIGNAL_AUTO, m_nSignalRange);
    Quillon_DDP_Text(pDX, IDC_CHROMATOGRAM_SIGNAL_MARGIN, m_dSignalMargin, L"SignalMargin");
    DDX_Text(pDX, IDC_CHROMATOGRAM_SIGNAL_MARGIN, m_dSignalMargin);
    Quillon_DDP_Text(pDX, IDC_CHROMATOGRAM_SIGNAL_FROM, m_dSignalFrom, L"SignalFrom");
    DDX_Text(pDX, IDC_CHROMATOGRAM_SIGNAL_FROM, m_dSignalFrom);
    Quillon_DDP_Text(pDX, IDC_CHROMATOGRAM_SIGNAL_TO, m_dSignalTo, L"SignalTo");
    DDX_Text(pDX, IDC_CHROMATOGRAM_SIGNAL_TO, m_dSignalTo);
    Quillon_DDP_Radio(pDX, IDC_CHROMATOGRAM_LABEL_NAME, m_nPeakLabels, L"PeakLabels");
    DDX_Radio(pDX, IDC_CHROMATOGRAM_LABEL_NAME, m_nPeakLabels);
    Quillon_DDP_Check(pDX, IDC_CHROMATOGRAM_BASELINES, m_bBaselines, L"Baselines");
    DDX_Check(pDX, IDC_CHROMATOGRAM_BASELINES, m_bBaselines);
    Quillon_DDP_Text(pDX, IDC_CHROMATOGRAM_TRACE_COLOR, m_clrTrace, L"TraceColor");
    DDX_ColorPicker(pDX, m_cbTraceColor, m_clrTrace);
    Quillon_DDP_Text(pDX, IDC_CHROMATOGRAM_BASELINE_COLOR, m_clrBaseline, L"BaselineColor");
    DDX_ColorPicker(pDX, m_cbBaselineColor, m_clrBaseline);
    Quillon_DDP_Text(pDX, IDC_CHROMATOGRAM_LINE_WIDTH, m_nLineWidth, L"LineWidth");
    DDX_Text(pDX, IDC_CHROMATOGRAM_LINE_WIDTH, m_nLineWidth);
    Quillon_DDP_PostProcessing(pDX);
}

void CQLNSampleChromatogramPage::OnHelp()
{
    QLNOpenPageHelp(m_hWnd, QLN_HELP_CHROMATOGRAM_PAGE);
}
