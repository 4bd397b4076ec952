// Which notifications of a child control are a change the user made to what a page edits: the
// pair of the sender's window class and the notification code, looked up in a fixed table.
#pragma once
#include "Afx.h"

// Non-zero when the window class of hWndSender (read into 100 characters, compared with the
// table's names as whole names without regard to case) and nCode (compared exactly) are a row
// of the table: an edit's text change, a button's click or double click, a combo box's edited
// text or new selection, a list box's new selection, or a rich edit's text change.
AFX_CORE_API BOOL AfxIsChangeNotification(HWND hWndSender, UINT nCode);
