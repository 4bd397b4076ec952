#include "CPropbagPropExchange.h"

#include "CFontHolder.h"

namespace {

// The most characters of a refused value that its error message repeats.
const int kMaxValueShown = 64;

CString SubName(LPCTSTR pszPropName, LPCTSTR pszPart)
{
    return CString(pszPropName) + L"." + pszPart;
}

} // namespace

CPropbagPropExchange::CPropbagPropExchange(IPropertyBag* pPropBag, IErrorLog* pErrorLog, BOOL bLoading)
    : m_pPropBag(pPropBag), m_pErrorLog(pErrorLog)
{
    m_bLoading = bLoading;
}

HRESULT CPropbagPropExchange::Read(LPCTSTR pszName, VARTYPE vt, VARIANT* pvar)
{
    ::VariantInit(pvar);
    V_VT(pvar) = vt;
    const HRESULT hr = m_pPropBag->Read(pszName, pvar, m_pErrorLog);
    if (FAILED(hr)) {
        ::VariantInit(pvar);
        // A bag answers a name it does not hold with E_INVALIDARG.
        return hr == E_INVALIDARG ? S_FALSE : hr;
    }
    // Bags that hand back text are read without regard to the user's number format.
    if (vt != VT_EMPTY && V_VT(pvar) != vt) {
        const HRESULT hrCoerce = ::VariantChangeTypeEx(pvar, pvar, LOCALE_INVARIANT, 0, vt);
        if (FAILED(hrCoerce)) {
            ::VariantClear(pvar);
            return hrCoerce;
        }
    }
    return S_OK;
}

BOOL CPropbagPropExchange::Write(LPCTSTR pszName, VARIANT* pvar)
{
    const HRESULT hr = m_pPropBag->Write(pszName, pvar);
    ::VariantClear(pvar);
    return SUCCEEDED(hr);
}

BOOL CPropbagPropExchange::ExchangeVersion(DWORD& dwVersionLoaded, DWORD dwVersionDefault, BOOL)
{
    if (m_pPropBag == nullptr)
        return FALSE;
    if (!m_bLoading) {
        VARIANT v;
        ::VariantInit(&v);
        V_VT(&v) = VT_I4;
        V_I4(&v) = static_cast<LONG>(dwVersionDefault);
        dwVersionLoaded = dwVersionDefault;
        return Write(L"_Version", &v);
    }
    VARIANT v;
    const HRESULT hr = Read(L"_Version", VT_I4, &v);
    if (FAILED(hr)) {
        ReportBadValue(L"_Version", hr);
        return FALSE;
    }
    dwVersionLoaded = hr == S_OK ? static_cast<DWORD>(V_I4(&v)) : dwVersionDefault;
    return TRUE;
}

BOOL CPropbagPropExchange::ExchangeProp(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (m_pPropBag == nullptr || pvProp == nullptr)
        return FALSE;
    if (!m_bLoading) {
        VARIANT v;
        ValueToVariant(vtProp, pvProp, &v);
        return Write(pszPropName, &v);
    }
    // A 32-bit unsigned value (a colour above all) is taken as the bag holds it, signed or not.
    VARIANT v;
    HRESULT hr = Read(pszPropName, vtProp == VT_UI4 ? static_cast<VARTYPE>(VT_EMPTY) : vtProp, &v);
    if (hr == S_FALSE) {
        if (pvDefault != nullptr)
            CopyValue(vtProp, pvProp, pvDefault);
        return TRUE;
    }
    if (SUCCEEDED(hr))
        hr = VariantToValue(vtProp, &v, pvProp);
    ::VariantClear(&v);
    if (FAILED(hr)) {
        ReportBadValue(pszPropName, hr);
        return FALSE;
    }
    return TRUE;
}

BOOL CPropbagPropExchange::ExchangeFont(LPCTSTR pszPropName, CFontHolder& font, const FONTDESC* pFontDesc,
                                        IFontDisp* pFontDispAmbient)
{
    if (m_pPropBag == nullptr)
        return FALSE;
    if (!m_bLoading) {
        if (font.m_pFont == nullptr)
            return TRUE;
        // The face, size and character set as given, not those of the font the system realised.
        IFont* f = font.m_pFont;
        const CY size = font.GetFontSize();
        SHORT weight = 0;
        BOOL italic = FALSE, underline = FALSE, strike = FALSE;
        if (size.int64 <= 0 || FAILED(f->get_Weight(&weight)) || FAILED(f->get_Italic(&italic)) ||
            FAILED(f->get_Underline(&underline)) || FAILED(f->get_Strikethrough(&strike)))
            return FALSE;
        VARIANT v;
        ::VariantInit(&v);
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = font.GetFontName().AllocSysString();
        BOOL ok = Write(SubName(pszPropName, L"Name"), &v);
        V_VT(&v) = VT_CY;
        V_CY(&v) = size;
        ok = ok && Write(SubName(pszPropName, L"Size"), &v);
        V_VT(&v) = VT_I2;
        V_I2(&v) = weight;
        ok = ok && Write(SubName(pszPropName, L"Weight"), &v);
        V_VT(&v) = VT_I2;
        V_I2(&v) = font.GetFontCharset();
        ok = ok && Write(SubName(pszPropName, L"Charset"), &v);
        const struct { LPCTSTR part; BOOL value; } flags[] = {
            {L"Italic", italic}, {L"Underline", underline}, {L"Strikethrough", strike}};
        for (const auto& flag : flags) {
            V_VT(&v) = VT_BOOL;
            V_BOOL(&v) = flag.value ? VARIANT_TRUE : VARIANT_FALSE;
            ok = ok && Write(SubName(pszPropName, flag.part), &v);
        }
        return ok;
    }

    const CString strName = SubName(pszPropName, L"Name");
    VARIANT name;
    HRESULT hr = Read(strName, VT_BSTR, &name);
    if (FAILED(hr)) {
        ReportBadValue(strName, hr);
        return FALSE;
    }
    if (hr == S_FALSE) {
        font.InitializeFont(pFontDesc, pFontDispAmbient);
        return TRUE;
    }
    FONTDESC desc = {};
    desc.cbSizeofstruct = sizeof desc;
    desc.lpstrName = V_BSTR(&name);
    // What the bag leaves out is the default description's.
    desc.cySize.int64 = 100000;
    desc.sWeight = FW_NORMAL;
    desc.sCharset = DEFAULT_CHARSET;
    if (pFontDesc != nullptr) {
        desc.cySize = pFontDesc->cySize;
        desc.sWeight = pFontDesc->sWeight;
        desc.sCharset = pFontDesc->sCharset;
        desc.fItalic = pFontDesc->fItalic;
        desc.fUnderline = pFontDesc->fUnderline;
        desc.fStrikethrough = pFontDesc->fStrikethrough;
    }
    // Reads one part of the font into *pvar, reporting a bad value.
    const auto readPart = [&](LPCTSTR pszPart, VARTYPE vt, VARIANT* pvar) {
        const CString strPart = SubName(pszPropName, pszPart);
        const HRESULT hrPart = Read(strPart, vt, pvar);
        if (FAILED(hrPart))
            ReportBadValue(strPart, hrPart);
        return hrPart;
    };
    VARIANT v;
    BOOL ok = TRUE;
    if ((hr = readPart(L"Size", VT_CY, &v)) == S_OK) {
        desc.cySize = V_CY(&v);
        // Sizes outside what a font can have mean a damaged bag.
        if (desc.cySize.int64 <= 0 || desc.cySize.int64 > AFX_MAX_FONT_SIZE) {
            ReportBadValue(SubName(pszPropName, L"Size"), DISP_E_OVERFLOW);
            ok = FALSE;
        }
    }
    ok = ok && SUCCEEDED(hr);
    if ((hr = readPart(L"Weight", VT_I2, &v)) == S_OK)
        desc.sWeight = V_I2(&v);
    ok = ok && SUCCEEDED(hr);
    if ((hr = readPart(L"Charset", VT_I2, &v)) == S_OK) {
        desc.sCharset = V_I2(&v);
        // A character set is one byte wide in every logical font.
        if (desc.sCharset < 0 || desc.sCharset > 255) {
            ReportBadValue(SubName(pszPropName, L"Charset"), DISP_E_OVERFLOW);
            ok = FALSE;
        }
    }
    ok = ok && SUCCEEDED(hr);
    BOOL* flags[] = {&desc.fItalic, &desc.fUnderline, &desc.fStrikethrough};
    LPCTSTR parts[] = {L"Italic", L"Underline", L"Strikethrough"};
    for (int i = 0; i < 3; ++i) {
        if ((hr = readPart(parts[i], VT_BOOL, &v)) == S_OK)
            *flags[i] = V_BOOL(&v) != VARIANT_FALSE;
        ok = ok && SUCCEEDED(hr);
    }
    if (ok)
        font.InitializeFont(&desc);
    ::VariantClear(&name);
    return ok;
}

void CPropbagPropExchange::ReportBadValue(LPCTSTR pszPropName, HRESULT hr)
{
    CPropExchange::ReportBadValue(pszPropName, hr);
    if (m_pErrorLog == nullptr || m_pPropBag == nullptr)
        return;
    // The value as the bag holds it, so that whoever fixes the bag sees what was wrong.
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    CString strWhat = L"cannot be read";
    if (SUCCEEDED(m_pPropBag->Read(pszPropName, &v, nullptr)) &&
        SUCCEEDED(::VariantChangeTypeEx(&v, &v, LOCALE_INVARIANT, 0, VT_BSTR))) {
        // A value of any length would make a message of that length: enough of it is shown to
        // find it.
        const int nLength = static_cast<int>(::SysStringLen(V_BSTR(&v)));
        const int nShown = nLength <= kMaxValueShown ? nLength : kMaxValueShown;
        strWhat = L"\"" + CString(V_BSTR(&v), nShown) + (nShown < nLength ? L"...\" " : L"\" ") +
                  (hr == DISP_E_OVERFLOW ? L"is out of range" : L"is not a value of this property");
    }
    ::VariantClear(&v);
    const CString strDescription = CString(pszPropName) + L": " + strWhat;
    EXCEPINFO info = {};
    info.bstrDescription = strDescription.AllocSysString();
    info.scode = hr;
    m_pErrorLog->AddError(pszPropName, &info);
    ::SysFreeString(info.bstrDescription);
}
