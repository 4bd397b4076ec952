// An in-process server loaded into the test program, called through its own entry points as the
// system's COM library and regsvr32 call them.
#pragma once
#include <objbase.h>

#include <string>

namespace modtest {

// The sample text object's class and the second report library's.
constexpr CLSID kSampleClsid = {0x6f1e3a52, 0x9c41, 0x4d8b, {0xa7, 0xe2, 0x5b, 0x3c, 0x9d, 0x0f, 0x1a, 0x24}};
constexpr CLSID kSecondClsid = {0x3c8a1f64, 0x2b7d, 0x4e59, {0x9a, 0x0c, 0x71, 0xd4, 0xe6, 0xb2, 0xf8, 0x35}};

class ServerModule
{
public:
    explicit ServerModule(const wchar_t* file) : m_hModule(::LoadLibraryW(file)) {}
    ~ServerModule() { ::FreeLibrary(m_hModule); }
    ServerModule(const ServerModule&) = delete;
    ServerModule& operator=(const ServerModule&) = delete;

    HMODULE Handle() const { return m_hModule; }
    std::wstring Path() const
    {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(m_hModule, path, MAX_PATH);
        return path;
    }
    HRESULT GetClassObject(REFCLSID clsid, IClassFactory** ppFactory) const
    {
        typedef HRESULT(STDAPICALLTYPE * GetClassObjectProc)(REFCLSID, REFIID, void**);
        const auto entry = reinterpret_cast<GetClassObjectProc>(::GetProcAddress(m_hModule, "DllGetClassObject"));
        return entry(clsid, IID_IClassFactory, reinterpret_cast<void**>(ppFactory));
    }
    HRESULT CanUnloadNow() const { return Call("DllCanUnloadNow"); }
    HRESULT Register() const { return Call("DllRegisterServer"); }
    HRESULT Unregister() const { return Call("DllUnregisterServer"); }

private:
    HRESULT Call(const char* name) const
    {
        typedef HRESULT(STDAPICALLTYPE * EntryProc)();
        return reinterpret_cast<EntryProc>(::GetProcAddress(m_hModule, name))();
    }
    HMODULE m_hModule;
};

// The server file registered for a class, or empty when the class is not registered.
inline std::wstring RegisteredServer(REFCLSID clsid)
{
    wchar_t guid[40] = {};
    ::StringFromGUID2(clsid, guid, 40);
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof path;
    ::RegGetValueW(HKEY_CLASSES_ROOT, (std::wstring(L"CLSID\\") + guid + L"\\InprocServer32").c_str(), nullptr,
                   RRF_RT_REG_SZ, nullptr, path, &size);
    return path;
}

} // namespace modtest
