// The report page host as a person uses it: objects inserted from the category list, moved and
// resized with the mouse, nudged with the keys, edited in their sheets and in place, saved,
// closed and opened again; and the command line that builds, lists, pictures and prints pages.
// The window is the host's own, in this process, driven by real input.
#include "CQLNPageWindow.h"
#include "CQLNPagePrinter.h"
#include "CQLNPageScale.h"
#include "CQLNReportPageTools.h"
#include "CQLNReportResolver.h"
#include "CQLNTextObjClient.h"
#include "CQLNUnixProgram.h"
#include "E2eSupport.h"
#include "EmfScan.h"
#include "QLNBaseRes.h"
#include "QLNReportPageRes.h"
#include "SampleRegistration.h"
#include "ScratchFolder.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>
#include <wincodec.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
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
    const SIZE size = page.Size();
    const int nWidth = CQLNReportPage::ToPixels(size.cx, nZoom), nHeight = CQLNReportPage::ToPixels(size.cy, nZoom);
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
    HWND hSheet = nullptr;
    auto page = [&](int nID) {
        return ::GetDlgItem(reinterpret_cast<HWND>(::SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0)), nID);
    };
    EXPECT_TRUE(InModal(
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
         [&] { return PostClick(::GetDlgItem(hSheet, IDOK)), true; }}));
    EXPECT_FALSE(Contains(LinesOf(Object(0)), L"Data file: {DataFile}"));
    EXPECT_TRUE(Contains(LinesOf(Object(0)), L"Sample name: {SampName}"));

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
    // A click on the paper outside ends the editing in place.
    Click(m_hWnd, POINT{Shown(1).left - 10, Shown(1).bottom + 40});
    EXPECT_TRUE(WaitFor([&] { return !Object(1).IsInPlaceActive(); }));
    EXPECT_EQ(nullptr, ::GetWindow(m_hWnd, GW_CHILD));
    const double draggedRatio = FirstColumnRatio(Object(1));

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

// A file cut short or damaged is refused with a message; the page that was open stays, with its
// file name and its objects.
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
    const struct { const char* why; std::string bytes; const wchar_t* said; } rows[] = {
        {"cut short", bytes.substr(0, bytes.size() - 1024), L"object 1"},
        {"no compound file", "just some text", L"is no report page"},
        {"page description damaged", damaged, L"this is no report page"},
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
    const auto typeName = [&](const std::wstring& name) -> std::vector<ScriptedUser::Step> {
        return {Waiting("the file dialog", [&] {
                    const HWND hDlg = FindOwnedDialog(m_hWnd);
                    return hDlg != nullptr && ::IsWindowVisible(hDlg) && ::IsChild(hDlg, ::GetFocus());
                }),
                [name] { return PostTyping(::GetFocus(), name), true; },
                Waiting("the name typed", [name] { return TextOf(::GetFocus()) == name; }),
                [] { return PressChord({VK_RETURN}), true; }};
    };
    const std::wstring copy = m_folder.Path(L"copy.qrp");
    EXPECT_TRUE(InModal([&] { ::PostMessageW(m_hWnd, WM_COMMAND, ID_FILE_SAVE_AS, 0); }, typeName(copy)));
    EXPECT_EQ(copy, m_window->Path());
    EXPECT_EQ(L"copy.qrp - Report Page", Title());
    EXPECT_EQ(bytes.size(), E2e::ReadBytes(copy).size());
    EXPECT_TRUE(InModal([] { Keys({VK_CONTROL, 'O'}); }, typeName(good)));
    EXPECT_EQ(good, m_window->Path());
    EXPECT_EQ(L"good.qrp - Report Page", Title());
    EXPECT_EQ(1u, m_window->Page().Objects().size());
}

namespace {

class ReportPageCommandLine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, m_registration.Result());
        ASSERT_EQ(S_OK, m_peakTable.Result());
        ASSERT_EQ(S_OK, m_annotation.Result());
    }
    // Runs the host; @name in the arguments stands for that file in the scratch folder.
    E2e::ProcessResult Host(std::wstring arguments)
    {
        for (size_t at; (at = arguments.find(L'@')) != std::wstring::npos;) {
            const size_t end = std::min(arguments.find(L' ', at), arguments.size());
            arguments.replace(at, end - at, L"\"" + m_folder.Path(arguments.substr(at + 1, end - at - 1)) + L"\"");
        }
        return E2e::Run(L"\"" + E2e::BinDirectory() + L"reportpage.exe\" " + arguments);
    }

    E2e::SampleRegistration m_registration;
    E2e::SampleRegistration m_peakTable{L"QLNSamplePeakTable.dll", L"QLNSample.PeakTable"};
    E2e::SampleRegistration m_annotation{L"QLNSampleAnnotation.dll", L"QLNSample.Annotation"};
    E2e::ScratchFolder m_folder;
};

// The stream "Contents" of storage Object<n> of a page file, and its class.
std::string ObjectData(const std::wstring& path, const wchar_t* storageName, CLSID* pClsid = nullptr)
{
    ComPtr<IStorage> root, storage;
    ComPtr<IStream> stream;
    std::string bytes;
    if (FAILED(::StgOpenStorage(path.c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &root)) ||
        FAILED(root->OpenStorage(storageName, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &storage)) ||
        FAILED(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream)))
        return bytes;
    if (pClsid != nullptr)
        ::ReadClassStg(storage.Get(), pClsid);
    char buf[4096];
    ULONG n = 0;
    while (SUCCEEDED(stream->Read(buf, sizeof buf, &n)) && n > 0)
        bytes.append(buf, n);
    return bytes;
}

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
    auto made = Host(L"--insert QLNSample.TextCtrl --insert QLNSample.TextCtrl --paper letter --landscape --save @p.qrp");
    ASSERT_EQ(0u, made.exitCode) << made.err;
    auto listed = Host(L"@p.qrp --list");
    ASSERT_EQ(0u, listed.exitCode) << listed.err;
    EXPECT_EQ(0u, listed.out.find("Letter landscape, 279.4 x 215.9 mm, margins 20.0 mm, 2 objects\r\n"
                                  "1. Sample Text Object {6F1E3A52-9C41-4D8B-A7E2-5B3C9D0F1A24} at 20.0, 20.0 mm, 80.0 x 50.0 mm\r\n"
                                  "    Sample Information\r\n    Data file: {DataFile}\r\n"))
        << listed.out;
    EXPECT_NE(std::string::npos, listed.out.find("2. Sample Text Object {6F1E3A52-9C41-4D8B-A7E2-5B3C9D0F1A24} at 100.0, 20.0 mm"));

    const std::wstring data = E2e::BinDirectory() + L"..\\..\\sample\\textobj\\sample-data.txt";
    auto resolved = Host(L"@p.qrp --resolve \"" + data + L"\" --list --png @p.png");
    ASSERT_EQ(0u, resolved.exitCode) << resolved.err;
    EXPECT_NE(std::string::npos, resolved.out.find("    Data file: run042.d\r\n"));
    EXPECT_NE(std::string::npos, resolved.out.find("    Sample ID: CAF-005\r\n"));
    // Times have the decimals the host set for the process when the object was made: none here;
    // two for an object inserted by a host that sets them, which the page then keeps.
    EXPECT_NE(std::string::npos, resolved.out.find("    Retention time: 4\r\n")) << resolved.out;
    ASSERT_EQ(0u, Host(L"--rt-precision 2 --insert QLNSample.TextCtrl --save @t.qrp").exitCode);
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
                              "80.0 x 50.0 mm (not available on this computer; kept as it is)\r\n"))
        << listed.out;
    CLSID kept = CLSID_NULL;
    EXPECT_EQ(before, ObjectData(m_folder.Path(L"q.qrp"), L"Object1", &kept));
    EXPECT_TRUE(kept == unknown);
    EXPECT_EQ(ObjectData(path, L"Object2"), ObjectData(m_folder.Path(L"q.qrp"), L"Object2"));
    // Nor can it be edited in place.
    auto shot = Host(L"@p.qrp --activate 1 --shot @p.png");
    EXPECT_EQ(1u, shot.exitCode);
    EXPECT_NE(std::string::npos, shot.err.find("object 1: {0BADC0DE-1234-5678-9ABC-DEF012345678} is not available on this computer"))
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
    const std::wstring data = E2e::BinDirectory() + L"..\\..\\sample\\textobj\\sample-data.txt";
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

namespace {

// Rewrites a page file's description stream, and drops the named object storage when given.
void RewritePage(const std::wstring& path, const std::string& page, const wchar_t* dropStorage = nullptr)
{
    ComPtr<IStorage> root;
    ComPtr<IStream> stream;
    ASSERT_EQ(S_OK, ::StgOpenStorage(path.c_str(), nullptr, STGM_READWRITE | STGM_SHARE_EXCLUSIVE, nullptr, 0, &root));
    ASSERT_EQ(S_OK, root->CreateStream(L"Page", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream));
    ULONG written = 0;
    ASSERT_EQ(S_OK, stream->Write(page.data(), static_cast<ULONG>(page.size()), &written));
    stream.Reset();
    if (dropStorage != nullptr) {
        ASSERT_EQ(S_OK, root->DestroyElement(dropStorage));
    }
    root->Commit(STGC_DEFAULT);
}

std::string Le32(uint32_t v)
{
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
                       static_cast<char>(v >> 24)};
}

} // namespace

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
        {"a later version", "QRPG" + Le32(2) + Le32(0) + Le32(0) + Le32(2000) + Le32(2) + places, nullptr,
         "written in version 2"},
        {"an unknown paper", "QRPG" + Le32(1) + Le32(7) + Le32(0) + Le32(2000) + Le32(2) + places, nullptr, "damaged"},
        {"margins beyond a quarter of the paper", "QRPG" + Le32(1) + Le32(0) + Le32(0) + Le32(6000) + Le32(2) + places,
         nullptr, "margins are larger"},
        {"more objects than places", head + Le32(3) + places, nullptr, "cut short"},
        {"bytes after the places", head + Le32(2) + places + "x", nullptr, "damaged"},
        {"a place beyond the paper's edge", head + Le32(2) + places.substr(0, 16) + Le32(10000) + Le32(2000) +
         Le32(22000) + Le32(7000), nullptr, "outside the page"},
        {"an object too small to grab", head + Le32(2) + places.substr(0, 16) + Le32(10000) + Le32(2000) +
         Le32(10100) + Le32(7000), nullptr, "outside the page"},
        {"an object's storage gone", head + Le32(2) + places, L"Object2", "object 2 is missing"},
        {"an empty description", "", nullptr, "this is no report page"},
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
    const std::wstring data = E2e::BinDirectory() + L"..\\..\\sample\\textobj\\sample-data.txt";
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
    const std::string text = ObjectData(path, L"Object1"), table = ObjectData(path, L"Object2");
    ASSERT_FALSE(text.empty());
    ASSERT_FALSE(table.empty());
    const HMENU hMenu = ::GetMenu(m_hWnd);
    EXPECT_TRUE(::GetMenuState(hMenu, ID_FILE_END_PREVIEW, MF_BYCOMMAND) & MF_GRAYED) << "no preview to end";

    const std::wstring data = E2e::BinDirectory() + L"..\\..\\sample\\textobj\\sample-data.txt";
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
    EXPECT_EQ(text, ObjectData(path, L"Object1"));
    EXPECT_EQ(table, ObjectData(path, L"Object2"));

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
    const SIZE size = page.Size();
    const int nWidth = CQLNReportPage::ToPixels(size.cx, nZoom), nHeight = CQLNReportPage::ToPixels(size.cy, nZoom);
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
    const std::wstring data = E2e::BinDirectory() + L"..\\..\\sample\\textobj\\sample-data.txt";
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
    const std::wstring data = E2e::BinDirectory() + L"..\\..\\sample\\textobj\\sample-data.txt";
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
