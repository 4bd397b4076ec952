#include "AfxCoerceColor.h"

#include <oleauto.h>

namespace {

// "0x" followed by one to eight hexadecimal digits, blanks around it allowed; the system's own
// conversion knows only the "&H" form.
bool ParseCHex(const wchar_t* p, UINT cch, OLE_COLOR& clr)
{
    UINT i = 0;
    while (i < cch && p[i] == L' ')
        ++i;
    if (i + 2 > cch || p[i] != L'0' || (p[i + 1] != L'x' && p[i + 1] != L'X'))
        return false;
    i += 2;
    ULONG value = 0;
    UINT digits = 0;
    for (; i < cch && p[i] != L' '; ++i, ++digits) {
        const wchar_t c = p[i];
        int nibble;
        if (c >= L'0' && c <= L'9')
            nibble = c - L'0';
        else if (c >= L'a' && c <= L'f')
            nibble = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F')
            nibble = c - L'A' + 10;
        else
            return false;
        if (digits == 8)
            return false;
        value = (value << 4) | static_cast<ULONG>(nibble);
    }
    while (i < cch && p[i] == L' ')
        ++i;
    if (digits == 0 || i != cch)
        return false;
    clr = value;
    return true;
}

} // namespace

HRESULT AfxCoerceColor(const VARIANT* pSrc, LCID lcid, OLE_COLOR& clr)
{
    if (pSrc == nullptr)
        return E_POINTER;
    const VARIANT* src = pSrc;
    if (V_VT(src) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(src) != nullptr)
        src = V_VARIANTREF(src);
    if (V_VT(src) == VT_BSTR && V_BSTR(src) != nullptr &&
        ParseCHex(V_BSTR(src), ::SysStringLen(V_BSTR(src)), clr))
        return S_OK;
    // 64 bits hold both readings of the 32: the negative long and the large unsigned value.
    VARIANT v;
    ::VariantInit(&v);
    const HRESULT hr = ::VariantChangeTypeEx(&v, const_cast<VARIANT*>(src), lcid, 0, VT_I8);
    if (FAILED(hr))
        return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
    const LONGLONG n = V_I8(&v);
    if (n < -2147483647LL - 1 || n > 4294967295LL)
        return DISP_E_OVERFLOW;
    clr = static_cast<OLE_COLOR>(static_cast<ULONGLONG>(n) & 0xFFFFFFFFu);
    return S_OK;
}
