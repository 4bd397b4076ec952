// The page's scale without a device: where a place lands in device pixels, and how an object is
// drawn, zoomed in the device's pixels or through the mapping. A screen of 96 dpi throughout, so
// that an inch of the page (2540 in 0.01 mm) is 96 pixels at full size.
#include "CQLNPageScale.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const int kDpi = 96;

CQLNPageScale ScreenAt(int nZoom, POINT origin)
{
    return CQLNPageScale(kDpi, SIZE{kDpi * nZoom, kDpi * nZoom}, origin);
}

CQLNPageScale Printer(int nDpi)
{
    return CQLNPageScale(kDpi, SIZE{nDpi * 100, nDpi * 100}, POINT{0, 0});
}

std::string Describe(const CQLNPageScale::Placement& placement)
{
    const RECT& rc = placement.bounds;
    return std::string(placement.drawing == CQLNPageScale::Drawing::InDevicePixels ? "device " : "mapped ") +
           std::to_string(rc.left) + "," + std::to_string(rc.top) + " " + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

} // namespace

TEST(PageScale, AnObjectThatTookTheZoomDrawsInDevicePixelsAndAnyOtherThroughTheMapping)
{
    // An inch square one inch from the paper's left edge.
    const RECT rcInch = {2540, 0, 5080, 2540};
    const struct { const char* rule; CQLNPageScale scale; bool bTookZoom; const char* seen; } rows[] = {
        {"full size on the screen, zoomed: device pixels from the page's corner",
         ScreenAt(100, POINT{10, 20}), true, "device 106,20 202,116"},
        {"full size, not zoomed: mapped, in pixels at full size and without the corner, which the mapping adds",
         ScreenAt(100, POINT{10, 20}), false, "mapped 96,0 192,96"},
        {"twice the size, zoomed: the device's pixels are twice as many",
         ScreenAt(200, POINT{10, 20}), true, "device 202,20 394,212"},
        {"twice the size, not zoomed: the mapping doubles, the bounds stay at full size",
         ScreenAt(200, POINT{10, 20}), false, "mapped 96,0 192,96"},
        {"half the size, zoomed", ScreenAt(50, POINT{0, 0}), true, "device 48,0 96,48"},
        {"a printer of 600 dpi, zoomed: its own pixels", Printer(600), true, "device 600,0 1200,600"},
        {"a printer of 600 dpi, not zoomed: the screen's pixels at full size", Printer(600), false, "mapped 96,0 192,96"},
        {"an object that refused the zoom on a zoomed screen is mapped, never left at full size in device pixels",
         ScreenAt(300, POINT{5, 5}), false, "mapped 96,0 192,96"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(row.seen, Describe(row.scale.PlacementOf(rcInch, row.bTookZoom)));
    }
}

TEST(PageScale, ZoomAndSizesFollowTheDevicesResolution)
{
    const struct { const char* rule; CQLNPageScale scale; double dZoom; long cx, cy; } rows[] = {
        // A4 is 210 x 297 mm: 793.7 and 1122.5 pixels at 96 dpi, rounded to the nearest.
        {"full size is a zoom of one, A4 in the screen's pixels", ScreenAt(100, POINT{7, 9}), 1.0, 794, 1123},
        {"the zoom in percent divided by a hundred", ScreenAt(150, POINT{0, 0}), 1.5, 1191, 1684},
        {"a printer's zoom is its resolution over the screen's", Printer(600), 6.25, 4961, 7016},
        {"a printer coarser than the screen shrinks the page", Printer(72), 0.75, 595, 842},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_DOUBLE_EQ(row.dZoom, row.scale.Zoom());
        // A size leaves the origin out: it is a length, not a place.
        const SIZE shown = row.scale.ToDevice(SIZE{21000, 29700});
        EXPECT_EQ(row.cx, shown.cx);
        EXPECT_EQ(row.cy, shown.cy);
    }
}
