// Dispatch-map entries: type-safe thunks between IDispatch::Invoke and C++ members.
//
// The parameter and result types of a member decide its automation types:
//   short VT_I2, long VT_I4, BOOL VT_BOOL, double VT_R8, OLE_COLOR (unsigned long) VT_I4,
//   const wchar_t* VT_BSTR in, BSTR* string out (by-reference string or by-reference variant),
//   CString VT_BSTR result, IDispatch* / IFontDisp* VT_DISPATCH.
// A result of type BSTR or interface pointer hands its ownership to the caller.
// The vt arguments of the macros document the interface; the thunks derive the types.
#pragma once
#include "CCmdTarget.h"
#include "COleDispatchException.h"
#include "CString.h"

#include <ocidl.h>
#include <olectl.h>

#include <tuple>
#include <type_traits>
#include <utility>

namespace afxdisp {

// Holds one converted argument for the length of a call.
class ArgVariant
{
public:
    ArgVariant() { ::VariantInit(&m_var); }
    ~ArgVariant() { ::VariantClear(&m_var); }
    ArgVariant(const ArgVariant&) = delete;
    ArgVariant& operator=(const ArgVariant&) = delete;
    HRESULT Coerce(VARIANT* pSrc, VARTYPE vt)
    {
        return ::VariantChangeType(&m_var, pSrc, 0, vt);
    }
    VARIANT m_var;
};

template <typename T>
struct Arg;

template <typename T, VARTYPE VT>
struct ScalarArg
{
    ArgVariant v;
    HRESULT Load(VARIANT* pSrc) { return v.Coerce(pSrc, VT); }
};

template <>
struct Arg<short> : ScalarArg<short, VT_I2>
{
    short Get() const { return v.m_var.iVal; }
};
template <>
struct Arg<long> : ScalarArg<long, VT_I4>
{
    long Get() const { return v.m_var.lVal; }
};
template <>
struct Arg<int> : ScalarArg<int, VT_BOOL>   // BOOL
{
    int Get() const { return v.m_var.boolVal != VARIANT_FALSE ? TRUE : FALSE; }
};
template <>
struct Arg<unsigned long> : ScalarArg<unsigned long, VT_I4>   // OLE_COLOR: system colours are negative
{
    unsigned long Get() const { return static_cast<unsigned long>(v.m_var.lVal); }
};
template <>
struct Arg<double> : ScalarArg<double, VT_R8>
{
    double Get() const { return v.m_var.dblVal; }
};
template <>
struct Arg<const wchar_t*> : ScalarArg<const wchar_t*, VT_BSTR>
{
    const wchar_t* Get() const { return v.m_var.bstrVal != nullptr ? v.m_var.bstrVal : L""; }
};

// A string out parameter: scripting clients pass a by-reference variant, others a
// by-reference string.
template <>
struct Arg<BSTR*>
{
    BSTR* p = nullptr;
    HRESULT Load(VARIANT* pSrc)
    {
        // The argument is in and out: what it held is freed here, so the member only stores.
        if (V_VT(pSrc) == (VT_BYREF | VT_BSTR)) {
            p = V_BSTRREF(pSrc);
            if (p == nullptr)
                return DISP_E_TYPEMISMATCH;
            ::SysFreeString(*p);
            *p = nullptr;
            return S_OK;
        }
        if (V_VT(pSrc) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(pSrc) != nullptr) {
            VARIANT* inner = V_VARIANTREF(pSrc);
            ::VariantClear(inner);
            V_VT(inner) = VT_BSTR;
            V_BSTR(inner) = nullptr;
            p = &V_BSTR(inner);
            return S_OK;
        }
        return DISP_E_TYPEMISMATCH;
    }
    BSTR* Get() const { return p; }
};

template <typename I, const IID* piid>
struct InterfaceArg
{
    I* p = nullptr;
    HRESULT Load(VARIANT* pSrc)
    {
        VARIANT* src = V_VT(pSrc) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(pSrc) : pSrc;
        IUnknown* unk = nullptr;
        switch (V_VT(src)) {
        case VT_EMPTY:
        case VT_NULL:
            return S_OK;
        case VT_DISPATCH:
            unk = V_DISPATCH(src);
            break;
        case VT_UNKNOWN:
            unk = V_UNKNOWN(src);
            break;
        default:
            return DISP_E_TYPEMISMATCH;
        }
        if (unk == nullptr)
            return S_OK;
        return SUCCEEDED(unk->QueryInterface(*piid, reinterpret_cast<void**>(&p))) ? S_OK : DISP_E_TYPEMISMATCH;
    }
    ~InterfaceArg()
    {
        if (p != nullptr)
            p->Release();
    }
    I* Get() const { return p; }
};
template <>
struct Arg<IDispatch*> : InterfaceArg<IDispatch, &IID_IDispatch>
{
};
template <>
struct Arg<IFontDisp*> : InterfaceArg<IFontDisp, &IID_IFontDisp>
{
};

// Results.
inline void Put(VARIANT* r, short v) { V_VT(r) = VT_I2; V_I2(r) = v; }
inline void Put(VARIANT* r, long v) { V_VT(r) = VT_I4; V_I4(r) = v; }
inline void Put(VARIANT* r, int v) { V_VT(r) = VT_BOOL; V_BOOL(r) = v ? VARIANT_TRUE : VARIANT_FALSE; }
inline void Put(VARIANT* r, unsigned long v) { V_VT(r) = VT_I4; V_I4(r) = static_cast<long>(v); }
inline void Put(VARIANT* r, double v) { V_VT(r) = VT_R8; V_R8(r) = v; }
inline void Put(VARIANT* r, BSTR v) { V_VT(r) = VT_BSTR; V_BSTR(r) = v; }
inline void Put(VARIANT* r, const CString& v) { V_VT(r) = VT_BSTR; V_BSTR(r) = v.AllocSysString(); }
inline void Put(VARIANT* r, IDispatch* v) { V_VT(r) = VT_DISPATCH; V_DISPATCH(r) = v; }
inline void Put(VARIANT* r, IFontDisp* v) { V_VT(r) = VT_DISPATCH; V_DISPATCH(r) = v; }

template <typename R>
void Discard(R value)
{
    if constexpr (std::is_same_v<R, BSTR>)
        ::SysFreeString(value);
    else if constexpr (std::is_pointer_v<R> && std::is_base_of_v<IUnknown, std::remove_pointer_t<R>>) {
        if (value != nullptr)
            value->Release();
    }
}

template <typename F>
struct MemberTraits;
template <typename C, typename R, typename... A>
struct MemberTraits<R (C::*)(A...)>
{
    using Result = R;
    using Args = std::tuple<std::decay_t<A>...>;
    static constexpr size_t Count = sizeof...(A);
};

// The positional argument i of a call: arguments arrive in reverse order.
inline VARIANT* Positional(DISPPARAMS* p, size_t i)
{
    return &p->rgvarg[p->cArgs - 1 - i];
}

template <typename Tuple, size_t... I>
HRESULT LoadAll(Tuple& args, DISPPARAMS* p, UINT* puArgErr, std::index_sequence<I...>)
{
    // Loads in order and stops at the first refusal, reporting its position as the platform does.
    HRESULT hr = S_OK;
    [[maybe_unused]] auto loadOne = [&](auto& holder, size_t i) {
        if (FAILED(hr))
            return;
        hr = holder.Load(Positional(p, i));
        if (FAILED(hr) && puArgErr != nullptr)
            *puArgErr = p->cArgs - 1 - static_cast<UINT>(i);
    };
    (loadOne(std::get<I>(args), I), ...);
    return hr;
}

template <typename Args>
struct ArgHolders;
template <typename... A>
struct ArgHolders<std::tuple<A...>>
{
    using Type = std::tuple<Arg<A>...>;
};

template <class T, auto Pfn, typename Holders, size_t... I>
decltype(auto) CallWith(T* pThis, Holders& h, std::index_sequence<I...>)
{
    return (pThis->*Pfn)(std::get<I>(h).Get()...);
}

// A method with positional arguments.
template <class T, auto Pfn>
HRESULT InvokeMethod(CCmdTarget* pTarget, WORD wFlags, DISPPARAMS* p, VARIANT* pResult, UINT* puArgErr)
{
    using Traits = MemberTraits<decltype(Pfn)>;
    if (!(wFlags & DISPATCH_METHOD) && !((wFlags & DISPATCH_PROPERTYGET) && Traits::Count == 0))
        return DISP_E_MEMBERNOTFOUND;
    if (p->cNamedArgs != 0)
        return DISP_E_NONAMEDARGS;
    if (p->cArgs != Traits::Count)
        return DISP_E_BADPARAMCOUNT;
    typename ArgHolders<typename Traits::Args>::Type holders;
    constexpr auto seq = std::make_index_sequence<Traits::Count>();
    HRESULT hr = LoadAll(holders, p, puArgErr, seq);
    if (FAILED(hr))
        return hr;
    T* pThis = static_cast<T*>(pTarget);
    if constexpr (std::is_void_v<typename Traits::Result>) {
        CallWith<T, Pfn>(pThis, holders, seq);
    } else {
        auto value = CallWith<T, Pfn>(pThis, holders, seq);
        if (pResult != nullptr)
            Put(pResult, value);
        else
            Discard(value);
    }
    return S_OK;
}

// The value of a property put: the one argument, named DISPID_PROPERTYPUT.
inline HRESULT PutValue(WORD wFlags, DISPPARAMS* p, VARIANT*& pValue)
{
    if (p->cArgs != 1)
        return DISP_E_BADPARAMCOUNT;
    if (p->cNamedArgs != 1 || p->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
        return DISP_E_PARAMNOTOPTIONAL;
    pValue = &p->rgvarg[0];
    return S_OK;
}

// Converts the value of a property put; a refusal names the one argument.
template <typename A>
HRESULT LoadPutValue(A& value, VARIANT* pValue, UINT* puArgErr)
{
    const HRESULT hr = value.Load(pValue);
    if (FAILED(hr) && puArgErr != nullptr)
        *puArgErr = 0;
    return hr;
}

inline bool IsGet(WORD wFlags, DISPPARAMS* p)
{
    return (wFlags & DISPATCH_PROPERTYGET) != 0 && p->cArgs == 0;
}

inline bool IsPut(WORD wFlags)
{
    return (wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
}

// A property read and written through member functions.
template <class T, auto PfnGet, auto PfnSet>
HRESULT InvokeGetSet(CCmdTarget* pTarget, WORD wFlags, DISPPARAMS* p, VARIANT* pResult, UINT* puArgErr)
{
    T* pThis = static_cast<T*>(pTarget);
    if (IsPut(wFlags)) {
        VARIANT* pValue = nullptr;
        HRESULT hr = PutValue(wFlags, p, pValue);
        if (FAILED(hr))
            return hr;
        using V = std::decay_t<std::tuple_element_t<0, typename MemberTraits<decltype(PfnSet)>::Args>>;
        Arg<V> value;
        hr = LoadPutValue(value, pValue, puArgErr);
        if (FAILED(hr))
            return hr;
        (pThis->*PfnSet)(value.Get());
        return S_OK;
    }
    if (IsGet(wFlags, p)) {
        auto value = (pThis->*PfnGet)();
        if (pResult != nullptr)
            Put(pResult, value);
        else
            Discard(value);
        return S_OK;
    }
    return p->cArgs != 0 ? DISP_E_BADPARAMCOUNT : DISP_E_MEMBERNOTFOUND;
}

template <typename M>
struct DataMemberTraits;
template <typename C, typename V>
struct DataMemberTraits<V C::*>
{
    using Value = V;
};

// A property kept in a data member, with a notification after each write.
template <class T, auto Member, auto PfnNotify>
HRESULT InvokeMember(CCmdTarget* pTarget, WORD wFlags, DISPPARAMS* p, VARIANT* pResult, UINT* puArgErr)
{
    using V = typename DataMemberTraits<decltype(Member)>::Value;
    T* pThis = static_cast<T*>(pTarget);
    if (IsPut(wFlags)) {
        VARIANT* pValue = nullptr;
        HRESULT hr = PutValue(wFlags, p, pValue);
        if (FAILED(hr))
            return hr;
        Arg<V> value;
        hr = LoadPutValue(value, pValue, puArgErr);
        if (FAILED(hr))
            return hr;
        pThis->*Member = value.Get();
        (pThis->*PfnNotify)();
        return S_OK;
    }
    if (IsGet(wFlags, p)) {
        if (pResult != nullptr)
            Put(pResult, static_cast<V>(pThis->*Member));
        return S_OK;
    }
    return p->cArgs != 0 ? DISP_E_BADPARAMCOUNT : DISP_E_MEMBERNOTFOUND;
}

} // namespace afxdisp

#define DISP_FUNCTION_ID(theClass, szExternalName, dispid, pfnMember, vtRetVal, vtsParams) \
    {L##szExternalName, dispid, &afxdisp::InvokeMethod<theClass, &theClass::pfnMember>},

#define DISP_PROPERTY_EX_ID(theClass, szExternalName, dispid, pfnGet, pfnSet, vtPropType) \
    {L##szExternalName, dispid, &afxdisp::InvokeGetSet<theClass, &theClass::pfnGet, &theClass::pfnSet>},

#define DISP_PROPERTY_NOTIFY_ID(theClass, szExternalName, dispid, memberName, pfnAfterSet, vtPropType) \
    {L##szExternalName, dispid, &afxdisp::InvokeMember<theClass, &theClass::memberName, &theClass::pfnAfterSet>},
