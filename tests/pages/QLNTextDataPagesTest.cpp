// The text object's data selection and layout attribute pages in a real sheet over the sample
// text object, driven by posted clicks and keys; what the user leaves is read back from the
// object's properties, its lines and a drawing of it. The text the rows build is the data
// selection's own test's.
#include "CPropertySheet.h"
#include "EmfScan.h"
#include "HelpViewer.h"
#include "LocatorRegistration.h"
#include "QLNAnnotationFontPropPage.h"
#include "QLNBaseRes.h"
#include "QLNTableFontPropPage.h"
#include "QLNTextDataAttributePage.h"
#include "QLNTextDataFontPage.h"
#include "QLNTextDataSelectPage.h"
#include "QLNTextFontPropPage.h"
#include "SampleObject.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

using namespace qlntest;

namespace {

// A report object's own data page, derived as its developer derives it, using the operations
// the page offers.
class DerivedDataPage : public CQLNTextDataSelectPage
{
public:
    using CQLNTextDataSelectPage::CQLNTextDataSelectPage;
    // The text the rows make and where an item would go back into the available list.
    std::wstring Operations(const wchar_t* pszItem) const
    {
        return std::wstring(BuildTextFields().GetString()) + L" / " + std::to_wstring(GetReturnPosition(pszItem));
    }
    static std::wstring Label(const wchar_t* pszLine)
    {
        CString strLabel;
        const BOOL bFound = ExtractDataLabel(pszLine, strLabel);
        return std::to_wstring(bFound) + L"[" + strLabel.GetString() + L"]";
    }
};

class TextDataPages : public testing::Test
{
protected:
    void Open(const wchar_t* pszTextFields)
    {
        std::wstring error;
        ASSERT_TRUE(SampleObject::Create(object, error) && object.InitNew(error) &&
                    object.PutProperty(L"TextFields", pszTextFields, error)) << error;
        ASSERT_NE(nullptr, pControl = SampleObject::ControlOf(object));
    }
    // Runs the sheet with both pages under the scripted user; true when every step ran.
    template <class DataPage = CQLNTextDataSelectPage>
    bool Run(std::vector<ScriptedUser::Step> steps)
    {
        DataPage data(*pControl);
        CQLNTextDataAttributePage layout(*pControl);
        CPropertySheet sheet(L"Text object");
        sheet.AddPage(&data), sheet.AddPage(&layout);
        pData = &data, pLayout = &layout, pSheet = &sheet;
        steps.insert(steps.begin(), Waiting("the sheet", [&] { return sheet.m_hWnd != nullptr && ::IsWindowVisible(sheet.m_hWnd); }));
        ScriptedUser user(std::move(steps), [&] { ::PostMessageW(sheet.m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
        EXPECT_EQ(IDOK, sheet.DoModal());
        return user.Finished();
    }
    HWND Item(int nID) const { return ::GetDlgItem(nID < IDD_QLN_TEXT_DATA_ATTRIBUTE ? pData->m_hWnd : pLayout->m_hWnd, nID); }
    // A list's rows as text|kind, and which is current.
    std::wstring Rows(int nID) const
    {
        const HWND hList = Item(nID);
        std::wstring rows;
        for (int i = 0; i < ::SendMessageW(hList, LB_GETCOUNT, 0, 0); ++i) {
            wchar_t sz[256] = {};
            ::SendMessageW(hList, LB_GETTEXT, i, reinterpret_cast<LPARAM>(sz));
            rows += (i ? L"; " : L"") + std::wstring(sz) + L"|" + std::to_wstring(::SendMessageW(hList, LB_GETITEMDATA, i, 0));
        }
        return rows + L" @" + std::to_wstring(::SendMessageW(hList, LB_GETCURSEL, 0, 0));
    }
    int Count(int nID) const { return static_cast<int>(::SendMessageW(Item(nID), LB_GETCOUNT, 0, 0)); }
    // The label and decimal details ("-" when hidden), buttons Add to Move Down (+ enabled), the
    // current selected row's description.
    std::wstring Details() const
    {
        auto shown = [&](int nID) { return ::IsWindowVisible(Item(nID)) ? TextOf(Item(nID)) : L"-"; };
        std::wstring buttons;
        for (int nID = IDC_QLN_DATA_ADD; nID <= IDC_QLN_DATA_MOVE_DOWN; ++nID)
            buttons += nID == IDC_QLN_DATA_SELECTED ? L"" : ::IsWindowEnabled(Item(nID)) ? L"+" : L"-";
        return shown(IDC_QLN_DATA_LABEL_CAPTION) + L"[" + shown(IDC_QLN_DATA_LABEL) + L"] " + shown(IDC_QLN_DATA_DECIMAL_CAPTION) +
               L"[" + shown(IDC_QLN_DATA_DECIMAL) + L"] " + buttons + L" " + TextOf(Item(IDC_QLN_DATA_SELECTED_DESC));
    }
    // Scrolls the row into view first, as a user would.
    bool ClickRow(int nID, int nRow, bool bDouble = false) const
    {
        RECT rc = {}, rcList = {};
        ::SendMessageW(Item(nID), LB_GETITEMRECT, nRow, reinterpret_cast<LPARAM>(&rc));
        if (::GetClientRect(Item(nID), &rcList) && (rc.top < 0 || rc.bottom > rcList.bottom)) {
            ::SendMessageW(Item(nID), LB_SETTOPINDEX, nRow, 0);
            ::SendMessageW(Item(nID), LB_GETITEMRECT, nRow, reinterpret_cast<LPARAM>(&rc));
        }
        const LPARAM at = MAKELPARAM(rc.left + 4, (rc.top + rc.bottom) / 2);
        PostClickAt(Item(nID), POINT{rc.left + 4, (rc.top + rc.bottom) / 2});
        if (bDouble)
            ::PostMessageW(Item(nID), WM_LBUTTONDBLCLK, MK_LBUTTON, at), ::PostMessageW(Item(nID), WM_LBUTTONUP, 0, at);
        return true;
    }
    bool Tab(int nPage) const { return PostTabClick(pSheet->m_hWnd, nPage); }
    bool On(CWnd* pPage) const { return ::SendMessageW(pSheet->m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) == LRESULT(pPage->m_hWnd); }
    std::wstring Lines()
    {
        std::vector<std::wstring> lines;
        std::wstring error, joined;
        EXPECT_TRUE(object.GetLines(lines, error)) << error;
        for (const auto& line : lines) joined += line + L"|";
        return joined;
    }
    // The object drawn into a metafile of 600 by 400 pixels.
    std::unique_ptr<EmfScan> Drawing()
    {
        const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
        std::wstring error;
        EXPECT_TRUE(object.Draw(nullptr, hdc, RECT{0, 0, 600, 400}, error)) << error;
        const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
        auto scan = std::make_unique<EmfScan>(hemf);
        ::DeleteEnhMetaFile(hemf);
        return scan;
    }

    CQLNTextObjClient object;
    COleControl* pControl = nullptr;
    CQLNTextDataSelectPage* pData = nullptr;
    CQLNTextDataAttributePage* pLayout = nullptr;
    CPropertySheet* pSheet = nullptr;
    std::vector<std::wstring> seen;
};

} // namespace

TEST_F(TextDataPages, MixedContentOpensAsRowsAndTheUsersEditsAreWrittenDrawnAndHandedOut)
{
    // Changed labels, a decimal setting, a blank line, user texts, a bare catalogue line, an
    // unknown token and an item whose decimal setting is "none".
    Open(L"Data file: {DataFile}\f-1\fFile: {DataFile}\r\n\f-1\f\r\nRetention time: {RT}\f3\fRT: {RT}\r\n"
         L"\f-1\fFree words\r\nVial: {Vial}\r\nBatch: {Nope}\r\nInjection volume: {InjVol}\f-1\fInjection volume: {InjVol}");
    const std::wstring linesBefore = Lines();
    HWND hBox = nullptr;
    const bool bFinished = Run({
        [&] {
            seen.push_back(Rows(IDC_QLN_DATA_SELECTED) + L" / " + std::to_wstring(Count(IDC_QLN_DATA_AVAILABLE)) + L" available / " + Details());
            return Tab(1);
        },
        [&] { return On(pLayout) && (seen.push_back(L"left unchanged: " + std::to_wstring(Lines() == linesBefore)), Tab(0)); },
        [&] { return On(pData) && ClickRow(IDC_QLN_DATA_SELECTED, 6); },
        [&] {
            seen.push_back(Details());
            PostClickAt(Item(IDC_QLN_DATA_DECIMAL), POINT{3, 3});
            PostTyping(Item(IDC_QLN_DATA_DECIMAL), L"7");
            return ClickRow(IDC_QLN_DATA_SELECTED, 0);
        },
        [&] {
            if (!(hBox = FindOwnedDialog(pSheet->m_hWnd)))
                return false;
            seen.push_back(MessageBoxText(hBox) + L" [" + TextOf(hBox) + (CentredOn(hBox, pSheet->m_hWnd) ? L", centred]" : L"]"));
            return ::PostMessageW(hBox, WM_COMMAND, IDOK, 0) != FALSE;
        },
        [&] {
            if (OwnsDialog(pSheet->m_hWnd))
                return false;
            seen.push_back(L"kept row " + std::to_wstring(::SendMessageW(Item(IDC_QLN_DATA_SELECTED), LB_GETCURSEL, 0, 0)) +
                           L", in decimal " + std::to_wstring(::GetFocus() == Item(IDC_QLN_DATA_DECIMAL)));
            PostTyping(Item(IDC_QLN_DATA_DECIMAL), L"2");
            return ClickRow(IDC_QLN_DATA_AVAILABLE, 1, true);   // a user text, copied
        },
        [&] { return seen.push_back(Details()), PostTyping(Item(IDC_QLN_DATA_LABEL), L"Hello"), true; },
        [&] { return PostClick(Item(IDC_QLN_DATA_MOVE_UP)), ClickRow(IDC_QLN_DATA_AVAILABLE, 0, true); },
        [&] { return ClickRow(IDC_QLN_DATA_SELECTED, 2); },
        [&] { return PostClick(Item(IDC_QLN_DATA_REMOVE)), ClickRow(IDC_QLN_DATA_SELECTED, 0); },
        [&] {
            wchar_t sz[64] = {};
            ::SendMessageW(Item(IDC_QLN_DATA_AVAILABLE), LB_GETTEXT, ::SendMessageW(Item(IDC_QLN_DATA_AVAILABLE), LB_GETCURSEL, 0, 0), LPARAM(sz));
            seen.push_back(Rows(IDC_QLN_DATA_SELECTED) + L" / back: " + sz + L" @" +
                           std::to_wstring(::SendMessageW(Item(IDC_QLN_DATA_AVAILABLE), LB_GETCURSEL, 0, 0)));
            PostTyping(Item(IDC_QLN_DATA_LABEL), L"Source: ");
            return PostClick(::GetDlgItem(pSheet->m_hWnd, IDOK)), true;
        },
    });
    EXPECT_TRUE(bFinished);
    const std::vector<std::wstring> expected = {
        L"Data file: {DataFile}|2; |0; Retention time: {RT}|2; Free words|1; Vial: {Vial}|2; Batch: {Nope}|1; "
        L"Injection volume: {InjVol}|2 @0 / 30 available / Data lab&el:[File:] -[-] ++++-+ Name of the acquired data file",
        L"left unchanged: 1",
        L"Data lab&el:[Injection volume:] De&cimal setting:[1] +++++- Volume injected, in microlitres",
        L"Please enter a decimal between 0 and 3. [Text object, centred]",
        L"kept row 6, in decimal 1",
        L"Us&er text:[] -[-] +++++- User text to be supplied by the user",
        L"Data file: {DataFile}|2; |0; Free words|1; Vial: {Vial}|2; Batch: {Nope}|1; Hello|1; |0; "
        L"Injection volume: {InjVol}|2 @0 / back: Retention time: {RT} @18",
    };
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(L"Source: {DataFile}||Free words|Vial: {Vial}|Batch: {Nope}|Hello||Injection volume: {InjVol}|", Lines());
    const auto drawing = Drawing();
    EXPECT_TRUE(drawing->Find(L"Source:") && drawing->Find(L"Hello") && !drawing->Find(L"RT:")) << drawing->TextList();
}

TEST_F(TextDataPages, AllItemsMoveBothWaysAndTheLayoutChoicesChangeWhatIsDrawn)
{
    Open(L"");
    std::unique_ptr<EmfScan> before;
    // The column, label and spacing buttons: x checked, o not, (off) disabled.
    auto layout = [&] {
        std::wstring s;
        for (int nID : {IDC_QLN_COLUMNS_1, IDC_QLN_COLUMNS_2, IDC_QLN_COLUMNS_3, IDC_QLN_INCLUDE_DATA_LABEL, IDC_QLN_LABEL_SPACING,
                        IDC_QLN_SPACING_SINGLE, IDC_QLN_SPACING_ONE_AND_HALF, IDC_QLN_SPACING_DOUBLE})
            s += (::SendMessageW(Item(nID), BM_GETCHECK, 0, 0) ? L"x" : L"o") + std::wstring(::IsWindowEnabled(Item(nID)) ? L"" : L"(off)");
        return s;
    };
    const bool bFinished = Run({
        [&] {
            seen.push_back(std::to_wstring(Count(IDC_QLN_DATA_SELECTED)) + L" / " + std::to_wstring(Count(IDC_QLN_DATA_AVAILABLE)) + L" / " + Details());
            return PostClick(Item(IDC_QLN_DATA_ADD_ALL)), true;
        },
        [&] {
            seen.push_back(Rows(IDC_QLN_DATA_SELECTED).substr(0, 40) + L" .. " + std::to_wstring(Count(IDC_QLN_DATA_SELECTED)) +
                           L" @" + std::to_wstring(::SendMessageW(Item(IDC_QLN_DATA_SELECTED), LB_GETCURSEL, 0, 0)) + L" / " + Rows(IDC_QLN_DATA_AVAILABLE));
            return PostClick(Item(IDC_QLN_DATA_REMOVE_ALL)), true;
        },
        [&] {
            seen.push_back(std::to_wstring(Count(IDC_QLN_DATA_SELECTED)) + L" / " + std::to_wstring(Count(IDC_QLN_DATA_AVAILABLE)));
            return ClickRow(IDC_QLN_DATA_AVAILABLE, 3), PostClick(Item(IDC_QLN_DATA_ADD_ALL)), Tab(1);
        },
        [&] {
            if (!On(pLayout))
                return false;
            before = Drawing();
            seen.push_back(layout());
            for (int nID : {IDC_QLN_COLUMNS_3, IDC_QLN_SPACING_DOUBLE, IDC_QLN_INCLUDE_DATA_LABEL})
                PostClick(Item(nID));
            return true;
        },
        [&] {
            seen.push_back(layout());
            return PostClick(::GetDlgItem(pSheet->m_hWnd, IDOK)), true;
        },
    });
    EXPECT_TRUE(bFinished);
    // Three columns with double spacing and no labels: items side by side, rows twice as far apart.
    const std::vector<std::wstring> expected = {
        L"0 / 34 / -[-] -[-] ++---- ",
        L"|0; |1; Sample Information|2; Data file: .. 34 @33 / |0; |1 @0",
        L"0 / 34",
        L"xooxxxoo",
        L"ooxox(off)oox",
    };
    EXPECT_EQ(expected, seen);
    std::wstring properties;
    for (const wchar_t* name : {L"NumColumns", L"VerticalSpacing", L"AllignType", L"IncludeDataLabel"})
        properties += SampleObject::Get(object, name) + L" ";
    // AllignType, untouched, keeps its 1: the page writes only what the user changed.
    EXPECT_EQ(L"2 2 1 0 ", properties);
    auto where = [](const EmfScan& scan) {
        std::wstring s = scan.Find(L"Sample name:") ? L"labels" : L"no labels";
        for (const wchar_t* value : {L"{DataFile}", L"{SampName}", L"{SampType}"})
            if (const EmfText* p = scan.Find(value))
                s += L" " + std::to_wstring(p->ref.x) + L"," + std::to_wstring(p->ref.y);
        return s;
    };
    EXPECT_EQ(L"labels 300,45 300,60 300,90", where(*before));
    EXPECT_EQ(L"no labels 3,30 201,30 3,60", where(*Drawing()));
}

// Looking is no change: rows clicked through, pages switched, Apply stays off and the text fields
// stay as they were to the byte, including a user text that holds a value, which the label edit
// once rewrote when its row became current. A label is shown without the blank before its
// value and gets it back when retyped.
TEST_F(TextDataPages, OkAfterOnlyLookingChangesNothingAndARetypedLabelKeepsItsSeparator)
{
    const wchar_t* const pszText = L"Old: {X}\f-1\fO: {X}\r\nInjection volume: {InjVol}\f-1\fInj. volume: {InjVol}\r\n"
                                   L"Vial: {Vial}\r\n\f-1\fFree words\r\n\f-1\f\r\nRetention time: {RT}\f3\fRT: {RT}";
    Open(pszText);
    auto apply = [&] { return std::wstring(::IsWindowEnabled(::GetDlgItem(pSheet->m_hWnd, 0x3021)) ? L"on" : L"off"); };
    std::wstring applied;
    std::vector<ScriptedUser::Step> steps;
    for (int nRow : {0, 1, 2, 3, 4, 5, 0})
        steps.push_back([&, nRow] { return applied += apply(), ClickRow(IDC_QLN_DATA_SELECTED, nRow); });
    steps.insert(steps.end(), {
        [&] { return seen.push_back(L"apply " + applied + L" " + apply() + L" / " + Details()), Tab(1); },
        [&] { return On(pLayout) && Tab(0); },
        [&] {
            if (!On(pData))
                return false;
            seen.push_back(L"apply " + apply() + L", text kept " + std::to_wstring(SampleObject::Get(object, L"TextFields") == pszText));
            return ClickRow(IDC_QLN_DATA_SELECTED, 1);
        },
        [&] { return seen.push_back(Details()), PostTyping(Item(IDC_QLN_DATA_LABEL), L"Inj. vol:"), true; },
        [&] { return seen.push_back(L"apply " + apply()), PostClick(::GetDlgItem(pSheet->m_hWnd, IDOK)), true; },
    });
    EXPECT_TRUE(Run(steps));
    const std::vector<std::wstring> expected = {
        L"apply offoffoffoffoffoffoff off / Us&er text:[O:] -[-] ++++-+ User text to be supplied by the user",
        L"apply off, text kept 1",
        L"Data lab&el:[Inj. volume:] De&cimal setting:[1] ++++++ Volume injected, in microlitres",
        L"apply on",
    };
    EXPECT_EQ(expected, seen);
    EXPECT_EQ(L"O: {X}|Inj. vol: {InjVol}|Vial: {Vial}|Free words||RT: {RT}|", Lines());
}

// The two description boxes are framed on every side on the page's body and end on the same
// row, with rows described and after Remove All has emptied the selected list.
TEST_F(TextDataPages, DescriptionBoxesShowWholeFramesWhoseBottomsLineUp)
{
    Open(L"Vial: {Vial}");
    // Each box's edges, at the middle of each side, against the page's body just outside it.
    const auto frames = [&] {
        std::wstring text;
        for (int nID : {IDC_QLN_DATA_AVAILABLE_DESC, IDC_QLN_DATA_SELECTED_DESC}) {
            RECT rc = {};
            ::GetWindowRect(Item(nID), &rc);
            ::MapWindowPoints(nullptr, pData->m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
            const int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
            const COLORREF crBody = ScreenPixel(pData->m_hWnd, x, rc.bottom + 2);
            const POINT edges[] = {{x, rc.top}, {rc.left, y}, {x, rc.bottom - 1}, {rc.right - 1, y}};
            for (const POINT& pt : edges)
                text += ScreenPixel(pData->m_hWnd, pt.x, pt.y) != crBody ? L"#" : L".";
            text += L" " + std::to_wstring(rc.bottom) + L"; ";
        }
        return text;
    };
    std::wstring before, after;
    EXPECT_TRUE(Run(Settled(Waiting("the data page", [&] { return On(pData); }),
                            {[&] { return before = frames(), PostClick(Item(IDC_QLN_DATA_REMOVE_ALL)), true; },
                             [&] { return Count(IDC_QLN_DATA_SELECTED) == 0 && (after = frames(), true); },
                             [&] { return PostClick(::GetDlgItem(pSheet->m_hWnd, IDOK)), true; }})));
    const std::wstring bottom = before.substr(5, before.find(L';') - 5);
    EXPECT_EQ(L"#### " + bottom + L"; #### " + bottom + L"; ", before);
    // With nothing selected the right box goes, leaving the group's frame alone.
    EXPECT_EQ(L"#### " + bottom + L"; .... " + bottom + L"; ", after);
}

// Every Help of the sheet opens its own topic of the sample's help file in the system's viewer,
// a program of its own: F1 and the Help button of each page, the Help of the font dialog that a
// font row opens, and F1 there.
TEST_F(TextDataPages, EveryHelpOpensItsOwnTopicInTheViewer)
{
    Open(L"Vial: {Vial}");
    LocatorRegistration locator;
    ASSERT_EQ(S_OK, locator.Register());
    CQLNTextDataSelectPage data(*pControl);
    CQLNTextDataAttributePage layout(*pControl);
    CQLNTextDataFontPage fonts(*pControl);
    CQLNTextFontPropPage textFonts;
    CQLNTableFontPropPage tableFonts;
    CQLNAnnotationFontPropPage annotationFont;
    CPropertySheet sheet(L"Text object");
    for (CPropertyPage* pPage : std::initializer_list<CPropertyPage*>{&data, &layout, &fonts, &textFonts, &tableFonts, &annotationFont})
        sheet.AddPage(pPage);
    pSheet = &sheet;
    HWND hFontDialog = nullptr;
    const auto pressF1On = [](HWND hWnd) { return ::SetForegroundWindow(hWnd), PressChord({VK_F1}), true; };
    const auto helpButton = [&] { return PostClick(::GetDlgItem(sheet.m_hWnd, IDHELP)), true; };
    // Waits for the viewer, notes its topic and closes it, then waits until it is gone.
    std::vector<ScriptedUser::Step> steps = {Waiting("the sheet", [&] { return ::IsWindowVisible(sheet.m_hWnd) != FALSE; })};
    const auto help = [&](ScriptedUser::Step press) {
        steps.push_back(std::move(press));
        steps.push_back(Waiting("the help viewer", [&] {
            const HWND hViewer = HelpViewer::Find();
            return hViewer != nullptr && (seen.push_back(HelpViewer::Topic(hViewer)), ::PostMessageW(hViewer, WM_CLOSE, 0, 0));
        }));
        steps.push_back(Waiting("the help viewer to close", [] { return HelpViewer::Find() == nullptr; }));
    };
    help([&] { return pressF1On(sheet.m_hWnd); });
    help(helpButton);
    for (int nPage = 1; nPage < 6; ++nPage) {
        steps.push_back([&, nPage] { return Tab(nPage); });
        help(helpButton);
        if (nPage != 2)
            continue;
        steps.push_back([&] {
            return PostClick(::GetDlgItem(ChildDialogCentredOn(fonts.m_hWnd, IDC_QLN_TITLE_FONT_BOX), IDC_QLN_FONT_CTRL_BUTTON)), true;
        });
        steps.push_back(Waiting("the font dialog", [&] { return (hFontDialog = FindOwnedDialog(sheet.m_hWnd)) != nullptr; }));
        help([&] { return PostClick(::GetDlgItem(hFontDialog, IDC_QLN_FONT_HELP)), true; });
        help([&] { return pressF1On(hFontDialog); });
        steps.push_back([&] { return ::PostMessageW(hFontDialog, WM_COMMAND, IDCANCEL, 0), true; });
        steps.push_back(Waiting("the font dialog to close", [&] { return FindOwnedDialog(sheet.m_hWnd) == nullptr; }));
    }
    steps.push_back([&] { return ::PostMessageW(sheet.m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0), true; });
    ScriptedUser user(std::move(steps), [&] {
        if (const HWND hViewer = HelpViewer::Find())
            ::PostMessageW(hViewer, WM_CLOSE, 0, 0);
        ::PostMessageW(sheet.m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    }, 1500);   // nine viewers started and closed: about 45 s
    sheet.DoModal();
    EXPECT_TRUE(user.Finished());
    const std::vector<std::wstring> expected = {L"Data page", L"Data page", L"Attributes page", L"Font page", L"Font dialog",
                                                L"Font dialog", L"Text fonts", L"Table fonts", L"Annotation font"};
    EXPECT_EQ(expected, seen);
}

// A derived page reaches what the page shows through the page's own operations: the text its rows
// make, and where a removed item goes back, as the page itself puts it back.
TEST_F(TextDataPages, APageDerivedFromTheDataPageUsesItsOperations)
{
    Open(L"Vial: {Vial}\r\n\f-1\fFree words");
    const bool bFinished = Run<DerivedDataPage>({
        [&] {
            const auto& page = static_cast<const DerivedDataPage&>(*pData);
            seen.push_back(page.Operations(L"Vial: {Vial}"));
            seen.push_back(DerivedDataPage::Label(L"RT: {RT}") + L" " + DerivedDataPage::Label(L"{RT}") + L" " +
                           DerivedDataPage::Label(L"Heading"));
            return ClickRow(IDC_QLN_DATA_SELECTED, 0);
        },
        [&] { return PostClick(Item(IDC_QLN_DATA_REMOVE)), true; },
        Waiting("the item removed", [&] { return Count(IDC_QLN_DATA_SELECTED) == 1; }),
        [&] {
            const auto& page = static_cast<const DerivedDataPage&>(*pData);
            seen.push_back(std::wstring(page.BuildTextFields().GetString()) + L" / current " +
                           std::to_wstring(::SendMessageW(Item(IDC_QLN_DATA_AVAILABLE), LB_GETCURSEL, 0, 0)));
            return PostClick(::GetDlgItem(pSheet->m_hWnd, IDOK)), true;
        },
    });
    EXPECT_TRUE(bFinished);
    ASSERT_EQ(3u, seen.size());
    // Nothing changed yet: the text as loaded.
    EXPECT_EQ(L"Vial: {Vial}\r\n\f-1\fFree words / ", seen[0].substr(0, seen[0].find(L" / ") + 3));
    EXPECT_EQ(L"1[RT: ] 0[] 0[Heading]", seen[1]);
    // Back where GetReturnPosition said, while it was still selected; now the one row makes the text.
    const std::wstring returnedAt = seen[0].substr(seen[0].rfind(L' ') + 1);
    EXPECT_EQ(L"\f-1\fFree words / current " + returnedAt, seen[2]);
}
