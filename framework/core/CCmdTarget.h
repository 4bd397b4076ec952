// Base of the framework's automation objects: COM identity and IDispatch from a dispatch map.
//
// A class lists its automation members in a dispatch map (see AfxDispatch.h): names are found
// without regard to case, identifiers are fixed, arguments are coerced to the types the map declares,
// and a COleDispatchException raised by a member reaches the caller as DISP_E_EXCEPTION with
// its description. No exception of any kind leaves Invoke (see AfxGuardEntry.h).
#pragma once
#include "AFX_MODULE_STATE.h"
#include "CObject.h"

#include <oaidl.h>

class CCmdTarget;

// One automation member. pfnInvoke unpacks the arguments, calls the member and packs the result.
struct AFX_DISPMAP_ENTRY
{
    const wchar_t* lpszName;
    DISPID dispid;
    HRESULT (*pfnInvoke)(CCmdTarget* pTarget, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                         UINT* puArgErr);
};

struct AFX_DISPMAP
{
    const AFX_DISPMAP* pBaseMap;
    const AFX_DISPMAP_ENTRY* lpEntries;   // ends with an entry whose name is null
};

class AFX_CORE_API CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // The object's IDispatch; with bAddRef the caller receives a reference.
    IDispatch* GetIDispatch(BOOL bAddRef);
    // The object behind a dispatch pointer that GetIDispatch gave out, in this process; null
    // for any other dispatch pointer (another implementation, a proxy). No reference is taken.
    static CCmdTarget* FromIDispatch(LPDISPATCH lpDispatch);

    // COM identity shared by every interface of the object.
    ULONG ExternalAddRef();
    ULONG ExternalRelease();
    HRESULT ExternalQueryInterface(REFIID iid, void** ppv);

    // Finds the map entry for an identifier, searching the class's map and then its bases'.
    const AFX_DISPMAP_ENTRY* FindDispEntry(DISPID dispid) const;
    const AFX_DISPMAP_ENTRY* FindDispEntry(const wchar_t* lpszName) const;

    static const AFX_DISPMAP dispatchMap;
    virtual const AFX_DISPMAP* GetDispatchMap() const;

    // The module whose code made the object, current again whenever a client calls the object.
    AFX_MODULE_STATE* const m_pModuleState;

    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

protected:
    // Answers the interfaces beyond IUnknown and IDispatch; derived classes extend it.
    virtual void* GetInterface(REFIID iid);
    // Runs when the last reference goes: deletes the object.
    virtual void OnFinalRelease();
    // Runs before each automation call, for objects that prepare themselves on first use.
    virtual void OnBeforeInvoke();

    // Invoke with the framework's checks: flags, argument count, exceptions to EXCEPINFO.
    HRESULT InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                         EXCEPINFO* pExcepInfo, UINT* puArgErr);

    LONG m_dwRef;

private:
    class XDispatch : public IDispatch
    {
    public:
        explicit XDispatch(CCmdTarget* pOuter) : m_pOuter(pOuter) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
        HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override;
        HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                                DISPID* rgDispId) override;
        HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pParams,
                                         VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    private:
        friend class CCmdTarget;
        CCmdTarget* m_pOuter;
    };
    XDispatch m_xDispatch;
};

#define DECLARE_DISPATCH_MAP()                                   \
public:                                                          \
    static const AFX_DISPMAP dispatchMap;                        \
    const AFX_DISPMAP* GetDispatchMap() const override;          \
private:                                                         \
    static const AFX_DISPMAP_ENTRY _dispatchEntries[];

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                              \
    const AFX_DISPMAP* theClass::GetDispatchMap() const { return &theClass::dispatchMap; }   \
    const AFX_DISPMAP theClass::dispatchMap = {&baseClass::dispatchMap, &theClass::_dispatchEntries[0]}; \
    const AFX_DISPMAP_ENTRY theClass::_dispatchEntries[] = {

#define END_DISPATCH_MAP() {nullptr, 0, nullptr}};
