// Root of the framework's classes: run-time class information (GetRuntimeClass, IsKindOf), and
// objects created from their class record (DECLARE_DYNCREATE, CRuntimeClass::CreateObject).
#pragma once
#include "Afx.h"

class CObject;

// One record per class that declares itself dynamic; the chain of base records answers IsKindOf.
struct AFX_CORE_API CRuntimeClass
{
    const char* m_lpszClassName;
    int m_nObjectSize;
    const CRuntimeClass* m_pBaseClass;
    // Null unless the class is creatable (DECLARE_DYNCREATE).
    CObject* (*m_pfnCreateObject)();

    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    // A new object of the class, made with its default constructor and owned by the caller; null
    // when the class is not creatable or the object cannot be made.
    CObject* CreateObject() const;
};

class AFX_CORE_API CObject
{
public:
    virtual ~CObject();
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                  \
public:                                                              \
    static const CRuntimeClass class##class_name;                    \
    const CRuntimeClass* GetRuntimeClass() const override;

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, pfnNew)                         \
    const CRuntimeClass class_name::class##class_name = {                                        \
        #class_name, static_cast<int>(sizeof(class_name)), RUNTIME_CLASS(base_class_name), pfnNew}; \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

// A creatable class: its record makes objects through the class's default constructor.
#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)          \
    CObject* class_name::CreateObject() { return new class_name; } \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject)
