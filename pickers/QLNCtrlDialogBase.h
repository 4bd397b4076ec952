// A dialog that lives as a child control of a property page (the font control, the embedded
// font dialog) and behaves as one control of its page:
// - a change in one of its controls marks the host page modified: a plain page (CPropertyPage)
//   through SetModified, an OLE page (COlePropertyPage) through the changed status of the
//   control and, when the page recorded it, its modified flag;
// - the changes that its own creation causes do not count: a message posted to itself at the
//   end of the creation (WM_USER + 6) arrives after everything the initialisation posted, and
//   clears a plain page's mark then;
// - Enter on one of its buttons clicks that button rather than the sheet's default button.
// Run as an ordinary modal dialog it has no host page and marks nothing.
#pragma once
#include "QLNBaseExport.h"

#include "CDialog.h"

class COlePropertyPage;
class CPropertyPage;

class QLN_BASE_API CQLNCtrlDialogBase : public CDialog
{
    DECLARE_DYNAMIC(CQLNCtrlDialogBase)
public:
    CQLNCtrlDialogBase(UINT nIDTemplate, CWnd* pParent);
    CQLNCtrlDialogBase();

    // Creates the dialog as a modeless child of pParent and records pParent as the host page
    // when it is one; the host must outlive the dialog.
    BOOL CreateDialogBase(UINT nIDTemplate, CWnd* pParent);

    // For EnumChildWindows with an OLE page as lParam: clears the changed status of each child's
    // control id on that page and goes on to the next child.
    static BOOL CALLBACK EnumControls(HWND hWnd, LPARAM lParam);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT OnPostInitDialog(WPARAM, LPARAM);

    COlePropertyPage* m_pOlePage;
    CPropertyPage* m_pPropPage;

    DECLARE_MESSAGE_MAP()
};
