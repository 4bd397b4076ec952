// The sample's in-process server: its entry, class factory and registration.
#include "QLNSampleTextCtrl.h"

#include "CDynLinkLibrary.h"
#include "COleObjectFactory.h"

namespace {

AFX_EXTENSION_MODULE g_module = {FALSE, nullptr, nullptr};
HINSTANCE g_hInstance = nullptr;

COleObjectFactory g_factory(CLSID_QLNSampleTextCtrl, &CQLNSampleTextCtrl::CreateObject, L"QLNSample.TextCtrl.1",
                            L"Sample Text Object");

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        g_hInstance = hInstance;
        // The catalogue and title strings are this module's; the library's strings and
        // dialogs come through its own link.
        if (!AfxInitExtensionModule(g_module, hInstance))
            return FALSE;
        new CDynLinkLibrary(g_module);
        QLV_BaseLibInit();
    } else if (dwReason == DLL_PROCESS_DETACH) {
        AfxTermExtensionModule(g_module, FALSE);
    }
    return TRUE;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    return COleObjectFactory::DllGetClassObject(rclsid, riid, ppv);
}

extern "C" HRESULT __stdcall DllCanUnloadNow()
{
    return COleObjectFactory::DllCanUnloadNow();
}

extern "C" HRESULT __stdcall DllRegisterServer()
{
    if (!g_factory.UpdateRegistry(TRUE, g_hInstance))
        return SELFREG_E_CLASS;
    return fnAddComponent(QLN_CATEGORY_TEXT_OBJECTS, CLSID_QLNSampleTextCtrl) ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT __stdcall DllUnregisterServer()
{
    return g_factory.UpdateRegistry(FALSE, g_hInstance) ? S_OK : SELFREG_E_CLASS;
}
