// The small floating window that holds one control bar while it is not docked:
// a popup with a thin border, a small caption with the bar's text and caption
// buttons, roll-up to the caption, its own record in the docking layout, and
// the moves that end in docking the bar again.
#pragma once

#include "platform/mfc/CList.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/CWnd.h"
#include "ui/docking/KtvPDragFrameImpl.h"

class CCreateContext;
class CDC;
class CKtvPBaseControlBar;
class CKtvPCaptionButton;
class CKtvPControlBar;
class CKtvPDockManager;
class CKtvPDockingControlBar;

class CKtvPMiniFrameWnd : public CWnd {
    DECLARE_SERIAL(CKtvPMiniFrameWnd)
public:
    CKtvPMiniFrameWnd();
    ~CKtvPMiniFrameWnd() override;

    // --- slots of the platform window ---------------------------------------------------------
    void Serialize(CArchive& ar) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // --- virtual operations, in slot order -----------------------------------------------------
    virtual BOOL CanBeDockedToBar(const CKtvPDockingControlBar* pDockingBar) const;
    virtual BOOL IsCursorOverFrame() const;
    virtual BOOL CanRollUp() const;
    virtual int GetCaptionHeight() const { return m_nCaptionHeight; }
    virtual BOOL CanBeAttached() const;
    virtual void AddControlBar(CKtvPBaseControlBar* pWnd);
    virtual void RemoveControlBar(CKtvPBaseControlBar* pWnd, BOOL bDestroy = FALSE, BOOL bKeepWhenEmpty = FALSE);
    virtual void ReplaceControlBar(CKtvPBaseControlBar* pBarOrg, CKtvPBaseControlBar* pBarReplaceWith);
    virtual CKtvPBaseControlBar* DockFrame(BOOL& bDocked);
    virtual void CheckBarCaptions() {}
    virtual void SetCaptionButtons(DWORD dwButtons);
    virtual BOOL DockWithStatus(int nStatus, CWnd* pTarget, int nDockMethod);
    virtual void OffsetWindow(CWnd* pWnd, int dx, int dy);
    virtual BOOL CanDockAtCursor() const;
    virtual int GetControlBarCount() const;
    virtual int GetVisibleBarCount() const;
    virtual CWnd* GetControlBar() const;
    virtual CWnd* GetFirstVisibleBar() const;
    virtual void SizeToContent();
    virtual CString GetCaptionText();
    virtual void CalcBorderSize(CRect& rectBorderSize) const;
    virtual void CalcExpectedDockedRect(CWnd* pWndToDock, CPoint ptMouse, CRect& rectResult, BOOL& bDrawTab,
                                        CKtvPDockingControlBar** ppTargetBar);
    virtual CKtvPBaseControlBar* ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bCheckVisibility);
    virtual void GetCaptionRect(CRect& rectCaption) const;
    virtual void AdjustLayout();
    virtual void OnBarRecalcLayout();
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, UINT uiID = (UINT)-1);
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, UINT uiID = (UINT)-1);
    virtual void SetDockState(CKtvPDockManager* pDockManager);
    virtual void StoreRecentDockInfo(CKtvPControlBar* /*pBar*/) {}
    virtual void StoreRecentTabRelatedInfo(CKtvPDockingControlBar* /*pDockingBar*/,
                                           CKtvPDockingControlBar* /*pTabbedBar*/)
    {
    }
    virtual void OnShowControlBar(CKtvPDockingControlBar* /*pBar*/, BOOL /*bShow*/) {}
    virtual UINT HitTest(CPoint point, BOOL bDetectCaption);
    virtual void CheckControlBarValid();
    virtual void SetRollUpTimer();
    virtual void KillRollUpTimer();
    virtual BOOL Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, CCreateContext* pContext = nullptr);
    virtual void SetDragMode(BOOL bOnOff);
    virtual void EnterDragMode(HWND hWndToDelete = nullptr);
    virtual void OnDrawBorder(CDC* pDC);
    virtual void DrawCaptionButtons(CDC* pDC);
    virtual void SaveRecentFloatingState();
    virtual BOOL AskFrameBeforeClose();
    virtual void CloseMiniFrame();
    virtual void OnPressButtonUp(UINT nHit);
    virtual int GetDockingMode() const;
    virtual CKtvPDockingControlBar* DockBarAtCursor(BOOL& bDocked);
    virtual CKtvPCaptionButton* AddButton(UINT nHit);
    virtual void OnTrackCaptionButtons(CPoint point);
    virtual void StopCaptionButtonsTracking();
    virtual void CalcMinSize(CSize& sizeBase, MINMAXINFO* lpMMI);
    virtual void OnCheckRollState();
    virtual void UpdateCaptionMetrics();
    // WM_MOVING, virtual so that frames derived elsewhere can hook the system's moves.
    virtual LRESULT OnMovingFrame(WPARAM wParam, LPARAM lParam);

    using CWnd::Create;
    using CWnd::CreateEx;

    // --- non-virtual operations ----------------------------------------------------------------
    CKtvPCaptionButton* FindButton(UINT nHit) const;
    CKtvPCaptionButton* FindButtonByPoint(CPoint point) const;
    void RemoveButtons();
    void ArrangeCaptionButtons();
    void UpdateTooltips();
    void SyncTooltipTools();
    void RedrawButton(CKtvPCaptionButton* pBtn);
    void StartRollUpTimer();
    void StopRollUpTimer();
    void SetDockingTimer(UINT nElapse);
    void KillDockingTimer();
    void MoveDragFrame();
    BOOL NotifyFrameOfMove();
    BOOL MoveLoop(CWnd* pMenuWnd);

    HWND GetParentFrameHwnd() const { return m_hParentFrame; }
    CKtvPDragFrameImpl& GetDragFrameImpl() { return m_dragFrame; }
    BOOL IsRolledUp() const { return m_bRolledUp; }
    BOOL IsPinned() const { return m_bPinned; }
    void SetPinned(BOOL bPinned) { m_bPinned = bPinned; }
    BOOL IsCaptured() const { return m_bCaptured; }
    int GetDockStatus() const { return m_nDockStatus; }
    CKtvPDockingControlBar* GetDockTarget() const { return m_pDockTarget; }
    void SetIgnoreNextMove(bool bIgnore = true) { m_bIgnoreNextMove = bIgnore; }
    void SetKeepWhenEmpty(BOOL bKeep) { m_bKeepWhenEmpty = bKeep; }
    CRect GetRecentFloatingRect() const { return m_rectRecentFloat; }
    void SetRecentFloatingRect(const CRect& rect) { m_rectRecentFloat = rect; }
    UINT GetRestoredBarID() const { return m_nRestoredBarID; }
    DWORD GetCaptionButtons() const { return m_dwCaptionButtons; }

    // --- the floating frames of the process ----------------------------------------------------
    static void RedrawAll();
    static void AddRemoveBarFromGlobalList(CKtvPBaseControlBar* pBar, BOOL bAdd);
    static CKtvPBaseControlBar* FindFloatingBarByID(UINT nID);
    static const CList<HWND, HWND>& GetAllMiniFrames() { return m_lstFrames; }

    // Where the caption text goes, in window coordinates.
    CRect GetCaptionTextRect() const;
    const CObList& GetCaptionButtonList() const { return m_lstCaptionButtons; }
    UINT GetHotButton() const { return m_nHot; }
    CToolTipCtrl& GetToolTip() { return m_ToolTip; }

    // The frame a stored record's window is made for while a layout loads.
    static CWnd* m_pParentForLoad;
    static UINT m_nRollTimeOut;   // the roll-up timer period, ms
    static BOOL m_bUseSaveBits;   // CS_SAVEBITS on the window class

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnNcDestroy();
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnCancelMode();
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSizing(WPARAM wParam, LPARAM lParam);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    BOOL OnNcActivate(BOOL bActive);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnExitSizeMove(WPARAM wParam, LPARAM lParam);
    void OnClose();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    LRESULT OnCheckEmptyState(WPARAM wParam, LPARAM lParam);
    BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CKtvPBaseControlBar* GetBar() const;
    CKtvPDockManager* GetParentDockManager() const;
    BOOL HoldsToolBar() const;
    // Ends a move: capture released, moving state and the bar's drag mode left.
    void EndMove();
    void DestroyWindowKeepObject();

    bool m_bIgnoreNextMove;
    BOOL m_bActive;
    int m_nCaptionHeight;
    CObList m_lstCaptionButtons;
    DWORD m_dwCaptionButtons;
    CToolTipCtrl m_ToolTip;
    CKtvPDockingControlBar* m_pDockTarget;
    HWND m_hEmbeddedBar;
    bool m_bCaptured;
    int m_nDockStatus;
    CSize m_sizeMinSize;
    UINT m_nHit;
    UINT m_nHot;
    CRect m_rectRedraw;
    UINT_PTR m_nDockTimerID;
    UINT_PTR m_nRollTimerID;
    BOOL m_bRolledUp;
    int m_nHeightBeforeRollUp;
    BOOL m_bPinned;
    CKtvPDragFrameImpl m_dragFrame;
    BOOL m_bKeepWhenEmpty;
    HWND m_hParentFrame;
    HWND m_hWndToDelete;
    HWND m_hLastFocus;
    UINT m_nRestoredBarID;
    CRect m_rectRecentFloat;
    BOOL m_bDeleteOnNcDestroy = TRUE;

private:
    static CList<HWND, HWND> m_lstFrames;
    static CMap<UINT, UINT, HWND, HWND> m_mapFloatingBars;
};
