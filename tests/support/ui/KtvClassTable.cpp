#include "tests/support/ui/KtvClassTable.h"

#include <cstring>
#include <memory>

namespace tw::test {

namespace {

const char* KindName(KtvRecordKind kind)
{
    switch (kind) {
    case KtvRecordKind::Dynamic:
        return "dynamic";
    case KtvRecordKind::DynCreate:
        return "creatable";
    case KtvRecordKind::Serial:
        return "serialisable";
    }
    return "?";
}

}  // namespace

::testing::AssertionResult CheckClassRecord(const KtvClassRow& row)
{
    const CRuntimeClass* rc = row.pClass;
    if (rc == nullptr)
        return ::testing::AssertionFailure() << row.lpszName << ": no class record";
    if (std::strcmp(rc->m_lpszClassName, row.lpszName) != 0)
        return ::testing::AssertionFailure() << row.lpszName << ": the record is named " << rc->m_lpszClassName;
    if (rc->m_pBaseClass != row.pBase)
        return ::testing::AssertionFailure()
               << row.lpszName << ": base is " << (rc->m_pBaseClass ? rc->m_pBaseClass->m_lpszClassName : "none")
               << ", expected " << (row.pBase ? row.pBase->m_lpszClassName : "none");
    const bool creatable = rc->m_pfnCreateObject != nullptr;
    if (creatable != (row.kind != KtvRecordKind::Dynamic))
        return ::testing::AssertionFailure() << row.lpszName << ": expected a " << KindName(row.kind)
                                             << " record, the record is " << (creatable ? "" : "not ")
                                             << "creatable";
    const UINT expectedSchema = row.kind == KtvRecordKind::Serial ? row.nSchema : 0xFFFF;
    if (rc->m_wSchema != expectedSchema)
        return ::testing::AssertionFailure() << row.lpszName << ": schema " << rc->m_wSchema << ", expected "
                                             << expectedSchema;
    if (CRuntimeClass::FromName(row.lpszName) != rc)
        return ::testing::AssertionFailure() << row.lpszName << ": not found by its name";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CheckCreatesByName(const KtvClassRow& row)
{
    if (row.kind == KtvRecordKind::Dynamic)
        return ::testing::AssertionSuccess();
    std::unique_ptr<CObject> object(CRuntimeClass::CreateObject(row.lpszName));
    if (!object)
        return ::testing::AssertionFailure() << row.lpszName << ": not created by name";
    if (object->GetRuntimeClass() != row.pClass)
        return ::testing::AssertionFailure() << row.lpszName << ": made an object of "
                                             << object->GetRuntimeClass()->m_lpszClassName;
    for (const CRuntimeClass* rc = row.pClass; rc != nullptr; rc = rc->m_pBaseClass)
        if (!object->IsKindOf(rc))
            return ::testing::AssertionFailure() << row.lpszName << ": IsKindOf (" << rc->m_lpszClassName
                                                 << ") answers FALSE";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CheckDerivesFrom(const CRuntimeClass* pDerived, const CRuntimeClass* pClass)
{
    if (pDerived != nullptr && pDerived->IsDerivedFrom(pClass))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (pDerived ? pDerived->m_lpszClassName : "(none)")
                                         << " does not derive from "
                                         << (pClass ? pClass->m_lpszClassName : "(none)");
}

std::string KtvClassRowName(const ::testing::TestParamInfo<KtvClassRow>& info)
{
    return info.param.lpszName;
}

}  // namespace tw::test
