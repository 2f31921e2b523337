#include "explorer/ObjectBrowseBar.h"

#include "platform/mfc/CDC.h"
#include "platform/mfc/afxmsg.h"

IMPLEMENT_DYNAMIC(CObjectBrowseBar, CKtvPDockingControlBar)

BEGIN_MESSAGE_MAP(CObjectBrowseBar, CKtvPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CObjectBrowseBar::~CObjectBrowseBar() = default;

int CObjectBrowseBar::CreateHostedTree(CWnd& bar, CTreeCtrl& tree)
{
    if (!tree.Create(kTreeStyle, CRect(0, 0, 0, 0), &bar, kTreeId))
        return -1;
    LayOutHostedTree(bar, tree);
    return 0;
}

void CObjectBrowseBar::LayOutHostedTree(CWnd& bar, CWnd& tree)
{
    if (tree.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    bar.GetClientRect(client);
    tree.SetWindowPos(nullptr, client.left + 1, client.top + 1, client.Width() - 2, client.Height() - 2,
                      SWP_NOACTIVATE | SWP_NOZORDER);
}

void CObjectBrowseBar::PaintHostedTreeFrame(CWnd& bar, CWnd& tree)
{
    CPaintDC dc(&bar);
    if (tree.GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    tree.GetWindowRect(rect);
    bar.ScreenToClient(rect);
    rect.InflateRect(1, 1);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    dc.Draw3dRect(rect, shadow, shadow);
}

int CObjectBrowseBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    return CreateHostedTree(*this, m_wndTree);
}

void CObjectBrowseBar::AdjustLayout() { LayOutHostedTree(*this, m_wndTree); }

void CObjectBrowseBar::OnSize(UINT nType, int cx, int cy)
{
    CKtvPDockingControlBar::OnSize(nType, cx, cy);
    AdjustLayout();
}

void CObjectBrowseBar::OnPaint() { PaintHostedTreeFrame(*this, m_wndTree); }

void CObjectBrowseBar::OnContextMenu(CWnd* /*pWnd*/, CPoint /*point*/) {}
