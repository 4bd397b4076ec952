// A top-level frame window. A frame lives on the heap for its window's sake: it deletes itself
// after its window's last message. A frame whose window fails during Create is not deleted,
// even when the window got as far as its last message: it stays its creator's to delete.
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

private:
    BOOL m_bCreating = FALSE;
};
