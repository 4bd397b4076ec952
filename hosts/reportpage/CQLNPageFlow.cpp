#include "CQLNPageFlow.h"

#include <algorithm>

std::vector<CQLNPageFlow::Sheet> CQLNPageFlow::Plan(const std::vector<RECT>& places, SIZE paper, long nMargin,
                                                     Tables& tables)
{
    std::vector<Sheet> sheets(1);
    struct Rest
    {
        size_t nObject;
        long nFirstRow;
        long nRows;
    };
    std::vector<Rest> rests;
    for (size_t i = 0; i < places.size(); ++i) {
        const RECT& rc = places[i];
        const long nRows = tables.RowCount(i);
        const long nFit = nRows > 0 ? tables.RowsThatFit(i, 0, rc.bottom - rc.top) : 0;
        if (nRows <= 0 || nFit >= nRows) {
            sheets[0].push_back(Part{i, rc, 0, 0});
            continue;
        }
        // A place too small for one row leaves the whole table to the sheets after.
        if (nFit > 0)
            sheets[0].push_back(Part{i, rc, 0, nFit});
        rests.push_back(Rest{i, std::max(nFit, 0L), nRows});
    }
    const long nTop = nMargin;
    const long nBottom = std::max(paper.cy - nMargin, nTop + 1);
    for (const Rest& rest : rests) {
        const RECT& rc = places[rest.nObject];
        for (long nFirst = rest.nFirstRow; nFirst < rest.nRows;) {
            // A row taller than a sheet is printed cut rather than never.
            const long nFit = std::max(tables.RowsThatFit(rest.nObject, nFirst, nBottom - nTop), 1L);
            const long nCount = std::min(nFit, rest.nRows - nFirst);
            sheets.push_back(Sheet{Part{rest.nObject, RECT{rc.left, nTop, rc.right, nBottom}, nFirst, nCount}});
            nFirst += nCount;
        }
    }
    return sheets;
}
