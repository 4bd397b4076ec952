// The first page of a text object's sheet: which catalogue items the object shows, in which
// order, with blank lines and user texts between them; each item's data label and decimal
// setting; the title and whether it is shown.
//
// The available list starts with a blank-line row and a user-text row, then the catalogue items
// not selected, in catalogue order. Data items move between the lists; blank lines and user
// texts are copied, so any number of them can be selected. Labels and decimal settings are kept
// by row text, for the life of the page: an item removed and added again gets back what it had.
//
// The page reads TextFields, Title and IncludeTitle when it opens and, whenever it is left or
// applied, writes back those the user changed, TextFields first. TextFields counts as changed
// once the user has changed the selected list (adding, removing, moving rows), a label or a
// decimal setting; merely looking at rows changes nothing. A TextFields that cannot be read
// is reported, and the page then writes TextFields only once the user has changed the list.
//
// A data label usually ends in the blank that separates it from its value. The label edit
// shows the label without that separator, and the page puts it back after what the user
// types unless the user typed a separator of their own, so that retyping a label never joins
// it to its value.
#pragma once
#include "QLNBaseExport.h"

#include "CButton.h"
#include "CEdit.h"
#include "CStatic.h"
#include "QLNOlePropertyPage.h"
#include "QLNTextObjectListBox.h"
#include "QLN_IntEditCtrl.h"

#include <map>

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

    // The available list afresh: the two special rows, then every catalogue item.
    void FillAvailableList();
    // The selected list from TextFields, one row per line; records the lines' labels and
    // decimal settings.
    void LoadSelectedList();
    // Drops from the available list the data items that the selected list holds.
    void RemoveSelectedFromAvailable();
    // Buttons, descriptions, label and decimal details for the current rows.
    void UpdateControls();
    // The text-field string of the selected list; empty without a catalogue.
    CString BuildTextFields();
    // Where a removed data item goes back into the available list: before the next catalogue
    // item still available; -1 for the end.
    int GetReturnPosition(const CString& strText);
    // The leading prompt of a line that holds both a prompt and a value; FALSE otherwise, with
    // the label the first item still when that is a prompt.
    static BOOL ExtractDataLabel(const CString& strLine, CString& strLabel);
    // A label as the label edit shows it, and its separator: the blanks and tabs it ends with.
    static void SplitLabel(const CString& strLabel, CString& strShown, CString& strSeparator);

    BOOL LookupLabel(const CString& strKey, CString& strLabel) const;
    void SetLabel(const CString& strKey, const CString& strLabel);
    BOOL LookupDecimal(const CString& strKey, CString& strDecimal) const;
    void SetDecimal(const CString& strKey, const CString& strDecimal);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

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
    void OnIncludeTitle();
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

    // Ordered by CString::Compare: case-sensitive, by code unit.
    struct OrdinalLess
    {
        bool operator()(const CString& a, const CString& b) const { return a.Compare(b) < 0; }
    };
    std::map<CString, CString, OrdinalLess> m_mapLabels;
    std::map<CString, CString, OrdinalLess> m_mapDecimals;

    int m_nSelectedCur;
    int m_nAvailableCur;
    // The user changed the list, a label or a decimal setting since TextFields was last written.
    BOOL m_bListChanged;
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
    void EnableTitle();
    // Moves the focus on when hWndFocus, which had it, can no longer be used.
    void KeepFocus(HWND hWndFocus);
    // The current row of the selected list, moved by nDelta rows when it stays in the list.
    void MoveSelected(int nDelta);
    // The blank-line row and the user-text row that the available list always begins with.
    void AddSpecialRows();
    // The user changed what TextFields will hold.
    void ListChanged();
    // Shown once the sheet is on screen, so that the message box has an owner to sit on.
    LRESULT OnReportReadFailure(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};
