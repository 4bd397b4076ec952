// The sample's in-process server: its entry, class factory and registration.
#include "QLNSampleTextCtrl.h"

#include "COleObjectFactory.h"

namespace {

COleObjectFactory g_factory(CLSID_QLNSampleTextCtrl, &AfxCreateControl<CQLNSampleTextCtrl>, L"QLNSample.TextCtrl.1",
                            L"Sample Text Object");

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
    // The catalogue and title strings are this module's own and are found while its objects
    // run; the library's strings and dialogs come through the library's link.
    if (dwReason == DLL_PROCESS_ATTACH)
        QLV_BaseLibInit();
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
    if (!COleObjectFactory::UpdateRegistryAll(TRUE))
        return SELFREG_E_CLASS;
    return fnAddComponent(QLN_CATEGORY_TEXT_OBJECTS, CLSID_QLNSampleTextCtrl) ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT __stdcall DllUnregisterServer()
{
    return COleObjectFactory::UpdateRegistryAll(FALSE) ? S_OK : SELFREG_E_CLASS;
}
