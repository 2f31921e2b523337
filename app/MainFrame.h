// The program's MDI main window: the menu bar, the five toolbars, the status
// bar, and the count of open query windows shown in the status bar.
#pragma once

#include <memory>

#include "app/MainFrameCommandIds.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPStatusBar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

// Control ids of the bars.
enum : UINT {
    IDW_TW_MENUBAR = 59398,
    IDW_TW_STANDARD_BAR = 59392,
    IDW_TW_EDIT_BAR = 32776,
    IDW_TW_SESSION_BAR = 32777,
    IDW_TW_QUERY_BAR = 32778,
    IDW_TW_RESULT_BAR = 32779,
    IDW_TW_STATUS_BAR = 59393,
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
};

class CMainFrame : public CKtvPMDIFrameWnd {
    DECLARE_DYNAMIC(CMainFrame)
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void ActivateFrame(int nCmdShow = -1) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The number of open query windows, shown in status pane 120.
    int GetQueryWindowCount() const { return static_cast<int>(m_QueryFrames.GetCount()); }

    CString m_strConnCountText;
    CPtrList m_QueryFrames;
    BYTE m_bFullScreen = FALSE;
    BOOL m_bClosingApp = FALSE;
    BOOL m_bDisconnectingAll = FALSE;
    BOOL m_bReuseConnection = FALSE;
    int m_bDockToolbarBehaviorClose = 1;
    int m_nNextGridCtrlId = 81000;
    int m_nResultTabNumber = 86000;

    CKtvPStatusBar m_wndStatusBar;
    CKtvPMenuBar m_wndMenuBar;
    CKtvPToolBar m_wndToolBar;
    CKtvPToolBar m_wndEditBar;
    CKtvPToolBar m_wndSessionBar;
    CKtvPToolBar m_wndQueryBar;
    CKtvPToolBar m_wndResultBar;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
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

private:
    // The toolbar a View/Toolbars command shows and hides.
    CKtvPToolBar* ViewedToolBar(UINT nID);
    void EnterFullScreen();
    BOOL CreateFullScreenBar();
    void LeaveFullScreen();
    // The message in status pane 0; the connection count in pane 1.
    void SetStatusMessage(LPCTSTR lpszText);
    void ShowConnectionCount();
};
