// Walks the customized part of a text-field line item by item. An item is either a value, which
// runs from "{" through the next "}" (or to the end of the text when none follows), or a prompt,
// which is any other run up to the next "{". Every item is at least one character long.
#pragma once
#include "QLNBaseExport.h"

#include "CString.h"

class QLN_BASE_API CQLNStringTokenizer
{
public:
    explicit CQLNStringTokenizer(const CString& strText);
    CQLNStringTokenizer(const CQLNStringTokenizer&) = default;
    CQLNStringTokenizer& operator=(const CQLNStringTokenizer&) = default;

    // Returns zero, touching neither argument, once the text is used up; otherwise the next item
    // and whether it is a value (1) or a prompt (0).
    BOOL GetNextString(CString& strItem, BOOL& bIsValue);
    // What GetNextString has not handed out yet.
    CString GetRemainingString() const;

    static void GetNumberOfPromptAndValue(const CString& strText, int& nPrompts, int& nValues);
    // The item at nIndex (from 0), or an empty string when there are not that many; then the
    // flag keeps what the last item set (0 for an empty text).
    static CString GetLineItem(const CString& strText, int nIndex, BOOL& bIsValue);
    // Strips every leading "{" and trailing "}", so a value becomes its token key.
    static void TrimOffDelimitators(CString& strText);

    // Lines read back from the line holder go through a buffer of this many characters, the
    // last one for the terminating zero.
    static const int m_knStringLength = 32767;

private:
    // Index, within the nRestLength characters at pchRest (at least one), of the last character
    // of the next item.
    static int GetStringEnd(const wchar_t* pchRest, int nRestLength, BOOL& bIsValue);

    static const wchar_t m_ktcLeftDelimitator = L'{';
    static const wchar_t m_ktcRightDelimitator = L'}';

    CString m_strText;
    int m_nPosition;
};
