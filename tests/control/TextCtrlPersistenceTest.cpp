// Loading the property sets a host keeps a text object in, a stream and a property bag (here the
// readable text bag): sets saved by an earlier build, what a set that lacks a property leaves,
// and that a damaged set is refused as a whole and leaves the control as it was. Every property
// round trips end to end.
#include "SampleObject.h"
#include "control_tests_res.h"

#include <gtest/gtest.h>

#include <random>

using namespace SampleObject;

namespace {

const char kText[] = "Vial: {Vial}\\f-1\\fVial: {Vial}\\r\\n\\r\\nPlain \\\\ line\\t\xC3\xA9";
const char kTitle[] = "Caf\xC3\xA9 report";

class TextCtrlPersistence : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Create(source, error) && Create(target, error)) << error;
        ASSERT_TRUE(source.InitNew(error) && target.InitNew(error)) << error;
        // Every kind of property away from its default, and widths a user dragged in two text
        // columns with aligned labels: a property set is the only way in for those.
        ASSERT_TRUE(source.PutProperty(L"NumColumns", L"1", error)) << error;
        saved = WithValues(SaveBagText(source),
                       {{"VerticalSpacing", "2"}, {"TextFields", kText}, {"PromptFont.Name", "Liberation Mono"},
                        {"PromptFont.Size", "9.0000"}, {"PromptFont.Weight", "700"}, {"ValueFont.Italic", "true"}, {"PromptColor", "200"},
                        {"ValueColor", "2147483661"}, {"IncludeTitle", "true"}, {"Title", kTitle},
                        {"ColWidthRatio0", "8"}, {"ColWidthRatio1", "2.6666666666666665"},
                        {"ColWidthRatio3", "2.6666666666666665"}});
        ASSERT_TRUE(LoadBagText(source, saved));
        ASSERT_EQ(saved, SaveBagText(source));
    }

    CQLNTextObjClient source;
    CQLNTextObjClient target;
    std::string saved;
    std::wstring error;
};

// A property set kept in the test program, saved once by an earlier build.
std::string Fixture(int nID)
{
    const HRSRC hResource = ::FindResourceW(nullptr, MAKEINTRESOURCEW(nID), MAKEINTRESOURCEW(10));   // RT_RCDATA
    const HGLOBAL hData = hResource != nullptr ? ::LoadResource(nullptr, hResource) : nullptr;
    const char* p = hData != nullptr ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    return p != nullptr ? std::string(p, ::SizeofResource(nullptr, hResource)) : std::string();
}

// A font property as text: face, weight and effects. (Its size and character set come back as the
// system realised them; the saved set keeps them as given.)
std::wstring FontText(CQLNTextObjClient& object, const wchar_t* name)
{
    VARIANT v;
    std::wstring error;
    Microsoft::WRL::ComPtr<IFont> font;
    if (!object.GetProperty(name, v, error) || V_VT(&v) != VT_DISPATCH || V_DISPATCH(&v) == nullptr ||
        FAILED(V_DISPATCH(&v)->QueryInterface(IID_PPV_ARGS(&font)))) {
        ::VariantClear(&v);
        return L"<no font: " + error + L">";
    }
    ::VariantClear(&v);
    BSTR face = nullptr;
    SHORT weight = 0;
    BOOL italic = FALSE, underline = FALSE, strikethrough = FALSE;
    font->get_Name(&face), font->get_Weight(&weight);
    font->get_Italic(&italic), font->get_Underline(&underline), font->get_Strikethrough(&strikethrough);
    const std::wstring text = std::wstring(face != nullptr ? face : L"") + L" " + std::to_wstring(weight) +
                              (italic ? L" italic" : L"") + (underline ? L" underline" : L"") +
                              (strikethrough ? L" strikethrough" : L"");
    ::SysFreeString(face);
    return text;
}

// Every property of the object as text, and the ratios of its visible columns.
std::vector<std::wstring> Values(CQLNTextObjClient& object)
{
    std::vector<std::wstring> values;
    for (const wchar_t* name : {L"NumColumns", L"AllignType", L"VerticalSpacing", L"TextFields", L"PromptColor", L"ValueColor",
                                L"TitleColor", L"IncludeDataLabel", L"HeadingColor", L"IncludeTitle", L"Title"})
        values.push_back(std::wstring(name) + L"=" + Get(object, name));
    for (const wchar_t* name : {L"PromptFont", L"ValueFont", L"TitleFont", L"HeadingFont"})
        values.push_back(std::wstring(name) + L"=" + FontText(object, name));
    for (double ratio : ColumnWidthRatios(object))
        values.push_back(L"ratio " + std::to_wstring(ratio));
    return values;
}

} // namespace

// The stream and the bag an earlier build saved, every property off its default and the three
// columns' borders moved, load to the values they were saved with, and the same state saves to
// the same bytes: a change in the order or form of the properties shows here.
TEST_F(TextCtrlPersistence, SetsSavedByAnEarlierBuildLoadAsSavedAndSaveAgainByteForByte)
{
    const std::vector<std::wstring> expected = {
        L"NumColumns=3", L"AllignType=0", L"VerticalSpacing=1",
        L"TextFields=Results\f-1\fResults\r\nSample name: {SampName}\f-1\fSample: {SampName}\r\n"
        L"Amount: {CalcAmt}\f3\fAmount: {CalcAmt}\r\nChecked by hand",
        L"PromptColor=255", L"ValueColor=32768", L"TitleColor=8388608", L"IncludeDataLabel=0", L"HeadingColor=8421376",
        L"IncludeTitle=-1", L"Title=Assay summary", L"PromptFont=Liberation Mono 700 italic",
        L"ValueFont=Liberation Serif 400 underline", L"TitleFont=Times New Roman 700 strikethrough",
        L"HeadingFont=Liberation Sans 600", L"ratio 4.000000", L"ratio 2.000000", L"ratio 4.000000", L"ratio 0.000000"};
    const std::string stream = Fixture(IDR_SAVED_STREAM), bag = Fixture(IDR_SAVED_BAG);
    ASSERT_FALSE(stream.empty() || bag.empty());
    std::string bytes;
    ASSERT_TRUE(target.LoadStream(stream, error)) << error;
    EXPECT_EQ(expected, Values(target));
    ASSERT_TRUE(target.SaveStream(bytes, error)) << error;
    EXPECT_TRUE(stream == bytes) << "the stream saved again differs";
    ASSERT_TRUE(LoadBagText(target, bag));
    EXPECT_EQ(expected, Values(target));
    EXPECT_EQ(bag, SaveBagText(target));
}

TEST_F(TextCtrlPersistence, MissingKeysKeepTheTextsAndSpacingAndDefaultTheRest)
{
    ASSERT_TRUE(LoadBagText(source, "NumColumns=2\n"));
    EXPECT_FALSE(source.IsDirty()) << "loading is not a change";
    const std::string now = SaveBagText(source);
    const std::string colour = std::to_string(::GetSysColor(COLOR_WINDOWTEXT));
    for (const std::string& line : std::vector<std::string>{"NumColumns=2", "VerticalSpacing=2", std::string("TextFields=") + kText,
                                   std::string("Title=") + kTitle, "PromptFont.Name=Times New Roman",
                                   "PromptFont.Size=10.0000", "ValueFont.Italic=false", "ValueColor=" + colour,
                                   "IncludeDataLabel=true", "IncludeTitle=false"})
        EXPECT_NE(std::string::npos, now.find("\n" + line + "\r\n")) << line << " in\n" << now;
    // Three text columns laid out afresh; widths the set does not hold load as 0.0, an equal share.
    EXPECT_EQ((std::vector<double>{0, 0, 0, 0, 0, 0}), ColumnWidthRatios(source));
}

TEST_F(TextCtrlPersistence, CutOrMutatedSetsAreRefusedOrLoadSanelyAndTheControlStaysUsable)
{
    std::string stream;
    ASSERT_TRUE(source.SaveStream(stream, error)) << error;
    ASSERT_TRUE(target.PutProperty(L"Title", L"Unsaved work", error));
    std::string before = SaveBagText(target);
    bool bDirty = true;
    const HDC hdc = ::CreateCompatibleDC(nullptr);
    std::mt19937 random(13);
    for (const bool bStream : {true, false}) {
        const std::string& whole = bStream ? stream : saved;
        // Every cut, then whole sets with one to three bytes set at random.
        for (size_t n = 0; n < whole.size() + 300; ++n) {
            std::string bytes = whole.substr(0, n);
            for (unsigned k = n < whole.size() ? 0 : 1 + random() % 3; k > 0; --k)
                bytes[random() % bytes.size()] = static_cast<char>(random());
            SCOPED_TRACE(testing::Message() << (bStream ? "stream" : "bag") << (n < whole.size() ? " cut at " : " mutated ") << n);
            const bool bLoaded = bStream ? target.LoadStream(bytes, error) : LoadBagText(target, bytes);
            ASSERT_FALSE(bLoaded && n < whole.size());
            if (!bLoaded) {
                ASSERT_EQ(bDirty, target.IsDirty()) << "the modified flag is kept";
                ASSERT_EQ(before, SaveBagText(target)) << "a refused set changes nothing";
                continue;
            }
            // What loads draws, and saves a set that loads to the same control.
            long count = 0;
            ASSERT_TRUE(target.GetLineCount(count, error) && target.Draw(hdc, hdc, RECT{0, 0, 300, 200}, error) &&
                        target.SaveStream(bytes, error)) << error;
            before = SaveBagText(target);
            bDirty = false;
            ASSERT_TRUE(target.LoadStream(bytes, error) && LoadBagText(target, before)) << error;
            ASSERT_EQ(before, SaveBagText(target));
        }
    }
    ::DeleteDC(hdc);
}

TEST_F(TextCtrlPersistence, CorruptBagIsRefusedAndChangesNothing)
{
    const std::pair<std::string, std::string> damages[] = {
        {"NumColumns", "abc"}, {"NumColumns", "99999"},   // beyond a 16-bit integer
        {"AllignType", ""}, {"VerticalSpacing", "1.5"}, {"IncludeDataLabel", "maybe"}, {"PromptColor", "red"},
        {"HeadingColor", "-"}, {"ColWidthRatio0", "x"}, {"ColWidthRatio3", "1e"},
    };
    const std::string before = SaveBagText(target);
    for (const auto& d : damages) {
        SCOPED_TRACE(d.first + "=" + d.second);
        EXPECT_FALSE(LoadBagText(target, WithValues(saved, {d})));
        EXPECT_EQ(before, SaveBagText(target));
        EXPECT_FALSE(target.IsDirty());
    }
    ASSERT_TRUE(LoadBagText(target, saved));
    EXPECT_EQ(saved, SaveBagText(target));
}

TEST_F(TextCtrlPersistence, FontFaceAndCharacterSetSurviveBothFormatsAsGiven)
{
    // The system substitutes a face for each of these and realises none of these character sets
    // with them; a logical font holds 31 characters of a face.
    for (const auto& [face, charset] : std::vector<std::pair<std::string, std::string>>{
             {"Arial", "1"}, {"Arial", "2"}, {"No Such Face Installed", "128"},
             {"\xE6\x98\x8E\xE6\x9C\x9D Caf\xC3\xA9 \xCE\xA9", "255"}, {"A Face Name Far Longer Than A Logical Font Holds", "0"}}) {
        const std::string given = WithValues(saved, {{"PromptFont.Name", face}, {"PromptFont.Charset", charset}});
        std::string bytes;
        ASSERT_TRUE(LoadBagText(target, given) && target.SaveStream(bytes, error) && source.LoadStream(bytes, error)) << face;
        EXPECT_EQ(given, SaveBagText(target)) << face;
        EXPECT_EQ(given, SaveBagText(source)) << face;
    }
}
