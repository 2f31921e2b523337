#include "ui/docking/KtvPDockingControlBar.h"

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPTabbedControlBar.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_SERIAL(CKtvPDockingControlBar, CKtvPControlBar, VERSIONABLE_SCHEMA | 2)

// Zero until the library's start-up reads SM_CXDRAG and SM_CYDRAG.
int CKtvPDockingControlBar::m_nDragThresholdX = 0;
int CKtvPDockingControlBar::m_nDragThresholdY = 0;
int CKtvPDockingControlBar::m_nCaptionBorder = 2;
int CKtvPDockingControlBar::m_nCaptionButtonsMargin = 2;
BOOL CKtvPDockingControlBar::m_bHideDisabledButtons = TRUE;
BOOL CKtvPDockingControlBar::m_bHideInAutoHideMode = FALSE;
int CKtvPDockingControlBar::m_nAutoHideConditionDelay = 700;
int CKtvPDockingControlBar::m_nSlideDelay = 1;
int CKtvPDockingControlBar::m_nSlideSteps = 12;
BOOL CKtvPDockingControlBar::m_bDisableAnimation = FALSE;

BEGIN_MESSAGE_MAP(CKtvPDockingControlBar, CKtvPControlBar)
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCMOUSEMOVE()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedTipText)
    ON_WM_SETTINGCHANGE()
    ON_WM_CANCELMODE()
    ON_WM_CONTEXTMENU()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_CLOSE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_WM_SETFOCUS()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

CKtvPDockingControlBar::CKtvPDockingControlBar()
    : m_bPrepareToFloat(0),
      m_bReadyToFloat(0),
      m_nCaptionHeight(0),
      m_bHasGripper(FALSE),
      m_bActive(FALSE),
      m_nLastPercent(100),
      m_bEnableAutoHideAll(FALSE),
      m_bAutoHideMode(FALSE),
      m_nAutoHideConditionTimerID(0),
      m_nSlideTimerID(0),
      m_nSlideStepCount(0),
      m_nSlideStep(0),
      m_bIsSliding(FALSE),
      m_bBlockAutoHide(FALSE),
      m_bIsHiding(FALSE),
      m_nSlideMode(CKtvPDockManager::m_nDefaultSlideMode),
      m_pAutoHideButton(nullptr),
      m_pAutoHideBar(nullptr),
      m_pTabbedControlBarRTC(RUNTIME_CLASS(CKtvPTabbedControlBar)),
      m_hDefaultSlider(nullptr),
      m_nHot(0),
      m_nHit(0),
      m_bCaptionButtonsCaptured(FALSE)
{
}

// The caption buttons are the bar's own.
CKtvPDockingControlBar::~CKtvPDockingControlBar()
{
    for (INT_PTR i = 0; i < m_arrButtons.GetSize(); i++)
        delete m_arrButtons[i];
    m_arrButtons.RemoveAll();
}

int CKtvPDockingControlBar::GetCaptionHeight() const { KTVP_NOT_BUILT("CKtvPDockingControlBar::GetCaptionHeight"); }

BOOL CKtvPDockingControlBar::PreTranslateMessage(MSG*)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::PreTranslateMessage");
}

void CKtvPDockingControlBar::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPDockingControlBar::Serialize"); }
BOOL CKtvPDockingControlBar::IsVisible() const { KTVP_NOT_BUILT("CKtvPDockingControlBar::IsVisible"); }
BOOL CKtvPDockingControlBar::CanAcceptBar(const CKtvPBaseControlBar*) const
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::CanAcceptBar");
}

BOOL CKtvPDockingControlBar::IsInMultiMiniFrame() const
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::IsInMultiMiniFrame");
}

void CKtvPDockingControlBar::ShowCaption(BOOL) { KTVP_NOT_BUILT("CKtvPDockingControlBar::ShowCaption"); }
BOOL CKtvPDockingControlBar::DockToFrameWindow(DWORD, LPCRECT, DWORD, CKtvPBaseControlBar*, int, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::DockToFrameWindow");
}

void CKtvPDockingControlBar::RecalcLayout() { KTVP_NOT_BUILT("CKtvPDockingControlBar::RecalcLayout"); }
void CKtvPDockingControlBar::OnBeforeChangeParent(CWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnBeforeChangeParent");
}

void CKtvPDockingControlBar::OnAfterChangeParent(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnAfterChangeParent");
}

void CKtvPDockingControlBar::ShowControlBar(BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::ShowControlBar");
}

BOOL CKtvPDockingControlBar::LoadState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPDockingControlBar::LoadState"); }
BOOL CKtvPDockingControlBar::SaveState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPDockingControlBar::SaveState"); }
void CKtvPDockingControlBar::UndockControlBar(BOOL) { KTVP_NOT_BUILT("CKtvPDockingControlBar::UndockControlBar"); }
void CKtvPDockingControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnUpdateCmdUI");
}

CSize CKtvPDockingControlBar::CalcFixedLayout(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPDockingControlBar::CalcFixedLayout"); }
CKtvPBaseControlBar* CKtvPDockingControlBar::DockAtCursor(BOOL&)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::DockAtCursor");
}

BOOL CKtvPDockingControlBar::GetDockTargetAtCursor(int, CWnd*&)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::GetDockTargetAtCursor");
}

BOOL CKtvPDockingControlBar::OnBeforeFloat(CRect&, int) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnBeforeFloat"); }
void CKtvPDockingControlBar::DrawDragRect(LPCRECT, LPCRECT) { KTVP_NOT_BUILT("CKtvPDockingControlBar::DrawDragRect"); }
void CKtvPDockingControlBar::OnAfterDock(CKtvPBaseControlBar*, LPCRECT, int)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnAfterDock");
}

BOOL CKtvPDockingControlBar::Dock(CKtvPBaseControlBar*, LPCRECT, int)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::Dock");
}

void CKtvPDockingControlBar::EnterDragMode(BOOL) { KTVP_NOT_BUILT("CKtvPDockingControlBar::EnterDragMode"); }
void CKtvPDockingControlBar::StoreRecentDockInfo() { KTVP_NOT_BUILT("CKtvPDockingControlBar::StoreRecentDockInfo"); }
BOOL CKtvPDockingControlBar::CreateWithSize(LPCTSTR, CWnd*, SIZE, BOOL, UINT, DWORD, DWORD, DWORD)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::CreateWithSize");
}

BOOL CKtvPDockingControlBar::Create(LPCTSTR, CWnd*, const RECT&, BOOL, UINT, DWORD, DWORD, DWORD, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::Create");
}

BOOL CKtvPDockingControlBar::CreateEx(DWORD, LPCTSTR, CWnd*, const RECT&, BOOL, UINT, DWORD, DWORD, DWORD, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::CreateEx");
}

void CKtvPDockingControlBar::GetTabArea(CRect&, CRect&) const { KTVP_NOT_BUILT("CKtvPDockingControlBar::GetTabArea"); }
int CKtvPDockingControlBar::HitTestCaption(CPoint, BOOL) { KTVP_NOT_BUILT("CKtvPDockingControlBar::HitTestCaption"); }
BOOL CKtvPDockingControlBar::CanAcceptMiniFrame(CKtvPMiniFrameWnd*) const
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::CanAcceptMiniFrame");
}

int CKtvPDockingControlBar::GetDockingStatus(CPoint, int)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::GetDockingStatus");
}

CKtvPDockingControlBar* CKtvPDockingControlBar::AttachToTabbedBar(CKtvPDockingControlBar*, int, BOOL, CKtvPDockingControlBar**)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::AttachToTabbedBar");
}

CKtvPBaseTabbedBar* CKtvPDockingControlBar::CreateTabbedControlBar()
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::CreateTabbedControlBar");
}

BOOL CKtvPDockingControlBar::DockNextToBar(CKtvPDockingControlBar*, DWORD, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::DockNextToBar");
}

BOOL CKtvPDockingControlBar::DockContainer(CKtvPBarContainerManager&, DWORD, int)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::DockContainer");
}

CKtvPAutoHideToolBar* CKtvPDockingControlBar::SetAutoHideMode(BOOL, DWORD, CKtvPAutoHideToolBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::SetAutoHideMode");
}

void CKtvPDockingControlBar::StoreRecentTabRelatedInfo()
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::StoreRecentTabRelatedInfo");
}

void CKtvPDockingControlBar::OnPressCloseButton() { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnPressCloseButton"); }
void CKtvPDockingControlBar::DrawCaption(CDC*, CRect) { KTVP_NOT_BUILT("CKtvPDockingControlBar::DrawCaption"); }
void CKtvPDockingControlBar::OnTrackCaptionButtons(CPoint)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnTrackCaptionButtons");
}

void CKtvPDockingControlBar::StopCaptionButtonsTracking()
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::StopCaptionButtonsTracking");
}

void CKtvPDockingControlBar::SetCaptionButtons() { KTVP_NOT_BUILT("CKtvPDockingControlBar::SetCaptionButtons"); }
BOOL CKtvPDockingControlBar::CheckAutoHideCondition()
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::CheckAutoHideCondition");
}

BOOL CKtvPDockingControlBar::CheckStopSlideCondition(BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::CheckStopSlideCondition");
}

void CKtvPDockingControlBar::OnSlide(BOOL) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnSlide"); }
CKtvPSlider* CKtvPDockingControlBar::GetDefaultSlider() const
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::GetDefaultSlider");
}

void CKtvPDockingControlBar::SetDefaultSlider(HWND) { KTVP_NOT_BUILT("CKtvPDockingControlBar::SetDefaultSlider"); }
CKtvPSlider* CKtvPDockingControlBar::CreateDefaultSlider(DWORD, CWnd*, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::CreateDefaultSlider");
}

void CKtvPDockingControlBar::Slide(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPDockingControlBar::Slide"); }
void CKtvPDockingControlBar::UnSetAutoHideMode(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::UnSetAutoHideMode");
}

BOOL CKtvPDockingControlBar::ReplaceControlBar(CKtvPDockingControlBar*, int, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::ReplaceControlBar");
}

CKtvPCaptionButton* CKtvPDockingControlBar::FindButtonByHit(UINT) const
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::FindButtonByHit");
}

void CKtvPDockingControlBar::EnableCaptionButton(UINT, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::EnableCaptionButton");
}

CKtvPCaptionButton* CKtvPDockingControlBar::FindButtonAtPoint(CPoint) const
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::FindButtonAtPoint");
}

void CKtvPDockingControlBar::RedrawButton(const CKtvPCaptionButton*)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::RedrawButton");
}

void CKtvPDockingControlBar::UpdateCaptionButtonTooltips()
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::UpdateCaptionButtonTooltips");
}

int CKtvPDockingControlBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnCreate"); }
void CKtvPDockingControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnNcCalcSize");
}

void CKtvPDockingControlBar::OnNcPaint() { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnNcPaint"); }
LRESULT CKtvPDockingControlBar::OnNcHitTest(CPoint) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnNcHitTest"); }
void CKtvPDockingControlBar::OnNcMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnNcMouseMove"); }
BOOL CKtvPDockingControlBar::OnNeedTipText(UINT, NMHDR*, LRESULT*)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnNeedTipText");
}

void CKtvPDockingControlBar::OnSettingChange(UINT, LPCTSTR)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnSettingChange");
}

void CKtvPDockingControlBar::OnCancelMode() { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnCancelMode"); }
void CKtvPDockingControlBar::OnContextMenu(CWnd*, CPoint) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnContextMenu"); }
void CKtvPDockingControlBar::OnRButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnRButtonDown"); }
void CKtvPDockingControlBar::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnLButtonDown"); }
void CKtvPDockingControlBar::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnMouseMove"); }
void CKtvPDockingControlBar::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnLButtonUp"); }
void CKtvPDockingControlBar::OnLButtonDblClk(UINT, CPoint)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnLButtonDblClk");
}

void CKtvPDockingControlBar::OnNcLButtonDown(UINT, CPoint)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnNcLButtonDown");
}

void CKtvPDockingControlBar::OnClose() { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnClose"); }
void CKtvPDockingControlBar::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnTimer"); }
void CKtvPDockingControlBar::OnDestroy() { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnDestroy"); }
LRESULT CKtvPDockingControlBar::OnSetText(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnSetText"); }
void CKtvPDockingControlBar::OnSetFocus(CWnd*) { KTVP_NOT_BUILT("CKtvPDockingControlBar::OnSetFocus"); }
void CKtvPDockingControlBar::OnWindowPosChanging(WINDOWPOS*)
{
    KTVP_NOT_BUILT("CKtvPDockingControlBar::OnWindowPosChanging");
}

