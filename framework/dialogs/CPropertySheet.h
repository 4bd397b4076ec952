// A property sheet of CPropertyPage pages, over the system's PropertySheetW.
//
// DoModal shows the sheet with its owner disabled and runs it in the framework's modal loop
// (so that the pages' PreTranslateMessage sees their keys) until OK or Cancel closes it. The
// pages are the caller's; the sheet neither owns nor deletes them.
//
// Keys only ever reach the page on show: the system's sheet switches pages (Ctrl+Tab, a click on
// a tab) without moving the focus, and a key for a control of a hidden page would then act on a
// page the user cannot see, or send the system's mnemonic search round the window tree for
// ever. After every switch the focus goes to the first control of the new page, as the user
// expects; a key that still finds the focus in a hidden window is handed to that first control.
//
// The sheet's own keys reach it from any control: Ctrl+Tab, Ctrl+Shift+Tab and Ctrl+PgUp/PgDn
// switch pages and Escape cancels even from a multi-line edit, which otherwise claims every key
// (Enter stays a new line there). Apply disables itself when it is done, and the system then
// leaves the keyboard focus nowhere: the focus goes back to the control of the page that had it
// before, else to the page's first tab stop.
#pragma once
#include "CPropertyPage.h"

#include <vector>

class AFX_CORE_API CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    // The caption is string nIDCaption.
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // The header as the system is given it; a caller may add flags such as PSH_HASHELP.
    PROPSHEETHEADERW m_psh;

    void AddPage(CPropertyPage* pPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    // The page on show, while the sheet runs.
    CPropertyPage* GetActivePage() const;

    // IDOK when OK closed the sheet, IDCANCEL otherwise; -1 when a page's template is
    // missing or the sheet could not be made.
    virtual INT_PTR DoModal();

    BOOL ContinueModal() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Remembers whether OK or Cancel was pressed last: the one that closes the sheet. After Apply
    // the focus is handed back to the page.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // A click on a tab switches pages: the focus follows.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    HWND CurrentPageWindow() const;
    // Puts the focus on the first tab stop of the page on show, as Tab would reach it.
    void FocusCurrentPage();
    // Notes the control of the page on show that has the focus, if one has.
    void NotePageFocus();
    // When no window of the sheet that a key could reach has the focus, gives it back to the
    // page's control noted last, else to the page's first tab stop.
    void RestorePageFocus();

    // The control of the page on show that last had the focus; checked before every use, as
    // the page may have hidden or destroyed it since.
    HWND m_hWndPageFocus = nullptr;
    CString m_strCaption;
    CWnd* m_pParentWnd;
    std::vector<CPropertyPage*> m_pages;
};
