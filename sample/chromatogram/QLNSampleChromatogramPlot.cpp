#include "QLNSampleChromatogramPlot.h"

#include "QLNSampleChromatogramDecimation.h"

#include <algorithm>
#include <cmath>

namespace {

// Far enough outside the plot to be clipped, near enough for any device's coordinates.
int Clamped(double v, int nLow, int nHigh)
{
    const double room = 4.0 * (nHigh - nLow) + 100;
    return static_cast<int>(std::lround(std::min(std::max(v, nLow - room), nHigh + room)));
}

// Restores the device's clipping and pen when it goes.
class ClippedPen
{
public:
    ClippedPen(CDC& dc, const CRect& rc, COLORREF cr, int nWidth) : m_dc(dc), m_nSaved(::SaveDC(dc.GetSafeHdc()))
    {
        // The line's own width may reach past the plot's edges by half of it.
        ::IntersectClipRect(dc.GetSafeHdc(), rc.left, rc.top - nWidth, rc.right + 1, rc.bottom + 1);
        m_pen.CreatePen(PS_SOLID, nWidth, cr);
        dc.SelectObject(&m_pen);
    }
    ~ClippedPen() { ::RestoreDC(m_dc.GetSafeHdc(), m_nSaved); }
    ClippedPen(const ClippedPen&) = delete;
    ClippedPen& operator=(const ClippedPen&) = delete;

private:
    CPen m_pen;
    CDC& m_dc;
    int m_nSaved;
};

} // namespace

CQLNSampleChromatogramPlot::CQLNSampleChromatogramPlot(CDC& dc, const CRect& rcPlot, double dTimeLow,
                                                       double dTimeHigh, double dSignalLow, double dSignalHigh)
    : m_dc(dc), m_rc(rcPlot), m_dTimeLow(dTimeLow), m_dTimeHigh(dTimeHigh), m_dSignalLow(dSignalLow),
      m_dSignalHigh(dSignalHigh)
{
}

int CQLNSampleChromatogramPlot::X(double dTime) const
{
    return Clamped(m_rc.left + (dTime - m_dTimeLow) / (m_dTimeHigh - m_dTimeLow) * m_rc.Width(), m_rc.left,
                   m_rc.right);
}

int CQLNSampleChromatogramPlot::Y(double dValue) const
{
    return Clamped(m_rc.bottom - (dValue - m_dSignalLow) / (m_dSignalHigh - m_dSignalLow) * m_rc.Height(), m_rc.top,
                   m_rc.bottom);
}

void CQLNSampleChromatogramPlot::DrawAxes(const CQLNSampleChromatogramTicks& timeTicks,
                                          const CQLNSampleChromatogramTicks& signalTicks, int nTick, COLORREF cr,
                                          const CString& strTimeAxis)
{
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, cr);
    CPen* pOld = m_dc.SelectObject(&pen);
    m_dc.SetTextColor(cr);
    m_dc.MoveTo(m_rc.left, m_rc.top);
    m_dc.LineTo(m_rc.left, m_rc.bottom);
    m_dc.LineTo(m_rc.right, m_rc.bottom);
    const int nHeight = m_dc.GetTextExtent(CString(L"Ag")).cy;
    m_dc.SetTextAlign(TA_CENTER | TA_TOP);
    for (size_t i = 0; i < timeTicks.values.size(); ++i) {
        const int x = X(timeTicks.values[i]);
        m_dc.MoveTo(x, m_rc.bottom);
        m_dc.LineTo(x, m_rc.bottom + nTick);
        m_dc.TextOut(x, m_rc.bottom + nTick, CString(timeTicks.labels[i].c_str()));
    }
    m_dc.TextOut((m_rc.left + m_rc.right) / 2, m_rc.bottom + nTick + nHeight, strTimeAxis);
    m_dc.SetTextAlign(TA_RIGHT | TA_TOP);
    for (size_t i = 0; i < signalTicks.values.size(); ++i) {
        const int y = Y(signalTicks.values[i]);
        m_dc.MoveTo(m_rc.left, y);
        m_dc.LineTo(m_rc.left - nTick, y);
        m_dc.TextOut(m_rc.left - nTick - 1, y - nHeight / 2, CString(signalTicks.labels[i].c_str()));
    }
    m_dc.SetTextAlign(TA_LEFT | TA_TOP);
    m_dc.SelectObject(pOld);
}

void CQLNSampleChromatogramPlot::DrawTrace(const std::vector<double>& values, double dDelay, double dInterval,
                                           COLORREF cr, int nWidth)
{
    const std::vector<CQLNSampleChromatogramPoint> points = CQLNSampleChromatogramDecimation::Decimate(
        values.data(), values.size(), dDelay, dInterval, m_dTimeLow, m_dTimeHigh, std::max(1, m_rc.Width()));
    ClippedPen pen(m_dc, m_rc, cr, nWidth);
    std::vector<POINT> run;
    run.reserve(points.size());
    const auto flush = [&] {
        if (run.size() >= 2)
            ::Polyline(m_dc.GetSafeHdc(), run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    for (const CQLNSampleChromatogramPoint& point : points) {
        if (!std::isfinite(point.value)) {
            flush();
            continue;
        }
        const POINT p = {m_rc.left + static_cast<LONG>(std::floor(point.x)), Y(point.value)};
        // Several samples on one spot are one point of the line.
        if (run.empty() || run.back().x != p.x || run.back().y != p.y)
            run.push_back(p);
    }
    // A trace of one point is a dot.
    if (run.size() == 1)
        run.push_back(POINT{run[0].x + 1, run[0].y});
    flush();
}

void CQLNSampleChromatogramPlot::DrawSegment(double dTime1, double dValue1, double dTime2, double dValue2,
                                             COLORREF cr)
{
    ClippedPen pen(m_dc, m_rc, cr, 1);
    m_dc.MoveTo(X(dTime1), Y(dValue1));
    m_dc.LineTo(X(dTime2), Y(dValue2));
}
