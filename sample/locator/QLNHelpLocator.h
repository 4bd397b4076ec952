// The help-file locator object: tells the report objects where their compiled help file is.
#pragma once
#include "QLNHelpFileLocator.h"

// The path comes from the value "HelpFile" (a string, environment variables allowed) under
// HKCU, then HKLM, "Software\Halverin\Report Objects\Help"; without it, the help file is
// "QLNReports.chm" beside this server's DLL. A "HelpFile" that is not a string is an installation
// fault: GetHelpFilePath then fails with ERROR_INVALID_DATATYPE and says so in its error
// information.
class CQLNHelpLocator final : public IQLNHelpFileLocator, public ISupportErrorInfo
{
public:
    CQLNHelpLocator();
    CQLNHelpLocator(const CQLNHelpLocator&) = delete;
    CQLNHelpLocator& operator=(const CQLNHelpLocator&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: the locator has no type information; it is called through its table.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                            DISPID* rgDispId) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                     DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                     EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // IQLNHelpFileLocator
    HRESULT STDMETHODCALLTYPE Reserved7() override;
    HRESULT STDMETHODCALLTYPE Reserved8() override;
    HRESULT STDMETHODCALLTYPE Reserved9() override;
    HRESULT STDMETHODCALLTYPE Reserved10() override;
    HRESULT STDMETHODCALLTYPE Reserved11() override;
    HRESULT STDMETHODCALLTYPE GetHelpFilePath(BSTR* pbstrPath) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override;

private:
    ~CQLNHelpLocator();

    LONG m_nRefs = 1;
};
