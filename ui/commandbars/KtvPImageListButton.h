// A scrolling chooser of toolbar images: one button per image of a strip in
// rows that wrap at the control's width, picked with the mouse or the arrow
// keys, with a vertical scroll bar of its own when the rows do not fit. The
// parent hears of every change of the pick as a click of the control.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CScrollBar.h"

class CKtvPToolBarImages;
class CKtvPToolbarButton;

class CKtvPImageListButton : public CButton {
public:
    CKtvPImageListButton();
    ~CKtvPImageListButton() override;

    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;

    void SetImages(CKtvPToolBarImages* pImages);
    void AddButton(CKtvPToolbarButton* pButton);
    void RemoveButtons();
    void SelectButton(CKtvPToolbarButton* pButton);
    BOOL SelectButton(int iImage);
    CKtvPToolbarButton* GetSelectedButton() const { return m_pSelButton; }
    CKtvPToolbarButton* HitTest(POINT point);
    void RecalcLayout();
    void RedrawSelectedButton();

    // Fields, in declared order.
    CList<CKtvPToolbarButton*, CKtvPToolbarButton*> m_Buttons;
    CKtvPToolBarImages* m_pImages = nullptr;
    CSize m_sizeButton{0, 0};
    BOOL m_bInited = FALSE;
    BOOL m_bHasFocus = FALSE;
    CKtvPToolbarButton* m_pSelButton = nullptr;
    int m_nScrollOffset = 0;
    int m_nScrollTotal = 0;
    int m_nScrollPage = 0;
    CScrollBar m_wndScrollBar;
    BOOL m_bEnableDragFromList = FALSE;

protected:
    BOOL OnEraseBkgnd(CDC* pDC);
    UINT OnGetDlgCode();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnEnable(BOOL bEnable);
    void OnSysColorChange();
    void OnSize(UINT nType, int cx, int cy);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    int RowStep() const { return m_sizeButton.cy + 5; }
    CRect ScrolledRect(const CKtvPToolbarButton* pButton) const;
    void ScrollTo(int nPosition);
};
