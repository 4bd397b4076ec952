// Two servers in one process: each hands out, counts, registers and unregisters only its own
// classes and ProgIDs.
#include "ServerModule.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

using modtest::kSampleClsid;
using modtest::kSecondClsid;
using modtest::RegisteredServer;

namespace {

class ServerModulesTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_sample.Handle() != nullptr && m_second.Handle() != nullptr); }
    modtest::ServerModule m_sample{L"QLNSampleText.dll"};
    modtest::ServerModule m_second{L"QLNSecondText.dll"};
};

} // namespace

TEST_F(ServerModulesTest, EachServerHandsOutAndCountsOnlyItsOwnClasses)
{
    IClassFactory* pFactory = nullptr;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, m_sample.GetClassObject(kSecondClsid, &pFactory));
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, m_second.GetClassObject(kSampleClsid, &pFactory));
    EXPECT_EQ(nullptr, pFactory);
    ASSERT_EQ(S_OK, m_sample.CanUnloadNow());
    ASSERT_EQ(S_OK, m_second.CanUnloadNow());

    ASSERT_EQ(S_OK, m_second.GetClassObject(kSecondClsid, &pFactory));
    IUnknown* pObject = nullptr;
    ASSERT_EQ(S_OK, pFactory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&pObject)));
    pFactory->Release();
    EXPECT_EQ(S_FALSE, m_second.CanUnloadNow()) << "its object lives";
    EXPECT_EQ(S_OK, m_sample.CanUnloadNow());
    pObject->Release();
    EXPECT_EQ(S_OK, m_second.CanUnloadNow());

    ASSERT_EQ(S_OK, m_sample.GetClassObject(kSampleClsid, &pFactory));
    EXPECT_EQ(S_OK, pFactory->LockServer(TRUE));
    EXPECT_EQ(S_FALSE, m_sample.CanUnloadNow()) << "locked";
    EXPECT_EQ(S_OK, m_second.CanUnloadNow());
    EXPECT_EQ(S_OK, pFactory->LockServer(FALSE));
    pFactory->Release();
    EXPECT_EQ(S_OK, m_sample.CanUnloadNow());
}

TEST_F(ServerModulesTest, RegistrationEntersOnlyTheCallersClassesUnderItsOwnFile)
{
    const bool sampleWasRegistered = !RegisteredServer(kSampleClsid).empty();
    ASSERT_EQ(S_OK, m_sample.Unregister());
    ASSERT_EQ(S_OK, m_second.Unregister());
    ASSERT_EQ(S_OK, m_second.Register());
    EXPECT_EQ(0, _wcsicmp(m_second.Path().c_str(), RegisteredServer(kSecondClsid).c_str()));
    EXPECT_EQ(L"", RegisteredServer(kSampleClsid)) << "the sample's class is not the caller's";

    ASSERT_EQ(S_OK, m_sample.Register());
    EXPECT_EQ(0, _wcsicmp(m_sample.Path().c_str(), RegisteredServer(kSampleClsid).c_str()));
    EXPECT_EQ(S_OK, m_second.Unregister());
    EXPECT_EQ(L"", RegisteredServer(kSecondClsid));
    EXPECT_NE(L"", RegisteredServer(kSampleClsid)) << "unregistering one leaves the other";
    if (!sampleWasRegistered)
        m_sample.Unregister();

    // A later version took the version-independent ProgID (or, oddly, this version's own): a
    // ProgID goes with the class only while it still names it.
    const wchar_t kLater[] = L"{0B1D2E3F-4A5B-4C6D-8E9F-A0B1C2D3E4F5}";
    const auto classOf = [](const std::wstring& progId) {
        wchar_t value[64] = {};
        DWORD cb = sizeof value;
        ::RegGetValueW(HKEY_CLASSES_ROOT, (progId + L"\\CLSID").c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &cb);
        return std::wstring(value);
    };
    const auto pointAtLater = [&](const std::wstring& progId) {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CLASSES_ROOT, (progId + L"\\CLSID").c_str(), 0, nullptr, 0,
                                                   KEY_SET_VALUE, nullptr, &hKey, nullptr));
        ::RegSetValueExW(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(kLater), sizeof kLater);
        ::RegCloseKey(hKey);
    };
    for (const wchar_t* taken : {static_cast<const wchar_t*>(nullptr), L"QLNSecond.TextCtrl", L"QLNSecond.TextCtrl.1"}) {
        SCOPED_TRACE(taken != nullptr ? std::string(taken, taken + wcslen(taken)) : "nothing taken");
        ASSERT_EQ(S_OK, m_second.Register());
        if (taken != nullptr)
            pointAtLater(taken);
        ASSERT_EQ(S_OK, m_second.Unregister());
        for (const wchar_t* progId : {L"QLNSecond.TextCtrl", L"QLNSecond.TextCtrl.1"})
            EXPECT_EQ(taken != nullptr && wcscmp(progId, taken) == 0 ? kLater : L"", classOf(progId));
        if (taken != nullptr) {
            ::RegDeleteTreeW(HKEY_CLASSES_ROOT, taken);
            ::RegDeleteKeyW(HKEY_CLASSES_ROOT, taken);
        }
    }
}
