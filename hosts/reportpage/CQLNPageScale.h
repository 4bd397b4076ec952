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

    // The page at an explicit resolution: nScreenDpi is what full size means, resolution the
    // device's pixels per hundred inches. The factories above give the real devices' figures.
    CQLNPageScale(int nScreenDpi, SIZE resolution, POINT origin)
        : m_nScreenDpi(nScreenDpi), m_resolution(resolution), m_origin(origin)
    {
    }

    // A place on the page in 0.01 mm, in device pixels.
    RECT ToDevice(const RECT& rcPlace) const;
    // A length across and down the page in 0.01 mm, in device pixels (the origin left out).
    SIZE ToDevice(SIZE size) const;
    // The same place in pixels of the screen at full size, the logical units Map gives.
    RECT ToFullSize(const RECT& rcPlace) const;
    // How many times its full size on the screen the page is shown, down the page: the zoom for
    // an object that sizes its fonts in pixels of the screen.
    double Zoom() const;
    // Maps the device so that a logical unit is a pixel of the screen at full size and the
    // logical origin is the page's corner.
    void Map(HDC hdc) const;

    // How an object is drawn at this scale. Objects size their fonts in pixels of the screen at
    // full size. One that took the scale's zoom draws in the device's own pixels, unmapped: the
    // text objects' column engine sets MM_TEXT on the device it draws on, so under a mapping its
    // words would keep their size in device pixels while everything else scaled. Any other
    // object is drawn through Map, its bounds in pixels of the screen at full size.
    enum class Drawing { InDevicePixels, ThroughMapping };
    struct Placement
    {
        Drawing drawing;
        RECT bounds;   // in the logical units of the device as the drawing leaves it
    };
    Placement PlacementOf(const RECT& rcPlace, bool bTookZoom) const;

private:
    int m_nScreenDpi;
    SIZE m_resolution;
    POINT m_origin;
};
