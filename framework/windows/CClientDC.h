// The DC of a window's client area: GetDC on construction, ReleaseDC on destruction.
#pragma once
#include "CDC.h"

class CWnd;

class AFX_CORE_API CClientDC : public CDC
{
    DECLARE_DYNAMIC(CClientDC)
public:
    // A null window gives the screen's DC, as GetDC does.
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};
