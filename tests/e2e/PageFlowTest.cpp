// The sheets of a resolved page as a table over fake tables, no objects: a table's headings
// take 1000 (0.01 mm), its title 500 above its first row only, a row 500, unless a row says
// otherwise. The paper is A4 portrait (21000 x 29700) with margins of 2000, so a continuation
// runs from 2000 to 27700 and holds (25700 - 1000) / 500 = 49 rows.
// A plan reads "<sheet>: <object>@<top>-<bottom>[ <first>+<count>], ...; ".
#include "CQLNPageFlow.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace {

class FakeTables : public CQLNPageFlow::Tables
{
public:
    FakeTables(std::vector<long> rows, long nRowHeight) : m_rows(std::move(rows)), m_nRowHeight(nRowHeight) {}
    long RowCount(size_t nObject) override { return m_rows[nObject]; }
    long RowsThatFit(size_t nObject, long nFirstRow, long nHeight) override
    {
        const long nRoom = nHeight - 1000 - (nFirstRow == 0 ? 500 : 0);
        return nRoom <= 0 ? 0 : std::min(nRoom / m_nRowHeight, m_rows[nObject] - nFirstRow);
    }

private:
    std::vector<long> m_rows;
    long m_nRowHeight;
};

std::string Describe(const std::vector<CQLNPageFlow::Sheet>& sheets)
{
    std::string out;
    for (size_t s = 0; s < sheets.size(); ++s) {
        out += std::to_string(s + 1) + ":";
        for (const CQLNPageFlow::Part& part : sheets[s]) {
            out += " " + std::to_string(part.nObject) + "@" + std::to_string(part.rcPlace.top) + "-" +
                   std::to_string(part.rcPlace.bottom);
            if (part.nRowCount > 0)
                out += " " + std::to_string(part.nFirstRow) + "+" + std::to_string(part.nRowCount);
            out += ",";
        }
        out += "; ";
    }
    return out;
}

TEST(PageFlow, TablesThatDoNotFitContinueOnSheetsOfTheirOwn)
{
    const RECT text = {2000, 2000, 10000, 7000}, table = {2000, 15000, 19000, 25000}, small = {2000, 8000, 19000, 9000};
    const struct
    {
        const char* rule;
        std::vector<RECT> places;
        std::vector<long> rows;
        long nRowHeight;
        const char* sheets;
    } rows[] = {
        {"no table: one sheet, every object whole", {text, text}, {0, 0}, 500, "1: 0@2000-7000, 1@2000-7000,; "},
        {"no objects: one empty sheet", {}, {}, 500, "1:; "},
        // (10000 - 1000 - 500) / 500 = 17 rows fit the place.
        {"a table whose rows fit its place stays whole", {text, table}, {0, 17}, 500,
         "1: 0@2000-7000, 1@15000-25000,; "},
        // 17, then 49, 49, 49 and the last 36 of 200.
        {"a table's rows continue from the top margin to the bottom margin; the others stay on the first sheet",
         {text, table}, {0, 200}, 500,
         "1: 0@2000-7000, 1@15000-25000 0+17,; 2: 1@2000-27700 17+49,; 3: 1@2000-27700 66+49,; "
         "4: 1@2000-27700 115+49,; 5: 1@2000-27700 164+36,; "},
        {"rows that fill the last continuation exactly leave no empty sheet", {table}, {17 + 49}, 500,
         "1: 0@15000-25000 0+17,; 2: 0@2000-27700 17+49,; "},
        {"two tables continue one after the other, in the page's order", {table, table}, {20, 18}, 500,
         "1: 0@15000-25000 0+17, 1@15000-25000 0+17,; 2: 0@2000-27700 17+3,; 3: 1@2000-27700 17+1,; "},
        {"a place too small for one row: the whole table starts on the next sheet", {text, small}, {0, 60}, 500,
         "1: 0@2000-7000,; 2: 1@2000-27700 0+48,; 3: 1@2000-27700 48+12,; "},
        {"rows taller than a sheet: one a sheet, never none", {small}, {2}, 30000,
         "1:; 2: 0@2000-27700 0+1,; 3: 0@2000-27700 1+1,; "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        FakeTables tables(row.rows, row.nRowHeight);
        EXPECT_EQ(row.sheets, Describe(CQLNPageFlow::Plan(row.places, SIZE{21000, 29700}, 2000, tables)));
    }
}

} // namespace
