#include "editctrl/KtvPEditMarker.h"

#include <algorithm>

#include "platform/mfc/CArchive.h"

IMPLEMENT_DYNAMIC(CKtvPEditMarker, CObject)
IMPLEMENT_DYNAMIC(CKtvPLineColorMarker, CKtvPEditMarker)
IMPLEMENT_DYNAMIC(CKtvPHiliteMarker, CKtvPEditMarker)

void CKtvPEditMarker::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<int>(m_nLine) << static_cast<unsigned int>(m_dwMarkerType) << m_unPriority;
    } else {
        unsigned int type = 0;
        ar >> m_nLine >> type >> m_unPriority;
        m_dwMarkerType = type;
    }
    SerializeData(ar);
}

void CKtvPEditMarker::SerializeData(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<unsigned int>(m_dwData);
    } else {
        unsigned int data = 0;
        ar >> data;
        m_dwData = data;
    }
}

CKtvPEditMarker& CKtvPEditMarker::operator=(const CKtvPEditMarker& src)
{
    if (this != &src)
        CopyFrom(src);
    return *this;
}

void CKtvPEditMarker::CopyFrom(const CKtvPEditMarker& src)
{
    m_nLine = src.m_nLine;
    m_dwMarkerType = src.m_dwMarkerType;
    m_unPriority = src.m_unPriority;
    SetData(src.m_dwData);
}

int CKtvPEditMarker::CompareRange(int nFirstLine, int nLastLine) const
{
    return m_nLine >= nFirstLine && m_nLine <= nLastLine ? 1 : 0;
}

void CKtvPEditMarker::UpdateForDeletedLines(int, int) {}

void CKtvPLineColorMarker::CopyFrom(const CKtvPEditMarker& src)
{
    CKtvPEditMarker::CopyFrom(src);
    const auto* pLineColor = dynamic_cast<const CKtvPLineColorMarker*>(&src);
    if (pLineColor == nullptr)
        return;
    m_clrText = pLineColor->m_clrText;
    m_clrBack = pLineColor->m_clrBack;
    m_nLineCount = pLineColor->m_nLineCount;
    m_bFullLine = pLineColor->m_bFullLine;
}

int CKtvPLineColorMarker::CompareRange(int nFirstLine, int nLastLine) const
{
    const int nLast = GetLastLine();
    if (nLast < nFirstLine || m_nLine > nLastLine)
        return 0;
    return m_nLine >= nFirstLine && nLast <= nLastLine ? 1 : 2;
}

void CKtvPLineColorMarker::UpdateForDeletedLines(int nFirstLine, int nLastLine)
{
    const int nLast = GetLastLine();
    if (nLastLine < m_nLine || nFirstLine > nLast)
        return;
    if (nFirstLine >= m_nLine && nLastLine <= nLast) {
        m_nLineCount -= nLastLine - nFirstLine + 1;  // inside its lines
    } else if (nFirstLine > m_nLine) {
        m_nLineCount = nFirstLine - 1 - m_nLine;  // covers its end
    } else if (nLastLine < nLast) {
        const int nDeleted = nLastLine - nFirstLine + 1;  // covers its start
        m_nLine = nFirstLine;
        m_nLineCount = nLast - nDeleted - m_nLine;
    }
    m_nLineCount = std::max(m_nLineCount, 0);
}
