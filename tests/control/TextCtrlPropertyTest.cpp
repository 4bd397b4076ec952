// Property writes through the dispatch interface by name, as the property pages and scripts make
// them, and what each write changes: the modified flag a host saves by, the column layout, the
// font and colour stored.
#include "CQLNTextPropertyBag.h"
#include "SampleTextObject.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class TextCtrlProperty : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, ctrl.Unknown()) << "the sample server did not give a control";
        ASSERT_EQ(S_OK, ctrl.InitNew());
    }
    // A save that clears the modified flag, as a host does before it watches for changes.
    void SaveClean()
    {
        std::string bytes;
        ASSERT_EQ(S_OK, ctrl.SaveStream(bytes, TRUE));
        ASSERT_EQ(S_FALSE, ctrl.IsDirty());
    }

    SampleTextObject ctrl;
};

struct PropertyWrite
{
    const char* what;
    std::function<HRESULT(SampleTextObject&)> write;
};

} // namespace

TEST_F(TextCtrlProperty, EveryWriteMarksTheControlModified)
{
    EXPECT_EQ(S_FALSE, ctrl.IsDirty()) << "a new control is not modified";
    Microsoft::WRL::ComPtr<IFontDisp> arial = MakeFont(L"Arial", 120000, true, false);
    const PropertyWrite writes[] = {
        {"AllignType", [](SampleTextObject& c) { return c.PutShort(L"AllignType", 0); }},
        {"VerticalSpacing", [](SampleTextObject& c) { return c.PutShort(L"VerticalSpacing", 2); }},
        {"NumColumns", [](SampleTextObject& c) { return c.PutShort(L"NumColumns", 1); }},
        {"TextFields", [](SampleTextObject& c) { return c.PutString(L"TextFields", L"A line"); }},
        {"IncludeDataLabel", [](SampleTextObject& c) { return c.PutBool(L"IncludeDataLabel", false); }},
        {"IncludeTitle", [](SampleTextObject& c) { return c.PutBool(L"IncludeTitle", true); }},
        {"Title", [](SampleTextObject& c) { return c.PutString(L"Title", L"Another title"); }},
        {"PromptFont", [&](SampleTextObject& c) { return c.PutFont(L"PromptFont", arial.Get()); }},
        {"ValueFont", [&](SampleTextObject& c) { return c.PutFont(L"ValueFont", arial.Get()); }},
        {"TitleFont", [&](SampleTextObject& c) { return c.PutFont(L"TitleFont", arial.Get()); }},
        {"HeadingFont", [&](SampleTextObject& c) { return c.PutFont(L"HeadingFont", arial.Get()); }},
        {"PromptColor", [](SampleTextObject& c) { return c.PutColour(L"PromptColor", RGB(1, 2, 3)); }},
        {"ValueColor", [](SampleTextObject& c) { return c.PutColour(L"ValueColor", RGB(1, 2, 3)); }},
        {"TitleColor", [](SampleTextObject& c) { return c.PutColour(L"TitleColor", RGB(1, 2, 3)); }},
        {"HeadingColor", [](SampleTextObject& c) { return c.PutColour(L"HeadingColor", RGB(1, 2, 3)); }},
        // Writing the value a property already has is still a write.
        {"AllignType unchanged", [](SampleTextObject& c) { return c.PutShort(L"AllignType", 0); }},
    };
    for (const PropertyWrite& w : writes) {
        SCOPED_TRACE(w.what);
        SaveClean();
        ASSERT_EQ(S_OK, w.write(ctrl));
        EXPECT_EQ(S_OK, ctrl.IsDirty());
    }
    // A save that keeps the flag leaves the control modified.
    std::string bytes;
    ASSERT_EQ(S_OK, ctrl.SaveStream(bytes, FALSE));
    EXPECT_EQ(S_OK, ctrl.IsDirty());
}

TEST_F(TextCtrlProperty, ColumnPropertiesLayTheColumnsOutAfresh)
{
    // A new control: one column of labels and one of values, each half of the width.
    EXPECT_EQ((std::vector<double>{2.0, 2.0}), ctrl.ColumnWidthRatios());

    struct Step
    {
        const char* what;
        const wchar_t* name;
        short value;
        std::vector<double> ratios;   // a ratio is the inverse of the column's share
    } steps[] = {
        {"three text columns, labels aligned: six columns", L"NumColumns", 2, {6, 6, 6, 6, 6, 6}},
        {"labels run into their values: three columns", L"AllignType", 0, {3, 3, 3}},
        {"aligned again", L"AllignType", 1, {6, 6, 6, 6, 6, 6}},
        {"no labels: nothing to align", L"IncludeDataLabel", 0, {3, 3, 3}},
        {"two text columns without labels", L"NumColumns", 1, {2, 2}},
        {"labels back, aligned", L"IncludeDataLabel", 1, {4, 4, 4, 4}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        if (std::wstring(s.name) == L"IncludeDataLabel")
            ASSERT_EQ(S_OK, ctrl.PutBool(s.name, s.value != 0));
        else
            ASSERT_EQ(S_OK, ctrl.PutShort(s.name, s.value));
        EXPECT_EQ(static_cast<long>(s.ratios.size()), ctrl.VisibleColumnCount());
        EXPECT_EQ(s.ratios, ctrl.ColumnWidthRatios());
    }
    // Outside the columns: 0.0.
    EXPECT_EQ(0.0, ctrl.ColumnWidthRatio(-1));
    EXPECT_EQ(0.0, ctrl.ColumnWidthRatio(4));
}

TEST_F(TextCtrlProperty, ColumnWritesDiscardTheUsersWidths)
{
    // Widths a user dragged, as a loaded property set brings them back.
    CQLNTextPropertyBag bag;
    std::wstring error;
    ASSERT_TRUE(bag.LoadText("NumColumns=1\nIncludeDataLabel=false\nColWidthRatio0=3\nColWidthRatio1=1.5\n", error));
    ASSERT_EQ(S_OK, ctrl.As<IPersistPropertyBag>()->Load(&bag, nullptr));
    ASSERT_EQ((std::vector<double>{3, 1.5}), ctrl.ColumnWidthRatios());

    ASSERT_EQ(S_OK, ctrl.PutShort(L"VerticalSpacing", 1));
    ASSERT_EQ(S_OK, ctrl.PutBool(L"IncludeTitle", true));
    EXPECT_EQ((std::vector<double>{3, 1.5}), ctrl.ColumnWidthRatios()) << "spacing and title leave the widths";
    // The same column count written again still starts the columns afresh.
    ASSERT_EQ(S_OK, ctrl.PutShort(L"NumColumns", 1));
    EXPECT_EQ((std::vector<double>{2, 2}), ctrl.ColumnWidthRatios());
}

TEST_F(TextCtrlProperty, FontWriteWithoutAFontGivesTheDefaultFont)
{
    const FontFacts defaultFont = {L"Times New Roman", 100000, false, false};
    const FontFacts largeFacts = {L"Times New Roman", 140000, true, true};
    Microsoft::WRL::ComPtr<IFontDisp> large = MakeFont(L"Times New Roman", 140000, true, true);
    ASSERT_TRUE(large);
    for (const wchar_t* name : {L"PromptFont", L"ValueFont", L"TitleFont", L"HeadingFont"}) {
        SCOPED_TRACE(testing::Message() << "font " << std::string(name, name + wcslen(name)));
        EXPECT_EQ(defaultFont, FactsOf(ctrl.GetFont(name).Get())) << "a new control's font";
        ASSERT_EQ(S_OK, ctrl.PutFont(name, large.Get()));
        EXPECT_EQ(largeFacts, FactsOf(ctrl.GetFont(name).Get()));

        ASSERT_EQ(S_OK, ctrl.PutFont(name, nullptr));
        EXPECT_EQ(defaultFont, FactsOf(ctrl.GetFont(name).Get())) << "null dispatch";

        ASSERT_EQ(S_OK, ctrl.PutFont(name, large.Get()));
        VARIANT empty;
        ::VariantInit(&empty);
        ASSERT_EQ(S_OK, ctrl.Put(name, empty));
        EXPECT_EQ(defaultFont, FactsOf(ctrl.GetFont(name).Get())) << "empty variant";
    }
}

TEST_F(TextCtrlProperty, FontReadIsTheControlsOwnCopy)
{
    Microsoft::WRL::ComPtr<IFontDisp> host = MakeFont(L"Times New Roman", 140000, true, false);
    ASSERT_EQ(S_OK, ctrl.PutFont(L"ValueFont", host.Get()));
    // The host's font object changes later: the control keeps what it was given.
    Microsoft::WRL::ComPtr<IFont> hostFont;
    ASSERT_EQ(S_OK, host.As(&hostFont));
    hostFont->put_Bold(FALSE);
    EXPECT_TRUE(FactsOf(ctrl.GetFont(L"ValueFont").Get()).bold);
}

TEST_F(TextCtrlProperty, ColourKeepsWhatIsWrittenSystemIndexesIncluded)
{
    // Colours stay untranslated; a system colour index is resolved only when drawing.
    const OLE_COLOR colours[] = {0x80000000 | COLOR_WINDOWTEXT, 0x80000000 | COLOR_HIGHLIGHT, RGB(10, 20, 30), 0};
    for (const wchar_t* name : {L"PromptColor", L"ValueColor", L"TitleColor", L"HeadingColor"}) {
        for (OLE_COLOR c : colours) {
            ASSERT_EQ(S_OK, ctrl.PutColour(name, c));
            EXPECT_EQ(c, ctrl.GetColour(name));
        }
    }
}

TEST_F(TextCtrlProperty, NewControlHoldsTheDefaults)
{
    EXPECT_EQ(1, ctrl.GetLong(L"AllignType"));
    EXPECT_EQ(0, ctrl.GetLong(L"VerticalSpacing"));
    EXPECT_EQ(0, ctrl.GetLong(L"NumColumns"));
    EXPECT_NE(0, ctrl.GetLong(L"IncludeDataLabel"));
    EXPECT_EQ(0, ctrl.GetLong(L"IncludeTitle"));
    EXPECT_EQ(L"Sample Information", ctrl.GetString(L"Title"));
    // No container: the system's window-text colour stands for the ambient foreground.
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), ctrl.GetColour(L"PromptColor"));
}

TEST(TextCtrlFirstCall, AutomationOnAnUninitialisedControlStartsItAsNew)
{
    // A script creates the object and calls it at once, with no InitNew.
    SampleTextObject ctrl;
    ASSERT_NE(nullptr, ctrl.Unknown());
    EXPECT_EQ(32, ctrl.LineCount());
    EXPECT_EQ(L"Sample Information", ctrl.GetString(L"Title"));
    EXPECT_EQ(S_FALSE, ctrl.IsDirty());
}
