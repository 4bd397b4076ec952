// A host's handle on one text object: created by ProgID, started afresh or loaded from a
// property set, driven through its dispatch interface by name, drawn through IViewObject and
// saved again. Every operation answers false with a message saying what went wrong.
#pragma once
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <map>
#include <string>
#include <vector>

class CQLNTextPropertyBag;

class CQLNTextObjClient
{
public:
    CQLNTextObjClient() = default;
    CQLNTextObjClient(const CQLNTextObjClient&) = delete;
    CQLNTextObjClient& operator=(const CQLNTextObjClient&) = delete;

    bool Create(const std::wstring& progId, std::wstring& error);
    bool Create(const CLSID& clsid, const std::wstring& name, std::wstring& error);
    // A control that a container made (an embedding host window, say), already started.
    bool Attach(IUnknown* pControl, std::wstring& error);
    // The control itself, for the interfaces a host reaches past this client (embedding,
    // drawing); null before Create.
    IUnknown* Control() const { return m_control.Get(); }

    // A new control: default properties, every catalogue item a line, the default title.
    bool InitNew(std::wstring& error);
    bool LoadBag(CQLNTextPropertyBag& bag, std::wstring& error);
    // A property set as IPersistStreamInit::Save wrote it.
    bool LoadStream(const std::string& bytes, std::wstring& error);
    // Every property, whether or not it differs from its default.
    bool SaveBag(CQLNTextPropertyBag& bag, std::wstring& error);
    // Keeping the modified flag saves a copy: the control stays modified for the next real save.
    bool SaveStream(std::string& bytes, std::wstring& error, bool clearDirty = true);
    // Whether the control changed since it was started or last saved: a host that saves only
    // modified objects asks before it saves.
    bool IsDirty();

    // Writes the text as a string; the control converts it to the property's type, and a
    // text it cannot take is an error.
    bool PutProperty(const std::wstring& name, const std::wstring& value, std::wstring& error);
    bool GetStringProperty(const std::wstring& name, std::wstring& value, std::wstring& error);
    // A property as the control's own type: fonts as font objects, numbers as numbers. The
    // value is not consumed; the caller clears what Get gives.
    bool PutProperty(const std::wstring& name, const VARIANT& value, std::wstring& error);
    bool GetProperty(const std::wstring& name, VARIANT& value, std::wstring& error);
    // A method by name, arguments in the order of the method's parameters.
    bool CallMethod(const std::wstring& name, std::vector<VARIANT> args, VARIANT* pResult, std::wstring& error);

    // A table's columns are read the same way, through GetColumnCount and GetColumn.
    bool GetLineCount(long& count, std::wstring& error, const wchar_t* pszCount = L"GetLineCount");
    bool GetLine(long index, std::wstring& text, std::wstring& error, const wchar_t* pszItem = L"GetLine");
    // Lines 0 to GetLineCount - 1.
    bool GetLines(std::vector<std::wstring>& lines, std::wstring& error, const wchar_t* pszCount = L"GetLineCount",
                  const wchar_t* pszItem = L"GetLine");
    // The lines the object offers a host, whatever kind of object it is: GetLineCount and GetLine
    // where it has them (a text object), else GetColumnCount and GetColumn (a table), else its
    // Text property, a line per line break (an annotation). False with a message when it offers
    // none of these.
    bool GetOfferedLines(std::vector<std::wstring>& lines, std::wstring& error);
    // Whether the control has a property or method of the name.
    bool HasMember(const std::wstring& name);
    bool SetZoom(double zoom, std::wstring& error);
    // The decimals of time values in the catalogues that report objects of the process build
    // from now on, told through a short-lived object of the class: a call on a control that
    // was never started starts it, with the precision it then had, so the objects that take
    // the new one are those created afterwards. A class without time values does not offer it
    // and is left alone.
    static bool SetRTPrecision(const CLSID& clsid, long precision, std::wstring& error);

    // hdcTargetDev is the device the drawing is meant for (text is measured on it); bounds
    // are in logical units of hdcDraw.
    bool Draw(HDC hdcTargetDev, HDC hdcDraw, const RECT& bounds, std::wstring& error);
    // The properties verb: the control's own sheet, modal on this thread until the user closes it.
    bool ShowProperties(HWND hWndParent, std::wstring& error);

private:
    bool FindDispId(const std::wstring& name, DISPID& id, std::wstring& error);
    // Arguments in the order of the method's parameters.
    bool Call(const std::wstring& name, WORD wFlags, std::vector<VARIANT>& args, VARIANT* pResult,
              std::wstring& error);
    template <class Interface>
    bool Query(Microsoft::WRL::ComPtr<Interface>& result, const wchar_t* what, std::wstring& error);

    Microsoft::WRL::ComPtr<IUnknown> m_control;
    Microsoft::WRL::ComPtr<IDispatch> m_dispatch;
    // Looked up once per name: a host that reads thousands of lines asks for the same few.
    std::map<std::wstring, DISPID> m_dispIds;
};
