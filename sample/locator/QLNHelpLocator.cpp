#include "QLNHelpLocator.h"

#include "QLNHelpLocatorModule.h"

#include <string>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t g_settingsKey[] = L"Software\\Halverin\\Report Objects\\Help";
const wchar_t g_helpFileValue[] = L"HelpFile";
const wchar_t g_defaultHelpFile[] = L"QLNReports.chm";

enum class SettingResult { Missing, Found, NotAString };

// Reads the help file setting from one root; a REG_EXPAND_SZ is expanded.
SettingResult ReadHelpFileSetting(HKEY hRoot, std::wstring& path)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(hRoot, g_settingsKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return SettingResult::Missing;
    DWORD type = 0;
    DWORD size = 0;
    LONG result = ::RegQueryValueExW(hKey, g_helpFileValue, nullptr, &type, nullptr, &size);
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ))
        result = ::RegQueryValueExW(hKey, g_helpFileValue, nullptr, &type,
                                    reinterpret_cast<BYTE*>(&value[0]), &size);
    ::RegCloseKey(hKey);
    if (result == ERROR_FILE_NOT_FOUND)
        return SettingResult::Missing;
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return SettingResult::NotAString;
    value.resize(wcslen(value.c_str()));
    if (type == REG_EXPAND_SZ) {
        const DWORD needed = ::ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
        std::wstring expanded(needed, L'\0');
        if (needed == 0 || ::ExpandEnvironmentStringsW(value.c_str(), &expanded[0], needed) == 0)
            return SettingResult::NotAString;
        expanded.resize(wcslen(expanded.c_str()));
        value.swap(expanded);
    }
    path.swap(value);
    return SettingResult::Found;
}

std::wstring DefaultHelpFile()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(QLNHelpLocatorInstance(), &path[0],
                                                  static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + g_defaultHelpFile;
}

// Leaves a description for the caller, who raises it with the failure.
void SetErrorDescription(const wchar_t* description)
{
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(::CreateErrorInfo(&create)))
        return;
    create->SetGUID(IID_IQLNHelpFileLocator);
    create->SetSource(const_cast<LPOLESTR>(L"QLNHelpLocator"));
    create->SetDescription(const_cast<LPOLESTR>(description));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(&info)))
        ::SetErrorInfo(0, info.Get());
}

} // namespace

CQLNHelpLocator::CQLNHelpLocator()
{
    QLNHelpLocatorAddRef();
}

CQLNHelpLocator::~CQLNHelpLocator()
{
    QLNHelpLocatorRelease();
}

HRESULT CQLNHelpLocator::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IQLNHelpFileLocator)
        *ppv = static_cast<IQLNHelpFileLocator*>(this);
    else if (riid == IID_ISupportErrorInfo)
        *ppv = static_cast<ISupportErrorInfo*>(this);
    else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CQLNHelpLocator::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

ULONG CQLNHelpLocator::Release()
{
    const LONG refs = ::InterlockedDecrement(&m_nRefs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

HRESULT CQLNHelpLocator::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT CQLNHelpLocator::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT CQLNHelpLocator::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT CQLNHelpLocator::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT CQLNHelpLocator::Reserved7() { return E_NOTIMPL; }
HRESULT CQLNHelpLocator::Reserved8() { return E_NOTIMPL; }
HRESULT CQLNHelpLocator::Reserved9() { return E_NOTIMPL; }
HRESULT CQLNHelpLocator::Reserved10() { return E_NOTIMPL; }
HRESULT CQLNHelpLocator::Reserved11() { return E_NOTIMPL; }

HRESULT CQLNHelpLocator::GetHelpFilePath(BSTR* pbstrPath)
{
    if (pbstrPath == nullptr)
        return E_POINTER;
    *pbstrPath = nullptr;
    std::wstring path;
    SettingResult setting = ReadHelpFileSetting(HKEY_CURRENT_USER, path);
    if (setting == SettingResult::Missing)
        setting = ReadHelpFileSetting(HKEY_LOCAL_MACHINE, path);
    if (setting == SettingResult::NotAString) {
        SetErrorDescription(L"The HelpFile setting of the report objects' help is not a text value.");
        return HRESULT_FROM_WIN32(ERROR_INVALID_DATATYPE);
    }
    if (setting == SettingResult::Missing)
        path = DefaultHelpFile();
    ::SetErrorInfo(0, nullptr);
    *pbstrPath = ::SysAllocStringLen(path.data(), static_cast<UINT>(path.size()));
    return *pbstrPath != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT CQLNHelpLocator::InterfaceSupportsErrorInfo(REFIID riid)
{
    return riid == IID_IQLNHelpFileLocator ? S_OK : S_FALSE;
}
