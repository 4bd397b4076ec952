// The system's STATIC control: labels, frames, pictures.
#pragma once
#include "CWnd.h"

class AFX_CORE_API CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
};
