#include "QLNBaseLibrary.h"

#include "CDynLinkLibrary.h"
#include "QLNMultiLineCenteredStatic.h"

#include <new>
#include <objbase.h>

namespace {

AFX_EXTENSION_MODULE g_extensionModule = {FALSE, nullptr, nullptr};

BOOL OnProcessAttach(HINSTANCE hInstance)
{
    if (!AfxInitExtensionModule(g_extensionModule, hInstance))
        return FALSE;
    ::CoInitialize(nullptr);
    QLNRegisterMultiLineCenteredStatic(hInstance);
    return TRUE;
}

void OnProcessDetach()
{
    QLNUnregisterMultiLineCenteredStatic(g_extensionModule.hModule);
    ::CoUninitialize();
    AfxTermExtensionModule(g_extensionModule, FALSE);
}

} // namespace

CDynLinkLibrary* QLV_BaseLibInit()
{
    return new (std::nothrow) CDynLinkLibrary(g_extensionModule, FALSE);
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
