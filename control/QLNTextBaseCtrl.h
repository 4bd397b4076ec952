// The base of every text object: an embeddable control that shows a text-field string as
// lines of prompts and values in one to three columns.
//
// A report object derives from it and supplies its catalogue (GetDefaultText) and the string
// identifier of its default title (GetTitleID). The control holds TextFields once, in a line
// index that splits it as the line holder, a read-only multi-line edit window that never wraps,
// would; the engine draws, and the host's GetLine and GetLineCount hand out, the index's lines.
// The line holder is the control's own window once it has one, which shows the text to whoever
// reads a window's text; before that it is a hidden edit window, which is given no text.
#pragma once
#include "QLNBaseExport.h"

#include "CEdit.h"
#include "COleControl.h"
#include "QLNBaseTextHelper.h"
#include "QLNDefaultText.h"
#include "QLNTextFieldLines.h"

class QLN_BASE_API CQLNTextBaseCtrl : public COleControl
{
    DECLARE_DYNAMIC(CQLNTextBaseCtrl)
public:
    CQLNTextBaseCtrl();
    ~CQLNTextBaseCtrl() override;

    // Styles of the line holder: multi-line, automatic vertical and horizontal scrolling,
    // read-only, want-return.
    static const DWORD m_kdwLineHolderStyle = 0x18C4;

    // The line holder in use: the control's window, else the hidden edit window (created on
    // first use and destroyed once the control has a window).
    CEdit& GetCEditReference();

    // Supplied by the report object.
    virtual UINT GetTitleID() = 0;
    // For the report object's own use; the library never calls it.
    virtual long GetReportObjectKind() = 0;
    virtual CQLNDefaultText* GetDefaultText() = 0;

    // Framework overrides.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void DoPropExchange(CPropExchange* pPX) override;
    void OnResetState() override;
    void OnDraw(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid) override;
    void OnFontChanged() override;
    void OnHideToolBars() override;
    BOOL OnEdit(LPMSG lpMsg, HWND hWndParent, LPCRECT lpRect) override;
    // Shows the text object's property sheet, modally; TRUE whatever the user does, FALSE (the
    // verb not implemented) while no sheet is installed.
    BOOL OnProperties(LPMSG lpMsg, HWND hWndParent, LPCRECT lpRect) override;
    // The sheet is made of the pages, which sit a layer above the control and use it: the
    // library installs the routine that shows it when it starts. A hook rather than moving the
    // class up, since the pages need the control below them.
    using PropertySheetShower = void (*)(CQLNTextBaseCtrl& ctrl);
    static void SetPropertySheetShower(PropertySheetShower pfnShow);
    BOOL IsSubclassedControl() override;
    DWORD GetControlFlags() override;

    // Automation: properties kept in members, with their change notifications.
    short m_nAllignType;
    short m_nVerticalSpacing;
    short m_nNumColumns;
    BOOL m_bIncludeDataLabel;
    BOOL m_bIncludeTitle;

    // Automation: properties through functions.
    BSTR GetTextFields();
    void SetTextFields(LPCTSTR lpszNewValue);
    IFontDisp* GetPromptFont();
    void SetPromptFont(IFontDisp* pFont);
    OLE_COLOR GetPromptColor();
    void SetPromptColor(OLE_COLOR clr);
    IFontDisp* GetValueFont();
    void SetValueFont(IFontDisp* pFont);
    OLE_COLOR GetValueColor();
    void SetValueColor(OLE_COLOR clr);
    IFontDisp* GetTitleFont();
    void SetTitleFont(IFontDisp* pFont);
    OLE_COLOR GetTitleColor();
    void SetTitleColor(OLE_COLOR clr);
    IFontDisp* GetHeadingFont();
    void SetHeadingFont(IFontDisp* pFont);
    OLE_COLOR GetHeadingColor();
    void SetHeadingColor(OLE_COLOR clr);
    BSTR GetTitle();
    void SetTitle(LPCTSTR lpszNewValue);

    // Automation: methods.
    BOOL DataSourceListIsSatisfactory();
    long GetLineCount();
    // Hands out line nLine's customized part (when pLine is not null; the caller frees it) and
    // returns the length of the whole stored line.
    long GetLine(long nLine, BSTR* pLine);
    long GetRequiredDataSrcs();
    void ResetControl();
    long GetVisibleColumnCount();
    double GetColumnWidthRatio(long nColumn);
    void SetRTPrecision(long nPrecision);
    void SetZoom(double dZoom);

    DECLARE_DISPATCH_MAP()
    DECLARE_MESSAGE_MAP()

protected:
    void OnAllignTypeChanged();
    void OnVerticalSpacingChanged();
    void OnIncludeDataLabelChanged();
    void OnIncludeTitleChanged();

    // Starts the columns afresh from NumColumns, IncludeDataLabel and AllignType, discarding the
    // user's widths.
    void ResetColumnWidths();
    // The default content: one line per catalogue item, and the default title.
    void InitCtrlText();

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    // Reflected command messages need nothing from the control.
    LRESULT OnOcmCommand(WPARAM wParam, LPARAM lParam);

private:
    IFontDisp* GetFont(CFontHolder& font);
    void SetFont(CFontHolder& font, IFontDisp* pFont);
    void SetColor(OLE_COLOR& member, OLE_COLOR clr);
    // Holds the text with its lines and shows it in the control's own window, without marking
    // the control modified. Running out of memory leaves the text as it was.
    void SetLineText(CString text);

    CEdit m_editHidden;
    // A view of the control's own window as an edit control: it shares the handle and never
    // owns it (the control's window map entry stays the control's).
    CEdit m_editOwnWindow;
    CQLNBaseTextHelper m_textHelper;
    // TextFields, held here alone, with its lines: what GetLine, GetLineCount and the drawing read.
    CQLNTextFieldLines m_lines;
    CFontHolder m_fontPrompt;
    OLE_COLOR m_clrPrompt;
    CFontHolder m_fontValue;
    OLE_COLOR m_clrValue;
    CFontHolder m_fontTitle;
    OLE_COLOR m_clrTitle;
    CFontHolder m_fontDefault;
    CFontHolder m_fontHeading;
    OLE_COLOR m_clrHeading;
    CString m_strTitle;
};
