// The control's own window: a read-only edit window that holds the text, driven with real
// mouse and menu messages as a user in a container would drive it.
#include "TestTextCtrl.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <windowsx.h>

namespace {

const wchar_t kText[] = L"Sample name: {SampName}\r\nVial: {Vial}\r\nInstrument";

class TextCtrlWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        hContainer = ::CreateWindowExW(0, L"STATIC", L"container", WS_POPUP | WS_VISIBLE, 0, 0, 500, 300, nullptr,
                                       nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, hContainer);
        ASSERT_EQ(S_OK, ctrl.InitNew());
        ctrl.SetTextFields(kText);
        ASSERT_TRUE(ctrl.CreateControlWindow(hContainer, CRect(0, 0, 400, 200)));
        // The first paint places the column borders.
        ctrl.UpdateWindow();
        qlntest::PumpMessages();
    }
    void TearDown() override { ::DestroyWindow(hContainer); }
    void Post(UINT message, WPARAM keys, int x, int y = 60)
    {
        ctrl.PostMessage(message, keys, MAKELPARAM(x, y));
        qlntest::PumpMessages();
    }
    void Drag(int from, int to, int y = 60)
    {
        Post(WM_LBUTTONDOWN, MK_LBUTTON, from, y);
        Post(WM_MOUSEMOVE, MK_LBUTTON, to, y);
        Post(WM_LBUTTONUP, 0, to, y);
    }
    std::wstring Text()
    {
        wchar_t text[128] = {};
        ::GetWindowTextW(ctrl.m_hWnd, text, 128);
        return text;
    }

    HWND hContainer = nullptr;
    TestTextCtrl ctrl;
};

} // namespace

TEST_F(TextCtrlWindow, WindowIsAReadOnlyEditHoldingTheText)
{
    const DWORD style = ::GetWindowLongW(ctrl.m_hWnd, GWL_STYLE);
    EXPECT_EQ(CQLNTextBaseCtrl::m_kdwLineHolderStyle | WS_CHILD, style & (CQLNTextBaseCtrl::m_kdwLineHolderStyle | WS_CHILD));
    EXPECT_EQ(kText, Text());
    // The window is the line holder from now on; the user cannot type into it.
    EXPECT_EQ(ctrl.m_hWnd, ctrl.GetCEditReference().m_hWnd);
    ctrl.SetTextFields(L"Changed\r\nText");
    ctrl.SendMessage(WM_CHAR, L'x', 0);
    EXPECT_EQ(L"Changed\r\nText", Text());
    EXPECT_EQ(2, ctrl.GetLineCount());
}

TEST_F(TextCtrlWindow, DraggingAColumnBorderChangesTheWidthsAndMarksTheControlModified)
{
    // The widths are saved with the control: a container that saves only modified objects must
    // learn of a drag, and of nothing else the mouse does. A new control has two equal columns;
    // the border sits half way across the window narrowed by three pixels on each side.
    ctrl.SetModifiedFlag(FALSE);
    Drag(300, 350);
    EXPECT_EQ(2.0, ctrl.GetColumnWidthRatio(0)) << "a press away from the border";
    EXPECT_FALSE(ctrl.IsModified());
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 200);
    EXPECT_FALSE(ctrl.IsModified()) << "the border grabbed, not moved yet";
    Post(WM_MOUSEMOVE, MK_LBUTTON, 120);
    Post(WM_LBUTTONUP, 0, 120);
    EXPECT_TRUE(ctrl.IsModified());
    const double r0 = ctrl.GetColumnWidthRatio(0), r1 = ctrl.GetColumnWidthRatio(1);
    EXPECT_GT(r0, 2.0) << "the label column narrowed";
    EXPECT_NEAR(1.0, 1.0 / r0 + 1.0 / r1, 1e-9) << "the shares still fill the width";
    Post(WM_MOUSEMOVE, 0, 300);
    EXPECT_EQ(r0, ctrl.GetColumnWidthRatio(0)) << "with the button up, moving drags nothing";
}

TEST_F(TextCtrlWindow, MouseSelectsNoTextAndShowsTheArrow)
{
    const DWORD before = static_cast<DWORD>(ctrl.SendMessage(EM_GETSEL));
    // A double click on a word, and a press dragged over the text.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 20, 5);
    Post(WM_LBUTTONUP, 0, 20, 5);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, 20, 5);
    Post(WM_LBUTTONUP, 0, 20, 5);
    EXPECT_EQ(before, static_cast<DWORD>(ctrl.SendMessage(EM_GETSEL)));
    Drag(10, 150, 5);
    EXPECT_EQ(before, static_cast<DWORD>(ctrl.SendMessage(EM_GETSEL)));
    // An edit window would show the text cursor.
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(TRUE, ctrl.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(ctrl.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
}

TEST_F(TextCtrlWindow, ContextMenuIsPostedToTheContainerNamingTheContainer)
{
    // A point on the screen, and one left of and above the primary screen.
    for (const POINT pt : {POINT{120, 130}, POINT{-5, -7}}) {
        ctrl.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ctrl.m_hWnd), MAKELPARAM(pt.x, pt.y));
        MSG msg;
        ASSERT_TRUE(::PeekMessageW(&msg, hContainer, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE)) << "posted";
        EXPECT_EQ(reinterpret_cast<WPARAM>(hContainer), msg.wParam);
        EXPECT_EQ(pt.x, GET_X_LPARAM(msg.lParam));
        EXPECT_EQ(pt.y, GET_Y_LPARAM(msg.lParam));
        EXPECT_FALSE(::PeekMessageW(&msg, hContainer, WM_CONTEXTMENU, WM_CONTEXTMENU, PM_REMOVE)) << "posted once";
    }
}
