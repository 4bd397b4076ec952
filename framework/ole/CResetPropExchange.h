// The exchange of a control being reset: every property that has a default takes it; the
// others keep their values. Counts as loading.
#pragma once
#include "CPropExchange.h"

class AFX_CORE_API CResetPropExchange : public CPropExchange
{
public:
    CResetPropExchange();
    BOOL ExchangeVersion(DWORD& dwVersionLoaded, DWORD dwVersionDefault, BOOL bConvert) override;
    BOOL ExchangeProp(LPCTSTR pszPropName, VARTYPE vtProp, void* pvProp, const void* pvDefault = nullptr) override;
    BOOL ExchangeFont(LPCTSTR pszPropName, CFontHolder& font, const FONTDESC* pFontDesc,
                      IFontDisp* pFontDispAmbient) override;
};
