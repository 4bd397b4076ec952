// Class factories of the in-process servers, their registration, and the module's lock count.
//
// A server declares one static factory per creatable class; DllGetClassObject, DllCanUnloadNow,
// DllRegisterServer and DllUnregisterServer of the server hand over to the static members.
#pragma once
#include "CCmdTarget.h"

#include <objbase.h>

class COleControl;

class AFX_CORE_API COleObjectFactory : public IClassFactory
{
public:
    typedef COleControl* (*PFNCREATE)();

    // lpszProgID and lpszUserType may be null; the version-independent ProgID is the ProgID
    // without its last dotted part.
    COleObjectFactory(REFCLSID clsid, PFNCREATE pfnCreate, LPCTSTR lpszProgID, LPCTSTR lpszUserType);
    ~COleObjectFactory();

    // Registers or removes the class under HKEY_CLASSES_ROOT as an in-process control server
    // in hInstance's file, apartment-threaded; returns zero when the registry refused.
    BOOL UpdateRegistry(BOOL bRegister, HINSTANCE hInstance);

    static HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv);
    static HRESULT DllCanUnloadNow();
    static BOOL UpdateRegistryAll(BOOL bRegister, HINSTANCE hInstance);
    // Counts live objects and server locks; the server may unload when none is left.
    static void LockModule(BOOL bLock);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;

    COleObjectFactory(const COleObjectFactory&) = delete;
    COleObjectFactory& operator=(const COleObjectFactory&) = delete;

    const CLSID m_clsid;

private:
    PFNCREATE m_pfnCreate;
    LPCTSTR m_lpszProgID;
    LPCTSTR m_lpszUserType;
    COleObjectFactory* m_pNextFactory;
};
