// The first page of a text object's sheet: which catalogue items the object shows, in which
// order, with blank lines and user texts between them; each item's data label and decimal
// setting; the title and whether it is shown. The rules of the lists, labels and decimal
// settings are CQLNTextDataSelection's; the page shows its rows and hands it the user's commands.
//
// The page reads TextFields, Title and IncludeTitle when it opens and, whenever it is left or
// applied, writes back those the user changed, TextFields first. TextFields counts as changed
// once the user has changed the selected list (adding, removing, moving rows), a label or a
// decimal setting; merely looking at rows changes nothing. A TextFields that cannot be read
// is reported, and the page then writes TextFields only once the user has changed the list.
#pragma once
#include "QLNBaseExport.h"

#include "CButton.h"
#include "CEdit.h"
#include "CStatic.h"
#include "QLNOlePropertyPage.h"
#include "QLNTextDataSelection.h"
#include "QLNTextObjectListBox.h"
#include "QLN_IntEditCtrl.h"

class CQLNDefaultText;

class QLN_BASE_API CQLNTextDataSelectPage : public CQLNOlePropertyPage
{
    DECLARE_DYNAMIC(CQLNTextDataSelectPage)
public:
    // The control must be a text control (CQLNTextBaseCtrl) for the page to offer anything: it
    // gives the catalogue.
    explicit CQLNTextDataSelectPage(COleControl& ctrl);
    ~CQLNTextDataSelectPage() override;

    BOOL OnInitDialog() override;

    // The page's operations on the rows it shows, for pages derived from it; the rules are
    // CQLNTextDataSelection's. The text-field string the selected rows make:
    CString BuildTextFields() const;
    // Where a removed data item goes back into the available list; -1 for the end.
    int GetReturnPosition(const CString& strText) const;
    // The leading prompt of a line that holds both a prompt and a value.
    static BOOL ExtractDataLabel(const CString& strLine, CString& strLabel);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Buttons, descriptions, label and decimal details for the current rows.
    void UpdateControls();

    void OnAdd();
    void OnAddAll();
    void OnRemove();
    void OnRemoveAll();
    void OnMoveUp();
    void OnMoveDown();
    void OnSelChangeSelected();
    void OnSelChangeAvailable();
    void OnDblClkAvailable();
    void OnDblClkSelected();
    void OnClickedIncludeTitle();
    void OnChangeLabel();
    void OnKillFocusDecimal();
    void OnHelp();

    CStatic m_stSelectedDesc;
    CStatic m_stAvailableDesc;
    CQLN_IntEditCtrl m_editDecimal;
    CStatic m_stDecimal;
    CStatic m_stLabel;
    CEdit m_editLabel;
    CStatic m_stTitle;
    CEdit m_editTitle;
    CButton m_btnIncludeTitle;
    int m_bIncludeTitle;
    CString m_strTitle;
    CString m_strDecimal;
    CButton m_btnAddAll;
    CButton m_btnAdd;
    CButton m_btnRemoveAll;
    CButton m_btnRemove;
    CQLNTextObjectListBox m_lbAvailable;
    CQLNTextObjectListBox m_lbSelected;
    CButton m_btnMoveUp;
    CButton m_btnMoveDown;

    CQLNTextDataSelection m_selection;
    int m_nSelectedCur;
    int m_nAvailableCur;
    // Why TextFields could not be read, until the page has said so.
    CString m_strReadFailure;

private:
    // The control's catalogue; null when the control is not a text control or has none.
    CQLNDefaultText* GetCatalogue() const;
    // Whether a list notification may be acted on: not while the decimal edit holds an entry
    // it refuses, in which case the list's current row goes back to the one last seen.
    BOOL PassesDecimalGuard(CQLNTextObjectListBox& list, int nRecordedCur);
    // Writes the decimal edit's text to the current row's entry, when that row has one.
    void StoreDecimal();
    // TextFields as the control holds it; empty, and the failure kept, when it cannot be read.
    CString ReadTextFields();
    // Shows the selection's rows with these rows current, and what the page shows of them.
    void ShowRows(CQLNTextDataSelection::Current cur);
    CQLNTextDataSelection::Current CurrentRows() const;
    void EnableTitle();
    // Moves the focus on when hWndFocus, which had it, can no longer be used.
    void KeepFocus(HWND hWndFocus);
    // The current row of the selected list, moved by nDelta rows when it stays in the list.
    void MoveSelected(int nDelta);
    // Shown once the sheet is on screen, so that the message box has an owner to sit on.
    LRESULT OnReportReadFailure(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};
