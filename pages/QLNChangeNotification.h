// Which notifications of a page's controls mean that the user changed something: an edit's text,
// a button click, a combo box's edit or selection, a list box's selection.
#pragma once
#include "QLNBaseExport.h"

// Non-zero when the notification nCode from the control hWndSender is a change. The sender's
// window class is compared as a whole name without regard to case, the code exactly.
QLN_BASE_API BOOL QLNIsChangeNotification(HWND hWndSender, UINT nCode);
