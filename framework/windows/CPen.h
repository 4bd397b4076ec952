// A GDI pen owned by its object.
#pragma once
#include "CGdiObject.h"

class AFX_CORE_API CPen : public CGdiObject
{
    DECLARE_DYNAMIC(CPen)
public:
    CPen() = default;
    // Check GetSafeHandle, as the system may refuse the pen.
    CPen(int nPenStyle, int nWidth, COLORREF crColor);

    static CPen* FromHandle(HPEN hPen);

    operator HPEN() const { return static_cast<HPEN>(m_hObject); }

    // Zero when a pen is already held or the system refuses it.
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
};
