// A dialog hosted as a control of a property page, driven as a user drives it: its changes (not
// those its own creation posts) mark a plain page of the framework's sheet and an OLE page of the
// system's property frame; Enter on its button clicks the button; EnumControls clears statuses.
#include "COleObjectFactory.h"
#include "COlePropertyPage.h"
#include "CPropertySheet.h"
#include "QLNCtrlDialogBase.h"
#include "SampleObject.h"
#include "ScriptedUser.h"
#include "pickers_tests_res.h"

#include <gtest/gtest.h>

#include <olectl.h>

using namespace qlntest;

namespace {

// Its initialisation posts a click of its check box to itself, as the font dialog posts its
// first selection notifications: a change the user did not make.
class HostedDialog : public CQLNCtrlDialogBase
{
public:
    BOOL OnInitDialog() override
    {
        CQLNCtrlDialogBase::OnInitDialog();
        PostMessage(WM_COMMAND, MAKEWPARAM(IDC_TICK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDC_TICK)));
        return TRUE;
    }
    HWND Item(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
};

// A page of either kind with the dialog as its one control.
template <class Page, UINT nIDD>
class HostPage : public Page
{
public:
    HostPage() : Page(nIDD, IDS_HOST_PAGE) {}
    HostedDialog m_hosted;

    BOOL OnInitDialog() override
    {
        Page::OnInitDialog();
        return m_hosted.CreateDialogBase(IDD_HOSTED, this);
    }
};
using OlePage = HostPage<COlePropertyPage, IDD_OLE_PAGE>;

// The keyboard's Enter, as the system posts it to the window with the focus.
void PostEnter(HWND hWnd)
{
    ::SetFocus(hWnd);
    ::PostMessageW(hWnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ::PostMessageW(hWnd, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

} // namespace

TEST(QLNCtrlDialogBaseTest, InAPlainPageItsChangesBringApplyAliveAndEnterClicksItsButtons)
{
    CPropertySheet sheet(IDS_HOST_SHEET);
    HostPage<CPropertyPage, IDD_HOST_PAGE> page;
    sheet.AddPage(&page);
    HostedDialog& hosted = page.m_hosted;
    std::vector<BOOL> apply;   // whether Apply is enabled after each step
    const auto Look = [&] { apply.push_back(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, 0x3021))); };
    LRESULT nTick = BST_UNCHECKED;
    ScriptedUser user(
        Settled(Waiting("the sheet with its hosted dialog", [&] { return hosted.m_hWnd != nullptr && ::IsWindowVisible(sheet.m_hWnd); }),
                {[&] { Look(); PostEnter(hosted.Item(IDC_TICK)); return true; },
                 [&] { Look(); nTick = ::SendMessageW(hosted.Item(IDC_TICK), BM_GETCHECK, 0, 0); PostClick(::GetDlgItem(sheet.m_hWnd, 0x3021)); return true; },
                 [&] { Look(); PostEnter(hosted.Item(IDC_PUSH)); return true; },
                 // In the combo box's edit field Enter is not the hosted dialog's: the sheet's OK takes it.
                 [&] { Look(); PostEnter(::GetWindow(hosted.Item(IDC_CHOICE), GW_CHILD)); return true; }}),
        [&] { ::PostMessageW(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    EXPECT_EQ((std::vector<BOOL>{FALSE, TRUE, FALSE, TRUE}), apply)
        << "not after creation; after Enter on the check box; not after Apply; after Enter on the button";
    EXPECT_EQ(BST_CHECKED, nTick) << "Enter on the check box clicks it, not the sheet's OK";
}

namespace {

CLSID CLSID_TestOlePage = {0x5a1c2f3e, 0x7b41, 0x4e0d, {0x9c, 0x2a, 0x61, 0x0b, 0x3d, 0x84, 0xe5, 0x17}};
OlePage* g_pOlePage = nullptr;   // the page the frame made, kept alive beyond the frame

CCmdTarget* CreateOlePage(REFCLSID)
{
    g_pOlePage = new OlePage;
    g_pOlePage->ExternalAddRef();
    return g_pOlePage;
}

COleObjectFactory g_olePageFactory(CLSID_TestOlePage, &CreateOlePage, nullptr, nullptr);

} // namespace

TEST(QLNCtrlDialogBaseTest, InAnOlePageOfTheSystemsFrameItsChangesSetTheControlStatusAndDirtyThePage)
{
    CQLNTextObjClient control;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(control, error)) << std::string(error.begin(), error.end());
    DWORD dwCookie = 0;
    ASSERT_EQ(S_OK, ::CoRegisterClassObject(CLSID_TestOlePage, &g_olePageFactory, CLSCTX_INPROC_SERVER,
                                            REGCLS_MULTIPLEUSE, &dwCookie));
    // Modified, dirty, and the statuses of the check box, the button and the edit, after each step.
    std::vector<std::vector<BOOL>> seen;
    const auto Look = [&] {
        IPropertyPage* pPage = nullptr;
        g_pOlePage->ExternalQueryInterface(IID_IPropertyPage, reinterpret_cast<void**>(&pPage));
        seen.push_back({g_pOlePage->IsModified(), pPage->IsPageDirty() == S_OK, g_pOlePage->GetControlStatus(IDC_TICK),
                        g_pOlePage->GetControlStatus(IDC_PUSH), g_pOlePage->GetControlStatus(IDC_WORDS)});
        pPage->Release();
    };
    ULONG nObjects = 0;
    IUnknown* pEdited = nullptr;
    ScriptedUser user(
        Settled(Waiting("the hosted dialog of the OLE page", [&] { return g_pOlePage != nullptr && g_pOlePage->m_hosted.m_hWnd != nullptr; }),
                {[&] {
                     Look();
                     if (LPDISPATCH* ppDispatch = g_pOlePage->GetObjectArray(&nObjects))
                         ppDispatch[0]->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pEdited));
                     PostClick(g_pOlePage->m_hosted.Item(IDC_PUSH));
                     PostTyping(g_pOlePage->m_hosted.Item(IDC_WORDS), L"ab");
                     return true;
                 },
                 [&] {
                     Look();
                     ::EnumChildWindows(g_pOlePage->m_hosted.m_hWnd, &CQLNCtrlDialogBase::EnumControls,
                                        reinterpret_cast<LPARAM>(static_cast<COlePropertyPage*>(g_pOlePage)));
                     Look();
                     PostClick(::GetDlgItem(::GetAncestor(g_pOlePage->m_hWnd, GA_ROOT), IDCANCEL));
                     return true;
                 }}),
        [] { ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
    IUnknown* pObject = control.Control();
    EXPECT_EQ(S_OK, ::OleCreatePropertyFrame(nullptr, 0, 0, L"Hosted", 1, &pObject, 1, &CLSID_TestOlePage, 0, 0, nullptr));
    ::CoRevokeClassObject(dwCookie);
    ASSERT_NE(nullptr, g_pOlePage);
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    ASSERT_TRUE(nObjects == 1 && pObject == pEdited) << "the page edits the one object the frame was given";
    pEdited->Release();
    const std::vector<std::vector<BOOL>> expected = {
        {FALSE, FALSE, FALSE, FALSE, FALSE},   // the click its creation posted does not count
        {TRUE, TRUE, FALSE, TRUE, TRUE},       // a click and typing mark the page and their controls
        {TRUE, TRUE, FALSE, FALSE, FALSE},     // EnumControls clears the statuses; the page stays modified
    };
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(nullptr, g_pOlePage->m_hWnd) << "the frame deactivated the page";
    g_pOlePage->ExternalRelease();
}
