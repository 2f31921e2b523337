#include "ui/frames/KtvPMDIChildWnd.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPMDIChildWnd, CMDIChildWnd)

BEGIN_MESSAGE_MAP(CKtvPMDIChildWnd, CMDIChildWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivateMessage)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_SETICON, OnSetIcon)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_WM_DESTROY()
    ON_WM_WINDOWPOSCHANGING()  // default processing
    ON_WM_GETMINMAXINFO()  // default processing
END_MESSAGE_MAP()

BOOL CKtvPMDIChildWnd::m_bActivating = FALSE;

CKtvPMDIChildWnd::CKtvPMDIChildWnd()
    : m_pMDIFrame(nullptr), m_bToBeDestroyed(FALSE), m_bWasMaximized(FALSE), m_bIsMinimized(FALSE)
{
}

CKtvPMDIChildWnd::~CKtvPMDIChildWnd() = default;

void CKtvPMDIChildWnd::AdjustDockingLayout(HDWP)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::AdjustDockingLayout");
}

BOOL CKtvPMDIChildWnd::OnMoveMiniFrame(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::OnMoveMiniFrame");
}

CString CKtvPMDIChildWnd::GetFrameText() const
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::GetFrameText");
}

HICON CKtvPMDIChildWnd::GetFrameIcon() const
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::GetFrameIcon");
}

BOOL CKtvPMDIChildWnd::CanShowOnMDITabs()
{
    return TRUE;
}

BOOL CKtvPMDIChildWnd::AddControlBar(CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::AddControlBar");
}

BOOL CKtvPMDIChildWnd::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::InsertControlBar");
}

void CKtvPMDIChildWnd::RemoveControlBarFromDockManager(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::RemoveControlBarFromDockManager");
}

void CKtvPMDIChildWnd::DockControlBar(CKtvPBaseControlBar*, UINT, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::DockControlBar");
}

CKtvPBaseControlBar* CKtvPMDIChildWnd::ControlBarFromPoint(CPoint, int, BOOL, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::ControlBarFromPoint");
}

BOOL CKtvPMDIChildWnd::IsPointNearDockBar(CPoint, DWORD&, BOOL&)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::IsPointNearDockBar");
}

void CKtvPMDIChildWnd::AdjustClientArea()
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::AdjustClientArea");
}

BOOL CKtvPMDIChildWnd::PreCreateWindow(CREATESTRUCT&)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::PreCreateWindow");
}

void CKtvPMDIChildWnd::ActivateFrame(int)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::ActivateFrame");
}

void CKtvPMDIChildWnd::RecalcLayout(BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::RecalcLayout");
}

void CKtvPMDIChildWnd::OnUpdateFrameTitle(BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::OnUpdateFrameTitle");
}

BOOL CKtvPMDIChildWnd::PreTranslateMessage(MSG*)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::PreTranslateMessage");
}

int CKtvPMDIChildWnd::OnCreate(LPCREATESTRUCT)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::OnCreate");
}

LRESULT CKtvPMDIChildWnd::OnMDIActivateMessage(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::OnMDIActivateMessage");
}

void CKtvPMDIChildWnd::OnMDIActivate(BOOL, CWnd*, CWnd*)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::OnMDIActivate");
}

LRESULT CKtvPMDIChildWnd::OnSetText(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::OnSetText");
}

LRESULT CKtvPMDIChildWnd::OnSetIcon(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::OnSetIcon");
}

void CKtvPMDIChildWnd::OnSize(UINT, int, int)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::OnSize");
}

LRESULT CKtvPMDIChildWnd::OnSizing(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::OnSizing");
}

void CKtvPMDIChildWnd::OnDestroy()
{
    KTVP_NOT_BUILT("CKtvPMDIChildWnd::OnDestroy");
}

