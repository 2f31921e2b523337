#include "ui/commandbars/KtvPBaseToolBar.h"


IMPLEMENT_DYNCREATE(CKtvPBaseToolBar, CKtvPControlBar)

BEGIN_MESSAGE_MAP(CKtvPBaseToolBar, CKtvPControlBar)
END_MESSAGE_MAP()

CKtvPBaseToolBar::CKtvPBaseToolBar() = default;
CKtvPBaseToolBar::~CKtvPBaseToolBar() = default;

// A dragged toolbar follows the mouse.
int CKtvPBaseToolBar::GetDockingMode() const { return KTVP_DT_IMMEDIATE; }

// The control bar's virtual-rectangle update is left out on purpose.
void CKtvPBaseToolBar::OnAfterChangeParent(CWnd*) {}

void CKtvPBaseToolBar::GetMinSize(CSize& size) const
{
    size = IsHorizontal() ? CSize(40, 16) : CSize(16, 40);
}

// A stretch that changed the width repaints the whole bar: its buttons wrap anew.
void CKtvPBaseToolBar::OnAfterStretch(int)
{
    CRect rectClient;
    GetClientRect(rectClient);
    if (rectClient.Width() != m_rectVirtual.Width()) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}
