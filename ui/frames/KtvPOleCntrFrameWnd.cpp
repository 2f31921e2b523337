#include "ui/frames/KtvPOleCntrFrameWnd.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNAMIC(CKtvPOleCntrFrameWnd, COleCntrFrameWnd)

BEGIN_MESSAGE_MAP(CKtvPOleCntrFrameWnd, COleCntrFrameWnd)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPOleCntrFrameWnd::CKtvPOleCntrFrameWnd(COleIPFrameWnd* pInPlaceFrame) : m_pInPlaceFrame(pInPlaceFrame) {}

CKtvPOleCntrFrameWnd::~CKtvPOleCntrFrameWnd() = default;

BOOL CKtvPOleCntrFrameWnd::ShowControlBars(BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::ShowControlBars");
}

void CKtvPOleCntrFrameWnd::AdjustDockingLayout(HDWP)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::AdjustDockingLayout");
}

BOOL CKtvPOleCntrFrameWnd::OnMoveMiniFrame(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::OnMoveMiniFrame");
}

BOOL CKtvPOleCntrFrameWnd::AddControlBar(CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::AddControlBar");
}

BOOL CKtvPOleCntrFrameWnd::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::InsertControlBar");
}

void CKtvPOleCntrFrameWnd::RemoveControlBarFromDockManager(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::RemoveControlBarFromDockManager");
}

void CKtvPOleCntrFrameWnd::DockControlBar(CKtvPBaseControlBar*, UINT, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::DockControlBar");
}

CKtvPBaseControlBar* CKtvPOleCntrFrameWnd::ControlBarFromPoint(CPoint, int, BOOL, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::ControlBarFromPoint");
}

BOOL CKtvPOleCntrFrameWnd::IsPointNearDockBar(CPoint, DWORD&, BOOL&)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::IsPointNearDockBar");
}

void CKtvPOleCntrFrameWnd::RenegotiateBorder()
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::RenegotiateBorder");
}

BOOL CKtvPOleCntrFrameWnd::PreCreateWindow(CREATESTRUCT&)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::PreCreateWindow");
}

void CKtvPOleCntrFrameWnd::RecalcLayout(BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::RecalcLayout");
}

void CKtvPOleCntrFrameWnd::OnSize(UINT, int, int)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::OnSize");
}

LRESULT CKtvPOleCntrFrameWnd::OnSizing(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::OnSizing");
}

LRESULT CKtvPOleCntrFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::OnIdleUpdateCmdUI");
}

void CKtvPOleCntrFrameWnd::OnDestroy()
{
    KTVP_NOT_BUILT("CKtvPOleCntrFrameWnd::OnDestroy");
}
