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

int CFont::GetLogFont(LOGFONTW* pLogFont) const
{
    if (m_hObject == nullptr || pLogFont == nullptr)
        return 0;
    return ::GetObjectW(m_hObject, sizeof(LOGFONTW), pLogFont);
}
