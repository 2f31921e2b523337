#include "editctrl/KtvPEditMarkerList.h"

BOOL CKtvPEditMarkerHooks::CanMoveMarker(CKtvPEditMarker*)
{
    return TRUE;
}

BOOL CKtvPEditMarkerHooks::CanDeleteMarker(CKtvPEditMarker*)
{
    return TRUE;
}

BOOL CKtvPEditMarkerHooks::OnRemoveMarker(CKtvPEditMarker*, POSITION)
{
    return TRUE;
}

CKtvPEditMarkerList::~CKtvPEditMarkerList()
{
    // The owner announces removals while it still exists (DeleteAllMarkers);
    // what is left here is only freed.
    while (!m_list.IsEmpty())
        delete static_cast<CKtvPEditMarker*>(m_list.RemoveHead());
}

CKtvPEditMarker* CKtvPEditMarkerList::MarkerAt(POSITION pos, const CObList& list)
{
    return static_cast<CKtvPEditMarker*>(list.GetAt(pos));
}

// b is the marker already listed: a new one goes before the first marker of
// lower priority, or of equal priority on a later line, or on the same line
// with a type that is not lower.
BOOL CKtvPEditMarkerList::SortsBefore(const CKtvPEditMarker& a, const CKtvPEditMarker& b)
{
    if (a.m_unPriority != b.m_unPriority)
        return a.m_unPriority > b.m_unPriority;
    if (a.m_nLine != b.m_nLine)
        return a.m_nLine < b.m_nLine;
    return a.m_dwMarkerType <= b.m_dwMarkerType;
}

POSITION CKtvPEditMarkerList::Insert(CKtvPEditMarker* pMarker)
{
    if (pMarker == nullptr)
        return nullptr;
    if (pMarker->IsReserved()) {
        delete pMarker;
        return nullptr;
    }
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr; m_list.GetNext(pos)) {
        if (SortsBefore(*pMarker, *MarkerAt(pos, m_list)))
            return m_list.InsertBefore(pos, pMarker);
    }
    return m_list.AddTail(pMarker);
}

POSITION CKtvPEditMarkerList::FindMarker(int nLine, CKtvPEditMarker** ppMarker, DWORD dwTypeMask) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr; m_list.GetNext(pos)) {
        CKtvPEditMarker* pMarker = MarkerAt(pos, m_list);
        if ((pMarker->m_dwMarkerType & dwTypeMask) != 0 && pMarker->CompareRange(nLine, nLine) != 0) {
            if (ppMarker)
                *ppMarker = pMarker;
            return pos;
        }
    }
    if (ppMarker)
        *ppMarker = nullptr;
    return nullptr;
}

void CKtvPEditMarkerList::GetMarkersInRange(int nFirstLine, CObList& list, DWORD dwTypeMask, int nLastLine) const
{
    if (nLastLine == -1)
        nLastLine = nFirstLine;
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr;) {
        CKtvPEditMarker* pMarker = static_cast<CKtvPEditMarker*>(m_list.GetNext(pos));
        if ((pMarker->m_dwMarkerType & dwTypeMask) != 0 && pMarker->CompareRange(nFirstLine, nLastLine) != 0)
            list.AddTail(pMarker);
    }
}

void CKtvPEditMarkerList::GetMarkers(CObList& list, DWORD dwTypeMask) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr;) {
        CKtvPEditMarker* pMarker = static_cast<CKtvPEditMarker*>(m_list.GetNext(pos));
        if ((pMarker->m_dwMarkerType & dwTypeMask) != 0)
            list.AddTail(pMarker);
    }
}

POSITION CKtvPEditMarkerList::FindMarkerByData(DWORD dwData) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr; m_list.GetNext(pos)) {
        if (MarkerAt(pos, m_list)->IsEqualData(dwData))
            return pos;
    }
    return nullptr;
}

void CKtvPEditMarkerList::GetMarkersByData(CObList& list, DWORD dwData) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr;) {
        CKtvPEditMarker* pMarker = static_cast<CKtvPEditMarker*>(m_list.GetNext(pos));
        if (pMarker->IsEqualData(dwData))
            list.AddTail(pMarker);
    }
}

BOOL CKtvPEditMarkerList::HasMarkers(DWORD dwTypeMask) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr;) {
        if ((static_cast<CKtvPEditMarker*>(m_list.GetNext(pos))->m_dwMarkerType & dwTypeMask) != 0)
            return TRUE;
    }
    return FALSE;
}

BOOL CKtvPEditMarkerList::DeleteMarker(int nLine, DWORD dwTypeMask, BOOL* pRemovedLineColor)
{
    BOOL bRemoved = FALSE;
    if (pRemovedLineColor)
        *pRemovedLineColor = FALSE;
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr;) {
        const POSITION current = pos;
        CKtvPEditMarker* pMarker = static_cast<CKtvPEditMarker*>(m_list.GetNext(pos));
        if (pMarker->m_nLine != nLine || (pMarker->m_dwMarkerType & dwTypeMask) == 0)
            continue;
        if (!m_hooks.OnRemoveMarker(pMarker, current))
            continue;
        if (pRemovedLineColor && (pMarker->m_dwMarkerType & KTVP_MARKER_LINE_COLOR) != 0)
            *pRemovedLineColor = TRUE;
        m_list.RemoveAt(current);
        delete pMarker;
        bRemoved = TRUE;
    }
    return bRemoved;
}

void CKtvPEditMarkerList::DeleteAllMarkers(DWORD dwTypeMask)
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr;) {
        const POSITION current = pos;
        CKtvPEditMarker* pMarker = static_cast<CKtvPEditMarker*>(m_list.GetNext(pos));
        if (dwTypeMask != static_cast<DWORD>(-1) && (pMarker->m_dwMarkerType & dwTypeMask) == 0)
            continue;
        m_hooks.OnRemoveMarker(pMarker, current);
        m_list.RemoveAt(current);
        delete pMarker;
    }
}

void CKtvPEditMarkerList::MoveMarkersOnInsert(int nLine, int nDelta)
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr;) {
        CKtvPEditMarker* pMarker = static_cast<CKtvPEditMarker*>(m_list.GetNext(pos));
        if (pMarker->m_nLine >= nLine && m_hooks.CanMoveMarker(pMarker))
            pMarker->m_nLine += nDelta;
    }
}

void CKtvPEditMarkerList::MoveMarkersOnDelete(int nFirstLine, int nLastLine)
{
    if (nLastLine < nFirstLine)
        return;
    for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr;) {
        const POSITION current = pos;
        CKtvPEditMarker* pMarker = static_cast<CKtvPEditMarker*>(m_list.GetNext(pos));
        const int nOverlap = pMarker->CompareRange(nFirstLine, nLastLine);
        if (nOverlap == 1) {
            if (!m_hooks.CanDeleteMarker(pMarker))
                continue;
            m_hooks.OnRemoveMarker(pMarker, current);
            m_list.RemoveAt(current);
            delete pMarker;
        } else if (nOverlap == 2 && m_hooks.CanMoveMarker(pMarker)) {
            pMarker->UpdateForDeletedLines(nFirstLine, nLastLine);
        }
    }
}

CKtvPEditMarker* CKtvPEditMarkerList::FindNextMarker(DWORD dwTypeMask, int nCaretLine, BOOL bForward) const
{
    CKtvPEditMarker* pWrap = nullptr;
    if (bForward) {
        for (POSITION pos = m_list.GetHeadPosition(); pos != nullptr;) {
            CKtvPEditMarker* pMarker = static_cast<CKtvPEditMarker*>(m_list.GetNext(pos));
            if ((pMarker->m_dwMarkerType & dwTypeMask) == 0)
                continue;
            if (pWrap == nullptr)
                pWrap = pMarker;
            if (pMarker->m_nLine > nCaretLine)
                return pMarker;
        }
        return pWrap;
    }
    for (POSITION pos = m_list.GetTailPosition(); pos != nullptr;) {
        CKtvPEditMarker* pMarker = static_cast<CKtvPEditMarker*>(m_list.GetPrev(pos));
        if ((pMarker->m_dwMarkerType & dwTypeMask) == 0)
            continue;
        if (pWrap == nullptr)
            pWrap = pMarker;
        if (pMarker->m_nLine < nCaretLine)
            return pMarker;
    }
    return pWrap;
}
