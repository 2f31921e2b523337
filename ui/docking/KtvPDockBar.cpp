#include "ui/docking/KtvPDockBar.h"

#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPDockBar, CKtvPBaseControlBar)

BEGIN_MESSAGE_MAP(CKtvPDockBar, CKtvPBaseControlBar)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CKtvPDockBar::CKtvPDockBar() : m_nDockBarID(0) {}

CKtvPDockBar::~CKtvPDockBar()
{
    while (!m_lstDockBarRows.IsEmpty())
        delete m_lstDockBarRows.RemoveHead();
}

BOOL CKtvPDockBar::CanAcceptBar(const CKtvPBaseControlBar*) const { KTVP_NOT_BUILT("CKtvPDockBar::CanAcceptBar"); }
CSize CKtvPDockBar::CalcFixedLayout(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPDockBar::CalcFixedLayout"); }
void CKtvPDockBar::AdjustLayout() { KTVP_NOT_BUILT("CKtvPDockBar::AdjustLayout"); }
BOOL CKtvPDockBar::IsDragMode() const { KTVP_NOT_BUILT("CKtvPDockBar::IsDragMode"); }
CKtvPDockBarRow* CKtvPDockBar::CreateRow(CKtvPDockBar*, int, int) { KTVP_NOT_BUILT("CKtvPDockBar::CreateRow"); }
void CKtvPDockBar::DockControlBar(CKtvPControlBar*, int, LPCRECT) { KTVP_NOT_BUILT("CKtvPDockBar::DockControlBar"); }
BOOL CKtvPDockBar::DockControlBarLeftOf(CKtvPControlBar*, CKtvPControlBar*)
{
    KTVP_NOT_BUILT("CKtvPDockBar::DockControlBarLeftOf");
}

void CKtvPDockBar::RemoveControlBar(CKtvPBaseControlBar*) { KTVP_NOT_BUILT("CKtvPDockBar::RemoveControlBar"); }
BOOL CKtvPDockBar::MoveControlBar(CKtvPControlBar*, UINT, CPoint) { KTVP_NOT_BUILT("CKtvPDockBar::MoveControlBar"); }
void CKtvPDockBar::OnInsertRow(POSITION) { KTVP_NOT_BUILT("CKtvPDockBar::OnInsertRow"); }
void CKtvPDockBar::OnRemoveRow(POSITION, BOOL) { KTVP_NOT_BUILT("CKtvPDockBar::OnRemoveRow"); }
int CKtvPDockBar::ResizeRowBy(CKtvPDockBarRow*, int) { KTVP_NOT_BUILT("CKtvPDockBar::ResizeRowBy"); }
void CKtvPDockBar::OnShowRow(POSITION, BOOL) { KTVP_NOT_BUILT("CKtvPDockBar::OnShowRow"); }
void CKtvPDockBar::AdjustRowsToRect(CRect) { KTVP_NOT_BUILT("CKtvPDockBar::AdjustRowsToRect"); }
void CKtvPDockBar::FixupVirtualRects() { KTVP_NOT_BUILT("CKtvPDockBar::FixupVirtualRects"); }
BOOL CKtvPDockBar::ShowBarInRow(CKtvPBaseControlBar*, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPDockBar::ShowBarInRow"); }
CKtvPBaseControlBar* CKtvPDockBar::ControlBarFromPoint(CPoint) { KTVP_NOT_BUILT("CKtvPDockBar::ControlBarFromPoint"); }
void CKtvPDockBar::RecalcFrameLayout() { KTVP_NOT_BUILT("CKtvPDockBar::RecalcFrameLayout"); }
HDWP CKtvPDockBar::SetDockBarPos(HDWP, const CRect&, UINT) { KTVP_NOT_BUILT("CKtvPDockBar::SetDockBarPos"); }
BOOL CKtvPDockBar::Create(DWORD, const RECT&, CWnd*, DWORD, CCreateContext*) { KTVP_NOT_BUILT("CKtvPDockBar::Create"); }
BOOL CKtvPDockBar::CreateEx(DWORD, DWORD, const RECT&, CWnd*, DWORD, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPDockBar::CreateEx");
}

CKtvPDockBarRow* CKtvPDockBar::AddRow(POSITION, int) { KTVP_NOT_BUILT("CKtvPDockBar::AddRow"); }
void CKtvPDockBar::RemoveRow(CKtvPDockBarRow*) { KTVP_NOT_BUILT("CKtvPDockBar::RemoveRow"); }
void CKtvPDockBar::ShowRow(CKtvPDockBarRow*, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPDockBar::ShowRow"); }
void CKtvPDockBar::SwapRows(CKtvPDockBarRow*, CKtvPDockBarRow*) { KTVP_NOT_BUILT("CKtvPDockBar::SwapRows"); }
int CKtvPDockBar::GrowDockBar(int, BOOL) { KTVP_NOT_BUILT("CKtvPDockBar::GrowDockBar"); }
int CKtvPDockBar::ResizeRow(CKtvPDockBarRow*, int, BOOL) { KTVP_NOT_BUILT("CKtvPDockBar::ResizeRow"); }
CKtvPDockBarRow* CKtvPDockBar::RowFromPoint(CPoint, BOOL&) { KTVP_NOT_BUILT("CKtvPDockBar::RowFromPoint"); }
CKtvPDockBarRow* CKtvPDockBar::GetNextVisibleRow(POSITION&, BOOL) { KTVP_NOT_BUILT("CKtvPDockBar::GetNextVisibleRow"); }
int CKtvPDockBar::FindRowIndex(CKtvPDockBarRow*) const { KTVP_NOT_BUILT("CKtvPDockBar::FindRowIndex"); }

CKtvPDockBarRow* CKtvPDockBar::FindRowOfBar(CKtvPBaseControlBar*) const
{
    KTVP_NOT_BUILT("CKtvPDockBar::FindRowOfBar");
}
CKtvPBaseControlBar* CKtvPDockBar::FindBarByID(UINT) { KTVP_NOT_BUILT("CKtvPDockBar::FindBarByID"); }
void CKtvPDockBar::OnPaint() { KTVP_NOT_BUILT("CKtvPDockBar::OnPaint"); }
BOOL CKtvPDockBar::OnEraseBkgnd(CDC*) { KTVP_NOT_BUILT("CKtvPDockBar::OnEraseBkgnd"); }
void CKtvPDockBar::OnContextMenu(CWnd*, CPoint) { KTVP_NOT_BUILT("CKtvPDockBar::OnContextMenu"); }
void CKtvPDockBar::OnDestroy() { KTVP_NOT_BUILT("CKtvPDockBar::OnDestroy"); }
void CKtvPDockBar::OnNcDestroy() { KTVP_NOT_BUILT("CKtvPDockBar::OnNcDestroy"); }
