#include "QLNSampleAnnotationCtrl.h"

#include "AfxDispatch.h"
#include "QLNSampleAnnotationFontPage.h"
#include "QLNSampleAnnotationRes.h"
#include "QLNSampleAnnotationTextPage.h"

const CLSID CLSID_QLNSampleAnnotationCtrl = {0x3b7d2e91, 0x5a64, 0x4c0f, {0x9e, 0x18, 0x7d, 0x2a, 0x6b, 0x4c, 0x8f, 0x35}};

IMPLEMENT_DYNAMIC(CQLNSampleAnnotationCtrl, COleControl)

BEGIN_DISPATCH_MAP(CQLNSampleAnnotationCtrl, COleControl)
    DISP_PROPERTY_EX_ID(CQLNSampleAnnotationCtrl, "Text", 1, GetText, SetText, VT_BSTR)
    DISP_PROPERTY_EX_ID(CQLNSampleAnnotationCtrl, "TextFont", 2, GetTextFont, SetTextFont, VT_FONT)
    DISP_PROPERTY_EX_ID(CQLNSampleAnnotationCtrl, "TextColor", 3, GetTextColor, SetTextColor, VT_COLOR)
    DISP_PROPERTY_EX_ID(CQLNSampleAnnotationCtrl, "Alignment", 4, GetAlignment, SetAlignment, VT_I2)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleAnnotationCtrl, "Frame", 5, m_bFrame, OnFrameChanged, VT_BOOL)
    DISP_FUNCTION_ID(CQLNSampleAnnotationCtrl, "SetZoom", 6, SetZoom, VT_EMPTY, VTS_R8)
END_DISPATCH_MAP()

namespace {

// "Arial", 12 points, regular: the font of a new annotation.
FONTDESC DefaultFontDesc()
{
    FONTDESC fd = {};
    fd.cbSizeofstruct = sizeof fd;
    fd.lpstrName = const_cast<LPOLESTR>(L"Arial");
    fd.cySize.int64 = 120000;
    fd.sWeight = FW_NORMAL;
    fd.sCharset = ANSI_CHARSET;
    return fd;
}

const FONTDESC g_fontDescDefault = DefaultFontDesc();
const DWORD kVersion = 0x10000;

} // namespace

CQLNSampleAnnotationCtrl::CQLNSampleAnnotationCtrl()
    : m_bFrame(FALSE), m_font(GetFontNotificationSink()), m_clrText(0), m_nAlignment(kAlignCentre), m_dZoom(1.0)
{
    SetInitialSize(240, 80);
    m_font.InitializeFont(&g_fontDescDefault);
}

CQLNSampleAnnotationCtrl::~CQLNSampleAnnotationCtrl() = default;

BSTR CQLNSampleAnnotationCtrl::GetText()
{
    return m_strText.AllocSysString();
}

void CQLNSampleAnnotationCtrl::SetText(LPCTSTR lpszText)
{
    m_strText = lpszText;
    SetModifiedFlag();
    InvalidateControl();
}

IFontDisp* CQLNSampleAnnotationCtrl::GetTextFont()
{
    return m_font.GetFontDispatch();
}

void CQLNSampleAnnotationCtrl::SetTextFont(IFontDisp* pFont)
{
    m_font.InitializeFont(&g_fontDescDefault, pFont);
    OnFontChanged();
    SetModifiedFlag();
}

OLE_COLOR CQLNSampleAnnotationCtrl::GetTextColor()
{
    return m_clrText;
}

void CQLNSampleAnnotationCtrl::SetTextColor(OLE_COLOR clr)
{
    m_clrText = clr;
    SetModifiedFlag();
    InvalidateControl();
}

short CQLNSampleAnnotationCtrl::GetAlignment()
{
    return m_nAlignment;
}

void CQLNSampleAnnotationCtrl::SetAlignment(short nAlignment)
{
    if (nAlignment < kAlignLeft || nAlignment > kAlignRight) {
        CString strError;
        strError.LoadString(IDS_ANNOTATION_BAD_ALIGNMENT);
        AfxThrowOleDispatchException(0, strError);
    }
    m_nAlignment = nAlignment;
    SetModifiedFlag();
    InvalidateControl();
}

void CQLNSampleAnnotationCtrl::OnFrameChanged()
{
    SetModifiedFlag();
    InvalidateControl();
}

void CQLNSampleAnnotationCtrl::SetZoom(double dZoom)
{
    // A zoom the font cannot be scaled by leaves the drawing as it was.
    if (dZoom > 0.0 && dZoom <= 100.0)
        m_dZoom = dZoom;
}

void CQLNSampleAnnotationCtrl::OnFontChanged()
{
    InvalidateControl();
    COleControl::OnFontChanged();
}

void CQLNSampleAnnotationCtrl::DoPropExchange(CPropExchange* pPX)
{
    DWORD dwVersion = kVersion;
    pPX->Note(pPX->ExchangeVersion(dwVersion, kVersion, TRUE), L"_Version");
    COleControl::DoPropExchange(pPX);
    PX_String(pPX, L"Text", m_strText);
    PX_Font(pPX, L"TextFont", m_font, &g_fontDescDefault);
    PX_Color(pPX, L"TextColor", m_clrText, 0);
    PX_Short(pPX, L"Alignment", m_nAlignment, kAlignCentre);
    PX_Bool(pPX, L"Frame", m_bFrame, FALSE);
    // A property set from elsewhere may hold any number: it is drawn centred.
    if (pPX->IsLoading() && (m_nAlignment < kAlignLeft || m_nAlignment > kAlignRight))
        m_nAlignment = kAlignCentre;
}

void CQLNSampleAnnotationCtrl::OnResetState()
{
    COleControl::OnResetState();
    m_strText.LoadString(IDS_ANNOTATION_DEFAULT_TEXT);
}

void CQLNSampleAnnotationCtrl::OnDraw(CDC* pDC, const CRect& rcBounds, const CRect&)
{
    if (pDC == nullptr)
        return;
    CRect rcDraw(rcBounds);
    rcDraw.NormalizeRect();

    LOGFONTW lf = {};
    QLNZoomFontHolderToLOGFONT(m_font, m_dZoom, lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* pOldFont = pDC->SelectObject(&font);
    const COLORREF crText = TranslateColor(m_clrText);
    const COLORREF crOld = pDC->SetTextColor(crText);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);

    static const UINT s_kFormats[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    CQLNMultiLineCenteredStatic::DrawAlignedText(*pDC, rcDraw, m_strText, s_kFormats[m_nAlignment]);

    if (m_bFrame) {
        CPen pen;
        pen.CreatePen(PS_SOLID, 1, crText);
        CPen* pOldPen = pDC->SelectObject(&pen);
        CGdiObject* pOldBrush = pDC->SelectStockObject(NULL_BRUSH);
        pDC->Rectangle(rcDraw);
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
    }

    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(crOld);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}

DWORD CQLNSampleAnnotationCtrl::GetMiscStatus()
{
    return COleControl::GetMiscStatus() | OLEMISC_NOUIACTIVATE;
}

BOOL CQLNSampleAnnotationCtrl::OnProperties(LPMSG, HWND, LPCRECT)
{
    CQLNControlPropertySheet sheet(*this, IDS_ANNOTATION_TITLE);
    CQLNSampleAnnotationTextPage pageText(*this);
    CQLNSampleAnnotationFontPage pageFont(*this);
    sheet.AddPage(&pageText);
    sheet.AddPage(&pageFont);
    sheet.DoModal();
    return TRUE;
}
