#include "QLNTextDataSelectPage.h"

#include "AfxDDX.h"
#include "AfxMessageBox.h"
#include "AfxRes.h"
#include "COleDispatchException.h"
#include "QLNBaseRes.h"
#include "QLNDefaultText.h"
#include "QLNHelpIds.h"
#include "QLNOpenPageHelp.h"
#include "QLNPlainFrame.h"
#include "QLNLibraryString.h"
#include "QLNTextBaseCtrl.h"

namespace {

// The decimal edit's own message that tells the user its range.
const UINT WM_QLN_RANGE_MESSAGE = WM_USER + 7;
// The page's own message that reports a TextFields it could not read.
const UINT WM_QLN_REPORT_READ_FAILURE = WM_APP + 1;

// The rows afresh, row nCur current, the list scrolled as it was.
void ShowList(CQLNTextObjectListBox& list, const std::vector<CQLNTextDataSelection::Row>& rows, int nCur)
{
    const LRESULT nTop = list.SendMessage(LB_GETTOPINDEX);
    list.ResetContent();
    for (const auto& row : rows)
        list.AddItem(row.text, row.kind);
    list.SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nTop));
    list.SetCurSel(nCur);
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
    ON_BN_CLICKED(IDC_QLN_DATA_INCLUDE_TITLE, OnClickedIncludeTitle)
    ON_EN_CHANGE(IDC_QLN_DATA_LABEL, OnChangeLabel)
    ON_EN_KILLFOCUS(IDC_QLN_DATA_DECIMAL, OnKillFocusDecimal)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_MESSAGE(WM_QLN_REPORT_READ_FAILURE, OnReportReadFailure)
END_MESSAGE_MAP()

CQLNTextDataSelectPage::CQLNTextDataSelectPage(COleControl& ctrl)
    : CQLNOlePropertyPage(IDD_QLN_TEXT_DATA_SELECT, ctrl, IDS_QLN_DATA_PAGE), m_bIncludeTitle(FALSE),
      m_selection(nullptr), m_nSelectedCur(0), m_nAvailableCur(0)
{
}

CQLNTextDataSelectPage::~CQLNTextDataSelectPage() = default;

CQLNDefaultText* CQLNTextDataSelectPage::GetCatalogue() const
{
    if (m_pCtrl == nullptr || !m_pCtrl->IsKindOf(RUNTIME_CLASS(CQLNTextBaseCtrl)))
        return nullptr;
    return static_cast<CQLNTextBaseCtrl*>(m_pCtrl)->GetDefaultText();
}

CString CQLNTextDataSelectPage::BuildTextFields() const
{
    return m_selection.BuildTextFields();
}

int CQLNTextDataSelectPage::GetReturnPosition(const CString& strText) const
{
    return m_selection.GetReturnPosition(strText);
}

BOOL CQLNTextDataSelectPage::ExtractDataLabel(const CString& strLine, CString& strLabel)
{
    return CQLNTextDataSelection::ExtractDataLabel(strLine, strLabel);
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
    m_selection = CQLNTextDataSelection(GetCatalogue());
    m_selection.Load(ReadTextFields());
    m_lbSelected.SetSelectedList(TRUE);
    ShowRows({m_selection.GetSelected().empty() ? -1 : 0, 0});
    EnableTitle();
    QLNGivePlainFrame(m_stAvailableDesc.m_hWnd);
    QLNGivePlainFrame(m_stSelectedDesc.m_hWnd);
    return TRUE;
}

CString CQLNTextDataSelectPage::ReadTextFields()
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
    if (m_strReadFailure.IsEmpty())
        return strTextFields;
    if (m_hWnd != nullptr)
        PostMessage(WM_QLN_REPORT_READ_FAILURE);
    return CString();
}

LRESULT CQLNTextDataSelectPage::OnReportReadFailure(WPARAM, LPARAM)
{
    const CString strMessage = m_strReadFailure;
    m_strReadFailure.Empty();
    if (!strMessage.IsEmpty())
        AfxMessageBox(strMessage, MB_ICONEXCLAMATION);
    return 0;
}

void CQLNTextDataSelectPage::ShowRows(CQLNTextDataSelection::Current cur)
{
    ShowList(m_lbSelected, m_selection.GetSelected(), cur.selected);
    ShowList(m_lbAvailable, m_selection.GetAvailable(), cur.available);
    if (m_selection.IsChanged())
        SetModified(TRUE);
    UpdateControls();
}

CQLNTextDataSelection::Current CQLNTextDataSelectPage::CurrentRows() const
{
    return {m_lbSelected.GetCurSel(), m_lbAvailable.GetCurSel()};
}

// What the page shows of the current rows.

void CQLNTextDataSelectPage::UpdateControls()
{
    if (GetCatalogue() == nullptr)
        return;
    // What the page shows of a row is not the user's edit of it.
    const FillingControls filling(*this);
    const HWND hWndFocus = ::GetFocus();
    m_nSelectedCur = m_lbSelected.GetCurSel();
    m_nAvailableCur = m_lbAvailable.GetCurSel();
    const int nSelected = m_lbSelected.GetCount();
    m_btnRemove.EnableWindow(nSelected > 0);
    m_btnRemoveAll.EnableWindow(nSelected > 0);
    m_btnMoveUp.EnableWindow(nSelected > 0 && m_nSelectedCur > 0);
    m_btnMoveDown.EnableWindow(nSelected > 0 && m_nSelectedCur < nSelected - 1);
    const BOOL bAnyAvailable = m_lbAvailable.GetCount() > 0;
    m_btnAdd.EnableWindow(bAnyAvailable);
    m_btnAddAll.EnableWindow(bAnyAvailable);
    m_stAvailableDesc.SetWindowText(m_selection.DescribeAvailable(m_nAvailableCur));
    // An empty list has nothing to describe: its box goes, rather than stand as an empty frame
    // inside the group's.
    m_stAvailableDesc.ShowWindow(bAnyAvailable ? SW_SHOW : SW_HIDE);
    m_stSelectedDesc.ShowWindow(nSelected > 0 ? SW_SHOW : SW_HIDE);

    const CQLNTextDataSelection::RowView view = m_selection.ShowSelected(m_nSelectedCur);
    m_stSelectedDesc.SetWindowText(view.description);
    CString strCaption;
    if (view.labelShown && QLNLoadLibraryString(strCaption, view.labelCaptionID))
        m_stLabel.SetWindowText(strCaption);
    m_stLabel.ShowWindow(view.labelShown ? SW_SHOW : SW_HIDE);
    m_editLabel.ShowWindow(view.labelShown ? SW_SHOW : SW_HIDE);
    m_editLabel.SetWindowText(view.label);
    if (view.decimalShown)
        m_editDecimal.SetWindowText(view.decimal);
    m_editDecimal.ShowWindow(view.decimalShown ? SW_SHOW : SW_HIDE);
    m_stDecimal.ShowWindow(view.decimalShown ? SW_SHOW : SW_HIDE);
    m_editDecimal.m_nMin = view.decimalMin;
    m_editDecimal.m_nMax = view.decimalMax;
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
    ShowRows(m_selection.Add(CurrentRows()));
}

void CQLNTextDataSelectPage::OnAddAll()
{
    ShowRows(m_selection.AddAll(CurrentRows()));
}

void CQLNTextDataSelectPage::OnRemove()
{
    ShowRows(m_selection.Remove(CurrentRows()));
}

void CQLNTextDataSelectPage::OnRemoveAll()
{
    ShowRows(m_selection.RemoveAll());
}

void CQLNTextDataSelectPage::MoveSelected(int nDelta)
{
    CQLNTextDataSelection::Current cur = CurrentRows();
    cur.selected = m_selection.Move(cur.selected, nDelta);
    ShowRows(cur);
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

void CQLNTextDataSelectPage::OnClickedIncludeTitle()
{
    EnableTitle();
}

// Only the user's typing arrives here: the page's own filling of the edit does not.
void CQLNTextDataSelectPage::OnChangeLabel()
{
    const int nSelected = m_lbSelected.GetCurSel();
    CString strText;
    m_editLabel.GetWindowText(strText);
    if (!m_selection.TypeLabel(nSelected, strText))
        return;
    SetModified(TRUE);
    // A user text is the row itself: the list shows it as typed.
    const CQLNTextDataSelection::Row& row = m_selection.GetSelected()[static_cast<size_t>(nSelected)];
    CString strShown;
    m_lbSelected.GetText(nSelected, strShown);
    if (strShown.Compare(row.text) != 0) {
        m_lbSelected.InsertItem(nSelected, row.text, row.kind);
        m_lbSelected.SetCurSel(nSelected);
        m_lbSelected.DeleteString(static_cast<UINT>(nSelected + 1));
    }
}

void CQLNTextDataSelectPage::StoreDecimal()
{
    CString strDecimal;
    m_editDecimal.GetWindowText(strDecimal);
    if (m_selection.StoreDecimal(m_lbSelected.GetCurSel(), strDecimal))
        SetModified(TRUE);
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
    if (pDX->m_bSaveAndValidate && m_selection.IsChanged()) {
        CString strTextFields = m_selection.BuildTextFields();
        SetPropText(L"TextFields", strTextFields);
        m_selection.Written(strTextFields);
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
