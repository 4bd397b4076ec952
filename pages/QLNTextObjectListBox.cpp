#include "QLNTextObjectListBox.h"

#include "QLNBaseRes.h"
#include "QLNDefaultText.h"
#include "QLNFontFallback.h"
#include "QLNLibraryString.h"
#include "QLNStringTokenizer.h"

namespace {

const UINT WM_QLN_UPDATE_EXTENT = WM_USER + 1;

} // namespace

BEGIN_MESSAGE_MAP(CQLNTextObjectListBox, CListBox)
    ON_WM_VSCROLL()
    ON_MESSAGE(WM_QLN_UPDATE_EXTENT, OnUpdateExtent)
END_MESSAGE_MAP()

CQLNTextObjectListBox::CQLNTextObjectListBox() : m_bSelectedList(FALSE), m_nPendingExtent(0)
{
}

CQLNTextObjectListBox::~CQLNTextObjectListBox() = default;

void CQLNTextObjectListBox::SetSelectedList(BOOL bSelectedList)
{
    m_bSelectedList = bSelectedList;
}

int CQLNTextObjectListBox::InsertItem(int nIndex, LPCTSTR lpszText, int nKind)
{
    const int nResult = InsertString(nIndex, lpszText);
    if (nResult == LB_ERR || nResult == LB_ERRSPACE)
        return nResult;
    SetItemData(nIndex < 0 ? GetCount() - 1 : nIndex, static_cast<DWORD_PTR>(nKind));
    return nResult;
}

int CQLNTextObjectListBox::AddItem(LPCTSTR lpszText, int nKind)
{
    return InsertItem(-1, lpszText, nKind);
}

CString CQLNTextObjectListBox::GetDisplayText(int nIndex) const
{
    CString strResult;
    if (nIndex < 0)
        return strResult;
    CString strText;
    GetText(nIndex, strText);
    strText.Trim();
    if (strText.IsEmpty()) {
        const int nKind = static_cast<int>(GetItemData(nIndex));
        const UINT nID = nKind == CQLNDefaultText::eBlankLine ? IDS_QLN_BLANK_LINE_ROW
                         : m_bSelectedList                    ? IDS_QLN_USER_TEXT_ROW_SELECTED
                                                              : IDS_QLN_USER_TEXT_ROW;
        QLNLoadLibraryString(strResult, nID);
        return strResult;
    }
    int nPrompts = 0;
    int nValues = 0;
    CQLNStringTokenizer::GetNumberOfPromptAndValue(strText, nPrompts, nValues);
    CQLNStringTokenizer tokenizer(strText);
    CString strItem;
    BOOL bIsValue = FALSE;
    while (tokenizer.GetNextString(strItem, bIsValue)) {
        // Values are shown only by a row that has nothing else to show.
        if (bIsValue && nPrompts != 0)
            continue;
        strItem.Trim();
        if (bIsValue)
            CQLNStringTokenizer::TrimOffDelimitators(strItem);
        strResult += L' ';
        strResult += strItem;
    }
    strResult.TrimLeft();
    return strResult;
}

void CQLNTextObjectListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC dc;
    if (lpDrawItemStruct == nullptr || !dc.Attach(lpDrawItemStruct->hDC))
        return;
    const COLORREF crOldText = ::GetTextColor(dc.m_hDC);
    const COLORREF crOldBack = ::GetBkColor(dc.m_hDC);
    RECT rcItem = lpDrawItemStruct->rcItem;
    COLORREF crFill = crOldBack;
    if (lpDrawItemStruct->itemState & ODS_SELECTED) {
        dc.SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc.SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        crFill = ::GetSysColor(COLOR_HIGHLIGHT);
    }
    const HBRUSH hBrush = ::CreateSolidBrush(crFill);
    if (hBrush != nullptr) {
        ::FillRect(dc.m_hDC, &rcItem, hBrush);
        ::DeleteObject(hBrush);
    }
    // An empty list draws its focus row as item -1, which shows nothing. A row shows its text as
    // the system's own lists do, every "&" as it stands, and the letters the list's font lacks in
    // the fonts linked to it, which the system's own drawing of right-to-left and Thai text does
    // not ask.
    const CString strText = GetDisplayText(static_cast<int>(lpDrawItemStruct->itemID));
    CQLNFontFallback::ExtTextOut(dc.m_hDC, rcItem.left, rcItem.top, ETO_CLIPPED, &rcItem, strText.GetString(),
                                 static_cast<UINT>(strText.GetLength()), nullptr);
    // The whole row has just been drawn afresh, so the mark (drawn by inverting) is drawn once,
    // whether the row gains or keeps the focus; losing it, the row is left without.
    if ((lpDrawItemStruct->itemState & ODS_FOCUS) && !(lpDrawItemStruct->itemState & ODS_NOFOCUSRECT))
        ::DrawFocusRect(dc.m_hDC, &rcItem);
    dc.SetTextColor(crOldText);
    dc.SetBkColor(crOldBack);
    dc.Detach();
}

void CQLNTextObjectListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct == nullptr)
        return;
    lpMeasureItemStruct->itemHeight = 0;
    CDC* pDC = GetDC();
    if (pDC == nullptr)
        return;
    // A fixed row height is asked for when the list is made, for item -1, whose text is empty;
    // the height of an empty text is 0 on some systems, so a blank stands in for it.
    CString strText = GetDisplayText(static_cast<int>(lpMeasureItemStruct->itemID));
    if (strText.IsEmpty())
        strText = L" ";
    const CSize size = pDC->GetTextExtent(strText);
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(size.cy);
    ReleaseDC(pDC);
}

LRESULT CQLNTextObjectListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
        if (m_nPendingExtent == 0 && PostMessage(WM_QLN_UPDATE_EXTENT))
            ++m_nPendingExtent;
        break;
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

void CQLNTextObjectListBox::OnVScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar)
{
    const CWnd* pFocus = GetFocus();
    if (pFocus == nullptr || pFocus->m_hWnd != m_hWnd)
        SetFocus();
    CListBox::OnVScroll(nSBCode, nPos, pScrollBar);
}

LRESULT CQLNTextObjectListBox::OnUpdateExtent(WPARAM, LPARAM)
{
    --m_nPendingExtent;
    CDC* pDC = GetDC();
    if (pDC == nullptr)
        return 0;
    int nWidest = 0;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        const CSize size = pDC->GetTextExtent(GetDisplayText(i));
        if (size.cx > nWidest)
            nWidest = size.cx;
    }
    ReleaseDC(pDC);
    if (GetHorizontalExtent() != nWidest)
        SetHorizontalExtent(nWidest);
    return 1;
}
