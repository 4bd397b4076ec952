// An automation client: calls an object's IDispatch by dispatch id with C++ arguments.
//
// Arguments are described by a zero-terminated string of VARTYPE bytes (VTS_ constants below)
// and passed as C++ values after it: VT_I2, VT_I4, VT_BOOL, VT_UI1 and VT_UI4 as int-sized
// integers, VT_R4 and VT_R8 as double, VT_BSTR as LPCOLESTR, VT_DISPATCH as LPDISPATCH,
// VT_VARIANT as const VARIANT*. The result is converted to vtRet and stored where pvRet
// points: short, long, float, double, CString, BOOL, LPDISPATCH (with a reference for the
// caller), VARIANT, BYTE or ULONG. A failure raises COleDispatchException when the object
// answered DISP_E_EXCEPTION (with its description), otherwise COleException.
#pragma once
#include "CString.h"

#include <oaidl.h>

#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UI1 "\x11"
#define VTS_UI4 "\x13"

class AFX_CORE_API COleDispatchDriver
{
public:
    COleDispatchDriver();
    explicit COleDispatchDriver(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    ~COleDispatchDriver();

    // Plain members, as the platform framework has them: a driver may also borrow the pointer
    // (bAutoRelease false), which a smart pointer could not express.
    LPDISPATCH m_lpDispatch;
    BOOL m_bAutoRelease;   // the driver holds a reference and releases it

    // Takes the pointer (releasing what it held); with bAutoRelease the caller's reference
    // passes to the driver.
    void AttachDispatch(LPDISPATCH lpDispatch, BOOL bAutoRelease = TRUE);
    // Gives the pointer (and the reference, if the driver held one) back to the caller.
    LPDISPATCH DetachDispatch();
    void ReleaseDispatch();
    // Creates the object by ProgID or class id; zero on failure.
    BOOL CreateDispatch(LPCTSTR lpszProgID);
    BOOL CreateDispatch(REFCLSID clsid);

    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
    // The value follows as one argument of the kind vtProp describes.
    void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);

    COleDispatchDriver(const COleDispatchDriver&) = delete;
    COleDispatchDriver& operator=(const COleDispatchDriver&) = delete;

private:
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo,
                       va_list argList) const;
};
