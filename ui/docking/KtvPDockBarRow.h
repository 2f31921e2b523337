// One row of a dock bar: its bars in order along its length; it packs them,
// pushes neighbours aside while a bar is dragged, and stretches or shrinks
// bars when the row's length changes.
#pragma once

#include "platform/mfc/CObList.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"

class CKtvPBaseControlBar;
class CKtvPControlBar;
class CKtvPDockBar;

class CKtvPDockBarRow : public CObject {
public:
    CKtvPDockBarRow(CKtvPDockBar* pParentDockBar, int nOffset, int nHeight);
    ~CKtvPDockBarRow() override;

    // --- virtual operations, in slot order -----------------------------------------------------
    virtual BOOL IsAnyBarTakingSpace() const { return TRUE; }
    virtual void GetAvailableSpaceRect(CRect& rect) const;
    virtual int GetVisibleCount() const;
    virtual void CalcFixedLayout(CSize& size, BOOL bStretch, BOOL bHorz);
    virtual void AddControlBar(CKtvPControlBar* pControlBar, int dockMethod, LPCRECT lpRect = nullptr,
                               BOOL bAddLast = FALSE);
    virtual void AddControlBarFromRow(CKtvPControlBar* pControlBar, int dockMethod);
    virtual void RemoveControlBar(CKtvPControlBar* pControlBar);
    virtual void ArrangeBars(int nMargin, int nSpacing);
    virtual BOOL OnReservedRowQuery() const { return FALSE; }
    virtual int Resize(int nOffset);
    virtual void OnRowMoved(int nOffset);
    virtual void ArrangeAfterChange(CKtvPControlBar* pBar);
    virtual void MoveControlBar(CRect rectNew, int dockMethod, BOOL bGrew, int nDelta);
    virtual BOOL IsEmpty() const { return m_lstControlBars.IsEmpty(); }
    virtual void UpdateVisibleState(BOOL bDelay);
    virtual void SetVisible(BOOL bShow, BOOL bAdjustLayout = TRUE);
    virtual void ReplaceControlBar(CKtvPControlBar* pBarOld, CKtvPControlBar* pBarNew);
    virtual BOOL ShowControlBar(CKtvPBaseControlBar* pControlBar, BOOL bShow, BOOL bDelay);
    virtual void OnReservedRowHook() {}
    virtual BOOL IsVisible() const { return m_bVisible; }
    virtual int CalcRequiredLength(BOOL bVirtual) const;
    virtual BOOL IsExclusiveRow() const;
    virtual POSITION FindInsertPosition(CKtvPControlBar* pBar);

    // --- non-virtual operations ----------------------------------------------------------------
    void GetWindowRect(CRect& rect) const;
    void GetClientRect(CRect& rect) const;
    BOOL IsHorizontal() const;
    int CalcRowThickness();
    BOOL CanMoveBar(CKtvPControlBar* pBar, int nOffset) const;
    void ExpandStretchedBars();
    void GetGroupBars(CKtvPControlBar* pBar, CObList& lstGroupBars);
    int GetLastBarEnd() const;
    void KeepBarInRow(CKtvPControlBar* pBar);
    void MoveBarInRow(CKtvPControlBar* pBar, int dx, int dy, BOOL bForward);
    void PackBars();
    void PushBarsBack(CKtvPControlBar* pBar);
    void RepositionBars(CRect& rectNew);
    // The dry run of a repositioning works on copies of the bars' rectangles.
    void StoreBarRects();
    void ResolveOverlap(CKtvPControlBar* pBar, int nOffset);
    void ShiftBars(POSITION posFrom, int nOffset);

    int GetRowHeight() const { return m_nRowHeight; }
    int GetRowOffset() const { return m_nRowOffset; }
    DWORD GetRowAlignment() const { return m_dwRowAlignment; }
    CKtvPDockBar* GetDockBar() const { return m_pParentDockBar; }
    const CObList& GetControlBarList() const { return m_lstControlBars; }
    int GetBarCount() const { return (int)m_lstControlBars.GetCount(); }
    void SetExtra(int nExtraSpace, int nExtraAlignment)
    {
        m_nExtraSpace = nExtraSpace;
        m_nExtraAlignment = nExtraAlignment;
    }
    void IgnoreBarVisibility(BOOL bIgnore) { m_bIgnoreBarVisibility = bIgnore; }

protected:
    BOOL IsBarShown(const CKtvPControlBar* pBar) const;
    int RowLength() const;
    void NarrowToRow(CRect& rect) const;
    // Along the row, in the dock bar's client coordinates.
    int BarStart(const CKtvPControlBar* pBar) const;
    int BarLength(const CKtvPControlBar* pBar) const;
    int VirtualStart(const CKtvPControlBar* pBar) const;
    void PlaceBar(CKtvPControlBar* pBar, int nStart, int nLength, UINT nExtraFlags);
    void LayOut(int nRowLength, CKtvPControlBar* pAnchor);

    BOOL m_bIgnoreBarVisibility;
    BOOL m_bVisible;
    int m_nRowHeight;
    int m_nRowOffset;
    CObList m_lstControlBars;
    DWORD m_dwRowAlignment;
    CKtvPDockBar* m_pParentDockBar;
    int m_nExtraSpace;
    int m_nExtraAlignment;

    friend class CKtvPDockBar;
};
