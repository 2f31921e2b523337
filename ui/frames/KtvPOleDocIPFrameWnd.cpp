#include "ui/frames/KtvPOleDocIPFrameWnd.h"

#include "platform/mfc/CCmdUI.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPOleDocIPFrameWnd, COleDocIPFrameWnd)

BEGIN_MESSAGE_MAP(CKtvPOleDocIPFrameWnd, COleDocIPFrameWnd)
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

CKtvPOleDocIPFrameWnd::CKtvPOleDocIPFrameWnd() : m_Impl(this), m_hwndLastTopLevelFrame(nullptr) {}

CKtvPOleDocIPFrameWnd::~CKtvPOleDocIPFrameWnd() = default;

BOOL CKtvPOleDocIPFrameWnd::ShowControlBars(BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::ShowControlBars");
}

void CKtvPOleDocIPFrameWnd::AdjustDockingLayout(HDWP)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::AdjustDockingLayout");
}

BOOL CKtvPOleDocIPFrameWnd::OnMoveMiniFrame(CWnd*)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnMoveMiniFrame");
}

BOOL CKtvPOleDocIPFrameWnd::OnShowPopupMenu(CKtvPPopupMenu*)
{
    return TRUE;
}

BOOL CKtvPOleDocIPFrameWnd::OnShowCustomizeMenu(CKtvPPopupMenu*, UINT)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnShowCustomizeMenu");
}

void CKtvPOleDocIPFrameWnd::OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    // Only the open top-level popup is forgotten.
    if (CKtvPPopupMenu::m_pActivePopupMenu == pMenuPopup)
        CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
}

BOOL CKtvPOleDocIPFrameWnd::OnDrawMenuImage(CDC*, const CKtvPToolbarMenuButton*, const CRect&)
{
    return FALSE;
}

BOOL CKtvPOleDocIPFrameWnd::OnButtonToolHitTest(const CKtvPToolbarButton*, tagTOOLINFOA*)
{
    return FALSE;
}

BOOL CKtvPOleDocIPFrameWnd::OnReservedFrameHook(void*, void*)
{
    return FALSE;
}

void CKtvPOleDocIPFrameWnd::OnDrawMenuLogo(CDC*, CKtvPPopupMenu*, const CRect&) {}

BOOL CKtvPOleDocIPFrameWnd::OnTearOffMenu(CKtvPPopupMenu*, CKtvPControlBar*)
{
    return TRUE;
}

BOOL CKtvPOleDocIPFrameWnd::OnCloseMiniFrame(CKtvPMiniFrameWnd*)
{
    return TRUE;
}

BOOL CKtvPOleDocIPFrameWnd::OnCloseDockingBar(CKtvPDockingControlBar*)
{
    return TRUE;
}

BOOL CKtvPOleDocIPFrameWnd::GetToolbarButtonToolTipText(CKtvPToolbarButton*, CString&)
{
    return FALSE;
}

BOOL CKtvPOleDocIPFrameWnd::AddControlBar(CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::AddControlBar");
}

BOOL CKtvPOleDocIPFrameWnd::InsertControlBar(CKtvPBaseControlBar*, CKtvPBaseControlBar*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::InsertControlBar");
}

void CKtvPOleDocIPFrameWnd::RemoveControlBarFromDockManager(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::RemoveControlBarFromDockManager");
}

void CKtvPOleDocIPFrameWnd::DockControlBar(CKtvPBaseControlBar*, UINT, LPCRECT)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::DockControlBar");
}

CKtvPBaseControlBar* CKtvPOleDocIPFrameWnd::GetControlBar(UINT)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::GetControlBar");
}

CKtvPBaseControlBar* CKtvPOleDocIPFrameWnd::ControlBarFromPoint(CPoint, int, BOOL, CRuntimeClass*)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::ControlBarFromPoint");
}

BOOL CKtvPOleDocIPFrameWnd::IsPointNearDockBar(CPoint, DWORD&, BOOL&)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::IsPointNearDockBar");
}

void CKtvPOleDocIPFrameWnd::ShowControlBar(CKtvPBaseControlBar*, BOOL, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::ShowControlBar");
}

BOOL CKtvPOleDocIPFrameWnd::ShowPopupMenu(CKtvPPopupMenu*)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::ShowPopupMenu");
}

BOOL CKtvPOleDocIPFrameWnd::PreCreateWindow(CREATESTRUCT&)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::PreCreateWindow");
}

BOOL CKtvPOleDocIPFrameWnd::LoadFrame(UINT, DWORD, CWnd*, CCreateContext*)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::LoadFrame");
}

BOOL CKtvPOleDocIPFrameWnd::PreTranslateMessage(MSG*)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::PreTranslateMessage");
}

void CKtvPOleDocIPFrameWnd::RecalcLayout(BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::RecalcLayout");
}

void CKtvPOleDocIPFrameWnd::OnSetPreviewMode(BOOL, CPrintPreviewState*)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnSetPreviewMode");
}

BOOL CKtvPOleDocIPFrameWnd::OnCreateControlBars(CFrameWnd*, CFrameWnd*)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnCreateControlBars");
}

BOOL CKtvPOleDocIPFrameWnd::OnCommand(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnCommand");
}

void CKtvPOleDocIPFrameWnd::OnActivate(UINT, CWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnActivate");
}

void CKtvPOleDocIPFrameWnd::OnClose()
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnClose");
}

void CKtvPOleDocIPFrameWnd::OnDestroy()
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnDestroy");
}

LRESULT CKtvPOleDocIPFrameWnd::OnMenuChar(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnMenuChar");
}

LRESULT CKtvPOleDocIPFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnIdleUpdateCmdUI");
}

LRESULT CKtvPOleDocIPFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnToolbarCreateNew");
}

LRESULT CKtvPOleDocIPFrameWnd::OnToolbarDelete(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnToolbarDelete");
}

BOOL CKtvPOleDocIPFrameWnd::OnBarCheck(UINT)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnBarCheck");
}

void CKtvPOleDocIPFrameWnd::OnUpdateControlBarMenu(CCmdUI*)
{
    KTVP_NOT_BUILT("CKtvPOleDocIPFrameWnd::OnUpdateControlBarMenu");
}
