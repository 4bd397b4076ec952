// Property writes through the dispatch interface by name, as the property pages and scripts make
// them, and what each write changes: the modified flag a host saves by, the column layout, the
// font and colour stored.
#include "CQLNTextPropertyBag.h"
#include "SampleObject.h"

#include <gtest/gtest.h>

using namespace SampleObject;

namespace {

class TextCtrlProperty : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Create(ctrl, error)) << error;
        ASSERT_TRUE(ctrl.InitNew(error)) << error;
    }
    // A save that clears the modified flag, as a host does before it watches for changes.
    void SaveClean()
    {
        std::string bytes;
        ASSERT_TRUE(ctrl.SaveStream(bytes, error));
        ASSERT_FALSE(ctrl.IsDirty());
    }
    bool Put(const wchar_t* name, const VARIANT& value) { return ctrl.PutProperty(name, value, error); }

    CQLNTextObjClient ctrl;
    std::wstring error;
};

} // namespace

TEST_F(TextCtrlProperty, EveryWriteMarksTheControlModified)
{
    EXPECT_FALSE(ctrl.IsDirty()) << "a new control is not modified";
    Microsoft::WRL::ComPtr<IFontDisp> arial = MakeFont(L"Arial", 120000, true, false);
    const struct
    {
        const wchar_t* name;
        VARIANT value;
    } writes[] = {
        {L"AllignType", Short(0)}, {L"VerticalSpacing", Short(2)}, {L"NumColumns", Short(1)},
        {L"IncludeDataLabel", Bool(false)}, {L"IncludeTitle", Bool(true)},
        {L"PromptFont", Font(arial.Get())}, {L"ValueFont", Font(arial.Get())},
        {L"TitleFont", Font(arial.Get())}, {L"HeadingFont", Font(arial.Get())},
        {L"PromptColor", Colour(RGB(1, 2, 3))}, {L"ValueColor", Colour(RGB(1, 2, 3))},
        {L"TitleColor", Colour(RGB(1, 2, 3))}, {L"HeadingColor", Colour(RGB(1, 2, 3))},
        // Writing the value a property already has is still a write.
        {L"AllignType", Short(0)},
    };
    for (const auto& w : writes) {
        SCOPED_TRACE(testing::Message() << w.name);
        SaveClean();
        ASSERT_TRUE(Put(w.name, w.value)) << error;
        EXPECT_TRUE(ctrl.IsDirty());
    }
    for (const wchar_t* name : {L"TextFields", L"Title"}) {
        SaveClean();
        ASSERT_TRUE(ctrl.PutProperty(name, L"Another text", error)) << error;
        EXPECT_TRUE(ctrl.IsDirty());
    }
    // A save that keeps the flag leaves the control modified.
    std::string bytes;
    ASSERT_TRUE(ctrl.SaveStream(bytes, error, false));
    EXPECT_TRUE(ctrl.IsDirty());
}

TEST_F(TextCtrlProperty, ColumnPropertiesLayTheColumnsOutAfresh)
{
    // A new control: one column of labels and one of values, each half of the width.
    EXPECT_EQ((std::vector<double>{2.0, 2.0}), ColumnWidthRatios(ctrl));

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
        ASSERT_TRUE(Put(s.name, std::wstring(s.name) == L"IncludeDataLabel" ? Bool(s.value != 0) : Short(s.value)));
        EXPECT_EQ(s.ratios, ColumnWidthRatios(ctrl));
    }
    // Outside the columns: 0.0.
    for (long n : {-1L, 4L}) {
        VARIANT index = Int(n), ratio;
        ASSERT_TRUE(ctrl.CallMethod(L"GetColumnWidthRatio", {index}, &ratio, error)) << error;
        EXPECT_EQ(0.0, V_R8(&ratio)) << n;
    }
}

TEST_F(TextCtrlProperty, ColumnWritesDiscardTheUsersWidths)
{
    // Widths a user dragged, as a loaded property set brings them back.
    CQLNTextPropertyBag bag;
    std::wstring error;
    ASSERT_TRUE(bag.LoadText("NumColumns=1\nIncludeDataLabel=false\nColWidthRatio0=3\nColWidthRatio1=1.5\n", error));
    ASSERT_TRUE(ctrl.LoadBag(bag, error)) << error;
    ASSERT_EQ((std::vector<double>{3, 1.5}), ColumnWidthRatios(ctrl));

    ASSERT_TRUE(Put(L"VerticalSpacing", Short(1)));
    ASSERT_TRUE(Put(L"IncludeTitle", Bool(true)));
    EXPECT_EQ((std::vector<double>{3, 1.5}), ColumnWidthRatios(ctrl)) << "spacing and title leave the widths";
    // The same column count written again still starts the columns afresh.
    ASSERT_TRUE(Put(L"NumColumns", Short(1)));
    EXPECT_EQ((std::vector<double>{2, 2}), ColumnWidthRatios(ctrl));
}

TEST_F(TextCtrlProperty, FontWriteWithoutAFontGivesTheDefaultFont)
{
    const FontFacts defaultFont = {L"Times New Roman", 100000, false, false};
    const FontFacts largeFacts = {L"Times New Roman", 140000, true, true};
    Microsoft::WRL::ComPtr<IFontDisp> large = MakeFont(L"Times New Roman", 140000, true, true);
    ASSERT_TRUE(large);
    for (const wchar_t* name : {L"PromptFont", L"ValueFont", L"TitleFont", L"HeadingFont"}) {
        SCOPED_TRACE(testing::Message() << "font " << std::string(name, name + wcslen(name)));
        EXPECT_EQ(defaultFont, FactsOf(FontOf(ctrl, name).Get())) << "a new control's font";
        ASSERT_TRUE(Put(name, Font(large.Get())));
        EXPECT_EQ(largeFacts, FactsOf(FontOf(ctrl, name).Get()));

        ASSERT_TRUE(Put(name, Font(nullptr)));
        EXPECT_EQ(defaultFont, FactsOf(FontOf(ctrl, name).Get())) << "null dispatch";

        ASSERT_TRUE(Put(name, Font(large.Get())));
        VARIANT empty;
        ::VariantInit(&empty);
        ASSERT_TRUE(Put(name, empty));
        EXPECT_EQ(defaultFont, FactsOf(FontOf(ctrl, name).Get())) << "empty variant";
    }
}

TEST_F(TextCtrlProperty, FontReadIsTheControlsOwnCopy)
{
    Microsoft::WRL::ComPtr<IFontDisp> host = MakeFont(L"Times New Roman", 140000, true, false);
    ASSERT_TRUE(Put(L"ValueFont", Font(host.Get())));
    // The host's font object changes later: the control keeps what it was given.
    Microsoft::WRL::ComPtr<IFont> hostFont;
    ASSERT_EQ(S_OK, host.As(&hostFont));
    hostFont->put_Bold(FALSE);
    EXPECT_TRUE(FactsOf(FontOf(ctrl, L"ValueFont").Get()).bold);
}

TEST_F(TextCtrlProperty, ColourKeepsWhatIsWrittenSystemIndexesIncluded)
{
    // Colours stay untranslated; a system colour index is resolved only when drawing.
    const OLE_COLOR colours[] = {0x80000000 | COLOR_WINDOWTEXT, 0x80000000 | COLOR_HIGHLIGHT, RGB(10, 20, 30), 0};
    for (const wchar_t* name : {L"PromptColor", L"ValueColor", L"TitleColor", L"HeadingColor"}) {
        for (OLE_COLOR c : colours) {
            ASSERT_TRUE(Put(name, Colour(c)));
            EXPECT_EQ(c, static_cast<OLE_COLOR>(Long(ctrl, name)));
        }
    }
}

TEST_F(TextCtrlProperty, NewControlHoldsTheDefaults)
{
    EXPECT_EQ(1, Long(ctrl, L"AllignType"));
    EXPECT_EQ(0, Long(ctrl, L"VerticalSpacing"));
    EXPECT_EQ(0, Long(ctrl, L"NumColumns"));
    EXPECT_NE(0, Long(ctrl, L"IncludeDataLabel"));
    EXPECT_EQ(0, Long(ctrl, L"IncludeTitle"));
    EXPECT_EQ(L"Sample Information", Text(ctrl, L"Title"));
    // No container: the system's window-text colour stands for the ambient foreground.
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), static_cast<OLE_COLOR>(Long(ctrl, L"PromptColor")));
}

TEST(TextCtrlFirstCall, AutomationOnAnUninitialisedControlStartsItAsNew)
{
    // A script creates the object and calls it at once, with no InitNew.
    CQLNTextObjClient ctrl;
    std::wstring error;
    ASSERT_TRUE(Create(ctrl, error)) << error;
    long count = 0;
    ASSERT_TRUE(ctrl.GetLineCount(count, error)) << error;
    EXPECT_EQ(32, count);
    EXPECT_EQ(L"Sample Information", Text(ctrl, L"Title"));
    EXPECT_FALSE(ctrl.IsDirty());
}
