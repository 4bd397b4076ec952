// Device contexts with separate output and attribute DCs: what goes to which, the measurement
// points, the handle maps, and calls with bad arguments.
#include "CClientDC.h"
#include "CDC.h"
#include "CHandleMap.h"
#include "CWnd.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

namespace {

// A memory DC with a white bitmap of its own, for reading back what was drawn.
class MemoryCanvas
{
public:
    MemoryCanvas(int width, int height) : m_width(width), m_height(height)
    {
        HDC hScreen = ::GetDC(nullptr);
        m_hDC = ::CreateCompatibleDC(hScreen);
        m_hBitmap = ::CreateCompatibleBitmap(hScreen, width, height);
        ::ReleaseDC(nullptr, hScreen);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
        RECT rc = {0, 0, width, height};
        ::FillRect(m_hDC, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ~MemoryCanvas()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteObject(m_hBitmap);
        ::DeleteDC(m_hDC);
    }
    HDC Handle() const { return m_hDC; }
    bool HasInk() const
    {
        qlntest::PixelGrab grab(m_hDC, m_width, m_height);
        RECT box = grab.InkBox();
        return box.right > box.left;
    }

private:
    int m_width;
    int m_height;
    HDC m_hDC;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
};

LOGFONTW SerifFont(int height)
{
    LOGFONTW lf = {};
    lf.lfHeight = height;
    lf.lfWeight = FW_NORMAL;
    wcscpy(lf.lfFaceName, L"Times New Roman");
    return lf;
}

} // namespace

TEST(CDCOutputAndAttribute, DrawingGoesToTheOutputDCAndMeasuringToTheAttributeDC)
{
    MemoryCanvas output(200, 60);
    MemoryCanvas attribute(200, 60);
    CDC dc;
    ASSERT_TRUE(dc.Attach(output.Handle()));
    dc.SetAttribDC(attribute.Handle());

    CFont big;
    const LOGFONTW lfBig = SerifFont(-40);
    ASSERT_TRUE(big.CreateFontIndirect(&lfBig));
    CFont* pOld = dc.SelectObject(&big);
    ASSERT_NE(nullptr, pOld);
    // The font is selected into both, so measurement matches what is drawn.
    EXPECT_EQ(big.m_hObject, ::GetCurrentObject(output.Handle(), OBJ_FONT));
    EXPECT_EQ(big.m_hObject, ::GetCurrentObject(attribute.Handle(), OBJ_FONT));

    // Measurement reads the attribute DC: give it a different font behind the object's back.
    CFont small;
    const LOGFONTW lfSmall = SerifFont(-10);
    ASSERT_TRUE(small.CreateFontIndirect(&lfSmall));
    ::SelectObject(attribute.Handle(), small.m_hObject);
    SIZE expected = {};
    ::GetTextExtentPoint32W(attribute.Handle(), L"Measure", 7, &expected);
    EXPECT_EQ(CSize(expected), dc.GetTextExtent(CString(L"Measure")));
    EXPECT_LT(dc.GetTextExtent(L"Measure", 7).cy, 20);

    dc.SetTextColor(RGB(0, 0, 0));
    CRect rc(0, 0, 200, 60);
    EXPECT_GT(dc.DrawText(CString(L"Ink"), rc, DT_LEFT | DT_TOP), 0);
    EXPECT_TRUE(output.HasInk());
    EXPECT_FALSE(attribute.HasInk());

    ::SelectObject(attribute.Handle(), pOld->m_hObject);
    dc.SelectObject(pOld);
    dc.Detach();
}

TEST(CDCOutputAndAttribute, StateIsSetOnBoth)
{
    MemoryCanvas output(10, 10);
    MemoryCanvas attribute(10, 10);
    CDC dc;
    dc.m_hDC = output.Handle();
    dc.m_hAttribDC = attribute.Handle();
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetMapMode(MM_LOMETRIC);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_BASELINE);
    for (HDC h : {output.Handle(), attribute.Handle()}) {
        EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(h));
        EXPECT_EQ(MM_LOMETRIC, ::GetMapMode(h));
        EXPECT_EQ(TRANSPARENT, ::GetBkMode(h));
        EXPECT_EQ(static_cast<UINT>(TA_BASELINE), ::GetTextAlign(h));
    }

    // The current position follows on the attribute DC; the line is drawn on the output DC.
    dc.SetMapMode(MM_TEXT);
    dc.MoveTo(1, 1);
    dc.LineTo(8, 8);
    POINT pos = {};
    ::GetCurrentPositionEx(attribute.Handle(), &pos);
    EXPECT_EQ(8, pos.x);
    EXPECT_TRUE(output.HasInk());
    EXPECT_FALSE(attribute.HasInk());
    dc.m_hDC = dc.m_hAttribDC = nullptr;
}

TEST(CDCMeasurement, BadCountsAndNullArgumentsMeasureAndDrawNothing)
{
    MemoryCanvas canvas(100, 30);
    CDC dc;
    ASSERT_TRUE(dc.Attach(canvas.Handle()));
    const CSize whole = dc.GetTextExtent(L"abc", 3);
    EXPECT_GT(whole.cx, 0);
    // A count past the end stops at the terminating zero.
    EXPECT_EQ(whole, dc.GetTextExtent(L"abc", 1000));
    EXPECT_EQ(CSize(), dc.GetTextExtent(L"abc", -5));
    EXPECT_EQ(CSize(), dc.GetTextExtent(nullptr, 3));
    // Tab stops announced without an array are ignored instead of read.
    EXPECT_EQ(dc.GetTabbedTextExtent(L"a\tb", 3, 0, nullptr), dc.GetTabbedTextExtent(L"a\tb", 3, 4, nullptr));
    // The packed result keeps its sign and both halves.
    const CSize tabbed = dc.GetTabbedTextExtent(CString(L"abc"), 0, nullptr);
    EXPECT_EQ(whole.cx, tabbed.cx);
    EXPECT_EQ(whole.cy, tabbed.cy);

    CRect rc(0, 0, 10, 30);
    EXPECT_EQ(0, dc.DrawText(L"abc", 3, nullptr, 0));
    EXPECT_EQ(0, dc.DrawText(nullptr, 3, rc, 0));
    EXPECT_EQ(0, dc.DrawText(L"abc", -7, rc, 0));
    // An ellipsis never lands in the caller's constant string.
    static const wchar_t kText[] = L"a long text that does not fit";
    dc.DrawText(kText, -1, rc, DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_STREQ(L"a long text that does not fit", kText);
    // A null string with a count is drawn as no text, never read.
    dc.ExtTextOut(0, 0, 0, nullptr, nullptr, 5, nullptr);
    dc.FillRect(nullptr, nullptr);
    EXPECT_FALSE(dc.Rectangle(nullptr));
    EXPECT_EQ(nullptr, dc.SelectObject(static_cast<CFont*>(nullptr)));
    dc.Detach();

    CDC empty;
    EXPECT_EQ(CSize(), empty.GetTextExtent(L"abc", 3));
    EXPECT_EQ(0, empty.DrawText(L"abc", 3, rc, 0));
    EXPECT_EQ(0, empty.SetMapMode(MM_TEXT));
}

TEST(CDCMaps, AttachedObjectOwnsItsHandleAndOthersGetTemporaryWrappers)
{
    MemoryCanvas canvas(10, 10);
    CDC dc;
    ASSERT_TRUE(dc.Attach(canvas.Handle()));
    EXPECT_EQ(&dc, CDC::FromHandle(canvas.Handle()));
    EXPECT_FALSE(dc.Attach(canvas.Handle()));
    EXPECT_EQ(canvas.Handle(), dc.Detach());
    EXPECT_EQ(nullptr, dc.m_hAttribDC);

    CDC* pTemp = CDC::FromHandle(canvas.Handle());
    ASSERT_NE(nullptr, pTemp);
    EXPECT_NE(&dc, pTemp);
    EXPECT_EQ(canvas.Handle(), pTemp->m_hDC);
    EXPECT_EQ(canvas.Handle(), pTemp->m_hAttribDC);
    EXPECT_EQ(pTemp, CDC::FromHandle(canvas.Handle()));
    AfxDeleteTempMap();
    // The wrapper is gone; the DC is not.
    EXPECT_NE(0, ::GetDeviceCaps(canvas.Handle(), LOGPIXELSX));
    EXPECT_EQ(nullptr, CDC::FromHandle(nullptr));
}

TEST(CDCMaps, SelectObjectReturnsThePreviousObjectAsATemporaryWrapper)
{
    MemoryCanvas canvas(10, 10);
    CDC dc;
    ASSERT_TRUE(dc.Attach(canvas.Handle()));
    const HGDIOBJ hStockFont = ::GetCurrentObject(canvas.Handle(), OBJ_FONT);
    CFont font;
    const LOGFONTW lf = SerifFont(-12);
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    CFont* pOld = dc.SelectObject(&font);
    ASSERT_NE(nullptr, pOld);
    EXPECT_EQ(hStockFont, pOld->m_hObject);
    EXPECT_EQ(pOld, CFont::FromHandle(static_cast<HFONT>(hStockFont)));

    CGdiObject* pOldPen = dc.SelectStockObject(BLACK_PEN);
    ASSERT_NE(nullptr, pOldPen);
    CBrush brush(RGB(146, 213, 208));
    ASSERT_NE(nullptr, brush.GetSafeHandle());
    CBrush* pOldBrush = dc.SelectObject(&brush);
    ASSERT_NE(nullptr, pOldBrush);
    dc.SelectObject(pOldBrush);
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOld);
    dc.Detach();
    AfxDeleteTempMap();
    // The stock font survived its wrapper.
    EXPECT_EQ(OBJ_FONT, static_cast<int>(::GetObjectType(hStockFont)));
}

TEST(CDCWindow, ClientDCAndWindowDCWrapTheWindowsDC)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), L"dc", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr));
    {
        CClientDC dc(&wnd);
        ASSERT_NE(nullptr, dc.GetSafeHdc());
        EXPECT_EQ(&dc, CDC::FromHandle(dc.GetSafeHdc()));
        EXPECT_GT(dc.GetDeviceCaps(LOGPIXELSY), 0);
    }
    CDC* pDC = wnd.GetDC();
    ASSERT_NE(nullptr, pDC);
    const HDC hDC = pDC->m_hDC;
    EXPECT_EQ(pDC, CDC::FromHandle(hDC));
    EXPECT_EQ(1, wnd.ReleaseDC(pDC));
    wnd.DestroyWindow();
}

TEST(CGdiObjects, OwnedHandlesAreDeletedDetachedOnesAreNot)
{
    HGDIOBJ hKept = nullptr;
    HGDIOBJ hDeleted = nullptr;
    {
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen kept(PS_DASH, 1, RGB(255, 0, 0));
        hDeleted = pen.m_hObject;
        hKept = kept.Detach();
        EXPECT_FALSE(pen.CreatePen(PS_SOLID, 2, 0)) << "one handle per object";
    }
    EXPECT_EQ(0u, ::GetObjectType(hDeleted));
    EXPECT_EQ(static_cast<DWORD>(OBJ_PEN), ::GetObjectType(hKept));
    ::DeleteObject(hKept);

    CFont font;
    EXPECT_FALSE(font.CreateFontIndirect(nullptr));
    EXPECT_FALSE(font.DeleteObject());
    EXPECT_EQ(nullptr, CGdiObject::FromHandle(nullptr));
}
