// The text object's font page on the sample object, as a user edits it in the sheet: what the
// user chose reaches the object's properties, its saved property set and its drawing.
#include "CPropertySheet.h"
#include "EmfScan.h"
#include "QLNBaseRes.h"
#include "QLNTextDataFontPage.h"
#include "SampleObject.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace qlntest;

namespace {

// The saved lines of the second set that the first does not hold.
std::vector<std::string> Changed(const std::string& before, const std::string& after)
{
    std::vector<std::string> lines;
    std::istringstream in(after);
    for (std::string line; std::getline(in, line);)
        if (("\n" + before).find("\n" + line + "\n") == std::string::npos)
            lines.push_back(line.substr(0, line.size() - 1));   // without the carriage return
    return lines;
}

// The four font controls of the page, by the group boxes that place them.
const int kPlaces[] = {IDC_QLN_TITLE_FONT_BOX, IDC_QLN_HEADING_FONT_BOX, IDC_QLN_PROMPT_FONT_BOX, IDC_QLN_VALUE_FONT_BOX};

// Whether a box shows its frame on all four sides against the body of its parent around it.
bool Framed(HWND hBox)
{
    const HWND hParent = ::GetParent(hBox);
    RECT rc = {};
    ::GetWindowRect(hBox, &rc);
    ::MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rc), 2);
    const int x = (rc.left + rc.right) / 2, y = (rc.top + rc.bottom) / 2;
    const COLORREF crBody = ScreenPixel(hParent, 2, 2);
    for (const POINT& pt : {POINT{x, rc.top}, POINT{rc.left, y}, POINT{x, rc.bottom - 1}, POINT{rc.right - 1, y}})
        if (ScreenPixel(hParent, pt.x, pt.y) == crBody)
            return false;
    return true;
}

} // namespace

// Viewing the page and the font dialog of every font and pressing OK changes no saved byte: a
// font keeps its size exactly, though the system realises it in whole pixels (10 points were 10.5
// after one round, 9.75 after the next), from a new object and from one whose fonts are all away
// from the defaults.
TEST(QLNTextDataFontPageTest, OkAfterOnlyLookingChangesNothingInTheFontsToTheSavedByte)
{
    for (const bool bOdd : {false, true}) {
        SCOPED_TRACE(bOdd ? "fonts away from the defaults" : "a new object");
        CQLNTextObjClient object;
        std::wstring error;
        ASSERT_TRUE(SampleObject::Create(object, error) && object.InitNew(error)) << error;
        if (bOdd) {
            ASSERT_TRUE(SampleObject::LoadBagText(
                object, SampleObject::WithValues(SampleObject::SaveBagText(object),
                                                 {{"TitleFont.Size", "11.2500"}, {"TitleFont.Weight", "700"}, {"TitleFont.Italic", "true"},
                                                  {"HeadingFont.Name", "\xCE\xA9mega"}, {"HeadingFont.Size", "7.5000"},
                                                  {"HeadingFont.Charset", "161"}, {"PromptFont.Weight", "600"},
                                                  {"PromptFont.Underline", "true"}, {"PromptFont.Strikethrough", "true"},
                                                  {"ValueFont.Name", "Liberation Mono"}, {"ValueFont.Size", "10.5000"},
                                                  {"ValueFont.Charset", "1"}, {"ValueColor", "255"}})));
        }
        std::string streamBefore, streamAfter;
        ASSERT_TRUE(object.SaveStream(streamBefore, error)) << error;
        const std::string bagBefore = SampleObject::SaveBagText(object);
        CQLNTextDataFontPage page(*SampleObject::ControlOf(object));
        CPropertySheet sheet(L"Text object");
        sheet.AddPage(&page);
        HWND hDialog = nullptr;
        std::vector<ScriptedUser::Step> acts;
        for (int nIDPlace : kPlaces) {
            acts.push_back([&page, nIDPlace] {
                return PostClick(::GetDlgItem(ChildDialogCentredOn(page.m_hWnd, nIDPlace), IDC_QLN_FONT_CTRL_BUTTON)), true;
            });
            acts.push_back([&] { return (hDialog = FindOwnedDialog(sheet.m_hWnd)) != nullptr; });
            acts.push_back([&] { return PostClick(::GetDlgItem(hDialog, IDOK)), true; });
            acts.push_back([&] { return !OwnsDialog(sheet.m_hWnd); });
        }
        acts.push_back([&] { return PostClick(::GetDlgItem(sheet.m_hWnd, IDOK)), true; });
        ScriptedUser user(Settled([&] { return page.m_hWnd != nullptr && ::IsWindowVisible(sheet.m_hWnd); }, acts),
                          [&] { ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0), ::PostMessageW(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
        EXPECT_EQ(IDOK, sheet.DoModal());
        EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
        EXPECT_EQ(bagBefore, SampleObject::SaveBagText(object));
        ASSERT_TRUE(object.SaveStream(streamAfter, error)) << error;
        EXPECT_TRUE(streamBefore == streamAfter) << "the saved stream";
    }
}

// The font controls' buttons open the font dialog: OK takes its choice into the sample and the
// control, Cancel nothing.
TEST(QLNTextDataFontPageTest, TheDataLabelFaceAndDataColourTheUserChoseAreWrittenSavedAndDrawn)
{
    CQLNTextObjClient object;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(object, error) && object.InitNew(error)) << error;
    // The title's face and character set are ones the system realises as others, and the object
    // has been drawn once.
    const HDC hdcFirst = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(SampleObject::LoadBagText(object, SampleObject::WithValues(SampleObject::SaveBagText(object),
                                                                           {{"TitleFont.Name", "Arial"}, {"TitleFont.Charset", "1"}})) &&
                object.Draw(hdcFirst, hdcFirst, RECT{0, 0, 600, 400}, error)) << error;
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hdcFirst));
    const std::string before = SampleObject::SaveBagText(object);
    CQLNTextDataFontPage page(*SampleObject::ControlOf(object));
    CPropertySheet sheet(L"Text object");
    sheet.AddPage(&page);
    HWND hDialog = nullptr;
    std::vector<std::wstring> seen;
    const auto Control = [&](int nIDPlace) { return ChildDialogCentredOn(page.m_hWnd, nIDPlace); };
    const auto Open = [&](int nIDPlace) { return PostClick(::GetDlgItem(Control(nIDPlace), IDC_QLN_FONT_CTRL_BUTTON)), true; };
    const auto Dialog = [&] { return (hDialog = FindOwnedDialog(sheet.m_hWnd)) != nullptr; };
    const auto Closed = [&] { return !OwnsDialog(sheet.m_hWnd); };
    const auto Press = [&](int nID) { return PostClick(::GetDlgItem(hDialog, nID)), true; };
    const auto Ok = [&] { return Press(IDOK); };
    ScriptedUser user(
        Settled(Waiting("the sheet", [&] { return page.m_hWnd != nullptr && ::IsWindowVisible(sheet.m_hWnd); }),
                {[&] {
                     for (int nID : {IDC_QLN_TITLE_FONT_BOX, IDC_QLN_HEADING_FONT_BOX, IDC_QLN_PROMPT_FONT_BOX, IDC_QLN_VALUE_FONT_BOX})
                         seen.push_back(TextOf(::GetDlgItem(Control(nID), IDC_QLN_FONT_CTRL_BUTTON)) + L" " +
                                        TextOf(::GetDlgItem(Control(nID), IDC_QLN_SAMPLE)) +
                                        (ScreenPixel(Control(nID), 2, 2) == ScreenPixel(page.m_hWnd, 2, 2) ? L", on the page's body" : L"") +
                                        (Framed(::GetDlgItem(Control(nID), IDC_QLN_SAMPLE)) ? L", framed" : L""));
                     return Open(IDC_QLN_PROMPT_FONT_BOX);
                 },
                 Dialog,
                 [&] {
                     const HWND hSize = ::FindWindowExW(::GetDlgItem(hDialog, IDC_QLN_SIZE), nullptr, L"Edit", nullptr);
                     EXPECT_EQ(L"10", TextOf(hSize)) << "a font of 10 points, shown as given, not as the system realised it";
                     const HWND hFace = ::FindWindowExW(::GetDlgItem(hDialog, IDC_QLN_FACE), nullptr, L"Edit", nullptr);
                     return ::SetFocus(hFace), PostTyping(hFace, L"liberation mono"), true;
                 },
                 Ok, Closed,
                 [&] {
                     seen.push_back(FontOf(::GetDlgItem(Control(IDC_QLN_PROMPT_FONT_BOX), IDC_QLN_SAMPLE)).lfFaceName +
                                    std::wstring(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, 0x3021)) ? L", apply on" : L""));
                     return Open(IDC_QLN_TITLE_FONT_BOX);
                 },
                 // Cancelled: the title keeps its font.
                 Dialog, [&] { return Press(IDC_QLN_UNDERLINE); }, [&] { return Press(IDCANCEL); }, Closed,
                 // A face outside the ANSI code page, taken with the size typed after it.
                 [&] { return Open(IDC_QLN_HEADING_FONT_BOX); },
                 Dialog,
                 [&] {
                     const HWND hFace = ::FindWindowExW(::GetDlgItem(hDialog, IDC_QLN_FACE), nullptr, L"Edit", nullptr);
                     return ::SetFocus(hFace), PostTyping(hFace, L"\u03A9mega"), true;
                 },
                 [&] {
                     const HWND hSize = ::FindWindowExW(::GetDlgItem(hDialog, IDC_QLN_SIZE), nullptr, L"Edit", nullptr);
                     return ::SetFocus(hSize), PostTyping(hSize, L"14"), true;
                 },
                 Ok, Closed,
                 [&] { return Open(IDC_QLN_VALUE_FONT_BOX); },
                 Dialog,
                 // Typing an initial in the colour box picks the colour of that name, as a user does.
                 [&] { return ::SetFocus(::GetDlgItem(hDialog, IDC_QLN_COLOR)), ::PostMessageW(::GetFocus(), WM_CHAR, L'm', 1), true; },
                 Ok, Closed, [&] { return PostClick(::GetDlgItem(sheet.m_hWnd, IDOK)), true; }}),
        [&] { ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0), ::PostMessageW(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    // Each font control shows the page's own background, not a panel of the dialog colour on it,
    // and its sample a frame on every side.
    const std::vector<std::wstring> expected = {L"&Title font... Sample Header Object, on the page's body, framed",
                                                L"&Heading font... Sample Header, on the page's body, framed",
                                                L"Data &label font... Data file:, on the page's body, framed",
                                                L"&Data font... {Data File}, on the page's body, framed",
                                                L"Liberation Mono, apply on"};
    EXPECT_EQ(expected, seen) << "the typed face is taken as listed";
    EXPECT_EQ(L"Liberation Mono", SampleObject::Get(object, L"PromptFont"));
    // A face chosen comes back with DEFAULT_CHARSET, which is kept as given, and a size chosen as
    // chosen; what the user left alone stays as it was, the title's face and character set as
    // given.
    const std::string after = SampleObject::SaveBagText(object);
    EXPECT_EQ((std::vector<std::string>{"PromptFont.Name=Liberation Mono", "PromptFont.Charset=1", "ValueColor=128",
                                        "HeadingFont.Name=\xCE\xA9mega", "HeadingFont.Size=14.0000", "HeadingFont.Charset=1"}),
              Changed(before, after));
    std::string bytes;
    CQLNTextObjClient reloaded;
    ASSERT_TRUE(object.SaveStream(bytes, error) && SampleObject::Create(reloaded, error) && reloaded.LoadStream(bytes, error)) << error;
    EXPECT_EQ(after, SampleObject::SaveBagText(reloaded));

    const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(object.Draw(hdc, hdc, RECT{0, 0, 600, 400}, error)) << error;
    const HENHMETAFILE hemf = ::CloseEnhMetaFile(hdc);
    const EmfScan scan(hemf);
    ::DeleteEnhMetaFile(hemf);
    int nPrompts = 0, nValues = 0;
    for (const EmfText& text : scan.texts) {
        nPrompts += text.face == L"Liberation Mono";
        nValues += text.colour == RGB(128, 0, 0);
        EXPECT_FALSE(text.face == L"Liberation Mono" && text.colour == RGB(128, 0, 0)) << "prompt and value apart";
    }
    EXPECT_TRUE(nPrompts > 0 && nValues > 0) << scan.TextList();
}
