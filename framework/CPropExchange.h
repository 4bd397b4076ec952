// The context of one exchange of a control's properties with a persisted property set: a
// property bag or a stream, loading or saving.
//
// A concrete exchange implements ExchangeVersion and ExchangeProp; the PX_ functions are the
// typed entry points that controls call. With keys (a property bag) each value is found by its
// name; in a stream the values simply follow one another in the order they are exchanged.
#pragma once
#include "Afx.h"

#include <oleauto.h>

class AFX_CORE_API CPropExchange
{
public:
    virtual ~CPropExchange() = default;

    // Non-zero while loading the properties, zero while saving them.
    BOOL IsLoading() const { return m_bLoading; }

    // Loading: reads the stored version into dwVersionLoaded (dwVersionDefault when there is
    // none). Saving: writes dwVersionDefault. Zero when the property set cannot be read or
    // written.
    virtual BOOL ExchangeVersion(DWORD& dwVersionLoaded, DWORD dwVersionDefault, BOOL bConvert) = 0;
    // Exchanges one value of type vtProp (VT_I2, VT_I4, VT_UI4, VT_BOOL, VT_R8, VT_BSTR ...)
    // at pvProp. On loading a missing value takes *pvDefault when one is given, and leaves
    // *pvProp alone otherwise. Zero when the value could not be read or written.
    virtual BOOL ExchangeProp(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault = nullptr) = 0;

protected:
    CPropExchange() = default;

    BOOL m_bLoading = FALSE;
};

AFX_CORE_API BOOL PX_ULong(CPropExchange* pPX, LPCTSTR pszPropName, ULONG& ulValue);
AFX_CORE_API BOOL PX_ULong(CPropExchange* pPX, LPCTSTR pszPropName, ULONG& ulValue, ULONG ulDefault);
AFX_CORE_API BOOL PX_Double(CPropExchange* pPX, LPCTSTR pszPropName, double& doubleValue);
AFX_CORE_API BOOL PX_Double(CPropExchange* pPX, LPCTSTR pszPropName, double& doubleValue, double doubleDefault);
