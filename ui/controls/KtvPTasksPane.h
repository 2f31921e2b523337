// A docking pane of command tasks in captioned, collapsible groups, arranged
// in pages the user moves between like a browser (Back, Forward, Home, a menu
// of pages), with its page names, metrics and caption kept across runs.
#pragma once

#include "platform/mfc/CArray.h"
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
};

// Back (image 0), Forward (1), Home (2) or Close (3), by its image.
class CTasksPaneNavigateButton : public CKtvPToolbarButton {
    DECLARE_SERIAL(CTasksPaneNavigateButton)
public:
    CTasksPaneNavigateButton() = default;
    CTasksPaneNavigateButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE)
        : CKtvPToolbarButton(uiID, iImage, lpszText, bUserButton)
    {
    }
};

// The pages menu on the navigation toolbar.
class CTasksPaneMenuButton : public CKtvPToolbarMenuButton {
    DECLARE_SERIAL(CTasksPaneMenuButton)
public:
    explicit CTasksPaneMenuButton(CKtvPTasksPane* pParentTaskPane = nullptr) : m_pParentTaskPane(pParentTaskPane) {}

    CKtvPTasksPane* m_pParentTaskPane;
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

    int GetPageCount() const { return (int)m_lstPages.GetCount(); }
    int GetGroupCount() const { return (int)m_lstGroups.GetCount(); }
    int GetActiveHistoryPos() const { return m_iActiveHistory; }
    int GetHistoryLength() const { return (int)m_arrHistory.GetSize(); }
    BOOL IsNavigationToolbarEnabled() const { return m_bUseNavigationToolbar; }
    BOOL IsMenuShown() const { return m_bMenuShown; }

protected:
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
