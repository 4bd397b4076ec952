// What a fuzz target makes of the bytes it is given: text read as UTF-8, so that the seeds stay
// readable and every wide character is still reachable. A byte that starts no valid sequence
// stands for itself as one character, so no input is thrown away and malformed sequences reach
// the code under test too.
#pragma once
#include "CString.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// A broken promise of the code under test: libFuzzer keeps the input that caused it.
#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: %s does not hold\n", __FILE__, __LINE__, #condition);    \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)

class FuzzInput
{
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    CString Text() const { return Decode(m_data, m_size); }

    // The input cut at every separator byte, each piece decoded; at least one piece. A
    // separator that UTF-8 never uses (0xFF) keeps every text writable between them.
    std::vector<CString> Pieces(uint8_t separator) const
    {
        std::vector<CString> pieces;
        size_t start = 0;
        for (size_t i = 0; i <= m_size; ++i) {
            if (i == m_size || m_data[i] == separator) {
                pieces.push_back(Decode(m_data + start, i - start));
                start = i + 1;
            }
        }
        return pieces;
    }

private:
    static CString Decode(const uint8_t* p, size_t n)
    {
        std::wstring text;
        for (size_t i = 0; i < n;) {
            const size_t length = SequenceLength(p + i, n - i);
            uint32_t code = length == 1 ? p[i] : p[i] & (0x7F >> length);
            for (size_t k = 1; k < length; ++k)
                code = (code << 6) | (p[i + k] & 0x3F);
            text += static_cast<wchar_t>(code);
            i += length;
        }
        return CString(text.data(), static_cast<int>(text.size()));
    }

    // Bytes of the UTF-8 sequence starting at p, or 1 when none starts there.
    static size_t SequenceLength(const uint8_t* p, size_t available)
    {
        const size_t length = p[0] >= 0xF0 && p[0] <= 0xF4 ? 4 : p[0] >= 0xE0 && p[0] < 0xF0 ? 3
                            : p[0] >= 0xC2 && p[0] < 0xE0 ? 2 : 1;
        if (length > available)
            return 1;
        for (size_t k = 1; k < length; ++k)
            if ((p[k] & 0xC0) != 0x80)
                return 1;
        return length;
    }

    const uint8_t* m_data;
    size_t m_size;
};
