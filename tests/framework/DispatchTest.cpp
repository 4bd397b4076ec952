// IDispatch from a dispatch map, called the way automation clients call it.
#include "AfxDispatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int g_alive = 0;

class Sample : public CCmdTarget
{
public:
    Sample() { ++g_alive; }
    ~Sample() override { --g_alive; }

    short m_nColumns = 0;
    int m_bFlag = TRUE;
    int notifications = 0;
    CString m_strTitle;
    unsigned long m_color = 0;
    double m_zoom = 1.0;

    void OnColumnsChanged() { ++notifications; }
    void OnFlagChanged() { ++notifications; }
    BSTR GetTitle() { return m_strTitle.AllocSysString(); }
    void SetTitle(const wchar_t* p)
    {
        if (CString(p) == L"refuse")
            AfxThrowOleDispatchException(7, L"The title was refused.");
        m_strTitle = p;
    }
    unsigned long GetColor() { return m_color; }
    void SetColor(unsigned long c) { m_color = c; }
    long GetLine(long index, BSTR* line)
    {
        ::SysFreeString(*line);
        CString text;
        text.Format(L"line %d", static_cast<int>(index));
        *line = text.AllocSysString();
        return text.GetLength();
    }
    void SetZoom(double z) { m_zoom = z; }
    long Count() { return 3; }

    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(Sample, CCmdTarget)
    DISP_PROPERTY_NOTIFY_ID(Sample, "NumColumns", 3, m_nColumns, OnColumnsChanged, VT_I2)
    DISP_PROPERTY_NOTIFY_ID(Sample, "IncludeDataLabel", 12, m_bFlag, OnFlagChanged, VT_BOOL)
    DISP_PROPERTY_EX_ID(Sample, "Title", 16, GetTitle, SetTitle, VT_BSTR)
    DISP_PROPERTY_EX_ID(Sample, "PromptColor", 7, GetColor, SetColor, VT_COLOR)
    DISP_FUNCTION_ID(Sample, "GetLine", 22, GetLine, VT_I4, VTS_I4 VTS_PBSTR)
    DISP_FUNCTION_ID(Sample, "SetZoom", 31, SetZoom, VT_EMPTY, VTS_R8)
    DISP_FUNCTION_ID(Sample, "GetLineCount", 21, Count, VT_I4, VTS_NONE)
END_DISPATCH_MAP()

// Calls through IDispatch as a client does: names first, then Invoke.
class Client
{
public:
    explicit Client(IDispatch* d) : m_d(d) {}

    DISPID Id(const wchar_t* name)
    {
        DISPID id = 0;
        LPOLESTR n = const_cast<LPOLESTR>(name);
        EXPECT_EQ(S_OK, m_d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id));
        return id;
    }
    HRESULT Put(const wchar_t* name, VARIANT value)
    {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS p = {&value, &named, 1, 1};
        return m_d->Invoke(Id(name), IID_NULL, 0, DISPATCH_PROPERTYPUT, &p, nullptr, &excep, &argErr);
    }
    HRESULT Get(const wchar_t* name, VARIANT* result)
    {
        DISPPARAMS p = {nullptr, nullptr, 0, 0};
        return m_d->Invoke(Id(name), IID_NULL, 0, DISPATCH_PROPERTYGET, &p, result, &excep, &argErr);
    }
    // Arguments in reading order; the call reverses them as the protocol wants.
    HRESULT Call(const wchar_t* name, std::vector<VARIANT> args, VARIANT* result)
    {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS p = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        return m_d->Invoke(Id(name), IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &p, result, &excep,
                           &argErr);
    }

    EXCEPINFO excep = {};
    UINT argErr = 99;

private:
    IDispatch* m_d;
};

VARIANT Str(BSTR b)
{
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = b;
    return v;
}

VARIANT I4(long n)
{
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = n;
    return v;
}

} // namespace

TEST(Dispatch, NamesAreFoundWithoutRegardToCase)
{
    Sample* s = new Sample;
    IDispatch* d = s->GetIDispatch(FALSE);
    DISPID ids[2] = {};
    LPOLESTR names[2] = {const_cast<LPOLESTR>(L"numcolumns"), const_cast<LPOLESTR>(L"x")};
    EXPECT_EQ(S_OK, d->GetIDsOfNames(IID_NULL, names, 1, 0, ids));
    EXPECT_EQ(3, ids[0]);
    EXPECT_EQ(DISP_E_UNKNOWNNAME, d->GetIDsOfNames(IID_NULL, names, 2, 0, ids));   // no named parameters
    EXPECT_EQ(DISPID_UNKNOWN, ids[1]);
    LPOLESTR unknown = const_cast<LPOLESTR>(L"NoSuchThing");
    EXPECT_EQ(DISP_E_UNKNOWNNAME, d->GetIDsOfNames(IID_NULL, &unknown, 1, 0, ids));
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, d->Invoke(4, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr));
    d->Release();
    EXPECT_EQ(0, g_alive);                      // the last reference deletes the object
}

TEST(Dispatch, MemberPropertiesCoerceAndNotify)
{
    Sample s;
    Client c(s.GetIDispatch(FALSE));
    EXPECT_EQ(S_OK, c.Put(L"NumColumns", Str(::SysAllocString(L"2"))));   // text coerced to a number
    EXPECT_EQ(2, s.m_nColumns);
    EXPECT_EQ(1, s.notifications);
    VARIANT bad = Str(::SysAllocString(L"two"));
    EXPECT_EQ(DISP_E_TYPEMISMATCH, c.Put(L"NumColumns", bad));
    ::VariantClear(&bad);
    EXPECT_EQ(0u, c.argErr);
    EXPECT_EQ(2, s.m_nColumns);                 // a refused write keeps the value
    EXPECT_EQ(1, s.notifications);
    EXPECT_EQ(DISP_E_OVERFLOW, c.Put(L"NumColumns", I4(70000)));
    VARIANT r;
    EXPECT_EQ(S_OK, c.Get(L"NumColumns", &r));
    EXPECT_EQ(VT_I2, V_VT(&r));
    EXPECT_EQ(2, V_I2(&r));
    EXPECT_EQ(S_OK, c.Put(L"IncludeDataLabel", I4(0)));
    EXPECT_FALSE(s.m_bFlag);
    EXPECT_EQ(S_OK, c.Get(L"IncludeDataLabel", &r));
    EXPECT_EQ(VT_BOOL, V_VT(&r));
    EXPECT_EQ(VARIANT_FALSE, V_BOOL(&r));
}

TEST(Dispatch, GetSetPropertiesAndTheirErrors)
{
    Sample s;
    Client c(s.GetIDispatch(FALSE));
    VARIANT title = Str(::SysAllocString(L"Report"));
    EXPECT_EQ(S_OK, c.Put(L"Title", title));
    ::VariantClear(&title);
    VARIANT r;
    EXPECT_EQ(S_OK, c.Get(L"Title", &r));
    EXPECT_STREQ(L"Report", V_BSTR(&r));
    ::VariantClear(&r);

    VARIANT refused = Str(::SysAllocString(L"refuse"));
    EXPECT_EQ(DISP_E_EXCEPTION, c.Put(L"Title", refused));
    ::VariantClear(&refused);
    EXPECT_STREQ(L"The title was refused.", c.excep.bstrDescription);
    EXPECT_EQ(7, c.excep.wCode);
    ::SysFreeString(c.excep.bstrDescription);
    EXPECT_EQ(CString(L"Report"), s.m_strTitle);

    // A system-colour index is negative as a 32-bit integer and kept as written.
    EXPECT_EQ(S_OK, c.Put(L"PromptColor", I4(static_cast<long>(0x80000008))));
    EXPECT_EQ(0x80000008ul, s.m_color);

    // A put without the property-put name is refused.
    VARIANT v = I4(1);
    DISPPARAMS positional = {&v, nullptr, 1, 0};
    EXPECT_EQ(DISP_E_PARAMNOTOPTIONAL,
              s.GetIDispatch(FALSE)->Invoke(16, IID_NULL, 0, DISPATCH_PROPERTYPUT, &positional, nullptr, nullptr, nullptr));
}

TEST(Dispatch, MethodsTakeTypedArgumentsAndStringOutParameters)
{
    Sample s;
    Client c(s.GetIDispatch(FALSE));
    VARIANT r;

    // Scripting clients pass the out argument as a by-reference variant.
    VARIANT inner;
    V_VT(&inner) = VT_EMPTY;
    VARIANT byVariant;
    V_VT(&byVariant) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byVariant) = &inner;
    EXPECT_EQ(S_OK, c.Call(L"GetLine", {Str(::SysAllocString(L"0")), byVariant}, &r));   // text coerced to a number
    EXPECT_EQ(6, V_I4(&r));
    EXPECT_EQ(VT_BSTR, V_VT(&inner));
    EXPECT_STREQ(L"line 0", V_BSTR(&inner));
    ::VariantClear(&inner);

    BSTR out = ::SysAllocString(L"old");
    VARIANT byString;
    V_VT(&byString) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&byString) = &out;
    EXPECT_EQ(S_OK, c.Call(L"GetLine", {I4(12), byString}, &r));
    EXPECT_STREQ(L"line 12", out);
    ::SysFreeString(out);

    EXPECT_EQ(DISP_E_TYPEMISMATCH, c.Call(L"GetLine", {I4(1), I4(2)}, &r));
    EXPECT_EQ(0u, c.argErr);                    // the second argument, counted from the end
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, c.Call(L"GetLine", {I4(1)}, &r));
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, c.Call(L"GetLineCount", {I4(1)}, &r));

    VARIANT zoom;
    V_VT(&zoom) = VT_BSTR;
    V_BSTR(&zoom) = ::SysAllocString(L"1.5");
    EXPECT_EQ(S_OK, c.Call(L"SetZoom", {zoom}, nullptr));
    ::VariantClear(&zoom);
    EXPECT_DOUBLE_EQ(1.5, s.m_zoom);
    EXPECT_EQ(S_OK, c.Call(L"GetLineCount", {}, &r));
    EXPECT_EQ(3, V_I4(&r));
}
