#include "CFrameWnd.h"

IMPLEMENT_DYNAMIC(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, void*)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName != nullptr) {
        hMenu = ::LoadMenuW(::GetModuleHandleW(nullptr), lpszMenuName);
        if (hMenu == nullptr)
            return FALSE;
    }
    // The default rectangle is not a rectangle: it asks the system to place and size the window.
    const CRect rc(rect);
    const BOOL bDefault = rc == rectDefault;
    m_bCreating = TRUE;
    const BOOL bCreated = CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle,
                                   bDefault ? CW_USEDEFAULT : rc.left, bDefault ? CW_USEDEFAULT : rc.top,
                                   bDefault ? CW_USEDEFAULT : rc.Width(), bDefault ? CW_USEDEFAULT : rc.Height(),
                                   pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, hMenu);
    m_bCreating = FALSE;
    if (!bCreated && hMenu != nullptr)
        ::DestroyMenu(hMenu);
    return bCreated;
}

void CFrameWnd::PostNcDestroy()
{
    // A window refused during creation (WM_NCCREATE or WM_CREATE failed) still ends with
    // WM_NCDESTROY; the creator learns of the failure from Create and deletes the frame itself.
    if (!m_bCreating)
        delete this;
}
