// The base of the embeddable controls: an in-process ActiveX control.
//
// COM identity comes from CCmdTarget (IDispatch from the derived class's dispatch map); this
// class adds embedding (IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject, IOleControl),
// drawing into any DC (IViewObject2) and persistence (IPersistStreamInit, IPersistPropertyBag)
// through DoPropExchange. A load that fails leaves the control as it was before the load.
// Every change a user can make (a property, a font object changed directly) marks the control
// modified, and Close with OLECLOSE_SAVEIFDIRTY has the container save a modified control
// through its client site, so that a container that saves only modified objects loses nothing.
//
// The window is a child of the container's window, created when the control is activated in
// place (or by a host or a test through CreateControlWindow). A control that answers
// IsSubclassedControl with true gets a window of the system class that PreCreateWindow names,
// subclassed, so that what the control does not handle reaches that class's procedure.
//
// The control belongs to the module that made it: while a client calls it (persistence, drawing,
// verbs, dispatch, its window's messages) that module's state is current, so its strings come
// from its own module first (see AFX_MODULE_STATE.h), and while it lives it keeps its module
// loaded.
#pragma once
#include "CFontHolder.h"
#include "CPropExchange.h"
#include "CWnd.h"

#include <new>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

class AFX_CORE_API COleControl : public CWnd
{
    DECLARE_DYNAMIC(COleControl)
public:
    COleControl();
    ~COleControl() override;

    // The class identifier, given by the class factory that made the control.
    const CLSID& GetClassID() const { return m_clsid; }
    void SetClassID(REFCLSID clsid) { m_clsid = clsid; }

    // Window.
    virtual BOOL CreateControlWindow(HWND hWndParent, const CRect& rcPos, LPCRECT prcClipped = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL IsSubclassedControl();
    // Flags of the platform framework: 1 fast begin paint, 2 clip paint DC.
    virtual DWORD GetControlFlags();

    // Drawing into any DC: its window's paint DC, a metafile, a printer. rcBounds is the
    // control's rectangle in that DC; rcInvalid the part that needs drawing.
    virtual void OnDraw(CDC* pDC, const CRect& rcBounds, const CRect& rcInvalid);
    void InvalidateControl(LPCRECT lpRect = nullptr, BOOL bErase = TRUE);
    void Refresh();
    // An OLE colour (an RGB value, or a system colour index with the high bit set) as a
    // COLORREF; black when the colour is not valid.
    COLORREF TranslateColor(OLE_COLOR clrColor, HPALETTE hpal = nullptr);

    // State.
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }
    BOOL IsModified() const { return m_bModified; }
    // The size the control asks for, in pixels.
    void SetInitialSize(int cx, int cy);
    // The control's extent in HIMETRIC.
    SIZEL GetExtent() const { return m_sizeExtent; }
    BOOL IsInPlaceActive() const { return m_bInPlaceActive; }
    BOOL IsUIActive() const { return m_bUIActive; }

    // Ambient properties of the container; the system's window-text colour when it has none.
    OLE_COLOR AmbientForeColor();
    BOOL GetAmbientProperty(DISPID dispid, VARIANT* pvarResult);

    // Persistence: the control's properties, for loading, saving and reset alike.
    virtual void DoPropExchange(CPropExchange* pPX);
    // A new control: DoPropExchange as a reset exchange, applying every default.
    virtual void OnResetState();
    // The framework's own part of the property set: the extent.
    BOOL ExchangeExtent(CPropExchange* pPX);

    // Called when a font of the control changes, through the font notification sink.
    virtual void OnFontChanged();
    // The sink that the control's font holders are given, so that they report changes.
    IPropertyNotifySink* GetFontNotificationSink() { return &m_xFontNotification; }

    // Verbs. OnEdit activates the control in place with its user interface.
    virtual BOOL OnEdit(LPMSG lpMsg, HWND hWndParent, LPCRECT lpRect);
    // The properties verb; the base control has no property sheet and declines.
    virtual BOOL OnProperties(LPMSG lpMsg, HWND hWndParent, LPCRECT lpRect);
    virtual void OnHideToolBars();
    // The OLEMISC bits the control answers a container with (IOleObject::GetMiscStatus): a
    // control with nothing to edit in place adds OLEMISC_NOUIACTIVATE, so that a container
    // leaves it drawn where it is instead of giving it a window.
    virtual DWORD GetMiscStatus();

    // COM.
    IOleClientSite* GetClientSite() const { return m_pClientSite.Get(); }

    DECLARE_MESSAGE_MAP()

protected:
    void* GetInterface(REFIID iid) override;
    void OnFinalRelease() override;
    // A control that a client uses without initialising it (a script's CreateObject) starts
    // as a new control.
    void OnBeforeInvoke() override;
    HRESULT EnsureInitialized();
    void OnPaint();
    // Fills the client area with the window colour: OnDraw paints over it, whatever window class
    // the control's window is of.
    BOOL OnEraseBkgnd(CDC* pDC);
    int OnCreate(LPCREATESTRUCT lpCreateStruct);

private:
    // Runs the work of a method that a client called: with the control's module state current,
    // a reference held so that a client releasing the control meanwhile (from a modal loop, from
    // a site's notification) does not free it under its own code, and any exception turned into
    // a status code (see AfxGuardEntry.h).
    template <typename F>
    HRESULT Guarded(F&& f) noexcept;
    // A new control: the reset, after which the control counts as initialised only if it ran
    // through.
    HRESULT InitNew();
    HRESULT DoVerb(LONG iVerb, LPMSG lpmsg, IOleClientSite* pActiveSite, HWND hwndParent, LPCRECT lprcPosRect);
    HRESULT InPlaceActivate(BOOL bUIActivate);
    void InPlaceDeactivate();
    void UIDeactivate();
    // Tells the site's frame and document window which object is active (null: none).
    void SetActiveObjectOfSite(IOleInPlaceActiveObject* pActiveObject);
    HRESULT LoadWithRollback(CPropExchange* pPX);
    HRESULT Save(CPropExchange* pPX, BOOL fClearDirty);
    HRESULT DrawIntoDC(HDC hdcDraw, HDC hicTargetDev, LPCRECTL lprcBounds);
    void SendViewChange();

#define QLN_DECLARE_INTERFACE_PART(Name, Base, ...) \
    class Name : public Base                            \
    {                                                   \
    public:                                             \
        explicit Name(COleControl* p) : m_pThis(p) {}   \
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override { return m_pThis->ExternalQueryInterface(iid, ppv); } \
        ULONG STDMETHODCALLTYPE AddRef() override { return m_pThis->ExternalAddRef(); } \
        ULONG STDMETHODCALLTYPE Release() override { return m_pThis->ExternalRelease(); } \
        __VA_ARGS__                                     \
        COleControl* m_pThis;                           \
    };

    QLN_DECLARE_INTERFACE_PART(XOleObject, IOleObject,
        HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite*) override;
        HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite**) override;
        HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override;
        HRESULT STDMETHODCALLTYPE Close(DWORD) override;
        HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override;
        HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override;
        HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override;
        HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override;
        HRESULT STDMETHODCALLTYPE DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override;
        HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override;
        HRESULT STDMETHODCALLTYPE Update() override;
        HRESULT STDMETHODCALLTYPE IsUpToDate() override;
        HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID*) override;
        HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override;
        HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL*) override;
        HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL*) override;
        HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override;
        HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override;
        HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override;
        HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD*) override;
        HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override;)

    QLN_DECLARE_INTERFACE_PART(XOleInPlaceObject, IOleInPlaceObject,
        HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override;
        HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
        HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
        HRESULT STDMETHODCALLTYPE UIDeactivate() override;
        HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT, LPCRECT) override;
        HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;)

    QLN_DECLARE_INTERFACE_PART(XOleInPlaceActiveObject, IOleInPlaceActiveObject,
        HRESULT STDMETHODCALLTYPE GetWindow(HWND*) override;
        HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
        HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG) override;
        HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override;
        HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override;
        HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
        HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override;)

    QLN_DECLARE_INTERFACE_PART(XOleControl, IOleControl,
        HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO*) override;
        HRESULT STDMETHODCALLTYPE OnMnemonic(MSG*) override;
        HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID) override;
        HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL) override;)

    QLN_DECLARE_INTERFACE_PART(XViewObject, IViewObject2,
        HRESULT STDMETHODCALLTYPE Draw(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, HDC, LPCRECTL, LPCRECTL,
                                       BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override;
        HRESULT STDMETHODCALLTYPE GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override;
        HRESULT STDMETHODCALLTYPE Freeze(DWORD, LONG, void*, DWORD*) override;
        HRESULT STDMETHODCALLTYPE Unfreeze(DWORD) override;
        HRESULT STDMETHODCALLTYPE SetAdvise(DWORD, DWORD, IAdviseSink*) override;
        HRESULT STDMETHODCALLTYPE GetAdvise(DWORD*, DWORD*, IAdviseSink**) override;
        HRESULT STDMETHODCALLTYPE GetExtent(DWORD, LONG, DVTARGETDEVICE*, LPSIZEL) override;)

    QLN_DECLARE_INTERFACE_PART(XPersistStreamInit, IPersistStreamInit,
        HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override;
        HRESULT STDMETHODCALLTYPE IsDirty() override;
        HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override;
        HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override;
        HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override;
        HRESULT STDMETHODCALLTYPE InitNew() override;)

    QLN_DECLARE_INTERFACE_PART(XPersistPropertyBag, IPersistPropertyBag,
        HRESULT STDMETHODCALLTYPE GetClassID(CLSID*) override;
        HRESULT STDMETHODCALLTYPE InitNew() override;
        HRESULT STDMETHODCALLTYPE Load(IPropertyBag*, IErrorLog*) override;
        HRESULT STDMETHODCALLTYPE Save(IPropertyBag*, BOOL, BOOL) override;)

#undef QLN_DECLARE_INTERFACE_PART

    // The fonts' sink holds no reference on the control: the control owns the fonts.
    class XFontNotification : public IPropertyNotifySink
    {
    public:
        explicit XFontNotification(COleControl* p) : m_pThis(p) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
        ULONG STDMETHODCALLTYPE Release() override { return 1; }
        HRESULT STDMETHODCALLTYPE OnChanged(DISPID) override;
        HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }
        COleControl* m_pThis;
    };

    XOleObject m_xOleObject;
    XOleInPlaceObject m_xOleInPlaceObject;
    XOleInPlaceActiveObject m_xOleInPlaceActiveObject;
    XOleControl m_xOleControl;
    XViewObject m_xViewObject;
    XPersistStreamInit m_xPersistStreamInit;
    XPersistPropertyBag m_xPersistPropertyBag;
    XFontNotification m_xFontNotification;

    CLSID m_clsid;
    BOOL m_bModified;
    BOOL m_bInitialized;
    BOOL m_bInPlaceActive;
    BOOL m_bUIActive;
    SIZEL m_sizeExtent;                  // HIMETRIC
    Microsoft::WRL::ComPtr<IOleClientSite> m_pClientSite;
    Microsoft::WRL::ComPtr<IOleInPlaceSite> m_pInPlaceSite;
    Microsoft::WRL::ComPtr<IOleAdviseHolder> m_pOleAdviseHolder;
    Microsoft::WRL::ComPtr<IAdviseSink> m_pViewAdviseSink;
    DWORD m_dwViewAdviseFlags;
};

// The creation function that a class factory is given for a control class: a new TControl
// that knows the class identifier it was made as, or null when memory runs out.
template <class TControl>
CCmdTarget* AfxCreateControl(REFCLSID clsid)
{
    TControl* pControl = new (std::nothrow) TControl;
    if (pControl != nullptr)
        pControl->SetClassID(clsid);
    return pControl;
}
