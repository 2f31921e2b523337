// One recorded change of the edit control's text, and the custom data that
// indentation and comment steps carry.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringArray.h"

// Action types; the undo reason in force is ORed into the same word.
constexpr DWORD KTVP_UNDO_INSERT = 1;
constexpr DWORD KTVP_UNDO_DELETE = 2;
constexpr DWORD KTVP_UNDO_CUSTOM = 4;
constexpr DWORD KTVP_UNDO_TYPE_MASK = 7;

// Undo reasons, set before an edit with SetUndoActionReason.
constexpr DWORD KTVP_REASON_TYPING = 256;
constexpr DWORD KTVP_REASON_CUT = 512;
constexpr DWORD KTVP_REASON_PASTE = 1024;
constexpr DWORD KTVP_REASON_DELETE = 2048;
constexpr DWORD KTVP_REASON_BACKSPACE = 4096;
constexpr DWORD KTVP_REASON_DROP = 8192;
constexpr DWORD KTVP_REASON_ENTER = 0x4000;
constexpr DWORD KTVP_REASON_INDENT = 0x8000;
constexpr DWORD KTVP_REASON_UNINDENT = 0x10000;
constexpr DWORD KTVP_REASON_TAB = 0x20000;

// Action modes: bit 1 always, bit 2 for a character typed over another.
constexpr DWORD KTVP_UNDO_MODE_NORMAL = 1;
constexpr DWORD KTVP_UNDO_MODE_OVERWRITE = 2;

class CKtvPUndoBlockData {
public:
    virtual ~CKtvPUndoBlockData() = default;

    int m_nStart = -1;
    int m_nEnd = -1;
    BOOL m_bDirection = TRUE;  // TRUE: the strings were inserted (indent, comment); FALSE: removed
};

// A step that changed several rows: per row, the string inserted into it or
// removed from it. Each string is kept with its row and its byte position in
// the row (as the row stands with the string present), so that undo and redo
// put back exactly what was recorded, whatever kind of step made it.
class CKtvPUndoLinesData : public CKtvPUndoBlockData {
public:
    // Records one row's string; position is the byte offset within the row.
    void AddLine(int nRow, int nPosInRow, const CString& strText);

    CStringArray m_arrStrings;
    CArray<int, int> m_arrRows;       // may be left empty by a caller that records strings only
    CArray<int, int> m_arrPositions;  // idem
};

class CKtvPEditUndoAction {
public:
    CKtvPEditUndoAction() = default;
    CKtvPEditUndoAction(const CKtvPEditUndoAction&) = delete;
    CKtvPEditUndoAction& operator=(const CKtvPEditUndoAction&) = delete;
    ~CKtvPEditUndoAction();

    DWORD GetKind() const { return m_dwType & KTVP_UNDO_TYPE_MASK; }

    int m_nOffset = -1;
    int m_nCaret = -1;
    DWORD m_dwType = 0;
    CString m_strText;
    CKtvPUndoBlockData* m_pData = nullptr;
    DWORD m_dwMode = KTVP_UNDO_MODE_NORMAL;
    BOOL m_bGroup = FALSE;
    BOOL m_bOwnsData = FALSE;

    // Position of the action in the history; never reused, so a save point
    // that names a dropped action can never match again.
    unsigned long long m_nSequence = 0;
};
