// The floating frame that holds several docking bars in the same split layout
// that docked groups use. Bars join it by being dropped onto it; a whole frame
// merges into another one; dropped on a frame side it hands its layout over.
#pragma once

#include "ui/docking/KtvPBarContainerManager.h"
#include "ui/docking/KtvPMiniFrameWnd.h"

class CKtvPBaseTabbedBar;

class CKtvPMultiMiniFrameWnd : public CKtvPMiniFrameWnd {
    DECLARE_SERIAL(CKtvPMultiMiniFrameWnd)
public:
    CKtvPMultiMiniFrameWnd();
    ~CKtvPMultiMiniFrameWnd() override;

    // --- overrides of the floating frame, in its slot order ----------------------------------
    void Serialize(CArchive& ar) override;
    BOOL CanBeDockedToBar(const CKtvPDockingControlBar* pDockingBar) const override;
    BOOL CanBeAttached() const override;
    void AddControlBar(CKtvPBaseControlBar* pWnd) override;
    void RemoveControlBar(CKtvPBaseControlBar* pWnd, BOOL bDestroy = FALSE, BOOL bKeepWhenEmpty = FALSE) override;
    void ReplaceControlBar(CKtvPBaseControlBar* pBarOrg, CKtvPBaseControlBar* pBarReplaceWith) override;
    void CheckBarCaptions() override;
    BOOL DockWithStatus(int nStatus, CWnd* pTarget, int nDockMethod) override;
    int GetControlBarCount() const override;
    int GetVisibleBarCount() const override;
    CWnd* GetControlBar() const override;
    CWnd* GetFirstVisibleBar() const override;
    CString GetCaptionText() override;
    void CalcExpectedDockedRect(CWnd* pWndToDock, CPoint ptMouse, CRect& rectResult, BOOL& bDrawTab,
                                CKtvPDockingControlBar** ppTargetBar) override;
    CKtvPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bCheckVisibility) override;
    void AdjustLayout() override;
    void OnBarRecalcLayout() override {}
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, UINT uiID = (UINT)-1) override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, UINT uiID = (UINT)-1) override;
    void SetDockState(CKtvPDockManager* pDockManager) override;
    void StoreRecentDockInfo(CKtvPControlBar* pBar) override;
    void StoreRecentTabRelatedInfo(CKtvPDockingControlBar* pDockingBar, CKtvPDockingControlBar* pTabbedBar) override;
    void OnShowControlBar(CKtvPDockingControlBar* pBar, BOOL bShow) override;
    void CheckControlBarValid() override;
    void SetRollUpTimer() override;
    void KillRollUpTimer() override;
    void SaveRecentFloatingState() override;
    void CloseMiniFrame() override;
    CKtvPDockingControlBar* DockBarAtCursor(BOOL& bDocked) override;

    // --- virtual operations added, in slot order ---------------------------------------------
    // The two docking operations answer TRUE when nothing was docked.
    virtual BOOL DockMiniFrame(CKtvPMiniFrameWnd* pMiniFrame, int nDockMethod);
    virtual BOOL DockBarIntoFrame(CKtvPDockingControlBar* pBar);
    virtual BOOL AddRecentControlBar(CKtvPDockingControlBar* pBar);
    virtual void DockBarToMainFrame(CKtvPDockingControlBar* pBar);
    virtual BOOL RegisterFloatingBar(CKtvPDockingControlBar* pBar);

    CKtvPBarContainerManager& GetContainerManager() { return m_barContainerManager; }
    void SetLastFocusedBar(HWND hwndBar) { m_hLastFocusedBar = hwndBar; }
    HWND GetLastFocusedBar() const { return m_hLastFocusedBar; }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSizing(WPARAM wParam, LPARAM lParam);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnSetFocus(CWnd* pOldWnd);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    LRESULT OnCheckEmptyState(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    BOOL DockLayoutAtFrameSide(CKtvPDockManager* pDockManager, CKtvPBaseControlBar* pFirstBar);
    void RegisterLayoutBars();
    void ReleaseMovedBars(CKtvPBarContainerManager& manager, BOOL bLeaveFloatingMap);
    void ShowBarCaptions();
    void GatherTabs(CKtvPDockManager* pDockManager, CKtvPBaseTabbedBar* pTabbed);
    void TakeFloatingBar(CKtvPBaseControlBar* pBar, CWnd* pOwner);

    CKtvPBarContainerManager m_barContainerManager;
    HWND m_hLastFocusedBar;
};
