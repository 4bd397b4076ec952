#include "QLNTextDataSelectPage.h"

#include "AfxDDX.h"
#include "AfxMessageBox.h"
#include "AfxRes.h"
#include "COleDispatchException.h"
#include "QLNBaseRes.h"
#include "QLNConvertStringToDouble.h"
#include "QLNDefaultText.h"
#include "QLNHelpIds.h"
#include "QLNOpenPageHelp.h"
#include "QLNPlainFrame.h"
#include "QLNLibraryString.h"
#include "QLNStringTokenizer.h"
#include "QLNTextBaseCtrl.h"
#include "QLNTextFieldLines.h"

namespace {

// The decimal edit's own message that tells the user its range.
const UINT WM_QLN_RANGE_MESSAGE = WM_USER + 7;
// The page's own message that reports a TextFields it could not read.
const UINT WM_QLN_REPORT_READ_FAILURE = WM_APP + 1;

// A decimal setting the user made: a number above the setting that means none.
bool IsDecimalSetting(const CString& strDecimal)
{
    double dValue = 0.0;
    return QLNConvertStringToDouble(strDecimal.GetString(), dValue) &&
           dValue > static_cast<double>(CQLNDefaultText::m_skiInvalidDecimal);
}

int KindOf(const CQLNTextObjectListBox& list, int nIndex)
{
    return static_cast<int>(list.GetItemData(nIndex));
}

} // namespace

IMPLEMENT_DYNAMIC(CQLNTextDataSelectPage, CQLNOlePropertyPage)

BEGIN_MESSAGE_MAP(CQLNTextDataSelectPage, CQLNOlePropertyPage)
    ON_BN_CLICKED(IDC_QLN_DATA_ADD, OnAdd)
    ON_BN_CLICKED(IDC_QLN_DATA_ADD_ALL, OnAddAll)
    ON_BN_CLICKED(IDC_QLN_DATA_REMOVE, OnRemove)
    ON_BN_CLICKED(IDC_QLN_DATA_REMOVE_ALL, OnRemoveAll)
    ON_BN_CLICKED(IDC_QLN_DATA_MOVE_UP, OnMoveUp)
    ON_BN_CLICKED(IDC_QLN_DATA_MOVE_DOWN, OnMoveDown)
    ON_LBN_SELCHANGE(IDC_QLN_DATA_SELECTED, OnSelChangeSelected)
    ON_LBN_SELCHANGE(IDC_QLN_DATA_AVAILABLE, OnSelChangeAvailable)
    ON_LBN_DBLCLK(IDC_QLN_DATA_AVAILABLE, OnDblClkAvailable)
    ON_LBN_DBLCLK(IDC_QLN_DATA_SELECTED, OnDblClkSelected)
    ON_BN_CLICKED(IDC_QLN_DATA_INCLUDE_TITLE, OnIncludeTitle)
    ON_EN_CHANGE(IDC_QLN_DATA_LABEL, OnChangeLabel)
    ON_EN_KILLFOCUS(IDC_QLN_DATA_DECIMAL, OnKillFocusDecimal)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_MESSAGE(WM_QLN_REPORT_READ_FAILURE, OnReportReadFailure)
END_MESSAGE_MAP()

CQLNTextDataSelectPage::CQLNTextDataSelectPage(COleControl& ctrl)
    : CQLNOlePropertyPage(IDD_QLN_TEXT_DATA_SELECT, ctrl, IDS_QLN_DATA_PAGE), m_bIncludeTitle(FALSE),
      m_nSelectedCur(0), m_nAvailableCur(0), m_bListChanged(FALSE)
{
}

CQLNTextDataSelectPage::~CQLNTextDataSelectPage() = default;

CQLNDefaultText* CQLNTextDataSelectPage::GetCatalogue() const
{
    if (m_pCtrl == nullptr || !m_pCtrl->IsKindOf(RUNTIME_CLASS(CQLNTextBaseCtrl)))
        return nullptr;
    return static_cast<CQLNTextBaseCtrl*>(m_pCtrl)->GetDefaultText();
}

// The maps.

BOOL CQLNTextDataSelectPage::LookupLabel(const CString& strKey, CString& strLabel) const
{
    const auto it = m_mapLabels.find(strKey);
    if (it == m_mapLabels.end())
        return FALSE;
    strLabel = it->second;
    return TRUE;
}

void CQLNTextDataSelectPage::SetLabel(const CString& strKey, const CString& strLabel)
{
    m_mapLabels[strKey] = strLabel;
}

BOOL CQLNTextDataSelectPage::LookupDecimal(const CString& strKey, CString& strDecimal) const
{
    const auto it = m_mapDecimals.find(strKey);
    if (it == m_mapDecimals.end())
        return FALSE;
    strDecimal = it->second;
    return TRUE;
}

void CQLNTextDataSelectPage::SetDecimal(const CString& strKey, const CString& strDecimal)
{
    m_mapDecimals[strKey] = strDecimal;
}

// Opening the page.

BOOL CQLNTextDataSelectPage::OnInitDialog()
{
    CQLNOlePropertyPage::OnInitDialog();
    // Choosing a row to look at changes nothing in the object, so Apply stays as it is; the
    // first definition of the page excluded no control, and Apply came alive on every click.
    IgnoreApply(IDC_QLN_DATA_SELECTED);
    IgnoreApply(IDC_QLN_DATA_AVAILABLE);
    const FillingControls filling(*this);
    m_bListChanged = FALSE;
    FillAvailableList();
    LoadSelectedList();
    m_lbSelected.SetSelectedList(TRUE);
    if (m_lbSelected.GetCount() > 0)
        m_lbSelected.SetCurSel(0);
    RemoveSelectedFromAvailable();
    if (m_lbAvailable.GetCount() > 0)
        m_lbAvailable.SetCurSel(0);
    UpdateControls();
    EnableTitle();
    QLNGivePlainFrame(m_stAvailableDesc.m_hWnd);
    QLNGivePlainFrame(m_stSelectedDesc.m_hWnd);
    return TRUE;
}

void CQLNTextDataSelectPage::AddSpecialRows()
{
    m_lbAvailable.AddItem(L"", CQLNDefaultText::eBlankLine);
    m_lbAvailable.AddItem(L"", CQLNDefaultText::eUserText);
}

void CQLNTextDataSelectPage::FillAvailableList()
{
    m_lbAvailable.ResetContent();
    AddSpecialRows();
    const CQLNDefaultText* pCatalogue = GetCatalogue();
    if (pCatalogue == nullptr)
        return;
    const CStringArray& items = pCatalogue->GetStringArray();
    for (int i = 0; i < items.GetSize(); ++i)
        if (!items[i].IsEmpty())
            m_lbAvailable.AddItem(items[i], CQLNDefaultText::eDataItem);
}

void CQLNTextDataSelectPage::LoadSelectedList()
{
    CString strTextFields;
    try {
        GetPropText(L"TextFields", &strTextFields);
    } catch (const COleDispatchException& e) {
        // The page opens with nothing selected and writes nothing unless the user fills the list.
        m_strReadFailure = e.m_strDescription;
    } catch (const CException& e) {
        wchar_t szMessage[512] = {};
        e.GetErrorMessage(szMessage, 512);
        m_strReadFailure = szMessage;
    }
    if (!m_strReadFailure.IsEmpty()) {
        strTextFields.Empty();
        if (m_hWnd != nullptr)
            PostMessage(WM_QLN_REPORT_READ_FAILURE);
    }
    // Split as the control's line holder splits it, so the rows are the lines the control shows.
    CQLNTextFieldLines lines;
    lines.SetText(strTextFields);
    const int nLines = lines.GetCount();
    if (nLines == 1 && lines.GetLine(0).IsEmpty())
        return;
    for (int i = 0; i < nLines; ++i) {
        CString strDefault;
        CString strDecimal;
        CString strCustomized;
        CQLNDefaultText::BreakupTextLine(lines.GetLine(i), strDefault, strDecimal, strCustomized);
        CString strRow = strCustomized;
        if (!strDefault.IsEmpty()) {
            strRow = strDefault;
            CString strLabel;
            if (ExtractDataLabel(strCustomized, strLabel))
                SetLabel(strRow, strLabel);
            if (IsDecimalSetting(strDecimal))
                SetDecimal(strRow, strDecimal);
        }
        // The available list holds every catalogue item at this point.
        int nKind = CQLNDefaultText::eUserText;
        if (strRow.IsEmpty())
            nKind = CQLNDefaultText::eBlankLine;
        else if (m_lbAvailable.FindStringExact(-1, strRow) != LB_ERR)
            nKind = CQLNDefaultText::eDataItem;
        m_lbSelected.AddItem(strRow, nKind);
    }
}

void CQLNTextDataSelectPage::RemoveSelectedFromAvailable()
{
    for (int i = m_lbAvailable.GetCount() - 1; i >= 0; --i) {
        if (KindOf(m_lbAvailable, i) != CQLNDefaultText::eDataItem)
            continue;
        CString strRow;
        m_lbAvailable.GetText(i, strRow);
        if (m_lbSelected.FindStringExact(-1, strRow) != LB_ERR)
            m_lbAvailable.DeleteString(static_cast<UINT>(i));
    }
}

LRESULT CQLNTextDataSelectPage::OnReportReadFailure(WPARAM, LPARAM)
{
    const CString strMessage = m_strReadFailure;
    m_strReadFailure.Empty();
    if (!strMessage.IsEmpty())
        AfxMessageBox(strMessage, MB_ICONEXCLAMATION);
    return 0;
}

void CQLNTextDataSelectPage::SplitLabel(const CString& strLabel, CString& strShown, CString& strSeparator)
{
    int nEnd = strLabel.GetLength();
    while (nEnd > 0 && (strLabel[nEnd - 1] == L' ' || strLabel[nEnd - 1] == L'\t'))
        --nEnd;
    strShown = strLabel.Left(nEnd);
    strSeparator = strLabel.Mid(nEnd);
}

void CQLNTextDataSelectPage::ListChanged()
{
    m_bListChanged = TRUE;
    SetModified(TRUE);
}

BOOL CQLNTextDataSelectPage::ExtractDataLabel(const CString& strLine, CString& strLabel)
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

// What the page shows of the current rows.

void CQLNTextDataSelectPage::UpdateControls()
{
    const CQLNDefaultText* pCatalogue = GetCatalogue();
    if (pCatalogue == nullptr)
        return;
    // What the page shows of a row is not the user's edit of it.
    const FillingControls filling(*this);
    const HWND hWndFocus = ::GetFocus();

    m_nSelectedCur = m_lbSelected.GetCurSel();
    const int nSelected = m_lbSelected.GetCount();
    if (nSelected == 0) {
        m_btnRemove.EnableWindow(FALSE);
        m_btnRemoveAll.EnableWindow(FALSE);
        m_btnMoveUp.EnableWindow(FALSE);
        m_btnMoveDown.EnableWindow(FALSE);
        m_stSelectedDesc.SetWindowText(L"");
        m_stLabel.ShowWindow(SW_HIDE);
        m_editLabel.ShowWindow(SW_HIDE);
        m_editLabel.SetWindowText(L"");
        m_editDecimal.ShowWindow(SW_HIDE);
        m_stDecimal.ShowWindow(SW_HIDE);
        m_editDecimal.m_nMin = CQLNDefaultText::m_skiDecimalMin;
        m_editDecimal.m_nMax = CQLNDefaultText::m_skiDecimalMax;
    } else {
        m_btnRemove.EnableWindow(TRUE);
        m_btnRemoveAll.EnableWindow(TRUE);
        m_btnMoveUp.EnableWindow(m_nSelectedCur > 0);
        m_btnMoveDown.EnableWindow(m_nSelectedCur < nSelected - 1);

        CString strRow;
        m_lbSelected.GetText(m_nSelectedCur, strRow);
        const int nKind = KindOf(m_lbSelected, m_nSelectedCur);
        m_stSelectedDesc.SetWindowText(
            pCatalogue->FindMatchingDescription(strRow, static_cast<CQLNDefaultText::eItemType>(nKind)));

        CString strLabel;
        BOOL bHasLabel = LookupLabel(strRow, strLabel);
        if (!bHasLabel && nKind == CQLNDefaultText::eDataItem && pCatalogue->IsDefaultItem(strRow) &&
            ExtractDataLabel(strRow, strLabel)) {
            SetLabel(strRow, strLabel);
            bHasLabel = TRUE;
        }
        // A label without its separator, which the edit would hide; a user text as it is.
        if (bHasLabel) {
            CString strSeparator;
            SplitLabel(CString(strLabel), strLabel, strSeparator);
        } else if (nKind == CQLNDefaultText::eUserText) {
            strLabel = strRow;
            bHasLabel = TRUE;
        }
        if (bHasLabel) {
            CString strCaption;
            QLNLoadLibraryString(strCaption, nKind == CQLNDefaultText::eUserText ? IDS_QLN_USER_TEXT_CAPTION
                                                                                 : IDS_QLN_DATA_LABEL_CAPTION);
            m_stLabel.SetWindowText(strCaption);
        }
        m_stLabel.ShowWindow(bHasLabel ? SW_SHOW : SW_HIDE);
        m_editLabel.ShowWindow(bHasLabel ? SW_SHOW : SW_HIDE);
        m_editLabel.SetWindowText(strLabel);

        CString strDecimal;
        BOOL bHasDecimal = FALSE;
        if (LookupDecimal(strRow, strDecimal)) {
            bHasDecimal = IsDecimalSetting(strDecimal);
        } else {
            strDecimal = pCatalogue->GetDefaultDecimal(strRow);
            bHasDecimal = IsDecimalSetting(strDecimal);
            if (bHasDecimal)
                SetDecimal(strRow, strDecimal);
        }
        if (bHasDecimal)
            m_editDecimal.SetWindowText(strDecimal);
        m_editDecimal.ShowWindow(bHasDecimal ? SW_SHOW : SW_HIDE);
        m_stDecimal.ShowWindow(bHasDecimal ? SW_SHOW : SW_HIDE);
        int nMin = 0;
        int nMax = 0;
        pCatalogue->GetDefaultDecimalMinMax(strRow, nMin, nMax);
        m_editDecimal.m_nMin = nMin;
        m_editDecimal.m_nMax = nMax;
    }

    m_nAvailableCur = m_lbAvailable.GetCurSel();
    const BOOL bAnyAvailable = m_lbAvailable.GetCount() > 0;
    m_btnAdd.EnableWindow(bAnyAvailable);
    m_btnAddAll.EnableWindow(bAnyAvailable);
    CString strDescription;
    if (bAnyAvailable) {
        CString strRow;
        m_lbAvailable.GetText(m_nAvailableCur, strRow);
        strDescription = pCatalogue->FindMatchingDescription(
            strRow, static_cast<CQLNDefaultText::eItemType>(KindOf(m_lbAvailable, m_nAvailableCur)));
    }
    m_stAvailableDesc.SetWindowText(strDescription);
    KeepFocus(hWndFocus);
}

void CQLNTextDataSelectPage::KeepFocus(HWND hWndFocus)
{
    // A button that has just disabled itself (Move Up at the top, Remove All) or a detail now
    // hidden would hold a focus that no key can use: the next control that can take it gets it.
    if (hWndFocus == nullptr || m_hWnd == nullptr || !::IsChild(m_hWnd, hWndFocus) ||
        (::IsWindowEnabled(hWndFocus) && ::IsWindowVisible(hWndFocus) && ::GetFocus() == hWndFocus))
        return;
    const HWND hWndNext = ::GetNextDlgTabItem(m_hWnd, hWndFocus, FALSE);
    if (hWndNext != nullptr && hWndNext != hWndFocus)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hWndNext), TRUE);
}

void CQLNTextDataSelectPage::EnableTitle()
{
    const BOOL bInclude = m_btnIncludeTitle.GetCheck() != BST_UNCHECKED;
    m_editTitle.EnableWindow(bInclude);
    m_stTitle.EnableWindow(bInclude);
}

// The user's commands.

void CQLNTextDataSelectPage::OnAdd()
{
    const int nAvailable = m_lbAvailable.GetCurSel();
    if (nAvailable < 0)
        return;
    CString strRow;
    m_lbAvailable.GetText(nAvailable, strRow);
    const int nKind = KindOf(m_lbAvailable, nAvailable);

    const int nSelected = m_lbSelected.GetCurSel();
    if (nSelected < 0) {
        m_lbSelected.AddItem(strRow, nKind);
        m_lbSelected.SetCurSel(0);
    } else {
        m_lbSelected.InsertItem(nSelected + 1, strRow, nKind);
        m_lbSelected.SetCurSel(nSelected + 1);
    }
    if (nKind == CQLNDefaultText::eDataItem) {
        m_lbAvailable.DeleteString(static_cast<UINT>(nAvailable));
        const int nLeft = m_lbAvailable.GetCount();
        m_lbAvailable.SetCurSel(nAvailable < nLeft ? nAvailable : nLeft - 1);
    }
    ListChanged();
    UpdateControls();
}

void CQLNTextDataSelectPage::OnAddAll()
{
    const int nRows = m_lbAvailable.GetCount();
    const int nSelected = m_lbSelected.GetCurSel();
    const int nAt = nSelected < 0 ? 0 : nSelected + 1;
    for (int i = 0; i < nRows; ++i) {
        CString strRow;
        m_lbAvailable.GetText(i, strRow);
        m_lbSelected.InsertItem(nAt + i, strRow, KindOf(m_lbAvailable, i));
    }
    m_lbSelected.SetCurSel(nAt + nRows - 1);
    m_lbAvailable.ResetContent();
    AddSpecialRows();
    m_lbAvailable.SetCurSel(0);
    ListChanged();
    UpdateControls();
}

int CQLNTextDataSelectPage::GetReturnPosition(const CString& strText)
{
    const CQLNDefaultText* pCatalogue = GetCatalogue();
    if (pCatalogue == nullptr)
        return 0;
    const CStringArray& items = pCatalogue->GetStringArray();
    const int nItems = items.GetSize();
    int nItem = 0;
    while (nItem < nItems && items[nItem].Compare(strText) != 0)
        ++nItem;
    for (int i = nItem + 1; i < nItems; ++i) {
        if (items[i].IsEmpty())
            continue;
        const int nIndex = m_lbAvailable.FindStringExact(-1, items[i]);
        if (nIndex != LB_ERR)
            return nIndex;
    }
    return -1;
}

void CQLNTextDataSelectPage::OnRemove()
{
    const int nSelected = m_lbSelected.GetCurSel();
    if (nSelected < 0)
        return;
    if (KindOf(m_lbSelected, nSelected) == CQLNDefaultText::eDataItem) {
        CString strRow;
        m_lbSelected.GetText(nSelected, strRow);
        const int nAt = m_lbAvailable.InsertItem(GetReturnPosition(strRow), strRow, CQLNDefaultText::eDataItem);
        m_lbAvailable.SetCurSel(nAt);
    }
    m_lbSelected.DeleteString(static_cast<UINT>(nSelected));
    const int nLeft = m_lbSelected.GetCount();
    m_lbSelected.SetCurSel(nSelected < nLeft ? nSelected : nLeft - 1);
    ListChanged();
    UpdateControls();
}

void CQLNTextDataSelectPage::OnRemoveAll()
{
    if (m_lbSelected.GetCount() > 0)
        ListChanged();
    m_lbSelected.ResetContent();
    FillAvailableList();
    if (m_lbAvailable.GetCount() > 0)
        m_lbAvailable.SetCurSel(0);
    UpdateControls();
}

void CQLNTextDataSelectPage::MoveSelected(int nDelta)
{
    const int nFrom = m_lbSelected.GetCurSel();
    const int nTo = nFrom + nDelta;
    if (nFrom < 0 || nTo < 0 || nTo >= m_lbSelected.GetCount())
        return;
    CString strRow;
    m_lbSelected.GetText(nFrom, strRow);
    const int nKind = KindOf(m_lbSelected, nFrom);
    m_lbSelected.DeleteString(static_cast<UINT>(nFrom));
    m_lbSelected.InsertItem(nTo, strRow, nKind);
    m_lbSelected.SetCurSel(nTo);
    ListChanged();
    UpdateControls();
}

void CQLNTextDataSelectPage::OnMoveUp()
{
    MoveSelected(-1);
}

void CQLNTextDataSelectPage::OnMoveDown()
{
    MoveSelected(1);
}

BOOL CQLNTextDataSelectPage::PassesDecimalGuard(CQLNTextObjectListBox& list, int nRecordedCur)
{
    if (m_editDecimal.IsValid() || nRecordedCur < 0)
        return TRUE;
    list.SetCurSel(nRecordedCur);
    return FALSE;
}

void CQLNTextDataSelectPage::OnSelChangeSelected()
{
    if (PassesDecimalGuard(m_lbSelected, m_nSelectedCur))
        UpdateControls();
}

void CQLNTextDataSelectPage::OnSelChangeAvailable()
{
    if (PassesDecimalGuard(m_lbAvailable, m_nAvailableCur))
        UpdateControls();
}

void CQLNTextDataSelectPage::OnDblClkAvailable()
{
    if (PassesDecimalGuard(m_lbAvailable, m_nAvailableCur))
        OnAdd();
}

void CQLNTextDataSelectPage::OnDblClkSelected()
{
    if (PassesDecimalGuard(m_lbSelected, m_nSelectedCur))
        OnRemove();
}

void CQLNTextDataSelectPage::OnIncludeTitle()
{
    EnableTitle();
}

// Only the user's typing arrives here: the page's own filling of the edit does not.
void CQLNTextDataSelectPage::OnChangeLabel()
{
    const int nSelected = m_lbSelected.GetCurSel();
    if (m_lbSelected.GetCount() == 0 || nSelected < 0)
        return;
    CString strText;
    m_editLabel.GetWindowText(strText);
    CString strRow;
    m_lbSelected.GetText(nSelected, strRow);
    const int nKind = KindOf(m_lbSelected, nSelected);
    const auto it = m_mapLabels.find(strRow);
    if (it != m_mapLabels.end() && nKind != CQLNDefaultText::eBlankLine) {
        // A label, of a data item or of a user text that holds a value: only a label the row
        // already has is changed, and an emptied edit keeps the last one. The separator the
        // edit does not show goes back after the text, unless the user typed one.
        if (strText.IsEmpty())
            return;
        CString strShown;
        CString strSeparator;
        SplitLabel(it->second, strShown, strSeparator);
        const wchar_t chLast = strText[strText.GetLength() - 1];
        it->second = chLast == L' ' || chLast == L'\t' ? strText : strText + strSeparator;
        ListChanged();
    } else if (nKind == CQLNDefaultText::eUserText) {
        m_lbSelected.InsertItem(nSelected, strText, CQLNDefaultText::eUserText);
        m_lbSelected.SetCurSel(nSelected);
        m_lbSelected.DeleteString(static_cast<UINT>(nSelected + 1));
        ListChanged();
    }
}

void CQLNTextDataSelectPage::StoreDecimal()
{
    const int nSelected = m_lbSelected.GetCurSel();
    if (m_lbSelected.GetCount() == 0 || nSelected < 0)
        return;
    CString strRow;
    m_lbSelected.GetText(nSelected, strRow);
    const auto it = m_mapDecimals.find(strRow);
    if (it == m_mapDecimals.end())
        return;
    CString strDecimal;
    m_editDecimal.GetWindowText(strDecimal);
    if (strDecimal.Compare(it->second) != 0) {
        it->second = strDecimal;
        ListChanged();
    }
}

void CQLNTextDataSelectPage::OnKillFocusDecimal()
{
    if (m_editDecimal.IsValid())
        StoreDecimal();
}

void CQLNTextDataSelectPage::OnHelp()
{
    QLNOpenPageHelp(m_hWnd, QLN_HELP_DATA_SELECTION_PAGE);
}

// The text-field string.

CString CQLNTextDataSelectPage::BuildTextFields()
{
    CString strResult;
    const CQLNDefaultText* pCatalogue = GetCatalogue();
    if (pCatalogue == nullptr)
        return strResult;
    const int nRows = m_lbSelected.GetCount();
    for (int i = 0; i < nRows; ++i) {
        CString strRow;
        m_lbSelected.GetText(i, strRow);
        CString strDefault = strRow;
        CString strDecimal;
        if (!LookupDecimal(strRow, strDecimal))
            strDecimal.Format(L"%d", CQLNDefaultText::m_skiInvalidDecimal);
        CString strCustomized;
        CString strLabel;
        if (LookupLabel(strRow, strLabel)) {
            // The label takes the place of the row's first item.
            CQLNStringTokenizer tokenizer(strRow);
            CString strFirst;
            BOOL bIsValue = FALSE;
            tokenizer.GetNextString(strFirst, bIsValue);
            strCustomized = strLabel + tokenizer.GetRemainingString();
        } else {
            strCustomized = strRow;
            if (!pCatalogue->IsDefaultItem(strRow))
                strDefault.Empty();
        }
        CString strLine;
        CQLNDefaultText::FormTextLine(strDefault, strDecimal, strCustomized, strLine);
        strResult += strLine;
        strResult += L"\r\n";
    }
    if (nRows > 0)
        strResult = strResult.Left(strResult.GetLength() - 2);
    return strResult;
}

// The exchange with the control.

void CQLNTextDataSelectPage::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_QLN_DATA_SELECTED_DESC, m_stSelectedDesc);
    DDX_Control(pDX, IDC_QLN_DATA_AVAILABLE_DESC, m_stAvailableDesc);
    DDX_Control(pDX, IDC_QLN_DATA_DECIMAL, m_editDecimal);
    DDX_Control(pDX, IDC_QLN_DATA_DECIMAL_CAPTION, m_stDecimal);
    DDX_Control(pDX, IDC_QLN_DATA_LABEL_CAPTION, m_stLabel);
    DDX_Control(pDX, IDC_QLN_DATA_LABEL, m_editLabel);
    DDX_Control(pDX, IDC_QLN_DATA_TITLE_CAPTION, m_stTitle);
    DDX_Control(pDX, IDC_QLN_DATA_TITLE, m_editTitle);
    DDX_Control(pDX, IDC_QLN_DATA_INCLUDE_TITLE, m_btnIncludeTitle);
    DDX_Text(pDX, IDC_QLN_DATA_DECIMAL, m_strDecimal);
    DDV_MaxChars(pDX, m_strDecimal, 1);
    if (pDX->m_bSaveAndValidate) {
        if (!m_editDecimal.IsValid()) {
            // Told once, now: the message the edit posted when it lost the focus to the button
            // that saves the page is dropped.
            MSG msg;
            while (::PeekMessageW(&msg, m_editDecimal.m_hWnd, WM_QLN_RANGE_MESSAGE, WM_QLN_RANGE_MESSAGE, PM_REMOVE)) {
            }
            m_editDecimal.SendMessage(WM_QLN_RANGE_MESSAGE);
            pDX->Fail();
        }
        StoreDecimal();
    }
    Quillon_DDP_Check(pDX, IDC_QLN_DATA_INCLUDE_TITLE, m_bIncludeTitle, L"IncludeTitle");
    DDX_Check(pDX, IDC_QLN_DATA_INCLUDE_TITLE, m_bIncludeTitle);
    Quillon_DDP_Text(pDX, IDC_QLN_DATA_TITLE, m_strTitle, L"Title");
    DDX_Text(pDX, IDC_QLN_DATA_TITLE, m_strTitle);
    // TextFields only when the user changed what it holds: written back from an untouched list
    // it could lose what the rows do not carry (a line the page shows as a user text but that
    // holds a value), or, after a failed read, the whole text. The page was first defined to
    // write it on every saving exchange.
    if (pDX->m_bSaveAndValidate && m_bListChanged) {
        CString strTextFields = BuildTextFields();
        SetPropText(L"TextFields", strTextFields);
        m_bListChanged = FALSE;
    }
    DDX_Control(pDX, IDC_QLN_DATA_MOVE_UP, m_btnMoveUp);
    DDX_Control(pDX, IDC_QLN_DATA_MOVE_DOWN, m_btnMoveDown);
    DDX_Control(pDX, IDC_QLN_DATA_REMOVE_ALL, m_btnRemoveAll);
    DDX_Control(pDX, IDC_QLN_DATA_REMOVE, m_btnRemove);
    DDX_Control(pDX, IDC_QLN_DATA_ADD_ALL, m_btnAddAll);
    DDX_Control(pDX, IDC_QLN_DATA_ADD, m_btnAdd);
    DDX_Control(pDX, IDC_QLN_DATA_AVAILABLE, m_lbAvailable);
    DDX_Control(pDX, IDC_QLN_DATA_SELECTED, m_lbSelected);
    Quillon_DDP_PostProcessing(pDX);
}
