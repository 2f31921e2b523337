// The framework's window: a C++ object attached to a window handle, whose
// messages arrive through its message map. Objects made by Create or attached
// by SubclassWindow are permanent; FromHandle answers a temporary object for a
// handle no object owns, which the thread deletes when it is next idle.
#pragma once

#include "platform/mfc/CCmdTarget.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CString.h"
#include "platform/com/OleTypes.h"

class CDC;
class CFont;
class CFrameWnd;
class CMenu;
class CRgn;
class CScrollBar;
class CFile;
struct AFX_EVENTSINKMAP;
struct CCreateContext;
struct tagTOOLINFOA;

// m_nFlags
#define WF_TOOLTIPS 0x0001
#define WF_TEMPHIDE 0x0002
#define WF_STAYDISABLED 0x0004
#define WF_MODALLOOP 0x0008
#define WF_CONTINUEMODAL 0x0010
#define WF_STAYACTIVE 0x0020
#define WF_NOPOPMSG 0x0040
#define WF_MODALDISABLE 0x0080
#define WF_OLECTLCONTAINER 0x0100
#define WF_KEEPMINIACTIVE 0x0200
#define WF_TRACKINGTOOLTIPS 0x0400

// RunModalLoop flags
#define MLF_NOIDLEMSG 0x0001
#define MLF_NOKICKIDLE 0x0002
#define MLF_SHOWONIDLE 0x0004

// Framework-only TOOLINFO flags an OnToolHitTest may set; never passed to the tooltip.
#define TTF_NOTBUTTON 0x80000000UL  // the tool is not a button
#define TTF_ALWAYSTIP 0x40000000UL  // shown even while the frame is inactive

// The window procedure of every framework window.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AfxGetAfxWndProc();
// Attaches pWnd to the next window this thread makes, before that window's first
// message, whatever its class. AfxUnhookWindowCreate answers FALSE when no window
// took the object.
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();
// Calls the object's WindowProc with the message recorded as the current one.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);

// A class name for these styles, registered on first use; the name stays valid.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
                            HICON hIcon = nullptr);
// Deletes the calling thread's temporary objects, unless they are locked.
void AfxDeleteTempMaps();
void AfxLockTempMaps();
BOOL AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd) {}
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    UINT m_nFlags = 0;
    int m_nModalResult = -1;  // what ended the window's modal loop
    // Where the window sends its commands and notifications; NULL means its parent.
    // Kept by the object for any window, child or not, apart from the system's owner.
    HWND m_hWndOwner = nullptr;

    operator HWND() const { return this ? m_hWnd : nullptr; }
    HWND GetSafeHwnd() const { return this ? m_hWnd : nullptr; }
    // For pointers that may be NULL (a missing parent, owner or main window).
    static HWND GetSafeHwndOf(const CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }
    // A creation rectangle's width or height, wrapping as the platform does:
    // a left or top of CW_USEDEFAULT with 0 beyond gives CW_USEDEFAULT.
    static int ExtentOf(LONG low, LONG high)
    {
        return static_cast<int>(static_cast<ULONG>(high) - static_cast<ULONG>(low));
    }
    BOOL operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

    // --- handle maps -------------------------------------------------------------------
    static CWnd* PASCAL FromHandle(HWND hWnd);
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // --- creation and destruction --------------------------------------------------------
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x,
                          int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                          LPVOID lpParam = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PostNcDestroy();

    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND UnsubclassWindow();
    virtual void PreSubclassWindow();
    virtual WNDPROC* GetSuperWndProcAddr();

    // --- messages --------------------------------------------------------------------------
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default();
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
    static const MSG* PASCAL GetCurrentMessage();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE,
                                  BOOL bOnlyPerm = FALSE);
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // --- styles ----------------------------------------------------------------------------
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);

    // --- relations -------------------------------------------------------------------------
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd);
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetParentOwner() const;
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    virtual BOOL IsFrameWnd() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int nID);
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const;
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
    BOOL IsChild(const CWnd* pWnd) const;
    static CWnd* PASCAL GetDesktopWindow();
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);

    // --- text --------------------------------------------------------------------------------
    void SetWindowText(LPCTSTR lpszString);
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;

    // --- position and size -------------------------------------------------------------------
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsWindowEnabled() const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsIconic() const;
    BOOL IsZoomed() const;
    void BringWindowToTop();

    // --- painting ------------------------------------------------------------------------------
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect);
    void UpdateWindow();
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE);
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
    CDC* GetDC();
    CDC* GetWindowDC();
    int ReleaseDC(CDC* pDC);
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
    void EndPaint(LPPAINTSTRUCT lpPaint);
    BOOL LockWindowUpdate();
    void UnlockWindowUpdate();

    // --- focus, capture, timers ------------------------------------------------------------------
    CWnd* SetFocus();
    static CWnd* PASCAL GetFocus();
    CWnd* SetCapture();
    static CWnd* PASCAL GetCapture();
    CWnd* SetActiveWindow();
    static CWnd* PASCAL GetActiveWindow();
    BOOL SetForegroundWindow();
    static CWnd* PASCAL GetForegroundWindow();
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // --- scroll bars -----------------------------------------------------------------------------
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    int GetScrollPos(int nBar) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
    // A scroll-bar control standing in for the window's own bar; the scroll
    // calls above then act on it. NULL (the built-in bar) by default.
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const;
    void EnableScrollBarCtrl(int nBar, BOOL bEnable = TRUE);

    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);

    // --- tooltips ----------------------------------------------------------------------------------
    // The window shows the thread's tooltip for what OnToolHitTest finds under the mouse.
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // The tool at point (client coordinates): an id, or -1 for none. The default finds a
    // child control with a non-zero id, whose text comes back through TTN_NEEDTEXT.
    // Text an override puts in pTI->lpszText (other than LPSTR_TEXTCALLBACK or a
    // resource id with hinst) is allocated with malloc; the framework frees it.
    virtual INT_PTR OnToolHitTest(CPoint point, struct tagTOOLINFOA* pTI) const;
    virtual void FilterToolTipMessage(MSG* pMsg);
    static void PASCAL CancelToolTips(BOOL bKeys = FALSE);

    // --- hosted controls (CWndCreateControl.cpp) ------------------------------------------------
    // Makes the control of the class (a CLSID, or in the string form a ProgID
    // or braced CLSID) as a child of pParentWnd and attaches this object to it.
    // Stored state, storages and licence keys are not offered: they must be NULL.
    BOOL CreateControl(REFCLSID clsid, LPCTSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID, CFile* pPersist = nullptr, BOOL bStorage = FALSE, BSTR bstrLicKey = nullptr);
    BOOL CreateControl(LPCTSTR pszClass, LPCTSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                       UINT nID, CFile* pPersist = nullptr, BOOL bStorage = FALSE, BSTR bstrLicKey = nullptr);
    // The hosted control's object (no new reference), NULL for other windows.
    IUnknown* GetControlUnknown();
    // Calls the hosted control as COleDispatchDriver calls its object.
    void InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    void SetProperty(DISPID dwDispID, VARTYPE vtProp, ...);
    void GetProperty(DISPID dwDispID, VARTYPE vtProp, void* pvProp) const;
    // The events of hosted child controls this window handles (OleEventSink.h).
    static const AFX_EVENTSINKMAP* PASCAL GetThisEventSinkMap();
    virtual const AFX_EVENTSINKMAP* GetEventSinkMap() const;

    // --- modal loops (CWndModal.cpp) -------------------------------------------------------------
    // Handles the thread's messages through PreTranslateMessage until
    // ContinueModal answers FALSE; the result EndModalLoop gave.
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);
    // Help for this window's application. There is no help engine: after the
    // usual preparations (help mode left, tracking cancelled) the user is told so.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);
    virtual void HtmlHelp(DWORD_PTR dwData, UINT nCmd = HH_HELP_CONTEXT);

protected:
    DECLARE_MESSAGE_MAP()

    // Default handlers; those a derived class does not name in its map never run.
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnMove(int x, int y);
    void OnPaint();
    void OnNcPaint();
    void OnClose();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnEnable(BOOL bEnable);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    BOOL OnNcActivate(BOOL bActive);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    LRESULT OnNcHitTest(CPoint point);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnCancelMode();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnContextMenu(CWnd* pWnd, CPoint pos);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    void OnMouseLeave();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnRButtonDblClk(UINT nFlags, CPoint point);
    void OnMButtonDown(UINT nFlags, CPoint point);
    void OnMButtonUp(UINT nFlags, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonUp(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void OnNcRButtonDown(UINT nHitTest, CPoint point);
    void OnNcRButtonUp(UINT nHitTest, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnCaptureChanged(CWnd* pWnd);
    UINT OnGetDlgCode();
    void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
    // These hand the message back to the control that sent it before the default.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnParentNotify(UINT message, LPARAM lParam);
    void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);
    int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);

    WNDPROC m_pfnSuper = nullptr;

private:
    void PrepareForHelp();
    BOOL DispatchWindowMessage(const AFX_MSGMAP_ENTRY* entry, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* pResult);
    const AFX_MSGMAP_ENTRY* FindWindowMessageEntry(UINT message) const;
    static BOOL ReflectDragListMessage(UINT message, LPARAM lParam, LRESULT* pResult);
    CWnd* FindParentFrameWnd() const;

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};
