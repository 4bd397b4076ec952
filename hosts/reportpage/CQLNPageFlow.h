// The sheets a resolved page prints on. The first sheet is the page as designed; a table whose
// rows do not all fit its place draws there the rows that do, and the rest continue on sheets of
// their own after it, one table after another in the page's order: each continuation at the
// table's left and width, from the top margin down to the bottom margin, as many rows as that
// holds, until every row is on a sheet. The other objects are on the first sheet only.
//
// No objects and no device: a table is asked through Tables how many rows it has and how many
// fit a height, so the same rules serve printing, the preview and a table of expected sheets.
#pragma once
#include <windows.h>

#include <cstddef>
#include <vector>

class CQLNPageFlow
{
public:
    class Tables
    {
    public:
        // The rows object nObject draws; 0 for an object that is no table with rows.
        virtual long RowCount(size_t nObject) = 0;
        // How many rows from nFirstRow fit whole in nHeight (0.01 mm), headings included.
        virtual long RowsThatFit(size_t nObject, long nFirstRow, long nHeight) = 0;

    protected:
        ~Tables() = default;
    };

    // One object on a sheet: at rcPlace (0.01 mm from the paper's corner); a table's part from
    // nFirstRow, nRowCount rows, or the object whole when nRowCount is 0.
    struct Part
    {
        size_t nObject;
        RECT rcPlace;
        long nFirstRow;
        long nRowCount;
    };
    using Sheet = std::vector<Part>;

    // places: every object's place, in the page's order; paper: its size in 0.01 mm.
    static std::vector<Sheet> Plan(const std::vector<RECT>& places, SIZE paper, long nMargin, Tables& tables);
};
