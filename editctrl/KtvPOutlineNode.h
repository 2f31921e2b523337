// Outline nodes: one foldable block of the text each, kept in a tree whose
// children lie inside their parent and never overlap each other, and the
// record of the nodes one update took out of the tree or put into it.
// Offsets are byte offsets into the text; a node's end is inclusive.
#pragma once

#include <unordered_map>

#include "platform/mfc/CObList.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"
#include "platform/win32/windef.h"

class CArchive;
class CKtvPOutlineNode;

// What a node holds of its block: both ends found, or only one of them.
constexpr DWORD KTVP_OUTLINE_COMPLETE = 1;
constexpr DWORD KTVP_OUTLINE_UNPAIRED_START = 2;
constexpr DWORD KTVP_OUTLINE_UNPAIRED_END = 4;

// Nodes one change took out of the tree and put into it. The removed ones
// belong to the record until it goes; the inserted ones belong to the tree.
class CKtvPOutlineChanges {
public:
    CKtvPOutlineChanges(int nFirst = -1, int nLast = -1) : m_nFirst(nFirst), m_nLast(nLast) {}
    CKtvPOutlineChanges(const CKtvPOutlineChanges&) = delete;
    CKtvPOutlineChanges& operator=(const CKtvPOutlineChanges&) = delete;
    virtual ~CKtvPOutlineChanges();

    // Widens the changed range to cover first ... last.
    void IncludeRange(int nFirst, int nLast);
    void NoteInserted(CKtvPOutlineNode* pNode);
    // The node and every descendant leave the inserted list.
    void ForgetInserted(CKtvPOutlineNode* pNode);
    void NoteRemoved(CKtvPOutlineNode* pNode);

    CObList m_lstRemoved{10};
    CObList m_lstInserted{10};
    // Where each node stands in the inserted list, so big scans stay linear.
    std::unordered_map<const CKtvPOutlineNode*, POSITION> m_insertedAt;
    int m_nFirst;
    int m_nLast;
    BOOL m_bDeleteRemoved = TRUE;
    BOOL m_bDeleteInserted = FALSE;
};

class CKtvPOutlineBaseNode : public CObject {
    DECLARE_SERIAL(CKtvPOutlineBaseNode)
public:
    CKtvPOutlineBaseNode() = default;
    ~CKtvPOutlineBaseNode() override = default;

    void Serialize(CArchive& ar) override;
    virtual CKtvPOutlineBaseNode& operator=(const CKtvPOutlineBaseNode& other);
    // Everything but the drawn rectangle, which is emptied; the data word
    // goes through SetData.
    virtual void CopyFrom(const CKtvPOutlineBaseNode& other);
    virtual void SetData(DWORD /*dwData*/) {}
    virtual void DestroyData() { m_dwData = 0; }
    virtual void SerializeData(CArchive& ar);
    virtual void MoveBy(int nDelta);
    // 0: the node and start ... end are disjoint; 1: the node lies inside
    // the range; 2: they overlap or the node encloses the range.
    virtual int CompareRange(int nStart, int nEnd) const;
    // Deletion of the characters start ... end - 1.
    virtual void OnTextDeleted(int nStart, int nEnd);
    virtual void OnTextInserted(int nPosition, int nLength);
    // Only a complete block can fold.
    virtual void SetCollapsed(BOOL bCollapsed);

    int GetHeaderStart() const { return m_nStart - m_nNameOffset; }
    BOOL IsComplete() const { return m_dwFlags == KTVP_OUTLINE_COMPLETE; }
    BOOL IsUnset() const { return m_nStart == -1 && m_nEnd == -1; }

    int m_nStart = -1;
    int m_nEnd = -1;
    int m_nNameOffset = 0;
    BOOL m_bCollapsed = FALSE;
    CString m_strReplace = "...";
    RECT m_rect{};
    int m_nBlockType = -2;
    DWORD m_dwFlags = KTVP_OUTLINE_COMPLETE;
    DWORD m_dwData = 0;
};

class CKtvPOutlineNode : public CKtvPOutlineBaseNode {
    DECLARE_SERIAL(CKtvPOutlineNode)
public:
    CKtvPOutlineNode() = default;
    ~CKtvPOutlineNode() override;

    void Serialize(CArchive& ar) override;
    void OnTextDeleted(int nStart, int nEnd) override;
    void OnTextInserted(int nPosition, int nLength) override;

    virtual CKtvPOutlineNode* AddChildCopy(const CKtvPOutlineBaseNode& node, CKtvPOutlineChanges* pChanges);
    virtual void SerializeChildren(CArchive& ar);
    virtual CKtvPOutlineNode* InsertNode(CKtvPOutlineNode* pNode, CKtvPOutlineChanges* pChanges);
    virtual CKtvPOutlineNode* RemoveNode(POSITION pos, CKtvPOutlineChanges* pChanges, BOOL bKeepChildren);

    void RemoveNodesInRange(int nStart, int nEnd, CKtvPOutlineChanges* pChanges);
    // Deletes every child.
    void RemoveAllNodes();
    CKtvPOutlineNode* FindCollapsedNodeAt(int nOffset) const;
    CKtvPOutlineNode* FindCollapsedNodeInRange(int nStart, int nEnd, BOOL bForward) const;
    CKtvPOutlineNode* FindCollapsedNodeAtPoint(POINT pt, int nRowStart, int nRowEnd) const;
    CKtvPOutlineNode* FindInnermostCompleteNode(int nOffset) const;
    void GetNodesByState(CObList& list, BOOL bCollapsed, BOOL bRecursive) const;
    void GetNodesInRangeByState(int nStart, int nEnd, CObList& list, BOOL bCollapsed, BOOL bInsideOnly,
                                BOOL bRecursive) const;
    void GetNodesInRange(int nStart, int nEnd, CObList& list, BOOL bInsideOnly, BOOL bRecursive) const;
    int GetCount(BOOL bRecursive) const;
    // The top of the tree this node is in.
    CKtvPOutlineNode* GetRoot();
    // The first child that ends at or after the offset.
    POSITION FirstChildReaching(int nOffset) const;

    // Change it only through the operations above: they keep the place of
    // the last insertion, from which the next one is looked for.
    CObList m_lstNodes{10};
    CKtvPOutlineNode* m_pParent = nullptr;

private:
    void TakeOutChild(POSITION pos);

    POSITION m_posLastInsert = nullptr;
};
