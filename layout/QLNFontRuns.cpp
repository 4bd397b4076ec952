#include "QLNFontRuns.h"

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
