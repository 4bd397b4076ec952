// The wide string: slicing clamps, searches report -1, formatting and resources.
#include "CInvalidArgException.h"
#include "CString.h"
#include "core_tests_res.h"

#include <gtest/gtest.h>

#include <climits>
#include <cwchar>

TEST(CString, SlicesClampSearchesReportMinusOneAndTrimsGivenCharacters)
{
    const CString s(L"abcdef");
    EXPECT_EQ(CString(L"cd"), s.Mid(2, 2));
    EXPECT_EQ(CString(L"abcdef"), s.Mid(-3));           // negative start reads from 0
    EXPECT_EQ(CString(L""), s.Mid(99, 2));
    EXPECT_EQ(CString(L"ef"), s.Mid(4, INT_MAX));       // count past the end must not overflow
    EXPECT_EQ(CString(L""), s.Mid(1, -1));
    EXPECT_EQ(CString(L""), s.Left(-1));

    const CString t(L"a{b}c{d}");
    EXPECT_EQ(5, t.Find(L'{', 2));
    EXPECT_EQ(-1, t.Find(L'{', -1));
    EXPECT_EQ(-1, t.Find(L'{', 100));
    EXPECT_EQ(5, t.Find(L"{d"));
    EXPECT_EQ(8, t.Find(L"", 8));                      // empty needle at the end
    EXPECT_EQ(7, t.ReverseFind(L'}'));
    EXPECT_EQ(-1, CString().Find(L'a'));

    CString u(L" \t\r\n x y \f\v"), braces(L"{{RT}}"), blanks(L"   "), keep(L" a ");
    EXPECT_EQ(CString(L"x y"), u.Trim());
    EXPECT_EQ(CString(L"RT}}"), CString(braces).TrimLeft(L'{'));
    EXPECT_EQ(CString(L"RT"), braces.Trim(L"{}"));
    EXPECT_TRUE(blanks.Trim().IsEmpty());
    EXPECT_EQ(CString(L" a "), keep.TrimLeft(L""));
}

TEST(CString, ComparesCharactersAsUnsignedNumbers)
{
    EXPECT_LT(CString(L"RT").Compare(L"rt"), 0);        // upper case sorts first
    EXPECT_EQ(0, CString(L"CompName").CompareNoCase(L"COMPNAME"));
    EXPECT_NE(0, CString(L"abc").CompareNoCase(L"abd"));
    EXPECT_EQ(0, CString().Compare(nullptr));
    // Whatever the width of wchar_t: above 0x7FFF, and beyond U+FFFF (a surrogate pair on
    // Windows, one 32-bit character natively), where neither the low 16 bits nor U+10000 may
    // pass for another character or the end.
    EXPECT_GT(CString(L"\uFF21").Compare(L"A"), 0);
    EXPECT_NE(0, CString(L"\U00010041").Compare(L"A"));
    EXPECT_NE(0, CString(L"\U00010061").CompareNoCase(L"A"));
    EXPECT_GT(CString(L"a\U00010000").Compare(L"a"), 0);
}

TEST(CString, ElementsOutOfRangeRaiseAndCopiesDoNotShare)
{
    const wchar_t raw[] = {L'a', 0, L'b'};
    CString s(raw, 3);
    EXPECT_EQ(3, s.GetLength());                      // an embedded zero is kept
    EXPECT_THROW(s.GetAt(3), CInvalidArgException);
    EXPECT_THROW(s.GetAt(-1), CInvalidArgException);
    EXPECT_THROW(s.SetAt(3, L'x'), CInvalidArgException);
    CString copy = s;
    copy.SetAt(0, L'z');
    EXPECT_EQ(L'a', s[0]);
    EXPECT_TRUE(CString(L'x', -1).IsEmpty());
    EXPECT_TRUE(CString(nullptr).IsEmpty());
    EXPECT_TRUE(CString(L"abc", -5).IsEmpty());

    wchar_t* p = s.GetBuffer(10);
    wcscpy(p, L"hello");
    s.ReleaseBuffer();
    EXPECT_EQ(CString(L"hello"), s);
    s.GetBuffer(0);
    s.ReleaseBuffer(99);                              // cannot grow past the buffer
    EXPECT_EQ(CString(L"hello"), s);
}

TEST(CString, FormatsAsPrintfWithBoundedFields)
{
    // A negative width from the arguments aligns left, as a '-' would; a negative precision
    // counts as none. Fields wider than 100000 characters, however given, are refused.
    const struct { const wchar_t* format; int star; int length; const wchar_t* start; const char* why; } rows[] = {
        {L"%*d|", -3, 4, L"7  |", "negative width aligns left"},
        {L"%.*d|", -1, 2, L"7|", "negative precision of an integer: the digits"},
        {L"%.*d|", INT_MIN, 2, L"7|", "the most negative precision is none too"},
        {L"%*d|", 100000, 100001, L"  ", "the widest width"},
        {L"%.*d|", 100000, 100001, L"000", "the longest precision"},
        {L"%*d|", INT_MIN, -1, L"", "the most negative width, which has no positive"},
        {L"%*d|", INT_MAX, -1, L"", "a width beyond the bound"},
        {L"%.*d|", INT_MAX, -1, L"", "a precision beyond the bound"},
        {L"%99999999d|", 7, -1, L"", "a width written out has the same bound"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.why);
        CString s(L"kept");
        if (row.length < 0) {
            EXPECT_THROW(s.Format(row.format, row.star, 7), CInvalidArgException);
            EXPECT_EQ(CString(L"kept"), s);
            continue;
        }
        s.Format(row.format, row.star, 7);
        EXPECT_EQ(row.length, s.GetLength());
        EXPECT_EQ(CString(row.start), s.Left(static_cast<int>(wcslen(row.start))));
    }
    CString s;
    s.Format(L"%d..%d [%5s|%-4s|%.2s] %%", -2147483647 - 1, 2147483647, L"\u00b5m", L"c", L"xyz");
    EXPECT_EQ(CString(L"-2147483648..2147483647 [   \u00b5m|c   |xy] %"), s);
    s.Format(L"%u %x %08lX %c %.3f %.6g %.15g %I64d", 4000000000u, 255u, 0xABul, L'\u00e9', 2.5, 0.25, 1.0 / 3, -5000000000LL);
    EXPECT_EQ(CString(L"4000000000 ff 000000AB \u00e9 2.500 0.25 0.333333333333333 -5000000000"), s);
    s.Format(L"%.*f|%*s|%s", -1, 7.0, -2, L"x", static_cast<const wchar_t*>(nullptr));
    EXPECT_EQ(CString(L"7.000000|x |(null)"), s);
    s.Format(L"trailing %");                          // a lone percent is kept as written
    EXPECT_EQ(CString(L"trailing %"), s);
    s.Format(L"%n%5k|%ls|%lc|%hd|%%s", L"wide", L'w', 12);   // so is a conversion it does not know
    EXPECT_EQ(CString(L"%n%5k|wide|w|12|%s"), s);
    s.Format(L"%.400f", 1.0);                         // longer than the formatter's buffer
    EXPECT_EQ(402, s.GetLength());
}

TEST(CString, LoadsStringsFromTheProgram)
{
    CString s(L"stale");
    EXPECT_TRUE(s.LoadString(IDS_TEST_UNICODE));
    EXPECT_EQ(CString(L"Gr\u00f6\u00dfe \u00b5m"), s);
    EXPECT_FALSE(s.LoadString(IDS_TEST_MISSING_IN_BLOCK));  // same block of sixteen, no entry
    EXPECT_TRUE(s.IsEmpty());
    s = L"stale";
    EXPECT_FALSE(s.LoadString(60000));                      // no such block
    EXPECT_TRUE(s.IsEmpty());
}

#ifdef _WIN32
TEST(CString, AllocSysStringKeepsAnEmbeddedZero)
{
    BSTR b = CString(L"a\0b", 3).AllocSysString();
    EXPECT_EQ(3u, ::SysStringLen(b));
    ::SysFreeString(b);
}
#endif
