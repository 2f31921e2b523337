// Recording and replaying the edit control's undo history.
#include <algorithm>

#include "editctrl/KtvPEditModel.h"
#include "platform/win32/kernel/Utf8Text.h"

BOOL CKtvPEditModel::IsModified()
{
    return m_bModified && !m_undo.IsAtSavePoint();
}

void CKtvPEditModel::SetSavePoint()
{
    m_undo.SetSavePoint();
    m_bModified = FALSE;
}

BOOL CKtvPEditModel::CanUndo()
{
    return m_undo.CanUndo();
}

BOOL CKtvPEditModel::CanRedo()
{
    return m_undo.CanRedo();
}

BOOL CKtvPEditModel::OnBeforeAddUndoAction(CKtvPEditUndoAction*)
{
    return TRUE;
}

void CKtvPEditModel::OnRemoveUndoAction(CKtvPEditUndoAction*) {}

void CKtvPEditModel::ClearUndoList()
{
    m_undo.Clear();
}

BOOL CKtvPEditModel::AddUndoAction(CKtvPEditUndoAction* pAction)
{
    std::unique_ptr<CKtvPEditUndoAction> owned(pAction);
    if (!owned)
        return FALSE;
    owned->m_dwType |= m_dwUndoReason;
    owned->m_nCaret = m_nSelStart >= 0 ? m_nSelEnd : m_nCaretOffset;
    if (!OnBeforeAddUndoAction(owned.get()))
        return FALSE;
    m_undo.Add(std::move(owned));
    m_bModified = TRUE;
    return TRUE;
}

BOOL CKtvPEditModel::AddUndoCustomAction(CKtvPUndoBlockData* pData, DWORD dwType, BOOL bOwnsData)
{
    auto* pAction = new CKtvPEditUndoAction;
    pAction->m_pData = pData;
    pAction->m_dwType = dwType;
    pAction->m_bOwnsData = bOwnsData;
    return AddUndoAction(pAction);
}

BOOL CKtvPEditModel::AddUndoTextAction(LPCTSTR lpszText, DWORD dwType, int nOffset, BOOL bInsert, BOOL bGroup)
{
    auto* pAction = new CKtvPEditUndoAction;
    pAction->m_nOffset = nOffset;
    pAction->m_dwType = dwType;
    pAction->m_strText = lpszText;
    pAction->m_bGroup = bGroup;
    if (GetOverwriteMode() && !bInsert)
        pAction->m_dwMode |= KTVP_UNDO_MODE_OVERWRITE;
    return AddUndoAction(pAction);
}

BOOL CKtvPEditModel::AddUndoCharAction(UINT nChar, DWORD dwType, int nOffset, BOOL bInsert)
{
    if (nChar == '\n')
        return AddUndoTextAction("\n", dwType, nOffset, TRUE, FALSE);
    CString strText;
    if (GetOverwriteMode() && !bInsert) {
        strText = m_text.Mid(nOffset, m_text.NextChar(nOffset) - nOffset);
    } else {
        std::string bytes;
        tw::utf8::Append(static_cast<char32_t>(nChar), bytes);
        strText = CString(bytes.data(), static_cast<int>(bytes.size()));
    }
    const bool typingInInsertMode = dwType == KTVP_UNDO_INSERT && !GetOverwriteMode();
    if (typingInInsertMode) {
        // Typing runs merge into one step while the keys stay in one class:
        // a word, then the blanks after it, then the next word.
        const bool keyAllowsMerge = m_nPrevKey == 32 || m_nPrevKey > 47;
        const bool charIsDelimiter = nChar < 128 && IsWordDelimiter(static_cast<char>(nChar));
        const bool prevIsDelimiter =
            m_nPrevKey >= 0 && m_nPrevKey < 128 && IsWordDelimiter(static_cast<char>(m_nPrevKey));
        const CKtvPEditUndoAction* pLast = m_undo.GetLast();
        const bool follows = m_undo.IsAtEnd() && pLast != nullptr && pLast->GetKind() == KTVP_UNDO_INSERT &&
                             (pLast->m_dwMode & KTVP_UNDO_MODE_OVERWRITE) == 0 &&
                             pLast->m_nOffset + pLast->m_strText.GetLength() == nOffset;
        if (keyAllowsMerge && charIsDelimiter == prevIsDelimiter && follows) {
            m_undo.AppendToLast(strText);
            m_bModified = TRUE;
            return TRUE;
        }
        return AddUndoTextAction(strText, dwType, nOffset, FALSE, FALSE);
    }
    return AddUndoTextAction(strText, dwType, nOffset, bInsert, FALSE);
}

BOOL CKtvPEditModel::Undo(BOOL bSetCaret, BOOL bRedraw)
{
    if (!m_undo.CanUndo()) {
        OnFailedOperation(KTVP_FAIL_UNDO);
        return FALSE;
    }
    BOOL applied = ApplyUndoAction(m_undo.StepBack(), TRUE, bSetCaret);
    // A chain of grouped actions is one step, undone newest first.
    while (applied && m_undo.PeekUndo() != nullptr && m_undo.PeekUndo()->m_bGroup)
        applied = ApplyUndoAction(m_undo.StepBack(), TRUE, bSetCaret);
    if (bRedraw)
        RedrawRows(0, -1);
    return applied;
}

BOOL CKtvPEditModel::Redo(BOOL bSetCaret, BOOL bRedraw)
{
    if (!m_undo.CanRedo()) {
        OnFailedOperation(KTVP_FAIL_REDO);
        return FALSE;
    }
    CKtvPEditUndoAction* pAction = m_undo.StepForward();
    BOOL applied = ApplyUndoAction(pAction, FALSE, bSetCaret);
    while (applied && pAction->m_bGroup && m_undo.CanRedo()) {
        const BOOL placeCaret = bSetCaret && (pAction->m_dwType & KTVP_REASON_DROP) == 0;
        pAction = m_undo.StepForward();
        applied = ApplyUndoAction(pAction, FALSE, placeCaret);
    }
    if (bRedraw)
        RedrawRows(0, -1);
    return applied;
}

BOOL CKtvPEditModel::ApplyUndoAction(CKtvPEditUndoAction* pAction, BOOL bUndo, BOOL bSetCaret)
{
    if (pAction == nullptr)
        return FALSE;
    const DWORD kind = pAction->GetKind();
    if (kind == KTVP_UNDO_INSERT || kind == KTVP_UNDO_DELETE) {
        const int offset = std::clamp(pAction->m_nOffset, 0, m_text.GetLength());
        const bool removes = (kind == KTVP_UNDO_INSERT) == (bUndo != FALSE);
        int caretTarget = 0;
        if ((pAction->m_dwMode & KTVP_UNDO_MODE_OVERWRITE) != 0 && kind == KTVP_UNDO_INSERT) {
            // The character in the text and the one kept in the action trade places.
            const CString strCurrent = m_text.Mid(offset, m_text.NextChar(offset) - offset);
            const CString strStored = pAction->m_strText;
            ChangeDelete(offset, offset + strCurrent.GetLength());
            ChangeInsert(offset, strStored, FALSE);
            pAction->m_strText = strCurrent;
            OnTextChanged(offset, strStored, TRUE);
            caretTarget = bUndo ? std::min(pAction->m_nCaret, m_text.GetLength()) : offset + strStored.GetLength();
        } else if (removes) {
            const int end = std::min(offset + pAction->m_strText.GetLength(), m_text.GetLength());
            CanDeleteText(offset, pAction->m_strText);
            ChangeDelete(offset, end);
            OnTextChanged(offset, pAction->m_strText, FALSE);
            caretTarget = std::clamp(pAction->m_nCaret, 0, m_text.GetLength());
        } else {
            CanInsertText(pAction->m_strText, offset);
            ChangeInsert(offset, pAction->m_strText, TRUE);
            OnTextChanged(offset, pAction->m_strText, TRUE);
            caretTarget = offset + pAction->m_strText.GetLength();
        }
        m_nCaretOffset = caretTarget;
        if (bSetCaret)
            SetCaret(caretTarget, TRUE, TRUE);
    } else if (kind == KTVP_UNDO_CUSTOM) {
        if (auto* pLines = dynamic_cast<CKtvPUndoLinesData*>(pAction->m_pData))
            UndoIndentRecord(*pLines, bUndo);
        if (bSetCaret)
            SetCaret(std::clamp(pAction->m_nCaret, 0, m_text.GetLength()), TRUE, TRUE);
    }
    m_nSelStart = m_nSelEnd = -1;
    m_bBlockMode = FALSE;
    UpdateScrollBars();
    RecalcFirstVisibleRow();
    m_nCaretOffset = std::clamp(m_nCaretOffset, 0, m_text.GetLength());
    m_bModified = TRUE;
    return TRUE;
}
