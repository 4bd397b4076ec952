// Word wrap of one text inside one cell: how much of the text goes on each text line, found by
// halving, broken at white space, each piece drawn clipped to its own rectangle.
//
// The fitting knows nothing of fonts or device contexts. It asks a surface for the extent of
// the first n characters of a string (in the font that the surface has selected) and hands it
// the pieces to draw, so the same arithmetic serves drawing and plain measuring.
#pragma once
#include "QLNBaseExport.h"
#include "CString.h"

class QLN_BASE_API CQLNCellTextFit
{
public:
    class Surface
    {
    public:
        // Width and height of the first nCount characters of pch.
        virtual SIZE MeasureText(const wchar_t* pch, int nCount) = 0;
        // Draws a piece of text left and top aligned, clipped to rc.
        virtual void DrawPiece(const RECT& rc, const CString& strPiece) = 0;

    protected:
        ~Surface() = default;
    };

    // rcArea: the area the text may use (its right edge less one "A" is the wrap limit; its
    // bottom clips); ptStart: where the first character goes; sizeA: extent of "A" in the
    // text's font. Draws the pieces when bDraw is non-zero and returns the end point of the
    // last piece: the right end of its text and the bottom of its rectangle. A text that is
    // empty once its leading white space is removed draws nothing and returns (0, 0).
    static POINT Flow(Surface& surface, const RECT& rcArea, POINT ptStart, const CString& strText,
                      SIZE sizeA, int bDraw);

    // Number of leading characters of pch (nLength of them) that fit in nLimit pixels, found by
    // halving: between 1 and nLength, and possibly one more than fits when the halving ends on
    // a length it did not measure. nHeight receives the height of the last measurement.
    static int FitByHalving(Surface& surface, const wchar_t* pch, int nLength, long nLimit, long& nHeight);

    // Whether the first nLength characters of pch are all white space that trimming removes
    // (or none): such a text draws nothing.
    static bool IsBlank(const wchar_t* pch, int nLength);

    // The fit moved back to the last space, tab, line feed or carriage return at or before
    // position nFit (never to position 0); nFit itself when there is none or all the text fits.
    static int BreakAtWhiteSpace(const wchar_t* pch, int nLength, int nFit);
};
