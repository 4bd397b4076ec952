// OpenHtmlHelp from end to end: the sample help-file locator (or none) and a recording stand-in
// for the HTML Help control that the registry names. The help function is cached for the whole
// process, so every test names the same recorder before its first request.
#include "QLNOpenHtmlHelp.h"

#include "HtmlHelpRecorderProbe.h"
#include "LocatorRegistration.h"
#include "QLNHelpFileLocator.h"
#include "QLNHelpIds.h"
#include "ScopedRegistryValue.h"

#include <gtest/gtest.h>

#include <htmlhelp.h>

namespace {

const wchar_t g_settingsKey[] = L"Software\\Halverin\\Report Objects\\Help";

class OpenHtmlHelpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_control.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());
        m_owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                    nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, m_owner);
    }

    void TearDown() override { ::DestroyWindow(m_owner); }

    RecordedHelpCall LastCall() const
    {
        RecordedHelpCall call = {};
        EXPECT_TRUE(HtmlHelpRecorderProbe::LastCall(call));
        return call;
    }

    ScopedRegistryValue m_control{HKEY_CLASSES_ROOT, g_htmlHelpControlKey, nullptr};
    // Nobody's help setting leaks into a test, and none is left behind.
    ScopedRegistryValue m_userSetting{HKEY_CURRENT_USER, g_settingsKey, L"HelpFile"};
    ScopedRegistryValue m_machineSetting{HKEY_LOCAL_MACHINE, g_settingsKey, L"HelpFile"};
    LocatorRegistration m_locator;
    HWND m_owner = nullptr;
};

TEST_F(OpenHtmlHelpTest, WithoutALocatorAsksForTheContextWithAnEmptyPath)
{
    ASSERT_EQ(S_OK, m_locator.Unregister());
    m_userSetting.Delete();
    OpenHtmlHelp(m_owner, QLN_HELP_DATA_SELECTION_PAGE);

    const RecordedHelpCall call = LastCall();
    EXPECT_EQ(m_owner, call.hwndCaller);
    EXPECT_STREQ(L"", call.szFile);
    EXPECT_EQ(static_cast<UINT>(HH_HELP_CONTEXT), call.uCommand);
    EXPECT_EQ(2101u, call.dwData);
}

TEST_F(OpenHtmlHelpTest, PassesThePathTheLocatorGives)
{
    ASSERT_EQ(S_OK, m_locator.Register());
    m_userSetting.SetString(REG_SZ, L"C:\\Halverin\\Help\\Reports.chm");
    OpenHtmlHelp(m_owner, QLN_HELP_TEXT_OBJECT_FONT_PAGE);

    const RecordedHelpCall call = LastCall();
    EXPECT_EQ(m_owner, call.hwndCaller);
    EXPECT_STREQ(L"C:\\Halverin\\Help\\Reports.chm", call.szFile);
    EXPECT_EQ(static_cast<UINT>(HH_HELP_CONTEXT), call.uCommand);
    EXPECT_EQ(2122u, call.dwData);
}

// The locator's failure reaches the caller as the platform's COM error, with the locator's own
// description and interface; HTML Help is not asked.
TEST_F(OpenHtmlHelpTest, LocatorFailureIsRaisedAsComError)
{
    ASSERT_EQ(S_OK, m_locator.Register());
    m_userSetting.SetDword(7);
    const int callsBefore = HtmlHelpRecorderProbe::Calls();
    try {
        OpenHtmlHelp(m_owner, QLN_HELP_LAYOUT_ATTRIBUTE_PAGE);
        ADD_FAILURE() << "no COM error raised";
    } catch (const _com_error& error) {
        EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_INVALID_DATATYPE), error.Error());
        EXPECT_TRUE(IsEqualGUID(IID_IQLNHelpFileLocator, error.GUID_()));
        IErrorInfo* pInfo = error.ErrorInfo();
        ASSERT_NE(nullptr, pInfo);
        BSTR description = nullptr;
        pInfo->GetDescription(&description);
        EXPECT_NE(nullptr, wcsstr(description != nullptr ? description : L"", L"HelpFile"));
        ::SysFreeString(description);
        pInfo->Release();
    }
    EXPECT_EQ(callsBefore, HtmlHelpRecorderProbe::Calls());
}

} // namespace
