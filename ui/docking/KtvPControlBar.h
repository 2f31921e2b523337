// A bar the user moves with the mouse: along and between dock-bar rows, out
// into a floating mini frame and back. It keeps its recent docked and floating
// places, saves them under its own key, and owns the borders, minimum size and
// virtual rectangle that dock-bar rows lay out with. CKtvPControlBarImpl paints
// and sizes the non-client area of toolbar-like bars.
#pragma once

#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/docking/KtvPDragFrameImpl.h"
#include "ui/docking/KtvPRecentDockInfo.h"

class CKtvPDockManager;

class CKtvPControlBar : public CKtvPBaseControlBar {
    DECLARE_DYNCREATE(CKtvPControlBar)
public:
    CKtvPControlBar();
    ~CKtvPControlBar() override;

    // --- overrides of the base bar -----------------------------------------------------------
    BOOL IsTabbed() const override;
    BOOL IsResizable() const override { return FALSE; }
    BOOL CanBeDocked(CKtvPBaseControlBar* pDockBar) const override;
    BOOL DockControlBar(CKtvPBaseControlBar* pDockBar, LPCRECT lpRect, int dockMethod) override;
    BOOL FloatControlBar(CRect rectFloat, int dockMethod, BOOL bShow) override;
    void RecalcLayout() override;
    CKtvPMiniFrameWnd* CreateDefaultMiniframe(CRect rectInitial) override;
    void OnBeforeChangeParent(CWnd* pWndNewParent, BOOL bDelay = FALSE) override;
    void OnAfterChangeParent(CWnd* pWndOldParent) override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void UndockControlBar(BOOL bDelay = FALSE) override;
    void DoPaint(CDC* pDC) override;

    // --- virtual operations added, in slot order ---------------------------------------------
    virtual BOOL IsDragMode() const { return m_bDragMode; }
    virtual void GetMinSize(CSize& size) const { size = m_sizeMin; }
    virtual int GetResizeStep() const { return 10; }
    virtual int GetDefaultIndex() const { return -1; }
    virtual int GetAvailableExpandSize() const;
    virtual int GetAvailableStretchSize() const;
    virtual BOOL AllowsSiblingBars() const { return !m_bExclusiveRow; }
    virtual void SetActiveInGroup(BOOL bActive) { m_bActiveInGroup = bActive; }
    virtual void SetExclusiveRow(BOOL bExclusive) { m_bExclusiveRow = bExclusive; }
    virtual BOOL IsExclusiveRow() const { return m_bExclusiveRow; }
    virtual void AttachToDockBar(CWnd* pDockBar, int dockMethod);
    virtual BOOL DockByMouse(CKtvPBaseControlBar* pDockBar);
    virtual CSize CalcMaxButtonSize(BOOL /*bHorz*/) { return CSize(0, 0); }
    virtual CSize ResizeToRect(CRect rect, BOOL bForce);
    virtual int StretchBar(int nDelta, HDWP hdwp);
    virtual CKtvPBaseControlBar* DockAtCursor(BOOL& bDocked);
    virtual BOOL GetDockTargetAtCursor(int nSensitivity, CWnd*& pTarget);
    virtual void RestoreRecentDockPos(CKtvPDockManager* pDockManager);
    virtual void OnProcessDblClk();
    virtual BOOL OnBeforeFloat(CRect& /*rectFloat*/, int /*dockMethod*/) { return TRUE; }
    virtual void OnAfterFloat();
    virtual BOOL Create(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        DWORD dwControlBarStyle = 0, CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle = 0,
                          CCreateContext* pContext = nullptr);
    virtual CSize GetSizeDeltaForRect(CRect rect) const;
    virtual void AdjustSizeImmediate(BOOL bRecalcLayout = TRUE);
    virtual void ResumeDragMode();
    virtual void DrawDragRect(LPCRECT /*lpRectNew*/, LPCRECT /*lpRectOld*/) {}
    virtual BOOL OnBeforeDock(CKtvPBaseControlBar** ppDockBar, LPCRECT lpRect, int dockMethod);
    virtual void OnAfterDock(CKtvPBaseControlBar* /*pDockBar*/, LPCRECT /*lpRect*/, int /*dockMethod*/) {}
    virtual void AdjustStretchRect(CRect& /*rect*/) {}
    virtual void OnAfterStretch(int /*nDelta*/) {}
    virtual void ChangeParent(CWnd* pNewParent, int dockMethod);
    virtual void SetDragMode(BOOL bOnOff) { m_bDragMode = bOnOff; }
    virtual BOOL Dock(CKtvPBaseControlBar* pDockBar, LPCRECT lpRect, int dockMethod);
    virtual void EnterDragMode(BOOL bChangeHotPoint);
    virtual void StoreRecentDockInfo();

    using CKtvPBaseControlBar::CreateEx;

    // --- non-virtual operations ----------------------------------------------------------------
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0)
    {
        m_cxLeftBorder = cxLeft;
        m_cyTopBorder = cyTop;
        m_cxRightBorder = cxRight;
        m_cyBottomBorder = cyBottom;
    }
    void SetBordersFromRect(LPCRECT lpRect)
    {
        SetBorders(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    BOOL AllocElements(int nElements, int cbElement);
    void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    void UpdateVirtualRect();
    void UpdateVirtualRectToSize(int cx, int cy);
    void GetVirtualRect(CRect& rectVirtual) const;
    void OffsetVirtualRect(int dx, int dy) { m_rectVirtual.OffsetRect(dx, dy); }
    void UpdateRecentDockedRect();
    void MoveAcrossRow(DWORD dwAlignment, int nOffset);
    BOOL IsPointBeforeBar(int x, int y, BOOL bScreen) const;

    void SetMiniFrameRTC(CRuntimeClass* pClass) { m_pMiniFrameRTC = pClass; }
    CRuntimeClass* GetMiniFrameRTC() const { return m_pMiniFrameRTC; }
    void SetMinSize(const CSize& size) { m_sizeMin = size; }
    int GetMRUWidth() const { return m_nMRUWidth; }
    void SetMRUWidth(int nWidth) { m_nMRUWidth = nWidth; }
    int GetPinState() const { return m_nPinState; }
    void SetPinState(int nState) { m_nPinState = nState; }
    UINT GetID() const { return m_nID; }
    CPoint GetClientHotSpot() const { return m_ptClientHotSpot; }
    BOOL IsFirstInGroup() const { return m_bFirstInGroup; }
    BOOL IsLastInGroup() const { return m_bLastInGroup; }
    BOOL IsActiveInGroup() const { return m_bActiveInGroup; }
    BOOL GetRecentFloatingState() const { return m_bRecentFloatingState; }
    CKtvPRecentDockInfo& GetRecentDockInfo() { return m_recentDockInfo; }
    CKtvPDragFrameImpl& GetDragFrameImpl() { return m_dragFrame; }

    static const TCHAR m_szSection[];
    // Set once a bar is created inside a dialog rather than a frame.
    static BOOL m_bBarsInDialog;

protected:
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnDestroy();
    void OnNcDestroy();
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    DECLARE_MESSAGE_MAP()

    void EndDrag();
    void DestroyPendingMiniFrame();

public:
    BOOL m_bFirstInGroup;
    BOOL m_bLastInGroup;
    BOOL m_bActiveInGroup;

protected:
    int m_nCount;
    void* m_pData;
    int m_cxLeftBorder;
    int m_cxRightBorder;
    int m_cyTopBorder;
    int m_cyBottomBorder;
    int m_cxDefaultGap;
    int m_nMRUWidth;
    CRect m_rectVirtual;
    CRect m_rectDragStart;
    BYTE m_bCaptured;
    UINT m_nID;
    CPoint m_ptClientHotSpot;
    BYTE m_bDblClick;
    BOOL m_bDragMode;
    CRuntimeClass* m_pMiniFrameRTC;
    CKtvPDragFrameImpl m_dragFrame;
    HWND m_hwndMiniFrameToDelete;
    BOOL m_bExclusiveRow;
    int m_nPinState;
    CSize m_sizeMin;
    CKtvPRecentDockInfo m_recentDockInfo;
    BOOL m_bRecentFloatingState;
    BOOL m_bClickHandedToMiniFrame;
};

// Paints and sizes the non-client area of a toolbar-like bar.
class CKtvPControlBarImpl {
public:
    explicit CKtvPControlBarImpl(CKtvPControlBar* pBar) : m_pBar(pBar) {}

    void DrawNcArea();
    void CalcNcSize(NCCALCSIZE_PARAMS* lpncsp);
    void DrawParentBackground(CDC* pDC);
    void GetGripperRect(CRect& rect, BOOL bClientCoords = FALSE);

    CKtvPControlBar* m_pBar;
};
