// Helpers for tests that drive real windows under Xvfb: pumping the thread's messages, and
// reading back what a window or picture shows.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace qlntest {

// Delivers every message waiting for this thread (posted messages, input, paints).
inline void PumpMessages()
{
    MSG msg;
    for (int round = 0; round < 3; ++round) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

// A copy of pixels (0x00RRGGBB) read from a DC with BitBlt, so that what the system shows can be
// inspected after the fact.
class PixelGrab
{
public:
    PixelGrab(HDC hSource, int width, int height) : m_width(width), m_height(height),
                                                      m_pixels(static_cast<size_t>(width) * height)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};   // top-down rows
        HDC hMem = ::CreateCompatibleDC(hSource);
        void* pBits = nullptr;
        HBITMAP hBitmap = ::CreateDIBSection(hMem, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        ::BitBlt(hMem, 0, 0, width, height, hSource, 0, 0, SRCCOPY);
        ::GdiFlush();
        const DWORD* p = static_cast<const DWORD*>(pBits);
        for (size_t i = 0; i < m_pixels.size(); ++i)
            m_pixels[i] = p[i] & 0x00FFFFFF;
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hMem);
    }

    // A COLORREF (0x00BBGGRR) as the pixels hold it.
    static DWORD Rgb(COLORREF cr) { return static_cast<DWORD>(GetRValue(cr) << 16 | GetGValue(cr) << 8 | GetBValue(cr)); }
    // How many pixels within rcArea are in the colour.
    int Count(COLORREF cr, const RECT& rcArea) const
    {
        int n = 0;
        for (int y = rcArea.top; y < rcArea.bottom; ++y)
            for (int x = rcArea.left; x < rcArea.right; ++x)
                n += At(x, y) == Rgb(cr);
        return n;
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    DWORD At(int x, int y) const { return m_pixels[static_cast<size_t>(y) * m_width + x]; }
    // Dark pixels: text drawn in black on a light background.
    bool IsInk(int x, int y) const
    {
        const DWORD c = At(x, y);
        return (c & 0xFF) < 0x80 && ((c >> 8) & 0xFF) < 0x80 && ((c >> 16) & 0xFF) < 0x80;
    }
    // The smallest rectangle around the ink within rcArea (right and bottom outside); empty
    // (all zeros) when there is none.
    RECT InkBox(const RECT& rcArea) const
    {
        RECT box = {rcArea.right, rcArea.bottom, rcArea.left, rcArea.top};
        for (int y = rcArea.top; y < rcArea.bottom; ++y)
            for (int x = rcArea.left; x < rcArea.right; ++x)
                if (IsInk(x, y))
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                           std::max<LONG>(box.bottom, y + 1)};
        return box.left < box.right ? box : RECT{0, 0, 0, 0};
    }
    RECT InkBox() const { return InkBox(RECT{0, 0, m_width, m_height}); }

private:
    int m_width;
    int m_height;
    std::vector<DWORD> m_pixels;
};

// The child dialog of hParent (a control that is a dialog of its own) whose centre is the centre
// of hParent's item nIDPlace, to a pixel; null when there is none.
inline HWND ChildDialogCentredOn(HWND hParent, int nIDPlace)
{
    RECT rcPlace = {}, rc = {};
    ::GetWindowRect(::GetDlgItem(hParent, nIDPlace), &rcPlace);
    for (HWND h = ::FindWindowExW(hParent, nullptr, L"#32770", nullptr); h != nullptr;
         h = ::FindWindowExW(hParent, h, L"#32770", nullptr))
        if (::GetWindowRect(h, &rc) && std::abs((rc.left + rc.right) - (rcPlace.left + rcPlace.right)) <= 2 &&
            std::abs((rc.top + rc.bottom) - (rcPlace.top + rcPlace.bottom)) <= 2)
            return h;
    return nullptr;
}

// What the screen shows at a point of a window's client area.
inline COLORREF ScreenPixel(HWND hWnd, int x, int y)
{
    POINT pt = {x, y};
    ::ClientToScreen(hWnd, &pt);
    const HDC hDC = ::GetDC(nullptr);
    const COLORREF cr = ::GetPixel(hDC, pt.x, pt.y);
    ::ReleaseDC(nullptr, hDC);
    return cr;
}

// The font a window draws its text in (WM_GETFONT); all zeros for the system font.
inline LOGFONTW FontOf(HWND hWnd)
{
    LOGFONTW lf = {};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(hWnd, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

} // namespace qlntest
