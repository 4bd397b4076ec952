// Base of the framework's exceptions. They are thrown by value and caught by reference.
#pragma once
#include "CObject.h"

class AFX_CORE_API CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    // Copies the message for the user into the buffer (at most nMaxError characters with the
    // terminating zero); returns zero when there is no message.
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) const;
#ifdef _WIN32
    // Tells the user in a message box of type nType: the exception's own message, else string
    // nMessageID, else the framework's word that no message is available. Returns the box's
    // answer, or 0 when no reporter is installed.
    int ReportError(UINT nType = MB_OK, UINT nMessageID = 0) const;

    // The box belongs to the dialogs, a layer above the exceptions, which every layer throws:
    // rather than move the class up, the dialogs install the routine that shows the box when
    // the framework is loaded (beside AfxMessageBox), and the core stays free of windows.
    using Reporter = int (*)(const CException& e, UINT nType, UINT nMessageID);
    static void SetReporter(Reporter pfnReport);
#endif

protected:
    static BOOL CopyMessage(const wchar_t* text, LPTSTR lpszError, UINT nMaxError);
};
