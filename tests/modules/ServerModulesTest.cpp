// Two servers in one process: each hands out, counts and registers only its own classes.
#include "ServerModule.h"

#include <gtest/gtest.h>

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
}
