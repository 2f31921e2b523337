// The library's MDI main window: the MDI client with its tab window, the
// frame implementation and a dock manager on top of the framework's MDI
// frame. Bars lay out through the dock manager, the menu bar replaces the
// window menu, keys and clicks pass the frame implementation while library
// menus are open, and the Window menu lists the open children.
#pragma once

#include "platform/mfc/CMDIFrameWnd.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPMainClientAreaWnd.h"

class CCmdUI;

class CKtvPMDIFrameWnd : public CMDIFrameWnd, public CKtvPFrameHooks {
    DECLARE_DYNCREATE(CKtvPMDIFrameWnd)
public:
    CKtvPMDIFrameWnd();
    ~CKtvPMDIFrameWnd() override;

    // --- hook virtuals, in slot order ----------------------------------------------------------
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    BOOL OnMoveMiniFrame(CWnd* pFrame) override;
    BOOL OnSetMenu(HMENU hmenu) override;
    BOOL OnShowCustomizeMenu(CKtvPPopupMenu* pMenuPopup, UINT uiToolbarID) override;
    void OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup) override;
    BOOL ShowControlBars(BOOL bShow) override;
    void AdjustClientArea() override;
    COleClientItem* GetInPlaceActiveItem() override;

    // The hooks' own answers stand for this frame too: popups shown, no menu
    // image, tooltip or logo of its own, the MDI client painting itself, no
    // reserved hook, tear-offs and closes not vetoed.

    // --- hooks' access ---------------------------------------------------------------------------
    CFrameWnd* GetHookedFrame() override { return this; }
    CKtvPDockManager* GetDockManager() override { return &m_dockManager; }
    CKtvPFrameImpl* GetFrameImpl() override { return &m_Impl; }

    // --- set up by the application ----------------------------------------------------------------
    void EnableMDITabs(BOOL bEnable = TRUE, BOOL bIcons = TRUE, int location = CKtvPTabWnd::LOCATION_TOP,
                       BOOL bTabCloseButton = FALSE, int style = CKtvPTabWnd::TABSTYLE_3D_SCROLLED);
    void EnableWindowsDialog(UINT uiMenuId, LPCTSTR lpszMenuText, BOOL bShowAlways = FALSE,
                             BOOL bShowHelpButton = FALSE);
    void EnableWindowsDialog(UINT uiMenuId, UINT uiMenuTextResId, BOOL bShowAlways = FALSE,
                             BOOL bShowHelpButton = FALSE);
    void ShowWindowsDialog();
    BOOL EnableDocking(DWORD dwDockStyle);
    BOOL EnableAutoHideBars(DWORD dwDockStyle);

    // --- docking, forwarded to the dock manager -----------------------------------------------
    BOOL AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail = TRUE) override;
    BOOL InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget,
                          BOOL bAfter = TRUE) override;
    void RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy = TRUE,
                                         BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE) override;
    void DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr) override;
    BOOL DockControlBarLeftOf(CKtvPControlBar* pBar, CKtvPControlBar* pLeftOf);
    CKtvPBaseControlBar* GetControlBar(UINT nID) override;
    CKtvPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                             CRuntimeClass* pRTCBarType) override;
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) override;
    void ShowControlBar(CKtvPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate) override;
    BOOL ShowPopupMenu(CKtvPPopupMenu* pMenuPopup) override;

    // --- framework overrides ---------------------------------------------------------------------
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    HMENU GetWindowMenuPopup(HMENU hMenuBar) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
    void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CKtvPMainClientAreaWnd m_wndClientArea;
    HMENU m_hmenuWindow;
    CKtvPFrameImpl m_Impl;
    CKtvPDockManager m_dockManager;
    BOOL m_bContextHelp;
    BOOL m_bDoSubclass;
    UINT m_uiWindowsDlgMenuId;
    CString m_strWindowsDlgMenuText;
    BOOL m_bShowWindowsDlgAlways;
    BOOL m_bShowWindowsDlgHelpButton;
    BOOL m_bWasMaximized;
    BOOL m_bIsMinimized;
    BOOL m_bClosing;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnClose();
    void OnDestroy();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSizing(WPARAM wParam, LPARAM lParam);
    LRESULT OnExitSizeMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    void OnContextHelp();
    void OnWindowNew();
    BOOL OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);

private:
    // The popup holds the Window commands.
    static BOOL IsWindowMenu(HMENU hMenu);
    // The open children and "Windows..." below the Window menu's own commands.
    void AppendWindowList(CKtvPPopupMenu* pMenuPopup);

    DECLARE_MESSAGE_MAP()
};
