// A sheet as a user drives it: two pages on the sample text object and one on a control of the
// test's own that records its writes and refuses a Beta above 100.
#include "AfxDDX.h"
#include "AfxDispatch.h"
#include "CPropertySheet.h"
#include "QLNFontConversion.h"
#include "QLNOlePropertyPage.h"
#include "SampleObject.h"
#include "ScriptedUser.h"
#include "pages_tests_res.h"

#include <gtest/gtest.h>

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
    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(RecordingControl, COleControl)
    DISP_PROPERTY_EX_ID(RecordingControl, "Alpha", 1, GetAlpha, SetAlpha, VT_BSTR)
    DISP_PROPERTY_EX_ID(RecordingControl, "Beta", 2, GetBeta, SetBeta, VT_I4)
    DISP_PROPERTY_EX_ID(RecordingControl, "Gamma", 3, GetGamma, SetGamma, VT_BOOL)
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
    auto readBox = [&]() {
        const HWND hBox = FindOwnedDialog(hSheet);
        return hBox != nullptr && (seen.push_back(L"box: " + MessageBoxText(hBox)), PostClick(::GetDlgItem(hBox, IDOK)), true);
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
         [&]() {
             if (OwnsDialog(hSheet))
                 return false;
             const HWND hBeta = item(recorded, IDC_BETA);
             seen.push_back(std::wstring(current(recorded) && ::GetFocus() == hBeta ? L"kept in Beta" : L"left Beta") +
                            L", selected " + std::to_wstring(::SendMessageW(hBeta, EM_GETSEL, 0, 0) == MAKELONG(0, 3)));
             PostTyping(hBeta, L"50");
             PostClick(::GetDlgItem(hSheet, IDOK));
             return true;
         }},
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
        L"box: Beta may not exceed 100.",
        L"kept in Beta, selected 1",
    };
    EXPECT_EQ(expected, seen);
    EXPECT_EQ((std::vector<std::wstring>{L"Gamma=0", L"Gamma=0", L"Beta=50", L"Alpha=typed"}), recording.m_writes);
    // Leaving Look changed the font in place: 8 points are 11 pixels, 8.25 points; italic kept.
    EXPECT_EQ("TitleFont.Name=Times New Roman; TitleFont.Size=8.2500; TitleFont.Weight=400; TitleFont.Charset=0; "
              "TitleFont.Italic=true; TitleFont.Underline=false; TitleFont.Strikethrough=false",
              Saved(object, "TitleFont"));
    EXPECT_EQ(L"255", get(L"TitleColor"));
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
