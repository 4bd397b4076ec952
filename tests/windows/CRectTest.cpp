// Rectangles, points and sizes, including numbers from outside at the ends of the int range.
#include "CRect.h"

#include <gtest/gtest.h>

#include <climits>

TEST(CRectGeometry, NormaliseInflateDeflateAndOffset)
{
    CRect rc(100, 80, 10, 20);
    EXPECT_EQ(-90, rc.Width());
    rc.NormalizeRect();
    EXPECT_EQ(CRect(10, 20, 100, 80), rc);
    rc.DeflateRect(3, 0);
    EXPECT_EQ(CRect(13, 20, 97, 80), rc);
    // The label's margin is an inflation by minus ten.
    rc.InflateRect(-10, -10);
    EXPECT_EQ(CRect(23, 30, 87, 70), rc);
    rc.OffsetRect(0, 5);
    EXPECT_EQ(CRect(23, 35, 87, 75), rc);
    rc.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(CRect(24, 37, 84, 71), rc);
}

TEST(CRectGeometry, ExtremeCoordinatesSaturateInsteadOfOverflowing)
{
    const CRect wide(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(INT_MAX, wide.Width());
    EXPECT_EQ(INT_MAX, wide.Height());
    EXPECT_EQ(INT_MIN, CRect(INT_MAX, 0, INT_MIN, 0).Width());

    CRect rc(INT_MAX - 5, 0, INT_MAX, 10);
    rc.OffsetRect(100, 0);
    EXPECT_EQ(INT_MAX, rc.left);
    EXPECT_EQ(INT_MAX, rc.right);
    rc.InflateRect(INT_MAX, INT_MAX);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(INT_MAX, rc.right);

    CPoint pt(INT_MIN, INT_MAX);
    pt.Offset(-1, 1);
    EXPECT_EQ(CPoint(INT_MIN, INT_MAX), pt);
    EXPECT_EQ(CPoint(INT_MAX, -INT_MAX), -pt);
    EXPECT_EQ(CSize(INT_MIN, INT_MAX), CPoint(INT_MIN, INT_MAX) - CPoint(1, -1));
}

TEST(CRectGeometry, PackedValuesKeepTheirSigns)
{
    // Mouse positions left of or above a window are negative.
    const CPoint pt(static_cast<LPARAM>(MAKELONG(static_cast<WORD>(-3), 7)));
    EXPECT_EQ(CPoint(-3, 7), pt);
    const CSize size(static_cast<DWORD>(MAKELONG(40, static_cast<WORD>(-2))));
    EXPECT_EQ(CSize(40, -2), size);
}
