// The frame of the page window as an object active in place sees it. The page keeps its own
// menu and has no tool space to lend, so menu merging and border space are declined politely;
// the active object is remembered so that the window can deactivate it.
#pragma once
#include <ole2.h>
#include <wrl/client.h>

class CQLNPageFrame : public IOleInPlaceFrame
{
public:
    explicit CQLNPageFrame(HWND hWnd) : m_hWnd(hWnd) {}
    virtual ~CQLNPageFrame() = default;
    CQLNPageFrame(const CQLNPageFrame&) = delete;
    CQLNPageFrame& operator=(const CQLNPageFrame&) = delete;

    IOleInPlaceActiveObject* ActiveObject() const { return m_active.Get(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* phwnd) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT lprectBorder) override;
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override;
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS pborderwidths) override;
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR) override;
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS lpMenuWidths) override;
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override;
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override;
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override;

private:
    // Lives as long as the page window; references are counted for the objects' sake only.
    LONG m_nRefs = 1;
    HWND m_hWnd;
    Microsoft::WRL::ComPtr<IOleInPlaceActiveObject> m_active;
};
