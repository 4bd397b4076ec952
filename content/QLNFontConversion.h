// Copies between a font object (the platform's IFont, as a control's font property is) and a
// logical font. Heights assume a 96 dpi screen in both directions; no device is asked. The
// conversions of a control's font holder are built on these (QLNFontHolderConversion.h).
//
// The size, face and character set read are those the font was given: the system's font object
// reports those of the font it realised (a substituted face, a size rounded to whole pixels),
// and a page that showed those and wrote them back would change what nobody touched.
#pragma once
#include "QLNBaseExport.h"

#include "AfxFontAsGiven.h"
#include "CString.h"

// The record of pFont, which was given cySize, strName and sCharset (its holder remembers them):
// face name, height (negative: a character height), italic, underline, strike-out, weight and
// character set; every other field is zero. No font gives an all-zero record.
QLN_BASE_API void QLNGivenFontToLogFont(IFont* pFont, CY cySize, const CString& strName, short sCharset,
                                        LOGFONTW& logFont);
// Scales the height by dZoom, rounded half up. A zoom that is not a positive finite number
// leaves it, and a product beyond int is clamped to the largest height int holds.
QLN_BASE_API void QLNZoomLogFont(double dZoom, LOGFONTW& logFont);

// The character height in pixels of a size in points times 10000, negated: only the low 32 bits
// of the size count, and the quotient is rounded down, so 10 points give -13.
QLN_BASE_API LONG QLNFontSizeToHeight(CY cySize);
// The size of a height (of either sign): 7500 per pixel, so -13 gives 9.75 points; at most the
// largest size a font can have.
QLN_BASE_API CY QLNHeightToFontSize(LONG lHeight);
// Whether cySize is a size a font can have within the pixel that lHeight stands for (14 points,
// 18.67 pixels, for a height of -19), so that it may be written for that height.
QLN_BASE_API BOOL QLNIsSizeOfHeight(CY cySize, LONG lHeight);

// QLNGivenFontToLogFont for a font object reached without its holder (through automation): what
// it was given as its stream form keeps it.
QLN_BASE_API void QLNFontToLogFont(IFont* pFont, LOGFONTW& logFont);
// Sets name, size, italic, underline, strike-out, weight and character set of the font object;
// bold follows the weight. Without a font nothing changes. With bChangedOnly, only what
// differs in meaning from what QLNFontToLogFont gives now is written (a face in other letter
// case, a flag of 2 for 1, a positive height for its negative are no change), and a height of
// 0, no size at all, leaves the size. A height that changes is written as cySize when that is
// the size the height stands for (the size the user chose, which whole pixels cannot hold: 14
// points are 18.67 pixels), else as the height's own size.
QLN_BASE_API void QLNLogFontToFont(const LOGFONTW& logFont, IFont* pFont, BOOL bChangedOnly = FALSE,
                                   const CY* pcySize = nullptr);
