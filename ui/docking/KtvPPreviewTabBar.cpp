#include "ui/docking/KtvPPreviewTabBar.h"

#include "platform/mfc/afxmsg.h"

BEGIN_MESSAGE_MAP(CKtvPPreviewTabBar, CKtvPDockingControlBar)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CKtvPPreviewTabBar::CKtvPPreviewTabBar() = default;

CKtvPPreviewTabBar::~CKtvPPreviewTabBar() = default;

BOOL CKtvPPreviewTabBar::OnEraseBkgnd(CDC*) { return FALSE; }

CKtvPPreviewTabBar& KtvGetPreviewTabBar()
{
    static CKtvPPreviewTabBar s_bar;
    return s_bar;
}
