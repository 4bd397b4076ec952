// A compound file's bytes for tests that damage them where they mean to: the header's fields,
// the allocation table's links (of its first 109 sectors), the directory's entries found by name.
// Platform-free, for the native check's tests and the designer's end-to-end ones alike.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>

namespace qlntest {

class PageBytes
{
public:
    static constexpr uint32_t kEnd = 0xFFFFFFFE;
    // Offsets in a directory entry.
    static constexpr size_t kType = 66, kLeft = 68, kRight = 72, kChild = 76, kStart = 116, kSize = 120;

    explicit PageBytes(std::string bytes) : m_bytes(std::move(bytes)) {}
    std::string& Bytes() { return m_bytes; }

    uint32_t U32(size_t at) const
    {
        uint32_t v = 0;
        std::memcpy(&v, m_bytes.data() + at, 4);
        return v;
    }
    void Put32(size_t at, uint32_t v) { std::memcpy(&m_bytes[at], &v, 4); }
    void Put16(size_t at, uint16_t v) { std::memcpy(&m_bytes[at], &v, 2); }
    size_t SectorSize() const { return size_t{1} << static_cast<unsigned char>(m_bytes[0x1E]); }
    size_t SectorAt(uint32_t n) const { return (n + 1) * SectorSize(); }
    // Where the allocation table keeps the link after sector n.
    size_t LinkAt(uint32_t n) const
    {
        const size_t nPer = SectorSize() / 4;
        return SectorAt(U32(0x4C + 4 * (n / nPer))) + 4 * (n % nPer);
    }
    size_t EntryAt(uint32_t nEntry) const
    {
        const size_t nPer = SectorSize() / 128;
        uint32_t nSector = U32(0x30);
        for (uint32_t i = 0; i < nEntry / nPer; ++i)
            nSector = U32(LinkAt(nSector));
        return SectorAt(nSector) + (nEntry % nPer) * 128;
    }
    uint32_t EntryCount() const
    {
        uint32_t n = 0;
        for (uint32_t nSector = U32(0x30); nSector != kEnd; nSector = U32(LinkAt(nSector)))
            n += static_cast<uint32_t>(SectorSize() / 128);
        return n;
    }
    // The first entry of the name (ASCII), or the count when there is none.
    uint32_t Find(const std::string& name) const
    {
        for (uint32_t i = 0; i < EntryCount(); ++i) {
            const size_t at = EntryAt(i);
            bool bSame = m_bytes[at + kType] != 0 &&
                         static_cast<unsigned char>(m_bytes[at + 64]) == 2 * (name.size() + 1);
            for (size_t k = 0; bSame && k < name.size(); ++k)
                bSame = m_bytes[at + 2 * k] == name[k] && m_bytes[at + 2 * k + 1] == 0;
            if (bSame)
                return i;
        }
        return EntryCount();
    }
    // Sets a link (kLeft, kRight, kChild) of the named entry.
    void Link(const std::string& name, size_t link, uint32_t nTo) { Put32(EntryAt(Find(name)) + link, nTo); }

private:
    std::string m_bytes;
};

} // namespace qlntest
