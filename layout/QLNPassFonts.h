// The fonts of one drawing pass. Every item of a pass draws in a font made from a font holder
// at the pass's zoom, and a text object of a few hundred items uses only its four or five
// fonts: each is made once, on first use, and kept until the pass releases it. Under Wine
// making a font costs more than drawing the text in it.
//
// A font is found by its full description, so that a holder changed between two uses gets a
// font of its own and never an earlier one.
#pragma once
#include "CDC.h"
#include "CFont.h"
#include "CFontHolder.h"

#include <memory>
#include <vector>

class CQLNPassFonts
{
public:
    // Tallest character height, in pixels, a drawing font may ask for.
    static const LONG m_knMaxHeight = 16384;

    CQLNPassFonts() = default;

    // Selects into pDC the font of holder at dZoom, its height clamped to m_knMaxHeight, unless
    // it is selected already; returns it, or null when the system refuses it (the DC's font
    // then stays). The font the DC had before the first selection is kept for Release.
    CFont* Select(CDC* pDC, CFontHolder& holder, double dZoom);
    // The extent of "A" in pFont (one of this set's, selected into pDC), measured on pDC the
    // first time: the pass measures every item's wrap margin with it, on its one DC.
    SIZE ExtentOfA(CDC* pDC, CFont* pFont);
    // Gives pDC back the font it had before the first selection, then deletes the fonts.
    void Release(CDC* pDC);

    CQLNPassFonts(const CQLNPassFonts&) = delete;
    CQLNPassFonts& operator=(const CQLNPassFonts&) = delete;

private:
    struct Entry
    {
        LOGFONTW lf;
        CFont font;
        bool bKnownA = false;
        SIZE sizeA = {0, 0};
    };

    // Made on first use: the description already seen, or a new font.
    CFont* Get(CFontHolder& holder, double dZoom);

    std::vector<std::unique_ptr<Entry>> m_fonts;
    CFont* m_pSelected = nullptr;
    HFONT m_hBefore = nullptr;
};
