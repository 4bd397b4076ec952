// The text fields handed out line by line: what counts as a line, what part of a stored line a
// caller gets, and the content a new control starts with.
#include "SampleObject.h"
#include "TestTextCtrl.h"

#include <gtest/gtest.h>

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

} // namespace

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

TEST_F(TextCtrlLine, EmptyTextHasNoLines)
{
    ctrl.SetTextFields(L"");
    EXPECT_EQ(0, ctrl.GetLineCount());
    long nResult = -1;
    EXPECT_EQ(L"", Line(0, &nResult));
    EXPECT_EQ(0, nResult);
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

TEST_F(TextCtrlLine, LongLineIsCutAt32766Characters)
{
    std::wstring longLine(40000, L'x');
    longLine[32765] = L'y';
    ctrl.SetTextFields((longLine + L"\r\nNext").c_str());
    long nResult = 0;
    const std::wstring first = Line(0, &nResult);
    EXPECT_EQ(32766, nResult);
    ASSERT_EQ(32766u, first.size());
    EXPECT_EQ(L'y', first.back());
    EXPECT_EQ(L"Next", Line(1));
    EXPECT_EQ(2, ctrl.GetLineCount());
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
