#include "SampleRegistration.h"

#include "E2eSupport.h"

#include <objbase.h>

namespace E2e {

namespace {

bool IsRegistered(const wchar_t* progId)
{
    CLSID clsid;
    return SUCCEEDED(::CLSIDFromProgID(progId, &clsid));
}

HRESULT CallEntry(HMODULE hModule, const char* name)
{
    const auto entry = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(hModule ? ::GetProcAddress(hModule, name) : nullptr);
    return entry != nullptr ? entry() : HRESULT_FROM_WIN32(hModule ? ERROR_PROC_NOT_FOUND : ERROR_MOD_NOT_FOUND);
}

} // namespace

SampleRegistration::SampleRegistration() : SampleRegistration(L"QLNSampleText.dll", kProgId)
{
}

SampleRegistration::SampleRegistration(const wchar_t* dllName, const wchar_t* progId)
    : m_hSample(::LoadLibraryW((BinDirectory() + dllName).c_str())), m_bWasRegistered(IsRegistered(progId)),
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
