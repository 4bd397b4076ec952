// A modal dialog whose data exchange round-trips every member type, refuses OK on a text that
// is not a number and on one out of range with the framework's message, and puts the user
// back on the offending edit.
#include "AfxDDX.h"
#include "AfxMessageBox.h"
#include "AfxRes.h"
#include "CDialog.h"
#include "ScriptedUser.h"
#include "dialogs_tests_res.h"

#include <gtest/gtest.h>

using namespace qlntest;

namespace {

class ExchangeDialog : public CDialog
{
public:
    explicit ExchangeDialog(CWnd* pParent) : CDialog(IDD_EXCHANGE, pParent) {}

    BYTE m_byte = 200;
    short m_short = -1234;
    int m_int = 42;
    UINT m_uint = 4000000000u;
    long m_long = -7;
    DWORD m_dword = 123456;
    float m_float = 2.5f;
    double m_double = 3.14159265358979;
    CString m_string = L"hello";
    int m_check = BST_CHECKED;
    int m_radio = 2;
    CString m_combo = L"Beta";
    int m_list = 1;

    BOOL OnInitDialog() override
    {
        for (const wchar_t* psz : {L"Alpha", L"Beta", L"Gamma"}) {
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
        }
        return CDialog::OnInitDialog();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_BYTE, m_byte);
        DDX_Text(pDX, IDC_SHORT, m_short);
        DDX_Text(pDX, IDC_INT, m_int);
        DDV_MinMaxInt(pDX, m_int, 0, 100);
        DDX_Text(pDX, IDC_UINT, m_uint);
        DDX_Text(pDX, IDC_LONG, m_long);
        DDX_Text(pDX, IDC_DWORD, m_dword);
        DDX_Text(pDX, IDC_FLOAT, m_float);
        DDX_Text(pDX, IDC_DOUBLE, m_double);
        DDX_Text(pDX, IDC_STRING, m_string);
        DDV_MaxChars(pDX, m_string, 8);
        DDX_Check(pDX, IDC_CHECK, m_check);
        DDX_Radio(pDX, IDC_RADIO1, m_radio);
        DDX_CBStringExact(pDX, IDC_COMBO, m_combo);
        DDX_LBIndex(pDX, IDC_LIST, m_list);
    }
};

// A top-level window standing for the application's main window.
struct OwnerWindow : CWnd
{
    OwnerWindow()
    {
        CreateEx(0, AfxRegisterWndClass(0), L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr);
    }
};

} // namespace

TEST(DialogDataExchangeTest, EveryTypeRoundTripsAndBadEntriesKeepTheDialogOnTheFailingEdit)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.IsWindow());
    ExchangeDialog dlg(&owner);
    auto item = [&dlg](int nID) { return ::GetDlgItem(dlg.m_hWnd, nID); };
    std::vector<std::wstring> messages;
    bool bOwnerDisabled = false;
    std::wstring loaded;
    bool bFocusBackOnEdit = true;

    // After a refused OK: the message box is read and dismissed, then the focus must be on
    // the edit that failed, its whole text selected for retyping.
    auto dismissMessage = [&]() {
        const HWND hBox = FindOwnedDialog(dlg.m_hWnd);
        if (hBox == nullptr)
            return false;
        messages.push_back(MessageBoxText(hBox));
        PostClick(::GetDlgItem(hBox, IDOK));
        return true;
    };
    auto expectFocusOn = [&](int nID) {
        return [&, nID]() {
            if (OwnsDialog(dlg.m_hWnd))
                return false;
            DWORD start = 0, end = 0;
            ::SendMessageW(item(nID), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
            bFocusBackOnEdit = bFocusBackOnEdit && ::GetFocus() == item(nID) && start == 0 &&
                               end == static_cast<DWORD>(::GetWindowTextLengthW(item(nID)));
            return true;
        };
    };

    ScriptedUser user(
        {[&]() {
             if (dlg.m_hWnd == nullptr || !::IsWindowVisible(dlg.m_hWnd))
                 return false;
             bOwnerDisabled = !::IsWindowEnabled(owner.m_hWnd);
             for (int nID = IDC_BYTE; nID <= IDC_STRING; ++nID)
                 loaded += TextOf(item(nID)) + L"|";
             loaded += std::to_wstring(::SendMessageW(item(IDC_STRING), EM_GETLIMITTEXT, 0, 0)) + L"|" +
                       std::to_wstring(::IsDlgButtonChecked(dlg.m_hWnd, IDC_CHECK)) +
                       std::to_wstring(::IsDlgButtonChecked(dlg.m_hWnd, IDC_RADIO3)) + L"|" +
                       std::to_wstring(::SendMessageW(item(IDC_COMBO), CB_GETCURSEL, 0, 0)) +
                       std::to_wstring(::SendMessageW(item(IDC_LIST), LB_GETCURSEL, 0, 0));
             PostTyping(item(IDC_BYTE), L"300");
             PostClick(item(IDOK));
             return true;
         },
         dismissMessage, expectFocusOn(IDC_BYTE),
         [&]() {
             PostTyping(item(IDC_BYTE), L" 17 ");
             PostTyping(item(IDC_INT), L"12x");
             PostClick(item(IDOK));
             return true;
         },
         dismissMessage, expectFocusOn(IDC_INT),
         [&]() {
             PostTyping(item(IDC_INT), L"101");
             PostClick(item(IDOK));
             return true;
         },
         dismissMessage, expectFocusOn(IDC_INT),
         [&]() {
             PostTyping(item(IDC_INT), L"77");
             PostTyping(item(IDC_UINT), L"-1");
             PostClick(item(IDOK));
             return true;
         },
         dismissMessage, expectFocusOn(IDC_UINT),
         [&]() {
             PostTyping(item(IDC_UINT), L"4294967295");
             PostTyping(item(IDC_DOUBLE), L"1e400");
             PostClick(item(IDOK));
             return true;
         },
         dismissMessage, expectFocusOn(IDC_DOUBLE),
         [&]() {
             PostTyping(item(IDC_DOUBLE), L"0.125");
             // The edit refuses a ninth character typed (the limit set on loading).
             PostTyping(item(IDC_STRING), L"worldwide!");
             PostClick(item(IDC_CHECK));
             PostClick(item(IDC_RADIO1));
             ::PostMessageW(item(IDC_COMBO), WM_KEYDOWN, VK_DOWN, 0);
             RECT rc = {};
             ::SendMessageW(item(IDC_LIST), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rc));
             PostClickAt(item(IDC_LIST), POINT{rc.left + 5, (rc.top + rc.bottom) / 2});
             PostClick(item(IDOK));
             return true;
         }},
        [&]() { dlg.EndDialog(-2); });

    const INT_PTR nResult = dlg.DoModal();
    EXPECT_TRUE(user.Finished()) << "stalled after step " << user.StepsDone();
    EXPECT_EQ(IDOK, nResult);
    EXPECT_TRUE(bOwnerDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(L"200|-1234|42|4000000000|-7|123456|2.5|3.14159265358979|hello|8|11|11", loaded);
    const std::vector<std::wstring> expected = {
        L"Please enter an integer between 0 and 255.", L"Please enter an integer.",
        L"Please enter an integer between 0 and 100.", L"Please enter a positive integer.",
        L"Please enter a number."};
    EXPECT_EQ(expected, messages);
    EXPECT_TRUE(bFocusBackOnEdit);

    EXPECT_EQ(17, dlg.m_byte);
    EXPECT_EQ(-1234, dlg.m_short);
    EXPECT_EQ(77, dlg.m_int);
    EXPECT_EQ(4294967295u, dlg.m_uint);
    EXPECT_EQ(-7, dlg.m_long);
    EXPECT_EQ(123456u, dlg.m_dword);
    EXPECT_EQ(2.5f, dlg.m_float);
    EXPECT_EQ(0.125, dlg.m_double);
    EXPECT_STREQ(L"worldwid", dlg.m_string);
    EXPECT_EQ(BST_UNCHECKED, dlg.m_check);
    EXPECT_EQ(0, dlg.m_radio);
    EXPECT_STREQ(L"Gamma", dlg.m_combo);
    EXPECT_EQ(2, dlg.m_list);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(DialogDataExchangeTest, FrameworkPromptShowsItsTextWithItsHelpContext)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.IsWindow());
    ::SetActiveWindow(owner.m_hWnd);
    std::wstring text;
    DWORD context = 0;
    // The box carries the context that F1 or its Help button hands to the owner's WM_HELP.
    ScriptedUser user({[&]() {
                          const HWND hBox = FindOwnedDialog(owner.m_hWnd);
                          if (hBox == nullptr)
                              return false;
                          text = MessageBoxText(hBox);
                          context = ::GetWindowContextHelpId(hBox);
                          PostClick(::GetDlgItem(hBox, IDOK));
                          return true;
                      }},
                      [&]() { ::PostMessageW(FindOwnedDialog(owner.m_hWnd), WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(IDOK, AfxMessageBox(AFX_IDP_PARSE_REAL, MB_OK | MB_HELP));
    EXPECT_EQ(L"Please enter a number.", text);
    EXPECT_EQ(static_cast<DWORD>(AFX_IDP_PARSE_REAL), context);
}
