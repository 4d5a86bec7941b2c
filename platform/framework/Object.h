// The root of the framework's classes and its run-time class information:
// every class that declares it can name itself and its base at run time.
#pragma once

#include "platform/base/WinDef.h"

class CObject;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)(); // null unless the class is dynamically creatable
    CRuntimeClass* (*m_pfnGetBaseClass)();

    // True when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
    // A new object of this class, or null when the class cannot be created that way.
    CObject* CreateObject() const;
    CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr; }
};

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static CRuntimeClass classCObject;
    static CRuntimeClass* GetThisClass();

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                                 \
public:                                                             \
    static CRuntimeClass class##class_name;                         \
    static CRuntimeClass* GetThisClass();                           \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* CreateObject();

#define CORVANE_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, schema, creator)                            \
    CRuntimeClass class_name::class##class_name = {#class_name, static_cast<int>(sizeof(class_name)), schema, \
                                                   creator, &base_class_name::GetThisClass};                  \
    CRuntimeClass* class_name::GetThisClass() { return &class_name::class##class_name; }                     \
    CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    CORVANE_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                               \
    CObject* class_name::CreateObject() { return new class_name; }                     \
    CORVANE_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, &class_name::CreateObject)

// A checked downcast: null when the object is not of the class.
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), (object))))

CObject* AfxDynamicDownCast(const CRuntimeClass* pClass, CObject* pObject);
