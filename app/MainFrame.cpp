#include "app/MainFrame.h"

#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPWorkspace.h"

IMPLEMENT_DYNAMIC(CMainFrame, CKtvPMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CKtvPMDIFrameWnd)
    ON_WM_CREATE()
    ON_UPDATE_COMMAND_UI(IDS_TW_CONNECTIONS, OnUpdateConnectionCount)
END_MESSAGE_MAP()

namespace {

// The status bar: the message pane, the connection count, then the key states.
const UINT kIndicators[] = {0, IDS_TW_CONNECTIONS, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                            ID_INDICATOR_SCRL};

constexpr DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                CBRS_SIZE_DYNAMIC;

CKtvPWorkspace* Workspace() { return dynamic_cast<CKtvPWorkspace*>(AfxGetApp()); }

// A look option of the "EnvironmentGeneral" group: its own key holding one value.
int EnvironmentOption(LPCTSTR lpszOption)
{
    CKtvPWorkspace* pWorkspace = Workspace();
    return pWorkspace ? pWorkspace->GetSectionInt(lpszOption, "EnvironmentGeneral", 0) : 0;
}

}  // namespace

CMainFrame::CMainFrame() { m_strConnCountText.Format("Total # of connections: %d", 0); }

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::CreateToolBar(CKtvPToolBar& bar, UINT nID, UINT nResource, UINT nTitle)
{
    if (!bar.CreateEx(this, TBSTYLE_FLAT, kToolBarStyle, CRect(1, 1, 1, 1), nID) || !bar.LoadToolBar(nResource))
        return FALSE;
    CString title;
    title.LoadString(nTitle);
    bar.SetWindowText(title);
    return TRUE;
}

void CMainFrame::SetupLook()
{
    const int nTabLayout = EnvironmentOption("TabLayout");
    EnableMDITabs(nTabLayout == 0, FALSE, CKtvPTabWnd::LOCATION_TOP, TRUE, CKtvPTabWnd::TABSTYLE_SLANTED);
    CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManager));
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bDockToolbarBehaviorClose = EnvironmentOption("DockToolbarBehaviorClose");
    SetupLook();

    if (!m_wndMenuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE,
                             IDW_TW_MENUBAR))
        return -1;
    m_wndMenuBar.SetBarStyle(m_wndMenuBar.GetBarStyle() | CBRS_SIZE_DYNAMIC);

    if (!CreateToolBar(m_wndToolBar, IDW_TW_STANDARD_BAR, IDR_TW_MAINFRAME, 101) ||
        !CreateToolBar(m_wndEditBar, IDW_TW_EDIT_BAR, IDR_TW_EDIT_BAR, 103) ||
        !CreateToolBar(m_wndSessionBar, IDW_TW_SESSION_BAR, IDR_TW_SESSION_BAR, 104) ||
        !CreateToolBar(m_wndQueryBar, IDW_TW_QUERY_BAR, IDR_TW_QUERY_BAR, 105) ||
        !CreateToolBar(m_wndResultBar, IDW_TW_RESULT_BAR, IDR_TW_RESULT_BAR, 61450))
        return -1;

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, IDW_TW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kIndicators, static_cast<int>(sizeof(kIndicators) / sizeof(kIndicators[0]))))
        return -1;

    // The menu bar and the toolbars can be dragged off into floating frames;
    // only bars that can float are docked into the frame's dock bars.
    m_wndMenuBar.SetControlBarStyle(m_wndMenuBar.GetControlBarStyle() | KTVP_CBRS_FLOAT);
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_TOP);
    CKtvPToolBar* bars[] = {&m_wndToolBar, &m_wndEditBar, &m_wndSessionBar, &m_wndQueryBar, &m_wndResultBar};
    for (CKtvPToolBar* pBar : bars) {
        pBar->SetControlBarStyle(pBar->GetControlBarStyle() | KTVP_CBRS_FLOAT);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
    }
    EnableDocking(CBRS_ALIGN_ANY);
    EnableAutoHideBars(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndMenuBar);
    // One row: Standard, Edit, Session, Result; the Query toolbar on a row of its own.
    DockControlBar(&m_wndResultBar);
    DockControlBarLeftOf(&m_wndSessionBar, &m_wndResultBar);
    DockControlBarLeftOf(&m_wndEditBar, &m_wndSessionBar);
    DockControlBarLeftOf(&m_wndToolBar, &m_wndEditBar);
    DockControlBar(&m_wndQueryBar);

    CString customize;
    customize.LoadString(106);
    for (CKtvPToolBar* pBar : bars)
        pBar->EnableCustomizeButton(TRUE, ID_TW_CUSTOMIZE, customize);
    EnableWindowsDialog(32890, 102, TRUE, FALSE);
    return 0;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CKtvPMDIFrameWnd::PreCreateWindow(cs))
        return FALSE;
    // The frame starts at the size of the work area: the toolbars dock into
    // their rows while it is being created, and they need the room then.
    CRect work;
    if (::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0) && !work.IsRectEmpty()) {
        cs.x = work.left;
        cs.y = work.top;
        cs.cx = work.Width();
        cs.cy = work.Height();
    }
    return TRUE;
}

BOOL CMainFrame::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    return CKtvPMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext);
}

void CMainFrame::ActivateFrame(int /*nCmdShow*/) { CKtvPMDIFrameWnd::ActivateFrame(SW_SHOWMAXIMIZED); }

void CMainFrame::OnUpdateConnectionCount(CCmdUI* pCmdUI)
{
    m_strConnCountText.Format("Total # of connections: %d", GetQueryWindowCount());
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(m_strConnCountText);
}
