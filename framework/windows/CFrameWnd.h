// A top-level frame window. A frame lives on the heap for its window's sake: it deletes itself
// after its window's last message.
#pragma once
#include "CWnd.h"

class AFX_CORE_API CFrameWnd : public CWnd
{
    DECLARE_DYNAMIC(CFrameWnd)
public:
    // The system's default position and size (CW_USEDEFAULT).
    static const CRect rectDefault;

    // lpszMenuName names a menu resource of the application, or is null for none.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
                        DWORD dwExStyle = 0, void* pContext = nullptr);

protected:
    void PostNcDestroy() override;
};
