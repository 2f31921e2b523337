// The commands the main frame handles itself: disconnecting the open windows,
// closing the main window, the View menu's panes, toolbars and MDI tabs, full
// screen, the Windows dialog and the Help menu's pages.
#include <memory>
#include <string>

#include "app/AppHome.h"
#include "app/MainFrame.h"
#include "app/MainFrameCommandIds.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CMDIChildWnd.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/CView.h"
#include "platform/mfc/CWinApp.h"
#include "platform/shell/shellapi.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"
#include "ui/commandbars/KtvPToolbarCustomize.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/controls/KtvPCalendarMenuButton.h"
#include "ui/docking/KtvPBaseControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPCodes.h"

namespace {

constexpr const char* kPleaseWait = "Please wait...";

// The pane a View command shows and hides.
UINT PaneOfViewCommand(UINT nCommand)
{
    switch (nCommand) {
    case ID_TW_VIEW_OBJECT_TREE: return IDW_TW_OBJECT_PANE;
    case ID_TW_VIEW_OUTPUT: return IDW_TW_OUTPUT_PANE;
    case ID_TW_VIEW_SNIPPETS: return IDW_TW_SNIPPETS_PANE;
    default: return 0;
    }
}

// Opens a page or an address with the desktop's opener; says so when it cannot.
void OpenWithDesktop(const CString& target, int nShowCmd)
{
    CWaitCursor wait;
    const auto answer = reinterpret_cast<INT_PTR>(::ShellExecute(nullptr, nullptr, target, nullptr, nullptr, nShowCmd));
    if (answer > 32)
        return;
    CString message;
    message.Format("Tarnwick could not open \"%s\".", static_cast<LPCTSTR>(target));
    AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

// --- Session ---------------------------------------------------------------------------------

void CMainFrame::SetStatusMessage(LPCTSTR lpszText)
{
    if (m_wndStatusBar.GetSafeHwnd())
        m_wndStatusBar.SetPaneText(0, lpszText);
}

void CMainFrame::ShowConnectionCount()
{
    m_strConnCountText.Format("Total # of connections: %d", GetQueryWindowCount());
    if (m_wndStatusBar.GetSafeHwnd())
        m_wndStatusBar.SetPaneText(1, m_strConnCountText);
}

void CMainFrame::OnDisconnect()
{
    CWaitCursor wait;
    SetStatusMessage(kPleaseWait);
    if (CMDIChildWnd* pChild = MDIGetActive())
        pChild->SendMessage(WM_CLOSE);
    SetStatusMessage("");
}

void CMainFrame::OnDisconnectAll()
{
    CWaitCursor wait;
    SetStatusMessage(kPleaseWait);
    CMDIChildWnd* pChild = MDIGetActive();
    m_bDisconnectingAll = TRUE;
    while (pChild != nullptr) {
        const HWND hwndAsked = pChild->GetSafeHwnd();
        pChild->SendMessage(WM_CLOSE);
        ShowConnectionCount();
        CMDIChildWnd* pNext = MDIGetActive();
        // A window that stays open (a batch still being cancelled) ends the
        // round: the others wait until it can close.
        if (pNext == nullptr || pNext->GetSafeHwnd() == hwndAsked)
            break;
        pChild = pNext;
    }
    m_bDisconnectingAll = FALSE;
    SetStatusMessage("");
}

void CMainFrame::OnClose()
{
    if (m_bFullScreen)
        LeaveFullScreen();
    if (IsIconic())
        ActivateFrame();
    m_bClosingApp = TRUE;
    OnDisconnectAll();
    m_bClosingApp = FALSE;
    CKtvPMDIFrameWnd::OnClose();
}

// --- View: panes, toolbars and MDI tabs ------------------------------------------------------

BOOL CMainFrame::OnViewPane(UINT nID)
{
    CKtvPBaseControlBar* pPane = GetControlBar(PaneOfViewCommand(nID));
    if (pPane == nullptr)
        return FALSE;
    const BOOL bShow = !pPane->IsVisible();
    // The object tree takes the focus when it comes back; the other panes do not.
    ShowControlBar(pPane, bShow, FALSE, bShow && nID == ID_TW_VIEW_OBJECT_TREE);
    RecalcLayout();
    return TRUE;
}

void CMainFrame::OnUpdateViewPane(CCmdUI* pCmdUI)
{
    CKtvPBaseControlBar* pPane = GetControlBar(PaneOfViewCommand(pCmdUI->m_nID));
    pCmdUI->Enable(pPane != nullptr);
    pCmdUI->SetCheck(pPane != nullptr && pPane->IsVisible());
}

void CMainFrame::OnViewTabMDI()
{
    EnableMDITabs(!m_wndClientArea.IsMDITabbed(), FALSE, CKtvPTabWnd::LOCATION_TOP, TRUE,
                  CKtvPTabWnd::TABSTYLE_3D_SCROLLED);
}

void CMainFrame::OnUpdateViewTabMDI(CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_wndClientArea.IsMDITabbed()); }

CKtvPToolBar* CMainFrame::ViewedToolBar(UINT nID)
{
    switch (nID) {
    case ID_TW_VIEW_STANDARD_BAR: return &m_wndToolBar;
    case IDW_TW_EDIT_BAR: return &m_wndEditBar;
    case IDW_TW_SESSION_BAR: return &m_wndSessionBar;
    case IDW_TW_QUERY_BAR: return &m_wndQueryBar;
    case IDW_TW_RESULT_BAR: return &m_wndResultBar;
    default: return nullptr;
    }
}

BOOL CMainFrame::OnViewToolBar(UINT nID)
{
    CKtvPToolBar* pBar = ViewedToolBar(nID);
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || m_bFullScreen)
        return TRUE;
    ShowControlBar(pBar, !pBar->IsVisible(), FALSE, FALSE);
    // The Standard toolbar's command is the framework's, which lays the frame out after it.
    if (nID == ID_TW_VIEW_STANDARD_BAR)
        RecalcLayout();
    return TRUE;
}

void CMainFrame::OnUpdateViewToolBar(CCmdUI* pCmdUI)
{
    CKtvPToolBar* pBar = ViewedToolBar(pCmdUI->m_nID);
    const BOOL bExists = pBar != nullptr && pBar->GetSafeHwnd() != nullptr;
    pCmdUI->Enable(bExists && !m_bFullScreen);
    pCmdUI->SetCheck(bExists && pBar->IsVisible());
}

void CMainFrame::OnViewUserToolBar(UINT nID)
{
    CKtvPToolBar* pBar = m_Impl.GetUserToolBarByIndex(static_cast<int>(nID - ID_TW_VIEW_USER_BAR_FIRST));
    if (pBar == nullptr || m_bFullScreen)
        return;
    ShowControlBar(pBar, !pBar->IsVisible(), FALSE, FALSE);
    RecalcLayout();
}

void CMainFrame::OnUpdateViewUserToolBar(CCmdUI* pCmdUI)
{
    CKtvPToolBar* pBar = m_Impl.GetUserToolBarByIndex(static_cast<int>(pCmdUI->m_nID - ID_TW_VIEW_USER_BAR_FIRST));
    pCmdUI->Enable(pBar != nullptr && !m_bFullScreen);
    pCmdUI->SetCheck(pBar != nullptr && pBar->IsVisible());
}

// --- Full screen -----------------------------------------------------------------------------

void CMainFrame::OnViewFullScreen()
{
    if (m_bFullScreen)
        LeaveFullScreen();
    else
        EnterFullScreen();
}

void CMainFrame::EnterFullScreen()
{
    m_wpBeforeFullScreen.length = sizeof(WINDOWPLACEMENT);
    GetWindowPlacement(&m_wpBeforeFullScreen);
    CMDIChildWnd* pChild = MDIGetActive();
    CView* pView = pChild ? pChild->GetActiveView() : nullptr;
    if (pView == nullptr)
        return;
    if (!CreateFullScreenBar())
        return;

    // The frame grows on each side by the distance from the view to the
    // screen's edge, so that the view alone fills the screen. Measured once
    // the floating bar is out of the frame's layout.
    CRect rectDesktop;
    ::GetWindowRect(::GetDesktopWindow(), rectDesktop);
    CRect rectView;
    pView->GetWindowRect(rectView);
    CRect rectFrame;
    GetWindowRect(rectFrame);
    rectFrame.left -= rectView.left - rectDesktop.left;
    rectFrame.top -= rectView.top - rectDesktop.top;
    rectFrame.right += rectDesktop.right - rectView.right;
    rectFrame.bottom += rectDesktop.bottom - rectView.bottom;
    m_rectFullScreen = rectFrame;

    m_bFullScreen = TRUE;
    WINDOWPLACEMENT wp = m_wpBeforeFullScreen;
    wp.showCmd = SW_SHOWNORMAL;
    wp.rcNormalPosition = m_rectFullScreen;
    SetWindowPlacement(&wp);
}

// The floating "Full Screen" bar with its one button, "Close Full Screen".
BOOL CMainFrame::CreateFullScreenBar()
{
    auto pBar = std::make_unique<CKtvPToolBar>();
    if (!pBar->Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE,
                      IDW_TW_FULL_SCREEN_BAR))
        return FALSE;
    auto* pButton = new CKtvPToolbarButton(ID_TW_VIEW_FULL_SCREEN, -1, "Close Full Screen", FALSE, TRUE);
    pButton->m_bTextShown = TRUE;
    pBar->InsertButton(pButton);
    pBar->SetControlBarStyle(pBar->GetControlBarStyle() | KTVP_CBRS_FLOAT);
    pBar->EnableDocking(0);
    pBar->SetWindowPos(nullptr, 100, 100, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    pBar->SetWindowText("Full Screen");
    pBar->FloatControlBar(CRect(100, 100, 200, 200), KTVP_DM_SHOW, TRUE);
    pBar->ShowControlBar(TRUE, FALSE, FALSE);
    RecalcLayout();
    m_pwndFullScreenBar = pBar.get();
    m_pFullScreenBarObject = std::move(pBar);
    return TRUE;
}

void CMainFrame::LeaveFullScreen()
{
    if (CKtvPToolBar* pBar = m_pwndFullScreenBar) {
        m_pwndFullScreenBar = nullptr;
        RemoveControlBarFromDockManager(pBar, FALSE, FALSE, FALSE);
        if (CKtvPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame(TRUE))
            pMiniFrame->DestroyWindow();
        else
            pBar->DestroyWindow();
    }
    m_bFullScreen = FALSE;
    WINDOWPLACEMENT wp = m_wpBeforeFullScreen;
    wp.rcNormalPosition = m_rectFullScreen;
    SetWindowPlacement(&wp);
    SetWindowPlacement(&m_wpBeforeFullScreen);
}

BOOL CMainFrame::OnCloseMiniFrame(CKtvPMiniFrameWnd* pWnd)
{
    // Hidden, the bar would leave no way back from full screen, so its close
    // box leaves full screen instead; after the click, as that destroys the
    // floating frame that is handling it.
    if (m_pwndFullScreenBar != nullptr && pWnd->GetControlBar() == m_pwndFullScreenBar) {
        PostMessage(WM_COMMAND, ID_TW_VIEW_FULL_SCREEN);
        return FALSE;
    }
    return CKtvPMDIFrameWnd::OnCloseMiniFrame(pWnd);
}

void CMainFrame::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CKtvPMDIFrameWnd::OnGetMinMaxInfo(lpMMI);
    if (!m_bFullScreen)
        return;
    // Larger than the screen: the frame's bars and borders lie outside it.
    lpMMI->ptMaxSize = CPoint(m_rectFullScreen.Width(), m_rectFullScreen.Height());
    lpMMI->ptMaxTrackSize = lpMMI->ptMaxSize;
}

// --- Window and Help -------------------------------------------------------------------------

void CMainFrame::OnWindowsDialog() { ShowWindowsDialog(); }

void CMainFrame::OnHelpContents()
{
    const std::string page = tw::app::ProgramFolder() + "/" + tw::app::kHelpIndex;
    OpenWithDesktop(page.c_str(), SW_SHOWNORMAL);
}

void CMainFrame::OnHelpFeedback() { OpenWithDesktop(tw::app::kFeedbackPage, SW_HIDE); }

void CMainFrame::OnHelpNews() { OpenWithDesktop(tw::app::kNewsPage, SW_HIDE); }

// --- Tool windows ----------------------------------------------------------------------------

BOOL CMainFrame::CreateToolViews(CRuntimeClass* /*pTopView*/, CRuntimeClass* /*pBottomView*/, int /*nRow*/,
                                 int /*nColumn*/, LPCTSTR /*lpszTitle*/, BOOL /*bBoth*/)
{
    // No window kind of this program is a tool window yet, so there are no
    // panes to fill: the caller reports the failure.
    return FALSE;
}

void CMainFrame::OnUpdateNotBuiltYet(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

// --- Tools/Customize -------------------------------------------------------------------------

void CMainFrame::OnCustomize()
{
    // One sheet at a time: asked again, the open one comes forward.
    if (CKtvPToolbarCustomize* pOpen = CKtvPToolbarCustomize::m_pCustomizeSheet) {
        pOpen->SetActiveWindow();
        return;
    }
    constexpr UINT kProgramCustomizeFlags = 0x40;
    auto* pSheet = new CKtvPToolbarCustomize(this, TRUE, kProgramCustomizeFlags);
    pSheet->EnableUserDefinedToolbars();

    // The command lists offer the real controls of these commands, not plain buttons.
    pSheet->ReplaceButton(ID_TW_DATABASE_BOX,
                          CKtvPToolbarComboBoxButton(ID_TW_DATABASE_BOX, GetCmdImage(ID_TW_DATABASE_BOX), CBS_DROPDOWNLIST));
    CKtvPCalendarMenuButton calendar(ID_TW_DATE, "Date");
    calendar.SetDate(COleDateTime::GetCurrentTime(), FALSE);
    pSheet->ReplaceButton(ID_TW_DATE, calendar);
    CMenu menu;
    if (menu.LoadMenu(IDR_TW_DESCRIPTION_MENU)) {
        pSheet->ReplaceButton(ID_TW_INSERT_DESCRIPTION,
                              CKtvPToolbarMenuButton(ID_TW_INSERT_DESCRIPTION, menu.GetSubMenu(0)->GetSafeHmenu(),
                                                     GetCmdImage(ID_TW_INSERT_DESCRIPTION), "Insert description..."));
    }
    // From here the sheet deletes itself when its window goes; a window that
    // could not be made leaves it to us.
    if (!pSheet->Create())
        delete pSheet;
}
