// The sample chromatogram: the detector's signal over time with its peaks labelled, under a
// title whose tokens the host resolves as it resolves a text object's lines.
//
// The data comes from the host through automation and is never saved: the signal (SetSignal: an
// array of numbers, the sampling interval and the delay in seconds or minutes, the detector's
// unit) and the peaks (SetPeaks: rows as the peak table takes them, a row a peak, its retention
// time, start and end in minutes and its name between tabs). Without a signal the chromatogram
// draws a made-up trace, greyed, that says it has no data.
#pragma once
#include "QLNBase.h"

#include <vector>

class CQLNSampleChromatogramPlot;
struct CQLNSampleChromatogramTicks;

// {6F2A9C41-8E37-4B5D-A1C6-3D7E9B2F4A86}
extern const CLSID CLSID_QLNSampleChromatogramCtrl;

class CQLNSampleChromatogramCtrl : public COleControl
{
    DECLARE_DYNAMIC(CQLNSampleChromatogramCtrl)
public:
    // Values of TimeRange and SignalRange.
    enum : short { kRangeWhole = 0, kRangePart = 1 };
    // Values of PeakLabels, in the order the page lists them.
    enum : short { kLabelName = 0, kLabelTime = 1, kLabelNone = 2 };

    CQLNSampleChromatogramCtrl();
    ~CQLNSampleChromatogramCtrl() override;

    void DoPropExchange(CPropExchange* pPX) override;
    void OnResetState() override;
    void OnDraw(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid) override;
    void OnFontChanged() override;
    // Its sheet: its own page and the library's table font page for the title, axis and labels.
    BOOL OnProperties(LPMSG lpMsg, HWND hWndParent, LPCRECT lpRect) override;
    DWORD GetMiscStatus() override;

    CFontHolder& GetTitleFontHolder() { return m_fontTitle; }
    CFontHolder& GetAxisFontHolder() { return m_fontAxis; }
    CFontHolder& GetLabelFontHolder() { return m_fontLabel; }

    // Automation: properties.
    BSTR GetTitle();
    void SetTitle(LPCTSTR lpszTitle);
    short GetTimeRange();
    void SetTimeRange(short nRange);
    // Minutes.
    double m_dTimeFrom;
    double m_dTimeTo;
    short GetSignalRange();
    void SetSignalRange(short nRange);
    // Of the signal's span, added below and above it when the range is automatic.
    double GetSignalMargin();
    void SetSignalMargin(double dPercent);
    // In the detector's unit.
    double m_dSignalFrom;
    double m_dSignalTo;
    short GetPeakLabels();
    void SetPeakLabels(short nLabels);
    BOOL m_bBaselines;
    // Device units at a zoom of 1.
    short GetLineWidth();
    void SetLineWidth(short nWidth);
    OLE_COLOR m_clrTrace;
    OLE_COLOR m_clrBaseline;
    OLE_COLOR m_clrTitle;
    OLE_COLOR m_clrAxis;
    OLE_COLOR m_clrLabel;
    IFontDisp* GetTitleFont();
    void SetTitleFont(IFontDisp* pFont);
    IFontDisp* GetAxisFont();
    void SetAxisFont(IFontDisp* pFont);
    IFontDisp* GetLabelFont();
    void SetLabelFont(IFontDisp* pFont);

    // Automation: the title offered as a text object offers its lines, so that a host resolves
    // its tokens; read only.
    BSTR GetTextFields();
    long GetLineCount();
    long GetLine(long nLine, BSTR* pLine);

    // Automation: data. pValues is an array of numbers (of doubles or of variants, as scripts
    // make them), or empty to take the signal away; the interval and delay are in pszTimeUnit,
    // "s" or "min".
    void SetSignal(const VARIANT* pValues, double dInterval, double dDelay, LPCTSTR pszTimeUnit,
                   LPCTSTR pszSignalUnit);
    void SetPeaks(LPCTSTR lpszRows);
    void SetZoom(double dZoom);

    DECLARE_DISPATCH_MAP()

protected:
    void OnAppearanceChanged();

private:
    struct Peak
    {
        double dTime;
        double dStart;
        double dEnd;
        CString strName;
    };
    struct Signal
    {
        std::vector<double> values;
        // Minutes.
        double dDelay = 0;
        double dInterval = 0;
        CString strUnit;
    };
    void SetFont(CFontHolder& font, IFontDisp* pFont);
    static void ThrowError(UINT nID);
    // Axes, trace, baselines and peak labels inside the plot, the axis font selected.
    void DrawPlot(CDC& dc, CQLNSampleChromatogramPlot& plot, const Signal& signal, bool bData,
                  const CQLNSampleChromatogramTicks& yTicks, int nTick, CFont& fontLabel);

    CString m_strTitle;
    short m_nTimeRange;
    short m_nSignalRange;
    double m_dSignalMargin;
    short m_nPeakLabels;
    short m_nLineWidth;
    CFontHolder m_fontTitle;
    CFontHolder m_fontAxis;
    CFontHolder m_fontLabel;
    Signal m_signal;
    std::vector<Peak> m_peaks;
    double m_dZoom;
};
