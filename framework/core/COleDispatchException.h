// An automation error: what a dispatch interface answers with DISP_E_EXCEPTION and its description.
#pragma once
#include "CException.h"
#include "CString.h"

class AFX_CORE_API COleDispatchException : public CException
{
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode);
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const override;

    WORD m_wCode;            // application error code, or 0 when m_scError applies
    SCODE m_scError;         // status code when m_wCode is 0
    CString m_strSource;     // application or object that raised it
    CString m_strDescription;
    CString m_strHelpFile;
    DWORD m_dwHelpContext;
};

[[noreturn]] AFX_CORE_API void AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID = 0);
