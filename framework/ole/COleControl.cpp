#include "COleControl.h"

#include "AFX_MAINTAIN_STATE.h"
#include "AfxCoerceColor.h"
#include "AfxGuardEntry.h"
#include "AfxSaturate.h"
#include "CPaintDC.h"
#include "CResetPropExchange.h"
#include "CPropbagPropExchange.h"
#include "CStreamPropExchange.h"
#include "COleException.h"

#include <cmath>

using Microsoft::WRL::ComPtr;

IMPLEMENT_DYNAMIC(COleControl, CWnd)

BEGIN_MESSAGE_MAP(COleControl, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace {

const LONG kHimetricPerInch = 2540;
const LONG kPixelsPerInch = 96;
// Extents beyond this (about 10 m) come only from a damaged property set.
const LONG kMaxExtent = 1000000;

// A refused property set says, through the thread's error object, which property it could
// not take: the code alone ("read fault") does not tell the user where to look.
void SetLoadErrorInfo(const CString& strProperty)
{
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(::CreateErrorInfo(&create)))
        return;
    const CString strDescription = strProperty + L": cannot be read";
    create->SetDescription(const_cast<LPOLESTR>(strDescription.GetString()));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(&info)))
        ::SetErrorInfo(0, info.Get());
}

} // namespace

template <typename F>
HRESULT COleControl::Guarded(F&& f) noexcept
{
    AFX_MANAGE_STATE(m_pModuleState);
    ExternalAddRef();
    const HRESULT hr = AfxGuardEntry(f);
    // May be the last reference: nothing of the control is touched after it.
    ExternalRelease();
    return hr;
}

COleControl::COleControl()
    : m_xOleObject(this), m_xOleInPlaceObject(this), m_xOleInPlaceActiveObject(this), m_xOleControl(this),
      m_xViewObject(this), m_xPersistStreamInit(this), m_xPersistPropertyBag(this), m_xFontNotification(this),
      m_clsid(CLSID_NULL), m_bModified(FALSE), m_bInitialized(FALSE), m_bInPlaceActive(FALSE), m_bUIActive(FALSE), m_sizeExtent{0, 0},
      m_dwViewAdviseFlags(0)
{
    // A live control keeps the module that made it loaded.
    m_pModuleState->LockModule(TRUE);
}

COleControl::~COleControl()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    // The container's objects go while the control is whole and its module still locked: their
    // release may call back into it.
    m_pInPlaceSite.Reset();
    m_pClientSite.Reset();
    m_pOleAdviseHolder.Reset();
    m_pViewAdviseSink.Reset();
    m_pModuleState->LockModule(FALSE);
}

void* COleControl::GetInterface(REFIID iid)
{
    if (iid == IID_IOleObject)
        return static_cast<IOleObject*>(&m_xOleObject);
    if (iid == IID_IOleInPlaceObject || iid == IID_IOleWindow)
        return static_cast<IOleInPlaceObject*>(&m_xOleInPlaceObject);
    if (iid == IID_IOleInPlaceActiveObject)
        return static_cast<IOleInPlaceActiveObject*>(&m_xOleInPlaceActiveObject);
    if (iid == IID_IOleControl)
        return static_cast<IOleControl*>(&m_xOleControl);
    if (iid == IID_IViewObject || iid == IID_IViewObject2)
        return static_cast<IViewObject2*>(&m_xViewObject);
    if (iid == IID_IPersistStreamInit || iid == IID_IPersist)
        return static_cast<IPersistStreamInit*>(&m_xPersistStreamInit);
    if (iid == IID_IPersistPropertyBag)
        return static_cast<IPersistPropertyBag*>(&m_xPersistPropertyBag);
    return CWnd::GetInterface(iid);
}

void COleControl::OnBeforeInvoke()
{
    const HRESULT hr = EnsureInitialized();
    if (FAILED(hr))
        AfxThrowOleException(hr);
}

HRESULT COleControl::EnsureInitialized()
{
    return m_bInitialized ? S_OK : m_xPersistStreamInit.InitNew();
}

HRESULT COleControl::InitNew()
{
    // Counted as initialised while the reset runs, so that a drawing or call it brings about does
    // not start another; a reset that fails leaves the control to be reset on its next use.
    m_bInitialized = TRUE;
    try {
        OnResetState();
    } catch (...) {
        m_bInitialized = FALSE;
        throw;
    }
    m_bModified = FALSE;
    return S_OK;
}

void COleControl::OnFinalRelease()
{
    // Deactivating calls the container, which may take and drop references of its own: held at
    // one meanwhile, the count cannot reach zero a second time and free the control twice.
    m_dwRef = 1;
    InPlaceDeactivate();
    if (m_hWnd != nullptr)
        DestroyWindow();
    // A container that kept a reference keeps the control; its own last release ends it.
    if (m_dwRef != 1) {
        ::InterlockedDecrement(&m_dwRef);
        return;
    }
    // Still held at one while the members go: a site called back from its last release cannot
    // start a final release of its own.
    CWnd::OnFinalRelease();
}

// --- Window -------------------------------------------------------------------------------

BOOL COleControl::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

BOOL COleControl::IsSubclassedControl()
{
    return FALSE;
}

DWORD COleControl::GetControlFlags()
{
    return 3;
}

BOOL COleControl::CreateControlWindow(HWND hWndParent, const CRect& rcPos, LPCRECT)
{
    if (hWndParent == nullptr || m_hWnd != nullptr)
        return FALSE;
    CREATESTRUCT cs = {};
    cs.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    cs.x = rcPos.left;
    cs.y = rcPos.top;
    cs.cx = rcPos.Width();
    cs.cy = rcPos.Height();
    cs.hwndParent = hWndParent;
    cs.lpszName = L"";
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    if (!PreCreateWindow(cs) || cs.lpszClass == nullptr)
        return FALSE;
    cs.style |= WS_CHILD;
    return CreateEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy, hWndParent,
                    nullptr);
}

int COleControl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return CWnd::OnCreate(lpCreateStruct);
}

void COleControl::OnPaint()
{
    CPaintDC dc(this);
    if (dc.GetSafeHdc() == nullptr)
        return;
    CRect rcClient;
    GetClientRect(rcClient);
    OnDraw(&dc, rcClient, rcClient);
}

// A control that paints no background of its own (the text controls) must show what it draws
// now, not what the container or its own last drawing left there. The edit class a text control's
// window is of erases only in its own painting under Wine, which OnDraw replaces; a class without
// a background brush erases nothing.
BOOL COleControl::OnEraseBkgnd(CDC* pDC)
{
    CRect rcClient;
    GetClientRect(rcClient);
    ::FillRect(pDC->GetSafeHdc(), &rcClient, ::GetSysColorBrush(COLOR_WINDOW));
    return TRUE;
}

// --- Drawing ------------------------------------------------------------------------------

void COleControl::OnDraw(CDC*, const CRect&, const CRect&)
{
}

void COleControl::InvalidateControl(LPCRECT lpRect, BOOL bErase)
{
    if (m_hWnd != nullptr)
        InvalidateRect(lpRect, bErase);
    SendViewChange();
}

void COleControl::Refresh()
{
    InvalidateControl();
    if (m_hWnd != nullptr)
        UpdateWindow();
}

COLORREF COleControl::TranslateColor(OLE_COLOR clrColor, HPALETTE hpal)
{
    COLORREF crColor = RGB(0, 0, 0);
    if (FAILED(::OleTranslateColor(clrColor, hpal, &crColor)))
        return RGB(0, 0, 0);
    return crColor;
}

void COleControl::SendViewChange()
{
    if (m_pViewAdviseSink != nullptr)
        m_pViewAdviseSink->OnViewChange(DVASPECT_CONTENT, -1);
}

HRESULT COleControl::DrawIntoDC(HDC hdcDraw, HDC hicTargetDev, LPCRECTL lprcBounds)
{
    if (hdcDraw == nullptr || lprcBounds == nullptr)
        return E_INVALIDARG;
    CDC dc;
    if (!dc.Attach(hdcDraw))
        return E_FAIL;
    // Measuring against the target device keeps the layout the same on every output.
    if (hicTargetDev != nullptr)
        dc.SetAttribDC(hicTargetDev);
    const CRect rcBounds(lprcBounds->left, lprcBounds->top, lprcBounds->right, lprcBounds->bottom);
    HRESULT hr = S_OK;
    try {
        OnDraw(&dc, rcBounds, rcBounds);
    } catch (...) {
        hr = AfxHResultFromCaught();
    }
    dc.SetAttribDC(nullptr);
    dc.Detach();
    return hr;
}

// --- State --------------------------------------------------------------------------------

void COleControl::SetInitialSize(int cx, int cy)
{
    const auto toHimetric = [](int pixels) {
        const long long h = static_cast<long long>(pixels < 0 ? 0 : pixels) * kHimetricPerInch / kPixelsPerInch;
        return static_cast<LONG>(h > kMaxExtent ? kMaxExtent : h);
    };
    m_sizeExtent.cx = toHimetric(cx);
    m_sizeExtent.cy = toHimetric(cy);
}

BOOL COleControl::GetAmbientProperty(DISPID dispid, VARIANT* pvarResult)
{
    ::VariantInit(pvarResult);
    if (m_pClientSite == nullptr)
        return FALSE;
    ComPtr<IDispatch> ambient;
    if (FAILED(m_pClientSite.As(&ambient)))
        return FALSE;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return SUCCEEDED(
        ambient->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, pvarResult, nullptr, nullptr));
}

OLE_COLOR COleControl::AmbientForeColor()
{
    // Containers give a colour as a signed or an unsigned number alike (a system colour index
    // such as 0x80000012 does not fit a signed one): the coercion every other colour takes.
    VARIANT v;
    OLE_COLOR clr = 0;
    const BOOL bGot =
        GetAmbientProperty(DISPID_AMBIENT_FORECOLOR, &v) && SUCCEEDED(AfxCoerceColor(&v, LOCALE_USER_DEFAULT, clr));
    ::VariantClear(&v);
    return bGot ? clr : ::GetSysColor(COLOR_WINDOWTEXT);
}

// --- Persistence --------------------------------------------------------------------------

BOOL COleControl::ExchangeExtent(CPropExchange* pPX)
{
    long cx = m_sizeExtent.cx;
    long cy = m_sizeExtent.cy;
    if (!PX_Long(pPX, L"_ExtentX", cx) || !PX_Long(pPX, L"_ExtentY", cy))
        return FALSE;
    if (pPX->IsLoading()) {
        if (cx < 0 || cx > kMaxExtent || cy < 0 || cy > kMaxExtent) {
            pPX->ReportBadValue(cx < 0 || cx > kMaxExtent ? L"_ExtentX" : L"_ExtentY", DISP_E_OVERFLOW);
            return FALSE;
        }
        m_sizeExtent.cx = cx;
        m_sizeExtent.cy = cy;
    }
    return TRUE;
}

void COleControl::DoPropExchange(CPropExchange* pPX)
{
    ExchangeExtent(pPX);
}

void COleControl::OnResetState()
{
    CResetPropExchange px;
    DoPropExchange(&px);
    InvalidateControl();
}

HRESULT COleControl::LoadWithRollback(CPropExchange* pPX)
{
    // What the control holds now, so that a damaged property set changes nothing.
    ComPtr<IStream> snapshot;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &snapshot)))
        return E_OUTOFMEMORY;
    const BOOL bModified = m_bModified;
    HRESULT hr = S_OK;
    {
        CStreamPropExchange save(snapshot.Get(), FALSE);
        try {
            DoPropExchange(&save);
        } catch (...) {
            hr = AfxHResultFromCaught();
        }
        if (save.HasFailed())
            hr = E_FAIL;
    }
    if (SUCCEEDED(hr)) {
        try {
            DoPropExchange(pPX);
        } catch (...) {
            hr = AfxHResultFromCaught();
        }
        // A value that could not be read refuses the whole property set.
        if (SUCCEEDED(hr) && pPX->HasFailed())
            hr = pPX->GetFailure(STG_E_READFAULT);
        if (FAILED(hr)) {
            LARGE_INTEGER zero = {};
            snapshot->Seek(zero, STREAM_SEEK_SET, nullptr);
            CStreamPropExchange restore(snapshot.Get(), TRUE);
            try {
                DoPropExchange(&restore);
            } catch (...) {
                // What was saved a moment ago loads again unless memory ran out; the failure
                // reported is the load's.
            }
        }
    }
    m_bModified = bModified;
    if (SUCCEEDED(hr)) {
        m_bModified = FALSE;
        m_bInitialized = TRUE;
    }
    InvalidateControl();
    if (FAILED(hr) && !pPX->GetFailedProperty().IsEmpty())
        SetLoadErrorInfo(pPX->GetFailedProperty());
    return hr;
}

HRESULT COleControl::Save(CPropExchange* pPX, BOOL fClearDirty)
{
    try {
        DoPropExchange(pPX);
    } catch (...) {
        return AfxHResultFromCaught();
    }
    if (pPX->HasFailed())
        return STG_E_WRITEFAULT;
    if (fClearDirty)
        m_bModified = FALSE;
    return S_OK;
}

// --- Fonts and verbs ----------------------------------------------------------------------

void COleControl::OnFontChanged()
{
}

BOOL COleControl::OnEdit(LPMSG, HWND, LPCRECT)
{
    return SUCCEEDED(InPlaceActivate(TRUE));
}

BOOL COleControl::OnProperties(LPMSG, HWND, LPCRECT)
{
    return FALSE;
}

void COleControl::OnHideToolBars()
{
}

DWORD COleControl::GetMiscStatus()
{
    return OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INSIDEOUT | OLEMISC_CANTLINKINSIDE |
           OLEMISC_RECOMPOSEONRESIZE;
}

// --- Activation ---------------------------------------------------------------------------

HRESULT COleControl::InPlaceActivate(BOOL bUIActivate)
{
    if (m_pClientSite == nullptr)
        return E_UNEXPECTED;
    if (!m_bInPlaceActive) {
        ComPtr<IOleInPlaceSite> site;
        if (FAILED(m_pClientSite.As(&site)))
            return E_NOINTERFACE;
        if (site->CanInPlaceActivate() != S_OK)
            return E_FAIL;
        site->OnInPlaceActivate();
        HWND hWndParent = nullptr;
        ComPtr<IOleInPlaceFrame> frame;
        ComPtr<IOleInPlaceUIWindow> doc;
        RECT rcPos = {}, rcClip = {};
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof frameInfo;
        site->GetWindow(&hWndParent);
        site->GetWindowContext(&frame, &doc, &rcPos, &rcClip, &frameInfo);
        if (m_hWnd == nullptr && !CreateControlWindow(hWndParent, CRect(rcPos), &rcClip)) {
            site->OnInPlaceDeactivate();
            return E_FAIL;
        }
        m_pInPlaceSite = site;
        m_bInPlaceActive = TRUE;
        InvalidateControl();
    }
    if (bUIActivate && !m_bUIActive) {
        m_bUIActive = TRUE;
        m_pInPlaceSite->OnUIActivate();
        SetActiveObjectOfSite(&m_xOleInPlaceActiveObject);
        if (m_hWnd != nullptr)
            ::SetFocus(m_hWnd);
        InvalidateControl();
    }
    return S_OK;
}

void COleControl::SetActiveObjectOfSite(IOleInPlaceActiveObject* pActiveObject)
{
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> doc;
    RECT rcPos = {}, rcClip = {};
    OLEINPLACEFRAMEINFO frameInfo = {};
    frameInfo.cb = sizeof frameInfo;
    if (m_pInPlaceSite == nullptr ||
        FAILED(m_pInPlaceSite->GetWindowContext(&frame, &doc, &rcPos, &rcClip, &frameInfo)))
        return;
    if (frame != nullptr)
        frame->SetActiveObject(pActiveObject, nullptr);
    if (doc != nullptr)
        doc->SetActiveObject(pActiveObject, nullptr);
}

void COleControl::UIDeactivate()
{
    if (!m_bUIActive)
        return;
    m_bUIActive = FALSE;
    if (m_pInPlaceSite != nullptr) {
        SetActiveObjectOfSite(nullptr);
        m_pInPlaceSite->OnUIDeactivate(FALSE);
    }
    InvalidateControl();
}

void COleControl::InPlaceDeactivate()
{
    if (!m_bInPlaceActive)
        return;
    UIDeactivate();
    m_bInPlaceActive = FALSE;
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_pInPlaceSite != nullptr) {
        m_pInPlaceSite->OnInPlaceDeactivate();
        m_pInPlaceSite.Reset();
    }
}

HRESULT COleControl::DoVerb(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite, HWND hwndParent,
                            LPCRECT lprcPosRect)
{
    if (pActiveSite != nullptr && m_pClientSite == nullptr)
        m_pClientSite = pActiveSite;
    switch (iVerb) {
    case OLEIVERB_PRIMARY:
        return OnEdit(lpmsg, hwndParent, lprcPosRect) ? S_OK : E_FAIL;
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
        return InPlaceActivate(FALSE);
    case OLEIVERB_UIACTIVATE:
        return InPlaceActivate(TRUE);
    case OLEIVERB_HIDE:
        InPlaceDeactivate();
        return S_OK;
    case OLEIVERB_PROPERTIES:
    case 1: // "&Properties...", the verb the factory registers after "&Edit"
        return OnProperties(lpmsg, hwndParent, lprcPosRect) ? S_OK : E_NOTIMPL;
    default:
        // A positive verb the control does not know runs the primary verb, as containers expect.
        if (iVerb < 0)
            return E_NOTIMPL;
        return OnEdit(lpmsg, hwndParent, lprcPosRect) ? OLEOBJ_S_INVALIDVERB : E_FAIL;
    }
}

// --- IOleObject ---------------------------------------------------------------------------

HRESULT COleControl::XOleObject::SetClientSite(IOleClientSite* pClientSite)
{
    return m_pThis->Guarded([&] {
        m_pThis->m_pClientSite = pClientSite;
        return S_OK;
    });
}

HRESULT COleControl::XOleObject::GetClientSite(IOleClientSite** ppClientSite)
{
    if (ppClientSite == nullptr)
        return E_POINTER;
    m_pThis->m_pClientSite.CopyTo(ppClientSite);
    return S_OK;
}

HRESULT COleControl::XOleObject::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    return S_OK;
}

HRESULT COleControl::XOleObject::Close(DWORD dwSaveOption)
{
    return m_pThis->Guarded([&] {
        // A control has no document of its own to prompt about: asked to prompt, it saves, so
        // that nothing the user changed is lost. A container that cannot save keeps it open.
        if (dwSaveOption != OLECLOSE_NOSAVE && m_pThis->m_bModified && m_pThis->m_pClientSite != nullptr) {
            const HRESULT hr = m_pThis->m_pClientSite->SaveObject();
            if (FAILED(hr))
                return hr;
            if (m_pThis->m_pOleAdviseHolder != nullptr)
                m_pThis->m_pOleAdviseHolder->SendOnSave();
        }
        m_pThis->InPlaceDeactivate();
        if (m_pThis->m_hWnd != nullptr)
            m_pThis->DestroyWindow();
        if (m_pThis->m_pOleAdviseHolder != nullptr)
            m_pThis->m_pOleAdviseHolder->SendOnClose();
        return S_OK;
    });
}

HRESULT COleControl::XOleObject::SetMoniker(DWORD, IMoniker*)
{
    return E_NOTIMPL;
}

HRESULT COleControl::XOleObject::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk != nullptr)
        *ppmk = nullptr;
    return E_NOTIMPL;
}

HRESULT COleControl::XOleObject::InitFromData(IDataObject*, BOOL, DWORD)
{
    return E_NOTIMPL;
}

HRESULT COleControl::XOleObject::GetClipboardData(DWORD, IDataObject** ppDataObject)
{
    if (ppDataObject != nullptr)
        *ppDataObject = nullptr;
    return E_NOTIMPL;
}

HRESULT COleControl::XOleObject::DoVerb(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite, LONG, HWND hwndParent,
                                        LPCRECT lprcPosRect)
{
    // The properties verb runs a modal sheet whose pages use the control while the container
    // may release it: the reference Guarded holds keeps it until the verb returns.
    return m_pThis->Guarded([&] { return m_pThis->DoVerb(iVerb, lpmsg, pActiveSite, hwndParent, lprcPosRect); });
}

HRESULT COleControl::XOleObject::EnumVerbs(IEnumOLEVERB** ppEnumOleVerb)
{
    return ::OleRegEnumVerbs(m_pThis->m_clsid, ppEnumOleVerb);
}

HRESULT COleControl::XOleObject::Update()
{
    return S_OK;
}

HRESULT COleControl::XOleObject::IsUpToDate()
{
    return S_OK;
}

HRESULT COleControl::XOleObject::GetUserClassID(CLSID* pClsid)
{
    if (pClsid == nullptr)
        return E_POINTER;
    *pClsid = m_pThis->m_clsid;
    return S_OK;
}

HRESULT COleControl::XOleObject::GetUserType(DWORD dwFormOfType, LPOLESTR* pszUserType)
{
    return ::OleRegGetUserType(m_pThis->m_clsid, dwFormOfType, pszUserType);
}

HRESULT COleControl::XOleObject::SetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (psizel == nullptr)
        return E_POINTER;
    if (psizel->cx < 0 || psizel->cy < 0 || psizel->cx > kMaxExtent || psizel->cy > kMaxExtent)
        return E_INVALIDARG;
    m_pThis->m_sizeExtent = *psizel;
    return S_OK;
}

HRESULT COleControl::XOleObject::GetExtent(DWORD dwDrawAspect, SIZEL* psizel)
{
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    if (psizel == nullptr)
        return E_POINTER;
    *psizel = m_pThis->m_sizeExtent;
    return S_OK;
}

HRESULT COleControl::XOleObject::Advise(IAdviseSink* pAdvSink, DWORD* pdwConnection)
{
    if (m_pThis->m_pOleAdviseHolder == nullptr && FAILED(::CreateOleAdviseHolder(&m_pThis->m_pOleAdviseHolder)))
        return E_OUTOFMEMORY;
    return m_pThis->m_pOleAdviseHolder->Advise(pAdvSink, pdwConnection);
}

HRESULT COleControl::XOleObject::Unadvise(DWORD dwConnection)
{
    if (m_pThis->m_pOleAdviseHolder == nullptr)
        return OLE_E_NOCONNECTION;
    return m_pThis->m_pOleAdviseHolder->Unadvise(dwConnection);
}

HRESULT COleControl::XOleObject::EnumAdvise(IEnumSTATDATA** ppenumAdvise)
{
    if (ppenumAdvise != nullptr)
        *ppenumAdvise = nullptr;
    if (m_pThis->m_pOleAdviseHolder == nullptr)
        return E_FAIL;
    return m_pThis->m_pOleAdviseHolder->EnumAdvise(ppenumAdvise);
}

HRESULT COleControl::XOleObject::GetMiscStatus(DWORD, DWORD* pdwStatus)
{
    if (pdwStatus == nullptr)
        return E_POINTER;
    *pdwStatus = m_pThis->GetMiscStatus();
    return S_OK;
}

HRESULT COleControl::XOleObject::SetColorScheme(LOGPALETTE*)
{
    return E_NOTIMPL;
}

// --- IOleInPlaceObject, IOleInPlaceActiveObject --------------------------------------------

HRESULT COleControl::XOleInPlaceObject::GetWindow(HWND* phwnd)
{
    if (phwnd == nullptr)
        return E_POINTER;
    *phwnd = m_pThis->m_hWnd;
    return *phwnd != nullptr ? S_OK : E_FAIL;
}

HRESULT COleControl::XOleInPlaceObject::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT COleControl::XOleInPlaceObject::InPlaceDeactivate()
{
    return m_pThis->Guarded([&] {
        m_pThis->InPlaceDeactivate();
        return S_OK;
    });
}

HRESULT COleControl::XOleInPlaceObject::UIDeactivate()
{
    return m_pThis->Guarded([&] {
        m_pThis->UIDeactivate();
        return S_OK;
    });
}

HRESULT COleControl::XOleInPlaceObject::SetObjectRects(LPCRECT lprcPosRect, LPCRECT)
{
    if (lprcPosRect == nullptr)
        return E_POINTER;
    return m_pThis->Guarded([&] {
        if (m_pThis->m_hWnd != nullptr)
            m_pThis->MoveWindow(lprcPosRect);
        return S_OK;
    });
}

HRESULT COleControl::XOleInPlaceObject::ReactivateAndUndo()
{
    return E_NOTIMPL;
}

HRESULT COleControl::XOleInPlaceActiveObject::GetWindow(HWND* phwnd)
{
    return m_pThis->m_xOleInPlaceObject.GetWindow(phwnd);
}

HRESULT COleControl::XOleInPlaceActiveObject::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT COleControl::XOleInPlaceActiveObject::TranslateAccelerator(LPMSG)
{
    return S_FALSE;
}

HRESULT COleControl::XOleInPlaceActiveObject::OnFrameWindowActivate(BOOL)
{
    return S_OK;
}

HRESULT COleControl::XOleInPlaceActiveObject::OnDocWindowActivate(BOOL)
{
    return S_OK;
}

HRESULT COleControl::XOleInPlaceActiveObject::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    return S_OK;
}

HRESULT COleControl::XOleInPlaceActiveObject::EnableModeless(BOOL)
{
    return S_OK;
}

// --- IOleControl --------------------------------------------------------------------------

HRESULT COleControl::XOleControl::GetControlInfo(CONTROLINFO* pCI)
{
    if (pCI == nullptr)
        return E_POINTER;
    pCI->hAccel = nullptr;
    pCI->cAccel = 0;
    pCI->dwFlags = 0;
    return S_OK;
}

HRESULT COleControl::XOleControl::OnMnemonic(MSG*)
{
    return E_NOTIMPL;
}

HRESULT COleControl::XOleControl::OnAmbientPropertyChange(DISPID)
{
    return m_pThis->Guarded([&] {
        m_pThis->InvalidateControl();
        return S_OK;
    });
}

HRESULT COleControl::XOleControl::FreezeEvents(BOOL)
{
    return S_OK;
}

// --- IViewObject2 -------------------------------------------------------------------------

HRESULT COleControl::XViewObject::Draw(DWORD dwDrawAspect, LONG, void*, DVTARGETDEVICE*, HDC hdcTargetDev,
                                       HDC hdcDraw, LPCRECTL lprcBounds, LPCRECTL,
                                       BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    if (dwDrawAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    return m_pThis->Guarded([&] {
        const HRESULT hr = m_pThis->EnsureInitialized();
        return FAILED(hr) ? hr : m_pThis->DrawIntoDC(hdcDraw, hdcTargetDev, lprcBounds);
    });
}

HRESULT COleControl::XViewObject::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** ppColorSet)
{
    if (ppColorSet != nullptr)
        *ppColorSet = nullptr;
    return S_FALSE;
}

HRESULT COleControl::XViewObject::Freeze(DWORD, LONG, void*, DWORD*)
{
    return E_NOTIMPL;
}

HRESULT COleControl::XViewObject::Unfreeze(DWORD)
{
    return E_NOTIMPL;
}

HRESULT COleControl::XViewObject::SetAdvise(DWORD, DWORD advf, IAdviseSink* pAdvSink)
{
    return m_pThis->Guarded([&] {
        m_pThis->m_pViewAdviseSink = pAdvSink;
        m_pThis->m_dwViewAdviseFlags = advf;
        return S_OK;
    });
}

HRESULT COleControl::XViewObject::GetAdvise(DWORD* pAspects, DWORD* pAdvf, IAdviseSink** ppAdvSink)
{
    if (pAspects != nullptr)
        *pAspects = DVASPECT_CONTENT;
    if (pAdvf != nullptr)
        *pAdvf = m_pThis->m_dwViewAdviseFlags;
    if (ppAdvSink != nullptr) {
        m_pThis->m_pViewAdviseSink.CopyTo(ppAdvSink);
    }
    return S_OK;
}

HRESULT COleControl::XViewObject::GetExtent(DWORD dwDrawAspect, LONG, DVTARGETDEVICE*, LPSIZEL lpsizel)
{
    return m_pThis->m_xOleObject.GetExtent(dwDrawAspect, lpsizel);
}

// --- IPersistStreamInit, IPersistPropertyBag -------------------------------------------------

HRESULT COleControl::XPersistStreamInit::GetClassID(CLSID* pClassID)
{
    if (pClassID == nullptr)
        return E_POINTER;
    *pClassID = m_pThis->m_clsid;
    return S_OK;
}

HRESULT COleControl::XPersistStreamInit::IsDirty()
{
    return m_pThis->m_bModified ? S_OK : S_FALSE;
}

HRESULT COleControl::XPersistStreamInit::Load(LPSTREAM pStm)
{
    if (pStm == nullptr)
        return E_POINTER;
    return m_pThis->Guarded([&] {
        CStreamPropExchange px(pStm, TRUE);
        return m_pThis->LoadWithRollback(&px);
    });
}

HRESULT COleControl::XPersistStreamInit::Save(LPSTREAM pStm, BOOL fClearDirty)
{
    if (pStm == nullptr)
        return E_POINTER;
    return m_pThis->Guarded([&] {
        CStreamPropExchange px(pStm, FALSE);
        return m_pThis->Save(&px, fClearDirty);
    });
}

HRESULT COleControl::XPersistStreamInit::GetSizeMax(ULARGE_INTEGER* pcbSize)
{
    if (pcbSize == nullptr)
        return E_POINTER;
    pcbSize->QuadPart = 0;
    // The exact size: the properties saved into memory.
    ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return E_OUTOFMEMORY;
    HRESULT hr = Save(stream.Get(), FALSE);
    const LARGE_INTEGER zero = {};
    if (SUCCEEDED(hr))
        hr = stream->Seek(zero, STREAM_SEEK_CUR, pcbSize);
    return hr;
}

HRESULT COleControl::XPersistStreamInit::InitNew()
{
    return m_pThis->Guarded([&] { return m_pThis->InitNew(); });
}

HRESULT COleControl::XPersistPropertyBag::GetClassID(CLSID* pClassID)
{
    return m_pThis->m_xPersistStreamInit.GetClassID(pClassID);
}

HRESULT COleControl::XPersistPropertyBag::InitNew()
{
    return m_pThis->m_xPersistStreamInit.InitNew();
}

HRESULT COleControl::XPersistPropertyBag::Load(IPropertyBag* pPropBag, IErrorLog* pErrorLog)
{
    if (pPropBag == nullptr)
        return E_POINTER;
    return m_pThis->Guarded([&] {
        CPropbagPropExchange px(pPropBag, pErrorLog, TRUE);
        return m_pThis->LoadWithRollback(&px);
    });
}

HRESULT COleControl::XPersistPropertyBag::Save(IPropertyBag* pPropBag, BOOL fClearDirty, BOOL)
{
    if (pPropBag == nullptr)
        return E_POINTER;
    return m_pThis->Guarded([&] {
        CPropbagPropExchange px(pPropBag, nullptr, FALSE);
        return m_pThis->Save(&px, fClearDirty);
    });
}

// --- Font notifications ---------------------------------------------------------------------

HRESULT COleControl::XFontNotification::QueryInterface(REFIID iid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IPropertyNotifySink) {
        *ppv = static_cast<IPropertyNotifySink*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT COleControl::XFontNotification::OnChanged(DISPID)
{
    return m_pThis->Guarded([&] {
        // A change made through the font object itself (a script setting a font's size) is a
        // change of the control, to be saved like any other.
        m_pThis->SetModifiedFlag();
        m_pThis->OnFontChanged();
        return S_OK;
    });
}
