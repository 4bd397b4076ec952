// The Help button of a page or dialog: context help as OpenHtmlHelp opens it, with a locator
// that fails to give the help file's path reported to the user instead of raised.
#pragma once
#include "QLNBaseExport.h"

#include <windows.h>

// Opens topic contextId over owner; a failure is shown in a message box that owner owns, with
// the locator's own description when it gave one, else the system's text for the failure code.
// When no viewer opens (no HTML Help, no help file, a topic the file lacks) a message says so.
QLN_BASE_API void QLNOpenPageHelp(HWND owner, DWORD contextId);
