// The compound-file check on any bytes: it must end (libFuzzer's time limit catches a loop), read
// nothing outside them, and say why exactly when it refuses. A file it passes has its directory,
// with the root first, inside the bytes.
#include "CQLNCompoundFileCheck.h"
#include "FuzzInput.h"

namespace {

uint32_t U32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::wstring why;
    const CQLNCompoundFileCheck::Verdict verdict = CQLNCompoundFileCheck::Check(data, size, why);
    FUZZ_CHECK((verdict == CQLNCompoundFileCheck::Verdict::Sound) == why.empty());
    if (verdict != CQLNCompoundFileCheck::Verdict::Sound)
        return 0;
    // A sound file has a header and a directory whose first sector is in the file.
    FUZZ_CHECK(size >= 512);
    const size_t nSectorSize = size_t{1} << data[0x1E];
    const size_t nDirectory = (static_cast<size_t>(U32(data + 0x30)) + 1) * nSectorSize;
    FUZZ_CHECK(nDirectory + nSectorSize <= size);
    FUZZ_CHECK(data[nDirectory + 66] == 5);
    return 0;
}
