// Exceptions: thrown by value, caught by reference through their base, with run-time class.
#include "CInvalidArgException.h"
#include "CMemoryException.h"
#include "COleDispatchException.h"
#include "COleException.h"
#include "CUserException.h"

#include <gtest/gtest.h>

TEST(Exceptions, CaughtThroughTheBaseWithTheirClassAndMessage)
{
    try {
        AfxThrowInvalidArgException();
    } catch (const CException& e) {
        EXPECT_TRUE(e.IsKindOf(RUNTIME_CLASS(CObject)));
        EXPECT_FALSE(e.IsKindOf(RUNTIME_CLASS(CMemoryException)));
        EXPECT_STREQ("CInvalidArgException", e.GetRuntimeClass()->m_lpszClassName);
    }
    EXPECT_THROW(AfxThrowMemoryException(), CMemoryException);
    EXPECT_THROW(AfxThrowUserException(), CUserException);
    try {
        AfxThrowOleException(static_cast<SCODE>(0x80004002));
    } catch (const COleException& e) {
        EXPECT_EQ(static_cast<SCODE>(0x80004002), e.m_sc);
    }
    try {
        AfxThrowOleDispatchException(1001, L"Property is read-only.", 42);
        FAIL();
    } catch (const CException& e) {
        const auto* d = dynamic_cast<const COleDispatchException*>(&e);
        ASSERT_NE(nullptr, d);
        EXPECT_EQ(1001, d->m_wCode);
        wchar_t buf[9];
        UINT help = 0;
        EXPECT_TRUE(e.GetErrorMessage(buf, 9, &help));
        EXPECT_STREQ(L"Property", buf);          // cut to the buffer, zero-terminated
        EXPECT_EQ(42u, help);
        EXPECT_FALSE(e.GetErrorMessage(buf, 0));
    }
    wchar_t buf[64];
    EXPECT_TRUE(CMemoryException().GetErrorMessage(buf, 64));
    EXPECT_FALSE(CUserException().GetErrorMessage(buf, 64));
    EXPECT_STREQ(L"", buf);
}
