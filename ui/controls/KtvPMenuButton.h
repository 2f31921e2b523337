// A push button with a drop-down arrow that opens a popup menu below it (or
// to its right) and reports the chosen command to its parent.
#pragma once

#include "ui/controls/KtvPButton.h"

class CKtvPMenuButton : public CKtvPButton {
    DECLARE_DYNAMIC(CKtvPMenuButton)
public:
    CKtvPMenuButton() = default;

    virtual void OnShowMenu();

    CSize SizeToContent(BOOL bCalcOnly = FALSE) override;

    BOOL m_MenuOnRight = FALSE;
    HMENU m_Menu = nullptr;      // the caller's
    int m_MenuResult = 0;        // the command chosen at the last opening, 0 for none
    BOOL m_StayPressed = FALSE;
    // FALSE shows the menu through the library's context-menu manager, once menus have one.
    BOOL m_UseSystemTracking = TRUE;
    BOOL m_MenuActive = FALSE;

protected:
    void OnDraw(CDC* pDC, const CRect& rect, UINT uiState) override;

    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    UINT OnGetDlgCode();
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnKillFocus(CWnd* pNewWnd);
    DECLARE_MESSAGE_MAP()
};

// The width a drop-down arrow adds to a button's content (shared with the colour button).
CSize KtvSizeWithMenuArrow(CKtvPButton* pButton, CSize sizeContent, BOOL bCalcOnly);
