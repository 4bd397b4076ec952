#include "CString.h"

#include "AfxGuardAllocation.h"
#include "AfxStringSeam.h"
#include "CInvalidArgException.h"
#include "CMemoryException.h"

#include <algorithm>
#include <climits>
#include <cstdint>
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

// Widths and precisions stop at this many characters, so that no format, however written, asks
// for more memory than a line of a report could use; the C library's formatters also take a
// width of INT_MAX at its word (glibc pads for seconds, mingw-w64's overflows its stack).
const long long kMaxField = 100000;

// A negative width from the arguments aligns left; a negative precision counts as none.
const wchar_t* CheckedField(const wchar_t* p, va_list& args, std::wstring& out, bool bPrecision)
{
    long long n = 0;
    if (*p == L'*') {
        n = va_arg(args, int);
        out.push_back(*p++);
    } else {
        for (; *p >= L'0' && *p <= L'9' && n <= kMaxField; ++p) {
            n = n * 10 + (*p - L'0');
            out.push_back(*p);
        }
    }
    if (n > kMaxField || (n < -kMaxField && !bPrecision))
        AfxThrowInvalidArgException();
    return p;
}

// The format in the C library's spelling, its fields checked. The platform's wide formatting
// reads %s and %c as wide text and knows I64; the C library's (glibc natively, mingw-w64's C99
// formatter on Windows) reads them as narrow text in a wide format, which is %ls and %lc, and
// spells I64 ll. Walking the arguments alongside is what lets a '*' field be checked; a
// conversion it does not know (%n among them) is kept as written, as text.
std::wstring PortableFormat(const wchar_t* p, va_list& args)
{
    std::wstring out;
    while (*p != L'\0') {
        const size_t percent = out.size();
        out.push_back(*p);
        if (*p++ != L'%')
            continue;
        if (*p == L'%') {
            out.push_back(*p++);
            continue;
        }
        for (; *p != L'\0' && std::wcschr(L"-+ #0", *p) != nullptr; ++p)
            out.push_back(*p);
        p = CheckedField(p, args, out, false);
        if (*p == L'.') {
            out.push_back(*p++);
            p = CheckedField(p, args, out, true);
        }
        int longs = 0;
        for (;; ++p) {
            if (*p == L'l')
                ++longs;
            else if (*p == L'I' && p[1] == L'6' && p[2] == L'4')
                longs = 2, p += 2;
            else if (*p != L'h')
                break;
        }
        const wchar_t conv = *p;
        if (conv == L'c' || conv == L'C') {
            (void)va_arg(args, int);
            out += L"lc";
        } else if (conv == L's' || conv == L'S') {
            (void)va_arg(args, const wchar_t*);
            out += L"ls";
        } else if (conv != L'\0' && std::wcschr(L"diuxXo", conv) != nullptr) {
            (void)(longs >= 2 ? va_arg(args, long long) : longs == 1 ? va_arg(args, long) : va_arg(args, int));
            out += longs >= 2 ? L"ll" : longs == 1 ? L"l" : L"";
            out.push_back(conv);
        } else if (conv != L'\0' && std::wcschr(L"fFeEgG", conv) != nullptr) {
            (void)va_arg(args, double);
            out.push_back(conv);
        } else {
            out.insert(percent, 1, L'%');
            continue;
        }
        ++p;
    }
    return out;
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
    if (pszFormat != nullptr)
        AfxGuardAllocation([&] {
            va_list walk;
            va_copy(walk, args);
            std::wstring format;
            try {
                format = PortableFormat(pszFormat, walk);
            } catch (...) {
                va_end(walk);
                throw;
            }
            va_end(walk);
            // The C library's answer to a buffer too small is -1 (glibc) or the length it needs
            // (mingw-w64): grow until the text fits. The checked fields bound it, each to less
            // than kMaxField and the digits of the largest double; past that bound the C library
            // refused for another reason.
            const size_t most = format.size() * static_cast<size_t>(kMaxField + 512);
            for (size_t size = 256;; size *= 2) {
                if (size / 2 > most)
                    AfxThrowInvalidArgException();
                out.resize(size);
                va_list copy;
                va_copy(copy, args);
                const int n = std::vswprintf(&out[0], size, format.c_str(), copy);
                va_end(copy);
                if (n >= 0 && static_cast<size_t>(n) < size) {
                    out.resize(static_cast<size_t>(n));
                    return;
                }
            }
        });
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
