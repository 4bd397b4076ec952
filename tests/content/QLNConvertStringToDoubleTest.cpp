// Whole-text number conversion as the decimal edits use it, also under a host locale that
// writes decimals with a comma.
#include "QLNConvertStringToDouble.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

void ExpectConversions()
{
    // value: what lands in the out argument, number or not.
    const struct { const wchar_t* text; BOOL isNumber; double value; } rows[] = {
        {L"0", TRUE, 0.0},
        {L"  0\t", TRUE, 0.0},              // blanks and tabs around
        {L"\t 12.5 ", TRUE, 12.5},
        {L"-3", TRUE, -3.0},
        {L"+4", TRUE, 4.0},
        {L"0.00", TRUE, 0.0},               // a zero that starts with the digit 0
        {L"1e3", TRUE, 1000.0},
        {L"-0", FALSE, 0.0},                // zero whose first character is not "0"
        {L".0", FALSE, 0.0},
        {L"+0", FALSE, 0.0},
        {L"", FALSE, 0.0},
        {L"\t", FALSE, 0.0},
        {L"abc", FALSE, 0.0},
        {L"12abc", FALSE, 12.0},            // trailing text, though 12 was read
        {L"0abc", FALSE, 0.0},              // passes the zero test, fails the trailing one
        {L"12 5", FALSE, 12.0},
        {L"12,5", FALSE, 12.0},             // the decimal separator is always "."
        {L"1.5.2", FALSE, 1.5},
        {L"\x0661", FALSE, 0.0},            // an Arabic-Indic one is no digit here
    };
    for (const auto& row : rows) {
        double value = -99.0;
        const std::string shown = ::testing::PrintToString(std::wstring(row.text));
        EXPECT_EQ(row.isNumber, QLNConvertStringToDouble(row.text, value) ? TRUE : FALSE) << shown;
        EXPECT_DOUBLE_EQ(row.value, value) << shown;
    }
    double value = -99.0;
    EXPECT_FALSE(QLNConvertStringToDouble(nullptr, value));
    EXPECT_EQ(0.0, value);
    for (const wchar_t* text : {L"1e999", L"inf", L"nan"})
        EXPECT_FALSE(QLNConvertStringToDouble(text, value)) << ::testing::PrintToString(std::wstring(text));
}

} // namespace

TEST(ConvertStringToDouble, WholeTextMustBeOneFiniteNumber)
{
    ExpectConversions();
}

TEST(ConvertStringToDouble, CommaLocaleOfTheHostChangesNothing)
{
    // Windows names first, then the one a native build's test run provides.
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    bool set = false;
    for (const char* name : {"German", "de-DE", "German_Germany.1252", "de_DE.UTF-8"})
        set = set || std::setlocale(LC_ALL, name) != nullptr;
    ASSERT_TRUE(set);
    EXPECT_STREQ(",", std::localeconv()->decimal_point);    // the host really reads commas now
    ExpectConversions();
    std::setlocale(LC_ALL, saved.c_str());
}
