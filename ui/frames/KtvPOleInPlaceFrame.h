// The two in-place frames of the library, one for an OLE server and one for
// an OLE document server: while active, such a frame is the one the library
// uses as the top-level frame, and it puts the library's container-frame
// wrapper in place of the framework's so that the server's bars dock in the
// container's frame. They hold the same members and hooks and differ only in
// their framework base and in how they lay out.
#pragma once

#include "platform/mfc/COleDocIPFrameWnd.h"
#include "platform/mfc/COleIPFrameWnd.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPFrameImpl.h"

class CCmdUI;

template <class TBase>
class CKtvPOleInPlaceFrameT : public TBase, public CKtvPFrameHooks {
public:
    CKtvPOleInPlaceFrameT();
    ~CKtvPOleInPlaceFrameT() override;

    // --- hook virtuals, in slot order ----------------------------------------------------------
    BOOL ShowControlBars(BOOL bShow) override;
    void AdjustDockingLayout(HDWP hdwp = nullptr) override;
    BOOL OnMoveMiniFrame(CWnd* pFrame) override;
    BOOL OnShowCustomizeMenu(CKtvPPopupMenu* pMenuPopup, UINT uiToolbarID) override;
    void OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup) override;

    // The hooks' own answers stand for this frame too: popups shown, no menu
    // image, tooltip or logo of its own, no reserved hook, tear-offs and
    // closes not vetoed.

    // --- hooks' access ---------------------------------------------------------------------------
    CFrameWnd* GetHookedFrame() override { return this; }
    CKtvPDockManager* GetDockManager() override { return &m_dockManager; }
    CKtvPFrameImpl* GetFrameImpl() override { return &m_Impl; }

    // --- docking, forwarded to the dock manager -----------------------------------------------
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
    // The framework's in-place frame here has no such slot; the library's
    // container-frame wrapper is installed through this one.
    virtual BOOL OnCreateControlBars(CFrameWnd* pWndFrame, CFrameWnd* pWndDoc);

    CKtvPFrameImpl m_Impl;
    CKtvPDockManager m_dockManager;
    HWND m_hwndLastTopLevelFrame;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnClose();
    void OnDestroy();
    LRESULT OnMenuChar(WPARAM wParam, LPARAM lParam);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarDelete(WPARAM wParam, LPARAM lParam);
    BOOL OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    // The override goes back to the frame that held it before this one, when that still exists.
    void HandBackTopLevelFrame();
};

// The message-map entries of both kinds.
#define KTVP_ON_INPLACE_FRAME_MESSAGES()                                   \
    ON_WM_ACTIVATE()                                                       \
    ON_WM_CLOSE()                                                          \
    ON_WM_DESTROY()                                                        \
    ON_MESSAGE(WM_MENUCHAR, OnMenuChar)                                    \
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)                      \
    ON_REGISTERED_MESSAGE(KTVM_CREATETOOLBAR, OnToolbarCreateNew)          \
    ON_REGISTERED_MESSAGE(KTVM_DELETETOOLBAR, OnToolbarDelete)             \
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)                             \
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)                          \
    ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)                               \
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)          \
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)       \
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)

// Both kinds are made in KtvPOleInPlaceFrame.cpp.
extern template class CKtvPOleInPlaceFrameT<COleIPFrameWnd>;
extern template class CKtvPOleInPlaceFrameT<COleDocIPFrameWnd>;
