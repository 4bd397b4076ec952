// What the data selection page edits, apart from its windows: the selected rows and the
// available ones, each row's data label and decimal setting, and the TextFields they make.
//
// The available rows start with a blank-line row and a user-text row, then the catalogue items
// not selected, in catalogue order. Data items move between the lists; blank lines and user
// texts are copied, so any number of them can be selected. Labels and decimal settings are kept
// by row text for the life of the selection: an item removed and added again gets back what it
// had. Rows match catalogue items as the page's list boxes match strings: regardless of case.
//
// Until the user changes the rows, a label or a decimal setting, the TextFields built is the
// text loaded, to the byte: a text the rows cannot carry (a line shown as a user text that holds
// a value, a line without its decimal field) is never rewritten by merely looking at it.
//
// A data label usually ends in the blank that separates it from its value. The label is shown
// without that separator, and what the user types gets it back unless the user typed a
// separator of their own, so that retyping a label never joins it to its value.
#pragma once
#include "QLNBaseExport.h"

#include "CString.h"

#include <map>
#include <vector>

class CQLNDefaultText;

class QLN_BASE_API CQLNTextDataSelection
{
public:
    struct Row
    {
        CString text;
        int kind; // a CQLNDefaultText::eItemType
    };
    // What the page shows of a selected row.
    struct RowView
    {
        CString description;
        // The label edit: shown, with this caption (a string identifier) and text.
        bool labelShown = false;
        UINT labelCaptionID = 0;
        CString label;
        // The decimal edit: shown, with this setting; bounds given either way.
        bool decimalShown = false;
        CString decimal;
        int decimalMin = 0;
        int decimalMax = 0;
    };
    // Which row of each list is current: -1 for none.
    struct Current
    {
        int selected;
        int available;
    };

    // Without a catalogue (null) the lists hold the special rows only and nothing is built.
    explicit CQLNTextDataSelection(const CQLNDefaultText* pCatalogue);

    // The rows of strTextFields, one per line; the available list without the data items it holds.
    void Load(const CString& strTextFields);

    const std::vector<Row>& GetSelected() const { return m_selected; }
    const std::vector<Row>& GetAvailable() const { return m_available; }

    // The user's commands, given the current rows; each returns the rows current after it. An
    // added row goes after the current selected row; a removed data item goes back before the
    // next catalogue item still available.
    Current Add(Current cur);
    Current AddAll(Current cur);
    Current Remove(Current cur);
    Current RemoveAll();
    // The row moved by nDelta when it stays in the list; its index, moved or not.
    int Move(int nSelected, int nDelta);
    // The label edit's text typed for a row: a label the row already has changes (an empty
    // text keeps it), a user text becomes that text. TRUE when something changed.
    BOOL TypeLabel(int nSelected, const CString& strText);
    // A decimal setting for a row that has one. TRUE when it changed.
    BOOL StoreDecimal(int nSelected, const CString& strDecimal);

    // What the page shows of a selected row (the empty view for none). A catalogue item shown
    // for the first time takes its catalogue label and decimal setting, which it keeps.
    RowView ShowSelected(int nSelected);
    CString DescribeAvailable(int nAvailable) const;

    // The rows changed since loading or the last Written.
    BOOL IsChanged() const { return m_bChanged; }
    CString BuildTextFields() const;
    // TextFields now holds strTextFields.
    void Written(const CString& strTextFields);

    // Where a removed data item goes back into the available list; -1 for the end.
    int GetReturnPosition(const CString& strText) const;
    // The leading prompt of a line that holds both a prompt and a value; FALSE otherwise, with
    // the label the first item still when that is a prompt.
    static BOOL ExtractDataLabel(const CString& strLine, CString& strLabel);
    // A label as the label edit shows it, and its separator: the blanks and tabs it ends with.
    static void SplitLabel(const CString& strLabel, CString& strShown, CString& strSeparator);

private:
    // Ordered by CString::Compare: case-sensitive, by code unit.
    struct OrdinalLess
    {
        bool operator()(const CString& a, const CString& b) const { return a.Compare(b) < 0; }
    };
    using Map = std::map<CString, CString, OrdinalLess>;

    void FillAvailable();
    // The first row of the list whose text matches strText, -1 for none.
    static int Find(const std::vector<Row>& rows, const CString& strText);
    CString BuildLine(const Row& row) const;

    const CQLNDefaultText* m_pCatalogue;
    std::vector<Row> m_selected;
    std::vector<Row> m_available;
    Map m_labels;
    Map m_decimals;
    CString m_strLoaded;
    BOOL m_bChanged;
};
