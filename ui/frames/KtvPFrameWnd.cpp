#include "ui/frames/KtvPFrameWnd.h"

#include "platform/mfc/CCmdUI.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CKtvPFrameWnd, CFrameWnd)
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_WM_GETMINMAXINFO()  // default processing
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

CKtvPFrameWnd::CKtvPFrameWnd() : m_Impl(this), m_bWasMaximized(FALSE), m_bIsMinimized(FALSE) {}

CKtvPFrameWnd::~CKtvPFrameWnd() = default;

void CKtvPFrameWnd::AdjustDockingLayout(HDWP)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::AdjustDockingLayout");
}

BOOL CKtvPFrameWnd::OnMoveMiniFrame(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnMoveMiniFrame");
}

void CKtvPFrameWnd::AdjustClientArea()
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::AdjustClientArea");
}

COleClientItem* CKtvPFrameWnd::GetInPlaceActiveItem()
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::GetInPlaceActiveItem");
}

BOOL CKtvPFrameWnd::OnShowCustomizeMenu(CKtvPPopupMenu*, UINT)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnShowCustomizeMenu");
}

void CKtvPFrameWnd::OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    // Only the open top-level popup is forgotten.
    if (CKtvPPopupMenu::m_pActivePopupMenu == pMenuPopup)
        CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
}

BOOL CKtvPFrameWnd::ShowControlBars(BOOL)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::ShowControlBars");
}

BOOL CKtvPFrameWnd::EnableDocking(DWORD)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::EnableDocking");
}

BOOL CKtvPFrameWnd::EnableAutoHideBars(DWORD)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::EnableAutoHideBars");
}

BOOL CKtvPFrameWnd::AddControlBar(CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::AddControlBar");
}

BOOL CKtvPFrameWnd::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::InsertControlBar");
}

void CKtvPFrameWnd::RemoveControlBarFromDockManager(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::RemoveControlBarFromDockManager");
}

void CKtvPFrameWnd::DockControlBar(CKtvPBaseControlBar*, UINT, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::DockControlBar");
}

CKtvPBaseControlBar* CKtvPFrameWnd::GetControlBar(UINT)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::GetControlBar");
}

CKtvPBaseControlBar* CKtvPFrameWnd::ControlBarFromPoint(CPoint, int, BOOL, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::ControlBarFromPoint");
}

BOOL CKtvPFrameWnd::IsPointNearDockBar(CPoint, DWORD&, BOOL&)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::IsPointNearDockBar");
}

void CKtvPFrameWnd::ShowControlBar(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::ShowControlBar");
}

BOOL CKtvPFrameWnd::ShowPopupMenu(CKtvPPopupMenu*)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::ShowPopupMenu");
}

BOOL CKtvPFrameWnd::PreCreateWindow(CREATESTRUCT&)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::PreCreateWindow");
}

BOOL CKtvPFrameWnd::LoadFrame(UINT, DWORD, CWnd*, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::LoadFrame");
}

BOOL CKtvPFrameWnd::PreTranslateMessage(MSG*)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::PreTranslateMessage");
}

void CKtvPFrameWnd::RecalcLayout(BOOL)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::RecalcLayout");
}

void CKtvPFrameWnd::OnSetPreviewMode(BOOL, CPrintPreviewState*)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnSetPreviewMode");
}

BOOL CKtvPFrameWnd::NegotiateBorderSpace(UINT, LPRECT)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::NegotiateBorderSpace");
}

void CKtvPFrameWnd::OnUpdateFrameMenu(HMENU)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnUpdateFrameMenu");
}

void CKtvPFrameWnd::DelayUpdateFrameMenu(HMENU)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::DelayUpdateFrameMenu");
}

BOOL CKtvPFrameWnd::OnCommand(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnCommand");
}

void CKtvPFrameWnd::OnActivate(UINT, CWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnActivate");
}

void CKtvPFrameWnd::OnActivateApp(BOOL, DWORD)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnActivateApp");
}

void CKtvPFrameWnd::OnClose()
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnClose");
}

void CKtvPFrameWnd::OnDestroy()
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnDestroy");
}

LRESULT CKtvPFrameWnd::OnMenuChar(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnMenuChar");
}

void CKtvPFrameWnd::OnSize(UINT, int, int)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnSize");
}

LRESULT CKtvPFrameWnd::OnSizing(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnSizing");
}

LRESULT CKtvPFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnIdleUpdateCmdUI");
}

LRESULT CKtvPFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnToolbarCreateNew");
}

LRESULT CKtvPFrameWnd::OnToolbarDelete(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnToolbarDelete");
}

BOOL CKtvPFrameWnd::OnBarCheck(UINT)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnBarCheck");
}

void CKtvPFrameWnd::OnUpdateControlBarMenu(CCmdUI*)
{
    KTVP_NOT_BUILT("CKtvPFrameWnd::OnUpdateControlBarMenu");
}
