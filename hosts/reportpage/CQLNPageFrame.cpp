#include "CQLNPageFrame.h"

HRESULT CQLNPageFrame::QueryInterface(REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IOleWindow || riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
        *ppv = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG CQLNPageFrame::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_nRefs));
}

ULONG CQLNPageFrame::Release()
{
    return static_cast<ULONG>(::InterlockedDecrement(&m_nRefs));
}

HRESULT CQLNPageFrame::GetWindow(HWND* phwnd)
{
    if (phwnd == nullptr)
        return E_POINTER;
    *phwnd = m_hWnd;
    return S_OK;
}

HRESULT CQLNPageFrame::ContextSensitiveHelp(BOOL)
{
    return E_NOTIMPL;
}

HRESULT CQLNPageFrame::GetBorder(LPRECT lprectBorder)
{
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT CQLNPageFrame::RequestBorderSpace(LPCBORDERWIDTHS)
{
    return INPLACE_E_NOTOOLSPACE;
}

HRESULT CQLNPageFrame::SetBorderSpace(LPCBORDERWIDTHS pborderwidths)
{
    // Null asks for no tools at all, which the page can always grant.
    return pborderwidths == nullptr ? S_OK : INPLACE_E_NOTOOLSPACE;
}

HRESULT CQLNPageFrame::SetActiveObject(IOleInPlaceActiveObject* pActiveObject, LPCOLESTR)
{
    m_active = pActiveObject;
    return S_OK;
}

HRESULT CQLNPageFrame::InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS lpMenuWidths)
{
    if (lpMenuWidths != nullptr)
        lpMenuWidths->width[0] = lpMenuWidths->width[2] = lpMenuWidths->width[4] = 0;
    return S_OK;
}

HRESULT CQLNPageFrame::SetMenu(HMENU, HOLEMENU, HWND)
{
    return S_OK;
}

HRESULT CQLNPageFrame::RemoveMenus(HMENU)
{
    return S_OK;
}

HRESULT CQLNPageFrame::SetStatusText(LPCOLESTR)
{
    return S_OK;
}

HRESULT CQLNPageFrame::EnableModeless(BOOL)
{
    return S_OK;
}

HRESULT CQLNPageFrame::TranslateAccelerator(LPMSG, WORD)
{
    return S_FALSE;
}
