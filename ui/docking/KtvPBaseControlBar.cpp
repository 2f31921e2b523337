#include "ui/docking/KtvPBaseControlBar.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNAMIC(CKtvPBaseControlBar, CWnd)

BOOL g_bKtvRestoringDockState = FALSE;

BOOL CKtvPBaseControlBar::m_bMultiThreaded = FALSE;
CRITICAL_SECTION CKtvPBaseControlBar::m_CriticalSection;
const TCHAR CKtvPBaseControlBar::m_szSection[] = "KtvPBaseControlBars";
CObList CKtvPBaseControlBar::m_lstAllControlBars;

BEGIN_MESSAGE_MAP(CKtvPBaseControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CKtvPBaseControlBar::CKtvPBaseControlBar()
    : m_dwEnabledAlignment(0),
      m_dwStyle(0),
      m_dwControlBarStyle(0),
      m_bRecentVisibleState(FALSE),
      m_bRestoredFromRegistry(FALSE),
      m_pParentDockBar(nullptr),
      m_pDockBarRow(nullptr),
      m_pDockSite(nullptr),
      m_dockMode(KTVP_DT_UNDEFINED),
      m_bIsDlgControl(FALSE),
      m_lpszBarTemplateName(nullptr),
      m_sizeDialog(0, 0)
{
}

CKtvPBaseControlBar::~CKtvPBaseControlBar() = default;

void CKtvPBaseControlBar::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPBaseControlBar::Serialize"); }

BOOL CKtvPBaseControlBar::PreTranslateMessage(MSG*)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::PreTranslateMessage");
}

// Through the virtual alignment, so that a bar answering its own alignment is horizontal by it.
BOOL CKtvPBaseControlBar::IsHorizontal() const
{
    return (GetCurrentAlignment() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
}

BOOL CKtvPBaseControlBar::IsDocked() const { KTVP_NOT_BUILT("CKtvPBaseControlBar::IsDocked"); }
BOOL CKtvPBaseControlBar::IsTabbed() const { KTVP_NOT_BUILT("CKtvPBaseControlBar::IsTabbed"); }
BOOL CKtvPBaseControlBar::IsFloating() const { KTVP_NOT_BUILT("CKtvPBaseControlBar::IsFloating"); }
BOOL CKtvPBaseControlBar::IsVisible() const { KTVP_NOT_BUILT("CKtvPBaseControlBar::IsVisible"); }
BOOL CKtvPBaseControlBar::AllowsInsertBefore() const { KTVP_NOT_BUILT("CKtvPBaseControlBar::AllowsInsertBefore"); }

int CKtvPBaseControlBar::GetDockingMode() const
{
    return m_dockMode != KTVP_DT_UNDEFINED ? m_dockMode : g_nKtvDefaultDockMode;
}

HICON CKtvPBaseControlBar::GetIcon(BOOL) const { KTVP_NOT_BUILT("CKtvPBaseControlBar::GetIcon"); }
BOOL CKtvPBaseControlBar::CanFloat() const { KTVP_NOT_BUILT("CKtvPBaseControlBar::CanFloat"); }

void CKtvPBaseControlBar::SetBarAlignment(DWORD dwAlignment)
{
    m_dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | (dwAlignment & CBRS_ALIGN_ANY);
}

void CKtvPBaseControlBar::ShowControlBar(BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::ShowControlBar");
}

CKtvPMiniFrameWnd* CKtvPBaseControlBar::GetParentMiniFrame(BOOL) const
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::GetParentMiniFrame");
}

BOOL CKtvPBaseControlBar::LoadState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPBaseControlBar::LoadState"); }
BOOL CKtvPBaseControlBar::SaveState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPBaseControlBar::SaveState"); }

HDWP CKtvPBaseControlBar::MoveControlBar(LPCRECT, BOOL, HDWP)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::MoveControlBar");
}

HDWP CKtvPBaseControlBar::SetWindowPos(const CWnd*, int, int, int, int, UINT, HDWP)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::SetWindowPos");
}

BOOL CKtvPBaseControlBar::CreateEx(DWORD, LPCTSTR, LPCTSTR, DWORD, const RECT&, CWnd*, UINT, DWORD,
                                   CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::CreateEx");
}

CSize CKtvPBaseControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

void CKtvPBaseControlBar::DoPaint(CDC*) { KTVP_NOT_BUILT("CKtvPBaseControlBar::DoPaint"); }

void CKtvPBaseControlBar::AdjustDockingLayout(HDWP)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::AdjustDockingLayout");
}

CKtvPBaseTabWnd* CKtvPBaseControlBar::GetParentTabWnd(HWND&) const
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::GetParentTabWnd");
}

CKtvPBaseTabbedBar* CKtvPBaseControlBar::GetParentTabbedBar() const
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::GetParentTabbedBar");
}

void CKtvPBaseControlBar::AddBarToDockSite(CKtvPBaseControlBar*)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::AddBarToDockSite");
}

void CKtvPBaseControlBar::RemoveBarFromDockSite(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::RemoveBarFromDockSite");
}

BOOL CKtvPBaseControlBar::IsPointNearDockSite(CPoint, DWORD&, BOOL&) const
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::IsPointNearDockSite");
}

CKtvPBaseControlBar* CKtvPBaseControlBar::ControlBarFromPointInDockSite(CPoint, int, BOOL, CRuntimeClass*) const
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::ControlBarFromPointInDockSite");
}

BOOL CKtvPBaseControlBar::InsertBarIntoDockSite(CKtvPBaseControlBar*, CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::InsertBarIntoDockSite");
}

void CKtvPBaseControlBar::DockToDockSite(BOOL) { KTVP_NOT_BUILT("CKtvPBaseControlBar::DockToDockSite"); }

LRESULT CKtvPBaseControlBar::WindowProc(UINT, WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::WindowProc");
}

int CKtvPBaseControlBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPBaseControlBar::OnCreate"); }
void CKtvPBaseControlBar::OnDestroy() { KTVP_NOT_BUILT("CKtvPBaseControlBar::OnDestroy"); }
void CKtvPBaseControlBar::OnPaint() { KTVP_NOT_BUILT("CKtvPBaseControlBar::OnPaint"); }
BOOL CKtvPBaseControlBar::OnEraseBkgnd(CDC*) { return TRUE; }
void CKtvPBaseControlBar::OnSize(UINT, int, int) { KTVP_NOT_BUILT("CKtvPBaseControlBar::OnSize"); }

LRESULT CKtvPBaseControlBar::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::OnIdleUpdateCmdUI");
}

LRESULT CKtvPBaseControlBar::OnHelpHitTest(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::OnHelpHitTest");
}

LRESULT CKtvPBaseControlBar::HandleInitDialog(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPBaseControlBar::HandleInitDialog");
}
