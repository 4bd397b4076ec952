// Border drags driven by real mouse messages to a real control window whose handlers forward
// them to the engine, as a text control does.
#include "QLNBaseTextHelper.h"

#include "TestTextControl.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

class EngineDrag : public testing::Test
{
protected:
    void SetUp() override
    {
        ctrl = std::make_unique<TestTextControl>();
        ASSERT_TRUE(ctrl->Place(600, 400));
        ctrl->SetLines(L"Data file: {Data File}\r\n{RT}");
        ctrl->m_engine.m_fnResetColumnWidths(3, 1, 0);
        // The first paint stores the borders at 200 and 400.
        ctrl->Refresh();
        Pump();
        ASSERT_GE(ctrl->m_nPaints, 1);
    }
    void Post(UINT message, int x, int y = 50)
    {
        ctrl->PostMessage(message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
        Pump();
    }
    void Drag(int from, int to)
    {
        Post(WM_LBUTTONDOWN, from);
        Post(WM_MOUSEMOVE, to);
        Post(WM_LBUTTONUP, to);
    }
    std::vector<double> Ratios()
    {
        std::vector<double> ratios;
        for (long i = 0; i < 3; ++i) {
            double d = 0;
            ctrl->m_engine.m_fnGetColumnWidthRatio(i, &d);
            ratios.push_back(d);
        }
        return ratios;
    }

    std::unique_ptr<TestTextControl> ctrl;
};

TEST_F(EngineDrag, NeighboursTradePixels)
{
    Drag(203, 250);
    EXPECT_EQ((std::vector<double>{2.4, 4.0, 3.0}), Ratios());
}

TEST_F(EngineDrag, LeftColumnKeepsFivePixels)
{
    Drag(197, 0);
    const std::vector<double> r = Ratios();
    EXPECT_DOUBLE_EQ(120.0, r[0]);
    EXPECT_DOUBLE_EQ(600.0 / 395, r[1]);
    EXPECT_DOUBLE_EQ(3.0, r[2]);
}

TEST_F(EngineDrag, RightColumnKeepsFivePixels)
{
    Drag(200, 500);
    const std::vector<double> r = Ratios();
    EXPECT_DOUBLE_EQ(600.0 / 395, r[0]);
    EXPECT_DOUBLE_EQ(120.0, r[1]);
}

TEST_F(EngineDrag, SecondBorderMovesTheLastPair)
{
    Drag(400, 450);
    EXPECT_EQ((std::vector<double>{3.0, 2.4, 4.0}), Ratios());
}

TEST_F(EngineDrag, EachMoveRedrawsAtOnceWithTheNewBorders)
{
    Post(WM_LBUTTONDOWN, 200);
    const int paints = ctrl->m_nPaints;
    Post(WM_MOUSEMOVE, 230);
    EXPECT_GT(ctrl->m_nPaints, paints);
    Post(WM_MOUSEMOVE, 260);
    Post(WM_LBUTTONUP, 260);
    // The redraw stored the border where it was dropped: it grabs there now, not at 200.
    Drag(262, 300);
    EXPECT_DOUBLE_EQ(2.0, Ratios()[0]);
}

TEST_F(EngineDrag, PressAwayFromABorderDoesNothing)
{
    Drag(204, 300);
    Drag(300, 350);
    EXPECT_EQ((std::vector<double>{3.0, 3.0, 3.0}), Ratios());
    // Moves and releases without a press are harmless.
    Post(WM_MOUSEMOVE, 250);
    Post(WM_LBUTTONUP, 250);
    EXPECT_EQ((std::vector<double>{3.0, 3.0, 3.0}), Ratios());
}

TEST_F(EngineDrag, CursorShowsWhereABorderCanBeGrabbed)
{
    Post(WM_MOUSEMOVE, 401);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_SIZEWE), ::GetCursor());
    Post(WM_MOUSEMOVE, 300);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
}

TEST_F(EngineDrag, ReleaseOutsideLeavesTheDragOn)
{
    // Without capture the release outside the control never arrives: later moves go on
    // resizing until the next release the control sees.
    Post(WM_LBUTTONDOWN, 200);
    Post(WM_MOUSEMOVE, 250);
    Post(WM_MOUSEMOVE, 300);
    EXPECT_DOUBLE_EQ(2.0, Ratios()[0]);
    Post(WM_LBUTTONUP, 300);
    Post(WM_MOUSEMOVE, 350);
    EXPECT_DOUBLE_EQ(2.0, Ratios()[0]);
}

TEST_F(EngineDrag, RealInputDragsABorder)
{
    // The pointer itself: pressed on the border, moved and released through the system's
    // input queue, which finds the control under the pointer.
    ::SetForegroundWindow(::GetParent(ctrl->m_hWnd));
    POINT pt = {200, 50};
    ::ClientToScreen(ctrl->m_hWnd, &pt);
    ::SetCursorPos(pt.x, pt.y);
    Pump();
    INPUT inputs[3] = {};
    for (INPUT& in : inputs)
        in.type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    // An absolute move: relative moves are scaled by the pointer speed.
    POINT to = {250, 50};
    ::ClientToScreen(ctrl->m_hWnd, &to);
    inputs[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dx = static_cast<LONG>((to.x * 65536LL + ::GetSystemMetrics(SM_CXSCREEN) - 1) / ::GetSystemMetrics(SM_CXSCREEN));
    inputs[1].mi.dy = static_cast<LONG>((to.y * 65536LL + ::GetSystemMetrics(SM_CYSCREEN) - 1) / ::GetSystemMetrics(SM_CYSCREEN));
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    for (INPUT& in : inputs) {
        ASSERT_EQ(1u, ::SendInput(1, &in, sizeof(INPUT)));
        for (int i = 0; i < 20; ++i) {
            ::Sleep(10);
            Pump();
        }
    }
    EXPECT_EQ((std::vector<double>{2.4, 4.0, 3.0}), Ratios());
}

} // namespace
