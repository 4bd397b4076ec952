// How a line of text is cut into runs of one font each when its own font lacks some of its
// letters: the rules of falling back to the fonts linked to it, apart from any device.
//
//   a letter (a character with a direction of its own)  the first font that has it, the text's
//                                                       own font first
//   a space, digit or punctuation mark                  stays in the run before it when that
//                                                       run's font has it, so that the words of
//                                                       one script stay one run, which the
//                                                       system shapes and orders as a whole
//   a combining mark, joiner or variation selector      stays in the run before it: a cluster
//                                                       is shaped in one font
//   a character no font has                             stays in the run before it (the own
//                                                       font at the start), drawn as that font
//                                                       draws a missing letter
//   a surrogate pair                                    one character
//
// The runs are then drawn in the order the platform's bidi rules give the whole line: each is cut
// where the embedding level changes, and the runs of one right-to-left sequence are drawn from
// its end, whatever font each is in.
#pragma once
#include "QLNBaseExport.h"

#include <windows.h>

#include <functional>
#include <vector>

class QLN_BASE_API CQLNFontRuns
{
public:
    struct Run
    {
        int nStart;
        int nLength;
        // 0 for the text's own font, then 1, 2, ... for its fallback fonts in their order.
        int nFont;
        // The bidi embedding level of its characters: odd reads right to left.
        int nLevel = 0;
    };
    // The direction a line is read in: the platform reads a line left to right unless told
    // otherwise, whatever script it starts with.
    enum class Reading { LeftToRight, RightToLeft };
    // Whether font nFont has a glyph for the character that starts at pch[nAt].
    using Coverage = std::function<bool(int nFont, int nAt)>;

    // The runs of pch[0..nLength), in order and covering it, for nFonts fonts (the own font
    // and nFonts - 1 fallbacks); none for an empty text.
    static std::vector<Run> Split(const wchar_t* pch, int nLength, int nFonts, const Coverage& has);

    // The runs of Split cut where the embedding level changes, each with its level, in the order
    // they are drawn from the left. Runs that do not cover pch[0..nLength) in order, or a text the
    // system cannot analyse, come back as given, at level 0.
    static std::vector<Run> InVisualOrder(const wchar_t* pch, int nLength, const std::vector<Run>& runs,
                                          Reading reading);
};
