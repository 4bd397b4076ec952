// The report page host as a person uses it: objects inserted from the category list, moved and
// resized with the mouse, nudged with the keys, edited in their sheets and in place, saved,
// closed and opened again; and the command line that builds, lists, pictures and prints pages.
// The window is the host's own, in this process, driven by real input.
#include "CQLNPageWindow.h"
#include "CompoundFileBytes.h"
#include "CQLNPagePrinter.h"
#include "CQLNReportPageTools.h"
#include "CQLNReportResolver.h"
#include "CQLNPageScale.h"
#include "CQLNReportPageTools.h"
#include "CQLNReportResolver.h"
#include "CQLNTextObjClient.h"
#include "CQLNUnixProgram.h"
#include "E2eSupport.h"
#include "EmfScan.h"
#include "QLNBaseRes.h"
#include "QLNReportPageRes.h"
#include "ReportPageHost.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace qlntest;
using Microsoft::WRL::ComPtr;

namespace {

// Pumps this thread's messages until the condition holds; false after the seconds pass.
bool WaitFor(const std::function<bool()>& condition, int nSeconds = 5)
{
    const ULONGLONG end = ::GetTickCount64() + nSeconds * 1000ull;
    while (!condition()) {
        if (::GetTickCount64() > end)
            return false;
        PumpMessages();
    }
    return true;
}

// The mouse as the system's input queue gets it: absolute moves, so no pointer speed applies.
void Mouse(HWND hWnd, POINT pt, DWORD dwButton)
{
    ::ClientToScreen(hWnd, &pt);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | dwButton;
    in.mi.dx = static_cast<LONG>((pt.x * 65536LL + cx - 1) / cx);
    in.mi.dy = static_cast<LONG>((pt.y * 65536LL + cy - 1) / cy);
    ::SendInput(1, &in, sizeof(INPUT));
    for (int i = 0; i < 3; ++i)
        PumpMessages();
}

// A right click, down and up in one go: the menu it opens runs its own loop from the release.
void RightClick(HWND hWnd, POINT pt)
{
    ::ClientToScreen(hWnd, &pt);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in[2] = {};
    const DWORD buttons[2] = {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP};
    for (int i = 0; i < 2; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons[i];
        in[i].mi.dx = static_cast<LONG>((pt.x * 65536LL + cx - 1) / cx);
        in[i].mi.dy = static_cast<LONG>((pt.y * 65536LL + cy - 1) / cy);
    }
    ::SendInput(2, in, sizeof(INPUT));
    for (int i = 0; i < 3; ++i)
        PumpMessages();
}

// The popup menu on screen and its items' commands (0 for a separator); none when no menu is open.
HMENU ShownMenu()
{
    for (HWND h = ::FindWindowExW(nullptr, nullptr, L"#32768", nullptr); h != nullptr;
         h = ::FindWindowExW(nullptr, h, L"#32768", nullptr))
        if (::IsWindowVisible(h))
            return reinterpret_cast<HMENU>(::SendMessageW(h, MN_GETHMENU, 0, 0));
    return nullptr;
}

std::vector<UINT> CommandsOf(HMENU hMenu)
{
    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
        ids.push_back(::GetMenuItemID(hMenu, i));
    return ids;
}

// Which of the page's settings the menu marks as chosen, each with a radio mark.
std::vector<UINT> MarkedIn(HMENU hMenu)
{
    std::vector<UINT> marked;
    for (UINT nID : {ID_PAGE_A4, ID_PAGE_LETTER, ID_PAGE_PORTRAIT, ID_PAGE_LANDSCAPE, ID_PAGE_MARGIN_10, ID_PAGE_MARGIN_20,
                     ID_PAGE_MARGIN_25, ID_ZOOM_50, ID_ZOOM_75, ID_ZOOM_100, ID_ZOOM_150}) {
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE;
        if (::GetMenuItemInfoW(hMenu, nID, FALSE, &mii) && (mii.fState & MFS_CHECKED) != 0 && (mii.fType & MFT_RADIOCHECK) != 0)
            marked.push_back(nID);
    }
    return marked;
}

bool IsGrayed(HMENU hMenu, UINT nID)
{
    return (::GetMenuState(hMenu, nID, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

void Click(HWND hWnd, POINT pt)
{
    Mouse(hWnd, pt, MOUSEEVENTF_LEFTDOWN);
    Mouse(hWnd, pt, MOUSEEVENTF_LEFTUP);
}

// Both clicks in one go: pumping between them could outlast the double-click time on a busy machine.
void DoubleClick(HWND hWnd, POINT pt)
{
    ::ClientToScreen(hWnd, &pt);
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in[4] = {};
    const DWORD buttons[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 4; ++i) {
        in[i].type = INPUT_MOUSE;
        in[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons[i];
        in[i].mi.dx = static_cast<LONG>((pt.x * 65536LL + cx - 1) / cx);
        in[i].mi.dy = static_cast<LONG>((pt.y * 65536LL + cy - 1) / cy);
    }
    ::SendInput(4, in, sizeof(INPUT));
}

void Drag(HWND hWnd, POINT from, POINT to)
{
    Mouse(hWnd, from, MOUSEEVENTF_LEFTDOWN);
    Mouse(hWnd, POINT{(from.x + to.x) / 2, (from.y + to.y) / 2}, 0);
    Mouse(hWnd, to, 0);
    Mouse(hWnd, to, MOUSEEVENTF_LEFTUP);
}

void Keys(const std::vector<WORD>& keys)
{
    PressChord(keys);
    for (int i = 0; i < 3; ++i)
        PumpMessages();
}

POINT Centre(const RECT& rc)
{
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

HCURSOR CursorAt(HWND hWnd, POINT pt)
{
    Mouse(hWnd, pt, 0);
    return ::GetCursor();
}

std::vector<std::wstring> LinesOf(CQLNPageObject& object)
{
    CQLNTextObjClient client;
    std::vector<std::wstring> lines;
    std::wstring error;
    EXPECT_TRUE(client.Attach(object.Object(), error) && client.GetLines(lines, error)) << error;
    return lines;
}

double FirstColumnRatio(CQLNPageObject& object)
{
    CQLNTextObjClient client;
    std::wstring error;
    VARIANT arg, result;
    ::VariantInit(&arg);
    V_VT(&arg) = VT_I4;
    V_I4(&arg) = 0;
    EXPECT_TRUE(client.Attach(object.Object(), error) && client.CallMethod(L"GetColumnWidthRatio", {arg}, &result, error))
        << error;
    ::VariantChangeType(&result, &result, 0, VT_R8);
    return V_R8(&result);
}

bool Contains(const std::vector<std::wstring>& lines, const std::wstring& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The property set the object would save now; it stays modified as it was.
std::string SavedData(CQLNPageObject& object)
{
    CQLNTextObjClient client;
    std::string bytes;
    std::wstring error;
    EXPECT_TRUE(client.Attach(object.Object(), error) && client.SaveStream(bytes, error, false)) << error;
    return bytes;
}

// The page as its window draws it at the zoom, the paper's corner at the picture's.
PixelGrab DrawnPage(const CQLNReportPage& page, int nZoom)
{
    const SIZE shown = CQLNPageScale::Screen(nZoom, POINT{0, 0}).ToDevice(page.Size());
    const int nWidth = shown.cx, nHeight = shown.cy;
    const HDC hScreen = ::GetDC(nullptr);
    const HDC hMem = ::CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, nWidth, nHeight);
    ::ReleaseDC(nullptr, hScreen);
    const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    std::wstring error;
    page.Draw(hMem, POINT{0, 0}, nZoom, error);
    EXPECT_EQ(L"", error);
    PixelGrab picture(hMem, nWidth, nHeight);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    return picture;
}

// The texts of the page as its window draws it at the zoom, recorded into a metafile.
EmfScan PageTexts(const CQLNReportPage& page, int nZoom)
{
    const HDC hRecord = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    std::wstring error;
    page.Draw(hRecord, POINT{0, 0}, nZoom, error);
    EXPECT_EQ(L"", error);
    const HENHMETAFILE hEmf = ::CloseEnhMetaFile(hRecord);
    EmfScan scan(hEmf);
    ::DeleteEnhMetaFile(hEmf);
    return scan;
}

// A window's client area as the screen shows it.
PixelGrab OnScreen(HWND hWnd)
{
    RECT rc = {};
    ::GetClientRect(hWnd, &rc);
    const HDC hdc = ::GetDC(hWnd);
    PixelGrab picture(hdc, rc.right, rc.bottom);
    ::ReleaseDC(hWnd, hdc);
    return picture;
}

// An object's place in the picture of the page at the zoom.
RECT PlaceAt(const CQLNPageObject& object, int nZoom)
{
    return CQLNPageScale::Screen(nZoom, POINT{0, 0}).ToDevice(object.Place());
}

// Whether a pixel is drawn on: anything but white and the palest greys, since small text is
// drawn in greys.
bool IsDrawn(const PixelGrab& picture, int x, int y)
{
    const DWORD c = picture.At(x, y);
    return (c & 0xFF) < 0xE0 || ((c >> 8) & 0xFF) < 0xE0 || ((c >> 16) & 0xFF) < 0xE0;
}

// The box of what is drawn within rc of the picture, from rc's corner. The edges of rc are left
// out, where the margins' dotted line runs along an object placed at them.
RECT InkWithin(const PixelGrab& picture, const RECT& rc)
{
    RECT box = {rc.right, rc.bottom, rc.left, rc.top};
    for (int y = rc.top + 1; y < rc.bottom - 1; ++y)
        for (int x = rc.left + 1; x < rc.right - 1; ++x)
            if (IsDrawn(picture, x, y))
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                       std::max<LONG>(box.bottom, y + 1)};
    if (box.left >= box.right)
        return RECT{0, 0, 0, 0};
    ::OffsetRect(&box, -rc.left, -rc.top);
    return box;
}

// The height of the first line of text within rc (its edges left out): from the first row drawn
// on to the next blank row.
int FirstLineHeight(const PixelGrab& picture, const RECT& rc)
{
    int nTop = -1;
    for (int y = rc.top + 1; y < rc.bottom - 1; ++y) {
        bool bDrawn = false;
        for (int x = rc.left + 1; x < rc.right - 1 && !bDrawn; ++x)
            bDrawn = IsDrawn(picture, x, y);
        if (bDrawn && nTop < 0)
            nTop = y;
        else if (!bDrawn && nTop >= 0)
            return y - nTop;
    }
    return 0;
}

// Where a text object active in place shows its column borders: the middle of each grab handle
// along its top.
std::vector<int> BordersShown(const PixelGrab& picture)
{
    const DWORD handle = PixelGrab::Rgb(RGB(146, 213, 208));
    std::vector<int> borders;
    for (int x = 0, start = -1; x <= picture.Width(); ++x) {
        const bool bHandle = x < picture.Width() && picture.Height() > 2 && picture.At(x, 2) == handle;
        if (bHandle && start < 0)
            start = x;
        if (!bHandle && start >= 0) {
            borders.push_back((start + x) / 2);
            start = -1;
        }
    }
    return borders;
}

class ReportPage : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_registration.Result());
        ASSERT_EQ(S_OK, m_peakTable.Result());
        ASSERT_EQ(S_OK, m_annotation.Result());
    }
    void TearDown() override
    {
        // A page left modified would ask; the test has said what it wanted by now.
        if (m_window && m_window->Handle() != nullptr)
            m_window->Page().Close();
        m_window.reset();
    }

    void OpenWindow(const std::wstring& path, int nZoom = 100)
    {
        m_window = std::make_unique<CQLNPageWindow>();
        std::wstring error;
        ASSERT_TRUE(m_window->Create(path, nZoom, error)) << std::string(error.begin(), error.end());
        m_hWnd = m_window->Handle();
        ::SetForegroundWindow(m_hWnd);
        ::SetFocus(m_hWnd);
        PumpMessages();
    }
    std::wstring Title() const { return TextOf(m_hWnd); }
    // An item of the window's menu as the menu bar has it now: its text, and "" when it is grayed.
    std::wstring MenuItem(UINT nID) const
    {
        const HMENU hMenu = ::GetMenu(m_hWnd);
        wchar_t sz[128] = {};
        ::GetMenuStringW(hMenu, nID, sz, 128, MF_BYCOMMAND);
        return (::GetMenuState(hMenu, nID, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0 ? std::wstring() : sz;
    }
    // Objects put on the page as the command line's --insert puts them, and shown.
    void InsertByName(std::initializer_list<const wchar_t*> names)
    {
        for (const wchar_t* name : names) {
            std::wstring error;
            ASSERT_TRUE(CQLNReportPageTools::InsertByName(m_window->Page(), m_window.get(), name, error))
                << std::string(error.begin(), error.end());
        }
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        PumpMessages();
    }
    // Keys as the host's own message loop hands them on: the object active in place first.
    void HostKeys(const std::vector<WORD>& keys)
    {
        PressChord(keys);
        for (int round = 0; round < 5; ++round) {
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                if (!m_window->PreTranslate(msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
            ::Sleep(10);
        }
    }
    // A name typed into the system's file dialog, then Enter.
    std::vector<ScriptedUser::Step> TypeFileName(const std::wstring& name) const
    {
        return {Waiting("the file dialog", [this] {
                    const HWND hDlg = FindOwnedDialog(m_hWnd);
                    return hDlg != nullptr && ::IsWindowVisible(hDlg) && ::IsChild(hDlg, ::GetFocus());
                }),
                [name] { return PostTyping(::GetFocus(), name), true; },
                Waiting("the name typed", [name] { return TextOf(::GetFocus()) == name; }),
                [] { return PressChord({VK_RETURN}), true; }};
    }
    // File > Preview with Results by keyboard: the folder typed into the open dialog first (it
    // starts where the last file dialog was), then the names; when a message is awaited, its text
    // is kept and OK pressed. True when the steps ended and the dialogs went.
    bool PreviewResults(const std::wstring& typed, std::wstring* pMessage = nullptr)
    {
        std::vector<ScriptedUser::Step> steps = {Waiting("the menu", [] { return ShownMenu() != nullptr; }),
                                                 [] { return PressChord({'R'}), true; }};
        for (auto& step : TypeFileName(m_folder.Path(L"")))
            steps.push_back(std::move(step));
        // Wine does not always empty the name box once it has opened the folder: the box is given
        // a moment, then its text selected and typed over.
        auto ticks = std::make_shared<int>(0);
        steps.push_back(Waiting("the folder opened", [this, ticks] {
            const HWND hDlg = FindOwnedDialog(m_hWnd);
            return hDlg != nullptr && ::IsChild(hDlg, ::GetFocus()) && (TextOf(::GetFocus()).empty() || ++*ticks > 15);
        }));
        steps.push_back([] { return PressChord({VK_HOME}), PressChord({VK_SHIFT, VK_END}), true; });
        steps.push_back([typed] { return PostTyping(::GetFocus(), typed), true; });
        steps.push_back(Waiting("the names typed", [typed] { return TextOf(::GetFocus()) == typed; }));
        steps.push_back([] { return PressChord({VK_RETURN}), true; });
        if (pMessage != nullptr) {
            steps.push_back(Waiting("the message", [this, pMessage] {
                const HWND hBox = FindOwnedDialog(m_hWnd);
                return hBox != nullptr && ::IsWindowVisible(hBox) && ::GetDlgItem(hBox, IDOK) != nullptr &&
                       ::GetDlgItem(hBox, IDCANCEL) == nullptr && !(*pMessage = MessageBoxText(hBox)).empty();
            }));
            steps.push_back([this] { return PostClick(::GetDlgItem(FindOwnedDialog(m_hWnd), IDOK)), true; });
        }
        return InModal([] { Keys({VK_MENU, 'F'}); }, std::move(steps));
    }
    RECT Shown(size_t nIndex) const { return m_window->ClientRectOf(*m_window->Page().Objects().at(nIndex).Get()); }
    CQLNPageObject& Object(size_t nIndex) const { return *m_window->Page().Objects().at(nIndex).Get(); }

    // A modal dialog the action opens, and the steps of the user in it; true when the steps
    // ended and the dialog went.
    bool InModal(std::function<void()> action, std::vector<ScriptedUser::Step> steps)
    {
        ScriptedUser user(std::move(steps), [] { ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
        action();
        return WaitFor([&] { return user.Finished() && !OwnsDialog(m_hWnd); }, 15) && user.Finished();
    }

    // A double click on the first object opens its sheet, where "Data file" is removed and OK
    // pressed; true when the sheet went.
    bool RemoveDataFileInTheSheet()
    {
        HWND hSheet = nullptr;
        auto page = [&](int nID) {
            return ::GetDlgItem(reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0)), nID);
        };
        return InModal(
            [&] { DoubleClick(m_hWnd, Centre(Shown(0))); },
            {Waiting("the object's sheet", [&] {
                 hSheet = ::FindWindowW(L"#32770", L"Sample Information");
                 return hSheet != nullptr && ::IsWindowVisible(hSheet) && page(IDC_QLN_DATA_SELECTED) != nullptr;
             }),
             [&] {
                 const HWND hList = page(IDC_QLN_DATA_SELECTED);
                 const LRESULT row = ::SendMessageW(hList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(L"Data file: {DataFile}"));
                 RECT rc = {};
                 ::SendMessageW(hList, LB_SETTOPINDEX, row, 0);
                 ::SendMessageW(hList, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
                 PostClickAt(hList, POINT{rc.left + 4, (rc.top + rc.bottom) / 2});
                 return row != LB_ERR;
             },
             [&] { return PostClick(page(IDC_QLN_DATA_REMOVE)), true; },
             [&] { return PostClick(::GetDlgItem(hSheet, IDOK)), true; }});
    }

    // Insert, a click on the named class in the list, then Enter; listed is the line clicked.
    bool InsertFromList(std::wstring& listed, const wchar_t* pszName = L"Sample Text Object")
    {
        LRESULT row = LB_ERR;
        return InModal([] { Keys({VK_INSERT}); },
                       {Waiting("the insert dialog", [&] {
                            const HWND hDlg = FindOwnedDialog(m_hWnd);
                            if (hDlg == nullptr || TextOf(hDlg) != L"Insert Report Object")
                                return false;
                            const HWND hList = ::GetDlgItem(hDlg, 201);
                            row = ::SendMessageW(hList, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(pszName));
                            if (row == LB_ERR)
                                return false;
                            wchar_t sz[256] = {};
                            ::SendMessageW(hList, LB_GETTEXT, row, reinterpret_cast<LPARAM>(sz));
                            listed = sz;
                            RECT rc = {};
                            ::SendMessageW(hList, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rc));
                            return PostClickAt(hList, POINT{rc.left + 4, (rc.top + rc.bottom) / 2}), true;
                        }),
                        Waiting("the class chosen", [&] {
                            const HWND hDlg = FindOwnedDialog(m_hWnd);
                            if (hDlg == nullptr || ::SendDlgItemMessageW(hDlg, 201, LB_GETCURSEL, 0, 0) != row)
                                return false;
                            return PressChord({VK_RETURN}), true;
                        })});
    }

    E2e::SampleRegistration m_registration;
    E2e::SampleRegistration m_peakTable{L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable"};
    E2e::SampleRegistration m_annotation{L"QLNSampleAnnotation.dll", L"QLNSample.Annotation"};
    E2e::ScratchFolder m_folder;
    std::unique_ptr<CQLNPageWindow> m_window;
    HWND m_hWnd = nullptr;
};

} // namespace

// A page designed from start to end: two objects inserted from the category list, one moved by
// the mouse, the other resized by its corner handle, nudged and the nudge undone, the first
// edited in its sheet (an item removed), the second activated in place and a column border
// dragged in it, a click on the paper ending that; saved, changed again, closed with Alt+F4 and
// saved at the question; opened again, everything where it was left.
TEST_F(ReportPage, APageIsDesignedWithMouseAndKeysSavedClosedAndOpenedAgainAsItWasLeft)
{
    const std::wstring path = m_folder.Path(L"page.qrp");
    OpenWindow(path);
    EXPECT_EQ(L"page.qrp - Report Page", Title());

    std::wstring listed;
    ASSERT_TRUE(InsertFromList(listed)) << "the insert dialog did not take Enter";
    EXPECT_EQ(L"Sample Text Object  (Halverin Report Text Objects)", listed);
    ASSERT_TRUE(InsertFromList(listed));
    ASSERT_EQ(2u, m_window->Page().Objects().size());
    EXPECT_EQ(L"page.qrp* - Report Page", Title());
    const RECT first = Object(0).Place(), second = Object(1).Place();
    RECT overlap;
    EXPECT_FALSE(::IntersectRect(&overlap, &first, &second)) << "a new object goes where there is room";

    // Moved by 80 and 60 pixels, which at full size and 96 dpi are 21.17 and 15.88 mm.
    const RECT rcFirst = Shown(0);
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_SIZEALL), CursorAt(m_hWnd, Centre(rcFirst)));
    Drag(m_hWnd, Centre(rcFirst), POINT{Centre(rcFirst).x + 80, Centre(rcFirst).y + 60});
    RECT moved = first;
    ::OffsetRect(&moved, CQLNReportPage::ToHimetric(80, 100), CQLNReportPage::ToHimetric(60, 100));
    EXPECT_TRUE(::EqualRect(&moved, &Object(0).Place())) << Object(0).Place().left << "," << Object(0).Place().top;

    // The second, selected by a click, grows by its bottom right handle.
    const RECT rcSecond = Shown(1);
    Click(m_hWnd, Centre(rcSecond));
    EXPECT_EQ(&Object(1), m_window->Selected());
    const POINT corner = {rcSecond.right, rcSecond.bottom};
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_SIZENWSE), CursorAt(m_hWnd, corner));
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_SIZEWE), CursorAt(m_hWnd, POINT{rcSecond.right, Centre(rcSecond).y}));
    Drag(m_hWnd, corner, POINT{corner.x + 40, corner.y + 100});
    const RECT grown = Object(1).Place();
    EXPECT_EQ(second.left, grown.left);
    EXPECT_EQ(second.top, grown.top);
    EXPECT_EQ(second.right + CQLNReportPage::ToHimetric(40, 100), grown.right);
    EXPECT_EQ(second.bottom + CQLNReportPage::ToHimetric(100, 100), grown.bottom);

    // Nudged twice by a millimetre; the undo takes back the last nudge only.
    Keys({VK_RIGHT});
    Keys({VK_RIGHT});
    EXPECT_EQ(grown.left + 200, Object(1).Place().left);
    Keys({VK_CONTROL, 'Z'});
    EXPECT_EQ(grown.left + 100, Object(1).Place().left);
    const RECT secondPlace = Object(1).Place();
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_ARROW), CursorAt(m_hWnd, POINT{Shown(1).right + 30, Shown(1).bottom + 30}));

    // A double click opens the first object's own sheet; "Data file" is removed and OK pressed.
    ASSERT_TRUE(Contains(LinesOf(Object(0)), L"Data file: {DataFile}"));
    EXPECT_TRUE(RemoveDataFileInTheSheet());
    EXPECT_FALSE(Contains(LinesOf(Object(0)), L"Data file: {DataFile}"));
    EXPECT_TRUE(Contains(LinesOf(Object(0)), L"Sample name: {SampName}"));
    EXPECT_EQ(L"&Undo Properties\tCtrl+Z", MenuItem(ID_EDIT_UNDO));

    // Enter activates the selected second object in place: its own window, its column borders.
    Click(m_hWnd, Centre(Shown(1)));
    Keys({VK_RETURN});
    ASSERT_TRUE(WaitFor([&] { return Object(1).IsInPlaceActive(); })) << "Enter did not activate the object in place";
    const HWND hControl = ::GetWindow(m_hWnd, GW_CHILD);
    ASSERT_NE(nullptr, hControl);
    RECT rcControl = {};
    ::GetWindowRect(hControl, &rcControl);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcControl), 2);
    const RECT rcShown = Shown(1);
    EXPECT_TRUE(::EqualRect(&rcControl, &rcShown)) << "the in-place window covers the object's place";
    // The first border lies the first column's share into the bounds narrowed by 3 pixels.
    RECT rcClient = {};
    ::GetClientRect(hControl, &rcClient);
    const double ratio = FirstColumnRatio(Object(1));
    ASSERT_GT(ratio, 1.0);
    const int nBorder = 3 + static_cast<int>((rcClient.right - 6) / ratio + 0.5);
    const POINT border = {nBorder, 60};
    EXPECT_EQ(::LoadCursorW(nullptr, IDC_SIZEWE), CursorAt(hControl, border)) << "the border's grab at " << nBorder;
    Drag(hControl, border, POINT{nBorder + 40, 60});
    EXPECT_LT(FirstColumnRatio(Object(1)), ratio) << "the first column is wider";
    // A click on the paper outside ends the editing in place, which is one step to undo and redo.
    Click(m_hWnd, POINT{Shown(1).left - 10, Shown(1).bottom + 40});
    EXPECT_TRUE(WaitFor([&] { return !Object(1).IsInPlaceActive(); }));
    EXPECT_EQ(nullptr, ::GetWindow(m_hWnd, GW_CHILD));
    const double draggedRatio = FirstColumnRatio(Object(1));
    EXPECT_EQ(L"&Undo Edit in Place\tCtrl+Z", MenuItem(ID_EDIT_UNDO));
    Keys({VK_CONTROL, 'Z'});
    EXPECT_DOUBLE_EQ(ratio, FirstColumnRatio(Object(1)));
    EXPECT_EQ(L"&Redo Edit in Place\tCtrl+Y", MenuItem(ID_EDIT_REDO));
    Keys({VK_CONTROL, 'Y'});
    EXPECT_DOUBLE_EQ(draggedRatio, FirstColumnRatio(Object(1)));

    Keys({VK_CONTROL, 'S'});
    EXPECT_EQ(L"page.qrp - Report Page", Title());
    const RECT firstPlace = Object(0).Place();
    // Changed again and closed: Yes at the question saves.
    Click(m_hWnd, Centre(Shown(1)));
    Keys({VK_DOWN});
    EXPECT_EQ(L"page.qrp* - Report Page", Title());
    std::wstring question;
    EXPECT_TRUE(InModal([] { Keys({VK_MENU, VK_F4}); },
                        {Waiting("the question to save", [&] { return FindOwnedDialog(m_hWnd) != nullptr; }),
                         [&] {
                             const HWND hBox = FindOwnedDialog(m_hWnd);
                             question = MessageBoxText(hBox);
                             return PostClick(::GetDlgItem(hBox, IDYES)), true;
                         }}));
    EXPECT_EQ(L"Save the changes to page.qrp?", question);
    ASSERT_TRUE(WaitFor([&] { return m_window->Handle() == nullptr; })) << "the window did not close";

    OpenWindow(path);
    EXPECT_EQ(L"page.qrp - Report Page", Title());
    ASSERT_EQ(2u, m_window->Page().Objects().size());
    EXPECT_TRUE(::EqualRect(&firstPlace, &Object(0).Place()));
    RECT lowered = secondPlace;
    ::OffsetRect(&lowered, 0, 100);
    EXPECT_TRUE(::EqualRect(&lowered, &Object(1).Place()));
    EXPECT_FALSE(Contains(LinesOf(Object(0)), L"Data file: {DataFile}"));
    EXPECT_DOUBLE_EQ(draggedRatio, FirstColumnRatio(Object(1)));
    // Delete removes the selected object; undo brings it back at its place.
    Click(m_hWnd, Centre(Shown(0)));
    Keys({VK_DELETE});
    EXPECT_EQ(1u, m_window->Page().Objects().size());
    Keys({VK_CONTROL, 'Z'});
    ASSERT_EQ(2u, m_window->Page().Objects().size());
    EXPECT_TRUE(::EqualRect(&firstPlace, &Object(0).Place()));
}

// The lab's way to a page: Insert and Enter for a text object, Insert, Down and Enter for a peak
// table. Ctrl+Z takes back the peak table alone, Ctrl+Y puts it back; the Edit menu names what
// each would take and is grayed when there is nothing. A Ctrl+Z pressed while the mouse drags an
// object changes nothing, and the drag ends where it is dropped. Undo and redo reach the paper's
// orientation, and the star follows the page back to its saved state and away from it. An edit
// in the text object's sheet, saved into a read-only file, fails: the star stays and closing
// asks, and undo takes the edit back.
TEST_F(ReportPage, StepsAreUndoneAndRedoneFromTheKeyboardAndTheEditMenuNamesThem)
{
    const std::wstring path = m_folder.Path(L"steps.qrp");
    OpenWindow(path);
    EXPECT_EQ(L"", MenuItem(ID_EDIT_UNDO)) << "nothing to undo on a new page";
    EXPECT_EQ(L"", MenuItem(ID_EDIT_REDO));
    for (const std::vector<WORD>& keys : {std::vector<WORD>{VK_RETURN}, std::vector<WORD>{VK_DOWN, VK_RETURN}}) {
        EXPECT_TRUE(InModal([] { Keys({VK_INSERT}); },
                            {Waiting("the insert dialog",
                                     [&] {
                                         const HWND hDlg = FindOwnedDialog(m_hWnd);
                                         return hDlg != nullptr && ::GetFocus() == ::GetDlgItem(hDlg, IDC_INSERT_CLASSES);
                                     }),
                             [&] {
                                 for (WORD vk : keys)
                                     PressChord({vk});
                                 return true;
                             }}));
    }
    ASSERT_EQ(2u, m_window->Page().Objects().size());
    EXPECT_EQ(L"Sample Text Object", Object(0).ClassName());
    EXPECT_EQ(L"Sample Peak Table", Object(1).ClassName());
    const RECT text = Object(0).Place(), table = Object(1).Place();
    EXPECT_EQ(L"&Undo Insert\tCtrl+Z", MenuItem(ID_EDIT_UNDO));
    EXPECT_EQ(L"", MenuItem(ID_EDIT_REDO));

    Keys({VK_CONTROL, 'Z'});
    ASSERT_EQ(1u, m_window->Page().Objects().size()) << "the undo took more than the peak table";
    EXPECT_EQ(L"Sample Text Object", Object(0).ClassName());
    EXPECT_TRUE(::EqualRect(&text, &Object(0).Place()));
    ::UpdateWindow(m_hWnd);
    const RECT rcText = Shown(0);
    EXPECT_GT(InkWithin(OnScreen(m_hWnd), rcText).right, 0) << "the text object is still drawn";
    EXPECT_EQ(L"&Undo Insert\tCtrl+Z", MenuItem(ID_EDIT_UNDO));
    EXPECT_EQ(L"&Redo Insert\tCtrl+Y", MenuItem(ID_EDIT_REDO));
    Keys({VK_CONTROL, 'Y'});
    ASSERT_EQ(2u, m_window->Page().Objects().size());
    EXPECT_EQ(L"Sample Peak Table", Object(1).ClassName());
    EXPECT_TRUE(::EqualRect(&table, &Object(1).Place()));
    EXPECT_EQ(&Object(1), m_window->Selected());
    EXPECT_EQ(L"", MenuItem(ID_EDIT_REDO));

    Keys({VK_CONTROL, 'S'});
    EXPECT_EQ(L"steps.qrp - Report Page", Title());
    EXPECT_EQ(L"&Undo Insert\tCtrl+Z", MenuItem(ID_EDIT_UNDO)) << "a save is no step";
    // The peak table nudged; then the text object dragged with Ctrl+Z pressed on the way.
    Keys({VK_RIGHT});
    RECT nudged = table;
    ::OffsetRect(&nudged, 100, 0);
    EXPECT_TRUE(::EqualRect(&nudged, &Object(1).Place()));
    EXPECT_EQ(L"steps.qrp* - Report Page", Title());
    const POINT from = Centre(Shown(0));
    Mouse(m_hWnd, from, MOUSEEVENTF_LEFTDOWN);
    Mouse(m_hWnd, POINT{from.x + 40, from.y + 30}, 0);
    Keys({VK_CONTROL, 'Z'});
    Mouse(m_hWnd, POINT{from.x + 80, from.y + 60}, 0);
    Mouse(m_hWnd, POINT{from.x + 80, from.y + 60}, MOUSEEVENTF_LEFTUP);
    RECT dragged = text;
    ::OffsetRect(&dragged, CQLNReportPage::ToHimetric(80, 100), CQLNReportPage::ToHimetric(60, 100));
    EXPECT_TRUE(::EqualRect(&dragged, &Object(0).Place())) << "the text object ends where it was dropped";
    EXPECT_TRUE(::EqualRect(&nudged, &Object(1).Place())) << "the peak table stays where it was nudged";
    EXPECT_EQ(L"&Undo Move\tCtrl+Z", MenuItem(ID_EDIT_UNDO));
    Keys({VK_CONTROL, 'Z'});
    EXPECT_TRUE(::EqualRect(&text, &Object(0).Place()));
    EXPECT_EQ(&Object(0), m_window->Selected());
    Keys({VK_CONTROL, VK_SHIFT, 'Z'});
    EXPECT_TRUE(::EqualRect(&dragged, &Object(0).Place())) << "Ctrl+Shift+Z redoes";
    Keys({VK_CONTROL, 'Z'});
    Keys({VK_CONTROL, 'Z'});
    EXPECT_TRUE(::EqualRect(&table, &Object(1).Place()));
    EXPECT_EQ(L"steps.qrp - Report Page", Title()) << "back to the page saved";

    // Landscape from the Page menu; undone and redone by the keys.
    ::PostMessageW(m_hWnd, WM_COMMAND, ID_PAGE_LANDSCAPE, 0);
    PumpMessages();
    EXPECT_TRUE(m_window->Page().IsLandscape());
    EXPECT_EQ(L"&Undo Orientation\tCtrl+Z", MenuItem(ID_EDIT_UNDO));
    EXPECT_EQ(L"steps.qrp* - Report Page", Title());
    Keys({VK_CONTROL, 'Z'});
    EXPECT_FALSE(m_window->Page().IsLandscape());
    EXPECT_EQ(L"&Redo Orientation\tCtrl+Y", MenuItem(ID_EDIT_REDO));
    EXPECT_EQ(L"steps.qrp - Report Page", Title());

    // Saved, then "Data file" removed in the text object's sheet, the only change since; the file
    // made read-only, then Ctrl+S.
    Keys({VK_CONTROL, 'S'});
    EXPECT_TRUE(RemoveDataFileInTheSheet());
    ASSERT_FALSE(Contains(LinesOf(Object(0)), L"Data file: {DataFile}"));
    EXPECT_EQ(L"steps.qrp* - Report Page", Title());
    EXPECT_EQ(L"", MenuItem(ID_EDIT_REDO)) << "a new step leaves nothing to redo";
    const std::string saved = E2e::ReadBytes(path);
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    std::wstring message;
    EXPECT_TRUE(InModal([] { Keys({VK_CONTROL, 'S'}); },
                        {Waiting("the failure", [&] { return FindOwnedDialog(m_hWnd) != nullptr; }),
                         [&] {
                             const HWND hBox = FindOwnedDialog(m_hWnd);
                             message = MessageBoxText(hBox);
                             return PostClick(::GetDlgItem(hBox, IDOK)), true;
                         }}));
    EXPECT_NE(std::wstring::npos, message.find(L"cannot replace")) << std::string(message.begin(), message.end());
    EXPECT_EQ(L"steps.qrp* - Report Page", Title()) << "a failed save keeps the star";
    EXPECT_EQ(saved, E2e::ReadBytes(path));
    std::wstring question;
    EXPECT_TRUE(InModal([] { Keys({VK_MENU, VK_F4}); },
                        {Waiting("the question to save", [&] { return FindOwnedDialog(m_hWnd) != nullptr; }),
                         [&] {
                             const HWND hBox = FindOwnedDialog(m_hWnd);
                             question = MessageBoxText(hBox);
                             return PostClick(::GetDlgItem(hBox, IDCANCEL)), true;
                         }}));
    EXPECT_EQ(L"Save the changes to steps.qrp?", question) << "closing asks after the failed save";
    EXPECT_NE(nullptr, m_window->Handle());
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // Undone, the sheet's change is gone and the page is as saved.
    Keys({VK_CONTROL, 'Z'});
    EXPECT_TRUE(Contains(LinesOf(Object(0)), L"Data file: {DataFile}"));
    EXPECT_EQ(L"steps.qrp - Report Page", Title());
}

std::wstring ColumnsOf(CQLNPageObject& object)
{
    CQLNTextObjClient client;
    std::wstring columns, error;
    EXPECT_TRUE(client.Attach(object.Object(), error) && client.GetStringProperty(L"Columns", columns, error)) << error;
    return columns;
}

// The family on one page at 150 %: a text object, a peak table and an annotation chosen from the
// insert list with the mouse, each drawn at the page's zoom; the text object edited in place at
// that zoom; the peak table's columns typed anew in its own sheet; saved, closed and opened again
// with each object where it was, the columns as typed and the column border as dragged.
TEST_F(ReportPage, TheThreeKindsAreInsertedShownAtTheZoomEditedInPlaceAndInASheetAndKeptThroughASave)
{
    const std::wstring path = m_folder.Path(L"family.qrp");
    OpenWindow(path, 150);
    const wchar_t* names[] = {L"Sample Text Object", L"Sample Peak Table", L"Sample Annotation"};
    for (const wchar_t* name : names) {
        std::wstring listed;
        ASSERT_TRUE(InsertFromList(listed, name)) << "no " << std::string(name, name + wcslen(name)) << " from the list";
        EXPECT_EQ(0u, listed.find(name));
    }
    ASSERT_EQ(3u, m_window->Page().Objects().size());
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(names[i], Object(i).ClassName());
    ASSERT_NE(std::wstring::npos, ColumnsOf(Object(1)).find(L"RT: {RT}"));

    // Each kind's words drawn at 150 % three times as high as at 50 %, to the rounding of fonts a
    // few pixels high.
    const std::string saved = SavedData(Object(0));
    const PixelGrab small = DrawnPage(m_window->Page(), 50), large = DrawnPage(m_window->Page(), 150);
    for (size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const int nSmall = FirstLineHeight(small, PlaceAt(Object(i), 50));
        const int nLarge = FirstLineHeight(large, PlaceAt(Object(i), 150));
        ASSERT_GT(nSmall, 0);
        EXPECT_NEAR(3.0 * nSmall, nLarge, 4.0);
    }
    const PixelGrab full = DrawnPage(m_window->Page(), 100);
    std::wstring error;
    EXPECT_TRUE(CQLNPagePrinter::WritePdf(m_window->Page(), m_folder.Path(L"family.pdf"), error))
        << std::string(error.begin(), error.end());

    // The text object active in place: its window over its place, its words as the page draws
    // them at 150 %, its borders where its columns are at that width.
    Click(m_hWnd, Centre(Shown(0)));
    Keys({VK_RETURN});
    ASSERT_TRUE(WaitFor([&] { return Object(0).IsInPlaceActive(); })) << "Enter did not activate the object in place";
    const HWND hControl = ::GetWindow(m_hWnd, GW_CHILD);
    ASSERT_NE(nullptr, hControl);
    RECT rcControl = {};
    ::GetWindowRect(hControl, &rcControl);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcControl), 2);
    const RECT rcShown = Shown(0);
    EXPECT_TRUE(::EqualRect(&rcControl, &rcShown)) << "the in-place window covers the object's place";
    RECT rcClient = {};
    ::GetClientRect(hControl, &rcClient);
    const double ratio = FirstColumnRatio(Object(0));
    const int nBorder = 3 + static_cast<int>((rcClient.right - 6) / ratio + 0.5);
    std::vector<int> borders;
    ASSERT_TRUE(WaitFor([&] { return !(borders = BordersShown(OnScreen(hControl))).empty(); })) << "no column border is shown";
    EXPECT_NEAR(nBorder, borders[0], 1);
    // The first column's words: their first line as high as the page draws them (to a pixel: the
    // window's top rows have a dotted line along them, which are left out). The page plays the
    // object's recording measured on the printer, the window draws it live on the screen, so
    // their widths are not compared.
    const RECT rcPlace = PlaceAt(Object(0), 150);
    const RECT rcColumn = {rcPlace.left, rcPlace.top + 2, rcPlace.left + nBorder - 4, rcPlace.bottom};
    const PixelGrab shown = OnScreen(hControl);
    const RECT rcInPlace = {0, 2, nBorder - 4, rcClient.bottom};
    EXPECT_GT(InkWithin(shown, rcInPlace).right, 0);
    EXPECT_NEAR(FirstLineHeight(large, rcColumn), FirstLineHeight(shown, rcInPlace), 1);
    // Ended by a click on the paper: the object draws at its own size again, and neither the
    // drawing, the printing nor the activation at a zoom changed what it saves.
    Click(m_hWnd, POINT{Shown(0).left - 10, Shown(0).bottom + 40});
    ASSERT_TRUE(WaitFor([&] { return !Object(0).IsInPlaceActive(); }));
    const RECT fullBefore = InkWithin(full, PlaceAt(Object(0), 100));
    const RECT fullAfter = InkWithin(DrawnPage(m_window->Page(), 100), PlaceAt(Object(0), 100));
    EXPECT_TRUE(::EqualRect(&fullBefore, &fullAfter));
    EXPECT_EQ(saved, SavedData(Object(0)));

    // Active again, its first border dragged 60 pixels to the right: the border is drawn where it
    // was dropped and no longer where it was, and the ratio keeps that share of the width.
    Click(m_hWnd, Centre(Shown(0)));
    Keys({VK_RETURN});
    ASSERT_TRUE(WaitFor([&] { return Object(0).IsInPlaceActive(); }));
    const HWND hAgain = ::GetWindow(m_hWnd, GW_CHILD);
    ASSERT_TRUE(WaitFor([&] { return !(borders = BordersShown(OnScreen(hAgain))).empty(); }));
    const size_t nBorders = borders.size();
    const int nDropped = borders[0] + 60;
    Drag(hAgain, POINT{borders[0], 60}, POINT{nDropped, 60});
    EXPECT_TRUE(WaitFor([&] {
        borders = BordersShown(OnScreen(hAgain));
        return borders.size() == nBorders && std::abs(borders[0] - nDropped) <= 3;
    })) << "the first border is not shown where it was dropped, at " << nDropped << ", alone: " << borders.size()
        << " borders, the first at " << (borders.empty() ? -1 : borders[0]);
    const double dragged = FirstColumnRatio(Object(0));
    EXPECT_NEAR((rcClient.right - 6.0) / (nDropped - 3), dragged, 0.02 * dragged);
    Click(m_hWnd, POINT{Shown(0).left - 10, Shown(0).bottom + 40});
    ASSERT_TRUE(WaitFor([&] { return !Object(0).IsInPlaceActive(); }));

    HWND hSheet = nullptr;
    auto columns = [&] {
        return ::GetDlgItem(reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0)), 1001);
    };
    EXPECT_TRUE(InModal([&] { DoubleClick(m_hWnd, Centre(Shown(1))); },
                        {Waiting("the peak table's sheet", [&] {
                             hSheet = ::FindWindowW(L"#32770", L"Peak Table");
                             return hSheet != nullptr && ::IsWindowVisible(hSheet) && columns() != nullptr;
                         }),
                         [&] { return PostTyping(columns(), L"Peak\rArea: {Area}"), true; },
                         Waiting("the columns typed", [&] { return TextOf(columns()) == L"Peak\r\nArea: {Area}"; }),
                         [&] { return PostClick(::GetDlgItem(hSheet, IDOK)), true; }}));
    const std::wstring edited = ColumnsOf(Object(1));
    EXPECT_NE(std::wstring::npos, edited.find(L"Area: {Area}"));
    EXPECT_EQ(std::wstring::npos, edited.find(L"RT: {RT}"));

    Keys({VK_CONTROL, 'S'});
    std::vector<RECT> places;
    for (size_t i = 0; i < 3; ++i)
        places.push_back(Object(i).Place());
    m_window->Page().Close();
    m_window.reset();
    OpenWindow(path);
    ASSERT_EQ(3u, m_window->Page().Objects().size());
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(names[i], Object(i).ClassName());
        EXPECT_TRUE(::EqualRect(&places[i], &Object(i).Place())) << i;
    }
    EXPECT_EQ(edited, ColumnsOf(Object(1)));
    EXPECT_DOUBLE_EQ(dragged, FirstColumnRatio(Object(0)));
}

// A file cut short or damaged, even one whose directory would send the system round in circles,
// is refused at once with a message; the page that was open stays, with its file name and its
// objects.
TEST_F(ReportPage, ADamagedFileIsRefusedWithAMessageAndTheOpenPageKept)
{
    const std::wstring good = m_folder.Path(L"good.qrp");
    OpenWindow(good);
    std::wstring listed;
    ASSERT_TRUE(InsertFromList(listed));
    Keys({VK_CONTROL, 'S'});
    const std::string bytes = E2e::ReadBytes(good);
    ASSERT_GT(bytes.size(), 2048u);
    std::string damaged = bytes;
    // The page's own stream: its description's magic, found and broken.
    const size_t at = damaged.find("QRPG");
    ASSERT_NE(std::string::npos, at);
    damaged[at] = 'X';
    // The object's storage made a child of itself: the system's structured storage would go round
    // that for ever.
    qlntest::PageBytes circle(bytes);
    circle.Link("Object1", qlntest::PageBytes::kChild, circle.Find("Object1"));
    const struct { const char* why; std::string bytes; const wchar_t* said; } rows[] = {
        {"cut short", bytes.substr(0, bytes.size() - 1024), L"bad.qrp is damaged: "},
        {"no compound file", "just some text", L"is not a report page"},
        {"page description damaged", damaged, L"this is not a report page"},
        {"directory in a circle", circle.Bytes(), L"is damaged: its directory's entries point at each other in a circle"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        const std::wstring bad = m_folder.Path(L"bad.qrp");
        ASSERT_TRUE(E2e::WriteBytes(bad, row.bytes));
        std::wstring message;
        EXPECT_TRUE(InModal([&] { ::PostMessageW(m_hWnd, WM_NULL, 0, 0); m_window->Open(bad); },
                            {Waiting("the refusal", [&] { return FindOwnedDialog(m_hWnd) != nullptr; }),
                             [&] {
                                 const HWND hBox = FindOwnedDialog(m_hWnd);
                                 message = MessageBoxText(hBox);
                                 return PostClick(::GetDlgItem(hBox, IDOK)), true;
                             }}));
        EXPECT_NE(std::wstring::npos, message.find(row.said)) << std::string(message.begin(), message.end());
        EXPECT_EQ(good, m_window->Path());
        EXPECT_EQ(1u, m_window->Page().Objects().size());
        EXPECT_EQ(L"good.qrp - Report Page", Title());
    }

    // Saved under another name through Save As, then the first opened again with Ctrl+O, each
    // name typed into the system's file dialog: the title follows the file.
    const std::wstring copy = m_folder.Path(L"copy.qrp");
    EXPECT_TRUE(InModal([&] { ::PostMessageW(m_hWnd, WM_COMMAND, ID_FILE_SAVE_AS, 0); }, TypeFileName(copy)));
    EXPECT_EQ(copy, m_window->Path());
    EXPECT_EQ(L"copy.qrp - Report Page", Title());
    EXPECT_EQ(bytes.size(), E2e::ReadBytes(copy).size());
    EXPECT_TRUE(InModal([] { Keys({VK_CONTROL, 'O'}); }, TypeFileName(good)));
    EXPECT_EQ(good, m_window->Path());
    EXPECT_EQ(L"good.qrp - Report Page", Title());
    EXPECT_EQ(1u, m_window->Page().Objects().size());
}

// The objects reached from the keyboard and by right clicks, as a person works without the
// menu bar: Tab and Shift+Tab go round the page in its order, Esc ends editing in place and
// then clears the selection, the arrows nudge what Tab selected, Enter on the peak table (which
// has nothing to edit in place) opens its sheet and leaves its neighbours as they were drawn; a
// right click selects an object and opens its menu there, one on the empty paper opens Insert
// and the page's setup, each chosen with the keyboard.
TEST_F(ReportPage, TabEscEnterAndRightClicksActOnTheObjectsInPageOrder)
{
    OpenWindow(m_folder.Path(L"keys.qrp"));
    InsertByName({L"QLNSample.TextCtrl", L"QLNSample.PeakTable", L"QLNSample.Annotation"});
    ASSERT_EQ(3u, m_window->Page().Objects().size());
    const struct { const char* why; std::vector<WORD> keys; int nSelected; } steps[] = {
        {"Tab with nothing selected starts at the first", {VK_TAB}, 0},
        {"Tab goes on in the page's order", {VK_TAB}, 1},
        {"to the last", {VK_TAB}, 2},
        {"and round to the first", {VK_TAB}, 0},
        {"Shift+Tab goes back round to the last", {VK_SHIFT, VK_TAB}, 2},
        {"and on back", {VK_SHIFT, VK_TAB}, 1},
        {"Esc clears the selection", {VK_ESCAPE}, -1},
        {"Shift+Tab with nothing selected starts at the last", {VK_SHIFT, VK_TAB}, 2},
        {"Esc again", {VK_ESCAPE}, -1},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.why);
        Keys(step.keys);
        EXPECT_EQ(step.nSelected < 0 ? nullptr : &Object(static_cast<size_t>(step.nSelected)), m_window->Selected());
    }
    // The arrows and Delete act on what Tab selected; with nothing selected Delete does nothing.
    Keys({VK_DELETE});
    EXPECT_EQ(3u, m_window->Page().Objects().size());
    Keys({VK_TAB});
    const RECT textPlace = Object(0).Place();
    Keys({VK_DOWN});
    EXPECT_EQ(textPlace.top + 100, Object(0).Place().top);

    // Enter edits the text object in place; Esc, as the host's loop hands it on, ends that and
    // keeps the object selected; Esc once more clears the selection.
    Keys({VK_RETURN});
    ASSERT_TRUE(WaitFor([&] { return Object(0).IsInPlaceActive(); })) << "Enter did not activate the text object";
    HostKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitFor([&] { return !Object(0).IsInPlaceActive(); })) << "Esc did not end the editing in place";
    EXPECT_EQ(nullptr, ::GetWindow(m_hWnd, GW_CHILD));
    EXPECT_EQ(&Object(0), m_window->Selected());
    HostKeys({VK_ESCAPE});
    EXPECT_EQ(nullptr, m_window->Selected());

    // Enter on the peak table opens its sheet, not a window over the page: Cancel there, and the
    // neighbours on the screen are as they were.
    Keys({VK_TAB});
    Keys({VK_TAB});
    ASSERT_EQ(&Object(1), m_window->Selected());
    PumpMessages();
    const RECT neighbours[2] = {Shown(0), Shown(2)};
    const PixelGrab before = OnScreen(m_hWnd);
    EXPECT_TRUE(InModal([] { Keys({VK_RETURN}); },
                        {Waiting("the peak table's sheet",
                                 [] {
                                     const HWND hSheet = ::FindWindowW(L"#32770", L"Peak Table");
                                     return hSheet != nullptr && ::IsWindowVisible(hSheet);
                                 }),
                         [] { return PostClick(::GetDlgItem(::FindWindowW(L"#32770", L"Peak Table"), IDCANCEL)), true; }}))
        << "Enter on the peak table did not open its sheet";
    EXPECT_FALSE(Object(1).IsInPlaceActive());
    EXPECT_EQ(nullptr, ::GetWindow(m_hWnd, GW_CHILD));
    PumpMessages();
    const PixelGrab after = OnScreen(m_hWnd);
    for (const RECT& rc : neighbours) {
        int nChanged = 0;
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                nChanged += before.At(x, y) != after.At(x, y);
        EXPECT_EQ(0, nChanged) << "pixels of the neighbour at " << rc.left << "," << rc.top;
    }
    std::wstring error;
    EXPECT_FALSE(m_window->ActivateInPlace(Object(2), error)) << "the annotation has nothing to edit in place";
    EXPECT_NE(std::wstring::npos, error.find(L"nothing to edit in place"));

    // A right click on the text object selects it and opens its menu; Edit in Place, by its
    // letter, activates it.
    std::vector<UINT> commands;
    bool bEditGrayed = true;
    EXPECT_TRUE(InModal([&] { RightClick(m_hWnd, Centre(Shown(0))); },
                        {Waiting("the object's menu", [] { return ShownMenu() != nullptr; }),
                         [&] {
                             commands = CommandsOf(ShownMenu());
                             bEditGrayed = IsGrayed(ShownMenu(), ID_OBJECT_EDIT_IN_PLACE);
                             return PressChord({'E'}), true;
                         }}));
    EXPECT_EQ((std::vector<UINT>{ID_OBJECT_PROPERTIES, ID_OBJECT_EDIT_IN_PLACE, 0, ID_EDIT_DELETE}), commands);
    EXPECT_FALSE(bEditGrayed);
    EXPECT_EQ(&Object(0), m_window->Selected());
    EXPECT_TRUE(WaitFor([&] { return Object(0).IsInPlaceActive(); })) << "Edit in Place from the menu";
    // On the peak table, Edit in Place is greyed; Delete, by its letter, removes the table.
    CQLNPageObject* pAnnotation = &Object(2);
    EXPECT_TRUE(InModal([&] { RightClick(m_hWnd, Centre(Shown(1))); },
                        {Waiting("the object's menu", [] { return ShownMenu() != nullptr; }),
                         [&] {
                             bEditGrayed = IsGrayed(ShownMenu(), ID_OBJECT_EDIT_IN_PLACE);
                             return PressChord({'D'}), true;
                         }}));
    EXPECT_TRUE(bEditGrayed);
    EXPECT_FALSE(Object(0).IsInPlaceActive()) << "a right click on another object ends the editing in place";
    ASSERT_EQ(2u, m_window->Page().Objects().size());
    EXPECT_EQ(pAnnotation, &Object(1));

    // On the empty paper: Insert, then the Page menu's items, the paper in force marked;
    // Landscape chosen by its letter. Nothing stays selected.
    const POINT empty = {Centre(Shown(1)).x, Shown(1).bottom + 120};
    std::vector<UINT> marked;
    EXPECT_TRUE(InModal([&] { RightClick(m_hWnd, empty); },
                        {Waiting("the page's menu", [] { return ShownMenu() != nullptr; }),
                         [&] {
                             commands = CommandsOf(ShownMenu());
                             marked = MarkedIn(ShownMenu());
                             return PressChord({'A'}), true;
                         }}));
    EXPECT_EQ((std::vector<UINT>{ID_PAGE_A4, ID_PAGE_PORTRAIT, ID_PAGE_MARGIN_20}), marked);
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(UINT{ID_OBJECT_INSERT}, commands[0]);
    EXPECT_EQ(0u, commands[1]);
    EXPECT_EQ((std::vector<UINT>{ID_PAGE_A4, ID_PAGE_LETTER, 0, ID_PAGE_PORTRAIT, ID_PAGE_LANDSCAPE}),
              std::vector<UINT>(commands.begin() + 2, commands.begin() + std::min<size_t>(commands.size(), 7)));
    EXPECT_TRUE(m_window->Page().IsLandscape());
    EXPECT_EQ(nullptr, m_window->Selected());
}

// The File menu's commands and the marks of the Page and Zoom menus, read from the window's own
// menu bar: the setup in force marked, the paper, the margins and the zoom chosen with the
// keyboard in the menus and the marks following; the page printed through the system's print
// dialog on the prefix's printer, exported as a PDF under a name typed into the save dialog, and
// Ctrl+N, after No at the question, an empty untitled page.
TEST_F(ReportPage, TheFileMenuPrintsExportsAndStartsAfreshAndThePageMenusMarkTheSetup)
{
    const std::wstring path = m_folder.Path(L"menus.qrp");
    OpenWindow(path);
    InsertByName({L"QLNSample.TextCtrl"});
    const HMENU hBar = ::GetMenu(m_hWnd);
    EXPECT_EQ((std::vector<UINT>{ID_PAGE_A4, ID_PAGE_PORTRAIT, ID_PAGE_MARGIN_20, ID_ZOOM_100}), MarkedIn(hBar));
    const struct { WORD menu, item; } choices[] = {{'P', 'L'}, {'P', '0'}, {'Z', '0'}};
    for (const auto& choice : choices)
        EXPECT_TRUE(InModal([&] { Keys({VK_MENU, choice.menu}); },
                            {Waiting("the menu", [] { return ShownMenu() != nullptr; }),
                             [&] { return PressChord({choice.item}), true; }}));
    EXPECT_EQ(CQLNReportPage::Paper::Letter, m_window->Page().GetPaper());
    EXPECT_EQ(1000, m_window->Page().Margin());
    EXPECT_EQ(150, m_window->Zoom());
    EXPECT_EQ((std::vector<UINT>{ID_PAGE_LETTER, ID_PAGE_PORTRAIT, ID_PAGE_MARGIN_10, ID_ZOOM_150}), MarkedIn(hBar));

    // Ctrl+P, OK in the system's dialog: a job on the default printer, whose port is a file.
    const std::wstring printed = E2e::BinDirectory() + L"..\\printer\\printed.ps";
    ::DeleteFileW(printed.c_str());
    EXPECT_TRUE(InModal([] { Keys({VK_CONTROL, 'P'}); },
                        {Waiting("the print dialog",
                                 [&] {
                                     const HWND hDlg = FindOwnedDialog(m_hWnd);
                                     return hDlg != nullptr && ::IsWindowVisible(hDlg) && TextOf(hDlg) == L"Print";
                                 }),
                         [] { return PressChord({VK_RETURN}), true; }}));
    EXPECT_TRUE(WaitFor([&] { return E2e::ReadBytes(printed).size() > 1000; }, 10)) << "no page reached the printer";
    EXPECT_EQ(0u, E2e::ReadBytes(printed).find("%!PS"));

    // Export PDF..., a name typed into the save dialog.
    const std::wstring pdf = m_folder.Path(L"exported.pdf");
    EXPECT_TRUE(InModal([&] { ::PostMessageW(m_hWnd, WM_COMMAND, ID_FILE_EXPORT_PDF, 0); }, TypeFileName(pdf)));
    EXPECT_EQ(0u, E2e::ReadBytes(pdf).find("%PDF"));

    // Ctrl+N asks about the changes; No leaves the file unwritten and shows an empty page.
    std::wstring question;
    EXPECT_TRUE(InModal([] { Keys({VK_CONTROL, 'N'}); },
                        {Waiting("the question to save", [&] { return FindOwnedDialog(m_hWnd) != nullptr; }),
                         [&] {
                             const HWND hBox = FindOwnedDialog(m_hWnd);
                             question = MessageBoxText(hBox);
                             return PostClick(::GetDlgItem(hBox, IDNO)), true;
                         }}));
    EXPECT_EQ(L"Save the changes to menus.qrp?", question);
    EXPECT_EQ(L"Untitled - Report Page", Title());
    EXPECT_TRUE(m_window->Path().empty());
    EXPECT_TRUE(m_window->Page().Objects().empty());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(path.c_str()));
    EXPECT_EQ((std::vector<UINT>{ID_PAGE_A4, ID_PAGE_PORTRAIT, ID_PAGE_MARGIN_20, ID_ZOOM_150}), MarkedIn(hBar));
}

// A damaged file opened as a file manager opens it (the program given the file): a message box
// says what is wrong, then an empty page shows, untitled, so that a save cannot write over the
// file, which stays as it was. Unattended (a picture of the window), the file is refused instead.
TEST_F(ReportPage, ADamagedFileOpenedFromOutsideSaysWhyThenShowsANewUntitledPage)
{
    const std::wstring bad = m_folder.Path(L"bad.qrp");
    ASSERT_TRUE(E2e::WriteBytes(bad, "just some text"));
    m_window = std::make_unique<CQLNPageWindow>();
    std::wstring message, error;
    bool bCreated = false;
    {
        HWND hBox = nullptr;
        ScriptedUser user({Waiting("the message",
                                   [&] {
                                       hBox = ::FindWindowW(L"#32770", L"Report Page");
                                       return hBox != nullptr && ::IsWindowVisible(hBox);
                                   }),
                           [&] {
                               message = MessageBoxText(hBox);
                               return PostClick(::GetDlgItem(hBox, IDOK)), true;
                           }},
                          [] { ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
        bCreated = m_window->Create(bad, 100, error, CQLNPageWindow::BadFile::StartNew);
        EXPECT_TRUE(WaitFor([&] { return user.Finished(); })) << "no message box";
    }
    ASSERT_TRUE(bCreated) << std::string(error.begin(), error.end());
    m_hWnd = m_window->Handle();
    EXPECT_NE(std::wstring::npos, message.find(bad + L" is not a report page")) << std::string(message.begin(), message.end());
    EXPECT_NE(std::wstring::npos, message.find(L"A new page is shown instead"));
    EXPECT_EQ(L"Untitled - Report Page", Title());
    EXPECT_TRUE(m_window->Path().empty());
    EXPECT_TRUE(m_window->Page().Objects().empty());
    EXPECT_EQ("just some text", E2e::ReadBytes(bad));

    CQLNPageWindow unattended;
    EXPECT_FALSE(unattended.Create(bad, 100, error));
    EXPECT_NE(std::wstring::npos, error.find(L"is not a report page"));
}

// The window maximised as its caption button does it shows one paper, centred, and nothing of
// where the paper was before; the window made wider while the text object is active in place
// keeps the object's window over the object's place as the page moves.
TEST_F(ReportPage, AMaximisedOrResizedWindowShowsOnePaperAndTheObjectInPlaceMovesWithIt)
{
    OpenWindow(m_folder.Path(L"size.qrp"));
    InsertByName({L"QLNSample.TextCtrl"});
    const DWORD grey = PixelGrab::Rgb(::GetSysColor(COLOR_APPWORKSPACE));
    // Along a row of blank paper below the object: where the grey around the paper gives way to
    // something else, once for each paper shown.
    const auto papersShown = [&] {
        const PixelGrab shown = OnScreen(m_hWnd);
        const int y = Shown(0).bottom + 100;
        int nPapers = 0;
        for (int x = 1; x < shown.Width(); ++x)
            nPapers += shown.At(x - 1, y) == grey && shown.At(x, y) != grey;
        return nPapers;
    };
    EXPECT_EQ(1, papersShown());
    RECT rcBefore = {};
    ::GetClientRect(m_hWnd, &rcBefore);
    ::PostMessageW(m_hWnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(WaitFor([&] {
        RECT rc = {};
        ::GetClientRect(m_hWnd, &rc);
        return ::IsZoomed(m_hWnd) && rc.right > rcBefore.right;
    })) << "the window was not maximised";
    PumpMessages();
    EXPECT_EQ(1, papersShown()) << "a second paper's edge is left on the screen";
    ::PostMessageW(m_hWnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsZoomed(m_hWnd); }));
    PumpMessages();

    Click(m_hWnd, Centre(Shown(0)));
    Keys({VK_RETURN});
    ASSERT_TRUE(WaitFor([&] { return Object(0).IsInPlaceActive(); }));
    const HWND hControl = ::GetWindow(m_hWnd, GW_CHILD);
    ASSERT_NE(nullptr, hControl);
    const RECT shownBefore = Shown(0);
    RECT rcWindow = {};
    ::GetWindowRect(m_hWnd, &rcWindow);
    // The size a drag of the border ends in, set at once: Wine's own sizing loop, which a window
    // no window manager manages gets, did not end on a release sent with SendInput.
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, rcWindow.right - rcWindow.left + 200, rcWindow.bottom - rcWindow.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages();
    EXPECT_GT(Shown(0).left, shownBefore.left) << "the paper is centred in the wider window";
    ASSERT_TRUE(Object(0).IsInPlaceActive());
    RECT rcControl = {};
    ::GetWindowRect(hControl, &rcControl);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rcControl), 2);
    const RECT rcShown = Shown(0);
    EXPECT_TRUE(::EqualRect(&rcControl, &rcShown)) << "the in-place window is at " << rcControl.left << ", the object at "
                                                    << rcShown.left;
    EXPECT_EQ(1, papersShown());
}

// Page > Time decimals...: the dialog shows the page's two, the data system's own; a number beyond
// what a page takes is refused with a message and the dialog stays; 4 typed and OK makes a change
// of the page, and a text object inserted then resolves its retention time in four decimals; the
// page saved and opened again has four; Cancel changes nothing.
TEST_F(ReportPage, TimeDecimalsAreChosenForThePageAndKeptWithIt)
{
    const std::wstring path = m_folder.Path(L"times.qrp");
    OpenWindow(path);
    EXPECT_EQ(2, m_window->Page().RTPrecision());
    HWND hDlg = nullptr;
    const auto edit = [&] { return ::GetDlgItem(hDlg, IDC_TIME_DECIMALS); };
    const auto typeAndPress = [&](const wchar_t* text, WORD key) -> std::vector<ScriptedUser::Step> {
        return {[&, text] { return PostTyping(edit(), text), true; },
                Waiting("the number typed", [&, text] { return TextOf(edit()) == text; }),
                [key] { return PressChord({key}), true; }};
    };
    std::wstring shown, refusal;
    std::vector<ScriptedUser::Step> steps = {Waiting("the dialog", [&] {
        hDlg = FindOwnedDialog(m_hWnd);
        return hDlg != nullptr && TextOf(hDlg) == L"Time Decimals" && ::GetFocus() == edit();
    })};
    steps.push_back([&] { return shown = TextOf(edit()), true; });
    for (auto& step : typeAndPress(L"16", VK_RETURN))
        steps.push_back(step);
    steps.push_back(Waiting("the refusal", [&] { return FindOwnedDialog(hDlg) != nullptr; }));
    steps.push_back([&] {
        const HWND hBox = FindOwnedDialog(hDlg);
        refusal = MessageBoxText(hBox);
        return PostClick(::GetDlgItem(hBox, IDOK)), true;
    });
    steps.push_back(Waiting("the dialog again", [&] { return !OwnsDialog(hDlg) && ::GetFocus() == edit(); }));
    for (auto& step : typeAndPress(L"4", VK_RETURN))
        steps.push_back(step);
    EXPECT_TRUE(InModal([&] { ::PostMessageW(m_hWnd, WM_COMMAND, ID_PAGE_TIME_DECIMALS, 0); }, steps));
    EXPECT_EQ(L"2", shown);
    EXPECT_EQ(L"Type a number of decimals from 0 to 15.", refusal);
    EXPECT_EQ(4, m_window->Page().RTPrecision());
    EXPECT_EQ(L"times.qrp* - Report Page", Title());

    std::wstring listed;
    ASSERT_TRUE(InsertFromList(listed));
    CQLNReportResolver resolver;
    std::wstring error;
    ASSERT_TRUE(resolver.LoadData(E2e::BinDirectory() + L"..\\..\\hosts\\textobj\\sample-data.txt", error));
    ASSERT_TRUE(CQLNReportPageTools::Resolve(m_window->Page(), resolver, error)) << std::string(error.begin(), error.end());
    EXPECT_TRUE(Contains(Object(0).Resolution().Lines(), L"Retention time: 4.2346"));
    Keys({VK_CONTROL, 'S'});
    m_window.reset();

    OpenWindow(path);
    EXPECT_EQ(4, m_window->Page().RTPrecision());
    EXPECT_TRUE(InModal([&] { ::PostMessageW(m_hWnd, WM_COMMAND, ID_PAGE_TIME_DECIMALS, 0); },
                        {Waiting("the dialog", [&] {
                             hDlg = FindOwnedDialog(m_hWnd);
                             return hDlg != nullptr && ::GetFocus() == edit();
                         }),
                         [&] { return PostTyping(edit(), L"7"), true; },
                         Waiting("the number typed", [&] { return TextOf(edit()) == L"7"; }),
                         [] { return PressChord({VK_ESCAPE}), true; }}));
    EXPECT_EQ(4, m_window->Page().RTPrecision());
    EXPECT_EQ(L"times.qrp - Report Page", Title());
}

namespace {

class ReportPageCommandLine : public ReportPageHost
{
};

// A PNG file's pixels, row by row; none when the file cannot be decoded.
struct Picture
{
    UINT width = 0, height = 0;
    std::vector<DWORD> pixels;
    COLORREF At(int x, int y) const
    {
        const DWORD p = pixels.at(static_cast<size_t>(y) * width + static_cast<size_t>(x));
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

Picture ReadPicture(const std::wstring& path)
{
    Picture picture;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> bgr;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(::WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.Get(), &bgr)) ||
        FAILED(bgr->GetSize(&picture.width, &picture.height)))
        return Picture();
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    if (FAILED(bgr->CopyPixels(nullptr, picture.width * 4, static_cast<UINT>(picture.pixels.size() * 4),
                               reinterpret_cast<BYTE*>(picture.pixels.data()))))
        return Picture();
    return picture;
}

} // namespace

TEST_F(ReportPageCommandLine, PagesAreBuiltResolvedListedAndPictured)
{
    auto made = Host(L"--rt-precision 0 --insert QLNSample.TextCtrl --insert QLNSample.TextCtrl --paper letter --landscape "
                     L"--save @p.qrp");
    ASSERT_EQ(0u, made.exitCode) << made.err;
    auto listed = Host(L"@p.qrp --list");
    ASSERT_EQ(0u, listed.exitCode) << listed.err;
    EXPECT_EQ(0u, listed.out.find("Letter landscape, 279.4 x 215.9 mm, margins 20.0 mm, times in 0 decimals, 2 objects\r\n"
                                  "1. Sample Text Object {6F1E3A52-9C41-4D8B-A7E2-5B3C9D0F1A24} at 20.0, 20.0 mm, 80.0 x 50.0 mm\r\n"
                                  "    Sample Information\r\n    Data file: {DataFile}\r\n"))
        << listed.out;
    EXPECT_NE(std::string::npos, listed.out.find("2. Sample Text Object {6F1E3A52-9C41-4D8B-A7E2-5B3C9D0F1A24} at 100.0, 20.0 mm"));

    const std::wstring data = E2e::BinDirectory() + L"..\\..\\hosts\\textobj\\sample-data.txt";
    auto resolved = Host(L"@p.qrp --resolve \"" + data + L"\" --list --png @p.png");
    ASSERT_EQ(0u, resolved.exitCode) << resolved.err;
    EXPECT_NE(std::string::npos, resolved.out.find("    Data file: run042.d\r\n"));
    EXPECT_NE(std::string::npos, resolved.out.find("    Sample ID: CAF-005\r\n"));
    // Times have the page's decimals: none here, as the page was made; the data system's two on
    // a page made without saying.
    EXPECT_NE(std::string::npos, resolved.out.find("    Retention time: 4\r\n")) << resolved.out;
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --save @t.qrp").exitCode);
    auto precise = Host(L"@t.qrp --resolve \"" + data + L"\" --list");
    ASSERT_EQ(0u, precise.exitCode) << precise.err;
    EXPECT_NE(std::string::npos, precise.out.find("    Retention time: 4.23\r\n")) << precise.out;
    const std::string png = E2e::ReadBytes(m_folder.Path(L"p.png"));
    EXPECT_EQ(0u, png.find("\x89PNG"));

    // Every registered report-object class once: today the sample is the only one.
    auto all = Host(L"--insert-all --save @all.qrp --list");
    ASSERT_EQ(0u, all.exitCode) << all.err;
    EXPECT_NE(std::string::npos, all.out.find("1. Sample Text Object {6F1E3A52-9C41-4D8B-A7E2-5B3C9D0F1A24}")) << all.out;

    for (const wchar_t* bad : {L"@p.qrp --zoom 5 --png @q.png", L"@p.qrp --activate 0 --shot @q.png",
                               L"@p.qrp --activate 1st", L"@p.qrp --shot @q.png --list",
                               L"--rt-precision 16 --insert QLNSample.TextCtrl --png @q.png"}) {
        SCOPED_TRACE(std::string(bad, bad + wcslen(bad)));
        EXPECT_EQ(2u, Host(bad).exitCode);
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(m_folder.Path(L"q.png").c_str()));
    auto missing = Host(L"@none.qrp --list");
    EXPECT_EQ(1u, missing.exitCode);
    EXPECT_NE(std::string::npos, missing.err.find("cannot open")) << missing.err;
}

// An object whose class is not registered on this computer opens as a placeholder, is listed as
// such, and a save writes its data back unchanged, class and all.
TEST_F(ReportPageCommandLine, AnObjectOfAnUnknownClassIsKeptUnchangedThroughASave)
{
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --insert QLNSample.TextCtrl --save @p.qrp").exitCode);
    const std::wstring path = m_folder.Path(L"p.qrp");
    const CLSID unknown = {0x0BADC0DE, 0x1234, 0x5678, {0x9A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56, 0x78}};
    {
        ComPtr<IStorage> root, storage;
        ASSERT_EQ(S_OK, ::StgOpenStorage(path.c_str(), nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0, &root));
        ASSERT_EQ(S_OK, root->OpenStorage(L"Object1", nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage));
        ASSERT_EQ(S_OK, ::WriteClassStg(storage.Get(), unknown));
        storage->Commit(STGC_DEFAULT);
        root->Commit(STGC_DEFAULT);
    }
    const std::string before = ObjectData(path, L"Object1");
    ASSERT_FALSE(before.empty());
    auto listed = Host(L"@p.qrp --list --save @q.qrp");
    ASSERT_EQ(0u, listed.exitCode) << listed.err;
    EXPECT_NE(std::string::npos,
              listed.out.find("1. {0BADC0DE-1234-5678-9ABC-DEF012345678} {0BADC0DE-1234-5678-9ABC-DEF012345678} at 20.0, 20.0 mm, "
                              "80.0 x 50.0 mm (not registered on this computer; kept as it is)\r\n"))
        << listed.out;
    CLSID kept = CLSID_NULL;
    EXPECT_EQ(before, ObjectData(m_folder.Path(L"q.qrp"), L"Object1", &kept));
    EXPECT_TRUE(kept == unknown);
    EXPECT_EQ(ObjectData(path, L"Object2"), ObjectData(m_folder.Path(L"q.qrp"), L"Object2"));
    // Nor can it be edited in place.
    auto shot = Host(L"@p.qrp --activate 1 --shot @p.png");
    EXPECT_EQ(1u, shot.exitCode);
    EXPECT_NE(std::string::npos, shot.err.find("object 1: {0BADC0DE-1234-5678-9ABC-DEF012345678} is not registered on this computer"))
        << shot.err;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(m_folder.Path(L"p.png").c_str()));
}

// The host's window pictured from the screen (--shot) with the text object of a page of all three
// kinds, previewed with data, active in place, as a person sees it after Enter: the picture is
// the whole window, the grey around the paper at the client area's corner, and where the in-place
// object's first two columns meet the black border line runs between grab handles of the
// handles' colour, and the second column holds only what the object draws of itself there (its
// template: the values are the page's), nothing of the page drawn beneath. The page file stays as
// it was. An object the page does not have, or a picture in a folder that is not
// there, is refused with the reason and nothing written.
TEST_F(ReportPageCommandLine, TheWindowIsPicturedWithTheTextObjectActiveInPlace)
{
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --insert QLNSample.PeakTable --insert QLNSample.Annotation "
                       L"--save @p.qrp").exitCode);
    const std::string page = E2e::ReadBytes(m_folder.Path(L"p.qrp"));
    const std::wstring data = E2e::BinDirectory() + L"..\\..\\hosts\\textobj\\sample-data.txt";
    auto shot = Host(L"@p.qrp --resolve \"" + data + L"\" --zoom 100 --activate 1 --shot @w.png");
    ASSERT_EQ(0u, shot.exitCode) << shot.err;
    EXPECT_EQ(page, E2e::ReadBytes(m_folder.Path(L"p.qrp")));
    const Picture picture = ReadPicture(m_folder.Path(L"w.png"));

    // Where the same window, here, shows the client area, the object active in place and its
    // first border: the first column's share of the bounds narrowed by 3 pixels.
    RECT rcWindow = {}, rcClient = {}, rcControl = {};
    POINT client = {0, 0}, control = {0, 0};
    double ratio = 0;
    std::unique_ptr<PixelGrab> own;
    {
        CQLNPageWindow window;
        std::wstring error;
        ASSERT_TRUE(window.Create(m_folder.Path(L"p.qrp"), 100, error));
        CQLNPageObject& text = *window.Page().Objects().at(0).Get();
        ASSERT_TRUE(window.ActivateInPlace(text, error)) << std::string(error.begin(), error.end());
        const HWND hControl = ::GetWindow(window.Handle(), GW_CHILD);
        ASSERT_NE(nullptr, hControl);
        ::GetWindowRect(window.Handle(), &rcWindow);
        ::GetClientRect(window.Handle(), &rcClient);
        ::GetClientRect(hControl, &rcControl);
        ::ClientToScreen(window.Handle(), &client);
        ::ClientToScreen(hControl, &control);
        ratio = FirstColumnRatio(text);
        // What the object draws of itself at that size, on the window's colour.
        const HDC hScreen = ::GetDC(nullptr);
        const HDC hMem = ::CreateCompatibleDC(hScreen);
        const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, rcControl.right, rcControl.bottom);
        ::ReleaseDC(nullptr, hScreen);
        const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        ::FillRect(hMem, &rcControl, ::GetSysColorBrush(COLOR_WINDOW));
        CQLNTextObjClient client;
        EXPECT_TRUE(client.Attach(text.Object(), error) && client.Draw(nullptr, hMem, rcControl, error))
            << std::string(error.begin(), error.end());
        own = std::make_unique<PixelGrab>(hMem, rcControl.right, rcControl.bottom);
        ::SelectObject(hMem, hOld);
        ::DeleteObject(hBitmap);
        ::DeleteDC(hMem);
    }
    ASSERT_EQ(static_cast<UINT>(rcWindow.right - rcWindow.left), picture.width);
    ASSERT_EQ(static_cast<UINT>(rcWindow.bottom - rcWindow.top), picture.height);
    EXPECT_EQ(::GetSysColor(COLOR_APPWORKSPACE), picture.At(client.x - rcWindow.left + 4, client.y - rcWindow.top + 4));
    ASSERT_GT(ratio, 1.0);
    const int x0 = control.x - rcWindow.left, y0 = control.y - rcWindow.top;
    const int nBorder = x0 + 3 + static_cast<int>((rcControl.right - 6) / ratio + 0.5);
    // The middle handle: a run of the handles' colour across the border, six pixels wide.
    const COLORREF handle = RGB(146, 213, 208);
    const int yMiddle = y0 + rcControl.bottom / 2;
    int nFirst = -1, nWidth = 0;
    for (int x = x0; x < x0 + rcControl.right && (nFirst < 0 || x < nFirst + 10); ++x)
        if (picture.At(x, yMiddle) == handle) {
            nFirst = nFirst < 0 ? x : nFirst;
            ++nWidth;
        }
    EXPECT_EQ(6, nWidth) << "the middle grab handle at " << yMiddle;
    EXPECT_NEAR(nBorder, nFirst + 3, 1) << "the border where the first column ends";
    // Black from the top handle down to the middle one.
    int nBlack = 0;
    for (int y = y0 + 12; y < yMiddle - 6; ++y)
        nBlack += picture.At(nFirst + 3, y) == RGB(0, 0, 0);
    EXPECT_EQ(yMiddle - 6 - (y0 + 12), nBlack) << "the border line at " << nFirst + 3;
    EXPECT_EQ(handle, picture.At(nFirst + 3, y0 + 4)) << "the top grab handle";
    // Right of the border the object shows its own lines only: no ink where its own drawing has
    // none (the page's values beneath would put some there).
    ASSERT_TRUE(own);
    auto dark = [](DWORD c) { return (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) < 3 * 128; };
    int nInk = 0, nStray = 0;
    for (int y = 8; y < rcControl.bottom - 8; ++y)
        for (int x = nFirst + 10 - x0; x < rcControl.right - 4; ++x)
            if (dark(picture.At(x0 + x, y0 + y))) {
                ++nInk;
                nStray += !dark(own->At(x, y)) && !dark(own->At(x - 1, y)) && !dark(own->At(x + 1, y));
            }
    EXPECT_GT(nInk, 50) << "the lines that reach into the second column";
    EXPECT_EQ(0, nStray) << "ink in the second column where the object draws none";

    for (const auto& bad : {std::make_pair(L"--activate 4 --shot @x.png", "there is no object 4 on the page; it has 3"),
                            std::make_pair(L"--activate 1 --shot @none\\x.png", "cannot write")}) {
        const auto refused = Host(L"@p.qrp " + std::wstring(bad.first));
        EXPECT_EQ(1u, refused.exitCode);
        EXPECT_NE(std::string::npos, refused.err.find(bad.second)) << refused.err;
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(m_folder.Path(L"x.png").c_str()));
    EXPECT_EQ(page, E2e::ReadBytes(m_folder.Path(L"p.qrp")));
}

// What the page's description may not say: each refused with a message that names the fault,
// exit code 1 and nothing written.
TEST_F(ReportPageCommandLine, AnImpossiblePageDescriptionIsRefusedSayingWhy)
{
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --insert QLNSample.TextCtrl --save @good.qrp").exitCode);
    const std::string good = E2e::ReadBytes(m_folder.Path(L"good.qrp"));
    // Magic, version, A4, portrait, 20 mm margins, two objects and their places.
    const std::string head = "QRPG" + Le32(1) + Le32(0) + Le32(0) + Le32(2000);
    const std::string places = Le32(2000) + Le32(2000) + Le32(10000) + Le32(7000) + Le32(10000) + Le32(2000) +
                               Le32(18000) + Le32(7000);
    const struct { const char* why; std::string page; const wchar_t* drop; const char* said; } rows[] = {
        {"as written, for comparison", head + Le32(2) + places, nullptr, nullptr},
        {"the version with time decimals", "QRPG" + Le32(2) + Le32(0) + Le32(0) + Le32(2000) + Le32(3) + Le32(2) + places,
         nullptr, nullptr},
        {"a later version", "QRPG" + Le32(3) + Le32(0) + Le32(0) + Le32(2000) + Le32(2) + Le32(2) + places, nullptr,
         "written in version 3"},
        {"more time decimals than a page takes", "QRPG" + Le32(2) + Le32(0) + Le32(0) + Le32(2000) + Le32(16) + Le32(2) +
         places, nullptr, "damaged"},
        {"an unknown paper", "QRPG" + Le32(1) + Le32(7) + Le32(0) + Le32(2000) + Le32(2) + places, nullptr, "damaged"},
        {"margins beyond a quarter of the paper", "QRPG" + Le32(1) + Le32(0) + Le32(0) + Le32(6000) + Le32(2) + places,
         nullptr, "margins are larger"},
        {"more objects than places", head + Le32(3) + places, nullptr, "cut short"},
        {"bytes after the places", head + Le32(2) + places + "x", nullptr, "damaged"},
        {"an object too small to grab", head + Le32(2) + places.substr(0, 16) + Le32(10000) + Le32(2000) +
         Le32(10100) + Le32(7000), nullptr, "outside the page"},
        {"an object's storage gone", head + Le32(2) + places, L"Object2", "object 2 is missing"},
        {"an empty description", "", nullptr, "this is not a report page"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"p.qrp"), good));
        RewritePage(m_folder.Path(L"p.qrp"), row.page, row.drop);
        const auto result = Host(L"@p.qrp --list --save @out.qrp");
        if (row.said == nullptr) {
            EXPECT_EQ(0u, result.exitCode) << result.err;
            ::DeleteFileW(m_folder.Path(L"out.qrp").c_str());
            continue;
        }
        EXPECT_EQ(1u, result.exitCode);
        EXPECT_NE(std::string::npos, result.err.find(row.said)) << result.err;
        EXPECT_EQ(::GetFileAttributesW(m_folder.Path(L"out.qrp").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

namespace {

// The text of each page of a PDF (pdftotext -layout into txt), in order.
std::vector<std::string> PdfPages(const std::wstring& pdf, const std::wstring& txt)
{
    EXPECT_TRUE(CQLNUnixProgram::Run({"pdftotext", "-layout", CQLNUnixProgram::UnixPath(pdf), CQLNUnixProgram::UnixPath(txt)}));
    // pdftotext ends every page with a form feed.
    const std::string text = E2e::ReadBytes(txt);
    std::vector<std::string> pages;
    for (size_t start = 0, end; (end = text.find('\f', start)) != std::string::npos; start = end + 1)
        pages.push_back(text.substr(start, end - start));
    return pages;
}

// Where poppler's word boxes (pdftotext -bbox, in points from the paper's top left corner) put
// each whole word that is text: its left, top and height.
struct WordBox
{
    double x, y, height;
};

std::vector<WordBox> WordsAt(const std::string& html, const std::string& text)
{
    std::vector<WordBox> boxes;
    for (size_t at = 0; (at = html.find(">" + text + "<", at)) != std::string::npos; ++at) {
        const size_t word = html.rfind("<word", at);
        double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
        if (word != std::string::npos &&
            std::sscanf(html.c_str() + word, "<word xMin=\"%lf\" yMin=\"%lf\" xMax=\"%lf\" yMax=\"%lf\"", &xMin, &yMin,
                        &xMax, &yMax) == 4)
            boxes.push_back(WordBox{xMin, yMin, yMax - yMin});
    }
    return boxes;
}

// Each object's place in points, from the lines "<n>. ... at X, Y mm, W x H mm" of --list.
std::vector<RECT> PlacesListed(const std::string& listed)
{
    std::vector<RECT> places;
    const double pt = 72 / 25.4;
    for (size_t at = 0; (at = listed.find(" mm, ", at)) != std::string::npos; ++at) {
        const size_t start = listed.rfind(" at ", at);
        double x = 0, y = 0, w = 0, h = 0;
        if (std::sscanf(listed.c_str() + start, " at %lf, %lf mm, %lf x %lf mm", &x, &y, &w, &h) == 4 && start > listed.rfind('\n', at))
            places.push_back(RECT{static_cast<LONG>(x * pt), static_cast<LONG>(y * pt), static_cast<LONG>((x + w) * pt),
                                  static_cast<LONG>((y + h) * pt)});
    }
    return places;
}

} // namespace

// The three kinds of report object printed through the default printer into a PDF, resolved
// with a data file that has rows: the text object's value, the peak table's first and last row
// and the annotation's note are each inside their own object's place on the paper, at a size
// that can be read.
TEST_F(ReportPageCommandLine, APdfHoldsEachObjectsResolvedContentAtItsPlace)
{
    ASSERT_FALSE(CQLNPagePrinter::DefaultPrinter().empty()) << "the prefix has no printer";
    ASSERT_TRUE(CQLNUnixProgram::Available());
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --insert QLNSample.PeakTable --insert QLNSample.Annotation "
                       L"--save @p.qrp").exitCode);
    const auto listed = Host(L"@p.qrp --list");
    const std::vector<RECT> places = PlacesListed(listed.out);
    ASSERT_EQ(3u, places.size()) << listed.out;
    const std::wstring data = E2e::BinDirectory() + L"..\\..\\hosts\\textobj\\sample-data.txt";
    auto printed = Host(L"@p.qrp --resolve \"" + data + L"\" --pdf @p.pdf");
    ASSERT_EQ(0u, printed.exitCode) << printed.err;
    ASSERT_TRUE(CQLNUnixProgram::Run({"pdftotext", "-bbox", CQLNUnixProgram::UnixPath(m_folder.Path(L"p.pdf")),
                                      CQLNUnixProgram::UnixPath(m_folder.Path(L"p.html"))}));
    const std::string html = E2e::ReadBytes(m_folder.Path(L"p.html"));
    EXPECT_EQ(std::string::npos, html.find("{DataFile}")) << "every key is resolved";
    const struct { const char* word; size_t object; } rows[] = {
        {"run042.d", 0}, {"Theobromine", 1}, {"Paraxanthine", 1}, {"Note", 2}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.word);
        const auto boxes = WordsAt(html, row.word);
        ASSERT_EQ(1u, boxes.size()) << html.substr(0, 3000);
        const RECT& place = places[row.object];
        EXPECT_GE(boxes[0].x, place.left);
        EXPECT_LT(boxes[0].x, place.right);
        EXPECT_GE(boxes[0].y, place.top);
        EXPECT_LT(boxes[0].y, place.bottom);
        // Text keeps its size on paper: none of the samples' fonts is below 8 points.
        EXPECT_GT(boxes[0].height, 6.0);
    }
    // A PDF Ghostscript cannot write is refused, and nothing is left behind.
    const std::wstring nowhere = m_folder.Path(L"none") + L"\\p.pdf";
    auto refused = Host(L"@p.qrp --pdf \"" + nowhere + L"\"");
    EXPECT_EQ(1u, refused.exitCode);
    EXPECT_NE(std::string::npos, refused.err.find("cannot write")) << refused.err;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(nowhere.c_str()));
}

// A page with a text object and a table given 200 rows, printed resolved into a PDF: the table
// prints the rows its place holds, then continues on sheets of its own, under its headings on
// every one, until every row is printed once and in order; the text object is on the first sheet
// only; every sheet's foot names the data file and says "Page i of n".
TEST_F(ReportPageCommandLine, ATableOfManyRowsContinuesOnSheetsOfItsOwnWithFooters)
{
    ASSERT_FALSE(CQLNPagePrinter::DefaultPrinter().empty()) << "the prefix has no printer";
    ASSERT_TRUE(CQLNUnixProgram::Available());
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --insert QLNSample.PeakTable --save @p.qrp").exitCode);
    std::string data = "DataFile=run200.d\r\n";
    for (int r = 1; r <= 200; ++r) {
        char row[120];
        std::snprintf(row, sizeof row, "Row%d.CompName=Pk%03d\r\nRow%d.RT=%d.5\r\nRow%d.Area=%d\r\n", r, r, r, r / 10, r,
                      1000 + r);
        data += row;
    }
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"rows.txt"), data));
    const auto printed = Host(L"@p.qrp --resolve @rows.txt --pdf @p.pdf");
    ASSERT_EQ(0u, printed.exitCode) << printed.err;
    const std::string pdf = CQLNUnixProgram::UnixPath(m_folder.Path(L"p.pdf"));
    ASSERT_TRUE(CQLNUnixProgram::Run({"sh", "-c", "pdfinfo \"$0\" > \"$1\"", pdf,
                                      CQLNUnixProgram::UnixPath(m_folder.Path(L"info.txt"))}));
    const std::string info = E2e::ReadBytes(m_folder.Path(L"info.txt"));
    const size_t at = info.find("Pages:");
    ASSERT_NE(std::string::npos, at) << info;
    const int nPages = std::atoi(info.c_str() + at + 6);
    EXPECT_GT(nPages, 2) << "200 rows take more than the table's place and one more sheet";

    const std::vector<std::string> pages = PdfPages(m_folder.Path(L"p.pdf"), m_folder.Path(L"p.txt"));
    ASSERT_EQ(static_cast<size_t>(nPages), pages.size());
    std::vector<int> rows;
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE("page " + std::to_string(i + 1));
        const std::string& page = pages[i];
        EXPECT_NE(std::string::npos, page.find("Page " + std::to_string(i + 1) + " of " + std::to_string(nPages))) << page;
        EXPECT_NE(std::string::npos, page.find("rows.txt")) << page;
        EXPECT_NE(std::string::npos, page.find("Compound")) << "the headings on every sheet";
        EXPECT_EQ(i == 0, page.find("Sample Information") != std::string::npos) << "the text object on the first only";
        EXPECT_EQ(i == 0, page.find("run200.d") != std::string::npos);
        // The text object's lines do not all fit its place: the first sheet has its marker.
        EXPECT_EQ(i == 0, page.find("(More...)") != std::string::npos) << "no row of the table is left out";
        for (size_t p = page.find("Pk"); p != std::string::npos; p = page.find("Pk", p + 2))
            rows.push_back(std::atoi(page.c_str() + p + 2));
    }
    ASSERT_EQ(200u, rows.size()) << pages[0];
    for (int r = 1; r <= 200; ++r)
        EXPECT_EQ(r, rows[static_cast<size_t>(r - 1)]) << "every row once, in order";
}

// A page file whose second object lies partly off the paper, as another program may write it,
// opens with that object moved onto the paper and a message saying so, once; the page then counts
// as changed. The command line warns and goes on.
TEST_F(ReportPage, AnObjectOffThePaperIsMovedOntoItAndThePersonToldOnce)
{
    const std::wstring path = m_folder.Path(L"off.qrp");
    OpenWindow(path);
    std::wstring listed;
    ASSERT_TRUE(InsertFromList(listed));
    ASSERT_TRUE(InsertFromList(listed));
    Keys({VK_CONTROL, 'S'});
    m_window->Page().Close();
    m_window.reset();
    // A4 portrait, 20 mm margins; the second object from 100 mm across to 220 mm, past the edge.
    ReportPageHost::RewritePage(path, "QRPG" + ReportPageHost::Le32(1) + ReportPageHost::Le32(0) + ReportPageHost::Le32(0) + ReportPageHost::Le32(2000) + ReportPageHost::Le32(2) + ReportPageHost::Le32(2000) + ReportPageHost::Le32(2000) +
                          ReportPageHost::Le32(10000) + ReportPageHost::Le32(7000) + ReportPageHost::Le32(10000) + ReportPageHost::Le32(2000) + ReportPageHost::Le32(22000) + ReportPageHost::Le32(7000));
    std::vector<std::wstring> messages;
    const auto answer = [&]() -> std::vector<ScriptedUser::Step> {
        return {Waiting("the message", [&] { return FindOwnedDialog(m_hWnd) != nullptr; }),
                [&] {
                    const HWND hBox = FindOwnedDialog(m_hWnd);
                    messages.push_back(MessageBoxText(hBox));
                    return PostClick(::GetDlgItem(hBox, IDOK)), true;
                }};
    };
    ScriptedUser user(answer(), [] { ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0); });
    OpenWindow(path);
    EXPECT_TRUE(WaitFor([&] { return user.Finished() && !OwnsDialog(m_hWnd); }, 15));
    ASSERT_EQ(1u, messages.size());
    EXPECT_NE(std::wstring::npos, messages[0].find(L"object 2 lay outside the paper and was moved onto it"))
        << std::string(messages[0].begin(), messages[0].end());
    ASSERT_EQ(2u, m_window->Page().Objects().size());
    const RECT kept = {9000, 2000, 21000, 7000};
    EXPECT_TRUE(::EqualRect(&kept, &Object(1).Place())) << Object(1).Place().left;
    EXPECT_EQ(L"off.qrp* - Report Page", Title());
    // Told once: nothing more comes up while the window runs on.
    for (int i = 0; i < 10; ++i)
        PumpMessages();
    EXPECT_EQ(nullptr, FindOwnedDialog(m_hWnd));

    const std::wstring out = m_folder.Path(L"out.qrp");
    const E2e::ProcessResult batch =
        E2e::Run(L"\"" + E2e::BinDirectory() + L"reportpage.exe\" \"" + path + L"\" --list --save \"" + out + L"\"");
    EXPECT_EQ(0u, batch.exitCode) << batch.err;
    EXPECT_NE(std::string::npos, batch.err.find("warning: ")) << batch.err;
    EXPECT_NE(std::string::npos, batch.err.find("object 2 lay outside the paper and was moved onto it")) << batch.err;
    EXPECT_NE(std::string::npos, batch.out.find("2. Sample Text Object {6F1E3A52-9C41-4D8B-A7E2-5B3C9D0F1A24} at 90.0, 20.0 mm, 120.0 x 50.0 mm"))
        << batch.out;
    const E2e::ProcessResult again = E2e::Run(L"\"" + E2e::BinDirectory() + L"reportpage.exe\" \"" + out + L"\" --list");
    EXPECT_EQ(0u, again.exitCode);
    EXPECT_EQ(std::string::npos, again.err.find("warning")) << "the page saved holds its objects on the paper: " << again.err;
}

// A page shown in the window with data (--resolve) is a preview: the title says so, the text
// object draws the values in place of its tokens and the table its rows, but the page does not
// change: no star, the objects' lines and saved data are the template's, and a save writes the
// template. File > Back to Design shows the tokens and the table's row of keys again.
TEST_F(ReportPage, APreviewWithDataDrawsTheValuesAndLeavesThePageATemplate)
{
    const std::wstring path = m_folder.Path(L"p.qrp");
    OpenWindow(path);
    std::wstring error;
    for (const wchar_t* progId : {L"QLNSample.TextCtrl", L"QLNSample.PeakTable"})
        ASSERT_TRUE(CQLNReportPageTools::InsertByName(m_window->Page(), m_window.get(), progId, error))
            << std::string(error.begin(), error.end());
    Keys({VK_CONTROL, 'S'});
    ASSERT_EQ(L"p.qrp - Report Page", Title());
    const std::string text = ReportPageHost::ObjectData(path, L"Object1"), table = ReportPageHost::ObjectData(path, L"Object2");
    ASSERT_FALSE(text.empty());
    ASSERT_FALSE(table.empty());
    const HMENU hMenu = ::GetMenu(m_hWnd);
    EXPECT_TRUE(::GetMenuState(hMenu, ID_FILE_END_PREVIEW, MF_BYCOMMAND) & MF_GRAYED) << "no preview to end";

    const std::wstring data = E2e::BinDirectory() + L"..\\..\\hosts\\textobj\\sample-data.txt";
    CQLNReportResolver resolver;
    ASSERT_TRUE(resolver.LoadData(data, error));
    ASSERT_TRUE(m_window->Preview(resolver, data, error)) << std::string(error.begin(), error.end());
    EXPECT_EQ(L"p.qrp - preview of sample-data.txt - Report Page", Title());
    EXPECT_FALSE(::GetMenuState(hMenu, ID_FILE_END_PREVIEW, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(m_window->Page().IsModified());
    EXPECT_TRUE(Contains(LinesOf(Object(0)), L"Data file: {DataFile}"));
    const EmfScan previewed = PageTexts(m_window->Page(), 100);
    const std::wstring drawn = previewed.TextList();
    EXPECT_NE(nullptr, previewed.Find(L"run042.d")) << std::string(drawn.begin(), drawn.end());
    EXPECT_EQ(nullptr, previewed.Find(L"{DataFile}"));
    EXPECT_NE(nullptr, previewed.Find(L"Theobromine")) << "the table's first row";
    EXPECT_EQ(text, SavedData(Object(0)));
    EXPECT_EQ(table, SavedData(Object(1)));

    // Saved while previewing: the template, as it was.
    Keys({VK_CONTROL, 'S'});
    EXPECT_EQ(L"p.qrp - preview of sample-data.txt - Report Page", Title());
    EXPECT_EQ(text, ReportPageHost::ObjectData(path, L"Object1"));
    EXPECT_EQ(table, ReportPageHost::ObjectData(path, L"Object2"));

    ::SendMessageW(m_hWnd, WM_COMMAND, ID_FILE_END_PREVIEW, 0);
    EXPECT_EQ(L"p.qrp - Report Page", Title());
    EXPECT_TRUE(::GetMenuState(hMenu, ID_FILE_END_PREVIEW, MF_BYCOMMAND) & MF_GRAYED);
    const EmfScan design = PageTexts(m_window->Page(), 100);
    EXPECT_NE(nullptr, design.Find(L"{DataFile}"));
    EXPECT_EQ(nullptr, design.Find(L"run042.d"));
    EXPECT_EQ(nullptr, design.Find(L"Theobromine"));
    EXPECT_NE(nullptr, design.Find(L"{CompName}")) << "the table's row of keys";
    EXPECT_FALSE(m_window->Page().IsModified());
}

// A preview with a data file whose table has more rows than its place holds shows the sheets
// the page prints on: Page Down turns to the next, Page Up back, neither past the first or the
// last, and the title says which is shown. Back to design, the page is one sheet again.
TEST_F(ReportPage, APreviewOfATableOfManyRowsTurnsItsSheetsWithPageDownAndPageUp)
{
    OpenWindow(m_folder.Path(L"p.qrp"));
    std::wstring error;
    for (const wchar_t* progId : {L"QLNSample.TextCtrl", L"QLNSample.PeakTable"})
        ASSERT_TRUE(CQLNReportPageTools::InsertByName(m_window->Page(), m_window.get(), progId, error))
            << std::string(error.begin(), error.end());
    Keys({VK_CONTROL, 'S'});
    std::string data;
    for (int r = 1; r <= 200; ++r)
        data += "Row" + std::to_string(r) + ".CompName=Pk" + std::to_string(r) + "\r\n";
    const std::wstring path = m_folder.Path(L"rows.txt");
    ASSERT_TRUE(E2e::WriteBytes(path, data));
    CQLNReportResolver resolver;
    ASSERT_TRUE(resolver.LoadData(path, error));
    ASSERT_TRUE(m_window->Preview(resolver, path, error)) << std::string(error.begin(), error.end());

    const std::wstring first = Title();
    const size_t at = first.find(L" - Page 1 of ");
    ASSERT_NE(std::wstring::npos, at) << std::string(first.begin(), first.end());
    EXPECT_EQ(0u, first.find(L"p.qrp - preview of rows.txt - Page 1 of "));
    const int nSheets = std::stoi(first.substr(at + 13));
    EXPECT_GT(nSheets, 2) << "200 rows take more than the table's place and one more sheet";
    const auto sheetShown = [&] {
        const std::wstring title = Title();
        const size_t page = title.find(L" - Page ");
        return page == std::wstring::npos ? 0 : std::stoi(title.substr(page + 8));
    };
    Keys({VK_PRIOR});
    EXPECT_EQ(1, sheetShown()) << "no sheet before the first";
    Keys({VK_NEXT});
    EXPECT_EQ(2, sheetShown());
    EXPECT_NE(std::wstring::npos, Title().find(L"Page 2 of " + std::to_wstring(nSheets)));
    for (int i = 0; i < nSheets + 2; ++i)
        Keys({VK_NEXT});
    EXPECT_EQ(nSheets, sheetShown()) << "none after the last";
    Keys({VK_PRIOR});
    EXPECT_EQ(nSheets - 1, sheetShown());
    EXPECT_FALSE(m_window->Page().IsModified());

    ::SendMessageW(m_hWnd, WM_COMMAND, ID_FILE_END_PREVIEW, 0);
    EXPECT_EQ(L"p.qrp - Report Page", Title());
    Keys({VK_NEXT});
    EXPECT_EQ(L"p.qrp - Report Page", Title());
}

namespace {

// The words of poppler's word boxes (pdftotext -bbox), each at its left and top in points from
// the paper's top left corner.
struct PlacedWord
{
    std::string text;
    double x, y;
};

std::vector<PlacedWord> WordsOf(const std::string& html)
{
    std::vector<PlacedWord> words;
    for (size_t at = 0; (at = html.find("<word ", at)) != std::string::npos; ++at) {
        double xMin = 0, yMin = 0;
        const size_t open = html.find('>', at), close = html.find("</word>", at);
        if (open != std::string::npos && close != std::string::npos &&
            std::sscanf(html.c_str() + at, "<word xMin=\"%lf\" yMin=\"%lf\"", &xMin, &yMin) == 2)
            words.push_back(PlacedWord{html.substr(open + 1, close - open - 1), xMin, yMin});
    }
    return words;
}

std::vector<PlacedWord> PdfWords(const std::wstring& pdf, const std::wstring& html)
{
    EXPECT_TRUE(CQLNUnixProgram::Run({"pdftotext", "-bbox", CQLNUnixProgram::UnixPath(pdf), CQLNUnixProgram::UnixPath(html)}));
    return WordsOf(E2e::ReadBytes(html));
}

// The lines of text within place (points), top to bottom: texts whose tops lie within 3 points
// of a line's first are on that line, in order from the left, joined without the spaces between
// them (a PDF joins outputs that touch, and splits words where a window draws them as one).
std::vector<std::string> LinesWithin(std::vector<PlacedWord> words, const RECT& place)
{
    words.erase(std::remove_if(words.begin(), words.end(),
                               [&](const PlacedWord& w) {
                                   return w.x < place.left - 1 || w.x >= place.right || w.y < place.top - 1 ||
                                          w.y >= place.bottom;
                               }),
                words.end());
    std::stable_sort(words.begin(), words.end(), [](const PlacedWord& a, const PlacedWord& b) { return a.y < b.y; });
    std::vector<std::vector<PlacedWord>> rows;
    for (const PlacedWord& w : words) {
        if (rows.empty() || w.y - rows.back().front().y > 3)
            rows.emplace_back();
        rows.back().push_back(w);
    }
    std::vector<std::string> lines;
    for (auto& row : rows) {
        std::stable_sort(row.begin(), row.end(), [](const PlacedWord& a, const PlacedWord& b) { return a.x < b.x; });
        std::string line;
        for (const PlacedWord& w : row)
            for (char c : w.text)
                if (c != ' ')
                    line += c;
        // Liberation's hyphen comes out of a PDF as a soft hyphen.
        for (size_t at; (at = line.find("\xC2\xAD")) != std::string::npos;)
            line.replace(at, 2, "-");
        lines.push_back(line);
    }
    return lines;
}

// Text outputs found while a recording is played, each at its reference point in points.
struct FoundWords
{
    std::vector<PlacedWord> words;
    double dPointsPerPixel;
};

int CALLBACK CollectWord(HDC hdc, HANDLETABLE* pHandles, const ENHMETARECORD* pRecord, int nHandles, LPARAM lParam)
{
    if (pRecord->iType == EMR_EXTTEXTOUTW) {
        // Where the playing puts the output: through whatever transforms the recording set.
        const auto* pText = reinterpret_cast<const EMREXTTEXTOUTW*>(pRecord);
        POINT pt = {pText->emrtext.ptlReference.x, pText->emrtext.ptlReference.y};
        ::LPtoDP(hdc, &pt, 1);
        const wchar_t* pChars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(pText) + pText->emrtext.offString);
        const int nChars = static_cast<int>(pText->emrtext.nChars);
        std::string utf8(static_cast<size_t>(nChars) * 3 + 1, '\0');
        utf8.resize(static_cast<size_t>(
            ::WideCharToMultiByte(CP_UTF8, 0, pChars, nChars, &utf8[0], static_cast<int>(utf8.size()), nullptr, nullptr)));
        // As poppler writes a word's text into its word boxes.
        std::string escaped;
        for (char c : utf8)
            escaped += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '"' ? "&quot;" : std::string(1, c);
        auto* pFound = reinterpret_cast<FoundWords*>(lParam);
        pFound->words.push_back(PlacedWord{escaped, pt.x * pFound->dPointsPerPixel, pt.y * pFound->dPointsPerPixel});
    }
    ::PlayEnhMetaFileRecord(hdc, pHandles, pRecord, static_cast<UINT>(nHandles));
    return 1;
}

// What the window draws at the zoom, recorded into a metafile as its paint draws the page, and
// each text output's reference point then found by playing that recording: in points from the
// paper's corner.
std::vector<PlacedWord> WindowWords(const CQLNReportPage& page, int nZoom)
{
    const SIZE shown = CQLNPageScale::Screen(nZoom, POINT{0, 0}).ToDevice(page.Size());
    const int nWidth = shown.cx, nHeight = shown.cy;
    const HDC hScreen = ::GetDC(nullptr);
    // The frame by the screen's own ratio of pixels to millimetres: played into a rectangle of
    // the page's pixels, the recording maps one pixel to one pixel.
    const RECT frame = {0, 0, ::MulDiv(nWidth, ::GetDeviceCaps(hScreen, HORZSIZE) * 100, ::GetDeviceCaps(hScreen, HORZRES)),
                        ::MulDiv(nHeight, ::GetDeviceCaps(hScreen, VERTSIZE) * 100, ::GetDeviceCaps(hScreen, VERTRES))};
    const HDC hRecord = ::CreateEnhMetaFileW(hScreen, nullptr, &frame, nullptr);
    std::wstring error;
    page.Draw(hRecord, POINT{0, 0}, nZoom, error);
    EXPECT_EQ(L"", error);
    const HENHMETAFILE hEmf = ::CloseEnhMetaFile(hRecord);
    FoundWords found = {{}, 72.0 / (CQLNReportPage::ScreenDpi() * nZoom / 100.0)};
    const HDC hMem = ::CreateCompatibleDC(hScreen);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
    const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    const RECT rc = {0, 0, nWidth, nHeight};
    ::EnumEnhMetaFile(hMem, hEmf, CollectWord, &found, &rc);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    ::DeleteEnhMetaFile(hEmf);
    return found.words;
}

// An object's place in points from the paper's corner.
RECT PlaceInPoints(const CQLNPageObject& object)
{
    const RECT& rc = object.Place();
    const auto pt = [](long n) { return static_cast<LONG>(n * 72.0 / 2540.0); };
    return RECT{pt(rc.left), pt(rc.top), pt(rc.right), pt(rc.bottom)};
}

} // namespace

// The window shows each object as the printer prints it: at 50, 75, 100, 150 and 200 %, chosen
// from the Zoom menu, the lines of the text object, the peak table and the annotation of a page
// previewed with data break on the same words as in the page's PDF, and each object ends on the
// same row.
TEST_F(ReportPage, AtEveryZoomTheWindowBreaksLinesOnTheWordsThePdfDoes)
{
    ASSERT_FALSE(CQLNPagePrinter::DefaultPrinter().empty()) << "the prefix has no printer";
    OpenWindow(m_folder.Path(L"p.qrp"));
    std::wstring error;
    for (const wchar_t* progId : {L"QLNSample.TextCtrl", L"QLNSample.PeakTable", L"QLNSample.Annotation"})
        ASSERT_TRUE(CQLNReportPageTools::InsertByName(m_window->Page(), m_window.get(), progId, error))
            << std::string(error.begin(), error.end());
    const std::wstring data = E2e::BinDirectory() + L"..\\..\\hosts\\textobj\\sample-data.txt";
    CQLNReportResolver resolver;
    ASSERT_TRUE(resolver.LoadData(data, error));
    ASSERT_TRUE(m_window->Preview(resolver, data, error)) << std::string(error.begin(), error.end());
    ASSERT_TRUE(CQLNPagePrinter::WritePdf(m_window->Page(), m_folder.Path(L"p.pdf"), error))
        << std::string(error.begin(), error.end());
    const std::vector<PlacedWord> printed = PdfWords(m_folder.Path(L"p.pdf"), m_folder.Path(L"p.html"));
    const struct { int nZoom; UINT nCommand; } zooms[] = {
        {50, ID_ZOOM_50}, {75, ID_ZOOM_75}, {100, ID_ZOOM_100}, {150, ID_ZOOM_150}, {200, ID_ZOOM_200}};
    for (const auto& zoom : zooms) {
        SCOPED_TRACE(zoom.nZoom);
        ::SendMessageW(m_hWnd, WM_COMMAND, zoom.nCommand, 0);
        ASSERT_EQ(zoom.nZoom, m_window->Zoom());
        const std::vector<PlacedWord> shown = WindowWords(m_window->Page(), zoom.nZoom);
        for (size_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            const RECT place = PlaceInPoints(Object(i));
            const std::vector<std::string> onPaper = LinesWithin(printed, place), onScreen = LinesWithin(shown, place);
            EXPECT_FALSE(onPaper.empty());
            ASSERT_EQ(onPaper.size(), onScreen.size()) << "lines on paper and on the screen";
            // A text cut off at its cell's edge is one output in the window's recording, while
            // the PDF keeps only its glyphs inside: the line on paper begins the line shown.
            for (size_t n = 0; n < onPaper.size(); ++n)
                EXPECT_EQ(0u, onScreen[n].find(onPaper[n])) << onPaper[n] << " | " << onScreen[n];
        }
    }
}

// A resolved page lays its objects out as the unresolved one, with the values where the tokens
// were: a line such as "Data file: run042.d" keeps its value in the value column. Every word of
// the page's PDF is where the demo host's PDF of the same object, resolved with the same data,
// puts it, within a point; and a page resolved and saved is the template it was.
TEST_F(ReportPageCommandLine, AResolvedPageLaysOutAsTheDemoHostPrintsTheSameObject)
{
    ASSERT_FALSE(CQLNPagePrinter::DefaultPrinter().empty()) << "the prefix has no printer";
    ASSERT_TRUE(CQLNUnixProgram::Available());
    ASSERT_EQ(0u, Host(L"--insert QLNSample.TextCtrl --save @p.qrp").exitCode);
    const std::string contents = ObjectData(m_folder.Path(L"p.qrp"), L"Object1");
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"t.bin"), contents));
    const std::wstring data = E2e::BinDirectory() + L"..\\..\\hosts\\textobj\\sample-data.txt";
    const auto page = Host(L"@p.qrp --resolve \"" + data + L"\" --pdf @p.pdf --save @q.qrp");
    ASSERT_EQ(0u, page.exitCode) << page.err;
    EXPECT_EQ(contents, ObjectData(m_folder.Path(L"q.qrp"), L"Object1")) << "the template is saved";
    // The object is 80 x 50 mm, 302 x 189 pixels at 96 dpi.
    const auto alone = E2e::Run(L"\"" + E2e::BinDirectory() + L"textobj.exe\" --load \"" + m_folder.Path(L"t.bin") +
                                L"\" --resolve \"" + data + L"\" --pdf \"" + m_folder.Path(L"t.pdf") + L"\" --size 302x189");
    ASSERT_EQ(0u, alone.exitCode) << alone.err;

    // The page's object is at 20 mm from the paper's corner; the demo host prints at the
    // printable area's corner, a quarter inch in.
    std::vector<PlacedWord> onPage = PdfWords(m_folder.Path(L"p.pdf"), m_folder.Path(L"p.html"));
    std::vector<PlacedWord> printed = PdfWords(m_folder.Path(L"t.pdf"), m_folder.Path(L"t.html"));
    // The footer of a page printed with data is the page's own, below the bottom margin of its
    // A4 paper.
    const double dMarginBottom = (297 - 20) * 72 / 25.4;
    onPage.erase(std::remove_if(onPage.begin(), onPage.end(), [&](const PlacedWord& w) { return w.y > dMarginBottom; }),
                 onPage.end());
    for (PlacedWord& w : onPage)
        w.x -= 20 * 72 / 25.4, w.y -= 20 * 72 / 25.4;
    for (PlacedWord& w : printed)
        w.x -= 18, w.y -= 18;
    ASSERT_EQ(printed.size(), onPage.size());
    int nValues = 0;
    for (size_t i = 0; i < printed.size(); ++i) {
        SCOPED_TRACE(printed[i].text);
        EXPECT_EQ(printed[i].text, onPage[i].text);
        EXPECT_NEAR(printed[i].x, onPage[i].x, 1.0);
        EXPECT_NEAR(printed[i].y, onPage[i].y, 1.0);
        nValues += onPage[i].text == "run042.d";
    }
    EXPECT_EQ(1, nValues) << "the data file's name in place of its key";
}

// File > Preview with Results, by keyboard: three names typed into the open dialog, one of them
// no result. A message names that one; the other two are previewed in the order chosen, Page
// Down going on from the last sheet of the first report to the second report, Page Up back to
// the first report's last sheet, the title naming the result and its sheet. The page stays the
// template throughout: no star, its saved data as before, and Back to Design ends the preview.
TEST_F(ReportPage, PreviewWithResultsFromTheFileMenuTurnsTheSheetsOfEachReportInOrder)
{
    ASSERT_TRUE(CQLNUnixProgram::Available());
    ASSERT_TRUE(E2e::MakeResult(m_folder.Path(L"long.cdf"), "Alpha", 60));
    ASSERT_TRUE(E2e::MakeResult(m_folder.Path(L"short.cdf"), "Beta", 3));
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"bad.cdf"), "SampName=not a result\r\n"));
    const std::wstring path = m_folder.Path(L"p.qrp");
    OpenWindow(path);
    InsertByName({L"QLNSample.TextCtrl", L"QLNSample.PeakTable"});
    Keys({VK_CONTROL, 'S'});
    ASSERT_EQ(L"p.qrp - Report Page", Title());
    const std::string text = ReportPageHost::ObjectData(path, L"Object1"), table = ReportPageHost::ObjectData(path, L"Object2");
    ASSERT_FALSE(table.empty());

    std::wstring message;
    EXPECT_TRUE(PreviewResults(L"\"long.cdf\" \"bad.cdf\" \"short.cdf\"", &message));
    EXPECT_NE(std::wstring::npos, message.find(L"bad.cdf")) << std::string(message.begin(), message.end());
    EXPECT_EQ(std::wstring::npos, message.find(L"long.cdf")) << "only the result that cannot be read is named";

    const std::wstring first = Title();
    const std::wstring head = L"p.qrp - preview of long.cdf, result 1 of 2 - Page 1 of ";
    ASSERT_EQ(0u, first.find(head)) << std::string(first.begin(), first.end());
    const int nSheets = std::stoi(first.substr(head.size()));
    EXPECT_GE(nSheets, 2) << "sixty rows take more than one sheet";
    EXPECT_NE(nullptr, PageTexts(m_window->Page(), 100).Find(L"Alpha 1"));
    const std::wstring lastOfLong = L"p.qrp - preview of long.cdf, result 1 of 2 - Page " + std::to_wstring(nSheets) +
                                    L" of " + std::to_wstring(nSheets) + L" - Report Page";
    const std::wstring shortShown = L"p.qrp - preview of short.cdf, result 2 of 2 - Page 1 of 1 - Report Page";

    for (int i = 1; i < nSheets; ++i)
        Keys({VK_NEXT});
    EXPECT_EQ(lastOfLong, Title());
    Keys({VK_NEXT});
    EXPECT_EQ(shortShown, Title());
    const EmfScan second = PageTexts(m_window->Page(), 100);
    EXPECT_NE(nullptr, second.Find(L"Beta 1")) << "the second report's rows";
    EXPECT_EQ(nullptr, second.Find(L"Alpha 1"));
    Keys({VK_NEXT});
    EXPECT_EQ(shortShown, Title()) << "none after the last";
    Keys({VK_PRIOR});
    EXPECT_EQ(lastOfLong, Title()) << "back to the first report's last sheet";
    EXPECT_NE(nullptr, PageTexts(m_window->Page(), 100).Find(L"Alpha 1"));
    EXPECT_FALSE(m_window->Page().IsModified());

    // Export PDF prints what is previewed: every report, each from a new sheet and numbering its
    // own; the window goes on showing the sheet it showed.
    const std::wstring pdf = m_folder.Path(L"all.pdf");
    EXPECT_TRUE(InModal([&] { ::PostMessageW(m_hWnd, WM_COMMAND, ID_FILE_EXPORT_PDF, 0); }, TypeFileName(pdf)));
    const std::vector<std::string> pages = PdfPages(pdf, m_folder.Path(L"all.txt"));
    ASSERT_EQ(static_cast<size_t>(nSheets + 1), pages.size());
    for (int i = 0; i < nSheets; ++i) {
        EXPECT_NE(std::string::npos, pages[i].find("long.cdf")) << pages[i];
        EXPECT_NE(std::string::npos, pages[i].find("Page " + std::to_string(i + 1) + " of " + std::to_string(nSheets)));
        EXPECT_EQ(std::string::npos, pages[i].find("Beta")) << pages[i];
    }
    EXPECT_NE(std::string::npos, pages[0].find("Alpha 1")) << pages[0];
    EXPECT_NE(std::string::npos, pages.back().find("short.cdf")) << pages.back();
    EXPECT_NE(std::string::npos, pages.back().find("Page 1 of 1"));
    EXPECT_NE(std::string::npos, pages.back().find("Beta 1")) << pages.back();
    EXPECT_EQ(lastOfLong, Title());
    EXPECT_NE(nullptr, PageTexts(m_window->Page(), 100).Find(L"Alpha 1")) << "the first report is shown again";
    EXPECT_FALSE(m_window->Page().IsModified());

    // Saved while previewing: the template, byte for byte.
    Keys({VK_CONTROL, 'S'});
    EXPECT_EQ(text, ReportPageHost::ObjectData(path, L"Object1"));
    EXPECT_EQ(table, ReportPageHost::ObjectData(path, L"Object2"));

    EXPECT_TRUE(InModal([] { Keys({VK_MENU, 'F'}); },
                        {Waiting("the menu", [] { return ShownMenu() != nullptr; }), [] { return PressChord({'B'}), true; }}));
    EXPECT_EQ(L"p.qrp - Report Page", Title());
    EXPECT_NE(nullptr, PageTexts(m_window->Page(), 100).Find(L"{CompName}")) << "the table's row of keys";
    EXPECT_EQ(text, SavedData(Object(0)));
    EXPECT_EQ(table, SavedData(Object(1)));
}

// One result at a time from the File menu: a file that is no result is named and nothing is
// previewed; a result is previewed as the command line's --resolve previews it; another result
// chosen meanwhile takes its place.
TEST_F(ReportPage, PreviewWithResultsOfOneFileRefusesWhatIsNoResultAndReplacesAPreview)
{
    ASSERT_TRUE(CQLNUnixProgram::Available());
    ASSERT_TRUE(E2e::MakeResult(m_folder.Path(L"long.cdf"), "Alpha", 60));
    ASSERT_TRUE(E2e::MakeResult(m_folder.Path(L"short.cdf"), "Beta", 3));
    ASSERT_TRUE(E2e::WriteBytes(m_folder.Path(L"bad.cdf"), std::string("CDF\x01", 4) + std::string(40, '\0')));
    const std::wstring path = m_folder.Path(L"p.qrp");
    OpenWindow(path);
    InsertByName({L"QLNSample.TextCtrl", L"QLNSample.PeakTable"});
    Keys({VK_CONTROL, 'S'});
    ASSERT_EQ(L"p.qrp - Report Page", Title());

    std::wstring message;
    EXPECT_TRUE(PreviewResults(L"bad.cdf", &message));
    EXPECT_EQ(0u, message.find(L"No result could be read")) << std::string(message.begin(), message.end());
    EXPECT_NE(std::wstring::npos, message.find(L"bad.cdf"));
    EXPECT_EQ(L"p.qrp - Report Page", Title()) << "nothing previewed";
    EXPECT_EQ(L"", MenuItem(ID_FILE_END_PREVIEW));

    EXPECT_TRUE(PreviewResults(L"short.cdf"));
    EXPECT_EQ(L"p.qrp - preview of short.cdf - Report Page", Title());
    EXPECT_NE(nullptr, PageTexts(m_window->Page(), 100).Find(L"Beta 3"));
    EXPECT_TRUE(PreviewResults(L"long.cdf"));
    EXPECT_EQ(0u, Title().find(L"p.qrp - preview of long.cdf - Page 1 of ")) << "one result: its sheets only";
    const EmfScan shown = PageTexts(m_window->Page(), 100);
    EXPECT_NE(nullptr, shown.Find(L"Alpha 1"));
    EXPECT_EQ(nullptr, shown.Find(L"Beta 1"));
    Keys({VK_NEXT});
    const std::wstring second = Title();
    EXPECT_EQ(0u, second.find(L"p.qrp - preview of long.cdf - Page 2 of "));
    EXPECT_FALSE(m_window->Page().IsModified());

    // Exported, the one report prints all its sheets, and the window stays on the second.
    const std::wstring pdf = m_folder.Path(L"long.pdf");
    EXPECT_TRUE(InModal([&] { ::PostMessageW(m_hWnd, WM_COMMAND, ID_FILE_EXPORT_PDF, 0); }, TypeFileName(pdf)));
    const std::vector<std::string> pages = PdfPages(pdf, m_folder.Path(L"long.txt"));
    ASSERT_GE(pages.size(), 2u);
    EXPECT_NE(std::string::npos, pages[0].find("Alpha 1")) << pages[0];
    EXPECT_EQ(second, Title());
}
