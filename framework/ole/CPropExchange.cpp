#include "CPropExchange.h"

#include "AfxCoerceColor.h"
#include "CFontHolder.h"

#include <wrl/client.h>

namespace {

// Puts the values of the holder's font into pKept and makes pKept the holder's font again.
void GiveValues(CFontHolder& font, IFont* pKept)
{
    const CY size = font.GetFontSize();
    const CString name = font.GetFontName();
    const short charset = font.GetFontCharset();
    SHORT weight = FW_NORMAL;
    BOOL italic = FALSE, underline = FALSE, strikethrough = FALSE;
    IFont* pLoaded = font.m_pFont;
    pLoaded->get_Weight(&weight);
    pLoaded->get_Italic(&italic);
    pLoaded->get_Underline(&underline);
    pLoaded->get_Strikethrough(&strikethrough);
    font.SetFont(pKept);
    pKept->put_Weight(weight);
    pKept->put_Italic(italic);
    pKept->put_Underline(underline);
    pKept->put_Strikethrough(strikethrough);
    font.SetFontName(name);
    font.SetFontCharset(charset);
    font.SetFontSize(size);
}

} // namespace

void CPropExchange::ReportBadValue(LPCTSTR pszPropName, HRESULT hr)
{
    m_bFailed = TRUE;
    NoteFailedProperty(pszPropName);
    if (SUCCEEDED(m_hrBadValue))
        m_hrBadValue = FAILED(hr) ? hr : E_INVALIDARG;
}

void CPropExchange::ValueToVariant(VARTYPE vt, const void* pv, VARIANT* pvar)
{
    ::VariantInit(pvar);
    V_VT(pvar) = vt;
    switch (vt) {
    case VT_I2: V_I2(pvar) = *static_cast<const short*>(pv); break;
    case VT_I4: V_I4(pvar) = *static_cast<const long*>(pv); break;
    case VT_UI4: V_UI4(pvar) = *static_cast<const ULONG*>(pv); break;
    case VT_BOOL: V_BOOL(pvar) = *static_cast<const BOOL*>(pv) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_R8: V_R8(pvar) = *static_cast<const double*>(pv); break;
    case VT_BSTR: V_BSTR(pvar) = static_cast<const CString*>(pv)->AllocSysString(); break;
    default: V_VT(pvar) = VT_EMPTY; break;
    }
}

HRESULT CPropExchange::VariantToValue(VARTYPE vt, const VARIANT* pvar, void* pv)
{
    if (vt == VT_UI4)
        return AfxCoerceColor(pvar, LOCALE_INVARIANT, *static_cast<ULONG*>(pv));
    VARIANT v;
    ::VariantInit(&v);
    const HRESULT hr = ::VariantChangeTypeEx(&v, const_cast<VARIANT*>(pvar), LOCALE_INVARIANT, 0, vt);
    if (FAILED(hr))
        return hr;
    switch (vt) {
    case VT_I2: *static_cast<short*>(pv) = V_I2(&v); break;
    case VT_I4: *static_cast<long*>(pv) = V_I4(&v); break;
    case VT_BOOL: *static_cast<BOOL*>(pv) = V_BOOL(&v) != VARIANT_FALSE ? TRUE : FALSE; break;
    case VT_R8: *static_cast<double*>(pv) = V_R8(&v); break;
    case VT_BSTR: *static_cast<CString*>(pv) = CString(V_BSTR(&v), static_cast<int>(::SysStringLen(V_BSTR(&v)))); break;
    default: ::VariantClear(&v); return DISP_E_BADVARTYPE;
    }
    ::VariantClear(&v);
    return S_OK;
}

void CPropExchange::CopyValue(VARTYPE vt, void* pvDest, const void* pvSrc)
{
    switch (vt) {
    case VT_I2: *static_cast<short*>(pvDest) = *static_cast<const short*>(pvSrc); break;
    case VT_I4: *static_cast<long*>(pvDest) = *static_cast<const long*>(pvSrc); break;
    case VT_UI4: *static_cast<ULONG*>(pvDest) = *static_cast<const ULONG*>(pvSrc); break;
    case VT_BOOL: *static_cast<BOOL*>(pvDest) = *static_cast<const BOOL*>(pvSrc); break;
    case VT_R8: *static_cast<double*>(pvDest) = *static_cast<const double*>(pvSrc); break;
    case VT_BSTR: *static_cast<CString*>(pvDest) = *static_cast<const CString*>(pvSrc); break;
    default: break;
    }
}

size_t CPropExchange::ValueSize(VARTYPE vt)
{
    switch (vt) {
    case VT_I2: return 2;
    case VT_I4:
    case VT_UI4:
    case VT_BOOL: return 4;
    case VT_R8: return 8;
    default: return 0;
    }
}

BOOL PX_ULong(CPropExchange* pPX, LPCTSTR pszPropName, ULONG& ulValue)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_UI4, &ulValue), pszPropName);
}

BOOL PX_ULong(CPropExchange* pPX, LPCTSTR pszPropName, ULONG& ulValue, ULONG ulDefault)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_UI4, &ulValue, &ulDefault), pszPropName);
}

BOOL PX_Double(CPropExchange* pPX, LPCTSTR pszPropName, double& doubleValue)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_R8, &doubleValue), pszPropName);
}

BOOL PX_Double(CPropExchange* pPX, LPCTSTR pszPropName, double& doubleValue, double doubleDefault)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_R8, &doubleValue, &doubleDefault), pszPropName);
}

BOOL PX_Short(CPropExchange* pPX, LPCTSTR pszPropName, short& sValue)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_I2, &sValue), pszPropName);
}

BOOL PX_Short(CPropExchange* pPX, LPCTSTR pszPropName, short& sValue, short sDefault)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_I2, &sValue, &sDefault), pszPropName);
}

BOOL PX_Long(CPropExchange* pPX, LPCTSTR pszPropName, long& lValue)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_I4, &lValue), pszPropName);
}

BOOL PX_Long(CPropExchange* pPX, LPCTSTR pszPropName, long& lValue, long lDefault)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_I4, &lValue, &lDefault), pszPropName);
}

BOOL PX_Bool(CPropExchange* pPX, LPCTSTR pszPropName, BOOL& bValue)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_BOOL, &bValue), pszPropName);
}

BOOL PX_Bool(CPropExchange* pPX, LPCTSTR pszPropName, BOOL& bValue, BOOL bDefault)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_BOOL, &bValue, &bDefault), pszPropName);
}

BOOL PX_String(CPropExchange* pPX, LPCTSTR pszPropName, CString& strValue)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_BSTR, &strValue), pszPropName);
}

BOOL PX_String(CPropExchange* pPX, LPCTSTR pszPropName, CString& strValue, const CString& strDefault)
{
    return pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_BSTR, &strValue, &strDefault), pszPropName);
}

BOOL PX_Color(CPropExchange* pPX, LPCTSTR pszPropName, OLE_COLOR& clrValue)
{
    ULONG value = clrValue;
    const BOOL ok = pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_UI4, &value), pszPropName);
    clrValue = value;
    return ok;
}

BOOL PX_Color(CPropExchange* pPX, LPCTSTR pszPropName, OLE_COLOR& clrValue, OLE_COLOR clrDefault)
{
    ULONG value = clrValue;
    const ULONG def = clrDefault;
    const BOOL ok = pPX != nullptr && pPX->Note(pPX->ExchangeProp(pszPropName, VT_UI4, &value, &def), pszPropName);
    clrValue = value;
    return ok;
}

BOOL PX_Font(CPropExchange* pPX, LPCTSTR pszPropName, CFontHolder& font, const FONTDESC* pFontDesc,
             IFontDisp* pFontDispAmbient)
{
    if (pPX == nullptr)
        return FALSE;
    const Microsoft::WRL::ComPtr<IFont> kept = pPX->IsLoading() ? font.m_pFont : nullptr;
    if (kept == nullptr)
        return pPX->Note(pPX->ExchangeFont(pszPropName, font, pFontDesc, pFontDispAmbient), pszPropName);
    // A client may hold the font object (a script, a page): loading gives it the values loaded
    // instead of replacing it, so that it stays the control's, and a refused load, whose
    // rollback loads the old values again, leaves the very same objects in place.
    const BOOL bOk = pPX->ExchangeFont(pszPropName, font, pFontDesc, pFontDispAmbient);
    if (font.m_pFont != kept.Get() && font.m_pFont != nullptr)
        GiveValues(font, kept.Get());
    return pPX->Note(bOk, pszPropName);
}
