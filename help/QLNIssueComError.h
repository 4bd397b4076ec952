// Raising a failed COM call as the platform's COM error (_com_error), the way the platform's
// generated interface wrappers do.
#pragma once
#include <comdef.h>

// Throws _com_error carrying hr and, when pObject declares through ISupportErrorInfo that it
// sets error information on riid, the error information the thread now holds. Never returns.
[[noreturn]] void QLNIssueComError(HRESULT hr, IUnknown* pObject, REFIID riid);
