// The entry points of a test's in-process server that registers its classes alone, in no
// report-object category, so that nothing of it stays listed once the test has unregistered it.
// Written once in one file of the server: QLN_TEST_CLASS_SERVER()
#pragma once
#include "COleObjectFactory.h"

#include <olectl.h>

#define QLN_TEST_CLASS_SERVER()                                                                 \
    extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)    \
    {                                                                                           \
        return COleObjectFactory::DllGetClassObject(rclsid, riid, ppv);                         \
    }                                                                                           \
    extern "C" HRESULT __stdcall DllCanUnloadNow()                                              \
    {                                                                                           \
        return COleObjectFactory::DllCanUnloadNow();                                            \
    }                                                                                           \
    extern "C" HRESULT __stdcall DllRegisterServer()                                            \
    {                                                                                           \
        return COleObjectFactory::UpdateRegistryAll(TRUE) ? S_OK : SELFREG_E_CLASS;             \
    }                                                                                           \
    extern "C" HRESULT __stdcall DllUnregisterServer()                                          \
    {                                                                                           \
        return COleObjectFactory::UpdateRegistryAll(FALSE) ? S_OK : SELFREG_E_CLASS;            \
    }
