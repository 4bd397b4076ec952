#include "QLNTextDataSelection.h"

#include "QLNBaseRes.h"
#include "QLNConvertStringToDouble.h"
#include "QLNDefaultText.h"
#include "QLNStringTokenizer.h"
#include "QLNTextFieldLines.h"

namespace {

// A decimal setting the user made: a number above the setting that means none.
bool IsDecimalSetting(const CString& strDecimal)
{
    double dValue = 0.0;
    return QLNConvertStringToDouble(strDecimal.GetString(), dValue) &&
           dValue > static_cast<double>(CQLNDefaultText::m_skiInvalidDecimal);
}

bool InRange(const std::vector<CQLNTextDataSelection::Row>& rows, int nRow)
{
    return nRow >= 0 && nRow < static_cast<int>(rows.size());
}

// The row that stays current once row nRemoved has gone from a list of nLeft rows.
int AfterRemoval(int nRemoved, int nLeft)
{
    return nRemoved < nLeft ? nRemoved : nLeft - 1;
}

} // namespace

CQLNTextDataSelection::CQLNTextDataSelection(const CQLNDefaultText* pCatalogue)
    : m_pCatalogue(pCatalogue), m_bChanged(FALSE)
{
    FillAvailable();
}

void CQLNTextDataSelection::FillAvailable()
{
    m_available = {Row{CString(), CQLNDefaultText::eBlankLine}, Row{CString(), CQLNDefaultText::eUserText}};
    if (m_pCatalogue == nullptr)
        return;
    const CStringArray& items = m_pCatalogue->GetStringArray();
    for (int i = 0; i < items.GetSize(); ++i)
        if (!items[i].IsEmpty())
            m_available.push_back(Row{items[i], CQLNDefaultText::eDataItem});
}

int CQLNTextDataSelection::Find(const std::vector<Row>& rows, const CString& strText)
{
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].text.CompareNoCase(strText) == 0)
            return static_cast<int>(i);
    return -1;
}

void CQLNTextDataSelection::Load(const CString& strTextFields)
{
    FillAvailable();
    m_selected.clear();
    m_strLoaded = strTextFields;
    m_bChanged = FALSE;
    // Split as the control splits it, so the rows are the lines the control shows.
    CQLNTextFieldLines lines;
    lines.SetText(strTextFields);
    const int nLines = lines.GetCount();
    for (int i = 0; i < nLines && !(nLines == 1 && lines.GetLine(0).IsEmpty()); ++i) {
        CString strDefault;
        CString strDecimal;
        CString strCustomized;
        CQLNDefaultText::BreakupTextLine(lines.GetLine(i), strDefault, strDecimal, strCustomized);
        Row row{strCustomized, CQLNDefaultText::eUserText};
        if (!strDefault.IsEmpty()) {
            row.text = strDefault;
            CString strLabel;
            if (ExtractDataLabel(strCustomized, strLabel))
                m_labels[row.text] = strLabel;
            if (IsDecimalSetting(strDecimal))
                m_decimals[row.text] = strDecimal;
        }
        // The available list holds every catalogue item at this point.
        if (row.text.IsEmpty())
            row.kind = CQLNDefaultText::eBlankLine;
        else if (Find(m_available, row.text) >= 0)
            row.kind = CQLNDefaultText::eDataItem;
        m_selected.push_back(row);
    }
    for (int i = static_cast<int>(m_available.size()) - 1; i >= 0; --i)
        if (m_available[i].kind == CQLNDefaultText::eDataItem && Find(m_selected, m_available[i].text) >= 0)
            m_available.erase(m_available.begin() + i);
}

// The user's commands.

CQLNTextDataSelection::Current CQLNTextDataSelection::Add(Current cur)
{
    if (!InRange(m_available, cur.available))
        return cur;
    const Row row = m_available[cur.available];
    const int nAt = InRange(m_selected, cur.selected) ? cur.selected + 1 : static_cast<int>(m_selected.size());
    m_selected.insert(m_selected.begin() + nAt, row);
    if (row.kind == CQLNDefaultText::eDataItem) {
        m_available.erase(m_available.begin() + cur.available);
        cur.available = AfterRemoval(cur.available, static_cast<int>(m_available.size()));
    }
    m_bChanged = TRUE;
    return Current{nAt, cur.available};
}

CQLNTextDataSelection::Current CQLNTextDataSelection::AddAll(Current cur)
{
    const int nAt = InRange(m_selected, cur.selected) ? cur.selected + 1 : 0;
    m_selected.insert(m_selected.begin() + nAt, m_available.begin(), m_available.end());
    const int nLast = nAt + static_cast<int>(m_available.size()) - 1;
    m_available.resize(2);
    m_bChanged = TRUE;
    return Current{nLast, 0};
}

int CQLNTextDataSelection::GetReturnPosition(const CString& strText) const
{
    if (m_pCatalogue == nullptr)
        return 0;
    const CStringArray& items = m_pCatalogue->GetStringArray();
    const int nItems = items.GetSize();
    int nItem = 0;
    while (nItem < nItems && items[nItem].Compare(strText) != 0)
        ++nItem;
    for (int i = nItem + 1; i < nItems; ++i) {
        const int nIndex = items[i].IsEmpty() ? -1 : Find(m_available, items[i]);
        if (nIndex >= 0)
            return nIndex;
    }
    return -1;
}

CQLNTextDataSelection::Current CQLNTextDataSelection::Remove(Current cur)
{
    if (!InRange(m_selected, cur.selected))
        return cur;
    const Row row = m_selected[cur.selected];
    if (row.kind == CQLNDefaultText::eDataItem) {
        const int nAt = GetReturnPosition(row.text);
        cur.available = nAt < 0 ? static_cast<int>(m_available.size()) : nAt;
        m_available.insert(m_available.begin() + cur.available, row);
    }
    m_selected.erase(m_selected.begin() + cur.selected);
    m_bChanged = TRUE;
    return Current{AfterRemoval(cur.selected, static_cast<int>(m_selected.size())), cur.available};
}

CQLNTextDataSelection::Current CQLNTextDataSelection::RemoveAll()
{
    if (!m_selected.empty())
        m_bChanged = TRUE;
    m_selected.clear();
    FillAvailable();
    return Current{-1, 0};
}

int CQLNTextDataSelection::Move(int nSelected, int nDelta)
{
    const int nTo = nSelected + nDelta;
    if (!InRange(m_selected, nSelected) || !InRange(m_selected, nTo))
        return nSelected;
    const Row row = m_selected[nSelected];
    m_selected.erase(m_selected.begin() + nSelected);
    m_selected.insert(m_selected.begin() + nTo, row);
    m_bChanged = TRUE;
    return nTo;
}

BOOL CQLNTextDataSelection::TypeLabel(int nSelected, const CString& strText)
{
    if (!InRange(m_selected, nSelected))
        return FALSE;
    Row& row = m_selected[nSelected];
    const auto it = m_labels.find(row.text);
    if (it != m_labels.end() && row.kind != CQLNDefaultText::eBlankLine) {
        // A label, of a data item or of a user text that holds a value: only a label the row
        // already has is changed, and an emptied edit keeps the last one.
        if (strText.IsEmpty())
            return FALSE;
        CString strShown;
        CString strSeparator;
        SplitLabel(it->second, strShown, strSeparator);
        const wchar_t chLast = strText[strText.GetLength() - 1];
        it->second = chLast == L' ' || chLast == L'\t' ? strText : strText + strSeparator;
    } else if (row.kind == CQLNDefaultText::eUserText) {
        row.text = strText;
    } else {
        return FALSE;
    }
    m_bChanged = TRUE;
    return TRUE;
}

BOOL CQLNTextDataSelection::StoreDecimal(int nSelected, const CString& strDecimal)
{
    if (!InRange(m_selected, nSelected))
        return FALSE;
    const auto it = m_decimals.find(m_selected[nSelected].text);
    if (it == m_decimals.end() || strDecimal.Compare(it->second) == 0)
        return FALSE;
    it->second = strDecimal;
    m_bChanged = TRUE;
    return TRUE;
}

// What the page shows.

CQLNTextDataSelection::RowView CQLNTextDataSelection::ShowSelected(int nSelected)
{
    RowView view;
    view.decimalMin = CQLNDefaultText::m_skiDecimalMin;
    view.decimalMax = CQLNDefaultText::m_skiDecimalMax;
    if (m_pCatalogue == nullptr || !InRange(m_selected, nSelected))
        return view;
    const Row& row = m_selected[nSelected];
    const auto kind = static_cast<CQLNDefaultText::eItemType>(row.kind);
    view.description = m_pCatalogue->FindMatchingDescription(row.text, kind);

    CString strLabel;
    auto label = m_labels.find(row.text);
    if (label == m_labels.end() && kind == CQLNDefaultText::eDataItem && m_pCatalogue->IsDefaultItem(row.text) &&
        ExtractDataLabel(row.text, strLabel))
        label = m_labels.emplace(row.text, strLabel).first;
    // A label without its separator, which the edit would hide; a user text as it is.
    if (label != m_labels.end()) {
        CString strSeparator;
        SplitLabel(label->second, view.label, strSeparator);
    } else if (kind == CQLNDefaultText::eUserText) {
        view.label = row.text;
    }
    view.labelShown = label != m_labels.end() || kind == CQLNDefaultText::eUserText;
    if (view.labelShown)
        view.labelCaptionID = kind == CQLNDefaultText::eUserText ? IDS_QLN_USER_TEXT_CAPTION : IDS_QLN_DATA_LABEL_CAPTION;

    const auto decimal = m_decimals.find(row.text);
    view.decimal = decimal != m_decimals.end() ? decimal->second : m_pCatalogue->GetDefaultDecimal(row.text);
    view.decimalShown = IsDecimalSetting(view.decimal);
    if (view.decimalShown && decimal == m_decimals.end())
        m_decimals.emplace(row.text, view.decimal);
    view.decimalMin = 0;
    view.decimalMax = 0;
    m_pCatalogue->GetDefaultDecimalMinMax(row.text, view.decimalMin, view.decimalMax);
    return view;
}

CString CQLNTextDataSelection::DescribeAvailable(int nAvailable) const
{
    if (m_pCatalogue == nullptr || !InRange(m_available, nAvailable))
        return CString();
    const Row& row = m_available[nAvailable];
    return m_pCatalogue->FindMatchingDescription(row.text, static_cast<CQLNDefaultText::eItemType>(row.kind));
}

// The text-field string.

CString CQLNTextDataSelection::BuildLine(const Row& row) const
{
    CString strDefault = row.text;
    const auto decimal = m_decimals.find(row.text);
    CString strDecimal;
    if (decimal != m_decimals.end())
        strDecimal = decimal->second;
    else
        strDecimal.Format(L"%d", CQLNDefaultText::m_skiInvalidDecimal);
    CString strCustomized = row.text;
    const auto label = m_labels.find(row.text);
    if (label != m_labels.end()) {
        // The label takes the place of the row's first item.
        CQLNStringTokenizer tokenizer(row.text);
        CString strFirst;
        BOOL bIsValue = FALSE;
        tokenizer.GetNextString(strFirst, bIsValue);
        strCustomized = label->second + tokenizer.GetRemainingString();
    } else if (!m_pCatalogue->IsDefaultItem(row.text)) {
        strDefault.Empty();
    }
    CString strLine;
    CQLNDefaultText::FormTextLine(strDefault, strDecimal, strCustomized, strLine);
    return strLine;
}

CString CQLNTextDataSelection::BuildTextFields() const
{
    if (!m_bChanged)
        return m_strLoaded;
    CString strResult;
    if (m_pCatalogue == nullptr)
        return strResult;
    for (size_t i = 0; i < m_selected.size(); ++i) {
        if (i > 0)
            strResult += L"\r\n";
        strResult += BuildLine(m_selected[i]);
    }
    return strResult;
}

void CQLNTextDataSelection::Written(const CString& strTextFields)
{
    m_strLoaded = strTextFields;
    m_bChanged = FALSE;
}

BOOL CQLNTextDataSelection::ExtractDataLabel(const CString& strLine, CString& strLabel)
{
    strLabel.Empty();
    CQLNStringTokenizer tokenizer(strLine);
    CString strItem;
    BOOL bIsValue = FALSE;
    if (!tokenizer.GetNextString(strItem, bIsValue) || bIsValue)
        return FALSE;
    strLabel = strItem;
    int nPrompts = 0;
    int nValues = 0;
    CQLNStringTokenizer::GetNumberOfPromptAndValue(strLine, nPrompts, nValues);
    return nPrompts > 0 && nValues > 0;
}

void CQLNTextDataSelection::SplitLabel(const CString& strLabel, CString& strShown, CString& strSeparator)
{
    int nEnd = strLabel.GetLength();
    while (nEnd > 0 && (strLabel[nEnd - 1] == L' ' || strLabel[nEnd - 1] == L'\t'))
        --nEnd;
    strShown = strLabel.Left(nEnd);
    strSeparator = strLabel.Mid(nEnd);
}
