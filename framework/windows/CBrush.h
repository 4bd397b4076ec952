// A GDI brush owned by its object.
#pragma once
#include "CGdiObject.h"

class AFX_CORE_API CBrush : public CGdiObject
{
    DECLARE_DYNAMIC(CBrush)
public:
    CBrush() = default;
    // A solid brush of the colour; check GetSafeHandle, as the system may refuse it.
    explicit CBrush(COLORREF crColor);

    static CBrush* FromHandle(HBRUSH hBrush);

    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }

    // Zero when a brush is already held or the system refuses it.
    BOOL CreateSolidBrush(COLORREF crColor);
};
