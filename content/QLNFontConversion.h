// Copies between a control's font property (the system's OLE font object in a font holder) and
// a logical font. Heights assume a 96 dpi screen in both directions; no device is asked.
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
