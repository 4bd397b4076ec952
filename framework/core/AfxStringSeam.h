// The one place where the string type reaches the platform: finding a string resource.
// The Windows build searches the current module (see AFX_MODULE_STATE.h) and then the
// extension-library chain (CDynLinkLibrary.cpp); a native build links a table of its own instead.
#pragma once
#include "Afx.h"

// On success points text at the resource's characters (not zero-terminated, owned by the
// module that holds them) and sets length; returns zero when no module has the string.
AFX_CORE_API BOOL AfxFindStringResource(UINT nID, const wchar_t*& text, int& length);
