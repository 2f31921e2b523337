// The concrete tabbed bar with a tab window strip: what a docking bar creates
// when a second bar is tabbed onto it. Automatic tab colours are switched for
// every tabbed bar at once.
#pragma once

#include "ui/docking/KtvPBaseTabbedBar.h"

class CKtvPTabbedControlBar : public CKtvPBaseTabbedBar {
    DECLARE_SERIAL(CKtvPTabbedControlBar)
public:
    explicit CKtvPTabbedControlBar(BOOL bAutoDestroy = FALSE);
    ~CKtvPTabbedControlBar() override;

    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    BOOL IsTabLocationBottom() const override;
    BOOL IsSingleBar() const override { return TRUE; }
    void OnPressCloseButton() override;
    BOOL FloatTab(CWnd* pBar, int iTab, int dockMethod, BOOL bHide = FALSE) override;
    BOOL DetachControlBar(CWnd* pBar, BOOL bHide = FALSE) override;

    virtual BOOL HasTabbedFlag() const { return TRUE; }

    static void EnableTabAutoColor(BOOL bEnable = TRUE);

    static int m_nTabWndStyle;
    static BOOL m_bTabAutoColor;
    static CArray<COLORREF, COLORREF> m_arTabAutoColors;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    static void ApplyAutoColors(CKtvPBaseTabWnd* pTabWnd);

    static CList<HWND, HWND> m_lstTabbedControlBars;
};
