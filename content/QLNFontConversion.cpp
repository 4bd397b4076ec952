#include "QLNFontConversion.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <cwchar>

namespace {

// Sizes of the font object are points times 10000; 72 points to the inch, 96 pixels to the inch.
constexpr unsigned long long kSizePerInch = 720000;
constexpr unsigned long long kPixelsPerInch = 96;

// The face of a record, which need not end in a zero when it fills the whole field.
CString FaceOf(const LOGFONTW& logFont)
{
    return CString(logFont.lfFaceName, static_cast<int>(wcsnlen(logFont.lfFaceName, LF_FACESIZE)));
}

} // namespace

LONG QLNFontSizeToHeight(CY cySize)
{
    // Taken in 64 bits, where a 32-bit product would wrap for fonts above some 4470 points.
    const LONG lHeight = static_cast<LONG>(cySize.Lo * kPixelsPerInch / kSizePerInch);
    return lHeight > 0 ? -lHeight : lHeight;
}

CY QLNHeightToFontSize(LONG lHeight)
{
    // The magnitude in 64 bits, so that no height overflows; beyond what a font can have the
    // size would not load again once saved.
    long long llHeight = lHeight;
    if (llHeight < 0)
        llHeight = -llHeight;
    CY cySize;
    cySize.int64 = static_cast<LONGLONG>(static_cast<unsigned long long>(llHeight) * kSizePerInch / kPixelsPerInch);
    if (cySize.int64 > AFX_MAX_FONT_SIZE)
        cySize.int64 = AFX_MAX_FONT_SIZE;
    return cySize;
}

BOOL QLNIsSizeOfHeight(CY cySize, LONG lHeight)
{
    const LONGLONG llOfHeight = QLNHeightToFontSize(lHeight).int64;
    const LONGLONG llPixel = static_cast<LONGLONG>(kSizePerInch / kPixelsPerInch);
    return cySize.int64 > 0 && cySize.int64 <= AFX_MAX_FONT_SIZE && cySize.int64 > llOfHeight - llPixel &&
           cySize.int64 < llOfHeight + llPixel;
}

void QLNGivenFontToLogFont(IFont* pFont, CY cySize, const CString& strName, short sCharset, LOGFONTW& logFont)
{
    std::memset(&logFont, 0, sizeof logFont);
    if (pFont == nullptr)
        return;
    std::wcsncpy(logFont.lfFaceName, strName, LF_FACESIZE - 1);
    logFont.lfHeight = QLNFontSizeToHeight(cySize);
    BOOL bFlag = FALSE;
    if (SUCCEEDED(pFont->get_Italic(&bFlag)))
        logFont.lfItalic = static_cast<BYTE>(bFlag);
    bFlag = FALSE;
    if (SUCCEEDED(pFont->get_Underline(&bFlag)))
        logFont.lfUnderline = static_cast<BYTE>(bFlag);
    bFlag = FALSE;
    if (SUCCEEDED(pFont->get_Strikethrough(&bFlag)))
        logFont.lfStrikeOut = static_cast<BYTE>(bFlag);
    // The weight carries boldness; the bold property is not read.
    SHORT sValue = 0;
    if (SUCCEEDED(pFont->get_Weight(&sValue)))
        logFont.lfWeight = sValue;
    logFont.lfCharSet = static_cast<BYTE>(sCharset);
}

void QLNFontToLogFont(IFont* pFont, LOGFONTW& logFont)
{
    if (pFont == nullptr) {
        std::memset(&logFont, 0, sizeof logFont);
        return;
    }
    CY cySize = {};
    CString strName;
    short sCharset = 0;
    if (!AfxReadFontAsGiven(pFont, cySize, strName, sCharset)) {
        // A font object of another kind: what it reports.
        cySize = CY();
        if (FAILED(pFont->get_Size(&cySize)))
            cySize = CY();
        BSTR bstrName = nullptr;
        if (SUCCEEDED(pFont->get_Name(&bstrName)) && bstrName != nullptr)
            strName = CString(bstrName, static_cast<int>(::SysStringLen(bstrName)));
        ::SysFreeString(bstrName);
        if (FAILED(pFont->get_Charset(&sCharset)))
            sCharset = 0;
    }
    QLNGivenFontToLogFont(pFont, cySize, strName, sCharset, logFont);
}

void QLNLogFontToFont(const LOGFONTW& logFont, IFont* pFont, BOOL bChangedOnly, const CY* pcySize)
{
    if (pFont == nullptr)
        return;
    LOGFONTW now = {};
    if (bChangedOnly)
        QLNFontToLogFont(pFont, now);
    const CString strFace = FaceOf(logFont);
    if (!bChangedOnly || strFace.CompareNoCase(FaceOf(now)) != 0) {
        BSTR bstrName = strFace.AllocSysString();
        if (bstrName != nullptr) {
            pFont->put_Name(bstrName);
            ::SysFreeString(bstrName);
        }
    }
    const LONG lHeight = logFont.lfHeight > 0 ? -logFont.lfHeight : logFont.lfHeight;
    if (!bChangedOnly || (lHeight != 0 && lHeight != now.lfHeight)) {
        pFont->put_Size(pcySize != nullptr && QLNIsSizeOfHeight(*pcySize, logFont.lfHeight)
                            ? *pcySize
                            : QLNHeightToFontSize(logFont.lfHeight));
    }
    if (!bChangedOnly || (logFont.lfItalic != 0) != (now.lfItalic != 0))
        pFont->put_Italic(logFont.lfItalic);
    if (!bChangedOnly || (logFont.lfUnderline != 0) != (now.lfUnderline != 0))
        pFont->put_Underline(logFont.lfUnderline);
    if (!bChangedOnly || (logFont.lfStrikeOut != 0) != (now.lfStrikeOut != 0))
        pFont->put_Strikethrough(logFont.lfStrikeOut);
    if (!bChangedOnly || static_cast<SHORT>(logFont.lfWeight) != static_cast<SHORT>(now.lfWeight))
        pFont->put_Weight(static_cast<SHORT>(logFont.lfWeight));
    if (!bChangedOnly || logFont.lfCharSet != now.lfCharSet)
        pFont->put_Charset(static_cast<SHORT>(logFont.lfCharSet));
}

void QLNZoomLogFont(double dZoom, LOGFONTW& logFont)
{
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
