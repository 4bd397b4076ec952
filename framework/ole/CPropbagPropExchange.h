// Exchange with a property bag, each value under its name.
//
// Values are asked for in their own type (the bag converts); a value that the bag has but that
// cannot be read as that type makes the exchange fail, so that a corrupt bag is refused rather
// than half loaded. Each bad value is told to the error log, when there is one, with the
// property's name and the value as the bag holds it. A font is kept as its properties under "<name>.Name", "<name>.Size"
// (currency, points), "<name>.Weight", "<name>.Charset", "<name>.Italic", "<name>.Underline"
// and "<name>.Strikethrough".
#pragma once
#include "CPropExchange.h"

#include <ocidl.h>

class AFX_CORE_API CPropbagPropExchange : public CPropExchange
{
public:
    CPropbagPropExchange(IPropertyBag* pPropBag, IErrorLog* pErrorLog, BOOL bLoading);
    BOOL ExchangeVersion(DWORD& dwVersionLoaded, DWORD dwVersionDefault, BOOL bConvert) override;
    BOOL ExchangeProp(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault = nullptr) override;
    BOOL ExchangeFont(LPCTSTR pszPropName, CFontHolder& font, const FONTDESC* pFontDesc,
                      IFontDisp* pFontDispAmbient) override;
    void ReportBadValue(LPCTSTR pszPropName, HRESULT hr) override;

private:
    // Reads one value as vt (VT_EMPTY: as the bag holds it) into *pvar: S_OK, S_FALSE when the
    // bag lacks it, or a failure.
    HRESULT Read(LPCTSTR pszName, VARTYPE vt, VARIANT* pvar);
    BOOL Write(LPCTSTR pszName, VARIANT* pvar);

    IPropertyBag* m_pPropBag;
    IErrorLog* m_pErrorLog;
};
