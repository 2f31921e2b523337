#include "ui/frames/KtvPOleIPFrameWnd.h"

#include "platform/mfc/CCmdUI.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPOleIPFrameWnd, COleIPFrameWnd)

BEGIN_MESSAGE_MAP(CKtvPOleIPFrameWnd, COleIPFrameWnd)
    ON_WM_ACTIVATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_REGISTERED_MESSAGE(KTVM_CREATETOOLBAR, OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(KTVM_DELETETOOLBAR, OnToolbarDelete)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

// Binding the dock manager to this frame belongs to the constructor; it waits
// for the frames' own build together with the rest of this class.
CKtvPOleIPFrameWnd::CKtvPOleIPFrameWnd() : m_Impl(this), m_hwndLastTopLevelFrame(nullptr) {}

CKtvPOleIPFrameWnd::~CKtvPOleIPFrameWnd() = default;

BOOL CKtvPOleIPFrameWnd::ShowControlBars(BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::ShowControlBars");
}

void CKtvPOleIPFrameWnd::AdjustDockingLayout(HDWP)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::AdjustDockingLayout");
}

BOOL CKtvPOleIPFrameWnd::OnMoveMiniFrame(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnMoveMiniFrame");
}

BOOL CKtvPOleIPFrameWnd::OnShowPopupMenu(CKtvPPopupMenu*)
{
    return TRUE;
}

BOOL CKtvPOleIPFrameWnd::OnShowCustomizeMenu(CKtvPPopupMenu*, UINT)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnShowCustomizeMenu");
}

void CKtvPOleIPFrameWnd::OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    // Only the open top-level popup is forgotten.
    if (CKtvPPopupMenu::m_pActivePopupMenu == pMenuPopup)
        CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
}

BOOL CKtvPOleIPFrameWnd::OnDrawMenuImage(CDC*, const CKtvPToolbarMenuButton*, const CRect&)
{
    return FALSE;
}

BOOL CKtvPOleIPFrameWnd::OnButtonToolHitTest(const CKtvPToolbarButton*, tagTOOLINFOA*)
{
    return FALSE;
}

BOOL CKtvPOleIPFrameWnd::OnReservedFrameHook(void*, void*)
{
    return FALSE;
}

void CKtvPOleIPFrameWnd::OnDrawMenuLogo(CDC*, CKtvPPopupMenu*, const CRect&) {}

BOOL CKtvPOleIPFrameWnd::OnTearOffMenu(CKtvPPopupMenu*, CKtvPControlBar*)
{
    return TRUE;
}

BOOL CKtvPOleIPFrameWnd::OnCloseMiniFrame(CKtvPMiniFrameWnd*)
{
    return TRUE;
}

BOOL CKtvPOleIPFrameWnd::OnCloseDockingBar(CKtvPDockingControlBar*)
{
    return TRUE;
}

BOOL CKtvPOleIPFrameWnd::GetToolbarButtonToolTipText(CKtvPToolbarButton*, CString&)
{
    return FALSE;
}

BOOL CKtvPOleIPFrameWnd::AddControlBar(CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::AddControlBar");
}

BOOL CKtvPOleIPFrameWnd::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::InsertControlBar");
}

void CKtvPOleIPFrameWnd::RemoveControlBarFromDockManager(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::RemoveControlBarFromDockManager");
}

void CKtvPOleIPFrameWnd::DockControlBar(CKtvPBaseControlBar*, UINT, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::DockControlBar");
}

CKtvPBaseControlBar* CKtvPOleIPFrameWnd::GetControlBar(UINT)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::GetControlBar");
}

CKtvPBaseControlBar* CKtvPOleIPFrameWnd::ControlBarFromPoint(CPoint, int, BOOL, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::ControlBarFromPoint");
}

BOOL CKtvPOleIPFrameWnd::IsPointNearDockBar(CPoint, DWORD&, BOOL&)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::IsPointNearDockBar");
}

void CKtvPOleIPFrameWnd::ShowControlBar(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::ShowControlBar");
}

BOOL CKtvPOleIPFrameWnd::ShowPopupMenu(CKtvPPopupMenu*)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::ShowPopupMenu");
}

BOOL CKtvPOleIPFrameWnd::PreCreateWindow(CREATESTRUCT&)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::PreCreateWindow");
}

BOOL CKtvPOleIPFrameWnd::LoadFrame(UINT, DWORD, CWnd*, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::LoadFrame");
}

BOOL CKtvPOleIPFrameWnd::PreTranslateMessage(MSG*)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::PreTranslateMessage");
}

void CKtvPOleIPFrameWnd::RecalcLayout(BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::RecalcLayout");
}

void CKtvPOleIPFrameWnd::OnSetPreviewMode(BOOL, CPrintPreviewState*)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnSetPreviewMode");
}

BOOL CKtvPOleIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnCreateControlBars");
}

BOOL CKtvPOleIPFrameWnd::OnCommand(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnCommand");
}

void CKtvPOleIPFrameWnd::OnActivate(UINT, CWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnActivate");
}

void CKtvPOleIPFrameWnd::OnClose()
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnClose");
}

void CKtvPOleIPFrameWnd::OnDestroy()
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnDestroy");
}

LRESULT CKtvPOleIPFrameWnd::OnMenuChar(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnMenuChar");
}

LRESULT CKtvPOleIPFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnIdleUpdateCmdUI");
}

LRESULT CKtvPOleIPFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnToolbarCreateNew");
}

LRESULT CKtvPOleIPFrameWnd::OnToolbarDelete(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnToolbarDelete");
}

BOOL CKtvPOleIPFrameWnd::OnBarCheck(UINT)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnBarCheck");
}

void CKtvPOleIPFrameWnd::OnUpdateControlBarMenu(CCmdUI*)
{
    KTVP_NOT_BUILT("CKtvPOleIPFrameWnd::OnUpdateControlBarMenu");
}
