// The framework's hash map template, with its visible order: a key goes to
// bucket HashKey(key) % table size (17 unless InitHashTable says otherwise),
// a new key goes to the front of its bucket, and iteration (and Serialize)
// walks the buckets from 0, each from its most recently added key. Stored
// settings and list orders on screen show this order, so it is kept exactly.
#pragma once

#include <vector>

#include "platform/mfc/Collections.h"

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
protected:
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

public:
    // Associations come from the general heap; the block size is accepted
    // for source compatibility.
    explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const
    {
        UINT nBucket = 0, nHashValue = 0;
        const CAssoc* pAssoc = GetAssocAt(key, nBucket, nHashValue);
        if (pAssoc == nullptr)
            return FALSE;
        rValue = pAssoc->value;
        return TRUE;
    }

    // The value of key, added (value-initialised) when missing.
    VALUE& operator[](ARG_KEY key)
    {
        UINT nBucket = 0, nHashValue = 0;
        CAssoc* pAssoc = GetAssocAt(key, nBucket, nHashValue);
        if (pAssoc != nullptr)
            return pAssoc->value;
        if (m_hashTable.empty())
            m_hashTable.assign(m_nHashTableSize, nullptr);
        pAssoc = new CAssoc{m_hashTable[nBucket], nHashValue, KEY(key), VALUE()};
        m_hashTable[nBucket] = pAssoc;
        ++m_nCount;
        return pAssoc->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_hashTable.empty())
            return FALSE;
        const UINT nHashValue = HashKey<ARG_KEY>(key);
        CAssoc** ppAssocPrev = &m_hashTable[nHashValue % m_nHashTableSize];
        for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != nullptr; pAssoc = pAssoc->pNext) {
            if (pAssoc->nHashValue == nHashValue && CompareElements<KEY, ARG_KEY>(&pAssoc->key, &key)) {
                *ppAssocPrev = pAssoc->pNext;
                delete pAssoc;
                // The table is freed when the last key goes, as the framework's is.
                if (--m_nCount == 0)
                    RemoveAll();
                return TRUE;
            }
            ppAssocPrev = &pAssoc->pNext;
        }
        return FALSE;
    }

    void RemoveAll()
    {
        for (CAssoc* pBucket : m_hashTable) {
            for (CAssoc* pAssoc = pBucket; pAssoc != nullptr;) {
                CAssoc* pNext = pAssoc->pNext;
                delete pAssoc;
                pAssoc = pNext;
            }
        }
        m_hashTable.clear();
        m_hashTable.shrink_to_fit();
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? nullptr : BEFORE_START_POSITION; }

    // The association at rNextPosition; rNextPosition moves to the next one
    // (NULL after the last), so the returned key may be removed at once.
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
    {
        const CAssoc* pAssocRet = reinterpret_cast<const CAssoc*>(rNextPosition);
        if (rNextPosition == BEFORE_START_POSITION)
            pAssocRet = FirstAssocFrom(0);
        if (pAssocRet == nullptr)
            AfxThrowInvalidArgException();
        const CAssoc* pAssocNext = pAssocRet->pNext;
        if (pAssocNext == nullptr)
            pAssocNext = FirstAssocFrom(pAssocRet->nHashValue % m_nHashTableSize + 1);
        rNextPosition = reinterpret_cast<POSITION>(const_cast<CAssoc*>(pAssocNext));
        rKey = pAssocRet->key;
        rValue = pAssocRet->value;
    }

    UINT GetHashTableSize() const { return m_nHashTableSize; }

    // Sets the number of buckets; only an empty map can change it (a map
    // with keys keeps its table, whose order the keys depend on).
    void InitHashTable(UINT nHashSize, BOOL bAllocNow = TRUE)
    {
        if (m_nCount != 0 || nHashSize == 0)
            return;
        m_nHashTableSize = nHashSize;
        m_hashTable.clear();
        if (bAllocNow)
            m_hashTable.assign(m_nHashTableSize, nullptr);
    }

    // The count, then key and value of each association in iteration order.
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (CAssoc* pBucket : m_hashTable) {
                for (CAssoc* pAssoc = pBucket; pAssoc != nullptr; pAssoc = pAssoc->pNext) {
                    SerializeElements<KEY>(ar, &pAssoc->key, 1);
                    SerializeElements<VALUE>(ar, &pAssoc->value, 1);
                }
            }
            return;
        }
        DWORD_PTR nNewCount = ar.ReadCount();
        ar.CheckCount(nNewCount, SerializedElementMinSize<KEY>() + SerializedElementMinSize<VALUE>());
        while (nNewCount-- > 0) {
            KEY newKey[1] = {};
            VALUE newValue[1] = {};
            SerializeElements<KEY>(ar, newKey, 1);
            SerializeElements<VALUE>(ar, newValue, 1);
            SetAt(newKey[0], newValue[0]);
        }
    }

protected:
    CAssoc* GetAssocAt(ARG_KEY key, UINT& nBucket, UINT& nHashValue) const
    {
        nHashValue = HashKey<ARG_KEY>(key);
        nBucket = nHashValue % m_nHashTableSize;
        if (m_hashTable.empty())
            return nullptr;
        for (CAssoc* pAssoc = m_hashTable[nBucket]; pAssoc != nullptr; pAssoc = pAssoc->pNext) {
            if (pAssoc->nHashValue == nHashValue && CompareElements<KEY, ARG_KEY>(&pAssoc->key, &key))
                return pAssoc;
        }
        return nullptr;
    }

    const CAssoc* FirstAssocFrom(UINT nBucket) const
    {
        for (; nBucket < m_hashTable.size(); ++nBucket) {
            if (m_hashTable[nBucket] != nullptr)
                return m_hashTable[nBucket];
        }
        return nullptr;
    }

    std::vector<CAssoc*> m_hashTable;  // empty until the first key
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;
};
