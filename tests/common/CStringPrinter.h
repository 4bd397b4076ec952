// Lets failing expectations show a CString's text rather than its address.
#pragma once
#include "CString.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const CString& str, std::ostream* os)
{
    *os << ::testing::PrintToString(str.str());
}
