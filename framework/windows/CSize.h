// An extent (cx, cy) over the platform's SIZE.
#pragma once
#include "Afx.h"
#include "AfxSaturate.h"

class CSize : public tagSIZE
{
public:
    CSize() { cx = 0; cy = 0; }
    CSize(int initCX, int initCY) { cx = initCX; cy = initCY; }
    CSize(SIZE initSize) { cx = initSize.cx; cy = initSize.cy; }
    // The packed extent that GetTabbedTextExtentW and similar calls return: width in the low
    // word, height in the high word, each a signed 16-bit value.
    explicit CSize(DWORD dwSize)
    {
        cx = static_cast<short>(LOWORD(dwSize));
        cy = static_cast<short>(HIWORD(dwSize));
    }

    BOOL operator==(SIZE size) const { return cx == size.cx && cy == size.cy; }
    BOOL operator!=(SIZE size) const { return !(*this == size); }
    void operator+=(SIZE size) { cx = AfxSaturateAdd(cx, size.cx); cy = AfxSaturateAdd(cy, size.cy); }
    void operator-=(SIZE size) { cx = AfxSaturateSub(cx, size.cx); cy = AfxSaturateSub(cy, size.cy); }
    CSize operator+(SIZE size) const { CSize s(*this); s += size; return s; }
    CSize operator-(SIZE size) const { CSize s(*this); s -= size; return s; }
    CSize operator-() const { return CSize(AfxSaturateSub(0, cx), AfxSaturateSub(0, cy)); }
};
