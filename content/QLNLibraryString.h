// Strings of the library's own string table, for code inside the library.
#pragma once
#include "CString.h"

// Loads the string as CString::LoadString does (the module whose code is running, then the
// resource chain), and when no module on that road has it, from this library's own module: the
// library's strings are linked into the chain only once a dependent library has called
// QLV_BaseLibInit, and the library's code must find them even when one forgot. Returns zero,
// with an empty string, when not even the library has it.
BOOL QLNLoadLibraryString(CString& str, UINT nID);
