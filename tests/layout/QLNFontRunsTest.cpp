// How a text is cut into runs of one font each, over three made-up fonts whose letters are known
// by the character: the own font (0) has Latin, Greek, Cyrillic and the combining marks; font 1
// has Hebrew and Arabic with spaces, digits and a colon, as DejaVu Sans does; font 2 has the
// Chinese characters, Latin letters and spaces, as WenQuanYi does, and the one character outside
// the basic plane that a row gives it.
#include "QLNFontRuns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool Has(const std::wstring& text, int nFont, int nAt)
{
    const wchar_t ch = text[static_cast<size_t>(nAt)];
    const bool bPunctuation = ch == L' ' || ch == L':' || (ch >= L'0' && ch <= L'9');
    switch (nFont) {
    case 0:
        return ch < 0x0590 && !(ch >= 0xD800 && ch <= 0xDFFF);
    case 1:
        return (ch >= 0x0590 && ch <= 0x06FF && ch != 0x05C1) || bPunctuation;
    case 2:
        return (ch >= 0x4E00 && ch <= 0x9FFF) || (ch >= L'a' && ch <= L'z') || ch == L' ' || ch == 0xD83D;
    default:
        return false;
    }
}

// "start+length:font" for each run.
std::wstring Runs(const std::wstring& text)
{
    std::wstring shown;
    for (const CQLNFontRuns::Run& run : CQLNFontRuns::Split(text.c_str(), static_cast<int>(text.size()), 3,
                                                            [&](int nFont, int nAt) { return Has(text, nFont, nAt); }))
        shown += std::to_wstring(run.nStart) + L"+" + std::to_wstring(run.nLength) + L":" + std::to_wstring(run.nFont) + L" ";
    return shown;
}

TEST(FontRuns, SplitFollowsTheFallbackRules)
{
    const struct { const char* rule; const wchar_t* text; const wchar_t* runs; } rows[] = {
        {"a text its own font has whole is one run of it", L"Abc, \u0434\u0436 1", L"0+9:0 "},
        {"a letter the own font lacks takes the first font that has it", L"a\u65E5", L"0+1:0 1+1:2 "},
        // Font 2 has Latin letters too, but the own font comes first for a letter.
        {"a letter goes back to the own font after a run of another", L"\u65E5ab", L"0+1:2 1+2:0 "},
        {"spaces between words of one script stay in their run", L"\u05D6\u05DE\u05DF \u05E9\u05D4", L"0+6:1 "},
        // The own font has a colon and spaces, but the Hebrew run's font has them as well.
        {"punctuation the run's font has stays in it", L"\u05D6\u05DE: \u05D3\u05D2", L"0+6:1 "},
        {"punctuation the run's font lacks goes to the first font that has it", L"\u65E5:\u65E5", L"0+1:2 1+1:0 2+1:2 "},
        {"a neutral at the start is the own font's", L" \u05D6", L"0+1:0 1+1:1 "},
        // U+05C1, a Hebrew point, is in none of the fonts here: it stays with its letter anyway.
        {"a combining mark stays with its letter", L"\u05E9\u05C1\u05DC", L"0+3:1 "},
        {"a combining mark the own font has stays in the own run", L"e\u0301t\u0301", L"0+4:0 "},
        {"a joiner stays in its run", L"\u0628\u200D\u0628", L"0+3:1 "},
        {"a letter no font has stays in the run before it", L"\u65E5\u0E01\u65E5", L"0+3:2 "},
        {"a letter no font has at the start is the own font's", L"\u0E01a", L"0+2:0 "},
        {"a surrogate pair is one character", L"a\U0001F600b", L"0+1:0 1+2:2 3+1:0 "},
        {"a surrogate pair no font has stays in its run", L"a\U0001D11Eb", L"0+4:0 "},
        {"a lone surrogate is one character", L"a\xD800" L"b", L"0+3:0 "},
        {"an empty text has no runs", L"", L""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(std::wstring(row.runs), Runs(row.text));
    }
}

// "start+length:font@level" for each run, in the order drawn from the left.
std::wstring Drawn(const std::wstring& text, CQLNFontRuns::Reading reading)
{
    const int nLength = static_cast<int>(text.size());
    const auto runs = CQLNFontRuns::Split(text.c_str(), nLength, 3, [&](int nFont, int nAt) { return Has(text, nFont, nAt); });
    std::wstring shown;
    for (const CQLNFontRuns::Run& run : CQLNFontRuns::InVisualOrder(text.c_str(), nLength, runs, reading))
        shown += std::to_wstring(run.nStart) + L"+" + std::to_wstring(run.nLength) + L":" + std::to_wstring(run.nFont) +
                 L"@" + std::to_wstring(run.nLevel) + L" ";
    return shown;
}

TEST(FontRuns, RunsAreDrawnInTheOrderOfTheWholeLine)
{
    const auto ltr = CQLNFontRuns::Reading::LeftToRight;
    const auto rtl = CQLNFontRuns::Reading::RightToLeft;
    const struct { const char* rule; const wchar_t* text; CQLNFontRuns::Reading reading; const wchar_t* drawn; } rows[] = {
        {"a left-to-right text of one font is one run at level 0", L"Abc 12", ltr, L"0+6:0@0 "},
        // The space after the Hebrew word sits between it and a Latin letter: the line's own
        // direction, level 0, so the Hebrew run is cut before it.
        {"read left to right, Hebrew, a Latin word and Hebrew stay in their places",
         L"\u05D6\u05DE abc \u05D3\u05D2", ltr, L"0+2:1@1 2+1:1@0 3+4:0@0 7+2:1@1 "},
        // The same line read right to left: the spaces next to Hebrew are right to left, the
        // Latin word is one level up inside the sequence, which is drawn from its end.
        {"read right to left, the last Hebrew word is drawn first and the Latin word between",
         L"\u05D6\u05DE abc \u05D3\u05D2", rtl, L"7+2:1@1 6+1:0@1 3+3:0@2 0+3:1@1 "},
        // '+' is in the own font only; between two right-to-left words it is right to left too,
        // so all three runs form one sequence drawn from its end, though they are in two fonts.
        {"a sign in another font between right-to-left words is drawn between them from the right",
         L"\u05D6\u05DE+\u05D3\u05D2", ltr, L"3+2:1@1 2+1:0@1 0+2:1@1 "},
        {"an Arabic word and a Hebrew word form one sequence, the Arabic drawn at the left",
         L"\u05E2\u05D1 \u0639\u0631", ltr, L"0+5:1@1 "},
        // Digits after a right-to-left letter go one level above it and keep their own order.
        {"a number after a Hebrew word is drawn left of it, in its own order", L"\u05D6 12", ltr,
         L"2+2:1@2 0+2:1@1 "},
        {"read right to left, a Latin word of the own font is one run a level up", L"abc", rtl, L"0+3:0@2 "},
        {"Chinese between right-to-left words is left to right and stays between them",
         L"\u05D6 \u65E5 \u05D3", ltr, L"0+1:1@1 1+1:1@0 2+2:2@0 4+1:1@1 "},
        {"an empty text has no runs", L"", ltr, L""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(std::wstring(row.drawn), Drawn(row.text, row.reading));
    }
}

TEST(FontRuns, RunsThatDoNotCoverTheTextAreNotReordered)
{
    const wchar_t text[] = L"\u05D6\u05DE+\u05D3\u05D2";
    // A gap, an overlap and a run past the end: the caller's runs come back as they were.
    const std::vector<std::vector<CQLNFontRuns::Run>> bad = {
        {{0, 2, 1}, {3, 2, 1}},
        {{0, 3, 1}, {2, 3, 0}},
        {{0, 2, 1}, {2, 9, 0}},
    };
    for (const auto& runs : bad) {
        const auto drawn = CQLNFontRuns::InVisualOrder(text, 5, runs, CQLNFontRuns::Reading::LeftToRight);
        ASSERT_EQ(runs.size(), drawn.size());
        for (size_t k = 0; k < runs.size(); ++k)
            EXPECT_EQ(runs[k].nStart, drawn[k].nStart);
    }
    EXPECT_TRUE(CQLNFontRuns::InVisualOrder(nullptr, 5, bad[0], CQLNFontRuns::Reading::RightToLeft).size() == 2);
}

TEST(FontRuns, ABadTextHasNoRuns)
{
    const auto none = [](int, int) { return true; };
    EXPECT_TRUE(CQLNFontRuns::Split(nullptr, 4, 3, none).empty());
    EXPECT_TRUE(CQLNFontRuns::Split(L"abc", -1, 3, none).empty());
    // Without fonts to ask every character stays in the own font.
    const auto runs = CQLNFontRuns::Split(L"a\u65E5", 2, 0, none);
    ASSERT_EQ(1u, runs.size());
    EXPECT_EQ(0, runs[0].nFont);
    EXPECT_EQ(2, runs[0].nLength);
}

} // namespace
