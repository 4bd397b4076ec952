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
    LRESULT OnColorChange(WPARAM, LPARAM) { m_told.push_back(m_box.GetSelectedColorValue()); return 0; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColorHost, CDialog)
    ON_MESSAGE(WM_USER + 5, OnColorChange)
END_MESSAGE_MAP()

} // namespace

TEST(QLNColorPickerCBTest, AUserPicksEveryColourByKeyboardMouseAndTheColourDialog)
{
    ColorHost host;
    HWND hBox = nullptr, hColors = nullptr;
    int nCount = 0, nSelected = -2;
    std::vector<ScriptedUser::Step> acts = {[&] {
        hBox = host.m_box.m_hWnd;
        nCount = host.m_box.GetCount(), nSelected = host.m_box.GetCurSel();
        ::SetFocus(hBox);
        return true;
    }};
    for (int i = 0; i < 16; ++i)   // down through every named colour to "Custom..."
        acts.push_back([&] { PostKey(hBox, VK_DOWN); return true; });
    const auto ColorDialog = [&](const wchar_t* red, int nButton) -> ScriptedUser::Step {
        return [&, red, nButton] {
            if ((hColors = FindOwnedDialog(host.m_hWnd)) == nullptr)
                return false;
            PostTyping(::GetDlgItem(hColors, COLOR_RED), red);
            PostTyping(::GetDlgItem(hColors, COLOR_GREEN), L"52");
            PostTyping(::GetDlgItem(hColors, COLOR_BLUE), L"18");
            PostClick(::GetDlgItem(hColors, nButton));
            return true;
        };
    };
    const auto ClickItem = [&](bool bList, int nItem) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof(info);
        ::GetComboBoxInfo(hBox, &info);
        RECT rc = info.rcButton;
        if (bList)
            ::SendMessageW(info.hwndList, LB_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(&rc));
        POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
        ::ClientToScreen(bList ? info.hwndList : hBox, &pt);
        ClickScreen(pt);
        return true;
    };
    acts.insert(acts.end(), {ColorDialog(L"86", IDOK),   // 0x56, 0x34, 0x12: COLORREF 0x123456
                             [&] { PostKey(hBox, VK_UP); return true; }, [&] { PostKey(hBox, VK_DOWN); return true; },
                             ColorDialog(L"1", IDCANCEL),
                             // The mouse drops the list down and picks "Blue", in sight near "Custom...".
                             [&] { return ClickItem(false, 0); }, [&] { return ClickItem(true, 12); },
                             [&] { host.EndDialog(IDOK); return true; }});
    ScriptedUser user(Settled(Waiting("the host dialog", [&] { return host.m_hWnd != nullptr && ::IsWindowVisible(host.m_hWnd); }), acts),
                      [&] { ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
    host.DoModal();
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    EXPECT_TRUE(nCount == 17 && nSelected == 0) << "sixteen colours and Custom..., Black selected";
    std::vector<COLORREF> expected;
    for (int i = 1; i < 16; ++i)
        expected.push_back(CQLNColorPickerCB::m_krgColors[i].m_crColor);
    // The dialog's choice; White; "Custom..." cancelled keeps its colour; Blue by the mouse.
    expected.insert(expected.end(), {0x123456, 0xFFFFFF, 0x123456, 0xFF0000});
    EXPECT_EQ(expected, host.m_told) << "the parent is told of each change, once";
}

TEST(QLNColorPickerCBTest, AColourIsSelectedByValueAndASelectedEntryDrawsSwatchAndInvertedName)
{
    ColorHost host;
    ASSERT_TRUE(host.Create(IDD_COLOR_HOST));
    CQLNColorPickerCB& box = host.m_box;
    // Red is listed; 0x123456 is not and becomes the custom colour; White is listed, not custom.
    for (auto [cr, nEntry] : {std::pair{0x0000FFu, 9}, {0x123456u, 16}, {0xFFFFFFu, 15}}) {
        box.SetSelectedColorValue(cr);
        EXPECT_TRUE(box.GetCurSel() == nEntry && box.GetSelectedColorValue() == cr) << std::hex << cr;
    }
    HDC hScreen = ::GetDC(nullptr), hDC = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 120, 16);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    DRAWITEMSTRUCT dis = {ODT_COMBOBOX, IDC_COLORS, 9, ODA_DRAWENTIRE, ODS_SELECTED, box.m_hWnd, hDC, {0, 0, 120, 16}, 0x0000FF};
    box.DrawItem(&dis);
    PixelGrab grab(hDC, 120, 16);
    const DWORD highlight = PixelGrab::Rgb(::GetSysColor(COLOR_HIGHLIGHT));
    // The swatch is (2, 2, 30, 14) framed in black; the name starts at x 32.
    EXPECT_EQ((std::vector<DWORD>{0xFF0000, 0, 0, highlight, highlight}),
              (std::vector<DWORD>{grab.At(10, 8), grab.At(2, 2), grab.At(29, 13), grab.At(30, 8), grab.At(31, 8)}));
    EXPECT_GT(grab.Count(~::GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF, {32, 2, 120, 16}), 10) << "the name in the window text's inverse, not the highlight text colour";
    ::DeleteObject(::SelectObject(hDC, hOld));
    ::DeleteDC(hDC);
    ::ReleaseDC(nullptr, hScreen);
    host.DestroyWindow();
}
