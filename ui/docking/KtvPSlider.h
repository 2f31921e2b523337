// The thin bar between docked resizable bars. A default slider stands between
// a docked group and the rest of the frame and owns the group's split layout;
// an inner slider splits one node of that layout. Dragging either moves a
// tracker within limits that keep every bar at its minimum size.
#pragma once

#include "platform/mfc/CList.h"
#include "platform/mfc/CObList.h"
#include "ui/docking/KtvPBaseControlBar.h"

class CKtvPBarContainer;
class CKtvPBarContainerManager;
class CKtvPDockingControlBar;

// Slider styles: which way the slider separates its neighbours.
#define KTVP_SS_HORZ 0x1  // separates top from bottom, moves vertically
#define KTVP_SS_VERT 0x2  // separates left from right, moves horizontally

class CKtvPSlider : public CKtvPBaseControlBar {
    DECLARE_DYNCREATE(CKtvPSlider)
public:
    // An archive creates an inner slider without parent.
    explicit CKtvPSlider(BOOL bDefaultSlider = FALSE, CWnd* pParentWnd = nullptr);
    // A default slider's manager is deleted at WM_NCDESTROY.
    ~CKtvPSlider() override;

    // --- overrides of the base bar -----------------------------------------------------------
    void Serialize(CArchive& ar) override;
    BOOL IsHorizontal() const override { return (m_dwSliderStyle & KTVP_SS_HORZ) != 0; }
    BOOL AllowsInsertBefore() const override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // --- virtual operations added, in slot order ---------------------------------------------
    virtual void MoveSlider(CSize sizeOffset, BOOL bAdjustLayout = TRUE);
    virtual void AddControlBar(CKtvPBaseControlBar* pBar);
    virtual CKtvPBaseControlBar* AddRecentControlBar(CKtvPDockingControlBar* pBar);
    virtual BOOL InsertControlBar(CKtvPBaseControlBar* pBarToInsert, CKtvPBaseControlBar* pTargetBar,
                                  DWORD dwAlignment, LPCRECT lpRect = nullptr);
    virtual BOOL ReplaceControlBar(CKtvPBaseControlBar* pBarOld, CKtvPBaseControlBar* pBarNew);
    virtual void RemoveControlBar(CKtvPBaseControlBar* pBar);
    virtual void RepositionSlider(CRect& rectNew, HDWP& hdwp);
    virtual BOOL AddContainerManagerToBar(CKtvPDockingControlBar* pTargetBar, CKtvPBarContainerManager& manager,
                                          DWORD dwAlignment);
    virtual BOOL AddContainerManager(CKtvPBarContainerManager& manager, BOOL bOuterEdge);
    virtual BOOL RefreshVisibility();
    virtual void OnShowControlBar(CKtvPBaseControlBar* pBar, BOOL bShow);
    virtual BOOL HasFloatableBar() const;
    virtual void CalcExpectedDockedRect(CWnd* pWndToDock, CPoint ptMouse, CRect& rectResult, BOOL& bDrawTab,
                                        CKtvPDockingControlBar** ppTargetBar);
    virtual void CheckVisibility();
    virtual BOOL CreateEx(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                          CCreateContext* pContext = nullptr);
    virtual void StopTracking(BOOL bMoveSlider);

    using CKtvPBaseControlBar::CreateEx;

    // --- non-virtual operations ----------------------------------------------------------------
    CKtvPBaseControlBar* GetFirstControlBar() const;
    CKtvPBaseControlBar* FindControlBarByID(UINT nID);
    CKtvPBarContainer* FindContainer(CKtvPBaseControlBar* pBar, BOOL& bLeftBar);
    void StoreRecentDockInfo(CKtvPDockingControlBar* pBar);
    void StoreRecentTabRelatedInfo(CKtvPDockingControlBar* pBar, CKtvPBaseControlBar* pTabbedBar);
    void GetControlBars(CObList& lstBars);

    DWORD GetSliderStyle() const { return m_dwSliderStyle; }
    int GetWidth() const { return m_nWidth; }
    BOOL IsDefault() const { return m_bDefaultSlider; }
    // A slider made through a runtime class becomes a default slider before its window exists.
    void SetDefaultMode() { m_bDefaultSlider = TRUE; }
    BOOL IsAutoHideMode() const { return m_bAutoHide; }
    void SetAutoHideMode(BOOL bMode) { m_bAutoHide = bMode; }
    CKtvPBarContainerManager* GetContainerManager() const { return m_pContainerManager; }
    void SetContainerManager(CKtvPBarContainerManager* pManager) { m_pContainerManager = pManager; }
    int GetSliderID() const { return m_nID; }

    // The thickness of new sliders.
    static int m_nDefaultWidth;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    void OnNcDestroy();
    DECLARE_MESSAGE_MAP()

    void DrawTracker(LPCRECT pNew);
    void Retire();

    int m_nID;
    DWORD m_dwSliderStyle;
    int m_nWidth;
    bool m_bCaptured;
    BOOL m_bDefaultSlider;
    BOOL m_bAutoHide;
    int m_nMinOffset;
    int m_nMaxOffset;
    int m_nStep;
    CRect m_rectLastDragRect;
    CRect m_rectDragBounds;
    CKtvPBarContainerManager* m_pContainerManager;
    CWnd* m_pParentWnd;
};
