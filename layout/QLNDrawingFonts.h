// The fonts the column engine draws in, one for each role (a kind of text: heading, label,
// value, the overflow marker), each made from the role's font holder at the engine's zoom.
//
// They are kept from one drawing pass to the next: under Wine making a font costs more than
// drawing the text in it, and a text object draws in the same four or five fonts pass after
// pass. Each pass describes every role's font once; a role whose description changed (a font
// property or the zoom) gets a font of its own, made on first use, and a font no role describes
// any more is deleted. Roles that describe the same font share it. A font is a logical object,
// good on any device, so a change of device keeps it; nothing measured on a device is kept.
#pragma once
#include "CDC.h"
#include "CFont.h"
#include "CFontHolder.h"

#include <memory>
#include <vector>

class CQLNDrawingFonts
{
public:
    // Tallest character height, in pixels, a drawing font may ask for.
    static const LONG m_knMaxHeight = 16384;

    CQLNDrawingFonts() = default;

    // Describes the font of every role for a pass: role i's from ppHolders[i] (none null) at
    // dZoom, its height clamped to m_knMaxHeight.
    void BeginPass(CFontHolder* const* ppHolders, int nRoles, double dZoom);
    // Selects into pDC the font of nRole unless it is selected already; returns it, or null
    // when the system refuses it (the DC's font then stays). The font the DC had before the
    // pass's first selection is kept for EndPass.
    CFont* Select(CDC* pDC, int nRole);
    // Gives pDC back the font it had before the pass's first selection. The fonts stay.
    void EndPass(CDC* pDC);

    CQLNDrawingFonts(const CQLNDrawingFonts&) = delete;
    CQLNDrawingFonts& operator=(const CQLNDrawingFonts&) = delete;

private:
    struct Entry
    {
        LOGFONTW lf;
        CFont font;
    };

    std::vector<std::unique_ptr<Entry>> m_fonts;
    std::vector<Entry*> m_roles;
    CFont* m_pSelected = nullptr;
    HFONT m_hBefore = nullptr;
};
