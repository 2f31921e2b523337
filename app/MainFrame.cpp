#include "app/MainFrame.h"

#include "app/RegistryXml.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/COleDateTime.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "scripts/SnippetListBox.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/controls/KtvPCalendarMenuButton.h"
#include "ui/controls/KtvPOutlookWnd.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPTabbedControlBar.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPRegistry.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvPVisualManager2003.h"
#include "ui/frames/KtvPVisualManagerXP.h"
#include "ui/frames/KtvPWorkspace.h"

IMPLEMENT_DYNAMIC(CMainFrame, CKtvPMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMainFrame, CKtvPMDIFrameWnd)
    ON_WM_CREATE()
    ON_WM_CONTEXTMENU()
    ON_REGISTERED_MESSAGE(KTVM_RESETTOOLBAR, OnToolbarReset)
    ON_REGISTERED_MESSAGE(KTVM_TOOLBARMENU, OnToolbarContextMenu)
    ON_REGISTERED_MESSAGE(KTVM_CREATETOOLBAR, OnToolbarCreateNew)
    ON_REGISTERED_MESSAGE(KTVM_CUSTOMIZEHELP, OnHelpCustomizeToolbars)
    ON_UPDATE_COMMAND_UI(IDS_TW_CONNECTIONS, OnUpdateConnectionCount)
    ON_WM_CLOSE()
    ON_WM_GETMINMAXINFO()
    ON_COMMAND(ID_TW_DISCONNECT, OnDisconnect)
    ON_COMMAND(ID_TW_DISCONNECT_ALL, OnDisconnectAll)
    ON_COMMAND_EX(ID_TW_VIEW_OBJECT_TREE, OnViewPane)
    ON_COMMAND_EX(ID_TW_VIEW_OUTPUT, OnViewPane)
    ON_COMMAND_EX(ID_TW_VIEW_SNIPPETS, OnViewPane)
    ON_UPDATE_COMMAND_UI(ID_TW_VIEW_OBJECT_TREE, OnUpdateViewPane)
    ON_UPDATE_COMMAND_UI(ID_TW_VIEW_OUTPUT, OnUpdateViewPane)
    ON_UPDATE_COMMAND_UI(ID_TW_VIEW_SNIPPETS, OnUpdateViewPane)
    ON_COMMAND(ID_TW_VIEW_TAB_MDI, OnViewTabMDI)
    ON_UPDATE_COMMAND_UI(ID_TW_VIEW_TAB_MDI, OnUpdateViewTabMDI)
    ON_COMMAND(ID_TW_VIEW_FULL_SCREEN, OnViewFullScreen)
    ON_COMMAND_EX(ID_TW_VIEW_STANDARD_BAR, OnViewToolBar)
    ON_COMMAND_EX_RANGE(ID_TW_VIEW_EDIT_BAR, ID_TW_VIEW_RESULT_BAR, OnViewToolBar)
    ON_UPDATE_COMMAND_UI(ID_TW_VIEW_STANDARD_BAR, OnUpdateViewToolBar)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TW_VIEW_EDIT_BAR, ID_TW_VIEW_RESULT_BAR, OnUpdateViewToolBar)
    ON_COMMAND_RANGE(ID_TW_VIEW_USER_BAR_FIRST, ID_TW_VIEW_USER_BAR_LAST, OnViewUserToolBar)
    ON_UPDATE_COMMAND_UI_RANGE(ID_TW_VIEW_USER_BAR_FIRST, ID_TW_VIEW_USER_BAR_LAST, OnUpdateViewUserToolBar)
    ON_COMMAND(ID_TW_WINDOWS_DIALOG, OnWindowsDialog)
    ON_COMMAND(ID_TW_HELP_CONTENTS, OnHelpContents)
    ON_COMMAND(ID_TW_HELP_FEEDBACK, OnHelpFeedback)
    ON_COMMAND(ID_TW_HELP_NEWS, OnHelpNews)
    ON_COMMAND(ID_TW_CUSTOMIZE, OnCustomize)
    ON_COMMAND(ID_TW_CUSTOMIZE_FROM_BARS, OnCustomize)
    // Opening query windows, the logon and the connection profiles.
    ON_COMMAND(57600, OnFileNewQueryWindow)
    ON_COMMAND(32840, OnConnect)
    ON_COMMAND(32843, OnUserConfiguration)
    // Keyboard map (MainFrameKeyMap.cpp).
    ON_COMMAND(61448, OnHelpKeyboardMap)
    // Options and Tutorial.
    ON_COMMAND(32816, OnToolsOptions)
    ON_COMMAND(40135, OnHelpTutorial)
    // The object tree's refresh commands (MainFrameExplorer.cpp).
    ON_COMMAND(40008, OnRefresh)
    ON_COMMAND(40004, OnDatabaseRefresh)
    ON_COMMAND(40022, OnTableRefresh)
    ON_COMMAND(40052, OnViewRefresh)
    ON_COMMAND(40080, OnProcedureRefresh)
    ON_COMMAND(40102, OnFunctionRefresh)
    // Session properties.
    ON_COMMAND(32844, OnSessionProperties)
    // Snippets and script files.
    ON_COMMAND(40269, OnToolsSnippetSetup)
    // The object tree's table and view commands (explorer/Commands*.cpp).
    ON_COMMAND(40023, OnTableReturnAllRows)
    ON_COMMAND(40024, OnTableReturnTop)
    ON_COMMAND(40020, OnTableDesign)
    ON_COMMAND(40021, OnTableDrop)
    ON_COMMAND(40031, OnTableCheck)
    ON_COMMAND(40030, OnTableRename)
    ON_COMMAND(40029, OnTableOption)
    ON_COMMAND(40053, OnViewReturnAllRows)
    ON_COMMAND(40057, OnViewReturnTop)
    ON_COMMAND(40050, OnViewDesign)
    ON_COMMAND(40056, OnViewDrop)
    ON_COMMAND(40058, OnViewRebuild)
    ON_COMMAND(40054, OnViewRename)
    ON_COMMAND(40051, OnViewProperties)
END_MESSAGE_MAP()

namespace {

// The status bar: the message pane, the connection count, then the key states.
const UINT kFrameIndicators[] = {0, IDS_TW_CONNECTIONS, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
                            ID_INDICATOR_SCRL};

constexpr DWORD kFrameToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY |
                                CBRS_SIZE_DYNAMIC;

CKtvPWorkspace* FrameWorkspace() { return dynamic_cast<CKtvPWorkspace*>(AfxGetApp()); }

// A look option of the "EnvironmentGeneral" group: its own key holding one value.
int FrameEnvironmentOption(LPCTSTR lpszOption)
{
    CKtvPWorkspace* pWorkspace = FrameWorkspace();
    return pWorkspace ? pWorkspace->GetSectionInt(lpszOption, "EnvironmentGeneral", 0) : 0;
}

// Releases the member's object, then makes a new one of the class; FALSE when
// the class is not there or does not offer the member's interface.
template <typename Ptr>
bool MakeFrameServerObject(Ptr& member, REFCLSID clsid)
{
    member = nullptr;
    return SUCCEEDED(member.CreateInstance(clsid, nullptr, CLSCTX_ALL)) && member != nullptr;
}

// The commands shown when menus show only the basic ones, in the library's order.
const UINT kFrameBasicCommands[] = {
    32771, 57600, 57601, 57603, 57607, 57604, 57602, 57609, 57606, 57612, 57616, 57665, 57635, 57637, 57643,
    57644, 57642, 57633, 57634, 57636, 57641, 37133, 37223, 37224, 37225, 37226, 37131, 37132, 37003, 37004,
    37128, 37127, 40280, 40297, 40298, 40296, 40299, 40300, 40200, 40201, 40202, 40203, 40204, 40206, 40205,
    40207, 40208, 40204, 57664, 40131, 40135, 61448, 40133, 40134, 59392, 32774, 32770, 32773, 59393, 32772,
    40267, 32775, 32776, 32777, 32779, 32778, 57651, 57650, 57649, 32854, 32850, 32852, 32853, 32851, 32840,
    32841, 32842, 32843, 32844, 40268, 40140, 40141, 40269, 32816};

// The docking panes' window style and their docking style: float, auto-hide, resize, close.
constexpr DWORD kFramePaneStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_LEFT | CBRS_FLOAT_MULTI;
constexpr DWORD kFramePaneDocking = KTVP_CBRS_FLOAT | KTVP_CBRS_AUTOHIDE | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE;
constexpr DWORD kFramePaneTabbedStyle = 0x20;

void SetFramePaneIcon(CWnd& bar, UINT nIcon)
{
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    if (HANDLE hIcon = ::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(nIcon), IMAGE_ICON, cx, cy, 0))
        bar.SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
}

}  // namespace

CMainFrame::CMainFrame()
{
    // Popup menus draw their shadow also where they reach outside the window.
    CKtvPPopupMenu::m_bForceShadow = TRUE;
    m_strConnCountText.Format("Total # of connections: %d", 0);
    CreateServerObjects();
}

void CMainFrame::CreateServerObjects()
{
    // In this order; the first object that cannot be made ends the list, and
    // it and all later members stay null. The frame is made all the same.
    if (!MakeFrameServerObject(m_SQLServer, SQLDMO::CLSID_SQLServer) ||
        !MakeFrameServerObject(m_Database, SQLDMO::CLSID_Database) || !MakeFrameServerObject(m_User, SQLDMO::CLSID_User) ||
        !MakeFrameServerObject(m_BoundDefault, SQLDMO::CLSID_Default) || !MakeFrameServerObject(m_Rule, SQLDMO::CLSID_Rule) ||
        !MakeFrameServerObject(m_Table, SQLDMO::CLSID_Table) || !MakeFrameServerObject(m_Table2, SQLDMO::CLSID_Table) ||
        !MakeFrameServerObject(m_Column, SQLDMO::CLSID_Column) || !MakeFrameServerObject(m_Key, SQLDMO::CLSID_Key) ||
        !MakeFrameServerObject(m_Check, SQLDMO::CLSID_Check) || !MakeFrameServerObject(m_Trigger, SQLDMO::CLSID_Trigger) ||
        !MakeFrameServerObject(m_Index, SQLDMO::CLSID_Index) || !MakeFrameServerObject(m_Login, SQLDMO::CLSID_Login) ||
        !MakeFrameServerObject(m_StoredProcedure, SQLDMO::CLSID_StoredProcedure) ||
        !MakeFrameServerObject(m_UserDefinedDatatype, SQLDMO::CLSID_UserDefinedDatatype) ||
        !MakeFrameServerObject(m_View, SQLDMO::CLSID_View) ||
        !MakeFrameServerObject(m_UserDefinedFunction, SQLDMO::CLSID_UserDefinedFunction))
        return;
    // A recordset that cannot be made leaves the member null and ends nothing.
    MakeFrameServerObject(m_pRecordset, ADODB::CLSID_Recordset);
    m_strObjectSearchSQL.Empty();
    m_strLoginDefaultDatabase.Empty();
}

CMainFrame::~CMainFrame() = default;

BOOL CMainFrame::CreateToolBar(CKtvPToolBar& bar, UINT nID, UINT nResource, UINT nTitle)
{
    if (!bar.CreateEx(this, TBSTYLE_FLAT, kFrameToolBarStyle, CRect(1, 1, 1, 1), nID) || !bar.LoadToolBar(nResource))
        return FALSE;
    CString title;
    title.LoadString(nTitle);
    bar.SetWindowText(title);
    return TRUE;
}

void CMainFrame::SetupLook()
{
    constexpr BOOL kNoIcons = FALSE;
    constexpr BOOL kCloseButton = TRUE;
    const int nTabLayout = FrameEnvironmentOption("TabLayout");
    EnableMDITabs(nTabLayout == 0, kNoIcons, CKtvPTabWnd::LOCATION_TOP, kCloseButton, CKtvPTabWnd::TABSTYLE_SLANTED);

    // The look options are radio values: the one selected holds 0.
    auto mdiTabs = [this](int nStyle, BOOL bAutoColor) {
        EnableMDITabs(TRUE, kNoIcons, CKtvPTabWnd::LOCATION_TOP, kCloseButton, nStyle);
        m_wndClientArea.GetMDITabs().EnableAutoColor(bAutoColor);
    };
    if (FrameEnvironmentOption("APPLookVS") == 0) {
        CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManager));
    } else if (FrameEnvironmentOption("APPLookNet") == 0) {
        CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManagerXP));
    } else if (FrameEnvironmentOption("APPLookOff2003") == 0) {
        CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManager2003));
        if (FrameEnvironmentOption("APPLookOff23OneNote") != 0)
            mdiTabs(CKtvPTabWnd::TABSTYLE_SLANTED, TRUE);
        else
            mdiTabs(CKtvPTabWnd::TABSTYLE_3D_SCROLLED, FALSE);
        CKtvPTabbedControlBar::EnableTabAutoColor(FrameEnvironmentOption("APPLookOff23TabClr") != 0);
    } else if (FrameEnvironmentOption("APPLookOff2000") == 0) {
        CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManager));
        CKtvPVisualManager::GetInstance()->SetLook2000(TRUE);
        CKtvPToolBar::SetLook2000(TRUE);
    } else {
        CKtvPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKtvPVisualManager2003));
        mdiTabs(CKtvPTabWnd::TABSTYLE_SLANTED, TRUE);
        CKtvPTabbedControlBar::EnableTabAutoColor(TRUE);
    }
}

void CMainFrame::SetupToolbarImagesAndCommands()
{
    CKtvPToolbarComboBoxButton::m_bFlat = TRUE;
    // The user's own button images, when the file is there.
    if (m_UserImages.LoadFromFile(".\\UserImages.bmp"))
        CKtvPToolBar::SetUserImages(&m_UserImages);
    CKtvPToolBar::m_bAltCustomization = TRUE;
    // Images of menu commands that no shown toolbar carries.
    CKtvPToolBar::AddToolBarForImageCollection(IDR_TW_MENU_IMAGES);
    CKtvPToolBar::AddToolBarForImageCollection(IDR_TW_MORE_MENU_IMAGES);

    CList<UINT, UINT> commands;
    for (UINT nID : kFrameBasicCommands)
        commands.AddTail(nID);
    CKtvPToolBar::SetBasicCommands(commands);
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_bDockToolbarBehaviorClose = FrameEnvironmentOption("DockToolbarBehaviorClose");
    SetupLook();
    SetupToolbarImagesAndCommands();

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
    // The Query toolbar's fifth button.
    if (m_wndQueryBar.GetCount() > 4)
        m_wndQueryBar.SetButtonStyle(4, m_wndQueryBar.GetButtonStyle(4) | 0x00020000);

    if (!m_wndStatusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, IDW_TW_STATUS_BAR) ||
        !m_wndStatusBar.SetIndicators(kFrameIndicators, static_cast<int>(sizeof(kFrameIndicators) / sizeof(kFrameIndicators[0]))))
        return -1;

    if (!m_wndOutput.Create("Output", this, CRect(0, 0, 100, 100), TRUE, IDW_TW_OUTPUT_BAR,
                            WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, kFramePaneTabbedStyle, kFramePaneDocking))
        return -1;
    if (!CreateDockingBars())
        return -1;

    DockBars();

    m_Impl.InitUserToolbars(nullptr, ID_TW_FIRST_USER_TOOLBAR, ID_TW_LAST_USER_TOOLBAR);
    CString customize;
    customize.LoadString(106);
    CKtvPToolBar* bars[] = {&m_wndToolBar, &m_wndEditBar, &m_wndSessionBar, &m_wndQueryBar, &m_wndResultBar};
    for (CKtvPToolBar* pBar : bars)
        pBar->EnableCustomizeButton(TRUE, ID_TW_CUSTOMIZE, customize);
    EnableWindowsDialog(32890, 102, TRUE, FALSE);
    return 0;
}

void CMainFrame::DockBars()
{
    // The menu bar and the toolbars can be dragged off into floating frames;
    // only bars that can float are docked into the frame's dock bars.
    m_wndMenuBar.SetControlBarStyle(m_wndMenuBar.GetControlBarStyle() | KTVP_CBRS_FLOAT);
    m_wndMenuBar.EnableDocking(CBRS_ALIGN_TOP);
    CKtvPToolBar* bars[] = {&m_wndToolBar, &m_wndEditBar, &m_wndSessionBar, &m_wndQueryBar, &m_wndResultBar};
    for (CKtvPToolBar* pBar : bars) {
        pBar->SetControlBarStyle(pBar->GetControlBarStyle() | KTVP_CBRS_FLOAT);
        pBar->EnableDocking(CBRS_ALIGN_ANY);
    }
    CKtvPBaseControlBar* panes[] = {&m_wndObjectBar, &m_wndDepotBar, &m_wndProjectBar, &m_wndOutput,
                                    &m_wndSnippets};
    for (CKtvPBaseControlBar* pPane : panes)
        pPane->EnableDocking(CBRS_ALIGN_ANY);
    EnableDocking(CBRS_ALIGN_ANY);
    EnableAutoHideBars(CBRS_ALIGN_ANY);
    DockControlBar(&m_wndMenuBar);
    // One row: Standard, Edit, Session, Result; the Query toolbar on a row of its own.
    DockControlBar(&m_wndResultBar);
    DockControlBarLeftOf(&m_wndSessionBar, &m_wndResultBar);
    DockControlBarLeftOf(&m_wndEditBar, &m_wndSessionBar);
    DockControlBarLeftOf(&m_wndToolBar, &m_wndEditBar);
    DockControlBar(&m_wndQueryBar);

    // The Object pane with Depot and Project as tabs; Project starts hidden.
    DockControlBar(&m_wndObjectBar);
    CKtvPDockingControlBar* pTabbed = nullptr;
    m_wndDepotBar.AttachToTabbedBar(&m_wndObjectBar, KTVP_DM_STANDARD, FALSE, &pTabbed);
    if (pTabbed != nullptr)
        m_wndProjectBar.AttachToTabbedBar(pTabbed, KTVP_DM_STANDARD, FALSE);
    m_wndObjectBar.ShowControlBar(TRUE, FALSE, TRUE);
    m_wndProjectBar.ShowControlBar(FALSE, FALSE, FALSE);
    DockControlBar(&m_wndOutput);
    DockControlBar(&m_wndSnippets);
}

BOOL CMainFrame::CreateDockingBars()
{
    const CRect rectSide(0, 0, 200, 200);
    if (!m_wndObjectBar.Create("Object", this, rectSide, TRUE, IDW_TW_OBJECT_BAR, kFramePaneStyle, kFramePaneTabbedStyle,
                               kFramePaneDocking))
        return FALSE;
    SetFramePaneIcon(m_wndObjectBar, IDI_TW_OBJECT_BAR);
    if (!m_wndDepotBar.Create("Depot", this, rectSide, TRUE, IDW_TW_DEPOT_BAR, kFramePaneStyle, kFramePaneTabbedStyle,
                              kFramePaneDocking))
        return FALSE;
    SetFramePaneIcon(m_wndDepotBar, IDI_TW_DEPOT_BAR);
    if (!m_wndProjectBar.Create("Project", this, rectSide, TRUE, IDW_TW_PROJECT_BAR, kFramePaneStyle, kFramePaneTabbedStyle,
                                kFramePaneDocking))
        return FALSE;
    SetFramePaneIcon(m_wndProjectBar, IDI_TW_DEPOT_BAR);

    // The Snippets pane is a fixed outlook pane at the right; it keeps the
    // Project pane's id free by taking an id of its own.
    const DWORD dwSnippetsStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION |
                                  CBRS_RIGHT | CBRS_FLOAT_MULTI;
    m_wndSnippets.Create("Snippets", this, CRect(0, 0, 100, 100), IDW_TW_SNIPPETS_BAR, dwSnippetsStyle,
                         KTVP_CBRS_RESIZE);

    // The snippets are read afresh from their file into the registry, where
    // they stay while the program runs (opening a snippet reads its text
    // there); the file is where they live between runs.
    {
        CKtvPRegistry registry(FALSE, FALSE);
        registry.DeleteKey(kTwSnippetsKey);
    }
    {
        CXmlReader reader;
        ImportRegistryFromXml(reader, kTwSnippetsFile);
    }
    {
        CKtvPRegistry registry(FALSE, FALSE);
        if (!registry.VerifyKey(kTwSnippetsKey))
            registry.CreateKey(kTwSnippetsKey);
    }
    m_SnippetImages.Create(IDB_TW_SNIPPETS, 16, 1, RGB(255, 255, 255));
    ReloadSnippetsBar();
    m_wndSnippets.SetBarStyle(m_wndSnippets.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);
    return TRUE;
}

BOOL CMainFrame::ReloadSnippetsBar(LPCTSTR, LPCTSTR, LPCTSTR)
{
    if (CKtvPBaseTabWnd* pPages = m_wndSnippets.GetUnderlinedWindow())
        pPages->RemoveAllTabs();
    return LoadSnippetPages(kTwSnippetsKey, "Snippets");
}

BOOL CMainFrame::LoadSnippetPages(LPCTSTR lpszRegKey, LPCTSTR /*lpszCaption*/)
{
    CStringArray groups;
    {
        CKtvPRegistry registry(FALSE, TRUE);
        if (!registry.Open(lpszRegKey))
            return TRUE;
        registry.ReadSubKeys(groups);
    }
    auto* pPages = dynamic_cast<CKtvPOutlookWnd*>(m_wndSnippets.GetUnderlinedWindow());
    for (INT_PTR i = 0; i < groups.GetSize(); i++) {
        const CString group = groups[i];
        CStringArray items;
        {
            CKtvPRegistry registry(FALSE, TRUE);
            if (registry.Open(CString(lpszRegKey) + "\\" + group))
                registry.ReadSubKeys(items);
        }
        auto* pList = new CSnippetListBox(&m_SnippetImages);
        const DWORD dwStyle =
            WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
        if (!pList->Create(dwStyle, CRect(0, 0, 0, 0), &m_wndSnippets, 0)) {
            delete pList;
            continue;
        }
        m_SnippetLists.push_back(std::unique_ptr<CSnippetListBox>(pList));
        for (INT_PTR j = 0; j < items.GetSize(); j++)
            pList->AddItem(items[j]);
        pList->SetWindowText(group);
        if (pPages != nullptr)
            pPages->AddControl(pList, group, -1, TRUE);
    }
    return TRUE;
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
    if (!CKtvPMDIFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // The user's own toolbars, loaded with the workspace, get their customise button too.
    for (int i = 0; i < 10; i++) {
        if (CKtvPToolBar* pUserBar = m_Impl.GetUserToolBarByIndex(i))
            pUserBar->EnableCustomizeButton(TRUE, ID_TW_CUSTOMIZE, "Customize...");
    }
    return TRUE;
}

CKtvPToolbarComboBoxButton* CMainFrame::GetDatabaseCombo()
{
    CObList buttons;
    if (CKtvPToolBar::GetCommandButtons(ID_TW_DATABASE_BOX, buttons) <= 0)
        return nullptr;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        if (auto* pCombo = DYNAMIC_DOWNCAST(CKtvPToolbarComboBoxButton, buttons.GetNext(pos)))
            return pCombo;
    }
    return nullptr;
}

BOOL CMainFrame::OnShowPopupMenu(CKtvPPopupMenu* pMenuPopup)
{
    CKtvPMDIFrameWnd::OnShowPopupMenu(pMenuPopup);
    if (pMenuPopup == nullptr)
        return TRUE;
    CKtvPPopupMenuBar* pMenuBar = pMenuPopup->GetMenuBar();

    // View/Toolbars: the list of toolbars, filled when it opens.
    if (pMenuBar->CommandToIndex(ID_TW_TOOLBAR_LIST) >= 0) {
        if (CKtvPToolBar::m_bCustomizeMode)
            return FALSE;
        pMenuPopup->RemoveAllItems();
        CMenu menu;
        if (menu.LoadMenu(IDR_TW_TOOLBARS_MENU)) {
            CMenu* pPopup = menu.GetSubMenu(0);
            CMenu toolbars;
            toolbars.Attach(pPopup->GetSafeHmenu());
            m_Impl.SetupToolbarMenu(toolbars, ID_TW_FIRST_USER_TOOLBAR_CMD, ID_TW_LAST_USER_TOOLBAR_CMD);
            toolbars.Detach();
            pMenuBar->ImportFromMenu(pPopup->GetSafeHmenu(), TRUE);
        }
        return TRUE;
    }

    // A drop-down from a bar button that offers the date: the calendar takes its place.
    const int iDate = pMenuBar->CommandToIndex(ID_TW_DATE);
    if (pMenuPopup->m_nDropDirection != CKtvPPopupMenu::DROP_DIRECTION_NONE && iDate >= 0) {
        if (pMenuBar->GetButton(iDate)->IsKindOf(RUNTIME_CLASS(CKtvPCalendarMenuButton)))
            return FALSE;
        CKtvPCalendarMenuButton calendar(ID_TW_DATE, "Date");
        calendar.SetDate(COleDateTime::GetCurrentTime(), FALSE);
        pMenuBar->ReplaceButton(ID_TW_DATE, calendar);
    }
    return TRUE;
}

LRESULT CMainFrame::OnToolbarReset(WPARAM wParam, LPARAM)
{
    const UINT uiToolBarId = static_cast<UINT>(wParam);
    if (uiToolBarId != IDR_TW_QUERY_BAR && uiToolBarId != IDR_TW_EDIT_BAR)
        return 0;
    if (uiToolBarId == IDR_TW_QUERY_BAR) {
        CKtvPToolbarComboBoxButton databases(ID_TW_DATABASE_BOX, GetCmdImage(ID_TW_DATABASE_BOX), CBS_DROPDOWNLIST);
        m_wndQueryBar.ReplaceButton(ID_TW_DATABASE_BOX, databases);
    }
    // Both resets bring back the Edit toolbar's date and description buttons.
    CKtvPCalendarMenuButton calendar(ID_TW_DATE, "Date");
    calendar.SetDate(COleDateTime::GetCurrentTime(), FALSE);
    m_wndEditBar.ReplaceButton(ID_TW_DATE, calendar);
    CMenu menu;
    if (menu.LoadMenu(IDR_TW_DESCRIPTION_MENU)) {
        CKtvPToolbarMenuButton description(ID_TW_INSERT_DESCRIPTION, menu.GetSubMenu(0)->GetSafeHmenu(),
                                           GetCmdImage(ID_TW_INSERT_DESCRIPTION), "Insert description...");
        m_wndEditBar.ReplaceButton(ID_TW_INSERT_DESCRIPTION, description);
    }
    return 0;
}

LRESULT CMainFrame::OnToolbarContextMenu(WPARAM, LPARAM lParam)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_TW_TOOLBAR_CONTEXT_MENU))
        return 0;
    CMenu* pPopup = menu.GetSubMenu(0);
    CMenu bars;
    bars.Attach(pPopup->GetSafeHmenu());
    m_Impl.SetupToolbarMenu(bars, ID_TW_FIRST_USER_TOOLBAR_CMD, ID_TW_LAST_USER_TOOLBAR_CMD);
    bars.Detach();
    // The separator, the ten user toolbar places and the separator after them.
    for (int i = 21; i >= 10; i--)
        pPopup->DeleteMenu(static_cast<UINT>(i), MF_BYPOSITION);

    const CPoint point(static_cast<int>(static_cast<short>(LOWORD(lParam))),
                       static_cast<int>(static_cast<short>(HIWORD(lParam))));
    auto* pContext = new CKtvPPopupMenu;
    pContext->m_bOwnsMenu = FALSE;
    pContext->Create(this, point.x, point.y, pPopup->GetSafeHmenu(), FALSE, TRUE);
    return 0;
}

LRESULT CMainFrame::OnToolbarCreateNew(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lres = CKtvPMDIFrameWnd::OnToolbarCreateNew(wParam, lParam);
    if (auto* pUserBar = reinterpret_cast<CKtvPToolBar*>(lres))
        pUserBar->EnableCustomizeButton(TRUE, ID_TW_CUSTOMIZE, "Customize...");
    return lres;
}

LRESULT CMainFrame::OnHelpCustomizeToolbars(WPARAM, LPARAM) { return 0; }

void CMainFrame::OnContextMenu(CWnd* pWnd, CPoint point)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() == m_hWndMDIClient)
        OnToolbarContextMenu(0, MAKELPARAM(point.x, point.y));
}

void CMainFrame::ActivateFrame(int /*nCmdShow*/) { CKtvPMDIFrameWnd::ActivateFrame(SW_SHOWMAXIMIZED); }

void CMainFrame::OnUpdateConnectionCount(CCmdUI* pCmdUI)
{
    m_strConnCountText.Format("Total # of connections: %d", GetQueryWindowCount());
    pCmdUI->Enable(TRUE);
    pCmdUI->SetText(m_strConnCountText);
}
