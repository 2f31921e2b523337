#include "ui/docking/KtvPDockManager.h"

#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/frames/KtvPNotBuilt.h"

int g_nKtvDefaultDockMode = KTVP_DT_STANDARD;

int CKtvPDockManager::m_nToolbarDockDelay = 200;
int CKtvPDockManager::m_nDockingBarDockDelay = 220;
int CKtvPDockManager::m_nDefaultSlideMode = 1;
int CKtvPDockManager::m_nDockSensitivity = 15;
BOOL CKtvPDockManager::m_bHideAllIncludesDockingBars = TRUE;
const TCHAR CKtvPDockManager::m_szSection[] = "KtvPDockManagers";

CKtvPDockManager::CKtvPDockManager()
    : m_bEnableAdjustLayout(TRUE),
      m_bLockUpdate(FALSE),
      m_bDisableRecalcLayout(FALSE),
      m_pParentWnd(nullptr),
      m_dwDockBarSides(0),
      m_dwAutoHideSides(0),
      m_pDockWaitTarget(nullptr),
      m_pDockWaitMultiFrame(nullptr),
      m_clkDockWaitStart(0),
      m_nDockWaitStatus(KTVP_CS_NOTHING),
      m_bIsPrintPreviewMode(FALSE),
      m_bHideAllBars(FALSE),
      m_bReserveBottomBand(FALSE),
      m_bInAdjustLayout(FALSE),
      m_bInRecalcLayout(FALSE),
      m_bLastLoadFailed(FALSE)
{
}

// The lists free their nodes; the bars, sliders and frames belong to the frame.
CKtvPDockManager::~CKtvPDockManager() = default;

CKtvPBaseControlBar* CKtvPDockManager::ControlBarFromPointAligned(CPoint, int, BOOL, DWORD&, CRuntimeClass*,
                                                                  const CKtvPBaseControlBar*) const
{
    KTVP_NOT_BUILT("CKtvPDockManager::ControlBarFromPointAligned");
}

CKtvPBaseControlBar* CKtvPDockManager::ControlBarFromPoint(CPoint, int, BOOL, CRuntimeClass*, BOOL,
                                                           const CKtvPBaseControlBar*) const
{
    KTVP_NOT_BUILT("CKtvPDockManager::ControlBarFromPoint");
}

CKtvPMiniFrameWnd* CKtvPDockManager::FindMiniFrameAtPoint(CPoint, const CWnd*, BOOL) const
{
    KTVP_NOT_BUILT("CKtvPDockManager::FindMiniFrameAtPoint");
}

int CKtvPDockManager::CalcDockingStatus(CPoint, int, DWORD, CKtvPBaseControlBar**, const CKtvPBaseControlBar*,
                                        CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPDockManager::CalcDockingStatus");
}

BOOL CKtvPDockManager::AddMiniFrame(CKtvPMiniFrameWnd*) { KTVP_NOT_BUILT("CKtvPDockManager::AddMiniFrame"); }
BOOL CKtvPDockManager::RemoveMiniFrame(CKtvPMiniFrameWnd*) { KTVP_NOT_BUILT("CKtvPDockManager::RemoveMiniFrame"); }

CKtvPBaseControlBar* CKtvPDockManager::FindBarByID(UINT, BOOL) { KTVP_NOT_BUILT("CKtvPDockManager::FindBarByID"); }
CKtvPDockBar* CKtvPDockManager::FindDockBar(DWORD, BOOL) { KTVP_NOT_BUILT("CKtvPDockManager::FindDockBar"); }

CKtvPDockBar* CKtvPDockManager::FindDockBarByControlBar(CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPDockManager::FindDockBarByControlBar");
}

void CKtvPDockManager::AdjustDockBars() { KTVP_NOT_BUILT("CKtvPDockManager::AdjustDockBars"); }
void CKtvPDockManager::RecalcLayout(BOOL) { KTVP_NOT_BUILT("CKtvPDockManager::RecalcLayout"); }
void CKtvPDockManager::AdjustDockingLayout(HDWP) { KTVP_NOT_BUILT("CKtvPDockManager::AdjustDockingLayout"); }
BOOL CKtvPDockManager::OnMoveMiniFrame(CWnd*) { KTVP_NOT_BUILT("CKtvPDockManager::OnMoveMiniFrame"); }
BOOL CKtvPDockManager::ShowControlBars(BOOL) { KTVP_NOT_BUILT("CKtvPDockManager::ShowControlBars"); }
void CKtvPDockManager::OnActivateFrame(BOOL) { KTVP_NOT_BUILT("CKtvPDockManager::OnActivateFrame"); }

BOOL CKtvPDockManager::AdjustRectToClientArea(CRect&, DWORD)
{
    KTVP_NOT_BUILT("CKtvPDockManager::AdjustRectToClientArea");
}

BOOL CKtvPDockManager::Create(CFrameWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return TRUE;
}

BOOL CKtvPDockManager::EnableDocking(DWORD) { KTVP_NOT_BUILT("CKtvPDockManager::EnableDocking"); }
BOOL CKtvPDockManager::EnableAutoHideBars(DWORD) { KTVP_NOT_BUILT("CKtvPDockManager::EnableAutoHideBars"); }
BOOL CKtvPDockManager::AddDockBar(DWORD, BOOL) { KTVP_NOT_BUILT("CKtvPDockManager::AddDockBar"); }

BOOL CKtvPDockManager::AddControlBar(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockManager::AddControlBar");
}

BOOL CKtvPDockManager::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockManager::InsertControlBar");
}

void CKtvPDockManager::RemoveControlBarFromDockManager(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockManager::RemoveControlBarFromDockManager");
}

void CKtvPDockManager::DockControlBar(CKtvPBaseControlBar*, UINT, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPDockManager::DockControlBar");
}

BOOL CKtvPDockManager::DockControlBarLeftOf(CKtvPControlBar*, CKtvPControlBar*)
{
    KTVP_NOT_BUILT("CKtvPDockManager::DockControlBarLeftOf");
}

BOOL CKtvPDockManager::IsPointNearDockBar(CPoint, DWORD&, BOOL&) const
{
    KTVP_NOT_BUILT("CKtvPDockManager::IsPointNearDockBar");
}

void CKtvPDockManager::CalcExpectedDockedRect(CWnd*, CPoint, CRect&, BOOL&, CKtvPDockingControlBar**)
{
    KTVP_NOT_BUILT("CKtvPDockManager::CalcExpectedDockedRect");
}

CKtvPAutoHideToolBar* CKtvPDockManager::AddAutoHideToolbar(CKtvPDockingControlBar*, CKtvPAutoHideToolBar*)
{
    KTVP_NOT_BUILT("CKtvPDockManager::AddAutoHideToolbar");
}

void CKtvPDockManager::HideAutoHideBars(CKtvPDockingControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockManager::HideAutoHideBars");
}

void CKtvPDockManager::AlignAutoHideBar(CKtvPSlider*, BOOL) { KTVP_NOT_BUILT("CKtvPDockManager::AlignAutoHideBar"); }
void CKtvPDockManager::BringBarsToTop(DWORD, BOOL) { KTVP_NOT_BUILT("CKtvPDockManager::BringBarsToTop"); }
void CKtvPDockManager::HideBarsInList(CObList&) { KTVP_NOT_BUILT("CKtvPDockManager::HideBarsInList"); }

void CKtvPDockManager::SetPrintPreviewMode(BOOL, CPrintPreviewState*)
{
    KTVP_NOT_BUILT("CKtvPDockManager::SetPrintPreviewMode");
}

void CKtvPDockManager::LockUpdate(BOOL) { KTVP_NOT_BUILT("CKtvPDockManager::LockUpdate"); }

void CKtvPDockManager::SendMessageToMiniFrames(UINT, WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPDockManager::SendMessageToMiniFrames");
}

void CKtvPDockManager::AlignByRect(const CRect&, CRect&, DWORD, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockManager::AlignByRect");
}

void CKtvPDockManager::SetAutoHideDockBarOffsets()
{
    KTVP_NOT_BUILT("CKtvPDockManager::SetAutoHideDockBarOffsets");
}
