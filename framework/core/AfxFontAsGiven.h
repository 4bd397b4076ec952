// What an OLE font object was last given. The system's font object reports the size, face and
// character set of the font it realised instead (a substituted face, its character set, a
// rounded size); saving those would change the user's choice on every save and load.
#pragma once
#include "Afx.h"
#include "CString.h"

#include <ocidl.h>
#include <olectl.h>

// The largest size a font can have, in points times 10000; a larger one in a property set means
// the set is damaged.
constexpr LONGLONG AFX_MAX_FONT_SIZE = 16384LL * 10000;

// The size, face name and character set pFont was last given, for a font reached without the
// holder that remembers them (a page reaches a control's fonts through automation alone); false
// when the font cannot say. The font object itself is left as it was.
AFX_CORE_API BOOL AfxReadFontAsGiven(IFont* pFont, CY& cySize, CString& strName, short& sCharset);
