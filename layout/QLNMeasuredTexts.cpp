#include "QLNMeasuredTexts.h"

#include <cwchar>

namespace {

// Enough for every text line of an item wrapped over several lines, and the item before it.
const size_t kKept = 8;

} // namespace

CQLNMeasuredTexts::CQLNMeasuredTexts() : m_entries(kKept) {}

const CQLNMeasuredTexts::Entry* CQLNMeasuredTexts::Lookup(int nRole, const wchar_t* pch, int nCount) const
{
    if (pch == nullptr || nCount < 1)
        return nullptr;
    const size_t n = static_cast<size_t>(nCount);
    for (const Entry& entry : m_entries)
        if (entry.nRole == nRole && n <= entry.text.size() && std::wmemcmp(pch, entry.text.data(), n) == 0)
            return &entry;
    return nullptr;
}

bool CQLNMeasuredTexts::Find(int nRole, const wchar_t* pch, int nCount, SIZE& size) const
{
    const Entry* pEntry = Lookup(nRole, pch, nCount);
    if (pEntry == nullptr)
        return false;
    size.cx = pEntry->extents[static_cast<size_t>(nCount) - 1];
    size.cy = pEntry->nHeight;
    return true;
}

const int* CQLNMeasuredTexts::Extents(int nRole, const wchar_t* pch, int nCount) const
{
    const Entry* pEntry = Lookup(nRole, pch, nCount);
    return pEntry != nullptr ? pEntry->extents.data() : nullptr;
}

void CQLNMeasuredTexts::Add(int nRole, const wchar_t* pch, int nCount, const int* pnExtents, int nHeight)
{
    if (pch == nullptr || pnExtents == nullptr || nCount < 1)
        return;
    Entry& entry = m_entries[m_nOldest];
    m_nOldest = (m_nOldest + 1) % m_entries.size();
    entry.nRole = nRole;
    entry.text.assign(pch, static_cast<size_t>(nCount));
    entry.extents.assign(pnExtents, pnExtents + nCount);
    entry.nHeight = nHeight;
}

void CQLNMeasuredTexts::Clear()
{
    // The strings and vectors keep their memory for the next pass.
    for (Entry& entry : m_entries)
        entry.nRole = -1;
    m_nOldest = 0;
}
