// OpenHtmlHelp and a page's Help on a machine without HTML Help: the registered file is missing
// and the control cannot be loaded by name either. Wine ships the control, so this program runs with it
// disabled (see CMakeLists.txt); it is a program of its own because the failure is remembered
// for the rest of the process.
#include "QLNOpenHtmlHelp.h"
#include "QLNOpenPageHelp.h"

#include "HtmlHelpRecorderProbe.h"
#include "LocatorRegistration.h"
#include "ScopedRegistryValue.h"
#include "ScriptedUser.h"

#include <gtest/gtest.h>

TEST(HtmlHelpFailureTest, FailedLoadIsRememberedAndNeverRetried)
{
    const HMODULE hControl = ::LoadLibraryW(L"hhctrl.ocx");
    if (hControl != nullptr)
        ::FreeLibrary(hControl);
    ASSERT_EQ(nullptr, hControl) << "the control must be disabled for this program";

    LocatorRegistration locator;
    ASSERT_EQ(S_OK, locator.Unregister());
    ScopedRegistryValue control(HKEY_CLASSES_ROOT, kHtmlHelpControlKey, nullptr);
    control.SetString(REG_SZ, E2e::BinDirectory() + L"missing.ocx");
    HtmlHelpRecorderProbe::ResetLoads();
    OpenHtmlHelp(::GetDesktopWindow(), 2100);

    // Now a working control is registered; a request that tried again would find it.
    control.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());
    OpenHtmlHelp(::GetDesktopWindow(), 2101);
    EXPECT_EQ(0, HtmlHelpRecorderProbe::Loads());
    EXPECT_FALSE(HtmlHelpRecorderProbe::IsLoaded());
}

// Without HTML Help a page's Help says so instead of seeming dead: a message over the page,
// centred on its window and captioned with that window's title (the object's name).
TEST(HtmlHelpFailureTest, PageHelpWithoutAViewerSaysSoOverThePage)
{
    const HWND hOwner = ::CreateWindowExW(0, L"STATIC", L"Sample Information", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30,
                                          500, 400, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, hOwner);
    std::wstring seen;
    qlntest::ScriptedUser user({[&] {
                                   const HWND hBox = qlntest::FindOwnedDialog(hOwner);
                                   if (hBox == nullptr)
                                       return false;
                                   seen = qlntest::TextOf(hBox) + L": " + qlntest::MessageBoxText(hBox) +
                                          (qlntest::CentredOn(hBox, hOwner) ? L" (centred)" : L"");
                                   return ::PostMessageW(hBox, WM_COMMAND, IDOK, 0) != FALSE;
                               }},
                               nullptr);
    QLNOpenPageHelp(hOwner, 2101);
    EXPECT_TRUE(user.Finished());
    EXPECT_NE(std::wstring::npos, seen.find(L"Sample Information: The help cannot be shown: no help viewer could open topic 2101"))
        << seen;
    EXPECT_NE(std::wstring::npos, seen.find(L"(centred)")) << seen;
    ::DestroyWindow(hOwner);
}
