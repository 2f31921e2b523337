#include "ui/docking/KtvPMultiMiniFrameWnd.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPMultiMiniFrameWnd, CKtvPMiniFrameWnd, VERSIONABLE_SCHEMA | 2)

BEGIN_MESSAGE_MAP(CKtvPMultiMiniFrameWnd, CKtvPMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_WM_GETMINMAXINFO()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_SETFOCUS()
    ON_REGISTERED_MESSAGE(KTVPMSG_CHECKEMPTYMINIFRAME, OnCheckEmptyState)
END_MESSAGE_MAP()

CKtvPMultiMiniFrameWnd::CKtvPMultiMiniFrameWnd() : m_hLastFocusedBar(nullptr) {}

CKtvPMultiMiniFrameWnd::~CKtvPMultiMiniFrameWnd() = default;

void CKtvPMultiMiniFrameWnd::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::Serialize"); }
BOOL CKtvPMultiMiniFrameWnd::CanBeDockedToBar(const CKtvPDockingControlBar*) const
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::CanBeDockedToBar");
}

BOOL CKtvPMultiMiniFrameWnd::CanBeAttached() const { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::CanBeAttached"); }
void CKtvPMultiMiniFrameWnd::AddControlBar(CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::AddControlBar");
}

void CKtvPMultiMiniFrameWnd::RemoveControlBar(CKtvPBaseControlBar*, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::RemoveControlBar");
}

void CKtvPMultiMiniFrameWnd::ReplaceControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::ReplaceControlBar");
}

void CKtvPMultiMiniFrameWnd::CheckBarCaptions() { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::CheckBarCaptions"); }
BOOL CKtvPMultiMiniFrameWnd::DockWithStatus(int, CWnd*, int)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::DockWithStatus");
}

int CKtvPMultiMiniFrameWnd::GetControlBarCount() const { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::GetControlBarCount"); }
int CKtvPMultiMiniFrameWnd::GetVisibleBarCount() const { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::GetVisibleBarCount"); }
CWnd* CKtvPMultiMiniFrameWnd::GetControlBar() const { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::GetControlBar"); }
CWnd* CKtvPMultiMiniFrameWnd::GetFirstVisibleBar() const
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::GetFirstVisibleBar");
}

CString CKtvPMultiMiniFrameWnd::GetCaptionText() { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::GetCaptionText"); }
void CKtvPMultiMiniFrameWnd::CalcExpectedDockedRect(CWnd*, CPoint, CRect&, BOOL&, CKtvPDockingControlBar**)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::CalcExpectedDockedRect");
}

CKtvPBaseControlBar* CKtvPMultiMiniFrameWnd::ControlBarFromPoint(CPoint, int, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::ControlBarFromPoint");
}

void CKtvPMultiMiniFrameWnd::AdjustLayout() { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::AdjustLayout"); }
BOOL CKtvPMultiMiniFrameWnd::SaveState(LPCTSTR, UINT) { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::SaveState"); }
BOOL CKtvPMultiMiniFrameWnd::LoadState(LPCTSTR, UINT) { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::LoadState"); }
void CKtvPMultiMiniFrameWnd::SetDockState(CKtvPDockManager*) { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::SetDockState"); }
void CKtvPMultiMiniFrameWnd::StoreRecentDockInfo(CKtvPControlBar*)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::StoreRecentDockInfo");
}

void CKtvPMultiMiniFrameWnd::StoreRecentTabRelatedInfo(CKtvPDockingControlBar*, CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::StoreRecentTabRelatedInfo");
}

void CKtvPMultiMiniFrameWnd::OnShowControlBar(CKtvPDockingControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::OnShowControlBar");
}

void CKtvPMultiMiniFrameWnd::CheckControlBarValid() { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::CheckControlBarValid"); }
void CKtvPMultiMiniFrameWnd::SetRollUpTimer() { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::SetRollUpTimer"); }
void CKtvPMultiMiniFrameWnd::KillRollUpTimer() { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::KillRollUpTimer"); }
void CKtvPMultiMiniFrameWnd::SaveRecentFloatingState()
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::SaveRecentFloatingState");
}

void CKtvPMultiMiniFrameWnd::CloseMiniFrame() { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::CloseMiniFrame"); }
CKtvPDockingControlBar* CKtvPMultiMiniFrameWnd::DockBarAtCursor(BOOL&)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::DockBarAtCursor");
}

BOOL CKtvPMultiMiniFrameWnd::DockMiniFrame(CKtvPMiniFrameWnd*, int)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::DockMiniFrame");
}

BOOL CKtvPMultiMiniFrameWnd::DockBarIntoFrame(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::DockBarIntoFrame");
}

BOOL CKtvPMultiMiniFrameWnd::AddRecentControlBar(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::AddRecentControlBar");
}

void CKtvPMultiMiniFrameWnd::DockBarToMainFrame(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::DockBarToMainFrame");
}

BOOL CKtvPMultiMiniFrameWnd::RegisterFloatingBar(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::RegisterFloatingBar");
}

int CKtvPMultiMiniFrameWnd::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::OnCreate"); }
void CKtvPMultiMiniFrameWnd::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::OnSize"); }
LRESULT CKtvPMultiMiniFrameWnd::OnSizing(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::OnSizing"); }
void CKtvPMultiMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO*) { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::OnGetMinMaxInfo"); }
void CKtvPMultiMiniFrameWnd::OnLButtonDblClk(UINT, CPoint)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::OnLButtonDblClk");
}

LRESULT CKtvPMultiMiniFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::OnIdleUpdateCmdUI");
}

void CKtvPMultiMiniFrameWnd::OnSetFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::OnSetFocus"); }
LRESULT CKtvPMultiMiniFrameWnd::OnCheckEmptyState(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMultiMiniFrameWnd::OnCheckEmptyState");
}

