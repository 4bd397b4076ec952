// Device contexts with separate output and attribute DCs: what goes to which, the handle maps,
// the ownership of GDI objects, and calls with bad arguments.
#include "CDC.h"
#include "CHandleMap.h"
#include "WindowTestUtil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A memory DC with a white bitmap of its own, for reading back what was drawn.
struct MemoryCanvas
{
    MemoryCanvas() { ::SelectObject(m_hDC, m_hBitmap); ::PatBlt(m_hDC, 0, 0, 60, 60, WHITENESS); }
    ~MemoryCanvas() { ::DeleteDC(m_hDC); ::DeleteObject(m_hBitmap); }
    bool HasInk() const { return qlntest::PixelGrab(m_hDC, 60, 60).InkBox().right > 0; }

    const HDC m_hDC = ::CreateCompatibleDC(nullptr);
    const HBITMAP m_hBitmap = ::CreateBitmap(60, 60, 1, 32, nullptr);
};

// The text records of an enhanced metafile, byte for byte.
int CALLBACK CollectTextRecord(HDC, HANDLETABLE*, const ENHMETARECORD* pRecord, int, LPARAM lParam)
{
    if (pRecord->iType == EMR_EXTTEXTOUTW) {
        const BYTE* p = reinterpret_cast<const BYTE*>(pRecord);
        reinterpret_cast<std::vector<std::vector<BYTE>>*>(lParam)->emplace_back(p, p + pRecord->nSize);
    }
    return 1;
}

std::vector<std::vector<BYTE>> TextRecords(HENHMETAFILE hemf)
{
    std::vector<std::vector<BYTE>> records;
    ::EnumEnhMetaFile(nullptr, hemf, CollectTextRecord, &records, nullptr);
    ::DeleteEnhMetaFile(hemf);
    return records;
}

} // namespace

TEST(CDCOutputAndAttribute, StateIsSetOnBothDrawingGoesToTheOutputOnly)
{
    MemoryCanvas output;
    MemoryCanvas attribute;
    CDC dc;
    dc.m_hDC = output.m_hDC;
    dc.m_hAttribDC = attribute.m_hDC;
    CFont font;
    LOGFONTW lf = {};
    lf.lfHeight = -40;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    CFont* pOld = dc.SelectObject(&font);
    ASSERT_NE(nullptr, pOld);
    dc.SetTextColor(RGB(1, 2, 3));
    dc.SetMapMode(MM_LOMETRIC);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextAlign(TA_BASELINE);
    for (HDC h : {output.m_hDC, attribute.m_hDC}) {
        EXPECT_EQ(font.m_hObject, ::GetCurrentObject(h, OBJ_FONT)) << "measuring matches what is drawn";
        EXPECT_EQ(RGB(1, 2, 3), ::GetTextColor(h));
        EXPECT_EQ(MM_LOMETRIC, ::GetMapMode(h));
        EXPECT_EQ(TRANSPARENT, ::GetBkMode(h));
        EXPECT_EQ(static_cast<UINT>(TA_BASELINE), ::GetTextAlign(h));
    }
    // The current position follows on the attribute DC; the line is drawn on the output DC.
    dc.SetMapMode(MM_TEXT);
    dc.SetTextAlign(TA_TOP);
    dc.MoveTo(1, 1);
    dc.LineTo(8, 8);
    POINT pos = {};
    ::GetCurrentPositionEx(attribute.m_hDC, &pos);
    EXPECT_EQ(8, pos.x);
    CRect rc(0, 0, 60, 60);
    EXPECT_GT(dc.DrawText(CString(L"Ink"), rc, DT_LEFT | DT_TOP), 0);
    EXPECT_TRUE(output.HasInk());
    EXPECT_FALSE(attribute.HasInk());
    dc.SelectObject(pOld);
    dc.m_hDC = dc.m_hAttribDC = nullptr;
}

TEST(CDCArguments, BadCountsAndNullArgumentsMeasureAndDrawNothing)
{
    MemoryCanvas canvas;
    CDC dc;
    ASSERT_TRUE(dc.Attach(canvas.m_hDC));
    const CSize whole = dc.GetTextExtent(L"abc", 3);
    EXPECT_EQ(whole, dc.GetTextExtent(L"abc", 1000)) << "a count past the end stops at the zero";
    EXPECT_EQ(CSize(), dc.GetTextExtent(L"abc", -5));
    EXPECT_EQ(CSize(), dc.GetTextExtent(nullptr, 3));
    // Tab stops announced without an array are ignored instead of read.
    EXPECT_EQ(dc.GetTabbedTextExtent(L"a\tb", 3, 0, nullptr), dc.GetTabbedTextExtent(L"a\tb", 3, 4, nullptr));
    EXPECT_EQ(whole, dc.GetTabbedTextExtent(CString(L"abc"), 0, nullptr)) << "both halves of the packed result";

    CRect rc(0, 0, 10, 30);
    EXPECT_EQ(0, dc.DrawText(L"abc", 3, nullptr, 0));
    EXPECT_EQ(0, dc.DrawText(nullptr, 3, rc, 0));
    EXPECT_EQ(0, dc.DrawText(L"abc", -7, rc, 0));
    static const wchar_t kText[] = L"a long text that does not fit";
    dc.DrawText(kText, -1, rc, DT_END_ELLIPSIS | DT_MODIFYSTRING);
    EXPECT_STREQ(L"a long text that does not fit", kText) << "no ellipsis in the caller's constant";
    dc.ExtTextOut(0, 0, 0, nullptr, nullptr, 5, nullptr);   // a null string with a count is never read
    dc.FillRect(nullptr, nullptr);
    EXPECT_FALSE(dc.Rectangle(nullptr));
    EXPECT_EQ(nullptr, dc.SelectObject(static_cast<CFont*>(nullptr)));
    dc.Detach();

    CDC empty;
    EXPECT_EQ(CSize(), empty.GetTextExtent(L"abc", 3));
    EXPECT_EQ(0, empty.DrawText(L"abc", 3, rc, 0));
    EXPECT_EQ(0, empty.SetMapMode(MM_TEXT));
}

TEST(CDCMaps, AttachedObjectsOwnTheirHandlesOthersGetTemporaryWrappers)
{
    MemoryCanvas canvas;
    CDC dc;
    ASSERT_TRUE(dc.Attach(canvas.m_hDC));
    EXPECT_EQ(&dc, CDC::FromHandle(canvas.m_hDC));
    EXPECT_FALSE(dc.Attach(canvas.m_hDC));
    // The previous object comes back as a temporary wrapper, which never deletes a stock object.
    const HGDIOBJ hStockFont = ::GetCurrentObject(canvas.m_hDC, OBJ_FONT);
    CFont font;
    LOGFONTW lf = {};
    lf.lfHeight = -12;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    CFont* pOld = dc.SelectObject(&font);
    ASSERT_NE(nullptr, pOld);
    EXPECT_EQ(hStockFont, pOld->m_hObject);
    EXPECT_EQ(pOld, CFont::FromHandle(static_cast<HFONT>(hStockFont)));
    dc.SelectObject(pOld);
    EXPECT_EQ(canvas.m_hDC, dc.Detach());

    CDC* pTemp = CDC::FromHandle(canvas.m_hDC);
    ASSERT_NE(&dc, pTemp);
    EXPECT_EQ(canvas.m_hDC, pTemp->m_hAttribDC);
    EXPECT_EQ(pTemp, CDC::FromHandle(canvas.m_hDC));
    AfxDeleteTempMap();
    EXPECT_NE(0, ::GetDeviceCaps(canvas.m_hDC, LOGPIXELSX)) << "the wrapper is gone, the DC is not";
    EXPECT_EQ(OBJ_FONT, static_cast<int>(::GetObjectType(hStockFont)));
    EXPECT_EQ(nullptr, CDC::FromHandle(nullptr));

    HGDIOBJ hKept = nullptr, hDeleted = nullptr;
    {
        CPen pen(PS_SOLID, 1, 0), kept(PS_DASH, 1, 0);
        hDeleted = pen.m_hObject;
        hKept = kept.Detach();
        EXPECT_FALSE(pen.CreatePen(PS_SOLID, 2, 0)) << "one handle per object";
    }
    EXPECT_EQ(0u, ::GetObjectType(hDeleted));
    EXPECT_TRUE(::DeleteObject(hKept)) << "a detached handle is the caller's";
    EXPECT_FALSE(font.CreateFontIndirect(nullptr));
    EXPECT_EQ(nullptr, CGdiObject::FromHandle(nullptr));
}

// DrawText draws a plain line of format 0 without the platform's line-breaking pass: pixels and
// answer must stay the platform's, for plain lines, for the texts that pass does read (prefix,
// tab, line break) and for a DC whose alignment is not top left.
TEST(CDCDrawText, PlainLinesDrawAsThePlatformDrawsThem)
{
    const struct
    {
        const wchar_t* text;
        UINT align;
    } rows[] = {{L"Retention time: 4.23 min", TA_TOP}, {L"Clipped at the right and the bottom edge", TA_TOP},
                {L"A&B prefix", TA_TOP}, {L"tab\there", TA_TOP}, {L"two\r\nlines", TA_TOP}, {L"Base line", TA_BASELINE}};
    CFont font;
    LOGFONTW lf = {};
    lf.lfHeight = -13;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.text);
        MemoryCanvas ours, platform;
        CDC dc;
        dc.m_hDC = dc.m_hAttribDC = ours.m_hDC;
        dc.SelectObject(&font);
        dc.SetTextAlign(row.align);
        ::SelectObject(platform.m_hDC, font.m_hObject);
        ::SetTextAlign(platform.m_hDC, row.align);
        RECT rc = {3, 20, 57, 31}, rcPlatform = rc;
        EXPECT_EQ(::DrawTextW(platform.m_hDC, row.text, -1, &rcPlatform, 0), dc.DrawText(row.text, -1, &rc, 0));
        EXPECT_TRUE(row.align != TA_TOP || ours.HasInk());
        const qlntest::PixelGrab a(platform.m_hDC, 60, 60), b(ours.m_hDC, 60, 60);
        int nDiffering = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                nDiffering += a.At(x, y) != b.At(x, y);
        EXPECT_EQ(0, nDiffering);
        dc.m_hDC = dc.m_hAttribDC = nullptr;
    }
}

// A recording writes each letter's advance beside a text. The framework gives them from one
// measurement of the text, or takes the caller's, where the platform would measure letter by
// letter: the records must be the platform's own, for every script, and also where the
// framework leaves the measuring to the platform (another mapping mode, a separate attribute DC).
TEST(CDCDrawText, RecordsHoldTheAdvancesThePlatformMeasures)
{
    const wchar_t* const texts[] = {L"Retention time: 4.23 min", L"\u0412\u0440\u0435\u043c\u044f",
                                    L"\u03a7\u03c1\u03cc\u03bd\u03bf\u03c2", L"\u4fdd\u7559\u6642\u9593 \u30d4\u30fc\u30af",
                                    L"\uc2dc\uac04", L"\u0632\u0645\u0646 \u0627\u0644\u0627\u062d\u062a\u0641\u0627\u0638",
                                    L"\u05d6\u05de\u05df", L"e\u0301te\u0301", L"\U0001D11E clef", L"x"};
    const struct
    {
        const char* why;
        int nMapMode;
        bool bAttribApart;
    } setups[] = {{"MM_TEXT", MM_TEXT, false}, {"MM_LOMETRIC", MM_LOMETRIC, false}, {"attribute DC apart", MM_TEXT, true}};
    enum EWay { ePlatform, eDrawText, eDrawTextWithExtents, eExtTextOut, eWays };
    CFont font;
    LOGFONTW lf = {};
    lf.lfHeight = -15;
    ::wcscpy(lf.lfFaceName, L"Liberation Serif");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    const HDC hAttrib = ::CreateCompatibleDC(nullptr);
    for (const auto& setup : setups) {
        for (const wchar_t* text : texts) {
            SCOPED_TRACE(testing::Message() << setup.why << ", text of " << ::wcslen(text) << " characters");
            const int n = static_cast<int>(::wcslen(text));
            std::vector<std::vector<BYTE>> records[eWays];
            for (int way = ePlatform; way < eWays; ++way) {
                const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
                ASSERT_NE(nullptr, hdc);
                RECT rc = {10, 20, 400, 60};
                if (way == ePlatform) {
                    ::SelectObject(hdc, font.m_hObject);
                    ::SetMapMode(hdc, setup.nMapMode);
                    ::ExtTextOutW(hdc, rc.left, rc.top, ETO_CLIPPED, &rc, text, static_cast<UINT>(n), nullptr);
                } else {
                    CDC dc;
                    dc.m_hDC = hdc;
                    dc.m_hAttribDC = setup.bAttribApart ? hAttrib : hdc;
                    CFont* pOld = dc.SelectObject(&font);
                    dc.SetMapMode(setup.nMapMode);
                    if (way == eDrawText) {
                        EXPECT_GT(dc.DrawText(text, -1, &rc, 0), 0);
                    } else if (way == eDrawTextWithExtents) {
                        std::vector<int> extents(static_cast<size_t>(n));
                        EXPECT_GT(dc.GetTextExtentExPoint(text, n, extents.data()).cx, 0);
                        EXPECT_GT(dc.DrawText(text, n, &rc, 0, extents.data()), 0);
                    } else {
                        EXPECT_TRUE(dc.ExtTextOut(rc.left, rc.top, ETO_CLIPPED, &rc, text, static_cast<UINT>(n), nullptr));
                    }
                    dc.SelectObject(pOld);
                    dc.SetMapMode(MM_TEXT);
                    dc.m_hDC = dc.m_hAttribDC = nullptr;
                }
                records[way] = TextRecords(::CloseEnhMetaFile(hdc));
            }
            ASSERT_EQ(1u, records[ePlatform].size());
            for (int way = eDrawText; way < eWays; ++way)
                EXPECT_TRUE(records[way] == records[ePlatform]) << "way " << way;
        }
    }
    ::DeleteDC(hAttrib);
}
