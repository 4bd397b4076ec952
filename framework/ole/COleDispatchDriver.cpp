#include "COleDispatchDriver.h"

#include "COleDispatchException.h"
#include "COleException.h"

#include <cstdarg>
#include <vector>

namespace {

// Owns the VARIANTs of one call: cleared on every path.
class VariantList
{
public:
    explicit VariantList(size_t n) : m_items(n)
    {
        for (VARIANT& v : m_items)
            ::VariantInit(&v);
    }
    ~VariantList()
    {
        for (VARIANT& v : m_items)
            ::VariantClear(&v);
    }
    VARIANT* Data() { return m_items.empty() ? nullptr : m_items.data(); }
    VARIANT& operator[](size_t i) { return m_items[i]; }

    VariantList(const VariantList&) = delete;
    VariantList& operator=(const VariantList&) = delete;

private:
    std::vector<VARIANT> m_items;
};

void ReadArgument(VARIANT& v, VARTYPE vt, va_list& argList)
{
    V_VT(&v) = vt;
    switch (vt) {
    case VT_I2: V_I2(&v) = static_cast<SHORT>(va_arg(argList, int)); break;
    case VT_I4: V_I4(&v) = static_cast<LONG>(va_arg(argList, long)); break;
    case VT_R4: V_R4(&v) = static_cast<FLOAT>(va_arg(argList, double)); break;
    case VT_R8: V_R8(&v) = va_arg(argList, double); break;
    case VT_BOOL: V_BOOL(&v) = va_arg(argList, BOOL) ? VARIANT_TRUE : VARIANT_FALSE; break;
    case VT_UI1: V_UI1(&v) = static_cast<BYTE>(va_arg(argList, int)); break;
    case VT_UI4: V_UI4(&v) = static_cast<ULONG>(va_arg(argList, unsigned long)); break;
    case VT_BSTR: {
        const LPCOLESTR psz = va_arg(argList, LPCOLESTR);
        V_BSTR(&v) = ::SysAllocString(psz != nullptr ? psz : L"");
        if (V_BSTR(&v) == nullptr) {
            V_VT(&v) = VT_EMPTY;
            AfxThrowOleException(E_OUTOFMEMORY);
        }
        break;
    }
    case VT_DISPATCH:
        V_DISPATCH(&v) = va_arg(argList, LPDISPATCH);
        if (V_DISPATCH(&v) != nullptr)
            V_DISPATCH(&v)->AddRef();
        break;
    case VT_VARIANT: {
        const VARIANT* pSource = va_arg(argList, const VARIANT*);
        V_VT(&v) = VT_EMPTY;
        if (pSource == nullptr)
            AfxThrowOleException(E_POINTER);
        const HRESULT hr = ::VariantCopy(&v, const_cast<VARIANT*>(pSource));
        if (FAILED(hr))
            AfxThrowOleException(hr);
        break;
    }
    default:
        V_VT(&v) = VT_EMPTY;
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
}

void StoreResult(VARIANT& result, VARTYPE vtRet, void* pvRet)
{
    if (vtRet == VT_VARIANT) {
        const HRESULT hr = ::VariantCopy(static_cast<VARIANT*>(pvRet), &result);
        if (FAILED(hr))
            AfxThrowOleException(hr);
        return;
    }
    const HRESULT hr = ::VariantChangeType(&result, &result, 0, vtRet);
    if (FAILED(hr))
        AfxThrowOleException(hr);
    switch (vtRet) {
    case VT_I2: *static_cast<short*>(pvRet) = V_I2(&result); break;
    case VT_I4: *static_cast<long*>(pvRet) = V_I4(&result); break;
    case VT_R4: *static_cast<float*>(pvRet) = V_R4(&result); break;
    case VT_R8: *static_cast<double*>(pvRet) = V_R8(&result); break;
    case VT_BOOL: *static_cast<BOOL*>(pvRet) = V_BOOL(&result) != VARIANT_FALSE; break;
    case VT_UI1: *static_cast<BYTE*>(pvRet) = V_UI1(&result); break;
    case VT_UI4: *static_cast<ULONG*>(pvRet) = V_UI4(&result); break;
    case VT_BSTR:
        *static_cast<CString*>(pvRet) = CString(V_BSTR(&result), static_cast<int>(::SysStringLen(V_BSTR(&result))));
        break;
    case VT_DISPATCH:
        // The caller receives the reference the result held.
        *static_cast<LPDISPATCH*>(pvRet) = V_DISPATCH(&result);
        V_VT(&result) = VT_EMPTY;
        break;
    default:
        AfxThrowOleException(DISP_E_BADVARTYPE);
    }
}

} // namespace

COleDispatchDriver::COleDispatchDriver() : m_lpDispatch(nullptr), m_bAutoRelease(TRUE)
{
}

COleDispatchDriver::COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease)
    : m_lpDispatch(lpDispatch), m_bAutoRelease(bAutoRelease)
{
}

COleDispatchDriver::~COleDispatchDriver()
{
    ReleaseDispatch();
}

void COleDispatchDriver::AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease)
{
    ReleaseDispatch();
    m_lpDispatch = lpDispatch;
    m_bAutoRelease = bAutoRelease;
}

LPDISPATCH COleDispatchDriver::DetachDispatch()
{
    const LPDISPATCH lpDispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    return lpDispatch;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch != nullptr && m_bAutoRelease)
        m_lpDispatch->Release();
    m_lpDispatch = nullptr;
}

BOOL COleDispatchDriver::CreateDispatch(LPCTSTR lpszProgID)
{
    CLSID clsid;
    return lpszProgID != nullptr && SUCCEEDED(::CLSIDFromProgID(lpszProgID, &clsid)) && CreateDispatch(clsid);
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid)
{
    LPDISPATCH lpDispatch = nullptr;
    if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IDispatch, reinterpret_cast<void**>(&lpDispatch))))
        return FALSE;
    AttachDispatch(lpDispatch, TRUE);
    return TRUE;
}

void COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                      const BYTE* pbParamInfo, ...)
{
    va_list argList;
    va_start(argList, pbParamInfo);
    try {
        InvokeHelperV(dwDispID, wFlags, vtRet, pvRet, pbParamInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const
{
    va_list none{};
    InvokeHelperV(dwDispID, DISPATCH_PROPERTYGET, vtProp, pvProp, nullptr, none);
}

void COleDispatchDriver::SetProperty(DISPID dwDispID, VARTYPE vtProp, ...)
{
    const BYTE paramInfo[2] = {static_cast<BYTE>(vtProp), 0};
    va_list argList;
    va_start(argList, vtProp);
    try {
        InvokeHelperV(dwDispID, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, paramInfo, argList);
    } catch (...) {
        va_end(argList);
        throw;
    }
    va_end(argList);
}

void COleDispatchDriver::InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                       const BYTE* pbParamInfo, va_list argList) const
{
    if (m_lpDispatch == nullptr)
        AfxThrowOleException(E_POINTER);
    if (vtRet != VT_EMPTY && pvRet == nullptr)
        AfxThrowOleException(E_POINTER);

    size_t nArgs = 0;
    while (pbParamInfo != nullptr && pbParamInfo[nArgs] != 0)
        ++nArgs;
    // IDispatch takes the arguments last first.
    VariantList args(nArgs);
    for (size_t i = 0; i < nArgs; ++i)
        ReadArgument(args[nArgs - 1 - i], pbParamInfo[i], argList);

    DISPPARAMS params = {args.Data(), nullptr, static_cast<UINT>(nArgs), 0};
    DISPID dispidNamed = DISPID_PROPERTYPUT;
    if (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &dispidNamed;
        params.cNamedArgs = 1;
    }
    VariantList result(1);
    EXCEPINFO excepInfo = {};
    UINT nArgErr = 0;
    const HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, 0, wFlags, &params,
                                            vtRet != VT_EMPTY ? &result[0] : nullptr, &excepInfo, &nArgErr);
    if (FAILED(hr)) {
        if (hr != DISP_E_EXCEPTION)
            AfxThrowOleException(hr);
        if (excepInfo.pfnDeferredFillIn != nullptr)
            excepInfo.pfnDeferredFillIn(&excepInfo);
        COleDispatchException e(excepInfo.bstrDescription, excepInfo.dwHelpContext, excepInfo.wCode);
        e.m_scError = excepInfo.scode;
        e.m_strSource = excepInfo.bstrSource;
        e.m_strHelpFile = excepInfo.bstrHelpFile;
        ::SysFreeString(excepInfo.bstrSource);
        ::SysFreeString(excepInfo.bstrDescription);
        ::SysFreeString(excepInfo.bstrHelpFile);
        throw e;
    }
    if (vtRet != VT_EMPTY)
        StoreResult(result[0], vtRet, pvRet);
}
