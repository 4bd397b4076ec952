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

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL EqualRect(LPCRECT lpRect) const
    {
        return lpRect != nullptr && left == lpRect->left && top == lpRect->top &&
               right == lpRect->right && bottom == lpRect->bottom;
    }

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

    BOOL operator==(const RECT& rect) const { return EqualRect(&rect); }
    BOOL operator!=(const RECT& rect) const { return !EqualRect(&rect); }
    void operator+=(POINT point) { OffsetRect(point.x, point.y); }
    void operator-=(POINT point) { OffsetRect(AfxSaturateSub(0, point.x), AfxSaturateSub(0, point.y)); }
    CRect operator+(POINT point) const { CRect r(*this); r += point; return r; }
    CRect operator-(POINT point) const { CRect r(*this); r -= point; return r; }
};
