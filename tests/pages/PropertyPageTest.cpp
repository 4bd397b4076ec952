// The plain page keeps the sheet's Apply button in step with the user: a tabled change of a
// control that is not excluded marks the page, other notifications and excluded controls do
// not, entering and leaving clear the mark, and a value that fails validation keeps the user
// on the page with the mark as it was.
#include "AfxDDX.h"
#include "AfxRes.h"
#include "CPropertySheet.h"
#include "QLNChangeNotification.h"
#include "QLNPropertyPage.h"
#include "SheetUser.h"
#include "pages_tests_res.h"

#include <gtest/gtest.h>

using namespace qlntest;

namespace {

// A window of a class registered by the test, for class names the system does not provide.
class OwnClassWindow
{
public:
    explicit OwnClassWindow(const wchar_t* pszClass)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = pszClass;
        m_atom = ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowW(pszClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
        m_strClass = pszClass;
    }
    ~OwnClassWindow()
    {
        ::DestroyWindow(m_hWnd);
        if (m_atom != 0)
            ::UnregisterClassW(m_strClass.c_str(), ::GetModuleHandleW(nullptr));
    }
    HWND m_hWnd = nullptr;

private:
    ATOM m_atom = 0;
    std::wstring m_strClass;
};

HWND SystemWindow(const wchar_t* pszClass)
{
    return ::CreateWindowW(pszClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

} // namespace

TEST(PropertyPageTest, ChangeNotificationsAreTheTabledPairsOfWholeClassNamesWithoutCase)
{
    const HWND hEdit = SystemWindow(L"EDIT");
    const HWND hButton = SystemWindow(L"Button");
    const HWND hCombo = SystemWindow(L"ComboBox");
    const HWND hList = SystemWindow(L"listbox");
    const HWND hStatic = SystemWindow(L"Static");
    OwnClassWindow richEdit(L"RICHEDIT");
    OwnClassWindow richEditClass(L"RichEdit_Class");
    OwnClassWindow richEditLonger(L"RichEdit20W");
    OwnClassWindow editPrefix(L"Edi");
    ASSERT_NE(nullptr, richEdit.m_hWnd);

    const struct
    {
        const char* why;
        HWND hWnd;
        UINT nCode;
        BOOL bChange;
    } rows[] = {
        {"an edit's text change", hEdit, EN_CHANGE, TRUE},
        {"an edit gaining the focus is no change", hEdit, EN_SETFOCUS, FALSE},
        {"codes are per class: a button's double click is not an edit's", hEdit, BN_DOUBLECLICKED, FALSE},
        {"a button's click, whatever its style", hButton, BN_CLICKED, TRUE},
        {"a button's double click", hButton, BN_DOUBLECLICKED, TRUE},
        {"a combo box's edited text", hCombo, CBN_EDITCHANGE, TRUE},
        {"a combo box's new selection", hCombo, CBN_SELCHANGE, TRUE},
        {"a combo box dropping down changes nothing", hCombo, CBN_DROPDOWN, FALSE},
        {"a list box's new selection", hList, LBN_SELCHANGE, TRUE},
        {"a list box double click is not tabled", hList, LBN_DBLCLK, FALSE},
        {"a static control is not tabled", hStatic, STN_CLICKED, FALSE},
        {"RICHEDIT in capitals matches RichEdit", richEdit.m_hWnd, EN_CHANGE, TRUE},
        {"RichEdit_Class in mixed case matches RICHEDIT_CLASS", richEditClass.m_hWnd, EN_CHANGE, TRUE},
        {"a name that only begins with RichEdit does not match", richEditLonger.m_hWnd, EN_CHANGE, FALSE},
        {"a name that is only the beginning of edit does not match", editPrefix.m_hWnd, EN_CHANGE, FALSE},
        {"no sender", nullptr, EN_CHANGE, FALSE},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.bChange, QLNIsChangeNotification(row.hWnd, row.nCode)) << row.why;

    for (HWND h : {hEdit, hButton, hCombo, hList, hStatic})
        ::DestroyWindow(h);
}

namespace {

class ChangesPage : public CQLNPropertyPage
{
public:
    ChangesPage() : CQLNPropertyPage(IDD_CHANGES, IDS_CHANGES) {}
    CString m_strValue = L"start";
    CString m_strNote = L"note";
    int m_nCount = 3;
    int m_nHelps = 0;

    BOOL OnInitDialog() override
    {
        const HWND hChoice = GetDlgItem(IDC_CHOICE)->m_hWnd;
        for (const wchar_t* psz : {L"First", L"Second"})
            ::SendMessageW(hChoice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
        IgnoreApply(IDC_NOTE);
        return CQLNPropertyPage::OnInitDialog();
    }
    void OnHelp() { ++m_nHelps; }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_VALUE, m_strValue);
        DDX_Text(pDX, IDC_NOTE, m_strNote);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 1, 10);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChangesPage, CQLNPropertyPage)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

class OtherPage : public CQLNPropertyPage
{
public:
    OtherPage() : CQLNPropertyPage(IDD_OTHER, IDS_OTHER) {}
    CString m_strOther = L"other";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_OTHER, m_strOther); }
};

} // namespace

TEST(PropertyPageTest, ApplyComesAliveOnTabledChangesOnlyAndEntryAndExitClearIt)
{
    ChangesPage changes;
    OtherPage other;
    CPropertySheet sheet(L"Changes");
    sheet.AddPage(&changes);
    sheet.AddPage(&other);

    HWND hSheet = nullptr;
    auto applyEnabled = [&]() { return ApplyEnabled(hSheet); };
    auto item = [&](int nID) { return changes.GetDlgItem(nID)->m_hWnd; };
    struct
    {
        bool bHelpButton = false;
        bool bAtStart = true, bAfterExcluded = true, bAfterDropDown = true, bAfterTyping = false;
        bool bAfterReturn = true, bAfterButton = false, bAfterRefusedLeave = false, bStayed = false;
        std::wstring message;
    } seen;

    ScriptedUser user(
        {[&]() {
             hSheet = sheet.m_hWnd;
             if (hSheet == nullptr || !::IsWindowVisible(hSheet))
                 return false;
             // Loading the controls sent their change notifications; the entry cleared them.
             seen.bAtStart = applyEnabled();
             seen.bHelpButton = ::IsWindowVisible(::GetDlgItem(hSheet, IDHELP)) != FALSE;
             PostTyping(item(IDC_NOTE), L"excluded");
             return true;
         },
         [&]() {
             seen.bAfterExcluded = applyEnabled();
             // A click drops the list down and Escape closes it again, choosing nothing.
             RECT rc = {};
             ::GetClientRect(item(IDC_CHOICE), &rc);
             PostClickAt(item(IDC_CHOICE), POINT{rc.right / 2, rc.bottom / 2});
             return true;
         },
         [&]() {
             if (!::SendMessageW(item(IDC_CHOICE), CB_GETDROPPEDSTATE, 0, 0))
                 return false;
             ::PostMessageW(item(IDC_CHOICE), WM_KEYDOWN, VK_ESCAPE, 1);
             return true;
         },
         [&]() {
             if (::SendMessageW(item(IDC_CHOICE), CB_GETDROPPEDSTATE, 0, 0))
                 return false;
             seen.bAfterDropDown = applyEnabled();
             PostTyping(item(IDC_VALUE), L"changed");
             return true;
         },
         [&]() {
             seen.bAfterTyping = applyEnabled();
             PostTabClick(hSheet, 1);
             return true;
         },
         [&]() {
             if (CurrentPage(hSheet) != other.m_hWnd)
                 return false;
             PostTabClick(hSheet, 0);
             return true;
         },
         [&]() {
             if (CurrentPage(hSheet) != changes.m_hWnd)
                 return false;
             seen.bAfterReturn = applyEnabled();
             PostClick(item(IDC_RESET));
             return true;
         },
         [&]() {
             seen.bAfterButton = applyEnabled();
             PostTyping(item(IDC_COUNT), L"99");
             PostTabClick(hSheet, 1);
             return true;
         },
         [&]() {
             const HWND hBox = FindOwnedDialog(hSheet);
             if (hBox == nullptr)
                 return false;
             seen.message = MessageBoxText(hBox);
             PostClick(::GetDlgItem(hBox, IDOK));
             return true;
         },
         [&]() {
             if (FindOwnedDialog(hSheet) != nullptr)
                 return false;
             seen.bStayed = CurrentPage(hSheet) == changes.m_hWnd;
             seen.bAfterRefusedLeave = applyEnabled();
             PostTyping(item(IDC_COUNT), L"4");
             PostClick(::GetDlgItem(hSheet, IDHELP));
             PostClick(::GetDlgItem(hSheet, IDOK));
             return true;
         }},
        [&]() { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });

    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "stalled after step " << user.StepsDone();
    EXPECT_TRUE(seen.bHelpButton);
    EXPECT_FALSE(seen.bAtStart);
    EXPECT_FALSE(seen.bAfterExcluded) << "an excluded control marked the page";
    EXPECT_FALSE(seen.bAfterDropDown) << "an untabled notification marked the page";
    EXPECT_TRUE(seen.bAfterTyping);
    EXPECT_FALSE(seen.bAfterReturn) << "the page was still marked after leaving and entering";
    EXPECT_TRUE(seen.bAfterButton) << "a push button's click did not mark the page";
    EXPECT_EQ(L"Please enter an integer between 1 and 10.", seen.message);
    EXPECT_TRUE(seen.bStayed);
    EXPECT_TRUE(seen.bAfterRefusedLeave) << "a refused leave cleared the mark";
    EXPECT_EQ(1, changes.m_nHelps);
    EXPECT_STREQ(L"changed", changes.m_strValue);
    EXPECT_STREQ(L"excluded", changes.m_strNote);
    EXPECT_EQ(4, changes.m_nCount);
}
