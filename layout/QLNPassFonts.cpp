#include "QLNPassFonts.h"

#include "QLNFontConversion.h"

#include <cstring>

const LONG CQLNPassFonts::m_knMaxHeight;

CFont* CQLNPassFonts::Get(CFontHolder& holder, double dZoom)
{
    LOGFONTW lf = {};
    QLNZoomFontHolderToLOGFONT(holder, dZoom, lf);
    if (lf.lfHeight > m_knMaxHeight)
        lf.lfHeight = m_knMaxHeight;
    if (lf.lfHeight < -m_knMaxHeight)
        lf.lfHeight = -m_knMaxHeight;
    // The conversion zeroes the whole description first, so the bytes compare as the fields do.
    for (const std::unique_ptr<Entry>& entry : m_fonts)
        if (std::memcmp(&entry->lf, &lf, sizeof lf) == 0)
            return &entry->font;
    auto entry = std::make_unique<Entry>();
    entry->lf = lf;
    if (!entry->font.CreateFontIndirect(&lf))
        return nullptr;
    m_fonts.push_back(std::move(entry));
    return &m_fonts.back()->font;
}

SIZE CQLNPassFonts::ExtentOfA(CDC* pDC, CFont* pFont)
{
    for (const std::unique_ptr<Entry>& entry : m_fonts) {
        if (&entry->font == pFont) {
            if (!entry->bKnownA) {
                entry->sizeA = pDC->GetTextExtent(L"A", 1);
                entry->bKnownA = true;
            }
            return entry->sizeA;
        }
    }
    return pDC->GetTextExtent(L"A", 1);
}

CFont* CQLNPassFonts::Select(CDC* pDC, CFontHolder& holder, double dZoom)
{
    CFont* pFont = Get(holder, dZoom);
    if (pFont == nullptr || pFont == m_pSelected)
        return pFont;
    CFont* pOld = pDC->SelectObject(pFont);
    if (m_pSelected == nullptr)
        m_hBefore = pOld != nullptr ? static_cast<HFONT>(pOld->m_hObject) : nullptr;
    m_pSelected = pFont;
    return pFont;
}

void CQLNPassFonts::Release(CDC* pDC)
{
    if (m_pSelected != nullptr && m_hBefore != nullptr)
        pDC->SelectObject(CFont::FromHandle(m_hBefore));
    m_pSelected = nullptr;
    m_hBefore = nullptr;
    m_fonts.clear();
}
