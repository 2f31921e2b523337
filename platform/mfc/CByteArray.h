// The integer arrays. Byte, WORD and DWORD arrays archive as a count and
// the elements' little-endian bytes; CUIntArray archives nothing, as the
// framework's does.
#pragma once

#include "platform/mfc/CArray.h"

class CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD> {
    DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
public:
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};
