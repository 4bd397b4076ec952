// The result mapping on any values a file could hold. The input is the file as read: records
// separated by 0x1E, each a kind ('A' attribute, 'V' variable, 'D' dimension, 'F' the file's
// name), the name, then values separated by 0x1F. Whatever they are, the data text is lines of
// Key=value with no line broken inside a value, in valid UTF-8, and no more rows than peaks.
#include "CQLNResultMapping.h"
#include "FuzzInput.h"

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

bool IsUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const size_t length = c < 0x80 ? 1 : c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
        if (length == 0 || c == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    CQLNResultMapping::Result result;
    size_t nMostValues = 0;
    for (const std::string& record : Split(input, '\x1E')) {
        if (record.empty())
            continue;
        std::vector<std::string> parts = Split(record.substr(1), '\x1F');
        const std::string name = parts.front();
        parts.erase(parts.begin());
        switch (record[0]) {
        case 'A': result.attributes[name] = parts.empty() ? std::string() : parts.front(); break;
        case 'V':
            nMostValues = std::max(nMostValues, parts.size());
            result.variables[name] = parts;
            break;
        case 'D': result.dimensions.push_back(name); break;
        case 'F': result.fileName = name; break;
        default: break;
        }
    }
    CQLNResultMapping::IsResult(result);
    const std::string text = CQLNResultMapping::DataText(result);
    FUZZ_CHECK(text.empty() || text.back() == '\n');
    size_t nRows = 0;
    for (const std::string& line : Split(text, '\n')) {
        if (line.empty())
            continue;
        FUZZ_CHECK(line.find('=') != std::string::npos);
        FUZZ_CHECK(line.find('\r') == std::string::npos);
        FUZZ_CHECK(IsUtf8(line));
        if (line.compare(0, 3, "Row") == 0)
            nRows = std::max(nRows, static_cast<size_t>(std::strtoul(line.c_str() + 3, nullptr, 10)));
    }
    FUZZ_CHECK(nRows <= nMostValues);
    return 0;
}
