// The auto-hide strip along one frame edge: a dock bar with a single row in
// which only auto-hide toolbars dock.
#pragma once

#include "ui/docking/KtvPDockBar.h"

class CKtvPAutoHideToolBar;

class CKtvPAutoHideDockBar : public CKtvPDockBar {
    DECLARE_DYNCREATE(CKtvPAutoHideDockBar)
public:
    CKtvPAutoHideDockBar();
    ~CKtvPAutoHideDockBar() override;

    BOOL CanAcceptBar(const CKtvPBaseControlBar* pBar) const override;
    void DockControlBar(CKtvPControlBar* pWnd, int dockMethod, LPCRECT lpRect = nullptr) override;
    void AdjustRowsToRect(CRect rectNew) override;

    // Takes the toolbar's bars (every toolbar's when NULL) out of auto-hide.
    void UnSetAutoHideMode(CKtvPAutoHideToolBar* pAutoHideToolbar);


    static int m_nRowExtraSpace;

    // Where the strip's first toolbar starts; set by the dock manager at shared corners.
    int m_nOffsetStart;

protected:
    void OnPaint();
    DECLARE_MESSAGE_MAP()
};
