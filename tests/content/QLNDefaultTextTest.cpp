// The catalogue built from the test program's string table, its lookups and the descriptions it
// gives, and the three parts of a text-field line.
#include "CStringPrinter.h"
#include "QLNDefaultText.h"
#include "content_tests_res.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "CDynLinkLibrary.h"
#endif

#include <climits>
#include <vector>

namespace {

const CString kFF(L'\f');

// Sets the process-wide RT precision for one test and puts back what was there.
class RTPrecision
{
public:
    explicit RTPrecision(LONG lPrecision) : m_lSaved(g_lRTPrecision) { g_lRTPrecision = lPrecision; }
    ~RTPrecision() { g_lRTPrecision = m_lSaved; }

private:
    LONG m_lSaved;
};

CQLNDefaultText Build(std::vector<UINT> ids)
{
    return CQLNDefaultText(ids.data(), static_cast<int>(ids.size()));
}

struct FieldRow
{
    UINT id;
    const wchar_t* itemText;
    const wchar_t* description;     // as FindMatchingDescription shows it for a data item
    const wchar_t* defaultDecimal;
    int min;
    int max;
    const char* why;
};

const FieldRow kFieldRows[] = {
    {IDS_CAT_TEXT_ONLY, L"Data file: {DataFile}", L"", L"-1", INT_MIN, INT_MAX, "one field: all defaults"},
    {IDS_CAT_TWO_FIELDS, L"Sample name: {SampName}", L"Name of the sample", L"-1", INT_MIN, INT_MAX,
     "two fields: description only"},
    {IDS_CAT_THREE_FIELDS, L"Vial: {Vial}", L"Vial position", L"-1", INT_MIN, INT_MAX,
     "a minimum alone is dropped"},
    {IDS_CAT_FOUR_FIELDS, L"Injection volume: {InjVol}", L"Volume injected", L"-1", INT_MIN, INT_MAX,
     "a range without fifth field is dropped"},
    {IDS_CAT_FIVE_FIELDS, L"Amount: {Amount}", L"Calculated amount", L"2", 0, 6, "all five fields"},
    {IDS_CAT_FIFTH_HAS_LF, L"Comments: {Comments}", L"Free comments", L"2\nextra\n", 1, 3,
     "the fifth field keeps its line feeds"},
    {IDS_CAT_HEADING, L"Calibration", L"Heading:Calibration section", L"-1", INT_MIN, INT_MAX,
     "a heading's description is marked"},
    {IDS_CAT_TIME_PADDED, L"Window: {RetTimeWindow}", L"Window", L"0", 0, 5,
     "bounds read with blanks, sign and trailing text"},
    {IDS_CAT_MISSING_IN_BLOCK, L"", L"Heading:", L"-1", INT_MIN, INT_MAX,
     "missing string in a block that exists"},
    {IDS_CAT_MISSING_BLOCK, L"", L"Heading:", L"-1", INT_MIN, INT_MAX, "missing string and block"},
};

} // namespace

TEST(Catalogue, ResourceFieldsFillTheFiveLists)
{
    RTPrecision precision(0);
    std::vector<UINT> ids;
    for (const FieldRow& row : kFieldRows)
        ids.push_back(row.id);
    const CQLNDefaultText catalogue = Build(ids);

    ASSERT_EQ(static_cast<int>(ids.size()), catalogue.GetStringArray().GetSize());
    ASSERT_EQ(static_cast<int>(ids.size()), catalogue.GetDecimalArray().GetSize());
    for (size_t i = 0; i < ids.size(); ++i) {
        const FieldRow& row = kFieldRows[i];
        const CString text = catalogue.GetStringArray()[static_cast<int>(i)];
        EXPECT_EQ(CString(row.itemText), text) << row.why;
        EXPECT_EQ(CString(row.defaultDecimal), catalogue.GetDecimalArray()[static_cast<int>(i)]) << row.why;
        // The two missing strings share the empty text; the first one answers for both.
        EXPECT_TRUE(catalogue.IsDefaultItem(text)) << row.why;
        EXPECT_EQ(CString(row.defaultDecimal), catalogue.GetDefaultDecimal(text)) << row.why;
        int min = 0, max = 0;
        EXPECT_TRUE(catalogue.GetDefaultDecimalMinMax(text, min, max)) << row.why;
        EXPECT_EQ(row.min, min) << row.why;
        EXPECT_EQ(row.max, max) << row.why;
        EXPECT_EQ(CString(row.description),
                  catalogue.FindMatchingDescription(text, CQLNDefaultText::eDataItem)) << row.why;
    }
}

TEST(Catalogue, LookupsMatchExactlyAndTakeTheFirstItem)
{
    const CQLNDefaultText catalogue = Build({IDS_CAT_FIVE_FIELDS, IDS_CAT_DUPLICATE});
    EXPECT_FALSE(catalogue.IsDefaultItem(L"amount: {Amount}"));
    EXPECT_FALSE(catalogue.IsDefaultItem(L"Amount: {Amount} "));
    EXPECT_FALSE(catalogue.IsDefaultItem(L"Amount: {Amount}\nCalculated amount"));
    EXPECT_EQ(CString(L"2"), catalogue.GetDefaultDecimal(L"Amount: {Amount}"));
    int min = 0, max = 0;
    catalogue.GetDefaultDecimalMinMax(L"Amount: {Amount}", min, max);
    EXPECT_EQ(0, min);
    EXPECT_EQ(6, max);
    EXPECT_EQ(CString(L"Calculated amount"),
              catalogue.FindMatchingDescription(L"Amount: {Amount}", CQLNDefaultText::eDataItem));
}

TEST(Catalogue, EmptyCatalogueFindsNothing)
{
    const CQLNDefaultText fromNone(nullptr, 0);
    const CQLNDefaultText byDefault;
    for (const CQLNDefaultText* catalogue : {&fromNone, &byDefault}) {
        EXPECT_EQ(0, catalogue->GetStringArray().GetSize());
        EXPECT_FALSE(catalogue->IsDefaultItem(L""));
        EXPECT_EQ(CString(), catalogue->GetDefaultDecimal(L""));
        int min = 0, max = 0;
        EXPECT_FALSE(catalogue->GetDefaultDecimalMinMax(L"Amount: {Amount}", min, max));
        EXPECT_EQ(CQLNDefaultText::m_skiDecimalMin, min);
        EXPECT_EQ(CQLNDefaultText::m_skiDecimalMax, max);
    }
    const UINT one = IDS_CAT_FIVE_FIELDS;
    EXPECT_EQ(0, CQLNDefaultText(&one, -3).GetStringArray().GetSize());
}

TEST(Catalogue, TimeItemsTakeTheRTPrecisionWhenTheirRangeHoldsIt)
{
    const std::vector<UINT> ids = {
        IDS_CAT_TIME_WIDE, IDS_CAT_NOT_TIME, IDS_CAT_TIME_NARROW, IDS_CAT_TIME_FIRST,
        IDS_CAT_TIME_SECOND, IDS_CAT_TIME_IN_TEXT, IDS_CAT_TIME_AT_BOUNDS, IDS_CAT_TIME_PADDED,
        IDS_CAT_TIME_NEGATIVE, IDS_CAT_TIME_NO_RANGE, IDS_CAT_TIME_LOOKALIKE,
    };
    const struct { const wchar_t* at0; const wchar_t* at3; const wchar_t* atMinus3; const char* why; } expected[] = {
        {L"0", L"3", L"2", "range 0..5 holds 0 and 3"},
        {L"2", L"2", L"2", "no time token: the flag of the item before must not carry over"},
        {L"0", L"1", L"1", "range 0..2 does not hold 3"},
        {L"2", L"2", L"2", "a token that opens the text does not count"},
        {L"0", L"3", L"2", "a token one character in does"},
        {L"0", L"3", L"4", "a token in the description counts"},
        {L"1", L"3", L"1", "both bounds are inclusive"},
        {L"0", L"3", L"1", "bounds read with blanks, sign and trailing text"},
        {L"-2", L"-2", L"-3", "negative range"},
        {L"-1", L"-1", L"-1", "no range: no setting at all"},
        {L"2", L"2", L"2", "lookalikes of {RT} are no time tokens"},
    };
    for (LONG precision : {0L, 3L, -3L}) {
        RTPrecision set(precision);
        const CQLNDefaultText catalogue = Build(ids);
        ASSERT_EQ(static_cast<int>(ids.size()), catalogue.GetDecimalArray().GetSize());
        for (size_t i = 0; i < ids.size(); ++i) {
            const wchar_t* want = precision == 0 ? expected[i].at0 : precision == 3 ? expected[i].at3
                                                                                     : expected[i].atMinus3;
            EXPECT_EQ(CString(want), catalogue.GetDecimalArray()[static_cast<int>(i)])
                << "precision " << precision << ": " << expected[i].why;
        }
    }
    EXPECT_EQ(0, g_lRTPrecision);
}

TEST(Catalogue, PrecisionIsReadWhenTheCatalogueIsBuilt)
{
    const UINT id = IDS_CAT_TIME_WIDE;
    const CQLNDefaultText before(&id, 1);
    RTPrecision precision(4);
    const CQLNDefaultText after(&id, 1);
    EXPECT_EQ(CString(L"0"), before.GetDecimalArray()[0]);
    EXPECT_EQ(CString(L"4"), after.GetDecimalArray()[0]);
    int min = -1, max = -1;
    after.GetDefaultDecimalMinMax(L"RT: {RT}", min, max);
    EXPECT_EQ(0, min);
    EXPECT_EQ(5, max);
}

TEST(Catalogue, DescriptionsOfLineKinds)
{
#ifdef _WIN32
    // Nothing has linked the library into the resource chain here: its strings must be found
    // all the same.
    ASSERT_EQ(nullptr, AfxFindStringResourceHandle(2521));
#endif
    const CQLNDefaultText catalogue = Build({IDS_CAT_FIVE_FIELDS, IDS_CAT_HEADING});
    EXPECT_EQ(CString(L"User text to be supplied by the user"),
              catalogue.FindMatchingDescription(L"anything", CQLNDefaultText::eUserText));
    EXPECT_EQ(CString(L"Blank line"), catalogue.FindMatchingDescription(L"", CQLNDefaultText::eBlankLine));
    EXPECT_EQ(CString(L"Blank line"),
              catalogue.FindMatchingDescription(L"Amount: {Amount}", static_cast<CQLNDefaultText::eItemType>(7)));
    EXPECT_EQ(CString(L"Heading:"),
              catalogue.FindMatchingDescription(L"Not in the catalogue", CQLNDefaultText::eDataItem));
    EXPECT_EQ(CString(), catalogue.FindMatchingDescription(L"Not: {InCatalogue}", CQLNDefaultText::eDataItem));
    EXPECT_EQ(CString(L"Heading:Calibration section"),
              catalogue.FindMatchingDescription(L"Calibration", CQLNDefaultText::eDataItem));
}

namespace {

struct LineRow
{
    const wchar_t* line;
    const wchar_t* defaultText;
    const wchar_t* decimal;
    const wchar_t* customized;
    const char* why;
};

const LineRow kLineRows[] = {
    {L"", L"", L"", L"", "empty line"},
    {L"User text", L"", L"", L"User text", "no form feed: customized line alone"},
    {L"A\fB", L"A", L"", L"B", "one form feed: no decimal setting"},
    {L"Data file: {DataFile}\f-1\fData file: {DataFile}", L"Data file: {DataFile}", L"-1",
     L"Data file: {DataFile}", "a catalogue line"},
    {L"RT: {RT}\f2\fTime: {RT}", L"RT: {RT}", L"2", L"Time: {RT}", "a relabelled line"},
    {L"\f-1\f", L"", L"-1", L"", "a blank line"},
    {L"\f\f", L"", L"", L"", "two form feeds only"},
    {L"A\f1\fB\fC", L"A", L"1", L"B\fC", "a third form feed stays in the customized line"},
};

} // namespace

TEST(TextLine, BreakupSplitsAtTheFirstTwoFormFeeds)
{
    for (const LineRow& row : kLineRows) {
        CString def = L"x", dec = L"x", cust = L"x";
        CQLNDefaultText::BreakupTextLine(row.line, def, dec, cust);
        EXPECT_EQ(CString(row.defaultText), def) << row.why;
        EXPECT_EQ(CString(row.decimal), dec) << row.why;
        EXPECT_EQ(CString(row.customized), cust) << row.why;
    }
}

TEST(TextLine, CustomizedLineIsTheTextAfterTheLastFormFeed)
{
    for (const LineRow& row : kLineRows) {
        const CString line = row.line;
        int formFeeds = 0;
        for (int i = 0; i < line.GetLength(); ++i)
            formFeeds += line[i] == L'\f' ? 1 : 0;
        if (formFeeds <= 2) {
            EXPECT_EQ(CString(row.customized), CQLNDefaultText::GetCustomizedLine(line)) << row.why;
        }
    }
    EXPECT_EQ(CString(L"C"), CQLNDefaultText::GetCustomizedLine(L"A\f1\fB\fC"));
}

TEST(TextLine, FormThenBreakupGivesThePartsBack)
{
    const struct { const wchar_t* def; const wchar_t* dec; const wchar_t* cust; } rows[] = {
        {L"Data file: {DataFile}", L"-1", L"Data file: {DataFile}"},
        {L"", L"-1", L""},
        {L"", L"", L"a\fb\f"},              // form feeds in the customized line survive
        {L"RT: {RT}", L"3", L"My label{RT}"},
    };
    for (const auto& row : rows) {
        CString line;
        CQLNDefaultText::FormTextLine(row.def, row.dec, row.cust, line);
        EXPECT_EQ(CString(row.def) + kFF + row.dec + kFF + row.cust, line);
        CString def, dec, cust;
        CQLNDefaultText::BreakupTextLine(line, def, dec, cust);
        EXPECT_EQ(CString(row.def), def);
        EXPECT_EQ(CString(row.dec), dec);
        EXPECT_EQ(CString(row.cust), cust);
    }
}

TEST(TextLine, OutStringMayBeTheLineItself)
{
    CString line = L"A\f2\fB";
    CString def, dec;
    CQLNDefaultText::BreakupTextLine(line, def, dec, line);
    EXPECT_EQ(CString(L"A"), def);
    EXPECT_EQ(CString(L"2"), dec);
    EXPECT_EQ(CString(L"B"), line);

    CString part = L"P";
    CQLNDefaultText::FormTextLine(part, L"1", part, part);
    EXPECT_EQ(CString(L"P\f1\fP"), part);
}
