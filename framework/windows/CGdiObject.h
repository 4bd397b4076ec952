// Owner of one GDI object (font, brush, pen): the handle is deleted with the object unless it
// was detached first.
#pragma once
#include "CHandleMap.h"

#include <new>

class AFX_CORE_API CGdiObject : public CObject
{
    DECLARE_DYNAMIC(CGdiObject)
public:
    CGdiObject();
    ~CGdiObject() override;

    HGDIOBJ m_hObject;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }

    // A temporary wrapper owned by the framework (see CHandleMap.h); null for a null handle.
    static CGdiObject* FromHandle(HGDIOBJ hObject);

    // Takes ownership of the handle; zero when the handle is null or one is already held.
    BOOL Attach(HGDIOBJ hObject);
    // Gives up ownership: the handle is returned and no longer deleted by this object.
    HGDIOBJ Detach();
    // Deletes the held handle (DeleteObject); zero when none is held or the deletion failed.
    BOOL DeleteObject();

    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

protected:
    // The temporary wrapper of class T for a handle, from a map of T's own, so that a wrapper
    // is always of the class asked for. Used by the FromHandle of each derived class.
    template <class T>
    static T* FromHandleOf(HGDIOBJ hObject)
    {
        static CHandleMap map(
            [](void* h) -> CObject* {
                T* pObject = new (std::nothrow) T;
                if (pObject != nullptr)
                    pObject->m_hObject = static_cast<HGDIOBJ>(h);
                return pObject;
            },
            [](CObject* pObject) {
                T* pTyped = static_cast<T*>(pObject);
                pTyped->Detach();
                delete pTyped;
            });
        return static_cast<T*>(map.FromHandle(hObject));
    }
};
