// The sample help-file locator, registered for the length of a test by calling its own
// registration entry points, as regsvr32 would; unregistered again afterwards unless it was
// registered before.
#pragma once
#include <windows.h>

#include <string>

class LocatorRegistration
{
public:
    LocatorRegistration();
    LocatorRegistration(const LocatorRegistration&) = delete;
    LocatorRegistration& operator=(const LocatorRegistration&) = delete;
    ~LocatorRegistration();

    HRESULT Register();
    HRESULT Unregister();

    static std::wstring LocatorPath();
    static bool IsRegistered();

private:
    HRESULT CallEntry(const char* name);

    HMODULE m_hLocator;
    bool m_bWasRegistered;
};
