// The decimal edit in a dialog: its range check, and the message box that leaving it with a bad
// entry brings up once the focus has moved, found on screen and dismissed as a user would.
#include "CDialog.h"
#include "QLN_IntEditCtrl.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"
#include "pages_tests_res.h"

#include <gtest/gtest.h>

using namespace qlntest;

TEST(QLN_IntEditCtrlTest, ANumberWithinTheBoundsIsValidAndLeavingABadOneShowsTheRangeMessageOnce)
{
    CQLN_IntEditCtrl edit;
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_DECIMAL));
    edit.SubclassDlgItem(IDC_DECIMAL, &dlg);
    edit.m_nMin = 0, edit.m_nMax = 5;
    dlg.ShowWindow(SW_SHOWNORMAL);
    PumpMessages();
    const struct { const wchar_t* text; bool valid; const char* why; } cases[] = {
        {L"0", true, "the lower bound is inclusive"},
        {L"5", true, "the upper bound is inclusive"},
        {L"7", false, "above the upper bound"},
        {L"-1", false, "below the lower bound"},
        {L"5.5", false, "compared as a number, not rounded to an integer"},
        {L"2x", false, "a number must be the whole text"},
    };
    for (const auto& c : cases) {
        edit.SetWindowText(c.text);
        EXPECT_EQ(c.valid, edit.IsValid() != FALSE) << c.why;
    }
    edit.SetWindowText(L"7");
    edit.EnableWindow(FALSE);
    EXPECT_TRUE(edit.IsValid()) << "disabled, any text is valid";
    edit.EnableWindow(TRUE);

    // A bad entry left for Cancel asks for no message (a box would block here).
    const HWND hEdit = edit.m_hWnd, hOther = ::GetDlgItem(dlg.m_hWnd, IDC_OTHER);
    MSG msg;
    ::SetFocus(hEdit);
    ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDCANCEL));
    EXPECT_FALSE(::PeekMessageW(&msg, hEdit, WM_USER + 7, WM_USER + 7, PM_NOREMOVE)) << "moving to Cancel";

    ::SetFocus(hEdit);
    HWND hBox = nullptr, hFocusDuringBox = nullptr, hSecondBox = nullptr;
    std::wstring shown;
    int nQuietTicks = 0;
    bool stalled = false;
    ScriptedUser user(
        {
            [&] { return ::SetFocus(hOther), true; },
            [&] { return (hBox = FindOwnedDialog(dlg.m_hWnd)) != nullptr; },
            [&] {
                shown = TextOf(hBox) + L": " + MessageBoxText(hBox);
                hFocusDuringBox = ::GetFocus();
                ::PostMessageW(hBox, WM_COMMAND, IDOK, 0);
                return true;
            },
            [&] { return !::IsWindow(hBox); },
            [&] { return (hSecondBox = FindOwnedDialog(dlg.m_hWnd)) != nullptr || ++nQuietTicks == 5; },
        },
        [&] {
            stalled = true;
            if (HWND h = FindOwnedDialog(dlg.m_hWnd))
                ::PostMessageW(h, WM_COMMAND, IDOK, 0);
        });
    while (!user.Finished() && !stalled && ::GetMessageW(&msg, nullptr, 0, 0)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ASSERT_FALSE(stalled) << "steps done: " << user.StepsDone();
    // Captioned with the title of the window the edit is in, not the library's "Text".
    EXPECT_EQ(L"Decimal: Please enter a decimal between 0 and 5.", shown);
    EXPECT_NE(hEdit, hFocusDuringBox);
    EXPECT_EQ(nullptr, hSecondBox) << "the box taking the focus raises no second one";
    EXPECT_EQ(hEdit, ::GetFocus());
    EXPECT_EQ(MAKELRESULT(0, 1), ::SendMessageW(hEdit, EM_GETSEL, 0, 0)) << "the bad entry is selected";
    dlg.DestroyWindow();
}
