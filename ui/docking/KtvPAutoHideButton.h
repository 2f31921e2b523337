// The button of one auto-hidden bar (a plain object, not a window), owned and
// drawn by its auto-hide toolbar: the bar's icon and, when active, its caption.
#pragma once

#include "platform/mfc/CObject.h"
#include "platform/mfc/CRect.h"

class CDC;
class CKtvPAutoHideToolBar;
class CKtvPDockingControlBar;

class CKtvPAutoHideButton : public CObject {
    DECLARE_DYNCREATE(CKtvPAutoHideButton)
public:
    CKtvPAutoHideButton();
    ~CKtvPAutoHideButton() override;

    virtual BOOL Create(CKtvPAutoHideToolBar* pParentBar, CKtvPDockingControlBar* pAutoHideWnd,
                        DWORD dwAlignment);
    virtual void ShowButton(BOOL bShow) { m_bVisible = bShow; }
    virtual BOOL IsVisible() const { return m_bVisible; }
    virtual void OnDraw(CDC* pDC);
    virtual void OnFillBackground(CDC* pDC, CRect rect);
    virtual void OnDrawBorder(CDC* pDC, CRect rectBounds, CRect rectBorderSize);
    virtual void UnSetAutoHideMode(CKtvPDockingControlBar* pFirstBarInGroup);
    virtual void GetTextSize(CSize& size) const;

    void GetSize(CSize& size) const;
    BOOL IsHorizontal() const;
    void ShowAttachedWindow(BOOL bShow);

    CRect GetRect() const { return m_rect; }
    DWORD GetAlignment() const { return m_dwAlignment; }
    CKtvPAutoHideToolBar* GetParentToolBar() const { return m_pAutoHideToolBar; }
    CKtvPDockingControlBar* GetAutoHideWindow() const { return m_pDockingBar; }
    BOOL IsTop() const { return m_bTop; }

    static int m_nBorder;
    static int m_nMargin;
    static int m_nIconTextGap;
    static int m_nNoIconGap;
    static BOOL m_bTextForActiveOnly;

protected:
    CRect m_rect;
    BOOL m_bTop;
    DWORD m_dwAlignment;
    BOOL m_bVisible;
    CKtvPAutoHideToolBar* m_pAutoHideToolBar;
    CKtvPDockingControlBar* m_pDockingBar;
};
