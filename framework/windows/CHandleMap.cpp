#include "CHandleMap.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

// Every live map, for AfxDeleteTempMap. Maps are function-local statics of their classes, so
// they register on first use and leave at process exit.
std::vector<CHandleMap*>& LiveMaps()
{
    static std::vector<CHandleMap*> maps;
    return maps;
}

} // namespace

CHandleMap::CHandleMap(PFN_CONSTRUCT pfnConstruct, PFN_DESTRUCT pfnDestruct)
    : m_pfnConstruct(pfnConstruct), m_pfnDestruct(pfnDestruct)
{
    LiveMaps().push_back(this);
}

CHandleMap::~CHandleMap()
{
    DeleteTemp();
    std::vector<CHandleMap*>& maps = LiveMaps();
    maps.erase(std::remove(maps.begin(), maps.end(), this), maps.end());
}

CObject* CHandleMap::FromHandle(void* h)
{
    if (h == nullptr)
        return nullptr;
    if (CObject* pObject = LookupPermanent(h))
        return pObject;
    if (CObject* pObject = LookupTemporary(h))
        return pObject;
    CObject* pObject = m_pfnConstruct(h);
    if (pObject == nullptr)
        return nullptr;
    try {
        m_temporaryMap.emplace(h, pObject);
    } catch (const std::bad_alloc&) {
        m_pfnDestruct(pObject);
        return nullptr;
    }
    return pObject;
}

CObject* CHandleMap::LookupPermanent(void* h) const
{
    const auto it = m_permanentMap.find(h);
    return it != m_permanentMap.end() ? it->second : nullptr;
}

CObject* CHandleMap::LookupTemporary(void* h) const
{
    const auto it = m_temporaryMap.find(h);
    return it != m_temporaryMap.end() ? it->second : nullptr;
}

BOOL CHandleMap::SetPermanent(void* h, CObject* pObject)
{
    try {
        m_permanentMap[h] = pObject;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

void CHandleMap::RemoveHandle(void* h)
{
    m_permanentMap.erase(h);
}

void CHandleMap::DeleteTemporary(void* h)
{
    const auto it = m_temporaryMap.find(h);
    if (it == m_temporaryMap.end())
        return;
    CObject* pObject = it->second;
    m_temporaryMap.erase(it);
    m_pfnDestruct(pObject);
}

void CHandleMap::DeleteTemp()
{
    // Swapped out first: releasing a wrapper may look handles up again.
    std::unordered_map<void*, CObject*> temporaries;
    temporaries.swap(m_temporaryMap);
    for (const auto& entry : temporaries)
        m_pfnDestruct(entry.second);
}

void AfxDeleteTempMap()
{
    for (CHandleMap* pMap : LiveMaps())
        pMap->DeleteTemp();
}
