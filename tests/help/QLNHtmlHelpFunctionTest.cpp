// Loading the HTML Help function from the file the registry names, against a recording
// stand-in for the control. Each test uses a loader of its own; OpenHtmlHelp's process-wide one
// is tested apart.
#include "QLNHtmlHelpFunction.h"

#include "HtmlHelpRecorderProbe.h"
#include "ScopedRegistryValue.h"

#include <gtest/gtest.h>

#include <htmlhelp.h>

#include <utility>

namespace {

class HtmlHelpFunctionTest : public ::testing::Test
{
protected:
    void SetUp() override { HtmlHelpRecorderProbe::ResetLoads(); }
    ScopedRegistryValue m_control{HKEY_CLASSES_ROOT, kHtmlHelpControlKey, nullptr};
};

} // namespace

// The registered file, as a plain or an expandable string, is loaded once for all requests and
// its ordinal 15 is called with the caller's arguments; its result comes back.
TEST_F(HtmlHelpFunctionTest, CallsOrdinal15OfTheRegisteredFileLoadedOnce)
{
    ::SetEnvironmentVariableW(L"QLN_TEST_BIN", E2e::BinDirectory().c_str());
    const HWND owner = ::GetDesktopWindow();
    for (const auto& value : {std::make_pair(REG_SZ, HtmlHelpRecorderProbe::RecorderPath()),
                              std::make_pair(REG_EXPAND_SZ, std::wstring(L"%QLN_TEST_BIN%qln_help_recorder.dll"))}) {
        SCOPED_TRACE(value.second.c_str());
        m_control.SetString(value.first, value.second);
        CQLNHtmlHelpFunction help;
        EXPECT_EQ(QLN_RECORDER_RESULT, help.Call(owner, L"C:\\help\\reports.chm", HH_HELP_CONTEXT, 2101));
        // A changed registry does not matter any more: the function already loaded is used.
        m_control.SetString(REG_SZ, HtmlHelpRecorderProbe::NoOrdinalPath());
        help.Call(owner, L"C:\\help\\reports.chm", HH_HELP_CONTEXT, 2101);

        RecordedHelpCall call = {};
        ASSERT_EQ(2, HtmlHelpRecorderProbe::Calls(&call));
        EXPECT_EQ(owner, call.hwndCaller);
        EXPECT_STREQ(L"C:\\help\\reports.chm", call.szFile);
        EXPECT_EQ(static_cast<UINT>(HH_HELP_CONTEXT), call.uCommand);
        EXPECT_EQ(2101u, call.dwData);
    }
    EXPECT_EQ(2, HtmlHelpRecorderProbe::Loads());
    ::SetEnvironmentVariableW(L"QLN_TEST_BIN", nullptr);
}

// A control without the help function is a failure like a missing control, and is remembered:
// the next request neither reads the registry nor loads anything, so it does not find the
// working recorder the registry names by then.
TEST_F(HtmlHelpFunctionTest, MissingOrdinalIsRememberedAndNothingIsLoadedAgain)
{
    m_control.SetString(REG_SZ, HtmlHelpRecorderProbe::NoOrdinalPath());
    CQLNHtmlHelpFunction help;
    EXPECT_EQ(nullptr, help.Call(nullptr, L"", HH_HELP_CONTEXT, 1));
    EXPECT_EQ(nullptr, ::GetModuleHandleW(L"qln_help_no_ordinal.dll")) << "the useless control stays loaded";
    m_control.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());
    EXPECT_EQ(nullptr, help.Call(nullptr, L"", HH_HELP_CONTEXT, 2));
    EXPECT_EQ(1, HtmlHelpRecorderProbe::Loads());
    EXPECT_FALSE(HtmlHelpRecorderProbe::IsLoaded());
}

// Whatever is wrong with the registered file, the control is loaded by its usual name, which
// Wine provides. Its help function is then called for real, with a file that does not exist.
TEST_F(HtmlHelpFunctionTest, UnusableRegistryValueFallsBackToTheControlByName)
{
    const std::wstring longPath = L"C:\\" + std::wstring(MAX_PATH, L'a') + L"\\qln_help_recorder.dll";
    ::SetEnvironmentVariableW(L"QLN_TEST_LONG", longPath.c_str());
    const struct { const char* why; DWORD type; std::wstring value; } rows[] = {
        {"no value", REG_NONE, L""},
        {"empty value", REG_SZ, L""},
        {"not a string", REG_DWORD, L""},
        {"longer than MAX_PATH", REG_SZ, longPath},
        {"longer than MAX_PATH once expanded", REG_EXPAND_SZ, L"%QLN_TEST_LONG%"},
        {"a file that does not exist", REG_SZ, E2e::BinDirectory() + L"missing.ocx"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        row.type == REG_NONE ? m_control.Delete() : row.type == REG_DWORD ? m_control.SetDword(1)
                                                                          : m_control.SetString(row.type, row.value);
        {
            CQLNHtmlHelpFunction help;
            help.Call(nullptr, L"C:\\missing\\reports.chm", HH_HELP_CONTEXT, 1063);
            EXPECT_NE(nullptr, ::GetModuleHandleW(L"hhctrl.ocx"));
        }
        EXPECT_EQ(0, HtmlHelpRecorderProbe::Loads());
    }
    ::SetEnvironmentVariableW(L"QLN_TEST_LONG", nullptr);
}
