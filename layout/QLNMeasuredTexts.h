// The texts a drawing pass has measured lately, in the font of each role, with the width of
// every prefix. Fitting a text into a cell asks about its prefixes, and drawing its pieces
// wants them all, for a recording writes each letter's advance beside the text: both are
// answered from one measurement of the text. Keeps the last few texts; a pass asks about a
// text soon after measuring it.
#pragma once
#include "QLNBaseExport.h"

#include <windows.h>

#include <string>
#include <vector>

class QLN_BASE_API CQLNMeasuredTexts
{
public:
    CQLNMeasuredTexts();

    // The extent of the first nCount characters of pch, when a text measured in the role's font
    // starts with them.
    bool Find(int nRole, const wchar_t* pch, int nCount, SIZE& size) const;
    // The widths of the first nCount prefixes of pch, from the same measurement as Find; null
    // when no measured text starts with them. Valid until the next Add or Clear.
    const int* Extents(int nRole, const wchar_t* pch, int nCount) const;
    // Keeps a measurement of the first nCount characters of pch: pnExtents[i] the width of the
    // first i + 1 of them, nHeight their height. Replaces the oldest once all places are taken.
    void Add(int nRole, const wchar_t* pch, int nCount, const int* pnExtents, int nHeight);
    // Forgets every measurement, as when the fonts may have changed.
    void Clear();

private:
    struct Entry
    {
        int nRole = -1;
        std::wstring text;
        std::vector<int> extents;
        int nHeight = 0;
    };

    const Entry* Lookup(int nRole, const wchar_t* pch, int nCount) const;

    std::vector<Entry> m_entries;
    size_t m_nOldest = 0;
};
