// The framework's growable array template. An index outside the array
// throws CInvalidArgException (as the framework's checked accessors do)
// rather than reading or writing past the storage.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/mfc/Collections.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_data.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    BOOL IsEmpty() const { return m_data.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // nGrowBy -1 keeps the current step; 0 lets the array choose
    // (an eighth of its size, from 4 to 1024 elements).
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        if (nNewSize < 0)
            AfxThrowInvalidArgException();
        if (nGrowBy >= 0)
            m_nGrowBy = nGrowBy;
        const size_t nNew = static_cast<size_t>(nNewSize);
        if (nNew > m_data.capacity()) {
            INT_PTR nStep = m_nGrowBy;
            if (nStep == 0)
                nStep = std::min<INT_PTR>(1024, std::max<INT_PTR>(4, GetSize() / 8));
            m_data.reserve(std::max(nNew, m_data.capacity() + static_cast<size_t>(nStep)));
        }
        m_data.resize(nNew);
    }
    void FreeExtra() { m_data.shrink_to_fit(); }
    void RemoveAll() { m_data.clear(); m_data.shrink_to_fit(); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_data[CheckedIndex(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_data[CheckedIndex(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_data[CheckedIndex(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_data.empty() ? nullptr : m_data.data(); }
    TYPE* GetData() { return m_data.empty() ? nullptr : m_data.data(); }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowInvalidArgException();
        TYPE element = newElement;  // newElement may live in this array
        if (nIndex >= GetSize())
            SetSize(nIndex + 1);
        m_data[static_cast<size_t>(nIndex)] = std::move(element);
    }
    INT_PTR Add(ARG_TYPE newElement)
    {
        const INT_PTR nIndex = GetSize();
        SetAtGrow(nIndex, newElement);
        return nIndex;
    }
    // Returns the index of the first appended element.
    INT_PTR Append(const CArray& src)
    {
        const INT_PTR nOldSize = GetSize();
        if (&src == this) {
            const std::vector<TYPE> copy = m_data;
            m_data.insert(m_data.end(), copy.begin(), copy.end());
        } else {
            m_data.insert(m_data.end(), src.m_data.begin(), src.m_data.end());
        }
        return nOldSize;
    }
    void Copy(const CArray& src)
    {
        if (&src != this)
            m_data = src.m_data;
    }

    // Inserting past the end grows the array up to the index first.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount <= 0)
            AfxThrowInvalidArgException();
        const TYPE element = newElement;  // newElement may live in this array
        if (nIndex >= GetSize())
            SetSize(nIndex);
        m_data.insert(m_data.begin() + nIndex, static_cast<size_t>(nCount), element);
    }
    void InsertAt(INT_PTR nStartIndex, CArray* pNewArray)
    {
        if (pNewArray == nullptr || nStartIndex < 0)
            AfxThrowInvalidArgException();
        if (pNewArray->IsEmpty())
            return;
        const std::vector<TYPE> inserted = pNewArray->m_data;
        if (nStartIndex >= GetSize())
            SetSize(nStartIndex);
        m_data.insert(m_data.begin() + nStartIndex, inserted.begin(), inserted.end());
    }
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nIndex + nCount > GetSize())
            AfxThrowInvalidArgException();
        m_data.erase(m_data.begin() + nIndex, m_data.begin() + nIndex + nCount);
    }

    // A count, then the elements (SerializeElements).
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(GetSize()));
            SerializeElements<TYPE>(ar, GetData(), GetSize());
            return;
        }
        const DWORD_PTR nCount = ar.ReadCount();
        ar.CheckCount(nCount, SerializedElementMinSize<TYPE>());
        SetSize(static_cast<INT_PTR>(nCount));
        SerializeElements<TYPE>(ar, GetData(), GetSize());
    }

protected:
    size_t CheckedIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= GetSize())
            AfxThrowInvalidArgException();
        return static_cast<size_t>(nIndex);
    }

    std::vector<TYPE> m_data;
    INT_PTR m_nGrowBy = 0;
};
