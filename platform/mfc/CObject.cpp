#include "platform/mfc/CObject.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "platform/mfc/CArchive.h"

namespace tw::cobject_detail {

// Every class record that IMPLEMENT_* announced, in registration order. Built
// on first use, so a registration made while another library's statics are
// still being constructed finds it ready.
struct ClassTable {
    std::mutex mutex;
    std::vector<CRuntimeClass*> classes;
};

ClassTable& TheClassTable()
{
    static ClassTable table;
    return table;
}

// The longest class name an archive's class record may carry.
constexpr UINT kMaxStoredClassName = 64;

}  // namespace tw::cobject_detail

namespace objd = tw::cobject_detail;

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr, nullptr};
static const tw::RuntimeClassRegistration tw_classinit_CObject(RUNTIME_CLASS(CObject));

tw::RuntimeClassRegistration::RuntimeClassRegistration(CRuntimeClass* pClass)
{
    objd::ClassTable& table = objd::TheClassTable();
    std::lock_guard lock(table.mutex);
    table.classes.push_back(pClass);
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != nullptr; pClass = pClass->m_pBaseClass) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    objd::ClassTable& table = objd::TheClassTable();
    std::lock_guard lock(table.mutex);
    for (CRuntimeClass* pClass : table.classes) {
        if (std::strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return pClass;
    }
    return nullptr;
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == nullptr ? nullptr : pClass->CreateObject();
}

void CRuntimeClass::Store(CArchive& ar) const
{
    const WORD nLen = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema = 0;
    WORD nLen = 0;
    ar >> wSchema >> nLen;
    if (pwSchemaNum != nullptr)
        *pwSchemaNum = wSchema;
    if (nLen >= objd::kMaxStoredClassName)
        return nullptr;
    char szClassName[objd::kMaxStoredClassName];
    if (ar.Read(szClassName, nLen) != nLen)
        return nullptr;
    szClassName[nLen] = '\0';
    return FromName(szClassName);
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

void CObject::Serialize(CArchive&)
{
}

CObject* AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    if (pObject != nullptr && pObject->IsKindOf(pClass))
        return pObject;
    return nullptr;
}
