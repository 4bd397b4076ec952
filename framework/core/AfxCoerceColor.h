// OLE colours arriving from outside: an automation client or a property bag.
//
// An OLE colour is 32 unsigned bits, but writers disagree on how to carry them: a script writes
// &H80000008 as a negative long, a bag written elsewhere may hold 2147483656, a script literal
// beyond the long range arrives as a double. All of them mean the same bits.
#pragma once
#include "Afx.h"

#include <ocidl.h>

// The 32 bits that pSrc holds as a signed or unsigned number (a fraction rounded as the system
// rounds) or as text (decimal in lcid's format, "0x" or "&H" hexadecimal).
// DISP_E_OVERFLOW beyond -2^31 .. 2^32-1, DISP_E_TYPEMISMATCH for anything else; clr is
// untouched on failure.
AFX_CORE_API HRESULT AfxCoerceColor(const VARIANT* pSrc, LCID lcid, OLE_COLOR& clr);
