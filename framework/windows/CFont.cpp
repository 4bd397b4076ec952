#include "CFont.h"

IMPLEMENT_DYNAMIC(CFont, CGdiObject)

CFont* CFont::FromHandle(HFONT hFont)
{
    return FromHandleOf<CFont>(hFont);
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* lpLogFont)
{
    if (lpLogFont == nullptr)
        return FALSE;
    return Attach(::CreateFontIndirectW(lpLogFont));
}
