#include "CQLNTextPropertyBag.h"

#include "CQLNPropertyText.h"
#include "CQLNTextObjError.h"

#include <cerrno>
#include <cstring>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

// Whole-text integer in [lo, hi]; no blanks, no trailing text.
bool ParseInteger(const std::wstring& t, long long lo, long long hi, long long& value)
{
    if (t.empty() || t.size() > 24)
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    const long long v = wcstoll(t.c_str(), &end, 10);
    if (errno != 0 || end != t.c_str() + t.size() || v < lo || v > hi)
        return false;
    value = v;
    return true;
}

// The runtime reads numbers in the "C" locale here: the host never changes its locale.
bool ParseDouble(const std::wstring& t, double& value)
{
    if (t.empty() || t.size() > 64)
        return false;
    const std::string narrow(t.begin(), t.end());
    char* end = nullptr;
    const double v = strtod(narrow.c_str(), &end);
    if (end != narrow.c_str() + narrow.size())
        return false;
    value = v;
    return true;
}

std::wstring FormatDouble(double d)
{
    char buf[64];
    snprintf(buf, sizeof buf, "%.17g", d);
    return std::wstring(buf, buf + strlen(buf));
}

std::wstring FormatCurrency(LONGLONG units)
{
    // Currency counts ten-thousandths.
    const bool negative = units < 0;
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(units)
                                                  : static_cast<unsigned long long>(units);
    char buf[48];
    snprintf(buf, sizeof buf, "%s%llu.%04llu", negative ? "-" : "", magnitude / 10000, magnitude % 10000);
    return std::wstring(buf, buf + strlen(buf));
}

bool ParseCurrency(const std::wstring& t, LONGLONG& units)
{
    double d = 0;
    if (!ParseDouble(t, d) || !std::isfinite(d) || std::fabs(d) > 9.0e14)
        return false;
    units = static_cast<LONGLONG>(std::llround(d * 10000.0));
    return true;
}

} // namespace

CQLNTextPropertyBag::CQLNTextPropertyBag() : m_refs(1)
{
}

Microsoft::WRL::ComPtr<CQLNTextPropertyBag> CQLNTextPropertyBag::Make()
{
    // Not Attach: the tool chain's holder adds a reference there.
    Microsoft::WRL::ComPtr<CQLNTextPropertyBag> bag;
    *bag.GetAddressOf() = new CQLNTextPropertyBag;
    return bag;
}

CQLNTextPropertyBag::~CQLNTextPropertyBag() = default;

HRESULT CQLNTextPropertyBag::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IPropertyBag) {
        *ppv = static_cast<IPropertyBag*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CQLNTextPropertyBag::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

ULONG CQLNTextPropertyBag::Release()
{
    const LONG n = ::InterlockedDecrement(&m_refs);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

HRESULT CQLNTextPropertyBag::Read(LPCOLESTR pszPropName, VARIANT* pVar, IErrorLog*)
{
    if (pszPropName == nullptr || pVar == nullptr)
        return E_POINTER;
    const auto it = m_values.find(pszPropName);
    if (it == m_values.end())
        return E_INVALIDARG;
    const std::wstring& t = it->second;
    const VARTYPE vt = V_VT(pVar);
    long long n = 0;
    double d = 0;
    switch (vt) {
    case VT_EMPTY:
    case VT_BSTR:
        V_VT(pVar) = VT_BSTR;
        V_BSTR(pVar) = ::SysAllocStringLen(t.data(), static_cast<UINT>(t.size()));
        return V_BSTR(pVar) != nullptr ? S_OK : E_OUTOFMEMORY;
    case VT_I2:
        if (!ParseInteger(t, -32768, 32767, n))
            return DISP_E_TYPEMISMATCH;
        V_I2(pVar) = static_cast<SHORT>(n);
        return S_OK;
    case VT_I4:
        if (!ParseInteger(t, -2147483647LL - 1, 2147483647LL, n))
            return DISP_E_TYPEMISMATCH;
        V_I4(pVar) = static_cast<LONG>(n);
        return S_OK;
    case VT_UI4:
        if (!ParseInteger(t, 0, 4294967295LL, n))
            return DISP_E_TYPEMISMATCH;
        V_UI4(pVar) = static_cast<ULONG>(n);
        return S_OK;
    case VT_BOOL:
        // Written in lower case; people who edit the file write True or FALSE as well.
        if (_wcsicmp(t.c_str(), L"true") == 0)
            V_BOOL(pVar) = VARIANT_TRUE;
        else if (_wcsicmp(t.c_str(), L"false") == 0)
            V_BOOL(pVar) = VARIANT_FALSE;
        else
            return DISP_E_TYPEMISMATCH;
        return S_OK;
    case VT_R8:
        if (!ParseDouble(t, d))
            return DISP_E_TYPEMISMATCH;
        V_R8(pVar) = d;
        return S_OK;
    case VT_CY: {
        LONGLONG units = 0;
        if (!ParseCurrency(t, units))
            return DISP_E_TYPEMISMATCH;
        V_CY(pVar).int64 = units;
        return S_OK;
    }
    default:
        return DISP_E_TYPEMISMATCH;
    }
}

HRESULT CQLNTextPropertyBag::Write(LPCOLESTR pszPropName, VARIANT* pVar)
{
    if (pszPropName == nullptr || pVar == nullptr || *pszPropName == L'\0')
        return E_POINTER;
    std::wstring text;
    wchar_t buf[32];
    switch (V_VT(pVar)) {
    case VT_BSTR:
        text.assign(V_BSTR(pVar) != nullptr ? V_BSTR(pVar) : L"", ::SysStringLen(V_BSTR(pVar)));
        break;
    case VT_I2:
        swprintf(buf, 32, L"%d", static_cast<int>(V_I2(pVar)));
        text = buf;
        break;
    case VT_I4:
        swprintf(buf, 32, L"%ld", static_cast<long>(V_I4(pVar)));
        text = buf;
        break;
    case VT_UI4:
        swprintf(buf, 32, L"%lu", static_cast<unsigned long>(V_UI4(pVar)));
        text = buf;
        break;
    case VT_BOOL:
        text = V_BOOL(pVar) != VARIANT_FALSE ? L"true" : L"false";
        break;
    case VT_R8:
        text = FormatDouble(V_R8(pVar));
        break;
    case VT_CY:
        text = FormatCurrency(V_CY(pVar).int64);
        break;
    default:
        return DISP_E_TYPEMISMATCH;
    }
    // A name the file would read as a comment or a closing line would be lost with its value.
    const std::wstring name(pszPropName);
    if (!CQLNPropertyText::IsName(name))
        return E_INVALIDARG;
    if (m_values.find(name) == m_values.end())
        m_order.push_back(name);
    m_values[name] = text;
    return S_OK;
}

bool CQLNTextPropertyBag::LoadText(const std::string& utf8, std::wstring& error)
{
    std::vector<CQLNPropertyText::Property> properties;
    if (!CQLNPropertyText::Parse(utf8, properties, error))
        return false;
    m_values.clear();
    m_order.clear();
    for (CQLNPropertyText::Property& property : properties) {
        m_order.push_back(property.name);
        m_values[property.name] = std::move(property.value);
    }
    return true;
}

bool CQLNTextPropertyBag::ReadBytes(const std::wstring& path, std::string& bytes, std::wstring& error)
{
    const HANDLE hFile = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) {
        error = L"cannot open " + path + L": " + CQLNTextObjError::Describe(HRESULT_FROM_WIN32(::GetLastError()));
        return false;
    }
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(hFile, &size) != FALSE;
    // Property sets are small; a file beyond this is not one of ours.
    const LONGLONG kMaxBytes = 256LL << 20;
    if (ok && size.QuadPart > kMaxBytes) {
        ::CloseHandle(hFile);
        error = L"cannot read " + path + L": the file is larger than 256 MB";
        return false;
    }
    std::string content(ok ? static_cast<size_t>(size.QuadPart) : 0, '\0');
    size_t done = 0;
    while (ok && done < content.size()) {
        DWORD read = 0;
        ok = ::ReadFile(hFile, &content[done], static_cast<DWORD>(content.size() - done), &read, nullptr) && read != 0;
        done += read;
    }
    const DWORD lastError = ::GetLastError();
    ::CloseHandle(hFile);
    if (!ok) {
        error = L"cannot read " + path + L": " + CQLNTextObjError::Describe(HRESULT_FROM_WIN32(lastError));
        return false;
    }
    bytes.swap(content);
    return true;
}

bool CQLNTextPropertyBag::LoadFile(const std::wstring& path, std::wstring& error)
{
    std::string content;
    if (!ReadBytes(path, content, error))
        return false;
    if (!LoadText(content, error)) {
        error = path + L": " + error;
        return false;
    }
    return true;
}

std::string CQLNTextPropertyBag::SaveText() const
{
    std::vector<CQLNPropertyText::Property> properties;
    for (const std::wstring& name : m_order)
        properties.push_back(CQLNPropertyText::Property{name, m_values.at(name)});
    return CQLNPropertyText::Format(properties);
}
