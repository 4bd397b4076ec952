#include "TestTextControl.h"

#include "CMetaFileDC.h"
#include "QLNFontHolderConversion.h"

namespace {

void InitFont(CFontHolder& holder, const wchar_t* face, LONGLONG points, SHORT weight)
{
    FONTDESC fd = {sizeof fd, const_cast<LPOLESTR>(face), {}, weight, ANSI_CHARSET, FALSE, FALSE, FALSE};
    fd.cySize.int64 = points * 10000;
    holder.InitializeFont(&fd);
}

} // namespace

BEGIN_MESSAGE_MAP(TestTextControl, COleControl)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

TestTextControl::TestTextControl()
    : m_engine(this), m_defaultFont(nullptr), m_titleFont(nullptr), m_headingFont(nullptr), m_promptFont(nullptr),
      m_valueFont(nullptr)
{
    InitFont(m_defaultFont, L"Times New Roman", 10, FW_NORMAL);
    InitFont(m_titleFont, L"Times New Roman", 14, FW_BOLD);
    InitFont(m_headingFont, L"Liberation Sans", 12, FW_BOLD);
    InitFont(m_promptFont, L"Liberation Serif", 10, FW_NORMAL);
    InitFont(m_valueFont, L"Liberation Mono", 10, FW_NORMAL);
}

TestTextControl::~TestTextControl()
{
    if (m_hWndFrame)
        ::DestroyWindow(m_hWndFrame);
}

BOOL TestTextControl::Place(int cx, int cy)
{
    RECT rc = {0, 0, cx, cy};
    ::AdjustWindowRectEx(&rc, WS_OVERLAPPEDWINDOW, FALSE, 0);
    m_hWndFrame = ::CreateWindowExW(0, L"STATIC", L"Text object", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                    rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, nullptr, nullptr);
    return m_hWndFrame && CreateControlWindow(m_hWndFrame, CRect(0, 0, cx, cy));
}

void TestTextControl::SetLines(const wchar_t* pszText) { m_lines.SetText(pszText); }

int TestTextControl::Draw(CDC* pDC, const CRect& rcBounds)
{
    LOGFONTW lf = {};
    QLNZoomFontHolderToLOGFONT(m_defaultFont, m_engine.m_fnGetZoom(), lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    CFont* pOld = pDC->SelectObject(&font);
    m_engine.m_fnSetFonts(m_nSpacing, &m_defaultFont, &m_titleFont, 0, &m_headingFont, kHeadingColour,
                          &m_promptFont, kPromptColour, &m_valueFont, kValueColour);
    const int nResult = m_pEdit != nullptr ? m_engine.m_fnOnDraw(pDC, rcBounds, rcBounds, m_pEdit)
                                           : m_engine.m_fnOnDraw(pDC, rcBounds, rcBounds, m_lines);
    if (pOld)
        pDC->SelectObject(pOld);
    return nResult;
}

HENHMETAFILE TestTextControl::Record(const CRect& rcBounds)
{
    CMetaFileDC dc;
    if (!dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr))
        return nullptr;
    Draw(&dc, rcBounds);
    return dc.CloseEnhanced();
}

void TestTextControl::OnDraw(CDC* pDC, const CRect& rcBounds, const CRect&)
{
    ++m_nPaints;
    Draw(pDC, rcBounds);
}

void TestTextControl::OnLButtonDown(UINT nFlags, CPoint point) { m_engine.m_fnOnLButtonDown(nFlags, point); }
void TestTextControl::OnMouseMove(UINT nFlags, CPoint point) { m_engine.m_fnOnMouseMove(nFlags, point); }
void TestTextControl::OnLButtonUp(UINT nFlags, CPoint point) { m_engine.m_fnOnLButtonUp(nFlags, point); }
