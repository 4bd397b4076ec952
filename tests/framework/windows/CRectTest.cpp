// Rectangles, points and sizes with numbers from outside at the ends of the int range. Everyday
// arithmetic is every layout and drawing test's.
#include "CRect.h"

#include <gtest/gtest.h>

#include <climits>

TEST(CRectGeometry, ExtremeCoordinatesSaturateAndPackedValuesKeepTheirSigns)
{
    EXPECT_EQ(INT_MAX, CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX).Height());
    EXPECT_EQ(INT_MIN, CRect(INT_MAX, 0, INT_MIN, 0).Width());
    CRect rc(INT_MAX - 5, 0, INT_MAX, 10);
    rc.OffsetRect(100, 0);
    EXPECT_EQ(CRect(INT_MAX, 0, INT_MAX, 10), rc);
    rc.InflateRect(INT_MAX, INT_MAX);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(INT_MAX, rc.right);
    CPoint pt(INT_MIN, INT_MAX);
    pt.Offset(-1, 1);
    EXPECT_EQ(CPoint(INT_MIN, INT_MAX), pt);
    EXPECT_EQ(CPoint(INT_MAX, -INT_MAX), -pt);
    EXPECT_EQ(CSize(INT_MIN, INT_MAX), CPoint(INT_MIN, INT_MAX) - CPoint(1, -1));
    // Mouse positions left of or above a window are negative.
    EXPECT_EQ(CPoint(-3, 7), CPoint(static_cast<LPARAM>(MAKELONG(static_cast<WORD>(-3), 7))));
    EXPECT_EQ(CSize(40, -2), CSize(static_cast<DWORD>(MAKELONG(40, static_cast<WORD>(-2)))));
}
