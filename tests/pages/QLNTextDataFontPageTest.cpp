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

// The saved lines of the second set that the first does not hold, but for font sizes, which
// depend on the fonts the system has: every size written comes back through whole pixels at 96
// pixels per inch, so it is a multiple of 0.75 points.
std::vector<std::string> Changed(const std::string& before, const std::string& after)
{
    std::vector<std::string> lines;
    std::istringstream in(after);
    for (std::string line; std::getline(in, line);)
        if (line.find("Font.Size=") != std::string::npos)
            EXPECT_EQ(0, std::lround(std::stod(line.substr(line.find('=') + 1)) * 10000) % 7500) << line;
        else if (("\n" + before).find("\n" + line + "\n") == std::string::npos)
            lines.push_back(line.substr(0, line.size() - 1));   // without the carriage return
    return lines;
}

// What the screen shows at a point of a window's client area.
COLORREF ScreenPixel(HWND hWnd, int x, int y)
{
    POINT pt = {x, y};
    ::ClientToScreen(hWnd, &pt);
    const HDC hDC = ::GetDC(nullptr);
    const COLORREF cr = ::GetPixel(hDC, pt.x, pt.y);
    ::ReleaseDC(nullptr, hDC);
    return cr;
}

} // namespace

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
        Settled([&] { return page.m_hWnd != nullptr && ::IsWindowVisible(sheet.m_hWnd); },
                {[&] {
                     for (int nID : {IDC_QLN_TITLE_FONT_BOX, IDC_QLN_HEADING_FONT_BOX, IDC_QLN_PROMPT_FONT_BOX, IDC_QLN_VALUE_FONT_BOX})
                         seen.push_back(TextOf(::GetDlgItem(Control(nID), IDC_QLN_FONT_CTRL_BUTTON)) + L" " +
                                        TextOf(::GetDlgItem(Control(nID), IDC_QLN_SAMPLE)) +
                                        (ScreenPixel(Control(nID), 2, 2) == ScreenPixel(page.m_hWnd, 2, 2) ? L", on the page's body" : L""));
                     return Open(IDC_QLN_PROMPT_FONT_BOX);
                 },
                 Dialog,
                 [&] {
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
                 [&] { return Open(IDC_QLN_VALUE_FONT_BOX); },
                 Dialog,
                 // Typing an initial in the colour box picks the colour of that name, as a user does.
                 [&] { return ::SetFocus(::GetDlgItem(hDialog, IDC_QLN_COLOR)), ::PostMessageW(::GetFocus(), WM_CHAR, L'm', 1), true; },
                 Ok, Closed, [&] { return PostClick(::GetDlgItem(sheet.m_hWnd, IDOK)), true; }}),
        [&] { ::PostMessageW(hDialog, WM_COMMAND, IDCANCEL, 0), ::PostMessageW(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDOK, sheet.DoModal());
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    // Each font control shows the page's own background, not a panel of the dialog colour on it.
    const std::vector<std::wstring> expected = {L"&Title font... Sample Header Object, on the page's body",
                                                L"&Heading font... Sample Header, on the page's body",
                                                L"Data &label font... Data file:, on the page's body",
                                                L"&Data font... {Data File}, on the page's body",
                                                L"Liberation Mono, apply on"};
    EXPECT_EQ(expected, seen) << "the typed face is taken as listed";
    EXPECT_EQ(L"Liberation Mono", SampleObject::Get(object, L"PromptFont"));
    // A font that went through the dialog comes back with DEFAULT_CHARSET, which is kept as given;
    // the fonts the user left alone are written back as read, the title's face and
    // character set as given.
    EXPECT_EQ((std::vector<std::string>{"PromptFont.Name=Liberation Mono", "PromptFont.Charset=1", "ValueFont.Charset=1",
                                        "ValueColor=128"}),
              Changed(before, SampleObject::SaveBagText(object)));

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
