#include "CWnd.h"

#include "AFX_MAINTAIN_STATE.h"
#include "CHandleMap.h"

#include <new>
#include <set>
#include <string>

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

namespace {

CObject* ConstructTemporary(void* h)
{
    CWnd* pWnd = new (std::nothrow) CWnd;
    if (pWnd != nullptr)
        pWnd->m_hWnd = static_cast<HWND>(h);
    return pWnd;
}

void DestructTemporary(CObject* pObject)
{
    CWnd* pWnd = static_cast<CWnd*>(pObject);
    // A temporary wrapper is not in the permanent map and must not destroy its window.
    pWnd->m_hWnd = nullptr;
    delete pWnd;
}

CHandleMap& WindowMap()
{
    static CHandleMap map(&ConstructTemporary, &DestructTemporary);
    return map;
}

// The message being handled, for Default. Kept outside the objects: a handler may destroy its
// window, and with it an object that deletes itself, before the dispatch unwinds.
MSG g_currentMsg = {};

// The instance under which AfxRegisterWndClass registers and CreateEx creates: a class local to
// a module is found only under that module's instance.
HMODULE FrameworkModule()
{
    HMODULE hModule = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&AfxWndProc), &hModule);
    return hModule;
}

} // namespace

// Attaches a window object to its window while CreateWindowExW is still running, so that the
// object sees the first messages (WM_NCCREATE, WM_CREATE). A thread-local CBT hook sees the
// window before any message is sent to it.
class CWndCreationHook
{
public:
    CWndCreationHook(CWnd* pWnd, LPCTSTR lpszClassName)
        : m_pOuter(s_pCurrent), m_pWnd(pWnd), m_lpszClassName(lpszClassName),
          m_hHook(::SetWindowsHookExW(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId()))
    {
        s_pCurrent = this;
    }
    ~CWndCreationHook()
    {
        s_pCurrent = m_pOuter;
        if (m_hHook != nullptr)
            ::UnhookWindowsHookEx(m_hHook);
    }
    BOOL IsInstalled() const { return m_hHook != nullptr; }

    CWndCreationHook(const CWndCreationHook&) = delete;
    CWndCreationHook& operator=(const CWndCreationHook&) = delete;

private:
    static LRESULT CALLBACK CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        CWndCreationHook* pHook = s_pCurrent;
        if (nCode == HCBT_CREATEWND && pHook != nullptr && pHook->m_pWnd != nullptr &&
            pHook->IsOurWindow(reinterpret_cast<HWND>(wParam))) {
            CWnd* pWnd = pHook->m_pWnd;
            pHook->m_pWnd = nullptr;
            const HWND hWnd = reinterpret_cast<HWND>(wParam);
            if (pWnd->Attach(hWnd)) {
                const WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
                    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
                pWnd->m_pfnSuper = pfnOld != &AfxWndProc ? pfnOld : nullptr;
            }
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    // The system may create windows of its own (an input method window) on the way to ours:
    // ours is the one of the class asked for.
    BOOL IsOurWindow(HWND hWnd) const
    {
        wchar_t szClass[256] = {};
        if (::GetClassNameW(hWnd, szClass, 256) == 0)
            return FALSE;
        if (IS_INTRESOURCE(m_lpszClassName))
            return ::lstrcmpiW(szClass, L"IME") != 0;
        return ::lstrcmpiW(szClass, m_lpszClassName) == 0;
    }

    static CWndCreationHook* s_pCurrent;
    CWndCreationHook* m_pOuter;
    CWnd* m_pWnd;
    LPCTSTR m_lpszClassName;
    HHOOK m_hHook;
};

CWndCreationHook* CWndCreationHook::s_pCurrent = nullptr;

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_bContinueModal(FALSE), m_nModalResult(-1)
{
}

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && WindowMap().LookupPermanent(m_hWnd) == this) {
        if (::IsWindow(m_hWnd))
            DestroyWindow();
        else
            Detach();
    }
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return static_cast<CWnd*>(WindowMap().FromHandle(hWnd));
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != nullptr ? static_cast<CWnd*>(WindowMap().LookupPermanent(hWnd)) : nullptr;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr)
        return FALSE;
    if (!WindowMap().SetPermanent(hWndNew, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    const HWND hWnd = m_hWnd;
    if (hWnd != nullptr && WindowMap().LookupPermanent(hWnd) == this)
        WindowMap().RemoveHandle(hWnd);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    const WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    m_pfnSuper = pfnOld != &AfxWndProc ? pfnOld : nullptr;
    return TRUE;
}

void CWnd::PreSubclassWindow()
{
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == nullptr || pParent->m_hWnd == nullptr)
        return FALSE;
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr &&
        ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    return Detach();
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    if (m_hWnd != nullptr || lpszClassName == nullptr)
        return FALSE;
    HWND hWnd = nullptr;
    {
        CWndCreationHook hook(this, lpszClassName);
        if (!hook.IsInstalled())
            return FALSE;
        hWnd = ::CreateWindowExW(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth,
                                 nHeight, hWndParent, nIDorHMenu, FrameworkModule(), lpParam);
    }
    // A window that failed during creation has already been detached at its WM_NCDESTROY.
    return hWnd != nullptr && m_hWnd == hWnd;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    const CRect rc(rect);
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rc.left, rc.top, rc.Width(),
                    rc.Height(), pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID)
{
    if (pParentWnd == nullptr || pParentWnd->m_hWnd == nullptr)
        return FALSE;
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow()
{
    const HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return FALSE;
    const BOOL bPermanent = FromHandlePermanent(hWnd) == this;
    const BOOL bResult = ::DestroyWindow(hWnd);
    // A window whose messages never reached the object (attached, not subclassed) is detached
    // here; otherwise the object was detached at WM_NCDESTROY and may no longer exist.
    if (bPermanent && FromHandlePermanent(hWnd) == this)
        Detach();
    return bResult;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd != nullptr ? ::SendMessageW(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hWnd != nullptr && ::PostMessageW(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    if (m_hWnd != nullptr)
        ::SetWindowTextW(m_hWnd, lpszString);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    if (m_hWnd == nullptr || lpszStringBuf == nullptr || nMaxCount <= 0)
        return 0;
    return ::GetWindowTextW(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    const int nLength = GetWindowTextLength();
    wchar_t* pBuffer = rString.GetBufferSetLength(nLength);
    const int nCopied = m_hWnd != nullptr ? ::GetWindowTextW(m_hWnd, pBuffer, nLength + 1) : 0;
    rString.ReleaseBuffer(nCopied);
}

int CWnd::GetWindowTextLength() const
{
    return m_hWnd != nullptr ? ::GetWindowTextLengthW(m_hWnd) : 0;
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    if (m_hWnd != nullptr && lpRect != nullptr)
        ::GetClientRect(m_hWnd, lpRect);
}

void CWnd::GetWindowRect(LPRECT lpRect) const
{
    if (m_hWnd != nullptr && lpRect != nullptr)
        ::GetWindowRect(m_hWnd, lpRect);
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const
{
    if (m_hWnd != nullptr && lpPoint != nullptr)
        ::ClientToScreen(m_hWnd, lpPoint);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    if (m_hWnd != nullptr && lpRect != nullptr)
        ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPPOINT lpPoint) const
{
    if (m_hWnd != nullptr && lpPoint != nullptr)
        ::ScreenToClient(m_hWnd, lpPoint);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    if (m_hWnd != nullptr && lpRect != nullptr)
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    if (m_hWnd != nullptr)
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    if (lpRect == nullptr)
        return;
    const CRect rc(lpRect);
    MoveWindow(rc.left, rc.top, rc.Width(), rc.Height(), bRepaint);
}

BOOL CWnd::IsWindow() const
{
    return m_hWnd != nullptr && ::IsWindow(m_hWnd);
}

DWORD CWnd::GetStyle() const
{
    return m_hWnd != nullptr ? static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)) : 0;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    if (m_hWnd == nullptr)
        return FALSE;
    const DWORD dwStyle = GetStyle();
    const DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(dwNewStyle));
    if (nFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return m_hWnd != nullptr && ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_hWnd != nullptr && ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return m_hWnd != nullptr && ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
    return m_hWnd != nullptr && ::IsWindowVisible(m_hWnd);
}

CWnd* CWnd::SetFocus()
{
    return m_hWnd != nullptr ? FromHandle(::SetFocus(m_hWnd)) : nullptr;
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

CWnd* CWnd::GetParent() const
{
    return m_hWnd != nullptr ? FromHandle(::GetParent(m_hWnd)) : nullptr;
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return m_hWnd != nullptr ? FromHandle(::GetDlgItem(m_hWnd, nID)) : nullptr;
}

int CWnd::GetDlgCtrlID() const
{
    return m_hWnd != nullptr ? ::GetDlgCtrlID(m_hWnd) : 0;
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    return m_hWnd != nullptr ? FromHandle(::GetWindow(m_hWnd, nCmd)) : nullptr;
}

void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase)
{
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::UpdateWindow()
{
    if (m_hWnd != nullptr)
        ::UpdateWindow(m_hWnd);
}

CDC* CWnd::GetDC()
{
    return m_hWnd != nullptr ? CDC::FromHandle(::GetDC(m_hWnd)) : nullptr;
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (m_hWnd == nullptr || pDC == nullptr)
        return 0;
    const HDC hDC = pDC->m_hDC;
    const int nResult = ::ReleaseDC(m_hWnd, hDC);
    CDC::DeleteTempObject(hDC);
    return nResult;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    if (m_hWnd != nullptr)
        ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont != nullptr ? pFont->m_hObject : nullptr),
                       bRedraw);
}

CFont* CWnd::GetFont() const
{
    return m_hWnd != nullptr ? CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)))
                             : nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    switch (message) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_NOTIFY:
        if (lParam != 0 && OnNotify(wParam, lParam, &lResult))
            return lResult;
        break;
    case WM_DRAWITEM: {
        const DRAWITEMSTRUCT* pDraw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (pDraw != nullptr && pDraw->CtlType != ODT_MENU &&
            ReflectToChild(pDraw->hwndItem, message, wParam, lParam, &lResult))
            return lResult;
        break;
    }
    case WM_MEASUREITEM: {
        // The only message of the kind that does not carry the control's window.
        const MEASUREITEMSTRUCT* pMeasure = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        if (pMeasure != nullptr && pMeasure->CtlType != ODT_MENU && m_hWnd != nullptr &&
            ReflectToChild(::GetDlgItem(m_hWnd, static_cast<int>(pMeasure->CtlID)), message, wParam, lParam, &lResult))
            return lResult;
        break;
    }
    case WM_COMPAREITEM: {
        const COMPAREITEMSTRUCT* pCompare = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam);
        if (pCompare != nullptr && ReflectToChild(pCompare->hwndItem, message, wParam, lParam, &lResult))
            return lResult;
        break;
    }
    case WM_DELETEITEM: {
        const DELETEITEMSTRUCT* pDelete = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam);
        if (pDelete != nullptr && ReflectToChild(pDelete->hwndItem, message, wParam, lParam, &lResult))
            return lResult;
        break;
    }
    default:
        break;
    }
    if (const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(message, 0, 0))
        return pEntry->pfnHandler(this, wParam, lParam);
    return DefWindowProc(message, wParam, lParam);
}

const AFX_MSGMAP_ENTRY* CWnd::FindMessageEntry(UINT message, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfnHandler != nullptr; ++pEntry)
            if (pEntry->nMessage == message && pEntry->nCode == nCode && pEntry->nID == nID)
                return pEntry;
    }
    return nullptr;
}

BOOL CWnd::ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    LRESULT lResult = 0;
    if (hWndCtrl != nullptr && ReflectToChild(hWndCtrl, WM_COMMAND, wParam, lParam, &lResult))
        return TRUE;
    // Menus and accelerators (code 1) are both plain commands.
    const UINT nCode = hWndCtrl != nullptr ? HIWORD(wParam) : 0;
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(WM_COMMAND, nCode, LOWORD(wParam));
    if (pEntry == nullptr)
        return FALSE;
    pEntry->pfnHandler(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader == nullptr || pResult == nullptr)
        return FALSE;
    if (ReflectToChild(pHeader->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(WM_NOTIFY, pHeader->code, static_cast<UINT>(pHeader->idFrom));
    if (pEntry == nullptr)
        return FALSE;
    *pResult = pEntry->pfnHandler(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    UINT nCode = 0;
    if (message == WM_COMMAND)
        nCode = HIWORD(wParam);
    else if (message == WM_NOTIFY)
        nCode = reinterpret_cast<const NMHDR*>(lParam)->code;
    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(WM_REFLECT_BASE + message, nCode, 0);
    if (pEntry == nullptr)
        return FALSE;
    const LRESULT lResult = pEntry->pfnHandler(this, wParam, lParam);
    if (pResult != nullptr)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

int CWnd::RunModalLoop()
{
    // The caller arms the loop (m_bContinueModal) before it creates the window, so that an
    // EndModalLoop during creation is not lost. The window may be destroyed from outside.
    const HWND hWnd = m_hWnd;
    MSG msg;
    while (::IsWindow(hWnd) && FromHandlePermanent(hWnd) == this && ContinueModal()) {
        const BOOL bGot = ::GetMessageW(&msg, nullptr, 0, 0);
        if (bGot == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_bContinueModal = FALSE;
            break;
        }
        if (bGot == -1)
            break;
        if (!WalkPreTranslateTree(hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    m_bContinueModal = FALSE;
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return m_bContinueModal;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_bContinueModal) {
        m_bContinueModal = FALSE;
        // Wakes the loop, which may be waiting in GetMessage.
        PostMessage(WM_NULL);
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == nullptr)
        return 0;
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_currentMsg.message, g_currentMsg.wParam, g_currentMsg.lParam);
}

void CWnd::PostNcDestroy()
{
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

int CWnd::OnCreate(LPCREATESTRUCT)
{
    return static_cast<int>(Default());
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnNcDestroy()
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnSetFocus(CWnd*)
{
    Default();
}

void CWnd::OnKillFocus(CWnd*)
{
    Default();
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint)
{
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}

void CWnd::OnContextMenu(CWnd*, CPoint)
{
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnVScroll(UINT, UINT, CWnd*)
{
    Default();
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (pWnd == nullptr)
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    AFX_MANAGE_STATE(pWnd->m_pModuleState);
    const MSG previousMsg = g_currentMsg;
    g_currentMsg.hwnd = hWnd;
    g_currentMsg.message = nMsg;
    g_currentMsg.wParam = wParam;
    g_currentMsg.lParam = lParam;
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's window procedure.
        lResult = 0;
    }
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        pWnd->UnsubclassWindow();
        pWnd->PostNcDestroy();
    }
    g_currentMsg = previousMsg;
    return lResult;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    // The names handed out stay valid for the process's life: the set never drops one.
    static std::set<std::wstring> registeredNames;
    const HMODULE hModule = FrameworkModule();
    wchar_t szName[96];
    ::wsprintfW(szName, L"Afx:%p:%x:%p:%p:%p", static_cast<void*>(hModule), nClassStyle,
                static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    const auto found = registeredNames.find(szName);
    if (found != registeredNames.end())
        return found->c_str();

    WNDCLASSW wc = {};
    if (!::GetClassInfoW(hModule, szName, &wc)) {
        wc.style = nClassStyle;
        // Windows of the class are created through CWnd, whose hook routes them to AfxWndProc
        // with this procedure as their default processing.
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.hInstance = hModule;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = szName;
        if (!::RegisterClassW(&wc))
            return nullptr;
    }
    try {
        return registeredNames.insert(szName).first->c_str();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
