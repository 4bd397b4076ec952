// The item list box in a dialog: rows drawn at the measured height as their placeholders, prompts
// or keys; the horizontal scroll range follows the widest row, a burst of changes asking once.
#include "CDialog.h"
#include "QLNDefaultText.h"
#include "QLNTextObjectListBox.h"
#include "WindowTestUtil.h"
#include "pages_tests_res.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace qlntest;

namespace {

// The two lists of the data selection page, made by the dialog so that the list box class
// itself measures their rows.
class RowsDialog : public CDialog
{
public:
    CQLNTextObjectListBox m_available, m_selected;

    BOOL OnInitDialog() override
    {
        const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED |
                              LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        m_selected.SetSelectedList(TRUE);
        m_available.Create(dwStyle, CRect(5, 5, 165, 205), this, IDC_ITEMS);
        m_selected.Create(dwStyle, CRect(170, 5, 330, 205), this, IDC_ITEMS + 1);
        return CDialog::OnInitDialog();
    }
};

// Width and height of a text in the list box's own DC, which has no font selected.
SIZE Extent(HWND hWnd, const std::wstring& text)
{
    SIZE size = {};
    const HDC hDC = ::GetDC(hWnd);
    ::GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
    ::ReleaseDC(hWnd, hDC);
    return size;
}

} // namespace

TEST(QLNTextObjectListBoxTest, RowsAreDrawnAsTheirPlaceholdersPromptsOrKeysAndTheWidestSetsTheExtent)
{
    const struct { const wchar_t* text; int kind; const wchar_t* shown; const char* why; } rows[] = {
        {L"", CQLNDefaultText::eBlankLine, L"<Blank line>", "a blank line has no text of its own"},
        {L"   ", CQLNDefaultText::eUserText, L"<User text>", "an empty user text shows its placeholder"},
        {L"", CQLNDefaultText::eDataItem, L"<User text>", "every kind but a blank line shows the user-text one"},
        {L"Data file: {Data File}", CQLNDefaultText::eDataItem, L"Data file:", "a prompt hides the value after it"},
        {L"{RT}{Area}", CQLNDefaultText::eDataItem, L"RT Area", "values alone show their keys joined by one blank"},
        {L"  Sample:   {SampleName}  Operator: {Operator}", CQLNDefaultText::eDataItem, L"Sample: Operator:", "prompts lose their outer blanks"},
        {L"  Free words ", CQLNDefaultText::eUserText, L"Free words", "a user text is one prompt"},
    };
    const int nRows = static_cast<int>(std::size(rows));
    RowsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_ROWS));
    dlg.ShowWindow(SW_SHOWNORMAL);
    CQLNTextObjectListBox& list = dlg.m_available;
    const HWND hList = list.m_hWnd;
    int nWidest = 0;
    for (int i = 0; i < nRows; ++i) {
        ASSERT_GE(list.AddItem(rows[i].text, rows[i].kind), 0);
        ASSERT_GE(dlg.m_selected.InsertItem(0, rows[i].text, rows[i].kind), 0);
        nWidest = std::max<int>(nWidest, Extent(hList, rows[i].shown).cx);
    }
    for (int i = 0; i < nRows; ++i) {
        SCOPED_TRACE(rows[i].why);
        EXPECT_EQ(rows[i].shown, std::wstring(list.GetDisplayText(i).GetString()));
        EXPECT_EQ(rows[i].shown, std::wstring(dlg.m_selected.GetDisplayText(nRows - 1 - i).GetString()));
    }
    EXPECT_EQ(Extent(hList, L"<Blank line>").cy, list.SendMessage(LB_GETITEMHEIGHT, 0));
    PumpMessages();
    EXPECT_EQ(nWidest, list.GetHorizontalExtent());
    EXPECT_EQ(nWidest, dlg.m_selected.GetHorizontalExtent());

    // On screen the ink of a row spans what it shows; the selected row is highlighted to its end.
    list.SetCurSel(4);
    ::RedrawWindow(hList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT rcClient = {}, rcRow = {};
    ::GetClientRect(hList, &rcClient);
    const HDC hDC = ::GetDC(hList);
    const PixelGrab grab(hDC, rcClient.right, rcClient.bottom);
    ::ReleaseDC(hList, hDC);
    for (int i : {0, 3}) {
        list.SendMessage(LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rcRow));
        const RECT ink = grab.InkBox(rcRow);
        const int cxText = Extent(hList, rows[i].shown).cx;
        EXPECT_TRUE(ink.left <= 2 && ink.right >= cxText - 4 && ink.right <= cxText + 1)
            << "row " << i << ": ink " << ink.left << ".." << ink.right << ", text " << cxText;
    }
    list.SendMessage(LB_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&rcRow));
    const COLORREF cr = ::GetSysColor(COLOR_HIGHLIGHT);   // read back as 0x00RRGGBB
    EXPECT_EQ(RGB(GetBValue(cr), GetGValue(cr), GetRValue(cr)), grab.At(rcRow.right - 2, (rcRow.top + rcRow.bottom) / 2));

    // Tabbed into, the list marks its current row with the focus frame, dotted along the row's
    // edge over the highlight; leaving, the mark goes.
    auto marks = [&] {
        ::RedrawWindow(hList, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const HDC hListDC = ::GetDC(hList);
        const PixelGrab edge(hListDC, rcClient.right, rcClient.bottom);
        ::ReleaseDC(hList, hListDC);
        int n = 0;
        for (int x = rcRow.left; x < rcRow.right; ++x)
            n += edge.At(x, rcRow.top) != RGB(GetBValue(cr), GetGValue(cr), GetRValue(cr));
        return n;
    };
    dlg.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dlg.m_selected.m_hWnd), TRUE);
    PumpMessages();
    EXPECT_EQ(0, marks());
    dlg.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hList), TRUE);   // as Tab moves the focus
    PumpMessages();
    EXPECT_GT(marks(), (rcRow.right - rcRow.left) / 4);
    dlg.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dlg.m_selected.m_hWnd), TRUE);
    PumpMessages();
    EXPECT_EQ(0, marks());

    // A burst of changes asks for one extent update (WM_USER + 1); emptied, the range goes.
    list.ResetContent();
    for (int i = 0; i < 100; ++i)
        list.AddItem(L"Row: {RT}", CQLNDefaultText::eDataItem);
    MSG msg = {};
    int nUpdates = 0;
    while (::PeekMessageW(&msg, hList, WM_USER + 1, WM_USER + 1, PM_REMOVE))
        ++nUpdates;
    EXPECT_EQ(1, nUpdates);
    ::DispatchMessageW(&msg);
    EXPECT_EQ(Extent(hList, L"Row:").cx, list.GetHorizontalExtent());
    dlg.DestroyWindow();
}
