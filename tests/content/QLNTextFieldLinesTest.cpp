// The line index of a text-field string: where a text is cut into lines, how long a line handed
// out may be, and that the text is given back whole. Each row says which rule it checks.
#include "CStringPrinter.h"
#include "QLNTextFieldLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::wstring>;

Lines LinesOf(const CQLNTextFieldLines& index)
{
    Lines lines;
    for (long n = 0; n < index.GetCount(); ++n) {
        const CString line = index.GetLine(n);
        lines.emplace_back(line.GetString(), static_cast<size_t>(line.GetLength()));
    }
    return lines;
}

} // namespace

TEST(TextFieldLines, ATextIsCutAtCarriageReturnPlusLineFeedAndNowhereElse)
{
    const struct { const char* rule; std::wstring text; Lines lines; } rows[] = {
        {"an empty text is one empty line", L"", Lines{L""}},
        {"a break alone: two empty lines", L"\r\n", Lines{L"", L""}},
        {"a break at the end: an empty line follows", L"a\r\n", Lines{L"a", L""}},
        {"form feeds are part of the line", L"One\r\nDefault\f2\fTwo\r\n \t", Lines{L"One", L"Default\f2\fTwo", L" \t"}},
        {"blank lines are lines", L"One\r\n \r\nThree", Lines{L"One", L" ", L"Three"}},
        {"a lone carriage return stays in its line", L"a\rb", Lines{L"a\rb"}},
        {"... also at the end", L"a\r", Lines{L"a\r"}},
        {"of two carriage returns only the last is part of the break", L"a\r\r\nb", Lines{L"a\r", L"b"}},
        {"... also alone", L"\r\r\n", Lines{L"\r", L""}},
        {"... of three also", L"a\r\r\r\nb", Lines{L"a\r\r", L"b"}},
        {"a lone line feed does not break", L"a\nb", Lines{L"a\nb"}},
        {"... nor a line feed then a carriage return", L"a\n\rb", Lines{L"a\n\rb"}},
        {"a line feed after a break starts the next line", L"a\r\n\nb", Lines{L"a", L"\nb"}},
        {"line feeds alone are text", L"\n\r\n\n", Lines{L"\n", L"\n"}},
        {"the lines end at a zero character", std::wstring(L"a\r\nb\0c\r\nd", 9), Lines{L"a", L"b"}},
        {"a zero character at the start leaves one empty line", std::wstring(L"\0a\r\nb", 5), Lines{L""}},
        {"the longest line is handed out whole", std::wstring(32766, L'x') + L"\r\nnext", Lines{std::wstring(32766, L'x'), L"next"}},
        {"one more character is cut", std::wstring(32767, L'x') + L"\r\nnext", Lines{std::wstring(32766, L'x'), L"next"}},
        {"a line far longer is cut at the same length", std::wstring(40000, L'y'), Lines{std::wstring(32766, L'y')}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        CQLNTextFieldLines index;
        index.SetText(CString(row.text.c_str(), static_cast<int>(row.text.size())));
        EXPECT_EQ(row.lines, LinesOf(index));
        // What was given is given back, zero characters and all.
        EXPECT_EQ(row.text, std::wstring(index.GetText().GetString(), static_cast<size_t>(index.GetText().GetLength())));
    }
}

TEST(TextFieldLines, ManyLinesAreEachFoundAndANumberThatIsNoLineGivesNothing)
{
    std::wstring text;
    for (int i = 0; i < 6000; ++i)
        text += L"Line " + std::to_wstring(i) + L"\r\n";
    text += L"Last";
    CQLNTextFieldLines index;
    index.SetText(CString(text.c_str(), static_cast<int>(text.size())));
    ASSERT_EQ(6001, index.GetCount());
    EXPECT_EQ(CString(L"Line 0"), index.GetLine(0));
    EXPECT_EQ(CString(L"Line 5999"), index.GetLine(5999));
    EXPECT_EQ(CString(L"Last"), index.GetLine(6000));
    EXPECT_TRUE(index.GetLine(-1).IsEmpty());
    EXPECT_TRUE(index.GetLine(6001).IsEmpty());

    // A new text replaces the old lines entirely.
    index.SetText(CString(L"one"));
    EXPECT_EQ(1, index.GetCount());
    EXPECT_EQ(CString(L"one"), index.GetLine(0));
}
