// Class factory of the help-file locator.
#pragma once
#include <unknwn.h>

class CQLNHelpLocatorFactory : public IClassFactory
{
public:
    // IUnknown. The factory is a static object of the module: its references do not own it.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IClassFactory. The locator cannot be aggregated.
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL fLock) override;
};
