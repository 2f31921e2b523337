#include "ui/docking/KtvPMiniFrameWnd.h"

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPNotBuilt.h"

// Floating frames are written into the docking layout with their class record.
IMPLEMENT_SERIAL(CKtvPMiniFrameWnd, CWnd, VERSIONABLE_SCHEMA | 2)

UINT CKtvPMiniFrameWnd::m_nRollTimeOut = 250;
BOOL CKtvPMiniFrameWnd::m_bUseSaveBits = TRUE;
CList<HWND, HWND> CKtvPMiniFrameWnd::m_lstFrames;
CMap<UINT, UINT, HWND, HWND> CKtvPMiniFrameWnd::m_mapFloatingBars;

BEGIN_MESSAGE_MAP(CKtvPMiniFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_SETCURSOR()
    ON_WM_NCMOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CHAR()
    ON_WM_CANCELMODE()
    ON_MESSAGE(WM_MOVING, OnMovingFrame)
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_GETMINMAXINFO()
    ON_WM_NCACTIVATE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_EXITSIZEMOVE, OnExitSizeMove)
    ON_WM_CLOSE()
    ON_WM_CONTEXTMENU()
    ON_WM_MOUSEACTIVATE()
    ON_WM_ERASEBKGND()
    ON_WM_SETTINGCHANGE()
    ON_WM_NCCREATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
    ON_REGISTERED_MESSAGE(KTVPMSG_CHECKEMPTYMINIFRAME, OnCheckEmptyState)
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedTipText)
END_MESSAGE_MAP()

CKtvPMiniFrameWnd::CKtvPMiniFrameWnd()
    : m_bIgnoreNextMove(false),
      m_bActive(FALSE),
      m_nCaptionHeight(GetSystemMetrics(SM_CYSMCAPTION)),
      m_dwCaptionButtons(0),
      m_pDockTarget(nullptr),
      m_hEmbeddedBar(nullptr),
      m_bCaptured(false),
      m_nDockStatus(0),
      m_sizeMinSize(m_nCaptionHeight + 15, m_nCaptionHeight + 15),
      m_nHit(0),
      m_nHot(0),
      m_nDockTimerID(0),
      m_nRollTimerID(0),
      m_bRolledUp(FALSE),
      m_nHeightBeforeRollUp(0),
      m_bPinned(FALSE),
      m_bKeepWhenEmpty(FALSE),
      m_hParentFrame(nullptr),
      m_hWndToDelete(nullptr),
      m_hLastFocus(nullptr),
      m_nRestoredBarID(0),
      m_rectRecentFloat(0, 0, 100, 100)
{
}

// The caption buttons are the frame's own.
CKtvPMiniFrameWnd::~CKtvPMiniFrameWnd()
{
    while (!m_lstCaptionButtons.IsEmpty())
        delete m_lstCaptionButtons.RemoveHead();
}

void CKtvPMiniFrameWnd::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::Serialize"); }
BOOL CKtvPMiniFrameWnd::PreCreateWindow(CREATESTRUCT&) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::PreCreateWindow"); }
BOOL CKtvPMiniFrameWnd::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::PreTranslateMessage"); }
BOOL CKtvPMiniFrameWnd::CanBeDockedToBar(const CKtvPDockingControlBar*) const
{
    KTVP_NOT_BUILT("CKtvPMiniFrameWnd::CanBeDockedToBar");
}

BOOL CKtvPMiniFrameWnd::IsCursorOverFrame() const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::IsCursorOverFrame"); }
BOOL CKtvPMiniFrameWnd::CanRollUp() const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::CanRollUp"); }
BOOL CKtvPMiniFrameWnd::CanBeAttached() const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::CanBeAttached"); }
void CKtvPMiniFrameWnd::AddControlBar(CKtvPBaseControlBar*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::AddControlBar"); }
void CKtvPMiniFrameWnd::RemoveControlBar(CKtvPBaseControlBar*, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMiniFrameWnd::RemoveControlBar");
}

void CKtvPMiniFrameWnd::ReplaceControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPMiniFrameWnd::ReplaceControlBar");
}

CKtvPBaseControlBar* CKtvPMiniFrameWnd::DockFrame(BOOL&) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::DockFrame"); }
void CKtvPMiniFrameWnd::SetCaptionButtons(DWORD) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::SetCaptionButtons"); }
BOOL CKtvPMiniFrameWnd::DockWithStatus(int, CWnd*, int) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::DockWithStatus"); }
void CKtvPMiniFrameWnd::OffsetWindow(CWnd*, int, int) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OffsetWindow"); }
BOOL CKtvPMiniFrameWnd::CanDockAtCursor() const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::CanDockAtCursor"); }
int CKtvPMiniFrameWnd::GetControlBarCount() const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::GetControlBarCount"); }
int CKtvPMiniFrameWnd::GetVisibleBarCount() const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::GetVisibleBarCount"); }
CWnd* CKtvPMiniFrameWnd::GetControlBar() const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::GetControlBar"); }
CWnd* CKtvPMiniFrameWnd::GetFirstVisibleBar() const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::GetFirstVisibleBar"); }
void CKtvPMiniFrameWnd::SizeToContent() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::SizeToContent"); }
CString CKtvPMiniFrameWnd::GetCaptionText() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::GetCaptionText"); }
void CKtvPMiniFrameWnd::CalcBorderSize(CRect&) const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::CalcBorderSize"); }
void CKtvPMiniFrameWnd::CalcExpectedDockedRect(CWnd*, CPoint, CRect&, BOOL&, CKtvPDockingControlBar**)
{
    KTVP_NOT_BUILT("CKtvPMiniFrameWnd::CalcExpectedDockedRect");
}

CKtvPBaseControlBar* CKtvPMiniFrameWnd::ControlBarFromPoint(CPoint, int, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMiniFrameWnd::ControlBarFromPoint");
}

void CKtvPMiniFrameWnd::GetCaptionRect(CRect&) const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::GetCaptionRect"); }
void CKtvPMiniFrameWnd::AdjustLayout() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::AdjustLayout"); }
void CKtvPMiniFrameWnd::OnBarRecalcLayout() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnBarRecalcLayout"); }
BOOL CKtvPMiniFrameWnd::SaveState(LPCTSTR, UINT) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::SaveState"); }
BOOL CKtvPMiniFrameWnd::LoadState(LPCTSTR, UINT) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::LoadState"); }
void CKtvPMiniFrameWnd::SetDockState(CKtvPDockManager*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::SetDockState"); }
UINT CKtvPMiniFrameWnd::HitTest(CPoint, BOOL) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::HitTest"); }
void CKtvPMiniFrameWnd::CheckControlBarValid() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::CheckControlBarValid"); }
void CKtvPMiniFrameWnd::SetRollUpTimer() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::SetRollUpTimer"); }
void CKtvPMiniFrameWnd::KillRollUpTimer() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::KillRollUpTimer"); }
BOOL CKtvPMiniFrameWnd::Create(LPCTSTR, DWORD, const RECT&, CWnd*, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPMiniFrameWnd::Create");
}

BOOL CKtvPMiniFrameWnd::CreateEx(DWORD, LPCTSTR, DWORD, const RECT&, CWnd*, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPMiniFrameWnd::CreateEx");
}

void CKtvPMiniFrameWnd::SetDragMode(BOOL) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::SetDragMode"); }
void CKtvPMiniFrameWnd::EnterDragMode(HWND) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::EnterDragMode"); }
void CKtvPMiniFrameWnd::OnDrawBorder(CDC*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnDrawBorder"); }
void CKtvPMiniFrameWnd::DrawCaptionButtons(CDC*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::DrawCaptionButtons"); }
void CKtvPMiniFrameWnd::SaveRecentFloatingState() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::SaveRecentFloatingState"); }
BOOL CKtvPMiniFrameWnd::AskFrameBeforeClose() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::AskFrameBeforeClose"); }
void CKtvPMiniFrameWnd::CloseMiniFrame() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::CloseMiniFrame"); }
void CKtvPMiniFrameWnd::OnPressButtonUp(UINT) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnPressButtonUp"); }
int CKtvPMiniFrameWnd::GetDockingMode() const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::GetDockingMode"); }
CKtvPDockingControlBar* CKtvPMiniFrameWnd::DockBarAtCursor(BOOL&)
{
    KTVP_NOT_BUILT("CKtvPMiniFrameWnd::DockBarAtCursor");
}

CKtvPCaptionButton* CKtvPMiniFrameWnd::AddButton(UINT) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::AddButton"); }
void CKtvPMiniFrameWnd::OnTrackCaptionButtons(CPoint) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnTrackCaptionButtons"); }
void CKtvPMiniFrameWnd::StopCaptionButtonsTracking()
{
    KTVP_NOT_BUILT("CKtvPMiniFrameWnd::StopCaptionButtonsTracking");
}

void CKtvPMiniFrameWnd::CalcMinSize(CSize&, MINMAXINFO*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::CalcMinSize"); }
void CKtvPMiniFrameWnd::OnCheckRollState() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnCheckRollState"); }
void CKtvPMiniFrameWnd::UpdateCaptionMetrics() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::UpdateCaptionMetrics"); }

LRESULT CKtvPMiniFrameWnd::OnMovingFrame(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnMovingFrame"); }
CKtvPCaptionButton* CKtvPMiniFrameWnd::FindButton(UINT) const { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::FindButton"); }
CKtvPCaptionButton* CKtvPMiniFrameWnd::FindButtonByPoint(CPoint) const
{
    KTVP_NOT_BUILT("CKtvPMiniFrameWnd::FindButtonByPoint");
}

void CKtvPMiniFrameWnd::RemoveButtons() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::RemoveButtons"); }
void CKtvPMiniFrameWnd::ArrangeCaptionButtons() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::ArrangeCaptionButtons"); }
void CKtvPMiniFrameWnd::UpdateTooltips() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::UpdateTooltips"); }
void CKtvPMiniFrameWnd::SyncTooltipTools() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::SyncTooltipTools"); }
void CKtvPMiniFrameWnd::RedrawButton(CKtvPCaptionButton*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::RedrawButton"); }
void CKtvPMiniFrameWnd::StartRollUpTimer() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::StartRollUpTimer"); }
void CKtvPMiniFrameWnd::StopRollUpTimer() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::StopRollUpTimer"); }
void CKtvPMiniFrameWnd::SetDockingTimer(UINT) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::SetDockingTimer"); }
void CKtvPMiniFrameWnd::KillDockingTimer() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::KillDockingTimer"); }
void CKtvPMiniFrameWnd::MoveDragFrame() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::MoveDragFrame"); }
BOOL CKtvPMiniFrameWnd::NotifyFrameOfMove() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::NotifyFrameOfMove"); }
BOOL CKtvPMiniFrameWnd::MoveLoop(CWnd*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::MoveLoop"); }
void CKtvPMiniFrameWnd::RedrawAll() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::RedrawAll"); }
void CKtvPMiniFrameWnd::AddRemoveBarFromGlobalList(CKtvPBaseControlBar* pBar, BOOL bAdd)
{
    if (pBar == nullptr) {
        return;
    }
    auto enter = [bAdd](CWnd* pWnd) {
        const UINT nID = (UINT)pWnd->GetDlgCtrlID();
        if (nID == (UINT)-1) {
            return;
        }
        if (bAdd) {
            m_mapFloatingBars.SetAt(nID, pWnd->GetSafeHwnd());
        } else {
            m_mapFloatingBars.RemoveKey(nID);
        }
    };
    if ((UINT)pBar->GetDlgCtrlID() != (UINT)-1) {
        enter(pBar);
        return;
    }
    if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
        auto* pTabbedBar = static_cast<CKtvPBaseTabbedBar*>(pBar);
        for (int i = 0; i < pTabbedBar->GetTabsNum(); ++i) {
            if (CWnd* pTab = pTabbedBar->FindBarByTabNumber(i, TRUE)) {
                enter(pTab);
            }
        }
    }
}

CKtvPBaseControlBar* CKtvPMiniFrameWnd::FindFloatingBarByID(UINT nID)
{
    HWND hWnd = nullptr;
    if (!m_mapFloatingBars.Lookup(nID, hWnd) || !::IsWindow(hWnd)) {
        return nullptr;
    }
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))
               ? static_cast<CKtvPBaseControlBar*>(pWnd)
               : nullptr;
}

int CKtvPMiniFrameWnd::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnCreate"); }
void CKtvPMiniFrameWnd::OnDestroy() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnDestroy"); }
void CKtvPMiniFrameWnd::OnNcDestroy() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnNcDestroy"); }
void CKtvPMiniFrameWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnNcCalcSize"); }
void CKtvPMiniFrameWnd::OnNcPaint() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnNcPaint"); }
LRESULT CKtvPMiniFrameWnd::OnNcHitTest(CPoint) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnNcHitTest"); }
BOOL CKtvPMiniFrameWnd::OnSetCursor(CWnd*, UINT, UINT) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnSetCursor"); }
void CKtvPMiniFrameWnd::OnNcMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnNcMouseMove"); }
void CKtvPMiniFrameWnd::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnLButtonDown"); }
void CKtvPMiniFrameWnd::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnLButtonUp"); }
void CKtvPMiniFrameWnd::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnMouseMove"); }
void CKtvPMiniFrameWnd::OnChar(UINT, UINT, UINT) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnChar"); }
void CKtvPMiniFrameWnd::OnCancelMode() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnCancelMode"); }
void CKtvPMiniFrameWnd::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnTimer"); }
void CKtvPMiniFrameWnd::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnLButtonDblClk"); }
void CKtvPMiniFrameWnd::OnNcLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnNcLButtonDblClk"); }
void CKtvPMiniFrameWnd::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnSize"); }
LRESULT CKtvPMiniFrameWnd::OnSizing(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnSizing"); }
void CKtvPMiniFrameWnd::OnWindowPosChanging(WINDOWPOS*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnWindowPosChanging"); }
void CKtvPMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnGetMinMaxInfo"); }
BOOL CKtvPMiniFrameWnd::OnNcActivate(BOOL) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnNcActivate"); }
LRESULT CKtvPMiniFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnIdleUpdateCmdUI"); }
void CKtvPMiniFrameWnd::OnSetFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnSetFocus"); }
LRESULT CKtvPMiniFrameWnd::OnExitSizeMove(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnExitSizeMove"); }
void CKtvPMiniFrameWnd::OnClose() { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnClose"); }
void CKtvPMiniFrameWnd::OnContextMenu(CWnd*, CPoint) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnContextMenu"); }
int CKtvPMiniFrameWnd::OnMouseActivate(CWnd*, UINT, UINT) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnMouseActivate"); }
BOOL CKtvPMiniFrameWnd::OnEraseBkgnd(CDC*) { return TRUE; }
void CKtvPMiniFrameWnd::OnSettingChange(UINT, LPCTSTR) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnSettingChange"); }
BOOL CKtvPMiniFrameWnd::OnNcCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnNcCreate"); }
LRESULT CKtvPMiniFrameWnd::OnFloatStatus(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnFloatStatus"); }
LRESULT CKtvPMiniFrameWnd::OnCheckEmptyState(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnCheckEmptyState"); }
BOOL CKtvPMiniFrameWnd::OnNeedTipText(UINT, NMHDR*, LRESULT*) { KTVP_NOT_BUILT("CKtvPMiniFrameWnd::OnNeedTipText"); }
