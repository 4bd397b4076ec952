// The plot area of a chromatogram on a device: time from left to right in minutes, the signal
// from bottom to top, and what is drawn on it (axes with their ticks and labels, the trace,
// baselines, labels at given places). It owns no data: each call is given what it draws.
#pragma once
#include "QLNBase.h"
#include "QLNSampleChromatogramTicks.h"

#include <vector>

class CQLNSampleChromatogramPlot
{
public:
    // rcPlot is the area inside the axes, in the device's logical units; the ranges have room in
    // them (low below high).
    CQLNSampleChromatogramPlot(CDC& dc, const CRect& rcPlot, double dTimeLow, double dTimeHigh, double dSignalLow,
                               double dSignalHigh);

    const CRect& Area() const { return m_rc; }
    double TimeLow() const { return m_dTimeLow; }
    double TimeHigh() const { return m_dTimeHigh; }
    int X(double dTime) const;
    int Y(double dValue) const;

    // The axes on the left and at the bottom, their ticks (nTick long, outwards) and labels in the
    // font selected, the time axis's name under its labels.
    void DrawAxes(const CQLNSampleChromatogramTicks& timeTicks, const CQLNSampleChromatogramTicks& signalTicks,
                  int nTick, COLORREF cr, const CString& strTimeAxis);
    // The signal decimated to the plot's columns, clipped to the plot, in a pen of the colour and
    // width given; a value that is not a number leaves a gap.
    void DrawTrace(const std::vector<double>& values, double dDelay, double dInterval, COLORREF cr, int nWidth);
    // A straight line between two points of time and signal, clipped to the plot.
    void DrawSegment(double dTime1, double dValue1, double dTime2, double dValue2, COLORREF cr);

private:
    CDC& m_dc;
    CRect m_rc;
    double m_dTimeLow, m_dTimeHigh, m_dSignalLow, m_dSignalHigh;
};
