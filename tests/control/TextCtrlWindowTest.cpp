// The control's own window: a read-only edit window that holds the text, driven with real
// mouse and menu messages as a user in a container would drive it.
#include "TestTextCtrl.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <windowsx.h>

namespace {

// What the container window was told.
struct ContainerRecord
{
    int contextMenus = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};
ContainerRecord g_record;

LRESULT CALLBACK ContainerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CONTEXTMENU) {
        ++g_record.contextMenus;
        g_record.wParam = wParam;
        g_record.lParam = lParam;
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

const wchar_t kText[] = L"Sample name: {SampName}\r\nVial: {Vial}\r\nInstrument";

class TextCtrlWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ContainerProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = L"TextCtrlTestContainer";
        ::RegisterClassW(&wc);
        g_record = ContainerRecord();
        hContainer = ::CreateWindowExW(0, wc.lpszClassName, L"container", WS_POPUP | WS_VISIBLE, 0, 0, 500, 300,
                                       nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(nullptr, hContainer);
        ASSERT_EQ(S_OK, ctrl.InitNew());
        ctrl.SetTextFields(kText);
        ASSERT_TRUE(ctrl.CreateControlWindow(hContainer, CRect(0, 0, 400, 200)));
        // The first paint places the column borders.
        ctrl.UpdateWindow();
        qlntest::PumpMessages();
    }
    void TearDown() override
    {
        if (hContainer != nullptr)
            ::DestroyWindow(hContainer);
    }
    void Post(UINT message, WPARAM keys, int x, int y)
    {
        ctrl.PostMessage(message, keys, MAKELPARAM(x, y));
        qlntest::PumpMessages();
    }
    DWORD Selection() { return static_cast<DWORD>(ctrl.SendMessage(EM_GETSEL)); }

    HWND hContainer = nullptr;
    TestTextCtrl ctrl;
};

} // namespace

TEST_F(TextCtrlWindow, WindowIsAReadOnlyEditHoldingTheText)
{
    wchar_t className[32] = {};
    ::GetClassNameW(ctrl.m_hWnd, className, 32);
    EXPECT_EQ(0, _wcsicmp(L"Edit", className));
    const LONG style = ::GetWindowLongW(ctrl.m_hWnd, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(CQLNTextBaseCtrl::m_kdwLineHolderStyle),
              style & static_cast<LONG>(CQLNTextBaseCtrl::m_kdwLineHolderStyle));
    EXPECT_TRUE(style & WS_CHILD);
    wchar_t text[128] = {};
    ::GetWindowTextW(ctrl.m_hWnd, text, 128);
    EXPECT_STREQ(kText, text);
    // The window is the line holder from now on.
    EXPECT_EQ(ctrl.m_hWnd, ctrl.GetCEditReference().m_hWnd);
    EXPECT_EQ(3, ctrl.GetLineCount());
    ctrl.SetTextFields(L"Changed\r\nText");
    ::GetWindowTextW(ctrl.m_hWnd, text, 128);
    EXPECT_STREQ(L"Changed\r\nText", text);
    EXPECT_EQ(2, ctrl.GetLineCount());
    // The user cannot type into it.
    ctrl.SendMessage(WM_CHAR, L'x', 0);
    EXPECT_EQ(2, ctrl.GetLineCount());
    ::GetWindowTextW(ctrl.m_hWnd, text, 128);
    EXPECT_STREQ(L"Changed\r\nText", text);
}

TEST_F(TextCtrlWindow, DraggingAColumnBorderChangesTheWidths)
{
    // A new control: labels and values in two equal columns; the border sits half way across
    // the window narrowed by three pixels on each side.
    ASSERT_EQ(2.0, ctrl.GetColumnWidthRatio(0));
    ASSERT_EQ(2.0, ctrl.GetColumnWidthRatio(1));
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 200, 60);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 120, 60);
    Post(WM_LBUTTONUP, 0, 120, 60);
    const double r0 = ctrl.GetColumnWidthRatio(0);
    const double r1 = ctrl.GetColumnWidthRatio(1);
    EXPECT_GT(r0, 2.0) << "the label column narrowed";
    EXPECT_LT(r1, 2.0) << "the value column widened";
    EXPECT_NEAR(1.0, 1.0 / r0 + 1.0 / r1, 1e-9) << "the shares still fill the width";
    // With the button up, moving the mouse drags nothing.
    Post(WM_MOUSEMOVE, 0, 300, 60);
    EXPECT_EQ(r0, ctrl.GetColumnWidthRatio(0));
    // A press away from any border drags nothing either.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 300, 60);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 350, 60);
    Post(WM_LBUTTONUP, 0, 350, 60);
    EXPECT_EQ(r0, ctrl.GetColumnWidthRatio(0));
}

TEST_F(TextCtrlWindow, MouseSelectsNoText)
{
    const DWORD before = Selection();
    // A double click on a word, and a press dragged over the text.
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 20, 5);
    Post(WM_LBUTTONUP, 0, 20, 5);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, 20, 5);
    Post(WM_LBUTTONUP, 0, 20, 5);
    EXPECT_EQ(before, Selection());
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 10, 5);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 150, 25);
    Post(WM_LBUTTONUP, 0, 150, 25);
    EXPECT_EQ(before, Selection());
}

TEST_F(TextCtrlWindow, CursorIsTheArrow)
{
    // An edit window would show the text cursor.
    ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_EQ(TRUE, ctrl.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(ctrl.m_hWnd),
                                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), ::GetCursor());
}

TEST_F(TextCtrlWindow, ContextMenuGoesToTheContainerNamingTheContainer)
{
    const struct
    {
        int x, y;
        const char* why;
    } points[] = {{120, 130, "a point on the screen"}, {-5, -7, "left of and above the primary screen"}};
    for (const auto& p : points) {
        SCOPED_TRACE(p.why);
        g_record = ContainerRecord();
        ctrl.SendMessage(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(ctrl.m_hWnd), MAKELPARAM(p.x, p.y));
        EXPECT_EQ(0, g_record.contextMenus) << "posted, not sent";
        qlntest::PumpMessages();
        ASSERT_EQ(1, g_record.contextMenus);
        EXPECT_EQ(reinterpret_cast<WPARAM>(hContainer), g_record.wParam);
        EXPECT_EQ(p.x, GET_X_LPARAM(g_record.lParam));
        EXPECT_EQ(p.y, GET_Y_LPARAM(g_record.lParam));
    }
}

TEST(TextCtrlWindowless, LinesComeFromAHiddenHolder)
{
    TestTextCtrl ctrl;
    ASSERT_EQ(S_OK, ctrl.InitNew());
    // No window, so no parent: a hidden holder holds the lines.
    EXPECT_EQ(nullptr, ctrl.m_hWnd);
    EXPECT_EQ(3, ctrl.GetLineCount());
    EXPECT_NE(nullptr, ctrl.GetCEditReference().m_hWnd);
    EXPECT_FALSE(::IsWindowVisible(ctrl.GetCEditReference().m_hWnd));
}

TEST_F(TextCtrlWindow, DraggingABorderMarksTheControlModified)
{
    // The widths are saved with the control; a container that saves only modified objects
    // must learn of a drag, and of nothing else the mouse does.
    ctrl.SetModifiedFlag(FALSE);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 300, 60);
    Post(WM_MOUSEMOVE, MK_LBUTTON, 350, 60);
    Post(WM_LBUTTONUP, 0, 350, 60);
    EXPECT_FALSE(ctrl.IsModified()) << "a press away from the border";
    Post(WM_LBUTTONDOWN, MK_LBUTTON, 200, 60);
    EXPECT_FALSE(ctrl.IsModified()) << "the border grabbed, not moved yet";
    Post(WM_MOUSEMOVE, MK_LBUTTON, 150, 60);
    Post(WM_LBUTTONUP, 0, 150, 60);
    EXPECT_TRUE(ctrl.IsModified());
}
