// The catalogue of what a text object can show: the process-wide table of token keys, and per
// report object a list of default items built from that object's string resources. Also the
// three helpers that split and join the lines of a text-field string.
//
// A text-field line is default text, decimal setting and customized line joined by form feeds;
// a line without form feed is a customized line alone.
#pragma once
#include "QLNBaseExport.h"
#include "QLTxtTokenID.h"

#include "CString.h"
#include "CStringArray.h"

// Number of decimals that catalogues built from now on give to time values; 0 until a control's
// SetRTPrecision sets it. Read once per item while a catalogue is built, so catalogues built
// earlier keep what they saw.
QLN_BASE_API extern LONG g_lRTPrecision;

class QLN_BASE_API CQLNDefaultText
{
public:
    // The kind of a line as the data selection page sees it.
    enum eItemType : int
    {
        eBlankLine = 0,
        eUserText = 1,
        eDataItem = 2,
    };

    static const int m_skiDecimalMin = -2147483647 - 1;
    static const int m_skiDecimalMax = 2147483647;
    // The decimal setting of a line on which the user made none.
    static const int m_skiInvalidDecimal = -1;

    CQLNDefaultText();
    // One item per string resource, in the given order. Each string holds up to five fields
    // joined by line feeds: item text, description, minimum, maximum and default decimal
    // setting; the last field takes everything after the fourth line feed. A missing resource
    // gives an item with an empty text.
    CQLNDefaultText(const UINT* pnStringIDs, int nCount);
    virtual ~CQLNDefaultText();

    const CStringArray& GetStringArray() const { return m_arrItemText; }
    const CStringArray& GetDecimalArray() const { return m_arrDefaultDecimal; }

    // Lookups compare exactly (case-sensitive) and take the first item whose text matches.
    BOOL IsDefaultItem(const CString& strText) const;
    // Empty when no item matches.
    CString GetDefaultDecimal(const CString& strText) const;
    // Without a match the range is the whole of int and the result zero.
    BOOL GetDefaultDecimalMinMax(const CString& strText, int& nMin, int& nMax) const;
    // What to tell the user about a line of the given kind: a fixed text for user text and for
    // blank lines (any unknown kind counts as blank), for a data item its catalogue description,
    // preceded by "Heading:" when the text holds no value.
    CString FindMatchingDescription(const CString& strText, eItemType eType) const;

    // The identifier of a key written without braces, or QLTT_None.
    static QLTxtTokenID GetTDByTokenText(LPCTSTR lpszKey);

    // Splits at the first two form feeds; further form feeds stay in the customized line.
    static void BreakupTextLine(const CString& strLine, CString& strDefaultText, CString& strDecimal,
                                CString& strCustomizedLine);
    static void FormTextLine(const CString& strDefaultText, const CString& strDecimal,
                             const CString& strCustomizedLine, CString& strLine);
    // The text after the last form feed, or the whole line.
    static CString GetCustomizedLine(const CString& strLine);

private:
    struct structTxtToken
    {
        QLTxtTokenID m_eID;
        const wchar_t* m_pszKey;
    };

    void AddItem(UINT nStringID);
    int FindItem(const CString& strText) const;
    // Leading white space, optional sign, digits up to the first other character; no digits
    // reads as 0 and a value beyond int saturates.
    static int ReadDecimal(const CString& strDecimal);

    static const int m_kiNumQLTxtToken = 236;
    static const structTxtToken m_structTxtToken[m_kiNumQLTxtToken];
    static const wchar_t m_sktcDelimiter = 12;

    // Five lists of equal length, one entry per item; the decimal settings as "%d" text.
    CStringArray m_arrItemText;
    CStringArray m_arrDescription;
    CStringArray m_arrDefaultDecimal;
    CStringArray m_arrDecimalMin;
    CStringArray m_arrDecimalMax;
};
