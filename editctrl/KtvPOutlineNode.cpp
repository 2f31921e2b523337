#include "editctrl/KtvPOutlineNode.h"

#include <algorithm>

#include "platform/mfc/CArchive.h"

IMPLEMENT_SERIAL(CKtvPOutlineBaseNode, CObject, 1)
IMPLEMENT_SERIAL(CKtvPOutlineNode, CKtvPOutlineBaseNode, 1)

// ---------------------------------------------------------------- change record

CKtvPOutlineChanges::~CKtvPOutlineChanges()
{
    if (m_bDeleteRemoved) {
        while (!m_lstRemoved.IsEmpty())
            delete m_lstRemoved.RemoveHead();
    }
    if (m_bDeleteInserted) {
        while (!m_lstInserted.IsEmpty())
            delete m_lstInserted.RemoveHead();
    }
}

void CKtvPOutlineChanges::IncludeRange(int nFirst, int nLast)
{
    if (m_nFirst < 0 || nFirst < m_nFirst)
        m_nFirst = nFirst;
    m_nLast = std::max(m_nLast, nLast);
}

void CKtvPOutlineChanges::NoteInserted(CKtvPOutlineNode* pNode)
{
    if (m_insertedAt.count(pNode) == 0)
        m_insertedAt[pNode] = m_lstInserted.AddTail(pNode);
}

void CKtvPOutlineChanges::ForgetInserted(CKtvPOutlineNode* pNode)
{
    if (m_insertedAt.empty())
        return;
    if (auto it = m_insertedAt.find(pNode); it != m_insertedAt.end()) {
        m_lstInserted.RemoveAt(it->second);
        m_insertedAt.erase(it);
    }
    for (POSITION pos = pNode->m_lstNodes.GetHeadPosition(); pos != nullptr;)
        ForgetInserted(static_cast<CKtvPOutlineNode*>(pNode->m_lstNodes.GetNext(pos)));
}

void CKtvPOutlineChanges::NoteRemoved(CKtvPOutlineNode* pNode)
{
    // A node made by this change and gone again must not be reported as
    // inserted once the record has deleted it.
    ForgetInserted(pNode);
    m_lstRemoved.AddTail(pNode);
}

// ---------------------------------------------------------------- base node

void CKtvPOutlineBaseNode::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_nStart << m_nEnd << m_nNameOffset << static_cast<int>(m_bCollapsed) << m_strReplace << m_nBlockType
           << static_cast<unsigned int>(m_dwFlags);
    } else {
        int collapsed = 0;
        unsigned int flags = 0;
        ar >> m_nStart >> m_nEnd >> m_nNameOffset >> collapsed >> m_strReplace >> m_nBlockType >> flags;
        m_bCollapsed = collapsed;
        m_dwFlags = flags;
        m_rect = RECT{};
    }
    SerializeData(ar);
}

void CKtvPOutlineBaseNode::SerializeData(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<unsigned int>(m_dwData);
    } else {
        unsigned int data = 0;
        ar >> data;
        m_dwData = data;
    }
}

CKtvPOutlineBaseNode& CKtvPOutlineBaseNode::operator=(const CKtvPOutlineBaseNode& other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

void CKtvPOutlineBaseNode::CopyFrom(const CKtvPOutlineBaseNode& other)
{
    m_nStart = other.m_nStart;
    m_nEnd = other.m_nEnd;
    m_nNameOffset = other.m_nNameOffset;
    m_bCollapsed = other.m_bCollapsed;
    m_strReplace = other.m_strReplace;
    m_nBlockType = other.m_nBlockType;
    m_dwFlags = other.m_dwFlags;
    m_rect = RECT{};
    SetData(other.m_dwData);
}

void CKtvPOutlineBaseNode::MoveBy(int nDelta)
{
    m_nStart += nDelta;
    m_nEnd += nDelta;
}

int CKtvPOutlineBaseNode::CompareRange(int nStart, int nEnd) const
{
    if (nEnd < m_nStart || nStart > m_nEnd)
        return 0;
    if (nStart <= m_nStart && m_nEnd <= nEnd)
        return 1;
    return 2;
}

void CKtvPOutlineBaseNode::OnTextInserted(int nPosition, int nLength)
{
    if (IsUnset() || m_nEnd < nPosition)
        return;
    if (m_nStart >= nPosition) {
        if (GetHeaderStart() < nPosition)
            m_nNameOffset += nLength;
        MoveBy(nLength);
        return;
    }
    m_nEnd += nLength;
}

void CKtvPOutlineBaseNode::OnTextDeleted(int nStart, int nEnd)
{
    const int length = nEnd - nStart;
    if (IsUnset() || length <= 0 || m_nEnd < nStart)
        return;
    const int headerStart = GetHeaderStart();
    if (m_nStart >= nEnd) {
        if (nEnd > headerStart) {
            if (nStart < headerStart)
                m_nNameOffset = m_nStart - nEnd;
            else
                m_nNameOffset = std::max(0, m_nNameOffset - length);
        }
        MoveBy(-length);
        return;
    }
    if (m_nStart >= nStart && m_nEnd < nEnd)
        return;  // wholly deleted: the owner removes it
    if (m_nStart >= nStart) {
        // Entered from the front: what is left of the header stays before it.
        m_nNameOffset = std::max(0, nStart - headerStart);
        m_nStart = nStart;
        m_nEnd -= length;
        return;
    }
    if (m_nEnd < nEnd) {
        m_nEnd = nStart - 1;
        return;
    }
    m_nEnd -= length;
}

void CKtvPOutlineBaseNode::SetCollapsed(BOOL bCollapsed)
{
    if (IsComplete())
        m_bCollapsed = bCollapsed;
}

// ---------------------------------------------------------------- tree node

CKtvPOutlineNode::~CKtvPOutlineNode()
{
    RemoveAllNodes();
}

void CKtvPOutlineNode::RemoveAllNodes()
{
    m_posLastInsert = nullptr;
    while (!m_lstNodes.IsEmpty())
        delete m_lstNodes.RemoveHead();
}

void CKtvPOutlineNode::Serialize(CArchive& ar)
{
    CKtvPOutlineBaseNode::Serialize(ar);
    SerializeChildren(ar);
}

void CKtvPOutlineNode::SerializeChildren(CArchive& ar)
{
    if (!ar.IsStoring())
        RemoveAllNodes();
    m_posLastInsert = nullptr;
    m_lstNodes.Serialize(ar);
    if (ar.IsStoring())
        return;
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != nullptr;) {
        const POSITION at = pos;
        CObject* pObject = m_lstNodes.GetNext(pos);
        auto* pChild = dynamic_cast<CKtvPOutlineNode*>(pObject);
        if (pChild == nullptr) {
            // Only outline nodes may hang in the tree.
            m_lstNodes.RemoveAt(at);
            delete pObject;
            continue;
        }
        pChild->m_pParent = this;
    }
}

void CKtvPOutlineNode::OnTextDeleted(int nStart, int nEnd)
{
    CKtvPOutlineBaseNode::OnTextDeleted(nStart, nEnd);
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != nullptr;)
        static_cast<CKtvPOutlineNode*>(m_lstNodes.GetNext(pos))->OnTextDeleted(nStart, nEnd);
}

void CKtvPOutlineNode::OnTextInserted(int nPosition, int nLength)
{
    CKtvPOutlineBaseNode::OnTextInserted(nPosition, nLength);
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != nullptr;)
        static_cast<CKtvPOutlineNode*>(m_lstNodes.GetNext(pos))->OnTextInserted(nPosition, nLength);
}

CKtvPOutlineNode* CKtvPOutlineNode::AddChildCopy(const CKtvPOutlineBaseNode& node, CKtvPOutlineChanges* pChanges)
{
    auto* pCopy = new CKtvPOutlineNode;
    pCopy->CopyFrom(node);
    return InsertNode(pCopy, pChanges);
}

void CKtvPOutlineNode::TakeOutChild(POSITION pos)
{
    if (pos == m_posLastInsert)
        m_posLastInsert = nullptr;
    m_lstNodes.RemoveAt(pos);
}

// Children are ordered and apart: those ending before an offset cannot
// reach it. A scan inserts its nodes close to each other, so the first
// child reaching the offset is looked for from the last insertion, or from
// the end.
POSITION CKtvPOutlineNode::FirstChildReaching(int nOffset) const
{
    auto endOf = [this](POSITION pos) { return static_cast<const CKtvPOutlineNode*>(m_lstNodes.GetAt(pos))->m_nEnd; };
    POSITION pos = m_posLastInsert != nullptr ? m_posLastInsert : m_lstNodes.GetTailPosition();
    if (pos == nullptr)
        return nullptr;
    if (endOf(pos) < nOffset) {
        m_lstNodes.GetNext(pos);
        while (pos != nullptr && endOf(pos) < nOffset)
            m_lstNodes.GetNext(pos);
        return pos;
    }
    POSITION first = pos;
    m_lstNodes.GetPrev(pos);
    while (pos != nullptr && endOf(pos) >= nOffset) {
        first = pos;
        m_lstNodes.GetPrev(pos);
    }
    return first;
}

CKtvPOutlineNode* CKtvPOutlineNode::InsertNode(CKtvPOutlineNode* pNode, CKtvPOutlineChanges* pChanges)
{
    for (POSITION pos = FirstChildReaching(pNode->m_nStart); pos != nullptr;) {
        const POSITION at = pos;
        auto* pChild = static_cast<CKtvPOutlineNode*>(m_lstNodes.GetNext(pos));
        if (pChild->m_nStart > pNode->m_nEnd) {
            m_posLastInsert = m_lstNodes.InsertBefore(at, pNode);
            pNode->m_pParent = this;
            if (pChanges != nullptr)
                pChanges->NoteInserted(pNode);
            return pNode;
        }
        const int placement = pChild->CompareRange(pNode->m_nStart, pNode->m_nEnd);
        if (placement == 0)
            continue;
        if (placement == 1) {
            TakeOutChild(at);
            pChild->m_pParent = nullptr;
            CKtvPOutlineChanges moved;
            if (pChanges != nullptr)
                pChanges->ForgetInserted(pChild);
            pNode->InsertNode(pChild, &moved);
            // What the move displaced belongs to the caller's record.
            moved.m_bDeleteRemoved = FALSE;
            if (pChanges != nullptr) {
                while (!moved.m_lstRemoved.IsEmpty())
                    pChanges->NoteRemoved(static_cast<CKtvPOutlineNode*>(moved.m_lstRemoved.RemoveHead()));
            } else {
                while (!moved.m_lstRemoved.IsEmpty())
                    delete moved.m_lstRemoved.RemoveHead();
            }
            continue;
        }
        if (pChild->m_nStart <= pNode->m_nStart && pNode->m_nEnd <= pChild->m_nEnd)
            return pChild->InsertNode(pNode, pChanges);
        // Crossing blocks cannot both stand: the old one goes.
        CKtvPOutlineNode* pRemoved = RemoveNode(at, pChanges, FALSE);
        if (pChanges == nullptr)
            delete pRemoved;
        pos = FirstChildReaching(pNode->m_nStart);
    }
    m_posLastInsert = m_lstNodes.AddTail(pNode);
    pNode->m_pParent = this;
    if (pChanges != nullptr)
        pChanges->NoteInserted(pNode);
    return pNode;
}

CKtvPOutlineNode* CKtvPOutlineNode::RemoveNode(POSITION pos, CKtvPOutlineChanges* pChanges, BOOL bKeepChildren)
{
    auto* pNode = static_cast<CKtvPOutlineNode*>(m_lstNodes.GetAt(pos));
    TakeOutChild(pos);
    pNode->m_pParent = nullptr;
    if (!bKeepChildren) {
        while (!pNode->m_lstNodes.IsEmpty()) {
            auto* pChild = static_cast<CKtvPOutlineNode*>(pNode->m_lstNodes.RemoveHead());
            pChild->m_pParent = nullptr;
            InsertNode(pChild, pChanges);
        }
    }
    if (pChanges != nullptr)
        pChanges->NoteRemoved(pNode);
    return pNode;
}

void CKtvPOutlineNode::RemoveNodesInRange(int nStart, int nEnd, CKtvPOutlineChanges* pChanges)
{
    for (POSITION pos = FirstChildReaching(nStart); pos != nullptr;) {
        const POSITION at = pos;
        auto* pChild = static_cast<CKtvPOutlineNode*>(m_lstNodes.GetNext(pos));
        if (pChild->m_nStart > nEnd)
            break;
        const int placement = pChild->CompareRange(nStart, nEnd);
        if (placement == 1) {
            CKtvPOutlineNode* pRemoved = RemoveNode(at, pChanges, TRUE);
            if (pChanges == nullptr)
                delete pRemoved;
        } else if (placement == 2) {
            pChild->RemoveNodesInRange(nStart, nEnd, pChanges);
        }
    }
}

CKtvPOutlineNode* CKtvPOutlineNode::FindCollapsedNodeAt(int nOffset) const
{
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != nullptr;) {
        auto* pChild = static_cast<CKtvPOutlineNode*>(m_lstNodes.GetNext(pos));
        if (pChild->m_nStart > nOffset)
            break;
        if (nOffset > pChild->m_nEnd)
            continue;
        if (pChild->m_bCollapsed)
            return pChild;
        return pChild->FindCollapsedNodeAt(nOffset);
    }
    return nullptr;
}

CKtvPOutlineNode* CKtvPOutlineNode::FindCollapsedNodeInRange(int nStart, int nEnd, BOOL bForward) const
{
    POSITION pos = bForward ? m_lstNodes.GetHeadPosition() : m_lstNodes.GetTailPosition();
    while (pos != nullptr) {
        auto* pChild = static_cast<CKtvPOutlineNode*>(bForward ? m_lstNodes.GetNext(pos) : m_lstNodes.GetPrev(pos));
        if (pChild->CompareRange(nStart, nEnd) == 0)
            continue;
        if (pChild->m_bCollapsed)
            return pChild;
        if (CKtvPOutlineNode* pFound = pChild->FindCollapsedNodeInRange(nStart, nEnd, bForward))
            return pFound;
    }
    return nullptr;
}

CKtvPOutlineNode* CKtvPOutlineNode::FindCollapsedNodeAtPoint(POINT pt, int nRowStart, int nRowEnd) const
{
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != nullptr;) {
        auto* pChild = static_cast<CKtvPOutlineNode*>(m_lstNodes.GetNext(pos));
        if (pChild->m_nStart > nRowEnd)
            break;
        if (pChild->CompareRange(nRowStart, nRowEnd) == 0)
            continue;
        if (pChild->m_bCollapsed) {
            const RECT& rc = pChild->m_rect;
            if (pt.x >= rc.left && pt.x < rc.right && pt.y >= rc.top && pt.y < rc.bottom)
                return pChild;
            continue;
        }
        if (CKtvPOutlineNode* pFound = pChild->FindCollapsedNodeAtPoint(pt, nRowStart, nRowEnd))
            return pFound;
    }
    return nullptr;
}

CKtvPOutlineNode* CKtvPOutlineNode::FindInnermostCompleteNode(int nOffset) const
{
    for (POSITION pos = m_lstNodes.GetTailPosition(); pos != nullptr;) {
        auto* pChild = static_cast<CKtvPOutlineNode*>(m_lstNodes.GetPrev(pos));
        if (pChild->m_nStart > nOffset || nOffset > pChild->m_nEnd + 1)
            continue;
        if (CKtvPOutlineNode* pInner = pChild->FindInnermostCompleteNode(nOffset))
            return pInner;
        if (pChild->IsComplete())
            return pChild;
    }
    return nullptr;
}

void CKtvPOutlineNode::GetNodesByState(CObList& list, BOOL bCollapsed, BOOL bRecursive) const
{
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != nullptr;) {
        auto* pChild = static_cast<CKtvPOutlineNode*>(m_lstNodes.GetNext(pos));
        if (!pChild->m_bCollapsed == !bCollapsed)
            list.AddTail(pChild);
        else if (bRecursive && !pChild->m_bCollapsed)
            pChild->GetNodesByState(list, bCollapsed, bRecursive);
    }
}

void CKtvPOutlineNode::GetNodesInRangeByState(int nStart, int nEnd, CObList& list, BOOL bCollapsed, BOOL bInsideOnly,
                                              BOOL bRecursive) const
{
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != nullptr;) {
        auto* pChild = static_cast<CKtvPOutlineNode*>(m_lstNodes.GetNext(pos));
        const int placement = pChild->CompareRange(nStart, nEnd);
        if (placement == 0 || (placement == 2 && bInsideOnly))
            continue;
        if (!pChild->m_bCollapsed == !bCollapsed)
            list.AddTail(pChild);
        else if (bRecursive && !pChild->m_bCollapsed)
            pChild->GetNodesInRangeByState(nStart, nEnd, list, bCollapsed, bInsideOnly, bRecursive);
    }
}

void CKtvPOutlineNode::GetNodesInRange(int nStart, int nEnd, CObList& list, BOOL bInsideOnly, BOOL bRecursive) const
{
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != nullptr;) {
        auto* pChild = static_cast<CKtvPOutlineNode*>(m_lstNodes.GetNext(pos));
        const int placement = pChild->CompareRange(nStart, nEnd);
        if (placement == 0 || (placement == 2 && bInsideOnly))
            continue;
        list.AddTail(pChild);
        if (bRecursive)
            pChild->GetNodesInRange(nStart, nEnd, list, bInsideOnly, bRecursive);
    }
}

int CKtvPOutlineNode::GetCount(BOOL bRecursive) const
{
    int count = static_cast<int>(m_lstNodes.GetCount());
    if (!bRecursive)
        return count;
    for (POSITION pos = m_lstNodes.GetHeadPosition(); pos != nullptr;)
        count += static_cast<CKtvPOutlineNode*>(m_lstNodes.GetNext(pos))->GetCount(TRUE);
    return count;
}

CKtvPOutlineNode* CKtvPOutlineNode::GetRoot()
{
    CKtvPOutlineNode* pNode = this;
    while (pNode->m_pParent != nullptr)
        pNode = pNode->m_pParent;
    return pNode;
}
