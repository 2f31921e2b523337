// Checks of a table of run-time class records: the name archives store, the
// direct base, the kind of record (dynamic, creatable by name, serialisable
// with a schema), and for creatable classes an object made by name that is
// of its own class and of every class up the chain.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/mfc/CObject.h"

namespace tw::test {

enum class KtvRecordKind { Dynamic, DynCreate, Serial };

struct KtvClassRow {
    const CRuntimeClass* pClass;
    const char* lpszName;        // as the class is spelt in stored data
    const CRuntimeClass* pBase;  // the direct base
    KtvRecordKind kind;
    UINT nSchema = 0xFFFF;       // serialisable classes only
};

// One row: name, base, record kind, schema, and the by-name lookup.
::testing::AssertionResult CheckClassRecord(const KtvClassRow& row);

// A creatable row: CRuntimeClass::CreateObject (name) makes an object of the
// class that IsKindOf answers TRUE for along the whole chain; the object is
// deleted again. Passes for a row that is not creatable.
::testing::AssertionResult CheckCreatesByName(const KtvClassRow& row);

// Whether pClass lies on the chain of pDerived (itself included).
::testing::AssertionResult CheckDerivesFrom(const CRuntimeClass* pDerived, const CRuntimeClass* pClass);

// The class name, for parameterised test names.
std::string KtvClassRowName(const ::testing::TestParamInfo<KtvClassRow>& info);

}  // namespace tw::test

// A row of a table: KTV_CLASS_ROW(CKtvPDialog, CDialog, Dynamic) or
// KTV_CLASS_ROW(CKtvPToolbarButton, CObject, Serial, 1).
#define KTV_CLASS_ROW(class_name, base_name, kind_name, ...)                                        \
    tw::test::KtvClassRow                                                                           \
    {                                                                                               \
        RUNTIME_CLASS(class_name), #class_name, RUNTIME_CLASS(base_name),                           \
            tw::test::KtvRecordKind::kind_name __VA_OPT__(, ) __VA_ARGS__                           \
    }
