// Class factories of the in-process servers and their registration.
//
// A server declares one static factory per creatable class. Each factory belongs to the module
// that declares it and is listed in that module's state; DllGetClassObject, DllCanUnloadNow,
// DllRegisterServer and DllUnregisterServer of the server hand over to the static members,
// which answer for the calling module only. The objects a factory makes lock their module
// (see COleControl), and the factory makes its module's state current while it creates one.
#pragma once
#include "CCmdTarget.h"

#include <objbase.h>

class AFX_CORE_API COleObjectFactory : public IClassFactory
{
public:
    // Makes a new object of the class; clsid is the class it is made as. Null when it cannot.
    typedef CCmdTarget* (*PFNCREATE)(REFCLSID clsid);

    // lpszProgID and lpszUserType may be null; the version-independent ProgID is the ProgID
    // without its last dotted part. The factory joins the list of the declaring module.
    COleObjectFactory(REFCLSID clsid, PFNCREATE pfnCreate, LPCTSTR lpszProgID, LPCTSTR lpszUserType,
                      AFX_MODULE_STATE* pModuleState = AfxGetStaticModuleState());
    ~COleObjectFactory();

    // Registers or removes the class under HKEY_CLASSES_ROOT as an in-process control server
    // in its module's file, apartment-threaded; returns zero when the registry refused.
    // Removing leaves a ProgID that names another class (another version's) alone.
    BOOL UpdateRegistry(BOOL bRegister);

    // The static members act on the factories of the calling module (pModuleState is left to
    // its default, which each module evaluates as its own state).
    static HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv,
                                     AFX_MODULE_STATE* pModuleState = AfxGetStaticModuleState());
    static HRESULT DllCanUnloadNow(AFX_MODULE_STATE* pModuleState = AfxGetStaticModuleState());
    static BOOL UpdateRegistryAll(BOOL bRegister, AFX_MODULE_STATE* pModuleState = AfxGetStaticModuleState());

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;

    COleObjectFactory(const COleObjectFactory&) = delete;
    COleObjectFactory& operator=(const COleObjectFactory&) = delete;

    const CLSID m_clsid;

private:
    AFX_MODULE_STATE* m_pModuleState;
    PFNCREATE m_pfnCreate;
    LPCTSTR m_lpszProgID;
    LPCTSTR m_lpszUserType;
    COleObjectFactory* m_pNextFactory;
};
