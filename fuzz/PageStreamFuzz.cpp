// The page stream's reader on any bytes: it must end, read nothing outside them, and say why
// exactly when it refuses. A page it reads keeps the page's rules, and one of the current version
// is written back to the very bytes it was read from.
#include "CQLNPageStream.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CQLNPageStream::Page page;
    std::wstring error;
    const bool ok = CQLNPageStream::Read(bytes, page, error);
    FUZZ_CHECK(ok == error.empty());
    if (!ok)
        return 0;
    FUZZ_CHECK(page.nPaper < CQLNPageStream::m_knPapers);
    FUZZ_CHECK(page.nMargin >= 0 && page.nMargin <= CQLNPageStream::MaxMargin(page.nPaper, page.bLandscape));
    FUZZ_CHECK(page.nRTPrecision >= 0 && page.nRTPrecision <= CQLNPageStream::m_knMaxRTPrecision);
    for (const CQLNPageStream::Place& rc : page.places)
        FUZZ_CHECK(static_cast<int64_t>(rc.right) - rc.left >= CQLNPageStream::m_knMinObjectSize &&
                   static_cast<int64_t>(rc.bottom) - rc.top >= CQLNPageStream::m_knMinObjectSize);
    if (data[4] == CQLNPageStream::m_knVersion)
        FUZZ_CHECK(CQLNPageStream::Write(page) == bytes);
    return 0;
}
