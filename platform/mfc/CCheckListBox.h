// A list box with a check box before each item. The check states live in the
// control (with each item's own data); a click on the box or the space bar
// changes it and tells the parent with CLBN_CHKCHANGE.
#pragma once

#include "platform/mfc/CListBox.h"

#define CLBN_CHKCHANGE 40

class CCheckListBox : public CListBox {
    DECLARE_DYNAMIC(CCheckListBox)
public:
    CCheckListBox() = default;
    ~CCheckListBox() override;

    // Owner-drawn with strings whatever the style asks.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;

    // BS_CHECKBOX, BS_AUTOCHECKBOX (the default), BS_3STATE or BS_AUTO3STATE.
    void SetCheckStyle(UINT nStyle);
    UINT GetCheckStyle() const { return m_nStyle; }
    void SetCheck(int nIndex, int nCheck);
    int GetCheck(int nIndex) const;
    void Enable(int nIndex, BOOL bEnabled = TRUE);
    BOOL IsEnabled(int nIndex) const;

    // The program's own item data, kept beside the check state.
    DWORD_PTR GetItemData(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    void* GetItemDataPtr(int nIndex) const;
    int SetItemDataPtr(int nIndex, void* pData);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    // The check box's rectangle within an item's.
    virtual CRect OnGetCheckPosition(CRect rectItem, CRect rectCheckBox);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    struct CheckData {
        int nCheck = 0;
        BOOL bEnabled = TRUE;
        DWORD_PTR dwUserData = 0;
    };
    CheckData* DataOf(int nIndex) const;
    CheckData* EnsureData(int nIndex);
    int CheckFromPoint(CPoint point, BOOL& bInCheck) const;
    void ToggleFrom(int nIndex);
    void InvalidateCheck(int nIndex);
    CRect CheckRectOf(const CRect& rectItem);

    UINT m_nStyle = BS_AUTOCHECKBOX;
};
