#include "CQLNTextReplacement.h"

#include "QLNFontFallback.h"

bool CQLNTextReplacement::Play(HDC hdc, HENHMETAFILE hEmf, const RECT& rc) const
{
    return hEmf != nullptr && ::EnumEnhMetaFile(hdc, hEmf, PlayRecord, const_cast<CQLNTextReplacement*>(this), &rc);
}

int CALLBACK CQLNTextReplacement::PlayRecord(HDC hDC, HANDLETABLE* pHandles, const ENHMETARECORD* pRecord, int nHandles,
                                             LPARAM lParam)
{
    const CQLNTextReplacement* pThis = reinterpret_cast<const CQLNTextReplacement*>(lParam);
    if (pRecord->iType == EMR_EXTTEXTOUTW && !pThis->m_texts.empty()) {
        const EMREXTTEXTOUTW* pText = reinterpret_cast<const EMREXTTEXTOUTW*>(pRecord);
        const wchar_t* pChars =
            reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(pText) + pText->emrtext.offString);
        const auto it = pThis->m_texts.find(std::wstring(pChars, pText->emrtext.nChars));
        if (it != pThis->m_texts.end()) {
            // Drawn where the text it replaces was, with the font, colours and alignment the
            // playing has set on the device, its glyphs spaced by the device's own advances.
            const RECTL& rcl = pText->emrtext.rcl;
            const RECT rcText = {rcl.left, rcl.top, rcl.right, rcl.bottom};
            const UINT options = pText->emrtext.fOptions & (ETO_OPAQUE | ETO_CLIPPED);
            return CQLNFontFallback::ExtTextOut(hDC, pText->emrtext.ptlReference.x, pText->emrtext.ptlReference.y,
                                                options, options != 0 ? &rcText : nullptr, it->second.c_str(),
                                                static_cast<UINT>(it->second.size()), nullptr) ? 1 : 0;
        }
    }
    // A printer draws each glyph from the font selected alone: letters a font lacks go to the
    // fonts linked to it here, on every device alike.
    return CQLNFontFallback::PlayRecord(hDC, pHandles, pRecord, static_cast<UINT>(nHandles)) ? 1 : 0;
}
