// One page of a property sheet (CPropertySheet), over the system's property sheet pages.
//
// The sheet tells the page what happens through notifications, each turned into a virtual
// member: entering the page (OnSetActive reloads the controls from the members on every entry
// but the first, which OnInitDialog already did), leaving it (OnKillActive reads the controls
// back with validation and keeps the user on the page when that fails), Apply and OK
// (OnApply), Cancel (OnReset), and the Help button (the command ID_HELP to the page).
#pragma once
#include "CDialog.h"
#include "CString.h"

#include <prsht.h>

class AFX_CORE_API CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    // The tab's caption is string nIDCaption; 0 keeps the template's caption.
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    // The page as the sheet is given it; a page may add flags such as PSP_HASHELP.
    PROPSHEETPAGEW m_psp;

    // Enables (or, when no page is modified any more, disables) the sheet's Apply button.
    void SetModified(BOOL bChanged = TRUE);

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    // Apply or OK: by default OnOK, and the sheet may close.
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    void OnOK() override;
    void OnCancel() override;

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // Fills m_psp for the sheet: the template (found through the resource search), the
    // caption and the page's procedure. Zero when the template is missing.
    BOOL PreparePage();

private:
    static INT_PTR CALLBACK StartPageProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CString m_strCaption;
    BOOL m_bFirstSetActive;
};
