// The compound-file check against a page as the designer saves it, damaged in the ways that
// stop or mislead structured storage: each row breaks one thing and says what the check must
// answer. A few thousand copies damaged at random then show that no input makes the check read
// outside the bytes (under the sanitizers, in the native build).
#include "CQLNCompoundFileCheck.h"
#include "CompoundFileBytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

namespace {

using Verdict = CQLNCompoundFileCheck::Verdict;
using qlntest::PageBytes;

std::string SeedPage()
{
    std::ifstream in(QLN_PAGE_SEED, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Verdict Check(const std::string& bytes, std::wstring& why)
{
    return CQLNCompoundFileCheck::Check(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), why);
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

TEST(CQLNCompoundFileCheck, EachKindOfDamageIsFoundAndSaidInWords)
{
    const PageBytes seed(SeedPage());
    ASSERT_GT(seed.Find("Page"), 0u) << "the seed is a page as the designer saves it";
    ASSERT_LT(seed.Find("Object1"), seed.EntryCount());
    ASSERT_LT(seed.Find("Contents"), seed.EntryCount());
    const struct Row
    {
        const char* why;
        std::function<void(PageBytes&)> damage;
        Verdict verdict;
        const wchar_t* said;
    } rows[] = {
        {"a page as saved, whole", [](PageBytes&) {}, Verdict::Sound, L""},
        {"a text file", [](PageBytes& p) { p.Bytes() = "Page 1 of the report\r\n"; }, Verdict::NotCompound,
         L"not a compound file"},
        {"nothing at all", [](PageBytes& p) { p.Bytes().clear(); }, Verdict::NotCompound, L"not a compound file"},
        {"cut inside the header", [](PageBytes& p) { p.Bytes().resize(300); }, Verdict::Damaged, L"cut short"},
        {"cut after the header: no room for the allocation sectors it counts",
         [](PageBytes& p) { p.Bytes().resize(p.SectorSize() + 100); }, Verdict::Damaged, L"counts more allocation sectors"},
        {"cut in the middle", [](PageBytes& p) { p.Bytes().resize(p.Bytes().size() / 2); }, Verdict::Damaged,
         L"outside the file"},
        {"an unknown format version", [](PageBytes& p) { p.Put16(0x1A, 5); }, Verdict::Damaged, L"format"},
        {"small sectors of another size", [](PageBytes& p) { p.Put16(0x20, 7); }, Verdict::Damaged, L"small sectors"},
        {"more allocation sectors counted than the file holds", [](PageBytes& p) { p.Put32(0x2C, 100000); },
         Verdict::Damaged, L"counts more allocation sectors"},
        {"one allocation sector listed twice",
         [](PageBytes& p) {
             p.Put32(0x2C, 2);
             p.Put32(0x50, p.U32(0x4C));
         },
         Verdict::Damaged, L"listed twice"},
        {"the directory's chain back to its own start",
         [](PageBytes& p) { p.Put32(p.LinkAt(p.U32(0x30)), p.U32(0x30)); }, Verdict::Damaged, L"round in a circle"},
        {"the directory's chain into the allocation table",
         [](PageBytes& p) { p.Put32(p.LinkAt(p.U32(0x30)), p.U32(0x4C)); }, Verdict::Damaged, L"round in a circle"},
        {"the small-sector table's chain in a circle", [](PageBytes& p) { p.Put32(p.LinkAt(p.U32(0x3C)), p.U32(0x3C)); },
         Verdict::Damaged, L"round in a circle"},
        {"the root without its kind", [](PageBytes& p) { p.Bytes()[p.EntryAt(0) + PageBytes::kType] = 1; }, Verdict::Damaged,
         L"no root"},
        {"an entry whose left link is itself",
         [](PageBytes& p) { p.Put32(p.EntryAt(p.Find("Page")) + PageBytes::kLeft, p.Find("Page")); }, Verdict::Damaged,
         L"in a circle"},
        {"an object's storage whose child is the tree it hangs in",
         [](PageBytes& p) { p.Put32(p.EntryAt(p.Find("Object1")) + PageBytes::kChild, p.U32(p.EntryAt(0) + PageBytes::kChild)); }, Verdict::Damaged,
         L"in a circle"},
        {"two storages sharing one child",
         [](PageBytes& p) {
             const uint32_t nSecond = p.Find("Object2");
             p.Put32(p.EntryAt(nSecond) + PageBytes::kChild, p.U32(p.EntryAt(p.Find("Object1")) + PageBytes::kChild));
         },
         Verdict::Damaged, L"in a circle"},
        {"a link past the directory's end", [](PageBytes& p) { p.Put32(p.EntryAt(p.Find("Page")) + PageBytes::kRight, 5000); },
         Verdict::Damaged, L"past the end"},
        {"a link to an entry not in use",
         [](PageBytes& p) {
             const uint32_t nPage = p.Find("Page");
             p.Bytes()[p.EntryAt(nPage) + PageBytes::kType] = 0;
         },
         Verdict::Damaged, L"not in use"},
        {"a name without its end", [](PageBytes& p) { p.Put16(p.EntryAt(p.Find("Page")) + 64, 64); }, Verdict::Damaged,
         L"name"},
        {"a stream longer than its small sectors",
         [](PageBytes& p) { p.Put32(p.EntryAt(p.Find("Page")) + PageBytes::kSize, 4000); }, Verdict::Damaged, L"longer than the chain"},
        {"a stream larger than the file", [](PageBytes& p) { p.Put32(p.EntryAt(p.Find("Contents")) + PageBytes::kSize, 0x7FFFFFFF); },
         Verdict::Damaged, L"larger than the file"},
        {"a stream beginning past the small sectors",
         [](PageBytes& p) { p.Put32(p.EntryAt(p.Find("Page")) + PageBytes::kStart, 100000); }, Verdict::Damaged, L"outside the file"},
        {"two streams in the same small sectors",
         [](PageBytes& p) { p.Put32(p.EntryAt(p.Find("Page")) + PageBytes::kStart, p.U32(p.EntryAt(p.Find("Contents")) + PageBytes::kStart)); },
         Verdict::Damaged, L"runs into another"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        PageBytes page = seed;
        row.damage(page);
        std::wstring why;
        EXPECT_EQ(row.verdict, Check(page.Bytes(), why)) << Narrow(why);
        EXPECT_NE(std::wstring::npos, why.find(row.said)) << Narrow(why);
    }
}

// Damage as a disk or a transfer does it: cut at any length, bytes changed anywhere, or both.
TEST(CQLNCompoundFileCheck, RandomlyDamagedCopiesAreCheckedSafely)
{
    const std::string seed = SeedPage();
    ASSERT_FALSE(seed.empty());
    std::mt19937 random(20261206);
    int nSound = 0, nDamaged = 0;
    for (int i = 0; i < 3000; ++i) {
        std::string copy = seed;
        if (i % 3 != 1)
            copy.resize(std::uniform_int_distribution<size_t>(0, seed.size())(random));
        if (i % 3 != 0)
            for (int k = std::uniform_int_distribution<int>(1, 8)(random); k > 0 && !copy.empty(); --k)
                copy[std::uniform_int_distribution<size_t>(0, copy.size() - 1)(random)] =
                    static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        std::wstring why;
        const Verdict verdict = Check(copy, why);
        EXPECT_EQ(verdict == Verdict::Sound, why.empty());
        (verdict == Verdict::Sound ? nSound : nDamaged)++;
    }
    std::printf("3000 damaged copies: %d pass the check, %d refused\n", nSound, nDamaged);
    EXPECT_GT(nDamaged, 1000);
}

} // namespace
