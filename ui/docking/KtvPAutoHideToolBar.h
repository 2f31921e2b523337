// The control bar in an auto-hide strip that shows the button of one
// auto-hidden bar; resting on the button slides the bar out.
#pragma once

#include "platform/mfc/CObList.h"
#include "ui/docking/KtvPControlBar.h"

class CKtvPAutoHideButton;
class CKtvPDockingControlBar;

class CKtvPAutoHideToolBar : public CKtvPControlBar {
    DECLARE_DYNCREATE(CKtvPAutoHideToolBar)
public:
    CKtvPAutoHideToolBar();
    // Kills a running hover timer and deletes the buttons.
    ~CKtvPAutoHideToolBar() override;

    CSize CalcLayoutForLength(int nLength, BOOL bVert) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void SetActiveInGroup(BOOL bActive) override;

    CKtvPAutoHideButton* AddAutoHideWindow(CWnd* pBar, DWORD dwAlignment);
    BOOL RemoveAutoHideWindow(CKtvPDockingControlBar* pBar);
    BOOL ShowAutoHideWindow(CKtvPDockingControlBar* pBar, BOOL bShow, BOOL bDelay);
    void UpdateVisibleState();
    void UnSetAutoHideMode(CKtvPDockingControlBar* pFirstBarInGroup);
    int GetVisibleCount() const;
    CKtvPAutoHideButton* FindButton(CWnd* pBar) const;
    CKtvPAutoHideButton* ButtonFromPoint(CPoint pt) const;
    void CleanUpButtons();
    CKtvPDockingControlBar* GetFirstAttachedBar() const;

    const CObList& GetButtons() const { return m_lstButtons; }

    static CRuntimeClass* m_pButtonRTC;
    static int m_nHoverDelay;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnNcDestroy();
    DECLARE_MESSAGE_MAP()

    CObList m_lstButtons;
    BOOL m_bHoverPending;
    UINT_PTR m_nHoverTimerID;
};
