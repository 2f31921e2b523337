#include "ui/frames/KtvPRegistryFactory.h"

#include <atomic>

namespace ktvfactory_detail {

std::atomic<CRuntimeClass*> g_pRegisteredClass{nullptr};

}  // namespace ktvfactory_detail

CKtvPRegistryFactory::CKtvPRegistryFactory() : m_pRegistry(nullptr), m_pUserData(nullptr) {}

CKtvPRegistryFactory::~CKtvPRegistryFactory()
{
    delete m_pRegistry;
}

BOOL CKtvPRegistryFactory::SetRuntimeClass(CRuntimeClass* pRTI)
{
    if (pRTI != nullptr) {
        if (!pRTI->IsDerivedFrom(RUNTIME_CLASS(CKtvPRegistry)) || pRTI->m_pfnCreateObject == nullptr)
            return FALSE;
    }
    ktvfactory_detail::g_pRegisteredClass.store(pRTI);
    return TRUE;
}

CRuntimeClass* CKtvPRegistryFactory::GetRuntimeClass()
{
    return ktvfactory_detail::g_pRegisteredClass.load();
}

CKtvPRegistry& CKtvPRegistryFactory::Create(BOOL bAdmin, BOOL bReadOnly)
{
    if (m_pRegistry != nullptr)
        return *m_pRegistry;

    CRuntimeClass* pClass = ktvfactory_detail::g_pRegisteredClass.load();
    CKtvPRegistry* pRegistry = nullptr;
    if (pClass != nullptr)
        pRegistry = DYNAMIC_DOWNCAST(CKtvPRegistry, pClass->CreateObject());
    if (pRegistry == nullptr)
        pRegistry = DYNAMIC_DOWNCAST(CKtvPRegistry, RUNTIME_CLASS(CKtvPRegistry)->CreateObject());

    pRegistry->m_bReadOnly = bReadOnly;
    pRegistry->m_hKey = bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    pRegistry->m_bAdmin = bAdmin;
    pRegistry->m_pUserData = m_pUserData;
    m_pRegistry = pRegistry;
    return *m_pRegistry;
}
