#include "QLNDrawingFonts.h"

#include "QLNFontHolderConversion.h"

#include <cstring>

const LONG CQLNDrawingFonts::m_knMaxHeight;

void CQLNDrawingFonts::BeginPass(CFontHolder* const* ppHolders, int nRoles, double dZoom)
{
    std::vector<std::unique_ptr<Entry>> kept;
    m_roles.assign(nRoles > 0 ? static_cast<size_t>(nRoles) : 0, nullptr);
    for (size_t i = 0; i < m_roles.size(); ++i) {
        LOGFONTW lf = {};
        QLNZoomFontHolderToLOGFONT(*ppHolders[i], dZoom, lf);
        if (lf.lfHeight > m_knMaxHeight)
            lf.lfHeight = m_knMaxHeight;
        if (lf.lfHeight < -m_knMaxHeight)
            lf.lfHeight = -m_knMaxHeight;
        // The conversion zeroes the whole description first, so the bytes compare as the fields do.
        const auto same = [&lf](const std::unique_ptr<Entry>& entry) {
            return entry && std::memcmp(&entry->lf, &lf, sizeof lf) == 0;
        };
        for (const std::unique_ptr<Entry>& entry : kept)
            if (same(entry))
                m_roles[i] = entry.get();
        if (m_roles[i] != nullptr)
            continue;
        std::unique_ptr<Entry> entry;
        for (std::unique_ptr<Entry>& old : m_fonts)
            if (same(old))
                entry = std::move(old);
        if (!entry) {
            entry = std::make_unique<Entry>();
            entry->lf = lf;
        }
        m_roles[i] = entry.get();
        kept.push_back(std::move(entry));
    }
    // What stays behind is selected nowhere: every pass gave its DC back its own font.
    m_fonts = std::move(kept);
}

CFont* CQLNDrawingFonts::Select(CDC* pDC, int nRole)
{
    if (nRole < 0 || static_cast<size_t>(nRole) >= m_roles.size())
        return nullptr;
    Entry& entry = *m_roles[static_cast<size_t>(nRole)];
    // Tried again after a refusal: the next pass may have the resources.
    if (entry.font.m_hObject == nullptr && !entry.font.CreateFontIndirect(&entry.lf))
        return nullptr;
    if (&entry.font == m_pSelected)
        return m_pSelected;
    CFont* pOld = pDC->SelectObject(&entry.font);
    if (m_pSelected == nullptr)
        m_hBefore = pOld != nullptr ? static_cast<HFONT>(pOld->m_hObject) : nullptr;
    m_pSelected = &entry.font;
    return m_pSelected;
}

void CQLNDrawingFonts::EndPass(CDC* pDC)
{
    if (m_pSelected != nullptr && m_hBefore != nullptr)
        pDC->SelectObject(CFont::FromHandle(m_hBefore));
    m_pSelected = nullptr;
    m_hBefore = nullptr;
}
