// The thin base between the control bar and every toolbar: a dragged toolbar
// follows the mouse, keeps a minimum size and repaints after stretching.
#pragma once

#include "ui/docking/KtvPControlBar.h"

class CKtvPBaseToolBar : public CKtvPControlBar {
    DECLARE_DYNCREATE(CKtvPBaseToolBar)
public:
    CKtvPBaseToolBar();
    ~CKtvPBaseToolBar() override;

    int GetDockingMode() const override;
    void OnAfterChangeParent(CWnd* pWndOldParent) override;
    void GetMinSize(CSize& size) const override;
    void OnAfterStretch(int nDelta) override;

protected:
    DECLARE_MESSAGE_MAP()
};
