// The context of one exchange of a control's properties with a persisted property set: a
// property bag or a stream, loading or saving.
//
// A concrete exchange implements ExchangeVersion and ExchangeProp; the PX_ functions are the
// typed entry points that controls call. With keys (a property bag) each value is found by its
// name; in a stream the values simply follow one another in the order they are exchanged.
#pragma once
#include "Afx.h"
#include "CString.h"

#include <oleauto.h>
#include <olectl.h>

class CFontHolder;

class AFX_CORE_API CPropExchange
{
public:
    virtual ~CPropExchange() = default;

    // Non-zero while loading the properties, zero while saving them.
    BOOL IsLoading() const { return m_bLoading; }
    // Non-zero once any value could not be read or written (the PX_ functions record it), so
    // that the caller can refuse a damaged property set as a whole.
    BOOL HasFailed() const { return m_bFailed; }
    void SetFailed() { m_bFailed = TRUE; }
    // Records that the value of a property could not be used (hr says why: the value's type, its
    // range): the exchange has failed, and an exchange that can tell its caller more, as a
    // property bag's error log can, does.
    virtual void ReportBadValue(LPCTSTR pszPropName, HRESULT hr);
    // Why the exchange failed: the code of the first bad value reported, else hrDefault.
    HRESULT GetFailure(HRESULT hrDefault) const { return FAILED(m_hrBadValue) ? m_hrBadValue : hrDefault; }
    // Records the outcome of exchanging a property and passes it on.
    BOOL Note(BOOL bOk, LPCTSTR pszPropName = nullptr)
    {
        if (!bOk) {
            m_bFailed = TRUE;
            NoteFailedProperty(pszPropName);
        }
        return bOk;
    }
    // The first property whose value could not be read, used or written, so that a refusal can
    // say where a damaged property set went wrong; empty when none is known.
    const CString& GetFailedProperty() const { return m_strFailedProp; }

    // Loading: reads the stored version into dwVersionLoaded (dwVersionDefault when there is
    // none). Saving: writes dwVersionDefault. Zero when the property set cannot be read or
    // written.
    virtual BOOL ExchangeVersion(DWORD& dwVersionLoaded, DWORD dwVersionDefault, BOOL bConvert) = 0;
    // Exchanges one value of type vtProp (VT_I2, VT_I4, VT_UI4, VT_BOOL, VT_R8, VT_BSTR ...)
    // at pvProp. On loading a missing value takes *pvDefault when one is given, and leaves
    // *pvProp alone otherwise. Zero when the value could not be read or written.
    // The value types: VT_I2 short, VT_I4 long, VT_UI4 ULONG (also OLE_COLOR: a stored value is
    // read as 32 bits whether it was kept signed or unsigned), VT_BOOL BOOL, VT_R8 double,
    // VT_BSTR CString.
    virtual BOOL ExchangeProp(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault = nullptr) = 0;
    // Exchanges a font object. Loading a missing font initialises the holder from pFontDesc
    // (or from a copy of pFontDispAmbient).
    virtual BOOL ExchangeFont(LPCTSTR pszPropName, CFontHolder& font, const FONTDESC* pFontDesc,
                              IFontDisp* pFontDispAmbient) = 0;

protected:
    CPropExchange() = default;

    // The value at pv (of type vt, as ExchangeProp takes it) into a new variant of that type.
    static void ValueToVariant(VARTYPE vt, const void* pv, VARIANT* pvar);
    // The variant, coerced to vt (text read in the invariant format), into the value at pv; the
    // reason (pv untouched) when it cannot be.
    static HRESULT VariantToValue(VARTYPE vt, const VARIANT* pvar, void* pv);
    static void CopyValue(VARTYPE vt, void* pvDest, const void* pvSrc);
    // Bytes of the binary form of a value of type vt other than VT_BSTR.
    static size_t ValueSize(VARTYPE vt);

    void NoteFailedProperty(LPCTSTR pszPropName)
    {
        if (m_strFailedProp.IsEmpty() && pszPropName != nullptr)
            m_strFailedProp = pszPropName;
    }

    BOOL m_bLoading = FALSE;
    BOOL m_bFailed = FALSE;
    HRESULT m_hrBadValue = S_OK;
    CString m_strFailedProp;
};

AFX_CORE_API BOOL PX_Short(CPropExchange* pPX, LPCTSTR pszPropName, short& sValue);
AFX_CORE_API BOOL PX_Short(CPropExchange* pPX, LPCTSTR pszPropName, short& sValue, short sDefault);
AFX_CORE_API BOOL PX_Long(CPropExchange* pPX, LPCTSTR pszPropName, long& lValue);
AFX_CORE_API BOOL PX_Long(CPropExchange* pPX, LPCTSTR pszPropName, long& lValue, long lDefault);
AFX_CORE_API BOOL PX_Bool(CPropExchange* pPX, LPCTSTR pszPropName, BOOL& bValue);
AFX_CORE_API BOOL PX_Bool(CPropExchange* pPX, LPCTSTR pszPropName, BOOL& bValue, BOOL bDefault);
AFX_CORE_API BOOL PX_String(CPropExchange* pPX, LPCTSTR pszPropName, CString& strValue);
AFX_CORE_API BOOL PX_String(CPropExchange* pPX, LPCTSTR pszPropName, CString& strValue, const CString& strDefault);
AFX_CORE_API BOOL PX_Color(CPropExchange* pPX, LPCTSTR pszPropName, OLE_COLOR& clrValue);
AFX_CORE_API BOOL PX_Color(CPropExchange* pPX, LPCTSTR pszPropName, OLE_COLOR& clrValue, OLE_COLOR clrDefault);
AFX_CORE_API BOOL PX_Font(CPropExchange* pPX, LPCTSTR pszPropName, CFontHolder& font,
                          const FONTDESC* pFontDesc = nullptr, IFontDisp* pFontDispAmbient = nullptr);
AFX_CORE_API BOOL PX_ULong(CPropExchange* pPX, LPCTSTR pszPropName, ULONG& ulValue);
AFX_CORE_API BOOL PX_ULong(CPropExchange* pPX, LPCTSTR pszPropName, ULONG& ulValue, ULONG ulDefault);
AFX_CORE_API BOOL PX_Double(CPropExchange* pPX, LPCTSTR pszPropName, double& doubleValue);
AFX_CORE_API BOOL PX_Double(CPropExchange* pPX, LPCTSTR pszPropName, double& doubleValue, double doubleDefault);
