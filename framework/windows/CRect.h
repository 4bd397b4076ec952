// A rectangle (left, top, right, bottom) over the platform's RECT.
//
// Widths, heights and moves saturate at the int range, so a rectangle from outside can never
// overflow; a rectangle whose right is left of its left has a negative width until it is
// normalised.
#pragma once
#include "CPoint.h"

class CRect : public tagRECT
{
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& srcRect) { CopyRect(&srcRect); }
    CRect(LPCRECT lpSrcRect) { if (lpSrcRect != nullptr) CopyRect(lpSrcRect); else SetRectEmpty(); }
    CRect(POINT point, SIZE size)
    {
        left = point.x; top = point.y;
        right = AfxSaturateAdd(left, size.cx); bottom = AfxSaturateAdd(top, size.cy);
    }
    CRect(POINT topLeft, POINT bottomRight)
    {
        left = topLeft.x; top = topLeft.y; right = bottomRight.x; bottom = bottomRight.y;
    }

    int Width() const { return AfxSaturateSub(right, left); }
    int Height() const { return AfxSaturateSub(bottom, top); }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const
    {
        return CPoint(static_cast<int>((static_cast<long long>(left) + right) / 2),
                      static_cast<int>((static_cast<long long>(top) + bottom) / 2));
    }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    // Empty: no area (zero or negative width or height).
    BOOL IsRectEmpty() const { return Width() <= 0 || Height() <= 0; }
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // The right and bottom edges are outside, as for the platform.
    BOOL PtInRect(POINT point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    BOOL EqualRect(LPCRECT lpRect) const
    {
        return lpRect != nullptr && left == lpRect->left && top == lpRect->top &&
               right == lpRect->right && bottom == lpRect->bottom;
    }

    void SetRect(int x1, int y1, int x2, int y2) { left = x1; top = y1; right = x2; bottom = y2; }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    void CopyRect(LPCRECT lpSrcRect)
    {
        if (lpSrcRect == nullptr)
            return;
        left = lpSrcRect->left; top = lpSrcRect->top; right = lpSrcRect->right; bottom = lpSrcRect->bottom;
    }

    void InflateRect(int x, int y) { InflateRect(x, y, x, y); }
    void InflateRect(SIZE size) { InflateRect(size.cx, size.cy); }
    void InflateRect(int l, int t, int r, int b)
    {
        left = AfxSaturateSub(left, l); top = AfxSaturateSub(top, t);
        right = AfxSaturateAdd(right, r); bottom = AfxSaturateAdd(bottom, b);
    }
    void DeflateRect(int x, int y) { DeflateRect(x, y, x, y); }
    void DeflateRect(SIZE size) { DeflateRect(size.cx, size.cy); }
    void DeflateRect(int l, int t, int r, int b)
    {
        left = AfxSaturateAdd(left, l); top = AfxSaturateAdd(top, t);
        right = AfxSaturateSub(right, r); bottom = AfxSaturateSub(bottom, b);
    }
    void OffsetRect(int x, int y)
    {
        left = AfxSaturateAdd(left, x); right = AfxSaturateAdd(right, x);
        top = AfxSaturateAdd(top, y); bottom = AfxSaturateAdd(bottom, y);
    }
    void OffsetRect(POINT point) { OffsetRect(point.x, point.y); }
    void OffsetRect(SIZE size) { OffsetRect(size.cx, size.cy); }
    // Swaps the edges where needed so that left <= right and top <= bottom.
    void NormalizeRect()
    {
        if (left > right) { const int t = left; left = right; right = t; }
        if (top > bottom) { const int t = top; top = bottom; bottom = t; }
    }
    // Both return non-zero when the result is not empty; an empty result is set to all zeros.
    BOOL IntersectRect(LPCRECT lpRect1, LPCRECT lpRect2)
    {
        return lpRect1 != nullptr && lpRect2 != nullptr && ::IntersectRect(this, lpRect1, lpRect2);
    }
    BOOL UnionRect(LPCRECT lpRect1, LPCRECT lpRect2)
    {
        return lpRect1 != nullptr && lpRect2 != nullptr && ::UnionRect(this, lpRect1, lpRect2);
    }

    BOOL operator==(const RECT& rect) const { return EqualRect(&rect); }
    BOOL operator!=(const RECT& rect) const { return !EqualRect(&rect); }
    void operator+=(POINT point) { OffsetRect(point.x, point.y); }
    void operator-=(POINT point) { OffsetRect(AfxSaturateSub(0, point.x), AfxSaturateSub(0, point.y)); }
    CRect operator+(POINT point) const { CRect r(*this); r += point; return r; }
    CRect operator-(POINT point) const { CRect r(*this); r -= point; return r; }
};
