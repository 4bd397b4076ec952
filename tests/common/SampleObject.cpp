#include "SampleObject.h"

#include "COleControl.h"
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

COleControl* ControlOf(CQLNTextObjClient& object)
{
    ComPtr<IDispatch> dispatch;
    const bool ok = object.Control() != nullptr && SUCCEEDED(object.Control()->QueryInterface(IID_PPV_ARGS(&dispatch)));
    return ok ? static_cast<COleControl*>(CCmdTarget::FromIDispatch(dispatch.Get())) : nullptr;
}

std::wstring Get(CQLNTextObjClient& object, const wchar_t* name)
{
    std::wstring value, error;
    return object.GetStringProperty(name, value, error) ? value : L"<failed: " + error + L">";
}

std::vector<double> ColumnWidthRatios(CQLNTextObjClient& object)
{
    std::vector<double> ratios;
    VARIANT count, index, ratio;
    std::wstring error;
    if (!object.CallMethod(L"GetVisibleColumnCount", {}, &count, error) || V_VT(&count) != VT_I4)
        return ratios;
    V_VT(&index) = VT_I4;
    for (V_I4(&index) = 0; V_I4(&index) < V_I4(&count); ++V_I4(&index)) {
        const bool ok = object.CallMethod(L"GetColumnWidthRatio", {index}, &ratio, error) && V_VT(&ratio) == VT_R8;
        ratios.push_back(ok ? V_R8(&ratio) : -1.0);
    }
    return ratios;
}

std::string SaveBagText(CQLNTextObjClient& object)
{
    ComPtr<IPersistPropertyBag> persist;
    CQLNTextPropertyBag bag;
    if (object.Control() == nullptr || FAILED(object.Control()->QueryInterface(IID_PPV_ARGS(&persist))) ||
        FAILED(persist->Save(&bag, FALSE, TRUE)))
        return std::string();
    return bag.SaveText();
}

bool LoadBagText(CQLNTextObjClient& object, const std::string& text)
{
    CQLNTextPropertyBag bag;
    std::wstring error;
    return bag.LoadText(text, error) && object.LoadBag(bag, error);
}

std::string WithValues(std::string text, const std::vector<std::pair<std::string, std::string>>& values)
{
    for (const auto& [key, value] : values) {
        const size_t line = text.find("\n" + key + "=");   // the version comes first: every property follows a break
        if (line == std::string::npos)
            return "no " + key;
        const size_t at = line + key.size() + 2;
        text.replace(at, text.find('\r', at) - at, value);
    }
    return text;
}

ComPtr<IFontDisp> MakeFont(const wchar_t* face, long long size, bool bold, bool italic)
{
    FONTDESC fd = {sizeof fd, const_cast<LPOLESTR>(face), {}, static_cast<SHORT>(bold ? FW_BOLD : FW_NORMAL),
                   ANSI_CHARSET, italic, FALSE, FALSE};
    fd.cySize.int64 = size;
    ComPtr<IFontDisp> font;
    ::OleCreateFontIndirect(&fd, IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf()));
    return font;
}

VARIANT Font(IFontDisp* pFont)
{
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = pFont;
    return v;
}

} // namespace SampleObject
