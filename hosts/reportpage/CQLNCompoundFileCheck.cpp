#include "CQLNCompoundFileCheck.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

const uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
// Values of a chain's links that are no sector: the end of the chain, a sector not in use.
const uint32_t kEndOfChain = 0xFFFFFFFE;
const uint32_t kNoEntry = 0xFFFFFFFF;
const size_t kHeaderSize = 512;
const size_t kEntrySize = 128;
const uint32_t kMiniSectorSize = 64;
// Streams shorter than this live in small sectors inside the root's stream.
const uint64_t kMiniStreamCutoff = 4096;
const size_t kHeaderFatSectors = 109;
// Directory entries' names are at most 31 characters and a terminating zero, in UTF-16.
const size_t kNameChars = 32;

enum EntryType : uint8_t { kStorage = 1, kStream = 2, kRoot = 5 };

uint64_t UnitsFor(uint64_t nBytes, uint64_t nUnit)
{
    return nBytes / nUnit + (nBytes % nUnit != 0 ? 1 : 0);
}

class Walker
{
public:
    Walker(const uint8_t* pData, size_t nSize) : m_pData(pData), m_nSize(nSize) {}

    // False with the fault in why.
    bool Walk(std::wstring& why)
    {
        return ReadHeader(why) && ReadFat(why) && ReadDirectory(why) && ReadMiniStream(why) && WalkTrees(why);
    }

private:
    uint16_t U16(size_t at) const { return static_cast<uint16_t>(m_pData[at] | (m_pData[at + 1] << 8)); }
    uint32_t U32(size_t at) const
    {
        return static_cast<uint32_t>(m_pData[at]) | (static_cast<uint32_t>(m_pData[at + 1]) << 8) |
               (static_cast<uint32_t>(m_pData[at + 2]) << 16) | (static_cast<uint32_t>(m_pData[at + 3]) << 24);
    }
    uint64_t U64(size_t at) const { return U32(at) | (static_cast<uint64_t>(U32(at + 4)) << 32); }
    // The header takes the place of sector -1.
    size_t SectorAt(uint32_t nSector) const { return (static_cast<size_t>(nSector) + 1) * m_nSectorSize; }
    size_t EntryAt(uint32_t nEntry) const
    {
        const size_t nPerSector = m_nSectorSize / kEntrySize;
        return SectorAt(m_dirSectors[nEntry / nPerSector]) + (nEntry % nPerSector) * kEntrySize;
    }

    static bool Fail(std::wstring& why, const wchar_t* pszWhat)
    {
        why = pszWhat;
        return false;
    }

    bool ReadHeader(std::wstring& why)
    {
        if (m_nSize < kHeaderSize)
            return Fail(why, L"it is cut short in its header");
        const uint16_t nMajor = U16(0x1A);
        const uint16_t nShift = U16(0x1E);
        if (U16(0x1C) != 0xFFFE || !((nMajor == 3 && nShift == 9) || (nMajor == 4 && nShift == 12)))
            return Fail(why, L"its header names a format this program does not know");
        if (U16(0x20) != 6 || U32(0x38) != kMiniStreamCutoff)
            return Fail(why, L"its header gives small sectors a size of their own");
        m_bVersion3 = nMajor == 3;
        m_nSectorSize = size_t{1} << nShift;
        if (m_nSize < m_nSectorSize)
            return Fail(why, L"it is cut short in its header");
        // Sector numbers from 0xFFFFFFFA up mean something else; a sector cut short is not there.
        const size_t nSectors = (m_nSize - m_nSectorSize) / m_nSectorSize;
        m_nSectors = nSectors < 0xFFFFFFFAu ? static_cast<uint32_t>(nSectors) : 0xFFFFFFFAu;
        m_used.assign(m_nSectors, 0);
        return true;
    }

    // The allocation table: its sectors are listed in the header, then in a chain of list sectors.
    bool ReadFat(std::wstring& why)
    {
        const uint32_t nFatSectors = U32(0x2C);
        if (nFatSectors > m_nSectors)
            return Fail(why, L"its header counts more allocation sectors than the file holds");
        std::vector<uint32_t> fatSectors;
        for (size_t i = 0; i < kHeaderFatSectors && fatSectors.size() < nFatSectors; ++i)
            fatSectors.push_back(U32(0x4C + 4 * i));
        const size_t nPerList = m_nSectorSize / 4 - 1;
        for (uint32_t nList = U32(0x44); fatSectors.size() < nFatSectors;) {
            if (nList >= m_nSectors)
                return Fail(why, L"the list of its allocation sectors leads outside the file");
            if (m_used[nList])
                return Fail(why, L"the list of its allocation sectors goes round in a circle");
            m_used[nList] = 1;
            for (size_t k = 0; k < nPerList && fatSectors.size() < nFatSectors; ++k)
                fatSectors.push_back(U32(SectorAt(nList) + 4 * k));
            nList = U32(SectorAt(nList) + 4 * nPerList);
        }
        m_fat.reserve(fatSectors.size() * (m_nSectorSize / 4));
        for (uint32_t nSector : fatSectors) {
            if (nSector >= m_nSectors)
                return Fail(why, L"an allocation sector lies outside the file");
            if (m_used[nSector])
                return Fail(why, L"an allocation sector is listed twice");
            m_used[nSector] = 1;
            for (size_t k = 0; k < m_nSectorSize / 4; ++k)
                m_fat.push_back(U32(SectorAt(nSector) + 4 * k));
        }
        return true;
    }

    // Follows a chain from nStart through the table; every unit it passes is marked used, so that
    // a chain that comes back on itself or runs into another is caught at once.
    static bool Follow(uint32_t nStart, const std::vector<uint32_t>& table, uint32_t nUnits, std::vector<uint8_t>& used,
                       uint64_t nAtLeast, std::vector<uint32_t>* pChain, std::wstring& why)
    {
        uint64_t nLength = 0;
        for (uint32_t n = nStart; n != kEndOfChain; n = table[n]) {
            if (n >= nUnits || n >= table.size())
                return Fail(why, L"a chain of its sectors leads outside the file");
            if (used[n])
                return Fail(why, L"a chain of its sectors goes round in a circle or runs into another");
            used[n] = 1;
            ++nLength;
            if (pChain != nullptr)
                pChain->push_back(n);
        }
        if (nLength < nAtLeast)
            return Fail(why, L"a stream is longer than the chain of sectors that holds it");
        return true;
    }

    bool ReadDirectory(std::wstring& why)
    {
        if (!Follow(U32(0x30), m_fat, m_nSectors, m_used, 1, &m_dirSectors, why))
            return false;
        const uint64_t nEntries = static_cast<uint64_t>(m_dirSectors.size()) * (m_nSectorSize / kEntrySize);
        m_nEntries = static_cast<uint32_t>(nEntries < kNoEntry ? nEntries : kNoEntry - 1);
        if (m_pData[EntryAt(0) + 66] != kRoot)
            return Fail(why, L"its directory has no root");
        return true;
    }

    // A stream's size, which version 3 keeps in 32 bits.
    bool StreamSize(uint32_t nEntry, uint64_t& nSize, std::wstring& why) const
    {
        nSize = U64(EntryAt(nEntry) + 120);
        if ((m_bVersion3 && nSize > 0xFFFFFFFFu) || nSize > m_nSize)
            return Fail(why, L"a stream claims to be larger than the file");
        return true;
    }

    // The root's stream holds the small sectors; the small-sector table is a chain of its own.
    bool ReadMiniStream(std::wstring& why)
    {
        uint64_t nSize = 0;
        if (!StreamSize(0, nSize, why))
            return false;
        std::vector<uint32_t> streamSectors, tableSectors;
        if (nSize > 0 &&
            !Follow(U32(EntryAt(0) + 116), m_fat, m_nSectors, m_used, UnitsFor(nSize, m_nSectorSize), &streamSectors, why))
            return false;
        const uint32_t nTableStart = U32(0x3C);
        if ((U32(0x40) > 0 || nTableStart != kEndOfChain) &&
            !Follow(nTableStart, m_fat, m_nSectors, m_used, U32(0x40), &tableSectors, why))
            return false;
        for (uint32_t nSector : tableSectors)
            for (size_t k = 0; k < m_nSectorSize / 4; ++k)
                m_miniFat.push_back(U32(SectorAt(nSector) + 4 * k));
        const uint64_t nHeld = std::min<uint64_t>(UnitsFor(nSize, kMiniSectorSize),
                                                  streamSectors.size() * (m_nSectorSize / kMiniSectorSize));
        m_nMiniSectors = static_cast<uint32_t>(std::min<uint64_t>(nHeld, 0xFFFFFFFAu));
        m_miniUsed.assign(m_nMiniSectors, 0);
        return true;
    }

    bool NameIsWhole(uint32_t nEntry) const
    {
        const size_t at = EntryAt(nEntry);
        for (size_t k = 0; k < kNameChars; ++k)
            if (U16(at + 2 * k) == 0)
                return k > 0 && U16(at + 64) == 2 * (k + 1);
        return false;
    }

    // Every storage's children hang from it as a tree through their left and right links; each
    // entry is to be reached once, from one link, and hold what a stream or a storage holds.
    bool WalkTrees(std::wstring& why)
    {
        std::vector<uint8_t> reached(m_nEntries, 0);
        reached[0] = 1;
        std::vector<uint32_t> pending;
        const uint32_t nFirst = U32(EntryAt(0) + 76);
        if (nFirst != kNoEntry)
            pending.push_back(nFirst);
        while (!pending.empty()) {
            const uint32_t nEntry = pending.back();
            pending.pop_back();
            if (nEntry >= m_nEntries)
                return Fail(why, L"a directory entry points past the end of its directory");
            if (reached[nEntry])
                return Fail(why, L"its directory's entries point at each other in a circle, or two at one");
            reached[nEntry] = 1;
            const size_t at = EntryAt(nEntry);
            const uint8_t type = m_pData[at + 66];
            if (type != kStorage && type != kStream)
                return Fail(why, L"a directory entry points at one that is not in use");
            if (!NameIsWhole(nEntry))
                return Fail(why, L"a name in its directory is damaged");
            for (size_t link : {size_t{68}, size_t{72}})
                if (U32(at + link) != kNoEntry)
                    pending.push_back(U32(at + link));
            if (type == kStorage) {
                if (U32(at + 76) != kNoEntry)
                    pending.push_back(U32(at + 76));
                continue;
            }
            uint64_t nSize = 0;
            if (!StreamSize(nEntry, nSize, why))
                return false;
            const uint32_t nStart = U32(at + 116);
            if (nSize == 0)
                continue;
            if (nSize < kMiniStreamCutoff) {
                if (!Follow(nStart, m_miniFat, m_nMiniSectors, m_miniUsed, UnitsFor(nSize, kMiniSectorSize), nullptr, why))
                    return false;
            } else if (!Follow(nStart, m_fat, m_nSectors, m_used, UnitsFor(nSize, m_nSectorSize), nullptr, why)) {
                return false;
            }
        }
        return true;
    }

    const uint8_t* m_pData;
    size_t m_nSize;
    bool m_bVersion3 = true;
    size_t m_nSectorSize = 512;
    uint32_t m_nSectors = 0;
    std::vector<uint32_t> m_fat;
    std::vector<uint8_t> m_used;
    std::vector<uint32_t> m_dirSectors;
    uint32_t m_nEntries = 0;
    std::vector<uint32_t> m_miniFat;
    uint32_t m_nMiniSectors = 0;
    std::vector<uint8_t> m_miniUsed;
};

} // namespace

CQLNCompoundFileCheck::Verdict CQLNCompoundFileCheck::Check(const uint8_t* pData, size_t nSize, std::wstring& why)
{
    why.clear();
    if (pData == nullptr || nSize < sizeof kSignature || std::memcmp(pData, kSignature, sizeof kSignature) != 0) {
        why = L"it is not a compound file";
        return Verdict::NotCompound;
    }
    Walker walker(pData, nSize);
    return walker.Walk(why) ? Verdict::Sound : Verdict::Damaged;
}
