// The maps keyed by pointers and WORDs (bucket = key >> 4 modulo the table
// size). Neither archives anything, as the framework's do not.
#pragma once

#include "platform/mfc/CMap.h"

class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*> {
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
