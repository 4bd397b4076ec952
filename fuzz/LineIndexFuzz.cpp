// The line index against the text it indexes: every line must be found where the text has it,
// followed by a carriage return and a line feed, and hold no such pair itself.
#include "FuzzInput.h"
#include "QLNTextFieldLines.h"

#include <cwchar>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const CString input = FuzzInput(data, size).Text();
    CQLNTextFieldLines lines;
    lines.SetText(input);

    // The index holds the text up to its first zero character.
    const int length = static_cast<int>(wcsnlen(input.GetString(), static_cast<size_t>(input.GetLength())));
    const CString text = input.Left(length);
    FUZZ_CHECK(lines.GetCount() >= 1);
    FUZZ_CHECK(lines.GetLine(-1).IsEmpty() && lines.GetLine(lines.GetCount()).IsEmpty());

    int pos = 0;
    for (int i = 0; i < lines.GetCount(); ++i) {
        const CString line = lines.GetLine(i);
        FUZZ_CHECK(line.GetLength() <= CQLNTextFieldLines::m_knMaxLineLength);
        FUZZ_CHECK(line.Find(L"\r\n") < 0);
        FUZZ_CHECK(text.Mid(pos, line.GetLength()) == line);
        // Lines are never cut in these inputs (libFuzzer's are far shorter than the cut).
        pos += line.GetLength();
        if (i == lines.GetCount() - 1)
            break;
        FUZZ_CHECK(text.Mid(pos, 2) == L"\r\n");
        pos += 2;
    }
    FUZZ_CHECK(pos == length);
    return 0;
}
