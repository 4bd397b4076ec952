// The colour box: an owner-drawn drop-down list of sixteen named colours and a last entry,
// "Custom...", that opens the system's colour dialog. Each entry keeps its colour as its item
// data and shows a swatch with the colour's name beside it. Every selection change is posted to
// the parent as WM_USER + 5, after the colour dialog (if any) has closed.
//
// The box fills itself when it is attached to its window (DDX_Control), with "Black" selected.
// The custom colour lives in the "Custom..." entry's item data and goes with the window.
#pragma once
#include "QLNBaseExport.h"

#include "CComboBox.h"
#include "CDataExchange.h"
#include "CString.h"

class QLN_BASE_API CQLNColorPickerCB : public CComboBox
{
    DECLARE_DYNAMIC(CQLNColorPickerCB)
public:
    struct Color
    {
        COLORREF m_crColor;
        CString m_strName;
    };
    static const Color m_krgColors[16];
    static const wchar_t m_kszCustom[];

    CQLNColorPickerCB();

    // The selected entry's colour; CB_ERR (all bits set) without a selection.
    COLORREF GetSelectedColorValue();
    // Selects the named colour that has the value, else makes it the custom colour and selects
    // "Custom...".
    void SetSelectedColorValue(COLORREF colour);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;
    void OnSelchange();

    DECLARE_MESSAGE_MAP()

private:
    void Initialize();
    void AddColor(CString name, COLORREF colour);
};

// Exchanges a colour with a colour box that DDX_Control attached to box: the box's selected
// colour into value when saving (CB_ERR without a selection), value selected in the box when
// loading.
QLN_BASE_API void DDX_ColorPicker(CDataExchange* pDX, CQLNColorPickerCB& box, COLORREF& value);
