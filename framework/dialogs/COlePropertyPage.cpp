#include "COlePropertyPage.h"

#include "AFX_MAINTAIN_STATE.h"
#include "AfxChangeNotification.h"
#include "AfxGuardEntry.h"

#include <cstring>
#include <cwchar>

IMPLEMENT_DYNAMIC(COlePropertyPage, CDialog)

namespace {

// The framework's private messages sit just below the range of reflected messages.
const UINT WM_AFX_CREATION_HANDLED = WM_REFLECT_BASE - 1;

// Steps over a name-or-ordinal field of a dialog template: none, an ordinal, or a string.
const WORD* SkipTemplateField(const WORD* p)
{
    if (*p == 0)
        return p + 1;
    if (*p == 0xFFFF)
        return p + 2;
    return p + std::wcslen(reinterpret_cast<const wchar_t*>(p)) + 1;
}

// The dialog base units of a template's font: the average width of the letters and the height
// of a line, as the dialog manager takes them to convert dialog units into pixels.
SIZE DialogBaseUnits(int nPointSize, int nWeight, BOOL bItalic, BYTE nCharSet, const wchar_t* pszFace)
{
    SIZE units = {LOWORD(::GetDialogBaseUnits()), HIWORD(::GetDialogBaseUnits())};
    const HDC hDC = ::GetDC(nullptr);
    if (hDC == nullptr)
        return units;
    LOGFONTW lf = {};
    lf.lfHeight = -::MulDiv(nPointSize, ::GetDeviceCaps(hDC, LOGPIXELSY), 72);
    lf.lfWeight = nWeight;
    lf.lfItalic = bItalic ? TRUE : FALSE;
    lf.lfCharSet = nCharSet;
    ::lstrcpynW(lf.lfFaceName, pszFace, LF_FACESIZE);
    const HFONT hFont = ::CreateFontIndirectW(&lf);
    if (hFont != nullptr) {
        const HGDIOBJ hOldFont = ::SelectObject(hDC, hFont);
        static const wchar_t szLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        SIZE extent = {};
        TEXTMETRICW tm = {};
        if (::GetTextExtentPoint32W(hDC, szLetters, 52, &extent) && ::GetTextMetricsW(hDC, &tm)) {
            units.cx = (extent.cx / 26 + 1) / 2;
            units.cy = tm.tmHeight;
        }
        ::SelectObject(hDC, hOldFont);
        ::DeleteObject(hFont);
    }
    ::ReleaseDC(nullptr, hDC);
    return units;
}

} // namespace

BEGIN_MESSAGE_MAP(COlePropertyPage, CDialog)
    ON_MESSAGE(WM_AFX_CREATION_HANDLED, OnCreationHandled)
END_MESSAGE_MAP()

COlePropertyPage::COlePropertyPage(UINT nIDTemplate, UINT nIDCaption)
    : CDialog(nIDTemplate), m_xPropertyPage(this), m_bModified(FALSE), m_bCreating(FALSE)
{
    if (nIDCaption != 0)
        m_strCaption.LoadString(nIDCaption);
}

COlePropertyPage::~COlePropertyPage()
{
    ReleaseObjects();
}

void* COlePropertyPage::GetInterface(REFIID iid)
{
    if (iid == IID_IPropertyPage || iid == IID_IPropertyPage2)
        return static_cast<IPropertyPage2*>(&m_xPropertyPage);
    return CDialog::GetInterface(iid);
}

void COlePropertyPage::OnFinalRelease()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    CDialog::OnFinalRelease();
}

void COlePropertyPage::ReleaseObjects()
{
    for (LPDISPATCH pDispatch : m_objects)
        pDispatch->Release();
    m_objects.clear();
}

LPDISPATCH* COlePropertyPage::GetObjectArray(ULONG* pnObjects)
{
    if (pnObjects != nullptr)
        *pnObjects = static_cast<ULONG>(m_objects.size());
    return m_objects.empty() ? nullptr : m_objects.data();
}

void COlePropertyPage::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
    if (bModified && m_pPageSite != nullptr)
        m_pPageSite->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
}

BOOL COlePropertyPage::IsModified() const
{
    return m_bModified;
}

BOOL COlePropertyPage::SetControlStatus(UINT nID, BOOL bDirty)
{
    if (m_hWnd == nullptr || m_bCreating || nID == 0 || nID == 0xFFFF)
        return FALSE;
    m_controlStatus[nID] = bDirty;
    return TRUE;
}

BOOL COlePropertyPage::GetControlStatus(UINT nID) const
{
    const auto it = m_controlStatus.find(nID);
    return it != m_controlStatus.end() && it->second;
}

BOOL COlePropertyPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The command's own handling first, as a handler may change more than its control.
    const BOOL bResult = CDialog::OnCommand(wParam, lParam);
    const HWND hWndSender = reinterpret_cast<HWND>(lParam);
    if (hWndSender != nullptr && !IsFillingControls() && AfxIsChangeNotification(hWndSender, HIWORD(wParam)) &&
        SetControlStatus(LOWORD(wParam), TRUE))
        SetModifiedFlag(TRUE);
    return bResult;
}

void COlePropertyPage::OnOK()
{
}

void COlePropertyPage::OnCancel()
{
}

LRESULT COlePropertyPage::OnCreationHandled(WPARAM, LPARAM)
{
    m_bCreating = FALSE;
    return 0;
}

SIZE COlePropertyPage::GetTemplateSize() const
{
    SIZE size = {0, 0};
    const LPCDLGTEMPLATEW pTemplate = LoadTemplate(m_nIDTemplate, nullptr);
    if (pTemplate == nullptr)
        return size;
    // The extended template starts with its version 1 and the signature 0xFFFF; its style,
    // count and geometry sit after a help id and the extended style.
    const WORD* p = reinterpret_cast<const WORD*>(pTemplate);
    const bool bExtended = p[0] == 1 && p[1] == 0xFFFF;
    DWORD dwStyle = 0;
    int cx = 0;
    int cy = 0;
    if (bExtended) {
        dwStyle = MAKELONG(p[6], p[7]);
        cx = static_cast<short>(p[11]);
        cy = static_cast<short>(p[12]);
        p += 13;
    } else {
        dwStyle = pTemplate->style;
        cx = pTemplate->cx;
        cy = pTemplate->cy;
        p += 9;
    }
    p = SkipTemplateField(p);   // menu
    p = SkipTemplateField(p);   // window class
    p = SkipTemplateField(p);   // caption
    SIZE units = {LOWORD(::GetDialogBaseUnits()), HIWORD(::GetDialogBaseUnits())};
    if (dwStyle & DS_SETFONT) {
        const int nPointSize = p[0];
        int nWeight = FW_NORMAL;
        BOOL bItalic = FALSE;
        BYTE nCharSet = DEFAULT_CHARSET;
        ++p;
        if (bExtended) {
            nWeight = p[0];
            bItalic = LOBYTE(p[1]);
            nCharSet = HIBYTE(p[1]);
            p += 2;
        }
        units = DialogBaseUnits(nPointSize, nWeight, bItalic, nCharSet, reinterpret_cast<const wchar_t*>(p));
    }
    size.cx = ::MulDiv(cx, units.cx, 4);
    size.cy = ::MulDiv(cy, units.cy, 8);
    return size;
}

// --- IPropertyPage2 -------------------------------------------------------------------------

HRESULT COlePropertyPage::XPropertyPage::QueryInterface(REFIID iid, void** ppv)
{
    return m_pThis->ExternalQueryInterface(iid, ppv);
}

ULONG COlePropertyPage::XPropertyPage::AddRef()
{
    return m_pThis->ExternalAddRef();
}

ULONG COlePropertyPage::XPropertyPage::Release()
{
    return m_pThis->ExternalRelease();
}

HRESULT COlePropertyPage::XPropertyPage::SetPageSite(IPropertyPageSite* pPageSite)
{
    m_pThis->m_pPageSite = pPageSite;
    return S_OK;
}

HRESULT COlePropertyPage::XPropertyPage::Activate(HWND hWndParent, LPCRECT pRect, BOOL)
{
    AFX_MANAGE_STATE(m_pThis->m_pModuleState);
    return AfxGuardEntry([&]() -> HRESULT {
        if (pRect == nullptr)
            return E_POINTER;
        if (m_pThis->m_hWnd != nullptr)
            return E_UNEXPECTED;
        m_pThis->m_bCreating = TRUE;
        if (!m_pThis->Create(m_pThis->m_nIDTemplate, CWnd::FromHandle(hWndParent)))
            return E_FAIL;
        ::SetWindowPos(m_pThis->m_hWnd, nullptr, pRect->left, pRect->top, pRect->right - pRect->left,
                       pRect->bottom - pRect->top, SWP_NOZORDER | SWP_NOACTIVATE);
        // Handled after everything that the creation of the page and its children posted.
        m_pThis->PostMessage(WM_AFX_CREATION_HANDLED);
        return S_OK;
    });
}

HRESULT COlePropertyPage::XPropertyPage::Deactivate()
{
    AFX_MANAGE_STATE(m_pThis->m_pModuleState);
    return AfxGuardEntry([&]() -> HRESULT {
        if (m_pThis->m_hWnd == nullptr)
            return E_UNEXPECTED;
        m_pThis->DestroyWindow();
        return S_OK;
    });
}

HRESULT COlePropertyPage::XPropertyPage::GetPageInfo(PROPPAGEINFO* pPageInfo)
{
    AFX_MANAGE_STATE(m_pThis->m_pModuleState);
    return AfxGuardEntry([&]() -> HRESULT {
        if (pPageInfo == nullptr)
            return E_POINTER;
        const SIZE size = m_pThis->GetTemplateSize();
        if (size.cx == 0 && size.cy == 0)
            return E_FAIL;
        const size_t cbTitle = (static_cast<size_t>(m_pThis->m_strCaption.GetLength()) + 1) * sizeof(wchar_t);
        const LPOLESTR pszTitle = static_cast<LPOLESTR>(::CoTaskMemAlloc(cbTitle));
        if (pszTitle == nullptr)
            return E_OUTOFMEMORY;
        std::memcpy(pszTitle, m_pThis->m_strCaption.GetString(), cbTitle);
        pPageInfo->cb = sizeof(PROPPAGEINFO);
        pPageInfo->pszTitle = pszTitle;
        pPageInfo->size = size;
        pPageInfo->pszDocString = nullptr;
        pPageInfo->pszHelpFile = nullptr;
        pPageInfo->dwHelpContext = 0;
        return S_OK;
    });
}

HRESULT COlePropertyPage::XPropertyPage::SetObjects(ULONG cObjects, IUnknown** ppUnk)
{
    return AfxGuardEntry([&]() -> HRESULT {
        if (cObjects != 0 && ppUnk == nullptr)
            return E_POINTER;
        std::vector<Microsoft::WRL::ComPtr<IDispatch>> objects(cObjects);
        for (ULONG i = 0; i < cObjects; ++i) {
            const HRESULT hr = ppUnk[i] != nullptr ? ppUnk[i]->QueryInterface(IID_PPV_ARGS(&objects[i])) : E_POINTER;
            if (FAILED(hr))
                return hr;
        }
        m_pThis->m_objects.reserve(cObjects);
        m_pThis->ReleaseObjects();
        for (auto& object : objects)
            m_pThis->m_objects.push_back(object.Detach());
        return S_OK;
    });
}

HRESULT COlePropertyPage::XPropertyPage::Show(UINT nCmdShow)
{
    return AfxGuardEntry([&]() -> HRESULT {
        if (m_pThis->m_hWnd == nullptr)
            return E_UNEXPECTED;
        m_pThis->ShowWindow(static_cast<int>(nCmdShow));
        return S_OK;
    });
}

HRESULT COlePropertyPage::XPropertyPage::Move(LPCRECT pRect)
{
    return AfxGuardEntry([&]() -> HRESULT {
        if (pRect == nullptr)
            return E_POINTER;
        if (m_pThis->m_hWnd == nullptr)
            return E_UNEXPECTED;
        m_pThis->MoveWindow(pRect);
        return S_OK;
    });
}

HRESULT COlePropertyPage::XPropertyPage::IsPageDirty()
{
    return m_pThis->m_bModified ? S_OK : S_FALSE;
}

HRESULT COlePropertyPage::XPropertyPage::Apply()
{
    AFX_MANAGE_STATE(m_pThis->m_pModuleState);
    return AfxGuardEntry([&]() -> HRESULT {
        if (!m_pThis->m_bModified)
            return S_OK;
        if (m_pThis->m_hWnd != nullptr && !m_pThis->UpdateData(TRUE))
            return E_FAIL;
        m_pThis->SetModifiedFlag(FALSE);
        for (auto& status : m_pThis->m_controlStatus)
            status.second = FALSE;
        return S_OK;
    });
}

HRESULT COlePropertyPage::XPropertyPage::Help(LPCOLESTR)
{
    return E_NOTIMPL;
}

HRESULT COlePropertyPage::XPropertyPage::TranslateAccelerator(MSG* pMsg)
{
    AFX_MANAGE_STATE(m_pThis->m_pModuleState);
    return AfxGuardEntry([&]() -> HRESULT {
        if (pMsg == nullptr)
            return E_POINTER;
        const HWND hWnd = m_pThis->m_hWnd;
        if (hWnd == nullptr || (pMsg->hwnd != hWnd && !::IsChild(hWnd, pMsg->hwnd)))
            return S_FALSE;
        return CWnd::WalkPreTranslateTree(hWnd, pMsg) ? S_OK : S_FALSE;
    });
}

HRESULT COlePropertyPage::XPropertyPage::EditProperty(DISPID)
{
    return E_NOTIMPL;
}
