// A dialog hosted as a control of a property page, driven as a user drives it: its changes mark
// a plain page of the framework's sheet (Apply comes alive) and an OLE page of the system's
// property frame (the control's changed status and the page's dirty flag), the changes that its
// own creation posts do not count, Enter on its button clicks that button and elsewhere goes to
// the sheet, and EnumControls clears the statuses of every control.
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

constexpr int kApplyButton = 0x3021;

// Its initialisation posts a click of its check box to itself, as the font dialog posts its
// first selection notifications: a change the user did not make.
class HostedDialog : public CQLNCtrlDialogBase
{
public:
    int m_nPushes = 0;

    BOOL OnInitDialog() override
    {
        CQLNCtrlDialogBase::OnInitDialog();
        PostMessage(WM_COMMAND, MAKEWPARAM(IDC_TICK, BN_CLICKED),
                    reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDC_TICK)));
        return TRUE;
    }
    void OnPush() { ++m_nPushes; }
    HWND Item(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HostedDialog, CQLNCtrlDialogBase)
    ON_BN_CLICKED(IDC_PUSH, OnPush)
END_MESSAGE_MAP()

class HostPage : public CPropertyPage
{
public:
    HostPage() : CPropertyPage(IDD_HOST_PAGE, IDS_HOST_PAGE) {}
    HostedDialog m_hosted;

    BOOL OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        return m_hosted.CreateDialogBase(IDD_HOSTED, this);
    }
};

class OlePage : public COlePropertyPage
{
public:
    OlePage() : COlePropertyPage(IDD_OLE_PAGE, IDS_HOST_PAGE) {}
    HostedDialog m_hosted;

    BOOL OnInitDialog() override
    {
        COlePropertyPage::OnInitDialog();
        return m_hosted.CreateDialogBase(IDD_HOSTED, this);
    }
};

// The keyboard's Enter, as the system posts it to the window with the focus.
void PostEnter(HWND hWnd)
{
    ::PostMessageW(hWnd, WM_KEYDOWN, VK_RETURN, 0x001C0001);
    ::PostMessageW(hWnd, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

// Waits a few timer ticks, so that what the last step posted has been handled.
ScriptedUser::Step Settle()
{
    auto nTicks = std::make_shared<int>(0);
    return [nTicks] { return ++*nTicks % 4 == 0; };
}

} // namespace

TEST(QLNCtrlDialogBaseTest, InAPlainPageItsChangesBringApplyAliveAndEnterClicksItsButtons)
{
    CPropertySheet sheet(IDS_HOST_SHEET);
    HostPage page;
    sheet.AddPage(&page);
    HostedDialog& hosted = page.m_hosted;
    auto Apply = [&] { return ::GetDlgItem(sheet.m_hWnd, kApplyButton); };
    BOOL bApplyAfterCreation = TRUE;
    BOOL bApplyAfterEnterOnTick = FALSE;
    BOOL bApplyAfterApply = TRUE;
    BOOL bApplyAfterEnterOnPush = FALSE;
    BOOL bSheetOpenAfterEnter = FALSE;
    UINT nTick = BST_UNCHECKED;
    ScriptedUser user(
        {
            [&] { return hosted.m_hWnd != nullptr && ::IsWindowVisible(sheet.m_hWnd); },
            Settle(),
            [&] {
                bApplyAfterCreation = ::IsWindowEnabled(Apply());
                ::SetFocus(hosted.Item(IDC_TICK));
                PostEnter(hosted.Item(IDC_TICK));
                return true;
            },
            Settle(),
            [&] {
                nTick = static_cast<UINT>(::SendMessageW(hosted.Item(IDC_TICK), BM_GETCHECK, 0, 0));
                bApplyAfterEnterOnTick = ::IsWindowEnabled(Apply());
                bSheetOpenAfterEnter = ::IsWindowVisible(sheet.m_hWnd);
                PostClick(Apply());
                return true;
            },
            Settle(),
            [&] {
                bApplyAfterApply = ::IsWindowEnabled(Apply());
                ::SetFocus(hosted.Item(IDC_PUSH));
                PostEnter(hosted.Item(IDC_PUSH));
                return true;
            },
            Settle(),
            [&] {
                bApplyAfterEnterOnPush = ::IsWindowEnabled(Apply());
                // In the combo box's edit field Enter is not the hosted dialog's: the sheet's
                // default button, OK, takes it.
                HWND hComboEdit = ::GetWindow(hosted.Item(IDC_CHOICE), GW_CHILD);
                ::SetFocus(hComboEdit);
                PostEnter(hComboEdit);
                return true;
            },
        },
        [&] { ::PostMessageW(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    EXPECT_FALSE(bApplyAfterCreation) << "the click its creation posted does not count";
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), nTick) << "Enter on the check box clicks it";
    EXPECT_TRUE(bSheetOpenAfterEnter) << "and does not press the sheet's default button";
    EXPECT_TRUE(bApplyAfterEnterOnTick);
    EXPECT_FALSE(bApplyAfterApply);
    EXPECT_EQ(1, hosted.m_nPushes);
    EXPECT_TRUE(bApplyAfterEnterOnPush);
}

namespace {

const CLSID CLSID_TestOlePage = {0x5a1c2f3e, 0x7b41, 0x4e0d, {0x9c, 0x2a, 0x61, 0x0b, 0x3d, 0x84, 0xe5, 0x17}};

// The page the frame made, kept alive for the test beyond the frame.
OlePage* g_pOlePage = nullptr;

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
    g_pOlePage = nullptr;

    struct Seen
    {
        BOOL bModified = TRUE;
        BOOL bTickStatus = TRUE;
        BOOL bPushStatus = FALSE;
        BOOL bWordsStatus = FALSE;
        HRESULT hrDirty = S_FALSE;
    } afterCreation, afterChanges, afterEnum;
    auto Look = [](Seen& seen) {
        seen.bModified = g_pOlePage->IsModified();
        seen.bTickStatus = g_pOlePage->GetControlStatus(IDC_TICK);
        seen.bPushStatus = g_pOlePage->GetControlStatus(IDC_PUSH);
        seen.bWordsStatus = g_pOlePage->GetControlStatus(IDC_WORDS);
        IPropertyPage* pPage = nullptr;
        if (SUCCEEDED(g_pOlePage->ExternalQueryInterface(IID_IPropertyPage, reinterpret_cast<void**>(&pPage)))) {
            seen.hrDirty = pPage->IsPageDirty();
            pPage->Release();
        }
    };
    ULONG nObjects = 0;
    bool bSameObject = false;
    ScriptedUser user(
        {
            [&] { return g_pOlePage != nullptr && g_pOlePage->m_hosted.m_hWnd != nullptr; },
            Settle(),
            [&] {
                Look(afterCreation);
                LPDISPATCH* ppDispatch = g_pOlePage->GetObjectArray(&nObjects);
                IUnknown* pUnknown = nullptr;
                if (ppDispatch != nullptr &&
                    SUCCEEDED(ppDispatch[0]->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)))) {
                    bSameObject = pUnknown == control.Control();
                    pUnknown->Release();
                }
                PostClick(g_pOlePage->m_hosted.Item(IDC_PUSH));
                PostTyping(g_pOlePage->m_hosted.Item(IDC_WORDS), L"ab");
                return true;
            },
            Settle(),
            [&] {
                Look(afterChanges);
                ::EnumChildWindows(g_pOlePage->m_hosted.m_hWnd, &CQLNCtrlDialogBase::EnumControls,
                                   reinterpret_cast<LPARAM>(static_cast<COlePropertyPage*>(g_pOlePage)));
                Look(afterEnum);
                const HWND hFrame = ::GetAncestor(g_pOlePage->m_hWnd, GA_ROOT);
                PostClick(::GetDlgItem(hFrame, IDCANCEL));
                return true;
            },
        },
        [&] {
            if (g_pOlePage != nullptr && g_pOlePage->m_hWnd != nullptr)
                ::PostMessageW(::GetAncestor(g_pOlePage->m_hWnd, GA_ROOT), WM_COMMAND, IDCANCEL, 0);
        });
    IUnknown* pObject = control.Control();
    CLSID clsid = CLSID_TestOlePage;
    EXPECT_EQ(S_OK, ::OleCreatePropertyFrame(nullptr, 0, 0, L"Hosted", 1, &pObject, 1, &clsid, 0, 0, nullptr));
    ::CoRevokeClassObject(dwCookie);
    ASSERT_NE(nullptr, g_pOlePage);
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    EXPECT_EQ(1u, nObjects);
    EXPECT_TRUE(bSameObject) << "the page edits the object the frame was given";

    EXPECT_FALSE(afterCreation.bModified) << "the click its creation posted does not count";
    EXPECT_FALSE(afterCreation.bTickStatus);
    EXPECT_EQ(S_FALSE, afterCreation.hrDirty);

    EXPECT_TRUE(afterChanges.bModified);
    EXPECT_EQ(S_OK, afterChanges.hrDirty);
    EXPECT_TRUE(afterChanges.bPushStatus);
    EXPECT_TRUE(afterChanges.bWordsStatus);
    EXPECT_FALSE(afterChanges.bTickStatus);
    EXPECT_EQ(1, g_pOlePage->m_hosted.m_nPushes);

    EXPECT_FALSE(afterEnum.bPushStatus);
    EXPECT_FALSE(afterEnum.bWordsStatus);
    EXPECT_TRUE(afterEnum.bModified) << "the statuses go, the page stays modified";

    EXPECT_EQ(nullptr, g_pOlePage->m_hWnd) << "the frame deactivated the page";
    g_pOlePage->ExternalRelease();
    g_pOlePage = nullptr;
}
