// The framework's root class and its run-time class records: type tests,
// creation by class, lookup of a class by its name (archives store class
// names), and the DECLARE_/IMPLEMENT_ macros that build the records.
#pragma once

#include "platform/win32/windef.h"

class CArchive;
class CObject;

// A serial class's schema with this bit set accepts every stored schema; the
// loading code asks CArchive::GetObjectSchema which one it got.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;  // 0xFFFF: not serialisable
    CObject*(PASCAL* m_pfnCreateObject)();
    CRuntimeClass* m_pBaseClass;

    // NULL when the class is not dynamically creatable.
    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Classes registered by IMPLEMENT_DYNAMIC, _DYNCREATE and _SERIAL, found by
    // their exact (case-sensitive) name; NULL when none has that name.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);

    // The class record of an archive: schema WORD, name length WORD, name.
    void Store(CArchive& ar) const;
    // NULL when the name is unknown, too long or cut short; the schema read is
    // returned through pwSchemaNum in every case.
    static CRuntimeClass* PASCAL Load(CArchive& ar, UINT* pwSchemaNum);
};

namespace tw {
// Puts a class record in the by-name lookup; IMPLEMENT_* macros make one of
// these per class. The lookup table is created on first use, so registration
// order across translation units does not matter.
struct RuntimeClassRegistration {
    explicit RuntimeClassRegistration(CRuntimeClass* pClass);
};

// CArchive::ReadObject, reachable from IMPLEMENT_SERIAL without CArchive.h.
CObject* ArchiveReadObject(CArchive& ar, const CRuntimeClass* pClass);
}  // namespace tw

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name)                    \
public:                                                \
    static const CRuntimeClass class##class_name;      \
    CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name)       \
    static CObject* PASCAL CreateObject();

#define DECLARE_SERIAL(class_name)   \
    DECLARE_DYNCREATE(class_name)    \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define TW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                    \
    const CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class class_name), \
                                                         wSchema, pfnNew,                       \
                                                         RUNTIME_CLASS(base_class_name)};       \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }    \
    static const tw::RuntimeClassRegistration tw_classinit_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    TW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                      \
    CObject* PASCAL class_name::CreateObject() { return new class_name; }   \
    TW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                 \
    CObject* PASCAL class_name::CreateObject() { return new class_name; }                     \
    TW_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    CArchive& operator>>(CArchive& ar, class_name*& pOb)                                      \
    {                                                                                         \
        pOb = static_cast<class_name*>(tw::ArchiveReadObject(ar, RUNTIME_CLASS(class_name))); \
        return ar;                                                                            \
    }

class CObject {
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    BOOL IsSerializable() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    virtual void Serialize(CArchive& ar);

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;

public:
    // Objects are not copyable unless a class says how.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// The checked casts. STATIC_DOWNCAST trusts the caller (as the framework's
// release build does); DYNAMIC_DOWNCAST answers NULL for another class.
CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);
#define DYNAMIC_DOWNCAST(class_name, object) \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))
