// The library's MDI child frame: its own dock manager, so bars dock inside
// a child (never floating), and the notifications that keep the MDI tabs in
// step with the child's activation, caption and icon.
#pragma once

#include "platform/mfc/CMDIChildWnd.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/frames/KtvPFrameHooks.h"

class CKtvPMDIFrameWnd;

class CKtvPMDIChildWnd : public CMDIChildWnd, public CKtvPFrameHooks {
    DECLARE_DYNCREATE(CKtvPMDIChildWnd)
public:
    CKtvPMDIChildWnd();
    ~CKtvPMDIChildWnd() override;

    // --- hook virtuals, in slot order ----------------------------------------------------------
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    BOOL OnMoveMiniFrame(CWnd* pFrame) override;
    // The label and icon of the child's MDI tab, and whether it gets one.
    virtual CString GetFrameText() const;
    virtual HICON GetFrameIcon() const;
    virtual BOOL CanShowOnMDITabs();

    // The reserved hook answers FALSE, as the hooks' own does.

    // --- hooks' access ---------------------------------------------------------------------------
    CFrameWnd* GetHookedFrame() override { return this; }
    CKtvPDockManager* GetDockManager() override { return &m_dockManager; }

    // --- docking, forwarded to the dock manager -----------------------------------------------
    BOOL AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail = TRUE) override;
    BOOL InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget,
                          BOOL bAfter = TRUE) override;
    void RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy = TRUE,
                                         BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE) override;
    // Bars in a child never float: the float bit goes before docking.
    void DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr) override;
    CKtvPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                             CRuntimeClass* pRTCBarType) override;
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) override;
    void AdjustClientArea() override;

    // --- framework overrides ---------------------------------------------------------------------
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void ActivateFrame(int nCmdShow = -1) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CKtvPMDIFrameWnd* m_pMDIFrame;
    BOOL m_bToBeDestroyed;
    CKtvPDockManager m_dockManager;
    BOOL m_bWasMaximized;
    BOOL m_bIsMinimized;

    // Set while an activation is being handled, for every child.
    static BOOL m_bActivating;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnMDIActivateMessage(WPARAM wParam, LPARAM lParam);
    void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSizing(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
