// What the collection templates share: POSITION, and the per-type helpers a
// program may specialise for its own element types (how elements are
// archived, compared and hashed).
#pragma once

#include <cstdint>
#include <type_traits>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CString.h"

struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

// Archives nCount elements. Plain data goes byte for byte (little-endian on
// this machine, as the framework's own stores are); CString in its string
// form. Pointers and other types cannot be archived byte for byte: they
// throw CNotSupportedException unless the program specialises this.
template <class TYPE>
void SerializeElements(CArchive& ar, TYPE* pElements, INT_PTR nCount)
{
    if constexpr (std::is_same_v<TYPE, CString>) {
        for (INT_PTR i = 0; i < nCount; ++i) {
            if (ar.IsStoring())
                ar << pElements[i];
            else
                ar >> pElements[i];
        }
    } else if constexpr (std::is_trivially_copyable_v<TYPE> && !std::is_pointer_v<TYPE>) {
        BYTE* pBytes = reinterpret_cast<BYTE*>(pElements);
        uint64_t nBytesLeft = static_cast<uint64_t>(nCount) * sizeof(TYPE);
        while (nBytesLeft > 0) {
            const UINT nChunk = nBytesLeft > 0x40000000 ? 0x40000000 : static_cast<UINT>(nBytesLeft);
            if (ar.IsStoring())
                ar.Write(pBytes, nChunk);
            else
                ar.EnsureRead(pBytes, nChunk);
            pBytes += nChunk;
            nBytesLeft -= nChunk;
        }
    } else {
        (void)ar;
        (void)pElements;
        if (nCount > 0)
            AfxThrowNotSupportedException();
    }
}

// The fewest bytes one archived element can take: what a count read from
// the data is checked against before anything is allocated for it.
template <class TYPE>
constexpr ULONGLONG SerializedElementMinSize()
{
    if constexpr (std::is_same_v<TYPE, CString>)
        return 1;
    else if constexpr (std::is_pointer_v<TYPE>)
        return 2;  // an object tag
    else
        return sizeof(TYPE);
}

template <class TYPE, class ARG_TYPE>
BOOL CompareElements(const TYPE* pElement1, const ARG_TYPE* pElement2)
{
    return *pElement1 == *pElement2;
}

// The framework's bucket hash for integer-like keys: the key's low 32 bits
// shifted right by 4 (pointers shift first). Strings: h = h * 33 + c over
// the bytes taken as signed chars.
template <class ARG_KEY>
UINT HashKey(ARG_KEY key)
{
    using Key = std::remove_cv_t<std::remove_reference_t<ARG_KEY>>;
    if constexpr (std::is_pointer_v<Key>)
        return static_cast<UINT>(reinterpret_cast<uintptr_t>(key) >> 4);
    else
        return static_cast<UINT>(static_cast<DWORD>(key) >> 4);
}

inline UINT HashStringKey(LPCTSTR key)
{
    UINT nHash = 0;
    if (key == nullptr)
        return 0;
    while (*key != '\0')
        nHash = (nHash << 5) + nHash + static_cast<UINT>(static_cast<int>(static_cast<signed char>(*key++)));
    return nHash;
}

template <>
inline UINT HashKey<LPCTSTR>(LPCTSTR key)
{
    return HashStringKey(key);
}

template <>
inline UINT HashKey<LPTSTR>(LPTSTR key)
{
    return HashStringKey(key);
}

template <>
inline UINT HashKey<const CString&>(const CString& key)
{
    return HashStringKey(key.GetString());
}

template <>
inline UINT HashKey<CString>(CString key)
{
    return HashStringKey(key.GetString());
}
