// Arrays: growth, copies and index errors.
#include "CDWordArray.h"
#include "CInvalidArgException.h"
#include "CStringArray.h"

#include <gtest/gtest.h>

TEST(CArray, GrowsCopiesApartAndRefusesBadIndices)
{
    CStringArray a;
    a.Add(L"a");
    EXPECT_EQ(1, a.Add(L"b"));
    a.SetSize(4);                              // grows with empty strings
    EXPECT_TRUE(a[3].IsEmpty());
    CStringArray b = a;
    a.RemoveAll();
    EXPECT_EQ(CString(L"b"), b[1]);

    CDWordArray d;
    EXPECT_THROW(d.GetAt(0), CInvalidArgException);
    d.Add(7);
    EXPECT_THROW(d.GetAt(-1), CInvalidArgException);
    EXPECT_THROW(d.SetAt(1, 3), CInvalidArgException);
    EXPECT_THROW(d.SetSize(-1), CInvalidArgException);
    EXPECT_EQ(1, d.GetSize());                 // a refused call changes nothing
    EXPECT_EQ(7u, d[0]);
}
