#include "QLNChangeNotification.h"

#include "AfxChangeNotification.h"

// The framework's pages count the same changes.
BOOL QLNIsChangeNotification(HWND hWndSender, UINT nCode)
{
    return AfxIsChangeNotification(hWndSender, nCode);
}
