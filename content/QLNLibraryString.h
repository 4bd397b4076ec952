// Strings of the library's own string table, for code inside the library.
#pragma once
#include "CString.h"

// Loads the string as CString::LoadString does (application first, then the resource chain),
// and when no module on that road has it, from this library's own module: the library's
// strings are linked into the chain only once a dependent library has called QLV_BaseLibInit,
// and the library's code must find them before that too. Returns zero, with an empty string,
// when not even the library has it.
BOOL QLNLoadLibraryString(CString& str, UINT nID);
