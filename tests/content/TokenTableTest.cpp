// The token table: identifiers follow the rows' positions by the piecewise rule the stored reports
// fixed, and a key leads to its identifier only when it matches exactly.
#include "QLNDefaultText.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Row
{
    const wchar_t* key;
    int id;   // the enumeration's value, the same on a key's second row
};

const Row kRows[] = {
#define QLN_TOKEN(name, key, id) {key, QLTT_##name},
#define QLN_TOKEN_AGAIN(name, key) {key, QLTT_##name},
#include "QLTxtTokenList.h"
#undef QLN_TOKEN
#undef QLN_TOKEN_AGAIN
};

// The identifier of the row at position p: the rows were moved and inserted after the
// identifiers were handed out, so each range keeps its own offset.
int IdentifierOfRow(int p)
{
    if (p <= 24) return p;
    if (p == 25) return 132;        // CrestConPkHght, moved up from after Mass2
    if (p <= 83) return p - 1;
    if (p == 84) return 1;          // DetType again
    if (p <= 93) return p - 2;
    if (p == 94) return 27;         // CrestMinPeakHt again
    if (p <= 129) return p - 2;
    if (p == 130) return 199;       // Operator
    if (p <= 134) return p - 3;
    if (p <= 200) return p - 2;
    if (p <= 230) return p - 1;
    return p;
}

} // namespace

TEST(TokenTable, EachRowsIdentifierFollowsItsPositionAndItsKeyFindsIt)
{
    ASSERT_EQ(236u, sizeof kRows / sizeof kRows[0]);
    std::set<int> ids;
    for (int p = 0; p < 236; ++p) {
        EXPECT_EQ(IdentifierOfRow(p), kRows[p].id) << "row " << p;
        // A key's second row carries the first row's identifier, so the lookup cannot tell them apart.
        EXPECT_EQ(kRows[p].id, CQLNDefaultText::GetTDByTokenText(kRows[p].key)) << "row " << p;
        ids.insert(kRows[p].id);
    }
    // 0 to 235 with two gaps: 234 identifiers for 236 rows.
    EXPECT_EQ(234u, ids.size());
    EXPECT_EQ(0u, ids.count(92));
    EXPECT_EQ(0u, ids.count(230));
}

TEST(TokenTable, LookupsOfKeysThatCouldGoWrong)
{
    const struct
    {
        const wchar_t* key;
        int id;
        const char* why;
    } rows[] = {
        {L"RT", 173, "a short key that starts many others"},
        {L"CompName", 0, "the first row"},
        {L"InstrumentMethod", 235, "the last row"},
        {L"DataFile", 194, "after the Operator row, which broke the offset"},
        {L"BasePeak(BP)", QLTT_BasePeakBP, "brackets belong to the key"},
        {L"DetType", 1, "stands twice; the first row answers"},
        {L"rt", -1, "keys are case-sensitive"},
        {L"{RT}", -1, "braces are not part of the key"},
        {L"RT ", -1, "no trimming"},
        {L"R", -1, "a prefix of a key is not a key"},
        {L"", -1, "empty"},
        {nullptr, -1, "no text at all"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.id, CQLNDefaultText::GetTDByTokenText(row.key)) << row.why;
}
