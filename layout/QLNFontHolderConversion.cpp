#include "QLNFontHolderConversion.h"

#include <wrl/client.h>

#include <cstring>

using Microsoft::WRL::ComPtr;

namespace {

// The holder's font as IFont, or null.
ComPtr<IFont> QueryFont(CFontHolder& fontHolder)
{
    ComPtr<IFontDisp> disp;
    disp.Attach(fontHolder.GetFontDispatch());
    ComPtr<IFont> font;
    if (!disp || FAILED(disp.As(&font)))
        font.Reset();
    return font;
}

} // namespace

void OleFontToLogFont(CFontHolder& fontHolder, LOGFONTW& logFont)
{
    const ComPtr<IFont> font = QueryFont(fontHolder);
    if (!font) {
        std::memset(&logFont, 0, sizeof logFont);
        return;
    }
    QLNGivenFontToLogFont(font.Get(), fontHolder.GetFontSize(), fontHolder.GetFontName(), fontHolder.GetFontCharset(),
                          logFont);
}

void LogFontToOleFont(const LOGFONTW& logFont, CFontHolder& fontHolder)
{
    if (const ComPtr<IFont> font = QueryFont(fontHolder))
        QLNLogFontToFont(logFont, font.Get());
}

void QLNZoomFontHolderToLOGFONT(CFontHolder& fontHolder, double dZoom, LOGFONTW& logFont)
{
    OleFontToLogFont(fontHolder, logFont);
    QLNZoomLogFont(dZoom, logFont);
}
