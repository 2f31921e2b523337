// The per-frame owner of everything that docks: the ordered edge objects
// (dock bars, auto-hide strips, sliders, directly registered bars), the
// floating frames and the auto-hidden bars; it lays them out in the frame's
// client area, answers hit tests while something is dragged, times when a
// moving floating frame docks, and saves and restores the docking layout.
#pragma once

#include <ctime>

#include "platform/mfc/CList.h"
#include "platform/mfc/CObList.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"

class CArchive;
class CFrameWnd;
class CKtvPAutoHideToolBar;
class CKtvPBaseControlBar;
class CKtvPBaseTabbedBar;
class CKtvPControlBar;
class CKtvPDockBar;
class CKtvPDockingControlBar;
class CKtvPMiniFrameWnd;
class CKtvPMultiMiniFrameWnd;
class CKtvPSlider;
class CWnd;
struct CPrintPreviewState;
struct CRuntimeClass;

// The docking mode of bars that set none (KTVP_DT_STANDARD) and of floating frames.
extern int g_nKtvDefaultDockMode;

// One auto-hidden bar as the docking layout stores it.
class KtvAutoHideBarInfo : public CObject {
public:
    KtvAutoHideBarInfo();
    KtvAutoHideBarInfo(const KtvAutoHideBarInfo& src);
    KtvAutoHideBarInfo& operator=(const KtvAutoHideBarInfo& src);
    ~KtvAutoHideBarInfo() override;

    void Serialize(CArchive& ar) override;

    int m_nBarID;
    DWORD m_dwBarAlignment;
    BOOL m_bIsVisible;
    CList<UINT, UINT> m_lstSiblingBars;  // ids of the other bars of the auto-hide group
    CRect m_rectBar;
    BOOL m_bFirstInGroup;
    BOOL m_bLastInGroup;
    BOOL m_bActiveInGroup;
    CKtvPDockingControlBar* m_pSavedBar;  // filled when the layout is applied; never stored
};

class CKtvPDockManager : public CObject {
public:
    CKtvPDockManager();
    ~CKtvPDockManager() override;

    // --- virtual operations, in slot order ---------------------------------------------------
    void Serialize(CArchive& ar) override;
    virtual CKtvPBaseControlBar* ControlBarFromPointAligned(CPoint pt, int nSensitivity, BOOL bExactBar,
                                                            DWORD& dwAlignment, CRuntimeClass* pRTCBarType,
                                                            const CKtvPBaseControlBar* pBarToIgnore = nullptr) const;
    virtual CKtvPBaseControlBar* ControlBarFromPoint(CPoint pt, int nSensitivity, BOOL bExactBar = FALSE,
                                                     CRuntimeClass* pRTCBarType = nullptr,
                                                     BOOL bVisibleOnly = FALSE,
                                                     const CKtvPBaseControlBar* pBarToIgnore = nullptr) const;
    virtual CKtvPMiniFrameWnd* FindMiniFrameAtPoint(CPoint pt, const CWnd* pWndToIgnore = nullptr,
                                                    BOOL bMultiMiniFrameOnly = FALSE) const;
    virtual int CalcDockingStatus(CPoint pt, int nSensitivity, DWORD dwEnabledAlignment,
                                  CKtvPBaseControlBar** ppTargetBar, const CKtvPBaseControlBar* pBarToIgnore,
                                  CKtvPBaseControlBar* pBarToDock);
    virtual BOOL AddMiniFrame(CKtvPMiniFrameWnd* pWnd);
    virtual BOOL RemoveMiniFrame(CKtvPMiniFrameWnd* pWnd);
    virtual CKtvPBaseControlBar* FindBarByID(UINT uBarID, BOOL bSearchMiniFrames = FALSE);
    virtual CKtvPDockBar* FindDockBar(DWORD dwAlignment, BOOL bFromHead);
    virtual CKtvPDockBar* FindDockBarByControlBar(CKtvPBaseControlBar* pTargetBar);
    virtual void AdjustDockBars();
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    virtual void AdjustDockingLayout(HDWP hdwp = nullptr);
    virtual BOOL OnMoveMiniFrame(CWnd* pFrame);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, UINT uiID = (UINT)-1);
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, UINT uiID = (UINT)-1);
    virtual void SetDockState();
    virtual BOOL ShowControlBars(BOOL bShow);
    virtual void OnActivateFrame(BOOL bActivate);
    virtual BOOL AdjustRectToClientArea(CRect& rectResult, DWORD dwAlignment);

    // --- non-virtual operations ----------------------------------------------------------------
    BOOL Create(CFrameWnd* pParentWnd);
    BOOL EnableDocking(DWORD dwStyle);
    BOOL EnableAutoHideBars(DWORD dwStyle);
    BOOL AddDockBar(DWORD dwAlignment, BOOL bAutoHide);
    BOOL AddControlBar(CKtvPBaseControlBar* pWnd, BOOL bTail = TRUE, BOOL bAutoHide = FALSE,
                       BOOL bInsertForOuterEdge = FALSE);
    BOOL InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget, BOOL bAfter = TRUE);
    void RemoveControlBarFromDockManager(CKtvPBaseControlBar* pWnd, BOOL bDestroy, BOOL bAdjustLayout,
                                         BOOL bAutoHide);
    void DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    BOOL DockControlBarLeftOf(CKtvPControlBar* pBarToDock, CKtvPControlBar* pTargetBar);
    BOOL IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge) const;
    void CalcExpectedDockedRect(CWnd* pWndToDock, CPoint ptMouse, CRect& rectResult, BOOL& bDrawTab,
                                CKtvPDockingControlBar** ppTargetBar);
    CKtvPAutoHideToolBar* AddAutoHideToolbar(CKtvPDockingControlBar* pBar,
                                             CKtvPAutoHideToolBar* pCurrAutoHideToolBar = nullptr);
    void HideAutoHideBars(CKtvPDockingControlBar* pBarToExclude = nullptr, BOOL bImmediately = FALSE);
    void AlignAutoHideBar(CKtvPSlider* pDefaultSlider, BOOL bIsVisible = TRUE);
    void BringBarsToTop(DWORD dwAlignment = 0, BOOL bExcludeDockedBars = TRUE);
    void HideBarsInList(CObList& lstBars);
    void SetPrintPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    void LockUpdate(BOOL bLock);
    void SendMessageToMiniFrames(UINT uMessage, WPARAM wParam = 0, LPARAM lParam = 0);
    void AlignByRect(const CRect& rect, CRect& rectResult, DWORD dwAlignment, BOOL bHorizontal,
                     BOOL bResizable);
    void SetAutoHideDockBarOffsets();
    // EnableDocking and EnableAutoHideBars: a dock bar or strip for each requested side not yet present.
    BOOL EnableSides(DWORD dwStyle, BOOL bAutoHide);
    // Brings back what HideBarsInList hid; floating frames are shown with the given command.
    void ShowHiddenBars(int nFrameShowCmd);

    // --- field reads and stores ----------------------------------------------------------------
    CFrameWnd* GetDockSiteFrameWnd() const { return m_pParentWnd; }
    const CObList& GetControlBars() const { return m_lstControlBars; }
    const CObList& GetMiniFrames() const { return m_lstMiniFrames; }
    const CObList& GetAutoHideSliders() const { return m_lstAutoHideSliders; }
    CRect GetClientAreaBounds() const { return m_rectClientAreaBounds; }
    CRect GetOuterEdgeBounds() const { return m_rectOuterDockArea; }
    DWORD GetEnabledAutoHideAlignment() const { return m_dwAutoHideSides; }
    DWORD GetEnabledDockingAlignment() const { return m_dwDockBarSides; }
    BOOL IsPrintPreviewValid() const { return m_bIsPrintPreviewMode; }
    BOOL IsLastLoadFailed() const { return m_bLastLoadFailed; }
    void EnableAdjustLayout(BOOL bEnable) { m_bEnableAdjustLayout = bEnable; }
    BOOL IsAdjustLayoutEnabled() const { return m_bEnableAdjustLayout; }
    void DisableRecalcLayout(BOOL bDisable) { m_bDisableRecalcLayout = bDisable; }
    void ReserveBottomBand(BOOL bReserve) { m_bReserveBottomBand = bReserve; }
    BOOL IsInAdjustLayout() const { return m_bInAdjustLayout; }
    BOOL IsHideAllBars() const { return m_bHideAllBars; }
    BOOL IsUpdateLocked() const { return m_bLockUpdate; }

    // Clock ticks a floating frame rests over a dock bar (toolbars) or a docking
    // bar, frame edge or multi mini frame before it docks.
    static int m_nToolbarDockDelay;
    static int m_nDockingBarDockDelay;
    static int m_nDefaultSlideMode;
    static int m_nDockSensitivity;
    static BOOL m_bHideAllIncludesDockingBars;
    static const TCHAR m_szSection[];

protected:
    BOOL m_bEnableAdjustLayout;
    BOOL m_bLockUpdate;
    BOOL m_bDisableRecalcLayout;
    CObList m_lstControlBars;
    CObList m_lstAutoHideSliders;
    CObList m_lstPendingBars;
    CObList m_lstPendingTabbedBars;
    CObList m_lstPendingMiniFrames;
    CObList m_lstPendingAutoHideRecords;
    CObList m_lstMiniFrames;
    CFrameWnd* m_pParentWnd;
    CRect m_rectClientAreaBounds;
    CRect m_rectOuterDockArea;
    DWORD m_dwDockBarSides;
    DWORD m_dwAutoHideSides;
    CKtvPBaseControlBar* m_pDockWaitTarget;
    CKtvPMultiMiniFrameWnd* m_pDockWaitMultiFrame;
    clock_t m_clkDockWaitStart;
    int m_nDockWaitStatus;
    BOOL m_bIsPrintPreviewMode;
    CObList m_lstHiddenBars;
    BOOL m_bHideAllBars;
    BOOL m_bReserveBottomBand;
    BOOL m_bInAdjustLayout;
    BOOL m_bInRecalcLayout;
    BOOL m_bLastLoadFailed;
    CList<HWND, HWND> m_lstFramesHiddenOnDeactivate;

    // --- the docking layout's archive, loading and applying (KtvPDockManagerState.cpp) --------
public:
    // Reads stored layout bytes into the pending lists; FALSE, with nothing made
    // left behind, when they cannot be read.
    BOOL LoadLayoutBytes(BYTE* pData, UINT nBytes);

protected:
    void StoreLayout(CArchive& ar);
    void LoadLayout(CArchive& ar);
    void BindLoadedBar(CKtvPDockingControlBar* pBar, CKtvPSlider* pSlider);
    void DiscardFailedLoad(const CObList& lstFramesBefore, const CList<HWND, HWND>& lstChildrenBefore);
    void UnpinLiveAutoHiddenBars();
    void BindPendingBarsToSliders();
    void RestoreToolbarLikeBars();
    void PlacePendingBars();
    void GatherTabsOf(CKtvPBaseTabbedBar* pTabbed, CKtvPSlider* pSlider);
    void ApplyAutoHideRecords();
    void RemoveEmptyLeftovers();
};
