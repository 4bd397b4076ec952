// One object on a report page and the container's site for it. The host knows the object only
// through the system's interfaces: created by class identifier, kept in a storage of its own
// (IPersistStorage, or IPersistStreamInit into a stream of that storage), drawn through
// IViewObject, activated in place through IOleObject and IOleInPlaceSite, and redrawn when its
// view changes (IAdviseSink). The page shows and prints an object through a recording of it
// measured against the printer (CQLNObjectPicture), with the values of a resolved report drawn
// in place of their tokens; resolving never changes the object. An object whose class is not a
// report object of this computer is a placeholder: it keeps its storage, byte for byte, to be
// written back when the page is saved.
#pragma once
#include "CQLNObjectPicture.h"
#include "CQLNObjectResolution.h"
#include "CQLNTextObjClient.h"

#include <ole2.h>
#include <wrl/client.h>

#include <memory>
#include <string>

class CQLNPageContainer;
class CQLNPageScale;
class CQLNReportResolver;

class CQLNPageObject : public IOleClientSite, public IOleInPlaceSite, public IAdviseSink
{
public:
    // A new object of a report-object class, started afresh; null with a message when the class
    // is no report object or cannot be created or started. nRTPrecision is the page's decimals of
    // time values, told to the class before the object is made (its catalogue takes them then).
    static Microsoft::WRL::ComPtr<CQLNPageObject> Create(const CLSID& clsid, CQLNPageContainer* pContainer,
                                                        long nRTPrecision, std::wstring& error);
    // An object as a page file keeps it. Only report-object classes are created, and only in this
    // process: any other class, or one that cannot be created here, gives a placeholder. An object
    // that refuses its data is an error.
    static Microsoft::WRL::ComPtr<CQLNPageObject> Load(IStorage* pStorage, CQLNPageContainer* pContainer,
                                                      long nRTPrecision, std::wstring& error);

    // Writes the class identifier and the object's data into an empty storage. The object stays
    // modified until Saved says the file holding the storage was written.
    bool Save(IStorage* pStorage, std::wstring& error);
    void Saved();
    // The object's data as it would save it now, kept in memory for an undo; it stays modified as
    // it was. False for an object that keeps its data in a storage of its own, or a placeholder:
    // such an object cannot be given earlier data back.
    bool SaveData(std::string& bytes) const;
    // Gives the object data that SaveData took; bModified says whether that data holds unsaved
    // changes that no step of the page's history accounts for, and the object counts as modified
    // accordingly.
    bool LoadData(const std::string& bytes, bool bModified, std::wstring& error);
    // Ends the object's part in the page: deactivated, closed without saving, its site let go.
    void Close();

    const CLSID& ClassId() const { return m_clsid; }
    // The class's name as the registry gives it, else its identifier.
    std::wstring ClassName() const;
    bool IsPlaceholder() const { return !m_object; }
    // Why a placeholder is one, as it follows "is": "not a report object".
    const std::wstring& WhyPlaceholder() const { return m_strWhyPlaceholder; }
    bool IsDirty() const;
    bool IsInPlaceActive() const { return m_bInPlaceActive; }
    // Whether the object has something to edit in place: it says so in its OLEMISC bits. An
    // object that declines UI activation is edited in its sheet; given a window on the page it
    // would only cover its neighbours with a copy of its drawing.
    bool EditsInPlace() const;
    // The object itself (null for a placeholder), for the interfaces a host reaches past the page.
    IUnknown* Object() const { return m_object.Get(); }

    // The place on the page in 0.01 mm from the page's top left corner.
    const RECT& Place() const { return m_rcPlace; }
    void SetPlace(const RECT& rcPlace);

    // Has the object draw itself at rcPlace (0.01 mm from the corner the scale puts on hdcDraw),
    // as large as the scale shows the page, clipped to it; hdcTarget is the device the drawing is
    // measured for, null for the screen. The object is left at the zoom it had.
    bool Draw(HDC hdcDraw, HDC hdcTarget, const RECT& rcPlace, const CQLNPageScale& scale, std::wstring& error) const;
    // Shows the object as it prints, into rc in logical units of hdc, with the values of its
    // resolution in place of their tokens.
    bool Show(HDC hdc, const RECT& rc, std::wstring& error) const;

    // Asks the object what it offers and resolves that with the data; its saved data stays as
    // it was.
    bool Resolve(const CQLNReportResolver& resolver, std::wstring& error);
    // Back to the template: a table's rows taken back, no values drawn.
    bool EndResolution(std::wstring& error);
    const CQLNObjectResolution& Resolution() const { return m_resolution; }
    // Runs a verb with this site; rcPos is the object's place in the page window.
    bool DoVerb(LONG iVerb, std::wstring& error);
    void Deactivate();
    // Moves the in-place window to where the object is now shown.
    void UpdateInPlacePosition();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** ppmk) override;
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** ppContainer) override;
    HRESULT STDMETHODCALLTYPE ShowObject() override;
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override;
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;
    // IOleWindow, IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
    HRESULT STDMETHODCALLTYPE OnUIActivate() override;
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** ppFrame, IOleInPlaceUIWindow** ppDoc, LPRECT lprcPosRect,
                                               LPRECT lprcClipRect, LPOLEINPLACEFRAMEINFO lpFrameInfo) override;
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override;
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override;
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override;
    // IAdviseSink
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override;
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override;
    void STDMETHODCALLTYPE OnRename(IMoniker*) override;
    void STDMETHODCALLTYPE OnSave() override;
    void STDMETHODCALLTYPE OnClose() override;

private:
    CQLNPageObject(const CLSID& clsid, CQLNPageContainer* pContainer);
    virtual ~CQLNPageObject() = default;
    // Site and advise set up on a created object, before it is started or loaded.
    bool Attach(IUnknown* pObject, std::wstring& error);
    // The object's extent follows its place on the page.
    void SendExtent() const;
    // Draws into bounds in logical units of hdcDraw, as they are.
    bool DrawAt(HDC hdcDraw, HDC hdcTarget, const RECT& bounds, std::wstring& error) const;
    // Zooms an object that can be zoomed, and shows it so if it has a window.
    void ZoomTo(double dZoom);
    // The page's time decimals told to the class, once for each class and number.
    static bool TellRTPrecision(const CLSID& clsid, long nRTPrecision, std::wstring& error);
    // Keeps the storage's data, byte for byte, as a placeholder's.
    bool KeepAsPlaceholder(IStorage* pStorage, const std::wstring& why, std::wstring& error);

    LONG m_nRefs = 1;
    CLSID m_clsid;
    CQLNPageContainer* m_pContainer;
    Microsoft::WRL::ComPtr<IUnknown> m_object;
    // An object that keeps its data in a storage holds this one (in memory) while it lives; a
    // placeholder keeps its data here.
    Microsoft::WRL::ComPtr<IStorage> m_storage;
    std::wstring m_strWhyPlaceholder;
    RECT m_rcPlace = {0, 0, 0, 0};
    DWORD m_dwOleAdvise = 0;
    bool m_bInPlaceActive = false;
    // Unsaved changes given back by an undo or redo: loading clears the object's own mark.
    bool m_bLoadedUnsaved = false;
    // Set once for an object that offers SetZoom: asked at every paint, its dispatch names would
    // be looked up again each time.
    std::unique_ptr<CQLNTextObjClient> m_zoomable;
    // The zoom the object is at between drawings: 1, or the page's while it is active in place.
    double m_dZoom = 1.0;
    mutable CQLNObjectPicture m_picture;
    CQLNObjectResolution m_resolution;
};
