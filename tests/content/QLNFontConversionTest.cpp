// Conversions between the system's OLE font object and a logical font, at 96 pixels per inch.
#include "QLNFontConversion.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <cwchar>
#include <limits>
#include <utility>

namespace {

// The font object reports the size of the font it realized, in whole pixels of its ratio (96 to
// the inch unless told otherwise); this face realizes the sizes used here exactly.
const wchar_t kFace[] = L"Liberation Mono";

// A holder with a real font object made from the description.
struct Font
{
    Font(const wchar_t* face, LONGLONG size, SHORT weight = FW_NORMAL, BOOL italic = FALSE, BOOL underline = FALSE,
         BOOL strike = FALSE, SHORT charset = ANSI_CHARSET)
        : holder(nullptr)
    {
        FONTDESC fd = {sizeof fd, const_cast<LPOLESTR>(face), {}, weight, charset, italic, underline, strike};
        fd.cySize.int64 = size;
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

LOGFONTW Record(const wchar_t* face, LONG height, LONG weight = FW_NORMAL, BYTE italic = 0, BYTE underline = 0,
                BYTE strike = 0, BYTE charset = ANSI_CHARSET)
{
    LOGFONTW lf = {height, 0, 0, 0, weight, italic, underline, strike, charset, 0, 0, 0, 0, {}};
    wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

} // namespace

TEST(FontConversion, FontGivesTheRecordWithATruncatedPixelHeightAndNothingElse)
{
    struct { Font font; LONGLONG reported; LOGFONTW expected; } rows[] = {
        {{kFace, 97500}, 97500, Record(kFace, -13)},        // 13 px exactly
        {{kFace, 100000, FW_BOLD, TRUE, FALSE, TRUE, GREEK_CHARSET}, 97500,   // realized at 13 px
         Record(kFace, -13, FW_BOLD, 1, 0, 1, GREEK_CHARSET)},
        {{kFace, 120000, FW_LIGHT, FALSE, TRUE, FALSE, RUSSIAN_CHARSET}, 120000,
         Record(kFace, -16, FW_LIGHT, 0, 1, 0, RUSSIAN_CHARSET)},
    };
    for (auto& row : rows) {
        ASSERT_NE(nullptr, row.font.holder.m_pFont);
        ASSERT_EQ(row.reported, row.font.Size());
        LOGFONTW lf = Dirty();
        OleFontToLogFont(row.font.holder, lf);
        EXPECT_EQ(0, std::memcmp(&row.expected, &lf, sizeof lf)) << row.reported << ": height " << lf.lfHeight;
    }

    // At one logical unit per point the object reports whole points, and the pixel height
    // truncates: 13.33 px and 10.67 px.
    for (const auto& row : {std::pair<LONGLONG, LONG>{100000, -13}, {80000, -10}}) {
        Font font(kFace, row.first);
        ASSERT_EQ(S_OK, font.holder.m_pFont->SetRatio(72, 2540));
        ASSERT_EQ(row.first, font.Size());
        LOGFONTW lf = Dirty();
        OleFontToLogFont(font.holder, lf);
        EXPECT_EQ(row.second, lf.lfHeight) << row.first;
    }
}

TEST(FontConversion, RecordSetsTheFontAndComesBackUnchanged)
{
    // A height of -13 is 9.75 pt; a positive (cell) height gives the size of its negative.
    const struct { LONG height; LONGLONG size; } rows[] = {{-13, 97500}, {-16, 120000}, {-10, 75000}, {-30, 225000}, {16, 120000}};
    for (const auto& row : rows) {
        Font font(L"Times New Roman", 100000);
        const LOGFONTW original = Record(kFace, row.height, FW_SEMIBOLD, 1, 1, 0, EASTEUROPE_CHARSET);
        LogFontToOleFont(original, font.holder);
        EXPECT_EQ(row.size, font.Size()) << row.height;
        LOGFONTW back = Dirty();
        OleFontToLogFont(font.holder, back);
        const LOGFONTW expected = Record(kFace, row.height < 0 ? row.height : -row.height, FW_SEMIBOLD, 1, 1, 0,
                                         EASTEUROPE_CHARSET);
        EXPECT_EQ(0, std::memcmp(&expected, &back, sizeof back)) << row.height;
    }
}

TEST(FontConversion, FaceNameFillingTheWholeFieldIsTakenWithoutReadingPastIt)
{
    wchar_t full[LF_FACESIZE + 1] = {};
    for (int i = 0; i < LF_FACESIZE; ++i)
        full[i] = L'A' + (i % 26);
    // What follows the field is what a reader past it would take as more name.
    struct { LOGFONTW lf; wchar_t after[4]; } record = {Record(L"", -13), {L'X', L'Y', L'Z', 0}};
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
    const LOGFONTW zero = {};
    LOGFONTW lf = Dirty();
    OleFontToLogFont(empty, lf);
    EXPECT_EQ(0, std::memcmp(&zero, &lf, sizeof lf));
    lf = Dirty();
    QLNZoomFontHolderToLOGFONT(empty, 2.0, lf);
    EXPECT_EQ(0, std::memcmp(&zero, &lf, sizeof lf));
    LogFontToOleFont(Record(L"Arial", -13, FW_BOLD, 1, 1, 1), empty);
    EXPECT_EQ(nullptr, empty.m_pFont);
}

TEST(FontConversion, ZoomScalesTheHeightRoundingHalfUp)
{
    const struct { double zoom; LONG height; const char* why; } rows[] = {
        {1.0, -13, "zoom 1 changes nothing"},
        {1.5, -19, "-19.5 + 0.5 = -19"},
        {2.0, -26, "exact"},
        {0.75, -10, "-9.75 + 0.5 = -9.25, floored"},
        {std::numeric_limits<double>::quiet_NaN(), -13, "not a number: unzoomed"},
        {std::numeric_limits<double>::infinity(), -13, "infinite: unzoomed"},
        {0.0, -13, "zero: unzoomed"},
        {-2.0, -13, "negative: unzoomed"},
        {1e300, -INT_MAX, "beyond int: clamped"},
    };
    Font font(kFace, 100000, FW_BOLD, TRUE);
    for (const auto& row : rows) {
        LOGFONTW lf = Dirty();
        QLNZoomFontHolderToLOGFONT(font.holder, row.zoom, lf);
        const LOGFONTW expected = Record(kFace, row.height, FW_BOLD, 1);
        EXPECT_EQ(0, std::memcmp(&expected, &lf, sizeof lf)) << row.why << ": " << lf.lfHeight;
    }
}
