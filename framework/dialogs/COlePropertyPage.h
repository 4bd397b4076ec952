// A property page that an OLE property frame shows: a COM object with IPropertyPage2 whose
// window is a child dialog from a template (WS_CHILD, no caption) created inside the frame.
//
// The frame hands the page the objects it edits (SetObjects, as IDispatch) and a site that it
// tells when the page becomes modified. Besides the page's modified flag, the page keeps a
// changed status per control id, which the frame's Apply clears together with the flag. A
// change of one of the page's own controls (an edit's text, a button's click, a combo box's or
// list box's new selection: see AfxChangeNotification.h) marks the page modified and records
// the control as changed; Apply then reads the controls back (UpdateData) for the page to
// write what they hold. The changes that the page makes itself do not count: none while it
// fills its controls (UpdateData), and none that the creation of its window causes (until the
// messages posted during the creation have been handled, SetControlStatus records nothing).
//
// The object lives as long as COM references to it do; the window lives from Activate to
// Deactivate (or the last reference).
#pragma once
#include "CDialog.h"
#include "CString.h"

#include <ocidl.h>
#include <wrl/client.h>

#include <map>
#include <vector>

class AFX_CORE_API COlePropertyPage : public CDialog
{
    DECLARE_DYNAMIC(COlePropertyPage)
public:
    // The frame's tab shows string nIDCaption.
    COlePropertyPage(UINT nIDTemplate, UINT nIDCaption);
    ~COlePropertyPage() override;

    // The objects the page edits, as the frame gave them; null when none.
    LPDISPATCH* GetObjectArray(ULONG* pnObjects);

    // Marks the page modified (and tells the frame's site) or unmodified.
    void SetModifiedFlag(BOOL bModified = TRUE);
    BOOL IsModified() const;

    // Sets the changed status of control nID. Zero, recording nothing, while the page's window is
    // being created (up to the messages posted during the creation) and for a control without
    // an id of its own (0 and the static controls' 0xFFFF).
    BOOL SetControlStatus(UINT nID, BOOL bDirty);
    BOOL GetControlStatus(UINT nID) const;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

protected:
    void* GetInterface(REFIID iid) override;
    void OnFinalRelease() override;
    // A child of the frame: Enter and Escape belong to the frame, not to the page.
    void OnOK() override;
    void OnCancel() override;

    LRESULT OnCreationHandled(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void ReleaseObjects();
    // The page's size in pixels as its template's font makes it; zero without a template.
    SIZE GetTemplateSize() const;

    class XPropertyPage : public IPropertyPage2
    {
    public:
        explicit XPropertyPage(COlePropertyPage* p) : m_pThis(p) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;
        HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* pPageSite) override;
        HRESULT STDMETHODCALLTYPE Activate(HWND hWndParent, LPCRECT pRect, BOOL bModal) override;
        HRESULT STDMETHODCALLTYPE Deactivate() override;
        HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* pPageInfo) override;
        HRESULT STDMETHODCALLTYPE SetObjects(ULONG cObjects, IUnknown** ppUnk) override;
        HRESULT STDMETHODCALLTYPE Show(UINT nCmdShow) override;
        HRESULT STDMETHODCALLTYPE Move(LPCRECT pRect) override;
        HRESULT STDMETHODCALLTYPE IsPageDirty() override;
        HRESULT STDMETHODCALLTYPE Apply() override;
        HRESULT STDMETHODCALLTYPE Help(LPCOLESTR pszHelpDir) override;
        HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* pMsg) override;
        HRESULT STDMETHODCALLTYPE EditProperty(DISPID dispid) override;

    private:
        COlePropertyPage* m_pThis;
    };

    XPropertyPage m_xPropertyPage;
    Microsoft::WRL::ComPtr<IPropertyPageSite> m_pPageSite;
    // Plain pointers, each holding a reference (ReleaseObjects gives them back): GetObjectArray
    // hands the array itself to the page, as the platform framework does.
    std::vector<LPDISPATCH> m_objects;
    std::map<UINT, BOOL> m_controlStatus;
    CString m_strCaption;
    BOOL m_bModified;
    BOOL m_bCreating;
};
