// Copies between a control's font property (the system's OLE font object in a font holder) and
// a logical font: the conversions of the font object (QLNFontConversion.h) with the size, face
// and character set the holder remembers as given.
#pragma once
#include "QLNBaseExport.h"

#include "CFontHolder.h"
#include "QLNFontConversion.h"

// The font's record (QLNGivenFontToLogFont). A holder without a font, or a font without IFont,
// gives an all-zero record.
QLN_BASE_EXTERN_C void OleFontToLogFont(CFontHolder& fontHolder, LOGFONTW& logFont);
// Writes the record into the holder's font (QLNLogFontToFont). Without a font, or without IFont,
// nothing changes.
QLN_BASE_EXTERN_C void LogFontToOleFont(const LOGFONTW& logFont, CFontHolder& fontHolder);
// OleFontToLogFont with the height scaled by dZoom and rounded half up (QLNZoomLogFont).
QLN_BASE_EXTERN_C void QLNZoomFontHolderToLOGFONT(CFontHolder& fontHolder, double dZoom, LOGFONTW& logFont);
