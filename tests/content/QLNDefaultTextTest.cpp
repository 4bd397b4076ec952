// The catalogue built from the test program's string table, its lookups and the descriptions it
// gives, and the three parts of a text-field line.
#include "CStringPrinter.h"
#include "QLNDefaultText.h"
#include "content_tests_res.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "CDynLinkLibrary.h"
#include "QLNBaseLibrary.h"
#include "QLNBaseRes.h"
#endif

#include <algorithm>
#include <climits>
#include <iterator>
#include <utility>
#include <vector>

namespace {

// The catalogue of the rows' string ids.
template <class Row, size_t N> CQLNDefaultText Build(const Row (&rows)[N])
{
    std::vector<UINT> ids;
    for (const Row& row : rows)
        ids.push_back(row.id);
    return CQLNDefaultText(ids.data(), static_cast<int>(N));
}

} // namespace

TEST(Catalogue, ResourceFieldsFillTheListsAndLookupsTakeTheFirstExactMatch)
{
#ifdef _WIN32
    // Nothing has linked the library into the resource chain yet: its strings are found anyway.
    ASSERT_EQ(nullptr, AfxFindStringResourceHandle(IDS_QLN_BLANK_LINE_DESCRIPTION));
#endif
    // The lists hold every row; a lookup answers with the first row of the same text.
    const struct { UINT id; const wchar_t* item; const wchar_t* description; const wchar_t* decimal; int min, max; const char* why; } rows[] = {
        {IDS_CAT_TEXT_ONLY, L"Data file: {DataFile}", L"", L"-1", INT_MIN, INT_MAX, "one field: all defaults"},
        {IDS_CAT_TWO_FIELDS, L"Sample name: {SampName}", L"Name of the sample", L"-1", INT_MIN, INT_MAX, "description only"},
        {IDS_CAT_THREE_FIELDS, L"Vial: {Vial}", L"Vial position", L"-1", INT_MIN, INT_MAX, "a minimum alone is dropped"},
        {IDS_CAT_FOUR_FIELDS, L"Injection volume: {InjVol}", L"Volume injected", L"-1", INT_MIN, INT_MAX, "a range without fifth field is dropped"},
        {IDS_CAT_FIVE_FIELDS, L"Amount: {Amount}", L"Calculated amount", L"2", 0, 6, "all five fields"},
        {IDS_CAT_FIFTH_HAS_LF, L"Comments: {Comments}", L"Free comments", L"2\nextra\n", 1, 3, "the fifth field keeps its line feeds"},
        {IDS_CAT_HEADING, L"Calibration", L"Heading:Calibration section", L"-1", INT_MIN, INT_MAX, "a heading's description is marked"},
        {IDS_CAT_TIME_PADDED, L"Window: {RetTimeWindow}", L"Window", L"0", 0, 5, "bounds read with blanks, sign and trailing text"},
        {IDS_CAT_DUPLICATE, L"Amount: {Amount}", L"Second amount", L"1", 1, 2, "a repeated item"},
        {IDS_CAT_MISSING_IN_BLOCK, L"", L"Heading:", L"-1", INT_MIN, INT_MAX, "missing string in a block that exists"},
        {IDS_CAT_MISSING_BLOCK, L"", L"Heading:", L"-1", INT_MIN, INT_MAX, "missing string and block"},
    };
    const CQLNDefaultText catalogue = Build(rows);
    const int n = static_cast<int>(std::size(rows));
    ASSERT_EQ(n, catalogue.GetStringArray().GetSize());
    ASSERT_EQ(n, catalogue.GetDecimalArray().GetSize());
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(rows[i].why);
        const CString text = catalogue.GetStringArray()[i];
        EXPECT_EQ(CString(rows[i].item), text);
        EXPECT_EQ(CString(rows[i].decimal), catalogue.GetDecimalArray()[i]);
        const auto& first = *std::find_if(rows, rows + n, [&](const auto& row) { return text == row.item; });
        int min = 0, max = 0;
        EXPECT_TRUE(catalogue.IsDefaultItem(text));
        EXPECT_TRUE(catalogue.GetDefaultDecimalMinMax(text, min, max));
        EXPECT_EQ(std::make_pair(first.min, first.max), std::make_pair(min, max));
        EXPECT_EQ(CString(first.decimal), catalogue.GetDefaultDecimal(text));
        EXPECT_EQ(CString(first.description), catalogue.FindMatchingDescription(text, CQLNDefaultText::eDataItem));
    }
    for (const wchar_t* text : {L"amount: {Amount}", L"Amount: {Amount} ", L"Amount: {Amount}\nCalculated amount"})
        EXPECT_FALSE(catalogue.IsDefaultItem(text)) << CString(text).str();
    const auto describe = [&](const wchar_t* text, int kind) {
        return catalogue.FindMatchingDescription(text, static_cast<CQLNDefaultText::eItemType>(kind));
    };
    EXPECT_EQ(CString(L"User text to be supplied by the user"), describe(L"anything", CQLNDefaultText::eUserText));
    EXPECT_EQ(CString(L"Blank line"), describe(L"", CQLNDefaultText::eBlankLine));
    EXPECT_EQ(CString(L"Blank line"), describe(L"Amount: {Amount}", 7));   // an unknown kind
    EXPECT_EQ(CString(L"Heading:"), describe(L"Not in the catalogue", CQLNDefaultText::eDataItem));
    EXPECT_EQ(CString(), describe(L"Not: {InCatalogue}", CQLNDefaultText::eDataItem));
#ifdef _WIN32
    // A report library links it in while it loads; its strings then reach anyone's code, until the link goes.
    CDynLinkLibrary* pLink = QLV_BaseLibInit();
    ASSERT_NE(nullptr, pLink);
    EXPECT_EQ(::GetModuleHandleW(L"QLNBase.dll"), AfxFindStringResourceHandle(IDS_QLN_BLANK_LINE_DESCRIPTION));
    delete pLink;
    EXPECT_EQ(nullptr, AfxFindStringResourceHandle(IDS_QLN_BLANK_LINE_DESCRIPTION));
#endif

    // An empty catalogue (a negative count, no ids, the default one) finds nothing and gives the widest range.
    const UINT one = IDS_CAT_FIVE_FIELDS;
    const CQLNDefaultText negative(&one, -3), fromNone(nullptr, 0), byDefault;
    for (const CQLNDefaultText* empty : {&negative, &fromNone, &byDefault}) {
        int min = 0, max = 0;
        EXPECT_EQ(0, empty->GetStringArray().GetSize());
        EXPECT_FALSE(empty->IsDefaultItem(L""));
        EXPECT_EQ(CString(), empty->GetDefaultDecimal(L""));
        EXPECT_FALSE(empty->GetDefaultDecimalMinMax(L"Amount: {Amount}", min, max));
        EXPECT_EQ(std::make_pair(INT_MIN, INT_MAX), std::make_pair(min, max));
    }
}

TEST(Catalogue, TimeItemsTakeTheRTPrecisionWhenTheirRangeHoldsIt)
{
    const LONG precisions[] = {0, 3, -3};
    // The default decimal of each item at each of those precisions.
    const struct { UINT id; const wchar_t* at[3]; const char* why; } rows[] = {
        {IDS_CAT_TIME_WIDE, {L"0", L"3", L"2"}, "range 0..5 holds 0 and 3"},
        {IDS_CAT_NOT_TIME, {L"2", L"2", L"2"}, "no time token: the flag of the item before must not carry over"},
        {IDS_CAT_TIME_NARROW, {L"0", L"1", L"1"}, "range 0..2 does not hold 3"},
        {IDS_CAT_TIME_FIRST, {L"2", L"2", L"2"}, "a token that opens the text does not count"},
        {IDS_CAT_TIME_SECOND, {L"0", L"3", L"2"}, "a token one character in does"},
        {IDS_CAT_TIME_IN_TEXT, {L"0", L"3", L"4"}, "a token in the description counts"},
        {IDS_CAT_TIME_AT_BOUNDS, {L"1", L"3", L"1"}, "both bounds are inclusive"},
        {IDS_CAT_TIME_PADDED, {L"0", L"3", L"1"}, "bounds read with blanks, sign and trailing text"},
        {IDS_CAT_TIME_NEGATIVE, {L"-2", L"-2", L"-3"}, "negative range"},
        {IDS_CAT_TIME_NO_RANGE, {L"-1", L"-1", L"-1"}, "no range: no setting at all"},
        {IDS_CAT_TIME_LOOKALIKE, {L"2", L"2", L"2"}, "lookalikes of {RT} are no time tokens"},
    };
    // Built at each precision, all read at precision 0: the precision counts when a catalogue is built.
    std::vector<CQLNDefaultText> built;
    for (LONG precision : precisions) {
        g_lRTPrecision = precision;
        built.push_back(Build(rows));
    }
    g_lRTPrecision = 0;
    for (int p = 0; p < 3; ++p) {
        ASSERT_EQ(static_cast<int>(std::size(rows)), built[p].GetDecimalArray().GetSize());
        for (int i = 0; i < built[p].GetDecimalArray().GetSize(); ++i)
            EXPECT_EQ(CString(rows[i].at[p]), built[p].GetDecimalArray()[i]) << "precision " << precisions[p] << ": " << rows[i].why;
    }
}

TEST(TextLine, ThePartsSplitAtTheFirstTwoFormFeedsAndFormBackEvenIntoTheLineItself)
{
    // The last column is the customized line as read alone: what follows the last form feed.
    const struct { const wchar_t* line; const wchar_t* def; const wchar_t* dec; const wchar_t* cust; const wchar_t* last; const char* why; } rows[] = {
        {L"", L"", L"", L"", L"", "empty line"},
        {L"User text", L"", L"", L"User text", L"User text", "no form feed: customized line alone"},
        {L"A\fB", L"A", L"", L"B", L"B", "one form feed: no decimal setting"},
        {L"RT: {RT}\f2\fTime: {RT}", L"RT: {RT}", L"2", L"Time: {RT}", L"Time: {RT}", "a relabelled line"},
        {L"\f-1\f", L"", L"-1", L"", L"", "a blank line"},
        {L"A\f1\fB\fC", L"A", L"1", L"B\fC", L"C", "a third form feed stays in the customized line"},
        {L"\f\fa\fb\f", L"", L"", L"a\fb\f", L"", "empty first parts, form feeds in the customized one"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        CString def = L"x", dec = L"x", line = row.line;
        CQLNDefaultText::BreakupTextLine(line, def, dec, line);   // the customized part goes back into the line
        EXPECT_EQ(CString(row.def) + L"|" + row.dec + L"|" + row.cust, def + L"|" + dec + L"|" + line);
        EXPECT_EQ(CString(row.last), CQLNDefaultText::GetCustomizedLine(row.line));
        CQLNDefaultText::FormTextLine(def, dec, line, line);
        EXPECT_EQ(CString(row.def) + L"\f" + row.dec + L"\f" + row.cust, line);
    }
    CString part = L"P";
    CQLNDefaultText::FormTextLine(part, L"1", part, part);
    EXPECT_EQ(CString(L"P\f1\fP"), part);
}
