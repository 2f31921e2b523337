// The edit control's model: its text, the geometry that maps offsets to
// rows, columns and pixels, the caret and the selection with their moves,
// the editing primitives, the undo history and the line markers. It needs
// no window: the control's window class derives from it, gives it the text
// area and the font's measures, and overrides the drawing and notification
// hooks, which do nothing here.
//
// Offsets are byte offsets into the UTF-8 text; caret moves, deletions and
// word moves step over whole UTF-8 sequences. Columns count characters.
#pragma once

#include <atomic>
#include <memory>
#include <unordered_map>

#include "editctrl/KtvPEditColorRules.h"
#include "editctrl/KtvPEditMarkerList.h"
#include "editctrl/KtvPEditText.h"
#include "editctrl/KtvPEditUndoList.h"
#include "editctrl/KtvPTextMetrics.h"
#include "platform/mfc/CByteArray.h"
#include "platform/mfc/CString.h"

// Codes handed to OnFailedOperation.
constexpr DWORD KTVP_FAIL_UNDO = 1;
constexpr DWORD KTVP_FAIL_REDO = 2;
constexpr DWORD KTVP_FAIL_INTELLISENSE = 8;
constexpr DWORD KTVP_FAIL_MOVE_LEFT = 0x10;
constexpr DWORD KTVP_FAIL_MOVE_RIGHT = 0x20;
constexpr DWORD KTVP_FAIL_MOVE_UP = 0x40;
constexpr DWORD KTVP_FAIL_MOVE_DOWN = 0x80;
constexpr DWORD KTVP_FAIL_PAGE_UP = 0x100;
constexpr DWORD KTVP_FAIL_PAGE_DOWN = 0x200;
constexpr DWORD KTVP_FAIL_HOME = 0x400;
constexpr DWORD KTVP_FAIL_NEXT_WORD = 0x800;
constexpr DWORD KTVP_FAIL_PREV_WORD = 0x1000;
constexpr DWORD KTVP_FAIL_PREV_TAB_STOP = 0x2000;
constexpr DWORD KTVP_FAIL_COPY = 0x40000;
constexpr DWORD KTVP_FAIL_NO_SELECTION = 0x100000;
constexpr DWORD KTVP_FAIL_MAKE_SELECTION = 0x200000;
constexpr DWORD KTVP_FAIL_INDENT = 0x400000;
constexpr DWORD KTVP_FAIL_DROP = 0x800000;
constexpr DWORD KTVP_FAIL_TAB_TOO_LONG = 0x10004000;
constexpr DWORD KTVP_FAIL_JOIN_TOO_LONG = 0x10008000;
constexpr DWORD KTVP_NOTICE_LINE_BREAK = 0x11000000;
constexpr DWORD KTVP_FAIL_DELETE_AT_END = 0x20010000;
constexpr DWORD KTVP_FAIL_READ_ONLY_MODE = 0x40000004;
constexpr DWORD KTVP_FAIL_PASTE_READ_ONLY = 0x40020000;
constexpr DWORD KTVP_FAIL_PASTE_EMPTY = 0x80020000;
constexpr DWORD KTVP_FAIL_CUT_COPY = 0x80100000;

// Kinds of MakeSelection: the move that extends the selection.
enum : int {
    KTVP_SEL_PREV_WORD = 0,
    KTVP_SEL_NEXT_WORD = 1,
    KTVP_SEL_LEFT = 2,
    KTVP_SEL_RIGHT = 3,
    KTVP_SEL_UP = 4,
    KTVP_SEL_DOWN = 5,
    KTVP_SEL_PAGE_UP = 6,
    KTVP_SEL_PAGE_DOWN = 7,
    KTVP_SEL_HOME = 8,
    KTVP_SEL_END = 9,
    KTVP_SEL_TEXT_START = 10,
    KTVP_SEL_TEXT_END = 11,
    KTVP_SEL_ALL = 12,
};

class CKtvPEditModel : public CKtvPEditMarkerHooks {
public:
    CKtvPEditModel();
    CKtvPEditModel(const CKtvPEditModel&) = delete;
    CKtvPEditModel& operator=(const CKtvPEditModel&) = delete;
    ~CKtvPEditModel() override;

    // ---- text
    const CKtvPEditText& GetBuffer() const { return m_text; }
    int GetTextLength() const { return m_text.GetLength(); }
    CString GetText() const { return m_text.GetString(); }
    int GetLineFeedCount() const { return m_text.GetLineFeedCount(); }
    // Rows the view shows: line feeds, plus one for a last row without one.
    int GetVisibleRowCount() const;
    // Replaces the whole text as WM_SETTEXT does: rows are kept as they
    // are, the undo list is emptied and the new text counts as saved.
    BOOL SetText(LPCTSTR lpszText);
    // WM_GETTEXT: at most nCount - 1 bytes and a terminator, never cutting a
    // UTF-8 sequence; returns the bytes copied.
    int GetText(LPTSTR lpszBuffer, int nCount) const;

    // ---- measures and view geometry
    // NULL returns to the built-in fixed-width measures. The metrics object
    // must outlive its use here.
    void SetTextMetrics(const CKtvPTextMetrics* pMetrics);
    void RecalcTextMetrics();
    // The text area in client pixels (the client rectangle less the margins).
    virtual void SetTextArea(const RECT& rect);
    const RECT& GetTextArea() const { return m_rectText; }
    int GetPageRows() const;
    int GetPageColumns() const;
    int GetCharWidth(char32_t ch) const;
    int GetTabPixelWidth() const;
    // Pixel width of the row's text from nRowStart up to nOffset, with tabs
    // going to the next tab stop as tabbed drawing places them.
    int MeasureRowText(int nRowStart, int nOffset) const;
    // A stretch from the offset drawn as one cell (a symbol the window shows
    // as an image): its length in bytes, with its pixel width in nWidth; 0
    // when the offset starts no such stretch.
    virtual int GetCellAt(int /*nOffset*/, int& /*nWidth*/) const { return 0; }
    // The least row height the window's drawing needs besides the font's.
    virtual int GetMinimumRowHeight() const { return 0; }
    // The longest row in columns, for the horizontal scroll range.
    int GetLongestRowColumns() const { return m_nLongestRow; }

    BOOL OffsetToPoint(int nOffset, POINT& pt, POINT* pRowColumn = nullptr, int* pWantedScrollColumn = nullptr) const;
    int OffsetFromPoint(POINT& pt, BOOL bUpdatePoint = FALSE, BOOL bEvenOutside = FALSE) const;
    int GetColumnOfOffset(int nOffset, BOOL bConsiderCollapsed = FALSE) const;
    int GetOffsetOfColumn(int nColumn, int nOffsetInRow, BOOL bUpToRowEnd = TRUE,
                          BOOL bConsiderCollapsed = FALSE) const;
    int GetRowStartOffset(int nOffset, BOOL bSkipCollapsed = FALSE) const;
    int GetRowEndOffset(int nOffset, BOOL bSkipCollapsed = FALSE) const;
    int GetRowEndColumn(int nOffset, int& nRowEnd, BOOL bConsiderCollapsed = FALSE) const;
    int SkipBlanksForward(int nOffset, BOOL bStopAtCollapsed = FALSE) const;
    int GetRowStartByNumber(int nRow, BOOL bSkipCollapsed = FALSE) const;
    int OffsetToRow(int nOffset, BOOL bFromTextStart = FALSE, BOOL bVisibleOnly = TRUE) const;
    int GetVisibleRowOfLine(int nRow, BOOL bFromTextStart = TRUE) const;
    static int CountChar(LPCTSTR lpszText, TCHAR ch);
    int CountCharInRange(int nStart, int nEnd, TCHAR ch, BOOL bSkipCollapsed = FALSE) const;

    // ---- scrolling and the caret
    virtual BOOL ScrollText(int nBar, int nCode, int nPos);
    virtual void UpdateScrollBars();
    BOOL SetCaret(int nOffset, BOOL bScroll = TRUE, BOOL bRedraw = TRUE);
    virtual void OnSetCaret() {}
    virtual BOOL MoveToRememberedColumn(int nOffset, BOOL bRedraw);
    int GetCaretOffset() const { return m_nCaretOffset; }
    POINT GetCaretPoint() const { return m_ptCaret; }

    virtual BOOL ToggleInsertMode();
    virtual BOOL MoveLeft(BOOL bRedraw = TRUE);
    virtual BOOL MoveRight(BOOL bRedraw = TRUE);
    virtual BOOL MoveUp(BOOL bKeepColumn = TRUE, BOOL bRedraw = TRUE);
    virtual BOOL MoveDown(BOOL bKeepColumn = TRUE, BOOL bRedraw = TRUE);
    virtual BOOL MoveHome(BOOL bRedraw = TRUE);
    virtual BOOL MoveEnd(BOOL bRedraw = TRUE);
    virtual BOOL MoveToTextStart(BOOL bRedraw = TRUE);
    virtual BOOL MoveToTextEnd(BOOL bRedraw = TRUE);
    virtual BOOL PageUp(BOOL bRedraw = TRUE);
    virtual BOOL PageDown(BOOL bRedraw = TRUE);
    virtual BOOL MoveNextWord(BOOL bRedraw = TRUE);
    virtual BOOL MovePrevWord(BOOL bRedraw = TRUE);
    virtual BOOL MoveToPrevTabStop();

    // Overwrite mode is one flag for every edit control of the process.
    virtual void SetOverwriteMode(BOOL bOn);
    virtual BOOL GetOverwriteMode() const;

    // ---- selection
    virtual BOOL MakeSelection(int nKind);
    virtual BOOL RemoveSelection(BOOL bCaretToStart = TRUE, BOOL bKeepCaret = FALSE, BOOL bRedraw = TRUE);
    virtual void SetSel(int nStart, int nEnd, BOOL bKeepCaret = FALSE);
    virtual void SetSelection(int nStart, int nEnd, BOOL bKeepCaret = FALSE, BOOL bRedraw = TRUE);
    void GetSel(int& nStart, int& nEnd) const;
    BOOL HasSelection() const { return m_nSelStart >= 0; }
    // The word around an offset of the text (NULL: this control's text).
    BOOL GetWordBoundsAt(int nOffset, LPCTSTR lpszText, int& nStart, int& nEnd) const;
    BOOL GetWordAtOffset(int nOffset, CString& strWord) const;
    // TRUE when, of the two characters, the nearest at or before the offset
    // is the opening one and the nearest at or after it the closing one.
    BOOL FindEnclosingPair(int nOffset, TCHAR chOpen, TCHAR chClose, int& nStart, int& nEnd) const;

    // ---- keys the window forwards
    // WM_KEYDOWN with the Shift and Ctrl states: caret moves, selection,
    // Tab, Enter, Backspace, Delete, Insert and Esc. A read-only control
    // scrolls instead. FALSE when the key means nothing here.
    BOOL ProcessKeyDown(UINT nVirtKey, BOOL bShift, BOOL bCtrl);
    // Ctrl+Up and Ctrl+Down: one row of scrolling, the caret kept in view.
    BOOL ScrollLineKeepCaret(BOOL bUp);
    void NoteKeyDown(int nVirtKey);
    // A typed character (a Unicode code point): replaces the selection and
    // goes in as one undo step with it. Control characters and 127 insert
    // nothing.
    BOOL TypeChar(UINT nChar);
    BOOL Backspace();

    // ---- editing
    virtual BOOL InsertChar(UINT nChar, BOOL bRedraw = TRUE);
    virtual BOOL InsertText(LPCTSTR lpszText, int nOffset = -1, BOOL bRedraw = TRUE, BOOL bClearUndo = FALSE,
                            BOOL bMoveMarkers = TRUE, BOOL bGroup = FALSE, BOOL bNoLineBreak = TRUE);
    virtual BOOL InsertNewLine(BOOL bRedraw = TRUE, BOOL bGroup = FALSE, int nOffset = -1, BOOL bMoveCaret = TRUE);
    virtual BOOL InsertTab(BOOL bRedraw = TRUE);
    virtual BOOL DeleteChar(BOOL bRedraw = TRUE, BOOL bGroup = FALSE);
    virtual BOOL NormalizeInsertText(CString& strText);
    virtual BOOL DoInsertNewLine(BOOL bGroup, int nOffset, BOOL bMoveCaret);
    virtual void OnDeleteText(int nStart, int nEnd, LPCTSTR lpszText);
    virtual void OnInsertText(int nOffset, LPCTSTR lpszText, BOOL bMoveMarkers);
    virtual BOOL CanInsertText(LPCTSTR lpszText, int nOffset);
    virtual BOOL CanDeleteText(int nOffset, LPCTSTR lpszText);
    virtual void OnTextChanged(int nOffset, LPCTSTR lpszText, BOOL bInserted);
    // Outlining follows every change: offsets shift, then the changed range
    // is parsed again. Nothing is collapsed until outlining is switched on,
    // and here they do nothing.
    virtual void UpdateOutlineOnInsert(int nStart, int nEnd);
    virtual void UpdateOutlineOnDelete(int nStart, int nEnd);
    virtual void UpdateOutlining(int nOffset, int nLength);
    virtual void MoveMarkersOnInsert(int nLine, int nCount);
    virtual void MoveMarkersOnDelete(int nFirstLine, int nLastLine);
    BOOL DeleteText(int nStart, int nEnd, BOOL bRedraw = TRUE);
    BOOL DeleteSelectedText(BOOL bRedraw = TRUE, BOOL bCopyToClipboard = FALSE, BOOL bGroup = FALSE);
    virtual BOOL IndentSelection(BOOL bIndent);
    virtual BOOL CanIndentSelection(BOOL bIndent);
    BOOL IndentRows(int nStart, int nEnd, BOOL bIndent, BOOL bBlock, BOOL bSelect, CKtvPUndoLinesData* pData,
                    BOOL bReplay);
    // The text between the ends, in order.
    CString GetTextRange(int nStart, int nEnd) const;
    virtual BOOL InsertTextAsBlock(LPCTSTR lpszText, int nOffset = -1, BOOL bRedraw = TRUE, BOOL bClearUndo = FALSE,
                                   BOOL bMoveMarkers = TRUE, BOOL bGroup = FALSE);

    // ---- clipboard. The window reaches the clipboard through the last
    // three; the model has none, so they fail here.
    virtual BOOL Copy();
    virtual BOOL Cut();
    virtual BOOL Paste(int nOffset = -1);
    virtual BOOL Clear();
    virtual BOOL CanCopy();
    virtual BOOL CanCut();
    virtual BOOL CanPaste();
    // Text as it goes to the clipboard: with bCrLf every line feed becomes CR LF.
    static CString MakeClipboardText(LPCTSTR lpszText, int nLength, BOOL bCrLf);
    virtual BOOL CopyTextToClipboard(LPCTSTR lpszText, int nLength);
    // The clipboard's text; bBlock tells that it came as a column block.
    virtual BOOL GetClipboardText(CString& strText, BOOL& bBlock);
    virtual BOOL IsClipboardTextAvailable();

    // ---- undo
    virtual BOOL IsModified();
    virtual BOOL CanUndo();
    virtual BOOL CanRedo();
    virtual BOOL Undo(BOOL bSetCaret = TRUE, BOOL bRedraw = TRUE);
    virtual BOOL Redo(BOOL bSetCaret = TRUE, BOOL bRedraw = TRUE);
    // Takes the action whether or not it is stored.
    virtual BOOL AddUndoAction(CKtvPEditUndoAction* pAction);
    virtual BOOL AddUndoCustomAction(CKtvPUndoBlockData* pData, DWORD dwType, BOOL bOwnsData);
    virtual BOOL AddUndoCharAction(UINT nChar, DWORD dwType, int nOffset, BOOL bInsert);
    virtual BOOL AddUndoTextAction(LPCTSTR lpszText, DWORD dwType, int nOffset, BOOL bInsert, BOOL bGroup);
    virtual BOOL OnBeforeAddUndoAction(CKtvPEditUndoAction* pAction);
    virtual void OnRemoveUndoAction(CKtvPEditUndoAction* pAction);
    virtual BOOL ApplyUndoAction(CKtvPEditUndoAction* pAction, BOOL bUndo, BOOL bSetCaret);
    virtual void ClearUndoList();
    virtual void SetUndoActionReason(DWORD dwReason) { m_dwUndoReason = dwReason; }
    virtual DWORD GetUndoActionReason() const { return m_dwUndoReason; }
    void GetUndoActionTypes(CDWordArray& arrTypes) const { m_undo.GetUndoActionTypes(arrTypes); }
    void GetRedoActionTypes(CDWordArray& arrTypes) const { m_undo.GetRedoActionTypes(arrTypes); }
    const CKtvPEditUndoList& GetUndoList() const { return m_undo; }
    // Saving the text: the current state becomes the saved one.
    void SetSavePoint();

    // ---- markers
    BOOL ToggleMarker(int nLine, DWORD dwType, DWORD dwData = 0, BOOL bRedraw = TRUE, unsigned int unPriority = 0);
    POSITION SetLineColorMarker(int nLine, COLORREF clrText, COLORREF clrBack, BOOL bFullLine = TRUE,
                                int nLineCount = 0, DWORD dwType = KTVP_MARKER_LINE_COLOR,
                                unsigned int unPriority = 0);
    // Takes the marker; a reserved type is refused and the marker deleted.
    POSITION InsertMarker(CKtvPEditMarker* pMarker, int nLine = -1, BOOL bRedraw = TRUE);
    POSITION FindMarker(int nLine, CKtvPEditMarker** ppMarker, DWORD dwTypeMask) const;
    void GetMarkersInRange(int nFirstLine, CObList& list, DWORD dwTypeMask, int nLastLine = -1) const;
    void GetMarkers(CObList& list, DWORD dwTypeMask) const;
    BOOL DeleteMarker(int nLine, DWORD dwTypeMask, BOOL bRedraw = TRUE);
    void DeleteAllMarkers(DWORD dwTypeMask, BOOL bRedraw = TRUE);
    virtual POSITION FindMarkerByData(DWORD dwData) const;
    virtual void GetMarkersByData(CObList& list, DWORD dwData) const;
    virtual BOOL GoToMarker(CKtvPEditMarker* pMarker);
    virtual BOOL HasMarkers(DWORD dwTypeMask) const;
    BOOL GoToNextMarker(DWORD dwTypeMask, BOOL bForward = TRUE);
    const CKtvPEditMarkerList& GetMarkerList() const { return m_markers; }

    // ---- colouring rules (the settings reader fills them; painting asks)
    void SetWordColor(LPCTSTR lpszWord, COLORREF clrText, COLORREF clrBack, BOOL bCaseSensitive);
    CKtvPColorBlock* AddColorBlock(LPCTSTR lpszStart, LPCTSTR lpszEnd, BOOL bWholeText, COLORREF clrText,
                                   COLORREF clrBack);
    // Empties the keyword map and the colour blocks, nothing else.
    virtual void RemoveXMLSettings();
    // The word's colours with -1 replaced by the defaults.
    virtual BOOL GetWordColor(LPCTSTR lpszWord, COLORREF& clrText, COLORREF& clrBack, int nOffset);
    BOOL IsColorBlockDelimiterNear(int nOffset) const;

    // ---- colours and hooks for the window
    virtual COLORREF GetDefaultTextColor() const;
    virtual COLORREF GetDefaultBackColor() const;
    virtual void OnFailedOperation(DWORD dwCode);
    // Redraw requests. RedrawRows(0, -1) is the whole client area; a last row
    // past the text reaches the bottom of the window.
    virtual void RedrawRows(int nFirstRow, int nLastRow);
    virtual void RedrawTextRange(int nStart, int nEnd);
    virtual void RedrawMarkerCell(int nLine, BOOL bWholeRow);

    // ---- settings and state the owner reads and writes directly
    CString m_strWordDelimiters;
    CString m_strSpecialDelimiters;
    CString m_strBlanks;
    CString m_strIntelliSenseChars;
    CString m_strIndentChars;
    // The keyword map and the colour blocks, with the escape characters
    // that keep a block's end string from ending it.
    CKtvPEditColorRules m_colorRules;
    COLORREF m_clrBack = static_cast<COLORREF>(-1);
    COLORREF m_clrText = static_cast<COLORREF>(-1);
    BOOL m_bClipboardCrLf = TRUE;
    BOOL m_bCopyWholeTextWithoutSelection = FALSE;
    int m_nLineSpacing = 1;
    int m_nMarkerMarginWidth = 20;
    int m_nLineNumberMarginWidth = 40;
    int m_nOutlineMarginWidth = 20;
    int m_nIndentSize = 4;
    int m_nTabWidth = 4;
    int m_nRightScrollStep = 15;
    int m_nLeftScrollMargin = 2;
    BOOL m_bAutoIndent = TRUE;
    BOOL m_bKeepTabs = TRUE;
    BOOL m_bModified = FALSE;
    int m_nMaxLineLength = 2048;
    BOOL m_bReadOnly = FALSE;
    int m_nLastKey = -1;
    int m_nPrevKey = -1;
    int m_nRowHeight = 0;
    int m_nMaxCharWidth = 0;
    int m_nAveCharWidth = 0;
    int m_nTabPixelWidth = 0;
    BOOL m_bBlockMode = FALSE;
    BOOL m_bLineNumbers = FALSE;
    BOOL m_bOutlineMargin = FALSE;
    int m_nFirstVisibleColumn = 0;
    int m_nFirstVisibleRow = 0;
    int m_nFirstVisibleOffset = 0;
    int m_nHorzRange = 2048;
    int m_nCurrentRow = 0;
    int m_nCurrentColumn = 0;
    int m_nRememberedColumn = 0;
    int m_nSelStart = -1;  // the anchor; -1: no selection
    int m_nSelEnd = -1;    // the moving end, where the caret stands

protected:
    // The text changes every primitive and replay goes through: row
    // bookkeeping, the buffer, the longest-row measure and the notice.
    void ChangeInsert(int nOffset, const CString& strText, BOOL bMoveMarkers);
    void ChangeDelete(int nStart, int nEnd);
    CString RowIndentPrefix(int nRowStart, int nLimit) const;
    int RowLengthForLimit(int nOffset) const;
    CString IndentString() const;
    BOOL IsWordDelimiter(char ch) const;
    BOOL IsSpecialDelimiter(char ch) const;
    BOOL IsBlank(char ch) const;
    void NoteRowLength(int nRow);
    void RecalcFirstVisibleRow();
    void RedrawAfterEdit(int nOffset, BOOL bDelimiterWasNear, BOOL bRowsJoined);
    void UndoIndentRecord(CKtvPUndoLinesData& data, BOOL bUndo);
    int FirstNonBlankOfRow(int nRow) const;
    // Each returns the byte position in the row where its string went or
    // came from.
    int IndentRow(int nRow, const CString& strIndent);
    int UnindentRow(int nRow, CString& strRemoved);
    void SelectWholeRows(int nFirstRow, int nLastRow, BOOL bBackwards);
    BOOL ProcessReadOnlyKey(UINT nVirtKey, BOOL bShift);
    BOOL ProcessSelectionKey(UINT nVirtKey, BOOL bCtrl);
    BOOL ProcessEditKey(UINT nVirtKey, BOOL bShift, BOOL bCtrl);

    CKtvPEditText m_text;
    CKtvPEditUndoList m_undo;
    CKtvPEditMarkerList m_markers;
    DWORD m_dwUndoReason = 0;
    RECT m_rectText{};
    int m_nCaretOffset = 0;
    POINT m_ptCaret{};
    int m_nLongestRow = 0;

private:
    const CKtvPTextMetrics* m_pMetrics;
    CKtvPFixedTextMetrics m_fixedMetrics;
    mutable int m_asciiWidths[128];
    mutable std::unordered_map<char32_t, int> m_charWidths;

    static std::atomic<bool> s_bOverwriteMode;
};
