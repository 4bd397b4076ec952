#include "CCmdTarget.h"

#include "AFX_MAINTAIN_STATE.h"
#include "AfxGuardEntry.h"
#include "CString.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {
const AFX_DISPMAP_ENTRY g_noDispatchEntries[] = {{nullptr, 0, nullptr}};
}
const AFX_DISPMAP CCmdTarget::dispatchMap = {nullptr, &g_noDispatchEntries[0]};

CCmdTarget::CCmdTarget() : m_pModuleState(AfxGetModuleState()), m_dwRef(1), m_xDispatch(this)
{
}

CCmdTarget::~CCmdTarget() = default;

const AFX_DISPMAP* CCmdTarget::GetDispatchMap() const
{
    return &CCmdTarget::dispatchMap;
}

IDispatch* CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    if (bAddRef)
        ExternalAddRef();
    return &m_xDispatch;
}

CCmdTarget* CCmdTarget::FromIDispatch(LPDISPATCH lpDispatch)
{
    // Every object's dispatch part is made here, in the framework's one DLL, so they all share
    // one table of functions; a pointer with another table is not ours and is not looked into
    // any further.
    static const XDispatch probe(nullptr);
    if (lpDispatch == nullptr ||
        *reinterpret_cast<void* const*>(lpDispatch) != *reinterpret_cast<void* const*>(&probe))
        return nullptr;
    return static_cast<XDispatch*>(lpDispatch)->m_pOuter;
}

ULONG CCmdTarget::ExternalAddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_dwRef));
}

ULONG CCmdTarget::ExternalRelease()
{
    const LONG count = ::InterlockedDecrement(&m_dwRef);
    if (count == 0)
        OnFinalRelease();
    return static_cast<ULONG>(count);
}

HRESULT CCmdTarget::ExternalQueryInterface(REFIID iid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch)
        *ppv = &m_xDispatch;
    else
        *ppv = GetInterface(iid);
    if (*ppv == nullptr)
        return E_NOINTERFACE;
    ExternalAddRef();
    return S_OK;
}

void* CCmdTarget::GetInterface(REFIID)
{
    return nullptr;
}

void CCmdTarget::OnFinalRelease()
{
    delete this;
}

void CCmdTarget::OnBeforeInvoke()
{
}

const AFX_DISPMAP_ENTRY* CCmdTarget::FindDispEntry(DISPID dispid) const
{
    for (const AFX_DISPMAP* map = GetDispatchMap(); map != nullptr; map = map->pBaseMap)
        for (const AFX_DISPMAP_ENTRY* e = map->lpEntries; e->lpszName != nullptr; ++e)
            if (e->dispid == dispid)
                return e;
    return nullptr;
}

const AFX_DISPMAP_ENTRY* CCmdTarget::FindDispEntry(const wchar_t* lpszName) const
{
    if (lpszName == nullptr)
        return nullptr;
    for (const AFX_DISPMAP* map = GetDispatchMap(); map != nullptr; map = map->pBaseMap)
        for (const AFX_DISPMAP_ENTRY* e = map->lpEntries; e->lpszName != nullptr; ++e)
            if (CString(e->lpszName).CompareNoCase(lpszName) == 0)
                return e;
    return nullptr;
}

HRESULT CCmdTarget::InvokeMember(DISPID dispid, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                                 EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (pParams == nullptr || (pParams->cArgs > 0 && pParams->rgvarg == nullptr) ||
        (pParams->cNamedArgs > 0 && pParams->rgdispidNamedArgs == nullptr) ||
        pParams->cNamedArgs > pParams->cArgs)
        return E_INVALIDARG;
    const AFX_DISPMAP_ENTRY* entry = FindDispEntry(dispid);
    if (entry == nullptr)
        return DISP_E_MEMBERNOTFOUND;
    if (pResult != nullptr)
        ::VariantInit(pResult);
    try {
        OnBeforeInvoke();
        return entry->pfnInvoke(this, wFlags, pParams, pResult, puArgErr);
    } catch (...) {
        return AfxDispatchResultFromCaught(pExcepInfo);
    }
}

HRESULT CCmdTarget::XDispatch::QueryInterface(REFIID iid, void** ppv)
{
    return m_pOuter->ExternalQueryInterface(iid, ppv);
}

ULONG CCmdTarget::XDispatch::AddRef()
{
    return m_pOuter->ExternalAddRef();
}

ULONG CCmdTarget::XDispatch::Release()
{
    return m_pOuter->ExternalRelease();
}

HRESULT CCmdTarget::XDispatch::GetTypeInfoCount(UINT* pctinfo)
{
    if (pctinfo == nullptr)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT CCmdTarget::XDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo != nullptr)
        *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT CCmdTarget::XDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID,
                                             DISPID* rgDispId)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    if (rgszNames == nullptr || rgDispId == nullptr || cNames == 0)
        return E_INVALIDARG;
    // Members have no named parameters: every name after the first is unknown.
    for (UINT i = 1; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    const AFX_DISPMAP_ENTRY* entry = m_pOuter->FindDispEntry(rgszNames[0]);
    rgDispId[0] = entry != nullptr ? entry->dispid : DISPID_UNKNOWN;
    return entry != nullptr && cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT CCmdTarget::XDispatch::Invoke(DISPID dispid, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pParams,
                                      VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (riid != IID_NULL)
        return DISP_E_UNKNOWNINTERFACE;
    AFX_MANAGE_STATE(m_pOuter->m_pModuleState);
    return m_pOuter->InvokeMember(dispid, wFlags, pParams, pResult, pExcepInfo, puArgErr);
}
