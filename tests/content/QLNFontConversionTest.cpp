// Conversions between the system's OLE font object and a logical font, at 96 pixels per inch.
#include "QLNFontConversion.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <limits>

namespace {

// A holder with a real font object made from the description.
struct Font
{
    Font(const wchar_t* face, LONGLONG size, SHORT weight = FW_NORMAL, BOOL italic = FALSE,
         BOOL underline = FALSE, BOOL strike = FALSE, SHORT charset = ANSI_CHARSET)
        : holder(nullptr)
    {
        FONTDESC fd = {};
        fd.cbSizeofstruct = sizeof fd;
        fd.lpstrName = const_cast<LPOLESTR>(face);
        fd.cySize.int64 = size;
        fd.sWeight = weight;
        fd.sCharset = charset;
        fd.fItalic = italic;
        fd.fUnderline = underline;
        fd.fStrikethrough = strike;
        holder.InitializeFont(&fd);
    }
    LONGLONG Size() const
    {
        CY cy = {};
        holder.m_pFont->get_Size(&cy);
        return cy.int64;
    }
    CFontHolder holder;
};

// A record full of non-zero bytes, so that fields left alone show.
LOGFONTW Dirty()
{
    LOGFONTW lf;
    std::memset(&lf, 0x5A, sizeof lf);
    return lf;
}

LOGFONTW Record(const wchar_t* face, LONG height, LONG weight, BYTE italic, BYTE underline, BYTE strike,
                BYTE charset)
{
    LOGFONTW lf = {};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strike;
    lf.lfCharSet = charset;
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

} // namespace

// The font object reports the size of the font it realized, in whole pixels of its ratio
// (96 pixels to the inch unless the font was told otherwise); Liberation Mono realizes the sizes
// used here exactly, so the object reports what was asked for, except where noted.
const wchar_t kFace[] = L"Liberation Mono";

TEST(FontConversion, PointSizesBecomeTruncatedPixelHeights)
{
    const struct { LONGLONG size; LONGLONG reported; LONG height; } at96[] = {
        {97500, 97500, -13},        // 13 px exactly
        {100000, 97500, -13},       // realized at 13 px, so reported as 9.75 pt
        {120000, 120000, -16},
    };
    for (const auto& row : at96) {
        Font font(kFace, row.size);
        ASSERT_NE(nullptr, font.holder.m_pFont);
        ASSERT_EQ(row.reported, font.Size()) << row.size;
        LOGFONTW lf = Dirty();
        OleFontToLogFont(font.holder, lf);
        // Nothing but the carried fields is set.
        const LOGFONTW expected = Record(kFace, row.height, FW_NORMAL, 0, 0, 0, ANSI_CHARSET);
        EXPECT_EQ(0, std::memcmp(&expected, &lf, sizeof lf)) << row.size;
        EXPECT_EQ(row.height, lf.lfHeight) << row.size;
    }

    // At one logical unit per point the object reports whole points, and the pixel height
    // truncates: 13.33 px and 10.67 px.
    const struct { LONGLONG size; LONG height; } atPoints[] = {{100000, -13}, {80000, -10}};
    for (const auto& row : atPoints) {
        Font font(kFace, row.size);
        ASSERT_EQ(S_OK, font.holder.m_pFont->SetRatio(72, 2540));
        ASSERT_EQ(row.size, font.Size());
        LOGFONTW lf = Dirty();
        OleFontToLogFont(font.holder, lf);
        EXPECT_EQ(row.height, lf.lfHeight) << row.size;
    }
}

TEST(FontConversion, StyleWeightAndCharacterSetAreCarried)
{
    Font font(kFace, 120000, FW_BOLD, TRUE, TRUE, TRUE, GREEK_CHARSET);
    LOGFONTW lf = Dirty();
    OleFontToLogFont(font.holder, lf);
    const LOGFONTW expected = Record(kFace, -16, FW_BOLD, 1, 1, 1, GREEK_CHARSET);
    EXPECT_EQ(0, std::memcmp(&expected, &lf, sizeof lf));
}

TEST(FontConversion, LogicalFontSetsTheFontObject)
{
    Font font(L"Times New Roman", 100000);
    LogFontToOleFont(Record(kFace, -13, FW_BOLD, 1, 0, 1, RUSSIAN_CHARSET), font.holder);
    EXPECT_EQ(97500, font.Size());      // -13 px is 9.75 pt
    BSTR name = nullptr;
    ASSERT_EQ(S_OK, font.holder.m_pFont->get_Name(&name));
    EXPECT_STREQ(kFace, name);
    ::SysFreeString(name);
    BOOL flag = FALSE;
    font.holder.m_pFont->get_Bold(&flag);
    EXPECT_TRUE(flag);                  // through the weight
    font.holder.m_pFont->get_Italic(&flag);
    EXPECT_TRUE(flag);
    font.holder.m_pFont->get_Underline(&flag);
    EXPECT_FALSE(flag);
    font.holder.m_pFont->get_Strikethrough(&flag);
    EXPECT_TRUE(flag);
    SHORT charset = 0;
    font.holder.m_pFont->get_Charset(&charset);
    EXPECT_EQ(RUSSIAN_CHARSET, charset);

    // A positive (cell) height gives the same size as its negative.
    LogFontToOleFont(Record(kFace, 16, FW_NORMAL, 0, 0, 0, ANSI_CHARSET), font.holder);
    EXPECT_EQ(120000, font.Size());
}

TEST(FontConversion, RoundTripsKeepTheRecord)
{
    for (LONG height : {-13L, -16L, -10L, -30L}) {
        Font font(L"Times New Roman", 100000);
        const LOGFONTW original = Record(kFace, height, FW_SEMIBOLD, 1, 1, 0, EASTEUROPE_CHARSET);
        LogFontToOleFont(original, font.holder);
        LOGFONTW back = Dirty();
        OleFontToLogFont(font.holder, back);
        EXPECT_EQ(0, std::memcmp(&original, &back, sizeof back)) << height;
    }
    // Font to record to font: 9.75 and 12 pt survive; 10 pt was 9.75 pt on screen all along.
    for (LONGLONG size : {97500LL, 120000LL, 100000LL}) {
        Font font(kFace, size, FW_BOLD, TRUE);
        LOGFONTW lf;
        OleFontToLogFont(font.holder, lf);
        Font copy(L"Times New Roman", 80000);
        LogFontToOleFont(lf, copy.holder);
        if (size == 100000) {
            EXPECT_EQ(97500, copy.Size());
        } else {
            EXPECT_EQ(size, copy.Size());
            EXPECT_EQ(S_OK, copy.holder.m_pFont->IsEqual(font.holder.m_pFont)) << size;
        }
    }
}

TEST(FontConversion, FaceNameFillingTheWholeFieldIsTakenWithoutReadingPastIt)
{
    wchar_t full[LF_FACESIZE + 1] = {};
    for (int i = 0; i < LF_FACESIZE; ++i)
        full[i] = L'A' + (i % 26);
    struct
    {
        LOGFONTW lf;
        wchar_t after[4];           // what a reader past the field would take as more name
    } record = {Record(L"", -13, FW_NORMAL, 0, 0, 0, ANSI_CHARSET), {L'X', L'Y', L'Z', 0}};
    std::wmemcpy(record.lf.lfFaceName, full, LF_FACESIZE);
    Font font(kFace, 100000);
    LogFontToOleFont(record.lf, font.holder);

    // Compared before either font is realized, while both still hold the names they were given.
    Font expected(full, 97500);
    EXPECT_EQ(S_OK, font.holder.m_pFont->IsEqual(expected.holder.m_pFont));
}

TEST(FontConversion, HolderWithoutFontGivesZerosAndTakesNothing)
{
    CFontHolder empty(nullptr);
    LOGFONTW lf = Dirty();
    OleFontToLogFont(empty, lf);
    const LOGFONTW zero = {};
    EXPECT_EQ(0, std::memcmp(&zero, &lf, sizeof lf));
    LogFontToOleFont(Record(L"Arial", -13, FW_BOLD, 1, 1, 1, 0), empty);
    EXPECT_EQ(nullptr, empty.m_pFont);
    lf = Dirty();
    QLNZoomFontHolderToLOGFONT(empty, 2.0, lf);
    EXPECT_EQ(0, std::memcmp(&zero, &lf, sizeof lf));
}

TEST(FontConversion, ZoomScalesTheHeightRoundingHalfUp)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct { LONGLONG size; double zoom; LONG height; const char* why; } rows[] = {
        {100000, 1.0, -13, "zoom 1 changes nothing"},
        {100000, 1.5, -19, "-19.5 + 0.5 = -19"},
        {100000, 2.0, -26, "exact"},
        {120000, 1.5, -24, "exact"},
        {100000, 0.5, -6, "-6.5 + 0.5 = -6"},
        {100000, 0.75, -10, "-9.75 + 0.5 = -9.25, floored"},
        {100000, nan, -13, "not a number: unzoomed"},
        {100000, inf, -13, "infinite: unzoomed"},
        {100000, 0.0, -13, "zero: unzoomed"},
        {100000, -2.0, -13, "negative: unzoomed"},
        {100000, 1e300, -INT_MAX, "beyond int: clamped"},
    };
    for (const auto& row : rows) {
        Font font(kFace, row.size, FW_BOLD, TRUE);
        LOGFONTW lf = Dirty();
        QLNZoomFontHolderToLOGFONT(font.holder, row.zoom, lf);
        EXPECT_EQ(row.height, lf.lfHeight) << row.why;
        EXPECT_EQ(FW_BOLD, lf.lfWeight) << row.why;
        EXPECT_EQ(1, lf.lfItalic) << row.why;
        EXPECT_EQ(0, lf.lfWidth) << row.why;
    }
}
