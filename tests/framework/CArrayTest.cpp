// Arrays: growth, insertion and removal at the edges, and index errors.
#include "CDWordArray.h"
#include "CInvalidArgException.h"
#include "CMemoryException.h"
#include "CStringArray.h"

#include <gtest/gtest.h>

#include <climits>

TEST(CArray, InsertRemoveAndGrowAtTheEdges)
{
    CStringArray a;
    EXPECT_EQ(0, a.Add(L"b"));
    a.InsertAt(0, L"a");
    a.InsertAt(2, L"d");                       // at the end: appends
    a.InsertAt(2, L"c", 1);
    ASSERT_EQ(4, a.GetSize());
    EXPECT_EQ(CString(L"abcd"), a[0] + a[1] + a[2] + a[3]);
    a.InsertAt(6, L"g");                       // past the end: grows with empty strings
    EXPECT_EQ(7, a.GetSize());
    EXPECT_TRUE(a[4].IsEmpty());
    a.RemoveAt(4, 3);
    EXPECT_EQ(4, a.GetSize());
    a.SetAtGrow(5, L"f");
    EXPECT_EQ(6, a.GetSize());
    EXPECT_EQ(CString(L"f"), a.GetAt(5));
    CStringArray b;
    b.Copy(a);
    b.Append(a);
    EXPECT_EQ(12, b.GetSize());
    a.RemoveAll();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(12, b.GetSize());                // copies are independent
}

TEST(CArray, IndexAndSizeErrorsChangeNothing)
{
    CDWordArray a;
    EXPECT_THROW(a.GetAt(0), CInvalidArgException);
    a.Add(7);
    EXPECT_EQ(7u, a[0]);
    EXPECT_THROW(a.GetAt(1), CInvalidArgException);
    EXPECT_THROW(a.GetAt(-1), CInvalidArgException);
    EXPECT_THROW(a.SetAt(1, 3), CInvalidArgException);
    EXPECT_THROW(a.RemoveAt(0, 2), CInvalidArgException);
    EXPECT_THROW(a.RemoveAt(-1), CInvalidArgException);
    EXPECT_THROW(a.InsertAt(-1, 1), CInvalidArgException);
    EXPECT_THROW(a.SetSize(-1), CInvalidArgException);
    EXPECT_THROW(a.SetAtGrow(-1, 1), CInvalidArgException);
    EXPECT_EQ(1, a.GetSize());                 // a refused call changes nothing

    // Sizes are ints: one past what an int counts is refused before anything is allocated.
    EXPECT_THROW(a.SetAtGrow(INT_MAX, 1), CMemoryException);
    EXPECT_THROW(a.InsertAt(1, 1, INT_MAX), CMemoryException);
    EXPECT_THROW(a.InsertAt(INT_MAX, 1), CMemoryException);
    EXPECT_EQ(1, a.GetSize());
}

TEST(CArray, ElementOfTheSameArrayAsArgument)
{
    // Growing moves the elements: an argument that is one of them must be read before that.
    CStringArray a;
    a.Add(L"first element, longer than a short string keeps in place");
    a.SetAtGrow(40, a[0]);
    a.InsertAt(60, a[0]);
    a.InsertAt(0, a[0], 30);
    a.Add(a[0]);
    ASSERT_EQ(92, a.GetSize());
    for (int i : {0, 29, 70, 90, 91})
        EXPECT_EQ(a[30], a[i]) << i;
    a.Append(a);
    a.Append(a);
    ASSERT_EQ(368, a.GetSize());
    EXPECT_EQ(a[30], a[367]);
}

