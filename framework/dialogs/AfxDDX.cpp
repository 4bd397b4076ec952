#include "AfxDDX.h"

#include "AfxMessageBox.h"
#include "AfxRes.h"
#include "CInvalidArgException.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <limits>

namespace {

CString ControlText(HWND hWnd)
{
    CString text;
    const int nLength = ::GetWindowTextLengthW(hWnd);
    wchar_t* pBuffer = text.GetBufferSetLength(nLength);
    text.ReleaseBuffer(::GetWindowTextW(hWnd, pBuffer, nLength + 1));
    return text;
}

const wchar_t* SkipBlanks(const wchar_t* p)
{
    while (*p != 0 && std::iswspace(*p))
        ++p;
    return p;
}

// A whole text that is one number, blanks around it allowed, within [lo, hi].
bool ParseSigned(const CString& text, long long lo, long long hi, long long& result)
{
    const wchar_t* p = SkipBlanks(text);
    wchar_t* end = nullptr;
    errno = 0;
    const long long value = std::wcstoll(p, &end, 10);
    if (end == p || errno == ERANGE || *SkipBlanks(end) != 0 || value < lo || value > hi)
        return false;
    result = value;
    return true;
}

bool ParseUnsigned(const CString& text, unsigned long long hi, unsigned long long& result)
{
    const wchar_t* p = SkipBlanks(text);
    // The runtime would take "-1" as the largest value.
    if (*p == L'-')
        return false;
    wchar_t* end = nullptr;
    errno = 0;
    const unsigned long long value = std::wcstoull(p, &end, 10);
    if (end == p || errno == ERANGE || *SkipBlanks(end) != 0 || value > hi)
        return false;
    result = value;
    return true;
}

bool ParseReal(const CString& text, double maxMagnitude, double& result)
{
    const wchar_t* p = SkipBlanks(text);
    wchar_t* end = nullptr;
    const double value = std::wcstod(p, &end);
    if (end == p || *SkipBlanks(end) != 0 || !std::isfinite(value) || std::fabs(value) > maxMagnitude)
        return false;
    result = value;
    return true;
}

[[noreturn]] void FailWith(CDataExchange* pDX, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_ICONEXCLAMATION);
    pDX->Fail();
}

[[noreturn]] void FailRange(CDataExchange* pDX, UINT nIDPrompt, const CString& lo, const CString& hi)
{
    CString prompt;
    AfxFormatString2(prompt, nIDPrompt, lo, hi);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

CString Signed(long value)
{
    CString text;
    text.Format(L"%d", static_cast<int>(value));
    return text;
}

CString Unsigned(unsigned long value)
{
    CString text;
    text.Format(L"%u", static_cast<unsigned>(value));
    return text;
}

CString Real(double value, int nDigits)
{
    CString text;
    text.Format(nDigits == FLT_DIG ? L"%.6g" : L"%.15g", value);
    return text;
}

template <class T>
void TextSigned(CDataExchange* pDX, int nIDC, T& value)
{
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextW(hWnd, Signed(value));
        return;
    }
    long long parsed = 0;
    if (!ParseSigned(ControlText(hWnd), std::numeric_limits<T>::min(), std::numeric_limits<T>::max(), parsed))
        FailWith(pDX, AFX_IDP_PARSE_INT);
    value = static_cast<T>(parsed);
}

template <class T>
void TextUnsigned(CDataExchange* pDX, int nIDC, T& value, UINT nIDPrompt)
{
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextW(hWnd, Unsigned(value));
        return;
    }
    unsigned long long parsed = 0;
    if (!ParseUnsigned(ControlText(hWnd), std::numeric_limits<T>::max(), parsed))
        FailWith(pDX, nIDPrompt);
    value = static_cast<T>(parsed);
}

template <class T>
void TextReal(CDataExchange* pDX, int nIDC, T& value, int nDigits)
{
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextW(hWnd, Real(value, nDigits));
        return;
    }
    double parsed = 0;
    if (!ParseReal(ControlText(hWnd), std::numeric_limits<T>::max(), parsed))
        FailWith(pDX, AFX_IDP_PARSE_REAL);
    value = static_cast<T>(parsed);
}

bool HasEditField(HWND hCombo)
{
    return (::GetWindowLongPtrW(hCombo, GWL_STYLE) & 3) != CBS_DROPDOWNLIST;
}

// The item's text through the list's own length and text messages (LB_ or CB_).
CString ItemText(HWND hWnd, int nIndex, UINT nLenMsg, UINT nTextMsg)
{
    CString text;
    const int nLength = nIndex >= 0 ? static_cast<int>(::SendMessageW(hWnd, nLenMsg, nIndex, 0)) : -1;
    if (nLength <= 0)
        return text;
    wchar_t* pBuffer = text.GetBufferSetLength(nLength);
    const LRESULT nCopied = ::SendMessageW(hWnd, nTextMsg, nIndex, reinterpret_cast<LPARAM>(pBuffer));
    text.ReleaseBuffer(nCopied > 0 ? static_cast<int>(nCopied) : 0);
    return text;
}

CString ComboText(HWND hWnd)
{
    if (HasEditField(hWnd))
        return ControlText(hWnd);
    return ItemText(hWnd, static_cast<int>(::SendMessageW(hWnd, CB_GETCURSEL, 0, 0)), CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

void ComboString(CDataExchange* pDX, int nIDC, CString& value, UINT nFindMsg)
{
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ComboText(hWnd);
        return;
    }
    const LRESULT nIndex = ::SendMessageW(hWnd, nFindMsg, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
    if (nIndex != CB_ERR)
        ::SendMessageW(hWnd, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
    else if (HasEditField(hWnd))
        ::SetWindowTextW(hWnd, value);
    else
        ::SendMessageW(hWnd, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void ListString(CDataExchange* pDX, int nIDC, CString& value, UINT nFindMsg)
{
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ItemText(hWnd, static_cast<int>(::SendMessageW(hWnd, LB_GETCURSEL, 0, 0)), LB_GETTEXTLEN, LB_GETTEXT);
        return;
    }
    const LRESULT nIndex = ::SendMessageW(hWnd, nFindMsg, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(value.GetString()));
    ::SendMessageW(hWnd, LB_SETCURSEL, nIndex != LB_ERR ? static_cast<WPARAM>(nIndex) : static_cast<WPARAM>(-1), 0);
}

void SelectionIndex(CDataExchange* pDX, int nIDC, int& index, UINT nGetMsg, UINT nSetMsg)
{
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageW(hWnd, nGetMsg, 0, 0));
    else
        ::SendMessageW(hWnd, nSetMsg, static_cast<WPARAM>(index), 0);
}

} // namespace

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    TextUnsigned(pDX, nIDC, value, AFX_IDP_PARSE_BYTE);
}

void DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    TextSigned(pDX, nIDC, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    TextSigned(pDX, nIDC, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    TextUnsigned(pDX, nIDC, value, AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    TextSigned(pDX, nIDC, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    TextUnsigned(pDX, nIDC, value, AFX_IDP_PARSE_UINT);
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    TextReal(pDX, nIDC, value, FLT_DIG);
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    TextReal(pDX, nIDC, value, DBL_DIG);
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    const HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWnd);
    else
        ::SetWindowTextW(hWnd, value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    const HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageW(hWnd, BM_GETCHECK, 0, 0));
    else
        ::SendMessageW(hWnd, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    int nButton = 0;
    do {
        if (::SendMessageW(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (!pDX->m_bSaveAndValidate)
                ::SendMessageW(hWnd, BM_SETCHECK, nButton == value ? BST_CHECKED : BST_UNCHECKED, 0);
            else if (::SendMessageW(hWnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
                value = nButton;
            ++nButton;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd != nullptr && !(::GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_GROUP));
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    ComboString(pDX, nIDC, value, CB_FINDSTRING);
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    ComboString(pDX, nIDC, value, CB_FINDSTRINGEXACT);
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    SelectionIndex(pDX, nIDC, index, CB_GETCURSEL, CB_SETCURSEL);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    ListString(pDX, nIDC, value, LB_FINDSTRING);
}

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    ListString(pDX, nIDC, value, LB_FINDSTRINGEXACT);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    SelectionIndex(pDX, nIDC, index, LB_GETCURSEL, LB_SETCURSEL);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    if (!rControl.SubclassWindow(pDX->PrepareCtrl(nIDC)))
        AfxThrowInvalidArgException();
}

void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, Unsigned(minVal), Unsigned(maxVal));
}

void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, Signed(minVal), Signed(maxVal));
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, Signed(minVal), Signed(maxVal));
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, Unsigned(minVal), Unsigned(maxVal));
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, Signed(minVal), Signed(maxVal));
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, Unsigned(minVal), Unsigned(maxVal));
}

void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minVal, float maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, AFX_IDP_PARSE_REAL_RANGE, Real(minVal, FLT_DIG), Real(maxVal, FLT_DIG));
}

void DDV_MinMaxDouble(CDataExchange* pDX, double value, double minVal, double maxVal)
{
    if (pDX->m_bSaveAndValidate && (value < minVal || value > maxVal))
        FailRange(pDX, AFX_IDP_PARSE_REAL_RANGE, Real(minVal, DBL_DIG), Real(maxVal, DBL_DIG));
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    const HWND hWnd = pDX->m_hWndLastControl;
    if (!pDX->m_bSaveAndValidate) {
        wchar_t szClass[16] = {};
        if (hWnd != nullptr && ::GetClassNameW(hWnd, szClass, 16) > 0)
            ::SendMessageW(hWnd, ::lstrcmpiW(szClass, L"ComboBox") == 0 ? CB_LIMITTEXT : EM_LIMITTEXT,
                           static_cast<WPARAM>(nChars), 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    CString prompt;
    AfxFormatString1(prompt, AFX_IDP_PARSE_STRING_SIZE, Signed(nChars));
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
    pDX->Fail();
}
