#include "explorer/ProjectBar.h"

#include "explorer/ObjectBrowseBar.h"
#include "platform/mfc/afxmsg.h"

IMPLEMENT_DYNAMIC(CProjectBar, CKtvPDockingControlBar)

BEGIN_MESSAGE_MAP(CProjectBar, CKtvPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CProjectBar::~CProjectBar() = default;

int CProjectBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    return CObjectBrowseBar::CreateHostedTree(*this, m_wndTree);
}

void CProjectBar::AdjustLayout() { CObjectBrowseBar::LayOutHostedTree(*this, m_wndTree); }

void CProjectBar::OnSize(UINT nType, int cx, int cy)
{
    CKtvPDockingControlBar::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CProjectBar::OnPaint() { CObjectBrowseBar::PaintHostedTreeFrame(*this, m_wndTree); }

void CProjectBar::OnContextMenu(CWnd* /*pWnd*/, CPoint /*point*/) {}
