// The edit control's window: it gives the model its font, text area, caret
// and scroll bars, turns keys, characters and the mouse into the model's
// operations, paints the text with its colouring, and reaches the
// clipboard. Everything the model decides stays in CKtvPEditModel.
#pragma once

#include <memory>
#include <vector>

#include "editctrl/KtvPEditModel.h"
#include "editctrl/KtvPOutlineParser.h"
#include "editctrl/KtvPIntelliSenseData.h"
#include "platform/comctl/commctrl.h"
#include "platform/mfc/CArray.h"
#include "platform/mfc/afxwin.h"
#include "platform/ole/oleidl.h"

class CKtvPFontTextMetrics;
class CKtvPIntelliSenseWnd;
class COleDataObject;
class COleDropTarget;
struct CPrintInfo;

// Timer of the auto-scroll while a mouse selection is dragged past an edge.
constexpr UINT_PTR KTVP_TIMER_DRAG_SCROLL = 1;
constexpr UINT KTVP_DRAG_SCROLL_INTERVAL = 100;

// The registered message sent to the parent after every change of the text.
UINT KtvPEditChangeMessage();

class CKtvPEditCtrl : public CWnd, public CKtvPEditModel {
public:
    CKtvPEditCtrl();
    ~CKtvPEditCtrl() override;

    // A child window of the control's own class.
    virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    // ---- settings text
    BOOL LoadXMLSettings(const CString& strFileName);
    BOOL LoadXMLSettingsFromBuffer(const CString& strBuffer);
    virtual BOOL LoadOutlineSettings(const CString& strContent);
    virtual BOOL LoadHyperlinkSettings(const CString& strContent);
    void SetDefaultSelectionColors();

    COLORREF GetDefaultTextColor() const override;
    COLORREF GetDefaultBackColor() const override;

    // ---- the window's hooks of the model
    void SetTextArea(const RECT& rect) override;
    void RedrawRows(int nFirstRow, int nLastRow) override;
    void RedrawTextRange(int nStart, int nEnd) override;
    void RedrawMarkerCell(int nLine, BOOL bWholeRow) override;
    void OnSetCaret() override;
    void UpdateScrollBars() override;
    BOOL ScrollText(int nBar, int nCode, int nPos) override;
    BOOL CopyTextToClipboard(LPCTSTR lpszText, int nLength) override;
    BOOL GetClipboardText(CString& strText, BOOL& bBlock) override;
    BOOL IsClipboardTextAvailable() override;
    void OnTextChanged(int nOffset, LPCTSTR lpszText, BOOL bInserted) override;
    void OnFailedOperation(DWORD dwCode) override;

    // ---- places of the IntelliSense, outlining, hyperlink and view layers,
    // with the answers the control gives without them.
    virtual BOOL OnBeforeInvokeIntelliSense() { return FALSE; }
    virtual BOOL InvokeIntelliSense();
    virtual BOOL IsOutliningEnabled() const { return m_bOutlining; }
    virtual BOOL IsHyperlinkSupportEnabled() const { return m_bEnableHyperlinkSupport; }
    virtual BOOL OnGetWordColor(int /*nOffset*/, int /*nWordEnd*/, COLORREF& /*clrText*/, COLORREF& /*clrBack*/,
                                BOOL /*bColorSet*/)
    {
        return FALSE;
    }
    virtual void OnGetCharColor(TCHAR /*ch*/, int /*nOffset*/, COLORREF& /*clrText*/, COLORREF& /*clrBack*/) {}

    // ---- IntelliSense and symbols. The owner fills the lists; the
    // control opens them at the caret and runs the replacement hook.
    BOOL EnableIntelliSense(BOOL bOn);
    virtual BOOL FillIntelliSenseList(CObList& list, LPCTSTR lpszWord);
    virtual BOOL FillIntelliSenseListAt(int& nOffset, CObList& list);
    virtual BOOL FindWordBeforePos(LPCTSTR lpszText, int& nOffset, CString& strWord);
    virtual BOOL OnInsertIntelliSenseItem(int nIndex, CKtvPIntelliSenseData* pItem, CString& strText);
    // Takes the list's items when it opens; FALSE for an empty list.
    virtual BOOL ShowIntelliSenseWnd(CObList& list, int x, int y);
    virtual BOOL OnIntelliSenseChar(LPCTSTR lpszText, int nOffset, UINT nChar, CString& strReplacement);
    virtual BOOL OnDrawSymbol(CDC* pDC, int x, int y, int nRight, int nBottom, const CKtvPEditSymbol& symbol);
    virtual BOOL LookupSymbol(LPCTSTR lpszText, int nPos, int nLength, TCHAR ch, CKtvPEditSymbol* pSymbol,
                              int& nExtraLength, BOOL bForward);
    virtual BOOL FillSymbolsList(int nOffset, CObList& list);
    virtual BOOL InvokeSymbolsList();
    virtual BOOL ShowSymbolsWnd(CObList& list, int x, int y);
    virtual int FindSymbolAt(LPCTSTR lpszText, int nOffset, BOOL bForward);
    // Switching symbols or their images changes the row height: the
    // measures are taken again and the window redrawn.
    void ShowSymbols(BOOL bShow);
    void SetSymbolImageList(HIMAGELIST hImageList);
    // With symbols shown, each symbol is one cell as wide as its image.
    int GetCellAt(int nOffset, int& nWidth) const override;
    int GetMinimumRowHeight() const override;
    BOOL InsertChar(UINT nChar, BOOL bRedraw = TRUE) override;
    BOOL Undo(BOOL bSetCaret = TRUE, BOOL bRedraw = TRUE) override;
    BOOL Redo(BOOL bSetCaret = TRUE, BOOL bRedraw = TRUE) override;
    // A popup going away: the link is cleared only when it names that popup.
    void OnIntelliSenseWndGone(CKtvPIntelliSenseWnd* pWnd);

    CKtvPIntelliSenseWnd* m_pIntelliSenseWnd = nullptr;
    BOOL m_bIntelliSenseOpen = FALSE;
    CFont* m_pIntelliSenseFont = nullptr;
    HIMAGELIST m_hIntelliSenseImageList = nullptr;
    HIMAGELIST m_hSymbolImageList = nullptr;
    BOOL m_bEnableIntelliSense = FALSE;
    BOOL m_bInsertingIntelliSense = FALSE;
    BOOL m_bShowSymbols = FALSE;
    CArray<CKtvPEditSymbol, const CKtvPEditSymbol&> m_arrSymbols;

    // ---- find and replace, and the text as a file stores it
    virtual BOOL FindText(LPCTSTR lpszFind, BOOL bDown, BOOL bMatchCase, BOOL bWholeWord);
    virtual BOOL ReplaceText(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bDown, BOOL bMatchCase, BOOL bWholeWord);
    // The number of replacements.
    virtual int ReplaceAll(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bDown, BOOL bMatchCase, BOOL bWholeWord);
    // Loading takes the file by its length; storing writes CR LF row ends.
    void Serialize(CArchive& ar) override;
    // FALSE after a file error, which the framework's message box reports.
    BOOL SerializeText(CArchive& ar);
    // Replaces the text with bytes that may hold NULs, as loaded text.
    BOOL SetTextBytes(const char* pData, int nLength);
    // WM_GETDLGCODE's answer; -1 leaves it to the default window procedure.
    int m_nDlgCode = DLGC_WANTALLKEYS;

    // ---- outlining: blocks the outline parser finds fold to one
    // replacement text; the rows they hide leave the view and its scrolling.
    void EnableOutlining(BOOL bOn);
    virtual CKtvPOutlineParser* CreateOutlineParser();
    CKtvPOutlineParser* GetOutlineParser() const { return m_pOutlineParser.get(); }
    CKtvPOutlineNode& GetOutlineRoot() { return m_outlineRoot; }
    // The whole text parsed again into an empty tree (folds are lost).
    void ReparseOutline();
    // The model's text replacement; the old text's blocks go with it.
    BOOL SetText(LPCTSTR lpszText);
    virtual void OnDrawOutlineButton(CDC* pDC, const RECT& rect, const CKtvPOutlineNode* pNode, BOOL bLineFromTop,
                                     BOOL bLineToBottom, BOOL bEndTick);
    virtual void CalcCollapsedBlockRect(CDC* pDC, int x, int y, CKtvPOutlineNode* pNode);
    virtual void OnDrawCollapsedBlock(CDC* pDC, CKtvPOutlineNode* pNode, COLORREF clrFrame, COLORREF clrBack);
    virtual BOOL ToggleOutlineNode(CKtvPOutlineNode* pNode);
    virtual BOOL ToggleOutliningAtLine(int nOffset);
    virtual void ApplyOutlineChanges(CKtvPOutlineChanges* pChanges, BOOL bRedraw);
    virtual void OnOutlineNodeInserted(CKtvPOutlineNode* /*pNode*/) {}
    virtual void OnOutlineNodeRemoved(CKtvPOutlineNode* /*pNode*/) {}
    virtual void UpdateOutlining(int nOffset, int nLength, BOOL bRedraw);
    void UpdateOutlining(int nOffset, int nLength) override;
    void UpdateOutlineOnInsert(int nStart, int nEnd) override;
    void UpdateOutlineOnDelete(int nStart, int nEnd) override;
    CKtvPOutlineNode* GetCollapsedNodeAt(int nOffset) const;
    CKtvPOutlineNode* GetCollapsedNodeInRange(int nStart, int nEnd, BOOL bForward) const;
    CKtvPOutlineNode* GetCollapsedNodeAtPoint(int x, int y, int nOffset) const;
    void UpdateHiddenRows(CKtvPOutlineChanges* pChanges);
    BOOL GetCollapsedBlockTipText(POINT pt, CString& strText) const;
    // From a row's start: the start of the next row shown (-1 at the end),
    // with the line number counting the lines a fold hides.
    int GetNextVisibleRowStart(int nRowStart, int& nLineNumber, int& nDrawnRows) const;
    // Line breaks hidden inside folded blocks.
    int GetHiddenRowCount() const;

    // Row and point arithmetic that skips folded text; without folds they
    // answer as the model does.
    int GetVisibleRowCount() const;
    int VisibleRowOfLine(int nLine) const;
    int LineOfVisibleRow(int nVisibleRow) const;
    BOOL OffsetToPoint(int nOffset, POINT& pt, POINT* pRowColumn = nullptr, int* pWantedScrollColumn = nullptr) const;
    int OffsetFromPoint(POINT& pt, BOOL bUpdatePoint = FALSE, BOOL bEvenOutside = FALSE) const;
    BOOL SetCaret(int nOffset, BOOL bScroll = TRUE, BOOL bRedraw = TRUE);
    BOOL MoveLeft(BOOL bRedraw = TRUE) override;
    BOOL MoveRight(BOOL bRedraw = TRUE) override;
    BOOL MoveUp(BOOL bKeepColumn = TRUE, BOOL bRedraw = TRUE) override;
    BOOL MoveDown(BOOL bKeepColumn = TRUE, BOOL bRedraw = TRUE) override;
    BOOL MoveHome(BOOL bRedraw = TRUE) override;
    BOOL MoveEnd(BOOL bRedraw = TRUE) override;
    BOOL PageUp(BOOL bRedraw = TRUE) override;
    BOOL PageDown(BOOL bRedraw = TRUE) override;
    BOOL MoveNextWord(BOOL bRedraw = TRUE) override;
    BOOL MovePrevWord(BOOL bRedraw = TRUE) override;

    BOOL m_bOutlining = FALSE;
    BOOL m_bAutoOutlining = FALSE;
    // Parsing after edits; every view of the program sets it itself.
    BOOL m_bOutlineOption = FALSE;
    int m_nCollapsedTipLimit = 512;

    // ---- hyperlinks and tooltips
    virtual BOOL FindHyperlink(int nStart, int nEnd, CString& strUrl, int& nUrlStart) const;
    virtual void OnHyperlinkClick(int nOffset, const CString& strUrl);
    virtual BOOL OnGetHyperlinkTip(int /*nOffset*/, CString& /*strTip*/) { return TRUE; }
    virtual BOOL OnGetTipText(CString& /*strTip*/) { return TRUE; }
    virtual BOOL GetWordTipText(POINT pt, CString& strText);
    void AddFoundHyperlink(const CString& strUrl, int nStart);
    void ClearFoundHyperlinks();
    int GetHyperlinkIndexAt(int nOffset) const;
    int GetHyperlinkCount() const { return static_cast<int>(m_arrHyperlinks.size()); }
    int GetHotHyperlink() const { return m_nHotLink; }
    BOOL GetHyperlinkTipText(CString& strText);
    void ActivateToolTips(BOOL bOn);
    BOOL AreToolTipsActive() const { return m_bToolTipsActive; }
    void HideToolTip();
    HWND GetToolTipWindow() const { return m_hToolTip; }
    void CreateHyperlinkFont();
    static void EscapeHtmlText(CString& strText);
    // The text the tooltip shows now (shared by the thread's controls).
    static const CString& GetTipBuffer();

    int m_nTipMaxWidth = -1;

    // ---- painting steps
    // The whole client area, as WM_PAINT shows it, onto any DC.
    void PaintClient(CDC* pDC);
    virtual void OnFillBackground(CDC* pDC);
    virtual void OnDraw(CDC* pDC);
    virtual void OnDrawSideBar(CDC* pDC, CRect rect);
    virtual void OnDrawLineNumbersBar(CDC* pDC, CRect rect);
    virtual void OnDrawMarker(CDC* pDC, CRect rect, const CKtvPEditMarker* pMarker);
    virtual void OnDrawLineNumber(CDC* pDC, CRect rect, int nRow);
    virtual int OnDrawText(CDC* pDC, const CString& strText, CRect rect, int nTabOrigin);

    // ---- printing: the view's printing steps, once per job and per page.
    // The printer font for the job; NULL when the printer DC's own font prints.
    virtual HFONT OnBeginPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrint(CDC* pDC, CPrintInfo* pInfo);
    // Page pInfo->m_nCurPage; the page holding the last row ends the job.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);

    HFONT m_hPrinterFont = nullptr;
    // The printer font OnBeginPrint made, which OnEndPrint deletes.
    HFONT m_hCreatedPrinterFont = nullptr;

    // The last failure code reported, 0 when none.
    DWORD GetLastFailure() const { return m_dwLastFailure; }

    COLORREF m_clrSelBack = 0;
    COLORREF m_clrSelText = 0;
    COLORREF m_clrSelBackUnfocused = 0;
    COLORREF m_clrSelTextUnfocused = 0;
    COLORREF m_clrHyperlink = 0;
    BOOL m_bEnableHyperlinkSupport = FALSE;
    BOOL m_bHighlightHyperlinks = TRUE;
    CStringArray m_arrUrlPrefixes;

    // Whether a mouse selection is being dragged.
    BOOL IsSelectingByMouse() const { return m_bSelectingByMouse; }
    // Whether the selection's text is being dragged from this control.
    BOOL IsDraggingText() const { return m_bDraggingText || m_bOleDragFromHere; }
    BOOL IsPointInSelection(POINT pt) const;
    // The drop into this control of text dragged from another one: inserted
    // at the point and selected. FALSE when refused.
    virtual BOOL DropText(const CString& strText, POINT ptClient);
    // Drag and drop through OLE, once the thread has started OLE: the drop
    // target's calls for data offering CF_TEXT or "KTVP_TEXT", at client points.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave();
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreateWindow();
    void OnSize();
    void OnPaint();
    void OnSetFont(HFONT hFont, BOOL bRedraw);
    void OnFocusChanged(BOOL bGotFocus);
    void OnKeyDown(UINT nVirtKey);
    void OnCharMessage(UINT nChar);
    void OnButtonDown(UINT nFlags, CPoint point);
    void OnButtonDoubleClick(CPoint point);
    void OnRightButtonDown(CPoint point);
    LRESULT OnMouseWheel(int nDelta);
    BOOL OnSetCursor();
    void OnMouseMoveMessage(CPoint point);
    void OnButtonUp();
    void OnDragScrollTimer();
    void EndTextDrag(CPoint point);
    BOOL MoveTextWithin(const CString& strText, int nLow, int nHigh, int nDropOffset, BOOL bCopy);
    void TreatAsClick(CPoint point);
    BOOL RegisterDropTarget();
    // FALSE without OLE on the thread: the drag is then left to the mouse messages.
    BOOL StartOleTextDrag(CPoint point);
    BOOL ExtendMouseSelection(CPoint point);
    LRESULT OnScrollMessage(int nBar, WPARAM wParam);

    void OnIntelliSenseTrigger();
    // The length of the symbol the text shows from the offset, 0 when none.
    int SymbolAt(int nOffset, CKtvPEditSymbol* pSymbol) const;
    int SymbolCellWidth() const;
    // The start of the cell (a character or a symbol) holding the character
    // before the offset, as the row is drawn; nEnd gets the cell's end.
    int CellBefore(int nOffset, int& nEnd) const;
    // Rows hold cells wider than their characters: moves go by points.
    BOOL HasVisualCells() const { return m_bShowSymbols || !GetFoldSpans().empty(); }
    void DrawSymbolCell(CDC* pDC, int x, int y, int nRowHeight, const CKtvPEditSymbol& symbol);
    CPoint ScreenPointOfOffset(int nOffset) const;
    BOOL OpenPopup(CObList& list, int x, int y, HIMAGELIST hImageList, CRuntimeClass* pListBoxClass);
    void CloseIntelliSenseWnd(BOOL bAtOnce);
    BOOL SearchFromCaret(LPCTSTR lpszFind, BOOL bDown, BOOL bMatchCase, BOOL bWholeWord, int& nOffset) const;
    // The selection when it is exactly an occurrence that a find selected
    // (not the text a replacement has just put in).
    BOOL SelectedOccurrence(LPCTSTR lpszFind, BOOL bMatchCase, BOOL bWholeWord, int& nOffset) const;
    // Where the last replacement's text stands; -1: none since the last find.
    int m_nReplacedStart = -1;
    int m_nReplacedEnd = -1;
    BOOL ReplaceAt(int nOffset, int nLength, const CString& strReplace, BOOL bRedraw, BOOL bGroupWithNext);
    // ---- outlining and hyperlinks inside the window
    struct FoldSpan {
        int nStart;
        int nEnd;
        int nLine;    // the line the fold starts on
        int nHidden;  // line breaks it hides
        CKtvPOutlineNode* pNode;
    };
    const std::vector<FoldSpan>& GetFoldSpans() const;
    void InvalidateFolds() { m_bFoldSpansValid = false; }
    void ReplaceOutline(BOOL bParse);
    void ResyncViewWithFolds();
    int VisualRowStart(int nVisibleRow) const;
    int VisualRowLimit(int nVisibleRow) const;
    int FoldWidth(const CKtvPOutlineNode* pNode) const;
    const FoldSpan* FoldStartingAt(int nOffset) const;
    const FoldSpan* FoldContaining(int nOffset) const;
    int MeasureVisualRow(int nRowStart, int nOffset) const;
    BOOL ScrollVertically(int nCode, int nPos);
    void KeepCaretInView();
    void PlaceCaretPastFolds();
    RECT GetOutlineMarginRect() const;
    BOOL OnOutlineMarginClick(CPoint point);
    void OnDrawOutlineBar(CDC* pDC, CRect rect);
    void CreateToolTip();
    BOOL ChooseTipText(POINT pt, CString& strText, BOOL& bWide);
    BOOL OnNeedToolTipText(NMHDR* pHeader);
    void UpdateTipOnMouseMove(CPoint point);
    void UpdateHotLink(POINT pt);
    void RelayToToolTip(UINT message, WPARAM wParam, LPARAM lParam);

    void ApplyFontMetrics();
    void CreateEditCaret();
    RECT ComputeTextArea() const;
    int RowTop(int nVisibleRow) const;

private:
    std::unique_ptr<CKtvPFontTextMetrics> m_pFontMetrics;
    HFONT m_hFont = nullptr;
    DWORD m_dwLastFailure = 0;
    BOOL m_bSelectingByMouse = FALSE;
    BOOL m_bDragTimer = FALSE;
    CPoint m_ptLastMouse;
    BOOL m_bDraggingText = FALSE;
    CPoint m_ptDragStart;
    std::shared_ptr<COleDropTarget> m_pDropTarget;
    // Where a drop into this control put the text, -1 otherwise.
    int m_nDropOffset = -1;
    BOOL m_bOleDragFromHere = FALSE;

    CKtvPOutlineNode m_outlineRoot;
    std::unique_ptr<CKtvPOutlineParser> m_pOutlineParser;
    mutable std::vector<FoldSpan> m_foldSpans;
    mutable bool m_bFoldSpansValid = false;

    struct FoundLink {
        CString strUrl;
        int nStart;
    };
    std::vector<FoundLink> m_arrHyperlinks;
    int m_nHotLink = -1;
    CFont m_fontHyperlink;
    HCURSOR m_hLinkCursor = nullptr;
    HWND m_hToolTip = nullptr;
    BOOL m_bToolTipsActive = FALSE;
    CString m_strLastTip;
    BOOL m_bTipPopped = FALSE;
};
