// The sample help-file locator: its registration, the slot of its path method, and where the
// path comes from. Its failure with error information is seen through OpenHtmlHelp.
#include "QLNHelpFileLocator.h"

#include "LocatorRegistration.h"
#include "ScopedRegistryValue.h"

#include <gtest/gtest.h>

#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t kSettingsKey[] = L"Software\\Halverin\\Report Objects\\Help";

class HelpLocatorTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(S_OK, m_registration.Register()); }

    // The path through the raw slot, as a caller that knows nothing but the slot number gets it,
    // or the failure as text.
    static std::wstring PathFromSlot()
    {
        ComPtr<IUnknown> locator;
        if (FAILED(::CoCreateInstance(CLSID_QLNHelpFileLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IQLNHelpFileLocator,
                                      reinterpret_cast<void**>(locator.GetAddressOf()))))
            return L"<not created>";
        typedef HRESULT(STDMETHODCALLTYPE * PathMethod)(IUnknown*, BSTR*);
        const auto method = reinterpret_cast<PathMethod>((*reinterpret_cast<void***>(locator.Get()))[QLN_HELP_FILE_PATH_SLOT]);
        BSTR path = nullptr;
        if (FAILED(method(locator.Get(), &path)))
            return L"<failed>";
        const std::wstring result(path != nullptr ? path : L"");
        ::SysFreeString(path);
        return result;
    }

    ScopedRegistryValue m_userSetting{HKEY_CURRENT_USER, kSettingsKey, L"HelpFile"};
    ScopedRegistryValue m_machineSetting{HKEY_LOCAL_MACHINE, kSettingsKey, L"HelpFile"};
    LocatorRegistration m_registration;
};

} // namespace

TEST_F(HelpLocatorTest, UserSettingComesBeforeTheMachineSettingBeforeTheFileBesideTheServer)
{
    m_userSetting.Delete();
    m_machineSetting.Delete();
    EXPECT_EQ(E2e::BinDirectory() + L"QLNReports.chm", PathFromSlot());
    m_machineSetting.SetString(REG_SZ, L"C:\\machine.chm");
    EXPECT_EQ(L"C:\\machine.chm", PathFromSlot());
    ::SetEnvironmentVariableW(L"QLN_TEST_HELP", L"C:\\Halverin");
    m_userSetting.SetString(REG_EXPAND_SZ, L"%QLN_TEST_HELP%\\Help\\Reports.chm");
    EXPECT_EQ(L"C:\\Halverin\\Help\\Reports.chm", PathFromSlot());
    ::SetEnvironmentVariableW(L"QLN_TEST_HELP", nullptr);
}

// regsvr32 is how an installation registers the locator.
TEST_F(HelpLocatorTest, Regsvr32RegistersAndUnregistersTheServer)
{
    ASSERT_EQ(S_OK, m_registration.Unregister());
    const std::wstring quoted = L" \"" + LocatorRegistration::LocatorPath() + L"\"";
    EXPECT_EQ(0u, E2e::Run(L"regsvr32.exe /s" + quoted).exitCode);
    const wchar_t serverKey[] = L"CLSID\\{B2E6DBFF-E614-4BAE-9710-AE97A9AD5865}\\InprocServer32";
    for (const auto& value : {std::make_pair(L"", LocatorRegistration::LocatorPath()),
                              std::make_pair(L"ThreadingModel", std::wstring(L"Apartment"))}) {
        wchar_t text[MAX_PATH * 2] = {};
        DWORD size = sizeof text - sizeof(wchar_t);
        ::RegGetValueW(HKEY_CLASSES_ROOT, serverKey, value.first, RRF_RT_REG_SZ, nullptr, text, &size);
        EXPECT_EQ(value.second, text);
    }
    EXPECT_EQ(0u, E2e::Run(L"regsvr32.exe /s /u" + quoted).exitCode);
    EXPECT_FALSE(LocatorRegistration::IsRegistered());
    EXPECT_EQ(0u, E2e::Run(L"regsvr32.exe /s /u" + quoted).exitCode) << "unregistering twice is no failure";
}
