// The sample help-file locator, registered for the length of a test by calling its own
// registration entry points, as regsvr32 would; unregistered again afterwards unless it was
// registered before.
#pragma once
#include "E2eSupport.h"

#include <string>

class LocatorRegistration
{
public:
    LocatorRegistration() : m_hLocator(::LoadLibraryW(LocatorPath().c_str())), m_bWasRegistered(IsRegistered()) {}
    LocatorRegistration(const LocatorRegistration&) = delete;
    LocatorRegistration& operator=(const LocatorRegistration&) = delete;
    ~LocatorRegistration()
    {
        m_bWasRegistered ? Register() : Unregister();
        if (m_hLocator != nullptr)
            ::FreeLibrary(m_hLocator);
    }

    HRESULT Register() { return CallEntry("DllRegisterServer"); }
    HRESULT Unregister() { return CallEntry("DllUnregisterServer"); }

    static std::wstring LocatorPath() { return E2e::BinDirectory() + L"QLNHelpLocator.dll"; }
    static bool IsRegistered()
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID\\{B2E6DBFF-E614-4BAE-9710-AE97A9AD5865}", 0, KEY_READ, &hKey)
            != ERROR_SUCCESS)
            return false;
        ::RegCloseKey(hKey);
        return true;
    }

private:
    HRESULT CallEntry(const char* name)
    {
        typedef HRESULT(STDAPICALLTYPE * EntryProc)();
        const auto entry = m_hLocator != nullptr ? reinterpret_cast<EntryProc>(::GetProcAddress(m_hLocator, name))
                                                 : nullptr;
        return entry != nullptr ? entry() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    }

    HMODULE m_hLocator;
    bool m_bWasRegistered;
};
