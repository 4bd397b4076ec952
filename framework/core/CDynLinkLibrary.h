// Extension libraries and the resource chain.
//
// Each extension library keeps one AFX_EXTENSION_MODULE for the life of the process. A
// CDynLinkLibrary links such a module into the process's resource chain so that its strings
// and dialogs are found from any module's code. Resources are looked up first in the resource
// module of the current module state (AfxGetResourceHandle: the module whose code is running)
// and then along the chain, newest link first; the program's resources are searched only while
// the program's own state is current.
#pragma once
#include "CObject.h"

struct AFX_EXTENSION_MODULE
{
    BOOL bInitialized;
    HMODULE hModule;
    HMODULE hResource;
};

class AFX_CORE_API CDynLinkLibrary : public CObject
{
    DECLARE_DYNAMIC(CDynLinkLibrary)
public:
    // bSystem marks a link of the framework's own; a library's links are created with FALSE.
    explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
    ~CDynLinkLibrary() override;

    HMODULE m_hModule;
    HMODULE m_hResource;
    BOOL m_bSystem;
    CDynLinkLibrary* m_pNextDLL;
    // The module the link was made for, whose module state ending frees it (see
    // AfxFreeLinksOwnedBy); null for a link that lives until its own library's record ends.
    HMODULE m_hOwner;

    // The first link of the chain (newest), or null.
    static CDynLinkLibrary* GetHead();

    CDynLinkLibrary(const CDynLinkLibrary&) = delete;
    CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;
};

// Records the module; returns zero when hModule is null. A second call for the same record
// succeeds without change.
AFX_CORE_API BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes the links that were made for this module (all of them when bAll is non-zero, else
// those not marked as system links) and clears the record.
AFX_CORE_API void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

// The module whose resources are searched first: that of the current module state, by default
// the module itself. AfxSetResourceHandle redirects it for the current state; null undoes that.
AFX_CORE_API HINSTANCE AfxGetResourceHandle();
AFX_CORE_API void AfxSetResourceHandle(HINSTANCE hInstResource);
// The module that holds the given string resource, searched as LoadString searches; or null.
AFX_CORE_API HINSTANCE AfxFindStringResourceHandle(UINT nID);
// The module that holds the resource of this name and type (a dialog template: RT_DIALOG),
// searched in the same order; or null.
AFX_CORE_API HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);
