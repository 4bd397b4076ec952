#include "SampleObject.h"

#include "CQLNTextPropertyBag.h"
#include "E2eSupport.h"
#include "SampleRegistration.h"

using Microsoft::WRL::ComPtr;

namespace SampleObject {

bool Create(CQLNTextObjClient& object, std::wstring& error)
{
    // Registered once; unregistered when the process ends, unless it was registered before.
    static E2e::SampleRegistration registration;
    return object.Create(E2e::kProgId, error);
}

VARIANT Short(short value)
{
    VARIANT v;
    V_VT(&v) = VT_I2;
    V_I2(&v) = value;
    return v;
}

VARIANT Int(long value)
{
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

VARIANT Bool(bool value)
{
    VARIANT v;
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

VARIANT Colour(OLE_COLOR value)
{
    return Int(static_cast<LONG>(value));
}

VARIANT Font(IFontDisp* pFont)
{
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = pFont;
    return v;
}

long Long(CQLNTextObjClient& object, const wchar_t* name)
{
    VARIANT v;
    std::wstring error;
    const bool ok = object.GetProperty(name, v, error) && SUCCEEDED(::VariantChangeType(&v, &v, 0, VT_I4));
    const long value = ok ? V_I4(&v) : -12345;
    ::VariantClear(&v);
    return value;
}

std::wstring Text(CQLNTextObjClient& object, const wchar_t* name)
{
    std::wstring value, error;
    return object.GetStringProperty(name, value, error) ? value : L"<failed: " + error + L">";
}

ComPtr<IFont> FontOf(CQLNTextObjClient& object, const wchar_t* name)
{
    VARIANT v;
    std::wstring error;
    ComPtr<IFont> font;
    if (object.GetProperty(name, v, error) && V_VT(&v) == VT_DISPATCH && V_DISPATCH(&v) != nullptr)
        V_DISPATCH(&v)->QueryInterface(IID_IFont, reinterpret_cast<void**>(font.GetAddressOf()));
    ::VariantClear(&v);
    return font;
}

std::vector<double> ColumnWidthRatios(CQLNTextObjClient& object)
{
    std::vector<double> ratios;
    VARIANT count;
    std::wstring error;
    if (!object.CallMethod(L"GetVisibleColumnCount", {}, &count, error) || V_VT(&count) != VT_I4)
        return ratios;
    for (long i = 0; i < V_I4(&count); ++i) {
        VARIANT ratio;
        const bool ok = object.CallMethod(L"GetColumnWidthRatio", {Int(i)}, &ratio, error) && V_VT(&ratio) == VT_R8;
        ratios.push_back(ok ? V_R8(&ratio) : -1.0);
    }
    return ratios;
}

std::wstring Line(CQLNTextObjClient& object, long n, long* pnResult)
{
    BSTR text = nullptr;
    VARIANT args[2];
    V_VT(&args[0]) = VT_I4;
    V_I4(&args[0]) = n;
    V_VT(&args[1]) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&args[1]) = &text;
    VARIANT result;
    std::wstring error;
    const bool ok = object.CallMethod(L"GetLine", {args[0], args[1]}, &result, error);
    if (pnResult != nullptr)
        *pnResult = ok && V_VT(&result) == VT_I4 ? V_I4(&result) : -12345;
    std::wstring line = ok && text != nullptr ? std::wstring(text, ::SysStringLen(text)) : L"";
    ::SysFreeString(text);
    return line;
}

std::string SaveBagText(CQLNTextObjClient& object)
{
    CQLNTextPropertyBag bag;
    std::wstring error;
    return object.SaveBag(bag, error) ? bag.SaveText() : std::string();
}

bool LoadBagText(CQLNTextObjClient& object, const std::string& text)
{
    CQLNTextPropertyBag bag;
    std::wstring error;
    return bag.LoadText(text, error) && object.LoadBag(bag, error);
}

ComPtr<IFontDisp> MakeFont(const wchar_t* face, long long size, bool bold, bool italic)
{
    FONTDESC fd = {};
    fd.cbSizeofstruct = sizeof fd;
    fd.lpstrName = const_cast<LPOLESTR>(face);
    fd.cySize.int64 = size;
    fd.sWeight = bold ? FW_BOLD : FW_NORMAL;
    fd.fItalic = italic;
    ComPtr<IFontDisp> font;
    ::OleCreateFontIndirect(&fd, IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf()));
    return font;
}

} // namespace SampleObject

FontFacts FactsOf(IFont* pFont)
{
    FontFacts facts = {L"<none>", 0, false, false};
    if (pFont == nullptr)
        return facts;
    BSTR name = nullptr;
    if (SUCCEEDED(pFont->get_Name(&name)) && name != nullptr)
        facts.name.assign(name, ::SysStringLen(name));
    ::SysFreeString(name);
    CY size = {};
    pFont->get_Size(&size);
    facts.size = size.int64;
    BOOL b = FALSE;
    pFont->get_Bold(&b);
    facts.bold = b != FALSE;
    pFont->get_Italic(&b);
    facts.italic = b != FALSE;
    return facts;
}

void PrintTo(const FontFacts& facts, std::ostream* os)
{
    *os << std::string(facts.name.begin(), facts.name.end()) << " " << facts.size / 10000.0 << " pt"
        << (facts.bold ? " bold" : "") << (facts.italic ? " italic" : "");
}
