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

const wchar_t kSettingsKey[] = L"Software\\Halverin\\Report Objects\\Help";

class OpenHtmlHelpTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_control.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());
        m_owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                    nullptr, nullptr);
        ASSERT_NE(nullptr, m_owner);
    }
    void TearDown() override { ::DestroyWindow(m_owner); }

    // The request the control received last: the owner, the file and the context.
    void ExpectLastCall(const wchar_t* file, DWORD_PTR context) const
    {
        RecordedHelpCall call = {};
        ASSERT_LT(0, HtmlHelpRecorderProbe::Calls(&call));
        EXPECT_EQ(m_owner, call.hwndCaller);
        EXPECT_STREQ(file, call.szFile);
        EXPECT_EQ(static_cast<UINT>(HH_HELP_CONTEXT), call.uCommand);
        EXPECT_EQ(context, call.dwData);
    }

    ScopedRegistryValue m_control{HKEY_CLASSES_ROOT, kHtmlHelpControlKey, nullptr};
    // Nobody's help setting leaks into a test, and none is left behind.
    ScopedRegistryValue m_userSetting{HKEY_CURRENT_USER, kSettingsKey, L"HelpFile"};
    ScopedRegistryValue m_machineSetting{HKEY_LOCAL_MACHINE, kSettingsKey, L"HelpFile"};
    LocatorRegistration m_locator;
    HWND m_owner = nullptr;
};

} // namespace

TEST_F(OpenHtmlHelpTest, AsksForTheContextWithThePathTheLocatorGivesOrAnEmptyOne)
{
    ASSERT_EQ(S_OK, m_locator.Unregister());
    m_userSetting.Delete();
    OpenHtmlHelp(m_owner, QLN_HELP_DATA_SELECTION_PAGE);
    ExpectLastCall(L"", 2101);

    ASSERT_EQ(S_OK, m_locator.Register());
    m_userSetting.SetString(REG_SZ, L"C:\\Halverin\\Help\\Reports.chm");
    OpenHtmlHelp(m_owner, QLN_HELP_TEXT_OBJECT_FONT_PAGE);
    ExpectLastCall(L"C:\\Halverin\\Help\\Reports.chm", 2122);
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
        const _bstr_t description = error.Description();
        EXPECT_NE(nullptr, wcsstr(description.length() != 0 ? static_cast<const wchar_t*>(description) : L"", L"HelpFile"));
    }
    EXPECT_EQ(callsBefore, HtmlHelpRecorderProbe::Calls());
}
