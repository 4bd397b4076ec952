// The DC of one WM_PAINT: BeginPaint on construction, EndPaint on destruction.
#pragma once
#include "CDC.h"

class CWnd;

class AFX_CORE_API CPaintDC : public CDC
{
    DECLARE_DYNAMIC(CPaintDC)
public:
    // A null window or one that cannot paint leaves the object without a DC (GetSafeHdc null).
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;

    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};
