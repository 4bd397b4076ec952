// A position (x, y) over the platform's POINT.
#pragma once
#include "CSize.h"

class CPoint : public tagPOINT
{
public:
    CPoint() { x = 0; y = 0; }
    CPoint(int initX, int initY) { x = initX; y = initY; }
    CPoint(POINT initPt) { x = initPt.x; y = initPt.y; }
    CPoint(SIZE initSize) { x = initSize.cx; y = initSize.cy; }
    // The packed position of a mouse message's LPARAM: signed 16-bit x and y.
    explicit CPoint(LPARAM dwPoint)
    {
        x = static_cast<short>(LOWORD(dwPoint));
        y = static_cast<short>(HIWORD(dwPoint));
    }

    void Offset(int xOffset, int yOffset) { x = AfxSaturateAdd(x, xOffset); y = AfxSaturateAdd(y, yOffset); }

    BOOL operator==(POINT point) const { return x == point.x && y == point.y; }
    BOOL operator!=(POINT point) const { return !(*this == point); }
    void operator+=(SIZE size) { Offset(size.cx, size.cy); }
    void operator-=(SIZE size) { x = AfxSaturateSub(x, size.cx); y = AfxSaturateSub(y, size.cy); }
    void operator+=(POINT point) { Offset(point.x, point.y); }
    void operator-=(POINT point) { x = AfxSaturateSub(x, point.x); y = AfxSaturateSub(y, point.y); }
    CPoint operator+(SIZE size) const { CPoint p(*this); p += size; return p; }
    CPoint operator-(SIZE size) const { CPoint p(*this); p -= size; return p; }
    CPoint operator+(POINT point) const { CPoint p(*this); p += point; return p; }
    // The difference of two points is an extent.
    CSize operator-(POINT point) const { return CSize(AfxSaturateSub(x, point.x), AfxSaturateSub(y, point.y)); }
    CPoint operator-() const { return CPoint(AfxSaturateSub(0, x), AfxSaturateSub(0, y)); }
};
