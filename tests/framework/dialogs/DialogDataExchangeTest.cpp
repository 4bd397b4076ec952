// A modal dialog whose data exchange round-trips every member type, refuses OK on a text that
// is not a number and on one out of range with the framework's message, and puts the user
// back on the offending edit. Its handlers hear the user's edits, never the exchange's own.
#include "AfxDDX.h"
#include "AfxMessageBox.h"
#include "AfxRes.h"
#include "CDialog.h"
#include "CEdit.h"
#include "COleDispatchException.h"
#include "CUserException.h"
#include "ScriptedUser.h"
#include "dialogs_tests_res.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>

using namespace qlntest;

namespace {

// Counts the changes reflected to it: its own object hears them, whoever made them.
class CountingEdit : public CEdit
{
public:
    int m_nChanges = 0;
    void OnReflectedChange() { ++m_nChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingEdit, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnReflectedChange)
END_MESSAGE_MAP()

class ExchangeDialog : public CDialog
{
public:
    explicit ExchangeDialog(CWnd* pParent) : CDialog(IDD_EXCHANGE, pParent) {}

    // The edits whose change reached the dialog's handlers, in order, without repeats.
    std::vector<int> m_changed;
    CountingEdit m_editString;
    void OnChangeEdit(int nID)
    {
        if (std::find(m_changed.begin(), m_changed.end(), nID) == m_changed.end())
            m_changed.push_back(nID);
    }
    void OnChangeByte() { OnChangeEdit(IDC_BYTE); }
    void OnChangeInt() { OnChangeEdit(IDC_INT); }
    void OnChangeDouble() { OnChangeEdit(IDC_DOUBLE); }
    void OnChangeShort() { OnChangeEdit(IDC_SHORT); }

    BYTE m_byte = 200; short m_short = -1234; UINT m_uint = 4000000000u; long m_long = -7; DWORD m_dword = 123456;
    float m_float = 2.5f; double m_double = 3.14159265358979; CString m_string = L"hello", m_combo = L"Beta";
    int m_int = 42, m_check = BST_CHECKED, m_radio = 2, m_list = 1;

    BOOL OnInitDialog() override
    {
        for (const wchar_t* psz : {L"Alpha", L"Beta", L"Gamma"}) {
            SendDlgItemMessage(IDC_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
        }
        return CDialog::OnInitDialog();
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_STRING, m_editString);
        DDX_Text(pDX, IDC_BYTE, m_byte); DDX_Text(pDX, IDC_SHORT, m_short);
        DDX_Text(pDX, IDC_INT, m_int); DDV_MinMaxInt(pDX, m_int, 0, 100);
        DDX_Text(pDX, IDC_UINT, m_uint); DDX_Text(pDX, IDC_LONG, m_long); DDX_Text(pDX, IDC_DWORD, m_dword);
        DDX_Text(pDX, IDC_FLOAT, m_float); DDX_Text(pDX, IDC_DOUBLE, m_double);
        DDX_Text(pDX, IDC_STRING, m_string); DDV_MaxChars(pDX, m_string, 8);
        DDX_Check(pDX, IDC_CHECK, m_check); DDX_Radio(pDX, IDC_RADIO1, m_radio);
        DDX_CBStringExact(pDX, IDC_COMBO, m_combo); DDX_LBIndex(pDX, IDC_LIST, m_list);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ExchangeDialog, CDialog)
    ON_EN_CHANGE(IDC_BYTE, OnChangeByte)
    ON_EN_CHANGE(IDC_SHORT, OnChangeShort)
    ON_EN_CHANGE(IDC_INT, OnChangeInt)
    ON_EN_CHANGE(IDC_DOUBLE, OnChangeDouble)
END_MESSAGE_MAP()

// A top-level window standing for the application's main window.
struct OwnerWindow : CWnd {
    OwnerWindow() { CreateEx(0, AfxRegisterWndClass(0), L"Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr); }
};

// OK refused in turn: the user corrects the edit refused before, types a bad text, and reads
// the message; the focus must then be on the edit that failed, its whole text selected.
const struct { int fixId; const wchar_t* fix; int badId; const wchar_t* bad; const wchar_t* message; } kRefusals[] = {
    {0, nullptr, IDC_BYTE, L"300", L"Please enter an integer between 0 and 255."},
    {IDC_BYTE, L" 17 ", IDC_INT, L"12x", L"Please enter an integer."},
    {0, nullptr, IDC_INT, L"101", L"Please enter an integer between 0 and 100."},
    {IDC_INT, L"77", IDC_UINT, L"-1", L"Please enter a positive integer."},
    {IDC_UINT, L"4294967295", IDC_DOUBLE, L"1e400", L"Please enter a number."},
};

} // namespace

TEST(DialogDataExchangeTest, EveryTypeRoundTripsAndBadEntriesKeepTheDialogOnTheFailingEdit)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.IsWindow());
    ExchangeDialog dlg(&owner);
    auto item = [&dlg](int nID) { return ::GetDlgItem(dlg.m_hWnd, nID); };
    bool bOwnerDisabled = false;
    std::wstring loaded, message;
    std::vector<std::wstring> refusals, expected;

    auto readBox = [&]() {
        const HWND hBox = FindOwnedDialog(dlg.m_hWnd);
        return hBox != nullptr && (message = MessageBoxText(hBox), PostClick(::GetDlgItem(hBox, IDOK)), true);
    };
    // Once the box is gone: the refused edit must have the focus with its whole text selected.
    auto recordFocus = [&]() {
        if (OwnsDialog(dlg.m_hWnd))
            return false;
        const HWND hFocus = ::GetFocus();
        DWORD start = 0, end = 0;
        ::SendMessageW(hFocus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const bool bWhole = start == 0 && end == static_cast<DWORD>(::GetWindowTextLengthW(hFocus));
        refusals.push_back(message + L" @" + std::to_wstring(bWhole ? ::GetDlgCtrlID(hFocus) : -1));
        return true;
    };
    std::vector<ScriptedUser::Step> steps = {[&]() {
        if (dlg.m_hWnd == nullptr || !::IsWindowVisible(dlg.m_hWnd))
            return false;
        bOwnerDisabled = !::IsWindowEnabled(owner.m_hWnd);
        for (int nID = IDC_BYTE; nID <= IDC_STRING; ++nID)
            loaded += TextOf(item(nID)) + L"|";
        loaded += std::to_wstring(::SendMessageW(item(IDC_STRING), EM_GETLIMITTEXT, 0, 0)) + L"|" +
                  std::to_wstring(::IsDlgButtonChecked(dlg.m_hWnd, IDC_CHECK)) +
                  std::to_wstring(::IsDlgButtonChecked(dlg.m_hWnd, IDC_RADIO3)) + L"|" +
                  std::to_wstring(::SendMessageW(item(IDC_COMBO), CB_GETCURSEL, 0, 0)) +
                  std::to_wstring(::SendMessageW(item(IDC_LIST), LB_GETCURSEL, 0, 0)) + L"|" +
                  std::to_wstring(dlg.m_changed.size()) + L" heard, " + std::to_wstring(dlg.m_editString.m_nChanges) +
                  L" reflected";
        return true;
    }};
    for (const auto& row : kRefusals) {
        expected.push_back(std::wstring(row.message) + L" @" + std::to_wstring(row.badId));
        steps.push_back([&]() {
            if (row.fix != nullptr)
                PostTyping(item(row.fixId), row.fix);
            PostTyping(item(row.badId), row.bad);
            PostClick(item(IDOK));
            return true;
        });
        steps.insert(steps.end(), {readBox, recordFocus});
    }
    steps.push_back([&]() {
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
    });
    ScriptedUser user(std::move(steps), [&]() { dlg.EndDialog(-2); });

    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(user.Finished()) << "stalled after step " << user.StepsDone();
    EXPECT_TRUE(bOwnerDisabled);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(L"200|-1234|42|4000000000|-7|123456|2.5|3.14159265358979|hello|8|11|11|0 heard, 1 reflected", loaded)
        << "loading changed every edit: the control's own object hears it, the dialog's handlers do not";
    EXPECT_EQ(expected, refusals);
    EXPECT_EQ((std::vector<int>{IDC_BYTE, IDC_INT, IDC_DOUBLE}), dlg.m_changed) << "the edits the user typed into";

    // Saved back: the corrected entries, the untouched ones as loaded, the string cut at its limit.
    EXPECT_EQ(std::make_tuple(17, -1234, 77, 4294967295u, -7L, 123456ul, 2.5f, 0.125, std::wstring(L"worldwid")),
              std::make_tuple(int(dlg.m_byte), int(dlg.m_short), dlg.m_int, dlg.m_uint, dlg.m_long, dlg.m_dword,
                              dlg.m_float, dlg.m_double, std::wstring(dlg.m_string)));
    EXPECT_EQ(std::make_tuple(BST_UNCHECKED, 0, std::wstring(L"Gamma"), 2),
              std::make_tuple(dlg.m_check, dlg.m_radio, std::wstring(dlg.m_combo), dlg.m_list));
}

// The box carries the context that F1 or its Help button hands to the owner's WM_HELP. An
// exception reports its own message in the same box, else the string it is given, else the
// framework's word that there is none.
TEST(DialogDataExchangeTest, FrameworkPromptsAndReportedExceptionsShowTheirText)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.IsWindow());
    ::SetActiveWindow(owner.m_hWnd);
    DWORD context = 0;
    auto shown = [&](const std::function<int()>& show) {
        std::wstring text;
        ScriptedUser user({[&]() {
                              const HWND hBox = FindOwnedDialog(owner.m_hWnd);
                              if (hBox != nullptr)
                                  text = MessageBoxText(hBox), context = ::GetWindowContextHelpId(hBox), PostClick(::GetDlgItem(hBox, IDOK));
                              return hBox != nullptr;
                          }},
                          [&]() { ::PostMessageW(FindOwnedDialog(owner.m_hWnd), WM_COMMAND, IDOK, 0); });
        EXPECT_EQ(IDOK, show());
        return text;
    };
    EXPECT_EQ(L"Please enter a number.", shown([] { return AfxMessageBox(AFX_IDP_PARSE_REAL, MB_OK | MB_HELP); }));
    EXPECT_EQ(static_cast<DWORD>(AFX_IDP_PARSE_REAL), context);
    EXPECT_EQ(L"Vial 7 is empty", shown([] { return COleDispatchException(L"Vial 7 is empty", 0, 0).ReportError(); }));
    EXPECT_EQ(L"Please enter a number.", shown([] { return CUserException().ReportError(MB_OK, AFX_IDP_PARSE_REAL); }));
    EXPECT_EQ(L"No error message is available.", shown([] { return CUserException().ReportError(); }));
}
