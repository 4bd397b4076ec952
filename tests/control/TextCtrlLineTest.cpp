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

// The lines a multi-line edit window that never wraps (the line holder's styles, 0x18C4) gives
// for a text through EM_GETLINECOUNT and EM_GETLINE, read through a buffer of 32767 characters
// whose first slot holds the capacity 32766.
std::vector<std::wstring> EditLines(const std::wstring& text)
{
    const HWND hEdit = ::CreateWindowExW(0, L"EDIT", nullptr, 0x18C4, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
    ::SendMessageW(hEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
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

// The host and the drawing see the lines of the line index (whose own rules its table test in
// the content's tests pins down). Where the text holds no other line feed (all the writers of
// text fields produce), an edit window cuts it the same way, and the rows without expected lines
// compare with one; the others give their lines. GetLine
// must hand out the part after a line's last form feed and return the whole line's length,
// GetLineCount must leave out trailing blank lines, and a drawing must show the lines: with a
// cell as wide as this one, each non-blank line (a heading, having no braces) is one piece,
// trimmed.
TEST_F(TextCtrlLine, IndexHostAndDrawingCutTheTextAtBreaksOnly)
{
    std::wstring manyLines;
    for (int i = 0; i < 6000; ++i)
        manyLines += L"Line " + std::to_wstring(i) + L"\r\n";
    using Lines = std::vector<std::wstring>;
    const Lines kAsEdit;   // the lines an edit window gives
    const struct
    {
        std::wstring text;
        long count;
        const char* why;
        Lines lines;
    } rows[] = {
        {L"", 0, "an empty text is one empty line", kAsEdit},
        {L"\r\n", 0, "a break alone: two empty lines", kAsEdit},
        {L"One\r\nDefault\f2\fTwo\r\n \t", 2, "form feeds and a trailing blank line", kAsEdit},
        {L"Plain\r\nDefault\f3\fCustom text\r\n\r\nA\fB", 4, "the part after the last form feed", kAsEdit},
        {L"One\r\n \r\nThree\r\n \r\n", 3, "blank lines count between lines, not after", kAsEdit},
        {L"Default\f2\f   ", 0, "a blank customized part is blank, whatever the default text", kAsEdit},
        {L"Default\f2\f  \r\nTwo", 2, "... but counts when a line follows", kAsEdit},
        {L"a\r\n", 1, "a break at the end: an empty line follows", kAsEdit},
        {L"a\rb", 1, "a lone carriage return stays in its line", kAsEdit},
        {L"a\r\r\nb", 2, "of two carriage returns only the last is part of the break", Lines{L"a\r", L"b"}},
        {L"a\nb", 1, "a lone line feed does not break", Lines{L"a\nb"}},
        {L"a\r\n\nb", 2, "a line feed after a break starts the next line", Lines{L"a", L"\nb"}},
        {std::wstring(32766, L'x') + L"\r\nnext", 2, "the longest line handed out whole", kAsEdit},
        {std::wstring(32767, L'x') + L"\r\nnext", 2, "one more character is cut", kAsEdit},
        {manyLines + L"Last", 6001, "a text of many lines, longer than the default limit", kAsEdit},
        {std::wstring(L"a\r\nb\0c\r\nd", 9), 2, "the text ends at a zero character", kAsEdit},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.why);
        ctrl.SetTextFields(r.text.c_str());
        CQLNTextFieldLines index;
        index.SetText(CString(r.text.c_str(), static_cast<int>(r.text.size())));
        ASSERT_EQ(r.text, std::wstring(index.GetText().GetString(), static_cast<size_t>(index.GetText().GetLength())))
            << "the index gives back the whole text";
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
        ASSERT_EQ(r.lines.empty() ? EditLines(r.text) : r.lines, indexed);
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

    // Through automation, a by-reference string whose reference is null asks for the length only.
    VARIANT args[2], result;
    V_VT(&args[0]) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&args[0]) = nullptr;
    V_VT(&args[1]) = VT_I4;
    V_I4(&args[1]) = 2;
    DISPPARAMS params = {args, nullptr, 2, 0};
    ::VariantInit(&result);
    IDispatch* pDispatch = ctrl.GetIDispatch(FALSE);
    EXPECT_EQ(S_OK, pDispatch->Invoke(22, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr));
    EXPECT_EQ(VT_I4, V_VT(&result));
    EXPECT_EQ(17 + 1 + 1 + 1 + 17, V_I4(&result));
}
