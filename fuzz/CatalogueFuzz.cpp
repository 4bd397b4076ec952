// A report object's catalogue built from string resources that say anything: the resources are
// the input, cut at 0xFF bytes, and the string seam answers every id from them. The catalogue
// must hold one item per id, find each item by its own text, and answer every question about it.
#include "AfxStringSeam.h"
#include "FuzzInput.h"
#include "QLNDefaultText.h"
#include "QLNStringTokenizer.h"

#include <vector>

namespace {

std::vector<CString> g_strings;

} // namespace

// Id n is the piece n modulo their number, so the library's own strings (the descriptions of
// the line kinds) come from the input too. An empty piece is no string, as in a string table.
BOOL AfxFindStringResource(UINT nID, const wchar_t*& text, int& length)
{
    const CString& str = g_strings[nID % g_strings.size()];
    if (str.IsEmpty())
        return FALSE;
    text = str.GetString();
    length = str.GetLength();
    return TRUE;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    g_strings = FuzzInput(data, size).Pieces(0xFF);
    // The time precision a control last set, from -2 to 5: in and out of the items' ranges.
    g_lRTPrecision = static_cast<LONG>(size % 8) - 2;
    std::vector<UINT> ids;
    for (UINT id = 0; id < g_strings.size(); ++id)
        ids.push_back(id);
    const CQLNDefaultText catalogue(ids.data(), static_cast<int>(ids.size()));

    const CStringArray& items = catalogue.GetStringArray();
    FUZZ_CHECK(items.GetSize() == static_cast<int>(ids.size()));
    FUZZ_CHECK(catalogue.GetDecimalArray().GetSize() == items.GetSize());
    for (int i = 0; i < items.GetSize(); ++i) {
        const CString& item = items[i];
        FUZZ_CHECK(item.Find(L'\n') < 0);
        FUZZ_CHECK(catalogue.IsDefaultItem(item));
        int nFirst = 0;
        while (!(items[nFirst] == item))
            ++nFirst;
        FUZZ_CHECK(catalogue.GetDefaultDecimal(item) == catalogue.GetDecimalArray()[nFirst]);
        int nMin = 0, nMax = 0;
        FUZZ_CHECK(catalogue.GetDefaultDecimalMinMax(item, nMin, nMax));
        for (int type = -1; type <= 3; ++type)
            catalogue.FindMatchingDescription(item, static_cast<CQLNDefaultText::eItemType>(type));
        BOOL bIsValue = FALSE;
        CString key = CQLNStringTokenizer::GetLineItem(item, 1, bIsValue);
        CQLNStringTokenizer::TrimOffDelimitators(key);
        CQLNDefaultText::GetTDByTokenText(key);
    }
    int nMin = 0, nMax = 0;
    if (!catalogue.GetDefaultDecimalMinMax(L"\x1\x2 not an item", nMin, nMax))
        FUZZ_CHECK(nMin == CQLNDefaultText::m_skiDecimalMin && nMax == CQLNDefaultText::m_skiDecimalMax);
    return 0;
}
