// Integer arithmetic for coordinates that may come from outside (a persisted property set, a
// container's rectangle): sums and differences saturate at the int range instead of overflowing.
#pragma once
#include <climits>

inline int AfxSaturateInt(long long value)
{
    return value > INT_MAX ? INT_MAX : (value < INT_MIN ? INT_MIN : static_cast<int>(value));
}

inline int AfxSaturateAdd(int a, int b)
{
    return AfxSaturateInt(static_cast<long long>(a) + b);
}

inline int AfxSaturateSub(int a, int b)
{
    return AfxSaturateInt(static_cast<long long>(a) - b);
}
