// An owner-drawn list box in a modeless dialog: the dialog's WM_MEASUREITEM, WM_COMPAREITEM
// and WM_DRAWITEM reach the list box's own class, and so does its selection change, which the
// dialog then no longer sees.
#include "CDialog.h"
#include "CListBox.h"
#include "ScriptedUser.h"
#include "WindowTestUtil.h"
#include "dialogs_tests_res.h"

#include <gtest/gtest.h>


using namespace qlntest;

namespace {

// Rows are numbers in the item data, sorted by value, each as tall as 12 plus its value, drawn
// as a solid block: red when selected, else green.
class NumberList : public CListBox
{
public:
    int m_nMeasured = 0;
    int m_nCompared = 0;
    int m_nSelChanges = 0;

    void MeasureItem(LPMEASUREITEMSTRUCT p) override { ++m_nMeasured; p->itemHeight = 12 + static_cast<UINT>(p->itemData); }
    int CompareItem(LPCOMPAREITEMSTRUCT p) override
    {
        ++m_nCompared;
        return p->itemData1 < p->itemData2 ? -1 : p->itemData1 > p->itemData2 ? 1 : 0;
    }
    void DrawItem(LPDRAWITEMSTRUCT p) override
    {
        const HBRUSH hBrush = ::CreateSolidBrush((p->itemState & ODS_SELECTED) ? RGB(255, 0, 0) : RGB(0, 255, 0));
        ::FillRect(p->hDC, &p->rcItem, hBrush);
        ::DeleteObject(hBrush);
    }
    void OnSelChange() { ++m_nSelChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NumberList, CListBox)
    ON_CONTROL_REFLECT(LBN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

class RowsDialog : public CDialog
{
public:
    NumberList m_list;
    int m_nParentSelChanges = 0;

    BOOL OnInitDialog() override
    {
        m_list.SubclassDlgItem(IDC_ROWS, this);
        return CDialog::OnInitDialog();
    }
    void OnRowsSelChange() { ++m_nParentSelChanges; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RowsDialog, CDialog)
    ON_LBN_SELCHANGE(IDC_ROWS, OnRowsSelChange)
END_MESSAGE_MAP()

} // namespace

TEST(OwnerDrawListBoxTest, DrawingMessagesAndNotificationsReachTheListBoxClass)
{
    RowsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_OWNERDRAW));
    dlg.ShowWindow(SW_SHOWNORMAL);
    NumberList& list = dlg.m_list;
    for (DWORD_PTR value : {8, 2, 5})
        list.SendMessage(LB_ADDSTRING, 0, static_cast<LPARAM>(value));

    EXPECT_EQ(3, list.m_nMeasured);
    EXPECT_GE(list.m_nCompared, 2);
    ASSERT_EQ(3, list.GetCount());
    const DWORD_PTR sorted[] = {2, 5, 8};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(sorted[i], list.GetItemData(i)) << "sorted through CompareItem";
    EXPECT_EQ(14, list.SendMessage(LB_GETITEMHEIGHT, 0));
    EXPECT_EQ(20, list.SendMessage(LB_GETITEMHEIGHT, 2));

    // A click on the second row selects it, as the user sees it.
    RECT rcRow = {};
    list.SendMessage(LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&rcRow));
    PostClickAt(list.m_hWnd, POINT{rcRow.left + 4, (rcRow.top + rcRow.bottom) / 2});
    PumpMessages();
    list.UpdateWindow();
    EXPECT_EQ(1, list.GetCurSel());
    EXPECT_EQ(1, list.m_nSelChanges);
    EXPECT_EQ(0, dlg.m_nParentSelChanges);

    const HDC hDC = ::GetDC(list.m_hWnd);
    const PixelGrab grab(hDC, rcRow.right, rcRow.bottom + 20);
    ::ReleaseDC(list.m_hWnd, hDC);
    EXPECT_EQ(0xFF0000u, grab.At(rcRow.left + 2, (rcRow.top + rcRow.bottom) / 2));
    EXPECT_EQ(0x00FF00u, grab.At(rcRow.left + 2, rcRow.top - 3));
    dlg.DestroyWindow();
}
