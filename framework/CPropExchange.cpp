#include "CPropExchange.h"

BOOL PX_ULong(CPropExchange* pPX, LPCTSTR pszPropName, ULONG& ulValue)
{
    return pPX != nullptr && pPX->ExchangeProp(pszPropName, VT_UI4, &ulValue);
}

BOOL PX_ULong(CPropExchange* pPX, LPCTSTR pszPropName, ULONG& ulValue, ULONG ulDefault)
{
    return pPX != nullptr && pPX->ExchangeProp(pszPropName, VT_UI4, &ulValue, &ulDefault);
}

BOOL PX_Double(CPropExchange* pPX, LPCTSTR pszPropName, double& doubleValue)
{
    return pPX != nullptr && pPX->ExchangeProp(pszPropName, VT_R8, &doubleValue);
}

BOOL PX_Double(CPropExchange* pPX, LPCTSTR pszPropName, double& doubleValue, double doubleDefault)
{
    return pPX != nullptr && pPX->ExchangeProp(pszPropName, VT_R8, &doubleValue, &doubleDefault);
}
