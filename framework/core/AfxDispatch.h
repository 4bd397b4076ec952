// Dispatch-map entries: type-safe thunks between IDispatch::Invoke and C++ members.
//
// The automation type written in each entry (VT_… for a property or a result, a VTS_… list for
// the parameters of a method) is the type that arguments are coerced to and results are given
// as. It must fit the member's C++ type, which is checked when the map compiles:
//   VT_I2 short; VT_I4 long or int; VT_BOOL BOOL; VT_R8 double;
//   VT_COLOR OLE_COLOR (32 unsigned bits, accepted signed, unsigned, as a double or as text,
//     and given back as a long of the same bits, as scripts expect);
//   VT_BSTR const wchar_t* or CString in, BSTR or CString out;
//   VT_FONT IFontDisp*, VT_DISPATCH IDispatch* or IFontDisp*;
//   VTS_PBSTR BSTR* (a string out parameter); VTS_VARIANT const VARIANT* (the argument as the
//     caller passed it, for a member that takes arrays or several kinds);
//   VT_EMPTY a member that returns nothing.
// VT_COLOR and VT_FONT are the platform's names for VT_I4 and VT_DISPATCH, so a 32-bit unsigned
// member declared VT_I4 is a colour too. A result of type BSTR or interface pointer hands its
// ownership to the caller.
#pragma once
#include "AfxCoerceColor.h"
#include "CCmdTarget.h"
#include "COleDispatchException.h"
#include "CString.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <tuple>
#include <type_traits>
#include <utility>

// Parameter lists: one character per parameter, its VARTYPE, with 0x40 for by reference.
// Lists are written side by side: VTS_I4 VTS_PBSTR.
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_COLOR VTS_I4
#define VTS_FONT VTS_DISPATCH
#define VTS_PBSTR "\x48"
#define VTS_VARIANT "\x0C"

namespace afxdisp {

template <typename...>
inline constexpr bool kNoFit = false;

// A VTS_ list packed into one integer, first parameter in the lowest byte, so that it can be a
// template argument.
constexpr unsigned long long PackParams(const char* vts)
{
    unsigned long long packed = 0;
    for (int i = 0; vts[i] != '\0'; ++i) {
        if (i == 8)
            throw "a dispatch-map method takes at most eight parameters";   // stops the compile
        packed |= static_cast<unsigned long long>(static_cast<unsigned char>(vts[i])) << (8 * i);
    }
    return packed;
}

constexpr size_t ParamCount(unsigned long long packed)
{
    size_t n = 0;
    while (n < 8 && ((packed >> (8 * n)) & 0xFF) != 0)
        ++n;
    return n;
}

constexpr VARTYPE ParamType(unsigned long long packed, size_t i)
{
    const unsigned code = static_cast<unsigned>((packed >> (8 * i)) & 0xFF);
    return static_cast<VARTYPE>((code & 0x40) != 0 ? ((code & ~0x40u) | VT_BYREF) : code);
}

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

// One argument of declared type VT for a parameter of C++ type T. Only the pairs below exist;
// any other pair stops the compile here.
template <VARTYPE VT, typename T>
struct Arg
{
    static_assert(kNoFit<T>, "the automation type declared in the dispatch map does not fit the member's C++ type");
};

template <VARTYPE VT>
struct CoercedArg
{
    ArgVariant v;
    HRESULT Load(VARIANT* pSrc) { return v.Coerce(pSrc, VT); }
};

template <>
struct Arg<VT_I2, short> : CoercedArg<VT_I2>
{
    short Get() const { return v.m_var.iVal; }
};
template <>
struct Arg<VT_I4, long> : CoercedArg<VT_I4>
{
    long Get() const { return v.m_var.lVal; }
};
template <>
struct Arg<VT_I4, int> : CoercedArg<VT_I4>
{
    int Get() const { return static_cast<int>(v.m_var.lVal); }
};
template <>
struct Arg<VT_BOOL, int> : CoercedArg<VT_BOOL>   // BOOL
{
    int Get() const { return v.m_var.boolVal != VARIANT_FALSE ? TRUE : FALSE; }
};
template <>
struct Arg<VT_R8, double> : CoercedArg<VT_R8>
{
    double Get() const { return v.m_var.dblVal; }
};
template <>
struct Arg<VT_BSTR, const wchar_t*> : CoercedArg<VT_BSTR>
{
    const wchar_t* Get() const { return v.m_var.bstrVal != nullptr ? v.m_var.bstrVal : L""; }
};
template <>
struct Arg<VT_BSTR, CString> : CoercedArg<VT_BSTR>
{
    CString Get() const
    {
        return CString(v.m_var.bstrVal, static_cast<int>(::SysStringLen(v.m_var.bstrVal)));
    }
};
template <>
struct Arg<VT_COLOR, unsigned long>   // OLE_COLOR
{
    OLE_COLOR clr = 0;
    HRESULT Load(VARIANT* pSrc) { return AfxCoerceColor(pSrc, LOCALE_USER_DEFAULT, clr); }
    unsigned long Get() const { return clr; }
};

// A string out parameter: scripting clients pass a by-reference variant, others a
// by-reference string.
template <>
struct Arg<VT_BYREF | VT_BSTR, BSTR*>
{
    BSTR* p = nullptr;
    HRESULT Load(VARIANT* pSrc)
    {
        // The argument is in and out: what it held is freed here, so the member only stores.
        if (V_VT(pSrc) == (VT_BYREF | VT_BSTR)) {
            // A null reference is a caller that wants no text: the member gets a null out
            // pointer and hands out only its result.
            p = V_BSTRREF(pSrc);
            if (p != nullptr) {
                ::SysFreeString(*p);
                *p = nullptr;
            }
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

// Any argument, untouched: the member reads what it accepts (by reference or not) and refuses the rest.
template <>
struct Arg<VT_VARIANT, const VARIANT*>
{
    const VARIANT* p = nullptr;
    HRESULT Load(VARIANT* pSrc)
    {
        p = pSrc;
        return S_OK;
    }
    const VARIANT* Get() const { return p; }
};

template <typename I, const IID* piid>
struct InterfaceArg
{
    Microsoft::WRL::ComPtr<I> p;
    HRESULT Load(VARIANT* pSrc)
    {
        VARIANT* src = V_VT(pSrc) == (VT_BYREF | VT_VARIANT) ? V_VARIANTREF(pSrc) : pSrc;
        IUnknown* unk = nullptr;
        switch (V_VT(src)) {
        case VT_EMPTY:      // no object, as a null dispatch pointer ("Nothing")
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
        return SUCCEEDED(unk->QueryInterface(*piid, reinterpret_cast<void**>(p.GetAddressOf()))) ? S_OK
                                                                                               : DISP_E_TYPEMISMATCH;
    }
    I* Get() const { return p.Get(); }
};
template <>
struct Arg<VT_DISPATCH, IDispatch*> : InterfaceArg<IDispatch, &IID_IDispatch>
{
};
template <>
struct Arg<VT_FONT, IFontDisp*> : InterfaceArg<IFontDisp, &IID_IFontDisp>
{
};

// A result of declared type VT from a member returning T; as with arguments, only these pairs.
template <VARTYPE VT, typename T>
struct Result
{
    static_assert(kNoFit<T>, "the automation type declared in the dispatch map does not fit the member's result");
};
template <>
struct Result<VT_I2, short>
{
    static void Put(VARIANT* r, short v) { V_VT(r) = VT_I2; V_I2(r) = v; }
};
template <>
struct Result<VT_I4, long>
{
    static void Put(VARIANT* r, long v) { V_VT(r) = VT_I4; V_I4(r) = v; }
};
template <>
struct Result<VT_I4, int>
{
    static void Put(VARIANT* r, int v) { V_VT(r) = VT_I4; V_I4(r) = v; }
};
template <>
struct Result<VT_COLOR, unsigned long>
{
    static void Put(VARIANT* r, unsigned long v) { V_VT(r) = VT_I4; V_I4(r) = static_cast<LONG>(v); }
};
template <>
struct Result<VT_BOOL, int>
{
    static void Put(VARIANT* r, int v) { V_VT(r) = VT_BOOL; V_BOOL(r) = v ? VARIANT_TRUE : VARIANT_FALSE; }
};
template <>
struct Result<VT_R8, double>
{
    static void Put(VARIANT* r, double v) { V_VT(r) = VT_R8; V_R8(r) = v; }
};
template <>
struct Result<VT_BSTR, BSTR>
{
    static void Put(VARIANT* r, BSTR v) { V_VT(r) = VT_BSTR; V_BSTR(r) = v; }
};
template <>
struct Result<VT_BSTR, CString>
{
    static void Put(VARIANT* r, const CString& v) { V_VT(r) = VT_BSTR; V_BSTR(r) = v.AllocSysString(); }
};
template <>
struct Result<VT_DISPATCH, IDispatch*>
{
    static void Put(VARIANT* r, IDispatch* v) { V_VT(r) = VT_DISPATCH; V_DISPATCH(r) = v; }
};
template <>
struct Result<VT_FONT, IFontDisp*>
{
    static void Put(VARIANT* r, IFontDisp* v) { V_VT(r) = VT_DISPATCH; V_DISPATCH(r) = v; }
};

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

// The holders of a method's arguments: parameter i gets the type declared at place i of the list.
template <unsigned long long Params, typename Args, typename Seq>
struct ArgHolders;
template <unsigned long long Params, typename Args, size_t... I>
struct ArgHolders<Params, Args, std::index_sequence<I...>>
{
    using Type = std::tuple<Arg<ParamType(Params, I), std::tuple_element_t<I, Args>>...>;
};

// Gives a member's result to the caller as type VT, or frees it when the caller wants none.
template <VARTYPE VT, typename R>
void GiveResult(VARIANT* pResult, R value)
{
    if (pResult != nullptr)
        Result<VT, R>::Put(pResult, value);
    else
        Discard(value);
}

template <class T, auto Pfn, typename Holders, size_t... I>
decltype(auto) CallWith(T* pThis, Holders& h, std::index_sequence<I...>)
{
    return (pThis->*Pfn)(std::get<I>(h).Get()...);
}

// A method with positional arguments.
template <class T, auto Pfn, VARTYPE VtResult, unsigned long long Params>
HRESULT InvokeMethod(CCmdTarget* pTarget, WORD wFlags, DISPPARAMS* p, VARIANT* pResult, UINT* puArgErr)
{
    using Traits = MemberTraits<decltype(Pfn)>;
    using R = typename Traits::Result;
    static_assert(ParamCount(Params) == Traits::Count,
                  "the VTS_ list in the dispatch map and the member's parameters differ in number");
    static_assert(std::is_void_v<R> == (VtResult == VT_EMPTY),
                  "a member that returns nothing is declared VT_EMPTY, and only such a member");
    constexpr auto seq = std::make_index_sequence<Traits::Count>();
    using Holders = typename ArgHolders<Params, typename Traits::Args, std::remove_const_t<decltype(seq)>>::Type;
    if (!(wFlags & DISPATCH_METHOD) && !((wFlags & DISPATCH_PROPERTYGET) && Traits::Count == 0))
        return DISP_E_MEMBERNOTFOUND;
    if (p->cNamedArgs != 0)
        return DISP_E_NONAMEDARGS;
    if (p->cArgs != Traits::Count)
        return DISP_E_BADPARAMCOUNT;
    Holders holders;
    HRESULT hr = LoadAll(holders, p, puArgErr, seq);
    if (FAILED(hr))
        return hr;
    T* pThis = static_cast<T*>(pTarget);
    if constexpr (std::is_void_v<R>)
        CallWith<T, Pfn>(pThis, holders, seq);
    else
        GiveResult<VtResult, R>(pResult, CallWith<T, Pfn>(pThis, holders, seq));
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
template <class T, auto PfnGet, auto PfnSet, VARTYPE Vt>
HRESULT InvokeGetSet(CCmdTarget* pTarget, WORD wFlags, DISPPARAMS* p, VARIANT* pResult, UINT* puArgErr)
{
    using R = typename MemberTraits<decltype(PfnGet)>::Result;
    using V = std::decay_t<std::tuple_element_t<0, typename MemberTraits<decltype(PfnSet)>::Args>>;
    static_assert(MemberTraits<decltype(PfnGet)>::Count == 0 && MemberTraits<decltype(PfnSet)>::Count == 1,
                  "a property's get function takes nothing and its set function one value");
    T* pThis = static_cast<T*>(pTarget);
    if (IsPut(wFlags)) {
        VARIANT* pValue = nullptr;
        HRESULT hr = PutValue(wFlags, p, pValue);
        if (FAILED(hr))
            return hr;
        Arg<Vt, V> value;
        hr = LoadPutValue(value, pValue, puArgErr);
        if (FAILED(hr))
            return hr;
        (pThis->*PfnSet)(value.Get());
        return S_OK;
    }
    if (IsGet(wFlags, p)) {
        GiveResult<Vt, R>(pResult, (pThis->*PfnGet)());
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
template <class T, auto Member, auto PfnNotify, VARTYPE Vt>
HRESULT InvokeMember(CCmdTarget* pTarget, WORD wFlags, DISPPARAMS* p, VARIANT* pResult, UINT* puArgErr)
{
    using V = typename DataMemberTraits<decltype(Member)>::Value;
    T* pThis = static_cast<T*>(pTarget);
    if (IsPut(wFlags)) {
        VARIANT* pValue = nullptr;
        HRESULT hr = PutValue(wFlags, p, pValue);
        if (FAILED(hr))
            return hr;
        Arg<Vt, V> value;
        hr = LoadPutValue(value, pValue, puArgErr);
        if (FAILED(hr))
            return hr;
        pThis->*Member = value.Get();
        (pThis->*PfnNotify)();
        return S_OK;
    }
    if (IsGet(wFlags, p)) {
        if (pResult != nullptr)
            Result<Vt, V>::Put(pResult, pThis->*Member);
        return S_OK;
    }
    return p->cArgs != 0 ? DISP_E_BADPARAMCOUNT : DISP_E_MEMBERNOTFOUND;
}

} // namespace afxdisp

#define DISP_FUNCTION_ID(theClass, szExternalName, dispid, pfnMember, vtRetVal, vtsParams) \
    {L##szExternalName, dispid,                                                              \
     &afxdisp::InvokeMethod<theClass, &theClass::pfnMember, vtRetVal, afxdisp::PackParams(vtsParams)>},

#define DISP_PROPERTY_EX_ID(theClass, szExternalName, dispid, pfnGet, pfnSet, vtPropType) \
    {L##szExternalName, dispid, &afxdisp::InvokeGetSet<theClass, &theClass::pfnGet, &theClass::pfnSet, vtPropType>},

#define DISP_PROPERTY_NOTIFY_ID(theClass, szExternalName, dispid, memberName, pfnAfterSet, vtPropType) \
    {L##szExternalName, dispid,                                                                       \
     &afxdisp::InvokeMember<theClass, &theClass::memberName, &theClass::pfnAfterSet, vtPropType>},
