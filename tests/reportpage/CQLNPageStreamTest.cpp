// The page's own stream read from bytes: a page the designer saved, every version, and each way
// a stream can be damaged, with what the reader must say; then thousands of damaged copies of
// the saved page, which under the sanitizers show that no input makes it read outside the bytes.
#include "CQLNPageStream.h"

#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <random>
#include <string>

namespace {

using Page = CQLNPageStream::Page;

std::string SeedStream()
{
    std::ifstream in(QLN_PAGE_STREAM_SEED, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A stream of the magic and the given fields, as a writer of any version would lay them out.
std::string Stream(std::initializer_list<long long> fields)
{
    std::string bytes = "QRPG";
    for (long long field : fields)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<char>((static_cast<unsigned long long>(field) >> (8 * i)) & 0xFF));
    return bytes;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

// The page as a reader would check it, or the error.
std::string Describe(const std::string& bytes)
{
    Page page;
    std::wstring error;
    if (!CQLNPageStream::Read(bytes, page, error))
        return "error: " + Narrow(error);
    std::string seen = std::string(page.nPaper == 0 ? "A4" : "Letter") + (page.bLandscape ? " landscape" : " portrait") +
                       " margin " + std::to_string(page.nMargin) + " decimals " + std::to_string(page.nRTPrecision);
    for (const CQLNPageStream::Place& rc : page.places)
        seen += "; " + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
                std::to_string(rc.bottom);
    return seen;
}

TEST(CQLNPageStream, EachVersionReadsAndEachDamageIsSaidInWords)
{
    const std::string seed = SeedStream();
    ASSERT_EQ(76u, seed.size()) << "the saved page's stream is missing";
    const struct { const char* rule; std::string bytes; const char* seen; } rows[] = {
        {"a page the designer saved: three objects in its first free places",
         seed, "A4 portrait margin 2000 decimals 2; 2000,2000,10000,7000; 10000,2000,18000,7000; 2000,7000,10000,12000"},
        {"version 1 has no decimals: the data system's own",
         Stream({1, 1, 1, 1500, 1, 0, 0, 500, 500}), "Letter landscape margin 1500 decimals 2; 0,0,500,500"},
        {"version 2 carries its decimals", Stream({2, 0, 0, 0, 15, 0}), "A4 portrait margin 0 decimals 15"},
        {"places are taken as written, off the paper too: keeping them on it is the page's rule",
         Stream({2, 0, 0, 2000, 2, 1, -30000, 40000, -29000, 41000}), "A4 portrait margin 2000 decimals 2; -30000,40000,-29000,41000"},
        {"a place spanning more than a 32-bit length is no overflow",
         Stream({2, 0, 0, 2000, 2, 1, INT_MIN, INT_MIN, INT_MAX, INT_MAX}),
         "A4 portrait margin 2000 decimals 2; -2147483648,-2147483648,2147483647,2147483647"},
        {"Letter takes margins up to a quarter of its shorter side", Stream({2, 1, 0, 5397, 2, 0}), "Letter portrait margin 5397 decimals 2"},
        {"nothing", "", "error: this is not a report page"},
        {"another magic", "QRPH" + Stream({2, 0, 0, 0, 2, 0}).substr(4), "error: this is not a report page"},
        {"the magic alone", "QRPG", "error: the page's description is cut short"},
        {"version 0 is none", Stream({0, 0, 0, 0, 2, 0}), "error: the page was written in version 0, which this program cannot read"},
        {"a later version", Stream({3, 0, 0, 0, 2, 0}), "error: the page was written in version 3, which this program cannot read"},
        {"cut in the version", "QRPG\x02", "error: the page's description is cut short"},
        {"cut before the count", Stream({2, 0, 0, 2000, 2}), "error: the page's description is cut short"},
        {"version 1 cut before the count", Stream({1, 0, 0, 2000}), "error: the page's description is cut short"},
        {"cut inside a place", Stream({2, 0, 0, 2000, 2, 1, 0, 0, 500}), "error: the page's description is cut short"},
        {"a count of more places than written", Stream({2, 0, 0, 2000, 2, 2, 0, 0, 500, 500}), "error: the page's description is cut short"},
        {"a count beyond any page", Stream({2, 0, 0, 2000, 2, 10001}), "error: the page's description is damaged"},
        {"a paper that does not exist", Stream({2, 2, 0, 2000, 2, 0}), "error: the page's description is damaged"},
        {"landscape is 0 or 1", Stream({2, 0, 2, 2000, 2, 0}), "error: the page's description is damaged"},
        {"a margin below nothing", Stream({2, 0, 0, -1, 2, 0}), "error: the page's description is damaged"},
        {"more decimals than a page takes", Stream({2, 0, 0, 2000, 16, 0}), "error: the page's description is damaged"},
        {"decimals below nothing", Stream({2, 0, 0, 2000, -1, 0}), "error: the page's description is damaged"},
        {"A4's margins past a quarter of its shorter side", Stream({2, 0, 1, 5251, 2, 0}),
         "error: the page's margins are larger than the page allows"},
        {"a place narrower than the smallest object", Stream({2, 0, 0, 2000, 2, 1, 0, 0, 499, 500}),
         "error: an object's place lies outside the page"},
        {"a place turned inside out", Stream({2, 0, 0, 2000, 2, 1, 1000, 1000, 0, 0}), "error: an object's place lies outside the page"},
        {"bytes after the last place", seed + "x", "error: the page's description is damaged"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.rule);
        EXPECT_EQ(row.seen, Describe(row.bytes));
    }
}

TEST(CQLNPageStream, WhatIsWrittenReadsBackAndAFailedReadLeavesThePageAsItWas)
{
    Page written;
    written.nPaper = 1;
    written.bLandscape = true;
    written.nMargin = 1234;
    written.nRTPrecision = 7;
    written.places = {{-5, -6, 1000, 2000}, {INT_MIN, 0, INT_MAX, 500}};
    Page read;
    std::wstring error;
    ASSERT_TRUE(CQLNPageStream::Read(CQLNPageStream::Write(written), read, error)) << Narrow(error);
    EXPECT_EQ(written.nPaper, read.nPaper);
    EXPECT_EQ(written.bLandscape, read.bLandscape);
    EXPECT_EQ(written.nMargin, read.nMargin);
    EXPECT_EQ(written.nRTPrecision, read.nRTPrecision);
    ASSERT_EQ(2u, read.places.size());
    EXPECT_EQ(INT_MIN, read.places[1].left);
    EXPECT_EQ(INT_MAX, read.places[1].right);

    // A stream that fails at its last byte leaves nothing of itself behind.
    const Page before = read;
    EXPECT_FALSE(CQLNPageStream::Read(SeedStream() + "x", read, error));
    EXPECT_EQ(before.nMargin, read.nMargin);
    EXPECT_EQ(before.places.size(), read.places.size());
}

// Random damage to the saved page: each copy reads or is refused with a message, never both, and
// a page read keeps the rules a page keeps.
TEST(CQLNPageStream, DamagedCopiesOfASavedPageAreReadOrRefusedInWords)
{
    const std::string seed = SeedStream();
    std::mt19937 random(20261207);
    for (int n = 0; n < 5000; ++n) {
        std::string bytes = seed;
        const int nChanges = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < nChanges; ++k)
            bytes[random() % bytes.size()] = static_cast<char>(random());
        bytes.resize(random() % (bytes.size() + 8), '\0');
        Page page;
        std::wstring error;
        const bool ok = CQLNPageStream::Read(bytes, page, error);
        ASSERT_EQ(ok, error.empty()) << n;
        if (ok) {
            EXPECT_LE(page.nMargin, CQLNPageStream::MaxMargin(page.nPaper, page.bLandscape));
            // The current version holds nothing a reader drops: written again, it is the same.
            if (bytes[4] == CQLNPageStream::m_knVersion) {
                EXPECT_EQ(bytes, CQLNPageStream::Write(page)) << n;
            }
        }
    }
}

} // namespace
