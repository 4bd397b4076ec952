// A chromatography result file decoded by the netCDF library into the text values the mapping
// takes. Damaged files are the library's to detect; what is read is bounded, so that a header
// that claims more data than any instrument writes is refused instead of filling the memory.
#pragma once
#include "CQLNResultMapping.h"

#include <string>

class CQLNResultFile
{
public:
    // Most values a variable may have: a day's signal at 100 points a second is under ten
    // million.
    static constexpr size_t m_knMaxValues = 10u * 1000u * 1000u;

    // False with a message that says whether the file could not be opened, is no netCDF file,
    // is damaged, or is netCDF but no chromatography result.
    static bool Read(const std::string& path, CQLNResultMapping::Result& result, std::string& error);
};
