// The bounded history of the edit control's changes: a cursor between the
// applied and the undone actions, a limit on the kept actions, and a save
// point that names a state of the text by sequence number, so that it stays
// true after old actions fall off or the redo tail is dropped.
#pragma once

#include <deque>
#include <functional>
#include <memory>

#include "editctrl/KtvPEditUndoAction.h"
#include "platform/mfc/CByteArray.h"

class CKtvPEditUndoList {
public:
    using RemoveHook = std::function<void(CKtvPEditUndoAction*)>;

    // The hook hears of every action before it is deleted.
    explicit CKtvPEditUndoList(RemoveHook onRemove = {});
    CKtvPEditUndoList(const CKtvPEditUndoList&) = delete;
    CKtvPEditUndoList& operator=(const CKtvPEditUndoList&) = delete;
    ~CKtvPEditUndoList();

    int GetCount() const { return static_cast<int>(m_actions.size()); }
    int GetLimit() const { return m_nLimit; }
    void SetLimit(int nLimit);

    BOOL CanUndo() const { return m_nApplied > 0; }
    BOOL CanRedo() const { return m_nApplied < GetCount(); }
    // Nothing undone: new typing may merge into the last action.
    BOOL IsAtEnd() const { return !m_actions.empty() && m_nApplied == GetCount(); }

    // Takes the action: drops the redo tail, appends, and trims the oldest
    // beyond the limit.
    void Add(std::unique_ptr<CKtvPEditUndoAction> pAction);
    // Extends the last action's text (typing merged into one step); the
    // state it stands for changes, so it gets a new sequence number.
    void AppendToLast(const CString& strText);
    // Whether the last action forms one step with the action after it.
    void SetLastGroup(BOOL bGroup)
    {
        if (!m_actions.empty())
            m_actions.back()->m_bGroup = bGroup;
    }
    void Clear();

    CKtvPEditUndoAction* GetLast() const { return m_actions.empty() ? nullptr : m_actions.back().get(); }
    // The action an Undo would replay next, and the one a Redo would.
    CKtvPEditUndoAction* PeekUndo() const { return CanUndo() ? At(m_nApplied - 1) : nullptr; }
    CKtvPEditUndoAction* PeekRedo() const { return CanRedo() ? At(m_nApplied) : nullptr; }
    // Move the cursor over one action and return it (NULL when none).
    CKtvPEditUndoAction* StepBack();
    CKtvPEditUndoAction* StepForward();
    BOOL WasLastStepUndo() const { return m_bLastStepUndo; }

    // Save point: the state the text has now counts as saved.
    void SetSavePoint() { m_nSavePoint = CurrentState(); }
    BOOL IsAtSavePoint() const { return m_nSavePoint == CurrentState(); }

    // Type words of the steps that can be undone (newest first) or redone
    // (next first); an action grouped with its follower is not listed.
    void GetUndoActionTypes(CDWordArray& arrTypes) const;
    void GetRedoActionTypes(CDWordArray& arrTypes) const;

private:
    CKtvPEditUndoAction* At(int index) const { return m_actions[static_cast<size_t>(index)].get(); }
    unsigned long long CurrentState() const;
    void Discard(std::unique_ptr<CKtvPEditUndoAction> pAction);

    std::deque<std::unique_ptr<CKtvPEditUndoAction>> m_actions;  // oldest first
    int m_nApplied = 0;
    int m_nLimit = 300;
    BOOL m_bLastStepUndo = TRUE;
    unsigned long long m_nNextSequence = 1;
    unsigned long long m_nBaseState = 0;  // the state before the oldest kept action
    unsigned long long m_nSavePoint = 0;
    RemoveHook m_onRemove;
};
