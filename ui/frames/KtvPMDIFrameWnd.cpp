#include "ui/frames/KtvPMDIFrameWnd.h"

#include "platform/mfc/CCmdUI.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CPreviewView.h"
#include "platform/mfc/CWinApp.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/frames/KtvPWindowsManagerDlg.h"

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

void CKtvPMDIFrameWnd::EnableWindowsDialog(UINT uiMenuId, UINT uiMenuTextResId, BOOL bShowAlways,
                                           BOOL bShowHelpButton)
{
    CString strMenuText;
    strMenuText.LoadString(uiMenuTextResId);
    EnableWindowsDialog(uiMenuId, strMenuText, bShowAlways, bShowHelpButton);
}

void CKtvPMDIFrameWnd::AdjustDockingLayout(HDWP hdwp)
{
    if (m_dockManager.IsInAdjustLayout())
        return;
    m_dockManager.AdjustDockingLayout(hdwp);
    AdjustClientArea();
    if (m_dockManager.IsHideAllBars())
        RecalcLayout(TRUE);
}

BOOL CKtvPMDIFrameWnd::OnMoveMiniFrame(CWnd* pFrame)
{
    return m_dockManager.OnMoveMiniFrame(pFrame);
}

BOOL CKtvPMDIFrameWnd::OnSetMenu(HMENU hmenu)
{
    if (GetInPlaceActiveItem() != nullptr || m_Impl.m_pMenuBar == nullptr)
        return FALSE;
    ::SetMenu(GetSafeHwnd(), nullptr);
    m_Impl.m_pMenuBar->CreateFromMenu(hmenu != nullptr ? hmenu : m_Impl.m_hDefaultMenu, FALSE, FALSE);
    return TRUE;
}

BOOL CKtvPMDIFrameWnd::OnShowCustomizeMenu(CKtvPPopupMenu* pMenuPopup, UINT uiToolbarID)
{
    m_Impl.OnShowCustomizeMenu(pMenuPopup, uiToolbarID);
    return TRUE;
}

void CKtvPMDIFrameWnd::OnClosePopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    // Only the open top-level popup is forgotten.
    if (CKtvPPopupMenu::m_pActivePopupMenu == pMenuPopup)
        CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
}

BOOL CKtvPMDIFrameWnd::ShowControlBars(BOOL bShow)
{
    const BOOL bResult = m_dockManager.ShowControlBars(bShow);
    AdjustDockingLayout(nullptr);
    return bResult;
}

void CKtvPMDIFrameWnd::AdjustClientArea()
{
    CRect rectClientArea = m_dockManager.GetClientAreaBounds();
    rectClientArea.left += m_rectBorder.left;
    rectClientArea.top += m_rectBorder.top;
    rectClientArea.right -= m_rectBorder.right;
    rectClientArea.bottom -= m_rectBorder.bottom;
    m_wndClientArea.CalcWindowRect(rectClientArea, 0);
}

COleClientItem* CKtvPMDIFrameWnd::GetInPlaceActiveItem()
{
    // No item can be activated in place on this platform.
    return nullptr;
}

void CKtvPMDIFrameWnd::EnableMDITabs(BOOL bEnable, BOOL bIcons, int location, BOOL bTabCloseButton, int style)
{
    m_wndClientArea.EnableMDITabs(bEnable, bIcons, location, bTabCloseButton, style);
}

void CKtvPMDIFrameWnd::ShowWindowsDialog()
{
    CKtvPWindowsManagerDlg dlg(this, m_bShowWindowsDlgHelpButton);
    dlg.DoModal();
}

BOOL CKtvPMDIFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    return m_dockManager.EnableDocking(dwDockStyle);
}

BOOL CKtvPMDIFrameWnd::EnableAutoHideBars(DWORD dwDockStyle)
{
    return m_dockManager.EnableAutoHideBars(dwDockStyle);
}

BOOL CKtvPMDIFrameWnd::AddControlBar(CKtvPBaseControlBar* pControlBar, BOOL bTail)
{
    return m_dockManager.AddControlBar(pControlBar, bTail, FALSE, FALSE);
}

BOOL CKtvPMDIFrameWnd::InsertControlBar(CKtvPBaseControlBar* pControlBar, CKtvPBaseControlBar* pTarget, BOOL bAfter)
{
    return m_dockManager.InsertControlBar(pControlBar, pTarget, bAfter);
}

void CKtvPMDIFrameWnd::RemoveControlBarFromDockManager(CKtvPBaseControlBar* pControlBar, BOOL bDestroy,
                                                       BOOL bAdjustLayout, BOOL bAutoHide)
{
    m_dockManager.RemoveControlBarFromDockManager(pControlBar, bDestroy, bAdjustLayout, bAutoHide);
}

void CKtvPMDIFrameWnd::DockControlBar(CKtvPBaseControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    m_dockManager.DockControlBar(pBar, nDockBarID, lpRect);
}

BOOL CKtvPMDIFrameWnd::DockControlBarLeftOf(CKtvPControlBar* pBar, CKtvPControlBar* pLeftOf)
{
    return m_dockManager.DockControlBarLeftOf(pBar, pLeftOf);
}

CKtvPBaseControlBar* CKtvPMDIFrameWnd::GetControlBar(UINT nID)
{
    return m_dockManager.FindBarByID(nID, TRUE);
}

CKtvPBaseControlBar* CKtvPMDIFrameWnd::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                           CRuntimeClass* pRTCBarType)
{
    return m_dockManager.ControlBarFromPoint(point, nSensitivity, bExactBar, pRTCBarType, FALSE, nullptr);
}

BOOL CKtvPMDIFrameWnd::IsPointNearDockBar(CPoint point, DWORD& dwBarAlignment, BOOL& bOuterEdge)
{
    return m_dockManager.IsPointNearDockBar(point, dwBarAlignment, bOuterEdge);
}

void CKtvPMDIFrameWnd::ShowControlBar(CKtvPBaseControlBar* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    pBar->ShowControlBar(bShow, bDelay, bActivate);
}

BOOL CKtvPMDIFrameWnd::ShowPopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    m_Impl.OnShowPopupMenu(pMenuPopup, this);

    if (pMenuPopup == nullptr)
        return OnShowPopupMenu(nullptr);

    if (!CKtvPToolBar::m_bCustomizeMode && m_hmenuWindow != nullptr && pMenuPopup->m_hMenu != nullptr &&
        IsWindowMenu(pMenuPopup->m_hMenu))
        AppendWindowList(pMenuPopup);

    if (pMenuPopup->m_bShown)
        return TRUE;
    return OnShowPopupMenu(pMenuPopup);
}

BOOL CKtvPMDIFrameWnd::IsWindowMenu(HMENU hMenu)
{
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++) {
        const UINT uiID = ::GetMenuItemID(hMenu, i);
        if (uiID >= ID_WINDOW_NEW && uiID <= ID_WINDOW_NEW + 15)
            return TRUE;
    }
    return FALSE;
}

void CKtvPMDIFrameWnd::AppendWindowList(CKtvPPopupMenu* pMenuPopup)
{
    constexpr UINT kFirstChildId = 65280;   // the ids Windows gives its child entries
    constexpr UINT kMoreWindowsId = 65289;  // "More Windows...", past the ninth child

    BOOL bSeparatorAdded = FALSE;
    BOOL bMoreWindows = FALSE;
    const int nCount = ::GetMenuItemCount(m_hmenuWindow);
    for (int i = 0; i < nCount; i++) {
        const UINT uiID = ::GetMenuItemID(m_hmenuWindow, i);
        if (uiID < kFirstChildId || uiID == (UINT)-1)
            continue;
        if (uiID == kMoreWindowsId) {
            bMoreWindows = TRUE;
            if (m_uiWindowsDlgMenuId != 0)
                continue;
        }
        if (!bSeparatorAdded) {
            pMenuPopup->InsertSeparator();
            SendMessage(WM_MDIREFRESHMENU);
            bSeparatorAdded = TRUE;
        }

        const int nLen = ::GetMenuString(m_hmenuWindow, i, nullptr, 0, MF_BYPOSITION);
        CString strText;
        ::GetMenuString(m_hmenuWindow, i, strText.GetBuffer(nLen * 2 + 2), nLen * 2 + 2, MF_BYPOSITION);
        strText.ReleaseBuffer();

        CKtvPToolbarMenuButton button(uiID, nullptr, -1, strText);
        if (::GetMenuState(m_hmenuWindow, i, MF_BYPOSITION) & MF_CHECKED)
            button.m_nStyle |= TBBS_CHECKED;
        pMenuPopup->InsertItem(button);
    }

    if (m_uiWindowsDlgMenuId != 0 && (bMoreWindows || m_bShowWindowsDlgAlways)) {
        // Personalised menus never hide the way to the Windows dialog.
        if (!CKtvPToolBar::m_BasicCommands.IsEmpty())
            CKtvPToolBar::AddBasicCommand(m_uiWindowsDlgMenuId);
        pMenuPopup->InsertItem(CKtvPToolbarMenuButton(m_uiWindowsDlgMenuId, nullptr, -1, m_strWindowsDlgMenuText));
    }
}

BOOL CKtvPMDIFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    m_Impl.m_pDockManager = &m_dockManager;
    m_Impl.RestorePosition(cs);
    return CMDIFrameWnd::PreCreateWindow(cs);
}

BOOL CKtvPMDIFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                                 CCreateContext* pContext)
{
    m_Impl.m_nIDDefaultResource = nIDResource;
    m_Impl.LoadLargeIconsState();

    if (!CMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;

    m_Impl.OnLoadFrame();
    if (m_Impl.m_pMenuBar != nullptr)
        m_Impl.m_hDefaultMenu = m_hMenuDefault;
    return TRUE;
}

HMENU CKtvPMDIFrameWnd::GetWindowMenuPopup(HMENU hMenuBar)
{
    m_hmenuWindow = CMDIFrameWnd::GetWindowMenuPopup(hMenuBar);
    return m_hmenuWindow;
}

void CKtvPMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    CMDIFrameWnd::OnUpdateFrameMenu(hMenuAlt);
    CKtvPMenuBar* pMenuBar = m_Impl.m_pMenuBar;
    if (pMenuBar != nullptr && ::IsWindow(pMenuBar->GetSafeHwnd()) && pMenuBar->IsWindowVisible())
        ::SetMenu(GetSafeHwnd(), GetInPlaceActiveItem() != nullptr ? hMenuAlt : nullptr);
}

void CKtvPMDIFrameWnd::RecalcLayout(BOOL bNotify)
{
    CKtvPFrameImpl::RecalcFrameLayout(this, m_dockManager, m_bIsMinimized, bNotify);
}

void CKtvPMDIFrameWnd::OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState)
{
    if (m_wndClientArea.m_bTabIsEnabled) {
        // The preview covers the children; their tabs come back with them.
        m_wndClientArea.m_bTabIsVisible = !bPreview;
        if (::IsWindow(m_wndClientArea.m_wndTab.GetSafeHwnd()))
            m_wndClientArea.m_wndTab.ShowWindow(bPreview ? SW_HIDE : SW_SHOWNA);
    }
    m_dockManager.SetPrintPreviewMode(bPreview, pState);
    const DWORD dwStates = pState != nullptr ? pState->dwStates : 0;
    CMDIFrameWnd::OnSetPreviewMode(bPreview, pState);
    if (pState != nullptr)
        pState->dwStates = dwStates;
    AdjustDockingLayout(nullptr);
    RecalcLayout(TRUE);
}

BOOL CKtvPMDIFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder)
{
    switch (nBorderCmd) {
    case borderGet:
        CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
        *lpRectBorder = m_dockManager.GetClientAreaBounds();
        return TRUE;
    case borderSet:
        return CMDIFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
    default:
        return TRUE;
    }
}

void CKtvPMDIFrameWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (dwData == 0 && m_bContextHelp) {
        OnContextHelp();
        return;
    }

    CWaitCursor wait;
    if (m_bHelpMode != HELP_INACTIVE)
        ExitHelpMode();

    SendMessage(WM_CANCELMODE);
    SendMessageToDescendants(WM_CANCELMODE, 0, 0, TRUE, TRUE);
    CWnd* pTopLevel = GetTopLevelParent();
    if (pTopLevel != nullptr && pTopLevel != this) {
        pTopLevel->SendMessage(WM_CANCELMODE);
        pTopLevel->SendMessageToDescendants(WM_CANCELMODE, 0, 0, TRUE, TRUE);
    }
    if (HWND hwndCapture = ::GetCapture())
        ::SendMessage(hwndCapture, WM_CANCELMODE, 0, 0);

    CWinApp* pApp = AfxGetApp();
    LPCTSTR lpszHelpFile = pApp != nullptr ? pApp->m_pszHelpFilePath : nullptr;
    HWND hwndMain = pTopLevel != nullptr ? pTopLevel->GetSafeHwnd() : GetSafeHwnd();
    // The framework's own message, which it shows even without the string resource.
    if (!::WinHelp(hwndMain, lpszHelpFile, nCmd, dwData))
        tw::mfc::ReportHelpUnavailable();
}

BOOL CKtvPMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_Impl.FilterFrameMessage(pMsg, CKtvPFrameImpl::FILTER_MDI) == CKtvPFrameImpl::FILTER_CONSUMED)
        return TRUE;
    return CMDIFrameWnd::PreTranslateMessage(pMsg);
}

BOOL CKtvPMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (!CMDIFrameWnd::OnCreateClient(lpcs, pContext))
        return FALSE;
    if (m_bDoSubclass)
        m_wndClientArea.SubclassWindow(m_hWndMDIClient);
    return TRUE;
}

BOOL CKtvPMDIFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_Impl.OnAcceleratorCommand(wParam))
        return TRUE;
    if (CKtvPToolBar::m_bCustomizeMode)
        return FALSE;
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

int CKtvPMDIFrameWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_dockManager.Create(this);
    return 0;
}

void CKtvPMDIFrameWnd::OnClose()
{
    m_bClosing = TRUE;
    // No item is ever in-place active here, so there is none to close first.
    m_Impl.OnCloseFrame();
    CFrameWnd::OnClose();
}

void CKtvPMDIFrameWnd::OnDestroy()
{
    if (m_hAccelTable != nullptr) {
        ::DestroyAcceleratorTable(m_hAccelTable);
        m_hAccelTable = nullptr;
    }
    m_dockManager.EnableAdjustLayout(FALSE);
    // Bars and floating frames go before the frame; the MDI client stays for the framework.
    CKtvPFrameImpl::DestroyChildWindows(this, m_hWndMDIClient);
    CMDIFrameWnd::OnDestroy();
}

void CKtvPMDIFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_CLICKACTIVE)
        UpdateWindow();
    if (nState == WA_INACTIVE && !CKtvPToolBar::m_bCustomizeMode)
        m_Impl.DeactivateMenu();
}

void CKtvPMDIFrameWnd::OnActivateApp(BOOL bActive, DWORD)
{
    m_dockManager.OnActivateFrame(bActive);
}

LRESULT CKtvPMDIFrameWnd::OnMenuChar(WPARAM wParam, LPARAM lParam)
{
    if (m_Impl.OnMenuChar(CKtvPFrameImpl::MenuCharKey(wParam)))
        return MAKELRESULT(2, 0xFFFF);
    return Default();
}

void CKtvPMDIFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CMDIFrameWnd::OnWindowPosChanged(lpwndpos);
    CKtvPMenuBar* pMenuBar = m_Impl.m_pMenuBar;
    if (pMenuBar == nullptr)
        return;
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pChild = MDIGetActive(&bMaximized);
    if (pChild != nullptr && bMaximized)
        pMenuBar->SetMaximizeMode(TRUE, pChild, TRUE);
    else
        pMenuBar->SetMaximizeMode(FALSE, nullptr, TRUE);
}

void CKtvPMDIFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    if (m_bClosing) {
        CFrameWnd::OnSize(nType, cx, cy);
        return;
    }

    m_bIsMinimized = (nType == SIZE_MINIMIZED);
    m_dockManager.OnActivateFrame(nType != SIZE_MINIMIZED);

    if (nType == SIZE_MINIMIZED || nType == SIZE_MAXIMIZED || m_bWasMaximized) {
        CFrameWnd::OnSize(nType, cx, cy);
        if (nType == SIZE_MAXIMIZED || (nType == SIZE_RESTORED && m_bWasMaximized))
            RecalcLayout(TRUE);
        m_bWasMaximized = (nType == SIZE_MAXIMIZED);
        return;
    }

    // A border drag: the bars follow without a full layout.
    m_dockManager.DisableRecalcLayout(TRUE);
    AdjustDockingLayout(nullptr);
    CFrameWnd::OnSize(nType, cx, cy);
    m_dockManager.DisableRecalcLayout(FALSE);

    BOOL bFullDrag = TRUE;
    ::SystemParametersInfo(SPI_GETDRAGFULLWINDOWS, 0, &bFullDrag, 0);
    if (!bFullDrag)
        RecalcLayout(TRUE);
}

LRESULT CKtvPMDIFrameWnd::OnSizing(WPARAM, LPARAM lParam)
{
    const LRESULT lResult = Default();
    const CRect* pRectNew = reinterpret_cast<const CRect*>(lParam);
    CRect rectWindow;
    GetWindowRect(rectWindow);
    if (pRectNew != nullptr && pRectNew->Size() != rectWindow.Size())
        AdjustDockingLayout(nullptr);
    return lResult;
}

LRESULT CKtvPMDIFrameWnd::OnExitSizeMove(WPARAM, LPARAM)
{
    m_dockManager.AdjustDockBars();
    return 0;
}

LRESULT CKtvPMDIFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    m_dockManager.SendMessageToMiniFrames(WM_IDLEUPDATECMDUI, 0, 0);
    return 0;
}

LRESULT CKtvPMDIFrameWnd::OnToolbarCreateNew(WPARAM, LPARAM lParam)
{
    return reinterpret_cast<LRESULT>(m_Impl.CreateNewToolbar(reinterpret_cast<LPCTSTR>(lParam)));
}

LRESULT CKtvPMDIFrameWnd::OnToolbarDelete(WPARAM, LPARAM lParam)
{
    return m_Impl.DeleteToolbar(reinterpret_cast<CKtvPToolBar*>(lParam));
}

void CKtvPMDIFrameWnd::OnContextHelp()
{
    m_bContextHelp = TRUE;
    const BOOL bEnterHelp = m_bHelpMode == HELP_INACTIVE && CanEnterHelpMode();
    if (bEnterHelp)
        CKtvPToolBar::SetHelpMode(TRUE);
    CFrameWnd::OnContextHelp();
    if (bEnterHelp && m_bHelpMode == HELP_INACTIVE)
        CKtvPToolBar::SetHelpMode(FALSE);
    m_bContextHelp = FALSE;
}

void CKtvPMDIFrameWnd::OnWindowNew()
{
    BOOL bMaximized = FALSE;
    CMDIChildWnd* pActive = MDIGetActive(&bMaximized);
    if (pActive != nullptr && bMaximized)
        pActive->ShowWindow(SW_RESTORE);

    CMDIFrameWnd::OnWindowNew();

    if (bMaximized) {
        if (CMDIChildWnd* pNew = MDIGetActive())
            pNew->ShowWindow(SW_MAXIMIZE);
    }
}

BOOL CKtvPMDIFrameWnd::OnBarCheck(UINT nID)
{
    return CKtvPFrameImpl::ToggleControlBar(this, nID);
}

void CKtvPMDIFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CKtvPFrameImpl::UpdateControlBarMenu(this, pCmdUI);
}
