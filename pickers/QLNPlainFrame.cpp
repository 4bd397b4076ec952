#include "QLNPlainFrame.h"

void QLNGivePlainFrame(HWND hWnd)
{
    if (hWnd == nullptr)
        return;
    // The system draws SS_SUNKEN as the static edge of the window's frame; both go.
    ::SetWindowLongPtrW(hWnd, GWL_STYLE, (::GetWindowLongPtrW(hWnd, GWL_STYLE) & ~static_cast<LONG_PTR>(SS_SUNKEN)) | WS_BORDER);
    ::SetWindowLongPtrW(hWnd, GWL_EXSTYLE, ::GetWindowLongPtrW(hWnd, GWL_EXSTYLE) & ~static_cast<LONG_PTR>(WS_EX_STATICEDGE));
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
