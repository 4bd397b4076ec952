// Copies between a control's font property (the system's OLE font object in a font holder) and
// a logical font. Heights assume a 96 dpi screen in both directions; no device is asked.
//
// The size, face and character set read are those the font was given: the system's font object
// reports those of the font it realised (a substituted face, a size rounded to whole pixels),
// and a page that showed those and wrote them back would change what nobody touched.
#pragma once
#include "QLNBaseExport.h"

#include "CFontHolder.h"

// Face name, height (negative: a character height), italic, underline, strike-out, weight and
// character set; every other field is zero. A holder without a font, or a font without IFont,
// gives an all-zero record.
QLN_BASE_EXTERN_C void OleFontToLogFont(CFontHolder& fontHolder, LOGFONTW& logFont);
// Sets name, size, italic, underline, strike-out, weight and character set of the holder's font;
// bold follows the weight. Without a font, or without IFont, nothing changes.
QLN_BASE_EXTERN_C void LogFontToOleFont(const LOGFONTW& logFont, CFontHolder& fontHolder);
// OleFontToLogFont with the height scaled by dZoom and rounded half up.
QLN_BASE_EXTERN_C void QLNZoomFontHolderToLOGFONT(CFontHolder& fontHolder, double dZoom, LOGFONTW& logFont);

// The character height in pixels of a size in points times 10000, negated: only the low 32 bits
// of the size count, and the quotient is rounded down, so 10 points give -13.
QLN_BASE_API LONG QLNFontSizeToHeight(CY cySize);
// The size of a height (of either sign): 7500 per pixel, so -13 gives 9.75 points; at most the
// largest size a font can have.
QLN_BASE_API CY QLNHeightToFontSize(LONG lHeight);
// Whether cySize is a size a font can have within the pixel that lHeight stands for (14 points,
// 18.67 pixels, for a height of -19), so that it may be written for that height.
QLN_BASE_API BOOL QLNIsSizeOfHeight(CY cySize, LONG lHeight);

// OleFontToLogFont for a font object reached without its holder (through automation).
QLN_BASE_API void QLNFontToLogFont(IFont* pFont, LOGFONTW& logFont);
// LogFontToOleFont for a font object reached without its holder. With bChangedOnly, only what
// differs in meaning from what QLNFontToLogFont gives now is written (a face in other letter
// case, a flag of 2 for 1, a positive height for its negative are no change), and a height of
// 0, no size at all, leaves the size. A height that changes is written as cySize when that is
// the size the height stands for (the size the user chose, which whole pixels cannot hold: 14
// points are 18.67 pixels), else as the height's own size.
QLN_BASE_API void QLNLogFontToFont(const LOGFONTW& logFont, IFont* pFont, BOOL bChangedOnly = FALSE,
                                   const CY* pcySize = nullptr);
