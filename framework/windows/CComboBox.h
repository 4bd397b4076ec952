// The system's COMBOBOX control.
//
// An owner-drawn list box gets its WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM and
// WM_DELETEITEM back from its parent (reflected through CWnd's dispatch) as the virtual
// members below, so the drawing lives in the control's own class, not in every dialog.
#pragma once
#include "CWnd.h"

class CString;

class AFX_CORE_API CComboBox : public CWnd
{
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // Indices are zero-based; CB_ERR (-1) or CB_ERRSPACE report failures.
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int nSelect);
    int GetLBText(int nIndex, LPTSTR lpszBuffer) const;
    // An empty string for an index outside the list.
    void GetLBText(int nIndex, CString& rString) const;
    int GetLBTextLen(int nIndex) const;
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
    // Longest text the edit field takes; 0 lifts the limit.
    BOOL LimitText(int nMaxChars);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // <0, 0 or >0, for a sorted owner-drawn list without strings.
    virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
