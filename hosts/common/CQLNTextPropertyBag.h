// A property bag kept as readable text (CQLNPropertyText says the form). Values are written as
// text in a form that reads back exactly: strings as they are, integers in decimal, booleans as
// true/false (read in any case), doubles with 17 significant digits, currency with four decimals;
// always with the full stop as decimal separator. The file does not record types: Read converts
// the text to the type the caller asks for and refuses text that is not of it.
#pragma once
#include <ocidl.h>

#include <map>
#include <string>
#include <vector>
#include <wrl/client.h>

class CQLNTextPropertyBag : public IPropertyBag
{
public:
    CQLNTextPropertyBag();
    virtual ~CQLNTextPropertyBag();
    // A new bag whose holder owns the one reference the bag is made with.
    static Microsoft::WRL::ComPtr<CQLNTextPropertyBag> Make();

    // Reads the file's properties; false with a message when it cannot be read, a line is not
    // of the form Name=value, or a file that opens with the heading lacks its closing line.
    bool LoadFile(const std::wstring& path, std::wstring& error);
    // The whole content of a file; false with a message saying why when it cannot be read.
    static bool ReadBytes(const std::wstring& path, std::string& bytes, std::wstring& error);
    // Parses text in the file's format; a text without the heading is read as it stands.
    bool LoadText(const std::string& utf8, std::wstring& error);
    // The properties in the file's format, in the order they were first written.
    std::string SaveText() const;
    bool Has(const std::wstring& name) const { return m_values.count(name) != 0; }
    std::vector<std::wstring> Names() const { return m_order; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE Read(LPCOLESTR pszPropName, VARIANT* pVar, IErrorLog* pErrorLog) override;
    HRESULT STDMETHODCALLTYPE Write(LPCOLESTR pszPropName, VARIANT* pVar) override;

private:
    LONG m_refs;
    std::map<std::wstring, std::wstring> m_values;   // the value's text, unescaped
    std::vector<std::wstring> m_order;
};
