// The text fields handed out line by line: what counts as a line, what part of a stored line a
// caller gets, and the content a new control starts with.
#include "CountingMetaFileDC.h"
#include "QLNTextFieldLines.h"
#include "SampleObject.h"
#include "TestTextCtrl.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

class TextCtrlLine : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(S_OK, ctrl.InitNew()); }

    std::wstring Line(long n, long* pnResult = nullptr)
    {
        BSTR text = nullptr;
        const long nResult = ctrl.GetLine(n, &text);
        if (pnResult != nullptr)
            *pnResult = nResult;
        std::wstring line(text, ::SysStringLen(text));
        ::SysFreeString(text);
        return line;
    }

    TestTextCtrl ctrl;
};

// The lines of an edit window as EM_GETLINECOUNT and EM_GETLINE give them, read as the line
// holder is read: a buffer of 32767 characters whose first slot holds the capacity 32766.
std::vector<std::wstring> EditLines(HWND hEdit)
{
    std::vector<std::wstring> lines;
    const int nCount = static_cast<int>(::SendMessageW(hEdit, EM_GETLINECOUNT, 0, 0));
    std::vector<wchar_t> buffer(32767);
    for (int i = 0; i < nCount; ++i) {
        buffer[0] = 32766;
        const LRESULT n = ::SendMessageW(hEdit, EM_GETLINE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer.data()));
        lines.emplace_back(buffer.data(), static_cast<size_t>(n));
    }
    return lines;
}

// A line as a failure message shows it: control characters escaped, a long line shortened to
// its ends and its length.
std::string Shown(const std::wstring& line)
{
    std::string out = "\"";
    for (size_t i = 0; i < line.size(); ++i) {
        if (line.size() > 40 && i == 16) {
            out += "...(" + std::to_string(line.size()) + " characters)...";
            i = line.size() - 16;
        }
        const wchar_t ch = line[i];
        char hex[8];
        snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned>(ch));
        out += ch >= 32 && ch < 127 ? std::string(1, static_cast<char>(ch)) : std::string(hex);
    }
    return out + "\"";
}

std::string Shown(const std::vector<std::wstring>& lines)
{
    std::string out;
    for (const std::wstring& line : lines)
        out += Shown(line) + " ";
    return out;
}

std::wstring Trimmed(const std::wstring& text)
{
    CString s(text.c_str(), static_cast<int>(text.size()));
    s.Trim();
    return std::wstring(s.GetString(), static_cast<size_t>(s.GetLength()));
}

} // namespace

// The text goes to the line holder, a real edit window; the index splits the same text on its
// own. Both must give the same lines, the host's GetLine and GetLineCount must hand out those
// lines, and a drawing must show them. Lines without braces are headings: with a cell as wide
// as this one, each non-blank line is drawn as one piece, its customized part trimmed.
TEST_F(TextCtrlLine, IndexHostAndDrawingSeeTheLinesOfTheLineHolder)
{
    std::wstring manyLines;
    for (int i = 0; i < 6000; ++i)
        manyLines += L"Line " + std::to_wstring(i) + L"\r\n";
    manyLines += L"Last";
    struct Row
    {
        std::wstring text;
        const char* why;
    } rows[] = {
        {L"", "an empty text is one empty line"},
        {L"\r\n", "a break alone: two empty lines"},
        {L"One\r\nDefault\f2\fTwo\r\n \t", "form feeds and a trailing blank line"},
        {L"a\r\n", "a break at the end: an empty line follows"},
        {L"a\r\r\nb", "a soft break takes both carriage returns"},
        {L"\r\r\n", "a soft break alone"},
        {L"a\r\r\r\nb", "only the carriage return next to a soft break goes"},
        {L"a\rb", "a lone carriage return stays in its line"},
        {L"a\r", "... also at the end"},
        {L"a\nb", "a lone line feed breaks"},
        {L"a\n\rb", "a line feed then a carriage return: the return starts the next line"},
        {L"a\r\n\nb", "a line feed after a break is an empty line"},
        {std::wstring(32766, L'x') + L"\r\nnext", "the longest line handed out whole"},
        {std::wstring(32767, L'x') + L"\r\nnext", "one more character is cut"},
        {std::wstring(40000, L'x') + L"\r\nnext", "longer than the edit control's default limit"},
        {manyLines, "a text of many lines, longer than the default limit"},
        {std::wstring(L"a\r\nb\0c\r\nd", 9), "the text ends at a zero character"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        ctrl.SetTextFields(r.text.c_str());
        const std::vector<std::wstring> holder = EditLines(ctrl.GetCEditReference().m_hWnd);
        ASSERT_FALSE(holder.empty());

        CQLNTextFieldLines index;
        index.SetText(CString(r.text.c_str(), static_cast<int>(r.text.size())));
        ASSERT_EQ(static_cast<int>(holder.size()), index.GetCount());
        long nLastText = -1;
        std::vector<std::wstring> expectedPieces;
        for (size_t i = 0; i < holder.size(); ++i) {
            const long n = static_cast<long>(i);
            const CString line = index.GetLine(n);
            ASSERT_TRUE(holder[i] == line.GetString()) << "line " << i << ": the holder's " << Shown(holder[i])
                                                       << ", the index's " << Shown(line.GetString());
            long nResult = -1;
            const std::wstring shown = Line(n, &nResult);
            const CString customized = CQLNDefaultText::GetCustomizedLine(line);
            ASSERT_TRUE(shown == customized.GetString()) << "line " << i << ": GetLine hands out " << Shown(shown);
            ASSERT_EQ(static_cast<long>(holder[i].size()), nResult) << "line " << i;
            if (!Trimmed(shown).empty()) {
                nLastText = n;
                expectedPieces.push_back(Trimmed(shown));
            }
        }
        EXPECT_TRUE(index.GetLine(index.GetCount()).IsEmpty());
        EXPECT_TRUE(index.GetLine(-1).IsEmpty());
        EXPECT_EQ(nLastText + 1, ctrl.GetLineCount());

        CountingMetaFileDC dc;
        ASSERT_TRUE(dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
        const CRect bounds(0, 0, 1000000, 1000000);
        ctrl.OnDraw(&dc, bounds, bounds);
        ::DeleteEnhMetaFile(dc.CloseEnhanced());
        EXPECT_TRUE(expectedPieces == dc.m_pieces) << "drawn " << Shown(dc.m_pieces);
    }
}

TEST_F(TextCtrlLine, DefaultContentIsOneLinePerCatalogueItem)
{
    EXPECT_EQ(3, ctrl.GetLineCount());
    // Each line holds the item text twice, as default and as customized text, around its
    // decimal setting: -1 where the item has none.
    BSTR all = ctrl.GetTextFields();
    EXPECT_EQ(std::wstring(L"Heading:\f-1\fHeading:\r\n"
                           L"Sample name: {SampName}\f-1\fSample name: {SampName}\r\n"
                           L"Amount: {CalcAmt}\f2\fAmount: {CalcAmt}"),
              std::wstring(all, ::SysStringLen(all)));
    ::SysFreeString(all);
    BSTR title = ctrl.GetTitle();
    EXPECT_EQ(std::wstring(L"Test Report"), std::wstring(title, ::SysStringLen(title)));
    ::SysFreeString(title);
    // A heading alone: the text handed out is the customized line, the result the length of
    // the whole stored line (8 + 1 + 2 + 1 + 8).
    long nResult = 0;
    EXPECT_EQ(L"Heading:", Line(0, &nResult));
    EXPECT_EQ(20, nResult);
    EXPECT_EQ(L"Amount: {CalcAmt}", Line(2, &nResult));
    EXPECT_EQ(37, nResult);
}

TEST_F(TextCtrlLine, OnlyTrailingBlankLinesAreLeftOut)
{
    struct Row
    {
        const wchar_t* text;
        long count;
        const char* why;
    } rows[] = {
        {L"One\r\n\r\n  \t", 1, "blank and white-space lines at the end"},
        {L"One\r\n\r\nThree", 3, "a blank line between two lines counts"},
        {L"One\r\n \r\nThree\r\n \r\n", 3, "between counts, after does not"},
        {L"   ", 0, "nothing but white space"},
        {L"\r\n\r\n", 0, "nothing but line breaks"},
        {L"Default\f2\f   ", 0, "a blank customized part is blank, whatever the default text"},
        {L"Default\f2\f  \r\nTwo", 2, "... but counts when a line follows"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        ctrl.SetTextFields(r.text);
        EXPECT_EQ(r.count, ctrl.GetLineCount());
    }
}

TEST_F(TextCtrlLine, LineHandsOutTheCustomizedPartAndReturnsTheWholeLength)
{
    ctrl.SetTextFields(L"Plain line without form feed\r\n"
                       L"Default\f3\fCustom {Token}\r\n"
                       L"\r\n"
                       L"A\fB");
    struct Row
    {
        long line;
        const wchar_t* text;
        long result;
        const char* why;
    } rows[] = {
        {0, L"Plain line without form feed", 28, "no form feed: the whole line"},
        {1, L"Custom {Token}", 24, "after the last form feed"},
        {2, L"", 0, "a blank line between"},
        {3, L"B", 3, "one form feed"},
        {4, L"", 0, "past the last line"},
        {-1, L"", 0, "a negative line number"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.why);
        long nResult = -1;
        EXPECT_EQ(r.text, Line(r.line, &nResult));
        EXPECT_EQ(r.result, nResult);
        // Without an out pointer, only the length.
        EXPECT_EQ(r.result, ctrl.GetLine(r.line, nullptr));
    }
}

TEST_F(TextCtrlLine, SettingTheTextMarksTheControlModified)
{
    EXPECT_FALSE(ctrl.IsModified());
    ctrl.SetTextFields(L"Changed");
    EXPECT_TRUE(ctrl.IsModified());
    ctrl.SetModifiedFlag(FALSE);
    ctrl.SetTitle(L"Changed title");
    EXPECT_TRUE(ctrl.IsModified());
    EXPECT_EQ(1, ctrl.GetLineCount()) << "the title is not a line";
}

TEST(TextCtrlSampleLines, NewSampleObjectShowsItsWholeCatalogue)
{
    using SampleObject::Line;
    CQLNTextObjClient sample;
    std::wstring error;
    ASSERT_TRUE(SampleObject::Create(sample, error) && sample.InitNew(error)) << error;
    EXPECT_EQ(L"Sample Information", SampleObject::Text(sample, L"Title"));
    long count = 0;
    ASSERT_TRUE(sample.GetLineCount(count, error));
    ASSERT_EQ(32, count);
    long nResult = 0;
    EXPECT_EQ(L"Sample Information", Line(sample, 0, &nResult));
    EXPECT_EQ(18 + 1 + 2 + 1 + 18, nResult);
    EXPECT_EQ(L"Instrument", Line(sample, 11, &nResult));
    EXPECT_EQ(24, nResult);
    EXPECT_EQ(L"Run time: {RunTime}", Line(sample, 8, &nResult));
    EXPECT_EQ(19 + 1 + 1 + 1 + 19, nResult) << "a time item: its default decimal setting";
    EXPECT_EQ(L"Barcode: {Barcode}", Line(sample, 31));
    EXPECT_EQ(L"", Line(sample, 32));
}
