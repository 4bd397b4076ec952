#include "CString.h"
#include <gtest/gtest.h>
TEST(CString, Smoke) { CString s(L"abc"); EXPECT_EQ(3, s.GetLength()); }
