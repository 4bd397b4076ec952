// The system's LISTBOX control.
//
// An owner-drawn list box gets its WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM and
// WM_DELETEITEM back from its parent (reflected through CWnd's dispatch) as the virtual
// members below, so the drawing lives in the control's own class, not in every dialog.
#pragma once
#include "CWnd.h"

class CString;

class AFX_CORE_API CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Indices are zero-based; LB_ERR (-1) or LB_ERRSPACE report failures.
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetText(int nIndex, LPTSTR lpszBuffer) const;
    // An empty string for an index outside the list.
    void GetText(int nIndex, CString& rString) const;
    int GetTextLen(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    int AddString(LPCTSTR lpszItem);
    int InsertString(int nIndex, LPCTSTR lpszItem);
    int DeleteString(UINT nIndex);
    void ResetContent();
    // Prefix search without regard to case, after nStartAfter (-1: from the top), wrapping.
    int FindString(int nStartAfter, LPCTSTR lpszItem) const;
    // Whole-string search without regard to case.
    int FindStringExact(int nIndexStart, LPCTSTR lpszFind) const;
    int SelectString(int nStartAfter, LPCTSTR lpszItem);
    // The width in pixels the list scrolls across horizontally (WS_HSCROLL).
    int GetHorizontalExtent() const;
    void SetHorizontalExtent(int cxExtent);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // <0, 0 or >0, for a sorted owner-drawn list without strings.
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
