// The caption strip over an editable list: its text at the left and four
// small buttons at the right (New, Delete, Move Up, Move Down) that act on
// the list it is attached to.
#pragma once

#include "app/ListBoxEx.h"
#include "platform/mfc/CToolTipCtrl.h"
#include "platform/mfc/CWnd.h"
#include "platform/mfc/afxmsg.h"

enum : UINT {
    // The strip's four 22 x 20 images in button order.
    IDB_TW_LISTBOXEX_BUDDY = 607,
};

class CListBoxExBuddy : public CWnd {
public:
    static constexpr int kButtons = 4;
    static constexpr int kNoButton = 4;
    static constexpr int kButtonWidth = 22;
    static constexpr int kButtonHeight = 20;

    CListBoxExBuddy();
    ~CListBoxExBuddy() override;

    void SetListBox(CListBoxEx* pList) { m_pList = pList; }
    CListBoxEx* GetListBox() const { return m_pList; }
    int GetHotButton() const { return m_nHot; }
    CRect GetButtonRect(int nButton) const;
    CToolTipCtrl& GetToolTip() { return m_wndToolTip; }
    static const char* ButtonTip(int nButton);

protected:
    void PreSubclassWindow() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    BOOL OnNeedToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    CListBoxEx* m_pList;
    static HBITMAP LoadButtonImages();
    HBITMAP m_hButtons;
    int m_nHot;
    BOOL m_bPressed;
    CRect* m_pButtonRects;
    CToolTipCtrl m_wndToolTip;

private:
    void CreateToolTip();
    void Layout(int cx, int cy);
    int ButtonAt(CPoint point) const;
    void SetHot(int nButton);
    void RedrawButton(int nButton);
    void RunButton(int nButton);
};
