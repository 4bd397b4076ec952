#include "CQLNTextObjClient.h"

#include "CQLNTextObjError.h"
#include "CQLNTextObjErrorLog.h"
#include "CQLNTextPropertyBag.h"

using Microsoft::WRL::ComPtr;

namespace {

// Owns a VARIANT for the length of a call.
struct ScopedVariant
{
    VARIANT v;
    ScopedVariant() { ::VariantInit(&v); }
    ~ScopedVariant() { ::VariantClear(&v); }
    ScopedVariant(const ScopedVariant&) = delete;
    ScopedVariant& operator=(const ScopedVariant&) = delete;
};

} // namespace

template <class Interface>
bool CQLNTextObjClient::Query(ComPtr<Interface>& result, const wchar_t* what, std::wstring& error)
{
    if (!m_control) {
        error = L"no control has been created";
        return false;
    }
    const HRESULT hr = m_control.As(&result);
    if (FAILED(hr)) {
        error = std::wstring(L"the control does not offer ") + what + L": " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return true;
}

bool CQLNTextObjClient::Create(const std::wstring& progId, std::wstring& error)
{
    CLSID clsid;
    HRESULT hr = ::CLSIDFromProgID(progId.c_str(), &clsid);
    if (FAILED(hr)) {
        error = L"no class is registered as " + progId + L": " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return Create(clsid, progId, error);
}

bool CQLNTextObjClient::Create(const CLSID& clsid, const std::wstring& name, std::wstring& error)
{
    ComPtr<IUnknown> control;
    const HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&control));
    if (FAILED(hr)) {
        error = L"cannot create " + name + L": " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return Attach(control.Get(), error);
}

bool CQLNTextObjClient::Attach(IUnknown* pControl, std::wstring& error)
{
    m_control = pControl;
    m_dispatch.Reset();
    m_dispIds.clear();
    return Query(m_dispatch, L"IDispatch", error);
}

bool CQLNTextObjClient::InitNew(std::wstring& error)
{
    ComPtr<IPersistStreamInit> persist;
    if (!Query(persist, L"IPersistStreamInit", error))
        return false;
    const HRESULT hr = persist->InitNew();
    if (FAILED(hr)) {
        error = L"the control could not start afresh: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return true;
}

bool CQLNTextObjClient::LoadBag(CQLNTextPropertyBag& bag, std::wstring& error)
{
    ComPtr<IPersistPropertyBag> persist;
    if (!Query(persist, L"IPersistPropertyBag", error))
        return false;
    CQLNTextObjErrorLog log;
    const HRESULT hr = persist->Load(&bag, &log);
    if (FAILED(hr)) {
        error = L"the control refused the property set: " +
                (log.Errors().empty() ? CQLNTextObjError::Describe(hr) : log.Text());
        return false;
    }
    return true;
}

bool CQLNTextObjClient::LoadStream(const std::string& bytes, std::wstring& error)
{
    ComPtr<IPersistStreamInit> persist;
    if (!Query(persist, L"IPersistStreamInit", error))
        return false;
    ComPtr<IStream> stream;
    HRESULT hr = ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    ULONG written = 0;
    if (SUCCEEDED(hr) && !bytes.empty())
        hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER start = {};
    if (SUCCEEDED(hr))
        hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    if (FAILED(hr)) {
        error = L"cannot hold the property set in memory: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    // A refusal may leave an error object that says where the set went wrong; none may be left
    // over from before.
    ::SetErrorInfo(0, nullptr);
    hr = persist->Load(stream.Get());
    if (FAILED(hr)) {
        error = L"the control refused the property set: ";
        ComPtr<IErrorInfo> info;
        BSTR description = nullptr;
        if (::GetErrorInfo(0, &info) == S_OK && SUCCEEDED(info->GetDescription(&description)) &&
            ::SysStringLen(description) != 0)
            error += std::wstring(description, ::SysStringLen(description)) + L" (" + CQLNTextObjError::Describe(hr) + L")";
        else
            error += CQLNTextObjError::Describe(hr);
        ::SysFreeString(description);
        return false;
    }
    return true;
}

bool CQLNTextObjClient::SaveBag(CQLNTextPropertyBag& bag, std::wstring& error)
{
    ComPtr<IPersistPropertyBag> persist;
    if (!Query(persist, L"IPersistPropertyBag", error))
        return false;
    const HRESULT hr = persist->Save(&bag, TRUE, TRUE);
    if (FAILED(hr)) {
        error = L"the control could not save its properties: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return true;
}

bool CQLNTextObjClient::IsDirty()
{
    ComPtr<IPersistStreamInit> persist;
    std::wstring error;
    return Query(persist, L"IPersistStreamInit", error) && persist->IsDirty() == S_OK;
}

bool CQLNTextObjClient::SaveStream(std::string& bytes, std::wstring& error, bool clearDirty)
{
    ComPtr<IPersistStreamInit> persist;
    if (!Query(persist, L"IPersistStreamInit", error))
        return false;
    ComPtr<IStream> stream;
    HRESULT hr = ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(hr))
        hr = persist->Save(stream.Get(), clearDirty ? TRUE : FALSE);
    STATSTG stat = {};
    if (SUCCEEDED(hr))
        hr = stream->Stat(&stat, STATFLAG_NONAME);
    LARGE_INTEGER start = {};
    if (SUCCEEDED(hr))
        hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    std::string content(SUCCEEDED(hr) ? static_cast<size_t>(stat.cbSize.QuadPart) : 0, '\0');
    ULONG read = 0;
    if (SUCCEEDED(hr) && !content.empty())
        hr = stream->Read(&content[0], static_cast<ULONG>(content.size()), &read);
    if (SUCCEEDED(hr) && read != content.size())
        hr = STG_E_READFAULT;
    if (FAILED(hr)) {
        error = L"the control could not save its properties: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    bytes.swap(content);
    return true;
}

bool CQLNTextObjClient::FindDispId(const std::wstring& name, DISPID& id, std::wstring& error)
{
    const auto it = m_dispIds.find(name);
    if (it != m_dispIds.end()) {
        id = it->second;
        return true;
    }
    if (!m_dispatch) {
        error = L"no control has been created";
        return false;
    }
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name.c_str())};
    const HRESULT hr = m_dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) {
        error = L"the control has no property or method named " + name;
        return false;
    }
    m_dispIds[name] = id;
    return true;
}

bool CQLNTextObjClient::Call(const std::wstring& name, WORD wFlags, std::vector<VARIANT>& args, VARIANT* pResult,
                             std::wstring& error)
{
    DISPID id = DISPID_UNKNOWN;
    if (!FindDispId(name, id, error))
        return false;
    // Automation passes arguments last first.
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (wFlags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &putId;
        params.cNamedArgs = 1;
    }
    EXCEPINFO excepInfo = {};
    UINT argErr = 0;
    const HRESULT hr = m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params, pResult, &excepInfo, &argErr);
    if (FAILED(hr)) {
        error = CQLNTextObjError::DescribeInvoke(hr, excepInfo);
        return false;
    }
    return true;
}

bool CQLNTextObjClient::PutProperty(const std::wstring& name, const std::wstring& value, std::wstring& error)
{
    ScopedVariant arg;
    V_VT(&arg.v) = VT_BSTR;
    V_BSTR(&arg.v) = ::SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
    std::vector<VARIANT> args(1, arg.v);
    std::wstring why;
    if (!Call(name, DISPATCH_PROPERTYPUT, args, nullptr, why)) {
        error = m_dispIds.count(name) != 0 ? L"the control refused " + name + L"=" + value + L": " + why : why;
        return false;
    }
    return true;
}

bool CQLNTextObjClient::PutProperty(const std::wstring& name, const VARIANT& value, std::wstring& error)
{
    std::vector<VARIANT> args(1, value);
    return Call(name, DISPATCH_PROPERTYPUT, args, nullptr, error);
}

bool CQLNTextObjClient::GetProperty(const std::wstring& name, VARIANT& value, std::wstring& error)
{
    ::VariantInit(&value);
    std::vector<VARIANT> none;
    return Call(name, DISPATCH_PROPERTYGET, none, &value, error);
}

bool CQLNTextObjClient::CallMethod(const std::wstring& name, std::vector<VARIANT> args, VARIANT* pResult,
                                   std::wstring& error)
{
    if (pResult != nullptr)
        ::VariantInit(pResult);
    return Call(name, DISPATCH_METHOD, args, pResult, error);
}

bool CQLNTextObjClient::GetStringProperty(const std::wstring& name, std::wstring& value, std::wstring& error)
{
    ScopedVariant result;
    std::vector<VARIANT> none;
    if (!Call(name, DISPATCH_PROPERTYGET, none, &result.v, error))
        return false;
    const HRESULT hr = ::VariantChangeType(&result.v, &result.v, 0, VT_BSTR);
    if (FAILED(hr)) {
        error = name + L" cannot be read as text: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    value.assign(V_BSTR(&result.v) != nullptr ? V_BSTR(&result.v) : L"", ::SysStringLen(V_BSTR(&result.v)));
    return true;
}

bool CQLNTextObjClient::HasMember(const std::wstring& name)
{
    DISPID id = DISPID_UNKNOWN;
    std::wstring error;
    return FindDispId(name, id, error);
}

bool CQLNTextObjClient::GetLineCount(long& count, std::wstring& error, const wchar_t* pszCount)
{
    ScopedVariant result;
    std::vector<VARIANT> none;
    if (!Call(pszCount, DISPATCH_METHOD, none, &result.v, error))
        return false;
    const HRESULT hr = ::VariantChangeType(&result.v, &result.v, 0, VT_I4);
    if (FAILED(hr)) {
        error = std::wstring(pszCount) + L" gave no number: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    count = V_I4(&result.v);
    return true;
}

bool CQLNTextObjClient::GetLine(long index, std::wstring& text, std::wstring& error, const wchar_t* pszItem)
{
    ScopedVariant line;
    ScopedVariant result;
    std::vector<VARIANT> args(2);
    V_VT(&args[0]) = VT_I4;
    V_I4(&args[0]) = index;
    V_VT(&args[1]) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&args[1]) = &V_BSTR(&line.v);
    V_VT(&line.v) = VT_BSTR;
    V_BSTR(&line.v) = nullptr;
    if (!Call(pszItem, DISPATCH_METHOD, args, &result.v, error))
        return false;
    text.assign(V_BSTR(&line.v) != nullptr ? V_BSTR(&line.v) : L"", ::SysStringLen(V_BSTR(&line.v)));
    return true;
}

bool CQLNTextObjClient::GetLines(std::vector<std::wstring>& lines, std::wstring& error, const wchar_t* pszCount,
                                  const wchar_t* pszItem)
{
    long count = 0;
    if (!GetLineCount(count, error, pszCount))
        return false;
    std::vector<std::wstring> result;
    result.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    for (long i = 0; i < count; ++i) {
        std::wstring text;
        if (!GetLine(i, text, error, pszItem))
            return false;
        result.push_back(std::move(text));
    }
    lines.swap(result);
    return true;
}

bool CQLNTextObjClient::GetOfferedLines(std::vector<std::wstring>& lines, std::wstring& error)
{
    if (HasMember(L"GetLineCount"))
        return GetLines(lines, error);
    if (HasMember(L"GetColumnCount"))
        return GetLines(lines, error, L"GetColumnCount", L"GetColumn");
    if (!HasMember(L"Text")) {
        error = L"the object offers no lines of text";
        return false;
    }
    std::wstring text;
    if (!GetStringProperty(L"Text", text, error))
        return false;
    std::vector<std::wstring> result;
    for (size_t start = 0; start < text.size();) {
        const size_t brk = text.find_first_of(L"\r\n", start);
        result.push_back(text.substr(start, brk == std::wstring::npos ? std::wstring::npos : brk - start));
        if (brk == std::wstring::npos)
            break;
        // A carriage return and a line feed together are one break.
        start = brk + (text.compare(brk, 2, L"\r\n") == 0 ? 2 : 1);
    }
    lines.swap(result);
    return true;
}

bool CQLNTextObjClient::SetZoom(double zoom, std::wstring& error)
{
    std::vector<VARIANT> args(1);
    V_VT(&args[0]) = VT_R8;
    V_R8(&args[0]) = zoom;
    return Call(L"SetZoom", DISPATCH_METHOD, args, nullptr, error);
}

bool CQLNTextObjClient::SetRTPrecision(const CLSID& clsid, long precision, std::wstring& error)
{
    CQLNTextObjClient messenger;
    if (!messenger.Create(clsid, L"the report object", error))
        return false;
    if (!messenger.HasMember(L"SetRTPrecision"))
        return true;
    std::vector<VARIANT> args(1);
    V_VT(&args[0]) = VT_I4;
    V_I4(&args[0]) = precision;
    return messenger.Call(L"SetRTPrecision", DISPATCH_METHOD, args, nullptr, error);
}

bool CQLNTextObjClient::Draw(HDC hdcTargetDev, HDC hdcDraw, const RECT& bounds, std::wstring& error)
{
    ComPtr<IViewObject> view;
    if (!Query(view, L"IViewObject", error))
        return false;
    const RECTL rcl = {bounds.left, bounds.top, bounds.right, bounds.bottom};
    const HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, hdcTargetDev, hdcDraw, &rcl, nullptr,
                                  nullptr, 0);
    if (FAILED(hr)) {
        error = L"the control could not draw: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return true;
}

bool CQLNTextObjClient::ShowProperties(HWND hWndParent, std::wstring& error)
{
    ComPtr<IOleObject> object;
    if (!Query(object, L"IOleObject", error))
        return false;
    const HRESULT hr = object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, hWndParent, nullptr);
    if (FAILED(hr)) {
        error = L"the control could not show its properties: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return true;
}
