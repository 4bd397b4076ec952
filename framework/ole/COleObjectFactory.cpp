#include "COleObjectFactory.h"

#include "AFX_MAINTAIN_STATE.h"
#include "AfxGuardEntry.h"
#include "CString.h"

namespace {

CString GuidText(REFCLSID clsid)
{
    wchar_t buf[40] = {};
    ::StringFromGUID2(clsid, buf, 40);
    return CString(buf);
}

BOOL SetKey(const CString& key, LPCTSTR lpszName, const CString& value)
{
    HKEY hKey = nullptr;
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return FALSE;
    const LONG result = ::RegSetValueExW(hKey, lpszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()),
                                         static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

void DeleteTree(const CString& key)
{
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key);
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, key);
}

// Removes a ProgID only while it names the class: another version of the server may have taken
// the version-independent ProgID (or even this one) since, and its registration must stay.
void DeleteProgIDOf(const CString& progID, const CString& clsidText)
{
    wchar_t value[64] = {};
    DWORD cb = sizeof value;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, progID + L"\\CLSID", nullptr, RRF_RT_REG_SZ, nullptr, value, &cb) ==
            ERROR_SUCCESS &&
        clsidText.CompareNoCase(value) == 0)
        DeleteTree(progID);
}

} // namespace

COleObjectFactory::COleObjectFactory(REFCLSID clsid, PFNCREATE pfnCreate, LPCTSTR lpszProgID, LPCTSTR lpszUserType,
                                     AFX_MODULE_STATE* pModuleState)
    : m_clsid(clsid), m_pModuleState(pModuleState), m_pfnCreate(pfnCreate), m_lpszProgID(lpszProgID),
      m_lpszUserType(lpszUserType), m_pNextFactory(pModuleState->m_pFactoryList)
{
    pModuleState->m_pFactoryList = this;
}

COleObjectFactory::~COleObjectFactory()
{
    for (COleObjectFactory** pp = &m_pModuleState->m_pFactoryList; *pp != nullptr; pp = &(*pp)->m_pNextFactory)
        if (*pp == this) {
            *pp = m_pNextFactory;
            break;
        }
}

HRESULT COleObjectFactory::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
        *ppv = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// The factories are static objects of their server: references only keep the server loaded.
ULONG COleObjectFactory::AddRef()
{
    m_pModuleState->LockModule(TRUE);
    return 2;
}

ULONG COleObjectFactory::Release()
{
    m_pModuleState->LockModule(FALSE);
    return 1;
}

HRESULT COleObjectFactory::CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (pUnkOuter != nullptr)
        return CLASS_E_NOAGGREGATION;
    // The object remembers the state current while it is made: its own module's.
    AFX_MANAGE_STATE(m_pModuleState);
    return AfxGuardEntry([&] {
        CCmdTarget* pTarget = m_pfnCreate(m_clsid);
        if (pTarget == nullptr)
            return E_OUTOFMEMORY;
        const HRESULT hr = pTarget->ExternalQueryInterface(riid, ppv);
        pTarget->ExternalRelease();
        return hr;
    });
}

HRESULT COleObjectFactory::LockServer(BOOL fLock)
{
    m_pModuleState->LockModule(fLock);
    return S_OK;
}

HRESULT COleObjectFactory::DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv, AFX_MODULE_STATE* pModuleState)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    for (COleObjectFactory* p = pModuleState->m_pFactoryList; p != nullptr; p = p->m_pNextFactory)
        if (p->m_clsid == rclsid)
            return p->QueryInterface(riid, ppv);
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT COleObjectFactory::DllCanUnloadNow(AFX_MODULE_STATE* pModuleState)
{
    return pModuleState->m_nObjectCount == 0 ? S_OK : S_FALSE;
}

BOOL COleObjectFactory::UpdateRegistry(BOOL bRegister)
{
    const CString clsidKey = L"CLSID\\" + GuidText(m_clsid);
    CString progID(m_lpszProgID);
    CString viProgID(progID);
    const int dot = progID.ReverseFind(L'.');
    if (dot > 0 && progID.Find(L'.') != dot)
        viProgID = progID.Left(dot);
    if (!bRegister) {
        DeleteTree(clsidKey);
        if (!progID.IsEmpty())
            DeleteProgIDOf(progID, GuidText(m_clsid));
        if (!viProgID.IsEmpty() && viProgID != progID)
            DeleteProgIDOf(viProgID, GuidText(m_clsid));
        return TRUE;
    }
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameW(m_pModuleState->m_hCurrentInstanceHandle, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return FALSE;
    const CString userType(m_lpszUserType != nullptr ? m_lpszUserType : L"");
    BOOL ok = SetKey(clsidKey, nullptr, userType) && SetKey(clsidKey + L"\\InprocServer32", nullptr, path) &&
              SetKey(clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
              SetKey(clsidKey + L"\\Control", nullptr, L"") &&
              // OLEMISC: activate when visible, set client site first, inside out, can't link
              // inside, recompose on resize.
              SetKey(clsidKey + L"\\MiscStatus", nullptr, L"0") &&
              SetKey(clsidKey + L"\\MiscStatus\\1", nullptr, L"131473") &&
              SetKey(clsidKey + L"\\Verb\\0", nullptr, L"&Edit,0,2") &&
              SetKey(clsidKey + L"\\Verb\\1", nullptr, L"&Properties...,0,2");
    if (ok && !progID.IsEmpty()) {
        ok = SetKey(clsidKey + L"\\ProgID", nullptr, progID) && SetKey(progID, nullptr, userType) &&
             SetKey(progID + L"\\CLSID", nullptr, GuidText(m_clsid));
        if (ok && viProgID != progID)
            ok = SetKey(clsidKey + L"\\VersionIndependentProgID", nullptr, viProgID) &&
                 SetKey(viProgID, nullptr, userType) && SetKey(viProgID + L"\\CLSID", nullptr, GuidText(m_clsid)) &&
                 SetKey(viProgID + L"\\CurVer", nullptr, progID);
    }
    return ok;
}

BOOL COleObjectFactory::UpdateRegistryAll(BOOL bRegister, AFX_MODULE_STATE* pModuleState)
{
    BOOL ok = TRUE;
    for (COleObjectFactory* p = pModuleState->m_pFactoryList; p != nullptr; p = p->m_pNextFactory)
        ok = p->UpdateRegistry(bRegister) && ok;
    return ok;
}
