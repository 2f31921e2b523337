// A top-level window that holds views and bars: it loads its menu, keys,
// icon and title from one resource id, lays out its bars around the view,
// routes commands to the active view first, shows prompts for menu items,
// and keeps its caption active while its own floating windows have the focus.
#pragma once

#include "platform/mfc/CString.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/afxres.h"

class CDocument;
class CView;
struct CPrintPreviewState;

// Frame styles, in the bits of the window style the window system leaves to classes.
#define FWS_ADDTOTITLE 0x00008000L
#define FWS_PREFIXTITLE 0x00004000L
#define FWS_SNAPTOBARS 0x00002000L

// Mini frame styles.
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

// WM_FLOATSTATUS: what a frame tells its floating windows, and what it asks them.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// The reposition query: each bar takes its part of rect and shrinks it.
// With hDWP NULL the bars only measure (a query).
struct AFX_SIZEPARENTPARAMS {
    HDWP hDWP;
    RECT rect;
    SIZE sizeTotal;
    BOOL bStretch;
};

// Moves a child within a reposition pass: deferred when the pass defers, at once otherwise.
void AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    static const CRect rectDefault;

    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr, DWORD dwExStyle = 0,
                        CCreateContext* pContext = nullptr);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

    // --- layout -------------------------------------------------------------------------------
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2, reposNoPosLeftOver = 0x8000 };
    enum BorderCmd { borderGet = 1, borderRequest = 2, borderSet = 3 };
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
    virtual BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder);
    void DelayRecalcLayout(BOOL bNotify = TRUE);

    // --- views and documents -------------------------------------------------------------------
    virtual void ActivateFrame(int nCmdShow = -1);
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame();
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Print preview takes the frame's menu, keys, bars and view away (TRUE)
    // and gives them back (FALSE); frames with bars of their own hide and
    // show those too.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    // The menu bar the frame shows: hMenuAlt, or else its default menu.
    // DelayUpdateFrameMenu puts it up when the frame is next idle.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    virtual void DelayUpdateFrameMenu(HMENU hMenuAlt);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }

    // --- prompts --------------------------------------------------------------------------------
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    // The status bar, where prompts go; NULL without one.
    virtual CWnd* GetMessageBar();

    // --- floating windows -------------------------------------------------------------------------
    void NotifyFloatingWindows(DWORD dwFlags);

    // --- context help ---------------------------------------------------------------------------
    // Help mode: the pointer becomes the help cursor until a click (or F1) picks
    // a window, whose WM_HELPHITTEST answer is the help context, or Esc ends it.
    enum HelpMode { HELP_INACTIVE = 0, HELP_ACTIVE = 1, HELP_ENTERING = -1 };
    int m_bHelpMode = HELP_INACTIVE;
    void OnContextHelp();
    virtual BOOL CanEnterHelpMode();
    void ExitHelpMode();

    virtual HACCEL GetDefaultAccelerator();
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL IsFrameWnd() const override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

    BOOL m_bAutoMenuEnable = TRUE;  // menu items nobody handles are disabled
    int m_nWindow = 0;              // this frame's number among its document's frames; 0 alone
    HMENU m_hMenuDefault = nullptr;
    HACCEL m_hAccelTable = nullptr;
    UINT m_nIDHelp = 0;
    UINT m_nIDTracking = 0;     // the item whose prompt is asked for
    UINT m_nIDLastMessage = 0;  // the prompt shown
    CRect m_rectBorder;         // the space bars outside the frame's client took
    BOOL m_bInRecalcLayout = FALSE;
    enum IdleFlags { idleMenu = 1 };
    UINT m_nIdleFlags = 0;         // work waiting for the next idle time
    HMENU m_hMenuAlt = nullptr;    // the menu DelayUpdateFrameMenu asked for
    CView* m_pViewActive = nullptr;
    // Set while a print preview is shown in the frame: closing the frame
    // closes the preview instead.
    BOOL(CALLBACK* m_lpfnCloseProc)(CFrameWnd* pFrameWnd) = nullptr;

protected:
    CString m_strTitle;
    UINT m_nIDResource = 0;

    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    CView* FirstPaneView() const;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    virtual void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    LRESULT OnInitMenuPopupMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuSelectMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    BOOL ProcessHelpMsg(MSG& msg, DWORD_PTR* pContext);
    DWORD_PTR HelpContextAt(POINT screenPoint);
    void OnAppExit();
    DECLARE_MESSAGE_MAP()

public:
    // Whether the caption shows this frame as active.
    BOOL IsCaptionActive() const { return m_bLastNcActive; }

private:
    BOOL m_bLastNcActive = FALSE;
};
