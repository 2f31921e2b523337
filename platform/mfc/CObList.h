// The untyped pointer lists: CObList owns nothing but archives its objects
// with their class records; CPtrList holds plain pointers and archives
// nothing.
#pragma once

#include "platform/mfc/CList.h"

class CObList : public CList<CObject*, CObject*> {
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList<CObject*, CObject*>(nBlockSize) {}

    // A count, then each object through WriteObject (NULL, class record or
    // back-reference). Loading appends at the tail.
    void Serialize(CArchive& ar) override;
};

class CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}

    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
