// Makes the registry objects through which the library loads and saves its
// state, of the class the application registered (its settings store), or
// plain CKtvPRegistry objects. A factory lives on the caller's stack for one
// load or save and deletes what it made.
#pragma once

#include "ui/frames/KtvPRegistry.h"

class CKtvPRegistryFactory {
public:
    CKtvPRegistryFactory();
    ~CKtvPRegistryFactory();
    CKtvPRegistryFactory(const CKtvPRegistryFactory&) = delete;
    CKtvPRegistryFactory& operator=(const CKtvPRegistryFactory&) = delete;

    // NULL restores the plain class. A class that does not derive from
    // CKtvPRegistry, or cannot be created by class, is refused (FALSE) and
    // the registration stays as it was.
    static BOOL SetRuntimeClass(CRuntimeClass* pRTI);
    static CRuntimeClass* GetRuntimeClass();

    // The second and later calls return the first object and ignore their
    // arguments.
    CKtvPRegistry& Create(BOOL bAdmin, BOOL bReadOnly);

    CKtvPRegistry* m_pRegistry;
    LPVOID m_pUserData;
};
