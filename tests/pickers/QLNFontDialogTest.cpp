// The font dialog driven as a user drives it, modal and embedded in a page of the framework's
// sheet: what the boxes offer, and how each choice reaches the sample and the font read back.
#include "CPropertySheet.h"
#include "HtmlHelpRecorderProbe.h"
#include "QLNBaseLibrary.h"
#include "QLNBaseRes.h"
#include "QLNFontDialog.h"
#include "ScopedRegistryValue.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"
#include "pickers_tests_res.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

using namespace qlntest;

namespace {

int Height(int nPoints)
{
    HDC hDC = ::GetDC(nullptr);
    const int nHeight = -::MulDiv(nPoints, ::GetDeviceCaps(hDC, LOGPIXELSY), 72);
    ::ReleaseDC(nullptr, hDC);
    return nHeight;
}

LOGFONTW Font(int nHeight, int nWeight, BYTE bItalic, const wchar_t* pszFace)
{
    LOGFONTW lf = {};
    lf.lfHeight = nHeight, lf.lfWeight = nWeight, lf.lfItalic = bItalic;
    ::lstrcpynW(lf.lfFaceName, pszFace, LF_FACESIZE);
    return lf;
}

COMBOBOXINFO Parts(HWND hDialog, int nID)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    ::GetComboBoxInfo(::GetDlgItem(hDialog, nID), &info);
    return info;
}

std::vector<std::wstring> Items(HWND hDialog, int nID)
{
    std::vector<std::wstring> items(::SendDlgItemMessageW(hDialog, nID, CB_GETCOUNT, 0, 0));
    for (size_t i = 0; i < items.size(); ++i) {
        wchar_t sz[LF_FULLFACESIZE] = {};
        ::SendDlgItemMessageW(hDialog, nID, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(sz));
        items[i] = sz;
    }
    return items;
}

// Typing into a box's edit field, which has the focus as after a click.
bool Type(HWND hDialog, int nID, const std::wstring& text)
{
    const HWND hEdit = Parts(hDialog, nID).hwndItem;
    ::SetFocus(hEdit);
    PostTyping(hEdit, text);
    return true;
}

// The font the sample shows, and how many of its pixels are in a colour (0x00BBGGRR).
LOGFONTW Shown(HWND hDialog, HFONT* phFont = nullptr)
{
    LOGFONTW lf = {};
    const HFONT hFont = reinterpret_cast<HFONT>(::SendDlgItemMessageW(hDialog, IDC_QLN_SAMPLE, WM_GETFONT, 0, 0));
    ::GetObjectW(hFont, sizeof(lf), &lf);
    if (phFont != nullptr)
        *phFont = hFont;
    return lf;
}

int SamplePixels(HWND hDialog, COLORREF cr)
{
    const HWND hSample = ::GetDlgItem(hDialog, IDC_QLN_SAMPLE);
    ::RedrawWindow(hSample, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rc = {};
    ::GetClientRect(hSample, &rc);
    HDC hDC = ::GetDC(hSample);
    PixelGrab grab(hDC, rc.right, rc.bottom);
    ::ReleaseDC(hSample, hDC);
    return grab.Count(cr, rc);
}

} // namespace

class QLNFontDialogTest : public testing::Test
{
protected:
    // The templates are the library's, found through the resource chain as a report object links it.
    static void SetUpTestSuite() { QLV_BaseLibInit(); }
};

TEST_F(QLNFontDialogTest, AUserChoosesFaceStyleSizeEffectsAndColourInTheModalDialog)
{
    CQLNFontDialog dialog;
    dialog.SetCurrentFont(Font(Height(12), 700, 1, L"Liberation Sans"));
    dialog.SetCurrentColor(0x0000FF);
    HWND h = nullptr;
    const auto Text = [&](int nID) { return TextOf(Parts(h, nID).hwndItem); };
    LOGFONTW lf = {};
    HFONT hFont = nullptr, hFontAfterColour = nullptr;
    ScopedRegistryValue helpControl(HKEY_CLASSES_ROOT, kHtmlHelpControlKey, nullptr);
    helpControl.SetString(REG_SZ, HtmlHelpRecorderProbe::RecorderPath());
    int nHelpCalls = 0;
    RecordedHelpCall help = {};
    ScriptedUser user(
        Settled(Waiting("the font dialog", [&] { return (h = dialog.m_hWnd) != nullptr && ::IsWindowVisible(h); }),
                {[&] {
                     EXPECT_EQ((std::vector<std::wstring>{L"Liberation Sans", L"Bold Italic", L"12"}),
                               (std::vector<std::wstring>{Text(IDC_QLN_FACE), Text(IDC_QLN_STYLE), Text(IDC_QLN_SIZE)}));
                     dialog.GetCurrentFont(lf);
                     EXPECT_TRUE(lf.lfHeight == Height(12) && lf.lfWeight == 700 && lf.lfItalic && lf.lfCharSet == 0)
                         << "left as shown: as given";
                     EXPECT_EQ(120000, dialog.GetCurrentSize().int64);
                     const std::vector<std::wstring> faces = Items(h, IDC_QLN_FACE);
                     const auto Listed = [&](const wchar_t* face) { return std::count(faces.begin(), faces.end(), face); };
                     EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end(), [](auto& a, auto& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) < 0; }));
                     EXPECT_TRUE(Listed(L"Liberation Serif") == 1 && Listed(L"Liberation Mono") == 1 && Listed(L"MS Sans Serif") == 0)
                         << "TrueType faces once each, no bitmap font";
                     EXPECT_EQ((std::vector<std::wstring>{L"Regular", L"Bold", L"Italic", L"Bold Italic"}), Items(h, IDC_QLN_STYLE));
                     EXPECT_EQ(16u, Items(h, IDC_QLN_SIZE).size());
                     EXPECT_GT(SamplePixels(h, 0x0000FF), 20) << "the sample in red";
                     ::SetFocus(::GetDlgItem(h, IDC_QLN_SIZE));   // as Tab does: the text selected
                     PressKeys(L"14");
                     return true;
                 },
                 [&] {
                     dialog.GetCurrentFont(lf);
                     EXPECT_TRUE(Text(IDC_QLN_SIZE) == L"14" && lf.lfHeight == Height(14));
                     EXPECT_EQ(140000, dialog.GetCurrentSize().int64) << "the size chosen, which whole pixels cannot hold";
                     EXPECT_EQ(5, ::SendDlgItemMessageW(h, IDC_QLN_SIZE, CB_GETCURSEL, 0, 0)) << "a listed size, selected";
                     PressKeys(L"\b\b13");
                     return true;
                 },
                 [&] {
                     dialog.GetCurrentFont(lf);
                     EXPECT_TRUE(Text(IDC_QLN_SIZE) == L"13" && lf.lfHeight == Height(13) && Shown(h).lfHeight == Height(13))
                         << "a size not in the list takes effect as typed";
                     EXPECT_EQ(CB_ERR, ::SendDlgItemMessageW(h, IDC_QLN_SIZE, CB_GETCURSEL, 0, 0));
                     return Type(h, IDC_QLN_FACE, L"liberation mono");
                 },
                 [&] {
                     EXPECT_EQ(L"Liberation Mono", Text(IDC_QLN_FACE)) << "the listed name replaces the typed one";
                     EXPECT_STREQ(L"Liberation Mono", Shown(h).lfFaceName);
                     EXPECT_EQ(DEFAULT_CHARSET, Shown(h).lfCharSet) << "a face chosen";
                     const HWND hList = Parts(h, IDC_QLN_STYLE).hwndList;
                     RECT rc = {};
                     ::SendMessageW(hList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
                     POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
                     ::ClientToScreen(hList, &pt);
                     ClickScreen(pt);   // "Regular"
                     return true;
                 },
                 [&] {
                     EXPECT_TRUE(Text(IDC_QLN_STYLE) == L"Regular" && Shown(h).lfWeight == 400 && !Shown(h).lfItalic);
                     PostClick(::GetDlgItem(h, IDC_QLN_UNDERLINE));
                     PostClick(::GetDlgItem(h, IDC_QLN_STRIKEOUT));
                     return true;
                 },
                 [&] {
                     EXPECT_TRUE(Shown(h, &hFont).lfUnderline && Shown(h).lfStrikeOut);
                     ::SetFocus(::GetDlgItem(h, IDC_QLN_COLOR));
                     PostKey(::GetDlgItem(h, IDC_QLN_COLOR), VK_DOWN);   // Lime, below Red
                     return true;
                 },
                 [&] {
                     Shown(h, &hFontAfterColour);
                     EXPECT_EQ(0x00FF00u, dialog.GetCurrentColor());
                     EXPECT_GT(SamplePixels(h, 0x00FF00), 20) << "the sample in lime";
                     return Type(h, IDC_QLN_FACE, L"Qq Nosuch Face");
                 },
                 [&] {
                     EXPECT_STREQ(L"Liberation Mono", Shown(h).lfFaceName) << "a face in no list changes nothing yet";
                     PostClick(::GetDlgItem(h, IDC_QLN_UNDERLINE));
                     return true;
                 },
                 [&] {
                     EXPECT_STREQ(L"Qq Nosuch Face", Shown(h).lfFaceName) << "the next refresh takes the typed face";
                     return Type(h, IDC_QLN_SIZE, L"100000");   // typed ahead: "10" on the way is listed
                 },
                 [&] {
                     EXPECT_TRUE(Text(IDC_QLN_SIZE) == L"10000" && Shown(h).lfHeight == Height(10000)) << "5 characters, taken as they are";
                     return Type(h, IDC_QLN_SIZE, L"ab");
                 },
                 [&] {
                     EXPECT_EQ(0, Shown(h).lfHeight) << "no number: the system's default height";
                     return Type(h, IDC_QLN_SIZE, L"10");
                 },
                 [&] {
                     EXPECT_TRUE(TextOf(::GetDlgItem(h, IDC_QLN_FONT_HELP)) == L"Help" && ::GetDlgItem(h, IDHELP) == nullptr);
                     nHelpCalls = HtmlHelpRecorderProbe::Calls();
                     return PostClick(::GetDlgItem(h, IDC_QLN_FONT_HELP)), true;
                 },
                 Waiting("the dialog's help", [&] { return HtmlHelpRecorderProbe::Calls(&help) == nHelpCalls + 1; }),
                 [&] { return Type(h, IDC_QLN_FACE, L"liberation s"); },
                 [&] {
                     EXPECT_EQ(L"Liberation Sans", Text(IDC_QLN_FACE)) << "completed to the first face that begins so";
                     PostClick(::GetDlgItem(h, IDOK));
                     return true;
                 }}),
        [&] { ::PostMessageW(dialog.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    EXPECT_TRUE(help.hwndCaller == h && help.dwData == 1061) << "help " << help.dwData << " over the dialog";
    EXPECT_EQ(hFont, hFontAfterColour) << "a colour alone re-creates no font";
    dialog.GetCurrentFont(lf);
    EXPECT_TRUE(lf.lfHeight == Height(10) && lf.lfWeight == 400 && !lf.lfItalic && !lf.lfUnderline && lf.lfStrikeOut);
    EXPECT_EQ(100000, dialog.GetCurrentSize().int64);
    EXPECT_STREQ(L"Liberation Sans", lf.lfFaceName);
    EXPECT_EQ(0x00FF00u, dialog.GetCurrentColor());
}

// Each listed size, typed as a user types it, gives the height of that many points on a screen
// of 96 pixels per inch, rounded to the nearest pixel, and the size in whole points. The dialog
// opens at 13 points, a size not listed, so that every row is a change the dialog converts.
TEST_F(QLNFontDialogTest, EachListedSizeGivesItsHeightAt96PixelsPerInch)
{
    struct Row
    {
        const wchar_t* size;
        LONG height;
        const char* rule;
    };
    const Row rows[] = {
        {L"8", -11, "10.67 pixels round up"},
        {L"9", -12, "a whole number of pixels"},
        {L"10", -13, "13.33 pixels round down"},
        {L"11", -15, "14.67 pixels round up"},
        {L"12", -16, "a whole number of pixels"},
        {L"14", -19, "18.67 pixels round up"},
        {L"16", -21, "21.33 pixels round down"},
        {L"18", -24, "a whole number of pixels"},
        {L"20", -27, "26.67 pixels round up"},
        {L"22", -29, "29.33 pixels round down"},
        {L"24", -32, "a whole number of pixels"},
        {L"26", -35, "34.67 pixels round up"},
        {L"28", -37, "37.33 pixels round down"},
        {L"36", -48, "half an inch"},
        {L"48", -64, "two thirds of an inch"},
        {L"72", -96, "an inch"},
    };
    const size_t nRows = sizeof rows / sizeof rows[0];
    HDC hScreen = ::GetDC(nullptr);
    const int nLogPixelsY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
    ::ReleaseDC(nullptr, hScreen);
    ASSERT_EQ(96, nLogPixelsY) << "the rows hold for a screen of 96 pixels per inch";

    CQLNFontDialog dialog;
    dialog.SetCurrentFont(Font(Height(13), 400, 0, L"Liberation Sans"));
    HWND h = nullptr;
    std::vector<ScriptedUser::Step> acts;
    acts.push_back([&] {
        std::vector<std::wstring> listed;
        for (const Row& row : rows)
            listed.push_back(row.size);
        EXPECT_EQ(listed, Items(h, IDC_QLN_SIZE)) << "a row for every listed size, in the list's order";
        return Type(h, IDC_QLN_SIZE, rows[0].size);
    });
    for (size_t i = 0; i < nRows; ++i) {
        acts.push_back([&, i] {
            const Row& row = rows[i];
            SCOPED_TRACE(testing::Message() << "size " << row.size << " pt: " << row.rule);
            LOGFONTW lf = {};
            dialog.GetCurrentFont(lf);
            EXPECT_EQ(row.size, TextOf(Parts(h, IDC_QLN_SIZE).hwndItem));
            EXPECT_EQ(static_cast<LRESULT>(i), ::SendDlgItemMessageW(h, IDC_QLN_SIZE, CB_GETCURSEL, 0, 0))
                << "the listed size selected";
            EXPECT_EQ(row.height, lf.lfHeight);
            EXPECT_EQ(row.height, Shown(h).lfHeight) << "the sample in the same height";
            EXPECT_EQ(_wtoi(row.size) * 10000LL, dialog.GetCurrentSize().int64);
            if (i + 1 < nRows)
                return Type(h, IDC_QLN_SIZE, rows[i + 1].size);
            PostClick(::GetDlgItem(h, IDOK));
            return true;
        });
    }
    ScriptedUser user(
        Settled(Waiting("the font dialog", [&] { return (h = dialog.m_hWnd) != nullptr && ::IsWindowVisible(h); }),
                std::move(acts)),
        [&] { ::PostMessageW(dialog.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    LOGFONTW lf = {};
    dialog.GetCurrentFont(lf);
    EXPECT_EQ(-96, lf.lfHeight) << "the last size typed, kept after OK";
}

namespace {

struct FontPage : CPropertyPage
{
    FontPage() : CPropertyPage(IDD_HOST_PAGE, IDS_HOST_PAGE) {}
    BOOL OnInitDialog() override { CPropertyPage::OnInitDialog(); return m_dialog.CreateFontDialog(this); }
    CQLNFontDialog m_dialog;
};

} // namespace

TEST_F(QLNFontDialogTest, EmbeddedInAPageItCoversItTakesAFontTheListsDoNotHoldAndReportsEachChangeAtOnce)
{
    CPropertySheet sheet(IDS_HOST_SHEET);
    FontPage page;
    // 31 characters, a height between two whole points, a weight between regular and bold, a
    // size given exactly.
    LOGFONTW given = Font(-14, 600, 0, L"An Uninstalled Face Of 31 Chars");
    given.lfCharSet = GREEK_CHARSET;
    page.m_dialog.SetCurrentFont(given);
    page.m_dialog.SetCurrentSize(CY{{110000, 0}});
    sheet.AddPage(&page);
    HWND h = nullptr;
    LOGFONTW lf = {};
    std::vector<BOOL> apply;
    ScriptedUser user(
        Settled(Waiting("the font dialog on its page", [&] { return (h = page.m_dialog.m_hWnd) != nullptr && ::IsWindowVisible(h); }),
                {[&] {
                     RECT rcPage = {}, rcDialog = {};
                     ::GetClientRect(page.m_hWnd, &rcPage);
                     ::GetWindowRect(h, &rcDialog);
                     ::MapWindowPoints(nullptr, page.m_hWnd, reinterpret_cast<POINT*>(&rcDialog), 2);
                     EXPECT_TRUE(::EqualRect(&rcPage, &rcDialog)) << "covers the page";
                     EXPECT_TRUE((::GetWindowLongW(h, GWL_STYLE) & WS_TABSTOP) && (::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_CONTROLPARENT));
                     EXPECT_EQ(L"11", TextOf(Parts(h, IDC_QLN_SIZE).hwndItem)) << "10.5 points, rounded away from zero";
                     EXPECT_EQ(L"Regular", TextOf(Parts(h, IDC_QLN_STYLE).hwndItem));
                     page.m_dialog.GetCurrentFont(lf);
                     EXPECT_EQ(0, std::memcmp(&given, &lf, sizeof lf)) << "what the user left as shown stays as given";
                     EXPECT_EQ(110000, page.m_dialog.GetCurrentSize().int64);
                     EXPECT_STREQ(L"An Uninstalled Face Of 31 Chars", Shown(h).lfFaceName) << "carried whole";
                     apply.push_back(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, 0x3021)));
                     PostClick(::GetDlgItem(h, IDC_QLN_STRIKEOUT));
                     return true;
                 },
                 [&] {
                     apply.push_back(::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, 0x3021)));
                     page.m_dialog.GetCurrentFont(lf);
                     EXPECT_EQ(1, lf.lfStrikeOut) << "read back at once, without OK";
                     EXPECT_TRUE(lf.lfHeight == -14 && lf.lfWeight == 600 && lf.lfCharSet == GREEK_CHARSET) << "the rest untouched";
                     return Type(h, IDC_QLN_SIZE, L"12");
                 },
                 [&] {
                     page.m_dialog.GetCurrentFont(lf);
                     EXPECT_TRUE(lf.lfHeight == Height(12) && page.m_dialog.GetCurrentSize().int64 == 120000);
                     return Type(h, IDC_QLN_SIZE, L"11");
                 },
                 [&] {
                     page.m_dialog.GetCurrentFont(lf);
                     EXPECT_TRUE(lf.lfHeight == -14 && page.m_dialog.GetCurrentSize().int64 == 110000)
                         << "the size shown at first is the size given again";
                     PostClick(::GetDlgItem(sheet.m_hWnd, IDCANCEL));
                     return true;
                 }}),
        [&] { ::PostMessageW(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    sheet.DoModal();
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    EXPECT_EQ((std::vector<BOOL>{FALSE, TRUE}), apply) << "its creation leaves the page unmodified; the user's click marks it";
}

// The modal dialog keeps its layout: it has no maximize box, and a maximize asked for all the same
// (a window manager's key, the system menu, a double click on the caption) changes nothing. Its
// face list is as wide as its longest face, the boxes right of it moved along.
TEST_F(QLNFontDialogTest, TheModalDialogCannotBeMaximizedAndItsFaceListShowsEveryFaceWhole)
{
    CQLNFontDialog dialog;
    HWND h = nullptr;
    RECT rcBefore = {};
    ScriptedUser user(
        Settled([&] { return (h = dialog.m_hWnd) != nullptr && ::IsWindowVisible(h); },
                {[&] {
                     EXPECT_FALSE(::GetWindowLongPtrW(h, GWL_STYLE) & WS_MAXIMIZEBOX);
                     ::GetWindowRect(h, &rcBefore);
                     ::PostMessageW(h, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
                     ::PostMessageW(h, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
                     return true;
                 },
                 [&] {
                     RECT rc = {};
                     ::GetWindowRect(h, &rc);
                     EXPECT_FALSE(::IsZoomed(h));
                     EXPECT_TRUE(::EqualRect(&rc, &rcBefore));
                     const COMBOBOXINFO face = Parts(h, IDC_QLN_FACE);
                     RECT rcList = {}, rcFace = {}, rcStyle = {};
                     ::GetClientRect(face.hwndList, &rcList);
                     ::GetWindowRect(::GetDlgItem(h, IDC_QLN_FACE), &rcFace);
                     ::GetWindowRect(::GetDlgItem(h, IDC_QLN_STYLE), &rcStyle);
                     EXPECT_GT(rcStyle.left, rcFace.right) << "the style box moved along";
                     const HDC hDC = ::GetDC(face.hwndList);
                     const HGDIOBJ hOld = ::SelectObject(hDC, reinterpret_cast<HGDIOBJ>(::SendMessageW(face.hwndList, WM_GETFONT, 0, 0)));
                     std::wstring widest;
                     int cxWidest = 0;
                     for (const std::wstring& name : Items(h, IDC_QLN_FACE)) {
                         SIZE size = {};
                         ::GetTextExtentPoint32W(hDC, name.c_str(), static_cast<int>(name.size()), &size);
                         if (size.cx > cxWidest)
                             cxWidest = size.cx, widest = name;
                     }
                     ::SelectObject(hDC, hOld);
                     ::ReleaseDC(face.hwndList, hDC);
                     EXPECT_LE(cxWidest + 2, rcList.right) << std::string(widest.begin(), widest.end()) << " is cut";
                     return ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0), true;
                 }}),
        [&] { ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(user.Finished());
}
