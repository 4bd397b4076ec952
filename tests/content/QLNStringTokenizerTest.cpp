// Walking a customized line into prompts and values, on the awkward lines users and old reports
// produce.
#include "CStringPrinter.h"
#include "QLNStringTokenizer.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <utility>
#include <vector>

namespace {

using Items = std::vector<std::pair<std::wstring, BOOL>>;

// The items of a line, walked as the engine walks it. Every item takes at least one character,
// so a line of n characters is done by the (n+1)th call: a walk that goes on is a tokenizer that
// stopped advancing, and fails at once instead of collecting items until memory runs out. A test
// walks its line so before it hands the line to a function that loops over it unseen.
testing::AssertionResult Walk(const wchar_t* text, Items& items)
{
    items.clear();
    CQLNStringTokenizer tokenizer(text);
    CString item;
    BOOL isValue = -7;
    const size_t nMaxCalls = std::wcslen(text) + 1;
    for (size_t nCalls = 1; nCalls <= nMaxCalls; ++nCalls) {
        if (!tokenizer.GetNextString(item, isValue))
            return testing::AssertionSuccess();
        items.emplace_back(item.str(), isValue);
    }
    return testing::AssertionFailure() << "still walking after " << nMaxCalls << " calls on a line of "
                                       << nMaxCalls - 1 << " characters";
}

struct WalkRow
{
    const char* name;
    const wchar_t* text;
    Items expected;
};

const WalkRow kWalkRows[] = {
    {"empty text has no item", L"", {}},
    {"a value alone", L"{RT}", {{L"{RT}", 1}}},
    {"a heading is one prompt", L"Heading:", {{L"Heading:", 0}}},
    {"prompt keeps its trailing blank", L"Data file: {DataFile}", {{L"Data file: ", 0}, {L"{DataFile}", 1}}},
    {"unclosed value runs to the end", L"RT: {RT more", {{L"RT: ", 0}, {L"{RT more", 1}}},
    {"} inside a prompt is ordinary", L"a}b{RT}c", {{L"a}b", 0}, {L"{RT}", 1}, {L"c", 0}}},
    {"second { belongs to the value", L"{A{B}C", {{L"{A{B}", 1}, {L"C", 0}}},
    {"{} is a value with an empty key", L"{}", {{L"{}", 1}}},
    {"adjacent values", L"{RT}{Area}", {{L"{RT}", 1}, {L"{Area}", 1}}},
    {"blank-only prompt between values", L"{RT}  {Area}", {{L"{RT}", 1}, {L"  ", 0}, {L"{Area}", 1}}},
    {"lone }", L"}", {{L"}", 0}}},
    {"lone {", L"{", {{L"{", 1}}},
};

} // namespace

TEST(StringTokenizer, WalksAwkwardLinesIntoPromptsAndValues)
{
    for (const WalkRow& row : kWalkRows) {
        Items items;
        ASSERT_TRUE(Walk(row.text, items)) << row.name;
        EXPECT_EQ(row.expected, items) << row.name;
        int prompts = -1, values = -1;
        CQLNStringTokenizer::GetNumberOfPromptAndValue(row.text, prompts, values);
        int expectedValues = 0;
        for (const auto& item : row.expected)
            expectedValues += item.second ? 1 : 0;
        EXPECT_EQ(expectedValues, values) << row.name;
        EXPECT_EQ(static_cast<int>(row.expected.size()) - expectedValues, prompts) << row.name;
    }
}

TEST(StringTokenizer, WalkKeepsItsPlaceAcrossCopiesAndLeavesTheOutArgumentsAloneAtTheEnd)
{
    CQLNStringTokenizer tokenizer(L"RT: {RT} min");
    CString item;
    BOOL isValue = FALSE;
    EXPECT_EQ(CString(L"RT: {RT} min"), tokenizer.GetRemainingString());
    ASSERT_TRUE(tokenizer.GetNextString(item, isValue));
    EXPECT_EQ(CString(L"{RT} min"), tokenizer.GetRemainingString());

    CQLNStringTokenizer copy(tokenizer);
    ASSERT_TRUE(copy.GetNextString(item, isValue));
    EXPECT_EQ(CString(L"{RT}"), item);
    EXPECT_EQ(CString(L"{RT} min"), tokenizer.GetRemainingString());   // the original did not move
    tokenizer = copy;
    ASSERT_TRUE(tokenizer.GetNextString(item, isValue));
    EXPECT_EQ(CString(), tokenizer.GetRemainingString());

    item = L"kept";
    isValue = 5;
    EXPECT_FALSE(tokenizer.GetNextString(item, isValue));
    EXPECT_FALSE(tokenizer.GetNextString(item, isValue));    // and stays at the end
    EXPECT_EQ(CString(L"kept"), item);
    EXPECT_EQ(5, isValue);
}

TEST(StringTokenizer, LineItemByIndex)
{
    // Past the last item: empty, and the flag of the last item walked.
    const struct { const wchar_t* line; int index; const wchar_t* item; BOOL isValue; } rows[] = {
        {L"Area: {Area} counts", 0, L"Area: ", FALSE}, {L"Area: {Area} counts", 1, L"{Area}", TRUE},
        {L"Area: {Area} counts", 2, L" counts", FALSE}, {L"Area: {Area}", 2, L"", TRUE},
        {L"{Area}", -1, L"", TRUE}, {L"", 0, L"", FALSE},
    };
    for (const auto& row : rows) {
        Items items;
        ASSERT_TRUE(Walk(row.line, items)) << row.index;
        BOOL isValue = -7;
        EXPECT_EQ(CString(row.item), CQLNStringTokenizer::GetLineItem(row.line, row.index, isValue)) << row.index;
        EXPECT_EQ(row.isValue, isValue) << row.index;
    }
}

TEST(StringTokenizer, TrimOffDelimitatorsStripsOnlyTheEnds)
{
    const struct { const wchar_t* in; const wchar_t* out; } rows[] = {
        {L"{RT}", L"RT"},
        {L"{{RT}}", L"RT"},         // doubled braces all go
        {L"{ RT }", L" RT "},       // blanks stay
        {L"{A}{B}", L"A}{B"},       // inner braces stay
        {L"{}", L""},
        {L"RT", L"RT"},
        {L"", L""},
    };
    for (const auto& row : rows) {
        CString text = row.in;
        CQLNStringTokenizer::TrimOffDelimitators(text);
        EXPECT_EQ(CString(row.out), text) << ::testing::PrintToString(std::wstring(row.in));
    }
}

TEST(StringTokenizer, LongestLineWalksToItsEnd)
{
    // A line as long as the line holder hands out, all values: the walk must neither stop early
    // nor take quadratic time.
    std::wstring text;
    while (text.size() + 4 <= CQLNStringTokenizer::m_knStringLength - 1)
        text += L"{RT}";
    Items items;
    ASSERT_TRUE(Walk(text.c_str(), items));
    EXPECT_EQ(text.size() / 4, items.size());
    int prompts = -1, values = -1;
    CQLNStringTokenizer::GetNumberOfPromptAndValue(text.c_str(), prompts, values);
    EXPECT_EQ(0, prompts);
    EXPECT_EQ(static_cast<int>(text.size() / 4), values);
}
