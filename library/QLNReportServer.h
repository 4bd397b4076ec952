// The entry points every report object's in-process server has: start-up that joins the server
// to the library (QLV_BaseLibInit, so its own strings and templates are found while its objects
// run), the class factories, and registration that enters the server's class in its report-object
// category. A server defines its COleObjectFactory objects and writes, once, in one of its files:
//     QLN_REPORT_SERVER(QLN_CATEGORY_TABLE_OBJECTS, CLSID_MyTableCtrl)
// The macro expands in the server's own module, so the factories it reaches are that module's.
#pragma once
#include "COleObjectFactory.h"
#include "QLNAddComponent.h"
#include "QLNBaseLibrary.h"

#include <olectl.h>

// The class factories' entry points and unregistration, which every server has alike.
#define QLN_SERVER_FACTORY_ENTRIES()                                                                        \
    extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)                \
    {                                                                                                       \
        return COleObjectFactory::DllGetClassObject(rclsid, riid, ppv);                                     \
    }                                                                                                       \
    extern "C" HRESULT __stdcall DllCanUnloadNow()                                                          \
    {                                                                                                       \
        return COleObjectFactory::DllCanUnloadNow();                                                        \
    }                                                                                                       \
    extern "C" HRESULT __stdcall DllUnregisterServer()                                                      \
    {                                                                                                       \
        return COleObjectFactory::UpdateRegistryAll(FALSE) ? S_OK : SELFREG_E_CLASS;                        \
    }

#define QLN_REPORT_SERVER(category, clsid)                                                                  \
    extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID)                                       \
    {                                                                                                       \
        if (dwReason == DLL_PROCESS_ATTACH)                                                                 \
            QLV_BaseLibInit();                                                                              \
        return TRUE;                                                                                        \
    }                                                                                                       \
    QLN_SERVER_FACTORY_ENTRIES()                                                                            \
    extern "C" HRESULT __stdcall DllRegisterServer()                                                        \
    {                                                                                                       \
        if (!COleObjectFactory::UpdateRegistryAll(TRUE))                                                    \
            return SELFREG_E_CLASS;                                                                         \
        return fnAddComponent((category), (clsid)) ? S_OK : SELFREG_E_CLASS;                                \
    }

// A server of classes that enter no report-object category (so that nothing of them stays listed
// once they are unregistered) and that starts nothing of its own when it is loaded: it chooses
// itself whether to join the library with QLV_BaseLibInit.
#define QLN_CLASS_SERVER()                                                                                  \
    QLN_SERVER_FACTORY_ENTRIES()                                                                            \
    extern "C" HRESULT __stdcall DllRegisterServer()                                                        \
    {                                                                                                       \
        return COleObjectFactory::UpdateRegistryAll(TRUE) ? S_OK : SELFREG_E_CLASS;                         \
    }
