#include "ui/docking/KtvPAutoHideDockBar.h"

#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPAutoHideDockBar, CKtvPDockBar)

int CKtvPAutoHideDockBar::m_nRowExtraSpace = 2;

BEGIN_MESSAGE_MAP(CKtvPAutoHideDockBar, CKtvPDockBar)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CKtvPAutoHideDockBar::CKtvPAutoHideDockBar() : m_nOffsetStart(0) {}

CKtvPAutoHideDockBar::~CKtvPAutoHideDockBar() = default;

BOOL CKtvPAutoHideDockBar::CanAcceptBar(const CKtvPBaseControlBar*) const
{
    KTVP_NOT_BUILT("CKtvPAutoHideDockBar::CanAcceptBar");
}

void CKtvPAutoHideDockBar::DockControlBar(CKtvPControlBar*, int, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPAutoHideDockBar::DockControlBar");
}

void CKtvPAutoHideDockBar::AdjustRowsToRect(CRect) { KTVP_NOT_BUILT("CKtvPAutoHideDockBar::AdjustRowsToRect"); }
void CKtvPAutoHideDockBar::UnSetAutoHideMode(CKtvPAutoHideToolBar*)
{
    KTVP_NOT_BUILT("CKtvPAutoHideDockBar::UnSetAutoHideMode");
}

void CKtvPAutoHideDockBar::OnPaint() { KTVP_NOT_BUILT("CKtvPAutoHideDockBar::OnPaint"); }
