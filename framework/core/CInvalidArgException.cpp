#include "CInvalidArgException.h"

IMPLEMENT_DYNAMIC(CInvalidArgException, CException)

BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(L"Encountered an improper argument.", lpszError, nMaxError);
}

void AfxThrowInvalidArgException()
{
    throw CInvalidArgException();
}
