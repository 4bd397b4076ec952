// The colour box in a dialog, driven by keyboard and mouse: each selection tells the parent, and
// "Custom..." opens the system's colour dialog, which the user operates; what an entry draws.
#include "AfxDDX.h"
#include "CDialog.h"
#include "QLNColorPickerCB.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"
#include "pickers_tests_res.h"

#include <gtest/gtest.h>

#include <colordlg.h>

using namespace qlntest;

namespace {

class ColorHost : public CDialog
{
public:
    ColorHost() : CDialog(IDD_COLOR_HOST) {}
    CQLNColorPickerCB m_box;
    std::vector<COLORREF> m_told;   // the box's colour each time it told the parent

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_COLORS, m_box); }
    LRESULT OnColorChange(WPARAM, LPARAM)
    {
        m_told.push_back(m_box.GetSelectedColorValue());
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColorHost, CDialog)
    ON_MESSAGE(WM_USER + 5, OnColorChange)
END_MESSAGE_MAP()

void PostKey(HWND hWnd, UINT vk)
{
    ::PostMessageW(hWnd, WM_KEYDOWN, vk, 1);
    ::PostMessageW(hWnd, WM_KEYUP, vk, 0xC0000001);
}

// A click of the left button at a point of the screen, as the mouse makes it.
void ClickScreen(POINT pt)
{
    ::SetCursorPos(pt.x, pt.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

// Pixels are read back as 0x00RRGGBB.
DWORD Rgb(COLORREF cr)
{
    return (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
}

} // namespace

TEST(QLNColorPickerCBTest, AUserPicksNamedAndCustomColoursByKeyboardMouseAndTheColourDialog)
{
    ColorHost host;
    HWND hBox = nullptr;
    HWND hColorDialog = nullptr;
    const auto ColorDialogUp = [&] { return (hColorDialog = FindOwnedDialog(host.m_hWnd)) != nullptr; };
    std::vector<COLORREF> seenAfterDown;
    int nSelectedOnOpen = -2, nCountOnOpen = 0;
    std::vector<ScriptedUser::Step> acts = {[&] {
        hBox = host.m_box.m_hWnd;
        nCountOnOpen = host.m_box.GetCount();
        nSelectedOnOpen = host.m_box.GetCurSel();
        ::SetFocus(hBox);
        return true;
    }};
    // Down through every named colour to "Custom...", which opens the colour dialog.
    for (int i = 0; i < 16; ++i)
        acts.push_back([&] { PostKey(hBox, VK_DOWN); return true; });
    acts.insert(acts.end(), {
        [&] {
            if (!ColorDialogUp())
                return false;
            // The user types 0x56, 0x34, 0x12 as red, green and blue: COLORREF 0x123456.
            PostTyping(::GetDlgItem(hColorDialog, COLOR_RED), L"86");
            PostTyping(::GetDlgItem(hColorDialog, COLOR_GREEN), L"52");
            PostTyping(::GetDlgItem(hColorDialog, COLOR_BLUE), L"18");
            return true;
        },
        [&] { PostClick(::GetDlgItem(hColorDialog, IDOK)); return true; },
        [&] { PostKey(hBox, VK_UP); return true; },
        [&] { PostKey(hBox, VK_DOWN); return true; },
        [&] {
            if (!ColorDialogUp())
                return false;
            PostTyping(::GetDlgItem(hColorDialog, COLOR_RED), L"1");
            PostClick(::GetDlgItem(hColorDialog, IDCANCEL));
            return true;
        },
        // The mouse: a click drops the list down, a click on "Blue", in sight near the selected "Custom...", picks it.
        [&] {
            RECT rc = {};
            ::GetWindowRect(hBox, &rc);
            ClickScreen({rc.right - 5, (rc.top + rc.bottom) / 2});
            return true;
        },
        [&] {
            COMBOBOXINFO info = {};
            info.cbSize = sizeof(info);
            ::GetComboBoxInfo(hBox, &info);
            RECT rc = {};
            ::SendMessageW(info.hwndList, LB_GETITEMRECT, 12, reinterpret_cast<LPARAM>(&rc));
            POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
            ::ClientToScreen(info.hwndList, &pt);
            ClickScreen(pt);
            return true;
        },
        [&] { host.EndDialog(IDOK); return true; },
    });
    ScriptedUser user(Settled([&] { return host.m_hWnd != nullptr && ::IsWindowVisible(host.m_hWnd); }, acts),
                      [&] { ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
    host.DoModal();
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    EXPECT_EQ(17, nCountOnOpen);
    EXPECT_EQ(0, nSelectedOnOpen) << "Black is selected on attaching";

    std::vector<COLORREF> expected;
    for (int i = 1; i < 16; ++i)
        expected.push_back(CQLNColorPickerCB::m_krgColors[i].m_crColor);
    expected.insert(expected.end(), {0x123456,    // the colour dialog's choice becomes the custom colour
                                     0xFFFFFF,    // up to White
                                     0x123456,    // "Custom..." again, cancelled: the custom colour stays
                                     0xFF0000});  // Blue, by the mouse
    EXPECT_EQ(expected, host.m_told) << "the parent is told of each change, once";
}

TEST(QLNColorPickerCBTest, SettingAColourSelectsItsNamedEntryOrMakesItTheCustomOneAndEntriesDrawSwatchAndName)
{
    ColorHost host;
    ASSERT_TRUE(host.Create(IDD_COLOR_HOST));
    CQLNColorPickerCB& box = host.m_box;

    struct Row { COLORREF set; int selected; const char* why; };
    const Row rows[] = {
        {0x0000FF, 9, "Red is listed"},
        {0x123456, 16, "not listed: it becomes the custom colour"},
        {0xFFFFFF, 15, "White is listed, although the custom entry was once white"},
    };
    for (const Row& row : rows) {
        box.SetSelectedColorValue(row.set);
        EXPECT_EQ(row.selected, box.GetCurSel()) << row.why;
        EXPECT_EQ(row.set, box.GetSelectedColorValue()) << row.why;
    }
    EXPECT_EQ(0x123456u, box.GetItemData(16)) << "the custom colour is kept while another is selected";

    // An entry drawn into an item of 120 by 16 pixels: a quarter (30) is the swatch's right edge.
    HDC hScreen = ::GetDC(nullptr);
    HDC hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 120, 16);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    struct Look { UINT state; COLORREF background; COLORREF text; };
    const COLORREF crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    const Look looks[] = {
        {ODS_SELECTED, ::GetSysColor(COLOR_HIGHLIGHT), ~crWindowText & 0xFFFFFF},   // inverse, not highlight text
        {0, ::GetSysColor(COLOR_WINDOW), crWindowText},
    };
    for (const Look& look : looks) {
        DRAWITEMSTRUCT dis = {ODT_COMBOBOX, IDC_COLORS, 9, ODA_DRAWENTIRE, look.state, box.m_hWnd, hDC, {0, 0, 120, 16}, 0x0000FF};
        box.DrawItem(&dis);
        PixelGrab grab(hDC, 120, 16);
        EXPECT_EQ(Rgb(0x0000FF), grab.At(10, 8)) << "swatch of Red";
        EXPECT_EQ(0u, grab.At(2, 2)) << "frame, top left";
        EXPECT_EQ(0u, grab.At(29, 13)) << "frame, bottom right: the swatch is (2, 2, 30, 14)";
        EXPECT_EQ(Rgb(look.background), grab.At(30, 8)) << "between swatch and name";
        EXPECT_EQ(Rgb(look.background), grab.At(1, 1));
        int nTextPixels = 0;
        for (int y = 2; y < 16; ++y)
            for (int x = 32; x < 120; ++x)
                nTextPixels += grab.At(x, y) == Rgb(look.text);
        EXPECT_GT(nTextPixels, 10) << "the name, from x 32, in state " << look.state;
        EXPECT_EQ(Rgb(look.background), grab.At(31, 8)) << "nothing left of the name's origin";
    }
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    host.DestroyWindow();
}
