// The library's SDI main frame: the frame implementation and a dock manager
// on the framework's frame, routing keys, clicks and menus as the MDI frame
// does.
#pragma once

#include "platform/mfc/CFrameWnd.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPFrameImpl.h"

class CCmdUI;

class CKtvPFrameWnd : public CFrameWnd, public CKtvPFrameHooks {
    DECLARE_DYNCREATE(CKtvPFrameWnd)
public:
    CKtvPFrameWnd();
    ~CKtvPFrameWnd() override;

    // --- hook virtuals, in slot order ----------------------------------------------------------
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    BOOL OnMoveMiniFrame(CWnd* pFrame) override;
    void AdjustClientArea() override;
    COleClientItem* GetInPlaceActiveItem() override;
    BOOL OnShowCustomizeMenu(CKtvPPopupMenu* pMenuPopup, UINT uiToolbarID) override;
    void OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup) override;
    BOOL ShowControlBars(BOOL bShow) override;

    // The hooks' own answers stand for this frame too: popups shown, no menu
    // image, tooltip or logo of its own, no reserved hook, tear-offs and
    // closes not vetoed.

    // --- hooks' access ---------------------------------------------------------------------------
    CFrameWnd* GetHookedFrame() override { return this; }
    CKtvPDockManager* GetDockManager() override { return &m_dockManager; }
    CKtvPFrameImpl* GetFrameImpl() override { return &m_Impl; }

    // --- docking, forwarded to the dock manager -----------------------------------------------
    BOOL EnableDocking(DWORD dwDockStyle);
    BOOL EnableAutoHideBars(DWORD dwDockStyle);
    BOOL AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail = TRUE) override;
    BOOL InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget,
                          BOOL bAfter = TRUE) override;
    void RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy = TRUE,
                                         BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE) override;
    void DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr) override;
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
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
    BOOL NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) override;
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;
    void DelayUpdateFrameMenu(HMENU hMenuAlt) override;

    CKtvPFrameImpl m_Impl;
    CKtvPDockManager m_dockManager;
    BOOL m_bWasMaximized;
    BOOL m_bIsMinimized;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    void OnClose();
    void OnDestroy();
    LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSizing(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    BOOL OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
