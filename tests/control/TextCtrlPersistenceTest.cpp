// Both property-set formats a host keeps a text object in: a stream and a property bag (here
// the readable text bag). Every property and every column width comes back; a damaged set is
// refused as a whole and leaves the control as it was.
#include "SampleObject.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace SampleObject;

namespace {

// Everything a host can read back from a text object.
struct State
{
    long numColumns, allignType, verticalSpacing, includeDataLabel, includeTitle;
    std::wstring textFields, title;
    FontFacts promptFont, valueFont, titleFont, headingFont;
    OLE_COLOR promptColour, valueColour, titleColour, headingColour;
    std::vector<double> ratios;

    bool operator==(const State& o) const
    {
        return numColumns == o.numColumns && allignType == o.allignType && verticalSpacing == o.verticalSpacing &&
               (includeDataLabel != 0) == (o.includeDataLabel != 0) && (includeTitle != 0) == (o.includeTitle != 0) &&
               textFields == o.textFields && title == o.title && promptFont == o.promptFont &&
               valueFont == o.valueFont && titleFont == o.titleFont && headingFont == o.headingFont &&
               promptColour == o.promptColour && valueColour == o.valueColour && titleColour == o.titleColour &&
               headingColour == o.headingColour && ratios == o.ratios;
    }
};

State Capture(CQLNTextObjClient& c)
{
    State s;
    s.numColumns = Long(c, L"NumColumns");
    s.allignType = Long(c, L"AllignType");
    s.verticalSpacing = Long(c, L"VerticalSpacing");
    s.includeDataLabel = Long(c, L"IncludeDataLabel");
    s.includeTitle = Long(c, L"IncludeTitle");
    s.textFields = Text(c, L"TextFields");
    s.title = Text(c, L"Title");
    s.promptFont = FactsOf(FontOf(c, L"PromptFont").Get());
    s.valueFont = FactsOf(FontOf(c, L"ValueFont").Get());
    s.titleFont = FactsOf(FontOf(c, L"TitleFont").Get());
    s.headingFont = FactsOf(FontOf(c, L"HeadingFont").Get());
    s.promptColour = static_cast<OLE_COLOR>(Long(c, L"PromptColor"));
    s.valueColour = static_cast<OLE_COLOR>(Long(c, L"ValueColor"));
    s.titleColour = static_cast<OLE_COLOR>(Long(c, L"TitleColor"));
    s.headingColour = static_cast<OLE_COLOR>(Long(c, L"HeadingColor"));
    s.ratios = ColumnWidthRatios(c);
    return s;
}

// The saved text with one property's line replaced (or dropped when value is null).
std::string ReplaceLine(const std::string& text, const std::string& name, const char* value)
{
    std::istringstream in(text);
    std::string line, out;
    while (std::getline(in, line)) {
        if (line.compare(0, name.size() + 1, name + "=") == 0) {
            if (value != nullptr)
                out += name + "=" + value + "\n";
        } else {
            out += line + "\n";
        }
    }
    return out;
}

class TextCtrlPersistence : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Create(source, error) && Create(target, error)) << error;
        ASSERT_TRUE(source.InitNew(error) && target.InitNew(error)) << error;
        // Every property away from its default, two text columns with aligned labels.
        ASSERT_TRUE(source.PutProperty(L"NumColumns", Short(1), error));
        ASSERT_TRUE(source.PutProperty(L"VerticalSpacing", Short(2), error));
        ASSERT_TRUE(source.PutProperty(L"TextFields", L"Vial: {Vial}\f-1\fVial: {Vial}\r\n\r\nPlain \\ line\t\u00e9", error));
        ASSERT_TRUE(source.PutProperty(L"Title", L"Caf\u00e9 report", error));
        ASSERT_TRUE(source.PutProperty(L"IncludeTitle", Bool(true), error));
        ASSERT_TRUE(source.PutProperty(L"PromptFont", Font(MakeFont(L"Arial", 90000, true, false).Get()), error));
        ASSERT_TRUE(source.PutProperty(L"ValueFont", Font(MakeFont(L"Courier New", 110000, false, true).Get()), error));
        ASSERT_TRUE(source.PutProperty(L"TitleFont", Font(MakeFont(L"Arial", 180000, true, true).Get()), error));
        ASSERT_TRUE(source.PutProperty(L"HeadingFont", Font(MakeFont(L"Times New Roman", 120000, true, false).Get()), error));
        ASSERT_TRUE(source.PutProperty(L"PromptColor", Colour(RGB(200, 0, 0)), error));
        ASSERT_TRUE(source.PutProperty(L"ValueColor", Colour(0x80000000 | COLOR_HIGHLIGHT), error));
        ASSERT_TRUE(source.PutProperty(L"TitleColor", Colour(RGB(0, 0, 200)), error));
        ASSERT_TRUE(source.PutProperty(L"HeadingColor", Colour(RGB(0, 120, 0)), error));
        // Column widths a user dragged: the property set is the only way in through COM.
        const std::string text = SaveBagText(source);
        ASSERT_FALSE(text.empty());
        std::string dragged = ReplaceLine(text, "ColWidthRatio0", "8");
        dragged = ReplaceLine(dragged, "ColWidthRatio1", "2.6666666666666665");
        dragged = ReplaceLine(dragged, "ColWidthRatio3", "2.6666666666666665");
        ASSERT_TRUE(LoadBagText(source, dragged));
        ASSERT_EQ((std::vector<double>{8, 8.0 / 3, 4, 8.0 / 3}), ColumnWidthRatios(source));
        saved = Capture(source);
    }

    CQLNTextObjClient source;
    CQLNTextObjClient target;
    State saved;
    std::wstring error;
};

} // namespace

TEST_F(TextCtrlPersistence, StreamBringsBackEveryPropertyAndWidth)
{
    std::string bytes;
    ASSERT_TRUE(source.SaveStream(bytes, error));
    ASSERT_FALSE(Capture(target) == saved);
    ASSERT_TRUE(target.LoadStream(bytes, error));
    EXPECT_TRUE(Capture(target) == saved);
    EXPECT_FALSE(target.IsDirty()) << "loading is not a change";
    long count = 0;
    EXPECT_TRUE(target.GetLineCount(count, error) && count == 3) << "the loaded text is in the line holder";
    EXPECT_EQ(L"Vial: {Vial}", Line(target, 0));
}

TEST_F(TextCtrlPersistence, TextBagBringsBackEveryPropertyAndWidth)
{
    const std::string text = SaveBagText(source);
    for (const char* key : {"NumColumns=", "AllignType=", "VerticalSpacing=", "TextFields=", "PromptFont", "PromptColor=",
                            "ValueFont", "ValueColor=", "TitleFont", "TitleColor=", "IncludeDataLabel=", "HeadingFont",
                            "HeadingColor=", "IncludeTitle=", "Title=", "ColWidthRatio3="})
        EXPECT_NE(std::string::npos, text.find(key)) << key;
    ASSERT_TRUE(LoadBagText(target, text));
    EXPECT_TRUE(Capture(target) == saved);
    EXPECT_FALSE(target.IsDirty());
}

// The system's font object reports the size of the font it realised; the bag must still hold the
// size the font was given, or a font would shift a little with every save and load.
TEST_F(TextCtrlPersistence, TextBagSavedAgainIsTheSameText)
{
    const std::string text = SaveBagText(source);
    ASSERT_TRUE(LoadBagText(target, text));
    EXPECT_EQ(text, SaveBagText(target));
}

TEST_F(TextCtrlPersistence, MissingKeysKeepTheCurrentValues)
{
    ASSERT_TRUE(LoadBagText(source, "NumColumns=2\n"));
    const State now = Capture(source);
    EXPECT_EQ(2, now.numColumns);
    // Kept as they were.
    EXPECT_EQ(saved.allignType, now.allignType);
    EXPECT_EQ(saved.verticalSpacing, now.verticalSpacing);
    EXPECT_EQ(saved.textFields, now.textFields);
    EXPECT_EQ(saved.title, now.title);
    // Defaults: the fonts, the container's foreground colour, labels shown, no title.
    const FontFacts defaultFont = {L"Times New Roman", 100000, false, false};
    EXPECT_EQ(defaultFont, now.promptFont);
    EXPECT_EQ(defaultFont, now.titleFont);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), now.valueColour);
    EXPECT_NE(0, now.includeDataLabel);
    EXPECT_EQ(0, now.includeTitle);
    // Three text columns laid out afresh; the widths of two columns are gone, and widths the
    // set does not hold load as 0.0, an equal share.
    EXPECT_EQ((std::vector<double>{0, 0, 0, 0, 0, 0}), now.ratios);
    EXPECT_FALSE(source.IsDirty());
}

TEST_F(TextCtrlPersistence, TruncatedStreamIsRefusedAndChangesNothing)
{
    std::string bytes;
    ASSERT_TRUE(source.SaveStream(bytes, error));
    ASSERT_GT(bytes.size(), 64u);
    ASSERT_TRUE(target.PutProperty(L"Title", L"Unsaved work", error));
    const State before = Capture(target);
    // Every cut within the header and the first properties, then a sample through the rest,
    // up to one byte short.
    std::vector<size_t> cuts;
    for (size_t n = 0; n < 64; ++n)
        cuts.push_back(n);
    for (size_t n = 64; n < bytes.size(); n += 13)
        cuts.push_back(n);
    cuts.push_back(bytes.size() - 1);
    for (size_t n : cuts) {
        SCOPED_TRACE(testing::Message() << "cut at " << n << " of " << bytes.size());
        ASSERT_FALSE(target.LoadStream(bytes.substr(0, n), error));
        ASSERT_TRUE(Capture(target) == before);
        ASSERT_TRUE(target.IsDirty()) << "the unsaved change is still to be saved";
    }
    // Still usable: the whole stream loads.
    ASSERT_TRUE(target.LoadStream(bytes, error));
    EXPECT_TRUE(Capture(target) == saved);
}

TEST_F(TextCtrlPersistence, CorruptBagIsRefusedAndChangesNothing)
{
    const std::string text = SaveBagText(source);
    struct Damage
    {
        const char* key;
        const char* value;
    } damages[] = {
        {"NumColumns", "abc"},
        {"NumColumns", "99999"},   // beyond a 16-bit integer
        {"AllignType", ""},
        {"VerticalSpacing", "1.5"},
        {"IncludeDataLabel", "maybe"},
        {"PromptColor", "red"},
        {"HeadingColor", "-"},
        {"ColWidthRatio0", "x"},
        {"ColWidthRatio3", "1e"},
    };
    const State before = Capture(target);
    ASSERT_FALSE(target.IsDirty());
    for (const Damage& d : damages) {
        SCOPED_TRACE(testing::Message() << d.key << "=" << d.value);
        EXPECT_FALSE(LoadBagText(target, ReplaceLine(text, d.key, d.value)));
        EXPECT_TRUE(Capture(target) == before);
        EXPECT_FALSE(target.IsDirty());
    }
    // The same text undamaged loads.
    ASSERT_TRUE(LoadBagText(target, text));
    EXPECT_TRUE(Capture(target) == saved);
}
