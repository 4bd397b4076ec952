// The mapping from a result file's values to the hosts' data keys, without the file library:
// each table row names the rule it checks.
#include "CQLNResultMapping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TextRow
{
    const char* rule;
    std::string raw;
    std::string expected;
};

TEST(CQLNResultMapping, CleanTextRules)
{
    const std::vector<TextRow> rows = {
        {"padding with blanks goes", "Caffeine   ", "Caffeine"},
        {"padding with NULs goes", std::string("Caffeine\0\0\0", 11), "Caffeine"},
        {"what follows a NUL is padding", std::string("Caf\0feine", 9), "Caf"},
        {"leading blanks go", "  Caffeine", "Caffeine"},
        {"blanks inside stay", "Caffeine standard", "Caffeine standard"},
        {"UTF-8 stays as it is", "5 \xC2\xB5g/mL", "5 \xC2\xB5g/mL"},
        {"Latin-1 becomes UTF-8", "5 \xB5g/mL", "5 \xC2\xB5g/mL"},
        {"Latin-1 letters above 0xC0", "Caf\xE9 M\xFCller", "Caf\xC3\xA9 M\xC3\xBC" "ller"},
        {"an overlong UTF-8 form is Latin-1", "\xC0\xAF", "\xC3\x80\xC2\xAF"},
        {"a cut UTF-8 sequence is Latin-1", "ab\xE2\x82", "ab\xC3\xA2\xC2\x82"},
        {"scripts beyond Latin stay", "\xE5\x92\x96\xE5\x95\xA1\xE5\x9B\xA0", "\xE5\x92\x96\xE5\x95\xA1\xE5\x9B\xA0"},
        {"only padding is empty", std::string("\0 \0", 3), ""},
    };
    for (const TextRow& row : rows)
        EXPECT_EQ(CQLNResultMapping::CleanText(row.raw), row.expected) << row.rule;
}

TEST(CQLNResultMapping, NumberRules)
{
    struct Row
    {
        const char* rule;
        std::string text;
        bool bNumber;
        double value;
    };
    const std::vector<Row> rows = {
        {"a plain number", "4.23456", true, 4.23456},
        {"a number stored as padded text", std::string(" 12.5\0\0", 7), true, 12.5},
        {"an exponent", "1.5e3", true, 1500},
        {"a negative number", "-0.25", true, -0.25},
        {"empty text is no number", "", false, 0},
        {"a word is no number", "n/a", false, 0},
        {"trailing letters are no number", "12.5 min", false, 0},
        {"hexadecimal is no instrument's number", "0x10", false, 0},
        {"infinity is no number", "inf", false, 0},
        {"an overflowing exponent is no number", "1e999", false, 0},
        {"a decimal comma is no number", "12,5", false, 0},
    };
    for (const Row& row : rows) {
        double value = 0;
        EXPECT_EQ(CQLNResultMapping::ParseNumber(row.text, value), row.bNumber) << row.rule;
        if (row.bNumber) {
            EXPECT_EQ(value, row.value) << row.rule;
        }
    }
}

TEST(CQLNResultMapping, FormatNumberReadsBackTheSame)
{
    struct Row
    {
        const char* rule;
        double value;
        const char* expected;
    };
    const std::vector<Row> rows = {
        {"a whole number has no point", 152345, "152345"},
        {"the decimals a number has and no more", 4.23456, "4.23456"},
        {"a third keeps every digit a double has", 1.0 / 3, "0.3333333333333333"},
        {"a large number stays fixed", 1e20, "100000000000000000000"},
        {"beyond fixed notation an exponent", 1e300, "1e+300"},
        {"a tiny number takes an exponent", 1.5e-30, "1.5e-30"},
        {"negative numbers", -0.125, "-0.125"},
    };
    for (const Row& row : rows) {
        const std::string text = CQLNResultMapping::FormatNumber(row.value);
        EXPECT_EQ(text, row.expected) << row.rule;
        double back = 0;
        EXPECT_TRUE(CQLNResultMapping::ParseNumber(text, back) && back == row.value) << row.rule;
    }
}

TEST(CQLNResultMapping, DateAndEscapeRules)
{
    const std::vector<TextRow> dates = {
        {"a stamp with a zone shows the local time", "20261114093012+0100", "2026-11-14 09:30"},
        {"a stamp without a zone", "20261114093012", "2026-11-14 09:30"},
        {"a stamp without seconds", "202611140930", "2026-11-14 09:30"},
        {"a stamp padded with NULs", std::string("20261114093012-0500\0", 20), "2026-11-14 09:30"},
        {"another shape is kept as written", "14-Nov-2026 09:30", "14-Nov-2026 09:30"},
        {"too short a stamp is kept", "2026111409", "2026111409"},
    };
    for (const TextRow& row : dates)
        EXPECT_EQ(CQLNResultMapping::FormatDate(row.raw), row.expected) << row.rule;

    const std::vector<TextRow> escapes = {
        {"a backslash is doubled", "C:\\data", "C:\\\\data"},
        {"a line break cannot end the line", "two\nlines", "two\\nlines"},
        {"other control characters by number", "a\x01z", "a\\u0001z"},
        {"UTF-8 passes", "\xC2\xB5g", "\xC2\xB5g"},
    };
    for (const TextRow& row : escapes)
        EXPECT_EQ(CQLNResultMapping::Escaped(row.raw), row.expected) << row.rule;
}

CQLNResultMapping::Result ThreePeaks()
{
    CQLNResultMapping::Result result;
    result.fileName = "run042.cdf";
    result.dimensions = {"_2_byte_string", "peak_number", "point_number"};
    result.attributes = {{"sample_name", "Caffeine standard"},
                         {"sample_injection_volume", "5"},
                         {"injection_date_time_stamp", "20261114093012+0100"},
                         {"retention_unit", "Seconds"},
                         {"peak_amount_unit", "ug/mL"},
                         {"detector_unit", "mAU"}};
    result.variables = {{"peak_name", {"Late", "Early", "Middle"}},
                        {"peak_retention_time", {"300", "60", "120"}},
                        {"peak_area", {"3", "1", "-9999"}},
                        {"peak_width", {"6", "3", "4.5"}},
                        {"peak_start_time", {"297", "58.5", "117"}},
                        {"peak_end_time", {"303", "61.5", "123"}},
                        {"actual_run_time_length", {"750"}},
                        {"actual_sampling_interval", {"0.5"}},
                        {"actual_delay_time", {"0"}},
                        {"ordinate_values", {"1.5", "2", "", "-9999", "3.25"}}};
    return result;
}

bool HasLine(const std::string& text, const std::string& line)
{
    return text.find(line + "\n") != std::string::npos &&
           (text.compare(0, line.size() + 1, line + "\n") == 0 || text.find("\n" + line + "\n") != std::string::npos);
}

TEST(CQLNResultMapping, DataTextMapsTheTable)
{
    const CQLNResultMapping::Result result = ThreePeaks();
    const std::string text = CQLNResultMapping::DataText(result);
    struct Row
    {
        const char* rule;
        const char* line;
    };
    const std::vector<Row> rows = {
        {"an attribute's text", "SampName=Caffeine standard"},
        {"the file's name", "DataFile=run042.cdf"},
        {"the date as shown", "AcqDate=2026-11-14 09:30"},
        {"the run's length in minutes", "RunTime=12.5"},
        {"the amount's unit", "TgetCompUnits=ug/mL"},
        {"rows in retention order: first the earliest", "Row1.CompName=Early"},
        {"peak times in minutes when the file has seconds", "Row1.RT=1"},
        {"widths are times too", "Row1.Width=0.05"},
        {"a peak's start and end are times too", "Row1.PeakStart=0.975"},
        {"and a peak's end moves with its peak", "Row3.PeakEnd=5.05"},
        {"the second row is the middle peak", "Row2.CompName=Middle"},
        {"the null value shows empty", "Row2.Area="},
        {"the last row is the latest peak", "Row3.RT=5"},
        {"a value moves with its peak", "Row3.Area=3"},
        {"the signal's interval in minutes", "Signal.Interval=0.008333333333333333"},
        {"the signal's unit", "Signal.Unit=mAU"},
        {"the signal's times are minutes", "Signal.TimeUnit=min"},
        {"missing and null points keep their places", "Signal.Values=1.5 2 - - 3.25"},
    };
    for (const Row& row : rows)
        EXPECT_TRUE(HasLine(text, row.line)) << row.rule << "\n" << text;
    // What the file lacks is left out, so that the report shows the token unresolved.
    EXPECT_EQ(text.find("SampID="), std::string::npos);
    EXPECT_EQ(text.find("Height="), std::string::npos);
    EXPECT_EQ(text.find("Row4."), std::string::npos);
}

TEST(CQLNResultMapping, DataTextQuirksOfInstruments)
{
    CQLNResultMapping::Result result = ThreePeaks();
    result.attributes.erase("retention_unit");
    result.attributes.erase("detector_unit");
    result.attributes["retention_units"] = "minutes";
    result.attributes["detector_units"] = "mV";
    // A variable shorter than the others: its missing value is left out of that row.
    result.variables["peak_height"] = {"10"};
    // A time without a value sorts after the others.
    result.variables["peak_retention_time"] = {"5", "", "1"};
    const std::string text = CQLNResultMapping::DataText(result);
    EXPECT_TRUE(HasLine(text, "Row1.RT=1")) << "minutes stay minutes, with the spelling in plural\n" << text;
    EXPECT_TRUE(HasLine(text, "Row1.CompName=Middle")) << text;
    EXPECT_TRUE(HasLine(text, "Row3.CompName=Early")) << "a peak without a time comes last\n" << text;
    EXPECT_TRUE(HasLine(text, "Row2.Height=10")) << text;
    EXPECT_EQ(text.find("Row1.Height"), std::string::npos) << text;
    EXPECT_TRUE(HasLine(text, "Signal.Unit=mV")) << text;
    EXPECT_TRUE(HasLine(text, "RunTime=12.5")) << "the run's length is seconds whatever the peaks' unit\n" << text;
}

TEST(CQLNResultMapping, IsResultNeedsPeaksOrASignal)
{
    CQLNResultMapping::Result result;
    result.attributes["title"] = "climate";
    result.dimensions = {"time", "lat"};
    EXPECT_FALSE(CQLNResultMapping::IsResult(result));
    result.dimensions.push_back("peak_number");
    EXPECT_TRUE(CQLNResultMapping::IsResult(result)) << "peaks alone";
    result.dimensions = {"point_number"};
    result.variables["ordinate_values"] = {"1"};
    EXPECT_TRUE(CQLNResultMapping::IsResult(result)) << "a signal alone";
}

} // namespace
