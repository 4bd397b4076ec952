// An in-process server loaded into the test program, called through its own entry points as the
// system's COM library and regsvr32 call them.
#pragma once
#include <objbase.h>

#include <string>

namespace modtest {

// The sample text object's class and the second report library's.
extern const CLSID kSampleClsid;
extern const CLSID kSecondClsid;
extern const wchar_t kSampleProgId[];
extern const wchar_t kSecondProgId[];

class ServerModule
{
public:
    explicit ServerModule(const wchar_t* file);
    ~ServerModule();
    ServerModule(const ServerModule&) = delete;
    ServerModule& operator=(const ServerModule&) = delete;

    HMODULE Handle() const { return m_hModule; }
    std::wstring Path() const;

    HRESULT GetClassObject(REFCLSID clsid, IClassFactory** ppFactory) const;
    HRESULT CanUnloadNow() const { return Call("DllCanUnloadNow"); }
    HRESULT Register() const { return Call("DllRegisterServer"); }
    HRESULT Unregister() const { return Call("DllUnregisterServer"); }

private:
    HRESULT Call(const char* entry) const;
    HMODULE m_hModule;
};

// The server file registered for a class, or empty when the class is not registered.
std::wstring RegisteredServer(REFCLSID clsid);

} // namespace modtest
