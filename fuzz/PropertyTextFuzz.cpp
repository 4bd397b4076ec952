// The readable property text on any bytes: parsing must end, read nothing outside them, and say
// why exactly when it refuses. What it reads, written again, reads back the same, as long as the
// names are ones a text can hold (a text without the heading may carry others).
#include "CQLNPropertyText.h"
#include "FuzzInput.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<CQLNPropertyText::Property> properties;
    std::wstring error;
    const bool ok = CQLNPropertyText::Parse(text, properties, error);
    FUZZ_CHECK(ok == error.empty());
    if (!ok || !std::all_of(properties.begin(), properties.end(),
                            [](const CQLNPropertyText::Property& p) { return CQLNPropertyText::IsName(p.name); }))
        return 0;
    std::vector<CQLNPropertyText::Property> again;
    FUZZ_CHECK(CQLNPropertyText::Parse(CQLNPropertyText::Format(properties), again, error));
    FUZZ_CHECK(again.size() == properties.size());
    for (size_t i = 0; i < again.size(); ++i)
        FUZZ_CHECK(again[i].name == properties[i].name && again[i].value == properties[i].value);
    return 0;
}
