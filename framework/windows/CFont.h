// A GDI font owned by its object.
#pragma once
#include "CGdiObject.h"

class AFX_CORE_API CFont : public CGdiObject
{
    DECLARE_DYNAMIC(CFont)
public:
    static CFont* FromHandle(HFONT hFont);

    operator HFONT() const { return static_cast<HFONT>(m_hObject); }

    // Creates the font (CreateFontIndirectW); zero when the description is null, a font is
    // already held or the system refuses it.
    BOOL CreateFontIndirect(const LOGFONTW* lpLogFont);
    // Reads the font's description; zero without a font.
    int GetLogFont(LOGFONTW* pLogFont) const;
};
