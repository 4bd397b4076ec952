// The program's code finds its resources in the program, then along the library chain, newest link
// first; a module's links leave with its record. A library's code (its own, the chain, never the
// program's) is the report libraries' test.
#include "CDynLinkLibrary.h"
#include "CString.h"
#include "core_tests_res.h"

#include <gtest/gtest.h>

namespace {

// A resource-only module, linked into the chain as its DllMain would link it.
struct ChainedModule
{
    explicit ChainedModule(const wchar_t* file) : m_hModule(::LoadLibraryW(file)) {}
    ~ChainedModule()
    {
        AfxTermExtensionModule(m_state, FALSE);
        ::FreeLibrary(m_hModule);
    }
    void Link()
    {
        ASSERT_TRUE(AfxInitExtensionModule(m_state, m_hModule));
        new CDynLinkLibrary(m_state);
    }

    AFX_EXTENSION_MODULE m_state = {FALSE, nullptr, nullptr};
    const HMODULE m_hModule;
};

CString Load(UINT id)
{
    CString s;
    s.LoadString(id);
    return s;
}

HINSTANCE DialogOfA() { return AfxFindResourceHandle(MAKEINTRESOURCEW(IDD_CHAIN_A), RT_DIALOG); }

} // namespace

TEST(ResourceChain, TheProgramsCodeFindsTheProgramFirstThenNewestLinkFirst)
{
    ChainedModule a(L"chain_res_a.dll");
    ChainedModule b(L"chain_res_b.dll");
    ASSERT_TRUE(a.m_hModule != nullptr && b.m_hModule != nullptr);
    EXPECT_TRUE(Load(IDS_CHAIN_A_ONLY).IsEmpty());   // not linked yet
    EXPECT_EQ(nullptr, DialogOfA());

    a.Link();
    b.Link();
    EXPECT_EQ(CString(L"Hello from the test program"), Load(IDS_TEST_HELLO));
    EXPECT_EQ(CString(L"only in A"), Load(IDS_CHAIN_A_ONLY));
    EXPECT_EQ(CString(L"B, linked last"), Load(IDS_CHAIN_BOTH));
    EXPECT_EQ(nullptr, AfxFindStringResourceHandle(IDS_TEST_MISSING_IN_BLOCK));
    EXPECT_EQ(a.m_hModule, DialogOfA());

    AfxTermExtensionModule(b.m_state, FALSE);
    EXPECT_FALSE(b.m_state.bInitialized);
    EXPECT_EQ(CString(L"A, linked first"), Load(IDS_CHAIN_BOTH));

    // The program's resources can be redirected to a module's.
    AfxSetResourceHandle(a.m_hModule);
    EXPECT_EQ(CString(L"Hello from A"), Load(IDS_TEST_HELLO));
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(CString(L"Hello from the test program"), Load(IDS_TEST_HELLO));

    AFX_EXTENSION_MODULE none = {FALSE, nullptr, nullptr};
    EXPECT_FALSE(AfxInitExtensionModule(none, nullptr));
    AfxTermExtensionModule(none, FALSE);            // harmless on a record never initialised
}
