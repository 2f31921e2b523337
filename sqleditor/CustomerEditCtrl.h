// The SQL editors built on the syntax-colouring edit control.
//
// CCustomerEditCtrl is the editor of the query windows and repository file
// windows and the base of the command console: object-name completion,
// member lists after a qualifier, parameter tips and hover tips, the comment
// and case commands, a replace operation, its own reactions to failed edit
// operations and a marker rule.
//
// CCustomerViewEditCtrl is the plain SQL text control of tool windows and
// dialogs: the same colouring settings, no completion.
//
// Both read their keywords, blocks and colours from ".//data//DazoRer.dat"
// (relative to the working directory) when their window is created.
#pragma once

#include "editctrl/KtvPEditCtrl.h"
#include "editctrl/KtvPEditMarker.h"
#include "editctrl/KtvPEditUndoAction.h"
#include "platform/mfc/CMapStringToPtr.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringArray.h"

class CMainFrame;
class CCustomerEditIntelliFuncWnd;

// The settings file both editors load when their window is created.
#define SQLED_SETTINGS_FILE ".//data//DazoRer.dat"

// Object kinds of completion names: stored per name in m_mapObjectTypes,
// written as decimal text in m_mapMemberList and used as the image number
// of list items.
enum CompletionTypeCode : int {
    CompletionNone = 0,
    CompletionTable = 1,
    CompletionView = 2,
    CompletionProcedure = 3,
    CompletionFunction = 4,
    CompletionRule = 5,
    CompletionDefault = 6,
    CompletionTrigger = 8,
    CompletionKey = 9,
    CompletionCheck = 10,
    CompletionXPProcedure = 15,
    CompletionDatabase = 20,
    CompletionDBUser = 21,
    CompletionDatabaseOther = 22,
    CompletionDatabaseUser = 23,
    CompletionAdditional = 901,
};

// Marker types of the editor's breakpoints (no entry turns them on).
constexpr DWORD SQLED_MARKER_BREAKPOINT = 0x10000;
constexpr DWORD SQLED_MARKER_BREAKPOINT_LINE = 0x20000;
// Markers of a type with this bit stay where they are when rows are
// inserted or deleted, and are not removed with deleted rows.
constexpr DWORD SQLED_MARKER_PINNED = 0x40000;

// Failure codes the editor answers with a message box.
constexpr DWORD SQLED_FAIL_EDIT_1 = 0x10000;
constexpr DWORD SQLED_FAIL_EDIT_2 = 0x20000;
constexpr DWORD SQLED_FAIL_EDIT_4 = 0x80000;

// Undo reasons of the editor's own steps.
constexpr DWORD SQLED_UNDO_TYPING = 256;
constexpr DWORD SQLED_UNDO_COMMENT = 0x8000;
constexpr DWORD SQLED_UNDO_UNCOMMENT = 0x10000;

// A string-to-string map that also remembers the order in which its keys
// were first added: iteration follows that order. Setting a key again
// replaces its value and keeps its place.
class CSqlOrderedStringMap {
public:
    explicit CSqlOrderedStringMap(INT_PTR nBlockSize = 10) : m_map(nBlockSize) {}

    INT_PTR GetCount() const { return m_arrKeys.GetSize(); }
    BOOL IsEmpty() const { return m_arrKeys.GetSize() == 0; }
    BOOL Lookup(LPCTSTR lpszKey, CString& rValue) const { return m_map.Lookup(lpszKey, rValue); }
    void SetAt(LPCTSTR lpszKey, LPCTSTR lpszValue);
    BOOL RemoveKey(LPCTSTR lpszKey);
    void RemoveAll();
    // The entry at an index of the insertion order (0 first).
    CString GetKeyAt(INT_PTR nIndex) const { return m_arrKeys.GetAt(nIndex); }
    CString GetValueAt(INT_PTR nIndex) const;
    // Iteration in insertion order: GetNextAssoc until the position is null.
    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& rNextPosition, CString& rKey, CString& rValue) const;

private:
    CMapStringToString m_map;
    CStringArray m_arrKeys;
};

class CCustomerEditCtrl : public CKtvPEditCtrl {
public:
    CCustomerEditCtrl();
    ~CCustomerEditCtrl() override;

    // ---- overrides of the edit control
    BOOL FillIntelliSenseList(CObList& list, LPCTSTR lpszWord) override;
    void OnDrawMarker(CDC* pDC, CRect rect, const CKtvPEditMarker* pMarker) override;
    void OnGetCharColor(TCHAR ch, int nOffset, COLORREF& clrText, COLORREF& clrBack) override;
    BOOL FindWordBeforePos(LPCTSTR lpszText, int& nOffset, CString& strWord) override;
    // The typing dispatch, run after each typed character; always FALSE
    // (the editor never replaces what was typed).
    BOOL OnIntelliSenseChar(LPCTSTR lpszText, int nOffset, UINT nChar, CString& strReplacement) override;
    BOOL CanMoveMarker(CKtvPEditMarker* pMarker) override;
    BOOL CanDeleteMarker(CKtvPEditMarker* pMarker) override;
    BOOL OnGetTipText(CString& strTip) override;
    void OnFailedOperation(DWORD dwCode) override;

    // ---- parameter tips
    virtual BOOL FillFuncTipList(CObList& list, LPCTSTR lpszWord);
    virtual BOOL FillFuncTipListAt(int& nOffset, CObList& list);
    virtual BOOL FindObjectBeforeParen(LPCTSTR lpszText, int& nOffset, CString& strName);
    // Kept for derived editors; nothing calls it.
    virtual BOOL FuncTipReservedHook() { return TRUE; }
    // Opens the tip window for the list at a screen point; FALSE for an
    // empty list or when no window could be made. A tip already open
    // closes first.
    virtual BOOL ShowFuncTipWnd(CObList& list, int x, int y);
    virtual BOOL InvokeFuncTip();

    // ---- completion
    virtual BOOL IsKnownObject(LPCTSTR lpszName);
    virtual BOOL FindTipTrigger(LPCTSTR lpszText, int& nOffset, TCHAR& chTrigger);

    // ---- commands
    // Adds ("--") or removes comment marks on the selected rows (every row
    // without a selection) as one undoable step.
    BOOL CommentSelection(BOOL bComment);
    // Replaces the selected text by its upper- or lower-case form.
    BOOL ChangeSelectionCase(BOOL bUpper);
    // Replaces the offset range (both -1: the selection) by the text; an
    // empty range takes the text at its start (-1: the caret).
    BOOL ReplaceSelText(LPCTSTR lpszText, BOOL bUnused = FALSE, int nStart = -1, int nEnd = -1);
    // Removes one indent from the caret's row as one undoable step; the
    // caret keeps its place in the row's text. FALSE when there is none.
    BOOL UnindentCaretRow();
    // Puts the hover-tip dictionary's entry in place.
    void InitTipMap();

    // ---- name maps, member lists, catalogue and parameter lists
    // Refills m_mapKnownNames and m_mapObjectTypes from the main frame's
    // completion lists and the built-in catalogue.
    void RebuildNameMaps();
    BOOL GetQualifiedNameAt(LPCTSTR lpszText, int nOffset, CString& strName);
    BOOL GetPrevQualifiedName(LPCTSTR lpszText, int nOffset, CString& strName);
    // Fills m_mapMemberList with what may follow the known qualifier; 0.
    int FillMemberList(CString strName);
    void AddBuiltinNames();
    void AddMsdbNames();
    // Fills m_mapMemberList with the routine's tip entries; 0.
    int GetProcParams(CString strName);
    // The comma test of the tip: FALSE inside a string literal.
    BOOL IsOutsideQuotes();

    // ---- the tip tracking the editor's handlers run
    // After a typed character has been inserted (and a tip maybe opened).
    void TrackFuncTipChar(UINT nChar);
    // Before the base control handles a key.
    void TrackFuncTipKey(UINT nVirtKey);
    // Closes an open tip and clears both kind flags.
    void CloseFuncTip();

    // What the typing dispatch prepared for the character just typed; the
    // character handler opens it whatever the IntelliSense characters say
    // and sets it back to none. The dispatch sets OfferMemberList once
    // FillMemberList has filled m_mapMemberList for a known qualifier, and
    // OfferFuncTip once GetProcParams has put a routine's entries there (with
    // its kind flag); an empty m_mapMemberList opens nothing.
    enum PreparedOffer : int {
        OfferNone = 0,
        OfferMemberList = 1,  // m_mapMemberList holds the members after a qualifier
        OfferFuncTip = 2,     // m_mapMemberList holds a routine's tip entries
    };
    int m_nPreparedOffer = OfferNone;

    // One list item per entry of m_mapMemberList, in its order: the key as
    // text, the value as image number.
    void AddMemberListItems(CObList& list) const;

    // ---- members, all set by the constructor
    int m_bPlaceholderColors = 0;
    CSqlOrderedStringMap m_mapMemberList{10};
    CCustomerEditIntelliFuncWnd* m_pFuncTipWnd = nullptr;
    int m_bFunctionTip = 0;
    int m_bProcedureTip = 0;
    int m_bFuncTipOpen = 0;
    int m_nFuncTipStart = 0;
    int m_bMarginBreakpoints = 0;
    CMapStringToPtr m_mapObjectTypes{10};
    CMapStringToPtr m_mapKnownNames{10};
    CMapStringToString m_mapTips{10};
    CMainFrame* m_pMainFrame = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnMarginDblClk(UINT nFlags, CPoint point);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);

    // The rows from lo to hi commented or uncommented into the record;
    // FALSE in block mode.
    BOOL CommentRows(int nLow, int nHigh, BOOL bComment, BOOL bBlock, BOOL bSelect, CKtvPUndoLinesData* pData);
    // Opens what the character just typed prepared or asks for: the tip or
    // the completion list at the caret. bKindPrepared: the dispatch set a
    // tip kind for this character.
    void OpenOfferAfterChar(BOOL bKindPrepared);

    // The base control's handling of the message being handled.
    LRESULT RunBaseHandler();
    UINT m_nMsg = 0;
    WPARAM m_wParam = 0;
    LPARAM m_lParam = 0;

    // Makes a message the one being handled while it lives.
    class CurrentMessage {
    public:
        CurrentMessage(CCustomerEditCtrl& edit, UINT message, WPARAM wParam, LPARAM lParam);
        ~CurrentMessage();
        CurrentMessage(const CurrentMessage&) = delete;
        CurrentMessage& operator=(const CurrentMessage&) = delete;

    private:
        CCustomerEditCtrl& m_edit;
        UINT m_nOldMsg;
        WPARAM m_wOldParam;
        LPARAM m_lOldParam;
    };
};

class CCustomerViewEditCtrl : public CKtvPEditCtrl {
public:
    CCustomerViewEditCtrl();
    ~CCustomerViewEditCtrl() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
};
