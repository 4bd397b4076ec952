// The number conversion on any text: a number it accepts is finite, and blanks and tabs around
// the text change nothing.
#include "FuzzInput.h"
#include "QLNConvertStringToDouble.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CString text = FuzzInput(data, size).Text();
    double dValue = -1;
    const BOOL bNumber = QLNConvertStringToDouble(text, dValue);
    if (bNumber)
        FUZZ_CHECK(std::isfinite(dValue));

    double dPadded = -1;
    const BOOL bPadded = QLNConvertStringToDouble(L" \t" + text + L"\t ", dPadded);
    FUZZ_CHECK(bPadded == bNumber);
    if (bNumber)
        FUZZ_CHECK(dPadded == dValue);
    return 0;
}
