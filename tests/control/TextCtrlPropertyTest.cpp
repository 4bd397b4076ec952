// Property writes through the dispatch interface by name, as the property pages and scripts make
// them, and what each write changes: the modified flag a host saves by, the column layout, the
// fonts stored.
#include "SampleObject.h"

#include <gtest/gtest.h>

using namespace SampleObject;

namespace {

class TextCtrlProperty : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(Create(ctrl, error) && ctrl.InitNew(error)) << error; }
    bool Put(const wchar_t* name, const std::wstring& value) { return ctrl.PutProperty(name, value, error); }
    bool Put(const wchar_t* name, const VARIANT& value) { return ctrl.PutProperty(name, value, error); }

    CQLNTextObjClient ctrl;
    std::wstring error;
};

} // namespace

TEST_F(TextCtrlProperty, NewControlHoldsTheDefaults)
{
    const std::string bag = SaveBagText(ctrl);
    // No container: the system's window-text colour stands for the ambient foreground.
    const std::string colour = std::to_string(::GetSysColor(COLOR_WINDOWTEXT));
    for (const std::string& line : std::vector<std::string>
         {"NumColumns=0", "AllignType=1", "VerticalSpacing=0", "IncludeDataLabel=true", "IncludeTitle=false",
          "Title=Sample Information", "PromptFont.Name=Times New Roman\r\nPromptFont.Size=10.0000\r\nPromptFont.Weight=400",
          "HeadingFont.Name=Times New Roman", "PromptColor=" + colour, "HeadingColor=" + colour})
        EXPECT_NE(std::string::npos, bag.find("\n" + line + "\r\n")) << line << " in\n" << bag;

    // A script calls a new object at once, with no InitNew: the control starts as new.
    CQLNTextObjClient unstarted;
    long count = 0;
    ASSERT_TRUE(Create(unstarted, error) && unstarted.GetLineCount(count, error)) << error;
    EXPECT_EQ(32, count);
    EXPECT_FALSE(unstarted.IsDirty());
    EXPECT_EQ(bag, SaveBagText(unstarted));
}

TEST_F(TextCtrlProperty, EveryWriteMarksTheControlModified)
{
    std::string bytes;
    const auto arial = MakeFont(L"Arial", 120000, true, false);
    // Each property written with the value it has: that is still a write.
    for (const wchar_t* name : {L"AllignType", L"VerticalSpacing", L"NumColumns", L"IncludeDataLabel", L"IncludeTitle",
                                L"PromptColor", L"ValueColor", L"TitleColor", L"HeadingColor", L"TextFields",
                                L"Title", L"PromptFont", L"ValueFont", L"TitleFont", L"HeadingFont"}) {
        SCOPED_TRACE(testing::Message() << name);
        ASSERT_TRUE(ctrl.SaveStream(bytes, error));
        ASSERT_FALSE(ctrl.IsDirty());
        ASSERT_TRUE(std::wstring(name).find(L"Font") != std::wstring::npos ? Put(name, Font(arial.Get()))
                                                                             : Put(name, Get(ctrl, name)))
            << error;
        EXPECT_TRUE(ctrl.IsDirty());
    }
    ASSERT_TRUE(ctrl.SaveStream(bytes, error, false));
    EXPECT_TRUE(ctrl.IsDirty()) << "a save that keeps the flag";
}

TEST_F(TextCtrlProperty, ColumnWritesLayTheColumnsOutAfresh)
{
    // A ratio is the inverse of a column's share. A new control: labels and values, half each.
    EXPECT_EQ((std::vector<double>{2, 2}), ColumnWidthRatios(ctrl));
    const struct
    {
        const wchar_t* name;
        const wchar_t* value;
        std::vector<double> ratios;
        const char* why;
    } steps[] = {
        {L"NumColumns", L"2", {6, 6, 6, 6, 6, 6}, "three text columns, labels aligned: six columns"},
        {L"AllignType", L"0", {3, 3, 3}, "labels run into their values: three columns"},
        {L"AllignType", L"1", {6, 6, 6, 6, 6, 6}, "aligned again"},
        {L"IncludeDataLabel", L"false", {3, 3, 3}, "no labels: nothing to align"},
        {L"NumColumns", L"1", {2, 2}, "two text columns without labels"},
        {L"IncludeDataLabel", L"true", {4, 4, 4, 4}, "labels back, aligned"},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.why);
        ASSERT_TRUE(Put(s.name, s.value)) << error;
        EXPECT_EQ(s.ratios, ColumnWidthRatios(ctrl));
    }

    // Widths a user dragged, as a loaded property set brings them back: other writes keep them,
    // the same column count written again starts the columns afresh.
    ASSERT_TRUE(LoadBagText(ctrl, "NumColumns=1\nIncludeDataLabel=false\nColWidthRatio0=3\nColWidthRatio1=1.5\n"));
    ASSERT_TRUE(Put(L"VerticalSpacing", L"1") && Put(L"IncludeTitle", L"true") && Put(L"Title", L"T")) << error;
    EXPECT_EQ((std::vector<double>{3, 1.5}), ColumnWidthRatios(ctrl));
    ASSERT_TRUE(Put(L"NumColumns", L"1"));
    EXPECT_EQ((std::vector<double>{2, 2}), ColumnWidthRatios(ctrl));
}

TEST_F(TextCtrlProperty, EachFontWriteGoesToItsFontAndNoFontGivesTheDefault)
{
    const std::string fresh = SaveBagText(ctrl);
    const auto arial = MakeFont(L"Arial", 140000, true, true);
    VARIANT empty;
    ::VariantInit(&empty);
    for (const wchar_t* name : {L"PromptFont", L"ValueFont", L"TitleFont", L"HeadingFont"}) {
        SCOPED_TRACE(testing::Message() << name);
        ASSERT_TRUE(Put(name, Font(arial.Get())));
        const std::string key = std::string(name, name + wcslen(name)) + ".Size=14.0000\r\n";
        EXPECT_NE(std::string::npos, SaveBagText(ctrl).find(key)) << SaveBagText(ctrl);
        ASSERT_TRUE(Put(name, Font(nullptr)));
        EXPECT_EQ(fresh, SaveBagText(ctrl)) << "a null dispatch";
        ASSERT_TRUE(Put(name, Font(arial.Get())) && Put(name, empty));
        EXPECT_EQ(fresh, SaveBagText(ctrl)) << "an empty variant";
        // A script's Null is no object but a value of the wrong type: refused, the font kept.
        VARIANT null;
        V_VT(&null) = VT_NULL;
        ASSERT_TRUE(Put(name, Font(arial.Get())));
        const std::string withArial = SaveBagText(ctrl);
        EXPECT_FALSE(Put(name, null));
        EXPECT_NE(std::wstring::npos, error.find(L"0x80020005")) << error;
        EXPECT_EQ(withArial, SaveBagText(ctrl)) << "Null";
        ASSERT_TRUE(Put(name, Font(nullptr)));
    }
}

// A script or a font page changes a font object the control handed out, not the control: a
// container that saves only modified objects must still save it.
TEST_F(TextCtrlProperty, AChangedFontObjectMarksTheControlModifiedAndIsSaved)
{
    // Drawing, as the container does before anyone edits, changes nothing of the control.
    const HDC hdc = ::CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(ctrl.Draw(hdc, hdc, RECT{0, 0, 300, 200}, error)) << error;
    ::DeleteEnhMetaFile(::CloseEnhMetaFile(hdc));
    ASSERT_FALSE(ctrl.IsDirty());
    VARIANT font;
    Microsoft::WRL::ComPtr<IFont> pFont;
    ASSERT_TRUE(ctrl.GetProperty(L"PromptFont", font, error)) << error;
    ASSERT_EQ(S_OK, V_DISPATCH(&font)->QueryInterface(IID_PPV_ARGS(&pFont)));
    ::VariantClear(&font);
    CY size;
    size.int64 = 120000;
    pFont->put_Size(size);
    EXPECT_TRUE(ctrl.IsDirty());
    EXPECT_NE(std::string::npos, SaveBagText(ctrl).find("\nPromptFont.Size=12.0000\r\n"));
}
