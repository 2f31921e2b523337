// A window divided into rows and columns of panes (views) by split bars the
// user drags. Panes are its children with ids IdFromRowCol(row, col); the pane
// at (0, 0) takes AFX_IDW_PANE_FIRST, so a frame finds its first view inside.
#pragma once

#include <vector>

#include "platform/mfc/CWnd.h"
#include "platform/mfc/afxres.h"

struct CCreateContext;

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd() = default;

    // Panes made by CreateView afterwards; each row and column has its own size.
    virtual BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                              UINT nID = AFX_IDW_PANE_FIRST);
    // One pane at first, split later by SplitRow/SplitColumn into up to nMaxRows x nMaxCols
    // (each at most 2) panes of the context's view class on the same document.
    virtual BOOL Create(CWnd* pParentWnd, int nMaxRows, int nMaxCols, SIZE sizeMin, CCreateContext* pContext,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE, UINT nID = AFX_IDW_PANE_FIRST);
    virtual BOOL SplitRow(int cyBefore);
    virtual BOOL SplitColumn(int cxBefore);
    virtual void DeleteRow(int rowDelete);
    virtual void DeleteColumn(int colDelete);
    BOOL IsDynamic() const { return m_pDynamicViewClass != nullptr; }
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit, CCreateContext* pContext);
    virtual void DeleteView(int row, int col);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);

    // cxIdeal is the size asked for; a pane smaller than cxMin is hidden.
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetColumnInfo(int col, int cxIdeal, int cxMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;

    virtual void RecalcLayout();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The width of a split bar.
    int m_cxSplitterGap = 7;
    int m_cySplitterGap = 7;

protected:
    struct CRowColInfo {
        int nMinSize = 0;
        int nIdealSize = 0;
        int nCurSize = 0;
    };
    // A point on a bar (the row or column index before it), on a split box, or nowhere.
    enum HitKind { hitNone, hitRowBar, hitColBar, hitRowBox, hitColBox };

    static void LayoutRowCol(std::vector<CRowColInfo>& info, int nSize, int nGap);
    HitKind HitTest(CPoint pt, int* pIndex) const;
    int BarStart(bool bRows, int index) const;
    // A dynamic splitter that can still split has a split box: a strip along
    // the top (rows) or the left (columns) that the user drags to where the
    // new bar should go.
    int RowBoxHeight() const;
    int ColBoxWidth() const;
    CRect RowBoxRect() const;
    CRect ColBoxRect() const;
    void EndTracking(CPoint pt);
    // The outline of the bar a split box would make, inverted over the panes.
    CRect BoxTrackerRect(CPoint pt) const;
    void InvertTracker(const CRect& rect);
    void JoinIfTooSmall(bool bRows, int index);

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonDown(UINT nFlags, CPoint pt);
    void OnMouseMove(UINT nFlags, CPoint pt);
    void OnLButtonUp(UINT nFlags, CPoint pt);
    void OnCancelMode();
    DECLARE_MESSAGE_MAP()

    BOOL AddPanes(bool bRow);
    void RemovePanes(bool bRow, int index);

    int m_nRows = 0;
    int m_nCols = 0;
    int m_nMaxRows = 0;
    int m_nMaxCols = 0;
    CRuntimeClass* m_pDynamicViewClass = nullptr;
    CSize m_sizeMin;
    std::vector<CRowColInfo> m_rowInfo;
    std::vector<CRowColInfo> m_colInfo;

    // The drag of a bar: its kind, index, and the offset of the grab within the bar.
    HitKind m_trackKind = hitNone;
    int m_trackIndex = -1;
    int m_trackOffset = 0;
    CRect m_rectTracker;  // drawn while a split box is dragged
};
