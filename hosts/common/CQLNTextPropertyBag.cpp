#include "CQLNTextPropertyBag.h"

#include "CQLNTextObjError.h"

#include <cerrno>
#include <cstring>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

std::string ToUtf8(const std::wstring& w)
{
    if (w.empty())
        return std::string();
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), &s[0], n, nullptr, nullptr);
    return s;
}

bool FromUtf8(const std::string& s, std::wstring& w)
{
    w.clear();
    if (s.empty())
        return true;
    const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()), nullptr, 0);
    if (n <= 0)
        return false;
    w.resize(static_cast<size_t>(n));
    ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, s.data(), static_cast<int>(s.size()), &w[0], n);
    return true;
}

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
    const std::wstring name(pszPropName);
    if (name.find_first_of(L"=\r\n") != std::wstring::npos)
        return E_INVALIDARG;
    if (m_values.find(name) == m_values.end())
        m_order.push_back(name);
    m_values[name] = text;
    return S_OK;
}

std::string CQLNTextPropertyBag::Escape(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'\\': out += L"\\\\"; break;
        case L'\r': out += L"\\r"; break;
        case L'\n': out += L"\\n"; break;
        case L'\f': out += L"\\f"; break;
        case L'\t': out += L"\\t"; break;
        default:
            // Control characters and lone surrogates cannot stand in UTF-8 text as they are.
            if (c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF)) {
                wchar_t buf[8];
                swprintf(buf, 8, L"\\u%04X", static_cast<unsigned>(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    return ToUtf8(out);
}

bool CQLNTextPropertyBag::Unescape(const std::string& utf8, std::wstring& text)
{
    std::wstring raw;
    if (!FromUtf8(utf8, raw))
        return false;
    text.clear();
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != L'\\') {
            text += raw[i];
            continue;
        }
        if (++i >= raw.size())
            return false;
        switch (raw[i]) {
        case L'\\': text += L'\\'; break;
        case L'r': text += L'\r'; break;
        case L'n': text += L'\n'; break;
        case L'f': text += L'\f'; break;
        case L't': text += L'\t'; break;
        case L'u': {
            unsigned value = 0;
            for (size_t k = 1; k <= 4; ++k) {
                if (i + k >= raw.size())
                    return false;
                const wchar_t h = raw[i + k];
                value <<= 4;
                if (h >= L'0' && h <= L'9')
                    value |= static_cast<unsigned>(h - L'0');
                else if (h >= L'A' && h <= L'F')
                    value |= static_cast<unsigned>(h - L'A' + 10);
                else if (h >= L'a' && h <= L'f')
                    value |= static_cast<unsigned>(h - L'a' + 10);
                else
                    return false;
            }
            text += static_cast<wchar_t>(value);
            i += 4;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

bool CQLNTextPropertyBag::LoadText(const std::string& utf8, std::wstring& error)
{
    std::map<std::wstring, std::wstring> values;
    std::vector<std::wstring> order;
    std::istringstream in(utf8);
    std::string line;
    int number = 0;
    // A set that opens with the heading must end with its closing line; one without (written
    // before the lines were added, or by hand) is read to its end.
    bool bHeaded = false, bClosed = false;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (number == 1 && line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        const std::wstring where = L"line " + std::to_wstring(number);
        if (bClosed) {
            error = where + L" follows the closing line";
            return false;
        }
        if (number == 1 && line == m_kszHeading) {
            bHeaded = true;
            continue;
        }
        if (bHeaded && line == ClosingLine(order.size())) {
            // The break after the closing line is the last byte written; without it the file is cut.
            if (in.eof()) {
                error = L"the file is cut short in its closing line";
                return false;
            }
            bClosed = true;
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[' && bHeaded) {
            error = where + L" is not the closing line of the " + std::to_wstring(order.size()) + L" properties before it";
            return false;
        }
        const size_t eq = line.find('=');
        std::wstring name, value;
        if (eq == std::string::npos || eq == 0 || !FromUtf8(line.substr(0, eq), name) ||
            !Unescape(line.substr(eq + 1), value)) {
            error = where + L" is not of the form Name=value";
            return false;
        }
        if (values.count(name) != 0) {
            error = where + L" repeats the property " + name;
            return false;
        }
        order.push_back(name);
        values[name] = value;
    }
    if (number == 0) {
        error = L"the file is empty";
        return false;
    }
    if (bHeaded && !bClosed) {
        error = L"the file is cut short: it ends after line " + std::to_wstring(number) + L" without its closing line";
        return false;
    }
    m_values.swap(values);
    m_order.swap(order);
    return true;
}

std::string CQLNTextPropertyBag::ClosingLine(size_t nProperties)
{
    return "[End: " + std::to_string(nProperties) + (nProperties == 1 ? " property]" : " properties]");
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
    std::string out = std::string(m_kszHeading) + "\r\n";
    for (const std::wstring& name : m_order)
        out += ToUtf8(name) + "=" + Escape(m_values.at(name)) + "\r\n";
    return out + ClosingLine(m_order.size()) + "\r\n";
}
