#include "QLNFontRuns.h"

#include <usp10.h>

#include <algorithm>

namespace {

enum class Kind { Letter, Neutral, Attached };

bool IsHighSurrogate(wchar_t ch) { return ch >= 0xD800 && ch <= 0xDBFF; }
bool IsLowSurrogate(wchar_t ch) { return ch >= 0xDC00 && ch <= 0xDFFF; }

Kind KindOf(wchar_t ch)
{
    // Joiners and variation selectors carry no direction and no glyph of their own.
    if (ch == 0x200C || ch == 0x200D || (ch >= 0xFE00 && ch <= 0xFE0F))
        return Kind::Attached;
    WORD nType3 = 0;
    WORD nType2 = 0;
    if (::GetStringTypeW(CT_CTYPE3, &ch, 1, &nType3) && (nType3 & C3_NONSPACING))
        return Kind::Attached;
    if (::GetStringTypeW(CT_CTYPE2, &ch, 1, &nType2) && (nType2 == C2_LEFTTORIGHT || nType2 == C2_RIGHTTOLEFT))
        return Kind::Letter;
    return Kind::Neutral;
}

// The embedding level of each character of a line, as the system's bidi analysis gives it; none
// when it cannot analyse the text.
std::vector<BYTE> LevelsOf(const wchar_t* pch, int nLength, CQLNFontRuns::Reading reading)
{
    SCRIPT_CONTROL control = {};
    SCRIPT_STATE state = {};
    state.uBidiLevel = reading == CQLNFontRuns::Reading::RightToLeft ? 1 : 0;
    // No item is shorter than a character; the list ends with an item that only marks the end.
    std::vector<SCRIPT_ITEM> items(static_cast<size_t>(nLength) + 2);
    int nItems = 0;
    if (FAILED(::ScriptItemize(pch, nLength, nLength + 1, &control, &state, items.data(), &nItems)) || nItems <= 0 ||
        nItems > nLength)
        return {};
    std::vector<BYTE> levels(static_cast<size_t>(nLength), 0);
    for (int k = 0; k < nItems; ++k) {
        const int nEnd = std::min(items[static_cast<size_t>(k) + 1].iCharPos, nLength);
        for (int i = std::max(items[static_cast<size_t>(k)].iCharPos, 0); i < nEnd; ++i)
            levels[static_cast<size_t>(i)] = items[static_cast<size_t>(k)].a.s.uBidiLevel;
    }
    return levels;
}

bool CoversInOrder(const std::vector<CQLNFontRuns::Run>& runs, int nLength)
{
    int nAt = 0;
    for (const CQLNFontRuns::Run& run : runs) {
        if (run.nStart != nAt || run.nLength <= 0 || run.nLength > nLength - nAt)
            return false;
        nAt += run.nLength;
    }
    return nAt == nLength;
}

} // namespace

std::vector<CQLNFontRuns::Run> CQLNFontRuns::Split(const wchar_t* pch, int nLength, int nFonts, const Coverage& has)
{
    std::vector<Run> runs;
    if (pch == nullptr || nLength <= 0)
        return runs;
    int nAt = 0;
    while (nAt < nLength) {
        const int nSize = IsHighSurrogate(pch[nAt]) && nAt + 1 < nLength && IsLowSurrogate(pch[nAt + 1]) ? 2 : 1;
        const int nCurrent = runs.empty() ? 0 : runs.back().nFont;
        int nFont = nCurrent;
        const Kind kind = nSize == 2 ? Kind::Letter : KindOf(pch[nAt]);
        if (kind == Kind::Letter || (kind == Kind::Neutral && !has(nCurrent, nAt))) {
            for (int nTry = 0; nTry < nFonts; ++nTry) {
                if (has(nTry, nAt)) {
                    nFont = nTry;
                    break;
                }
            }
        }
        if (runs.empty() || runs.back().nFont != nFont)
            runs.push_back({nAt, 0, nFont});
        runs.back().nLength += nSize;
        nAt += nSize;
    }
    return runs;
}

std::vector<CQLNFontRuns::Run> CQLNFontRuns::InVisualOrder(const wchar_t* pch, int nLength, const std::vector<Run>& runs,
                                                           Reading reading)
{
    if (pch == nullptr || nLength <= 0 || !CoversInOrder(runs, nLength))
        return runs;
    const std::vector<BYTE> levels = LevelsOf(pch, nLength, reading);
    if (levels.empty())
        return runs;
    std::vector<Run> cut;
    std::vector<BYTE> cutLevels;
    for (const Run& run : runs) {
        for (int i = run.nStart; i < run.nStart + run.nLength; ++i) {
            const BYTE nLevel = levels[static_cast<size_t>(i)];
            if (i == run.nStart || nLevel != cutLevels.back()) {
                cut.push_back({i, 0, run.nFont, nLevel});
                cutLevels.push_back(nLevel);
            }
            ++cut.back().nLength;
        }
    }
    std::vector<int> visualToLogical(cut.size());
    if (FAILED(::ScriptLayout(static_cast<int>(cut.size()), cutLevels.data(), visualToLogical.data(), nullptr)))
        return runs;
    std::vector<Run> ordered;
    ordered.reserve(cut.size());
    for (int nLogical : visualToLogical) {
        if (nLogical < 0 || static_cast<size_t>(nLogical) >= cut.size())
            return runs;
        ordered.push_back(cut[static_cast<size_t>(nLogical)]);
    }
    return ordered;
}
