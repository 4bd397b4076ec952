// The font dialog driven as a user drives it, modal and embedded in a page of the framework's
// sheet: what the boxes offer, and how each choice reaches the sample and the font read back.
#include "CPropertySheet.h"
#include "QLNBaseLibrary.h"
#include "QLNBaseRes.h"
#include "QLNFontDialog.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"
#include "pickers_tests_res.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    lf.lfHeight = nHeight;
    lf.lfWeight = nWeight;
    lf.lfItalic = bItalic;
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
    std::vector<std::wstring> items;
    const int nCount = static_cast<int>(::SendDlgItemMessageW(hDialog, nID, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i) {
        wchar_t sz[LF_FULLFACESIZE] = {};
        ::SendDlgItemMessageW(hDialog, nID, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(sz));
        items.push_back(sz);
    }
    return items;
}

// The user types into a box's edit field, which has the focus as it would after a click.
void Type(HWND hDialog, int nID, const std::wstring& text)
{
    const HWND hEdit = Parts(hDialog, nID).hwndItem;
    ::SetFocus(hEdit);
    PostTyping(hEdit, text);
}

HFONT SampleFont(HWND hDialog)
{
    return reinterpret_cast<HFONT>(::SendDlgItemMessageW(hDialog, IDC_QLN_SAMPLE, WM_GETFONT, 0, 0));
}

LOGFONTW Shown(HWND hDialog)
{
    LOGFONTW lf = {};
    ::GetObjectW(SampleFont(hDialog), sizeof(lf), &lf);
    return lf;
}

// How many of the sample's pixels are in the colour (0x00BBGGRR).
int SamplePixels(HWND hDialog, COLORREF cr)
{
    const HWND hSample = ::GetDlgItem(hDialog, IDC_QLN_SAMPLE);
    ::RedrawWindow(hSample, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rc = {};
    ::GetClientRect(hSample, &rc);
    HDC hDC = ::GetDC(hSample);
    PixelGrab grab(hDC, rc.right, rc.bottom);
    ::ReleaseDC(hSample, hDC);
    const DWORD rgb = (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr);
    int n = 0;
    for (int y = 0; y < grab.Height(); ++y)
        for (int x = 0; x < grab.Width(); ++x)
            n += grab.At(x, y) == rgb;
    return n;
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
    const LOGFONTW lfIn = Font(Height(12), 700, 1, L"Liberation Sans");
    dialog.SetCurrentFont(lfIn);
    dialog.SetCurrentColor(0x0000FF);
    HWND h = nullptr;
    const auto Text = [&](int nID) { return TextOf(Parts(h, nID).hwndItem); };
    LOGFONTW lf = {};
    HFONT hBeforeColour = nullptr;
    ScriptedUser user(
        Settled([&] { return (h = dialog.m_hWnd) != nullptr && ::IsWindowVisible(h); },
                {[&] {
                     EXPECT_EQ(L"Liberation Sans", Text(IDC_QLN_FACE));
                     EXPECT_EQ(L"Bold Italic", Text(IDC_QLN_STYLE));
                     EXPECT_EQ(L"12", Text(IDC_QLN_SIZE));
                     dialog.GetCurrentFont(lf);
                     EXPECT_TRUE(lf.lfHeight == Height(12) && lf.lfWeight == 700 && lf.lfItalic == 1 && lf.lfCharSet == 1)
                         << "refreshed from the boxes at once, character set 1";
                     const std::vector<std::wstring> faces = Items(h, IDC_QLN_FACE);
                     EXPECT_TRUE(std::is_sorted(faces.begin(), faces.end(), [](auto& a, auto& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) < 0; }) &&
                                 std::adjacent_find(faces.begin(), faces.end()) == faces.end()) << "sorted, each once";
                     for (const wchar_t* face : {L"Liberation Serif", L"Liberation Sans", L"Liberation Mono"})
                         EXPECT_NE(faces.end(), std::find(faces.begin(), faces.end(), face)) << "TrueType: listed";
                     EXPECT_EQ(faces.end(), std::find(faces.begin(), faces.end(), L"MS Sans Serif")) << "a bitmap font is not";
                     EXPECT_EQ((std::vector<std::wstring>{L"Regular", L"Bold", L"Italic", L"Bold Italic"}), Items(h, IDC_QLN_STYLE));
                     EXPECT_EQ(16u, Items(h, IDC_QLN_SIZE).size());
                     EXPECT_EQ(9, ::SendDlgItemMessageW(h, IDC_QLN_COLOR, CB_GETCURSEL, 0, 0)) << "Red";
                     EXPECT_GT(SamplePixels(h, 0x0000FF), 20) << "the sample in red";
                     Type(h, IDC_QLN_SIZE, L"13");
                     return true;
                 },
                 [&] {
                     EXPECT_EQ(Height(13), Shown(h).lfHeight) << "a size not in the list takes effect as typed";
                     Type(h, IDC_QLN_FACE, L"liberation mono");
                     return true;
                 },
                 [&] {
                     EXPECT_EQ(L"Liberation Mono", Text(IDC_QLN_FACE)) << "the listed name replaces the typed one";
                     EXPECT_STREQ(L"Liberation Mono", Shown(h).lfFaceName);
                     RECT rc = {};
                     const HWND hList = Parts(h, IDC_QLN_STYLE).hwndList;
                     ::SendMessageW(hList, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
                     POINT pt = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
                     ::ClientToScreen(hList, &pt);
                     ClickScreen(pt);
                     return true;
                 },
                 [&] {
                     EXPECT_EQ(L"Regular", Text(IDC_QLN_STYLE));
                     EXPECT_TRUE(Shown(h).lfWeight == 400 && !Shown(h).lfItalic) << "Regular, clicked in the list";
                     PostClick(::GetDlgItem(h, IDC_QLN_UNDERLINE));
                     PostClick(::GetDlgItem(h, IDC_QLN_STRIKEOUT));
                     return true;
                 },
                 [&] {
                     EXPECT_TRUE(Shown(h).lfUnderline && Shown(h).lfStrikeOut);
                     hBeforeColour = SampleFont(h);
                     ::SetFocus(::GetDlgItem(h, IDC_QLN_COLOR));
                     PostKey(::GetDlgItem(h, IDC_QLN_COLOR), VK_DOWN);
                     return true;
                 },
                 [&] {
                     EXPECT_EQ(0x00FF00u, dialog.GetCurrentColor()) << "Lime, below Red";
                     EXPECT_EQ(hBeforeColour, SampleFont(h)) << "a colour alone re-creates no font";
                     EXPECT_GT(SamplePixels(h, 0x00FF00), 20) << "the sample in lime";
                     Type(h, IDC_QLN_FACE, L"Nosuch Face");
                     return true;
                 },
                 [&] {
                     EXPECT_STREQ(L"Liberation Mono", Shown(h).lfFaceName) << "a face in no list changes nothing yet";
                     PostClick(::GetDlgItem(h, IDC_QLN_UNDERLINE));
                     return true;
                 },
                 [&] {
                     dialog.GetCurrentFont(lf);
                     EXPECT_STREQ(L"Nosuch Face", lf.lfFaceName) << "the next refresh takes the typed face";
                     EXPECT_EQ(0, lf.lfUnderline);
                     Type(h, IDC_QLN_SIZE, L"777777");
                     return true;
                 },
                 [&] {
                     EXPECT_EQ(L"77777", Text(IDC_QLN_SIZE)) << "five characters at most";
                     EXPECT_EQ(Height(77777), Shown(h).lfHeight) << "out of the list's range, taken as it is";
                     Type(h, IDC_QLN_SIZE, L"ab");
                     return true;
                 },
                 [&] {
                     EXPECT_EQ(0, Shown(h).lfHeight) << "no number: the system's default height";
                     Type(h, IDC_QLN_SIZE, L"10");
                     return true;
                 },
                 [&] { PostClick(::GetDlgItem(h, IDOK)); return true; }}),
        [&] { ::PostMessageW(dialog.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
    dialog.GetCurrentFont(lf);
    EXPECT_TRUE(lf.lfHeight == Height(10) && lf.lfWeight == 400 && !lf.lfItalic && !lf.lfUnderline && lf.lfStrikeOut)
        << "what the user chose last";
    EXPECT_STREQ(L"Nosuch Face", lf.lfFaceName);
    EXPECT_EQ(0x00FF00u, dialog.GetCurrentColor());
}

namespace {

class FontPage : public CPropertyPage
{
public:
    FontPage() : CPropertyPage(IDD_HOST_PAGE, IDS_HOST_PAGE) {}
    CQLNFontDialog m_dialog;

    BOOL OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        return m_dialog.CreateFontDialog(this);
    }
};

} // namespace

TEST_F(QLNFontDialogTest, EmbeddedInAPageItCoversItTakesAFontTheListsDoNotHoldAndReportsEachChangeAtOnce)
{
    CPropertySheet sheet(IDS_HOST_SHEET);
    FontPage page;
    // 31 characters, a height between two whole points, a weight between regular and bold.
    page.m_dialog.SetCurrentFont(Font(-14, 600, 0, L"An Uninstalled Face Of 31 Chars"));
    sheet.AddPage(&page);
    HWND h = nullptr;
    LOGFONTW lf = {};
    const auto Apply = [&] { return ::IsWindowEnabled(::GetDlgItem(sheet.m_hWnd, 0x3021)); };
    ScriptedUser user(
        Settled([&] { return (h = page.m_dialog.m_hWnd) != nullptr && ::IsWindowVisible(h); },
                {[&] {
                     RECT rcPage = {}, rcDialog = {};
                     ::GetClientRect(page.m_hWnd, &rcPage);
                     ::GetWindowRect(h, &rcDialog);
                     ::MapWindowPoints(nullptr, page.m_hWnd, reinterpret_cast<POINT*>(&rcDialog), 2);
                     EXPECT_TRUE(::EqualRect(&rcPage, &rcDialog)) << "covers the page";
                     EXPECT_TRUE(::GetWindowLongW(h, GWL_STYLE) & WS_TABSTOP);
                     EXPECT_TRUE(::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) << "a control of its page";
                     EXPECT_FALSE(Apply()) << "its own creation does not modify the page";
                     EXPECT_EQ(L"11", TextOf(Parts(h, IDC_QLN_SIZE).hwndItem)) << "10.5 points, rounded away from zero";
                     EXPECT_EQ(L"Regular", TextOf(Parts(h, IDC_QLN_STYLE).hwndItem));
                     EXPECT_EQ(CB_ERR, ::SendDlgItemMessageW(h, IDC_QLN_FACE, CB_GETCURSEL, 0, 0));
                     page.m_dialog.GetCurrentFont(lf);
                     EXPECT_TRUE(lf.lfHeight == Height(11) && lf.lfWeight == 400 && lf.lfCharSet == 1);
                     EXPECT_STREQ(L"An Uninstalled Face Of 31 Chars", lf.lfFaceName) << "carried whole";
                     PostClick(::GetDlgItem(h, IDC_QLN_STRIKEOUT));
                     return true;
                 },
                 [&] {
                     EXPECT_TRUE(Apply()) << "a change of the user's modifies the page";
                     page.m_dialog.GetCurrentFont(lf);
                     EXPECT_EQ(1, lf.lfStrikeOut) << "read back at once, without OK";
                     PostClick(::GetDlgItem(sheet.m_hWnd, IDCANCEL));
                     return true;
                 }}),
        [&] { ::PostMessageW(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0); });
    sheet.DoModal();
    EXPECT_TRUE(user.Finished()) << "steps done: " << user.StepsDone();
}
