#include "ui/frames/KtvPFrameHooks.h"

#include "platform/mfc/CWnd.h"

void CKtvPFrameHooks::AdjustDockingLayout(HDWP) {}

BOOL CKtvPFrameHooks::OnMoveMiniFrame(CWnd*)
{
    return FALSE;
}

BOOL CKtvPFrameHooks::OnSetMenu(HMENU)
{
    return FALSE;
}

BOOL CKtvPFrameHooks::OnShowPopupMenu(CKtvPPopupMenu*)
{
    return TRUE;
}

BOOL CKtvPFrameHooks::OnShowCustomizeMenu(CKtvPPopupMenu*, UINT)
{
    return TRUE;
}

void CKtvPFrameHooks::OnClosePopupMenu(CKtvPPopupMenu*) {}

BOOL CKtvPFrameHooks::OnDrawMenuImage(CDC*, const CKtvPToolbarMenuButton*, const CRect&)
{
    return FALSE;
}

BOOL CKtvPFrameHooks::OnButtonToolHitTest(const CKtvPToolbarButton*, tagTOOLINFOA*)
{
    return FALSE;
}

BOOL CKtvPFrameHooks::GetToolbarButtonToolTipText(CKtvPToolbarButton*, CString&)
{
    return FALSE;
}

BOOL CKtvPFrameHooks::OnReservedFrameHook(void*, void*)
{
    return FALSE;
}

BOOL CKtvPFrameHooks::OnEraseMDIClientBackground(CDC*)
{
    return FALSE;
}

void CKtvPFrameHooks::OnDrawMenuLogo(CDC*, CKtvPPopupMenu*, const CRect&) {}

BOOL CKtvPFrameHooks::OnTearOffMenu(CKtvPPopupMenu*, CKtvPControlBar*)
{
    return TRUE;
}

BOOL CKtvPFrameHooks::ShowControlBars(BOOL)
{
    return FALSE;
}

void CKtvPFrameHooks::AdjustClientArea() {}

BOOL CKtvPFrameHooks::OnCloseMiniFrame(CKtvPMiniFrameWnd*)
{
    return TRUE;
}

BOOL CKtvPFrameHooks::OnCloseDockingBar(CKtvPDockingControlBar*)
{
    return TRUE;
}

COleClientItem* CKtvPFrameHooks::GetInPlaceActiveItem()
{
    return nullptr;
}

BOOL CKtvPFrameHooks::AddControlBar(CKtvPBaseControlBar*, BOOL)
{
    return FALSE;
}

BOOL CKtvPFrameHooks::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, BOOL)
{
    return FALSE;
}

void CKtvPFrameHooks::RemoveControlBarFromDockManager(CKtvPBaseControlBar*, BOOL, BOOL, BOOL) {}

void CKtvPFrameHooks::DockControlBar(CKtvPBaseControlBar*, UINT, LPCRECT) {}

CKtvPBaseControlBar* CKtvPFrameHooks::ControlBarFromPoint(CPoint, int, BOOL, CRuntimeClass*)
{
    return nullptr;
}

BOOL CKtvPFrameHooks::IsPointNearDockBar(CPoint, DWORD&, BOOL&)
{
    return FALSE;
}

CKtvPBaseControlBar* CKtvPFrameHooks::GetControlBar(UINT)
{
    return nullptr;
}

void CKtvPFrameHooks::ShowControlBar(CKtvPBaseControlBar*, BOOL, BOOL, BOOL) {}

BOOL CKtvPFrameHooks::ShowPopupMenu(CKtvPPopupMenu*)
{
    return TRUE;
}

CKtvPFrameHooks* KtvGetFrameHooks(CWnd* pWnd)
{
    return dynamic_cast<CKtvPFrameHooks*>(pWnd);
}

CFrameWnd* g_pKtvTopLevelFrameOverride = nullptr;
