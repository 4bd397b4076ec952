// Border drags driven by real mouse input and messages to a real control window whose handlers
// forward them to the engine, as a text control does. Three columns of 200: borders at 200, 400.
#include "QLNBaseTextHelper.h"

#include "TestTextControl.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using Ratios = std::vector<double>;

class EngineDrag : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(ctrl->Place(600, 400));
        ctrl->SetLines(L"Data file: {Data File}\r\n{RT}");
        Reset();
    }
    // Equal columns, and a paint to store their borders.
    void Reset()
    {
        ctrl->m_engine.m_fnResetColumnWidths(3, 1, 0);
        ctrl->Refresh();
        qlntest::PumpMessages();
    }
    void Post(UINT message, int x)
    {
        ctrl->PostMessage(message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, 50));
        qlntest::PumpMessages();
    }
    // A drag with the pointer itself, through the system's input queue, which finds the control
    // under the pointer.
    void Drag(int from, int to)
    {
        ::SetForegroundWindow(::GetParent(ctrl->m_hWnd));
        const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
        const struct { int x; DWORD button; } steps[] = {{from, MOUSEEVENTF_LEFTDOWN}, {to, 0}, {to, MOUSEEVENTF_LEFTUP}};
        for (const auto& step : steps) {
            POINT pt = {step.x, 50};
            ::ClientToScreen(ctrl->m_hWnd, &pt);
            INPUT in = {};
            in.type = INPUT_MOUSE;
            // Absolute: relative moves are scaled by the pointer speed.
            in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | step.button;
            in.mi.dx = static_cast<LONG>((pt.x * 65536LL + cx - 1) / cx);
            in.mi.dy = static_cast<LONG>((pt.y * 65536LL + cy - 1) / cy);
            ASSERT_EQ(1u, ::SendInput(1, &in, sizeof(INPUT)));
            for (int i = 0; i < 5; ++i)
                qlntest::PumpMessages();
        }
    }
    Ratios Got()
    {
        Ratios r(3);
        for (long i = 0; i < 3; ++i)
            ctrl->m_engine.m_fnGetColumnWidthRatio(i, &r[i]);
        return r;
    }

    std::unique_ptr<TestTextControl> ctrl = std::make_unique<TestTextControl>();
};

TEST_F(EngineDrag, ABorderTradesPixelsBetweenItsNeighbours)
{
    // The reach of a border and the limits of a trade are pinned in the geometry table, presses
    // away from a border in the control's window test; here the pair a border moves. 250 and
    // 150 of 600 are ratios 2.4 and 4.
    const struct { const char* why; int from, to; Ratios expected; } rows[] = {
        {"first border, grabbed three right", 203, 250, {2.4, 4.0, 3.0}},
        {"second border moves the last pair", 400, 450, {3.0, 2.4, 4.0}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        Reset();
        Drag(r.from, r.to);
        EXPECT_EQ(r.expected, Got());
    }
}

TEST_F(EngineDrag, EachMoveRedrawsWithTheNewBordersAndTheDragLastsUntilARelease)
{
    Post(WM_LBUTTONDOWN, 200);
    const int paints = ctrl->m_nPaints;
    Post(WM_MOUSEMOVE, 230);
    EXPECT_GT(ctrl->m_nPaints, paints);
    // Every move resizes until a release, none after it (the control takes no capture).
    Post(WM_MOUSEMOVE, 260);
    Post(WM_LBUTTONUP, 260);
    Post(WM_MOUSEMOVE, 350);
    // The redraw stored the border where it was dropped: it grabs there now, not at 200.
    Drag(262, 300);
    EXPECT_DOUBLE_EQ(2.0, Got()[0]);
}

TEST_F(EngineDrag, CursorShowsWhereABorderCanBeGrabbed)
{
    Post(WM_MOUSEMOVE, 401);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_SIZEWE), ::GetCursor());
    Post(WM_MOUSEMOVE, 300);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
}

} // namespace
