// The invisible placeholder that a drag outline inserts as a tab of a tabbed
// bar to preview a drop there: a docking bar that draws and erases nothing.
#pragma once

#include "ui/docking/KtvPDockingControlBar.h"

class CKtvPPreviewTabBar : public CKtvPDockingControlBar {
public:
    CKtvPPreviewTabBar();
    ~CKtvPPreviewTabBar() override;

    void DoPaint(CDC* /*pDC*/) override {}

protected:
    // The placeholder outlives its window and is made again under the next
    // frame that drags: it keeps nothing of the frame it was in.
    void PostNcDestroy() override { m_pDockSite = nullptr; }
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

// The one placeholder of the process, built on first use; its window is made
// by the first outline move and destroyed when the library cleans up.
CKtvPPreviewTabBar& KtvGetPreviewTabBar();
