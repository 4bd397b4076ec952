#include "CString.h"

#include "AfxGuardAllocation.h"
#include "AfxStringSeam.h"
#include "CInvalidArgException.h"
#include "CMemoryException.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <new>
#include <stdexcept>
#ifdef _WIN32
#include <oleauto.h>
#endif

namespace {

const wchar_t kWhiteSpace[] = L" \t\r\n\v\f";

int Clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

int ToInt(size_t n)
{
    return n == std::wstring::npos || n > static_cast<size_t>(INT_MAX) ? -1 : static_cast<int>(n);
}

// Characters order as unsigned numbers: wchar_t is unsigned and 16 bits on Windows but signed
// and 32 bits natively, where a character beyond U+FFFF must neither equal its low 16 bits nor,
// at U+10000, end the string.
uint32_t CodeUnit(wchar_t ch)
{
    return static_cast<uint32_t>(ch);
}

wchar_t FoldCase(wchar_t ch)
{
    if (ch >= L'A' && ch <= L'Z')
        return static_cast<wchar_t>(ch + (L'a' - L'A'));
    if (ch < 0x80)
        return ch;
    return static_cast<wchar_t>(towlower(static_cast<wint_t>(ch)));
}

// One printf conversion of a number, through the narrow runtime formatter, widened.
template <typename T>
void AppendNumber(std::wstring& out, const std::string& format, T value)
{
    char buf[512];
    int n = snprintf(buf, sizeof buf, format.c_str(), value);
    if (n < 0)
        return;
    if (n >= static_cast<int>(sizeof buf)) {
        std::string big(static_cast<size_t>(n) + 1, '\0');
        snprintf(&big[0], big.size(), format.c_str(), value);
        out.append(big.begin(), big.begin() + n);
        return;
    }
    out.append(buf, buf + n);
}

void AppendPadded(std::wstring& out, const wchar_t* text, size_t len, bool leftAlign, int width)
{
    size_t pad = width > 0 && static_cast<size_t>(width) > len ? static_cast<size_t>(width) - len : 0;
    if (!leftAlign)
        out.append(pad, L' ');
    out.append(text, len);
    if (leftAlign)
        out.append(pad, L' ');
}

// Widths and precisions stop at this many characters, so that no format, however written, asks
// for more memory than a line of a report could use.
const int kMaxField = 100000;

int BoundField(long long n)
{
    return n > kMaxField ? kMaxField : static_cast<int>(n);
}

void FormatInto(std::wstring& out, const wchar_t* fmt, va_list args)
{
    if (fmt == nullptr)
        return;
    for (const wchar_t* p = fmt; *p != L'\0'; ++p) {
        if (*p != L'%') {
            out.push_back(*p);
            continue;
        }
        const wchar_t* start = p++;
        std::string format = "%";
        bool leftAlign = false;
        while (*p == L'-' || *p == L'+' || *p == L' ' || *p == L'#' || *p == L'0') {
            leftAlign = leftAlign || *p == L'-';
            format.push_back(static_cast<char>(*p++));
        }
        int width = -1;
        if (*p == L'*') {
            // A negative width aligns left; its size is taken in a wider type, as the most
            // negative int has no positive.
            const int arg = va_arg(args, int);
            if (arg < 0) {
                leftAlign = true;
                format.push_back('-');
            }
            width = BoundField(arg < 0 ? -static_cast<long long>(arg) : arg);
            format += std::to_string(width);
            ++p;
        } else {
            while (*p >= L'0' && *p <= L'9') {
                width = BoundField((width < 0 ? 0 : width) * 10LL + (*p - L'0'));
                ++p;
            }
            if (width >= 0)
                format += std::to_string(width);
        }
        int precision = -1;
        if (*p == L'.') {
            ++p;
            if (*p == L'*') {
                const int arg = va_arg(args, int);
                precision = arg < 0 ? -1 : BoundField(arg);     // negative: as if none was given
                ++p;
            } else {
                precision = 0;
                while (*p >= L'0' && *p <= L'9') {
                    precision = BoundField(precision * 10LL + (*p - L'0'));
                    ++p;
                }
            }
            if (precision >= 0)
                format += "." + std::to_string(precision);
        }
        int longs = 0;
        bool is64 = false;
        for (;; ++p) {
            if (*p == L'l') {
                ++longs;
            } else if (*p == L'h') {
            } else if (*p == L'I' && p[1] == L'6' && p[2] == L'4') {
                is64 = true;
                p += 2;
            } else {
                break;
            }
        }
        if (longs >= 2)
            is64 = true;
        const wchar_t conv = *p;
        switch (conv) {
        case L'd':
        case L'i':
            if (is64)
                AppendNumber(out, format + "lld", va_arg(args, long long));
            else
                AppendNumber(out, format + "d", va_arg(args, int));
            break;
        case L'u':
        case L'x':
        case L'X':
        case L'o':
            if (is64)
                AppendNumber(out, format + "ll" + static_cast<char>(conv), va_arg(args, unsigned long long));
            else
                AppendNumber(out, format + static_cast<char>(conv), va_arg(args, unsigned int));
            break;
        case L'f':
        case L'F':
        case L'e':
        case L'E':
        case L'g':
        case L'G':
            AppendNumber(out, format + static_cast<char>(conv), va_arg(args, double));
            break;
        case L'c':
        case L'C': {
            wchar_t ch = static_cast<wchar_t>(va_arg(args, int));
            AppendPadded(out, &ch, 1, leftAlign, width);
            break;
        }
        case L's':
        case L'S': {
            const wchar_t* s = va_arg(args, const wchar_t*);
            if (s == nullptr)
                s = L"(null)";
            size_t len = wcslen(s);
            if (precision >= 0 && static_cast<size_t>(precision) < len)
                len = static_cast<size_t>(precision);
            AppendPadded(out, s, len, leftAlign, width);
            break;
        }
        case L'%':
            out.push_back(L'%');
            break;
        default:
            // Not a conversion we know: keep the text as written.
            out.append(start, static_cast<size_t>(p - start) + (conv != L'\0' ? 1 : 0));
            if (conv == L'\0')
                return;
            break;
        }
    }
}

} // namespace

CString::CString(const wchar_t* psz)
{
    if (psz != nullptr)
        AfxGuardAllocation([&] { m_str.assign(psz); });
}

CString::CString(const wchar_t* pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        AfxGuardAllocation([&] { m_str.assign(pch, static_cast<size_t>(nLength)); });
}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        AfxGuardAllocation([&] { m_str.assign(static_cast<size_t>(nRepeat), ch); });
}

CString& CString::operator=(const wchar_t* psz)
{
    if (psz == nullptr)
        m_str.clear();
    else
        AfxGuardAllocation([&] { m_str.assign(psz); });
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    AfxGuardAllocation([&] { m_str.assign(1, ch); });
    return *this;
}

wchar_t CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, wchar_t ch)
{
    if (nIndex < 0 || nIndex >= GetLength())
        AfxThrowInvalidArgException();
    m_str[static_cast<size_t>(nIndex)] = ch;
}

CString& CString::operator+=(const CString& str)
{
    AfxGuardAllocation([&] { m_str.append(str.m_str); });
    return *this;
}

CString& CString::operator+=(const wchar_t* psz)
{
    if (psz != nullptr)
        AfxGuardAllocation([&] { m_str.append(psz); });
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    AfxGuardAllocation([&] { m_str.push_back(ch); });
    return *this;
}

void CString::Append(const wchar_t* pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        AfxGuardAllocation([&] { m_str.append(pch, static_cast<size_t>(nLength)); });
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const wchar_t* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const wchar_t* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, wchar_t b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(wchar_t a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

int CString::Compare(const wchar_t* psz) const
{
    const wchar_t* a = m_str.c_str();
    const wchar_t* b = psz != nullptr ? psz : L"";
    for (;; ++a, ++b) {
        const uint32_t ca = CodeUnit(*a);
        const uint32_t cb = CodeUnit(*b);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

int CString::CompareNoCase(const wchar_t* psz) const
{
    const wchar_t* a = m_str.c_str();
    const wchar_t* b = psz != nullptr ? psz : L"";
    for (;; ++a, ++b) {
        const uint32_t ca = CodeUnit(FoldCase(*a));
        const uint32_t cb = CodeUnit(FoldCase(*b));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    return ToInt(m_str.find(ch, static_cast<size_t>(nStart)));
}

int CString::Find(const wchar_t* pszSub, int nStart) const
{
    if (pszSub == nullptr || nStart < 0 || nStart > GetLength())
        return -1;
    return ToInt(m_str.find(pszSub, static_cast<size_t>(nStart)));
}

int CString::ReverseFind(wchar_t ch) const
{
    return ToInt(m_str.rfind(ch));
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    const int len = GetLength();
    nFirst = Clamp(nFirst, 0, len);
    nCount = Clamp(nCount, 0, len - nFirst);
    return CString(m_str.data() + nFirst, nCount);
}

CString CString::Left(int nCount) const
{
    return Mid(0, nCount);
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(wchar_t chTarget)
{
    return TrimRight(chTarget).TrimLeft(chTarget);
}

CString& CString::Trim(const wchar_t* pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft()
{
    return TrimLeft(kWhiteSpace);
}

CString& CString::TrimLeft(wchar_t chTarget)
{
    size_t n = m_str.find_first_not_of(chTarget);
    m_str.erase(0, n == std::wstring::npos ? m_str.size() : n);
    return *this;
}

CString& CString::TrimLeft(const wchar_t* pszTargets)
{
    if (pszTargets == nullptr || *pszTargets == L'\0')
        return *this;
    size_t n = m_str.find_first_not_of(pszTargets);
    m_str.erase(0, n == std::wstring::npos ? m_str.size() : n);
    return *this;
}

CString& CString::TrimRight()
{
    return TrimRight(kWhiteSpace);
}

CString& CString::TrimRight(wchar_t chTarget)
{
    size_t n = m_str.find_last_not_of(chTarget);
    m_str.erase(n == std::wstring::npos ? 0 : n + 1);
    return *this;
}

CString& CString::TrimRight(const wchar_t* pszTargets)
{
    if (pszTargets == nullptr || *pszTargets == L'\0')
        return *this;
    size_t n = m_str.find_last_not_of(pszTargets);
    m_str.erase(n == std::wstring::npos ? 0 : n + 1);
    return *this;
}

void CString::Format(const wchar_t* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void CString::FormatV(const wchar_t* pszFormat, va_list args)
{
    std::wstring out;
    AfxGuardAllocation([&] { FormatInto(out, pszFormat, args); });
    m_str.swap(out);
}

BOOL CString::LoadString(UINT nID)
{
    m_str.clear();
    const wchar_t* text = nullptr;
    int length = 0;
    if (!AfxFindStringResource(nID, text, length))
        return FALSE;
    Append(text, length);
    return TRUE;
}

wchar_t* CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        AfxGuardAllocation([&] { m_str.resize(static_cast<size_t>(nMinBufLength)); });
    return &m_str[0];
}

wchar_t* CString::GetBufferSetLength(int nNewLength)
{
    AfxGuardAllocation([&] { m_str.resize(static_cast<size_t>(nNewLength < 0 ? 0 : nNewLength)); });
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(wcsnlen(m_str.c_str(), m_str.size()));
    m_str.resize(static_cast<size_t>(Clamp(nNewLength, 0, GetLength())));
}

bool operator==(const CString& a, const CString& b)
{
    return a.str() == b.str();
}

bool operator==(const CString& a, const wchar_t* b)
{
    return a.Compare(b) == 0;
}

bool operator==(const wchar_t* a, const CString& b)
{
    return b.Compare(a) == 0;
}

bool operator!=(const CString& a, const CString& b)
{
    return !(a == b);
}

bool operator!=(const CString& a, const wchar_t* b)
{
    return !(a == b);
}

bool operator!=(const wchar_t* a, const CString& b)
{
    return !(a == b);
}

bool operator<(const CString& a, const CString& b)
{
    return a.Compare(b) < 0;
}

#ifdef _WIN32
BSTR CString::AllocSysString() const
{
    BSTR bstr = ::SysAllocStringLen(m_str.data(), static_cast<UINT>(m_str.size()));
    if (bstr == nullptr)
        AfxThrowMemoryException();
    return bstr;
}
#endif
