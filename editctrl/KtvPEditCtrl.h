// The edit control's window: it gives the model its font, text area, caret
// and scroll bars, turns keys, characters and the mouse into the model's
// operations, paints the text with its colouring, and reaches the
// clipboard. Everything the model decides stays in CKtvPEditModel.
#pragma once

#include <memory>

#include "editctrl/KtvPEditModel.h"
#include "editctrl/KtvPIntelliSenseData.h"
#include "platform/comctl/commctrl.h"
#include "platform/mfc/CArray.h"
#include "platform/mfc/afxwin.h"

class CKtvPFontTextMetrics;
class CKtvPIntelliSenseWnd;

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
    virtual BOOL IsOutliningEnabled() const { return FALSE; }
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
    BOOL IsDraggingText() const { return m_bDraggingText; }
    BOOL IsPointInSelection(POINT pt) const;
    // The drop into this control of text dragged from another one: inserted
    // at the point and selected. FALSE when refused.
    virtual BOOL DropText(const CString& strText, POINT ptClient);

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
    BOOL ExtendMouseSelection(CPoint point);
    LRESULT OnScrollMessage(int nBar, WPARAM wParam);

    void OnIntelliSenseTrigger();
    CPoint ScreenPointOfOffset(int nOffset) const;
    BOOL OpenPopup(CObList& list, int x, int y, HIMAGELIST hImageList, CRuntimeClass* pListBoxClass);
    void CloseIntelliSenseWnd(BOOL bAtOnce);
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
};
