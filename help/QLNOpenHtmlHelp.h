// Context help for the pages and dialogs of the report objects.
#pragma once
#include "QLNBaseExport.h"

#include "CString.h"

#include <comdef.h>

// Opens the topic contextId of the report objects' help file over owner. The file's path comes
// from the help-file locator; without a locator, HTML Help is asked with an empty path. Without
// HTML Help nothing happens.
//
// Throws _com_error when the locator exists but fails to give the path. Callers catch it: it
// must not leave a window procedure or a COM method.
QLN_BASE_EXTERN_C void OpenHtmlHelp(HWND owner, DWORD contextId);

// The same, answering the viewer's window: null when no viewer opened (no HTML Help, no help
// file at the path, or a context the file does not know). The path asked for goes to pHelpFile.
// The system's own HTML Help control is asked through its viewer program, in a process of its
// own (QLNStartHelpViewer); a control installed in its place is called in this process.
HWND QLNOpenHtmlHelpViewer(HWND owner, DWORD contextId, CString* pHelpFile = nullptr);
