#include "AfxOwnedMessageBox.h"

#include <string>

namespace {

// The box being opened on this thread: its owner, until the box is first activated.
thread_local HWND t_hWndCentreOn = nullptr;
thread_local HHOOK t_hHook = nullptr;

void CentreOn(HWND hWnd, HWND hWndOwner)
{
    RECT rcBox = {}, rcOwner = {};
    if (!::GetWindowRect(hWnd, &rcBox) || !::GetWindowRect(hWndOwner, &rcOwner))
        return;
    const int cx = rcBox.right - rcBox.left;
    const int cy = rcBox.bottom - rcBox.top;
    int x = (rcOwner.left + rcOwner.right - cx) / 2;
    int y = (rcOwner.top + rcOwner.bottom - cy) / 2;
    // Never off the screen the owner is on.
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (::GetMonitorInfoW(::MonitorFromWindow(hWndOwner, MONITOR_DEFAULTTONEAREST), &monitor)) {
        const RECT& rcWork = monitor.rcWork;
        x = x + cx > rcWork.right ? rcWork.right - cx : x;
        y = y + cy > rcWork.bottom ? rcWork.bottom - cy : y;
        x = x < rcWork.left ? rcWork.left : x;
        y = y < rcWork.top ? rcWork.top : y;
    }
    ::SetWindowPos(hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    // The box is activated once it is laid out, before the user sees it in place.
    const HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (nCode == HCBT_ACTIVATE && t_hWndCentreOn != nullptr && ::GetWindow(hWnd, GW_OWNER) == t_hWndCentreOn) {
        CentreOn(hWnd, t_hWndCentreOn);
        t_hWndCentreOn = nullptr;
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

} // namespace

int AfxOwnedMessageBox(HWND hWndOwner, LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType, DWORD dwContextHelpId)
{
    const HWND hWndTop = hWndOwner != nullptr ? ::GetAncestor(hWndOwner, GA_ROOT) : nullptr;
    std::wstring caption;
    if (lpszCaption != nullptr) {
        caption = lpszCaption;
    } else if (hWndTop != nullptr) {
        caption.resize(static_cast<size_t>(::GetWindowTextLengthW(hWndTop)) + 1);
        caption.resize(static_cast<size_t>(::GetWindowTextW(hWndTop, &caption[0], static_cast<int>(caption.size()))));
    }
    MSGBOXPARAMSW params = {};
    params.cbSize = sizeof(params);
    params.hwndOwner = hWndOwner;
    params.lpszText = lpszText != nullptr ? lpszText : L"";
    params.lpszCaption = caption.empty() ? nullptr : caption.c_str();
    params.dwStyle = nType;
    params.dwContextHelpId = dwContextHelpId;

    // A box opened from within another box's loop centres itself; the outer hook serves both.
    const HWND hWndOuter = t_hWndCentreOn;
    const bool bOwnHook = t_hHook == nullptr;
    if (bOwnHook && hWndTop != nullptr)
        t_hHook = ::SetWindowsHookExW(WH_CBT, &CbtProc, nullptr, ::GetCurrentThreadId());
    t_hWndCentreOn = hWndTop;
    const int nResult = ::MessageBoxIndirectW(&params);
    t_hWndCentreOn = hWndOuter;
    if (bOwnHook && t_hHook != nullptr) {
        ::UnhookWindowsHookEx(t_hHook);
        t_hHook = nullptr;
    }
    return nResult;
}
