// Arrays: growth, copies and index errors.
#include "CDWordArray.h"
#include "CInvalidArgException.h"
#include "CStringArray.h"

#include <gtest/gtest.h>

TEST(CArray, GrowsAndCopiesAreIndependent)
{
    CStringArray a;
    EXPECT_EQ(0, a.Add(L"a"));
    EXPECT_EQ(1, a.Add(L"b"));
    a.SetSize(4);                              // grows with empty strings
    EXPECT_TRUE(a[3].IsEmpty());
    CStringArray b = a;
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(CString(L"b"), b[1]);
}

TEST(CArray, IndexErrorsRaiseInvalidArgument)
{
    CDWordArray a;
    EXPECT_THROW(a.GetAt(0), CInvalidArgException);
    a.Add(7);
    EXPECT_EQ(7u, a[0]);
    EXPECT_THROW(a.GetAt(1), CInvalidArgException);
    EXPECT_THROW(a.GetAt(-1), CInvalidArgException);
    EXPECT_THROW(a.SetAt(1, 3), CInvalidArgException);
    EXPECT_THROW(a.SetSize(-1), CInvalidArgException);
    EXPECT_EQ(1, a.GetSize());                 // a refused call changes nothing
}
