// The sample text object inside the system's own ActiveX host window ("AtlAxWin"), a container
// nobody here wrote: it creates the control from its ProgID, activates it in place in a real
// window, and the control holds its lines in its own child window. Its properties verb, invoked
// through the host's IOleObject, shows the control's own sheet, which a user drives.
#include "CStringPrinter.h"
#include "E2eSupport.h"
#include "EmfScan.h"
#include "HtmlHelpRecorderProbe.h"
#include "QLNBaseRes.h"
#include "QLNHelpIds.h"
#include "SampleObject.h"
#include "SampleRegistration.h"
#include "ScopedRegistryValue.h"
#include "ScriptedUser.h"
#include "AtlHostWindow.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>


using Microsoft::WRL::ComPtr;
using namespace qlntest;

namespace {

class AtlHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_registration.Result());
        std::wstring error;
        ASSERT_TRUE(m_host.Open(E2e::kProgId, error)) << error;
        m_hFrame = m_host.Frame();
        m_hHost = m_host.Host();
        m_control = m_host.Control();
        ASSERT_TRUE(m_object.Attach(m_control.Get(), error)) << error;
    }
    void TearDown() override
    {
        m_control.Reset();
        m_host.Close();
    }

    E2e::SampleRegistration m_registration;
    AtlHostWindow m_host;
    HWND m_hFrame = nullptr;
    HWND m_hHost = nullptr;
    ComPtr<IUnknown> m_control;
    CQLNTextObjClient m_object;
};

// The sheet's pages are the sheet's children: the one on show, and its index.
HWND CurrentPage(HWND hSheet)
{
    return reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}
bool IsOnPage(HWND hSheet, int nPage)
{
    return ::SendMessageW(hSheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(CurrentPage(hSheet)), 0) == nPage;
}

// A click on the row of a list that shows text, scrolled into view first.
bool ClickRow(HWND hList, const wchar_t* text)
{
    const LRESULT row = ::SendMessageW(hList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    ::SendMessageW(hList, LB_SETTOPINDEX, row, 0);
    RECT rc = {};
    ::SendMessageW(hList, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
    PostClickAt(hList, POINT{rc.left + 4, (rc.top + rc.bottom) / 2});
    return row != LB_ERR;
}

} // namespace

TEST_F(AtlHost, TheControlIsAChildWindowShowingItsTextFields)
{
    // The control's text fields, as it reports them through automation, are its window's text.
    const std::wstring textFields = SampleObject::Get(m_object, L"TextFields");
    EXPECT_NE(std::wstring::npos, textFields.find(L"Data file: {DataFile}"));
    const HWND hEdit = ::FindWindowExW(m_hHost, nullptr, L"Edit", nullptr);
    ASSERT_NE(nullptr, hEdit) << "the control made no window of its own";
    EXPECT_TRUE(::IsWindowVisible(hEdit));
    CString text;
    ::GetWindowTextW(hEdit, text.GetBuffer(32768), 32768);
    text.ReleaseBuffer();
    EXPECT_EQ(textFields, std::wstring(text));
}

// A user edits the hosted control through its sheet: an item added on the data page, two columns
// on the layout page, the data font underlined at 14 points on the font page, each page's Help
// asked on the way; applied and closed. The edits reach the control, its lines, a save and load
// of its property set and its drawing. Opened again by verb 1, the sheet starts on the data page
// again, and cancelling it after leaving that page gives the control back as it was, still
// modified as it was.
TEST_F(AtlHost, ThePropertiesVerbShowsTheSheetWhoseEditsReachTheControlItsSaveAndItsDrawing)
{
    ComPtr<IOleObject> object;
    ASSERT_EQ(S_OK, m_control.As(&object));
    ComPtr<ISpecifyPropertyPages> pages;
    EXPECT_EQ(E_NOINTERFACE, m_control.As(&pages)) << "the control shows its own sheet, it hands out no pages";
    ComPtr<IEnumOLEVERB> verbs;
    ASSERT_EQ(S_OK, object->EnumVerbs(&verbs));
    std::wstring verbList;
    for (OLEVERB verb = {}; verbs->Next(1, &verb, nullptr) == S_OK; ::CoTaskMemFree(verb.lpszVerbName))
        verbList += std::to_wstring(verb.lVerb) + L" " + verb.lpszVerbName + L"; ";
    EXPECT_EQ(L"0 &Edit; 1 &Properties...; ", verbList);

    ScopedRegistryValue helpControl(HKEY_CLASSES_ROOT, kHtmlHelpControlKey, nullptr);
    helpControl.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());
    std::wstring error;
    ASSERT_TRUE(m_object.PutProperty(L"TextFields", L"Data file: {DataFile}", error)) << error;

    HWND hSheet = nullptr, hFontDialog = nullptr;
    std::vector<std::wstring> seen;
    int nHelpCalls = 0;
    auto sheetShown = [&] {
        hSheet = ::FindWindowW(L"#32770", L"Sample Information");
        return hSheet != nullptr && ::IsWindowVisible(hSheet) && CurrentPage(hSheet) != nullptr;
    };
    auto pressHelp = [&] {
        nHelpCalls = HtmlHelpRecorderProbe::Calls();
        return PostClick(::GetDlgItem(hSheet, IDHELP)), true;
    };
    // The context the last Help press asked for, once it has.
    auto helpAsked = [&] {
        RecordedHelpCall call = {};
        if (HtmlHelpRecorderProbe::Calls(&call) != nHelpCalls + 1)
            return false;
        seen.push_back(L"help " + std::to_wstring(call.dwData));
        return true;
    };
    auto item = [&](int nID) { return ::GetDlgItem(CurrentPage(hSheet), nID); };
    auto run = [&](LONG iVerb, std::vector<ScriptedUser::Step> steps) {
        steps.insert(steps.begin(), [&] {
            if (!sheetShown())
                return false;
            const HWND hTab = reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
            std::wstring tabs;
            for (int i = 0; i < ::SendMessageW(hTab, TCM_GETITEMCOUNT, 0, 0); ++i) {
                wchar_t sz[32] = {};
                TCITEMW tab = {TCIF_TEXT, 0, 0, sz, 32, 0, 0};
                ::SendMessageW(hTab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&tab));
                tabs += std::wstring(sz) + L" ";
            }
            seen.push_back(tabs + L"on page 0: " + std::to_wstring(IsOnPage(hSheet, 0)) + L", help button " +
                           std::to_wstring(::IsWindowEnabled(::GetDlgItem(hSheet, IDHELP))));
            return true;
        });
        ScriptedUser user(std::move(steps), [&] { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
        EXPECT_EQ(S_OK, object->DoVerb(iVerb, nullptr, nullptr, 0, m_hFrame, nullptr));
        EXPECT_TRUE(user.Finished()) << "stopped after step " << user.StepsDone();
        EXPECT_FALSE(::IsWindow(hSheet)) << "the sheet is destroyed when the verb returns";
    };

    run(OLEIVERB_PROPERTIES, {
        pressHelp,
        [&] { return helpAsked() && ClickRow(item(IDC_QLN_DATA_AVAILABLE), L"Vial: {Vial}"); },
        [&] { return PostClick(item(IDC_QLN_DATA_ADD)), PostTabClick(hSheet, 1); },
        [&] { return IsOnPage(hSheet, 1) && pressHelp(); },
        [&] { return helpAsked() && (PostClick(item(IDC_QLN_COLUMNS_2)), PostTabClick(hSheet, 2)); },
        [&] { return IsOnPage(hSheet, 2) && pressHelp(); },
        [&] {
            const HWND hDataFont = ChildDialogCentredOn(CurrentPage(hSheet), IDC_QLN_VALUE_FONT_BOX);
            return helpAsked() && (PostClick(::GetDlgItem(hDataFont, IDC_QLN_FONT_CTRL_BUTTON)), true);
        },
        [&] {
            hFontDialog = ::FindWindowW(L"#32770", L"Font");
            if (hFontDialog == nullptr || !::IsWindowVisible(hFontDialog))
                return false;
            PostClick(::GetDlgItem(hFontDialog, IDC_QLN_UNDERLINE));
            COMBOBOXINFO sizes = {};
            sizes.cbSize = sizeof sizes;
            ::GetComboBoxInfo(::GetDlgItem(hFontDialog, IDC_QLN_SIZE), &sizes);
            ClickRow(sizes.hwndList, L"14");
            return PostClick(::GetDlgItem(hFontDialog, IDOK)), true;
        },
        [&] { return !::IsWindow(hFontDialog) && (PostClick(::GetDlgItem(hSheet, 0x3021)), true); },   // Apply
        [&] { return PostClick(::GetDlgItem(hSheet, IDOK)), true; },
    });
    const std::vector<std::wstring> expected = {L"Data Attributes Font on page 0: 1, help button 1", L"help 2101",
                                                L"help 2100", L"help 2122"};
    EXPECT_EQ(expected, seen);

    // What the control holds, what a reloaded copy holds, and how the copy draws.
    auto state = [](CQLNTextObjClient& control) {
        std::vector<std::wstring> lines;
        std::wstring error, text = SampleObject::Get(control, L"NumColumns") + L" columns;";
        EXPECT_TRUE(control.GetLines(lines, error)) << error;
        for (const auto& line : lines)
            text += L" " + line + L";";
        VARIANT font;
        if (control.GetProperty(L"ValueFont", font, error) && V_VT(&font) == VT_DISPATCH) {
            ComPtr<IFont> pFont;
            CY size = {};
            BOOL bUnderline = FALSE;
            if (SUCCEEDED(V_DISPATCH(&font)->QueryInterface(IID_PPV_ARGS(&pFont))) && SUCCEEDED(pFont->get_Size(&size)) &&
                SUCCEEDED(pFont->get_Underline(&bUnderline)))
                text += L" data font " + std::to_wstring((size.int64 + 5000) / 10000) +
                        (bUnderline ? L" pt underlined" : L" pt");
        }
        ::VariantClear(&font);
        return text;
    };
    const std::wstring edited = L"1 columns; Data file: {DataFile}; Vial: {Vial}; data font 14 pt underlined";
    EXPECT_EQ(edited, state(m_object));
    std::string bytes;
    ASSERT_TRUE(m_object.SaveStream(bytes, error, false)) << error;
    CQLNTextObjClient copy;
    ASSERT_TRUE(SampleObject::Create(copy, error) && copy.LoadStream(bytes, error)) << error;
    EXPECT_EQ(edited, state(copy));
    const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(copy.Draw(nullptr, hdc, RECT{0, 0, 600, 400}, error)) << error;
    const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
    const EmfScan drawing(hemf);
    ::DeleteEnhMetaFile(hemf);
    const EmfText* pFile = drawing.Find(L"{DataFile}");
    const EmfText* pVial = drawing.Find(L"{Vial}");
    ASSERT_TRUE(pFile != nullptr && pVial != nullptr) << drawing.TextList();
    EXPECT_EQ(pFile->ref.y, pVial->ref.y) << "two columns: the items side by side";
    // The 14 points chosen, saved as chosen, are drawn 18.67 pixels high cut to whole pixels.
    EXPECT_EQ(-18, pVial->height);
    EXPECT_TRUE(std::any_of(drawing.fontsCreated.begin(), drawing.fontsCreated.end(),
                            [](const LOGFONTW& lf) { return lf.lfUnderline && lf.lfHeight == -18; }));

    // Verb 1; the data item removed, then three columns chosen and cancelled.
    seen.clear();
    run(1, {
        [&] { return ClickRow(item(IDC_QLN_DATA_SELECTED), L"Data file: {DataFile}"); },
        [&] { return PostClick(item(IDC_QLN_DATA_REMOVE)), PostTabClick(hSheet, 1); },
        [&] { return IsOnPage(hSheet, 1) && (PostClick(item(IDC_QLN_COLUMNS_3)), true); },
        [&] { return PostClick(::GetDlgItem(hSheet, IDCANCEL)), true; },
    });
    EXPECT_EQ(std::vector<std::wstring>{L"Data Attributes Font on page 0: 1, help button 1"}, seen);
    EXPECT_EQ(edited, state(m_object));
    EXPECT_TRUE(m_object.IsDirty()) << "modified by the first sheet and not saved since";
}

// OK after looking at every page writes nothing, from a new object and from one with every
// property away from its default and the columns' borders dragged: the saved set is the one
// before, to the byte, and the object is not modified. Cancel after changes on every page gives
// the object back the same way.
TEST_F(AtlHost, OkAfterOnlyLookingChangesNothingAndCancelAfterChangingTakesTheChangesBack)
{
    ComPtr<IOleObject> object;
    ASSERT_EQ(S_OK, m_control.As(&object));
    HWND hSheet = nullptr;
    auto item = [&](int nID) { return ::GetDlgItem(CurrentPage(hSheet), nID); };
    auto run = [&](std::vector<ScriptedUser::Step> steps) {
        steps.insert(steps.begin(), [&] {
            hSheet = ::FindWindowW(L"#32770", L"Sample Information");
            return hSheet != nullptr && ::IsWindowVisible(hSheet) && CurrentPage(hSheet) != nullptr;
        });
        ScriptedUser user(std::move(steps), [&] { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); });
        EXPECT_EQ(S_OK, object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, m_hFrame, nullptr));
        EXPECT_TRUE(user.Finished()) << "stopped after step " << user.StepsDone();
    };
    // Each page in turn and back to the first, then the button.
    auto lookAtEveryPage = [&](int nButton) -> std::vector<ScriptedUser::Step> {
        return {[&] { return PostTabClick(hSheet, 1); }, [&] { return IsOnPage(hSheet, 1) && PostTabClick(hSheet, 2); },
                [&] { return IsOnPage(hSheet, 2) && PostTabClick(hSheet, 0); },
                [&, nButton] { return IsOnPage(hSheet, 0) && (PostClick(::GetDlgItem(hSheet, nButton)), true); }};
    };
    struct Saved
    {
        std::string bag, stream;
        bool dirty;
        bool operator==(const Saved& o) const { return bag == o.bag && stream == o.stream && dirty == o.dirty; }
    };
    auto saved = [&] {
        Saved now{SampleObject::SaveBagText(m_object), {}, m_object.IsDirty()};
        std::wstring error;
        EXPECT_TRUE(m_object.SaveStream(now.stream, error, false)) << error;
        return now;
    };
    auto print = [](const Saved& s) { return s.bag + (s.dirty ? "(modified)" : "(not modified)"); };
    const Saved fresh = saved();
    run(lookAtEveryPage(IDOK));
    EXPECT_EQ(print(fresh), print(saved())) << "OK after only looking, on a new object";
    EXPECT_TRUE(fresh == saved()) << "the stream too";

    const std::string edited = SampleObject::WithValues(fresh.bag, {
        {"NumColumns", "2"}, {"AllignType", "1"}, {"VerticalSpacing", "1"}, {"IncludeDataLabel", "true"},
        {"TextFields", "Old: {X}\\f-1\\fO: {X}\\r\\nVial: {Vial}\\f2\\fAt: {Vial}\\r\\n\\f-1\\fNote"},
        {"IncludeTitle", "true"}, {"Title", "Assay"}, {"PromptColor", "255"}, {"ValueColor", "65280"},
        {"TitleColor", "16711680"}, {"HeadingColor", "2147483656"},
        {"ColWidthRatio0", "3"}, {"ColWidthRatio1", "1.5"},
        {"TitleFont.Size", "11.25"}, {"TitleFont.Weight", "700"}, {"HeadingFont.Name", "Liberation Sans"},
        {"PromptFont.Size", "7.5"}, {"PromptFont.Italic", "true"}, {"ValueFont.Size", "14"},
    });
    ASSERT_TRUE(SampleObject::LoadBagText(m_object, edited)) << edited;
    const Saved loaded = saved();
    run(lookAtEveryPage(IDOK));
    EXPECT_EQ(print(loaded), print(saved())) << "OK after only looking, every property away from its default";
    EXPECT_TRUE(loaded == saved()) << "the stream too";

    ASSERT_TRUE(SampleObject::LoadBagText(m_object, edited)) << edited;
    run({[&] { return ClickRow(item(IDC_QLN_DATA_SELECTED), L"Vial: {Vial}"); },
         [&] { return PostClick(item(IDC_QLN_DATA_REMOVE)), PostClick(item(IDC_QLN_DATA_INCLUDE_TITLE)), PostTabClick(hSheet, 1); },
         [&] { return IsOnPage(hSheet, 1) && (PostClick(item(IDC_QLN_COLUMNS_1)), PostClick(item(IDC_QLN_LABEL_SPACING)), PostTabClick(hSheet, 2)); },
         [&] { return IsOnPage(hSheet, 2) && PostTabClick(hSheet, 0); },
         [&] {
             const std::wstring text = SampleObject::Get(m_object, L"TextFields");
             return IsOnPage(hSheet, 0) && text.find(L"Vial") == std::wstring::npos &&
                    SampleObject::Get(m_object, L"NumColumns") == L"0" && (PostClick(::GetDlgItem(hSheet, IDCANCEL)), true);
         }});
    EXPECT_EQ(print(loaded), print(saved())) << "the pages wrote as they were left; Cancel took it all back";
    EXPECT_TRUE(loaded == saved()) << "the stream too";
}

// A user who works the sheet with the keyboard alone: pages switched with Ctrl+Tab, Ctrl+Shift+Tab
// and Ctrl+PgUp/PgDn, then Space and a letter that is no mnemonic (which once sent the system's
// mnemonic search round a hidden page for ever); every mnemonic of the layout page; the font
// dialog opened with Space, Enter and a mnemonic and worked inside; Help by F1 on a page and in
// the dialog; buttons that disable themselves under the focus (Move Down at the bottom, Remove
// All). After each key the focus is on a control the user can see and use, on the page on show;
// the watchdog of the scripted user fails the test at once if a key hangs the sheet. Apply by
// its mnemonic, Space or a click hands the focus back to the page and the keys go on working
// until Enter presses OK.
TEST_F(AtlHost, TheKeyboardAloneReachesEveryPageAndDialogAndNeverLeavesTheFocusWhereNoKeyActs)
{
    ComPtr<IOleObject> object;
    ASSERT_EQ(S_OK, m_control.As(&object));
    ScopedRegistryValue helpControl(HKEY_CLASSES_ROOT, kHtmlHelpControlKey, nullptr);
    helpControl.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());

    HWND hSheet = nullptr;
    std::vector<std::wstring> seen;
    int nHelpCalls = 0;
    std::vector<ScriptedUser::Step> acts;
    auto where = [&] { return seen.push_back(KeyboardPlace(hSheet)), true; };
    auto press = [&](std::vector<WORD> keys) {
        acts.push_back([keys] { return PressChord(keys), true; });
        acts.push_back(where);
    };
    auto helpAsked = [&] {
        RecordedHelpCall call = {};
        const int nCalls = HtmlHelpRecorderProbe::Calls(&call);
        if (nCalls == nHelpCalls)
            return false;
        nHelpCalls = nCalls;
        return seen.push_back(L"help " + std::to_wstring(call.dwData)), true;
    };
    auto fontDialog = [] {
        const HWND h = ::FindWindowW(L"#32770", L"Font");
        return h != nullptr && ::IsWindowVisible(h) ? h : nullptr;
    };
    auto dialogShown = [&] { return fontDialog() != nullptr && where(); };
    auto dialogGone = [&] { return fontDialog() == nullptr && where(); };

    acts.push_back(where);
    press({VK_CONTROL, VK_TAB});
    press({VK_SPACE});
    press({'X'});
    for (WORD key : {'3', '2', 'I', 'N', 'S', '5', 'D', '1'})
        press({VK_MENU, key});
    press({VK_TAB});
    press({VK_SHIFT, VK_TAB});
    press({VK_CONTROL, VK_NEXT});
    press({VK_CONTROL, VK_PRIOR});
    press({VK_CONTROL, VK_SHIFT, VK_TAB});
    press({VK_CONTROL, VK_SHIFT, VK_TAB});
    press({VK_TAB});
    acts.push_back([] { return PressChord({VK_F1}), true; });
    acts.push_back(helpAsked);
    // The heading font's dialog, by Space: its boxes and mnemonics, Help, then Escape.
    acts.push_back([] { return PressChord({VK_SPACE}), true; });
    acts.push_back(dialogShown);
    press({VK_TAB});
    press({VK_SHIFT, VK_TAB});
    for (WORD key : {'U', 'K', 'C', 'Y', 'S', 'F'})
        press({VK_MENU, key});
    press({VK_DOWN});
    acts.push_back([] { return PressChord({VK_F1}), true; });
    acts.push_back(helpAsked);
    acts.push_back([] { return PressChord({VK_ESCAPE}), true; });
    acts.push_back(dialogGone);
    // Enter on the button opens it again, Enter in it is OK.
    acts.push_back([] { return PressChord({VK_RETURN}), true; });
    acts.push_back(dialogShown);
    acts.push_back([] { return PressChord({VK_RETURN}), true; });
    acts.push_back(dialogGone);

    // The data page: the buttons that disable themselves under the focus, each reached as Tab
    // would reach it and pressed with Space.
    press({VK_CONTROL, VK_TAB});
    auto pressOn = [&](int nID, WORD key) {
        acts.push_back([&, nID, key] {
            const HWND hPage = CurrentPage(hSheet);
            ::SendMessageW(hPage, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(hPage, nID)), TRUE);
            return PressChord({key}), true;
        });
        acts.push_back(where);
    };
    pressOn(IDC_QLN_DATA_ADD_ALL, VK_SPACE);
    pressOn(IDC_QLN_DATA_SELECTED, VK_END);
    pressOn(IDC_QLN_DATA_MOVE_UP, VK_SPACE);
    press({VK_TAB});
    press({VK_SPACE});
    press({VK_TAB});
    pressOn(IDC_QLN_DATA_REMOVE_ALL, VK_SPACE);
    press({VK_TAB});
    press({VK_SHIFT, VK_TAB});
    press({'X'});
    press({VK_SPACE});
    // Were the focus ever left on a hidden page, the next key would go to the page on show.
    acts.push_back([&] { return ::SendMessageW(hSheet, PSM_SETCURSEL, 1, 0), true; });
    acts.push_back([&] { return IsOnPage(hSheet, 1) && (PressChord({VK_MENU, '2'}), true); });
    acts.push_back(where);
    acts.push_back([&] {
        ::SetFocus(::GetDlgItem(reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_INDEXTOHWND, 0, 0)), IDC_QLN_DATA_ADD_ALL));
        return PressChord({'X'}), true;
    });
    acts.push_back(where);
    // Apply, by its mnemonic, by Space and by a click, disables itself: the focus goes back to
    // the page's control that had it, and every key works on. Space on a radio button that is
    // checked already changes nothing.
    auto apply = [&] {
        return seen.push_back(::IsWindowEnabled(::GetDlgItem(hSheet, 0x3021)) ? L"apply 1" : L"apply 0"), true;
    };
    press({VK_MENU, 'A'});
    acts.push_back(apply);
    press({VK_TAB});
    press({VK_SHIFT, VK_TAB});
    press({VK_SPACE});
    acts.push_back(apply);
    press({VK_MENU, '1'});
    acts.push_back(apply);
    acts.push_back([&] {
        ::SendMessageW(hSheet, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(hSheet, 0x3021)), TRUE);
        return PressChord({VK_SPACE}), true;
    });
    acts.push_back(where);
    acts.push_back(apply);
    press({VK_MENU, '3'});
    acts.push_back([&] {
        RECT rc = {};
        ::GetWindowRect(::GetDlgItem(hSheet, 0x3021), &rc);
        return ClickScreen(POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2}), true;
    });
    acts.push_back(where);
    acts.push_back(apply);
    press({VK_CONTROL, VK_TAB});
    press({VK_CONTROL, VK_SHIFT, VK_TAB});
    acts.push_back([] { return PressChord({VK_RETURN}), true; });

    ScriptedUser user(Settled([&] {
                                  hSheet = ::FindWindowW(L"#32770", L"Sample Information");
                                  return hSheet != nullptr && ::IsWindowVisible(hSheet) && CurrentPage(hSheet) != nullptr;
                              },
                              acts),
                      [&] { ::PostMessageW(hSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0); }, 2000);
    EXPECT_EQ(S_OK, object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, m_hFrame, nullptr));
    EXPECT_TRUE(user.Finished()) << "stopped after step " << user.StepsDone();
    EXPECT_FALSE(::IsWindow(hSheet)) << "Enter after Apply presses OK";
    for (const std::wstring& place : seen)
        EXPECT_TRUE(place.find(L"(hidden)") == std::wstring::npos && place.find(L"(disabled)") == std::wstring::npos &&
                    place != L"nowhere") << place;
    const std::vector<std::wstring> expected = {
        L"p0 &Include the title on the resolved report",
        // Ctrl+Tab: the layout page's first control
        L"p1 &1",
        L"p1 &1",
        L"p1 &1",
        // every mnemonic of the layout page
        L"p1 &3",
        L"p1 &2",
        L"p1 &Include data label",
        L"p1 &Include data label",
        L"p1 &Single",
        L"p1 1.&5 lines",
        L"p1 &Double",
        L"p1 &1",
        // Tab, Shift+Tab
        L"p1 &Include data label",
        L"p1 &1",
        // Ctrl+PgDn, Ctrl+PgUp, Ctrl+Shift+Tab twice (round to the last page), Tab
        L"p2 &Title font...",
        L"p1 &1",
        L"p0 &Include the title on the resolved report",
        L"p2 &Title font...",
        L"p2 &Heading font...",
        // F1 on the font page
        L"help 2122",
        // the font dialog: Tab, Shift+Tab, its mnemonics, an arrow, F1
        L"Font ComboBox 11008",
        L"Font ComboBox 11009",
        L"Font ComboBox 11008",
        L"Font &Underline",
        L"Font Stri&keout",
        L"Font ComboBox 11003",
        L"Font ComboBox 11009",
        L"Font ComboBox 11010",
        L"Font ComboBox 11008",
        L"Font ComboBox 11008",
        L"help 1061",
        // Escape: back on the button that opened it; Enter opens it, Enter is OK
        L"p2 &Heading font...",
        L"Font ComboBox 11008",
        L"p2 &Heading font...",
        L"p0 &Include the title on the resolved report",
        // the data page; Add All; the last row; Move Up; Tab
        L"p0 Add A&ll >>",
        L"p0 ListBox 11028",
        L"p0 Move &Up",
        L"p0 Move &Down",
        // Move Down at the bottom disables itself: the focus goes on
        L"p0 Edit 11034",
        // Tab leaves the page for the sheet's buttons; Remove All disables itself: the focus goes on
        L"sheet OK",
        L"p0 ListBox 11028",
        // Tab, Shift+Tab, a letter, Space
        L"sheet OK",
        L"p0 ListBox 11028",
        L"p0 ListBox 11028",
        L"p0 ListBox 11028",
        // keys meant for a hidden page reach the page on show
        L"p1 &2",
        L"p1 &2",
        // Alt+A: Apply done, the focus back on the radio button; Tab, Shift+Tab
        L"p1 &2",
        L"apply 0",
        L"p1 &Include data label",
        L"p1 &2",
        // Space on the checked radio button; Alt+1
        L"p1 &2",
        L"apply 0",
        L"p1 &1",
        L"apply 1",
        // Space on Apply
        L"p1 &1",
        L"apply 0",
        // Alt+3, a click on Apply
        L"p1 &3",
        L"p1 &3",
        L"apply 0",
        // Ctrl+Tab, Ctrl+Shift+Tab: the layout page's first stop, the button its group has checked
        L"p2 &Title font...",
        L"p1 &3",
    };
    // One place a line: a failure shows every place, not the first few.
    const auto lines = [](const std::vector<std::wstring>& places) {
        std::wstring text;
        for (const std::wstring& place : places)
            text += place + L"\n";
        return text;
    };
    EXPECT_EQ(lines(expected), lines(seen));
}
