// The system's BUTTON control: push buttons, check boxes, radio buttons, group boxes. An
// owner-drawn button (BS_OWNERDRAW) gets its WM_DRAWITEM back from the parent as DrawItem.
#pragma once
#include "CWnd.h"

class AFX_CORE_API CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
    int GetCheck() const;
    void SetCheck(int nCheck);

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
