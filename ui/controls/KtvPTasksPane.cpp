#include "ui/controls/KtvPTasksPane.h"

#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"

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
}

// The pane owns its pages and groups (a group its tasks).
CKtvPTasksPane::~CKtvPTasksPane()
{
    while (!m_lstGroups.IsEmpty())
        delete static_cast<CKtvPTasksGroup*>(m_lstGroups.RemoveHead());
    while (!m_lstPages.IsEmpty())
        delete static_cast<CKtvPTasksPanePage*>(m_lstPages.RemoveHead());
}

void CKtvPTasksPane::OnPressBackButton() { KTVP_NOT_BUILT("CKtvPTasksPane::OnPressBackButton"); }
void CKtvPTasksPane::OnPressForwardButton() { KTVP_NOT_BUILT("CKtvPTasksPane::OnPressForwardButton"); }
void CKtvPTasksPane::OnPressHomeButton() { KTVP_NOT_BUILT("CKtvPTasksPane::OnPressHomeButton"); }
void CKtvPTasksPane::OnPressOtherButton(CKtvPCaptionMenuButton*, CWnd*)
{
    KTVP_NOT_BUILT("CKtvPTasksPane::OnPressOtherButton");
}
void CKtvPTasksPane::OnClickTask(int, int, UINT, DWORD) { KTVP_NOT_BUILT("CKtvPTasksPane::OnClickTask"); }
void CKtvPTasksPane::ShowCommandMessageString(UINT) { KTVP_NOT_BUILT("CKtvPTasksPane::ShowCommandMessageString"); }
void CKtvPTasksPane::Update() { KTVP_NOT_BUILT("CKtvPTasksPane::Update"); }
void CKtvPTasksPane::OnDrawTasks(CDC*, CRect) { KTVP_NOT_BUILT("CKtvPTasksPane::OnDrawTasks"); }
BOOL CKtvPTasksPane::GetMRUFileName(CRecentFileList*, int, CString&)
{
    KTVP_NOT_BUILT("CKtvPTasksPane::GetMRUFileName");
}
int CKtvPTasksPane::ReposTasks(BOOL) { KTVP_NOT_BUILT("CKtvPTasksPane::ReposTasks"); }

int CKtvPTasksPane::AddPage(LPCTSTR) { KTVP_NOT_BUILT("CKtvPTasksPane::AddPage"); }
CKtvPTasksGroup* CKtvPTasksPane::GetGroup(int) const { KTVP_NOT_BUILT("CKtvPTasksPane::GetGroup"); }
void CKtvPTasksPane::SetActivePage(int) { KTVP_NOT_BUILT("CKtvPTasksPane::SetActivePage"); }
void CKtvPTasksPane::SetCaption(LPCTSTR) { KTVP_NOT_BUILT("CKtvPTasksPane::SetCaption"); }
void CKtvPTasksPane::RecalcLayout(BOOL) { KTVP_NOT_BUILT("CKtvPTasksPane::RecalcLayout"); }
