// How a text is cut into runs of one font each, over three made-up fonts whose letters are known
// by the character: the own font (0) has Latin, Greek, Cyrillic and the combining marks; font 1
// has Hebrew and Arabic with spaces, digits and a colon, as DejaVu Sans does; font 2 has the
// Chinese characters, Latin letters and spaces, as WenQuanYi does, and the one character outside
// the basic plane that a row gives it.
#include "QLNFontRuns.h"

#include <gtest/gtest.h>

#include <string>

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
