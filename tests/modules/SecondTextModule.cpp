// The second library's server. It links nothing into the resource chain (no QLV_BaseLibInit):
// the base library's own texts must be found all the same.
#include "SecondTextCtrl.h"

#include "COleObjectFactory.h"

namespace {

COleObjectFactory g_factory(CLSID_SecondTextCtrl, &AfxCreateControl<CSecondTextCtrl>, L"QLNSecond.TextCtrl.1",
                            L"Second Text Object");

} // namespace

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
    return COleObjectFactory::UpdateRegistryAll(TRUE) ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT __stdcall DllUnregisterServer()
{
    return COleObjectFactory::UpdateRegistryAll(FALSE) ? S_OK : SELFREG_E_CLASS;
}
