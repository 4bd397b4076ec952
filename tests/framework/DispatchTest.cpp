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

namespace {

// Members whose C++ types alone would be misread: an int that is a count, not a BOOL, and an
// OLE_COLOR whose 32 bits arrive signed, unsigned, as a double or as text.
class Typed : public CCmdTarget
{
public:
    int m_nCount = 0;
    BOOL m_bOn = FALSE;
    OLE_COLOR m_clr = 0;
    void OnChanged() {}
    OLE_COLOR GetColor() { return m_clr; }
    void SetColor(OLE_COLOR clr) { m_clr = clr; }
    int Twice(int n) { return 2 * n; }

    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(Typed, CCmdTarget)
    DISP_PROPERTY_NOTIFY_ID(Typed, "Count", 1, m_nCount, OnChanged, VT_I4)
    DISP_PROPERTY_NOTIFY_ID(Typed, "On", 2, m_bOn, OnChanged, VT_BOOL)
    DISP_PROPERTY_EX_ID(Typed, "Color", 3, GetColor, SetColor, VT_COLOR)
    DISP_FUNCTION_ID(Typed, "Twice", 4, Twice, VT_I4, VTS_I4)
END_DISPATCH_MAP()

VARIANT Of(VARTYPE vt, double d, const wchar_t* text = nullptr)
{
    VARIANT v;
    ::VariantInit(&v);
    V_VT(&v) = vt;
    switch (vt) {
    case VT_I4: V_I4(&v) = static_cast<LONG>(static_cast<long long>(d)); break;
    case VT_UI4: V_UI4(&v) = static_cast<ULONG>(d); break;
    case VT_R8: V_R8(&v) = d; break;
    case VT_BSTR: V_BSTR(&v) = ::SysAllocString(text); break;
    default: break;
    }
    return v;
}

} // namespace

TEST(Dispatch, TheDeclaredTypeDecidesCoercionAndResult)
{
    const struct
    {
        const wchar_t* property;
        VARTYPE vt;
        double number;
        const wchar_t* text;
        HRESULT hr;
        unsigned long stored;   // what the member holds afterwards (it starts at 0x1234)
        const char* why;
    } rows[] = {
        {L"Count", VT_I4, 5, nullptr, S_OK, 5, "an int declared VT_I4 is a number, not a boolean"},
        {L"Count", VT_BSTR, 0, L"-7", S_OK, static_cast<unsigned long>(-7), "text becomes the number"},
        {L"Count", VT_BSTR, 0, L"seven", DISP_E_TYPEMISMATCH, 0x1234, "a refused write keeps the value"},
        {L"On", VT_I4, 5, nullptr, S_OK, TRUE, "an int declared VT_BOOL is a boolean"},
        {L"Color", VT_I4, -2147483640.0, nullptr, S_OK, 0x80000008, "a system colour written as a script's long"},
        {L"Color", VT_UI4, 2147483656.0, nullptr, S_OK, 0x80000008, "the same bits unsigned"},
        {L"Color", VT_R8, 2147483656.0, nullptr, S_OK, 0x80000008, "a literal beyond the long range is a double"},
        {L"Color", VT_BSTR, 0, L"2147483656", S_OK, 0x80000008, "text as a saved bag writes it"},
        {L"Color", VT_BSTR, 0, L"-2147483640", S_OK, 0x80000008, "text of the signed form"},
        {L"Color", VT_BSTR, 0, L"0x80000008", S_OK, 0x80000008, "hexadecimal text"},
        {L"Color", VT_BSTR, 0, L"&H80000008", S_OK, 0x80000008, "a script's hexadecimal text"},
        {L"Color", VT_R8, 4294967296.0, nullptr, DISP_E_OVERFLOW, 0x1234, "one past 32 bits"},
        {L"Color", VT_BSTR, 0, L"0x180000008", DISP_E_TYPEMISMATCH, 0x1234, "nine hexadecimal digits"},
        {L"Color", VT_BSTR, 0, L"red", DISP_E_TYPEMISMATCH, 0x1234, "not a number"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        Typed t;
        t.m_nCount = 0x1234;
        t.m_bOn = 0x1234;
        t.m_clr = 0x1234;
        Client c(t.GetIDispatch(FALSE));
        VARIANT v = Of(row.vt, row.number, row.text);
        EXPECT_EQ(row.hr, c.Put(row.property, v));
        ::VariantClear(&v);
        const CString name(row.property);
        const unsigned long stored = name == L"Count" ? static_cast<unsigned long>(t.m_nCount)
                                     : name == L"On"  ? static_cast<unsigned long>(t.m_bOn)
                                                      : t.m_clr;
        EXPECT_EQ(row.stored, stored);
    }

    // Results come back as declared: the count as a long, the colour as a long of the same bits.
    Typed t;
    t.m_nCount = 3;
    t.m_clr = 0x80000008;
    Client c(t.GetIDispatch(FALSE));
    VARIANT r;
    ASSERT_EQ(S_OK, c.Get(L"Count", &r));
    EXPECT_EQ(VT_I4, V_VT(&r));
    EXPECT_EQ(3, V_I4(&r));
    ASSERT_EQ(S_OK, c.Get(L"Color", &r));
    EXPECT_EQ(VT_I4, V_VT(&r));
    EXPECT_EQ(static_cast<LONG>(0x80000008), V_I4(&r));
    ASSERT_EQ(S_OK, c.Call(L"Twice", {I4(21)}, &r));
    EXPECT_EQ(VT_I4, V_VT(&r));
    EXPECT_EQ(42, V_I4(&r));
}
