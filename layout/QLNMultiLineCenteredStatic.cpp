#include "QLNMultiLineCenteredStatic.h"

#include "CPaintDC.h"

#include <new>

namespace {

// Space kept free on every side of the text, in pixels.
const int g_knMargin = 10;

} // namespace

const wchar_t CQLNMultiLineCenteredStatic::m_kszClassName[] = L"QLNMultiLineCenteredStatic";

BEGIN_MESSAGE_MAP(CQLNMultiLineCenteredStatic, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

LRESULT CALLBACK CQLNMultiLineCenteredStatic::WndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr) {
        CQLNMultiLineCenteredStatic* pStatic = new (std::nothrow) CQLNMultiLineCenteredStatic;
        if (pStatic == nullptr || !pStatic->Attach(hWnd)) {
            delete pStatic;
            return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
        }
        pWnd = pStatic;
    }
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

void CQLNMultiLineCenteredStatic::PostNcDestroy()
{
    delete this;
}

void CQLNMultiLineCenteredStatic::OnPaint()
{
    CPaintDC dc(this);
    if (dc.GetSafeHdc() == nullptr)
        return;
    CString strText;
    GetWindowText(strText);

    CRect rcClient;
    GetClientRect(rcClient);

    CWnd* pParent = GetParent();
    const HGDIOBJ hFont =
        pParent != nullptr ? reinterpret_cast<HGDIOBJ>(pParent->SendMessage(WM_GETFONT)) : nullptr;
    CGdiObject* pOldFont = dc.SelectObject(CGdiObject::FromHandle(hFont));
    dc.SetBkMode(TRANSPARENT);
    DrawLabelText(dc, rcClient, strText);
    dc.SelectObject(pOldFont);
}

void CQLNMultiLineCenteredStatic::DrawLabelText(CDC& dc, const CRect& rcBounds, const CString& strText, UINT nAlign)
{
    DrawBlock(dc, rcBounds, strText, nAlign, CentredBlock::AtLeftMargin);
}

void CQLNMultiLineCenteredStatic::DrawAlignedText(CDC& dc, const CRect& rcBounds, const CString& strText, UINT nAlign)
{
    DrawBlock(dc, rcBounds, strText, nAlign, CentredBlock::Centred);
}

void CQLNMultiLineCenteredStatic::DrawBlock(CDC& dc, const CRect& rcBounds, const CString& strText, UINT nAlign,
                                            CentredBlock place)
{
    if (nAlign != DT_LEFT && nAlign != DT_RIGHT)
        nAlign = DT_CENTER;
    CRect rcArea(rcBounds);
    rcArea.InflateRect(-g_knMargin, -g_knMargin);
    CRect rcText(rcArea);

    // DT_CALCRECT keeps the left and top and gives the block's widest line and last line.
    dc.DrawText(strText, rcText, DT_CALCRECT | DT_WORDBREAK | DT_VCENTER | nAlign);
    if (rcText.Height() <= rcArea.Height())
        rcText.OffsetRect(0, (rcArea.Height() - rcText.Height()) / 2);
    else
        rcText = rcArea;
    // Right-aligned lines end at the right margin: the block moves over, as wide as it is.
    if (nAlign == DT_RIGHT)
        rcText.OffsetRect(rcArea.right - rcText.right, 0);
    else if (nAlign == DT_CENTER && place == CentredBlock::Centred && rcText.Width() < rcArea.Width())
        rcText.OffsetRect((rcArea.Width() - rcText.Width()) / 2, 0);

    dc.DrawText(strText, rcText, DT_WORDBREAK | DT_VCENTER | nAlign);
}

BOOL QLNRegisterMultiLineCenteredStatic(HINSTANCE hInstance)
{
    WNDCLASSW wc = {};
    wc.style = CS_GLOBALCLASS;
    wc.lpfnWndProc = &CQLNMultiLineCenteredStatic::WndProc;
    wc.hInstance = hInstance;
    // A class brush is a system colour index plus one: 1 is COLOR_SCROLLBAR.
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
    wc.lpszClassName = CQLNMultiLineCenteredStatic::m_kszClassName;
    return ::RegisterClassW(&wc) != 0;
}

void QLNUnregisterMultiLineCenteredStatic(HINSTANCE hInstance)
{
    ::UnregisterClassW(CQLNMultiLineCenteredStatic::m_kszClassName, hInstance);
}
