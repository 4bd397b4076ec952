// A check of a compound file's structure, done on its bytes before the system's structured
// storage is given them: the header, the sector allocation table and the chains through it, the
// table of small sectors and the directory's trees. Structured storage follows the chains and
// the trees wherever they point; a file damaged so that a chain or a tree comes back on itself
// sends it round for ever. Every sector and every directory entry is visited at most once here,
// so the check ends within a few passes over the bytes, whatever they hold.
//
// Platform-free, so that the native builds test it under the sanitizers and fuzz it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class CQLNCompoundFileCheck
{
public:
    enum class Verdict
    {
        Sound,         // the structure can be walked: every chain ends, every entry is reached once
        NotCompound,   // not a compound file at all (no signature)
        Damaged,       // a compound file whose structure is broken or cut short
    };

    // why: for a file that is not sound, what is wrong with it, in words.
    static Verdict Check(const uint8_t* pData, size_t nSize, std::wstring& why);
};
