#include "QLNTextBaseCtrl.h"

#include "AfxDispatch.h"
#include "CPropExchange.h"
#include "QLNFontFallbackDC.h"
#include "QLNFontHolderConversion.h"

#include <cmath>
#include <utility>
#include <vector>

IMPLEMENT_DYNAMIC(CQLNTextBaseCtrl, COleControl)

BEGIN_DISPATCH_MAP(CQLNTextBaseCtrl, COleControl)
    DISP_PROPERTY_NOTIFY_ID(CQLNTextBaseCtrl, "AllignType", 1, m_nAllignType, OnAllignTypeChanged, VT_I2)
    DISP_PROPERTY_NOTIFY_ID(CQLNTextBaseCtrl, "VerticalSpacing", 2, m_nVerticalSpacing, OnVerticalSpacingChanged, VT_I2)
    DISP_PROPERTY_NOTIFY_ID(CQLNTextBaseCtrl, "NumColumns", 3, m_nNumColumns, OnAllignTypeChanged, VT_I2)
    DISP_PROPERTY_EX_ID(CQLNTextBaseCtrl, "TextFields", 5, GetTextFields, SetTextFields, VT_BSTR)
    DISP_PROPERTY_EX_ID(CQLNTextBaseCtrl, "PromptFont", 6, GetPromptFont, SetPromptFont, VT_FONT)
    DISP_PROPERTY_EX_ID(CQLNTextBaseCtrl, "PromptColor", 7, GetPromptColor, SetPromptColor, VT_COLOR)
    DISP_PROPERTY_EX_ID(CQLNTextBaseCtrl, "ValueFont", 8, GetValueFont, SetValueFont, VT_FONT)
    DISP_PROPERTY_EX_ID(CQLNTextBaseCtrl, "ValueColor", 9, GetValueColor, SetValueColor, VT_COLOR)
    DISP_PROPERTY_EX_ID(CQLNTextBaseCtrl, "TitleFont", 10, GetTitleFont, SetTitleFont, VT_FONT)
    DISP_PROPERTY_EX_ID(CQLNTextBaseCtrl, "TitleColor", 11, GetTitleColor, SetTitleColor, VT_COLOR)
    DISP_PROPERTY_NOTIFY_ID(CQLNTextBaseCtrl, "IncludeDataLabel", 12, m_bIncludeDataLabel, OnIncludeDataLabelChanged, VT_BOOL)
    DISP_PROPERTY_EX_ID(CQLNTextBaseCtrl, "HeadingFont", 13, GetHeadingFont, SetHeadingFont, VT_FONT)
    DISP_PROPERTY_EX_ID(CQLNTextBaseCtrl, "HeadingColor", 14, GetHeadingColor, SetHeadingColor, VT_COLOR)
    DISP_PROPERTY_NOTIFY_ID(CQLNTextBaseCtrl, "IncludeTitle", 15, m_bIncludeTitle, OnIncludeTitleChanged, VT_BOOL)
    DISP_PROPERTY_EX_ID(CQLNTextBaseCtrl, "Title", 16, GetTitle, SetTitle, VT_BSTR)
    DISP_FUNCTION_ID(CQLNTextBaseCtrl, "DataSourceListIsSatisfactory", 19, DataSourceListIsSatisfactory, VT_BOOL, VTS_NONE)
    DISP_FUNCTION_ID(CQLNTextBaseCtrl, "GetLineCount", 21, GetLineCount, VT_I4, VTS_NONE)
    DISP_FUNCTION_ID(CQLNTextBaseCtrl, "GetLine", 22, GetLine, VT_I4, VTS_I4 VTS_PBSTR)
    DISP_FUNCTION_ID(CQLNTextBaseCtrl, "GetRequiredDataSrcs", 23, GetRequiredDataSrcs, VT_I4, VTS_NONE)
    DISP_FUNCTION_ID(CQLNTextBaseCtrl, "ResetControl", 27, ResetControl, VT_EMPTY, VTS_NONE)
    DISP_FUNCTION_ID(CQLNTextBaseCtrl, "GetVisibleColumnCount", 28, GetVisibleColumnCount, VT_I4, VTS_NONE)
    DISP_FUNCTION_ID(CQLNTextBaseCtrl, "GetColumnWidthRatio", 29, GetColumnWidthRatio, VT_R8, VTS_I4)
    DISP_FUNCTION_ID(CQLNTextBaseCtrl, "SetRTPrecision", 30, SetRTPrecision, VT_EMPTY, VTS_I4)
    DISP_FUNCTION_ID(CQLNTextBaseCtrl, "SetZoom", 31, SetZoom, VT_EMPTY, VTS_R8)
END_DISPATCH_MAP()

BEGIN_MESSAGE_MAP(CQLNTextBaseCtrl, COleControl)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CONTEXTMENU()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

namespace {

// "Times New Roman", 10 points, weight 400, character set 0: every font of a text object.
FONTDESC DefaultFontDesc()
{
    FONTDESC fd = {};
    fd.cbSizeofstruct = sizeof fd;
    fd.lpstrName = const_cast<LPOLESTR>(L"Times New Roman");
    fd.cySize.int64 = 100000;
    fd.sWeight = FW_NORMAL;
    fd.sCharset = ANSI_CHARSET;
    return fd;
}

const FONTDESC g_fontDescDefault = DefaultFontDesc();

const DWORD kVersion = 0x10000;
const UINT kLineHolderId = 1010;

} // namespace

CQLNTextBaseCtrl::CQLNTextBaseCtrl()
    : m_nAllignType(1), m_nVerticalSpacing(0), m_nNumColumns(0), m_bIncludeDataLabel(TRUE), m_bIncludeTitle(FALSE),
      m_textHelper(this), m_fontPrompt(GetFontNotificationSink()), m_clrPrompt(0),
      m_fontValue(GetFontNotificationSink()), m_clrValue(0), m_fontTitle(GetFontNotificationSink()), m_clrTitle(0),
      m_fontDefault(GetFontNotificationSink()), m_fontHeading(GetFontNotificationSink()), m_clrHeading(0)
{
    SetInitialSize(0, 0);
    m_fontDefault.InitializeFont(&g_fontDescDefault);
}

CQLNTextBaseCtrl::~CQLNTextBaseCtrl()
{
    m_editOwnWindow.m_hWnd = nullptr;
}

// --- Line holder --------------------------------------------------------------------------

CEdit& CQLNTextBaseCtrl::GetCEditReference()
{
    if (m_hWnd != nullptr) {
        if (m_editHidden.m_hWnd != nullptr)
            m_editHidden.DestroyWindow();
        m_editOwnWindow.m_hWnd = m_hWnd;
        return m_editOwnWindow;
    }
    m_editOwnWindow.m_hWnd = nullptr;
    // A host without a main window of its own (a script, a report server) still reads lines,
    // so the hidden holder lives among the message-only windows. It is given no text: an edit
    // window lays out whatever it is given with the system's script shaping at once, and that
    // shaping can fault on some fonts (Wine's, with Liberation Sans 2.1 on a few Cyrillic
    // letters); nothing needs the text there, since the line index gives the lines and the
    // drawing.
    if (m_editHidden.m_hWnd == nullptr)
        m_editHidden.CreateEx(0, L"EDIT", L"", WS_CHILD | m_kdwLineHolderStyle, 0, 0, 800, 100, HWND_MESSAGE,
                              reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kLineHolderId)));
    return m_editHidden;
}

void CQLNTextBaseCtrl::SetLineText(CString text)
{
    m_lines.SetText(std::move(text));
    // The control's own window shows the text to whoever reads a window's text (a container,
    // an accessibility client).
    if (m_hWnd != nullptr)
        GetCEditReference().SetWindowText(m_lines.GetText());
}

// --- Text fields and lines ----------------------------------------------------------------

BSTR CQLNTextBaseCtrl::GetTextFields()
{
    return m_lines.GetText().AllocSysString();
}

void CQLNTextBaseCtrl::SetTextFields(LPCTSTR lpszNewValue)
{
    SetLineText(CString(lpszNewValue));
    SetModifiedFlag();
    InvalidateControl();
}

BSTR CQLNTextBaseCtrl::GetTitle()
{
    return m_strTitle.AllocSysString();
}

void CQLNTextBaseCtrl::SetTitle(LPCTSTR lpszNewValue)
{
    m_strTitle = lpszNewValue;
    SetModifiedFlag();
}

long CQLNTextBaseCtrl::GetLine(long nLine, BSTR* pLine)
{
    const CString line = m_lines.GetLine(nLine);
    if (pLine != nullptr)
        *pLine = CQLNDefaultText::GetCustomizedLine(line).AllocSysString();
    return line.GetLength();
}

long CQLNTextBaseCtrl::GetLineCount()
{
    for (long n = m_lines.GetCount() - 1; n >= 0; --n) {
        CString text = CQLNDefaultText::GetCustomizedLine(m_lines.GetLine(n));
        if (!text.Trim().IsEmpty())
            return n + 1;
    }
    return 0;
}

void CQLNTextBaseCtrl::InitCtrlText()
{
    CString text;
    CQLNDefaultText* pCatalogue = GetDefaultText();
    if (pCatalogue != nullptr) {
        const CStringArray& items = pCatalogue->GetStringArray();
        const CStringArray& decimals = pCatalogue->GetDecimalArray();
        for (int i = 0; i < items.GetSize(); ++i) {
            CString line;
            CQLNDefaultText::FormTextLine(items[i], decimals.GetAt(i), items[i], line);
            text += line;
            text += L"\r\n";
        }
        if (items.GetSize() > 0)
            text = text.Left(text.GetLength() - 2);
    }
    SetTextFields(text);
    CString title;
    if (title.LoadString(GetTitleID()))
        SetTitle(title);
}

void CQLNTextBaseCtrl::SetRTPrecision(long nPrecision)
{
    g_lRTPrecision = nPrecision;
}

BOOL CQLNTextBaseCtrl::DataSourceListIsSatisfactory()
{
    return TRUE;
}

long CQLNTextBaseCtrl::GetRequiredDataSrcs()
{
    return 0;
}

// --- Fonts and colours --------------------------------------------------------------------

IFontDisp* CQLNTextBaseCtrl::GetFont(CFontHolder& font)
{
    return font.GetFontDispatch();
}

void CQLNTextBaseCtrl::SetFont(CFontHolder& font, IFontDisp* pFont)
{
    font.InitializeFont(&g_fontDescDefault, pFont);
    OnFontChanged();
    SetModifiedFlag();
}

void CQLNTextBaseCtrl::SetColor(OLE_COLOR& member, OLE_COLOR clr)
{
    SetModifiedFlag();
    member = clr;
    InvalidateControl();
}

IFontDisp* CQLNTextBaseCtrl::GetPromptFont() { return GetFont(m_fontPrompt); }
void CQLNTextBaseCtrl::SetPromptFont(IFontDisp* pFont) { SetFont(m_fontPrompt, pFont); }
OLE_COLOR CQLNTextBaseCtrl::GetPromptColor() { return m_clrPrompt; }
void CQLNTextBaseCtrl::SetPromptColor(OLE_COLOR clr) { SetColor(m_clrPrompt, clr); }
IFontDisp* CQLNTextBaseCtrl::GetValueFont() { return GetFont(m_fontValue); }
void CQLNTextBaseCtrl::SetValueFont(IFontDisp* pFont) { SetFont(m_fontValue, pFont); }
OLE_COLOR CQLNTextBaseCtrl::GetValueColor() { return m_clrValue; }
void CQLNTextBaseCtrl::SetValueColor(OLE_COLOR clr) { SetColor(m_clrValue, clr); }
IFontDisp* CQLNTextBaseCtrl::GetTitleFont() { return GetFont(m_fontTitle); }
void CQLNTextBaseCtrl::SetTitleFont(IFontDisp* pFont) { SetFont(m_fontTitle, pFont); }
OLE_COLOR CQLNTextBaseCtrl::GetTitleColor() { return m_clrTitle; }
void CQLNTextBaseCtrl::SetTitleColor(OLE_COLOR clr) { SetColor(m_clrTitle, clr); }
IFontDisp* CQLNTextBaseCtrl::GetHeadingFont() { return GetFont(m_fontHeading); }
void CQLNTextBaseCtrl::SetHeadingFont(IFontDisp* pFont) { SetFont(m_fontHeading, pFont); }
OLE_COLOR CQLNTextBaseCtrl::GetHeadingColor() { return m_clrHeading; }
void CQLNTextBaseCtrl::SetHeadingColor(OLE_COLOR clr) { SetColor(m_clrHeading, clr); }

void CQLNTextBaseCtrl::OnFontChanged()
{
    InvalidateControl();
    COleControl::OnFontChanged();
}

// --- Change notifications -----------------------------------------------------------------

void CQLNTextBaseCtrl::OnAllignTypeChanged()
{
    SetModifiedFlag();
    ResetColumnWidths();
    InvalidateControl();
}

void CQLNTextBaseCtrl::OnVerticalSpacingChanged()
{
    SetModifiedFlag();
    InvalidateControl();
}

void CQLNTextBaseCtrl::OnIncludeDataLabelChanged()
{
    InvalidateControl();
    ResetColumnWidths();
    SetModifiedFlag();
}

void CQLNTextBaseCtrl::OnIncludeTitleChanged()
{
    InvalidateControl();
    SetModifiedFlag();
}

void CQLNTextBaseCtrl::ResetColumnWidths()
{
    m_textHelper.m_fnResetColumnWidths(m_nNumColumns + 1, m_bIncludeDataLabel, m_nAllignType);
}

// --- Persistence --------------------------------------------------------------------------

void CQLNTextBaseCtrl::DoPropExchange(CPropExchange* pPX)
{
    DWORD dwVersion = kVersion;
    pPX->Note(pPX->ExchangeVersion(dwVersion, kVersion, TRUE), L"_Version");
    COleControl::DoPropExchange(pPX);

    PX_Short(pPX, L"NumColumns", m_nNumColumns);
    PX_Short(pPX, L"AllignType", m_nAllignType);
    PX_Short(pPX, L"VerticalSpacing", m_nVerticalSpacing);
    CString strTextFields = m_lines.GetText();
    PX_String(pPX, L"TextFields", strTextFields);
    if (pPX->IsLoading())
        SetLineText(std::move(strTextFields));
    PX_Font(pPX, L"PromptFont", m_fontPrompt, &g_fontDescDefault);
    PX_Color(pPX, L"PromptColor", m_clrPrompt, AmbientForeColor());
    PX_Font(pPX, L"ValueFont", m_fontValue, &g_fontDescDefault);
    PX_Color(pPX, L"ValueColor", m_clrValue, AmbientForeColor());
    PX_Font(pPX, L"TitleFont", m_fontTitle, &g_fontDescDefault);
    PX_Color(pPX, L"TitleColor", m_clrTitle, AmbientForeColor());
    PX_Bool(pPX, L"IncludeDataLabel", m_bIncludeDataLabel, TRUE);
    PX_Font(pPX, L"HeadingFont", m_fontHeading, &g_fontDescDefault);
    PX_Color(pPX, L"HeadingColor", m_clrHeading, AmbientForeColor());
    PX_Bool(pPX, L"IncludeTitle", m_bIncludeTitle, FALSE);
    PX_String(pPX, L"Title", m_strTitle);

    if (pPX->IsLoading())
        ResetColumnWidths();
    m_textHelper.DoPropExchange(pPX);
}

void CQLNTextBaseCtrl::OnResetState()
{
    COleControl::OnResetState();
    InitCtrlText();
    ResetColumnWidths();
}

// --- Window -------------------------------------------------------------------------------

BOOL CQLNTextBaseCtrl::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= m_kdwLineHolderStyle;
    cs.lpszClass = L"EDIT";
    return COleControl::PreCreateWindow(cs);
}

BOOL CQLNTextBaseCtrl::IsSubclassedControl()
{
    return TRUE;
}

DWORD CQLNTextBaseCtrl::GetControlFlags()
{
    return COleControl::GetControlFlags() & ~static_cast<DWORD>(3);
}

int CQLNTextBaseCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (COleControl::OnCreate(lpCreateStruct) == -1)
        return -1;
    // From now on the control's own window holds the lines; the hidden holder goes.
    CEdit& holder = GetCEditReference();
    holder.SetLimitText(0);
    holder.SetWindowText(m_lines.GetText());
    return 0;
}

// --- Drawing ------------------------------------------------------------------------------

void CQLNTextBaseCtrl::OnDraw(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid)
{
    if (pDC == nullptr)
        return;
    SetInitialSize(rcBounds.right - rcBounds.left, rcBounds.bottom - rcBounds.top);

    LOGFONTW lf = {};
    QLNZoomFontHolderToLOGFONT(m_fontDefault, m_textHelper.m_fnGetZoom(), lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(&font);
    const COLORREF crOld = pDC->SetTextColor(RGB(0, 0, 0));

    CRect rcDraw(rcBounds);
    rcDraw.NormalizeRect();
    rcDraw.left = rcDraw.left > INT_MAX - 3 ? INT_MAX : rcDraw.left + 3;
    rcDraw.right = rcDraw.right < INT_MIN + 3 ? INT_MIN : rcDraw.right - 3;

    m_textHelper.m_fnOnInPlaceEdit(IsUIActive());
    m_textHelper.m_fnSetFonts(m_nVerticalSpacing, &m_fontDefault, &m_fontTitle, m_clrTitle, &m_fontHeading,
                              m_clrHeading, &m_fontPrompt, m_clrPrompt, &m_fontValue, m_clrValue);
    // Straight onto a device (the window active in place, a container's bitmap, a printer) the
    // text is drawn as a recording is where it is played: in the fonts linked to its own for the
    // letters that one lacks.
    CQLNFontFallbackDC fallbackDC(*pDC);
    CDC* pTextDC = CQLNFontFallbackDC::IsNeededFor(pDC->m_hDC) ? &fallbackDC : pDC;
    try {
        m_textHelper.m_fnOnDraw(pTextDC, rcDraw, rcInvalid, m_lines);
    } catch (const CException&) {
        // The drawing stops where it failed; the DC is still given back as it was.
    }

    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    pDC->SetTextColor(crOld);
}

// --- Mouse, cursor, context menu ------------------------------------------------------------

void CQLNTextBaseCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_textHelper.m_fnOnLButtonDown(nFlags, point);
}

void CQLNTextBaseCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    m_textHelper.m_fnOnLButtonUp(nFlags, point);
}

void CQLNTextBaseCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
    m_textHelper.m_fnOnMouseMove(nFlags, point);
}

void CQLNTextBaseCtrl::OnLButtonDblClk(UINT, CPoint)
{
}

BOOL CQLNTextBaseCtrl::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return TRUE;
}

void CQLNTextBaseCtrl::OnContextMenu(CWnd*, CPoint point)
{
    const HWND hParent = m_hWnd != nullptr ? ::GetParent(m_hWnd) : nullptr;
    if (hParent == nullptr)
        return;
    ::PostMessageW(hParent, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hParent),
                   MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)));
}

LRESULT CQLNTextBaseCtrl::OnOcmCommand(WPARAM, LPARAM)
{
    return 0;
}

// --- Verbs and the small methods ------------------------------------------------------------

namespace {

CQLNTextBaseCtrl::PropertySheetShower g_pfnShowSheet = nullptr;

} // namespace

void CQLNTextBaseCtrl::SetPropertySheetShower(PropertySheetShower pfnShow)
{
    g_pfnShowSheet = pfnShow;
}

BOOL CQLNTextBaseCtrl::OnProperties(LPMSG, HWND, LPCRECT)
{
    if (g_pfnShowSheet == nullptr)
        return FALSE;
    g_pfnShowSheet(*this);
    return TRUE;
}

BOOL CQLNTextBaseCtrl::OnEdit(LPMSG lpMsg, HWND hWndParent, LPCRECT lpRect)
{
    COleControl::OnEdit(lpMsg, hWndParent, lpRect);
    CEdit& holder = GetCEditReference();
    if (holder.m_hWnd != nullptr)
        ::HideCaret(holder.m_hWnd);
    return TRUE;
}

void CQLNTextBaseCtrl::OnHideToolBars()
{
    COleControl::OnHideToolBars();
}

void CQLNTextBaseCtrl::ResetControl()
{
}

long CQLNTextBaseCtrl::GetVisibleColumnCount()
{
    long nCount = 0;
    m_textHelper.m_fnGetVisibleColumnCount(&nCount);
    return nCount;
}

double CQLNTextBaseCtrl::GetColumnWidthRatio(long nColumn)
{
    double dRatio = 0.0;
    m_textHelper.m_fnGetColumnWidthRatio(nColumn, &dRatio);
    return dRatio;
}

void CQLNTextBaseCtrl::SetZoom(double dZoom)
{
    m_textHelper.m_fnSetZoom(dZoom);
}
