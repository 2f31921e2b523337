// Keys and typed characters as the edit control's model takes them.
#include <algorithm>

#include "editctrl/KtvPEditModel.h"

namespace ktvp_keys_detail {
// Virtual-key codes of the keys the control handles.
constexpr UINT kBack = 0x08;
constexpr UINT kTab = 0x09;
constexpr UINT kReturn = 0x0D;
constexpr UINT kEscape = 0x1B;
constexpr UINT kPrior = 0x21;
constexpr UINT kNext = 0x22;
constexpr UINT kEnd = 0x23;
constexpr UINT kHome = 0x24;
constexpr UINT kLeft = 0x25;
constexpr UINT kUp = 0x26;
constexpr UINT kRight = 0x27;
constexpr UINT kDown = 0x28;
constexpr UINT kInsert = 0x2D;
constexpr UINT kDelete = 0x2E;
}  // namespace ktvp_keys_detail

namespace kkd = ktvp_keys_detail;

BOOL CKtvPEditModel::ProcessKeyDown(UINT nVirtKey, BOOL bShift, BOOL bCtrl)
{
    if (m_bReadOnly)
        return ProcessReadOnlyKey(nVirtKey, bShift);
    NoteKeyDown(static_cast<int>(nVirtKey));
    const bool placesCaretFirst = (nVirtKey == kkd::kEscape && HasSelection()) || nVirtKey == kkd::kDelete ||
                                  nVirtKey == kkd::kUp || nVirtKey == kkd::kDown || nVirtKey == kkd::kPrior ||
                                  nVirtKey == kkd::kNext;
    if (placesCaretFirst) {
        POINT pt{};
        OffsetToPoint(m_nCaretOffset, pt);
        if (pt.x < m_rectText.left || pt.x >= m_rectText.right || pt.y < m_rectText.top || pt.y >= m_rectText.bottom)
            SetCaret(m_nCaretOffset, TRUE, TRUE);
    }

    if (bShift && nVirtKey >= kkd::kPrior && nVirtKey <= kkd::kDown)
        return ProcessSelectionKey(nVirtKey, bCtrl);
    return ProcessEditKey(nVirtKey, bShift, bCtrl);
}

// In a read-only control the caret keys scroll the view.
BOOL CKtvPEditModel::ProcessReadOnlyKey(UINT nVirtKey, BOOL bShift)
{
    switch (nVirtKey) {
    case kkd::kTab: return bShift ? PageUp() : PageDown();
    case kkd::kPrior: return PageUp();
    case kkd::kNext: return PageDown();
    case kkd::kHome: return MoveToTextStart();
    case kkd::kEnd: return MoveToTextEnd();
    case kkd::kLeft:
    case kkd::kRight:
    case kkd::kUp:
    case kkd::kDown: {
        const int bar = nVirtKey == kkd::kLeft || nVirtKey == kkd::kRight ? 0 : 1;
        const int code = nVirtKey == kkd::kLeft || nVirtKey == kkd::kUp ? 0 : 1;
        if (!ScrollText(bar, code, 0))
            return FALSE;
        RedrawRows(0, -1);
        return TRUE;
    }
    default: return FALSE;
    }
}

// Shift with a caret key extends the selection by that key's move.
BOOL CKtvPEditModel::ProcessSelectionKey(UINT nVirtKey, BOOL bCtrl)
{
    if (bCtrl && (nVirtKey == kkd::kUp || nVirtKey == kkd::kDown || nVirtKey == kkd::kPrior || nVirtKey == kkd::kNext))
        return FALSE;
    int kind = -1;
    switch (nVirtKey) {
    case kkd::kLeft: kind = bCtrl ? KTVP_SEL_PREV_WORD : KTVP_SEL_LEFT; break;
    case kkd::kRight: kind = bCtrl ? KTVP_SEL_NEXT_WORD : KTVP_SEL_RIGHT; break;
    case kkd::kUp: kind = KTVP_SEL_UP; break;
    case kkd::kDown: kind = KTVP_SEL_DOWN; break;
    case kkd::kPrior: kind = KTVP_SEL_PAGE_UP; break;
    case kkd::kNext: kind = KTVP_SEL_PAGE_DOWN; break;
    case kkd::kHome: kind = bCtrl ? KTVP_SEL_TEXT_START : KTVP_SEL_HOME; break;
    case kkd::kEnd: kind = bCtrl ? KTVP_SEL_TEXT_END : KTVP_SEL_END; break;
    default: break;
    }
    return MakeSelection(kind);
}

BOOL CKtvPEditModel::ProcessEditKey(UINT nVirtKey, BOOL bShift, BOOL bCtrl)
{
    switch (nVirtKey) {
    case kkd::kLeft:
        if (bCtrl) {
            RemoveSelection(TRUE, FALSE, TRUE);
            return MovePrevWord();
        }
        return RemoveSelection(TRUE, FALSE, TRUE) ? TRUE : MoveLeft();
    case kkd::kRight:
        if (bCtrl) {
            RemoveSelection(FALSE, FALSE, TRUE);
            return MoveNextWord();
        }
        return RemoveSelection(FALSE, FALSE, TRUE) ? TRUE : MoveRight();
    case kkd::kUp:
        if (bCtrl)
            return ScrollLineKeepCaret(TRUE);
        return MoveUp(!RemoveSelection(TRUE, FALSE, TRUE));
    case kkd::kDown:
        if (bCtrl)
            return ScrollLineKeepCaret(FALSE);
        return MoveDown(!RemoveSelection(FALSE, FALSE, TRUE));
    case kkd::kHome:
        RemoveSelection(TRUE, FALSE, TRUE);
        return bCtrl ? MoveToTextStart() : MoveHome();
    case kkd::kEnd:
        RemoveSelection(FALSE, FALSE, TRUE);
        return bCtrl ? MoveToTextEnd() : MoveEnd();
    case kkd::kPrior:
    case kkd::kNext:
        if (bCtrl)
            return FALSE;
        RemoveSelection(TRUE, FALSE, TRUE);
        return nVirtKey == kkd::kPrior ? PageUp() : PageDown();
    case kkd::kTab:
        if (bCtrl)
            return FALSE;
        if (bShift)
            return HasSelection() ? IndentSelection(FALSE) : MoveToPrevTabStop();
        if (HasSelection()) {
            if (CanIndentSelection(TRUE))
                return IndentSelection(TRUE);
            DeleteSelectedText(TRUE, FALSE, TRUE);
        }
        SetUndoActionReason(KTVP_REASON_TAB);
        return InsertTab();
    case kkd::kReturn: {
        if (HasSelection())
            DeleteSelectedText(TRUE, FALSE, TRUE);
        BOOL done = FALSE;
        if (GetOverwriteMode()) {
            done = MoveDown(TRUE);
            MoveHome();
        } else {
            SetUndoActionReason(KTVP_REASON_ENTER);
            done = InsertNewLine(TRUE, FALSE, -1, TRUE);
        }
        m_nRememberedColumn = GetColumnOfOffset(m_nCaretOffset);
        return done;
    }
    case kkd::kBack: return Backspace();
    case kkd::kDelete:
        SetUndoActionReason(KTVP_REASON_DELETE);
        return DeleteChar();
    case kkd::kInsert: return ToggleInsertMode();
    case kkd::kEscape: return RemoveSelection(TRUE, TRUE, TRUE);
    default: return FALSE;
    }
}

BOOL CKtvPEditModel::ScrollLineKeepCaret(BOOL bUp)
{
    if (!ScrollText(1, bUp ? 0 : 1, 0))
        return FALSE;
    RedrawRows(0, -1);
    POINT pt{};
    OffsetToPoint(m_nCaretOffset, pt);
    const int bottom = bUp ? m_rectText.bottom - 2 * m_nRowHeight : m_rectText.bottom;
    if (pt.y >= m_rectText.top && pt.y < bottom) {
        SetCaret(m_nCaretOffset, FALSE, FALSE);
        return TRUE;
    }
    pt.y += bUp ? -m_nRowHeight : m_nRowHeight;
    const int offset = OffsetFromPoint(pt, FALSE, TRUE);
    if (offset < 0)
        return TRUE;
    if (!MoveToRememberedColumn(offset, TRUE))
        SetCaret(offset, TRUE, TRUE);
    return TRUE;
}

void CKtvPEditModel::NoteKeyDown(int nVirtKey)
{
    m_nPrevKey = m_nLastKey;
    m_nLastKey = nVirtKey;
}

BOOL CKtvPEditModel::TypeChar(UINT nChar)
{
    // Control characters, and the DEL that Ctrl+Backspace produces, are not text.
    if (nChar < 32 || nChar == 127 || m_bReadOnly)
        return FALSE;
    if (m_nSelStart >= 0)
        DeleteSelectedText(TRUE, FALSE, TRUE);
    SetUndoActionReason(KTVP_REASON_TYPING);
    return InsertChar(nChar, TRUE);
}

BOOL CKtvPEditModel::Backspace()
{
    if (m_nCaretOffset == 0 && m_nSelStart < 0)
        return FALSE;
    if (m_nSelStart >= 0) {
        SetUndoActionReason(KTVP_REASON_BACKSPACE);
        return DeleteChar(TRUE, FALSE);
    }
    const int oldOffset = m_nCaretOffset;
    POINT before{};
    OffsetToPoint(m_text.PrevChar(oldOffset), before);
    if (before.y >= m_rectText.top) {
        m_nCaretOffset = m_text.PrevChar(oldOffset);
        SetUndoActionReason(KTVP_REASON_BACKSPACE);
        if (!DeleteChar(TRUE, FALSE))
            m_nCaretOffset = oldOffset;
        SetCaret(m_nCaretOffset, TRUE, TRUE);
        return m_nCaretOffset != oldOffset;
    }
    SetCaret(m_text.PrevChar(oldOffset), TRUE, FALSE);
    SetUndoActionReason(KTVP_REASON_BACKSPACE);
    if (!DeleteChar(TRUE, FALSE)) {
        SetCaret(oldOffset, TRUE, TRUE);
        return FALSE;
    }
    return TRUE;
}
