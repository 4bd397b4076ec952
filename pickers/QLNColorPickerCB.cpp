#include "QLNColorPickerCB.h"

#include "CColorDialog.h"

namespace {

const UINT WM_QLN_COLOR_CHANGED = WM_USER + 5;

} // namespace

// Built when the library loads: the names are strings of the library's own heap.
const CQLNColorPickerCB::Color CQLNColorPickerCB::m_krgColors[16] = {
    {0x000000, L"Black"}, {0x000080, L"Maroon"},  {0x008000, L"Green"}, {0x008080, L"Olive"},
    {0x800000, L"Navy"},  {0x800080, L"Purple"},  {0x808000, L"Teal"},  {0x808080, L"Gray"},
    {0xC0C0C0, L"Silver"}, {0x0000FF, L"Red"},    {0x00FF00, L"Lime"},  {0x00FFFF, L"Yellow"},
    {0xFF0000, L"Blue"},  {0xFF00FF, L"Fuchsia"}, {0xFFFF00, L"Aqua"},  {0xFFFFFF, L"White"},
};
const wchar_t CQLNColorPickerCB::m_kszCustom[] = L"Custom...";

IMPLEMENT_DYNAMIC(CQLNColorPickerCB, CComboBox)

BEGIN_MESSAGE_MAP(CQLNColorPickerCB, CComboBox)
    ON_CONTROL_REFLECT(CBN_SELCHANGE, OnSelchange)
END_MESSAGE_MAP()

CQLNColorPickerCB::CQLNColorPickerCB() = default;

void CQLNColorPickerCB::PreSubclassWindow()
{
    CComboBox::PreSubclassWindow();
    Initialize();
}

void CQLNColorPickerCB::Initialize()
{
    for (const Color& color : m_krgColors)
        AddColor(color.m_strName, color.m_crColor);
    AddColor(m_kszCustom, 0xFFFFFF);
    SetCurSel(0);
}

void CQLNColorPickerCB::AddColor(CString name, COLORREF colour)
{
    const int nIndex = AddString(name);
    if (nIndex >= 0)
        SetItemData(nIndex, colour);
}

COLORREF CQLNColorPickerCB::GetSelectedColorValue()
{
    return static_cast<COLORREF>(GetItemData(GetCurSel()));
}

void CQLNColorPickerCB::SetSelectedColorValue(COLORREF colour)
{
    const int nLast = GetCount() - 1;
    bool bMatched = false;
    // Every match is selected in turn, so with a colour listed twice the later entry wins.
    for (int i = 0; i < nLast; ++i) {
        if (static_cast<COLORREF>(GetItemData(i)) == colour) {
            SetCurSel(i);
            bMatched = true;
        }
    }
    if (bMatched)
        return;
    SetItemData(nLast, colour);
    SetCurSel(nLast);
}

void CQLNColorPickerCB::OnSelchange()
{
    CString strText;
    GetLBText(GetCurSel(), strText);
    if (strText == m_kszCustom) {
        CColorDialog dlg(0, 0, nullptr);
        if (dlg.DoModal() == IDOK)
            SetItemData(GetCurSel(), dlg.GetColor());
    }
    if (CWnd* pParent = GetParent())
        pParent->PostMessage(WM_QLN_COLOR_CHANGED);
}

void CQLNColorPickerCB::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pDC == nullptr)
        return;
    const RECT& rcItem = lpDrawItemStruct->rcItem;
    const int nQuarter = (rcItem.right - rcItem.left) / 4;
    const COLORREF crWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF crHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF crWindowText = ::GetSysColor(COLOR_WINDOWTEXT);

    // A selected entry's text is the window text inverted, not the system's highlight text.
    if (lpDrawItemStruct->itemState & ODS_SELECTED) {
        pDC->SetTextColor(~crWindowText & 0xFFFFFF);
        pDC->SetBkColor(crHighlight);
        pDC->FillSolidRect(&rcItem, crHighlight);
    } else {
        pDC->SetTextColor(crWindowText);
        pDC->SetBkColor(crWindow);
        pDC->FillSolidRect(&rcItem, crWindow);
    }
    if (lpDrawItemStruct->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(&rcItem);

    // The swatch ends at the quarter of the item's width counted from the DC's origin, which is
    // the item's left edge in every list the box is drawn in.
    const RECT rcSwatch = {rcItem.left + 2, rcItem.top + 2, nQuarter, rcItem.bottom - 2};
    if (static_cast<int>(lpDrawItemStruct->itemID) == -1)
        return;

    CString strText;
    GetLBText(static_cast<int>(lpDrawItemStruct->itemID), strText);
    COLORREF crSwatch = static_cast<COLORREF>(lpDrawItemStruct->itemData);
    if (lpDrawItemStruct->itemState & ODS_DISABLED) {
        crSwatch = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
        pDC->SetTextColor(crSwatch);
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(rcItem.left + nQuarter + 2, rcItem.top + 2, strText);
    CBrush brush(crSwatch);
    pDC->FillRect(&rcSwatch, &brush);
    pDC->FrameRect(&rcSwatch, CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))));
}

void DDX_ColorPicker(CDataExchange* pDX, CQLNColorPickerCB& box, COLORREF& value)
{
    if (pDX->m_bSaveAndValidate)
        value = box.GetSelectedColorValue();
    else
        box.SetSelectedColorValue(value);
}
