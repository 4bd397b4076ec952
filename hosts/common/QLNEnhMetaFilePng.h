// Pictures of enhanced metafiles and bitmaps as PNG files, for people to look at what a report
// object drew or showed (the demo host writes them beside the EMF and of its property sheet; the
// tests read their pixels back). Writing pictures is a host's business, so this lives with the
// sample hosts, outside the library.
#pragma once
#include <windows.h>

// The metafile's frame in pixels of its reference device (at least 1 × 1, at most 16384 ×
// 16384); (0, 0) for a null or unreadable metafile.
SIZE QLNEnhMetaFilePixelSize(HENHMETAFILE hEmf);

// Plays the metafile onto a white picture of nWidth × nHeight pixels (the frame stretched to
// fill it; 0 × 0 means QLNEnhMetaFilePixelSize) and writes it as a PNG file through the
// system's imaging codecs. COM must be initialised on the calling thread. Returns S_OK, or
// E_INVALIDARG for a null metafile or path or a size outside 1..16384, or the failure of the
// step that failed. A resolution above 0 is written into the file, for printing at that size.
HRESULT QLNSaveEnhMetaFileAsPng(HENHMETAFILE hEmf, int nWidth, int nHeight, LPCWSTR lpszPath, double dDpi = 0);

// Writes a bitmap (any format GDI can convert to 32 bits; a capture of a window, say) as an
// opaque PNG file, with the resolution written in when it is above 0. COM must be initialised on
// the calling thread. Returns S_OK, or E_INVALIDARG for a null bitmap or path or a side outside
// 1..16384, or the failure of the step that failed.
HRESULT QLNSaveBitmapAsPng(HBITMAP hBitmap, LPCWSTR lpszPath, double dDpi = 0);

// Paints a window and its children anew and writes it as it is on screen, frame, menu and child
// windows included, as a PNG file of the window's size: what a person looking at it sees.
// Returns S_OK, E_INVALIDARG for a window that is not there, or the failure of QLNSaveBitmapAsPng.
HRESULT QLNSaveWindowAsPng(HWND hWnd, LPCWSTR lpszPath);
