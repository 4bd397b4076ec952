#include "CQLNPageStream.h"

#include <algorithm>
#include <cstring>

namespace {

const char kMagic[4] = {'Q', 'R', 'P', 'G'};

void Put(std::string& bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

class Reader
{
public:
    explicit Reader(const std::string& bytes) : m_bytes(bytes) {}
    bool Get(uint32_t& value)
    {
        if (m_bytes.size() - m_at < 4)
            return false;
        value = 0;
        for (int i = 0; i < 4; ++i)
            value |= static_cast<uint32_t>(static_cast<unsigned char>(m_bytes[m_at + i])) << (8 * i);
        m_at += 4;
        return true;
    }
    bool Get(int32_t& value)
    {
        uint32_t u = 0;
        if (!Get(u))
            return false;
        // Two's complement, as written; a conversion spelled out rather than left to the compiler.
        value = u <= 0x7FFFFFFFu ? static_cast<int32_t>(u) : -static_cast<int32_t>(~u) - 1;
        return true;
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }

private:
    const std::string& m_bytes;
    size_t m_at = 0;
};

} // namespace

CQLNPageStream::Size CQLNPageStream::PaperSize(uint32_t nPaper, bool bLandscape)
{
    const Size portrait = nPaper == 0 ? Size{21000, 29700} : Size{21590, 27940};
    return bLandscape ? Size{portrait.cy, portrait.cx} : portrait;
}

int32_t CQLNPageStream::MaxMargin(uint32_t nPaper, bool bLandscape)
{
    const Size size = PaperSize(nPaper, bLandscape);
    return std::min(size.cx, size.cy) / 4;
}

std::string CQLNPageStream::Write(const Page& page)
{
    std::string bytes(kMagic, sizeof kMagic);
    Put(bytes, m_knVersion);
    Put(bytes, page.nPaper);
    Put(bytes, page.bLandscape ? 1u : 0u);
    Put(bytes, static_cast<uint32_t>(page.nMargin));
    Put(bytes, static_cast<uint32_t>(page.nRTPrecision));
    Put(bytes, static_cast<uint32_t>(page.places.size()));
    for (const Place& place : page.places)
        for (int32_t v : {place.left, place.top, place.right, place.bottom})
            Put(bytes, static_cast<uint32_t>(v));
    return bytes;
}

bool CQLNPageStream::Read(const std::string& bytes, Page& page, std::wstring& error)
{
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        error = L"this is not a report page";
        return false;
    }
    Reader reader(bytes);
    uint32_t magic = 0, version = 0, paper = 0, landscape = 0, count = 0;
    int32_t margin = 0, precision = m_knDefaultRTPrecision;
    if (reader.Get(magic) && reader.Get(version) && (version < 1 || version > m_knVersion)) {
        error = L"the page was written in version " + std::to_wstring(version) + L", which this program cannot read";
        return false;
    }
    if (version == 0 || !reader.Get(paper) || !reader.Get(landscape) || !reader.Get(margin) ||
        (version >= 2 && !reader.Get(precision)) || !reader.Get(count)) {
        error = L"the page's description is cut short";
        return false;
    }
    if (paper >= m_knPapers || landscape > 1 || margin < 0 || count > m_knMaxObjects || precision < 0 ||
        precision > m_knMaxRTPrecision) {
        error = L"the page's description is damaged";
        return false;
    }
    if (margin > MaxMargin(paper, landscape != 0)) {
        error = L"the page's margins are larger than the page allows";
        return false;
    }
    // The count is checked against what is left before anything is allocated for it.
    std::vector<Place> places;
    places.reserve(std::min<size_t>(count, bytes.size() / 16));
    for (uint32_t i = 0; i < count; ++i) {
        Place rc = {};
        if (!reader.Get(rc.left) || !reader.Get(rc.top) || !reader.Get(rc.right) || !reader.Get(rc.bottom)) {
            error = L"the page's description is cut short";
            return false;
        }
        if (static_cast<int64_t>(rc.right) - rc.left < m_knMinObjectSize ||
            static_cast<int64_t>(rc.bottom) - rc.top < m_knMinObjectSize) {
            error = L"an object's place lies outside the page";
            return false;
        }
        places.push_back(rc);
    }
    if (!reader.AtEnd()) {
        error = L"the page's description is damaged";
        return false;
    }
    page.nPaper = paper;
    page.bLandscape = landscape != 0;
    page.nMargin = margin;
    page.nRTPrecision = precision;
    page.places.swap(places);
    return true;
}
