// IDispatch from a dispatch map, called the way automation clients call it.
#include "AfxDispatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int g_alive = 0;

// Members whose C++ types alone would be misread: an int that is a count, not a BOOL, and an
// OLE_COLOR whose 32 bits arrive signed, unsigned, as a double or as text.
class Sample : public CCmdTarget
{
public:
    Sample() { ++g_alive; }
    ~Sample() override { --g_alive; }

    short m_nColumns = 0x123;
    int m_nCount = 0x1234;
    BOOL m_bOn = 0x1234;
    OLE_COLOR m_clr = 0x1234;
    CString m_strTitle;
    double m_zoom = 1.0;
    int changes = 0;

    void OnChanged() { ++changes; }
    BSTR GetTitle() { return m_strTitle.AllocSysString(); }
    void SetTitle(const wchar_t* p)
    {
        if (CString(p) == L"refuse")
            AfxThrowOleDispatchException(7, L"The title was refused.");
        m_strTitle = p;
    }
    OLE_COLOR GetColor() { return m_clr; }
    void SetColor(OLE_COLOR clr)
    {
        m_clr = clr;
        ++changes;
    }
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
    DISP_PROPERTY_NOTIFY_ID(Sample, "NumColumns", 3, m_nColumns, OnChanged, VT_I2)
    DISP_PROPERTY_NOTIFY_ID(Sample, "Count", 5, m_nCount, OnChanged, VT_I4)
    DISP_PROPERTY_NOTIFY_ID(Sample, "On", 12, m_bOn, OnChanged, VT_BOOL)
    DISP_PROPERTY_EX_ID(Sample, "Title", 16, GetTitle, SetTitle, VT_BSTR)
    DISP_PROPERTY_EX_ID(Sample, "Color", 7, GetColor, SetColor, VT_COLOR)
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
        const HRESULT hr = m_d->Invoke(Id(name), IID_NULL, 0, DISPATCH_PROPERTYPUT, &p, nullptr, &excep, &argErr);
        ::VariantClear(&value);
        return hr;
    }
    // Arguments in reading order; the call reverses them as the protocol wants.
    HRESULT Call(const wchar_t* name, std::vector<VARIANT> args, VARIANT* result,
                 WORD flags = DISPATCH_METHOD | DISPATCH_PROPERTYGET)
    {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS p = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        return m_d->Invoke(Id(name), IID_NULL, 0, flags, &p, result, &excep, &argErr);
    }

    EXCEPINFO excep = {};
    UINT argErr = 99;

private:
    IDispatch* m_d;
};

VARIANT Var(VARTYPE vt, double d, const wchar_t* text = nullptr)
{
    VARIANT v;
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

VARIANT Text(const wchar_t* text) { return Var(VT_BSTR, 0, text); }
VARIANT I4(long n) { return Var(VT_I4, n); }

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

TEST(Dispatch, TheDeclaredTypeDecidesCoercion)
{
    const struct { const wchar_t* property; VARIANT value; HRESULT hr; unsigned long stored; const char* why; } rows[] = {
        {L"NumColumns", Text(L"2"), S_OK, 2, "text becomes the number"},
        {L"NumColumns", Text(L"two"), DISP_E_TYPEMISMATCH, 0x123, "a refused write keeps the value"},
        {L"NumColumns", I4(70000), DISP_E_OVERFLOW, 0x123, "beyond a short"},
        {L"Count", I4(5), S_OK, 5, "an int declared VT_I4 is a number, not a boolean"},
        {L"Count", Text(L"-7"), S_OK, static_cast<unsigned long>(-7), "text of a negative number"},
        {L"On", I4(5), S_OK, TRUE, "an int declared VT_BOOL is a boolean"},
        {L"On", I4(0), S_OK, FALSE, "zero is false"},
        {L"Color", I4(-2147483640), S_OK, 0x80000008, "a system colour written as a script's long"},
        {L"Color", Var(VT_UI4, 2147483656.0), S_OK, 0x80000008, "the same bits unsigned"},
        {L"Color", Var(VT_R8, 2147483656.0), S_OK, 0x80000008, "a literal beyond the long range is a double"},
        {L"Color", Text(L"2147483656"), S_OK, 0x80000008, "text as a saved bag writes it"},
        {L"Color", Text(L"-2147483640"), S_OK, 0x80000008, "text of the signed form"},
        {L"Color", Text(L"0x80000008"), S_OK, 0x80000008, "hexadecimal text"},
        {L"Color", Text(L"&H80000008"), S_OK, 0x80000008, "a script's hexadecimal text"},
        {L"Color", Var(VT_R8, 4294967296.0), DISP_E_OVERFLOW, 0x1234, "one past 32 bits"},
        {L"Color", Text(L"0x180000008"), DISP_E_TYPEMISMATCH, 0x1234, "nine hexadecimal digits"},
        {L"Color", Text(L"red"), DISP_E_TYPEMISMATCH, 0x1234, "not a number"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        Sample s;
        Client c(s.GetIDispatch(FALSE));
        EXPECT_EQ(row.hr, c.Put(row.property, row.value));
        const CString name(row.property);
        const unsigned long stored = name == L"NumColumns" ? static_cast<unsigned long>(s.m_nColumns)
                                     : name == L"Count"    ? static_cast<unsigned long>(s.m_nCount)
                                     : name == L"On"       ? static_cast<unsigned long>(s.m_bOn)
                                                           : s.m_clr;
        EXPECT_EQ(row.stored, stored);
        EXPECT_EQ(row.hr == S_OK ? 1 : 0, s.changes) << "told of a change only when it was made";
        if (row.hr == DISP_E_TYPEMISMATCH) {
            EXPECT_EQ(0u, c.argErr);
        }
    }
}

TEST(Dispatch, ResultsComeBackAsDeclaredAndErrorsAsExceptions)
{
    Sample s;
    s.m_nColumns = 2;
    s.m_nCount = 3;
    s.m_bOn = TRUE;
    s.m_clr = 0x80000008;
    Client c(s.GetIDispatch(FALSE));
    const struct { const wchar_t* property; VARTYPE vt; LONG value; } gets[] = {
        {L"NumColumns", VT_I2, 2},
        {L"Count", VT_I4, 3},
        {L"On", VT_BOOL, VARIANT_TRUE},
        {L"Color", VT_I4, static_cast<LONG>(0x80000008)},   // a long of the same bits
    };
    for (const auto& get : gets) {
        SCOPED_TRACE(testing::Message() << CString(get.property).GetString());
        VARIANT r;
        ASSERT_EQ(S_OK, c.Call(get.property, {}, &r, DISPATCH_PROPERTYGET));
        EXPECT_EQ(get.vt, V_VT(&r));
        ASSERT_EQ(S_OK, ::VariantChangeType(&r, &r, 0, VT_I4));
        EXPECT_EQ(get.value, V_I4(&r));
    }

    EXPECT_EQ(S_OK, c.Put(L"Title", Text(L"Report")));
    EXPECT_EQ(DISP_E_EXCEPTION, c.Put(L"Title", Text(L"refuse")));
    EXPECT_STREQ(L"The title was refused.", c.excep.bstrDescription);
    EXPECT_EQ(7, c.excep.wCode);
    ::SysFreeString(c.excep.bstrDescription);
    VARIANT r;
    ASSERT_EQ(S_OK, c.Call(L"Title", {}, &r, DISPATCH_PROPERTYGET));
    EXPECT_STREQ(L"Report", V_BSTR(&r));
    ::VariantClear(&r);

    // A put without the property-put name is refused.
    VARIANT v = I4(1);
    EXPECT_EQ(DISP_E_PARAMNOTOPTIONAL, c.Call(L"Title", {v}, nullptr, DISPATCH_PROPERTYPUT));
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
    VARIANT index = Text(L"0");
    EXPECT_EQ(S_OK, c.Call(L"GetLine", {index, byVariant}, &r));   // text coerced to a number
    ::VariantClear(&index);
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

    VARIANT zoom = Text(L"1.5");
    EXPECT_EQ(S_OK, c.Call(L"SetZoom", {zoom}, nullptr));
    ::VariantClear(&zoom);
    EXPECT_DOUBLE_EQ(1.5, s.m_zoom);
    EXPECT_EQ(S_OK, c.Call(L"GetLineCount", {}, &r));
    EXPECT_EQ(3, V_I4(&r));
}
