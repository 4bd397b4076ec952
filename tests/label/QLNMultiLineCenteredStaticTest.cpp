// The centred label as a dialog would have it: a window of the global class, created by class
// name under a parent that answers WM_GETFONT, painted by a real WM_PAINT and read back pixel
// by pixel from its window.
#include "CFont.h"
#include "CHandleMap.h"
#include "QLNMultiLineCenteredStatic.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const int kWidth = 300;
const int kHeight = 200;
const int kMargin = 10;

// Answers WM_GETFONT as a dialog does, with the font of its template.
class CFontParent : public CWnd
{
public:
    CFont m_font;
    BOOL m_bAnswerFont = TRUE;
    DECLARE_MESSAGE_MAP()

protected:
    LRESULT OnGetFont(WPARAM, LPARAM)
    {
        return m_bAnswerFont ? reinterpret_cast<LRESULT>(m_font.m_hObject) : 0;
    }
};

BEGIN_MESSAGE_MAP(CFontParent, CWnd)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
END_MESSAGE_MAP()

// Rows of ink: the vertical bands that the lines of text make.
struct Band
{
    int top;
    int bottom;
    RECT ink;
};

class LabelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LOGFONTW lf = {};
        lf.lfHeight = -20;
        lf.lfWeight = FW_NORMAL;
        wcscpy(lf.lfFaceName, L"Times New Roman");
        ASSERT_TRUE(m_parent.m_font.CreateFontIndirect(&lf));
        ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0, nullptr, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                                      L"dialog", WS_POPUP | WS_VISIBLE, 0, 0, kWidth + 40, kHeight + 40, nullptr,
                                      nullptr));
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        AfxDeleteTempMap();
    }

    HWND CreateLabel(const wchar_t* text, int width = kWidth, int height = kHeight)
    {
        return ::CreateWindowExW(0, CQLNMultiLineCenteredStatic::m_kszClassName, text, WS_CHILD | WS_VISIBLE, 20, 20,
                                 width, height, m_parent.m_hWnd, nullptr, nullptr, nullptr);
    }

    // What the label shows after it painted itself.
    static qlntest::PixelGrab Paint(HWND hLabel)
    {
        ::UpdateWindow(hLabel);
        qlntest::PumpMessages();
        RECT rc;
        ::GetClientRect(hLabel, &rc);
        HDC hDC = ::GetDC(hLabel);
        qlntest::PixelGrab grab(hDC, rc.right, rc.bottom);
        ::ReleaseDC(hLabel, hDC);
        return grab;
    }

    static std::vector<Band> Bands(const qlntest::PixelGrab& grab)
    {
        std::vector<Band> bands;
        bool inBand = false;
        for (int y = 0; y < grab.Height(); ++y) {
            bool ink = false;
            for (int x = 0; x < grab.Width() && !ink; ++x)
                ink = grab.IsInk(x, y);
            if (ink && !inBand)
                bands.push_back(Band{y, y + 1, {}});
            if (ink)
                bands.back().bottom = y + 1;
            inBand = ink;
        }
        for (Band& band : bands)
            band.ink = grab.InkBox(RECT{0, band.top, grab.Width(), band.bottom});
        return bands;
    }

    int LineHeight()
    {
        HDC hDC = ::GetDC(m_parent.m_hWnd);
        HGDIOBJ hOld = ::SelectObject(hDC, m_parent.m_font.m_hObject);
        TEXTMETRICW tm = {};
        ::GetTextMetricsW(hDC, &tm);
        ::SelectObject(hDC, hOld);
        ::ReleaseDC(m_parent.m_hWnd, hDC);
        return tm.tmHeight;
    }

    CFontParent m_parent;
};

int CentreX(const RECT& rc)
{
    return (rc.left + rc.right) / 2;
}

} // namespace

TEST_F(LabelTest, ClassIsGlobalWithTheScrollBarColourAsBackground)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    ASSERT_TRUE(::GetClassInfoExW(::GetModuleHandleW(L"QLNBase.dll"), CQLNMultiLineCenteredStatic::m_kszClassName, &wc));
    EXPECT_EQ(static_cast<UINT>(CS_GLOBALCLASS), wc.style & CS_GLOBALCLASS);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1), wc.hbrBackground);
    EXPECT_EQ(0, wc.cbClsExtra);
    EXPECT_EQ(0, wc.cbWndExtra);

    // Empty text: nothing but the background.
    const HWND hLabel = CreateLabel(L"");
    ASSERT_NE(nullptr, hLabel);
    const qlntest::PixelGrab grab = Paint(hLabel);
    EXPECT_EQ(0, grab.InkBox().right);
    EXPECT_EQ(::GetSysColor(COLOR_SCROLLBAR), ((grab.At(5, 5) & 0xFF) << 16) | (grab.At(5, 5) & 0xFF00) |
                                                  ((grab.At(5, 5) >> 16) & 0xFF));
}

TEST_F(LabelTest, WindowGetsItsObjectOnTheFirstMessageAndLosesItAfterTheLast)
{
    const HWND hLabel = CreateLabel(L"object");
    ASSERT_NE(nullptr, hLabel);
    CWnd* pObject = CWnd::FromHandlePermanent(hLabel);
    ASSERT_NE(nullptr, dynamic_cast<CQLNMultiLineCenteredStatic*>(pObject));
    ::SendMessageW(hLabel, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"again"));
    Paint(hLabel);
    EXPECT_EQ(pObject, CWnd::FromHandlePermanent(hLabel)) << "one object for every message";
    CString text;
    pObject->GetWindowText(text);
    EXPECT_STREQ(L"again", text.GetString());

    ::DestroyWindow(hLabel);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hLabel));
    const HWND hSecond = CreateLabel(L"second");
    EXPECT_NE(nullptr, dynamic_cast<CQLNMultiLineCenteredStatic*>(CWnd::FromHandlePermanent(hSecond)));
}

TEST_F(LabelTest, SingleLineStartsAtTheLeftMarginAndIsCentredVertically)
{
    const HWND hLabel = CreateLabel(L"Centre");
    const qlntest::PixelGrab grab = Paint(hLabel);
    const RECT ink = grab.InkBox();
    ASSERT_GT(ink.right, ink.left);
    // The block is as wide as its widest line and starts at the margin: not centred across.
    EXPECT_GE(ink.left, kMargin);
    EXPECT_LE(ink.left, kMargin + 3);
    EXPECT_LT(ink.right, kWidth / 2);
    // The line box is centred in the area; the glyphs sit within it.
    const int lineHeight = LineHeight();
    const int boxTop = kMargin + (kHeight - 2 * kMargin - lineHeight) / 2;
    EXPECT_GE(ink.top, boxTop);
    EXPECT_LE(ink.bottom, boxTop + lineHeight);
}

TEST_F(LabelTest, ShorterLinesAreCentredWithinTheWidestLine)
{
    const HWND hLabel = CreateLabel(L"A much wider first line\r\nshort\r\nmiddle one");
    const qlntest::PixelGrab grab = Paint(hLabel);
    const std::vector<Band> bands = Bands(grab);
    ASSERT_EQ(3u, bands.size());
    EXPECT_LE(bands[0].ink.left, kMargin + 3);
    for (const Band& band : bands)
        EXPECT_LE(std::abs(CentreX(band.ink) - CentreX(bands[0].ink)), 2) << "band at " << band.top;
    // Three lines, centred as a block: equal space above and below, to a line's leading.
    const int lineHeight = LineHeight();
    const int blockTop = kMargin + (kHeight - 2 * kMargin - 3 * lineHeight) / 2;
    EXPECT_GE(bands[0].top, blockTop);
    EXPECT_LE(bands[2].bottom, blockTop + 3 * lineHeight);
}

TEST_F(LabelTest, TextIsWrappedAtWordsToTheAreaWidth)
{
    const HWND hLabel = CreateLabel(L"the quick brown fox jumps over the lazy dog", 160, kHeight);
    const qlntest::PixelGrab grab = Paint(hLabel);
    const std::vector<Band> bands = Bands(grab);
    ASSERT_GE(bands.size(), 2u);
    for (const Band& band : bands) {
        EXPECT_GE(band.ink.left, kMargin);
        EXPECT_LE(band.ink.right, 160 - kMargin);
    }
}

TEST_F(LabelTest, TallTextStartsAtTheTopOfTheAreaAndIsClippedAtItsBottom)
{
    std::wstring text;
    for (int i = 1; i <= 30; ++i)
        text += L"Line " + std::to_wstring(i) + L"\r\n";
    const HWND hLabel = CreateLabel(text.c_str());
    const qlntest::PixelGrab grab = Paint(hLabel);
    const RECT ink = grab.InkBox();
    ASSERT_GT(ink.right, ink.left);
    const int lineHeight = LineHeight();
    EXPECT_GE(ink.top, kMargin);
    EXPECT_LT(ink.top, kMargin + lineHeight / 2);
    // Clipped to the area: the bottom margin stays clear, and the lines go on down to it.
    EXPECT_LE(ink.bottom, kHeight - kMargin);
    EXPECT_GT(ink.bottom, kHeight - kMargin - lineHeight);
}

TEST_F(LabelTest, ParentWithoutFontLeavesTheDefaultFont)
{
    m_parent.m_bAnswerFont = FALSE;
    const HWND hLabel = CreateLabel(L"System font");
    const qlntest::PixelGrab grab = Paint(hLabel);
    const RECT ink = grab.InkBox();
    EXPECT_GT(ink.right, ink.left);
}
