// Where and how large the page lies on a device: the device's pixels per hundred inches across
// and down (the screen's resolution times the zoom in percent, or a printer's resolution times a
// hundred) and the device pixel of the page's top left corner. Objects know only their size in
// pixels of the screen at full size; this says how much larger or smaller they are shown.
#pragma once
#include <windows.h>

class CQLNPageScale
{
public:
    // The page on the screen at nZoom percent, its corner at origin.
    static CQLNPageScale Screen(int nZoom, POINT origin);
    // The page at the device's own resolution, its corner at the device's origin: a printer, or a
    // metafile measured against one.
    static CQLNPageScale Device(HDC hdc);

    // A place on the page in 0.01 mm, in device pixels.
    RECT ToDevice(const RECT& rcPlace) const;
    // The same place in pixels of the screen at full size, the logical units Map gives.
    RECT ToFullSize(const RECT& rcPlace) const;
    // How many times its full size on the screen the page is shown, down the page: the zoom for
    // an object that sizes its fonts in pixels of the screen.
    double Zoom() const;
    // Maps the device so that a logical unit is a pixel of the screen at full size and the
    // logical origin is the page's corner.
    void Map(HDC hdc) const;

private:
    CQLNPageScale(int nScreenDpi, SIZE resolution, POINT origin)
        : m_nScreenDpi(nScreenDpi), m_resolution(resolution), m_origin(origin)
    {
    }

    int m_nScreenDpi;
    SIZE m_resolution;
    POINT m_origin;
};
