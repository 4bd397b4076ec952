// Wide string with value semantics, held in wchar_t: UTF-16 code units on Windows, UTF-32 in a
// native build (see Afx.h).
//
// Indices and lengths are ints, as callers of the platform framework expect. Slicing functions
// clamp their arguments to the string; element access out of range raises CInvalidArgException.
// Format is the C library's wide printf for the conversions d i u x X o c s f e g and %%, with
// flags, width and precision, read as the platform reads them: %s and %c take wide text (pass
// GetString() for a CString), I64 is a 64-bit length. Any other conversion is kept as text; a
// width or precision beyond 100000 raises CInvalidArgException and leaves the string as it was.
#pragma once
#include "Afx.h"

#include <cstdarg>
#include <string>

class AFX_CORE_API CString
{
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(const wchar_t* psz);                 // null gives an empty string
    CString(const wchar_t* pch, int nLength);
    explicit CString(wchar_t ch, int nRepeat = 1);
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const wchar_t* psz);
    CString& operator=(wchar_t ch);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty() ? TRUE : FALSE; }
    void Empty() { m_str.clear(); }
    const wchar_t* GetString() const { return m_str.c_str(); }
    operator const wchar_t*() const { return m_str.c_str(); }
    wchar_t GetAt(int nIndex) const;
    void SetAt(int nIndex, wchar_t ch);
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }

    CString& operator+=(const CString& str);
    CString& operator+=(const wchar_t* psz);
    CString& operator+=(wchar_t ch);
    void Append(const wchar_t* pch, int nLength);
    AFX_CORE_API friend CString operator+(const CString& a, const CString& b);
    AFX_CORE_API friend CString operator+(const CString& a, const wchar_t* b);
    AFX_CORE_API friend CString operator+(const wchar_t* a, const CString& b);
    AFX_CORE_API friend CString operator+(const CString& a, wchar_t b);
    AFX_CORE_API friend CString operator+(wchar_t a, const CString& b);

    // Ordinal comparison by character value as an unsigned number (on Windows the UTF-16 code
    // unit): <0, 0 or >0.
    int Compare(const wchar_t* psz) const;
    // Comparison that ignores case: ASCII letters always fold; others as the runtime folds them.
    int CompareNoCase(const wchar_t* psz) const;

    // Searches return the index of the match or -1.
    int Find(wchar_t ch, int nStart = 0) const;
    int Find(const wchar_t* pszSub, int nStart = 0) const;
    int ReverseFind(wchar_t ch) const;

    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Left(int nCount) const;

    // Without an argument these trim white space (blank, tab, CR, LF, VT, FF).
    CString& Trim();
    CString& Trim(wchar_t chTarget);
    CString& Trim(const wchar_t* pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t chTarget);
    CString& TrimLeft(const wchar_t* pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t chTarget);
    CString& TrimRight(const wchar_t* pszTargets);

    void Format(const wchar_t* pszFormat, ...);
    void FormatV(const wchar_t* pszFormat, va_list args);

    // Loads a string resource, looking first in the application's resources and then in every
    // linked extension library in chain order. A missing resource empties the string and gives 0.
    BOOL LoadString(UINT nID);

#ifdef _WIN32
    // A new automation string (BSTR) with the same text; the caller frees it.
    BSTR AllocSysString() const;
#endif

    // Direct access to a buffer of at least nMinBufLength characters; ReleaseBuffer ends it
    // (nNewLength < 0: up to the first zero character).
    wchar_t* GetBuffer(int nMinBufLength = 0);
    wchar_t* GetBufferSetLength(int nNewLength);
    void ReleaseBuffer(int nNewLength = -1);

    const std::wstring& str() const { return m_str; }

private:
    std::wstring m_str;
};

AFX_CORE_API bool operator==(const CString& a, const CString& b);
AFX_CORE_API bool operator==(const CString& a, const wchar_t* b);
AFX_CORE_API bool operator==(const wchar_t* a, const CString& b);
AFX_CORE_API bool operator!=(const CString& a, const CString& b);
AFX_CORE_API bool operator!=(const CString& a, const wchar_t* b);
AFX_CORE_API bool operator!=(const wchar_t* a, const CString& b);
AFX_CORE_API bool operator<(const CString& a, const CString& b);
