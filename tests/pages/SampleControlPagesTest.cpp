// Two named-property pages on the sample text object, as its own sheet would hold them: the
// pages read the object's properties, fonts and colours when they open, and a user who edits
// the first page, moves to the second and presses OK finds every change in the object, the
// first page's written as soon as it was left.
#include "AfxDDX.h"
#include "CPropertySheet.h"
#include "QLNOlePropertyPage.h"
#include "SampleObject.h"
#include "SheetUser.h"
#include "pages_tests_res.h"

#include <gtest/gtest.h>

using Microsoft::WRL::ComPtr;
using namespace qlntest;

namespace {

class TitlePage : public CQLNOlePropertyPage
{
public:
    explicit TitlePage(COleControl& ctrl) : CQLNOlePropertyPage(IDD_TITLE, ctrl, IDS_TITLE) {}
    CString m_strTitle;
    int m_bIncludeTitle = 0;
    int m_nColumns = 0;
    int m_nSpacing = 0;

    BOOL OnInitDialog() override
    {
        for (const wchar_t* psz : {L"Single", L"One and a half", L"Double"})
            SendDlgItemMessage(IDC_SPACING, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz));
        return CQLNOlePropertyPage::OnInitDialog();
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        Quillon_DDP_Text(pDX, IDC_TITLE, m_strTitle, L"Title");
        DDX_Text(pDX, IDC_TITLE, m_strTitle);
        Quillon_DDP_Check(pDX, IDC_INCLUDE_TITLE, m_bIncludeTitle, L"IncludeTitle");
        DDX_Check(pDX, IDC_INCLUDE_TITLE, m_bIncludeTitle);
        Quillon_DDP_Radio(pDX, IDC_COLUMNS1, m_nColumns, L"NumColumns");
        DDX_Radio(pDX, IDC_COLUMNS1, m_nColumns);
        Quillon_DDP_CBIndex(pDX, IDC_SPACING, m_nSpacing, L"VerticalSpacing");
        DDX_CBIndex(pDX, IDC_SPACING, m_nSpacing);
        Quillon_DDP_PostProcessing(pDX);
    }
};

// The title's font and colour: exchanged directly, by direction.
class LookPage : public CQLNOlePropertyPage
{
public:
    explicit LookPage(COleControl& ctrl) : CQLNOlePropertyPage(IDD_TITLE_LOOK, ctrl, IDS_TITLE_LOOK) {}
    LOGFONTW m_lfTitle = {};
    int m_bBold = 0;
    int m_nPoints = 0;
    DWORD m_clrTitle = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (!pDX->m_bSaveAndValidate) {
            m_lfTitle = GetFontProperty(L"TitleFont");
            m_bBold = m_lfTitle.lfWeight >= FW_BOLD;
            m_nPoints = ::MulDiv(-m_lfTitle.lfHeight, 72, 96);
            m_clrTitle = GetColorProperty(L"TitleColor");
        }
        DDX_Check(pDX, IDC_TITLE_BOLD, m_bBold);
        DDX_Text(pDX, IDC_TITLE_POINTS, m_nPoints);
        DDV_MinMaxInt(pDX, m_nPoints, 1, 72);
        DDX_Text(pDX, IDC_TITLE_COLOUR, m_clrTitle);
        if (pDX->m_bSaveAndValidate) {
            m_lfTitle.lfWeight = m_bBold ? FW_BOLD : FW_NORMAL;
            m_lfTitle.lfHeight = -::MulDiv(m_nPoints, 96, 72);
            SetFontProperty(m_lfTitle, L"TitleFont");
            SetColorProperty(m_clrTitle, L"TitleColor");
        }
        Quillon_DDP_PostProcessing(pDX);
    }
};

// The framework object behind the sample's dispatch interface: the sample lives in this
// process and shares its framework.
COleControl* ControlOf(CQLNTextObjClient& object)
{
    ComPtr<IDispatch> dispatch;
    if (object.Control() == nullptr || FAILED(object.Control()->QueryInterface(IID_PPV_ARGS(&dispatch))))
        return nullptr;
    CCmdTarget* pTarget = CCmdTarget::FromIDispatch(dispatch.Get());
    return pTarget != nullptr && pTarget->IsKindOf(RUNTIME_CLASS(COleControl)) ? static_cast<COleControl*>(pTarget)
                                                                                : nullptr;
}

} // namespace

TEST(SampleControlPagesTest, FontsAreReadAndWrittenInPlaceAtNinetySixPixelsPerInch)
{
    CQLNTextObjClient object;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(object, error) && object.InitNew(error)) << error;
    COleControl* pControl = ControlOf(object);
    ASSERT_NE(nullptr, pControl);
    const ComPtr<IFontDisp> font = SampleObject::MakeFont(L"Times New Roman", 120000, true, true);
    ASSERT_TRUE(object.PutProperty(L"TitleFont", SampleObject::Font(font.Get()), error)) << error;

    LookPage page(*pControl);
    LOGFONTW lf = page.GetFontProperty(L"TitleFont");
    EXPECT_STREQ(L"Times New Roman", lf.lfFaceName);
    // The system's font object answers the size of the font it realised (a little under the
    // 12 points it was given), which the page turns into pixels at 96 per inch, rounding down.
    const ComPtr<IFont> original = SampleObject::FontOf(object, L"TitleFont");
    CY size = {};
    ASSERT_EQ(S_OK, original->get_Size(&size));
    EXPECT_EQ(-static_cast<LONG>(size.int64 * 96 / 720000), lf.lfHeight);
    EXPECT_LE(-16, lf.lfHeight);
    EXPECT_GE(-15, lf.lfHeight);
    EXPECT_EQ(FW_BOLD, lf.lfWeight);
    EXPECT_EQ(1, lf.lfItalic);
    EXPECT_EQ(0, lf.lfUnderline);

    // 11 pixels are 8.25 points; the weight alone makes the font plain again.
    lf.lfHeight = -11;
    lf.lfWeight = FW_NORMAL;
    lf.lfUnderline = 1;
    page.SetFontProperty(lf, L"TitleFont");
    const ComPtr<IFont> changed = SampleObject::FontOf(object, L"TitleFont");
    ASSERT_NE(nullptr, changed.Get());
    EXPECT_EQ((FontFacts{L"Times New Roman", 82500, false, true}), FactsOf(changed.Get()));
    BOOL bUnderline = FALSE;
    changed->get_Underline(&bUnderline);
    EXPECT_TRUE(bUnderline);
    // Changed in place: the object heard of it through its own font notification.
    EXPECT_TRUE(object.IsDirty());
}

TEST(SampleControlPagesTest, EditsReachTheObjectWhenAPageIsLeftAndWhenTheSheetCloses)
{
    CQLNTextObjClient object;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(object, error) && object.InitNew(error)) << error;
    ASSERT_TRUE(object.PutProperty(L"Title", std::wstring(L"Run summary"), error)) << error;
    ASSERT_TRUE(object.PutProperty(L"TitleColor", SampleObject::Colour(RGB(0, 0, 128)), error)) << error;
    ASSERT_TRUE(object.PutProperty(L"IncludeTitle", SampleObject::Bool(true), error)) << error;
    const ComPtr<IFontDisp> boldFont = SampleObject::MakeFont(L"Times New Roman", 120000, true, false);
    ASSERT_TRUE(object.PutProperty(L"TitleFont", SampleObject::Font(boldFont.Get()), error)) << error;
    std::string saved;
    ASSERT_TRUE(object.SaveStream(saved, error)) << error;
    ASSERT_FALSE(object.IsDirty());
    COleControl* pControl = ControlOf(object);
    ASSERT_NE(nullptr, pControl);

    TitlePage title(*pControl);
    LookPage look(*pControl);
    CPropertySheet sheet(L"Text object");
    sheet.AddPage(&title);
    sheet.AddPage(&look);

    HWND hSheet = nullptr;
    struct
    {
        std::wstring title, colour;
        bool bIncludeTitle = false, bOneColumn = false, bBold = false;
        bool bDirtyBeforeLeaving = true;
        std::wstring titleAfterLeaving;
        long nColumnsAfterLeaving = -1, nSpacingAfterLeaving = -1, nIncludeTitleAfterLeaving = -1;
    } seen;

    ScriptedUser user(
        {[&]() {
             hSheet = sheet.m_hWnd;
             if (hSheet == nullptr || !::IsWindowVisible(hSheet))
                 return false;
             seen.title = TextOf(title.GetDlgItem(IDC_TITLE)->m_hWnd);
             seen.bIncludeTitle = title.IsDlgButtonChecked(IDC_INCLUDE_TITLE) == BST_CHECKED;
             seen.bOneColumn = title.IsDlgButtonChecked(IDC_COLUMNS1) == BST_CHECKED;
             seen.bDirtyBeforeLeaving = object.IsDirty();
             PostTyping(title.GetDlgItem(IDC_TITLE)->m_hWnd, L"Assay report");
             PostClick(title.GetDlgItem(IDC_INCLUDE_TITLE)->m_hWnd);
             PostClick(title.GetDlgItem(IDC_COLUMNS3)->m_hWnd);
             // Down twice in the closed list: from Single to Double.
             const HWND hSpacing = title.GetDlgItem(IDC_SPACING)->m_hWnd;
             for (int i = 0; i < 2; ++i) {
                 ::PostMessageW(hSpacing, WM_KEYDOWN, VK_DOWN, 1);
                 ::PostMessageW(hSpacing, WM_KEYUP, VK_DOWN, 0xC0000001);
             }
             PostTabClick(hSheet, 1);
             return true;
         },
         [&]() {
             if (CurrentPage(hSheet) != look.m_hWnd)
                 return false;
             object.GetStringProperty(L"Title", seen.titleAfterLeaving, error);
             seen.nColumnsAfterLeaving = SampleObject::Long(object, L"NumColumns");
             seen.nSpacingAfterLeaving = SampleObject::Long(object, L"VerticalSpacing");
             seen.nIncludeTitleAfterLeaving = SampleObject::Long(object, L"IncludeTitle");
             seen.bBold = look.IsDlgButtonChecked(IDC_TITLE_BOLD) == BST_CHECKED;
             seen.colour = TextOf(look.GetDlgItem(IDC_TITLE_COLOUR)->m_hWnd);
             PostClick(look.GetDlgItem(IDC_TITLE_BOLD)->m_hWnd);
             PostTyping(look.GetDlgItem(IDC_TITLE_POINTS)->m_hWnd, L"8");
             PostTyping(look.GetDlgItem(IDC_TITLE_COLOUR)->m_hWnd, L"255");
             PostClick(::GetDlgItem(hSheet, IDOK));
             return true;
         }},
        [&]() { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });

    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "stalled after step " << user.StepsDone();

    // Opened with the object's values; opening wrote nothing.
    EXPECT_EQ(L"Run summary", seen.title);
    EXPECT_TRUE(seen.bIncludeTitle);
    EXPECT_TRUE(seen.bOneColumn);
    EXPECT_FALSE(seen.bDirtyBeforeLeaving);
    EXPECT_TRUE(seen.bBold);
    EXPECT_EQ(std::to_wstring(RGB(0, 0, 128)), seen.colour);

    // Leaving the first page wrote it.
    EXPECT_EQ(L"Assay report", seen.titleAfterLeaving);
    EXPECT_EQ(0, seen.nIncludeTitleAfterLeaving);   // VT_BOOL: TRUE would read -1
    EXPECT_EQ(2, seen.nColumnsAfterLeaving);
    EXPECT_EQ(2, seen.nSpacingAfterLeaving);

    // OK wrote the second: the font changed in place, the colour through its property.
    EXPECT_EQ(255, SampleObject::Long(object, L"TitleColor"));
    const ComPtr<IFont> font = SampleObject::FontOf(object, L"TitleFont");
    ASSERT_NE(nullptr, font.Get());
    // 8 points are 11 pixels, which are 8.25 points.
    EXPECT_EQ((FontFacts{L"Times New Roman", 82500, false, false}), FactsOf(font.Get()));
    EXPECT_TRUE(object.IsDirty());
    EXPECT_EQ(L"Assay report", SampleObject::Text(object, L"Title"));
}
