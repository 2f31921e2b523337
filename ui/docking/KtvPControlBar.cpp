#include "ui/docking/KtvPControlBar.h"

#include <cstdlib>

#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPControlBar, CKtvPBaseControlBar)

const TCHAR CKtvPControlBar::m_szSection[] = "KtvControlBars";

BEGIN_MESSAGE_MAP(CKtvPControlBar, CKtvPBaseControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

CKtvPControlBar::CKtvPControlBar()
    : m_bFirstInGroup(TRUE),
      m_bLastInGroup(TRUE),
      m_bActiveInGroup(TRUE),
      m_nCount(0),
      m_pData(nullptr),
      m_cxLeftBorder(6),
      m_cxRightBorder(6),
      m_cyTopBorder(2),
      m_cyBottomBorder(2),
      m_cxDefaultGap(2),
      m_nMRUWidth(32767),
      m_bCaptured(0),
      m_nID(0),
      m_ptClientHotSpot(0, 0),
      m_bDblClick(0),
      m_bDragMode(FALSE),
      m_pMiniFrameRTC(RUNTIME_CLASS(CKtvPMiniFrameWnd)),
      m_hwndMiniFrameToDelete(nullptr),
      m_bExclusiveRow(FALSE),
      m_nPinState(0),
      m_sizeMin(1, 1),
      m_recentDockInfo(this),
      m_bRecentFloatingState(FALSE),
      m_bClickHandedToMiniFrame(FALSE)
{
}

// The element array of AllocElements (calloc) is the bar's own.
CKtvPControlBar::~CKtvPControlBar()
{
    std::free(m_pData);
}

void CKtvPControlBar::DoPaint(CDC*) { KTVP_NOT_BUILT("CKtvPControlBar::DoPaint"); }

BOOL CKtvPControlBar::Create(LPCTSTR, DWORD, const RECT&, CWnd*, UINT, DWORD, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPControlBar::Create");
}

BOOL CKtvPControlBar::IsTabbed() const { KTVP_NOT_BUILT("CKtvPControlBar::IsTabbed"); }
BOOL CKtvPControlBar::CanBeDocked(CKtvPBaseControlBar*) const { KTVP_NOT_BUILT("CKtvPControlBar::CanBeDocked"); }
BOOL CKtvPControlBar::DockControlBar(CKtvPBaseControlBar*, LPCRECT, int)
{
    KTVP_NOT_BUILT("CKtvPControlBar::DockControlBar");
}

BOOL CKtvPControlBar::FloatControlBar(CRect, int, BOOL) { KTVP_NOT_BUILT("CKtvPControlBar::FloatControlBar"); }
void CKtvPControlBar::RecalcLayout() { KTVP_NOT_BUILT("CKtvPControlBar::RecalcLayout"); }
CKtvPMiniFrameWnd* CKtvPControlBar::CreateDefaultMiniframe(CRect)
{
    KTVP_NOT_BUILT("CKtvPControlBar::CreateDefaultMiniframe");
}

void CKtvPControlBar::OnBeforeChangeParent(CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPControlBar::OnBeforeChangeParent"); }
void CKtvPControlBar::OnAfterChangeParent(CWnd*) { KTVP_NOT_BUILT("CKtvPControlBar::OnAfterChangeParent"); }
BOOL CKtvPControlBar::LoadState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPControlBar::LoadState"); }
BOOL CKtvPControlBar::SaveState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPControlBar::SaveState"); }
void CKtvPControlBar::UndockControlBar(BOOL) { KTVP_NOT_BUILT("CKtvPControlBar::UndockControlBar"); }
int CKtvPControlBar::GetAvailableExpandSize() const { KTVP_NOT_BUILT("CKtvPControlBar::GetAvailableExpandSize"); }
int CKtvPControlBar::GetAvailableStretchSize() const { KTVP_NOT_BUILT("CKtvPControlBar::GetAvailableStretchSize"); }
void CKtvPControlBar::AttachToDockBar(CWnd*, int) { KTVP_NOT_BUILT("CKtvPControlBar::AttachToDockBar"); }
BOOL CKtvPControlBar::DockByMouse(CKtvPBaseControlBar*) { KTVP_NOT_BUILT("CKtvPControlBar::DockByMouse"); }
CSize CKtvPControlBar::ResizeToRect(CRect, BOOL) { KTVP_NOT_BUILT("CKtvPControlBar::ResizeToRect"); }
int CKtvPControlBar::StretchBar(int, HDWP) { KTVP_NOT_BUILT("CKtvPControlBar::StretchBar"); }
CKtvPBaseControlBar* CKtvPControlBar::DockAtCursor(BOOL&) { KTVP_NOT_BUILT("CKtvPControlBar::DockAtCursor"); }
BOOL CKtvPControlBar::GetDockTargetAtCursor(int, CWnd*&) { KTVP_NOT_BUILT("CKtvPControlBar::GetDockTargetAtCursor"); }
void CKtvPControlBar::RestoreRecentDockPos(CKtvPDockManager*)
{
    KTVP_NOT_BUILT("CKtvPControlBar::RestoreRecentDockPos");
}

void CKtvPControlBar::OnProcessDblClk() { KTVP_NOT_BUILT("CKtvPControlBar::OnProcessDblClk"); }
void CKtvPControlBar::OnAfterFloat() { KTVP_NOT_BUILT("CKtvPControlBar::OnAfterFloat"); }
BOOL CKtvPControlBar::CreateEx(DWORD, LPCTSTR, DWORD, const RECT&, CWnd*, UINT, DWORD, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPControlBar::CreateEx");
}

CSize CKtvPControlBar::GetSizeDeltaForRect(CRect) const { KTVP_NOT_BUILT("CKtvPControlBar::GetSizeDeltaForRect"); }
void CKtvPControlBar::AdjustSizeImmediate(BOOL) { KTVP_NOT_BUILT("CKtvPControlBar::AdjustSizeImmediate"); }
void CKtvPControlBar::ResumeDragMode() { KTVP_NOT_BUILT("CKtvPControlBar::ResumeDragMode"); }
BOOL CKtvPControlBar::OnBeforeDock(CKtvPBaseControlBar**, LPCRECT, int)
{
    KTVP_NOT_BUILT("CKtvPControlBar::OnBeforeDock");
}

void CKtvPControlBar::ChangeParent(CWnd*, int) { KTVP_NOT_BUILT("CKtvPControlBar::ChangeParent"); }
BOOL CKtvPControlBar::Dock(CKtvPBaseControlBar*, LPCRECT, int) { KTVP_NOT_BUILT("CKtvPControlBar::Dock"); }
void CKtvPControlBar::EnterDragMode(BOOL) { KTVP_NOT_BUILT("CKtvPControlBar::EnterDragMode"); }
void CKtvPControlBar::StoreRecentDockInfo() { KTVP_NOT_BUILT("CKtvPControlBar::StoreRecentDockInfo"); }
BOOL CKtvPControlBar::AllocElements(int, int) { KTVP_NOT_BUILT("CKtvPControlBar::AllocElements"); }
void CKtvPControlBar::CalcInsideRect(CRect&, BOOL) const { KTVP_NOT_BUILT("CKtvPControlBar::CalcInsideRect"); }
void CKtvPControlBar::UpdateVirtualRect() { KTVP_NOT_BUILT("CKtvPControlBar::UpdateVirtualRect"); }
void CKtvPControlBar::UpdateVirtualRectToSize(int, int) { KTVP_NOT_BUILT("CKtvPControlBar::UpdateVirtualRectToSize"); }
void CKtvPControlBar::GetVirtualRect(CRect&) const { KTVP_NOT_BUILT("CKtvPControlBar::GetVirtualRect"); }
void CKtvPControlBar::UpdateRecentDockedRect() { KTVP_NOT_BUILT("CKtvPControlBar::UpdateRecentDockedRect"); }
void CKtvPControlBar::MoveAcrossRow(DWORD, int) { KTVP_NOT_BUILT("CKtvPControlBar::MoveAcrossRow"); }
BOOL CKtvPControlBar::IsPointBeforeBar(int, int, BOOL) const { KTVP_NOT_BUILT("CKtvPControlBar::IsPointBeforeBar"); }
void CKtvPControlBar::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPControlBar::OnLButtonDown"); }
void CKtvPControlBar::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPControlBar::OnMouseMove"); }
void CKtvPControlBar::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPControlBar::OnLButtonUp"); }
void CKtvPControlBar::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPControlBar::OnLButtonDblClk"); }
void CKtvPControlBar::OnCancelMode() { KTVP_NOT_BUILT("CKtvPControlBar::OnCancelMode"); }
void CKtvPControlBar::OnChar(UINT, UINT, UINT) { KTVP_NOT_BUILT("CKtvPControlBar::OnChar"); }
void CKtvPControlBar::OnContextMenu(CWnd*, CPoint) { KTVP_NOT_BUILT("CKtvPControlBar::OnContextMenu"); }
void CKtvPControlBar::OnDestroy() { KTVP_NOT_BUILT("CKtvPControlBar::OnDestroy"); }
void CKtvPControlBar::OnNcDestroy() { KTVP_NOT_BUILT("CKtvPControlBar::OnNcDestroy"); }
void CKtvPControlBar::OnWindowPosChanging(WINDOWPOS*) { KTVP_NOT_BUILT("CKtvPControlBar::OnWindowPosChanging"); }
void CKtvPControlBarImpl::DrawNcArea() { KTVP_NOT_BUILT("CKtvPControlBarImpl::DrawNcArea"); }
void CKtvPControlBarImpl::CalcNcSize(NCCALCSIZE_PARAMS*) { KTVP_NOT_BUILT("CKtvPControlBarImpl::CalcNcSize"); }
void CKtvPControlBarImpl::DrawParentBackground(CDC*) { KTVP_NOT_BUILT("CKtvPControlBarImpl::DrawParentBackground"); }
void CKtvPControlBarImpl::GetGripperRect(CRect&, BOOL) { KTVP_NOT_BUILT("CKtvPControlBarImpl::GetGripperRect"); }
