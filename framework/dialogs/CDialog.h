// A dialog box from a template resource, found through the resource search (the resource
// module first, then the extension-library chain).
//
// DoModal runs the dialog in the framework's modal loop with its owner disabled; Create makes
// it modeless (as a child when the template says WS_CHILD). The object receives the dialog's
// messages from WM_INITDIALOG on, through CWnd's dispatch; the system's dialog procedure does
// the default processing. WM_INITDIALOG loads the controls from the members (UpdateData(FALSE));
// OK reads them back and validates (UpdateData(TRUE)) before the dialog ends.
//
// What the dialog does to its own controls is never an edit: while it fills or reads them
// (UpdateData, or a FillingControls scope around code of its own that fills them), the
// notifications they send (an edit's EN_CHANGE on WM_SETTEXT) reach the controls' own objects
// but no handler of the dialog.
#pragma once
#include "CDataExchange.h"

class AFX_CORE_API CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Modeless; zero when the template is missing or the dialog could not be made.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    // IDOK, IDCANCEL or what EndDialog was given; -1 when the dialog could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Members to controls (FALSE) or controls to members with validation (TRUE). Zero when
    // the validation failed: the user has been told and is on the offending control.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // While one lives, the dialog is filling its own controls; scopes nest.
    class FillingControls
    {
    public:
        explicit FillingControls(CDialog& dlg) : m_dlg(dlg) { ++m_dlg.m_nFilling; }
        ~FillingControls() { --m_dlg.m_nFilling; }
        FillingControls(const FillingControls&) = delete;
        FillingControls& operator=(const FillingControls&) = delete;

    private:
        CDialog& m_dlg;
    };
    BOOL IsFillingControls() const { return m_nFilling > 0; }

    // Dialog items.
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    UINT IsDlgButtonChecked(int nIDButton) const;

    // Focus moves as Tab and Shift+Tab move it, keeping the default push button right.
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void GotoDlgCtrl(CWnd* pWndCtrl);
    // The default push button's id (DM_GETDEFID answers DC_HASDEFID in the high word).
    DWORD GetDefID() const;
    void SetDefID(UINT nID);

    // Keyboard navigation (Tab, arrows, Enter for the default button, Escape for Cancel) of a
    // top-level dialog; a child dialog leaves it to the window it lives in.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // A control's notification while the dialog fills its controls goes to the control's own
    // object alone.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    virtual void DoDataExchange(CDataExchange* pDX);

    // The owner of a modal dialog: the top-level window of the given parent, else of the active
    // window; null when there is none.
    static HWND ModalOwner(CWnd* pParentWnd);
    // The template and the module it was found in; null when no module has it.
    static LPCDLGTEMPLATEW LoadTemplate(UINT nIDTemplate, HINSTANCE* phInstance);
    // Routes the dialog's messages through this object once WM_INITDIALOG arrives and hands
    // that message on; returns what WM_INITDIALOG answers.
    INT_PTR AttachOnInitDialog(HWND hWnd, WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    // The button F1 presses: the system's Help button unless the template numbers its own.
    UINT m_nIDHelpButton = IDHELP;

    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    int m_nFilling;

    static INT_PTR CALLBACK StartDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
