// The page's own stream in its file: the page's setup and its objects' places, as little-endian
// 32-bit fields: the magic "QRPG", the version, the paper, landscape (0 or 1), the margin, the time
// decimals (from version 2; a page of version 1 has the data system's own), the object count, then
// each object's place (left, top, right, bottom), all lengths in 0.01 mm. Bytes in, bytes out: the
// page's file and its objects' storages are the caller's.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class CQLNPageStream
{
public:
    // The version written; a reader takes every version from 1 to this.
    static constexpr uint32_t m_knVersion = 2;
    static constexpr uint32_t m_knPapers = 2;   // A4, Letter
    static constexpr int32_t m_knDefaultRTPrecision = 2;
    static constexpr int32_t m_knMaxRTPrecision = 15;
    static constexpr int32_t m_knMinObjectSize = 500;
    // More objects than any page holds: a count beyond it is damage, not a page.
    static constexpr uint32_t m_knMaxObjects = 10000;

    struct Place
    {
        int32_t left, top, right, bottom;
    };
    struct Size
    {
        int32_t cx, cy;
    };
    struct Page
    {
        uint32_t nPaper = 0;
        bool bLandscape = false;
        int32_t nMargin = 2000;
        int32_t nRTPrecision = m_knDefaultRTPrecision;
        std::vector<Place> places;
    };

    // The paper's size as oriented; nPaper below m_knPapers.
    static Size PaperSize(uint32_t nPaper, bool bLandscape);
    // The widest margin a paper takes: a quarter of its shorter side.
    static int32_t MaxMargin(uint32_t nPaper, bool bLandscape);

    static std::string Write(const Page& page);
    // Reads a stream written by any version so far. On failure page is left as it was and error
    // says in words what is wrong. Places are taken as they stand, off the paper or not, as long
    // as each is at least the smallest object: keeping them on the paper is the page's rule.
    static bool Read(const std::string& bytes, Page& page, std::wstring& error);
};
