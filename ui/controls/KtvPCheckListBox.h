// A check-list box that can refuse check changes for single items: a click,
// Space or a double-click on a locked item's check only beeps.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CCheckListBox.h"
#include "platform/mfc/afxmsg.h"

class CKtvPCheckListBox : public CCheckListBox {
public:
    CKtvPCheckListBox() = default;
    ~CKtvPCheckListBox() override = default;

    // The index must name an existing item.
    void EnableItem(int nIndex, BOOL bEnable = TRUE);
    BOOL IsItemEnabled(int nIndex) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The item whose check strip lies under the point, or -1.
    int CheckStripAt(CPoint point) const;
    // The same for a locked item only.
    int LockedCheckAt(CPoint point) const;

    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

    CArray<int, int> m_arCheckData;  // per item: TRUE when the user may change its check
};
