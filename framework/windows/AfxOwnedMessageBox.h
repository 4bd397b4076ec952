// A message box that belongs to a window: shown over it, centred on its top-level window (the
// system's own box opens at the centre of the screen, which may be half outside a dialog the
// user is working in), and captioned by default with that window's title, the name the user
// knows the object or program by.
#pragma once
#include "Afx.h"

// A null caption takes the owner's top-level window's title, or the system's own caption when
// that has none. With a help context, F1 or the box's Help button (MB_HELP) sends WM_HELP with
// that context to the owner.
AFX_CORE_API int AfxOwnedMessageBox(HWND hWndOwner, LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType,
                                    DWORD dwContextHelpId = 0);
