// Out of memory.
#pragma once
#include "CException.h"

class AFX_CORE_API CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

[[noreturn]] AFX_CORE_API void AfxThrowMemoryException();
