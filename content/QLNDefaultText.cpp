#include "QLNDefaultText.h"

#include "QLNBaseRes.h"
#include "QLNLibraryString.h"
#include "QLNStringTokenizer.h"

#include <cwchar>
#include <new>

LONG g_lRTPrecision = 0;

// Defined here so that the exported class exports them: callers may bind them to references.
const int CQLNDefaultText::m_skiDecimalMin;
const int CQLNDefaultText::m_skiDecimalMax;
const int CQLNDefaultText::m_skiInvalidDecimal;
const int CQLNDefaultText::m_kiNumQLTxtToken;
const wchar_t CQLNDefaultText::m_sktcDelimiter;

namespace {

// Values whose decimals follow the RT precision.
const wchar_t* const kTimeTokens[] = {
    L"{ExpRT}", L"{Window}", L"{ViewWdth}", L"{CrestExpPkWidth}", L"{ExpRetTime}",
    L"{RetTimeWindow}", L"{ViewWidth}", L"{MinPeakWid}", L"{MaxPeakWid}", L"{DetectDelay}",
    L"{Range}", L"{WinSize}", L"{RT}", L"{Width}",
};

// A token that opens the resource text does not make a time item: only one after the first
// character counts.
bool IsTimeItem(const CString& strResource)
{
    for (const wchar_t* pszToken : kTimeTokens)
        if (strResource.Find(pszToken, 1) >= 0)
            return true;
    return false;
}

CString DecimalText(int n)
{
    CString str;
    str.Format(L"%d", n);
    return str;
}

} // namespace

// Rows are in the order the hosts have always searched them; two keys stand twice, with the same
// identifier both times, and the first row wins.
const CQLNDefaultText::structTxtToken CQLNDefaultText::m_structTxtToken[m_kiNumQLTxtToken] = {
#define QLN_TOKEN(name, key, id) {QLTT_##name, key},
#define QLN_TOKEN_AGAIN(name, key) {QLTT_##name, key},
#include "QLTxtTokenList.h"
#undef QLN_TOKEN
#undef QLN_TOKEN_AGAIN
};

CQLNDefaultText::CQLNDefaultText() = default;

CQLNDefaultText::CQLNDefaultText(const UINT* pnStringIDs, int nCount)
{
    try {
        for (int i = 0; pnStringIDs != nullptr && i < nCount; ++i)
            AddItem(pnStringIDs[i]);
    } catch (const CException&) {
        // A half-built catalogue must not offer items: emptying the item texts makes every
        // lookup miss, whatever the other lists kept.
        m_arrItemText.RemoveAll();
        m_arrDescription.RemoveAll();
    } catch (const std::bad_alloc&) {
        m_arrItemText.RemoveAll();
        m_arrDescription.RemoveAll();
    }
}

CQLNDefaultText::~CQLNDefaultText() = default;

void CQLNDefaultText::AddItem(UINT nStringID)
{
    CString strResource;
    strResource.LoadString(nStringID);
    const bool bTimeItem = IsTimeItem(strResource);

    const int i = m_arrItemText.Add(strResource);
    m_arrDescription.Add(CString());
    m_arrDefaultDecimal.Add(DecimalText(m_skiInvalidDecimal));
    m_arrDecimalMin.Add(DecimalText(m_skiDecimalMin));
    m_arrDecimalMax.Add(DecimalText(m_skiDecimalMax));

    int nLineFeed = strResource.Find(L'\n');
    if (nLineFeed < 0)
        return;
    m_arrItemText[i] = strResource.Left(nLineFeed);
    CString strRest = strResource.Mid(nLineFeed + 1);

    nLineFeed = strRest.Find(L'\n');
    if (nLineFeed < 0) {
        m_arrDescription[i] = strRest;
        return;
    }
    m_arrDescription[i] = strRest.Left(nLineFeed);
    strRest = strRest.Mid(nLineFeed + 1);

    nLineFeed = strRest.Find(L'\n');
    if (nLineFeed < 0)
        return;
    const CString strMin = strRest.Left(nLineFeed);
    strRest = strRest.Mid(nLineFeed + 1);

    // The range counts only together with a default decimal setting.
    nLineFeed = strRest.Find(L'\n');
    if (nLineFeed < 0)
        return;
    const CString strMax = strRest.Left(nLineFeed);
    strRest = strRest.Mid(nLineFeed + 1);
    m_arrDecimalMin[i] = strMin;
    m_arrDecimalMax[i] = strMax;

    const int nPrecision = static_cast<int>(g_lRTPrecision);
    if (bTimeItem && ReadDecimal(strMin) <= nPrecision && nPrecision <= ReadDecimal(strMax))
        m_arrDefaultDecimal[i] = DecimalText(nPrecision);
    else
        m_arrDefaultDecimal[i] = strRest;
}

int CQLNDefaultText::FindItem(const CString& strText) const
{
    for (int i = 0; i < m_arrItemText.GetSize(); ++i)
        if (m_arrItemText[i] == strText)
            return i;
    return -1;
}

int CQLNDefaultText::ReadDecimal(const CString& strDecimal)
{
    const wchar_t* p = strDecimal.GetString();
    const wchar_t* const pEnd = p + strDecimal.GetLength();
    while (p < pEnd && (*p == L' ' || (*p >= L'\t' && *p <= L'\r')))
        ++p;
    bool bNegative = false;
    if (p < pEnd && (*p == L'+' || *p == L'-'))
        bNegative = *p++ == L'-';
    long long llValue = 0;
    for (; p < pEnd && *p >= L'0' && *p <= L'9'; ++p) {
        llValue = llValue * 10 + (*p - L'0');
        if (llValue > 2147483648LL)
            llValue = 2147483648LL;     // saturated; more digits cannot bring it back
    }
    if (bNegative)
        llValue = -llValue;
    if (llValue > m_skiDecimalMax)
        return m_skiDecimalMax;
    return static_cast<int>(llValue);
}

BOOL CQLNDefaultText::IsDefaultItem(const CString& strText) const
{
    return FindItem(strText) >= 0 ? TRUE : FALSE;
}

CString CQLNDefaultText::GetDefaultDecimal(const CString& strText) const
{
    const int i = FindItem(strText);
    return i >= 0 ? m_arrDefaultDecimal.GetAt(i) : CString();
}

BOOL CQLNDefaultText::GetDefaultDecimalMinMax(const CString& strText, int& nMin, int& nMax) const
{
    const int i = FindItem(strText);
    if (i < 0) {
        nMin = m_skiDecimalMin;
        nMax = m_skiDecimalMax;
        return FALSE;
    }
    nMin = ReadDecimal(m_arrDecimalMin.GetAt(i));
    nMax = ReadDecimal(m_arrDecimalMax.GetAt(i));
    return TRUE;
}

CString CQLNDefaultText::FindMatchingDescription(const CString& strText, eItemType eType) const
{
    CString strResult;
    switch (eType) {
    case eUserText:
        QLNLoadLibraryString(strResult, IDS_QLN_USER_TEXT_DESCRIPTION);
        return strResult;
    case eDataItem: {
        int nPrompts = 0;
        int nValues = 0;
        CQLNStringTokenizer::GetNumberOfPromptAndValue(strText, nPrompts, nValues);
        if (nValues == 0)
            QLNLoadLibraryString(strResult, IDS_QLN_HEADING_DESCRIPTION);
        const int i = FindItem(strText);
        if (i >= 0)
            strResult += m_arrDescription.GetAt(i);
        return strResult;
    }
    default:
        QLNLoadLibraryString(strResult, IDS_QLN_BLANK_LINE_DESCRIPTION);
        return strResult;
    }
}

QLTxtTokenID CQLNDefaultText::GetTDByTokenText(LPCTSTR lpszKey)
{
    if (lpszKey == nullptr)
        return QLTT_None;
    for (const structTxtToken& token : m_structTxtToken)
        if (std::wcscmp(token.m_pszKey, lpszKey) == 0)
            return token.m_eID;
    return QLTT_None;
}

void CQLNDefaultText::BreakupTextLine(const CString& strLine, CString& strDefaultText, CString& strDecimal,
                                      CString& strCustomizedLine)
{
    // Built aside first: the caller may pass the line itself as one of the out strings.
    CString strDefault;
    CString strRest = strLine;
    int nDelimiter = strRest.Find(m_sktcDelimiter);
    if (nDelimiter >= 0) {
        strDefault = strRest.Left(nDelimiter);
        strRest = strRest.Mid(nDelimiter + 1);
    }
    CString strDec;
    nDelimiter = strRest.Find(m_sktcDelimiter);
    if (nDelimiter >= 0) {
        strDec = strRest.Left(nDelimiter);
        strRest = strRest.Mid(nDelimiter + 1);
    }
    strDefaultText = strDefault;
    strDecimal = strDec;
    strCustomizedLine = strRest;
}

void CQLNDefaultText::FormTextLine(const CString& strDefaultText, const CString& strDecimal,
                                   const CString& strCustomizedLine, CString& strLine)
{
    strLine = strDefaultText + m_sktcDelimiter + strDecimal + m_sktcDelimiter + strCustomizedLine;
}

CString CQLNDefaultText::GetCustomizedLine(const CString& strLine)
{
    const int nDelimiter = strLine.ReverseFind(m_sktcDelimiter);
    return nDelimiter >= 0 ? strLine.Mid(nDelimiter + 1) : strLine;
}
