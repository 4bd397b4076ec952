// A sheet as a user drives it: two pages on the sample text object and one on a control of the
// test's own that records its writes and refuses a Beta above 100. And a framework OLE page of
// its own controls in the system's property frame.
#include "AfxDDX.h"
#include "AfxDispatch.h"
#include "COleObjectFactory.h"
#include "COlePropertyPage.h"
#include "CPropertySheet.h"
#include "QLNBaseRes.h"
#include "QLNFontConversion.h"
#include "QLNOlePropertyPage.h"
#include "QLNTextDataSelectPage.h"
#include "SampleObject.h"
#include "ScriptedUser.h"
#include "pages_tests_res.h"

#include <gtest/gtest.h>

#include <new>
#include <set>
#include <tuple>
#include <utility>

using Microsoft::WRL::ComPtr;
using namespace qlntest;

namespace {

class RecordingControl : public COleControl
{
public:
    std::vector<std::wstring> m_writes;
    CString GetAlpha() { return L"initial"; }
    long GetBeta() { return 2; }
    BOOL GetGamma() { return TRUE; }
    void SetAlpha(LPCTSTR psz) { m_writes.push_back(L"Alpha=" + std::wstring(psz)); }
    void SetBeta(long n) { n > 100 ? AfxThrowOleDispatchException(0, L"Beta may not exceed 100.") : m_writes.push_back(L"Beta=" + std::to_wstring(n)); }
    void SetGamma(BOOL b) { m_writes.push_back(L"Gamma=" + std::to_wstring(b)); }
    // Never a colour it takes; text fields it cannot give.
    OLE_COLOR GetTint() { return 1; }
    void SetTint(OLE_COLOR) { AfxThrowOleDispatchException(0, L"Tint is not a colour of this control."); }
    BSTR GetTextFields() { AfxThrowOleDispatchException(0, L"The text fields are out of reach."); }
    void SetTextFields(LPCTSTR psz) { m_writes.push_back(L"TextFields=" + std::wstring(psz)); }
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(RecordingControl, COleControl)
    DISP_PROPERTY_EX_ID(RecordingControl, "Alpha", 1, GetAlpha, SetAlpha, VT_BSTR)
    DISP_PROPERTY_EX_ID(RecordingControl, "Beta", 2, GetBeta, SetBeta, VT_I4)
    DISP_PROPERTY_EX_ID(RecordingControl, "Gamma", 3, GetGamma, SetGamma, VT_BOOL)
    DISP_PROPERTY_EX_ID(RecordingControl, "Tint", 4, GetTint, SetTint, VT_I4)
    DISP_PROPERTY_EX_ID(RecordingControl, "TextFields", 5, GetTextFields, SetTextFields, VT_BSTR)
END_DISPATCH_MAP()

// Registered neither by name nor by dispatch id order.
class RecordedPage : public CQLNOlePropertyPage
{
public:
    explicit RecordedPage(RecordingControl& ctrl) : CQLNOlePropertyPage(IDD_RECORDED, ctrl, 0) {}
    CString m_strAlpha; int m_bGamma = 0, m_nBeta = 0;
    void DoDataExchange(CDataExchange* pDX) override
    {
        Quillon_DDP_Check(pDX, IDC_GAMMA, m_bGamma, L"Gamma"); DDX_Check(pDX, IDC_GAMMA, m_bGamma);
        Quillon_DDP_Text(pDX, IDC_BETA, m_nBeta, L"Beta"); DDX_Text(pDX, IDC_BETA, m_nBeta);
        Quillon_DDP_Text(pDX, IDC_ALPHA, m_strAlpha, L"Alpha"); DDX_Text(pDX, IDC_ALPHA, m_strAlpha);
        if (pDX->m_bSaveAndValidate)
            SetColorProperty(RGB(1, 2, 3), L"Tint");
        Quillon_DDP_PostProcessing(pDX);
    }
};

// The note is the user's own and changes nothing in the object.
class TitlePage : public CQLNOlePropertyPage
{
public:
    explicit TitlePage(COleControl& ctrl) : CQLNOlePropertyPage(IDD_TITLE, ctrl, 0) {}
    CString m_strTitle; int m_bIncludeTitle = 0, m_nColumns = 0, m_nSpacing = 0;

    BOOL OnInitDialog() override
    {
        for (const wchar_t* psz : {L"Single", L"One and a half", L"Double"})
            SendDlgItemMessage(IDC_SPACING, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
        IgnoreApply(IDC_NOTE);
        return CQLNOlePropertyPage::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        Quillon_DDP_Text(pDX, IDC_TITLE, m_strTitle, L"Title"); DDX_Text(pDX, IDC_TITLE, m_strTitle);
        Quillon_DDP_Check(pDX, IDC_INCLUDE_TITLE, m_bIncludeTitle, L"IncludeTitle"); DDX_Check(pDX, IDC_INCLUDE_TITLE, m_bIncludeTitle);
        Quillon_DDP_Radio(pDX, IDC_COLUMNS1, m_nColumns, L"NumColumns"); DDX_Radio(pDX, IDC_COLUMNS1, m_nColumns);
        Quillon_DDP_CBIndex(pDX, IDC_SPACING, m_nSpacing, L"VerticalSpacing"); DDX_CBIndex(pDX, IDC_SPACING, m_nSpacing);
        Quillon_DDP_PostProcessing(pDX);
    }
};

// The title's font and colour, exchanged directly; the size in whole points.
class LookPage : public CQLNOlePropertyPage
{
public:
    explicit LookPage(COleControl& ctrl) : CQLNOlePropertyPage(IDD_LOOK, ctrl, 0) {}
    LOGFONTW m_lf = {}; int m_bBold = 0, m_nPoints = 0; DWORD m_clr = 0;
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (!pDX->m_bSaveAndValidate) {
            m_lf = GetFontProperty(L"TitleFont");
            m_bBold = m_lf.lfWeight >= FW_BOLD;
            m_nPoints = ::MulDiv(-m_lf.lfHeight, 72, 96);
            m_clr = GetColorProperty(L"TitleColor");
        }
        DDX_Check(pDX, IDC_BOLD, m_bBold);
        DDX_Text(pDX, IDC_POINTS, m_nPoints), DDV_MinMaxInt(pDX, m_nPoints, 1, 72);
        DDX_Text(pDX, IDC_COLOUR, m_clr);
        if (pDX->m_bSaveAndValidate) {
            m_lf.lfWeight = m_bBold ? FW_BOLD : FW_NORMAL;
            m_lf.lfHeight = -::MulDiv(m_nPoints, 96, 72);
            SetFontProperty(m_lf, L"TitleFont");
            SetColorProperty(m_clr, L"TitleColor");
        }
    }
};

// The saved lines of the properties whose names start with prefix, joined by "; ".
std::string Saved(CQLNTextObjClient& object, const std::string& prefix)
{
    std::string text = SampleObject::SaveBagText(object), lines;
    for (size_t at = text.find("\n" + prefix); at != std::string::npos; at = text.find("\n" + prefix, at + 1))
        lines += (lines.empty() ? "" : "; ") + text.substr(at + 1, text.find('\r', at) - at - 1);
    return lines;
}

} // namespace

TEST(OlePropertyPageTest, ApplyLeavingAndOkWriteTheUsersChangesInOrderAndRefusalsKeepThePage)
{
    CQLNTextObjClient object;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(object, error) && object.InitNew(error)) << error;
    const ComPtr<IFontDisp> font = SampleObject::MakeFont(L"Times New Roman", 120000, true, true);
    ASSERT_TRUE(object.PutProperty(L"IncludeTitle", std::wstring(L"-1"), error) &&
                object.PutProperty(L"TitleColor", std::to_wstring(RGB(0, 0, 128)), error) &&
                object.PutProperty(L"TitleFont", SampleObject::Font(font.Get()), error) &&
                object.PutProperty(L"Title", std::wstring(L"Run summary"), error)) << error;
    COleControl* pControl = SampleObject::ControlOf(object);
    ASSERT_NE(nullptr, pControl);
    RecordingControl recording;
    TitlePage title(*pControl); LookPage look(*pControl); RecordedPage recorded(recording);
    CPropertySheet sheet(L"Text object");
    sheet.AddPage(&title), sheet.AddPage(&look), sheet.AddPage(&recorded);

    HWND hSheet = nullptr;
    auto current = [&](CWnd& page) { return ::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0) == LRESULT(page.m_hWnd); };
    // The sheet's Apply button, on or off.
    auto apply = [&]() { return std::wstring(::IsWindowEnabled(::GetDlgItem(hSheet, 0x3021)) ? L"on" : L"off"); };
    auto tab = [&](int nPage) { return PostTabClick(hSheet, nPage); };
    auto item = [](CWnd& page, int nID) { return page.GetDlgItem(nID)->m_hWnd; };
    auto checked = [](CWnd& page, int nID) { return std::wstring(::IsDlgButtonChecked(page.m_hWnd, nID) ? L"on" : L"off"); };
    auto get = [&](const wchar_t* name) { return SampleObject::Get(object, name); };
    auto dropped = [&]() { return ::SendMessageW(item(title, IDC_SPACING), CB_GETDROPPEDSTATE, 0, 0) != 0; };
    std::vector<std::wstring> seen;
    std::set<std::wstring> captions;
    auto readBox = [&]() {
        const HWND hBox = FindOwnedDialog(hSheet);
        return hBox != nullptr && (seen.push_back(L"box: " + MessageBoxText(hBox)), captions.insert(TextOf(hBox)),
                                   PostClick(::GetDlgItem(hBox, IDOK)), true);
    };

    ScriptedUser user(
        {[&]() {
             hSheet = sheet.m_hWnd;
             if (hSheet == nullptr || !::IsWindowVisible(hSheet))
                 return false;
             // Loading sent change notifications; entering the page cleared them.
             seen.push_back(L"opened: " + TextOf(item(title, IDC_TITLE)) + L", " + checked(title, IDC_INCLUDE_TITLE) +
                            L", " + checked(title, IDC_COLUMNS1) + L", apply " + apply());
             PostTyping(item(title, IDC_NOTE), L"excluded");
             PostClickAt(item(title, IDC_SPACING), POINT{10, 5});
             return true;
         },
         // Escape closes the list choosing nothing.
         [&]() { return dropped() && ::PostMessageW(item(title, IDC_SPACING), WM_KEYDOWN, VK_ESCAPE, 1); },
         [&]() {
             if (dropped())
                 return false;
             seen.push_back(L"excluded note and drop-down: apply " + apply());
             PostTyping(item(title, IDC_TITLE), L"Assay report");
             PostClick(item(title, IDC_INCLUDE_TITLE));
             PostClick(item(title, IDC_COLUMNS2));
             ::PostMessageW(item(title, IDC_SPACING), WM_KEYDOWN, VK_DOWN, 1);   // Single to One and a half
             ::PostMessageW(item(title, IDC_SPACING), WM_KEYUP, VK_DOWN, 0xC0000001);
             return true;
         },
         [&]() { return seen.push_back(L"edited: apply " + apply()), tab(1); },
         [&]() {
             if (!current(look))
                 return false;
             seen.push_back(L"on Look: " + checked(look, IDC_BOLD) + L", " + TextOf(item(look, IDC_COLOUR)) +
                            L", apply " + apply() + L"; object: " + get(L"Title") + L", " +
                            get(L"IncludeTitle") + L", " + get(L"NumColumns") + L", " + get(L"VerticalSpacing"));
             PostClick(item(look, IDC_BOLD));
             PostTyping(item(look, IDC_POINTS), L"99");
             PostTyping(item(look, IDC_COLOUR), L"255");
             return tab(0);
         },
         readBox,
         [&]() {
             if (OwnsDialog(hSheet))
                 return false;
             seen.push_back(std::wstring(current(look) ? L"kept on Look" : L"left Look") + L", apply " + apply());
             PostTyping(item(look, IDC_POINTS), L"8");
             return tab(0);
         },
         [&]() { return current(title) && (seen.push_back(L"back on Title: apply " + apply()), tab(2)); },
         [&]() {
             if (!current(recorded))
                 return false;
             seen.push_back(L"on Recorded: " + std::to_wstring(recording.m_writes.size()) + L" writes");
             PostTyping(item(recorded, IDC_ALPHA), L"typed");
             PostTyping(item(recorded, IDC_BETA), L"500");
             PostClick(item(recorded, IDC_GAMMA));
             PostClick(::GetDlgItem(hSheet, IDOK));
             return true;
         },
         readBox,
         readBox,
         [&]() {
             if (OwnsDialog(hSheet))
                 return false;
             const HWND hBeta = item(recorded, IDC_BETA);
             seen.push_back(std::wstring(current(recorded) && ::GetFocus() == hBeta ? L"kept in Beta" : L"left Beta") +
                            L", selected " + std::to_wstring(::SendMessageW(hBeta, EM_GETSEL, 0, 0) == MAKELONG(0, 3)));
             PostTyping(hBeta, L"50");
             PostClick(::GetDlgItem(hSheet, IDOK));
             return true;
         },
         readBox},
        [&]() { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });

    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "stalled after step " << user.StepsDone();
    // Leaving Title wrote what the user left in its controls (IncludeTitle as VT_BOOL: TRUE reads
    // -1); Look's refused leave kept its mark; Beta's refusal stopped the writes after it.
    const std::vector<std::wstring> expected = {
        L"opened: Run summary, on, on, apply off",
        L"excluded note and drop-down: apply off",
        L"edited: apply on",
        L"on Look: on, 8388608, apply off; object: Assay report, 0, 1, 1",
        L"box: Please enter an integer between 1 and 72.",
        L"kept on Look, apply on",
        L"back on Title: apply off",
        L"on Recorded: 0 writes",
        L"box: Tint is not a colour of this control.",   // told, and the exchange goes on
        L"box: Beta may not exceed 100.",
        L"kept in Beta, selected 1",
        L"box: Tint is not a colour of this control.",
    };
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(1u, captions.size()) << "a value refused, a colour refused, a property refused: one caption";
    EXPECT_EQ((std::vector<std::wstring>{L"Gamma=0", L"Gamma=0", L"Beta=50", L"Alpha=typed"}), recording.m_writes);
    // Leaving Look changed the font in place: 8 points are 11 pixels, 8.25 points; italic kept.
    EXPECT_EQ("TitleFont.Name=Times New Roman; TitleFont.Size=8.2500; TitleFont.Weight=400; TitleFont.Charset=0; "
              "TitleFont.Italic=true; TitleFont.Underline=false; TitleFont.Strikethrough=false",
              Saved(object, "TitleFont"));
    EXPECT_EQ(L"255", get(L"TitleColor"));
}

// The data page over a control that cannot give its text fields: it says why, opens with nothing
// selected, and writes the text fields only once the user has changed the list.
TEST(OlePropertyPageTest, TextFieldsThatCannotBeReadAreReportedAndWrittenOnlyAfterTheUsersChange)
{
    // The sample object's library puts the pages' templates in reach.
    CQLNTextObjClient object;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(object, error)) << error;
    RecordingControl recording;
    std::vector<std::wstring> seen;
    for (const bool bAdd : {false, true}) {
        CQLNTextDataSelectPage data(recording);
        CPropertySheet sheet(L"Text object");
        sheet.AddPage(&data);
        const HWND* phSheet = &sheet.m_hWnd;
        auto item = [&](int nID) { return ::GetDlgItem(data.m_hWnd, nID); };
        ScriptedUser user(
            {[&] {
                 const HWND hBox = *phSheet != nullptr ? FindOwnedDialog(*phSheet) : nullptr;
                 return hBox != nullptr &&
                        (seen.push_back(MessageBoxText(hBox) + L" / " +
                                        std::to_wstring(::SendMessageW(item(IDC_QLN_DATA_SELECTED), LB_GETCOUNT, 0, 0)) + L" rows"),
                         PostClick(::GetDlgItem(hBox, IDOK)), true);
             },
             [&] {
                 if (OwnsDialog(*phSheet))
                     return false;
                 // Without a catalogue the page sets no range: any number does.
                 PostTyping(item(IDC_QLN_DATA_DECIMAL), L"1");
                 return (bAdd ? PostClick(item(IDC_QLN_DATA_ADD)) : void(), true);
             },
             [&] { return PostClick(::GetDlgItem(*phSheet, IDOK)), true; }},
            [&] { ::PostMessageW(*phSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
        EXPECT_EQ(IDOK, sheet.DoModal());
        EXPECT_TRUE(user.Finished()) << "stalled after step " << user.StepsDone();
    }
    EXPECT_EQ((std::vector<std::wstring>{L"The text fields are out of reach. / 0 rows", L"The text fields are out of reach. / 0 rows"}), seen);
    // Without a catalogue the page composes nothing; a blank line added is written as that.
    EXPECT_EQ(std::vector<std::wstring>{L"TextFields="}, recording.m_writes);
}

namespace {

// Each kind of control the page counts: an edit, a check box, a drop-down list, a list box, a
// push button. Loading fills them all.
class OwnControlsPage : public COlePropertyPage
{
public:
    OwnControlsPage() : COlePropertyPage(IDD_OWN_CONTROLS, IDS_OWN_CONTROLS) {}
    CString m_strWords = L"loaded"; int m_bTick = 1, m_nChoice = 1, m_nRow = 0, m_nApplied = 0;
    bool m_bOutOfMemory = false;   // the next exchange runs out of memory
    BOOL OnInitDialog() override
    {
        for (const wchar_t* psz : {L"North", L"South", L"East"}) {
            SendDlgItemMessage(IDC_CHOICE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
            SendDlgItemMessage(IDC_ROWS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
        }
        return COlePropertyPage::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (std::exchange(m_bOutOfMemory, false))
            throw std::bad_alloc();
        DDX_Text(pDX, IDC_WORDS, m_strWords); DDX_Check(pDX, IDC_TICK, m_bTick);
        DDX_CBIndex(pDX, IDC_CHOICE, m_nChoice); DDX_LBIndex(pDX, IDC_ROWS, m_nRow);
        m_nApplied += pDX->m_bSaveAndValidate;
    }
};

CLSID CLSID_OwnControlsPage = {0x2d7f4c19, 0x5e83, 0x4a61, {0xb2, 0x0e, 0x93, 0x4c, 0x71, 0xd8, 0x0a, 0x5f}};
OwnControlsPage* g_pOwnPage = nullptr;   // the page the frame made, kept alive beyond the frame
COleObjectFactory g_ownPageFactory(CLSID_OwnControlsPage, [](REFCLSID) -> CCmdTarget* {
    return g_pOwnPage = new OwnControlsPage, g_pOwnPage->ExternalAddRef(), g_pOwnPage; }, nullptr, nullptr);

} // namespace

// The frame under Wine never calls Apply itself: the test calls it through the page's interface.
TEST(OlePropertyPageTest, AFrameworkPageMarksTheControlsTheUserChangedAndApplyReadsThemBack)
{
    CQLNTextObjClient object;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(object, error)) << error;
    DWORD dwCookie = 0;
    ASSERT_EQ(S_OK, ::CoRegisterClassObject(CLSID_OwnControlsPage, &g_ownPageFactory, CLSCTX_INPROC_SERVER,
                                            REGCLS_MULTIPLEUSE, &dwCookie));
    // Dirty, then the changed status of the edit, check box, combo box, list box and button.
    std::vector<std::wstring> seen;
    auto look = [&](const wchar_t* when) {
        ComPtr<IPropertyPage> page;
        g_pOwnPage->ExternalQueryInterface(IID_IPropertyPage, reinterpret_cast<void**>(page.GetAddressOf()));
        std::wstring s = std::wstring(when) + L": " + (page->IsPageDirty() == S_OK ? L"dirty" : L"clean");
        for (int nID : {IDC_WORDS, IDC_TICK, IDC_CHOICE, IDC_ROWS, IDC_PUSH})
            s += g_pOwnPage->GetControlStatus(nID) ? L" x" : L" o";
        seen.push_back(s + L", applied " + std::to_wstring(g_pOwnPage->m_nApplied));
        return page;
    };
    auto item = [](int nID) { return ::GetDlgItem(g_pOwnPage->m_hWnd, nID); };
    ScriptedUser user(
        Settled([&] { return g_pOwnPage != nullptr && g_pOwnPage->m_hWnd != nullptr && ::IsWindowVisible(g_pOwnPage->m_hWnd); },
                {[&] {
                     look(L"opened");
                     g_pOwnPage->m_strWords = L"reloaded", g_pOwnPage->m_nChoice = 2;
                     g_pOwnPage->UpdateData(FALSE);
                     look(L"reloaded by the page");
                     PostTyping(item(IDC_WORDS), L"typed");
                     PostClick(item(IDC_TICK));
                     return true;
                 },
                 [&] {
                     look(L"typed and ticked");
                     PostKey(item(IDC_CHOICE), VK_UP);
                     RECT rc = {};
                     ::SendMessageW(item(IDC_ROWS), LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&rc));
                     PostClickAt(item(IDC_ROWS), POINT{rc.left + 4, (rc.top + rc.bottom) / 2});
                     PostClick(item(IDC_PUSH));
                     return true;
                 },
                 [&] {
                     ComPtr<IPropertyPage> page = look(L"chose and pushed");
                     g_pOwnPage->m_bOutOfMemory = true;
                     EXPECT_EQ(E_OUTOFMEMORY, page->Apply()) << "no exception crosses the interface";
                     look(L"failed to apply");
                     EXPECT_EQ(S_OK, page->Apply());
                     look(L"applied");
                     EXPECT_EQ(S_OK, page->Apply());
                     look(L"applied again");
                     return PostClick(::GetDlgItem(::GetAncestor(g_pOwnPage->m_hWnd, GA_ROOT), IDCANCEL)), true;
                 }}),
        [] { ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
    IUnknown* pObject = object.Control();
    EXPECT_EQ(S_OK, ::OleCreatePropertyFrame(nullptr, 0, 0, L"Own", 1, &pObject, 1, &CLSID_OwnControlsPage, 0, 0, nullptr));
    ::CoRevokeClassObject(dwCookie);
    ASSERT_NE(nullptr, g_pOwnPage);
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    const std::vector<std::wstring> expected = {
        L"opened: clean o o o o o, applied 0",
        L"reloaded by the page: clean o o o o o, applied 0",
        L"typed and ticked: dirty x x o o o, applied 0",
        L"chose and pushed: dirty x x x x x, applied 0",
        L"failed to apply: dirty x x x x x, applied 0",
        L"applied: clean o o o o o, applied 1",
        L"applied again: clean o o o o o, applied 1",   // nothing changed since: no exchange
    };
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(std::make_tuple(std::wstring(L"typed"), 0, 1, 2),
              std::make_tuple(std::wstring(g_pOwnPage->m_strWords), g_pOwnPage->m_bTick, g_pOwnPage->m_nChoice, g_pOwnPage->m_nRow));
    g_pOwnPage->ExternalRelease();
}

// A font property read and written by a page converts as the content model does, at sizes where
// a 32-bit product would wrap and beyond the largest size a font can have.
TEST(OlePropertyPageTest, FontPropertiesConvertAsTheContentModelDoesAtEverySize)
{
    CQLNTextObjClient object;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(object, error) && object.InitNew(error)) << error;
    COleControl* pControl = SampleObject::ControlOf(object);
    ASSERT_NE(nullptr, pControl);
    LookPage page(*pControl);
    for (const LONGLONG size : {97500LL, 100000LL, 50000000LL, AFX_MAX_FONT_SIZE}) {
        const ComPtr<IFontDisp> font = SampleObject::MakeFont(L"Liberation Serif", size, false, false);
        ASSERT_TRUE(object.PutProperty(L"TitleFont", SampleObject::Font(font.Get()), error)) << error;
        CY exact = {}, cy = {};
        exact.int64 = size;
        LOGFONTW lf = page.GetFontProperty(L"TitleFont", &cy);
        EXPECT_EQ(QLNFontSizeToHeight(exact), lf.lfHeight) << size;
        EXPECT_EQ(size, cy.int64) << "exactly";
        lf.lfHeight -= 1;
        page.SetFontProperty(lf, L"TitleFont");
        page.GetFontProperty(L"TitleFont", &cy);
        EXPECT_EQ(QLNHeightToFontSize(lf.lfHeight).int64, cy.int64) << size;
    }
    EXPECT_EQ(0, page.GetFontProperty(L"NoSuchFont").lfHeight);
}
