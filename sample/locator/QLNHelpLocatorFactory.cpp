#include "QLNHelpLocatorFactory.h"

#include "QLNHelpLocator.h"
#include "QLNHelpLocatorModule.h"

#include <new>
#include <wrl/client.h>

HRESULT CQLNHelpLocatorFactory::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

// A handed-out factory keeps the server loaded, as a server lock would.
ULONG CQLNHelpLocatorFactory::AddRef()
{
    QLNHelpLocatorAddRef();
    return 2;
}

ULONG CQLNHelpLocatorFactory::Release()
{
    QLNHelpLocatorRelease();
    return 1;
}

HRESULT CQLNHelpLocatorFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter != nullptr)
        return CLASS_E_NOAGGREGATION;
    // The holder takes the reference the object is made with (the tool chain's Attach would
    // add one).
    Microsoft::WRL::ComPtr<CQLNHelpLocator> locator;
    *locator.GetAddressOf() = new (std::nothrow) CQLNHelpLocator;
    if (locator == nullptr)
        return E_OUTOFMEMORY;
    return locator->QueryInterface(riid, ppv);
}

HRESULT CQLNHelpLocatorFactory::LockServer(BOOL fLock)
{
    if (fLock)
        QLNHelpLocatorAddRef();
    else
        QLNHelpLocatorRelease();
    return S_OK;
}
