// String loading follows the application first, then the extension-library chain, newest
// link first; a module's links leave the chain when its record is terminated.
#include "CDynLinkLibrary.h"
#include "CString.h"
#include "framework_tests_res.h"

#include <gtest/gtest.h>

namespace {

class ChainedModule
{
public:
    explicit ChainedModule(const wchar_t* file) : m_hModule(::LoadLibraryW(file)) {}
    ~ChainedModule()
    {
        AfxTermExtensionModule(m_state, FALSE);
        if (m_hModule != nullptr)
            ::FreeLibrary(m_hModule);
    }
    AFX_EXTENSION_MODULE m_state = {FALSE, nullptr, nullptr};
    HMODULE m_hModule;
};

CString Load(UINT id)
{
    CString s;
    s.LoadString(id);
    return s;
}

} // namespace

TEST(ResourceChain, ApplicationFirstThenNewestLinkFirst)
{
    ChainedModule a(L"chain_res_a.dll");
    ChainedModule b(L"chain_res_b.dll");
    ASSERT_NE(nullptr, a.m_hModule);
    ASSERT_NE(nullptr, b.m_hModule);
    EXPECT_TRUE(Load(IDS_CHAIN_A_ONLY).IsEmpty());   // not linked yet

    ASSERT_TRUE(AfxInitExtensionModule(a.m_state, a.m_hModule));
    ASSERT_TRUE(AfxInitExtensionModule(b.m_state, b.m_hModule));
    new CDynLinkLibrary(a.m_state);
    new CDynLinkLibrary(b.m_state);

    EXPECT_EQ(CString(L"Hello from the test program"), Load(IDS_TEST_HELLO));  // the application wins
    EXPECT_EQ(CString(L"only in A"), Load(IDS_CHAIN_A_ONLY));
    EXPECT_EQ(CString(L"B, linked last"), Load(IDS_CHAIN_BOTH));
    EXPECT_EQ(b.m_hModule, AfxFindStringResourceHandle(IDS_CHAIN_BOTH));
    EXPECT_EQ(::GetModuleHandleW(nullptr), AfxFindStringResourceHandle(IDS_TEST_HELLO));
    EXPECT_EQ(nullptr, AfxFindStringResourceHandle(IDS_TEST_MISSING_IN_BLOCK));

    AfxTermExtensionModule(b.m_state, FALSE);
    EXPECT_FALSE(b.m_state.bInitialized);
    EXPECT_EQ(CString(L"A, linked first"), Load(IDS_CHAIN_BOTH));
    EXPECT_EQ(CString(L"only in A"), Load(IDS_CHAIN_A_ONLY));
}

TEST(ResourceChain, ResourceHandleCanBeRedirected)
{
    ChainedModule a(L"chain_res_a.dll");
    ASSERT_NE(nullptr, a.m_hModule);
    AfxSetResourceHandle(a.m_hModule);
    EXPECT_EQ(CString(L"A, linked first"), Load(IDS_CHAIN_BOTH));
    EXPECT_EQ(CString(L"A must not shadow the application"), Load(IDS_TEST_HELLO));
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(CString(L"Hello from the test program"), Load(IDS_TEST_HELLO));
}

TEST(ResourceChain, ModuleRecordRefusesANullModule)
{
    AFX_EXTENSION_MODULE state = {FALSE, nullptr, nullptr};
    EXPECT_FALSE(AfxInitExtensionModule(state, nullptr));
    EXPECT_FALSE(state.bInitialized);
    AfxTermExtensionModule(state, FALSE);           // harmless on a record never initialised
}
