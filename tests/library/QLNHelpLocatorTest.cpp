// The sample help-file locator: its registration, the slot of its path method, and where the
// path comes from. Its failure with error information is seen through OpenHtmlHelp.
#include "QLNHelpFileLocator.h"

#include "HtmlHelpRecorderProbe.h"
#include "LocatorRegistration.h"
#include "ScopedRegistryValue.h"

#include <gtest/gtest.h>

#include <wrl/client.h>

#include <string>

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t g_settingsKey[] = L"Software\\Halverin\\Report Objects\\Help";
const wchar_t g_serverKey[] = L"CLSID\\{B2E6DBFF-E614-4BAE-9710-AE97A9AD5865}\\InprocServer32";

std::wstring ReadString(HKEY hRoot, const wchar_t* subKey, const wchar_t* name)
{
    wchar_t value[MAX_PATH * 2] = {};
    DWORD size = sizeof(value) - sizeof(wchar_t);
    if (::RegGetValueW(hRoot, subKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

// What a caller that knows nothing but the slot number gets: the thirteenth entry of the table.
HRESULT CallPathSlot(IUnknown* pLocator, BSTR* pPath)
{
    typedef HRESULT(STDMETHODCALLTYPE * PathMethod)(IUnknown*, BSTR*);
    void** table = *reinterpret_cast<void***>(pLocator);
    return reinterpret_cast<PathMethod>(table[QLN_HELP_FILE_PATH_SLOT])(pLocator, pPath);
}

class HelpLocatorTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(S_OK, m_registration.Register()); }

    // The path through the raw slot, or the failure code as text.
    std::wstring PathFromSlot()
    {
        ComPtr<IUnknown> locator;
        const HRESULT created = ::CoCreateInstance(CLSID_QLNHelpFileLocator, nullptr, CLSCTX_INPROC_SERVER,
                                                   IID_IQLNHelpFileLocator,
                                                   reinterpret_cast<void**>(locator.GetAddressOf()));
        if (FAILED(created))
            return L"<not created>";
        BSTR path = nullptr;
        const HRESULT hr = CallPathSlot(locator.Get(), &path);
        if (FAILED(hr))
            return L"<failed>";
        std::wstring result(path != nullptr ? path : L"");
        ::SysFreeString(path);
        return result;
    }

    ScopedRegistryValue m_userSetting{HKEY_CURRENT_USER, g_settingsKey, L"HelpFile"};
    ScopedRegistryValue m_machineSetting{HKEY_LOCAL_MACHINE, g_settingsKey, L"HelpFile"};
    LocatorRegistration m_registration;
};

TEST_F(HelpLocatorTest, WithoutASettingTheHelpFileLiesBesideTheServer)
{
    m_userSetting.Delete();
    m_machineSetting.Delete();
    EXPECT_EQ(HtmlHelpRecorderProbe::BinDirectory() + L"QLNReports.chm", PathFromSlot());
}

TEST_F(HelpLocatorTest, UserSettingComesBeforeTheMachineSettingAndIsExpanded)
{
    m_machineSetting.SetString(REG_SZ, L"C:\\machine.chm");
    m_userSetting.Delete();
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
    auto run = [](const std::wstring& arguments) {
        std::wstring commandLine = L"regsvr32.exe /s " + arguments;
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!::CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &process))
            return static_cast<DWORD>(-1);
        ::WaitForSingleObject(process.hProcess, 60000);
        DWORD exitCode = static_cast<DWORD>(-1);
        ::GetExitCodeProcess(process.hProcess, &exitCode);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        return exitCode;
    };
    const std::wstring quoted = L"\"" + LocatorRegistration::LocatorPath() + L"\"";
    EXPECT_EQ(0u, run(quoted));
    EXPECT_EQ(LocatorRegistration::LocatorPath(), ReadString(HKEY_CLASSES_ROOT, g_serverKey, nullptr));
    EXPECT_EQ(L"Apartment", ReadString(HKEY_CLASSES_ROOT, g_serverKey, L"ThreadingModel"));
    EXPECT_EQ(0u, run(L"/u " + quoted));
    EXPECT_FALSE(LocatorRegistration::IsRegistered());
    EXPECT_EQ(0u, run(L"/u " + quoted)) << "unregistering twice is no failure";
}

} // namespace
