// The help-file locator: a component installed beside the report objects that knows where the
// compiled help file lives. The library only ever calls GetHelpFilePath, and calls it through
// the thirteenth slot of the table (three IUnknown methods, four IDispatch methods, then the
// locator's own), so the order of the declarations below is part of the contract with every
// locator ever installed: never insert, remove or reorder a method.
#pragma once
#include <oaidl.h>

// {B2E6DBFF-E614-4BAE-9710-AE97A9AD5865}
inline constexpr CLSID CLSID_QLNHelpFileLocator =
    {0xB2E6DBFF, 0xE614, 0x4BAE, {0x97, 0x10, 0xAE, 0x97, 0xA9, 0xAD, 0x58, 0x65}};
// {D9D963B3-66AC-41AA-A366-82CDCA3ED92F}
inline constexpr IID IID_IQLNHelpFileLocator =
    {0xD9D963B3, 0x66AC, 0x41AA, {0xA3, 0x66, 0x82, 0xCD, 0xCA, 0x3E, 0xD9, 0x2F}};

struct IQLNHelpFileLocator : public IDispatch
{
    // Slots 7 to 11: the locator's other operations, which no report object calls. A locator
    // answers them with E_NOTIMPL if it has nothing better.
    virtual HRESULT STDMETHODCALLTYPE Reserved7() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved8() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved9() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved10() = 0;
    virtual HRESULT STDMETHODCALLTYPE Reserved11() = 0;
    // Slot 12: the full path of the compiled help file, allocated with SysAllocString; the
    // caller frees it.
    virtual HRESULT STDMETHODCALLTYPE GetHelpFilePath(BSTR* pbstrPath) = 0;
};

__CRT_UUID_DECL(IQLNHelpFileLocator, 0xD9D963B3, 0x66AC, 0x41AA, 0xA3, 0x66, 0x82, 0xCD, 0xCA, 0x3E, 0xD9, 0x2F)

// The vtable index of GetHelpFilePath, for callers and tests that check the layout.
inline constexpr int QLN_HELP_FILE_PATH_SLOT = 12;
