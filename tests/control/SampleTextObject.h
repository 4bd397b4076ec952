// The sample text object made in process from its server DLL's class factory, without the
// registry, and driven as a host drives it: properties and methods by name through IDispatch,
// property sets through IPersistStreamInit and IPersistPropertyBag.
#pragma once
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <ostream>
#include <string>
#include <vector>

class SampleTextObject
{
public:
    // A control that is neither initialised nor loaded yet; Unknown() is null when the server
    // could not be loaded.
    SampleTextObject();
    ~SampleTextObject();
    SampleTextObject(const SampleTextObject&) = delete;
    SampleTextObject& operator=(const SampleTextObject&) = delete;

    IUnknown* Unknown() const { return m_unknown.Get(); }
    template <class I>
    Microsoft::WRL::ComPtr<I> As() const
    {
        Microsoft::WRL::ComPtr<I> p;
        if (m_unknown)
            m_unknown.As(&p);
        return p;
    }

    HRESULT InitNew();
    // S_OK when modified, S_FALSE when not.
    HRESULT IsDirty();
    // The property set as IPersistStreamInit::Save writes it.
    HRESULT SaveStream(std::string& bytes, BOOL fClearDirty = TRUE);
    HRESULT LoadStream(const std::string& bytes);

    // A property write by name; the value is not consumed.
    HRESULT Put(const wchar_t* name, const VARIANT& value);
    HRESULT PutShort(const wchar_t* name, short value);
    HRESULT PutBool(const wchar_t* name, bool value);
    HRESULT PutString(const wchar_t* name, const std::wstring& value);
    HRESULT PutColour(const wchar_t* name, OLE_COLOR value);
    // A null font is written as an empty dispatch reference.
    HRESULT PutFont(const wchar_t* name, IFontDisp* pFont);
    // A property read or a method call by name, arguments in the method's order; the caller
    // clears the result.
    HRESULT Invoke(const wchar_t* name, WORD wFlags, std::vector<VARIANT> args, VARIANT* pResult);

    // Reads that fail the test's expectations show as a default value; the callers compare.
    long GetLong(const wchar_t* name);
    std::wstring GetString(const wchar_t* name);
    OLE_COLOR GetColour(const wchar_t* name);
    Microsoft::WRL::ComPtr<IFont> GetFont(const wchar_t* name);
    long LineCount();
    // Line n's text as handed out; the method's result in *pnResult.
    std::wstring Line(long n, long* pnResult = nullptr);
    long VisibleColumnCount();
    double ColumnWidthRatio(long n);
    std::vector<double> ColumnWidthRatios();

private:
    HMODULE m_hServer;
    Microsoft::WRL::ComPtr<IUnknown> m_unknown;
    Microsoft::WRL::ComPtr<IDispatch> m_dispatch;
};

// A font description of a font object, for comparisons.
struct FontFacts
{
    std::wstring name;
    long long size;   // currency units: points times 10000
    bool bold;
    bool italic;
    // The system's font object reports the size of the font it realised, not the size it was
    // given (10 points read back as 10.5): sizes match within a point.
    bool operator==(const FontFacts& o) const
    {
        const long long d = size > o.size ? size - o.size : o.size - size;
        return name == o.name && d <= 10000 && bold == o.bold && italic == o.italic;
    }
};
FontFacts FactsOf(IFont* pFont);
// Readable in a failure message.
void PrintTo(const FontFacts& facts, std::ostream* os);
// A font object of the system's own, as a host would hand to a font property.
Microsoft::WRL::ComPtr<IFontDisp> MakeFont(const wchar_t* face, long long size, bool bold, bool italic);
