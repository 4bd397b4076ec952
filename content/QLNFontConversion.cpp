#include "QLNFontConversion.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <cwchar>

namespace {

// Sizes of the font object are points times 10000; 72 points to the inch, 96 pixels to the inch.
constexpr unsigned long long kSizePerInch = 720000;
constexpr unsigned long long kPixelsPerInch = 96;

// The holder's font as IFont with a reference for the caller, or null.
IFont* QueryFont(CFontHolder& fontHolder)
{
    IFontDisp* pDisp = fontHolder.GetFontDispatch();
    if (pDisp == nullptr)
        return nullptr;
    IFont* pFont = nullptr;
    if (FAILED(pDisp->QueryInterface(IID_IFont, reinterpret_cast<void**>(&pFont))))
        pFont = nullptr;
    pDisp->Release();
    return pFont;
}

} // namespace

void OleFontToLogFont(CFontHolder& fontHolder, LOGFONTW& logFont)
{
    std::memset(&logFont, 0, sizeof logFont);
    IFont* pFont = QueryFont(fontHolder);
    if (pFont == nullptr)
        return;

    BSTR bstrName = nullptr;
    if (SUCCEEDED(pFont->get_Name(&bstrName)) && bstrName != nullptr)
        std::wcsncpy(logFont.lfFaceName, bstrName, LF_FACESIZE - 1);
    ::SysFreeString(bstrName);

    // Only the low 32 bits of the size count, and the division truncates: 10 points give 13
    // pixels, which come back as 9.75 points. The product is taken in 64 bits, where a 32-bit
    // product would wrap for fonts above some 4470 points.
    CY cySize = {};
    if (SUCCEEDED(pFont->get_Size(&cySize))) {
        const LONG lHeight = static_cast<LONG>(cySize.Lo * kPixelsPerInch / kSizePerInch);
        logFont.lfHeight = lHeight > 0 ? -lHeight : lHeight;
    }

    BOOL bFlag = FALSE;
    if (SUCCEEDED(pFont->get_Italic(&bFlag)))
        logFont.lfItalic = static_cast<BYTE>(bFlag);
    bFlag = FALSE;
    if (SUCCEEDED(pFont->get_Underline(&bFlag)))
        logFont.lfUnderline = static_cast<BYTE>(bFlag);
    bFlag = FALSE;
    if (SUCCEEDED(pFont->get_Strikethrough(&bFlag)))
        logFont.lfStrikeOut = static_cast<BYTE>(bFlag);
    SHORT sValue = 0;
    if (SUCCEEDED(pFont->get_Weight(&sValue)))
        logFont.lfWeight = sValue;
    sValue = 0;
    if (SUCCEEDED(pFont->get_Charset(&sValue)))
        logFont.lfCharSet = static_cast<BYTE>(sValue);

    pFont->Release();
}

void LogFontToOleFont(const LOGFONTW& logFont, CFontHolder& fontHolder)
{
    IFont* pFont = QueryFont(fontHolder);
    if (pFont == nullptr)
        return;

    // The face name need not end in a zero when it fills the whole field.
    BSTR bstrName = ::SysAllocStringLen(logFont.lfFaceName,
                                        static_cast<UINT>(wcsnlen(logFont.lfFaceName, LF_FACESIZE)));
    if (bstrName != nullptr) {
        pFont->put_Name(bstrName);
        ::SysFreeString(bstrName);
    }

    // |height| x 7500, truncated toward zero: a height of -13 gives 9.75 points. Taken in 64 bits
    // so that no height overflows; heights of up to half a million pixels fit the low part alone,
    // as every real font does.
    long long llHeight = logFont.lfHeight;
    if (llHeight < 0)
        llHeight = -llHeight;
    CY cySize;
    cySize.int64 = static_cast<LONGLONG>(static_cast<unsigned long long>(llHeight) * kSizePerInch / kPixelsPerInch);
    pFont->put_Size(cySize);

    pFont->put_Italic(logFont.lfItalic);
    pFont->put_Underline(logFont.lfUnderline);
    pFont->put_Strikethrough(logFont.lfStrikeOut);
    pFont->put_Weight(static_cast<SHORT>(logFont.lfWeight));
    pFont->put_Charset(static_cast<SHORT>(logFont.lfCharSet));

    pFont->Release();
}

void QLNZoomFontHolderToLOGFONT(CFontHolder& fontHolder, double dZoom, LOGFONTW& logFont)
{
    OleFontToLogFont(fontHolder, logFont);
    // A zoom that is not a positive finite number (a corrupt property, a division by a zero
    // extent) leaves the height as the font gives it, and a product beyond int is clamped to
    // the largest height int holds, so no conversion below ever sees a value it cannot take.
    if (!std::isfinite(dZoom) || dZoom <= 0.0)
        return;
    const double dHeight = std::floor(static_cast<double>(logFont.lfHeight) * dZoom + 0.5);
    if (dHeight >= static_cast<double>(INT_MAX))
        logFont.lfHeight = INT_MAX;
    else if (dHeight <= -static_cast<double>(INT_MAX))
        logFont.lfHeight = -INT_MAX;
    else
        logFont.lfHeight = static_cast<LONG>(dHeight);
}
