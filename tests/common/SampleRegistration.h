#pragma once
#include <windows.h>

namespace E2e {

// Registers a sample server (the text object unless told) as regsvr32 would, through its own
// entry points, and unregisters it again afterwards unless its ProgID was registered before.
class SampleRegistration
{
public:
    SampleRegistration();
    SampleRegistration(const wchar_t* dllName, const wchar_t* progId);
    SampleRegistration(const SampleRegistration&) = delete;
    SampleRegistration& operator=(const SampleRegistration&) = delete;
    ~SampleRegistration();
    HRESULT Result() const { return m_hrRegister; }

private:
    HMODULE m_hSample;
    bool m_bWasRegistered;
    HRESULT m_hrRegister;
};

} // namespace E2e
