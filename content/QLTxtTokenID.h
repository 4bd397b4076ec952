// Numeric identifiers of the token keys that may stand between the braces of a value, for
// example {RT}. The numbers are fixed by the stored reports and the hosts that resolve them; they
// are not the keys' positions in the catalogue's table (CQLNDefaultText::GetTDByTokenText).
// 92 and 230 are unused.
#pragma once

enum QLTxtTokenID : int
{
    QLTT_None = -1,     // a key that is not in the table
#define QLN_TOKEN(name, key, id) QLTT_##name = id,
#define QLN_TOKEN_AGAIN(name, key)
#include "QLTxtTokenList.h"
#undef QLN_TOKEN
#undef QLN_TOKEN_AGAIN
};
