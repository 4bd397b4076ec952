// The error log a host hands to a control that loads from a property bag: the control tells it
// each property it could not take, by name, so that the host can say which line of a file is
// wrong instead of only that the file was refused.
#pragma once
#include <ocidl.h>

#include <string>
#include <vector>

class CQLNTextObjErrorLog : public IErrorLog
{
public:
    // The descriptions received, in order; a property reported without one is named alone.
    const std::vector<std::wstring>& Errors() const { return m_errors; }
    // All of them in one line, separated by "; ".
    std::wstring Text() const;

    // Lives on its caller's stack, for the length of one load: references are not counted.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE AddError(LPCOLESTR pszPropName, EXCEPINFO* pExcepInfo) override;

private:
    std::vector<std::wstring> m_errors;
};
