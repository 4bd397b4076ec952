// Start-up of the library and linking of its resources into dependent libraries.
#pragma once
#include "QLNBaseExport.h"

class CDynLinkLibrary;

// Called once by each dependent report-object library while it initialises: links this
// library's strings, dialogs and classes into the resource chain so that they are found from
// the caller's code. Returns the new link (owned by the framework) or null when memory ran out.
QLN_BASE_EXTERN_C CDynLinkLibrary* QLV_BaseLibInit();
