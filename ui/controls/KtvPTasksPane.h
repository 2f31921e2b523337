// A docking pane of command tasks in captioned, collapsible groups, arranged
// in pages the user moves between like a browser (Back, Forward, Home, a menu
// of pages), with its page names, metrics and caption kept across runs.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CImageList.h"
#include "platform/mfc/CList.h"
#include "platform/mfc/CMenu.h"
#include "platform/mfc/CRect.h"
#include "platform/mfc/CScrollBar.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/afxmsg.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/docking/KtvPDockingControlBar.h"

class CDC;
class CKtvPPopupMenu;
class CKtvPCaptionMenuButton;
class CKtvPTasksGroup;
class CKtvPTasksPane;
class CRecentFileList;

class CKtvPTasksPanePage : public CObject {
public:
    CKtvPTasksPanePage(LPCTSTR lpszName, CKtvPTasksPane* pTaskPane)
        : m_strName(lpszName), m_pTaskPane(pTaskPane)
    {
    }

    CString m_strName;
    CKtvPTasksPane* m_pTaskPane;
};

class CKtvPTask : public CObject {
public:
    CKtvPTask(CKtvPTasksGroup* pGroup, LPCTSTR lpszName, int nIcon, UINT uiCommandID, DWORD dwUserData = 0,
              HWND hwndTask = nullptr, BOOL bAutoDestroy = FALSE, int nWindowHeight = 0);
    ~CKtvPTask() override;

    CKtvPTasksGroup* m_pGroup;
    CString m_strName;
    int m_nIcon;             // negative: none
    UINT m_uiCommandID;      // 0: a plain label
    DWORD m_dwUserData;
    HWND m_hwndTask;         // shown in the task's place
    BOOL m_bAutoDestroy;     // the hosted window goes with the task
    CRect m_rect;
    BOOL m_bVisible;
    BOOL m_bEnabled;
    int m_nWindowHeight;
    BOOL m_bIsSeparator;     // drawn as a line
};

class CKtvPTasksGroup : public CObject {
public:
    CKtvPTasksGroup(LPCTSTR lpszName, BOOL bIsBottom, BOOL bIsSpecial = FALSE, BOOL bIsCollapsed = FALSE,
                    CKtvPTasksPanePage* pPage = nullptr, HICON hIcon = nullptr);
    ~CKtvPTasksGroup() override;

    CKtvPTasksPanePage* m_pPage;
    CString m_strName;       // empty: the group has no caption
    CObList m_lstTasks;      // CKtvPTask*, owned
    BOOL m_bIsBottom;
    BOOL m_bIsSpecial;
    CRect m_rect;            // caption
    CRect m_rectGroup;       // the tasks' area
    BOOL m_bIsCollapsed;
    HICON m_hIcon;
    CSize m_sizeIcon;
};

// The pane's navigation toolbar: Back, Forward, Home, the pages menu.
class CTasksPaneToolBar : public CKtvPToolBar {
    DECLARE_SERIAL(CTasksPaneToolBar)
public:
    CTasksPaneToolBar() = default;

    BOOL IsButtonExtraSizeAvailable() const override { return FALSE; }
    BOOL AllowShowOnList() const override { return FALSE; }
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void AdjustLocations() override;
    void AdjustLayout() override;
    BOOL OnUserToolTip(CKtvPToolbarButton* pButton, CString& strTTText) const override;

    // The strip's key colour: the navigation pictures are drawn on magenta.
    void SetLockedTransparentColor(COLORREF clr);

protected:
    CKtvPTasksPane* GetTasksPane() const;
};

// Back (image 0), Forward (1), Home (2) or Close (3), by its image.
class CTasksPaneNavigateButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(CTasksPaneNavigateButton)
public:
    CTasksPaneNavigateButton() = default;
    CTasksPaneNavigateButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE)
        : CKtvPToolbarButton(uiID, iImage, lpszText, bUserButton, TRUE)
    {
    }
};

// The pages menu on the navigation toolbar.
class CTasksPaneMenuButton : public CKtvPToolbarMenuButton {
    DECLARE_SERIAL(CTasksPaneMenuButton)
public:
    explicit CTasksPaneMenuButton(CKtvPTasksPane* pParentTaskPane = nullptr) : m_pParentTaskPane(pParentTaskPane) {}

    HMENU CreateMenu() const override;
    CKtvPPopupMenu* CreatePopupMenu() override;
    void OnChangeParentWnd(CWnd* pWndParent) override;

    CKtvPTasksPane* m_pParentTaskPane;
};

// Command update of the tasks of one group: enabling and texts reach every
// task of the group with the command; checks mean nothing to a task.
class CKtvPTasksPaneCmdUI : public CCmdUI {
public:
    CKtvPTasksPaneCmdUI() = default;

    void Enable(BOOL bOn = TRUE) override;
    void SetText(LPCTSTR lpszText) override;
    void SetCheck(int /*nCheck*/ = 1) override {}
    void SetRadio(BOOL /*bOn*/ = TRUE) override {}

    CKtvPTasksGroup* m_pGroup = nullptr;
};

class CKtvPTasksPane : public CKtvPDockingControlBar {
    DECLARE_SERIAL(CKtvPTasksPane)
public:
    CKtvPTasksPane();
    ~CKtvPTasksPane() override;

    // --- virtual operations added, in slot order ---
    virtual void OnPressBackButton();
    virtual void OnPressForwardButton();
    virtual void OnPressHomeButton();
    virtual void OnPressOtherButton(CKtvPCaptionMenuButton* pbtn, CWnd* pWndOwner);
    virtual void OnClickTask(int nGroupNumber, int nTaskNumber, UINT uiCommandID, DWORD dwUserData);
    virtual void ShowCommandMessageString(UINT uiCmdId);
    virtual void Update();
    virtual void OnDrawTasks(CDC* pDC, CRect rectWorkArea);
    virtual void OnActivateTasksPanePage() {}
    virtual BOOL GetMRUFileName(CRecentFileList* pRecentFileList, int nIndex, CString& strName);
    virtual int ReposTasks(BOOL bCalcHeightOnly = FALSE);

    int AddPage(LPCTSTR lpszPageLabel);
    CKtvPTasksGroup* GetGroup(int nGroup) const;
    void SetActivePage(int nPageIdx);
    void SetCaption(LPCTSTR lpszName);
    using CKtvPDockingControlBar::RecalcLayout;
    void RecalcLayout(BOOL bRedraw);

    // The pane's own metrics; -1 takes the current look's.
    int GetVertMargin() const { return m_nMarginV; }
    int GetHorzMargin() const { return m_nMarginH; }
    int GetGroupVertOffset() const { return m_nGroupSpacing; }
    int GetGroupCaptionHeight() const { return m_nCaptionMinHeight; }
    int GetTasksTextIndent() const { return m_nTaskTextIndent; }
    int GetGroupCaptionHorzOffset() const { return m_nCaptionPadding; }
    int GetTasksHorzOffset() const { return m_nTaskIndent; }
    int GetTasksIconHorzOffset() const { return m_nTaskIconGap; }
    int GetTasksIconVertOffset() const { return m_nTaskSpacing; }

    // --- groups and tasks ----------------------------------------------------------------------
    // A group on a page (0 the Home page); -1 when the page does not exist.
    int AddGroup(int nPageIdx, LPCTSTR lpszGroupName, BOOL bBottomLocation = FALSE, BOOL bSpecial = FALSE,
                 HICON hIcon = nullptr);
    int AddGroup(LPCTSTR lpszGroupName, BOOL bBottomLocation = FALSE, BOOL bSpecial = FALSE,
                 HICON hIcon = nullptr)
    {
        return AddGroup(0, lpszGroupName, bBottomLocation, bSpecial, hIcon);
    }
    BOOL RemoveGroup(int nGroup);
    void RemoveAllGroups(int nPageIdx = -1);  // -1: every page
    BOOL SetGroupName(int nGroup, LPCTSTR lpszGroupName);
    BOOL SetGroupIcon(int nGroup, HICON hIcon);
    BOOL SetGroupBottom(int nGroup, BOOL bBottom);
    BOOL SetGroupSpecial(int nGroup, BOOL bSpecial);
    BOOL CollapseGroup(int nGroup, BOOL bCollapse = TRUE);
    // Each answers the task's index in its group, -1 for a group that does not exist.
    int AddTask(int nGroup, LPCTSTR lpszTaskName, int nTaskIcon = -1, UINT uiCommandID = 0, DWORD dwUserData = 0);
    int AddLabel(int nGroup, LPCTSTR lpszLabelName, int nTaskIcon = -1) { return AddTask(nGroup, lpszLabelName, nTaskIcon); }
    int AddSeparator(int nGroup);
    // A window shown in a task's place, nWindowHeight high; with bAutoDestroy the task destroys it.
    int AddWindow(int nGroup, HWND hwndTask, int nWindowHeight, BOOL bAutoDestroy = FALSE, DWORD dwUserData = 0);
    BOOL RemoveTask(int nGroup, int nTask);
    void RemoveAllTasks(int nGroup);
    CKtvPTask* GetTask(int nGroup, int nTask) const;
    BOOL ShowTask(int nGroup, int nTask, BOOL bShow = TRUE);
    BOOL EnableTask(int nGroup, int nTask, BOOL bEnable = TRUE);
    int GetTaskCount(int nGroup) const;
    // Task icons from a bitmap strip of cx-wide images, or a copy of an image list.
    BOOL SetIconsList(UINT uiImageListResID, int cx, COLORREF clrTransparent = RGB(255, 0, 255));
    void SetIconsList(HIMAGELIST hIcons);

    // --- switches, metrics and history ---------------------------------------------------------
    void EnableGroupCollapse(BOOL bEnable = TRUE) { m_bCanCollapse = bEnable; }
    BOOL IsGroupCollapseEnabled() const { return m_bCanCollapse; }
    // The toolbar's own pictures and sizes, when given, are read when the pane's window is made.
    void EnableNavigationToolbar(BOOL bEnable = TRUE, UINT uiToolbarBmpRes = 0, CSize sizeToolbarImage = CSize(0, 0),
                                 CSize sizeToolbarButton = CSize(0, 0));
    void EnableScrollButtons(BOOL bEnable = TRUE);
    BOOL AreScrollButtonsEnabled() const { return m_bUseScrollButtons; }
    void EnableAnimation(BOOL bEnable = TRUE) { m_bAnimationEnabled = bEnable; }
    BOOL IsAnimationEnabled() const { return m_bAnimationEnabled; }
    void SetHistoryLimit(int nMaxHistory);  // at least 1
    int GetHistoryLimit() const { return m_nMaxHistory; }
    void SetVertMargin(int n) { m_nMarginV = n; }
    void SetHorzMargin(int n) { m_nMarginH = n; }
    void SetGroupVertOffset(int n) { m_nGroupSpacing = n; }
    void SetGroupCaptionHeight(int n) { m_nCaptionMinHeight = n; }
    void SetTasksTextIndent(int n) { m_nTaskTextIndent = n; }
    void SetGroupCaptionHorzOffset(int n) { m_nCaptionPadding = n; }
    void SetTasksHorzOffset(int n) { m_nTaskIndent = n; }
    void SetTasksIconHorzOffset(int n) { m_nTaskIconGap = n; }
    void SetTasksIconVertOffset(int n) { m_nTaskSpacing = n; }

    // --- what the pane shows -------------------------------------------------------------------
    int GetActivePage() const;
    CString GetPageName(int nPageIdx) const;
    int GetHistoryEntry(int nPos) const { return nPos >= 0 && nPos < m_arrHistory.GetSize() ? m_arrHistory[nPos] : -1; }
    HMENU GetPagesMenu() const { return m_menuPages.GetSafeHmenu(); }
    // A new popup menu of the pages, the shown one checked; the caller owns it.
    HMENU CreatePagesMenu() const;
    CTasksPaneToolBar& GetNavigationToolBar() { return m_wndToolBar; }
    CScrollBar& GetScrollBar() { return m_wndScrollBar; }
    const CRect& GetTasksArea() const { return m_rectTasks; }
    const CRect& GetToolbarArea() const { return m_rectToolbar; }
    const CRect& GetScrollUpArea() const { return m_rectScrollUp; }
    const CRect& GetScrollDownArea() const { return m_rectScrollDn; }
    int GetScrollOffset() const { return m_nScrollOffset; }
    int GetScrollTotal() const { return m_nScrollTotal; }
    int GetScrollPage() const { return m_nScrollPage; }
    int GetRowHeight() const { return m_nRowHeight; }
    CKtvPTask* GetHotTask() const { return m_pHotTask; }
    CKtvPTasksGroup* GetHotGroup() const { return m_pHotGroup; }
    CKtvPTasksGroup* GetAnimatedGroup() const { return m_pAnimatedGroup; }
    int GetAnimatedGroupHeight() const { return m_nAnimGroupHeight; }
    // Whether the navigation toolbar takes the top of the pane now.
    BOOL IsToolbarShown() const;

    // --- overrides -----------------------------------------------------------------------------
    void Serialize(CArchive& ar) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CScrollBar* GetScrollBarCtrl(int nBar) const override;
    void SetCaptionButtons() override;
    void DrawCaption(CDC* pDC, CRect rectCaption) override;
    void OnPressCaptionButton(UINT nHit) override;
    void OnTrackCaptionButtons(CPoint point) override;
    void StopCaptionButtonsTracking() override;

    // The position of a group in the list of all groups; -1 when it is not there.
    int GroupIndex(const CKtvPTasksGroup* pGroup) const;

    int GetPageCount() const { return (int)m_lstPages.GetCount(); }
    int GetGroupCount() const { return (int)m_lstGroups.GetCount(); }
    int GetActiveHistoryPos() const { return m_iActiveHistory; }
    int GetHistoryLength() const { return (int)m_arrHistory.GetSize(); }
    BOOL IsNavigationToolbarEnabled() const { return m_bUseNavigationToolbar; }
    BOOL IsMenuShown() const { return m_bMenuShown; }

protected:
    // Toolbar, scroll bar or buttons, and the tasks' area, from the client rectangle.
    void LayoutAreas();
    void UpdateScrollBars();
    void UpdateCaption();
    void RebuildMenu();
    // After the history moved away from nOldPage: hosted windows, caption, menu, layout.
    void ChangeActivePage(int nOldPage);
    void CreateFonts();
    void CreateNavigationToolbar();
    CKtvPTasksPanePage* GetPage(int nPageIdx) const;
    int PageIndex(const CKtvPTasksPanePage* pPage) const;
    CKtvPTasksPanePage* GetShownPage() const;
    int Metric(int nOwn, int nLook) const { return nOwn == -1 ? nLook : nOwn; }
    CKtvPTask* TaskFromPoint(CPoint point) const;
    CKtvPTasksGroup* GroupCaptionFromPoint(CPoint point) const;
    void InvalidateTask(const CKtvPTask* pTask);
    void InvalidateGroupCaption(const CKtvPTasksGroup* pGroup);
    void RepaintAll();
    void ReleaseHotCapture();
    void ScrollTo(int nOffset);
    void OnAnimationTick();
    void OnScrollButtonTick();

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    void OnBack() { OnPressBackButton(); }
    void OnForward() { OnPressForwardButton(); }
    void OnHome() { OnPressHomeButton(); }
    void OnClose() { OnPressCloseButton(); }
    void OnOther();
    DECLARE_MESSAGE_MAP()

    // The start of the collapse animation's last tick, process milliseconds.
    DWORD m_dwAnimLastTick = 0;

    CObList m_lstPages;              // CKtvPTasksPanePage*, owned
    CArray<int, int> m_arrHistory;
    int m_iActiveHistory;
    int m_nMaxHistory;
    CObList m_lstGroups;             // CKtvPTasksGroup* of every page, owned
    CKtvPTask* m_pHotTask;
    CKtvPTask* m_pClickedTask;
    CKtvPTasksGroup* m_pHotGroup;
    CKtvPTasksGroup* m_pClickedGroup;
    CString m_strCaption;
    HFONT m_hFont;
    CScrollBar m_wndScrollBar;
    CFont m_fontBold;
    CFont m_fontBoldUnderline;
    CFont m_fontUnderline;
    CImageList m_imlTaskIcons;
    CSize m_sizeIcon;
    BOOL m_bCanCollapse;
    CRect m_rectTasks;
    BOOL m_bUseNavigationToolbar;
    CTasksPaneToolBar m_wndToolBar;
    UINT m_uiToolbarBmpRes;
    CSize m_sizeToolbarImage;
    CSize m_sizeToolbarButton;
    CRect m_rectToolbar;
    BOOL m_bUseScrollButtons;
    CRect m_rectScrollUp;
    CRect m_rectScrollDn;
    int m_iScrollDir;
    int m_nScrollBtnHeight;
    int m_nScrollOffset;
    int m_nScrollTotal;
    int m_nScrollPage;
    int m_nRowHeight;
    BOOL m_bAnimationEnabled;
    CKtvPTasksGroup* m_pAnimatedGroup;
    int m_nAnimGroupWidth;
    int m_nAnimGroupHeight;

public:
    int m_nMarginV;
    int m_nMarginH;
    int m_nGroupSpacing;
    int m_nCaptionMinHeight;
    int m_nTaskTextIndent;
    int m_nCaptionPadding;
    int m_nTaskIndent;
    int m_nTaskIconGap;
    int m_nTaskSpacing;

protected:
    CMenu m_menuPages;
    BOOL m_bMenuShown;
};
