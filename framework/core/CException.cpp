#include "CException.h"

#include <cwchar>

IMPLEMENT_DYNAMIC(CException, CObject)

#ifdef _WIN32
namespace {

CException::Reporter g_pfnReport = nullptr;

} // namespace

void CException::SetReporter(Reporter pfnReport)
{
    g_pfnReport = pfnReport;
}

int CException::ReportError(UINT nType, UINT nMessageID) const
{
    return g_pfnReport != nullptr ? g_pfnReport(*this, nType, nMessageID) : 0;
}
#endif

BOOL CException::CopyMessage(const wchar_t* text, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    size_t n = wcslen(text);
    if (n >= nMaxError)
        n = nMaxError - 1;
    wmemcpy(lpszError, text, n);
    lpszError[n] = L'\0';
    return TRUE;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        lpszError[0] = L'\0';
    return FALSE;
}
