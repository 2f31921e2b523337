#include "ui/frames/KtvPMDIFrameWnd.h"

#include "platform/mfc/CCmdUI.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPMDIFrameWnd, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CKtvPMDIFrameWnd, CMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_ACTIVATE()
    ON_WM_ACTIVATEAPP()
    ON_MESSAGE(WM_MENUCHAR, OnMenuChar)
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SIZE()
    ON_MESSAGE(WM_SIZING, OnSizing)
    ON_MESSAGE(WM_EXITSIZEMOVE, OnExitSizeMove)
    ON_WM_GETMINMAXINFO()  // default processing
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_REGISTERED_MESSAGE(KTVM_CREATETOOLBAR, OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(KTVM_DELETETOOLBAR, OnToolbarDelete)
    ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
    ON_COMMAND(ID_WINDOW_NEW, OnWindowNew)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_COMMAND_EX(ID_VIEW_REBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, OnUpdateControlBarMenu)
END_MESSAGE_MAP()

CKtvPMDIFrameWnd::CKtvPMDIFrameWnd()
    : m_hmenuWindow(nullptr),
      m_Impl(this),
      m_bContextHelp(FALSE),
      m_bDoSubclass(TRUE),
      m_uiWindowsDlgMenuId(0),
      m_bShowWindowsDlgAlways(FALSE),
      m_bShowWindowsDlgHelpButton(FALSE),
      m_bWasMaximized(FALSE),
      m_bIsMinimized(FALSE),
      m_bClosing(FALSE)
{
}

CKtvPMDIFrameWnd::~CKtvPMDIFrameWnd() = default;

void CKtvPMDIFrameWnd::EnableWindowsDialog(UINT uiMenuId, LPCTSTR lpszMenuText, BOOL bShowAlways,
                                           BOOL bShowHelpButton)
{
    m_uiWindowsDlgMenuId = uiMenuId;
    m_strWindowsDlgMenuText = lpszMenuText;
    m_bShowWindowsDlgAlways = bShowAlways;
    m_bShowWindowsDlgHelpButton = bShowHelpButton;
}

void CKtvPMDIFrameWnd::EnableWindowsDialog(UINT, UINT, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::EnableWindowsDialog");
}

void CKtvPMDIFrameWnd::AdjustDockingLayout(HDWP)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::AdjustDockingLayout");
}

BOOL CKtvPMDIFrameWnd::OnMoveMiniFrame(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnMoveMiniFrame");
}

BOOL CKtvPMDIFrameWnd::OnSetMenu(HMENU)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnSetMenu");
}

BOOL CKtvPMDIFrameWnd::OnShowCustomizeMenu(CKtvPPopupMenu*, UINT)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnShowCustomizeMenu");
}

void CKtvPMDIFrameWnd::OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    // Only the open top-level popup is forgotten.
    if (CKtvPPopupMenu::m_pActivePopupMenu == pMenuPopup)
        CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
}

BOOL CKtvPMDIFrameWnd::ShowControlBars(BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::ShowControlBars");
}

void CKtvPMDIFrameWnd::AdjustClientArea()
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::AdjustClientArea");
}

COleClientItem* CKtvPMDIFrameWnd::GetInPlaceActiveItem()
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::GetInPlaceActiveItem");
}

void CKtvPMDIFrameWnd::EnableMDITabs(BOOL, BOOL, int, BOOL, int)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::EnableMDITabs");
}

void CKtvPMDIFrameWnd::ShowWindowsDialog()
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::ShowWindowsDialog");
}

BOOL CKtvPMDIFrameWnd::EnableDocking(DWORD)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::EnableDocking");
}

BOOL CKtvPMDIFrameWnd::EnableAutoHideBars(DWORD)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::EnableAutoHideBars");
}

BOOL CKtvPMDIFrameWnd::AddControlBar(CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::AddControlBar");
}

BOOL CKtvPMDIFrameWnd::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::InsertControlBar");
}

void CKtvPMDIFrameWnd::RemoveControlBarFromDockManager(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::RemoveControlBarFromDockManager");
}

void CKtvPMDIFrameWnd::DockControlBar(CKtvPBaseControlBar*, UINT, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::DockControlBar");
}

BOOL CKtvPMDIFrameWnd::DockControlBarLeftOf(CKtvPControlBar*, CKtvPControlBar*)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::DockControlBarLeftOf");
}

CKtvPBaseControlBar* CKtvPMDIFrameWnd::GetControlBar(UINT)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::GetControlBar");
}

CKtvPBaseControlBar* CKtvPMDIFrameWnd::ControlBarFromPoint(CPoint, int, BOOL, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::ControlBarFromPoint");
}

BOOL CKtvPMDIFrameWnd::IsPointNearDockBar(CPoint, DWORD&, BOOL&)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::IsPointNearDockBar");
}

void CKtvPMDIFrameWnd::ShowControlBar(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::ShowControlBar");
}

BOOL CKtvPMDIFrameWnd::ShowPopupMenu(CKtvPPopupMenu*)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::ShowPopupMenu");
}

BOOL CKtvPMDIFrameWnd::PreCreateWindow(CREATESTRUCT&)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::PreCreateWindow");
}

BOOL CKtvPMDIFrameWnd::LoadFrame(UINT, DWORD, CWnd*, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::LoadFrame");
}

HMENU CKtvPMDIFrameWnd::GetWindowMenuPopup(HMENU)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::GetWindowMenuPopup");
}

void CKtvPMDIFrameWnd::OnUpdateFrameMenu(HMENU)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnUpdateFrameMenu");
}

void CKtvPMDIFrameWnd::RecalcLayout(BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::RecalcLayout");
}

void CKtvPMDIFrameWnd::OnSetPreviewMode(BOOL, CPrintPreviewState*)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnSetPreviewMode");
}

BOOL CKtvPMDIFrameWnd::NegotiateBorderSpace(UINT, LPRECT)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::NegotiateBorderSpace");
}

void CKtvPMDIFrameWnd::WinHelp(DWORD_PTR, UINT)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::WinHelp");
}

BOOL CKtvPMDIFrameWnd::PreTranslateMessage(MSG*)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::PreTranslateMessage");
}

BOOL CKtvPMDIFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnCreateClient");
}

BOOL CKtvPMDIFrameWnd::OnCommand(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnCommand");
}

int CKtvPMDIFrameWnd::OnCreate(LPCREATESTRUCT)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnCreate");
}

void CKtvPMDIFrameWnd::OnClose()
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnClose");
}

void CKtvPMDIFrameWnd::OnDestroy()
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnDestroy");
}

void CKtvPMDIFrameWnd::OnActivate(UINT, CWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnActivate");
}

void CKtvPMDIFrameWnd::OnActivateApp(BOOL, DWORD)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnActivateApp");
}

LRESULT CKtvPMDIFrameWnd::OnMenuChar(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnMenuChar");
}

void CKtvPMDIFrameWnd::OnWindowPosChanged(WINDOWPOS*)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnWindowPosChanged");
}

void CKtvPMDIFrameWnd::OnSize(UINT, int, int)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnSize");
}

LRESULT CKtvPMDIFrameWnd::OnSizing(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnSizing");
}

LRESULT CKtvPMDIFrameWnd::OnExitSizeMove(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnExitSizeMove");
}

LRESULT CKtvPMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnIdleUpdateCmdUI");
}

LRESULT CKtvPMDIFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnToolbarCreateNew");
}

LRESULT CKtvPMDIFrameWnd::OnToolbarDelete(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnToolbarDelete");
}

void CKtvPMDIFrameWnd::OnContextHelp()
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnContextHelp");
}

void CKtvPMDIFrameWnd::OnWindowNew()
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnWindowNew");
}

BOOL CKtvPMDIFrameWnd::OnBarCheck(UINT)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnBarCheck");
}

void CKtvPMDIFrameWnd::OnUpdateControlBarMenu(CCmdUI*)
{
    KTVP_NOT_BUILT("CKtvPMDIFrameWnd::OnUpdateControlBarMenu");
}
