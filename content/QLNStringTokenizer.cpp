#include "QLNStringTokenizer.h"

// Defined here so that the exported class exports them: callers may bind them to references.
const int CQLNStringTokenizer::m_knStringLength;
const wchar_t CQLNStringTokenizer::m_ktcLeftDelimitator;
const wchar_t CQLNStringTokenizer::m_ktcRightDelimitator;

CQLNStringTokenizer::CQLNStringTokenizer(const CString& strText)
    : m_strText(strText), m_nPosition(0)
{
}

BOOL CQLNStringTokenizer::GetNextString(CString& strItem, BOOL& bIsValue)
{
    const int nLength = m_strText.GetLength();
    if (m_nPosition >= nLength)
        return FALSE;
    const wchar_t* pchRest = m_strText.GetString() + m_nPosition;
    const int nItemLength = GetStringEnd(pchRest, nLength - m_nPosition, bIsValue) + 1;
    strItem = CString(pchRest, nItemLength);
    m_nPosition += nItemLength;
    return TRUE;
}

int CQLNStringTokenizer::GetStringEnd(const wchar_t* pchRest, int nRestLength, BOOL& bIsValue)
{
    if (pchRest[0] == m_ktcLeftDelimitator) {
        bIsValue = TRUE;
        for (int i = 1; i < nRestLength; ++i)
            if (pchRest[i] == m_ktcRightDelimitator)
                return i;
        return nRestLength - 1;
    }
    bIsValue = FALSE;
    for (int i = 1; i < nRestLength; ++i)
        if (pchRest[i] == m_ktcLeftDelimitator)
            return i - 1;
    return nRestLength - 1;
}

CString CQLNStringTokenizer::GetRemainingString() const
{
    return m_strText.Mid(m_nPosition);
}

void CQLNStringTokenizer::GetNumberOfPromptAndValue(const CString& strText, int& nPrompts, int& nValues)
{
    nPrompts = 0;
    nValues = 0;
    CQLNStringTokenizer tokenizer(strText);
    CString strItem;
    BOOL bIsValue = FALSE;
    while (tokenizer.GetNextString(strItem, bIsValue)) {
        if (bIsValue)
            ++nValues;
        else
            ++nPrompts;
    }
}

CString CQLNStringTokenizer::GetLineItem(const CString& strText, int nIndex, BOOL& bIsValue)
{
    bIsValue = FALSE;
    CQLNStringTokenizer tokenizer(strText);
    CString strItem;
    for (int i = 0; tokenizer.GetNextString(strItem, bIsValue); ++i)
        if (i == nIndex)
            return strItem;
    return CString();
}

void CQLNStringTokenizer::TrimOffDelimitators(CString& strText)
{
    strText.TrimLeft(m_ktcLeftDelimitator);
    strText.TrimRight(m_ktcRightDelimitator);
}
