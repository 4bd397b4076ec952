#include "ServerModule.h"

namespace modtest {

const CLSID kSampleClsid = {0x6f1e3a52, 0x9c41, 0x4d8b, {0xa7, 0xe2, 0x5b, 0x3c, 0x9d, 0x0f, 0x1a, 0x24}};
const CLSID kSecondClsid = {0x3c8a1f64, 0x2b7d, 0x4e59, {0x9a, 0x0c, 0x71, 0xd4, 0xe6, 0xb2, 0xf8, 0x35}};
const wchar_t kSampleProgId[] = L"QLNSample.TextCtrl.1";
const wchar_t kSecondProgId[] = L"QLNSecond.TextCtrl.1";

ServerModule::ServerModule(const wchar_t* file) : m_hModule(::LoadLibraryW(file))
{
}

ServerModule::~ServerModule()
{
    if (m_hModule != nullptr)
        ::FreeLibrary(m_hModule);
}

std::wstring ServerModule::Path() const
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(m_hModule, path, MAX_PATH);
    return path;
}

HRESULT ServerModule::GetClassObject(REFCLSID clsid, IClassFactory** ppFactory) const
{
    typedef HRESULT(STDAPICALLTYPE * GetClassObjectProc)(REFCLSID, REFIID, void**);
    const auto entry = reinterpret_cast<GetClassObjectProc>(::GetProcAddress(m_hModule, "DllGetClassObject"));
    if (entry == nullptr)
        return HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
    return entry(clsid, IID_IClassFactory, reinterpret_cast<void**>(ppFactory));
}

HRESULT ServerModule::Call(const char* name) const
{
    typedef HRESULT(STDAPICALLTYPE * EntryProc)();
    const auto entry = reinterpret_cast<EntryProc>(::GetProcAddress(m_hModule, name));
    return entry != nullptr ? entry() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
}

std::wstring RegisteredServer(REFCLSID clsid)
{
    wchar_t guid[40] = {};
    ::StringFromGUID2(clsid, guid, 40);
    const std::wstring key = std::wstring(L"CLSID\\") + guid + L"\\InprocServer32";
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof(path);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path, &size) != ERROR_SUCCESS)
        return std::wstring();
    return path;
}

} // namespace modtest
