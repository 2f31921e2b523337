#include "editctrl/KtvPEditUndoAction.h"

void CKtvPUndoLinesData::AddLine(int nRow, int nPosInRow, const CString& strText)
{
    m_arrStrings.Add(strText);
    m_arrRows.Add(nRow);
    m_arrPositions.Add(nPosInRow);
}

CKtvPEditUndoAction::~CKtvPEditUndoAction()
{
    if (m_bOwnsData)
        delete m_pData;
}
