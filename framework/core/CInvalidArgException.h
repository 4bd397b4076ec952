// An argument out of its range, such as an index past the end of an array.
#pragma once
#include "CException.h"

class AFX_CORE_API CInvalidArgException : public CException
{
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;
};

[[noreturn]] AFX_CORE_API void AfxThrowInvalidArgException();
