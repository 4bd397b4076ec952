#include "COleControl.h"

#include "CPaintDC.h"

IMPLEMENT_DYNAMIC(COleControl, CWnd)

BEGIN_MESSAGE_MAP(COleControl, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

COleControl::COleControl() = default;

COleControl::~COleControl() = default;

BOOL COleControl::CreateControlWindow(HWND hWndParent, const CRect& rcPos, LPCRECT)
{
    if (hWndParent == nullptr || m_hWnd != nullptr)
        return FALSE;
    LPCTSTR lpszClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    if (lpszClassName == nullptr)
        return FALSE;
    return CreateEx(0, lpszClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, rcPos.left, rcPos.top,
                    rcPos.Width(), rcPos.Height(), hWndParent, nullptr);
}

void COleControl::OnDraw(CDC*, const CRect&, const CRect&)
{
}

void COleControl::InvalidateControl(LPCRECT lpRect, BOOL bErase)
{
    InvalidateRect(lpRect, bErase);
}

void COleControl::Refresh()
{
    InvalidateControl();
    UpdateWindow();
}

COLORREF COleControl::TranslateColor(OLE_COLOR clrColor, HPALETTE hpal)
{
    COLORREF crColor = RGB(0, 0, 0);
    if (FAILED(::OleTranslateColor(clrColor, hpal, &crColor)))
        return RGB(0, 0, 0);
    return crColor;
}

void COleControl::OnPaint()
{
    CPaintDC dc(this);
    if (dc.GetSafeHdc() == nullptr)
        return;
    CRect rcClient;
    GetClientRect(rcClient);
    OnDraw(&dc, rcClient, rcClient);
}
