// Text drawn in the fonts the system links to a font for the letters it lacks.
//
// Windows draws a letter that a font lacks in the first font linked to it (the FontLink
// SystemLink registry key) that has it, on every device. Wine does so only for text it does not
// shape, and never on a printer: its PostScript driver asks the font alone for each glyph, and
// its shaping of Hebrew, Arabic and Thai asks the font alone too, so those letters come out as
// boxes, or not at all on paper. Text drawn through this class is cut into runs of one font each
// (CQLNFontRuns), each drawn in a font that has its letters, at the place the whole text would
// have taken, the runs in the order the bidi rules of the whole text give them.
#pragma once
#include "QLNBaseExport.h"

#include <windows.h>

#include <string>
#include <vector>

class QLN_BASE_API CQLNFontFallback
{
public:
    // The faces linked to strFace, in order: its own SystemLink entry or, when it has none, that
    // of the face it is a substitute for (FontSubstitutes). Entries that name a file alone are
    // left out.
    static std::vector<std::wstring> LinkedFaces(const std::wstring& strFace);

    // Whether the font selected into hDC lacks a glyph for a character of pch[0..nCount).
    static bool Lacks(HDC hDC, const wchar_t* pch, UINT nCount);

    // ExtTextOutW in the DC's font, the letters it lacks in the linked fonts. The text keeps its
    // place: its alignment is that of the DC; pDx (as ExtTextOutW takes it) spaces the runs,
    // and within a run of the DC's own font its characters. A text the font has whole, glyph
    // indices, or a DC that updates its current position draw as ExtTextOutW draws them.
    static BOOL ExtTextOut(HDC hDC, int x, int y, UINT nOptions, const RECT* pRect, const wchar_t* pch,
                           UINT nCount, const INT* pDx);

    // PlayEnhMetaFileRecord, a text record drawn through ExtTextOut above.
    static BOOL PlayRecord(HDC hDC, HANDLETABLE* pHandles, const ENHMETARECORD* pRecord, UINT nHandles);
    // PlayEnhMetaFile, each text through ExtTextOut above.
    static BOOL Play(HDC hDC, HENHMETAFILE hEmf, const RECT* pBounds);
};
