// The item list box in a dialog: each row shows its placeholder, its prompts or its keys, drawn
// by the list box itself in the rows the system lays out at the measured height; the horizontal
// scroll range follows the widest row and a burst of insertions asks for one update.
#include "CDialog.h"
#include "QLNDefaultText.h"
#include "QLNTextObjectListBox.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"
#include "pages_tests_res.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace qlntest;

namespace {

const DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_OWNERDRAWFIXED |
                         LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
const UINT kUpdateExtent = WM_USER + 1;

// The two lists of the data selection page, made by the dialog so that their height is measured
// by the list box class itself.
class RowsDialog : public CDialog
{
public:
    CQLNTextObjectListBox m_available;
    CQLNTextObjectListBox m_selected;

    BOOL OnInitDialog() override
    {
        m_selected.SetSelectedList(TRUE);
        m_available.Create(kListStyle, CRect(5, 5, 165, 205), this, IDC_ITEMS);
        m_selected.Create(kListStyle, CRect(170, 5, 330, 205), this, IDC_ITEMS + 1);
        return CDialog::OnInitDialog();
    }
};

// Width and height of a text in the list box's own DC, which has no font selected.
SIZE WindowDCExtent(HWND hWnd, const std::wstring& text)
{
    SIZE size = {};
    const HDC hDC = ::GetDC(hWnd);
    ::GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
    ::ReleaseDC(hWnd, hDC);
    return size;
}

// The number of extent updates waiting for the list box; they are taken off the queue.
int TakeExtentUpdates(HWND hList, MSG* pLast)
{
    int nCount = 0;
    while (::PeekMessageW(pLast, hList, kUpdateExtent, kUpdateExtent, PM_REMOVE))
        ++nCount;
    return nCount;
}

struct RowCase
{
    const wchar_t* text;
    int kind;
    const wchar_t* shown;
    const char* why;
};

const RowCase kRows[] = {
    {L"", CQLNDefaultText::eBlankLine, L"<Blank line>", "a blank line has no text of its own"},
    {L" \t ", CQLNDefaultText::eBlankLine, L"<Blank line>", "white space is no text"},
    {L"   ", CQLNDefaultText::eUserText, L"<User text>", "an empty user text shows its placeholder"},
    {L"", CQLNDefaultText::eDataItem, L"<User text>", "every kind but a blank line shows the user-text placeholder"},
    {L"Data file: {Data File}", CQLNDefaultText::eDataItem, L"Data file:", "a prompt hides the value after it"},
    {L"{RT}", CQLNDefaultText::eDataItem, L"RT", "a value alone shows its key without braces"},
    {L"{RT}{Area}", CQLNDefaultText::eDataItem, L"RT Area", "values alone are joined by one blank"},
    {L"  Sample:   {SampleName}  Operator: {Operator}", CQLNDefaultText::eDataItem, L"Sample: Operator:",
     "prompts lose their outer blanks and are joined by one"},
    {L"  Free words ", CQLNDefaultText::eUserText, L"Free words", "a user text is one prompt"},
};

} // namespace

TEST(QLNTextObjectListBoxTest, RowsAreDrawnAsTheirPlaceholdersPromptsOrKeysAndTheWidestSetsTheExtent)
{
    RowsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_ROWS));
    dlg.ShowWindow(SW_SHOWNORMAL);
    for (const RowCase& row : kRows) {
        ASSERT_GE(dlg.m_available.AddItem(row.text, row.kind), 0);
        ASSERT_GE(dlg.m_selected.InsertItem(0, row.text, row.kind), 0);
    }
    const int nRows = static_cast<int>(std::size(kRows));
    for (int i = 0; i < nRows; ++i) {
        EXPECT_EQ(kRows[i].shown, std::wstring(dlg.m_available.GetDisplayText(i).GetString())) << kRows[i].why;
        EXPECT_EQ(kRows[i].shown, std::wstring(dlg.m_selected.GetDisplayText(nRows - 1 - i).GetString()))
            << kRows[i].why << " (selected list, rows inserted at the top)";
        EXPECT_EQ(static_cast<DWORD_PTR>(kRows[i].kind), dlg.m_available.GetItemData(i));
    }
    EXPECT_EQ(L"", std::wstring(dlg.m_available.GetDisplayText(-1).GetString()));

    const HWND hList = dlg.m_available.m_hWnd;
    EXPECT_EQ(WindowDCExtent(hList, L"<Blank line>").cy, dlg.m_available.SendMessage(LB_GETITEMHEIGHT, 0));

    PumpMessages();
    int nWidest = 0;
    for (const RowCase& row : kRows)
        nWidest = std::max<int>(nWidest, WindowDCExtent(hList, row.shown).cx);
    EXPECT_EQ(nWidest, dlg.m_available.GetHorizontalExtent());
    EXPECT_EQ(nWidest, dlg.m_selected.GetHorizontalExtent());

    // What the user sees: the placeholder's ink spans the placeholder's width, a data item's
    // its prompt's; the selected row is filled with the highlight colour to its right end.
    dlg.m_available.SetCurSel(4);
    dlg.m_available.Invalidate();
    dlg.m_available.UpdateWindow();
    RECT rcClient = {};
    ::GetClientRect(hList, &rcClient);
    const HDC hDC = ::GetDC(hList);
    const PixelGrab grab(hDC, rcClient.right, rcClient.bottom);
    ::ReleaseDC(hList, hDC);
    for (int i : {0, 4}) {
        RECT rcRow = {};
        dlg.m_available.SendMessage(LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rcRow));
        const int cxText = WindowDCExtent(hList, kRows[i].shown).cx;
        if (i == 4) {
            const COLORREF cr = ::GetSysColor(COLOR_HIGHLIGHT);
            EXPECT_EQ(static_cast<DWORD>((GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr)),
                      grab.At(rcRow.right - 2, (rcRow.top + rcRow.bottom) / 2));
            continue;
        }
        const RECT ink = grab.InkBox(rcRow);
        EXPECT_LE(ink.left, 2) << "row " << i;
        EXPECT_GE(ink.right, cxText - 4) << "row " << i;
        EXPECT_LE(ink.right, cxText + 1) << "row " << i;
    }
    dlg.DestroyWindow();
}

TEST(QLNTextObjectListBoxTest, ABurstOfChangesAsksForOneExtentUpdateAndScrollingTakesTheFocus)
{
    RowsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_ROWS));
    dlg.ShowWindow(SW_SHOWNORMAL);
    PumpMessages();
    CQLNTextObjectListBox& list = dlg.m_available;
    const HWND hList = list.m_hWnd;

    std::wstring longest;
    for (int i = 0; i < 100; ++i) {
        const std::wstring text = L"Prompt " + std::wstring(static_cast<size_t>(i % 37), L'w') + L": {RT}";
        list.AddItem(text.c_str(), CQLNDefaultText::eDataItem);
        if (text.size() > longest.size())
            longest = text;
    }
    MSG msg = {};
    ASSERT_EQ(1, TakeExtentUpdates(hList, &msg));
    EXPECT_EQ(1, list.SendMessage(kUpdateExtent));
    const std::wstring shown = longest.substr(0, longest.find(L'{') - 1);
    EXPECT_EQ(WindowDCExtent(hList, shown).cx, list.GetHorizontalExtent());

    // Handled, the update may be asked for again; removing rows narrows the range.
    list.DeleteString(static_cast<UINT>(list.FindStringExact(-1, longest.c_str())));
    EXPECT_EQ(1, TakeExtentUpdates(hList, &msg));
    list.ResetContent();
    EXPECT_EQ(0, TakeExtentUpdates(hList, &msg)) << "the update already asked for covers later changes";
    ::DispatchMessageW(&msg);
    EXPECT_EQ(0, list.GetHorizontalExtent());

    for (int i = 0; i < 100; ++i)
        list.AddItem(L"Row: {RT}", CQLNDefaultText::eDataItem);
    PumpMessages();
    dlg.m_selected.SetFocus();
    list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(hList, ::GetFocus());
    EXPECT_EQ(1, list.GetTopIndex());
    dlg.DestroyWindow();
}
