#include "CQLNPageScale.h"

#include "CQLNReportPage.h"

namespace {

// 0.01 mm in a hundred inches.
const int kHimetricPer100Inches = 254000;

} // namespace

CQLNPageScale CQLNPageScale::Screen(int nZoom, POINT origin)
{
    const int nDpi = CQLNReportPage::ScreenDpi();
    return CQLNPageScale(nDpi, SIZE{nDpi * nZoom, nDpi * nZoom}, origin);
}

CQLNPageScale CQLNPageScale::Device(HDC hdc)
{
    const int nDpiX = ::GetDeviceCaps(hdc, LOGPIXELSX), nDpiY = ::GetDeviceCaps(hdc, LOGPIXELSY);
    const int nScreenDpi = CQLNReportPage::ScreenDpi();
    // A device that gives no resolution is taken for the screen.
    return CQLNPageScale(nScreenDpi, SIZE{(nDpiX > 0 ? nDpiX : nScreenDpi) * 100, (nDpiY > 0 ? nDpiY : nScreenDpi) * 100},
                         POINT{0, 0});
}

RECT CQLNPageScale::ToDevice(const RECT& rcPlace) const
{
    return RECT{m_origin.x + ::MulDiv(rcPlace.left, m_resolution.cx, kHimetricPer100Inches),
                m_origin.y + ::MulDiv(rcPlace.top, m_resolution.cy, kHimetricPer100Inches),
                m_origin.x + ::MulDiv(rcPlace.right, m_resolution.cx, kHimetricPer100Inches),
                m_origin.y + ::MulDiv(rcPlace.bottom, m_resolution.cy, kHimetricPer100Inches)};
}

SIZE CQLNPageScale::ToDevice(SIZE size) const
{
    const RECT rc = ToDevice(RECT{0, 0, size.cx, size.cy});
    return SIZE{rc.right - m_origin.x, rc.bottom - m_origin.y};
}

RECT CQLNPageScale::ToFullSize(const RECT& rcPlace) const
{
    const int nFull = m_nScreenDpi * 100;
    return RECT{::MulDiv(rcPlace.left, nFull, kHimetricPer100Inches), ::MulDiv(rcPlace.top, nFull, kHimetricPer100Inches),
                ::MulDiv(rcPlace.right, nFull, kHimetricPer100Inches), ::MulDiv(rcPlace.bottom, nFull, kHimetricPer100Inches)};
}

double CQLNPageScale::Zoom() const
{
    return static_cast<double>(m_resolution.cy) / (m_nScreenDpi * 100.0);
}

void CQLNPageScale::Map(HDC hdc) const
{
    ::SetMapMode(hdc, MM_ANISOTROPIC);
    ::SetWindowExtEx(hdc, m_nScreenDpi * 100, m_nScreenDpi * 100, nullptr);
    ::SetViewportExtEx(hdc, m_resolution.cx, m_resolution.cy, nullptr);
    ::SetViewportOrgEx(hdc, m_origin.x, m_origin.y, nullptr);
}

CQLNPageScale::Placement CQLNPageScale::PlacementOf(const RECT& rcPlace, bool bTookZoom) const
{
    if (bTookZoom)
        return Placement{Drawing::InDevicePixels, ToDevice(rcPlace)};
    return Placement{Drawing::ThroughMapping, ToFullSize(rcPlace)};
}
