#include "QLNFontFallbackDC.h"

#include "QLNFontFallback.h"

#include <cwchar>

CQLNFontFallbackDC::CQLNFontFallbackDC(const CDC& dc)
{
    // Not entered in the framework's map of DCs: the handles stay the other object's there.
    m_hDC = dc.m_hDC;
    m_hAttribDC = dc.m_hAttribDC;
}

CQLNFontFallbackDC::~CQLNFontFallbackDC()
{
    m_hDC = nullptr;
    m_hAttribDC = nullptr;
}

bool CQLNFontFallbackDC::IsNeededFor(HDC hDC)
{
    const DWORD nType = hDC != nullptr ? ::GetObjectType(hDC) : 0;
    return nType == OBJ_DC || nType == OBJ_MEMDC;
}

BOOL CQLNFontFallbackDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                                    LPINT lpDxWidths)
{
    if (m_hDC == nullptr)
        return FALSE;
    const UINT nLength = lpszString != nullptr ? static_cast<UINT>(::wcsnlen(lpszString, nCount)) : 0;
    return CQLNFontFallback::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nLength, lpDxWidths);
}
