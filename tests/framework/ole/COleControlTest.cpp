// The windowed control base: a child window of its container drawn through OnDraw, colours that
// are none or come from the container, and what its interfaces do when its own code fails or its
// container lets go of it from inside a call. What a control draws is the hosting tests' concern.
#include "CMemoryException.h"
#include "COleControl.h"
#include "COleException.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

namespace {

class CTestControl : public COleControl
{
public:
    int m_nDraws = 0;
    CRect m_rcLastBounds;
    // The window's class; empty for the framework's own.
    const wchar_t* m_strClass = nullptr;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override
    {
        if (m_strClass != nullptr)
            cs.lpszClass = m_strClass;
        return COleControl::PreCreateWindow(cs);
    }

    void OnDraw(CDC*, const CRect& rcBounds, const CRect&) override
    {
        ++m_nDraws;
        m_rcLastBounds = rcBounds;
    }
};

} // namespace

TEST(COleControl, ControlWindowIsAChildDrawnThroughOnDraw)
{
    CWnd container;
    ASSERT_TRUE(container.CreateEx(0, AfxRegisterWndClass(0, nullptr, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH))),
                                   L"container", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
    container.UpdateWindow();
    CTestControl control;
    ASSERT_TRUE(control.CreateControlWindow(container.m_hWnd, CRect(10, 20, 110, 70)));
    EXPECT_FALSE(control.CreateControlWindow(container.m_hWnd, CRect(0, 0, 5, 5))) << "one window per control";
    EXPECT_EQ(&container, control.GetParent());
    control.UpdateWindow();
    EXPECT_EQ(CRect(0, 0, 100, 50), control.m_rcLastBounds) << "its own client coordinates";
    // A control that paints nothing shows the window colour, not the container's black under it,
    // also when its window is of a class that erases only in its own painting.
    CTestControl edit;
    edit.m_strClass = L"EDIT";
    ASSERT_TRUE(edit.CreateControlWindow(container.m_hWnd, CRect(10, 80, 110, 130)));
    for (CTestControl* pControl : {&control, &edit}) {
        pControl->UpdateWindow();
        const HDC hdc = ::GetDC(pControl->m_hWnd);
        EXPECT_EQ(::GetSysColor(COLOR_WINDOW), ::GetPixel(hdc, 50, 25)) << (pControl == &edit ? "edit" : "plain");
        ::ReleaseDC(pControl->m_hWnd, hdc);
    }

    control.InvalidateControl();
    control.UpdateWindow();
    EXPECT_EQ(2, control.m_nDraws);
    control.Refresh();
    EXPECT_EQ(3, control.m_nDraws);
    container.DestroyWindow();
    EXPECT_EQ(nullptr, control.m_hWnd);
    EXPECT_FALSE(control.CreateControlWindow(nullptr, CRect(0, 0, 5, 5)));

    // Colours: a system colour index is covered by drawing the control; what is not a colour is black.
    EXPECT_EQ(RGB(0, 0, 0), control.TranslateColor(0x80000000 | 0x1234));
    EXPECT_EQ(RGB(0, 0, 0), control.TranslateColor(0x05000000));
}

namespace {

enum class Fault { None, StdBadAlloc, Memory, Ole, Std, Other };

[[noreturn]] void Throw(Fault fault)
{
    switch (fault) {
    case Fault::StdBadAlloc: throw std::bad_alloc();
    case Fault::Memory: AfxThrowMemoryException();
    case Fault::Ole: AfxThrowOleException(STG_E_READFAULT);
    case Fault::Std: throw std::runtime_error("deep in a library");
    default: throw 42;
    }
}

// A control on the heap, as a class factory makes it, whose overridables fail on request and
// that counts what the framework asks of it.
class CFaultyControl : public COleControl
{
public:
    explicit CFaultyControl(int* pnDestroyed) : m_pnDestroyed(pnDestroyed) {}
    ~CFaultyControl() override { ++*m_pnDestroyed; }

    Fault m_faultReset = Fault::None, m_faultExchange = Fault::None, m_faultDraw = Fault::None;
    Fault m_faultProperties = Fault::None;
    long m_lValue = 0;
    int m_nResets = 0;
    // Run by the properties verb while its sheet would be up.
    std::function<void()> m_whileProperties;

    void OnResetState() override
    {
        ++m_nResets;
        m_lValue = 7;
        if (m_faultReset != Fault::None)
            Throw(m_faultReset);
    }
    void DoPropExchange(CPropExchange* pPX) override
    {
        PX_Long(pPX, L"Value", m_lValue);
        if (m_faultExchange != Fault::None && pPX->IsLoading())
            Throw(m_faultExchange);
    }
    void OnDraw(CDC*, const CRect&, const CRect&) override
    {
        if (m_faultDraw != Fault::None)
            Throw(m_faultDraw);
    }
    BOOL OnProperties(LPMSG, HWND, LPCRECT) override
    {
        if (m_whileProperties)
            m_whileProperties();
        // The sheet's pages go on using the control after the container let go of it.
        m_lValue += 1;
        if (m_faultProperties != Fault::None)
            Throw(m_faultProperties);
        return TRUE;
    }

private:
    int* m_pnDestroyed;
};

template <class I>
I* Interface(CCmdTarget* pTarget)
{
    I* p = nullptr;
    EXPECT_EQ(S_OK, pTarget->ExternalQueryInterface(__uuidof(I), reinterpret_cast<void**>(&p)));
    return p;
}

// A container's site for one control, with a window to activate it in and ambient properties;
// what it does on deactivation and which foreground colour it reports are up to the test.
class TestSite : public IOleClientSite, public IOleInPlaceSite, public IDispatch
{
public:
    explicit TestSite(HWND hWnd) : m_hWnd(hWnd) { ::VariantInit(&m_varForeColor); }
    ~TestSite() { ::VariantClear(&m_varForeColor); }

    VARIANT m_varForeColor;
    std::function<void()> m_onInPlaceDeactivate;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override
    {
        *ppv = iid == IID_IOleInPlaceSite || iid == IID_IOleWindow ? static_cast<void*>(static_cast<IOleInPlaceSite*>(this))
             : iid == IID_IDispatch ? static_cast<void*>(static_cast<IDispatch*>(this))
             : iid == IID_IUnknown || iid == IID_IOleClientSite ? static_cast<IOleClientSite*>(this) : nullptr;
        return *ppv != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }   // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** pp) override { *pp = nullptr; return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** pp) override { *pp = nullptr; return E_NOINTERFACE; }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override { *phwnd = m_hWnd; return S_OK; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT prcPos,
                                               LPRECT prcClip, LPOLEINPLACEFRAMEINFO) override
    {
        *ppFrame = nullptr;
        *ppDoc = nullptr;
        *prcPos = *prcClip = RECT{0, 0, 100, 40};
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override
    {
        if (m_onInPlaceDeactivate)
            m_onInPlaceDeactivate();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }
    // IDispatch: the ambient properties
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pn) override { *pn = 0; return S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* pResult, EXCEPINFO*,
                                     UINT*) override
    {
        if (dispid != DISPID_AMBIENT_FORECOLOR || V_VT(&m_varForeColor) == VT_EMPTY)
            return DISP_E_MEMBERNOTFOUND;
        return ::VariantCopy(pResult, &m_varForeColor);
    }

private:
    HWND m_hWnd;
};

} // namespace

TEST(COleControl, NoExceptionOfAnyKindCrossesAnInterfaceAndAFailedResetIsRunAgain)
{
    const struct { Fault fault; HRESULT hr; } kinds[] = {
        {Fault::StdBadAlloc, E_OUTOFMEMORY}, {Fault::Memory, E_OUTOFMEMORY}, {Fault::Ole, STG_E_READFAULT},
        {Fault::Std, E_UNEXPECTED}, {Fault::Other, E_UNEXPECTED}};
    IStream* pSaved = nullptr;
    ASSERT_EQ(S_OK, ::CreateStreamOnHGlobal(nullptr, TRUE, &pSaved));
    for (const auto& kind : kinds) {
        SCOPED_TRACE(static_cast<int>(kind.fault));
        int nDestroyed = 0;
        CFaultyControl* pControl = new CFaultyControl(&nDestroyed);
        IPersistStreamInit* pPersist = Interface<IPersistStreamInit>(pControl);
        IViewObject2* pView = Interface<IViewObject2>(pControl);
        IOleObject* pOle = Interface<IOleObject>(pControl);
        pControl->ExternalRelease();

        // A reset that fails leaves the control uninitialised: the next use resets it again.
        pControl->m_faultReset = kind.fault;
        EXPECT_EQ(kind.hr, pPersist->InitNew());
        const HDC hdc = ::CreateCompatibleDC(nullptr);
        const RECTL rcBounds = {0, 0, 50, 20};
        EXPECT_EQ(kind.hr, pView->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc, &rcBounds, nullptr, nullptr, 0));
        EXPECT_EQ(2, pControl->m_nResets);
        pControl->m_faultReset = Fault::None;
        EXPECT_EQ(S_OK, pView->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc, &rcBounds, nullptr, nullptr, 0));
        EXPECT_EQ(3, pControl->m_nResets);
        EXPECT_EQ(S_OK, pPersist->InitNew());
        EXPECT_EQ(4, pControl->m_nResets);
        EXPECT_EQ(S_OK, pView->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc, &rcBounds, nullptr, nullptr, 0));
        EXPECT_EQ(4, pControl->m_nResets) << "initialised once it ran through";

        pControl->m_faultDraw = kind.fault;
        EXPECT_EQ(kind.hr, pView->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, hdc, &rcBounds, nullptr, nullptr, 0));
        ::DeleteDC(hdc);

        // A load that fails after reading a value leaves the value as it was.
        pControl->m_lValue = 99;
        LARGE_INTEGER zero = {};
        pSaved->Seek(zero, STREAM_SEEK_SET, nullptr);
        ASSERT_EQ(S_OK, pPersist->Save(pSaved, FALSE));
        pControl->m_lValue = 5;
        pSaved->Seek(zero, STREAM_SEEK_SET, nullptr);
        pControl->m_faultExchange = kind.fault;
        EXPECT_EQ(kind.hr, pPersist->Load(pSaved));
        EXPECT_EQ(5, pControl->m_lValue);

        pControl->m_faultProperties = kind.fault;
        EXPECT_EQ(kind.hr, pOle->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, nullptr, nullptr));

        pOle->Release();
        pView->Release();
        EXPECT_EQ(0, nDestroyed);
        EXPECT_EQ(0u, pPersist->Release());
        EXPECT_EQ(1, nDestroyed);
    }
    pSaved->Release();
}

TEST(COleControl, AContainerReleasingItDuringItsOwnCallsDoesNotFreeItUnderThemOrTwice)
{
    CWnd container;
    ASSERT_TRUE(container.CreateEx(0, AfxRegisterWndClass(0), L"container", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
    TestSite site(container.m_hWnd);

    // The container lets go of the control while its property sheet is up.
    int nDestroyed = 0;
    CFaultyControl* pControl = new CFaultyControl(&nDestroyed);
    IOleObject* pOle = Interface<IOleObject>(pControl);
    pControl->ExternalRelease();
    ASSERT_EQ(S_OK, pOle->SetClientSite(&site));
    pControl->m_whileProperties = [&] {
        pOle->SetClientSite(nullptr);
        EXPECT_EQ(1u, pOle->Release()) << "the verb holds it";
        EXPECT_EQ(0, nDestroyed);
    };
    EXPECT_EQ(S_OK, pOle->DoVerb(OLEIVERB_PROPERTIES, nullptr, &site, 0, container.m_hWnd, nullptr));
    EXPECT_EQ(1, nDestroyed) << "freed once the verb returned";

    // The site takes and drops a reference while the last release deactivates the control, or
    // keeps one: freed once, by the last release.
    for (const bool bKeep : {false, true}) {
        SCOPED_TRACE(bKeep ? "site keeps a reference" : "site takes and drops one");
        nDestroyed = 0;
        pControl = new CFaultyControl(&nDestroyed);
        pOle = Interface<IOleObject>(pControl);
        pControl->ExternalRelease();
        ASSERT_EQ(S_OK, pOle->SetClientSite(&site));
        ASSERT_EQ(S_OK, pOle->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, container.m_hWnd, nullptr));
        ASSERT_NE(nullptr, pControl->m_hWnd);
        IOleObject* pKept = nullptr;
        site.m_onInPlaceDeactivate = [&] {
            pOle->AddRef();
            IOleInPlaceObject* pInPlace = nullptr;
            pOle->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&pInPlace));
            HWND hWnd = nullptr;
            pInPlace->GetWindow(&hWnd);
            pInPlace->Release();
            if (bKeep)
                pKept = pOle;
            else
                pOle->Release();
        };
        pOle->Release();
        site.m_onInPlaceDeactivate = nullptr;
        EXPECT_EQ(bKeep ? 0 : 1, nDestroyed);
        if (pKept != nullptr) {
            pKept->SetClientSite(nullptr);
            EXPECT_EQ(0u, pKept->Release());
        }
        EXPECT_EQ(1, nDestroyed);
    }
    container.DestroyWindow();
}

TEST(COleControl, AmbientForegroundTakesEveryFormOfAColour)
{
    const struct { VARTYPE vt; LONG lValue; const wchar_t* text; OLE_COLOR expected; const char* why; } rows[] = {
        {VT_UI4, static_cast<LONG>(0x80000012), nullptr, 0x80000012, "a system colour index, unsigned"},
        {VT_I4, static_cast<LONG>(0x80000012), nullptr, 0x80000012, "the same, as a script's negative long"},
        {VT_I4, 0x00336699, nullptr, 0x00336699, "an RGB value"},
        {VT_BSTR, 0, L"&H80000008", 0x80000008, "text"},
        {VT_BSTR, 0, L"red", ::GetSysColor(COLOR_WINDOWTEXT), "no colour: the window text's"},
        {VT_EMPTY, 0, nullptr, ::GetSysColor(COLOR_WINDOWTEXT), "no ambient colour"},
    };
    TestSite site(nullptr);
    CFaultyControl* pControl = nullptr;
    int nDestroyed = 0;
    pControl = new CFaultyControl(&nDestroyed);
    IOleObject* pOle = Interface<IOleObject>(pControl);
    pControl->ExternalRelease();
    ASSERT_EQ(S_OK, pOle->SetClientSite(&site));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        ::VariantClear(&site.m_varForeColor);
        V_VT(&site.m_varForeColor) = row.vt;
        if (row.vt == VT_BSTR)
            V_BSTR(&site.m_varForeColor) = ::SysAllocString(row.text);
        else if (row.vt != VT_EMPTY)
            V_I4(&site.m_varForeColor) = row.lValue;
        EXPECT_EQ(row.expected, pControl->AmbientForeColor());
    }
    pOle->SetClientSite(nullptr);
    pOle->Release();
    EXPECT_EQ(1, nDestroyed);
}
