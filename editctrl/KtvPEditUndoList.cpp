#include "editctrl/KtvPEditUndoList.h"

CKtvPEditUndoList::CKtvPEditUndoList(RemoveHook onRemove) : m_onRemove(std::move(onRemove)) {}

CKtvPEditUndoList::~CKtvPEditUndoList()
{
    Clear();
}

void CKtvPEditUndoList::SetLimit(int nLimit)
{
    m_nLimit = nLimit < 1 ? 1 : nLimit;
    while (GetCount() > m_nLimit) {
        std::unique_ptr<CKtvPEditUndoAction> pOldest = std::move(m_actions.front());
        m_actions.pop_front();
        m_nBaseState = pOldest->m_nSequence;
        if (m_nApplied > 0)
            --m_nApplied;
        Discard(std::move(pOldest));
    }
}

void CKtvPEditUndoList::Discard(std::unique_ptr<CKtvPEditUndoAction> pAction)
{
    if (m_onRemove)
        m_onRemove(pAction.get());
}

unsigned long long CKtvPEditUndoList::CurrentState() const
{
    return m_nApplied > 0 ? At(m_nApplied - 1)->m_nSequence : m_nBaseState;
}

void CKtvPEditUndoList::Add(std::unique_ptr<CKtvPEditUndoAction> pAction)
{
    while (GetCount() > m_nApplied) {
        std::unique_ptr<CKtvPEditUndoAction> pUndone = std::move(m_actions.back());
        m_actions.pop_back();
        Discard(std::move(pUndone));
    }
    pAction->m_nSequence = m_nNextSequence++;
    m_actions.push_back(std::move(pAction));
    m_nApplied = GetCount();
    SetLimit(m_nLimit);
}

void CKtvPEditUndoList::AppendToLast(const CString& strText)
{
    CKtvPEditUndoAction* pLast = GetLast();
    if (pLast == nullptr)
        return;
    pLast->m_strText += strText;
    pLast->m_nSequence = m_nNextSequence++;
}

void CKtvPEditUndoList::Clear()
{
    while (!m_actions.empty()) {
        std::unique_ptr<CKtvPEditUndoAction> pOldest = std::move(m_actions.front());
        m_actions.pop_front();
        Discard(std::move(pOldest));
    }
    m_nApplied = 0;
    m_bLastStepUndo = TRUE;
    // The text now stands in a state no save point has named.
    m_nBaseState = m_nNextSequence++;
}

CKtvPEditUndoAction* CKtvPEditUndoList::StepBack()
{
    if (!CanUndo())
        return nullptr;
    m_bLastStepUndo = TRUE;
    return At(--m_nApplied);
}

CKtvPEditUndoAction* CKtvPEditUndoList::StepForward()
{
    if (!CanRedo())
        return nullptr;
    m_bLastStepUndo = FALSE;
    return At(m_nApplied++);
}

void CKtvPEditUndoList::GetUndoActionTypes(CDWordArray& arrTypes) const
{
    for (int i = m_nApplied - 1; i >= 0; --i) {
        if (!At(i)->m_bGroup)
            arrTypes.Add(At(i)->m_dwType);
    }
}

void CKtvPEditUndoList::GetRedoActionTypes(CDWordArray& arrTypes) const
{
    for (int i = m_nApplied; i < GetCount(); ++i) {
        if (!At(i)->m_bGroup)
            arrTypes.Add(At(i)->m_dwType);
    }
}
