// The header of the library's list: owner-painted through the current look
// (background, item borders, sort arrows), with sort marks on one or several
// columns and the item under the mouse highlighted.
#pragma once

#include "platform/mfc/CHeaderCtrl.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/afxmsg.h"

class CDC;

class CKtvPHeaderCtrl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CKtvPHeaderCtrl)
public:
    CKtvPHeaderCtrl();
    ~CKtvPHeaderCtrl() override;

protected:
    virtual void OnDrawItem(CDC* pDC, int iItem, CRect rect, BOOL bIsPressed, BOOL bIsHighlighted);
    virtual void OnFillBackground(CDC* pDC);
    virtual void OnDrawSortArrow(CDC* pDC, CRect rectArrow);

public:
    // A column below 0 clears every mark.
    void SetSortColumn(int iColumn, BOOL bAscending = TRUE, BOOL bAdd = FALSE);
    void RemoveSortColumn(int iColumn);
    void EnableMultipleSort(BOOL bEnable = TRUE);
    BOOL IsMultipleSort() const { return m_bMultipleSort; }
    // +1 ascending, -1 descending, 0 none.
    int GetSortColumnState(int iColumn) const;
    BOOL IsDialogControl() const { return m_bIsDlgControl; }
    int GetHighlightedItem() const { return m_nHighlightedItem; }

protected:
    void PreSubclassWindow() override;
    // Whether an ancestor is a dialog: such a header uses the default GUI font.
    void CheckDialogParent();

public:

protected:
    CMap<int, int, int, int> m_mapColumnsStatus;  // column -> +1 or -1
    BOOL m_bIsMousePressed;
    BOOL m_bMultipleSort;
    BOOL m_bAscending;      // direction of the arrow being drawn
    int m_nHighlightedItem;
    BOOL m_bTracked;        // a mouse-leave notification was asked for
    // In a dialog: the looks use button colours and the default GUI font is used.
    BOOL m_bIsDlgControl;
    HFONT m_hFont;

    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnMouseLeave();
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
