// The maps from a platform handle to the framework object that wraps it.
//
// A permanent entry belongs to an object that someone owns (a window object attached to its
// window, a device context object attached to its DC). A temporary entry is a wrapper made on
// demand by FromHandle for a handle that no object owns; the framework owns it and frees it in
// AfxDeleteTempMap (or earlier where the wrapped handle is given back, as in CWnd::ReleaseDC).
// Freeing a wrapper never destroys the handle. Everything runs on the one user-interface
// thread, so the maps are process-wide and unlocked.
#pragma once
#include "CObject.h"

#include <unordered_map>

class AFX_CORE_API CHandleMap
{
public:
    // Makes a wrapper for a handle; releases a wrapper without destroying its handle.
    typedef CObject* (*PFN_CONSTRUCT)(void* h);
    typedef void (*PFN_DESTRUCT)(CObject* pObject);

    CHandleMap(PFN_CONSTRUCT pfnConstruct, PFN_DESTRUCT pfnDestruct);
    ~CHandleMap();

    // The permanent object of the handle, else its temporary wrapper (made now if needed);
    // null for a null handle or when no wrapper could be made.
    CObject* FromHandle(void* h);
    CObject* LookupPermanent(void* h) const;
    CObject* LookupTemporary(void* h) const;

    // Zero when memory ran out.
    BOOL SetPermanent(void* h, CObject* pObject);
    void RemoveHandle(void* h);
    // Frees the temporary wrapper of the handle, if there is one.
    void DeleteTemporary(void* h);
    // Frees every temporary wrapper of this map.
    void DeleteTemp();

    CHandleMap(const CHandleMap&) = delete;
    CHandleMap& operator=(const CHandleMap&) = delete;

private:
    PFN_CONSTRUCT m_pfnConstruct;
    PFN_DESTRUCT m_pfnDestruct;
    std::unordered_map<void*, CObject*> m_permanentMap;
    std::unordered_map<void*, CObject*> m_temporaryMap;
};

// Frees the temporary wrappers of every handle map (windows, device contexts, GDI objects).
// Pointers that FromHandle returned before are invalid afterwards.
AFX_CORE_API void AfxDeleteTempMap();
