#include "CQLNPageObject.h"

#include "CQLNPageContainer.h"
#include "CQLNPageScale.h"
#include "CQLNReportClasses.h"
#include "CQLNTextObjClient.h"
#include "CQLNTextObjError.h"

#include <ocidl.h>

#include <algorithm>
#include <vector>

using Microsoft::WRL::ComPtr;

namespace {

// The stream of an object's storage that holds the property set of an object saved through
// IPersistStreamInit.
const wchar_t kContentsStream[] = L"Contents";

ComPtr<IStorage> CreateMemoryStorage(std::wstring& error)
{
    ComPtr<ILockBytes> bytes;
    ComPtr<IStorage> storage;
    HRESULT hr = ::CreateILockBytesOnHGlobal(nullptr, TRUE, &bytes);
    if (SUCCEEDED(hr))
        hr = ::StgCreateDocfileOnILockBytes(bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &storage);
    if (FAILED(hr)) {
        error = L"cannot hold an object's data in memory: " + CQLNTextObjError::Describe(hr);
        storage.Reset();
    }
    return storage;
}

} // namespace

CQLNPageObject::CQLNPageObject(const CLSID& clsid, CQLNPageContainer* pContainer)
    : m_clsid(clsid), m_pContainer(pContainer)
{
}

bool CQLNPageObject::TellRTPrecision(const CLSID& clsid, long nRTPrecision, std::wstring& error)
{
    // Telling a class starts a short-lived object of it, so a page of thirty objects of three
    // classes tells each class once. Classes may keep the decimals in a library they share, where
    // the last number told counts for all of them: another number starts the count afresh.
    static long s_nTold = -1;
    static std::vector<CLSID> s_told;
    if (nRTPrecision != s_nTold) {
        s_told.clear();
        s_nTold = nRTPrecision;
    }
    if (std::find(s_told.begin(), s_told.end(), clsid) != s_told.end())
        return true;
    if (!CQLNTextObjClient::SetRTPrecision(clsid, nRTPrecision, error))
        return false;
    s_told.push_back(clsid);
    return true;
}

ComPtr<CQLNPageObject> CQLNPageObject::Create(const CLSID& clsid, CQLNPageContainer* pContainer, long nRTPrecision,
                                              std::wstring& error)
{
    ComPtr<CQLNPageObject> page;
    page.Attach(new CQLNPageObject(clsid, pContainer));
    const CQLNReportClasses::Standing standing = CQLNReportClasses::Of(clsid);
    if (standing != CQLNReportClasses::Standing::ReportObject) {
        error = page->ClassName() + L" is " + CQLNReportClasses::Why(standing);
        return nullptr;
    }
    if (!TellRTPrecision(clsid, nRTPrecision, error))
        return nullptr;
    ComPtr<IUnknown> object;
    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object);
    if (FAILED(hr)) {
        error = L"cannot create " + page->ClassName() + L": " + CQLNTextObjError::Describe(hr);
        return nullptr;
    }
    if (!page->Attach(object.Get(), error))
        return nullptr;
    ComPtr<IPersistStreamInit> streamInit;
    ComPtr<IPersistStorage> storageInit;
    if (SUCCEEDED(object.As(&streamInit))) {
        hr = streamInit->InitNew();
    } else if (SUCCEEDED(object.As(&storageInit))) {
        page->m_storage = CreateMemoryStorage(error);
        if (!page->m_storage) {
            page->Close();
            return nullptr;
        }
        hr = storageInit->InitNew(page->m_storage.Get());
    } else {
        hr = E_NOINTERFACE;
    }
    if (FAILED(hr)) {
        error = page->ClassName() + L" could not be started: " + CQLNTextObjError::Describe(hr);
        page->Close();
        return nullptr;
    }
    return page;
}

bool CQLNPageObject::KeepAsPlaceholder(IStorage* pStorage, const std::wstring& why, std::wstring& error)
{
    m_strWhyPlaceholder = why;
    m_storage = CreateMemoryStorage(error);
    if (!m_storage)
        return false;
    const HRESULT hr = pStorage->CopyTo(0, nullptr, nullptr, m_storage.Get());
    if (FAILED(hr)) {
        error = L"cannot read the data of " + ClassName() + L": " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return true;
}

ComPtr<CQLNPageObject> CQLNPageObject::Load(IStorage* pStorage, CQLNPageContainer* pContainer, long nRTPrecision,
                                            std::wstring& error)
{
    CLSID clsid = CLSID_NULL;
    HRESULT hr = ::ReadClassStg(pStorage, &clsid);
    if (FAILED(hr) || clsid == CLSID_NULL) {
        error = L"an object on the page names no class";
        return nullptr;
    }
    ComPtr<CQLNPageObject> page;
    page.Attach(new CQLNPageObject(clsid, pContainer));
    // A page file may name any class: one outside the report-object categories is not started for
    // it, nor is a program of its own (a local server) started, nor handed the file's data.
    const CQLNReportClasses::Standing standing = CQLNReportClasses::Of(clsid);
    if (standing != CQLNReportClasses::Standing::ReportObject)
        return page->KeepAsPlaceholder(pStorage, CQLNReportClasses::Why(standing), error) ? page : nullptr;
    // A class that cannot take the decimals cannot be created either, which is what is said; one
    // that refuses them still keeps the decimals its saved lines have.
    std::wstring why;
    TellRTPrecision(clsid, nRTPrecision, why);
    ComPtr<IUnknown> object;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object);
    if (FAILED(hr)) {
        // Whatever keeps the class from being made here, its data stays as it was written.
        return page->KeepAsPlaceholder(pStorage, L"not available here: " + CQLNTextObjError::Describe(hr), error) ? page
                                                                                                              : nullptr;
    }
    if (!page->Attach(object.Get(), error))
        return nullptr;
    ComPtr<IPersistStorage> storageLoad;
    ComPtr<IPersistStreamInit> streamLoad;
    if (SUCCEEDED(object.As(&storageLoad))) {
        page->m_storage = CreateMemoryStorage(error);
        hr = !page->m_storage ? E_OUTOFMEMORY : pStorage->CopyTo(0, nullptr, nullptr, page->m_storage.Get());
        if (SUCCEEDED(hr))
            hr = storageLoad->Load(page->m_storage.Get());
    } else if (SUCCEEDED(object.As(&streamLoad))) {
        ComPtr<IStream> stream;
        hr = pStorage->OpenStream(kContentsStream, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream);
        if (SUCCEEDED(hr))
            hr = streamLoad->Load(stream.Get());
    } else {
        hr = E_NOINTERFACE;
    }
    if (FAILED(hr)) {
        error = page->ClassName() + L" refused its data: " + CQLNTextObjError::Describe(hr);
        page->Close();
        return nullptr;
    }
    return page;
}

bool CQLNPageObject::Attach(IUnknown* pObject, std::wstring& error)
{
    m_object = pObject;
    ComPtr<IOleObject> ole;
    if (FAILED(m_object.As(&ole))) {
        error = ClassName() + L" cannot be placed on a page: it is no embeddable object";
        m_object.Reset();
        return false;
    }
    ole->SetClientSite(this);
    ole->Advise(this, &m_dwOleAdvise);
    ole->SetHostNames(L"Report Page", nullptr);
    ComPtr<IViewObject> view;
    if (SUCCEEDED(m_object.As(&view)))
        view->SetAdvise(DVASPECT_CONTENT, 0, this);
    auto client = std::make_unique<CQLNTextObjClient>();
    std::wstring why;
    if (client->Attach(pObject, why) && client->HasMember(L"SetZoom"))
        m_zoomable = std::move(client);
    return true;
}

bool CQLNPageObject::Save(IStorage* pStorage, std::wstring& error)
{
    HRESULT hr = S_OK;
    ComPtr<IPersistStorage> storageSave;
    ComPtr<IPersistStreamInit> streamSave;
    if (!m_object) {
        hr = m_storage ? m_storage->CopyTo(0, nullptr, nullptr, pStorage) : E_UNEXPECTED;
    } else if (SUCCEEDED(m_object.As(&storageSave))) {
        hr = ::WriteClassStg(pStorage, m_clsid);
        if (SUCCEEDED(hr))
            hr = storageSave->Save(pStorage, FALSE);
        if (SUCCEEDED(hr))
            hr = storageSave->SaveCompleted(nullptr);
    } else if (SUCCEEDED(m_object.As(&streamSave))) {
        ComPtr<IStream> stream;
        hr = ::WriteClassStg(pStorage, m_clsid);
        if (SUCCEEDED(hr))
            hr = pStorage->CreateStream(kContentsStream, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream);
        if (SUCCEEDED(hr))
            hr = streamSave->Save(stream.Get(), FALSE);
    } else {
        hr = E_NOINTERFACE;
    }
    if (FAILED(hr)) {
        error = L"cannot save " + ClassName() + L": " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return true;
}

void CQLNPageObject::Saved()
{
    m_bLoadedUnsaved = false;
    // An object clears its mark only as it saves: saved once more, into the storage it holds
    // (the same as it loaded), or into memory that is let go.
    ComPtr<IPersistStorage> storageSave;
    ComPtr<IPersistStreamInit> streamSave;
    if (!m_object) {
        return;
    } else if (SUCCEEDED(m_object.As(&storageSave)) && m_storage) {
        if (SUCCEEDED(storageSave->Save(m_storage.Get(), TRUE)))
            storageSave->SaveCompleted(nullptr);
    } else if (SUCCEEDED(m_object.As(&streamSave))) {
        ComPtr<IStream> stream;
        if (SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
            streamSave->Save(stream.Get(), TRUE);
    }
}

bool CQLNPageObject::SaveData(std::string& bytes) const
{
    ComPtr<IPersistStreamInit> streamSave;
    ComPtr<IStream> stream;
    HGLOBAL hGlobal = nullptr;
    STATSTG stat = {};
    if (!m_object || FAILED(m_object.As(&streamSave)) || FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        FAILED(streamSave->Save(stream.Get(), FALSE)) || FAILED(stream->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(::GetHGlobalFromStream(stream.Get(), &hGlobal)))
        return false;
    bytes.clear();
    if (stat.cbSize.QuadPart == 0)
        return true;
    const void* pData = ::GlobalLock(hGlobal);
    if (pData == nullptr)
        return false;
    bytes.assign(static_cast<const char*>(pData), static_cast<size_t>(stat.cbSize.QuadPart));
    ::GlobalUnlock(hGlobal);
    return true;
}

bool CQLNPageObject::LoadData(const std::string& bytes, bool bModified, std::wstring& error)
{
    ComPtr<IPersistStreamInit> streamLoad;
    ComPtr<IStream> stream;
    HRESULT hr = !m_object || FAILED(m_object.As(&streamLoad)) ? E_NOINTERFACE : ::CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    ULONG written = 0;
    if (SUCCEEDED(hr) && !bytes.empty())
        hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    const LARGE_INTEGER zero = {};
    if (SUCCEEDED(hr))
        hr = stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    if (SUCCEEDED(hr))
        hr = streamLoad->Load(stream.Get());
    if (FAILED(hr)) {
        error = ClassName() + L" refused its earlier data: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    m_bLoadedUnsaved = bModified;
    return true;
}

void CQLNPageObject::Close()
{
    if (!m_object)
        return;
    Deactivate();
    ComPtr<IViewObject> view;
    if (SUCCEEDED(m_object.As(&view)))
        view->SetAdvise(DVASPECT_CONTENT, 0, nullptr);
    ComPtr<IOleObject> ole;
    if (SUCCEEDED(m_object.As(&ole))) {
        if (m_dwOleAdvise != 0)
            ole->Unadvise(m_dwOleAdvise);
        ole->Close(OLECLOSE_NOSAVE);
        // The object holds its site: letting it go breaks the cycle.
        ole->SetClientSite(nullptr);
    }
    m_dwOleAdvise = 0;
    m_picture.Forget();
    m_zoomable.reset();
    m_object.Reset();
    // Closed is not the same as a placeholder: a closed object has nothing left to save.
    m_storage.Reset();
}

std::wstring CQLNPageObject::ClassName() const
{
    LPOLESTR name = nullptr;
    std::wstring result;
    if (SUCCEEDED(::OleRegGetUserType(m_clsid, USERCLASSTYPE_FULL, &name)) && name != nullptr && *name != 0)
        result = name;
    ::CoTaskMemFree(name);
    if (result.empty()) {
        wchar_t sz[40] = {};
        ::StringFromGUID2(m_clsid, sz, 40);
        result = sz;
    }
    return result;
}

bool CQLNPageObject::IsDirty() const
{
    if (m_bLoadedUnsaved)
        return true;
    ComPtr<IPersistStreamInit> stream;
    ComPtr<IPersistStorage> storage;
    if (m_object && SUCCEEDED(m_object.As(&stream)))
        return stream->IsDirty() == S_OK;
    return m_object && SUCCEEDED(m_object.As(&storage)) && storage->IsDirty() == S_OK;
}

bool CQLNPageObject::EditsInPlace() const
{
    ComPtr<IOleObject> ole;
    if (!m_object || FAILED(m_object.As(&ole)))
        return false;
    DWORD dwStatus = 0;
    // An object that leaves the answer to its registration is answered from there.
    if (FAILED(ole->GetMiscStatus(DVASPECT_CONTENT, &dwStatus)) &&
        FAILED(::OleRegGetMiscStatus(m_clsid, DVASPECT_CONTENT, &dwStatus)))
        dwStatus = 0;
    return (dwStatus & OLEMISC_NOUIACTIVATE) == 0;
}

void CQLNPageObject::SetPlace(const RECT& rcPlace)
{
    // A move keeps the recording; at another size the object lays itself out anew.
    if (rcPlace.right - rcPlace.left != m_rcPlace.right - m_rcPlace.left ||
        rcPlace.bottom - rcPlace.top != m_rcPlace.bottom - m_rcPlace.top)
        m_picture.Forget();
    m_rcPlace = rcPlace;
    SendExtent();
    UpdateInPlacePosition();
}

void CQLNPageObject::SendExtent() const
{
    ComPtr<IOleObject> ole;
    if (!m_object || FAILED(m_object.As(&ole)))
        return;
    SIZEL size = {m_rcPlace.right - m_rcPlace.left, m_rcPlace.bottom - m_rcPlace.top};
    // Sent only when it differs: it is sent after every drawing, and an object may take a new
    // extent for a change of its view.
    SIZEL current = {0, 0};
    if (FAILED(ole->GetExtent(DVASPECT_CONTENT, &current)) || current.cx != size.cx || current.cy != size.cy)
        ole->SetExtent(DVASPECT_CONTENT, &size);
}

void CQLNPageObject::UpdateInPlacePosition()
{
    ComPtr<IOleInPlaceObject> inPlace;
    if (!m_bInPlaceActive || m_pContainer == nullptr || FAILED(m_object.As(&inPlace)))
        return;
    const RECT rcPos = m_pContainer->ClientRectOf(*this);
    RECT rcClip = {};
    ::GetClientRect(m_pContainer->PageWindow(), &rcClip);
    inPlace->SetObjectRects(&rcPos, &rcClip);
}

bool CQLNPageObject::Draw(HDC hdcDraw, HDC hdcTarget, const RECT& rcPlace, const CQLNPageScale& scale,
                          std::wstring& error) const
{
    // The scale decides how the object is drawn; an object that offers a zoom is first asked
    // to take the scale's.
    const double dZoom = scale.Zoom();
    std::wstring why;
    const bool bZoomed = m_zoomable && (dZoom == m_dZoom || m_zoomable->SetZoom(dZoom, why));
    const CQLNPageScale::Placement placement = scale.PlacementOf(rcPlace, bZoomed);
    const int nSavedDraw = ::SaveDC(hdcDraw);
    const int nSavedTarget = hdcTarget != nullptr && hdcTarget != hdcDraw ? ::SaveDC(hdcTarget) : 0;
    if (placement.drawing == CQLNPageScale::Drawing::ThroughMapping) {
        scale.Map(hdcDraw);
        if (nSavedTarget != 0)
            scale.Map(hdcTarget);
    }
    const RECT& bounds = placement.bounds;
    ::IntersectClipRect(hdcDraw, bounds.left, bounds.top, bounds.right, bounds.bottom);
    const bool ok = DrawAt(hdcDraw, hdcTarget, bounds, error);
    if (bZoomed && dZoom != m_dZoom)
        m_zoomable->SetZoom(m_dZoom, why);
    // An object may take the size it was last drawn at for its extent, which it saves: drawn at a
    // zoom, on a printer or just rounded to pixels, it is given its place's size back.
    SendExtent();
    if (nSavedTarget != 0)
        ::RestoreDC(hdcTarget, nSavedTarget);
    ::RestoreDC(hdcDraw, nSavedDraw);
    return ok;
}

bool CQLNPageObject::Show(HDC hdc, const RECT& rc, std::wstring& error) const
{
    return m_picture.Show(*this, hdc, rc, m_resolution.Replacement(), error);
}

bool CQLNPageObject::Resolve(const CQLNReportResolver& resolver, std::wstring& error)
{
    // An object that offers no automation has nothing to resolve.
    CQLNTextObjClient client;
    std::wstring why;
    if (IsPlaceholder() || !client.Attach(m_object.Get(), why))
        return true;
    m_picture.Forget();
    if (!m_resolution.Resolve(client, resolver, error)) {
        error = ClassName() + L": " + error;
        return false;
    }
    return true;
}

bool CQLNPageObject::EndResolution(std::wstring& error)
{
    CQLNTextObjClient client;
    std::wstring why;
    m_picture.Forget();
    if (IsPlaceholder() || !client.Attach(m_object.Get(), why))
        return true;
    if (!m_resolution.Withdraw(client, error)) {
        error = ClassName() + L": " + error;
        return false;
    }
    return true;
}

bool CQLNPageObject::DrawAt(HDC hdcDraw, HDC hdcTarget, const RECT& bounds, std::wstring& error) const
{
    ComPtr<IViewObject> view;
    if (m_object && SUCCEEDED(m_object.As(&view))) {
        const RECTL rcl = {bounds.left, bounds.top, bounds.right, bounds.bottom};
        const HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, hdcTarget, hdcDraw, &rcl, nullptr, nullptr, 0);
        if (FAILED(hr)) {
            error = ClassName() + L" could not draw: " + CQLNTextObjError::Describe(hr);
            return false;
        }
        return true;
    }
    // A placeholder shows where the object is and what it is, hatched so nobody takes it for
    // the object's own drawing.
    const int nSaved = ::SaveDC(hdcDraw);
    HBRUSH hHatch = ::CreateHatchBrush(HS_BDIAGONAL, RGB(0xC0, 0xC0, 0xC0));
    HPEN hPen = ::CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
    ::SelectObject(hdcDraw, hHatch);
    ::SelectObject(hdcDraw, hPen);
    ::Rectangle(hdcDraw, bounds.left, bounds.top, bounds.right, bounds.bottom);
    ::SetBkMode(hdcDraw, TRANSPARENT);
    ::SetTextColor(hdcDraw, RGB(0x40, 0x40, 0x40));
    RECT rcText = bounds;
    ::InflateRect(&rcText, -4, -4);
    const std::wstring text = ClassName() + L"\r\n(" + m_strWhyPlaceholder + L"; kept as it is)";
    ::DrawTextW(hdcDraw, text.c_str(), static_cast<int>(text.size()), &rcText, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
    ::RestoreDC(hdcDraw, nSaved);
    ::DeleteObject(hHatch);
    ::DeleteObject(hPen);
    return true;
}

bool CQLNPageObject::DoVerb(LONG iVerb, std::wstring& error)
{
    ComPtr<IOleObject> ole;
    if (!m_object || FAILED(m_object.As(&ole))) {
        error = ClassName() + L" is " + (m_strWhyPlaceholder.empty() ? L"closed" : m_strWhyPlaceholder);
        return false;
    }
    const HWND hWnd = m_pContainer != nullptr ? m_pContainer->PageWindow() : nullptr;
    const RECT rcPos = m_pContainer != nullptr ? m_pContainer->ClientRectOf(*this) : RECT{0, 0, 0, 0};
    // The object may release its last other reference while a modal verb runs.
    ComPtr<CQLNPageObject> keep(this);
    const HRESULT hr = ole->DoVerb(iVerb, nullptr, this, 0, hWnd, &rcPos);
    if (FAILED(hr)) {
        error = ClassName() + L" refused the command: " + CQLNTextObjError::Describe(hr);
        return false;
    }
    return true;
}

void CQLNPageObject::ZoomTo(double dZoom)
{
    std::wstring why;
    if (!m_zoomable || dZoom == m_dZoom || !m_zoomable->SetZoom(dZoom, why))
        return;
    m_dZoom = dZoom;
    // The object does not repaint on its own when it is zoomed.
    ComPtr<IOleInPlaceObject> inPlace;
    HWND hWnd = nullptr;
    if (SUCCEEDED(m_object.As(&inPlace)) && SUCCEEDED(inPlace->GetWindow(&hWnd)) && hWnd != nullptr)
        ::InvalidateRect(hWnd, nullptr, TRUE);
}

void CQLNPageObject::Deactivate()
{
    ComPtr<IOleInPlaceObject> inPlace;
    if (m_bInPlaceActive && SUCCEEDED(m_object.As(&inPlace)))
        inPlace->InPlaceDeactivate();
}

// --- IUnknown ------------------------------------------------------------------------------

HRESULT CQLNPageObject::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite)
        *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
        *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IAdviseSink)
        *ppv = static_cast<IAdviseSink*>(this);
    else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG CQLNPageObject::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

ULONG CQLNPageObject::Release()
{
    const LONG n = ::InterlockedDecrement(&m_nRefs);
    if (n == 0)
        delete this;
    return static_cast<ULONG>(n);
}

// --- IOleClientSite ------------------------------------------------------------------------

// The page is saved as a whole, by the user: an object's own request to be saved is answered
// by marking nothing and losing nothing, since its data goes out with the next save of the page.
HRESULT CQLNPageObject::SaveObject()
{
    return S_OK;
}

HRESULT CQLNPageObject::GetMoniker(DWORD, DWORD, IMoniker** ppmk)
{
    if (ppmk != nullptr)
        *ppmk = nullptr;
    return E_NOTIMPL;
}

HRESULT CQLNPageObject::GetContainer(IOleContainer** ppContainer)
{
    if (ppContainer != nullptr)
        *ppContainer = nullptr;
    return E_NOINTERFACE;
}

HRESULT CQLNPageObject::ShowObject()
{
    return S_OK;
}

HRESULT CQLNPageObject::OnShowWindow(BOOL)
{
    return S_OK;
}

HRESULT CQLNPageObject::RequestNewObjectLayout()
{
    return E_NOTIMPL;
}

// --- IOleInPlaceSite -----------------------------------------------------------------------

HRESULT CQLNPageObject::GetWindow(HWND* phwnd)
{
    if (phwnd == nullptr)
        return E_POINTER;
    *phwnd = m_pContainer != nullptr ? m_pContainer->PageWindow() : nullptr;
    return *phwnd != nullptr ? S_OK : E_FAIL;
}

HRESULT CQLNPageObject::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT CQLNPageObject::CanInPlaceActivate()
{
    return m_pContainer != nullptr && m_pContainer->PageWindow() != nullptr ? S_OK : S_FALSE;
}

HRESULT CQLNPageObject::OnInPlaceActivate()
{
    m_bInPlaceActive = true;
    // The object's window lies over its place as the page shows it; its drawing and its column
    // borders are to be at the page's zoom too.
    if (m_pContainer != nullptr)
        ZoomTo(CQLNPageScale::Screen(m_pContainer->Zoom(), POINT{0, 0}).Zoom());
    return S_OK;
}

HRESULT CQLNPageObject::OnUIActivate()
{
    return S_OK;
}

HRESULT CQLNPageObject::GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                         LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo)
{
    if (ppFrame == nullptr || ppDoc == nullptr || lprcPosRect == nullptr || lprcClipRect == nullptr)
        return E_POINTER;
    *ppFrame = nullptr;
    *ppDoc = nullptr;
    if (m_pContainer == nullptr || m_pContainer->PageWindow() == nullptr)
        return E_FAIL;
    *ppFrame = m_pContainer->InPlaceFrame();
    if (*ppFrame != nullptr)
        (*ppFrame)->AddRef();
    *lprcPosRect = m_pContainer->ClientRectOf(*this);
    ::GetClientRect(m_pContainer->PageWindow(), lprcClipRect);
    if (lpFrameInfo != nullptr) {
        lpFrameInfo->fMDIApp = FALSE;
        lpFrameInfo->hwndFrame = m_pContainer->PageWindow();
        lpFrameInfo->haccel = nullptr;
        lpFrameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

HRESULT CQLNPageObject::Scroll(SIZE)
{
    return E_NOTIMPL;
}

HRESULT CQLNPageObject::OnUIDeactivate(BOOL)
{
    return S_OK;
}

HRESULT CQLNPageObject::OnInPlaceDeactivate()
{
    m_bInPlaceActive = false;
    // What was edited in place was drawn in the object's own window.
    m_picture.Forget();
    ZoomTo(1.0);
    SendExtent();
    if (m_pContainer != nullptr)
        m_pContainer->ObjectDeactivated(*this);
    return S_OK;
}

HRESULT CQLNPageObject::DiscardUndoState()
{
    return S_OK;
}

HRESULT CQLNPageObject::DeactivateAndUndo()
{
    Deactivate();
    return S_OK;
}

HRESULT CQLNPageObject::OnPosRectChange(LPCRECT)
{
    // The page decides where an object is; the object is put back where the page has it.
    UpdateInPlacePosition();
    return S_OK;
}

// --- IAdviseSink ---------------------------------------------------------------------------

void CQLNPageObject::OnDataChange(FORMATETC*, STGMEDIUM*)
{
}

void CQLNPageObject::OnViewChange(DWORD, LONG)
{
    // Said of the drawing the object is making for its recording, it would ask for another.
    if (m_picture.IsRecording())
        return;
    m_picture.Forget();
    if (m_pContainer != nullptr)
        m_pContainer->ObjectChanged(*this);
}

void CQLNPageObject::OnRename(IMoniker*)
{
}

void CQLNPageObject::OnSave()
{
}

void CQLNPageObject::OnClose()
{
}
