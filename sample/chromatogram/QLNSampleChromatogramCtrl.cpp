#include "QLNSampleChromatogramCtrl.h"

#include "AfxDispatch.h"
#include "QLNSampleChromatogramDecimation.h"
#include "QLNSampleChromatogramFontPage.h"
#include "QLNSampleChromatogramLabelLayout.h"
#include "QLNSampleChromatogramPage.h"
#include "QLNSampleChromatogramPlot.h"
#include "QLNSampleChromatogramRes.h"
#include "QLNSampleChromatogramTicks.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

const CLSID CLSID_QLNSampleChromatogramCtrl = {0x6f2a9c41, 0x8e37, 0x4b5d, {0xa1, 0xc6, 0x3d, 0x7e, 0x9b, 0x2f, 0x4a, 0x86}};

IMPLEMENT_DYNAMIC(CQLNSampleChromatogramCtrl, COleControl)

BEGIN_DISPATCH_MAP(CQLNSampleChromatogramCtrl, COleControl)
    DISP_PROPERTY_EX_ID(CQLNSampleChromatogramCtrl, "Title", 1, GetTitle, SetTitle, VT_BSTR)
    DISP_PROPERTY_EX_ID(CQLNSampleChromatogramCtrl, "TimeRange", 2, GetTimeRange, SetTimeRange, VT_I2)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleChromatogramCtrl, "TimeFrom", 3, m_dTimeFrom, OnAppearanceChanged, VT_R8)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleChromatogramCtrl, "TimeTo", 4, m_dTimeTo, OnAppearanceChanged, VT_R8)
    DISP_PROPERTY_EX_ID(CQLNSampleChromatogramCtrl, "SignalRange", 5, GetSignalRange, SetSignalRange, VT_I2)
    DISP_PROPERTY_EX_ID(CQLNSampleChromatogramCtrl, "SignalMargin", 6, GetSignalMargin, SetSignalMargin, VT_R8)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleChromatogramCtrl, "SignalFrom", 7, m_dSignalFrom, OnAppearanceChanged, VT_R8)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleChromatogramCtrl, "SignalTo", 8, m_dSignalTo, OnAppearanceChanged, VT_R8)
    DISP_PROPERTY_EX_ID(CQLNSampleChromatogramCtrl, "PeakLabels", 9, GetPeakLabels, SetPeakLabels, VT_I2)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleChromatogramCtrl, "Baselines", 10, m_bBaselines, OnAppearanceChanged, VT_BOOL)
    DISP_PROPERTY_EX_ID(CQLNSampleChromatogramCtrl, "LineWidth", 11, GetLineWidth, SetLineWidth, VT_I2)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleChromatogramCtrl, "TraceColor", 12, m_clrTrace, OnAppearanceChanged, VT_COLOR)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleChromatogramCtrl, "BaselineColor", 13, m_clrBaseline, OnAppearanceChanged, VT_COLOR)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleChromatogramCtrl, "TitleColor", 14, m_clrTitle, OnAppearanceChanged, VT_COLOR)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleChromatogramCtrl, "AxisColor", 15, m_clrAxis, OnAppearanceChanged, VT_COLOR)
    DISP_PROPERTY_NOTIFY_ID(CQLNSampleChromatogramCtrl, "LabelColor", 16, m_clrLabel, OnAppearanceChanged, VT_COLOR)
    DISP_PROPERTY_EX_ID(CQLNSampleChromatogramCtrl, "TitleFont", 17, GetTitleFont, SetTitleFont, VT_FONT)
    DISP_PROPERTY_EX_ID(CQLNSampleChromatogramCtrl, "AxisFont", 18, GetAxisFont, SetAxisFont, VT_FONT)
    DISP_PROPERTY_EX_ID(CQLNSampleChromatogramCtrl, "LabelFont", 19, GetLabelFont, SetLabelFont, VT_FONT)
    DISP_FUNCTION_ID(CQLNSampleChromatogramCtrl, "TextFields", 20, GetTextFields, VT_BSTR, VTS_NONE)
    DISP_FUNCTION_ID(CQLNSampleChromatogramCtrl, "GetLineCount", 21, GetLineCount, VT_I4, VTS_NONE)
    DISP_FUNCTION_ID(CQLNSampleChromatogramCtrl, "GetLine", 22, GetLine, VT_I4, VTS_I4 VTS_PBSTR)
    DISP_FUNCTION_ID(CQLNSampleChromatogramCtrl, "SetSignal", 23, SetSignal, VT_EMPTY,
                     VTS_VARIANT VTS_R8 VTS_R8 VTS_BSTR VTS_BSTR)
    DISP_FUNCTION_ID(CQLNSampleChromatogramCtrl, "SetPeaks", 24, SetPeaks, VT_EMPTY, VTS_BSTR)
    DISP_FUNCTION_ID(CQLNSampleChromatogramCtrl, "SetZoom", 25, SetZoom, VT_EMPTY, VTS_R8)
END_DISPATCH_MAP()

namespace {

FONTDESC FontDesc(long long cySize, short sWeight)
{
    FONTDESC fd = {};
    fd.cbSizeofstruct = sizeof fd;
    fd.lpstrName = const_cast<LPOLESTR>(L"Arial");
    fd.cySize.int64 = cySize;
    fd.sWeight = sWeight;
    fd.sCharset = ANSI_CHARSET;
    return fd;
}

const FONTDESC g_fontDescTitle = FontDesc(120000, FW_BOLD);
const FONTDESC g_fontDescAxis = FontDesc(80000, FW_NORMAL);
const FONTDESC g_fontDescLabel = FontDesc(80000, FW_NORMAL);
const DWORD kVersion = 0x10000;
const double kDefaultMargin = 5.0;
const short kDefaultLineWidth = 1;
const short kMostLineWidth = 20;
const OLE_COLOR kDefaultTrace = 0x800000;   // dark blue
const OLE_COLOR kDefaultBaseline = 0x0000C0;   // red
const COLORREF kPlaceholderGrey = 0xA0A0A0;

// The signal a chromatogram without data draws: three peaks on a flat baseline over ten
// minutes, which shows the user the object's look and where its labels go.
const std::vector<double>& PlaceholderValues()
{
    static const std::vector<double> values = [] {
        std::vector<double> v(601);
        for (size_t i = 0; i < v.size(); ++i) {
            const double t = i / 60.0;
            const auto peak = [t](double rt, double height, double sigma) {
                return height * std::exp(-(t - rt) * (t - rt) / (2 * sigma * sigma));
            };
            v[i] = 2 + peak(2.4, 40, 0.08) + peak(4.3, 100, 0.1) + peak(6.9, 60, 0.12);
        }
        return v;
    }();
    return values;
}

std::vector<std::wstring> Split(const std::wstring& text, const wchar_t* pszBreak)
{
    std::vector<std::wstring> parts;
    const size_t nBreak = std::wcslen(pszBreak);
    for (size_t start = 0;;) {
        const size_t brk = text.find(pszBreak, start);
        parts.push_back(text.substr(start, brk == std::wstring::npos ? std::wstring::npos : brk - start));
        if (brk == std::wstring::npos)
            return parts;
        start = brk + nBreak;
    }
}

bool ToNumber(const std::wstring& text, double& value)
{
    CString s(text.c_str());
    s.Trim();
    return !s.IsEmpty() && QLNConvertStringToDouble(s, value) && std::isfinite(value);
}

// The signal's numbers, from an array of doubles, of other numbers or of variants.
bool ReadValues(const VARIANT* pValues, std::vector<double>& values)
{
    const VARIANT* v = pValues;
    if (v != nullptr && V_VT(v) == (VT_BYREF | VT_VARIANT))
        v = V_VARIANTREF(v);
    if (v == nullptr)
        return false;
    if (V_VT(v) == VT_EMPTY || V_VT(v) == VT_NULL)
        return values.clear(), true;
    if ((V_VT(v) & VT_ARRAY) == 0)
        return false;
    SAFEARRAY* psa = (V_VT(v) & VT_BYREF) != 0 ? (V_ARRAYREF(v) != nullptr ? *V_ARRAYREF(v) : nullptr) : V_ARRAY(v);
    const VARTYPE vt = V_VT(v) & VT_TYPEMASK;
    LONG lower = 0, upper = -1;
    if (psa == nullptr || ::SafeArrayGetDim(psa) != 1 || FAILED(::SafeArrayGetLBound(psa, 1, &lower)) ||
        FAILED(::SafeArrayGetUBound(psa, 1, &upper)))
        return false;
    const size_t n = upper >= lower ? static_cast<size_t>(upper - lower) + 1 : 0;
    void* pData = nullptr;
    if (FAILED(::SafeArrayAccessData(psa, &pData)))
        return false;
    std::vector<double> read;
    bool ok = true;
    try {
        read.reserve(n);
        for (size_t i = 0; i < n && ok; ++i) {
            switch (vt) {
            case VT_R8: read.push_back(static_cast<const double*>(pData)[i]); break;
            case VT_R4: read.push_back(static_cast<const float*>(pData)[i]); break;
            case VT_I4: read.push_back(static_cast<const LONG*>(pData)[i]); break;
            case VT_I2: read.push_back(static_cast<const SHORT*>(pData)[i]); break;
            case VT_VARIANT: {
                VARIANT number;
                ::VariantInit(&number);
                VARIANT* pItem = &static_cast<VARIANT*>(pData)[i];
                ok = SUCCEEDED(::VariantChangeType(&number, pItem, 0, VT_R8));
                if (ok)
                    read.push_back(V_R8(&number));
                ::VariantClear(&number);
                break;
            }
            default: ok = false;
            }
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    ::SafeArrayUnaccessData(psa);
    if (ok)
        values.swap(read);
    return ok;
}

// Lowest and highest finite value of the samples between two times; false when there is none.
bool ValueRange(const std::vector<double>& values, double dDelay, double dInterval, double dFrom, double dTo,
                double& dLow, double& dHigh)
{
    if (values.empty() || !(dInterval > 0))
        return false;
    const double first = std::max(0.0, std::ceil((dFrom - dDelay) / dInterval - 1e-9));
    const double last = std::min(values.size() - 1.0, std::floor((dTo - dDelay) / dInterval + 1e-9));
    bool found = false;
    if (!(first <= last))
        return false;
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (size_t k = static_cast<size_t>(first), end = static_cast<size_t>(last); k <= end; ++k) {
        const double v = values[k];
        if (std::isfinite(v)) {
            low = v < low ? v : low;
            high = v > high ? v : high;
        }
    }
    found = std::isfinite(low) && std::isfinite(high);
    if (found) {
        dLow = low;
        dHigh = high;
    }
    return found;
}

// The signal at a time, between the samples on either side of it.
double ValueAt(const std::vector<double>& values, double dDelay, double dInterval, double dTime)
{
    if (values.empty() || !(dInterval > 0))
        return 0;
    const double f = std::min(std::max((dTime - dDelay) / dInterval, 0.0), values.size() - 1.0);
    const size_t i = static_cast<size_t>(f);
    const double next = i + 1 < values.size() ? values[i + 1] : values[i];
    return values[i] + (next - values[i]) * (f - i);
}

// A range with room in it: a single value becomes one unit (or a tenth of itself) wide.
void Widen(double& dLow, double& dHigh)
{
    if (dLow > dHigh)
        std::swap(dLow, dHigh);
    if (dHigh - dLow <= 0) {
        const double half = std::max(std::fabs(dLow) * 0.05, 0.5);
        dLow -= half;
        dHigh += half;
    }
}

int TextWidth(CDC& dc, const CString& s)
{
    return dc.GetTextExtent(s).cx;
}

int TextHeight(CDC& dc)
{
    return dc.GetTextExtent(CString(L"Ag")).cy;
}

void MakeFont(CFont& font, CFontHolder& holder, double dZoom)
{
    LOGFONTW lf = {};
    QLNZoomFontHolderToLOGFONT(holder, dZoom, lf);
    font.CreateFontIndirect(&lf);
}

} // namespace

CQLNSampleChromatogramCtrl::CQLNSampleChromatogramCtrl()
    : m_dTimeFrom(0), m_dTimeTo(10), m_dSignalFrom(0), m_dSignalTo(100), m_bBaselines(TRUE),
      m_clrTrace(kDefaultTrace), m_clrBaseline(kDefaultBaseline), m_clrTitle(0), m_clrAxis(0), m_clrLabel(0),
      m_nTimeRange(kRangeWhole), m_nSignalRange(kRangeWhole), m_dSignalMargin(kDefaultMargin),
      m_nPeakLabels(kLabelName), m_nLineWidth(kDefaultLineWidth), m_fontTitle(GetFontNotificationSink()),
      m_fontAxis(GetFontNotificationSink()), m_fontLabel(GetFontNotificationSink()), m_dZoom(1.0)
{
    SetInitialSize(600, 300);
    m_fontTitle.InitializeFont(&g_fontDescTitle);
    m_fontAxis.InitializeFont(&g_fontDescAxis);
    m_fontLabel.InitializeFont(&g_fontDescLabel);
}

CQLNSampleChromatogramCtrl::~CQLNSampleChromatogramCtrl() = default;

void CQLNSampleChromatogramCtrl::ThrowError(UINT nID)
{
    CString strError;
    strError.LoadString(nID);
    AfxThrowOleDispatchException(0, strError);
}

// --- Properties ---------------------------------------------------------------------------

BSTR CQLNSampleChromatogramCtrl::GetTitle()
{
    return m_strTitle.AllocSysString();
}

void CQLNSampleChromatogramCtrl::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    OnAppearanceChanged();
}

short CQLNSampleChromatogramCtrl::GetTimeRange()
{
    return m_nTimeRange;
}

void CQLNSampleChromatogramCtrl::SetTimeRange(short nRange)
{
    if (nRange != kRangeWhole && nRange != kRangePart)
        ThrowError(IDS_CHROMATOGRAM_BAD_CHOICE);
    m_nTimeRange = nRange;
    OnAppearanceChanged();
}

short CQLNSampleChromatogramCtrl::GetSignalRange()
{
    return m_nSignalRange;
}

void CQLNSampleChromatogramCtrl::SetSignalRange(short nRange)
{
    if (nRange != kRangeWhole && nRange != kRangePart)
        ThrowError(IDS_CHROMATOGRAM_BAD_CHOICE);
    m_nSignalRange = nRange;
    OnAppearanceChanged();
}

double CQLNSampleChromatogramCtrl::GetSignalMargin()
{
    return m_dSignalMargin;
}

void CQLNSampleChromatogramCtrl::SetSignalMargin(double dPercent)
{
    if (!(dPercent >= 0 && dPercent <= 100))
        ThrowError(IDS_CHROMATOGRAM_BAD_MARGIN);
    m_dSignalMargin = dPercent;
    OnAppearanceChanged();
}

short CQLNSampleChromatogramCtrl::GetPeakLabels()
{
    return m_nPeakLabels;
}

void CQLNSampleChromatogramCtrl::SetPeakLabels(short nLabels)
{
    if (nLabels < kLabelName || nLabels > kLabelNone)
        ThrowError(IDS_CHROMATOGRAM_BAD_CHOICE);
    m_nPeakLabels = nLabels;
    OnAppearanceChanged();
}

short CQLNSampleChromatogramCtrl::GetLineWidth()
{
    return m_nLineWidth;
}

void CQLNSampleChromatogramCtrl::SetLineWidth(short nWidth)
{
    if (nWidth < 1 || nWidth > kMostLineWidth)
        ThrowError(IDS_CHROMATOGRAM_BAD_LINE_WIDTH);
    m_nLineWidth = nWidth;
    OnAppearanceChanged();
}

void CQLNSampleChromatogramCtrl::OnAppearanceChanged()
{
    SetModifiedFlag();
    InvalidateControl();
}

void CQLNSampleChromatogramCtrl::SetFont(CFontHolder& font, IFontDisp* pFont)
{
    const FONTDESC* pDesc = &font == &m_fontTitle ? &g_fontDescTitle
                            : &font == &m_fontAxis ? &g_fontDescAxis : &g_fontDescLabel;
    font.InitializeFont(pDesc, pFont);
    OnFontChanged();
    SetModifiedFlag();
}

IFontDisp* CQLNSampleChromatogramCtrl::GetTitleFont() { return m_fontTitle.GetFontDispatch(); }
void CQLNSampleChromatogramCtrl::SetTitleFont(IFontDisp* pFont) { SetFont(m_fontTitle, pFont); }
IFontDisp* CQLNSampleChromatogramCtrl::GetAxisFont() { return m_fontAxis.GetFontDispatch(); }
void CQLNSampleChromatogramCtrl::SetAxisFont(IFontDisp* pFont) { SetFont(m_fontAxis, pFont); }
IFontDisp* CQLNSampleChromatogramCtrl::GetLabelFont() { return m_fontLabel.GetFontDispatch(); }
void CQLNSampleChromatogramCtrl::SetLabelFont(IFontDisp* pFont) { SetFont(m_fontLabel, pFont); }

void CQLNSampleChromatogramCtrl::OnFontChanged()
{
    InvalidateControl();
    COleControl::OnFontChanged();
}

// --- The title as text-field lines ----------------------------------------------------------

BSTR CQLNSampleChromatogramCtrl::GetTextFields()
{
    // One line of the user's own text: no catalogue item, no decimals of its own.
    CString line;
    if (!m_strTitle.IsEmpty())
        CQLNDefaultText::FormTextLine(CString(), CString(L"-1"), m_strTitle, line);
    return line.AllocSysString();
}

long CQLNSampleChromatogramCtrl::GetLineCount()
{
    return m_strTitle.IsEmpty() ? 0 : 1;
}

long CQLNSampleChromatogramCtrl::GetLine(long nLine, BSTR* pLine)
{
    const CString line = nLine == 0 ? m_strTitle : CString();
    if (pLine != nullptr)
        *pLine = line.AllocSysString();
    return line.GetLength();
}

// --- Data -------------------------------------------------------------------------------

void CQLNSampleChromatogramCtrl::SetSignal(const VARIANT* pValues, double dInterval, double dDelay,
                                           LPCTSTR pszTimeUnit, LPCTSTR pszSignalUnit)
{
    const CString unit(pszTimeUnit);
    const double perMinute = unit == L"s" ? 60.0 : unit == L"min" ? 1.0 : 0.0;
    Signal signal;
    if (perMinute == 0.0 || !ReadValues(pValues, signal.values) ||
        (!signal.values.empty() && !(std::isfinite(dInterval) && dInterval > 0 && std::isfinite(dDelay))))
        ThrowError(IDS_CHROMATOGRAM_BAD_SIGNAL);
    signal.dInterval = dInterval / perMinute;
    signal.dDelay = dDelay / perMinute;
    signal.strUnit = pszSignalUnit;
    m_signal = std::move(signal);
    InvalidateControl();
}

void CQLNSampleChromatogramCtrl::SetPeaks(LPCTSTR lpszRows)
{
    std::vector<Peak> peaks;
    for (const std::wstring& row : Split(lpszRows != nullptr ? lpszRows : L"", L"\r\n")) {
        if (row.find_first_not_of(L" \t") == std::wstring::npos)
            continue;
        const std::vector<std::wstring> cells = Split(row, L"\t");
        Peak peak;
        if (cells.size() < 3 || !ToNumber(cells[0], peak.dTime) || !ToNumber(cells[1], peak.dStart) ||
            !ToNumber(cells[2], peak.dEnd))
            ThrowError(IDS_CHROMATOGRAM_BAD_PEAK);
        if (cells.size() > 3)
            peak.strName = cells[3].c_str();
        peaks.push_back(peak);
    }
    m_peaks = std::move(peaks);
    InvalidateControl();
}

void CQLNSampleChromatogramCtrl::SetZoom(double dZoom)
{
    if (dZoom > 0.0 && dZoom <= 100.0)
        m_dZoom = dZoom;
}

// --- Persistence --------------------------------------------------------------------------

void CQLNSampleChromatogramCtrl::DoPropExchange(CPropExchange* pPX)
{
    DWORD dwVersion = kVersion;
    pPX->Note(pPX->ExchangeVersion(dwVersion, kVersion, TRUE), L"_Version");
    COleControl::DoPropExchange(pPX);
    PX_String(pPX, L"Title", m_strTitle);
    PX_Short(pPX, L"TimeRange", m_nTimeRange, kRangeWhole);
    PX_Double(pPX, L"TimeFrom", m_dTimeFrom, 0.0);
    PX_Double(pPX, L"TimeTo", m_dTimeTo, 10.0);
    PX_Short(pPX, L"SignalRange", m_nSignalRange, kRangeWhole);
    PX_Double(pPX, L"SignalMargin", m_dSignalMargin, kDefaultMargin);
    PX_Double(pPX, L"SignalFrom", m_dSignalFrom, 0.0);
    PX_Double(pPX, L"SignalTo", m_dSignalTo, 100.0);
    PX_Short(pPX, L"PeakLabels", m_nPeakLabels, kLabelName);
    PX_Bool(pPX, L"Baselines", m_bBaselines, TRUE);
    PX_Short(pPX, L"LineWidth", m_nLineWidth, kDefaultLineWidth);
    PX_Color(pPX, L"TraceColor", m_clrTrace, kDefaultTrace);
    PX_Color(pPX, L"BaselineColor", m_clrBaseline, kDefaultBaseline);
    PX_Color(pPX, L"TitleColor", m_clrTitle, 0);
    PX_Color(pPX, L"AxisColor", m_clrAxis, 0);
    PX_Color(pPX, L"LabelColor", m_clrLabel, 0);
    PX_Font(pPX, L"TitleFont", m_fontTitle, &g_fontDescTitle);
    PX_Font(pPX, L"AxisFont", m_fontAxis, &g_fontDescAxis);
    PX_Font(pPX, L"LabelFont", m_fontLabel, &g_fontDescLabel);
    if (pPX->IsLoading()) {
        // A property set from elsewhere may hold anything: what cannot be drawn is the default.
        if (m_nTimeRange != kRangeWhole && m_nTimeRange != kRangePart)
            m_nTimeRange = kRangeWhole;
        if (m_nSignalRange != kRangeWhole && m_nSignalRange != kRangePart)
            m_nSignalRange = kRangeWhole;
        if (!(m_dSignalMargin >= 0 && m_dSignalMargin <= 100))
            m_dSignalMargin = kDefaultMargin;
        if (m_nPeakLabels < kLabelName || m_nPeakLabels > kLabelNone)
            m_nPeakLabels = kLabelName;
        if (m_nLineWidth < 1 || m_nLineWidth > kMostLineWidth)
            m_nLineWidth = kDefaultLineWidth;
        for (double* p : {&m_dTimeFrom, &m_dTimeTo, &m_dSignalFrom, &m_dSignalTo})
            if (!std::isfinite(*p))
                *p = 0;
    }
}

void CQLNSampleChromatogramCtrl::OnResetState()
{
    COleControl::OnResetState();
    m_strTitle = L"{SampName}";
}

DWORD CQLNSampleChromatogramCtrl::GetMiscStatus()
{
    return COleControl::GetMiscStatus() | OLEMISC_NOUIACTIVATE;
}

BOOL CQLNSampleChromatogramCtrl::OnProperties(LPMSG, HWND, LPCRECT)
{
    CQLNControlPropertySheet sheet(*this, IDS_CHROMATOGRAM_TITLE);
    CQLNSampleChromatogramPage page(*this);
    CQLNSampleChromatogramFontPage pageFont(*this);
    sheet.AddPage(&page);
    sheet.AddPage(&pageFont);
    sheet.DoModal();
    return TRUE;
}

// --- Drawing ------------------------------------------------------------------------------

void CQLNSampleChromatogramCtrl::OnDraw(CDC* pDC, const CRect& rcBounds, const CRect&)
{
    if (pDC == nullptr)
        return;
    CDC& dc = *pDC;
    const HDC hdc = dc.GetSafeHdc();
    CRect rc(rcBounds);
    rc.NormalizeRect();
    const auto scaled = [&](int n) { return std::max(1, static_cast<int>(std::lround(n * m_dZoom))); };

    const bool bData = !m_signal.values.empty();
    Signal placeholder;
    if (!bData) {
        placeholder.values = PlaceholderValues();
        placeholder.dInterval = 1.0 / 60;
    }
    const Signal& signal = bData ? m_signal : placeholder;
    const double dRunEnd = signal.dDelay + (signal.values.size() - 1) * signal.dInterval;

    CFont fontTitle, fontAxis, fontLabel;
    MakeFont(fontTitle, m_fontTitle, m_dZoom);
    MakeFont(fontAxis, m_fontAxis, m_dZoom);
    MakeFont(fontLabel, m_fontLabel, m_dZoom);
    const int nSaved = ::SaveDC(hdc);
    dc.SetBkMode(TRANSPARENT);
    const int pad = scaled(4), tick = scaled(4);
    int top = rc.top + pad;

    // The title, each value item a text of its own so that a host can put its value in place.
    if (!m_strTitle.IsEmpty()) {
        dc.SelectObject(&fontTitle);
        dc.SetTextColor(TranslateColor(m_clrTitle));
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        std::vector<CString> pieces;
        CQLNStringTokenizer tokenizer(m_strTitle);
        CString piece;
        BOOL bIsValue = FALSE;
        int width = 0;
        while (tokenizer.GetNextString(piece, bIsValue)) {
            pieces.push_back(piece);
            width += TextWidth(dc, piece);
        }
        // Each piece from where the one before it ended, so that a value put in place of its
        // item when the recording is played pushes the rest along instead of running into it.
        dc.MoveTo(std::max(static_cast<int>(rc.left) + pad, static_cast<int>((rc.left + rc.right) / 2) - width / 2),
                  top);
        dc.SetTextAlign(TA_LEFT | TA_TOP | TA_UPDATECP);
        for (const CString& p : pieces)
            dc.TextOut(0, 0, p);
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        top += TextHeight(dc) + pad;
    }

    dc.SelectObject(&fontLabel);
    const int hLabel = TextHeight(dc);
    dc.SelectObject(&fontAxis);
    const int hAxis = TextHeight(dc);
    top += hAxis + hAxis / 2;   // the detector's unit above the plot
    const int bottom = rc.bottom - pad - 2 * hAxis - tick;

    double t0 = dRunEnd > signal.dDelay ? signal.dDelay : signal.dDelay - 0.5;
    double t1 = dRunEnd > signal.dDelay ? dRunEnd : signal.dDelay + 0.5;
    // A range a script set to what is not a number draws as if it were not chosen.
    if (m_nTimeRange == kRangePart && std::isfinite(m_dTimeFrom) && std::isfinite(m_dTimeTo)) {
        t0 = m_dTimeFrom;
        t1 = m_dTimeTo;
    }
    Widen(t0, t1);
    double s0 = m_dSignalFrom, s1 = m_dSignalTo;
    if (m_nSignalRange == kRangeWhole || !std::isfinite(s0) || !std::isfinite(s1)) {
        if (!ValueRange(signal.values, signal.dDelay, signal.dInterval, t0, t1, s0, s1))
            s0 = 0, s1 = 1;
        Widen(s0, s1);
        const double margin = (s1 - s0) * m_dSignalMargin / 100;
        s0 -= margin;
        s1 += margin;
        // Room above the tallest peak for its label, whatever the margin.
        const int room = hLabel + pad;
        if (m_nPeakLabels != kLabelNone && !m_peaks.empty() && bottom - top > 3 * room)
            s1 += (s1 - s0) * room / (bottom - top - room);
    }
    Widen(s0, s1);

    if (bottom - top >= 2 * hAxis) {
        const CQLNSampleChromatogramTicks yTicks = CQLNSampleChromatogramTicks::Choose(
            s0, s1, bottom - top, [hAxis](const std::wstring&) { return hAxis; }, hAxis / 2);
        int labelWidth = 0;
        for (const std::wstring& label : yTicks.labels)
            labelWidth = std::max(labelWidth, TextWidth(dc, CString(label.c_str())));
        const int left = rc.left + pad + labelWidth + tick + pad / 2;
        // Room for half the last time label beyond the axis's end.
        const int right =
            rc.right - pad - TextWidth(dc, CString(CQLNSampleChromatogramTicks::Format(t1, 2).c_str())) / 2;
        if (right - left >= 2 * hAxis) {
            CQLNSampleChromatogramPlot plot(dc, CRect(left, top, right, bottom), t0, t1, s0, s1);
            DrawPlot(dc, plot, signal, bData, yTicks, tick, fontLabel);
        }
    }
    ::RestoreDC(hdc, nSaved);
}

void CQLNSampleChromatogramCtrl::DrawPlot(CDC& dc, CQLNSampleChromatogramPlot& plot, const Signal& signal, bool bData,
                                          const CQLNSampleChromatogramTicks& yTicks, int nTick, CFont& fontLabel)
{
    const CRect& rc = plot.Area();
    const int pad = std::max(1, static_cast<int>(std::lround(2 * m_dZoom)));
    const int hAxis = TextHeight(dc);
    const auto extent = [&](const std::wstring& label) { return TextWidth(dc, CString(label.c_str())); };
    const double t0 = plot.TimeLow(), t1 = plot.TimeHigh();
    const CQLNSampleChromatogramTicks xTicks = CQLNSampleChromatogramTicks::Choose(t0, t1, rc.Width(), extent, hAxis);
    CString strTimeAxis;
    strTimeAxis.LoadString(IDS_CHROMATOGRAM_TIME_AXIS);
    plot.DrawAxes(xTicks, yTicks, nTick, TranslateColor(m_clrAxis), strTimeAxis);
    if (!signal.strUnit.IsEmpty()) {
        dc.SetTextAlign(TA_LEFT | TA_BOTTOM);
        dc.TextOut(rc.left - nTick, rc.top - hAxis / 2, signal.strUnit);
        dc.SetTextAlign(TA_LEFT | TA_TOP);
    }

    const int nWidth = std::max(1, static_cast<int>(std::lround(m_nLineWidth * m_dZoom)));
    plot.DrawTrace(signal.values, signal.dDelay, signal.dInterval,
                   bData ? TranslateColor(m_clrTrace) : kPlaceholderGrey, nWidth);
    dc.SelectObject(&fontLabel);
    const int hLabel = TextHeight(dc);
    if (!bData) {
        CString strNoData;
        strNoData.LoadString(IDS_CHROMATOGRAM_NO_DATA);
        dc.SetTextColor(TranslateColor(m_clrLabel));
        dc.SetTextAlign(TA_CENTER | TA_TOP);
        dc.TextOut((rc.left + rc.right) / 2, rc.top + hLabel, strNoData);
        dc.SetTextAlign(TA_LEFT | TA_TOP);
        return;
    }

    const auto valueAt = [&](double t) { return ValueAt(signal.values, signal.dDelay, signal.dInterval, t); };
    if (m_bBaselines)
        for (const Peak& peak : m_peaks)
            if (peak.dStart < peak.dEnd)
                plot.DrawSegment(peak.dStart, valueAt(peak.dStart), peak.dEnd, valueAt(peak.dEnd),
                                 TranslateColor(m_clrBaseline));
    if (m_nPeakLabels == kLabelNone)
        return;
    // The process's time decimals where a host set them; a plot's labels want two otherwise.
    const int nDecimals = g_lRTPrecision > 0 ? static_cast<int>(std::min<LONG>(g_lRTPrecision, 6)) : 2;
    std::vector<CString> texts;
    std::vector<CQLNSampleChromatogramLabelLayout::Label> labels;
    for (const Peak& peak : m_peaks) {
        // The apex is the highest sample between the peak's start and end, or its value at the
        // retention time when the peak gives no such span.
        double low = 0, high = valueAt(peak.dTime);
        if (peak.dStart < peak.dEnd)
            ValueRange(signal.values, signal.dDelay, signal.dInterval, peak.dStart, peak.dEnd, low, high);
        const CString text = m_nPeakLabels == kLabelName
                                 ? peak.strName
                                 : CString(CQLNSampleChromatogramTicks::Format(peak.dTime, nDecimals).c_str());
        texts.push_back(text);
        const bool bInside = peak.dTime >= t0 && peak.dTime <= t1 && !text.IsEmpty();
        labels.push_back({plot.X(peak.dTime), plot.Y(high) - pad, bInside ? TextWidth(dc, text) : 0, hLabel, high});
    }
    const std::vector<CQLNSampleChromatogramLabelLayout::Placed> placed =
        CQLNSampleChromatogramLabelLayout::Place(labels, rc.left, rc.top, rc.right, 3 * hLabel);
    dc.SetTextColor(TranslateColor(m_clrLabel));
    for (size_t i = 0; i < placed.size(); ++i)
        if (placed[i].shown)
            dc.TextOut(placed[i].left, placed[i].top, texts[i]);
}
