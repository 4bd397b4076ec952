// Message boxes of the application and the framework's own prompts.
#pragma once
#include "CString.h"

// A message box owned by the active window and centred on it, captioned with the application's
// name. With a
// help context, F1 or the box's Help button (MB_HELP) sends WM_HELP with that context to the
// owner.
AFX_CORE_API int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The same with a string resource; its help context defaults to the string's id.
AFX_CORE_API int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// Loads string nIDS (the resource search first, then the framework's own strings) and puts
// lpsz1 for each %1 and lpsz2 for each %2.
AFX_CORE_API void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
AFX_CORE_API void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
