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

#include <string>
#include <vector>

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

    BOOL OnApply() override { ++m_nApplies; return CPropertyPage::OnApply(); }
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

HWND CurrentPage(HWND hSheet)
{
    return reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

} // namespace

TEST(PropertySheetTest, ApplyFollowsSetModifiedValidationKeepsThePageAndReentryReloads)
{
    NumberPage number, second;
    CPropertySheet sheet(IDS_SHEET_CAPTION);
    sheet.m_psh.dwFlags |= PSH_HASHELP;
    sheet.AddPage(&number);
    sheet.AddPage(&second);
    HWND hSheet = nullptr;
    auto numberEdit = [&number] { return number.GetDlgItem(IDC_NUMBER)->m_hWnd; };
    auto applyEnabled = [&hSheet] { return std::wstring(L"Apply ") + (::IsWindowEnabled(::GetDlgItem(hSheet, kApplyButton)) ? L"on" : L"off"); };
    std::vector<std::wstring> seen;     // what the user saw, step by step

    ScriptedUser user(
        {[&]() {
             hSheet = sheet.m_hWnd;
             if (hSheet == nullptr || !::IsWindowVisible(hSheet))
                 return false;
             seen = {TextOf(hSheet).substr(0, 9), applyEnabled()};
             PostClick(::GetDlgItem(hSheet, IDHELP));
             PostTyping(numberEdit(), L"99");
             return true;
         },
         [&]() {
             seen.push_back(applyEnabled());
             PostTabClick(hSheet, 1);
             return true;
         },
         [&]() {
             const HWND hBox = FindOwnedDialog(hSheet);
             if (hBox == nullptr)
                 return false;
             seen.push_back(MessageBoxText(hBox));
             PostClick(::GetDlgItem(hBox, IDOK));
             return true;
         },
         [&]() {
             if (OwnsDialog(hSheet))
                 return false;
             seen.push_back(std::wstring(CurrentPage(hSheet) == number.m_hWnd ? L"on Number" : L"left Number") +
                            (::GetFocus() == numberEdit() ? L", in its edit" : L"") + L", loaded " +
                            std::to_wstring(number.m_nLoads));
             PostTyping(numberEdit(), L"5");
             PostTabClick(hSheet, 1);
             return true;
         },
         [&]() {
             if (CurrentPage(hSheet) != second.m_hWnd)
                 return false;
             // Changed behind the page's back while it is not on show.
             number.m_nNumber = 7;
             PostTyping(second.GetDlgItem(IDC_NUMBER)->m_hWnd, L"6");
             PostTabClick(hSheet, 0);
             return true;
         },
         [&]() {
             if (CurrentPage(hSheet) != number.m_hWnd)
                 return false;
             seen.push_back(L"reloaded " + TextOf(numberEdit()));
             PostClick(::GetDlgItem(hSheet, IDOK));
             return true;
         }},
        [&]() { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });

    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "stalled after step " << user.StepsDone();
    const std::vector<std::wstring> expected = {L"Two pages", L"Apply off", L"Apply on",
        L"Please enter an integer between 1 and 10.", L"on Number, in its edit, loaded 1", L"reloaded 7"};
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(1, number.m_nHelps);
    EXPECT_EQ(7, number.m_nNumber);
    EXPECT_EQ(6, second.m_nNumber);
    EXPECT_EQ(1, number.m_nApplies);
    EXPECT_EQ(1, second.m_nApplies);
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
