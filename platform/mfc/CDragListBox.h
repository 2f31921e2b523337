// A list box whose items are reordered by dragging. The control reports the
// drag to its parent, which passes the report back here (OnChildNotify); the
// virtuals decide what the drag does and show where an item would land.
#pragma once

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CListBox.h"

class CDragListBox : public CListBox {
    DECLARE_DYNAMIC(CDragListBox)
public:
    CDragListBox() = default;

    int ItemFromPt(CPoint pt, BOOL bAutoScroll = TRUE) const;

    virtual BOOL BeginDrag(CPoint pt);
    virtual void CancelDrag(CPoint pt);
    virtual UINT Dragging(CPoint pt);
    virtual void Dropped(int nSrcIndex, CPoint pt);
    virtual void DrawInsert(int nItem);

protected:
    int m_nLast = -1;

    void DrawSingle(int nIndex);
    void PreSubclassWindow() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
