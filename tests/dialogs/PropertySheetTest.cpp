// A sheet of two pages driven through its tabs and buttons: Apply comes alive when a page
// calls SetModified, a page whose value fails validation cannot be left, a page reloads its
// controls from its members when it is entered again, Help reaches the page on show, and OK
// applies every page.
#include "AfxDDX.h"
#include "AfxRes.h"
#include "CPropertySheet.h"
#include "ScriptedUser.h"
#include "dialogs_tests_res.h"

#include <gtest/gtest.h>

using namespace qlntest;

namespace {

// The Apply button of the system's property sheet.
constexpr int kApplyButton = 0x3021;

class NumberPage : public CPropertyPage
{
public:
    NumberPage() : CPropertyPage(IDD_PAGE_NUMBER, IDS_PAGE_NUMBER) { m_psp.dwFlags |= PSP_HASHELP; }
    int m_nNumber = 3;
    int m_nLoads = 0;
    int m_nApplies = 0;
    int m_nHelps = 0;

    BOOL OnApply() override
    {
        ++m_nApplies;
        return CPropertyPage::OnApply();
    }
    void OnNumberChange() { SetModified(TRUE); }
    void OnHelp() { ++m_nHelps; }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (!pDX->m_bSaveAndValidate)
            ++m_nLoads;
        DDX_Text(pDX, IDC_NUMBER, m_nNumber);
        DDV_MinMaxInt(pDX, m_nNumber, 1, 10);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NumberPage, CPropertyPage)
    ON_EN_CHANGE(IDC_NUMBER, OnNumberChange)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

class NamePage : public CPropertyPage
{
public:
    NamePage() : CPropertyPage(IDD_PAGE_NAME, IDS_PAGE_NAME) {}
    CString m_strName = L"first";
    int m_nApplies = 0;

    BOOL OnApply() override
    {
        ++m_nApplies;
        return CPropertyPage::OnApply();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_NAME, m_strName); }
};

// A click on the tab of page nPage.
void PostTabClick(HWND hSheet, int nPage)
{
    const HWND hTab = reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
    RECT rc = {};
    ::SendMessageW(hTab, TCM_GETITEMRECT, static_cast<WPARAM>(nPage), reinterpret_cast<LPARAM>(&rc));
    PostClickAt(hTab, POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
}

HWND CurrentPage(HWND hSheet)
{
    return reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

} // namespace

TEST(PropertySheetTest, ApplyFollowsSetModifiedValidationKeepsThePageAndReentryReloads)
{
    NumberPage number;
    NamePage name;
    CPropertySheet sheet(IDS_SHEET_CAPTION);
    sheet.m_psh.dwFlags |= PSH_HASHELP;
    sheet.AddPage(&number);
    sheet.AddPage(&name);

    HWND hSheet = nullptr;
    std::wstring caption;
    bool bApplyAtStart = true, bApplyAfterTyping = false, bStayedOnNumber = false, bFocusOnNumber = false;
    std::wstring message, reloaded;
    int nLoadsAfterFirstEntry = 0;

    ScriptedUser user(
        {[&]() {
             hSheet = sheet.m_hWnd;
             if (hSheet == nullptr || !::IsWindowVisible(hSheet))
                 return false;
             caption = TextOf(hSheet);
             bApplyAtStart = ::IsWindowEnabled(::GetDlgItem(hSheet, kApplyButton));
             PostClick(::GetDlgItem(hSheet, IDHELP));
             PostTyping(number.GetDlgItem(IDC_NUMBER)->m_hWnd, L"99");
             return true;
         },
         [&]() {
             bApplyAfterTyping = ::IsWindowEnabled(::GetDlgItem(hSheet, kApplyButton));
             PostTabClick(hSheet, 1);
             return true;
         },
         [&]() {
             const HWND hBox = FindOwnedDialog(hSheet);
             if (hBox == nullptr)
                 return false;
             message = MessageBoxText(hBox);
             PostClick(::GetDlgItem(hBox, IDOK));
             return true;
         },
         [&]() {
             if (OwnsDialog(hSheet))
                 return false;
             bStayedOnNumber = CurrentPage(hSheet) == number.m_hWnd;
             bFocusOnNumber = ::GetFocus() == number.GetDlgItem(IDC_NUMBER)->m_hWnd;
             nLoadsAfterFirstEntry = number.m_nLoads;
             PostTyping(number.GetDlgItem(IDC_NUMBER)->m_hWnd, L"5");
             PostTabClick(hSheet, 1);
             return true;
         },
         [&]() {
             if (CurrentPage(hSheet) != name.m_hWnd)
                 return false;
             // Changed behind the page's back while it is not on show.
             number.m_nNumber = 7;
             PostTyping(name.GetDlgItem(IDC_NAME)->m_hWnd, L"second");
             PostTabClick(hSheet, 0);
             return true;
         },
         [&]() {
             if (CurrentPage(hSheet) != number.m_hWnd)
                 return false;
             reloaded = TextOf(number.GetDlgItem(IDC_NUMBER)->m_hWnd);
             PostClick(::GetDlgItem(hSheet, IDOK));
             return true;
         }},
        [&]() { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });

    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "stalled after step " << user.StepsDone();
    EXPECT_EQ(L"Two pages", caption.substr(0, 9));
    EXPECT_FALSE(bApplyAtStart);
    EXPECT_TRUE(bApplyAfterTyping);
    EXPECT_EQ(1, number.m_nHelps);
    EXPECT_EQ(L"Please enter an integer between 1 and 10.", message);
    EXPECT_TRUE(bStayedOnNumber);
    EXPECT_TRUE(bFocusOnNumber);
    EXPECT_EQ(1, nLoadsAfterFirstEntry);
    EXPECT_EQ(L"7", reloaded);
    EXPECT_EQ(7, number.m_nNumber);
    EXPECT_STREQ(L"second", name.m_strName);
    EXPECT_EQ(1, number.m_nApplies);
    EXPECT_EQ(1, name.m_nApplies);
    EXPECT_EQ(nullptr, sheet.m_hWnd);
}

TEST(PropertySheetTest, CancelClosesWithoutApplying)
{
    NumberPage number;
    CPropertySheet sheet(L"One page");
    sheet.AddPage(&number);
    ScriptedUser user({[&]() {
                          if (sheet.m_hWnd == nullptr)
                              return false;
                          PostTyping(number.GetDlgItem(IDC_NUMBER)->m_hWnd, L"4");
                          PostClick(::GetDlgItem(sheet.m_hWnd, IDCANCEL));
                          return true;
                      }},
                      [&]() { ::DestroyWindow(sheet.m_hWnd); });
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    EXPECT_EQ(0, number.m_nApplies);
    EXPECT_EQ(3, number.m_nNumber);
}
