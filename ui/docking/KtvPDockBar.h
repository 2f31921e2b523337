// The thin window along one frame edge that holds toolbars and other bars that
// cannot be resized, in parallel rows: it grows by a row's thickness for every
// visible row, picks the row a docking bar goes into, moves a dragged bar along
// its row or into a neighbouring one, and swaps rows.
#pragma once

#include "platform/mfc/CObList.h"
#include "ui/docking/KtvPBaseControlBar.h"

class CKtvPControlBar;
class CKtvPDockBarRow;

class CKtvPDockBar : public CKtvPBaseControlBar {
    DECLARE_DYNCREATE(CKtvPDockBar)
public:
    CKtvPDockBar();
    // Deletes every row.
    ~CKtvPDockBar() override;

    // --- overrides of the base bar -----------------------------------------------------------
    BOOL IsResizable() const override { return FALSE; }
    BOOL AllowsInsertBefore() const override { return FALSE; }
    BOOL CanAcceptBar(const CKtvPBaseControlBar* pBar) const override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void AdjustLayout() override;

    // --- virtual operations added, in slot order ---------------------------------------------
    virtual BOOL IsDragMode() const;
    virtual CKtvPDockBarRow* CreateRow(CKtvPDockBar* pParentDockBar, int nOffset, int nRowHeight);
    virtual void DockControlBar(CKtvPControlBar* pWnd, int dockMethod, LPCRECT lpRect = nullptr);
    virtual BOOL DockControlBarLeftOf(CKtvPControlBar* pBarToDock, CKtvPControlBar* pTargetBar);
    virtual void RemoveControlBar(CKtvPBaseControlBar* pWnd);
    virtual BOOL MoveControlBar(CKtvPControlBar* pControlBar, UINT nFlags, CPoint ptOffset);
    virtual void OnInsertRow(POSITION pos);
    virtual void OnRemoveRow(POSITION pos, BOOL bByShow = FALSE);
    virtual int ResizeRowBy(CKtvPDockBarRow* pRow, int nOffset);
    virtual void OnShowRow(POSITION pos, BOOL bShow);
    virtual void OnReservedDockBarHook(LPARAM /*lParam1*/, LPARAM /*lParam2*/, LPARAM /*lParam3*/,
                                       LPARAM /*lParam4*/)
    {
    }
    virtual void AdjustRowsToRect(CRect rectNew);
    virtual void FixupVirtualRects();
    virtual BOOL ShowBarInRow(CKtvPBaseControlBar* pBar, BOOL bShow, BOOL bDelay);
    virtual CKtvPBaseControlBar* ControlBarFromPoint(CPoint pt);
    virtual void RecalcFrameLayout();
    virtual UINT GetDockBarID() const { return m_nDockBarID; }
    virtual HDWP SetDockBarPos(HDWP hdwp, const CRect& rect, UINT nFlags = 0);
    virtual BOOL Create(DWORD dwAlignment, const RECT& rect, CWnd* pParentWnd, DWORD dwControlBarStyle = 0,
                        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(DWORD dwStyleEx, DWORD dwAlignment, const RECT& rect, CWnd* pParentWnd,
                          DWORD dwControlBarStyle = 0, CCreateContext* pContext = nullptr);

    using CKtvPBaseControlBar::CreateEx;
    using CWnd::Create;

    // --- non-virtual operations ----------------------------------------------------------------
    CKtvPDockBarRow* AddRow(POSITION posInsertBefore, int nRowHeight);
    void RemoveRow(CKtvPDockBarRow* pRow);
    void ShowRow(CKtvPDockBarRow* pRow, BOOL bShow, BOOL bAdjustLayout);
    void SwapRows(CKtvPDockBarRow* pFirstRow, CKtvPDockBarRow* pSecondRow);
    int GrowDockBar(int nOffset, BOOL bRecalcLayout);
    int ResizeRow(CKtvPDockBarRow* pRow, int nNewSize, BOOL bAdjustLayout = TRUE);
    CKtvPDockBarRow* RowFromPoint(CPoint pt, BOOL& bBeforeRow);
    CKtvPDockBarRow* GetNextVisibleRow(POSITION& pos, BOOL bForward);
    // The row's index in the dock bar, -1 when the row is not one of its rows.
    int FindRowIndex(CKtvPDockBarRow* pRow) const;
    CKtvPDockBarRow* FindRowOfBar(CKtvPBaseControlBar* pBar) const;
    CKtvPBaseControlBar* FindBarByID(UINT nID);

    const CObList& GetControlBarList() const { return m_lstControlBars; }
    const CObList& GetDockBarRows() const { return m_lstDockBarRows; }

protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnDestroy();
    void OnNcDestroy();
    DECLARE_MESSAGE_MAP()

    CObList m_lstControlBars;
    CObList m_lstDockBarRows;
    UINT m_nDockBarID;
};
