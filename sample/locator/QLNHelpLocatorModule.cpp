// Entry points of the help-file locator server.
#include "QLNHelpLocatorModule.h"

#include "QLNHelpFileLocator.h"
#include "QLNHelpLocatorFactory.h"

#include <objbase.h>
#include <olectl.h>

#include <string>

namespace {

HMODULE g_hInstance = nullptr;
LONG g_nLocks = 0;
CQLNHelpLocatorFactory g_factory;

const wchar_t g_description[] = L"Report objects help-file locator";

std::wstring ClassKey()
{
    wchar_t classId[40] = {};
    ::StringFromGUID2(CLSID_QLNHelpFileLocator, classId, 40);
    return std::wstring(L"CLSID\\") + classId;
}

LONG SetStringValue(HKEY hKey, const wchar_t* name, const std::wstring& value)
{
    return ::RegSetValueExW(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

// Creates (or opens) HKCR\subKey and sets its default value.
LONG WriteKey(const std::wstring& subKey, const std::wstring& defaultValue, HKEY* phKey)
{
    LONG result = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, subKey.c_str(), 0, nullptr, 0, KEY_WRITE,
                                    nullptr, phKey, nullptr);
    if (result == ERROR_SUCCESS)
        result = SetStringValue(*phKey, nullptr, defaultValue);
    return result;
}

HRESULT Register()
{
    wchar_t modulePath[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(g_hInstance, modulePath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return SELFREG_E_CLASS;
    HKEY hClass = nullptr;
    LONG result = WriteKey(ClassKey(), g_description, &hClass);
    if (hClass != nullptr)
        ::RegCloseKey(hClass);
    HKEY hServer = nullptr;
    if (result == ERROR_SUCCESS)
        result = WriteKey(ClassKey() + L"\\InprocServer32", modulePath, &hServer);
    // The locator is called from the report objects' user-interface thread only.
    if (result == ERROR_SUCCESS)
        result = SetStringValue(hServer, L"ThreadingModel", L"Apartment");
    if (hServer != nullptr)
        ::RegCloseKey(hServer);
    return result == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

} // namespace

HMODULE QLNHelpLocatorInstance()
{
    return g_hInstance;
}

void QLNHelpLocatorAddRef()
{
    ::InterlockedIncrement(&g_nLocks);
}

void QLNHelpLocatorRelease()
{
    ::InterlockedDecrement(&g_nLocks);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID)
{
    if (dwReason == DLL_PROCESS_ATTACH) {
        g_hInstance = hInstance;
        ::DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (rclsid != CLSID_QLNHelpFileLocator)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow()
{
    return g_nLocks == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer()
{
    const HRESULT hr = Register();
    if (FAILED(hr))
        DllUnregisterServer();
    return hr;
}

STDAPI DllUnregisterServer()
{
    const LONG result = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, ClassKey().c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}
