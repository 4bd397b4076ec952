// IDispatch from a dispatch map, called the way automation clients call it.
#include "AfxDispatch.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    void SetColor(OLE_COLOR clr) { m_clr = clr; OnChanged(); }
    // An in-out string: the caller's is replaced.
    long GetLine(long index, BSTR* line) { ::SysReAllocString(line, L"line"); return index; }
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
    DISP_FUNCTION_ID(Sample, "GetLineCount", 21, Count, VT_I4, VTS_NONE)
END_DISPATCH_MAP()

// Calls through IDispatch as a client does: the name first, then Invoke with the arguments reversed
// as the protocol wants (and cleared after); a put names its value unless told not to.
struct Client
{
    IDispatch* d;
    EXCEPINFO excep = {};
    UINT argErr = 99;

    HRESULT Invoke(const wchar_t* name, WORD flags, std::vector<VARIANT> args, VARIANT* result = nullptr, bool namedPut = true)
    {
        DISPID id = 0, put = DISPID_PROPERTYPUT;
        LPOLESTR n = const_cast<LPOLESTR>(name);
        EXPECT_EQ(S_OK, d->GetIDsOfNames(IID_NULL, &n, 1, 0, &id));
        std::reverse(args.begin(), args.end());
        DISPPARAMS p = {args.data(), &put, static_cast<UINT>(args.size()), flags == DISPATCH_PROPERTYPUT && namedPut};
        const HRESULT hr = d->Invoke(id, IID_NULL, 0, flags, &p, result, &excep, &argErr);
        for (VARIANT& v : args)
            ::VariantClear(&v);
        return hr;
    }
    HRESULT Put(const wchar_t* name, VARIANT value) { return Invoke(name, DISPATCH_PROPERTYPUT, {value}); }
    // As scripts call a method.
    HRESULT Call(const wchar_t* name, std::vector<VARIANT> a, VARIANT* r) { return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, a, r); }
};

// A value as a client sends it: text, or the number the text spells in the type given.
VARIANT Var(const wchar_t* text, VARTYPE vt = VT_BSTR)
{
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = ::SysAllocString(text);
    EXPECT_EQ(S_OK, ::VariantChangeType(&v, &v, 0, vt));
    return v;
}

} // namespace

TEST(Dispatch, NamesAreFoundWithoutRegardToCase)
{
    IDispatch* d = (new Sample)->GetIDispatch(FALSE);
    DISPID ids[2] = {};
    LPOLESTR names[2] = {const_cast<LPOLESTR>(L"numcolumns"), const_cast<LPOLESTR>(L"NoSuchThing")};
    EXPECT_EQ(S_OK, d->GetIDsOfNames(IID_NULL, names, 1, 0, ids));
    EXPECT_EQ(3, ids[0]);
    EXPECT_EQ(DISP_E_UNKNOWNNAME, d->GetIDsOfNames(IID_NULL, names + 1, 1, 0, ids));
    EXPECT_EQ(DISP_E_UNKNOWNNAME, d->GetIDsOfNames(IID_NULL, names, 2, 0, ids));   // no named parameters
    EXPECT_EQ(DISPID_UNKNOWN, ids[1]);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, d->Invoke(4, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, nullptr, nullptr, nullptr));
    d->Release();
    EXPECT_EQ(0, g_alive);                      // the last reference deletes the object
}

TEST(Dispatch, TheDeclaredTypeDecidesCoercion)
{
    const struct { const wchar_t* property; VARIANT value; HRESULT hr; unsigned long stored; const char* why; } rows[] = {
        {L"NumColumns", Var(L"2"), S_OK, 2, "text becomes the number"},
        {L"NumColumns", Var(L"two"), DISP_E_TYPEMISMATCH, 0x123, "a refused write keeps the value"},
        {L"NumColumns", Var(L"70000", VT_I4), DISP_E_OVERFLOW, 0x123, "beyond a short"},
        {L"Count", Var(L"5", VT_I4), S_OK, 5, "an int declared VT_I4 is a number, not a boolean"},
        {L"Count", Var(L"-7"), S_OK, static_cast<unsigned long>(-7), "text of a negative number"},
        {L"On", Var(L"5", VT_I4), S_OK, TRUE, "an int declared VT_BOOL is a boolean"},
        {L"On", Var(L"0", VT_I4), S_OK, FALSE, "zero is false"},
        // A script's long and double and the text forms are the end-to-end colour tests'.
        {L"Color", Var(L"2147483656", VT_UI4), S_OK, 0x80000008, "a system colour as unsigned bits"},
        {L"Color", Var(L"&H80000008"), S_OK, 0x80000008, "a script's hexadecimal text"},
        {L"Color", Var(L"4294967296", VT_R8), DISP_E_OVERFLOW, 0x1234, "one past 32 bits"},
        {L"Color", Var(L"0x180000008"), DISP_E_TYPEMISMATCH, 0x1234, "nine hexadecimal digits"},
        {L"Color", Var(L"red"), DISP_E_TYPEMISMATCH, 0x1234, "not a number"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        Sample s;
        Client c{s.GetIDispatch(FALSE)};
        EXPECT_EQ(row.hr, c.Put(row.property, row.value));
        const CString p(row.property);
        const long raw = p == L"NumColumns" ? s.m_nColumns : p == L"Count" ? s.m_nCount : p == L"On" ? s.m_bOn : static_cast<long>(s.m_clr);
        EXPECT_EQ(row.stored, static_cast<unsigned long>(raw));
        EXPECT_EQ(row.hr == S_OK ? 1 : 0, s.changes) << "told of a change only when it was made";
        EXPECT_EQ(row.hr == S_OK ? 99u : 0u, c.argErr) << "a refused value is named";
    }
}

TEST(Dispatch, ResultsComeBackAsDeclaredAndErrorsAsExceptions)
{
    Sample s;
    s.m_clr = 0x80000008;
    Client c{s.GetIDispatch(FALSE)};
    EXPECT_EQ(S_OK, c.Put(L"Title", Var(L"Report")));
    EXPECT_EQ(DISP_E_EXCEPTION, c.Put(L"Title", Var(L"refuse")));
    EXPECT_STREQ(L"The title was refused.", c.excep.bstrDescription);
    EXPECT_EQ(7, c.excep.wCode);
    ::SysFreeString(c.excep.bstrDescription);
    EXPECT_EQ(DISP_E_PARAMNOTOPTIONAL, c.Invoke(L"Title", DISPATCH_PROPERTYPUT, {Var(L"1", VT_I4)}, nullptr, false))
        << "a put without the property-put name";

    // Each value as its declared type, then as text; a colour is a long of the same bits.
    const struct { const wchar_t* property; VARTYPE vt; const wchar_t* text; } gets[] = {
        {L"NumColumns", VT_I2, L"291"}, {L"Count", VT_I4, L"4660"}, {L"On", VT_BOOL, L"-1"},
        {L"Color", VT_I4, L"-2147483640"}, {L"Title", VT_BSTR, L"Report"},
    };
    VARIANT r;
    for (const auto& get : gets) {
        ASSERT_EQ(S_OK, c.Invoke(get.property, DISPATCH_PROPERTYGET, {}, &r));
        EXPECT_EQ(get.vt, V_VT(&r)) << get.text;
        ASSERT_EQ(S_OK, ::VariantChangeType(&r, &r, 0, VT_BSTR));
        EXPECT_STREQ(get.text, V_BSTR(&r));
        ::VariantClear(&r);
    }

    // A script's by-reference variant is covered end to end; a typed client passes the string.
    BSTR out = ::SysAllocString(L"old");
    VARIANT byString;
    V_VT(&byString) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&byString) = &out;
    EXPECT_EQ(S_OK, c.Call(L"GetLine", {Var(L"12"), byString}, &r));   // text coerced to a number
    EXPECT_EQ(12, V_I4(&r));
    EXPECT_STREQ(L"line", out);
    ::SysFreeString(out);
    EXPECT_EQ(DISP_E_TYPEMISMATCH, c.Call(L"GetLine", {Var(L"1", VT_I4), Var(L"2", VT_I4)}, &r));
    EXPECT_EQ(0u, c.argErr);                    // the second argument, counted from the end
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, c.Call(L"GetLine", {Var(L"1", VT_I4)}, &r));
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, c.Call(L"GetLineCount", {Var(L"1", VT_I4)}, &r));
    EXPECT_EQ(S_OK, c.Call(L"GetLineCount", {}, &r));
    EXPECT_EQ(3, V_I4(&r));
}
