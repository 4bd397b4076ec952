#include "CResetPropExchange.h"

#include "CFontHolder.h"

CResetPropExchange::CResetPropExchange()
{
    m_bLoading = TRUE;
}

BOOL CResetPropExchange::ExchangeVersion(DWORD& dwVersionLoaded, DWORD dwVersionDefault, BOOL)
{
    dwVersionLoaded = dwVersionDefault;
    return TRUE;
}

BOOL CResetPropExchange::ExchangeProp(LPCTSTR, VARTYPE vtProp, void* pvProp, const void* pvDefault)
{
    if (pvDefault != nullptr)
        CopyValue(vtProp, pvProp, pvDefault);
    return TRUE;
}

BOOL CResetPropExchange::ExchangeFont(LPCTSTR, CFontHolder& font, const FONTDESC* pFontDesc,
                                      IFontDisp* pFontDispAmbient)
{
    font.InitializeFont(pFontDesc, pFontDispAmbient);
    return TRUE;
}
