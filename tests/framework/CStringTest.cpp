// The wide string: slicing clamps, searches report -1, formatting and resources.
#include "CInvalidArgException.h"
#include "CString.h"
#include "framework_tests_res.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>

TEST(CStringSlices, ClampToTheString)
{
    const CString s(L"abcdef");
    EXPECT_EQ(CString(L"cdef"), s.Mid(2));
    EXPECT_EQ(CString(L"cd"), s.Mid(2, 2));
    EXPECT_EQ(CString(L"abcdef"), s.Mid(-3));           // negative start reads from 0
    EXPECT_EQ(CString(L""), s.Mid(6));                  // start at the end
    EXPECT_EQ(CString(L""), s.Mid(99, 2));
    EXPECT_EQ(CString(L"ef"), s.Mid(4, INT_MAX));       // count past the end
    EXPECT_EQ(CString(L""), s.Mid(1, -1));
    EXPECT_EQ(CString(L"ab"), s.Left(2));
    EXPECT_EQ(CString(L"abcdef"), s.Left(100));
    EXPECT_EQ(CString(L""), s.Left(-1));
}

TEST(CStringSearch, ReportsIndexOrMinusOne)
{
    const CString s(L"a{b}c{d}");
    EXPECT_EQ(1, s.Find(L'{'));
    EXPECT_EQ(5, s.Find(L'{', 2));
    EXPECT_EQ(-1, s.Find(L'{', 6));
    EXPECT_EQ(-1, s.Find(L'{', -1));
    EXPECT_EQ(-1, s.Find(L'{', 100));
    EXPECT_EQ(5, s.Find(L"{d"));
    EXPECT_EQ(-1, s.Find(L"{e"));
    EXPECT_EQ(0, s.Find(L""));
    EXPECT_EQ(8, s.Find(L"", 8));                      // empty needle at the end
    EXPECT_EQ(7, s.ReverseFind(L'}'));
    EXPECT_EQ(-1, s.ReverseFind(L'x'));
    EXPECT_EQ(-1, CString().Find(L'a'));
}

TEST(CStringTrim, DefaultWhiteSpaceAndGivenCharacters)
{
    CString s(L" \t\r\n x y \f\v");
    EXPECT_EQ(CString(L"x y"), s.Trim());
    CString braces(L"{{RT}}");
    EXPECT_EQ(CString(L"RT}}"), CString(braces).TrimLeft(L'{'));
    EXPECT_EQ(CString(L"RT"), braces.Trim(L"{}"));
    CString blanks(L"   ");
    EXPECT_TRUE(blanks.Trim().IsEmpty());
    CString keep(L" a ");
    EXPECT_EQ(CString(L" a "), keep.TrimLeft(L""));
}

TEST(CStringCompare, OrdinalAndIgnoringCase)
{
    EXPECT_LT(CString(L"RT").Compare(L"rt"), 0);        // upper case sorts first
    EXPECT_EQ(0, CString(L"CompName").CompareNoCase(L"COMPNAME"));
    EXPECT_NE(0, CString(L"abc").CompareNoCase(L"abd"));
    EXPECT_GT(CString(L"abc").Compare(L"ab"), 0);
    EXPECT_LT(CString(L"ab").Compare(L"abc"), 0);
    EXPECT_EQ(0, CString().Compare(nullptr));
    // Characters compare as unsigned numbers, whatever the width of wchar_t: above 0x7FFF, and
    // beyond U+FFFF (a surrogate pair on Windows, one 32-bit character natively), where neither
    // the low 16 bits nor U+10000 may pass for another character or the end.
    EXPECT_GT(CString(L"\uFF21").Compare(L"A"), 0);
    EXPECT_NE(0, CString(L"\U00010041").Compare(L"A"));
    EXPECT_NE(0, CString(L"\U00010061").CompareNoCase(L"A"));
    EXPECT_GT(CString(L"a\U00010000").Compare(L"a"), 0);
    EXPECT_TRUE(CString(L"x") == L"x");
    EXPECT_TRUE(L"x" != CString(L"y"));
}

TEST(CStringElements, OutOfRangeRaisesInvalidArgument)
{
    CString s(L"ab");
    EXPECT_EQ(L'b', s.GetAt(1));
    EXPECT_THROW(s.GetAt(2), CInvalidArgException);
    EXPECT_THROW(s.GetAt(-1), CInvalidArgException);
    EXPECT_THROW(s.SetAt(2, L'x'), CInvalidArgException);
    s.SetAt(0, L'x');
    EXPECT_EQ(CString(L"xb"), s);
}

TEST(CStringFormat, PrintfConversions)
{
    CString s;
    s.Format(L"Please enter a decimal between %d and %d.", -2147483647 - 1, 2147483647);
    EXPECT_EQ(CString(L"Please enter a decimal between -2147483648 and 2147483647."), s);
    s.Format(L"ColWidthRatio%d", 2);
    EXPECT_EQ(CString(L"ColWidthRatio2"), s);
    s.Format(L"[%5s|%-4s|%.2s]", L"ab", L"c", L"xyz");
    EXPECT_EQ(CString(L"[   ab|c   |xy]"), s);
    s.Format(L"%s=%u %x %04X %c %%", L"\u00b5m", 4000000000u, 255u, 0xABu, L'\u00e9');
    EXPECT_EQ(CString(L"\u00b5m=4000000000 ff 00AB \u00e9 %"), s);
    s.Format(L"%.3f %g %I64d %lld", 2.5, 0.25, -5000000000LL, 7LL);
    EXPECT_EQ(CString(L"2.500 0.25 -5000000000 7"), s);
    s.Format(L"%*d|%-*d|", 4, 7, 3, 8);
    EXPECT_EQ(CString(L"   7|8  |"), s);
    s.Format(L"%s", static_cast<const wchar_t*>(nullptr));
    EXPECT_EQ(CString(L"(null)"), s);
    s.Format(L"trailing %");                          // a lone percent is kept as written
    EXPECT_EQ(CString(L"trailing %"), s);
    CString big;
    big.Format(L"%.400f", 1.0);                       // longer than the formatter's buffer
    EXPECT_EQ(402, big.GetLength());
}

TEST(CStringFormat, WidthAndPrecisionFromArguments)
{
    // A negative width from the arguments aligns left, as a '-' would, and the widest field is
    // 100000 characters, however it is given; a negative precision counts as none.
    const struct { const wchar_t* format; int star; int length; const wchar_t* start; const char* why; } rows[] = {
        {L"%*d|", 3, 4, L"  7|", "width from the arguments"},
        {L"%*d|", -3, 4, L"7  |", "negative width aligns left"},
        {L"%*d|", INT_MIN, 100001, L"7 ", "the most negative width, which has no positive"},
        {L"%*d|", INT_MAX, 100001, L"  ", "the widest width"},
        {L"%.*d|", -1, 2, L"7|", "negative precision of an integer: the digits"},
        {L"%.*d|", INT_MAX, 100001, L"000", "the longest precision"},
    };
    for (const auto& row : rows) {
        CString s;
        s.Format(row.format, row.star, 7);
        EXPECT_EQ(row.length, s.GetLength()) << row.why;
        EXPECT_EQ(CString(row.start), s.Left(static_cast<int>(wcslen(row.start)))) << row.why;
    }
    CString s;
    s.Format(L"%99999999d|", 7);                      // written out: the same bound
    EXPECT_EQ(100001, s.GetLength());
    s.Format(L"%.*f|%*s|", -1, 7.0, -2, L"x");
    EXPECT_EQ(CString(L"7.000000|x |"), s);
}

TEST(CStringBuffer, GetAndReleaseBuffer)
{
    CString s(L"abc");
    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"hello");
    s.ReleaseBuffer();
    EXPECT_EQ(CString(L"hello"), s);
    s.GetBuffer(0);
    s.ReleaseBuffer(99);                              // cannot grow past the buffer
    EXPECT_EQ(CString(L"hello"), s);
}

TEST(CStringText, EmbeddedZeroAndValueSemantics)
{
    const wchar_t raw[] = {L'a', 0, L'b'};
    CString s(raw, 3);
    EXPECT_EQ(3, s.GetLength());
    CString copy = s;
    copy.SetAt(0, L'z');
    EXPECT_EQ(L'a', s[0]);                            // copies do not share
    EXPECT_FALSE(copy == s);
    EXPECT_EQ(CString(L"xxx"), CString(L'x', 3));
    EXPECT_TRUE(CString(L'x', -1).IsEmpty());
    EXPECT_TRUE(CString(nullptr).IsEmpty());
    EXPECT_TRUE(CString(L"abc", -5).IsEmpty());
    EXPECT_EQ(CString(L"ab"), L'a' + CString(L"b"));
}

TEST(CStringResources, LoadsFromTheApplication)
{
    CString s(L"stale");
    EXPECT_TRUE(s.LoadString(IDS_TEST_HELLO));
    EXPECT_EQ(CString(L"Hello from the test program"), s);
    EXPECT_TRUE(s.LoadString(IDS_TEST_UNICODE));
    EXPECT_EQ(CString(L"Gr\u00f6\u00dfe \u00b5m"), s);
    EXPECT_FALSE(s.LoadString(IDS_TEST_MISSING_IN_BLOCK));  // same block of sixteen, no entry
    EXPECT_TRUE(s.IsEmpty());
    s = L"stale";
    EXPECT_FALSE(s.LoadString(60000));                      // no such block
    EXPECT_TRUE(s.IsEmpty());
}

#ifdef _WIN32
TEST(CStringAutomation, AllocSysStringKeepsTheLength)
{
    const wchar_t raw[] = {L'a', 0, L'b'};
    BSTR b = CString(raw, 3).AllocSysString();
    ASSERT_NE(nullptr, b);
    EXPECT_EQ(3u, ::SysStringLen(b));
    EXPECT_EQ(L'b', b[2]);
    ::SysFreeString(b);
}
#endif
