// The readable property text that the hosts' property-bag and data files hold: the sample data
// file, the form's rules one row each with what a reader must get or be told, and values of
// every kind of character written and read back.
#include "CQLNPropertyText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Properties = std::vector<CQLNPropertyText::Property>;

std::string SampleData()
{
    std::ifstream in(QLN_SAMPLE_DATA, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Wide text shown in ASCII: other characters as <hex>, so that a row names every code unit.
std::string Show(const std::wstring& text)
{
    std::string shown;
    for (wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            shown += static_cast<char>(c);
        } else {
            char buf[16];
            std::snprintf(buf, sizeof buf, "<%X>", static_cast<unsigned>(c));
            shown += buf;
        }
    }
    return shown;
}

std::string Describe(const std::string& text)
{
    Properties properties;
    std::wstring error;
    if (!CQLNPropertyText::Parse(text, properties, error))
        return "error: " + Show(error);
    std::string seen;
    for (const auto& property : properties)
        seen += (seen.empty() ? "" : "; ") + Show(property.name) + "=" + Show(property.value);
    return seen.empty() ? "nothing" : seen;
}

TEST(CQLNPropertyText, TheSampleDataReadsWithItsRowsAndCharacters)
{
    Properties properties;
    std::wstring error;
    ASSERT_TRUE(CQLNPropertyText::Parse(SampleData(), properties, error)) << Show(error);
    auto value = [&](const wchar_t* name) {
        for (const auto& property : properties)
            if (property.name == name)
                return Show(property.value);
        return std::string("(none)");
    };
    EXPECT_EQ("Caffeine standard, 5 <B5>g/mL", value(L"SampName"));
    EXPECT_EQ("4.23456", value(L"RT"));
    EXPECT_EQ("Theobromine", value(L"Row1.CompName"));
    EXPECT_EQ("Caffeine", value(L"Row3.CompName"));
    // The comment at its head is no property.
    EXPECT_EQ("DataFile", Show(properties.front().name));
}

TEST(CQLNPropertyText, EachRuleOfTheFormIsKeptAndEachBreakIsSaidWithItsLine)
{
    const struct { const char* rule; std::string text; const char* seen; } rows[] = {
        {"a text without the heading is read to its end", "A=1\nB=2\n", "A=1; B=2"},
        {"lines may end in CR LF or LF, the last without either", "A=1\r\nB=2", "A=1; B=2"},
        {"blank lines and comments are passed over", "# note\n\nA=1\n#B=2\n", "A=1"},
        {"a byte-order mark before the first line is no part of it", "\xEF\xBB\xBF" "A=1\n", "A=1"},
        {"a value is everything after the first =", "Formula=a=b\n", "Formula=a=b"},
        {"an empty value is a value", "A=\n", "A="},
        {"a headed text ends with its closing line and the break after it",
         "[Properties]\r\nA=1\r\n[End: 1 property]\r\n", "A=1"},
        {"the closing line counts properties in the plural", "[Properties]\nA=1\nB=2\n[End: 2 properties]\n", "A=1; B=2"},
        {"a headed text of no properties", "[Properties]\n[End: 0 properties]\n", "nothing"},
        {"the escapes of the backslash and the control characters",
         "A=x\\\\y\\r\\n\\f\\t\\u0001\\u00e9\n", "A=x\\y<D><A><C><9><1><E9>"},
        {"UTF-8 of three and four bytes: one code unit, and a surrogate pair",
         "A=\xE2\x82\xAC\xF0\x9F\x98\x80\n", "A=<20AC><D83D><DE00>"},
        {"an escaped lone surrogate is kept", "A=\\uD800\n", "A=<D800>"},
        {"names may hold UTF-8 and dots, as table rows do", "Row1.Gr\xC3\xB6\xC3\x9F" "e=1\n", "Row1.Gr<F6><DF>e=1"},
        {"nothing at all", "", "error: the file is empty"},
        {"a line with no =", "A=1\nB\n", "error: line 2 is not of the form Name=value"},
        {"a line with no name", "=1\n", "error: line 1 is not of the form Name=value"},
        {"an escape that is none", "A=\\q\n", "error: line 1 is not of the form Name=value"},
        {"a backslash at the end of a value", "A=x\\\n", "error: line 1 is not of the form Name=value"},
        {"\\u with fewer than four digits", "A=\\u12\n", "error: line 1 is not of the form Name=value"},
        {"\\u with a digit that is not hexadecimal", "A=\\u12G4\n", "error: line 1 is not of the form Name=value"},
        {"a byte that starts no UTF-8 sequence", "A=\xFF\n", "error: line 1 is not of the form Name=value"},
        {"an overlong sequence", "A=\xC0\xAF\n", "error: line 1 is not of the form Name=value"},
        {"a surrogate written in UTF-8", "A=\xED\xA0\x80\n", "error: line 1 is not of the form Name=value"},
        {"a sequence cut at the end", "A=\xE2\x82", "error: line 1 is not of the form Name=value"},
        {"beyond the last code point", "A=\xF4\x90\x80\x80\n", "error: line 1 is not of the form Name=value"},
        {"invalid UTF-8 in a name", "\xC3=1\n", "error: line 1 is not of the form Name=value"},
        {"a name given twice", "A=1\nA=2\n", "error: line 2 repeats the property A"},
        {"a headed text cut before its closing line", "[Properties]\nA=1\n",
         "error: the file is cut short: it ends after line 2 without its closing line"},
        {"a headed text cut just before its last break", "[Properties]\nA=1\n[End: 1 property]",
         "error: the file is cut short in its closing line"},
        {"a closing line that counts other than the properties before it", "[Properties]\nA=1\n[End: 2 properties]\n",
         "error: line 3 is not the closing line of the 1 properties before it"},
        {"a line after the closing line", "[Properties]\n[End: 0 properties]\nA=1\n", "error: line 3 follows the closing line"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(row.seen, Describe(row.text));
    }
}

TEST(CQLNPropertyText, ValuesOfEveryKindOfCharacterReadBackAsWritten)
{
    const Properties written = {
        {L"Plain", L"Sample 1"},
        {L"Empty", L""},
        {L"Breaks", L"line\r\nnext\n\r\f\t"},
        {L"Backslashes", L"C:\\data\\\\"},
        {L"Controls", std::wstring(L"\x01\x1F\x7F") + L'\0' + L"end"},
        {L"Scripts", L"\u00b5g \u03b2 \u4e2d\u6587 \u0627\u0644"},
        {L"Pair", L"\xD83D\xDE00"},
        {L"LoneHigh", L"a\xD800"},
        {L"LoneLow", L"\xDC00z"},
        {L"Braces", L"{RT} [x] # =="},
        {L"Row12.Name\u00e9", L"value"},
    };
    const std::string text = CQLNPropertyText::Format(written);
    EXPECT_EQ(0u, text.find("[Properties]\r\n"));
    EXPECT_NE(std::string::npos, text.find("\r\n[End: 11 properties]\r\n"));
    Properties read;
    std::wstring error;
    ASSERT_TRUE(CQLNPropertyText::Parse(text, read, error)) << Show(error);
    ASSERT_EQ(written.size(), read.size());
    for (size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(Show(written[i].name));
        EXPECT_EQ(written[i].name, read[i].name);
        EXPECT_EQ(Show(written[i].value), Show(read[i].value));
    }
    // Every value is one line of valid UTF-8: a reader that knows nothing of the escapes still
    // reads the text.
    std::wstring wide;
    EXPECT_TRUE(CQLNPropertyText::FromUtf8(text, wide));
    EXPECT_EQ(written.size() + 2, static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
}

TEST(CQLNPropertyText, NamesThatWouldReadAsSomethingElseAreNoNames)
{
    const struct { const char* rule; std::wstring name; bool bName; } rows[] = {
        {"a plain name", L"SampName", true},
        {"a table row's key", L"Row3.CompName", true},
        {"a name with blanks and brackets inside", L"A [b] #c", true},
        {"empty", L"", false},
        {"an = would end the name early", L"A=B", false},
        {"a carriage return would end the line", L"A\rB", false},
        {"a line feed would end the line", L"A\nB", false},
        {"# would make the line a comment", L"#A", false},
        {"[ would read as the heading or the closing line", L"[End: 0 properties]", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(row.bName, CQLNPropertyText::IsName(row.name));
    }
}

} // namespace
