// The untyped pointer arrays: CObArray archives its objects with their
// class records; CPtrArray holds plain pointers and archives nothing.
#pragma once

#include "platform/mfc/CArray.h"

class CObArray : public CArray<CObject*, CObject*> {
    DECLARE_SERIAL(CObArray)
public:
    void Serialize(CArchive& ar) override;
};

class CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
public:
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
