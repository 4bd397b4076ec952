#include "CMetaFileDC.h"

IMPLEMENT_DYNAMIC(CMetaFileDC, CDC)

CMetaFileDC::~CMetaFileDC()
{
    // A metafile DC is closed, not deleted.
    if (m_hDC != nullptr)
        ::DeleteEnhMetaFile(CloseEnhanced());
}

BOOL CMetaFileDC::CreateEnhanced(CDC* pDCRef, LPCTSTR lpszFileName, LPCRECT lpBounds, LPCTSTR lpszDescription)
{
    if (m_hDC != nullptr)
        return FALSE;
    const HDC hDCRef = pDCRef != nullptr ? pDCRef->m_hDC : nullptr;
    const HDC hDC = ::CreateEnhMetaFileW(hDCRef, lpszFileName, lpBounds, lpszDescription);
    if (hDC == nullptr)
        return FALSE;
    if (!Attach(hDC)) {
        ::DeleteEnhMetaFile(::CloseEnhMetaFile(hDC));
        return FALSE;
    }
    if (pDCRef != nullptr && pDCRef->m_hAttribDC != nullptr)
        SetAttribDC(pDCRef->m_hAttribDC);
    return TRUE;
}

HENHMETAFILE CMetaFileDC::CloseEnhanced()
{
    if (m_hDC == nullptr)
        return nullptr;
    return ::CloseEnhMetaFile(Detach());
}
