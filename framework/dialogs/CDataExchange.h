// The context of one dialog data exchange: its direction and the control being exchanged,
// so that a failed validation can put the user back on that control.
#pragma once
#include "CWnd.h"

class AFX_CORE_API CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;   // TRUE: controls to members, with validation
    CWnd* m_pDlgWnd;

    // The control nIDC of the dialog, remembered as the one being exchanged. A dialog
    // without that control raises CInvalidArgException: the exchange names a wrong id.
    HWND PrepareCtrl(int nIDC);
    // The same for an edit control: a failure selects its whole text.
    HWND PrepareEditCtrl(int nIDC);
    // Gives the focus back to the control being exchanged and ends the exchange by raising
    // CUserException; the caller has already told the user why.
    [[noreturn]] void Fail();

    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;

    CDataExchange(const CDataExchange&) = delete;
    CDataExchange& operator=(const CDataExchange&) = delete;
};
