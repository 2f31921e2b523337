// The resizable docking pane: a caption with close and pin buttons when docked
// in the frame's split layout; dragged out it floats, dropped it docks at a
// frame edge, beside another pane or as its tab; pinned it slides in and out
// of an auto-hide strip. The program's panes derive from it.
#pragma once

#include "platform/mfc/CObArray.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "ui/docking/KtvPControlBar.h"

class CKtvPAutoHideButton;
class CKtvPAutoHideToolBar;
class CKtvPBarContainerManager;
class CKtvPBaseTabbedBar;
class CKtvPCaptionButton;
class CKtvPDockManager;
class CKtvPSlider;

class CKtvPDockingControlBar : public CKtvPControlBar {
    DECLARE_SERIAL(CKtvPDockingControlBar)
public:
    CKtvPDockingControlBar();
    ~CKtvPDockingControlBar() override;

    // --- overrides of earlier operations, in slot order --------------------------------------
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void Serialize(CArchive& ar) override;
    BOOL IsVisible() const override;
    // A pane lives in a split layout, not in a dock-bar row.
    BOOL IsResizable() const override { return TRUE; }
    BOOL CanAcceptBar(const CKtvPBaseControlBar* pBar) const override;
    BOOL CanBeAttached() const override { return TRUE; }
    int GetCaptionHeight() const override;
    BOOL IsInMultiMiniFrame() const override;
    void ShowCaption(BOOL bShow) override;
    BOOL DockToFrameWindow(DWORD dwAlignment, LPCRECT lpRect = nullptr, DWORD dwDockFlags = 0,
                           CKtvPBaseControlBar* pRelativeBar = nullptr, int nRelativeIndex = -1,
                           BOOL bOuterEdge = FALSE) override;
    void RecalcLayout() override;
    void OnBeforeChangeParent(CWnd* pWndNewParent, BOOL bDelay = FALSE) override;
    void OnAfterChangeParent(CWnd* pWndOldParent) override;
    void ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate) override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void UndockControlBar(BOOL bDelay = FALSE) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CKtvPBaseControlBar* DockAtCursor(BOOL& bDocked) override;
    BOOL GetDockTargetAtCursor(int nSensitivity, CWnd*& pTarget) override;
    BOOL OnBeforeFloat(CRect& rectFloat, int dockMethod) override;
    void ResumeDragMode() override {}
    void DrawDragRect(LPCRECT lpRectNew, LPCRECT lpRectOld) override;
    void OnAfterDock(CKtvPBaseControlBar* pDockBar, LPCRECT lpRect, int dockMethod) override;
    BOOL Dock(CKtvPBaseControlBar* pDockBar, LPCRECT lpRect, int dockMethod) override;
    void EnterDragMode(BOOL bChangeHotPoint) override;
    void StoreRecentDockInfo() override;

    // --- virtual operations added, in slot order ---------------------------------------------
    virtual BOOL CreateWithSize(LPCTSTR lpszCaption, CWnd* pParentWnd, SIZE sizeDefault, BOOL bHasGripper,
                                UINT nID, DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwControlBarStyle);
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, BOOL bHasGripper, UINT nID,
                        DWORD dwStyle, DWORD dwTabbedStyle, DWORD dwControlBarStyle,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect,
                          BOOL bHasGripper, UINT nID, DWORD dwStyle, DWORD dwTabbedStyle,
                          DWORD dwControlBarStyle, CCreateContext* pContext = nullptr);
    virtual void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const;
    virtual BOOL IsTabLocationBottom() const { return TRUE; }
    virtual int HitTestCaption(CPoint point, BOOL bDetectCaption);
    virtual BOOL CanAcceptMiniFrame(CKtvPMiniFrameWnd* pMiniFrame) const;
    virtual BOOL IsAutoHideMode() const { return m_bAutoHideMode; }
    virtual BOOL IsSingleBar() const { return TRUE; }
    virtual BOOL IsAutoHideAllEnabled() const { return m_bEnableAutoHideAll; }
    virtual int GetDockingStatus(CPoint pt, int nSensitivity);
    virtual CKtvPDockingControlBar* AttachToTabbedBar(CKtvPDockingControlBar* pTargetBar, int dockMethod,
                                                      BOOL bSetActive,
                                                      CKtvPDockingControlBar** ppTabbedBar = nullptr);
    virtual CKtvPBaseTabbedBar* CreateTabbedControlBar();
    virtual BOOL DockNextToBar(CKtvPDockingControlBar* pTargetBar, DWORD dwAlignment, LPCRECT lpRect);
    virtual BOOL DockContainer(CKtvPBarContainerManager& manager, DWORD dwAlignment, int dockMethod);
    virtual CKtvPAutoHideToolBar* SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                                  CKtvPAutoHideToolBar* pCurrAutoHideBar = nullptr,
                                                  BOOL bUseTimer = TRUE);
    virtual BOOL HideInAutoHideMode() const { return m_bHideInAutoHideMode; }
    virtual BOOL IsNotSlidingOut() const { return !(m_bIsSliding && m_bIsHiding); }
    virtual int GetAutoHideSlideMode() const { return m_nSlideMode; }
    virtual void StoreRecentTabRelatedInfo();
    virtual void OnPressCloseButton();
    virtual void OnPressCaptionButton(UINT /*nHit*/) {}
    virtual void DrawCaption(CDC* pDC, CRect rectCaption);
    virtual void OnTrackCaptionButtons(CPoint point);
    virtual void StopCaptionButtonsTracking();
    virtual void SetCaptionButtons();
    virtual BOOL CheckAutoHideCondition();
    virtual BOOL CheckStopSlideCondition(BOOL bShow);
    virtual void OnSlide(BOOL bShow);

    using CKtvPControlBar::Create;
    using CKtvPControlBar::CreateEx;

    // --- non-virtual operations ----------------------------------------------------------------
    CKtvPSlider* GetDefaultSlider() const;
    void SetDefaultSlider(HWND hSliderWnd);
    CKtvPSlider* CreateDefaultSlider(DWORD dwAlignment, CWnd* pDockSite, CRuntimeClass* pSliderRTC = nullptr);
    void Slide(BOOL bShow, BOOL bUseTimer = TRUE);
    void UnSetAutoHideMode(CKtvPDockingControlBar* pFirstBarInGroup);
    void SetBlockAutoHide(BOOL bBlock) { m_bBlockAutoHide = bBlock; }
    void SetAutoHideParents(CKtvPAutoHideToolBar* pToolBar, CKtvPAutoHideButton* pBtn)
    {
        m_pAutoHideBar = pToolBar;
        m_pAutoHideButton = pBtn;
    }
    BOOL ReplaceControlBar(CKtvPDockingControlBar* pNewBar, int dockMethod, BOOL bRegister = FALSE);
    CKtvPCaptionButton* FindButtonByHit(UINT nHit) const;
    void EnableCaptionButton(UINT nHit, BOOL bEnable);
    CKtvPCaptionButton* FindButtonAtPoint(CPoint point) const;
    void RedrawButton(const CKtvPCaptionButton* pBtn);
    void UpdateCaptionButtonTooltips();

    CKtvPAutoHideButton* GetAutoHideButton() const { return m_pAutoHideButton; }
    CKtvPAutoHideToolBar* GetAutoHideToolBar() const { return m_pAutoHideBar; }
    CRect GetRestoredRect() const { return m_rectRestored; }
    void SetRestoredRect(const CRect& rect) { m_rectRestored = rect; }
    CRuntimeClass* GetTabbedControlBarRTC() const { return m_pTabbedControlBarRTC; }
    void SetTabbedControlBarRTC(CRuntimeClass* pClass) { m_pTabbedControlBarRTC = pClass; }
    void EnableAutoHideAll(BOOL bEnable = TRUE) { m_bEnableAutoHideAll = bEnable; }
    BOOL IsActive() const { return m_bActive; }
    BOOL IsHiding() const { return m_bIsHiding; }
    BOOL IsPreparingToFloat() const { return m_bPrepareToFloat; }
    BOOL IsSliding() const { return m_bIsSliding; }
    int GetSlideStep() const { return m_nSlideStep; }
    int GetCaptionHeightSetting() const { return m_nCaptionHeight; }
    UINT GetHotButton() const { return m_nHot; }
    UINT GetPressedButton() const { return m_nHit; }
    const CObArray& GetCaptionButtonList() const { return m_arrButtons; }
    CToolTipCtrl& GetCaptionToolTip() { return m_wndToolTip; }
    // Where DrawCaption puts the title, in window coordinates.
    CRect GetCaptionTextRect() const;

    // The drag thresholds; 0 means the system's own, asked when a drag needs it
    // (never before main, when no screen exists). Also used by the drag frame.
    static int m_nDragThresholdX;
    static int m_nDragThresholdY;
    static CSize GetDragThreshold();
    static int m_nCaptionBorder;
    static int m_nCaptionButtonsMargin;
    static BOOL m_bHideDisabledButtons;
    static BOOL m_bHideInAutoHideMode;
    static int m_nAutoHideConditionDelay;
    static int m_nSlideDelay;
    static int m_nSlideSteps;
    static BOOL m_bDisableAnimation;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnCancelMode();
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnClose();
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnSetFocus(CWnd* pOldWnd);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

    void RemoveCaptionButtons();
    CKtvPCaptionButton* ButtonAt(INT_PTR i) const;
    CKtvPDockManager* GetDockManager() const;
    BOOL IsPinApplicable() const;
    void OnPinButton();
    BOOL DockToRecentPlace(LPCRECT lpRect, int dockMethod);
    void ActivateOwnTab();
    void TakeFloatingFrameSize();
    void KillAutoHideTimers();
    int ExtentAcrossStrip(const CRect& rect) const;
    CRect RectInDockSite(const CWnd* pWnd) const;
    CRect AutoHideStripRect() const;

    BYTE m_bPrepareToFloat;
    BYTE m_bReadyToFloat;
    int m_nCaptionHeight;
    BOOL m_bHasGripper;
    BOOL m_bActive;
    CRect m_rectRedraw;

public:
    // The bar's share of its split-layout node in percent; the containers keep it.
    int m_nLastPercent;

protected:
    BOOL m_bEnableAutoHideAll;
    BOOL m_bAutoHideMode;
    UINT_PTR m_nAutoHideConditionTimerID;
    UINT_PTR m_nSlideTimerID;
    int m_nSlideStepCount;
    int m_nSlideStep;
    CRect m_rectRestored;
    BOOL m_bIsSliding;
    BOOL m_bBlockAutoHide;
    BOOL m_bIsHiding;
    int m_nSlideMode;
    CKtvPAutoHideButton* m_pAutoHideButton;
    CKtvPAutoHideToolBar* m_pAutoHideBar;
    CObArray m_arrButtons;
    CRuntimeClass* m_pTabbedControlBarRTC;
    HWND m_hDefaultSlider;
    UINT m_nHot;
    UINT m_nHit;
    BOOL m_bCaptionButtonsCaptured;
    CToolTipCtrl m_wndToolTip;
    // The docked rectangle last read from a stored layout.
    CRect m_rectLoadedDocked;
};
