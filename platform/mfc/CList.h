// The framework's doubly linked list template. A POSITION is a node; it
// stays valid until that node is removed. Taking the head or tail of an
// empty list, or using a NULL position, throws CInvalidArgException.
#pragma once

#include "platform/mfc/Collections.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
protected:
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    // Nodes come from the general heap; the block size is accepted for
    // source compatibility.
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { return CheckedNode(m_pNodeHead)->data; }
    const TYPE& GetHead() const { return CheckedNode(m_pNodeHead)->data; }
    TYPE& GetTail() { return CheckedNode(m_pNodeTail)->data; }
    const TYPE& GetTail() const { return CheckedNode(m_pNodeTail)->data; }

    TYPE RemoveHead()
    {
        CNode* pOld = CheckedNode(m_pNodeHead);
        TYPE value = pOld->data;
        RemoveAt(reinterpret_cast<POSITION>(pOld));
        return value;
    }
    TYPE RemoveTail()
    {
        CNode* pOld = CheckedNode(m_pNodeTail);
        TYPE value = pOld->data;
        RemoveAt(reinterpret_cast<POSITION>(pOld));
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(GetHeadPosition(), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(GetTailPosition(), newElement); }
    void AddHead(CList* pNewList)
    {
        if (pNewList == nullptr)
            AfxThrowInvalidArgException();
        // From the tail backwards, so the new elements keep their order.
        for (POSITION pos = pNewList->GetTailPosition(); pos != nullptr;)
            AddHead(pNewList->GetPrev(pos));
    }
    void AddTail(CList* pNewList)
    {
        if (pNewList == nullptr)
            AfxThrowInvalidArgException();
        const INT_PTR nCount = pNewList->GetCount();  // the list may be this one
        POSITION pos = pNewList->GetHeadPosition();
        for (INT_PTR i = 0; i < nCount; ++i)
            AddTail(pNewList->GetNext(pos));
    }

    void RemoveAll()
    {
        for (CNode* pNode = m_pNodeHead; pNode != nullptr;) {
            CNode* pNext = pNode->pNext;
            delete pNode;
            pNode = pNext;
        }
        m_pNodeHead = m_pNodeTail = nullptr;
        m_nCount = 0;
    }

    POSITION GetHeadPosition() const { return reinterpret_cast<POSITION>(m_pNodeHead); }
    POSITION GetTailPosition() const { return reinterpret_cast<POSITION>(m_pNodeTail); }

    // The element at rPosition; rPosition moves to the next (previous) one,
    // NULL after the last.
    TYPE& GetNext(POSITION& rPosition)
    {
        CNode* pNode = CheckedNode(rPosition);
        rPosition = reinterpret_cast<POSITION>(pNode->pNext);
        return pNode->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const
    {
        const CNode* pNode = CheckedNode(rPosition);
        rPosition = reinterpret_cast<POSITION>(pNode->pNext);
        return pNode->data;
    }
    TYPE& GetPrev(POSITION& rPosition)
    {
        CNode* pNode = CheckedNode(rPosition);
        rPosition = reinterpret_cast<POSITION>(pNode->pPrev);
        return pNode->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const
    {
        const CNode* pNode = CheckedNode(rPosition);
        rPosition = reinterpret_cast<POSITION>(pNode->pPrev);
        return pNode->data;
    }

    TYPE& GetAt(POSITION position) { return CheckedNode(position)->data; }
    const TYPE& GetAt(POSITION position) const { return CheckedNode(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { CheckedNode(pos)->data = newElement; }

    void RemoveAt(POSITION position)
    {
        CNode* pOld = CheckedNode(position);
        (pOld->pPrev != nullptr ? pOld->pPrev->pNext : m_pNodeHead) = pOld->pNext;
        (pOld->pNext != nullptr ? pOld->pNext->pPrev : m_pNodeTail) = pOld->pPrev;
        delete pOld;
        --m_nCount;
    }

    // A NULL position inserts at the head (InsertBefore) or tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return Link(nullptr, m_pNodeHead, newElement);
        CNode* pNext = reinterpret_cast<CNode*>(position);
        return Link(pNext->pPrev, pNext, newElement);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement)
    {
        if (position == nullptr)
            return Link(m_pNodeTail, nullptr, newElement);
        CNode* pPrev = reinterpret_cast<CNode*>(position);
        return Link(pPrev, pPrev->pNext, newElement);
    }

    // The first element equal to searchValue after startAfter (from the head
    // when NULL), or NULL.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = nullptr) const
    {
        const CNode* pNode = startAfter == nullptr ? m_pNodeHead : CheckedNode(startAfter)->pNext;
        for (; pNode != nullptr; pNode = pNode->pNext) {
            if (CompareElements<TYPE, ARG_TYPE>(&pNode->data, &searchValue))
                return reinterpret_cast<POSITION>(const_cast<CNode*>(pNode));
        }
        return nullptr;
    }
    POSITION FindIndex(INT_PTR nIndex) const
    {
        if (nIndex < 0 || nIndex >= m_nCount)
            return nullptr;
        const CNode* pNode = m_pNodeHead;
        while (nIndex-- > 0)
            pNode = pNode->pNext;
        return reinterpret_cast<POSITION>(const_cast<CNode*>(pNode));
    }

    // A count, then the elements from the head (SerializeElements). Loading
    // appends at the tail.
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar.WriteCount(static_cast<DWORD_PTR>(m_nCount));
            for (CNode* pNode = m_pNodeHead; pNode != nullptr; pNode = pNode->pNext)
                SerializeElements<TYPE>(ar, &pNode->data, 1);
            return;
        }
        DWORD_PTR nNewCount = ar.ReadCount();
        ar.CheckCount(nNewCount, SerializedElementMinSize<TYPE>());
        while (nNewCount-- > 0) {
            TYPE newData[1] = {};
            SerializeElements<TYPE>(ar, newData, 1);
            AddTail(newData[0]);
        }
    }

protected:
    static CNode* CheckedNode(POSITION position)
    {
        if (position == nullptr)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(position);
    }
    static CNode* CheckedNode(CNode* pNode) { return CheckedNode(reinterpret_cast<POSITION>(pNode)); }

    POSITION Link(CNode* pPrev, CNode* pNext, ARG_TYPE newElement)
    {
        CNode* pNew = new CNode{pNext, pPrev, TYPE(newElement)};
        (pPrev != nullptr ? pPrev->pNext : m_pNodeHead) = pNew;
        (pNext != nullptr ? pNext->pPrev : m_pNodeTail) = pNew;
        ++m_nCount;
        return reinterpret_cast<POSITION>(pNew);
    }

    CNode* m_pNodeHead = nullptr;
    CNode* m_pNodeTail = nullptr;
    INT_PTR m_nCount = 0;
};
