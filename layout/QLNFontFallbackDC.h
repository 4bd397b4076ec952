// A device context for drawing straight onto a window, a bitmap or a printer that draws its text
// as a recording played onto such a device is drawn (CQLNFontFallback): the letters the selected
// font lacks in the fonts linked to it, where the system would draw boxes or nothing.
//
// It draws on the handles of another device context and owns neither.
#pragma once
#include "QLNBaseExport.h"

#include "CDC.h"

class QLN_BASE_API CQLNFontFallbackDC : public CDC
{
public:
    // Draws on dc's output DC and measures on its attribute DC; dc must outlive this object.
    explicit CQLNFontFallbackDC(const CDC& dc);
    // Gives the handles back untouched: they are dc's.
    ~CQLNFontFallbackDC() override;
    CQLNFontFallbackDC(const CQLNFontFallbackDC&) = delete;
    CQLNFontFallbackDC& operator=(const CQLNFontFallbackDC&) = delete;

    // Whether text drawn on hDC must be drawn so: any device but a recording, whose text is
    // linked where it is played.
    static bool IsNeededFor(HDC hDC);

    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                    LPINT lpDxWidths) override;
    using CDC::ExtTextOut;
};
