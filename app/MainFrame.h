// The program's MDI main window: the menu bar, the five toolbars, the status
// bar, and the count of open query windows shown in the status bar.
#pragma once

#include <memory>

#include "app/MainFrameCommandIds.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPStatusBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

// Also the docking panes (Output, Object, Depot, Project, Snippets) and the
// session's server-management objects and default session settings.
#include <memory>
#include <vector>

#include "app/OutputBar.h"
#include "explorer/ObjectBrowseBar.h"
#include "explorer/ProjectBar.h"
#include "explorer/ToolBoxBar.h"
#include "platform/ado/AdoInterfaces.h"
#include "platform/dmo/DmoInterfaces.h"
#include "platform/mfc/CImageList.h"
#include "platform/mfc/CStringList.h"
#include "sqleditor/RepositoryBar.h"
#include "scripts/SnippetListBox.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPToolBarImages.h"
#include "ui/commandbars/KtvPToolbarComboBoxButton.h"
#include "ui/docking/KtvPOutlookBar.h"

// Control ids of the bars.
enum : UINT {
    IDW_TW_MENUBAR = 59398,
    IDW_TW_STANDARD_BAR = 59392,
    IDW_TW_EDIT_BAR = 32776,
    IDW_TW_SESSION_BAR = 32777,
    IDW_TW_QUERY_BAR = 32778,
    IDW_TW_RESULT_BAR = 32779,
    IDW_TW_STATUS_BAR = 59393,
    IDW_TW_OUTPUT_BAR = 32775,
    IDW_TW_OBJECT_BAR = 32772,
    IDW_TW_DEPOT_BAR = 40266,
    IDW_TW_PROJECT_BAR = 40267,
    IDW_TW_SNIPPETS_BAR = 40270,
};
// The frame's menu and the resources of the toolbars.
enum : UINT {
    IDR_TW_MAINFRAME = 131,
    IDR_TW_EDIT_BAR = 136,
    IDR_TW_QUERY_BAR = 137,
    IDR_TW_SESSION_BAR = 138,
    IDR_TW_RESULT_BAR = 618,
    IDS_TW_CONNECTIONS = 120,
    ID_TW_CUSTOMIZE = 32770,
    // Customize in the toolbars' context menu: the same sheet.
    ID_TW_CUSTOMIZE_FROM_BARS = 20001,
    IDI_TW_OBJECT_BAR = 500,
    IDI_TW_DEPOT_BAR = 624,
    IDB_TW_SNIPPETS = 626,
    IDR_TW_MENU_IMAGES = 649,
    IDR_TW_MORE_MENU_IMAGES = 134,
    IDR_TW_TOOLBARS_MENU = 135,
    IDR_TW_TOOLBAR_CONTEXT_MENU = 139,
    IDR_TW_DESCRIPTION_MENU = 652,
    ID_TW_TOOLBAR_LIST = 32771,
    ID_TW_DATABASE_BOX = 32854,
    ID_TW_DATE = 40280,
    ID_TW_INSERT_DESCRIPTION = 40296,
    ID_TW_FIRST_USER_TOOLBAR_CMD = 32793,
    ID_TW_LAST_USER_TOOLBAR_CMD = 32802,
    ID_TW_FIRST_USER_TOOLBAR = 59432,
    ID_TW_LAST_USER_TOOLBAR = 59441,
};

// Where the snippets live while the program runs (under HKEY_CURRENT_USER),
// and the file that keeps them between runs.
constexpr const char* kTwSnippetsKey = "Software\\Corvane\\Tarnwick\\Snippets";
constexpr const char* kTwSnippetsFile = ".//data//SnsDap.dll";

class CMainFrame : public CKtvPMDIFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    // The first toolbar button of the current-database box (command 32854), or null.
    static CKtvPToolbarComboBoxButton* GetDatabaseCombo();

    BOOL OnShowPopupMenu(CKtvPPopupMenu* pMenuPopup) override;
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void ActivateFrame(int nCmdShow = -1) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The number of open query windows, shown in status pane 120.
    int GetQueryWindowCount() const { return static_cast<int>(m_QueryFrames.GetCount()); }

    CString m_strConnCountText;
    CString m_strProfileNickName;
    int m_bSavePassword = 0;
    CString m_strLoginDefaultDatabase;
    ADODB::_RecordsetPtr m_pRecordset;

    // Server-management objects, null until created; the constructor makes
    // them in this order and stops at the first that cannot be made.
    SQLDMO::_SQLServerPtr m_SQLServer;
    SQLDMO::_DatabasePtr m_Database;
    SQLDMO::_UserPtr m_User;
    SQLDMO::_DefaultPtr m_BoundDefault;
    SQLDMO::_RulePtr m_Rule;
    SQLDMO::_TablePtr m_Table;
    SQLDMO::_TablePtr m_Table2;
    SQLDMO::_ColumnPtr m_Column;
    SQLDMO::_KeyPtr m_Key;
    SQLDMO::_CheckPtr m_Check;
    SQLDMO::_TriggerPtr m_Trigger;
    SQLDMO::_IndexPtr m_Index;
    SQLDMO::_LoginPtr m_Login;
    SQLDMO::_StoredProcedurePtr m_StoredProcedure;
    SQLDMO::_UserDefinedDatatypePtr m_UserDefinedDatatype;
    SQLDMO::_ViewPtr m_View;
    SQLDMO::_UserDefinedFunctionPtr m_UserDefinedFunction;
    // Set by those that run server-management queries.
    SQLDMO::_QueryResultsPtr m_QueryResults;
    // Filled by the object explorer's pages.
    SQLDMO::NamesPtr m_KeyColumns;
    SQLDMO::NamesPtr m_ReferencedColumns;
    SQLDMO::_PermissionPtr m_Permission;
    SQLDMO::SQLObjectListPtr m_PermissionList;

    // Default session settings, edited by the session-properties dialog.
    int m_ANSI_Defaults = 1;
    int m_ANSI_Nulls = 1;
    int m_ANSI_NULL_DFLT_ON = 1;
    int m_ANSI_Padding = 1;
    int m_ANSI_Warnings = 1;
    int m_Arithabort = 1;
    int m_Concat_Null_Yields_Null = 1;
    int m_Quoted_Identifier = 1;
    int m_RowCount = 99;
    int m_Cursor_Close_ON_Commit = 0;
    int m_Implicit_Transactions = 0;
    int m_Nocount = 0;
    int m_Noexec = 0;
    int m_ParseOnly = 0;
    int m_ShowPlan_Text = 0;
    int m_Statistics_IO = 0;
    int m_Statistics_Time = 0;

    int m_bDockToolbarBehaviorClose = 1;
    CImageList m_ObjectTreeImages;
    int m_nNextGridCtrlId = 81000;
    int m_nResultTabNumber = 86000;
    CString m_strObjectSearchSQL;
    // Completion words; the database names start with "master".
    CStringList m_DBUserList{10};
    CStringList m_DBList{10};
    CStringList m_TypeList{10};
    CStringList m_ObjectList{10};
    CStringList m_DatabaseList{10};
    BYTE m_bFullScreen = FALSE;
    CPtrList m_QueryFrames;

    CKtvPStatusBar m_wndStatusBar;
    CKtvPMenuBar m_wndMenuBar;
    CKtvPToolBar m_wndToolBar;
    CKtvPToolBar m_wndEditBar;
    CKtvPToolBar m_wndSessionBar;
    CKtvPToolBar m_wndQueryBar;
    CKtvPToolBar m_wndResultBar;
    COutputBar m_wndOutput;
    CObjectBrowseBar m_wndObjectBar;
    CRepositoryBar m_wndDepotBar;
    CProjectBar m_wndProjectBar;
    CImageList m_SnippetImages;
    CKtvPOutlookBar m_wndSnippets;
    CKtvPToolBarImages m_UserImages;
    // The pages of the Snippets pane.
    std::vector<std::unique_ptr<CSnippetListBox>> m_SnippetLists;

    BOOL m_bReuseConnection = FALSE;
    BOOL m_bClosingApp = FALSE;
    BOOL m_bDisconnectingAll = FALSE;

    // Creates the Object, Depot, Project and Snippets panes and fills the
    // Snippets pane from the snippet file.
    BOOL CreateDockingBars();
    // Removes every page of the Snippets pane and loads them again; TRUE.
    BOOL ReloadSnippetsBar(LPCTSTR lpszUnused1 = nullptr, LPCTSTR lpszUnused2 = nullptr,
                           LPCTSTR lpszUnused3 = nullptr);
    // One page per sub-key (group) of the key, listing the group's snippets; TRUE.
    BOOL LoadSnippetPages(LPCTSTR lpszRegKey, LPCTSTR lpszCaption);

private:
    void CreateServerObjects();
    void SetupToolbarImagesAndCommands();
    void DockBars();

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnToolbarReset(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarCreateNew(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpCustomizeToolbars(WPARAM wParam, LPARAM lParam);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnUpdateConnectionCount(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateToolBar(CKtvPToolBar& bar, UINT nID, UINT nResource, UINT nTitle);
    void SetupLook();

    // --- the frame's commands (MainFrameCommands.cpp) ------------------------------------------
public:
    // Fills the two splitter panes of the active tool window; FALSE when the
    // active window is not a tool window.
    BOOL CreateToolViews(CRuntimeClass* pTopView, CRuntimeClass* pBottomView, int nRow, int nColumn,
                         LPCTSTR lpszTitle, BOOL bBoth);

    // Full screen: the placement to come back to, the rectangle that puts the
    // active view over the whole screen, and the floating bar that leaves it.
    WINDOWPLACEMENT m_wpBeforeFullScreen{};
    CRect m_rectFullScreen;
    CKtvPToolBar* m_pwndFullScreenBar = nullptr;
    // Owns that bar's object, which outlives its window until the next full
    // screen or the frame: the bar's own click may be what closed it.
    std::unique_ptr<CKtvPToolBar> m_pFullScreenBarObject;

    // Closing the floating "Full Screen" bar leaves full screen.
    BOOL OnCloseMiniFrame(CKtvPMiniFrameWnd* pWnd) override;

protected:
    void OnDisconnect();
    void OnDisconnectAll();
    void OnClose();
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    BOOL OnViewPane(UINT nID);
    void OnUpdateViewPane(CCmdUI* pCmdUI);
    void OnViewTabMDI();
    void OnUpdateViewTabMDI(CCmdUI* pCmdUI);
    void OnViewFullScreen();
    BOOL OnViewToolBar(UINT nID);
    void OnUpdateViewToolBar(CCmdUI* pCmdUI);
    void OnViewUserToolBar(UINT nID);
    void OnUpdateViewUserToolBar(CCmdUI* pCmdUI);
    void OnWindowsDialog();
    void OnHelpContents();
    void OnHelpFeedback();
    void OnHelpNews();
    // Greys a command whose window is not built yet.
    void OnUpdateNotBuiltYet(CCmdUI* pCmdUI);
    // Tools/Customize, and Customize in the toolbars' context menu: the
    // library's customise sheet for this frame, modeless.
    void OnCustomize();

private:
    // The toolbar a View/Toolbars command shows and hides.
    CKtvPToolBar* ViewedToolBar(UINT nID);
    void EnterFullScreen();
    BOOL CreateFullScreenBar();
    void LeaveFullScreen();
    // The message in status pane 0; the connection count in pane 1.
    void SetStatusMessage(LPCTSTR lpszText);
    void ShowConnectionCount();

    // --- completion lists and catalogue answers (MainFrameQueryResults.cpp) ---------------------
public:
    // Fills m_DBUserList with the users of master and m_DBList, m_TypeList and
    // m_ObjectList with the objects of the database and the reserved words.
    // The new lists replace the old ones only when every read succeeded; 1 on
    // success, 0 when the lists were left as they were.
    int BuildCompletionLists(LPCTSTR lpszDatabase);

    // --- opening query windows, the logon and the connection profiles (MainFrameLogon.cpp) ------
public:
    // A new query window connected before it shows, counted among the open
    // ones; null when none was opened (the limit, a failed or cancelled logon).
    CDocument* NewQueryWindow(LPCTSTR lpszConnectString, LPCTSTR lpszPathName, LPCTSTR lpszDatabase);
    // A connection string from an auto-connect profile or from the logon
    // dialog; empty when the user cancelled.
    CString LoadConnectionProfile();
    // Reads the login's default database after the server-management login.
    void AfterLogin();
    // Copies the current result set into the recordset (created, not open) as
    // a client-side recordset of text fields; FALSE after any failure, with the
    // rows copied so far kept.
    BOOL QueryResultsToRecordset(SQLDMO::_QueryResultsPtr pResults, ADODB::_RecordsetPtr& rs);

protected:
    void OnFileNewQueryWindow();
    void OnConnect();
    void OnUserConfiguration();

public:
    // Keyboard map (MainFrameKeyMap.cpp): Help/Keyboard Map opens the map with printing.
    void OnHelpKeyboardMap();

    // --- Options and Tutorial (app/MainFrameOptions.cpp) ---
public:
    void OnToolsOptions();
    void OnHelpTutorial();

    // --- the object explorer: the tree's upper levels and its refresh commands (MainFrameExplorer.cpp) ---
public:
    // Constructed with the frame and never given a window.
    CToolBoxBar m_wndToolBox;
    // The object tree of the Object pane.
    CObjectBrowseTreeCtrl& GetObjectTree() { return m_wndObjectBar.m_wndTree; }
    // Clears the object tree and fills the server and its databases with
    // their folders; refills m_DatabaseList when the server lists databases.
    // A failing server call raises its COM error to the caller.
    void FillDatabaseTree();

protected:
    void OnRefresh();
    void OnDatabaseRefresh();
    void OnTableRefresh();
    void OnViewRefresh();
    void OnProcedureRefresh();
    void OnFunctionRefresh();
    // --- session properties (app/MainFrameSession.cpp) ---
public:
    // Session/Session Properties: the options of the active query window's session.
    void OnSessionProperties();
    // --- Snippets and script files (app/MainFrameScripts.cpp) ---
public:
    // Tools/Snippet Setup: the setup dialog, then the Snippets pane rebuilt
    // from what the dialog left in the registry.
    void OnToolsSnippetSetup();

    // --- the object tree's table and view commands (explorer/Commands*.cpp) ---
public:
    // The query window a text from the tree goes to: the most recently active
    // query window on the tree's server, or null.
    class CChildFrame* FindObjectCommandSource();
    // Opens a new query window like the source in the database, puts the text
    // into its "Batch" or "Edit-Mode" tab and, when asked, runs it. Says
    // "Connect to your database,please!" without a source; null when no
    // window was opened.
    CChildFrame* HandOffToQueryWindow(const CString& strText, const CString& strDatabase, BOOL bEditMode,
                                      BOOL bRun);
    // Looks the node's database up into m_Database; a failure raises its COM error.
    SQLDMO::_DatabasePtr LookUpNodeDatabase(const CString& strDatabase);

protected:
    void OnTableReturnAllRows();
    void OnTableReturnTop();
    void OnTableDesign();
    void OnTableDrop();
    void OnTableCheck();
    void OnTableRename();
    void OnTableOption();
    void OnViewReturnAllRows();
    void OnViewReturnTop();
    void OnViewDesign();
    void OnViewDrop();
    void OnViewRebuild();
    void OnViewRename();
    void OnViewProperties();
};
