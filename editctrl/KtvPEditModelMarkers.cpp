// The edit control's marker operations over its marker list.
#include "editctrl/KtvPEditModel.h"

BOOL CKtvPEditModel::ToggleMarker(int nLine, DWORD dwType, DWORD dwData, BOOL bRedraw, unsigned int unPriority)
{
    if (nLine == -1)
        nLine = m_text.RowOfOffset(m_nCaretOffset);
    for (POSITION pos = m_markers.GetList().GetHeadPosition(); pos != nullptr;) {
        const auto* pMarker = static_cast<const CKtvPEditMarker*>(m_markers.GetList().GetNext(pos));
        if (pMarker->m_nLine == nLine && (pMarker->m_dwMarkerType & dwType) != 0) {
            DeleteMarker(nLine, dwType, bRedraw);
            return FALSE;
        }
    }
    auto* pMarker = new CKtvPEditMarker;
    pMarker->m_nLine = nLine;
    pMarker->m_dwMarkerType = dwType;
    pMarker->m_unPriority = unPriority;
    pMarker->m_dwData = dwData;
    // A reserved type is refused and the marker freed; the toggle still counts as adding.
    InsertMarker(pMarker, nLine, bRedraw);
    return TRUE;
}

POSITION CKtvPEditModel::SetLineColorMarker(int nLine, COLORREF clrText, COLORREF clrBack, BOOL bFullLine,
                                            int nLineCount, DWORD dwType, unsigned int unPriority)
{
    if (nLine == -1)
        nLine = m_text.RowOfOffset(m_nCaretOffset);
    auto* pMarker = new CKtvPLineColorMarker;
    pMarker->m_nLine = nLine;
    pMarker->m_dwMarkerType = dwType | KTVP_MARKER_LINE_COLOR;
    pMarker->m_unPriority = unPriority;
    pMarker->m_clrText = clrText == static_cast<COLORREF>(-1) ? GetDefaultTextColor() : clrText;
    pMarker->m_clrBack = clrBack == static_cast<COLORREF>(-1) ? GetDefaultBackColor() : clrBack;
    pMarker->m_nLineCount = nLineCount;
    pMarker->m_bFullLine = bFullLine;
    return InsertMarker(pMarker, nLine, TRUE);
}

POSITION CKtvPEditModel::InsertMarker(CKtvPEditMarker* pMarker, int nLine, BOOL bRedraw)
{
    if (pMarker == nullptr)
        return nullptr;
    pMarker->m_nLine = nLine == -1 ? m_text.RowOfOffset(m_nCaretOffset) : nLine;
    const int line = pMarker->m_nLine;
    const BOOL bWholeRow = (pMarker->m_dwMarkerType & KTVP_MARKER_LINE_COLOR) != 0;
    POSITION pos = m_markers.Insert(pMarker);
    if (pos != nullptr && bRedraw)
        RedrawMarkerCell(line, bWholeRow);
    return pos;
}

POSITION CKtvPEditModel::FindMarker(int nLine, CKtvPEditMarker** ppMarker, DWORD dwTypeMask) const
{
    return m_markers.FindMarker(nLine, ppMarker, dwTypeMask);
}

void CKtvPEditModel::GetMarkersInRange(int nFirstLine, CObList& list, DWORD dwTypeMask, int nLastLine) const
{
    m_markers.GetMarkersInRange(nFirstLine, list, dwTypeMask, nLastLine);
}

void CKtvPEditModel::GetMarkers(CObList& list, DWORD dwTypeMask) const
{
    m_markers.GetMarkers(list, dwTypeMask);
}

BOOL CKtvPEditModel::DeleteMarker(int nLine, DWORD dwTypeMask, BOOL bRedraw)
{
    BOOL bLineColor = FALSE;
    const BOOL bRemoved = m_markers.DeleteMarker(nLine, dwTypeMask, &bLineColor);
    if (bRemoved && bRedraw) {
        RedrawMarkerCell(nLine, FALSE);
        if (bLineColor)
            RedrawRows(nLine, nLine);
    }
    return bRemoved;
}

void CKtvPEditModel::DeleteAllMarkers(DWORD dwTypeMask, BOOL bRedraw)
{
    m_markers.DeleteAllMarkers(dwTypeMask);
    if (bRedraw) {
        RedrawMarkerCell(-1, FALSE);
        RedrawRows(0, -1);
    }
}

POSITION CKtvPEditModel::FindMarkerByData(DWORD dwData) const
{
    return m_markers.FindMarkerByData(dwData);
}

void CKtvPEditModel::GetMarkersByData(CObList& list, DWORD dwData) const
{
    m_markers.GetMarkersByData(list, dwData);
}

BOOL CKtvPEditModel::GoToMarker(CKtvPEditMarker* pMarker)
{
    if (pMarker == nullptr)
        return FALSE;
    const int rowStart = m_text.RowStart(pMarker->m_nLine);
    if (rowStart < 0)
        return FALSE;
    SetCaret(rowStart, TRUE, TRUE);
    return TRUE;
}

BOOL CKtvPEditModel::HasMarkers(DWORD dwTypeMask) const
{
    return m_markers.HasMarkers(dwTypeMask);
}

BOOL CKtvPEditModel::GoToNextMarker(DWORD dwTypeMask, BOOL bForward)
{
    CKtvPEditMarker* pTarget = m_markers.FindNextMarker(dwTypeMask, m_text.RowOfOffset(m_nCaretOffset), bForward);
    if (pTarget == nullptr)
        return FALSE;
    return GoToMarker(pTarget);
}

void CKtvPEditModel::MoveMarkersOnInsert(int nLine, int nCount)
{
    m_markers.MoveMarkersOnInsert(nLine, nCount);
}

void CKtvPEditModel::MoveMarkersOnDelete(int nFirstLine, int nLastLine)
{
    m_markers.MoveMarkersOnDelete(nFirstLine, nLastLine);
}
