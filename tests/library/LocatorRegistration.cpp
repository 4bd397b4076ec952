#include "LocatorRegistration.h"

#include "HtmlHelpRecorderProbe.h"

namespace {

const wchar_t g_locatorClassKey[] = L"CLSID\\{B2E6DBFF-E614-4BAE-9710-AE97A9AD5865}";

} // namespace

LocatorRegistration::LocatorRegistration()
    : m_hLocator(::LoadLibraryW(LocatorPath().c_str())), m_bWasRegistered(IsRegistered())
{
}

LocatorRegistration::~LocatorRegistration()
{
    if (m_bWasRegistered)
        Register();
    else
        Unregister();
    if (m_hLocator != nullptr)
        ::FreeLibrary(m_hLocator);
}

HRESULT LocatorRegistration::Register()
{
    return CallEntry("DllRegisterServer");
}

HRESULT LocatorRegistration::Unregister()
{
    return CallEntry("DllUnregisterServer");
}

std::wstring LocatorRegistration::LocatorPath()
{
    return HtmlHelpRecorderProbe::BinDirectory() + L"QLNHelpLocator.dll";
}

bool LocatorRegistration::IsRegistered()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, g_locatorClassKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

HRESULT LocatorRegistration::CallEntry(const char* name)
{
    if (m_hLocator == nullptr)
        return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    typedef HRESULT(STDAPICALLTYPE * EntryProc)();
    const auto entry = reinterpret_cast<EntryProc>(::GetProcAddress(m_hLocator, name));
    return entry != nullptr ? entry() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}
