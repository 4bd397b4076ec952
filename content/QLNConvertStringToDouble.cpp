#include "QLNConvertStringToDouble.h"

#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

bool IsBlankOrTab(wchar_t ch)
{
    return ch == L' ' || ch == L'\t';
}

// The "C" numeric rules, made once for the process. Hosts do change the runtime's locale (a
// German host reads "12,5"), and a decimal setting stored as "12.5" must still read the same.
class CNumericLocale
{
public:
#ifdef _WIN32
    typedef _locale_t Handle;
    CNumericLocale() : m_locale(_create_locale(LC_NUMERIC, "C")) {}
    ~CNumericLocale()
    {
        if (m_locale != nullptr)
            _free_locale(m_locale);
    }
    double ToDouble(const char* psz, char** ppEnd) const { return _strtod_l(psz, ppEnd, m_locale); }
#else
    typedef locale_t Handle;
    CNumericLocale() : m_locale(newlocale(LC_NUMERIC_MASK, "C", static_cast<locale_t>(0))) {}
    ~CNumericLocale()
    {
        if (m_locale != static_cast<locale_t>(0))
            freelocale(m_locale);
    }
    double ToDouble(const char* psz, char** ppEnd) const { return strtod_l(psz, ppEnd, m_locale); }
#endif
    bool IsValid() const { return m_locale != static_cast<Handle>(0); }

    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    Handle m_locale;
};

// The locale-taking conversion of the Windows runtime this library links (msvcrt) exists only
// for narrow text, so the number is read from a narrow copy, on every platform alike. Each wide
// character becomes one narrow character, so the stopping index carries over; anything outside
// ASCII can be no part of a number in the "C" rules and becomes a character that stops the
// conversion.
double ConvertInCLocale(const wchar_t* pszText, size_t& nStop)
{
    static const CNumericLocale s_locale;
    std::string narrow;
    for (const wchar_t* p = pszText; *p != L'\0'; ++p)
        narrow += (*p > 0 && *p < 0x80) ? static_cast<char>(*p) : '\x7f';
    char* pEnd = nullptr;
    const double dValue = s_locale.IsValid() ? s_locale.ToDouble(narrow.c_str(), &pEnd)
                                             : std::strtod(narrow.c_str(), &pEnd);
    nStop = static_cast<size_t>(pEnd - narrow.c_str());
    return dValue;
}

} // namespace

BOOL QLNConvertStringToDouble(LPCTSTR lpszText, double& dValue)
{
    dValue = 0.0;
    if (lpszText == nullptr)
        return FALSE;
    const wchar_t* pszStart = lpszText;
    while (IsBlankOrTab(*pszStart))
        ++pszStart;

    size_t nStop = 0;
    dValue = ConvertInCLocale(pszStart, nStop);
    if (dValue == 0.0 && *pszStart != L'0')
        return FALSE;
    // "inf", "nan" and overflowing exponents convert, but no caller can use them as a setting.
    if (!std::isfinite(dValue))
        return FALSE;

    const wchar_t* p = pszStart + nStop;
    while (IsBlankOrTab(*p))
        ++p;
    return *p == L'\0' ? TRUE : FALSE;
}
