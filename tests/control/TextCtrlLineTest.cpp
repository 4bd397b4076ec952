// The text fields handed out line by line: what counts as a line, what part of a stored line a
// caller gets, and the content a new control starts with.
#include "CountingMetaFileDC.h"
#include "QLNTextFieldLines.h"
#include "TestTextCtrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TextCtrlLine : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(S_OK, ctrl.InitNew()); }

    // GetLine's text and, in *pnResult, its result.
    std::wstring Line(long n, long* pnResult)
    {
        BSTR text = nullptr;
        *pnResult = ctrl.GetLine(n, &text);
        std::wstring line(text, ::SysStringLen(text));
        ::SysFreeString(text);
        return line;
    }

    TestTextCtrl ctrl;
};

// The lines of text in an edit window of the line holder's kind, as EM_GETLINECOUNT and
// EM_GETLINE give them, read as the line holder is read: a buffer of 32767 characters whose
// first slot holds the capacity 32766.
std::vector<std::wstring> EditLines(const std::wstring& text)
{
    const HWND hEdit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | CQLNTextBaseCtrl::m_kdwLineHolderStyle, 0, 0, 800, 100,
                                         HWND_MESSAGE, nullptr, nullptr, nullptr);
    ::SendMessageW(hEdit, EM_LIMITTEXT, 0, 0);
    ::SetWindowTextW(hEdit, text.c_str());
    std::vector<std::wstring> lines;
    std::vector<wchar_t> buffer(32767);
    for (LRESULT i = 0, nCount = ::SendMessageW(hEdit, EM_GETLINECOUNT, 0, 0); i < nCount; ++i) {
        buffer[0] = 32766;
        const LRESULT n = ::SendMessageW(hEdit, EM_GETLINE, i, reinterpret_cast<LPARAM>(buffer.data()));
        lines.emplace_back(buffer.data(), static_cast<size_t>(n));
    }
    ::DestroyWindow(hEdit);
    return lines;
}

} // namespace

// The index splits the text as an edit window of the line holder's kind does; both must give
// the same lines, GetLine must hand out the part after a line's last form
// feed and return the whole line's length, GetLineCount must leave out trailing blank lines, and
// a drawing must show the lines: with a cell as wide as this one, each non-blank line (a heading,
// having no braces) is one piece, trimmed.
TEST_F(TextCtrlLine, IndexHostAndDrawingSeeTheLinesOfTheLineHolder)
{
    std::wstring manyLines;
    for (int i = 0; i < 6000; ++i)
        manyLines += L"Line " + std::to_wstring(i) + L"\r\n";
    const struct
    {
        std::wstring text;
        long count;
        const char* why;
    } rows[] = {
        {L"", 0, "an empty text is one empty line"},
        {L"\r\n", 0, "a break alone: two empty lines"},
        {L"One\r\nDefault\f2\fTwo\r\n \t", 2, "form feeds and a trailing blank line"},
        {L"Plain\r\nDefault\f3\fCustom text\r\n\r\nA\fB", 4, "the part after the last form feed"},
        {L"One\r\n \r\nThree\r\n \r\n", 3, "blank lines count between lines, not after"},
        {L"Default\f2\f   ", 0, "a blank customized part is blank, whatever the default text"},
        {L"Default\f2\f  \r\nTwo", 2, "... but counts when a line follows"},
        {L"a\r\n", 1, "a break at the end: an empty line follows"},
        {L"a\r\r\nb", 2, "a soft break takes both carriage returns"},
        {L"\r\r\n", 0, "a soft break alone"},
        {L"a\r\r\r\nb", 2, "only the carriage return next to a soft break goes"},
        {L"a\rb", 1, "a lone carriage return stays in its line"},
        {L"a\r", 1, "... also at the end"},
        {L"a\nb", 2, "a lone line feed breaks"},
        {L"a\n\rb", 2, "a line feed then a carriage return: the return starts the next line"},
        {L"a\r\n\nb", 3, "a line feed after a break is an empty line"},
        {std::wstring(32766, L'x') + L"\r\nnext", 2, "the longest line handed out whole"},
        {std::wstring(32767, L'x') + L"\r\nnext", 2, "one more character is cut"},
        {std::wstring(40000, L'x') + L"\r\nnext", 2, "longer than the edit control's default limit"},
        {manyLines + L"Last", 6001, "a text of many lines, longer than the default limit"},
        {std::wstring(L"a\r\nb\0c\r\nd", 9), 2, "the text ends at a zero character"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        ctrl.SetTextFields(r.text.c_str());
        const std::vector<std::wstring> holder = EditLines(r.text);
        CQLNTextFieldLines index;
        index.SetText(CString(r.text.c_str(), static_cast<int>(r.text.size())));
        std::vector<std::wstring> indexed, pieces;
        for (long n = 0; n < index.GetCount(); ++n) {
            const CString line = index.GetLine(n);
            indexed.emplace_back(line.GetString(), static_cast<size_t>(line.GetLength()));
            long nResult = -1;
            const std::wstring shown = Line(n, &nResult);
            ASSERT_EQ(CQLNDefaultText::GetCustomizedLine(line).GetString(), shown) << "line " << n;
            ASSERT_EQ(line.GetLength(), nResult) << "line " << n;
            CString piece(shown.c_str());
            if (!piece.Trim().IsEmpty())
                pieces.emplace_back(piece.GetString());
        }
        ASSERT_EQ(holder, indexed);
        EXPECT_EQ(r.count, ctrl.GetLineCount());
        EXPECT_EQ(0, ctrl.GetLine(-1, nullptr) + ctrl.GetLine(index.GetCount(), nullptr)) << "outside the lines";

        CountingMetaFileDC dc;
        ASSERT_TRUE(dc.CreateEnhanced(nullptr, nullptr, nullptr, nullptr));
        const CRect bounds(0, 0, 1000000, 1000000);
        ctrl.OnDraw(&dc, bounds, bounds);
        ::DeleteEnhMetaFile(dc.CloseEnhanced());
        EXPECT_EQ(pieces, dc.m_pieces);
    }
}

TEST_F(TextCtrlLine, DefaultContentIsOneLinePerCatalogueItem)
{
    // Each line holds the item text twice, as default and as customized text, around its
    // decimal setting: -1 where the item has none.
    BSTR all = ctrl.GetTextFields(), title = ctrl.GetTitle();
    EXPECT_STREQ(L"Heading:\f-1\fHeading:\r\n"
                 L"Sample name: {SampName}\f-1\fSample name: {SampName}\r\n"
                 L"Amount: {CalcAmt}\f2\fAmount: {CalcAmt}",
                 all);
    EXPECT_STREQ(L"Test Report", title);
    ::SysFreeString(all);
    ::SysFreeString(title);
    EXPECT_EQ(3, ctrl.GetLineCount());
    // No window yet: the holder is a hidden edit window, given no text.
    const HWND hHolder = ctrl.GetCEditReference().m_hWnd;
    EXPECT_TRUE(hHolder != nullptr && !::IsWindowVisible(hHolder));
    EXPECT_EQ(0, ::GetWindowTextLengthW(hHolder));
    long nResult = 0;
    EXPECT_EQ(L"Amount: {CalcAmt}", Line(2, &nResult));
    EXPECT_EQ(17 + 1 + 1 + 1 + 17, nResult);
}
