// Conversions between the system's OLE font object and a logical font, at 96 pixels per inch.
#include "QLNFontHolderConversion.h"

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

TEST(FontConversion, NoFontGivesZerosAndTakesNothing)
{
    CFontHolder empty(nullptr);
    const LOGFONTW zero = {};
    LOGFONTW lf = Dirty();
    OleFontToLogFont(empty, lf);
    EXPECT_EQ(0, std::memcmp(&zero, &lf, sizeof lf));
    lf = Dirty();
    QLNFontToLogFont(nullptr, lf);
    EXPECT_EQ(0, std::memcmp(&zero, &lf, sizeof lf));
    lf = Dirty();
    CY size = {};
    size.int64 = 100000;
    QLNGivenFontToLogFont(nullptr, size, kFace, ANSI_CHARSET, lf);
    EXPECT_EQ(0, std::memcmp(&zero, &lf, sizeof lf));
    QLNLogFontToFont(Record(kFace, -13), nullptr, TRUE, &size);
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

TEST(FontConversion, SizesAndHeightsConvertInSixtyFourBitsAtTheExtremes)
{
    // Only the low 32 bits of a size count; the product does not wrap above 4473.9 points.
    const struct { LONGLONG size; LONG height; } toHeight[] = {
        {0, 0}, {7499, 0}, {7500, -1}, {97500, -13}, {100000, -13}, {112500, -15}, {140000, -18},
        {44739243, -5965}, {50000000, -6666}, {AFX_MAX_FONT_SIZE, -21845}, {0xFFFFFFFFLL, -572662},
        {0x100000000LL + 100000, -13}};
    for (const auto& row : toHeight) {
        CY cy;
        cy.int64 = row.size;
        EXPECT_EQ(row.height, QLNFontSizeToHeight(cy)) << row.size;
    }
    // Either sign; beyond the largest size a font can have, that size.
    const struct { LONG height; LONGLONG size; } toSize[] = {
        {0, 0}, {-1, 7500}, {-13, 97500}, {13, 97500}, {-21845, 163837500}, {-21846, AFX_MAX_FONT_SIZE},
        {INT_MAX, AFX_MAX_FONT_SIZE}, {INT_MIN, AFX_MAX_FONT_SIZE}};
    for (const auto& row : toSize)
        EXPECT_EQ(row.size, QLNHeightToFontSize(row.height).int64) << row.height;
    // A size belongs to a height when it lies within that height's pixel.
    const struct { LONGLONG size; LONG height; bool fits; } fit[] = {
        {140000, -19, true}, {142500, -19, true}, {135001, -19, true}, {135000, -19, false}, {150000, -19, false},
        {100000, 13, true}, {0, 0, false}, {-7500, -1, false}, {AFX_MAX_FONT_SIZE, INT_MIN, true},
        {AFX_MAX_FONT_SIZE + 1, INT_MIN, false}};
    for (const auto& row : fit) {
        CY cy;
        cy.int64 = row.size;
        EXPECT_EQ(row.fits, QLNIsSizeOfHeight(cy, row.height) != FALSE) << row.size << " for " << row.height;
    }
}

TEST(FontConversion, WritingBackChangesOnlyWhatDiffersInMeaningAndTakesTheSizeChosen)
{
    const wchar_t kOmega[] = L"\u03A9mega";
    Font font(kOmega, 100000, FW_SEMIBOLD, TRUE);
    IFont* pFont = font.holder.m_pFont;
    LOGFONTW lf = Dirty();
    QLNFontToLogFont(pFont, lf);
    const LOGFONTW given = Record(kOmega, -13, FW_SEMIBOLD, 1);
    EXPECT_EQ(0, std::memcmp(&lf, &given, sizeof lf)) << "as given, the face wide";
    // The same in other letter case, a flag of 2, the cell height: nothing written, so 10
    // points stay 10, not the 9.75 of 13 pixels; a height of 0 is no size.
    for (LONG height : {13L, 0L}) {
        LOGFONTW same = lf;
        same.lfFaceName[1] = L'M';
        same.lfItalic = 2;
        same.lfHeight = height;
        QLNLogFontToFont(same, pFont, TRUE);
        EXPECT_EQ(100000, font.holder.GetFontSize().int64);
        EXPECT_STREQ(kOmega, static_cast<const wchar_t*>(font.holder.GetFontName()));
    }
    // A new height with the size the user chose for it, and with one that is not its size.
    const struct { LONG height; LONGLONG chosen; LONGLONG written; } rows[] = {
        {-19, 140000, 140000}, {-16, 140000, 120000}, {-15, 0, 112500}};
    for (const auto& row : rows) {
        LOGFONTW changed = lf;
        changed.lfHeight = row.height;
        CY cy;
        cy.int64 = row.chosen;
        QLNLogFontToFont(changed, pFont, TRUE, &cy);
        EXPECT_EQ(row.written, font.holder.GetFontSize().int64) << row.height;
    }
    // A face outside the ANSI code page, given through the font object, is kept wide.
    const wchar_t kCjk[] = L"\u660E\u671D \u03A9";
    LOGFONTW cjk = lf;
    ::lstrcpynW(cjk.lfFaceName, kCjk, LF_FACESIZE);
    LogFontToOleFont(cjk, font.holder);
    EXPECT_STREQ(kCjk, static_cast<const wchar_t*>(font.holder.GetFontName()));
    QLNFontToLogFont(pFont, lf);
    EXPECT_STREQ(kCjk, lf.lfFaceName);
}
