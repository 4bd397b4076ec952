// The windowed control base: a child window of its container drawn through OnDraw, and colours
// that are none. What the window shows is the hosting tests' concern.
#include "COleControl.h"

#include <gtest/gtest.h>

namespace {

class CTestControl : public COleControl
{
public:
    int m_nDraws = 0;
    CRect m_rcLastBounds;

    void OnDraw(CDC*, const CRect& rcBounds, const CRect&) override
    {
        ++m_nDraws;
        m_rcLastBounds = rcBounds;
    }
};

} // namespace

TEST(COleControl, ControlWindowIsAChildDrawnThroughOnDraw)
{
    CWnd container;
    ASSERT_TRUE(container.CreateEx(0, AfxRegisterWndClass(0), L"container", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
    CTestControl control;
    ASSERT_TRUE(control.CreateControlWindow(container.m_hWnd, CRect(10, 20, 110, 70)));
    EXPECT_FALSE(control.CreateControlWindow(container.m_hWnd, CRect(0, 0, 5, 5))) << "one window per control";
    EXPECT_EQ(&container, control.GetParent());
    control.UpdateWindow();
    EXPECT_EQ(CRect(0, 0, 100, 50), control.m_rcLastBounds) << "its own client coordinates";

    control.InvalidateControl();
    control.UpdateWindow();
    EXPECT_EQ(2, control.m_nDraws);
    control.Refresh();
    EXPECT_EQ(3, control.m_nDraws);
    container.DestroyWindow();
    EXPECT_EQ(nullptr, control.m_hWnd);
    EXPECT_FALSE(control.CreateControlWindow(nullptr, CRect(0, 0, 5, 5)));

    // Colours: a system colour index is covered by drawing the control; what is not a colour is black.
    EXPECT_EQ(RGB(0, 0, 0), control.TranslateColor(0x80000000 | 0x1234));
    EXPECT_EQ(RGB(0, 0, 0), control.TranslateColor(0x05000000));
}
