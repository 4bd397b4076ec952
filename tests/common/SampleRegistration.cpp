#include "SampleRegistration.h"

#include "E2eSupport.h"

#include <objbase.h>

namespace E2e {

namespace {

bool IsRegistered()
{
    CLSID clsid;
    return SUCCEEDED(::CLSIDFromProgID(kProgId, &clsid));
}

HRESULT CallEntry(HMODULE hModule, const char* name)
{
    if (hModule == nullptr)
        return HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND);
    typedef HRESULT(STDAPICALLTYPE * EntryProc)();
    const auto entry = reinterpret_cast<EntryProc>(::GetProcAddress(hModule, name));
    return entry != nullptr ? entry() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

} // namespace

SampleRegistration::SampleRegistration()
    : m_hSample(::LoadLibraryW((BinDirectory() + L"QLNSampleText.dll").c_str())), m_bWasRegistered(IsRegistered()),
      m_hrRegister(CallEntry(m_hSample, "DllRegisterServer"))
{
}

SampleRegistration::~SampleRegistration()
{
    if (!m_bWasRegistered)
        CallEntry(m_hSample, "DllUnregisterServer");
    if (m_hSample != nullptr)
        ::FreeLibrary(m_hSample);
}

} // namespace E2e
