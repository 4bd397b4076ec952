#include "QLNBaseLibrary.h"

#include "CDynLinkLibrary.h"
#include "QLNMultiLineCenteredStatic.h"
#include "QLNTextPropertySheet.h"

#include <new>
#include <objbase.h>

namespace {

AFX_EXTENSION_MODULE g_extensionModule = {FALSE, nullptr, nullptr};
// Whether the start-up's initialisation of the component-object library counts and must be
// undone: not when the loading thread was already in another apartment (a multithreaded one
// answers RPC_E_CHANGED_MODE), whose owner uninitialises it.
BOOL g_bComInitialized = FALSE;

BOOL OnProcessAttach(HINSTANCE hInstance)
{
    if (!AfxInitExtensionModule(g_extensionModule, hInstance))
        return FALSE;
    g_bComInitialized = SUCCEEDED(::CoInitialize(nullptr));
    QLNRegisterMultiLineCenteredStatic(hInstance);
    CQLNTextBaseCtrl::SetPropertySheetShower(&CQLNTextPropertySheet::Show);
    return TRUE;
}

void OnProcessDetach()
{
    CQLNTextBaseCtrl::SetPropertySheetShower(nullptr);
    QLNUnregisterMultiLineCenteredStatic(g_extensionModule.hModule);
    if (g_bComInitialized)
        ::CoUninitialize();
    g_bComInitialized = FALSE;
    AfxTermExtensionModule(g_extensionModule, FALSE);
}

} // namespace

CDynLinkLibrary* QLV_BaseLibInit()
{
    // The link belongs to the calling library, found from where the call came from: it goes when
    // that library's module state ends, so that loading and unloading it again and again while
    // this library stays loaded does not lengthen the chain.
    HMODULE hCaller = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         static_cast<LPCWSTR>(__builtin_return_address(0)), &hCaller);
    CDynLinkLibrary* pLink = new (std::nothrow) CDynLinkLibrary(g_extensionModule, FALSE);
    if (pLink != nullptr)
        pLink->m_hOwner = hCaller;
    return pLink;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    switch (dwReason) {
    case DLL_PROCESS_ATTACH:
        return OnProcessAttach(hInstance);
    case DLL_PROCESS_DETACH:
        OnProcessDetach();
        return TRUE;
    default:
        return TRUE;
    }
}
