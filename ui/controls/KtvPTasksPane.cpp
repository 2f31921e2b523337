// The tasks pane's model: pages and their history, groups and tasks, the
// navigation toolbar and caption buttons, commands and the saved state.
// Layout, painting and input are in KtvPTasksPaneLayout.cpp.
#include "ui/controls/KtvPTasksPane.h"

#include <cstdlib>
#include <vector>

#include "platform/comctl/commctrl.h"
#include "platform/comctl/dialogs/commdlg.h"
#include "platform/mfc/CArchive.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CMemFile.h"
#include "platform/mfc/CRecentFileList.h"
#include "platform/mfc/CStringArray.h"
#include "platform/mfc/CWinApp.h"
#include "resources/TasksPaneIds.h"
#include "resources/resource.h"
#include "ui/commandbars/KtvPContextMenuManager.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/controls/KtvPTaskPaneMiniFrameWnd.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPWorkspace.h"
#include "ui/frames/KtvRegPath.h"

// --- CKtvPTask -------------------------------------------------------------------------------------

CKtvPTask::CKtvPTask(CKtvPTasksGroup* pGroup, LPCTSTR lpszName, int nIcon, UINT uiCommandID, DWORD dwUserData,
                     HWND hwndTask, BOOL bAutoDestroy, int nWindowHeight)
    : m_pGroup(pGroup),
      m_strName(lpszName == nullptr ? "" : lpszName),
      m_nIcon(nIcon),
      m_uiCommandID(uiCommandID),
      m_dwUserData(dwUserData),
      m_hwndTask(hwndTask),
      m_bAutoDestroy(bAutoDestroy),
      m_bVisible(TRUE),
      m_bEnabled(TRUE),
      m_nWindowHeight(nWindowHeight),
      m_bIsSeparator(FALSE)
{
}

CKtvPTask::~CKtvPTask()
{
    if (m_bAutoDestroy && m_hwndTask != nullptr && ::IsWindow(m_hwndTask))
        ::DestroyWindow(m_hwndTask);
}

// --- CKtvPTasksGroup -------------------------------------------------------------------------------

CKtvPTasksGroup::CKtvPTasksGroup(LPCTSTR lpszName, BOOL bIsBottom, BOOL bIsSpecial, BOOL bIsCollapsed,
                                 CKtvPTasksPanePage* pPage, HICON hIcon)
    : m_pPage(pPage),
      m_strName(lpszName == nullptr ? "" : lpszName),
      m_bIsBottom(bIsBottom),
      m_bIsSpecial(bIsSpecial),
      m_bIsCollapsed(bIsCollapsed),
      m_hIcon(hIcon),
      m_sizeIcon(0, 0)
{
}

CKtvPTasksGroup::~CKtvPTasksGroup()
{
    while (!m_lstTasks.IsEmpty())
        delete static_cast<CKtvPTask*>(m_lstTasks.RemoveHead());
}

// --- the navigation toolbar's classes --------------------------------------------------------------

IMPLEMENT_SERIAL(CTasksPaneToolBar, CKtvPToolBar, 1)
IMPLEMENT_SERIAL(CTasksPaneNavigateButton, CKtvPToolbarButton, 1)
IMPLEMENT_SERIAL(CTasksPaneMenuButton, CKtvPToolbarMenuButton, 1)

// --- CKtvPTasksPane --------------------------------------------------------------------------------

IMPLEMENT_SERIAL(CKtvPTasksPane, CKtvPDockingControlBar, VERSIONABLE_SCHEMA | 1)

CKtvPTasksPane::CKtvPTasksPane()
    : m_iActiveHistory(0),
      m_nMaxHistory(10),
      m_pHotTask(nullptr),
      m_pClickedTask(nullptr),
      m_pHotGroup(nullptr),
      m_pClickedGroup(nullptr),
      m_hFont(nullptr),
      m_sizeIcon(0, 0),
      m_bCanCollapse(TRUE),
      m_bUseNavigationToolbar(FALSE),
      m_uiToolbarBmpRes(0),
      m_sizeToolbarImage(0, 0),
      m_sizeToolbarButton(0, 0),
      m_bUseScrollButtons(TRUE),
      m_iScrollDir(0),
      m_nScrollBtnHeight(CKtvPMenuImages::Size().cy + 2),
      m_nScrollOffset(0),
      m_nScrollTotal(0),
      m_nScrollPage(0),
      m_nRowHeight(0),
      m_bAnimationEnabled(!globalData.bIsRemoteSession),
      m_pAnimatedGroup(nullptr),
      m_nAnimGroupWidth(0),
      m_nAnimGroupHeight(0),
      m_nMarginV(-1),
      m_nMarginH(-1),
      m_nGroupSpacing(-1),
      m_nCaptionMinHeight(-1),
      m_nTaskTextIndent(-1),
      m_nCaptionPadding(-1),
      m_nTaskIndent(-1),
      m_nTaskIconGap(-1),
      m_nTaskSpacing(-1),
      m_bMenuShown(FALSE)
{
    m_arrHistory.Add(0);
    m_pMiniFrameRTC = RUNTIME_CLASS(CKtvPTaskPaneMiniFrameWnd);
}

// The pane owns its pages and groups (a group its tasks).
CKtvPTasksPane::~CKtvPTasksPane()
{
    while (!m_lstGroups.IsEmpty())
        delete static_cast<CKtvPTasksGroup*>(m_lstGroups.RemoveHead());
    while (!m_lstPages.IsEmpty())
        delete static_cast<CKtvPTasksPanePage*>(m_lstPages.RemoveHead());
    m_menuPages.DestroyMenu();
}


namespace {

constexpr LPCTSTR kTasksPaneSection = "KtvPTasksPanes";
constexpr LPCTSTR kTasksPaneSettingsValue = "Settings";

// The pane's data follows the docking bar's in stores of library version
// 6.<nMinor> and later; a workspace that loaded nothing yet writes the current version.
BOOL TasksPaneStoredSince(int nMinor)
{
    const CKtvPWorkspace* pWorkspace = KtvGetWorkspace();
    if (pWorkspace == nullptr)
        return FALSE;
    const int nMajor = pWorkspace->GetDataVersionMajor();
    if (nMajor == -1)
        return TRUE;
    return nMajor > 6 || (nMajor == 6 && pWorkspace->GetDataVersionMinor() >= nMinor);
}

CString TasksPaneKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strBase = KtvGetRegPath(kTasksPaneSection, lpszProfileName);
    CString strKey;
    if (uiID == (UINT)-1)
        strKey.Format("%sKtvPTasksPane-%d", (LPCTSTR)strBase, nIndex);
    else
        strKey.Format("%sKtvPTasksPane-%d%x", (LPCTSTR)strBase, nIndex, uiID);
    return strKey;
}

// A change to one group, then a new layout; FALSE for a group that does not exist.
template <class Change>
BOOL TasksPaneChangeGroup(CKtvPTasksPane& pane, int nGroup, Change change)
{
    CKtvPTasksGroup* pGroup = pane.GetGroup(nGroup);
    if (pGroup == nullptr)
        return FALSE;
    change(*pGroup);
    pane.RecalcLayout(TRUE);
    return TRUE;
}

// A task appended to its group, then a new layout; the task's index in the group.
int TasksPaneAppendTask(CKtvPTasksPane& pane, CKtvPTask* pTask)
{
    pTask->m_pGroup->m_lstTasks.AddTail(pTask);
    pane.RecalcLayout(TRUE);
    return (int)pTask->m_pGroup->m_lstTasks.GetCount() - 1;
}

}  // namespace

BEGIN_MESSAGE_MAP(CKtvPTasksPane, CKtvPDockingControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_SIZE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_CANCELMODE()
    ON_WM_SETCURSOR()
    ON_WM_VSCROLL()
    ON_WM_TIMER()
    ON_NOTIFY_EX_RANGE(TTN_NEEDTEXT, 0, 0xFFFF, OnNeedTipText)
    ON_COMMAND(IDS_KTVP_TASKS_BACK, OnBack)
    ON_COMMAND(IDS_KTVP_TASKS_FORWARD, OnForward)
    ON_COMMAND(IDS_KTVP_TASKS_HOME, OnHome)
    ON_COMMAND(IDS_KTVP_TASKS_CLOSE, OnClose)
    ON_COMMAND(IDS_KTVP_OTHER_TASK_PANES, OnOther)
END_MESSAGE_MAP()

// --- pages and their history -----------------------------------------------------------------------

int CKtvPTasksPane::AddPage(LPCTSTR lpszPageLabel)
{
    m_lstPages.AddTail(new CKtvPTasksPanePage(lpszPageLabel, this));
    RebuildMenu();
    // A second page changes the caption and may bring the toolbar.
    if (GetSafeHwnd() != nullptr && m_lstPages.GetCount() > 1) {
        UpdateCaption();
        RecalcLayout(TRUE);
        SendMessage(WM_NCPAINT);
    }
    return (int)m_lstPages.GetCount() - 1;
}

CKtvPTasksPanePage* CKtvPTasksPane::GetPage(int nPageIdx) const
{
    if (nPageIdx < 0 || nPageIdx >= m_lstPages.GetCount())
        return nullptr;
    return static_cast<CKtvPTasksPanePage*>(m_lstPages.GetAt(m_lstPages.FindIndex(nPageIdx)));
}

int CKtvPTasksPane::PageIndex(const CKtvPTasksPanePage* pPage) const
{
    int i = 0;
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr; i++) {
        if (m_lstPages.GetNext(pos) == pPage)
            return i;
    }
    return -1;
}

int CKtvPTasksPane::GetActivePage() const { return m_arrHistory[m_iActiveHistory]; }

CKtvPTasksPanePage* CKtvPTasksPane::GetShownPage() const { return GetPage(GetActivePage()); }

CString CKtvPTasksPane::GetPageName(int nPageIdx) const
{
    const CKtvPTasksPanePage* pPage = GetPage(nPageIdx);
    return pPage != nullptr ? pPage->m_strName : CString();
}

void CKtvPTasksPane::SetActivePage(int nPageIdx)
{
    // A page that does not exist is not visited.
    if (nPageIdx < 0 || nPageIdx >= m_lstPages.GetCount() || nPageIdx == GetActivePage())
        return;
    const int nOldPage = GetActivePage();
    if (m_arrHistory[m_iActiveHistory] != nPageIdx) {
        if (m_iActiveHistory < m_arrHistory.GetSize() - 1)
            m_arrHistory.SetSize(m_iActiveHistory + 1);
        if (m_arrHistory.GetSize() >= m_nMaxHistory) {
            m_arrHistory.RemoveAt(0);
            if (m_iActiveHistory > 0)
                m_iActiveHistory--;
        }
        m_arrHistory.Add(nPageIdx);
    }
    m_iActiveHistory = (int)m_arrHistory.GetSize() - 1;
    ChangeActivePage(nOldPage);
}

void CKtvPTasksPane::SetHistoryLimit(int nMaxHistory)
{
    m_nMaxHistory = nMaxHistory < 1 ? 1 : nMaxHistory;
    // A shorter limit drops the oldest entries at once.
    while (m_arrHistory.GetSize() > m_nMaxHistory) {
        m_arrHistory.RemoveAt(0);
        if (m_iActiveHistory > 0)
            m_iActiveHistory--;
    }
}

void CKtvPTasksPane::ChangeActivePage(int nOldPage)
{
    if (GetActivePage() == nOldPage)
        return;
    if (GetSafeHwnd() == nullptr) {
        OnActivateTasksPanePage();
        RebuildMenu();
        return;
    }
    for (POSITION pos = m_lstGroups.GetHeadPosition(); pos != nullptr;) {
        auto* pGroup = static_cast<CKtvPTasksGroup*>(m_lstGroups.GetNext(pos));
        if (PageIndex(pGroup->m_pPage) != nOldPage)
            continue;
        for (POSITION posTask = pGroup->m_lstTasks.GetHeadPosition(); posTask != nullptr;) {
            auto* pTask = static_cast<CKtvPTask*>(pGroup->m_lstTasks.GetNext(posTask));
            if (pTask->m_hwndTask != nullptr)
                ::ShowWindow(pTask->m_hwndTask, SW_HIDE);
        }
    }
    UpdateCaption();
    OnActivateTasksPanePage();
    RebuildMenu();
    m_nScrollOffset = 0;
    LayoutAreas();
    ReposTasks();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    SendMessage(WM_NCPAINT);
}

void CKtvPTasksPane::OnPressBackButton()
{
    if (m_iActiveHistory <= 0)
        return;
    const int nOldPage = GetActivePage();
    m_iActiveHistory--;
    ChangeActivePage(nOldPage);
}

void CKtvPTasksPane::OnPressForwardButton()
{
    if (m_iActiveHistory >= m_arrHistory.GetSize() - 1)
        return;
    const int nOldPage = GetActivePage();
    m_iActiveHistory++;
    ChangeActivePage(nOldPage);
}

void CKtvPTasksPane::OnPressHomeButton()
{
    if (GetActivePage() != 0)
        SetActivePage(0);
}

void CKtvPTasksPane::OnPressOtherButton(CKtvPCaptionMenuButton* pbtn, CWnd* pWndOwner)
{
    if (pbtn == nullptr || pWndOwner == nullptr)
        return;
    // The system's menu tells only the command, which every page shares: it
    // gets a copy whose items carry their page's number instead.
    if (pbtn->m_bOSMenu || g_pContextMenuManager == nullptr) {
        CMenu menu;
        if (!menu.Attach(::CreatePopupMenu()))
            return;
        int nPage = 0;
        for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr; nPage++) {
            const auto* pPage = static_cast<const CKtvPTasksPanePage*>(m_lstPages.GetNext(pos));
            menu.AppendMenu(MF_STRING | (nPage == GetActivePage() ? MF_CHECKED : 0), (UINT_PTR)nPage + 1,
                            pPage->m_strName);
        }
        pbtn->ShowMenu(menu.GetSafeHmenu(), pWndOwner);
        if (pbtn->m_nMenuResult > 0)
            SetActivePage(pbtn->m_nMenuResult - 1);
        return;
    }
    CKtvPPopupMenuBar::m_nLastCommandIndex = -1;
    pbtn->ShowMenu(m_menuPages.GetSafeHmenu(), pWndOwner);
    if (pbtn->m_nMenuResult != 0 && CKtvPPopupMenuBar::m_nLastCommandIndex >= 0)
        SetActivePage(CKtvPPopupMenuBar::m_nLastCommandIndex);
}

void CKtvPTasksPane::OnOther()
{
    if (CKtvPPopupMenuBar::m_nLastCommandIndex >= 0)
        SetActivePage(CKtvPPopupMenuBar::m_nLastCommandIndex);
}

HMENU CKtvPTasksPane::CreatePagesMenu() const
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;
    for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;) {
        const auto* pPage = static_cast<const CKtvPTasksPanePage*>(m_lstPages.GetNext(pos));
        ::AppendMenu(hMenu, MF_STRING, IDS_KTVP_OTHER_TASK_PANES, pPage->m_strName);
    }
    ::CheckMenuItem(hMenu, (UINT)GetActivePage(), MF_BYPOSITION | MF_CHECKED);
    return hMenu;
}

void CKtvPTasksPane::RebuildMenu()
{
    m_menuPages.DestroyMenu();
    m_menuPages.Attach(CreatePagesMenu());
    EnableCaptionButton(KTVP_HTBACK, m_iActiveHistory > 0);
    EnableCaptionButton(KTVP_HTFORWARD, m_iActiveHistory < m_arrHistory.GetSize() - 1);
}

// --- caption ---------------------------------------------------------------------------------------

void CKtvPTasksPane::SetCaption(LPCTSTR lpszName)
{
    m_strCaption = lpszName == nullptr ? "" : lpszName;
    if (GetSafeHwnd() != nullptr)
        SetWindowText(m_strCaption);
    UpdateCaption();
}

void CKtvPTasksPane::UpdateCaption()
{
    if (GetSafeHwnd() == nullptr)
        return;
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    const BOOL bOwnCaption = m_bUseNavigationToolbar || GetParentTabbedBar() != nullptr ||
                             (pMiniFrame != nullptr && !pMiniFrame->IsKindOf(RUNTIME_CLASS(CKtvPTaskPaneMiniFrameWnd))) ||
                             m_lstPages.GetCount() > 1;
    const CString strPage = GetPageName(GetActivePage());
    const CString strText = bOwnCaption ? m_strCaption : strPage;
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);

    if (m_wndToolBar.GetSafeHwnd() == nullptr)
        return;
    for (int i = 0; i < m_wndToolBar.GetCount(); i++) {
        auto* pMenuButton = dynamic_cast<CTasksPaneMenuButton*>(m_wndToolBar.GetButton(i));
        if (pMenuButton != nullptr && pMenuButton->m_strText != strPage) {
            pMenuButton->m_strText = strPage;
            m_wndToolBar.InvalidateButton(i);
        }
    }
}

void CKtvPTasksPane::Update()
{
    UpdateCaption();
    RecalcLayout(TRUE);
}

void CKtvPTasksPane::RecalcLayout(BOOL bRedraw)
{
    if (GetSafeHwnd() == nullptr)
        return;
    LayoutAreas();
    ReposTasks();
    if (bRedraw)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// --- groups and tasks ------------------------------------------------------------------------------

CKtvPTasksGroup* CKtvPTasksPane::GetGroup(int nGroup) const
{
    if (nGroup < 0 || nGroup >= m_lstGroups.GetCount())
        return nullptr;
    return static_cast<CKtvPTasksGroup*>(m_lstGroups.GetAt(m_lstGroups.FindIndex(nGroup)));
}

int CKtvPTasksPane::GroupIndex(const CKtvPTasksGroup* pGroup) const
{
    int i = 0;
    for (POSITION pos = m_lstGroups.GetHeadPosition(); pos != nullptr; i++) {
        if (m_lstGroups.GetNext(pos) == pGroup)
            return i;
    }
    return -1;
}

int CKtvPTasksPane::AddGroup(int nPageIdx, LPCTSTR lpszGroupName, BOOL bBottomLocation, BOOL bSpecial, HICON hIcon)
{
    CKtvPTasksPanePage* pPage = GetPage(nPageIdx);
    if (pPage == nullptr)
        return -1;
    auto* pGroup = new CKtvPTasksGroup(lpszGroupName, bBottomLocation, bSpecial, FALSE, pPage, nullptr);
    m_lstGroups.AddTail(pGroup);
    const int nGroup = (int)m_lstGroups.GetCount() - 1;
    SetGroupIcon(nGroup, hIcon);
    return nGroup;
}

BOOL CKtvPTasksPane::RemoveGroup(int nGroup)
{
    CKtvPTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr)
        return FALSE;
    // Nothing may keep pointing into the group once it is gone.
    if (m_pHotGroup == pGroup || m_pClickedGroup == pGroup || (m_pHotTask != nullptr && m_pHotTask->m_pGroup == pGroup) ||
        (m_pClickedTask != nullptr && m_pClickedTask->m_pGroup == pGroup)) {
        m_pHotGroup = m_pClickedGroup = nullptr;
        m_pHotTask = m_pClickedTask = nullptr;
        ReleaseHotCapture();
    }
    if (m_pAnimatedGroup == pGroup) {
        m_pAnimatedGroup = nullptr;
        m_nAnimGroupWidth = m_nAnimGroupHeight = 0;
    }
    m_lstGroups.RemoveAt(m_lstGroups.FindIndex(nGroup));
    delete pGroup;
    RecalcLayout(TRUE);
    return TRUE;
}

void CKtvPTasksPane::RemoveAllGroups(int nPageIdx)
{
    for (int i = (int)m_lstGroups.GetCount() - 1; i >= 0; i--) {
        if (nPageIdx == -1 || PageIndex(GetGroup(i)->m_pPage) == nPageIdx)
            RemoveGroup(i);
    }
}

BOOL CKtvPTasksPane::SetGroupName(int nGroup, LPCTSTR lpszGroupName)
{
    return TasksPaneChangeGroup(*this, nGroup, [&](CKtvPTasksGroup& group) {
        group.m_strName = lpszGroupName == nullptr ? "" : lpszGroupName;
    });
}

BOOL CKtvPTasksPane::SetGroupIcon(int nGroup, HICON hIcon)
{
    return TasksPaneChangeGroup(*this, nGroup, [&](CKtvPTasksGroup& group) {
        group.m_hIcon = hIcon;
        group.m_sizeIcon = CSize(0, 0);
        ICONINFO info{};
        if (hIcon != nullptr && ::GetIconInfo(hIcon, &info)) {
            BITMAP bm{};
            if (info.hbmColor != nullptr && ::GetObject(info.hbmColor, sizeof(bm), &bm) != 0)
                group.m_sizeIcon = CSize(bm.bmWidth, bm.bmHeight);
            if (info.hbmColor != nullptr)
                ::DeleteObject(info.hbmColor);
            if (info.hbmMask != nullptr)
                ::DeleteObject(info.hbmMask);
        }
    });
}

BOOL CKtvPTasksPane::SetGroupBottom(int nGroup, BOOL bBottom)
{
    return TasksPaneChangeGroup(*this, nGroup, [&](CKtvPTasksGroup& group) {
        group.m_bIsBottom = bBottom;
    });
}

BOOL CKtvPTasksPane::SetGroupSpecial(int nGroup, BOOL bSpecial)
{
    return TasksPaneChangeGroup(*this, nGroup, [&](CKtvPTasksGroup& group) {
        group.m_bIsSpecial = bSpecial;
    });
}

BOOL CKtvPTasksPane::CollapseGroup(int nGroup, BOOL bCollapse)
{
    return TasksPaneChangeGroup(*this, nGroup, [&](CKtvPTasksGroup& group) {
        group.m_bIsCollapsed = bCollapse;
    });
}

int CKtvPTasksPane::AddTask(int nGroup, LPCTSTR lpszTaskName, int nTaskIcon, UINT uiCommandID, DWORD dwUserData)
{
    CKtvPTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr)
        return -1;
    return TasksPaneAppendTask(*this, new CKtvPTask(pGroup, lpszTaskName, nTaskIcon, uiCommandID, dwUserData));
}

int CKtvPTasksPane::AddSeparator(int nGroup)
{
    CKtvPTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr)
        return -1;
    auto* pTask = new CKtvPTask(pGroup, "", -1, 0);
    pTask->m_bIsSeparator = TRUE;
    return TasksPaneAppendTask(*this, pTask);
}

int CKtvPTasksPane::AddWindow(int nGroup, HWND hwndTask, int nWindowHeight, BOOL bAutoDestroy, DWORD dwUserData)
{
    CKtvPTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr || hwndTask == nullptr || !::IsWindow(hwndTask))
        return -1;
    return TasksPaneAppendTask(*this, new CKtvPTask(pGroup, "", -1, 0, dwUserData, hwndTask, bAutoDestroy, nWindowHeight));
}

CKtvPTask* CKtvPTasksPane::GetTask(int nGroup, int nTask) const
{
    CKtvPTasksGroup* pGroup = GetGroup(nGroup);
    if (pGroup == nullptr || nTask < 0 || nTask >= pGroup->m_lstTasks.GetCount())
        return nullptr;
    return static_cast<CKtvPTask*>(pGroup->m_lstTasks.GetAt(pGroup->m_lstTasks.FindIndex(nTask)));
}

int CKtvPTasksPane::GetTaskCount(int nGroup) const
{
    CKtvPTasksGroup* pGroup = GetGroup(nGroup);
    return pGroup != nullptr ? (int)pGroup->m_lstTasks.GetCount() : -1;
}

BOOL CKtvPTasksPane::RemoveTask(int nGroup, int nTask)
{
    CKtvPTask* pTask = GetTask(nGroup, nTask);
    if (pTask == nullptr)
        return FALSE;
    if (m_pHotTask == pTask || m_pClickedTask == pTask) {
        m_pHotTask = m_pClickedTask = nullptr;
        ReleaseHotCapture();
    }
    CKtvPTasksGroup* pGroup = pTask->m_pGroup;
    pGroup->m_lstTasks.RemoveAt(pGroup->m_lstTasks.FindIndex(nTask));
    delete pTask;
    RecalcLayout(TRUE);
    return TRUE;
}

void CKtvPTasksPane::RemoveAllTasks(int nGroup)
{
    for (int i = GetTaskCount(nGroup) - 1; i >= 0; i--)
        RemoveTask(nGroup, i);
}

BOOL CKtvPTasksPane::ShowTask(int nGroup, int nTask, BOOL bShow)
{
    CKtvPTask* pTask = GetTask(nGroup, nTask);
    if (pTask == nullptr)
        return FALSE;
    if (pTask->m_bVisible != bShow) {
        pTask->m_bVisible = bShow;
        if (!bShow && (m_pHotTask == pTask || m_pClickedTask == pTask)) {
            m_pHotTask = m_pClickedTask = nullptr;
            ReleaseHotCapture();
        }
        RecalcLayout(TRUE);
    }
    return TRUE;
}

BOOL CKtvPTasksPane::EnableTask(int nGroup, int nTask, BOOL bEnable)
{
    CKtvPTask* pTask = GetTask(nGroup, nTask);
    if (pTask == nullptr)
        return FALSE;
    pTask->m_bEnabled = bEnable;
    if (pTask->m_hwndTask != nullptr)
        ::EnableWindow(pTask->m_hwndTask, bEnable);
    InvalidateTask(pTask);
    return TRUE;
}

BOOL CKtvPTasksPane::SetIconsList(UINT uiImageListResID, int cx, COLORREF clrTransparent)
{
    CImageList images;
    if (!images.Create(uiImageListResID, cx, 0, clrTransparent))
        return FALSE;
    SetIconsList(images.GetSafeHandle());
    return TRUE;
}

void CKtvPTasksPane::SetIconsList(HIMAGELIST hIcons)
{
    m_imlTaskIcons.DeleteImageList();
    m_sizeIcon = CSize(0, 0);
    if (hIcons != nullptr) {
        m_imlTaskIcons.Attach(::ImageList_Duplicate(hIcons));
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(m_imlTaskIcons.GetSafeHandle(), &cx, &cy);
        m_sizeIcon = CSize(cx, cy);
    }
    RecalcLayout(TRUE);
}

// --- switches ----------------------------------------------------------------------------------------

void CKtvPTasksPane::EnableNavigationToolbar(BOOL bEnable, UINT uiToolbarBmpRes, CSize sizeToolbarImage,
                                             CSize sizeToolbarButton)
{
    m_bUseNavigationToolbar = bEnable;
    m_uiToolbarBmpRes = uiToolbarBmpRes;
    m_sizeToolbarImage = sizeToolbarImage;
    m_sizeToolbarButton = sizeToolbarButton;
    if (GetSafeHwnd() == nullptr)
        return;
    UpdateCaption();
    RecalcLayout(TRUE);
    SendMessage(WM_NCPAINT);
}

void CKtvPTasksPane::EnableScrollButtons(BOOL bEnable)
{
    m_bUseScrollButtons = bEnable;
    RecalcLayout(TRUE);
}

BOOL CKtvPTasksPane::IsToolbarShown() const
{
    if (m_lstPages.GetCount() < 2 || m_wndToolBar.GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_bUseNavigationToolbar || GetParentTabbedBar() != nullptr)
        return TRUE;
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    return pMiniFrame != nullptr && !pMiniFrame->IsKindOf(RUNTIME_CLASS(CKtvPTaskPaneMiniFrameWnd));
}

// --- the owner -------------------------------------------------------------------------------------

void CKtvPTasksPane::OnClickTask(int, int, UINT uiCommandID, DWORD)
{
    if (uiCommandID == 0)
        return;
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pOwner != nullptr)
        pOwner->PostMessage(WM_COMMAND, uiCommandID, 0);
}

void CKtvPTasksPane::ShowCommandMessageString(UINT uiCmdId)
{
    CWnd* pOwner = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (pOwner != nullptr)
        pOwner->SendMessage(WM_SETMESSAGESTRING, uiCmdId == (UINT)-1 ? AFX_IDS_IDLEMESSAGE : (WPARAM)uiCmdId);
}

BOOL CKtvPTasksPane::GetMRUFileName(CRecentFileList* pRecentFileList, int nIndex, CString& strName)
{
    if (pRecentFileList == nullptr || nIndex < 0 || nIndex >= pRecentFileList->GetSize())
        return FALSE;
    const CString& strPath = (*pRecentFileList)[nIndex];
    if (strPath.IsEmpty())
        return FALSE;
    std::vector<char> buffer(512, '\0');
    if (::GetFileTitle(strPath, buffer.data(), (WORD)buffer.size()) != 0)
        return FALSE;
    strName = buffer.data();
    return TRUE;
}

void CKtvPTasksPane::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler)
{
    CKtvPTasksPaneCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_lstGroups.GetCount();
    UINT nGroup = 0;
    for (POSITION pos = m_lstGroups.GetHeadPosition(); pos != nullptr; nGroup++) {
        auto* pGroup = static_cast<CKtvPTasksGroup*>(m_lstGroups.GetNext(pos));
        state.m_nIndex = nGroup;
        state.m_pGroup = pGroup;
        for (POSITION posTask = pGroup->m_lstTasks.GetHeadPosition(); posTask != nullptr;) {
            auto* pTask = static_cast<CKtvPTask*>(pGroup->m_lstTasks.GetNext(posTask));
            const UINT nID = pTask->m_uiCommandID;
            if (nID == 0 || (nID >= 0xF000 && nID < 0xF1F0) || nID >= 0xFF00)
                continue;
            state.m_nID = nID;
            const BOOL bUserTool = g_pUserToolsManager != nullptr && nID >= g_pUserToolsManager->GetFirstCmdId() &&
                                   nID <= g_pUserToolsManager->GetLastCmdId();
            state.DoUpdate(pTarget, bUserTool ? FALSE : bDisableIfNoHandler);
        }
    }
    CKtvPDockingControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHandler);
}

void CKtvPTasksPaneCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* pPane = dynamic_cast<CKtvPTasksPane*>(m_pOther);
    if (m_pGroup == nullptr)
        return;
    for (POSITION pos = m_pGroup->m_lstTasks.GetHeadPosition(); pos != nullptr;) {
        auto* pTask = static_cast<CKtvPTask*>(m_pGroup->m_lstTasks.GetNext(pos));
        if (pTask->m_uiCommandID != m_nID || pTask->m_bEnabled == bOn)
            continue;
        pTask->m_bEnabled = bOn;
        if (pPane != nullptr && pPane->GetSafeHwnd() != nullptr)
            pPane->InvalidateRect(pTask->m_rect);
        if (pTask->m_hwndTask != nullptr)
            ::EnableWindow(pTask->m_hwndTask, bOn);
    }
}

void CKtvPTasksPaneCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pGroup == nullptr || lpszText == nullptr)
        return;
    CString strText(lpszText);
    const int nTab = strText.Find('\t');
    if (nTab >= 0)
        strText = strText.Left(nTab);
    auto* pPane = dynamic_cast<CKtvPTasksPane*>(m_pOther);
    for (POSITION pos = m_pGroup->m_lstTasks.GetHeadPosition(); pos != nullptr;) {
        auto* pTask = static_cast<CKtvPTask*>(m_pGroup->m_lstTasks.GetNext(pos));
        if (pTask->m_uiCommandID != m_nID || pTask->m_strName == strText)
            continue;
        pTask->m_strName = strText;
        if (pPane != nullptr && pPane->GetSafeHwnd() != nullptr)
            pPane->InvalidateRect(pTask->m_rect);
    }
}

// --- creation and destruction ------------------------------------------------------------------------

int CKtvPTasksPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPDockingControlBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CRect rectEmpty(0, 0, 0, 0);
    for (UINT_PTR nTool = 3; nTool <= 5; nTool++)
        m_wndToolTip.AddTool(this, LPSTR_TEXTCALLBACK, rectEmpty, nTool);
    m_strCaption.LoadString(IDS_KTVP_TASKS_PANE);
    if (m_lstPages.IsEmpty())
        AddPage(m_strCaption);
    SetCaption(m_strCaption);
    CKtvPToolBar::AddBasicCommand(IDS_KTVP_OTHER_TASK_PANES);

    if (!m_wndToolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM | CBRS_TOOLTIPS |
                                       CBRS_FLYBY | CBRS_HIDE_INPLACE | CBRS_GRIPPER,
                             1))
        return 0;
    m_wndToolBar.SetBarStyle(m_wndToolBar.GetBarStyle() & ~CBRS_GRIPPER);
    m_wndToolBar.SetOwner(this);
    m_wndToolBar.m_bRouteCommandsViaFrame = FALSE;
    CreateNavigationToolbar();

    CreateFonts();
    globalData.GetHandCursor();
    m_wndScrollBar.Create(SBS_VERT | WS_CHILD | WS_VISIBLE, rectEmpty, this, 1);
    return 0;
}

void CKtvPTasksPane::CreateNavigationToolbar()
{
    CSize sizeButton(16, 16);
    CSize sizeImage(12, 12);
    UINT uiBitmap = IDB_KTVP_TASKS_PANE;
    if (m_uiToolbarBmpRes != 0) {
        uiBitmap = m_uiToolbarBmpRes;
        if (m_sizeToolbarImage != CSize(0, 0)) {
            sizeImage = m_sizeToolbarImage;
            sizeButton = m_sizeToolbarButton != CSize(0, 0) ? m_sizeToolbarButton
                                                            : CSize(sizeImage.cx + 4, sizeImage.cy + 4);
        }
    }
    m_wndToolBar.SetLockedSizes(sizeButton, sizeImage);
    m_wndToolBar.LoadBitmap(uiBitmap, 0, 0, TRUE);
    if (m_uiToolbarBmpRes == 0)
        m_wndToolBar.SetLockedTransparentColor(RGB(255, 0, 255));

    m_wndToolBar.RemoveAllButtons();
    struct {
        UINT nID;
        int iImage;
    } const navigate[] = {{IDS_KTVP_TASKS_BACK, 0}, {IDS_KTVP_TASKS_FORWARD, 1}, {IDS_KTVP_TASKS_HOME, 2}};
    for (const auto& n : navigate) {
        CString strText;
        strText.LoadString(n.nID);
        m_wndToolBar.InsertButton(new CTasksPaneNavigateButton(n.nID, n.iImage, strText));
    }
    m_wndToolBar.InsertSeparator();
    auto* pMenuButton = new CTasksPaneMenuButton(this);
    pMenuButton->m_bTextShown = TRUE;
    pMenuButton->m_bImageShown = FALSE;
    pMenuButton->m_bLocked = TRUE;
    pMenuButton->m_strText.LoadString(IDS_KTVP_TASKS_PANE);
    pMenuButton->m_pWndMessage = this;
    m_wndToolBar.InsertButton(pMenuButton);
    CString strClose;
    strClose.LoadString(IDS_KTVP_TASKS_CLOSE);
    m_wndToolBar.InsertButton(new CTasksPaneNavigateButton(IDS_KTVP_TASKS_CLOSE, 3, strClose));
    UpdateCaption();
}

void CKtvPTasksPane::CreateFonts()
{
    HFONT hFont = m_hFont != nullptr ? m_hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONT lf{};
    ::GetObject(hFont, sizeof(lf), &lf);
    m_fontBold.DeleteObject();
    m_fontBoldUnderline.DeleteObject();
    m_fontUnderline.DeleteObject();
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&lf);
    lf.lfUnderline = TRUE;
    m_fontBoldUnderline.CreateFontIndirect(&lf);
    lf.lfWeight = FW_NORMAL;
    m_fontUnderline.CreateFontIndirect(&lf);
}

void CKtvPTasksPane::OnDestroy()
{
    KillTimer(4);
    KillTimer(5);
    m_pHotTask = m_pClickedTask = nullptr;
    m_pHotGroup = m_pClickedGroup = m_pAnimatedGroup = nullptr;
    while (!m_lstGroups.IsEmpty())
        delete static_cast<CKtvPTasksGroup*>(m_lstGroups.RemoveHead());
    CKtvPDockingControlBar::OnDestroy();
}

LRESULT CKtvPTasksPane::OnSetFont(WPARAM wParam, LPARAM)
{
    m_hFont = (HFONT)wParam;
    CreateFonts();
    LayoutAreas();
    ReposTasks();
    return 0;
}

LRESULT CKtvPTasksPane::OnGetFont(WPARAM, LPARAM)
{
    return (LRESULT)(m_hFont != nullptr ? m_hFont : (HFONT)::GetStockObject(DEFAULT_GUI_FONT));
}

// --- caption buttons and tooltips --------------------------------------------------------------------

void CKtvPTasksPane::SetCaptionButtons()
{
    CKtvPDockingControlBar::SetCaptionButtons();
    m_arrButtons.Add(new CKtvPCaptionButton(KTVP_HTBACK, TRUE));
    m_arrButtons.Add(new CKtvPCaptionButton(KTVP_HTFORWARD, TRUE));
    m_arrButtons.Add(new CKtvPCaptionMenuButton(KTVP_HTMENU, FALSE));
}

// The navigation buttons are shown or hidden afresh at every draw, so a
// second page added later brings them.
void CKtvPTasksPane::DrawCaption(CDC* pDC, CRect rectCaption)
{
    const BOOL bHide = m_lstPages.GetCount() < 2 || m_bUseNavigationToolbar;
    for (UINT nHit : {(UINT)KTVP_HTBACK, (UINT)KTVP_HTFORWARD, (UINT)KTVP_HTMENU}) {
        if (CKtvPCaptionButton* pBtn = FindButtonByHit(nHit))
            pBtn->m_bHidden = bHide;
    }
    EnableCaptionButton(KTVP_HTBACK, m_iActiveHistory > 0);
    EnableCaptionButton(KTVP_HTFORWARD, m_iActiveHistory < m_arrHistory.GetSize() - 1);
    CKtvPDockingControlBar::DrawCaption(pDC, rectCaption);
}

void CKtvPTasksPane::OnPressCaptionButton(UINT nHit)
{
    switch (nHit) {
    case KTVP_HTBACK:
        OnPressBackButton();
        return;
    case KTVP_HTFORWARD:
        OnPressForwardButton();
        return;
    case KTVP_HTMENU:
        m_bMenuShown = TRUE;
        OnPressOtherButton(dynamic_cast<CKtvPCaptionMenuButton*>(FindButtonByHit(KTVP_HTMENU)), this);
        m_bMenuShown = FALSE;
        return;
    default:
        CKtvPDockingControlBar::OnPressCaptionButton(nHit);
    }
}

void CKtvPTasksPane::OnTrackCaptionButtons(CPoint point)
{
    if (!m_bMenuShown)
        CKtvPDockingControlBar::OnTrackCaptionButtons(point);
}

void CKtvPTasksPane::StopCaptionButtonsTracking()
{
    if (!m_bMenuShown)
        CKtvPDockingControlBar::StopCaptionButtonsTracking();
}

BOOL CKtvPTasksPane::OnNeedTipText(UINT id, NMHDR* pNMH, LRESULT* pResult)
{
    if (pNMH == nullptr)
        return FALSE;
    const UINT nTool = (UINT)pNMH->idFrom != 0 ? (UINT)pNMH->idFrom : id;
    UINT nString = 0;
    switch (nTool) {
    case 3:
        nString = IDS_KTVP_TASKS_BACK;
        break;
    case 4:
        nString = IDS_KTVP_TASKS_FORWARD;
        break;
    case 5:
        nString = IDS_KTVP_OTHER_TASK_PANES;
        break;
    default:
        return CKtvPDockingControlBar::OnNeedTipText(id, pNMH, pResult);
    }
    static CString strTip;
    strTip.LoadString(nString);
    reinterpret_cast<TOOLTIPTEXTA*>(pNMH)->lpszText = const_cast<LPTSTR>((LPCTSTR)strTip);
    return TRUE;
}

// --- saved state -------------------------------------------------------------------------------------

void CKtvPTasksPane::Serialize(CArchive& ar)
{
    CKtvPDockingControlBar::Serialize(ar);
    if (!TasksPaneStoredSince(21))
        return;
    int* const metrics[] = {&m_nMarginV,         &m_nMarginH,        &m_nGroupSpacing,
                            &m_nCaptionMinHeight, &m_nTaskTextIndent, &m_nCaptionPadding,
                            &m_nTaskIndent,       &m_nTaskIconGap,    &m_nTaskSpacing};
    if (ar.IsStoring()) {
        for (int* pMetric : metrics)
            ar << (int32_t)*pMetric;
        ar << (int32_t)GetActivePage();
        CStringArray names;
        for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr;)
            names.Add(static_cast<CKtvPTasksPanePage*>(m_lstPages.GetNext(pos))->m_strName);
        names.Serialize(ar);
        if (TasksPaneStoredSince(50))
            ar << m_strCaption;
        return;
    }
    for (int* pMetric : metrics) {
        int32_t n = -1;
        ar >> n;
        *pMetric = n;
    }
    int32_t nPage = 0;
    ar >> nPage;
    CStringArray names;
    names.Serialize(ar);
    if (nPage < 0 || nPage >= m_lstPages.GetCount())
        nPage = 0;
    if (names.GetSize() == m_lstPages.GetCount()) {
        int i = 0;
        for (POSITION pos = m_lstPages.GetHeadPosition(); pos != nullptr; i++)
            static_cast<CKtvPTasksPanePage*>(m_lstPages.GetNext(pos))->m_strName = names[i];
    }
    SetActivePage(nPage);
    m_nScrollOffset = 0;
    RecalcLayout(TRUE);
    if (TasksPaneStoredSince(50)) {
        ar >> m_strCaption;
        UpdateCaption();
    }
}

BOOL CKtvPTasksPane::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    nIndex = nIndex == -1 ? GetDlgCtrlID() : nIndex;
    try {
        CMemFile file(1024);
        {
            CArchive ar(&file, CArchive::store, 4096);
            Serialize(ar);
            ar.Close();
        }
        const UINT nLength = (UINT)file.GetLength();
        BYTE* pData = file.Detach();
        {
            CKtvPRegistryFactory factory;
            CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
            if (reg.CreateKey(TasksPaneKey(lpszProfileName, nIndex, uiID)))
                reg.Write(kTasksPaneSettingsValue, pData, nLength);
        }
        std::free(pData);
    } catch (CMemoryException* e) {
        e->Delete();
    }
    return CKtvPDockingControlBar::SaveState(lpszProfileName, nIndex, uiID);
}

BOOL CKtvPTasksPane::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    nIndex = nIndex == -1 ? GetDlgCtrlID() : nIndex;
    BYTE* pData = nullptr;
    UINT nBytes = 0;
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
        if (!reg.Open(TasksPaneKey(lpszProfileName, nIndex, uiID)) ||
            !reg.Read(kTasksPaneSettingsValue, &pData, &nBytes))
            return FALSE;
    }
    try {
        CMemFile file(pData, nBytes);
        CArchive ar(&file, CArchive::load, 4096);
        Serialize(ar);
    } catch (CException* e) {
        e->Delete();
    }
    delete[] pData;
    return CKtvPDockingControlBar::LoadState(lpszProfileName, nIndex, uiID);
}

// --- the navigation toolbar ------------------------------------------------------------------------

CKtvPTasksPane* CTasksPaneToolBar::GetTasksPane() const
{
    if (auto* pPane = dynamic_cast<CKtvPTasksPane*>(GetOwner()))
        return pPane;
    return dynamic_cast<CKtvPTasksPane*>(GetParent());
}

void CTasksPaneToolBar::SetLockedTransparentColor(COLORREF clr) { m_ImagesLocked.SetTransparentColor(clr); }

void CTasksPaneToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CKtvPToolBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    CKtvPTasksPane* pPane = GetTasksPane();
    if (pPane == nullptr)
        return;
    for (int i = 0; i < GetCount(); i++) {
        auto* pButton = dynamic_cast<CTasksPaneNavigateButton*>(GetButton(i));
        if (pButton == nullptr)
            continue;
        BOOL bEnable = TRUE;
        switch (pButton->m_iImage) {
        case 0:
            bEnable = pPane->GetActiveHistoryPos() > 0;
            break;
        case 1:
            bEnable = pPane->GetActiveHistoryPos() < pPane->GetHistoryLength() - 1;
            break;
        case 3:
            bEnable = pPane->CanBeClosed();
            break;
        default:
            break;
        }
        const UINT nStyle = bEnable ? (pButton->m_nStyle & ~TBBS_DISABLED) : (pButton->m_nStyle | TBBS_DISABLED);
        if (nStyle != pButton->m_nStyle) {
            pButton->m_nStyle = nStyle;
            InvalidateButton(i);
        }
    }
    UpdateWindow();
}

void CTasksPaneToolBar::AdjustLocations()
{
    CKtvPToolBar::AdjustLocations();
    CRect rectClient;
    GetClientRect(rectClient);
    BOOL bMenuButton = FALSE;
    for (int i = 0; i < GetCount(); i++) {
        auto* pMenuButton = dynamic_cast<CTasksPaneMenuButton*>(GetButton(i));
        if (pMenuButton == nullptr)
            continue;
        bMenuButton = TRUE;
        CRect& rect = pMenuButton->m_rect;
        rect.right = std::max<int>(rectClient.right - 1, rect.left + 3 * rect.Height());
    }
    if (bMenuButton) {
        for (int i = 0; i < GetCount(); i++) {
            auto* pButton = dynamic_cast<CTasksPaneNavigateButton*>(GetButton(i));
            if (pButton != nullptr && pButton->m_iImage == 3) {
                pButton->m_bVisible = FALSE;
                pButton->OnShow(FALSE);
            }
        }
    }
    UpdateTooltips();
}

void CTasksPaneToolBar::AdjustLayout()
{
    CKtvPToolBar::AdjustLayout();
    if (CKtvPTasksPane* pPane = GetTasksPane())
        pPane->RecalcLayout(TRUE);
}

BOOL CTasksPaneToolBar::OnUserToolTip(CKtvPToolbarButton* pButton, CString& strTTText) const
{
    if (dynamic_cast<CTasksPaneMenuButton*>(pButton) != nullptr) {
        strTTText.LoadString(IDS_KTVP_OTHER_TASK_PANES);
        return TRUE;
    }
    if (dynamic_cast<CTasksPaneNavigateButton*>(pButton) != nullptr) {
        strTTText = pButton->m_strText;
        return TRUE;
    }
    return CKtvPToolBar::OnUserToolTip(pButton, strTTText);
}

HMENU CTasksPaneMenuButton::CreateMenu() const
{
    return m_pParentTaskPane != nullptr ? m_pParentTaskPane->CreatePagesMenu() : nullptr;
}

CKtvPPopupMenu* CTasksPaneMenuButton::CreatePopupMenu()
{
    auto* pPopup = CKtvPToolbarMenuButton::CreatePopupMenu();
    if (pPopup != nullptr)
        pPopup->m_bAlignRight = TRUE;
    return pPopup;
}

void CTasksPaneMenuButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKtvPToolbarMenuButton::OnChangeParentWnd(pWndParent);
    if (auto* pPane = dynamic_cast<CKtvPTasksPane*>(pWndParent))
        m_pParentTaskPane = pPane;
    else if (pWndParent != nullptr && dynamic_cast<CKtvPTasksPane*>(pWndParent->GetOwner()) != nullptr)
        m_pParentTaskPane = static_cast<CKtvPTasksPane*>(pWndParent->GetOwner());
}
