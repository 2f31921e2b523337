#include "ui/commandbars/KtvPBaseToolBar.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPBaseToolBar, CKtvPControlBar)

BEGIN_MESSAGE_MAP(CKtvPBaseToolBar, CKtvPControlBar)
END_MESSAGE_MAP()

CKtvPBaseToolBar::CKtvPBaseToolBar() = default;
CKtvPBaseToolBar::~CKtvPBaseToolBar() = default;

// A dragged toolbar follows the mouse.
int CKtvPBaseToolBar::GetDockingMode() const { return KTVP_DT_IMMEDIATE; }

// The control bar's virtual-rectangle update is left out on purpose.
void CKtvPBaseToolBar::OnAfterChangeParent(CWnd*) {}

void CKtvPBaseToolBar::GetMinSize(CSize&) const { KTVP_NOT_BUILT("CKtvPBaseToolBar::GetMinSize"); }
void CKtvPBaseToolBar::OnAfterStretch(int) { KTVP_NOT_BUILT("CKtvPBaseToolBar::OnAfterStretch"); }
