// Whole-text number conversion as the decimal edits use it, also under a host locale that
// writes decimals with a comma.
#include "QLNConvertStringToDouble.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

struct NumberRow
{
    const wchar_t* text;
    BOOL isNumber;
    double value;       // what lands in the out argument, number or not
};

const NumberRow kNumberRows[] = {
    {L"0", TRUE, 0.0},
    {L"  0\t", TRUE, 0.0},             // blanks and tabs around
    {L"\t 12.5 ", TRUE, 12.5},
    {L"12.5\t", TRUE, 12.5},
    {L"-3", TRUE, -3.0},
    {L"+4", TRUE, 4.0},
    {L"0.00", TRUE, 0.0},               // a zero that starts with the digit 0
    {L"1e3", TRUE, 1000.0},
    {L"-0", FALSE, 0.0},                // zero whose first character is not "0"
    {L".0", FALSE, 0.0},
    {L"+0", FALSE, 0.0},
    {L"", FALSE, 0.0},
    {L"   ", FALSE, 0.0},
    {L"\t", FALSE, 0.0},
    {L"abc", FALSE, 0.0},
    {L"12abc", FALSE, 12.0},            // trailing text, though 12 was read
    {L"0abc", FALSE, 0.0},              // passes the zero test, fails the trailing one
    {L"12 5", FALSE, 12.0},
    {L"12,5", FALSE, 12.0},             // the decimal separator is always "."
    {L"1.5.2", FALSE, 1.5},
};

void ExpectConversions()
{
    for (const NumberRow& row : kNumberRows) {
        double value = -99.0;
        const std::string shown = ::testing::PrintToString(std::wstring(row.text));
        EXPECT_EQ(row.isNumber, QLNConvertStringToDouble(row.text, value) ? TRUE : FALSE) << shown;
        EXPECT_DOUBLE_EQ(row.value, value) << shown;
    }
}

// Switches the runtime's locale the way a host may, and puts the old one back.
class HostLocale
{
public:
    explicit HostLocale(const char* const* candidates)
    {
        const char* old = std::setlocale(LC_ALL, nullptr);
        m_saved = old != nullptr ? old : "C";
        for (; *candidates != nullptr && m_name.empty(); ++candidates)
            if (std::setlocale(LC_ALL, *candidates) != nullptr)
                m_name = *candidates;
    }
    ~HostLocale() { std::setlocale(LC_ALL, m_saved.c_str()); }
    bool IsSet() const { return !m_name.empty(); }

private:
    std::string m_saved;
    std::string m_name;
};

} // namespace

TEST(ConvertStringToDouble, WholeTextMustBeOneNumber)
{
    ExpectConversions();
}

TEST(ConvertStringToDouble, NoNumberForNullOrNonFiniteText)
{
    double value = -99.0;
    EXPECT_FALSE(QLNConvertStringToDouble(nullptr, value));
    EXPECT_EQ(0.0, value);
    EXPECT_FALSE(QLNConvertStringToDouble(L"1e999", value));
    EXPECT_FALSE(QLNConvertStringToDouble(L"inf", value));
    EXPECT_FALSE(QLNConvertStringToDouble(L"nan", value));
    EXPECT_FALSE(QLNConvertStringToDouble(L"\x0661", value));  // an Arabic-Indic one is no digit here
}

TEST(ConvertStringToDouble, CommaLocaleOfTheHostChangesNothing)
{
    // Windows names first, then the one a native build's test run provides.
    const char* const german[] = {"German", "de-DE", "German_Germany.1252", "de_DE.UTF-8", nullptr};
    HostLocale locale(german);
    ASSERT_TRUE(locale.IsSet());
    ASSERT_STREQ(",", std::localeconv()->decimal_point);    // the host really reads commas now
    ExpectConversions();
}
