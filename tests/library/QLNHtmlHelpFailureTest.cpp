// OpenHtmlHelp on a machine without HTML Help: the registered file is missing and the control
// cannot be loaded by name either. Wine ships the control, so this program runs with it
// disabled (see CMakeLists.txt); it is a program of its own because the failure is remembered
// for the rest of the process.
#include "QLNOpenHtmlHelp.h"

#include "HtmlHelpRecorderProbe.h"
#include "LocatorRegistration.h"
#include "ScopedRegistryValue.h"

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
