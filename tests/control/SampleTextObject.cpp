#include "SampleTextObject.h"

using Microsoft::WRL::ComPtr;

namespace {

// The sample server's class identifier, as its registration writes it.
const CLSID kSampleClsid = {0x6f1e3a52, 0x9c41, 0x4d8b, {0xa7, 0xe2, 0x5b, 0x3c, 0x9d, 0x0f, 0x1a, 0x24}};

using GetClassObjectFn = HRESULT(__stdcall*)(REFCLSID, REFIID, void**);

} // namespace

SampleTextObject::SampleTextObject() : m_hServer(::LoadLibraryW(L"QLNSampleText.dll"))
{
    if (m_hServer == nullptr)
        return;
    const auto pfn = reinterpret_cast<GetClassObjectFn>(
        reinterpret_cast<void*>(::GetProcAddress(m_hServer, "DllGetClassObject")));
    ComPtr<IClassFactory> factory;
    if (pfn == nullptr || FAILED(pfn(kSampleClsid, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf()))))
        return;
    if (FAILED(factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(m_unknown.GetAddressOf()))))
        return;
    m_unknown.As(&m_dispatch);
}

SampleTextObject::~SampleTextObject()
{
    m_dispatch.Reset();
    m_unknown.Reset();
    // The library stays loaded: other objects of the process may still use the framework it
    // brought in.
}

HRESULT SampleTextObject::InitNew()
{
    ComPtr<IPersistStreamInit> persist = As<IPersistStreamInit>();
    return persist ? persist->InitNew() : E_NOINTERFACE;
}

HRESULT SampleTextObject::IsDirty()
{
    ComPtr<IPersistStreamInit> persist = As<IPersistStreamInit>();
    return persist ? persist->IsDirty() : E_NOINTERFACE;
}

HRESULT SampleTextObject::SaveStream(std::string& bytes, BOOL fClearDirty)
{
    ComPtr<IPersistStreamInit> persist = As<IPersistStreamInit>();
    if (!persist)
        return E_NOINTERFACE;
    ComPtr<IStream> stream;
    HRESULT hr = ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (FAILED(hr))
        return hr;
    hr = persist->Save(stream.Get(), fClearDirty);
    if (FAILED(hr))
        return hr;
    STATSTG stat = {};
    stream->Stat(&stat, STATFLAG_NONAME);
    bytes.assign(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    return bytes.empty() ? S_OK : stream->Read(&bytes[0], static_cast<ULONG>(bytes.size()), &read);
}

HRESULT SampleTextObject::LoadStream(const std::string& bytes)
{
    ComPtr<IPersistStreamInit> persist = As<IPersistStreamInit>();
    if (!persist)
        return E_NOINTERFACE;
    ComPtr<IStream> stream;
    HRESULT hr = ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (FAILED(hr))
        return hr;
    ULONG written = 0;
    if (!bytes.empty())
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER zero = {};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    return persist->Load(stream.Get());
}

HRESULT SampleTextObject::Invoke(const wchar_t* name, WORD wFlags, std::vector<VARIANT> args, VARIANT* pResult)
{
    if (!m_dispatch)
        return E_NOINTERFACE;
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = m_dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    // IDispatch takes the arguments last first.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (wFlags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    if (pResult != nullptr)
        ::VariantInit(pResult);
    EXCEPINFO excep = {};
    UINT argErr = 0;
    hr = m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, pResult, &excep, &argErr);
    ::SysFreeString(excep.bstrSource);
    ::SysFreeString(excep.bstrDescription);
    ::SysFreeString(excep.bstrHelpFile);
    return hr;
}

HRESULT SampleTextObject::Put(const wchar_t* name, const VARIANT& value)
{
    return Invoke(name, DISPATCH_PROPERTYPUT, {value}, nullptr);
}

HRESULT SampleTextObject::PutShort(const wchar_t* name, short value)
{
    VARIANT v;
    V_VT(&v) = VT_I2;
    V_I2(&v) = value;
    return Put(name, v);
}

HRESULT SampleTextObject::PutBool(const wchar_t* name, bool value)
{
    VARIANT v;
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return Put(name, v);
}

HRESULT SampleTextObject::PutString(const wchar_t* name, const std::wstring& value)
{
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = ::SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    const HRESULT hr = Put(name, v);
    ::VariantClear(&v);
    return hr;
}

HRESULT SampleTextObject::PutColour(const wchar_t* name, OLE_COLOR value)
{
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = static_cast<LONG>(value);
    return Put(name, v);
}

HRESULT SampleTextObject::PutFont(const wchar_t* name, IFontDisp* pFont)
{
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = pFont;
    return Put(name, v);
}

long SampleTextObject::GetLong(const wchar_t* name)
{
    VARIANT v;
    if (FAILED(Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {}, &v)) ||
        FAILED(::VariantChangeType(&v, &v, 0, VT_I4)))
        return -12345;
    return V_I4(&v);
}

std::wstring SampleTextObject::GetString(const wchar_t* name)
{
    VARIANT v;
    std::wstring text = L"<failed>";
    if (SUCCEEDED(Invoke(name, DISPATCH_PROPERTYGET, {}, &v)) && V_VT(&v) == VT_BSTR)
        text.assign(V_BSTR(&v), ::SysStringLen(V_BSTR(&v)));
    ::VariantClear(&v);
    return text;
}

OLE_COLOR SampleTextObject::GetColour(const wchar_t* name)
{
    return static_cast<OLE_COLOR>(GetLong(name));
}

ComPtr<IFont> SampleTextObject::GetFont(const wchar_t* name)
{
    VARIANT v;
    ComPtr<IFont> font;
    if (SUCCEEDED(Invoke(name, DISPATCH_PROPERTYGET, {}, &v)) && V_VT(&v) == VT_DISPATCH && V_DISPATCH(&v) != nullptr)
        V_DISPATCH(&v)->QueryInterface(IID_IFont, reinterpret_cast<void**>(font.GetAddressOf()));
    ::VariantClear(&v);
    return font;
}

long SampleTextObject::LineCount()
{
    return GetLong(L"GetLineCount");
}

std::wstring SampleTextObject::Line(long n, long* pnResult)
{
    BSTR text = nullptr;
    VARIANT index;
    V_VT(&index) = VT_I4;
    V_I4(&index) = n;
    VARIANT out;
    V_VT(&out) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&out) = &text;
    VARIANT result;
    const HRESULT hr = Invoke(L"GetLine", DISPATCH_METHOD, {index, out}, &result);
    if (pnResult != nullptr)
        *pnResult = SUCCEEDED(hr) && V_VT(&result) == VT_I4 ? V_I4(&result) : -12345;
    ::VariantClear(&result);
    std::wstring line = SUCCEEDED(hr) && text != nullptr ? std::wstring(text, ::SysStringLen(text)) : L"";
    ::SysFreeString(text);
    return line;
}

long SampleTextObject::VisibleColumnCount()
{
    return GetLong(L"GetVisibleColumnCount");
}

double SampleTextObject::ColumnWidthRatio(long n)
{
    VARIANT index;
    V_VT(&index) = VT_I4;
    V_I4(&index) = n;
    VARIANT result;
    if (FAILED(Invoke(L"GetColumnWidthRatio", DISPATCH_METHOD, {index}, &result)) || V_VT(&result) != VT_R8)
        return -1.0;
    return V_R8(&result);
}

std::vector<double> SampleTextObject::ColumnWidthRatios()
{
    std::vector<double> ratios;
    const long n = VisibleColumnCount();
    for (long i = 0; i < n; ++i)
        ratios.push_back(ColumnWidthRatio(i));
    return ratios;
}

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

void PrintTo(const FontFacts& facts, std::ostream* os)
{
    *os << std::string(facts.name.begin(), facts.name.end()) << " " << facts.size / 10000.0 << " pt"
        << (facts.bold ? " bold" : "") << (facts.italic ? " italic" : "");
}
