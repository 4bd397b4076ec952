// Two servers in one process: each hands out, counts and registers only its own classes.
#include "ServerModule.h"

#include <gtest/gtest.h>

using modtest::ServerModule;

namespace {

class ServerModulesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, m_sample.Handle());
        ASSERT_NE(nullptr, m_second.Handle());
    }
    ServerModule m_sample{L"QLNSampleText.dll"};
    ServerModule m_second{L"QLNSecondText.dll"};
};

} // namespace

TEST_F(ServerModulesTest, EachServerHandsOutOnlyItsOwnClasses)
{
    struct Row
    {
        const ServerModule& server;
        const CLSID& clsid;
        HRESULT expected;
    } rows[] = {
        {m_sample, modtest::kSampleClsid, S_OK},
        {m_sample, modtest::kSecondClsid, CLASS_E_CLASSNOTAVAILABLE},
        {m_second, modtest::kSecondClsid, S_OK},
        {m_second, modtest::kSampleClsid, CLASS_E_CLASSNOTAVAILABLE},
    };
    for (const Row& row : rows) {
        IClassFactory* pFactory = nullptr;
        EXPECT_EQ(row.expected, row.server.GetClassObject(row.clsid, &pFactory)) << (&row - rows);
        EXPECT_EQ(row.expected == S_OK, pFactory != nullptr);
        if (pFactory != nullptr)
            pFactory->Release();
    }
}

TEST_F(ServerModulesTest, CanUnloadNowAnswersForItsOwnServerOnly)
{
    ASSERT_EQ(S_OK, m_sample.CanUnloadNow());
    ASSERT_EQ(S_OK, m_second.CanUnloadNow());

    IClassFactory* pFactory = nullptr;
    ASSERT_EQ(S_OK, m_second.GetClassObject(modtest::kSecondClsid, &pFactory));
    IUnknown* pObject = nullptr;
    ASSERT_EQ(S_OK, pFactory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&pObject)));
    pFactory->Release();
    EXPECT_EQ(S_FALSE, m_second.CanUnloadNow()) << "its object lives";
    EXPECT_EQ(S_OK, m_sample.CanUnloadNow());
    pObject->Release();
    EXPECT_EQ(S_OK, m_second.CanUnloadNow());

    ASSERT_EQ(S_OK, m_sample.GetClassObject(modtest::kSampleClsid, &pFactory));
    EXPECT_EQ(S_OK, pFactory->LockServer(TRUE));
    EXPECT_EQ(S_FALSE, m_sample.CanUnloadNow()) << "locked";
    EXPECT_EQ(S_OK, m_second.CanUnloadNow());
    EXPECT_EQ(S_OK, pFactory->LockServer(FALSE));
    pFactory->Release();
    EXPECT_EQ(S_OK, m_sample.CanUnloadNow());
}

TEST_F(ServerModulesTest, RegistrationEntersOnlyTheCallersClassesUnderItsOwnFile)
{
    const bool sampleWasRegistered = !modtest::RegisteredServer(modtest::kSampleClsid).empty();
    ASSERT_EQ(S_OK, m_sample.Unregister());
    ASSERT_EQ(S_OK, m_second.Unregister());

    ASSERT_EQ(S_OK, m_second.Register());
    EXPECT_EQ(0, _wcsicmp(m_second.Path().c_str(), modtest::RegisteredServer(modtest::kSecondClsid).c_str()));
    EXPECT_TRUE(modtest::RegisteredServer(modtest::kSampleClsid).empty()) << "the sample's class is not the caller's";

    ASSERT_EQ(S_OK, m_sample.Register());
    EXPECT_EQ(0, _wcsicmp(m_sample.Path().c_str(), modtest::RegisteredServer(modtest::kSampleClsid).c_str()));
    EXPECT_EQ(0, _wcsicmp(m_second.Path().c_str(), modtest::RegisteredServer(modtest::kSecondClsid).c_str()));

    EXPECT_EQ(S_OK, m_second.Unregister());
    EXPECT_TRUE(modtest::RegisteredServer(modtest::kSecondClsid).empty());
    EXPECT_FALSE(modtest::RegisteredServer(modtest::kSampleClsid).empty()) << "unregistering one leaves the other";
    if (!sampleWasRegistered)
        m_sample.Unregister();
}
