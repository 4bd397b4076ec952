// Resources are looked up in the module whose code is running, then along the extension-library
// chain, newest link first; the program's own resources only while the program's code runs. A
// module's links leave the chain when its record is terminated.
#include "AFX_MAINTAIN_STATE.h"
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
        ::FreeLibrary(m_hModule);
    }
    void Link()
    {
        ASSERT_TRUE(AfxInitExtensionModule(m_state, m_hModule));
        new CDynLinkLibrary(m_state);
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

TEST(ResourceChain, AModulesCodeFindsItsOwnResourcesThenTheChainButNeverTheProgram)
{
    ChainedModule a(L"chain_res_a.dll");
    ChainedModule b(L"chain_res_b.dll");
    ASSERT_NE(nullptr, b.m_hModule);
    a.Link();
    AFX_MODULE_STATE stateOfB(b.m_hModule);
    {
        AFX_MANAGE_STATE(&stateOfB);
        EXPECT_EQ(CString(L"B, linked last"), Load(IDS_CHAIN_BOTH)) << "its own before the chain";
        EXPECT_EQ(CString(L"Hello from A"), Load(IDS_TEST_HELLO)) << "the program's string of that id";
        EXPECT_TRUE(Load(IDS_TEST_UNICODE).IsEmpty()) << "only the program has it";
        EXPECT_EQ(a.m_hModule, DialogOfA());
        {
            AFX_MANAGE_STATE(nullptr);   // back in the program's code, as in a call out to the host
            EXPECT_EQ(CString(L"Hello from the test program"), Load(IDS_TEST_HELLO));
        }
        EXPECT_EQ(CString(L"Hello from A"), Load(IDS_TEST_HELLO));
    }
    EXPECT_EQ(AfxGetAppModuleState(), AfxGetModuleState());
}
