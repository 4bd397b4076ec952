// One of the data selection page's two item lists: an owner-drawn list box (fixed row height,
// with strings) whose rows are a text and, in the item data, the row's kind (an eItemType).
//
// A row shows a placeholder when its text is blank: "<Blank line>" for a blank line, "<User
// text>" for any other kind; else the prompts of its text, or its token keys without braces when
// it has no prompt. The horizontal scroll range follows the widest row: the first content change
// posts one update (WM_USER + 1) and later changes post none until it has been handled, so a
// burst of insertions measures every row once.
#pragma once
#include "QLNBaseExport.h"

#include "CListBox.h"
#include "CString.h"

class QLN_BASE_API CQLNTextObjectListBox : public CListBox
{
public:
    CQLNTextObjectListBox();
    ~CQLNTextObjectListBox() override;

    // The selected-items list shows its own user-text placeholder string.
    void SetSelectedList(BOOL bSelectedList);

    // Inserts a row at nIndex (-1: at the end); returns its index, or LB_ERR or LB_ERRSPACE,
    // in which case no kind is stored.
    int InsertItem(int nIndex, LPCTSTR lpszText, int nKind);
    int AddItem(LPCTSTR lpszText, int nKind);

    // What row nIndex shows; empty for a negative index.
    CString GetDisplayText(int nIndex) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // The row height is that of the shown text in the window's own DC, without a font selected.
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Takes the focus before scrolling, so that a control that checks its entry when it loses
    // the focus (the decimal edit) does so before the list moves.
    void OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    LRESULT OnUpdateExtent(WPARAM, LPARAM);

    BOOL m_bSelectedList;
    int m_nPendingExtent;

    DECLARE_MESSAGE_MAP()
};
