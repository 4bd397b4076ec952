// The centred label as a dialog would have it: a window of the global class, created by class
// name under a parent that answers WM_GETFONT, painted by a real WM_PAINT and read back pixel
// by pixel from its window.
#include "CHandleMap.h"
#include "QLNMultiLineCenteredStatic.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kWidth = 300, kHeight = 200, kMargin = 10;

// A horizontal band of ink: one line of text.
struct Band { int top, bottom; RECT ink; };

class LabelTest : public ::testing::Test
{
protected:
    // A static window answers WM_GETFONT with what WM_SETFONT gave it, as a dialog answers
    // with its template's font.
    void SetUp() override
    {
        LOGFONTW lf = {};
        lf.lfHeight = -20;
        wcscpy(lf.lfFaceName, L"Times New Roman");
        m_hFont = ::CreateFontIndirectW(&lf);
        m_hParent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth + 40, kHeight + 40,
                                      nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, m_hParent);
        ::SendMessageW(m_hParent, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), FALSE);
    }
    void TearDown() override
    {
        ::DestroyWindow(m_hParent);
        ::DeleteObject(m_hFont);
        AfxDeleteTempMap();
    }
    HWND CreateLabel(const wchar_t* text, int width = kWidth)
    {
        return ::CreateWindowExW(0, CQLNMultiLineCenteredStatic::m_kszClassName, text, WS_CHILD | WS_VISIBLE, 20, 20,
                                 width, kHeight, m_hParent, nullptr, nullptr, nullptr);
    }
    // What the label shows after it painted itself.
    static qlntest::PixelGrab Paint(HWND hLabel)
    {
        ::UpdateWindow(hLabel);
        qlntest::PumpMessages();
        RECT rc;
        ::GetClientRect(hLabel, &rc);
        HDC hDC = ::GetDC(hLabel);
        qlntest::PixelGrab grab(hDC, rc.right, rc.bottom);
        ::ReleaseDC(hLabel, hDC);
        return grab;
    }
    static std::vector<Band> Bands(const qlntest::PixelGrab& grab)
    {
        std::vector<Band> bands;
        for (int y = 0; y < grab.Height(); ++y) {
            const bool ink = grab.InkBox(RECT{0, y, grab.Width(), y + 1}).right > 0;
            if (ink && (bands.empty() || bands.back().bottom != y))
                bands.push_back(Band{y, y + 1, {}});
            else if (ink)
                bands.back().bottom = y + 1;
        }
        for (Band& band : bands)
            band.ink = grab.InkBox(RECT{0, band.top, grab.Width(), band.bottom});
        return bands;
    }
    int LineHeight()
    {
        HDC hDC = ::GetDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hDC, m_hFont);
        TEXTMETRICW tm = {};
        ::GetTextMetricsW(hDC, &tm);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(nullptr, hDC);
        return tm.tmHeight;
    }

    HWND m_hParent = nullptr;
    HFONT m_hFont = nullptr;
};

} // namespace

TEST_F(LabelTest, ClassIsGlobalWithTheScrollBarColourAsBackground)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(::GetClassInfoExW(::GetModuleHandleW(L"QLNBase.dll"), CQLNMultiLineCenteredStatic::m_kszClassName, &wc));
    EXPECT_EQ(static_cast<UINT>(CS_GLOBALCLASS), wc.style & CS_GLOBALCLASS);
    // Empty text: nothing but the background (the grab is 0x00RRGGBB, a COLORREF 0x00BBGGRR).
    const qlntest::PixelGrab grab = Paint(CreateLabel(L""));
    EXPECT_EQ(0, grab.InkBox().right);
    const COLORREF c = ::GetSysColor(COLOR_SCROLLBAR);
    EXPECT_EQ(static_cast<DWORD>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)), grab.At(5, 5));
}

TEST_F(LabelTest, WindowGetsItsObjectOnTheFirstMessageAndLosesItAfterTheLast)
{
    const HWND hLabel = CreateLabel(L"object");
    CWnd* pObject = CWnd::FromHandlePermanent(hLabel);
    ASSERT_NE(nullptr, dynamic_cast<CQLNMultiLineCenteredStatic*>(pObject));
    ::SendMessageW(hLabel, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"again"));
    Paint(hLabel);
    EXPECT_EQ(pObject, CWnd::FromHandlePermanent(hLabel)) << "one object for every message";
    CString text;
    pObject->GetWindowText(text);
    EXPECT_STREQ(L"again", text.GetString());
    ::DestroyWindow(hLabel);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hLabel));
    EXPECT_NE(nullptr, dynamic_cast<CQLNMultiLineCenteredStatic*>(CWnd::FromHandlePermanent(CreateLabel(L"second"))));
}

TEST_F(LabelTest, LinesAreCentredWithinTheWidestAndTheBlockVertically)
{
    const std::vector<Band> bands = Bands(Paint(CreateLabel(L"A much wider first line\r\nshort\r\nmiddle one")));
    ASSERT_EQ(3u, bands.size());
    // The block starts at the margin, as wide as its widest line: not centred across.
    EXPECT_GE(bands[0].ink.left, kMargin);
    EXPECT_LE(bands[0].ink.left, kMargin + 3);
    const auto centre = [](const RECT& rc) { return (rc.left + rc.right) / 2; };
    for (const Band& band : bands)
        EXPECT_LE(std::abs(centre(band.ink) - centre(bands[0].ink)), 2) << "band at " << band.top;
    EXPECT_NEAR(2 * LineHeight(), bands[2].top - bands[0].top, 2) << "lines of the parent's font";
    // Equal space above and below, to a line's leading.
    const int blockTop = kMargin + (kHeight - 2 * kMargin - 3 * LineHeight()) / 2;
    EXPECT_GE(bands[0].top, blockTop);
    EXPECT_LE(bands[2].bottom, blockTop + 3 * LineHeight());
}

TEST_F(LabelTest, TextIsWrappedAtWordsToTheAreaWidth)
{
    const std::vector<Band> bands = Bands(Paint(CreateLabel(L"the quick brown fox jumps over the lazy dog", 160)));
    ASSERT_GE(bands.size(), 2u);
    for (const Band& band : bands) {
        EXPECT_GE(band.ink.left, kMargin);
        EXPECT_LE(band.ink.right, 160 - kMargin);
    }
}

TEST_F(LabelTest, TallTextStartsAtTheTopOfTheAreaAndIsClippedAtItsBottom)
{
    std::wstring text;
    for (int i = 1; i <= 30; ++i)
        text += L"Line " + std::to_wstring(i) + L"\r\n";
    const RECT ink = Paint(CreateLabel(text.c_str())).InkBox();
    EXPECT_GE(ink.top, kMargin);
    EXPECT_LT(ink.top, kMargin + LineHeight() / 2);
    // The bottom margin stays clear, and the lines go on down to it.
    EXPECT_LE(ink.bottom, kHeight - kMargin);
    EXPECT_GT(ink.bottom, kHeight - kMargin - LineHeight());
}

TEST_F(LabelTest, ParentWithoutFontLeavesTheDefaultFont)
{
    ::SendMessageW(m_hParent, WM_SETFONT, 0, FALSE);
    const RECT ink = Paint(CreateLabel(L"System font")).InkBox();
    EXPECT_GT(ink.right, ink.left);
}
