// The token table: stored reports fixed each row's identifier by a piecewise rule over the rows'
// positions, and a key leads to its identifier only when it matches exactly.
#include "QLNDefaultText.h"

#include <gtest/gtest.h>

#include <set>

namespace {

const struct { const wchar_t* key; int id; } kRows[] = {
#define QLN_TOKEN(name, key, id) {key, QLTT_##name},
#define QLN_TOKEN_AGAIN(name, key) {key, QLTT_##name},
#include "QLTxtTokenList.h"
#undef QLN_TOKEN
#undef QLN_TOKEN_AGAIN
};

// Rows were moved and inserted after the identifiers were handed out: each range keeps its offset.
int IdentifierOfRow(int p)
{
    if (p == 25) return 132;        // CrestConPkHght, moved up from after Mass2
    if (p == 84) return 1;          // DetType again
    if (p == 94) return 27;         // CrestMinPeakHt again
    if (p == 130) return 199;       // Operator
    return p <= 24 ? p : p <= 83 ? p - 1 : p <= 129 ? p - 2 : p <= 134 ? p - 3 : p <= 200 ? p - 2 : p <= 230 ? p - 1 : p;
}

} // namespace

TEST(TokenTable, EachRowsIdentifierFollowsItsPositionAndOnlyItsExactKeyFindsIt)
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
    EXPECT_EQ(0u, ids.count(92) + ids.count(230));

    // Near misses of "RT", a short key that starts many others.
    for (const wchar_t* key : {L"rt", L"{RT}", L"RT ", L"R", L"", static_cast<const wchar_t*>(nullptr)})
        EXPECT_EQ(QLTT_None, CQLNDefaultText::GetTDByTokenText(key)) << (key != nullptr ? key : L"null");
}
