#include "ui/frames/KtvPFrameWnd.h"

#include "platform/mfc/CCmdUI.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "platform/mfc/CPreviewView.h"
#include "platform/mfc/CSplitterWnd.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/docking/KtvPBaseControlBar.h"

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

void CKtvPFrameWnd::AdjustDockingLayout(HDWP hdwp)
{
    if (m_dockManager.IsInAdjustLayout())
        return;
    m_dockManager.AdjustDockingLayout(hdwp);
    AdjustClientArea();
    if (m_dockManager.IsHideAllBars())
        RecalcLayout(TRUE);
}

BOOL CKtvPFrameWnd::OnMoveMiniFrame(CWnd* pFrame)
{
    return m_dockManager.OnMoveMiniFrame(pFrame);
}

void CKtvPFrameWnd::AdjustClientArea()
{
    CWnd* pView = GetDlgItem(AFX_IDW_PANE_FIRST);
    if (pView == nullptr)
        return;

    CRect rect = m_dockManager.GetClientAreaBounds();
    rect.left += m_rectBorder.left;
    rect.top += m_rectBorder.top;
    rect.right -= m_rectBorder.right;
    rect.bottom -= m_rectBorder.bottom;
    pView->CalcWindowRect(rect, CWnd::adjustBorder);

    DWORD dwAdd = WS_CLIPSIBLINGS;
    if (!pView->IsKindOf(RUNTIME_CLASS(CSplitterWnd)))
        dwAdd |= WS_CLIPCHILDREN;
    pView->ModifyStyle(0, dwAdd);
    pView->SetWindowPos(&wndBottom, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE);
}

COleClientItem* CKtvPFrameWnd::GetInPlaceActiveItem()
{
    // No item can be activated in place on this platform.
    return nullptr;
}

BOOL CKtvPFrameWnd::OnShowCustomizeMenu(CKtvPPopupMenu* pMenuPopup, UINT uiToolbarID)
{
    m_Impl.OnShowCustomizeMenu(pMenuPopup, uiToolbarID);
    return TRUE;
}

void CKtvPFrameWnd::OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    if (CKtvPPopupMenu::m_pActivePopupMenu == pMenuPopup)
        CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
}

BOOL CKtvPFrameWnd::ShowControlBars(BOOL bShow)
{
    const BOOL bResult = m_dockManager.ShowControlBars(bShow);
    AdjustDockingLayout(nullptr);
    return bResult;
}

BOOL CKtvPFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    return m_dockManager.EnableDocking(dwDockStyle);
}

BOOL CKtvPFrameWnd::EnableAutoHideBars(DWORD dwDockStyle)
{
    return m_dockManager.EnableAutoHideBars(dwDockStyle);
}

BOOL CKtvPFrameWnd::AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pControlBar, bTail, FALSE, FALSE);
}

BOOL CKtvPFrameWnd::InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertControlBar(pControlBar, pTarget, bAfter);
}

void CKtvPFrameWnd::RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy,
                                                    BOOL bAdjustLayout, BOOL bAutoHide)
{
    m_dockManager.RemoveControlBarFromDockManager(pControlBar, bDestroy, bAdjustLayout, bAutoHide);
}

void CKtvPFrameWnd::DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

CKtvPBaseControlBar* CKtvPFrameWnd::GetControlBar(UINT nID)
{
    return m_dockManager.FindBarByID(nID, TRUE);
}

CKtvPBaseControlBar* CKtvPFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                        CRuntimeClass* pRTCBarType)
{
    return m_dockManager.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType, FALSE, nullptr);
}

BOOL CKtvPFrameWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge)
{
    return m_dockManager.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

void CKtvPFrameWnd::ShowControlBar(CKtvPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    pBar->ShowControlBar(bShow, bDelay, bActivate);
}

BOOL CKtvPFrameWnd::ShowPopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    if (!m_Impl.OnShowPopupMenu(pMenuPopup, this))
        return FALSE;
    if (pMenuPopup != nullptr && pMenuPopup->m_bShown)
        return TRUE;
    return OnShowPopupMenu(pMenuPopup);
}

BOOL CKtvPFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_dockManager.Create(this);
    m_Impl.m_pDockManager = &m_dockManager;
    m_Impl.RestorePosition(cs);
    return CFrameWnd::PreCreateWindow(cs);
}

BOOL CKtvPFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_Impl.m_nIDDefaultResource = nIDResource;
    m_Impl.LoadLargeIconsState();
    if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    m_Impl.OnLoadFrame();
    return TRUE;
}

BOOL CKtvPFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    switch (m_Impl.FilterFrameMessage(pMsg, CKtvPFrameImpl::FILTER_SDI)) {
    case CKtvPFrameImpl::FILTER_CONSUMED:
        return TRUE;
    case CKtvPFrameImpl::FILTER_NO_ACCEL:
        // A focused toolbar control has the key: no accelerator is translated.
        return FALSE;
    default:
        return CFrameWnd::PreTranslateMessage(pMsg);
    }
}

void CKtvPFrameWnd::RecalcLayout(BOOL bNotify)
{
    CKtvPFrameImpl::RecalcFrameLayout(this, m_dockManager, m_bIsMinimized, bNotify);
}

void CKtvPFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    m_dockManager.SetPrintPreviewMode(bPreview, pState);
    const DWORD dwStates = pState != nullptr ? pState->dwStates : 0;
    CFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (pState != nullptr)
        pState->dwStates = dwStates;
    AdjustDockingLayout(nullptr);
    RecalcLayout(TRUE);
}

BOOL CKtvPFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    switch (nBorderCmd) {
    case borderGet:
        CFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
        *lpRectBorder = m_dockManager.GetClientAreaBounds();
        return TRUE;
    case borderSet:
        return CFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
    default:
        return TRUE;
    }
}

void CKtvPFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    CKtvPMenuBar* pMenuBar = m_Impl.m_pMenuBar;
    if (pMenuBar != nullptr && ::IsWindow(pMenuBar->GetSafeHwnd()) && pMenuBar->IsWindowVisible())
        ::SetMenu(GetSafeHwnd(), GetInPlaceActiveItem() != nullptr ? hMenuAlt : nullptr);
}

void CKtvPFrameWnd::DelayUpdateFrameMenu(HMENU hMenuAlt)
{
    OnUpdateFrameMenu(hMenuAlt);
    CFrameWnd::DelayUpdateFrameMenu(hMenuAlt);
}

BOOL CKtvPFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_Impl.OnAcceleratorCommand(wParam))
        return TRUE;
    if (CKtvPToolBar::m_bCustomizeMode)
        return FALSE;
    return CFrameWnd::OnCommand(wParam, lParam);
}

void CKtvPFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_CLICKACTIVE)
        UpdateWindow();
    if (nState == WA_INACTIVE)
        m_Impl.DeactivateMenu();
}

void CKtvPFrameWnd::OnActivateApp(BOOL bActive, DWORD)
{
    m_dockManager.OnActivateFrame(bActive);
}

void CKtvPFrameWnd::OnClose()
{
    m_Impl.OnCloseFrame();
    CFrameWnd::OnClose();
}

void CKtvPFrameWnd::OnDestroy()
{
    if (m_hAccelTable != nullptr) {
        ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = nullptr;
    }
    m_dockManager.EnableAdjustLayout(FALSE);
    CKtvPFrameImpl::DestroyChildWindows(this);
    CFrameWnd::OnDestroy();
}

LRESULT CKtvPFrameWnd::OnMenuChar(WPARAM wParam, LPARAM)
{
    if (m_Impl.OnMenuChar(CKtvPFrameImpl::MenuCharKey(wParam)))
        return MAKELRESULT(2, 0xFFFF);
    return Default();
}

void CKtvPFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    m_bIsMinimized = (nType == SIZE_MINIMIZED);
    m_dockManager.OnActivateFrame(nType != SIZE_MINIMIZED);

    if (nType == SIZE_MINIMIZED || nType == SIZE_MAXIMIZED || m_bWasMaximized) {
        CFrameWnd::OnSize(nType, cx, cy);
        if (nType == SIZE_MAXIMIZED || (nType == SIZE_RESTORED && m_bWasMaximized))
            RecalcLayout(TRUE);
        m_bWasMaximized = (nType == SIZE_MAXIMIZED);
        return;
    }

    m_dockManager.DisableRecalcLayout(TRUE);
    CFrameWnd::OnSize(nType, cx, cy);
    AdjustDockingLayout(nullptr);
    m_dockManager.DisableRecalcLayout(FALSE);
}

LRESULT CKtvPFrameWnd::OnSizing(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    AdjustDockingLayout(nullptr);
    return lResult;
}

LRESULT CKtvPFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    m_dockManager.SendMessageToMiniFrames(WM_IDLEUPDATECMDUI, 0, 0);
    return 0;
}

LRESULT CKtvPFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    return reinterpret_cast<LRESULT>(m_Impl.CreateNewToolbar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CKtvPFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.DeleteToolbar(reinterpret_cast<CKtvPToolBar*>(lParam));
}

BOOL CKtvPFrameWnd::OnBarCheck(UINT nID)
{
    return CKtvPFrameImpl::ToggleControlBar(this, nID);
}

void CKtvPFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CKtvPFrameImpl::UpdateControlBarMenu(this, pCmdUI);
}
