// A text object's text fields as a host or a hand-edited property set may give them: split into
// lines as the drawing pass reads them, each line into default text, decimal setting and
// customized line, and the customized line into prompts and values.
#include "FuzzInput.h"
#include "QLNConvertStringToDouble.h"
#include "QLNDefaultText.h"
#include "QLNStringTokenizer.h"
#include "QLNTextFieldLines.h"

namespace {

const wchar_t kFormFeed = L'\f';

// Items of the customized line must put it back together, each of them as the tokenizer
// describes items, and the counting and indexing helpers must agree with the walk.
void CheckItems(const CString& customized)
{
    CQLNStringTokenizer tokenizer(customized);
    CString joined, item;
    BOOL bIsValue = FALSE;
    int nPrompts = 0, nValues = 0;
    while (tokenizer.GetNextString(item, bIsValue)) {
        FUZZ_CHECK(item.GetLength() > 0);
        if (bIsValue) {
            FUZZ_CHECK(item[0] == L'{');
            const int close = item.Find(L'}');
            FUZZ_CHECK(close < 0 || close == item.GetLength() - 1);
            CString key = item;
            CQLNStringTokenizer::TrimOffDelimitators(key);
            FUZZ_CHECK(key.GetLength() == 0 || (key[0] != L'{' && key[key.GetLength() - 1] != L'}'));
            CQLNDefaultText::GetTDByTokenText(key);
        } else {
            FUZZ_CHECK(item.Find(L'{') < 0);
        }
        // A few items are looked up by index too: each lookup walks the line again.
        const int index = nPrompts + nValues;
        if (index < 8) {
            BOOL bIndexedIsValue = !bIsValue;
            FUZZ_CHECK(CQLNStringTokenizer::GetLineItem(customized, index, bIndexedIsValue) == item);
            FUZZ_CHECK(bIndexedIsValue == bIsValue);
        }
        (bIsValue ? nValues : nPrompts)++;
        joined += item;
        FUZZ_CHECK(joined + tokenizer.GetRemainingString() == customized);
    }
    FUZZ_CHECK(joined == customized);
    int nCountedPrompts = -1, nCountedValues = -1;
    CQLNStringTokenizer::GetNumberOfPromptAndValue(customized, nCountedPrompts, nCountedValues);
    FUZZ_CHECK(nCountedPrompts == nPrompts && nCountedValues == nValues);
    BOOL bPastEnd = FALSE;
    FUZZ_CHECK(CQLNStringTokenizer::GetLineItem(customized, nPrompts + nValues, bPastEnd).IsEmpty());
}

void CheckLine(const CString& line)
{
    CString defaultText, decimal, customized;
    CQLNDefaultText::BreakupTextLine(line, defaultText, decimal, customized);
    FUZZ_CHECK(defaultText.Find(kFormFeed) < 0 && decimal.Find(kFormFeed) < 0);
    int nFormFeeds = 0;
    for (int i = 0; i < line.GetLength(); ++i)
        nFormFeeds += line[i] == kFormFeed ? 1 : 0;
    if (nFormFeeds >= 2) {
        CString formed;
        CQLNDefaultText::FormTextLine(defaultText, decimal, customized, formed);
        FUZZ_CHECK(formed == line);
    } else {
        FUZZ_CHECK(customized == (nFormFeeds == 0 ? line : line.Mid(line.Find(kFormFeed) + 1)));
    }
    // Splitting in place, the line passed as one of its own parts, gives the same parts.
    CString inPlace = line, inPlaceDecimal, inPlaceCustomized;
    CQLNDefaultText::BreakupTextLine(inPlace, inPlace, inPlaceDecimal, inPlaceCustomized);
    FUZZ_CHECK(inPlace == defaultText && inPlaceDecimal == decimal && inPlaceCustomized == customized);

    const CString drawn = CQLNDefaultText::GetCustomizedLine(line);
    FUZZ_CHECK(drawn.Find(kFormFeed) < 0);
    double dValue = 0;
    QLNConvertStringToDouble(decimal, dValue);
    CheckItems(drawn);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CQLNTextFieldLines lines;
    lines.SetText(FuzzInput(data, size).Text());
    for (int i = 0; i < lines.GetCount(); ++i)
        CheckLine(lines.GetLine(i));
    return 0;
}
