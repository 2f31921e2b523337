// The library's wrapper around a container's frame window while a server is
// active in place: the server's bars dock there through a dock manager of
// their own. Made only by the library's in-place frames.
#pragma once

#include "platform/mfc/COleCntrFrameWnd.h"
#include "platform/mfc/COleIPFrameWnd.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/frames/KtvPFrameHooks.h"

class CKtvPOleCntrFrameWnd : public COleCntrFrameWnd, public CKtvPFrameHooks {
    DECLARE_DYNAMIC(CKtvPOleCntrFrameWnd)
public:
    explicit CKtvPOleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame);
    ~CKtvPOleCntrFrameWnd() override;

    // --- hook virtuals, in slot order ----------------------------------------------------------
    BOOL ShowControlBars(BOOL bShow) override;
    // Re-negotiates the server document's border space; the HDWP is not used.
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    BOOL OnMoveMiniFrame(CWnd* pFrame) override;

    // --- hooks' access ---------------------------------------------------------------------------
    CFrameWnd* GetHookedFrame() override { return this; }
    CKtvPDockManager* GetDockManager() override { return &m_dockManager; }

    // --- docking, forwarded to the dock manager -----------------------------------------------
    BOOL AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail = TRUE) override;
    BOOL InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget,
                          BOOL bAfter = TRUE) override;
    void RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy = TRUE,
                                         BOOL bAdjustLayout = FALSE, BOOL bAutoHide = FALSE) override;
    void DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr) override;
    CKtvPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                             CRuntimeClass* pRTCBarType) override;
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) override;

    void RenegotiateBorder();

    // --- framework overrides ---------------------------------------------------------------------
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;

    // The in-place frame this wrapper serves (the framework here keeps none).
    COleIPFrameWnd* m_pInPlaceFrame;
    CKtvPDockManager m_dockManager;

protected:
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSizing(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    // Destroys the server's floating frames and bars, never the container's own windows.
    void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
