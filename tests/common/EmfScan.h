// What a recorded enhanced metafile holds, read back record by record with EnumEnhMetaFile:
// the fonts created, each text output with the font and colour in effect, lines, filled
// rectangles and drawn rectangles. Tests compare these with the layout they expect.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct EmfText
{
    std::wstring text;
    POINT ref;          // reference point of the output (top left with alignment 0)
    RECT clip;          // the rectangle given to the output
    UINT options;       // ETO_ flags
    std::wstring face;  // font in effect
    LONG height;
    COLORREF colour;
    LOGFONTW font;      // the whole description of the font in effect
};

struct EmfLine { POINT from, to; };
struct EmfFill { RECT rect; COLORREF colour; };

class EmfScan
{
public:
    explicit EmfScan(HENHMETAFILE hemf);

    std::vector<LOGFONTW> fontsCreated;
    std::vector<EmfText> texts;
    std::vector<EmfLine> lines;
    std::vector<EmfFill> fills;
    // Rectangle outputs, as given.
    std::vector<RECT> rectangles;
    int selectsOfStockBlackPen = 0;

    // The texts joined by "|", for readable failures.
    std::wstring TextList() const;
    // The first text output equal to s, or null.
    const EmfText* Find(const std::wstring& s) const;
};
