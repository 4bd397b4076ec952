// The annotation's in-process server: its entry, class factory and registration.
#include "QLNSampleAnnotationCtrl.h"

#include "COleObjectFactory.h"

namespace {

COleObjectFactory g_factory(CLSID_QLNSampleAnnotationCtrl, &AfxCreateControl<CQLNSampleAnnotationCtrl>,
                            L"QLNSample.Annotation.1", L"Sample Annotation");

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)
{
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
    return fnAddComponent(QLN_CATEGORY_GRAPHICAL_OBJECTS, CLSID_QLNSampleAnnotationCtrl) ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT __stdcall DllUnregisterServer()
{
    return COleObjectFactory::UpdateRegistryAll(FALSE) ? S_OK : SELFREG_E_CLASS;
}
