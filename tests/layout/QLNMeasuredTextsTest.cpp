// The measurements a drawing pass keeps: which questions a kept measurement answers, with
// which numbers, and when it is gone. Widths are made up so that each prefix has its own.
#include "QLNMeasuredTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Widths of a measurement of text: character i is i + 2 pixels wide, the text 16 high.
std::vector<int> ExtentsOf(const std::wstring& text, int nFirstWidth = 2)
{
    std::vector<int> extents;
    int x = 0;
    for (size_t i = 0; i < text.size(); ++i)
        extents.push_back(x += nFirstWidth + static_cast<int>(i));
    return extents;
}

void Keep(CQLNMeasuredTexts& kept, int nRole, const std::wstring& text, int nFirstWidth = 2)
{
    const std::vector<int> extents = ExtentsOf(text, nFirstWidth);
    kept.Add(nRole, text.c_str(), static_cast<int>(text.size()), extents.data(), 16);
}

TEST(MeasuredTexts, APrefixOfAKeptTextIsAnsweredFromItsMeasurement)
{
    CQLNMeasuredTexts kept;
    Keep(kept, 1, L"Retention time:");
    Keep(kept, 2, L"{RT}", 5);
    const struct
    {
        const char* why;
        int nRole;
        const wchar_t* text;
        int nCount;
        bool bFound;
        LONG cx;
    } rows[] = {
        {"the whole text", 1, L"Retention time:", 15, true, 2 * 15 + 14 * 15 / 2},
        {"a prefix", 1, L"Retention", 9, true, 2 * 9 + 8 * 9 / 2},
        {"one letter", 1, L"R", 1, true, 2},
        {"a prefix given with a longer string", 1, L"Retention period", 9, true, 2 * 9 + 8 * 9 / 2},
        {"longer than the kept text", 1, L"Retention time: 4.2", 19, false, 0},
        {"another text of the same length", 1, L"Retention TIME:", 15, false, 0},
        {"not at the start", 1, L"time:", 5, false, 0},
        {"the same text in another role", 2, L"Retention", 9, false, 0},
        {"the other role's text", 2, L"{RT}", 4, true, 5 + 6 + 7 + 8},
        {"a role never measured", 0, L"{RT}", 4, false, 0},
        {"no characters", 1, L"Retention", 0, false, 0},
        {"a negative count", 1, L"Retention", -1, false, 0},
        {"no string", 1, nullptr, 3, false, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        SIZE size = {-1, -1};
        EXPECT_EQ(row.bFound, kept.Find(row.nRole, row.text, row.nCount, size));
        if (row.bFound) {
            EXPECT_EQ(row.cx, size.cx);
            EXPECT_EQ(16, size.cy);
        }
        EXPECT_EQ(row.bFound, kept.Extents(row.nRole, row.text, row.nCount) != nullptr);
    }
}

TEST(MeasuredTexts, ExtentsOfAPrefixAreTheWidthsOfItsOwnPrefixes)
{
    CQLNMeasuredTexts kept;
    Keep(kept, 1, L"Area: 12.5");
    const int* pExtents = kept.Extents(1, L"Area:", 5);
    ASSERT_NE(nullptr, pExtents);
    EXPECT_EQ((std::vector<int>{2, 5, 9, 14, 20}), std::vector<int>(pExtents, pExtents + 5));
    SIZE size;
    ASSERT_TRUE(kept.Find(1, L"Area:", 5, size));
    EXPECT_EQ(size.cx, pExtents[4]) << "the last is the width Find gives";
    EXPECT_EQ(nullptr, kept.Extents(1, L"Area; ", 5)) << "another text";
}

TEST(MeasuredTexts, TheOldestGoesOnceEightAreKeptAndClearForgetsAll)
{
    CQLNMeasuredTexts kept;
    std::vector<std::wstring> texts;
    for (int i = 0; i < 9; ++i)
        texts.push_back(L"Peak " + std::to_wstring(i));
    SIZE size;
    for (size_t i = 0; i < 8; ++i)
        Keep(kept, 1, texts[i]);
    for (size_t i = 0; i < 8; ++i)
        EXPECT_TRUE(kept.Find(1, texts[i].c_str(), 6, size)) << i;
    Keep(kept, 1, texts[8]);
    EXPECT_FALSE(kept.Find(1, texts[0].c_str(), 6, size)) << "the first is replaced";
    for (size_t i = 1; i < 9; ++i)
        EXPECT_TRUE(kept.Find(1, texts[i].c_str(), 6, size)) << i;
    kept.Clear();
    for (const std::wstring& text : texts)
        EXPECT_FALSE(kept.Find(1, text.c_str(), 6, size)) << "after Clear";
    Keep(kept, 1, L"after");
    EXPECT_TRUE(kept.Find(1, L"after", 5, size)) << "kept again after Clear";
}

} // namespace
