// The windowed control base: a child window of its container drawn through OnDraw, and the
// colour translation every control uses.
#include "COleControl.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

namespace {

class CTestControl : public COleControl
{
public:
    int m_nDraws = 0;
    CRect m_rcLastBounds;

    void OnDraw(CDC* pDC, const CRect& rcBounds, const CRect&) override
    {
        ++m_nDraws;
        m_rcLastBounds = rcBounds;
        CBrush brush(RGB(0, 0, 0));
        pDC->FillRect(rcBounds, &brush);
    }
};

} // namespace

TEST(COleControlWindow, ControlWindowIsAChildDrawnThroughOnDraw)
{
    CWnd container;
    ASSERT_TRUE(container.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                                   L"container", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
    CTestControl control;
    ASSERT_TRUE(control.CreateControlWindow(container.m_hWnd, CRect(10, 20, 110, 70)));
    EXPECT_FALSE(control.CreateControlWindow(container.m_hWnd, CRect(0, 0, 5, 5))) << "one window per control";
    EXPECT_EQ(&container, control.GetParent());
    EXPECT_TRUE(::GetWindowLongW(control.m_hWnd, GWL_STYLE) & WS_CHILD);
    control.UpdateWindow();
    EXPECT_EQ(1, control.m_nDraws);
    EXPECT_EQ(CRect(0, 0, 100, 50), control.m_rcLastBounds);

    // What OnDraw drew is what the container shows.
    CDC* pDC = container.GetDC();
    qlntest::PixelGrab grab(pDC->m_hDC, 200, 200);
    container.ReleaseDC(pDC);
    const RECT ink = grab.InkBox();
    EXPECT_EQ(10, ink.left);
    EXPECT_EQ(20, ink.top);
    EXPECT_EQ(110, ink.right);
    EXPECT_EQ(70, ink.bottom);

    control.InvalidateControl();
    qlntest::PumpMessages();
    EXPECT_EQ(2, control.m_nDraws);
    control.Refresh();
    EXPECT_EQ(3, control.m_nDraws);
    container.DestroyWindow();
    EXPECT_EQ(nullptr, control.m_hWnd);
    EXPECT_FALSE(control.CreateControlWindow(nullptr, CRect(0, 0, 5, 5)));
}

TEST(COleControlColour, OleColoursBecomeColorRefs)
{
    CTestControl control;
    EXPECT_EQ(RGB(12, 34, 56), control.TranslateColor(RGB(12, 34, 56)));
    // The high bit marks a system colour index.
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), control.TranslateColor(0x80000000 | COLOR_WINDOWTEXT));
    EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), control.TranslateColor(0x80000000 | COLOR_BTNFACE));
    // Not a colour: black.
    EXPECT_EQ(RGB(0, 0, 0), control.TranslateColor(0x80000000 | 0x1234));
    EXPECT_EQ(RGB(0, 0, 0), control.TranslateColor(0x05000000));
}
