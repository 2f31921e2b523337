#include "ui/controls/KtvPBaseTabWnd.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CEdit.h"
#include "ui/frames/KtvPNotBuilt.h"

// --- CKtvPTabInfo ----------------------------------------------------------------------------------

CKtvPTabInfo::CKtvPTabInfo(const CString& strText, int iImage, CWnd* pWnd, int iTabID, BOOL bDetachable,
                           BOOL bIsListView)
    : m_strText(strText),
      m_uiIcon(iImage),
      m_hIcon(nullptr),
      m_bVisible(TRUE),
      m_pWnd(pWnd),
      m_bIsListView(bIsListView),
      m_nFullWidth(0),
      m_iTabID(iTabID),
      m_clrText((COLORREF)-1),
      m_clrBack((COLORREF)-1),
      m_bIconOnly(FALSE),
      m_bAlwaysShowToolTip(FALSE),
      m_bIsDetachable(bDetachable)
{
}

CKtvPTabInfo::~CKtvPTabInfo()
{
    if (m_hIcon != nullptr)
        ::DestroyIcon(m_hIcon);
}

// --- CKtvPTabDropTarget ----------------------------------------------------------------------------

BOOL CKtvPTabDropTarget::Register(CKtvPBaseTabWnd*) { KTVP_NOT_BUILT("CKtvPTabDropTarget::Register"); }
DROPEFFECT CKtvPTabDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    KTVP_NOT_BUILT("CKtvPTabDropTarget::OnDragEnter");
}
void CKtvPTabDropTarget::OnDragLeave(CWnd*) { KTVP_NOT_BUILT("CKtvPTabDropTarget::OnDragLeave"); }
DROPEFFECT CKtvPTabDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    KTVP_NOT_BUILT("CKtvPTabDropTarget::OnDragOver");
}
BOOL CKtvPTabDropTarget::OnDrop(CWnd*, COleDataObject*, DROPEFFECT, CPoint)
{
    KTVP_NOT_BUILT("CKtvPTabDropTarget::OnDrop");
}

// --- CKtvPBaseTabWnd -------------------------------------------------------------------------------

IMPLEMENT_DYNAMIC(CKtvPBaseTabWnd, CWnd)

BEGIN_MESSAGE_MAP(CKtvPBaseTabWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

CKtvPBaseTabWnd::CKtvPBaseTabWnd()
    : m_bEnableWrapping(FALSE),
      m_bActivateLastVisibleTab(FALSE),
      m_bHighLightTabs(FALSE),
      m_location(LOCATION_BOTTOM),
      m_iTabsNum(0),
      m_iActiveTab(-1),
      m_iTabBeforeDrag(-1),
      m_hImageList(nullptr),
      m_sizeImage(0, 0),
      m_iCurTab(-1),
      m_iTabIdCounter(1),
      m_nTabBorderSize(2),
      m_nTabsHeight(0),
      m_bAutoDestroyWindow(FALSE),
      m_bHideInactiveWnd(TRUE),
      m_iHighlighted(-1),
      m_iPressed(-1),
      m_bActivateOnBtnUp(FALSE),
      m_bEnableTabSwap(TRUE),
      m_bHideSingleTab(FALSE),
      m_clrActiveTabBk((COLORREF)-1),
      m_clrActiveTabFg((COLORREF)-1),
      m_bDrawNoPrefix(FALSE),
      m_bFlatFrame2003(FALSE),
      m_iEditedTab(-1),
      m_pInPlaceEdit(nullptr),
      m_bIsInPlaceEdit(FALSE),
      m_bReadyToDetach(FALSE),
      m_ptHot(0, 0),
      m_nOffsetFromTabLeft(0),
      m_nRestoredActiveTab(0),
      m_nRestoredLocation(0),
      m_pDockingBarWrapperRTC(nullptr),
      m_bIsAutoColor(FALSE),
      m_bIsDefaultAutoColor(TRUE),
      m_iLastActiveTab(-1),
      m_bActivateLastActiveTab(FALSE),
      m_bIsDlgControl(FALSE)
{
}

// The records are the window's (WM_DESTROY normally frees them; this covers
// a tab window that never had one). Tab windows are not: they are children.
CKtvPBaseTabWnd::~CKtvPBaseTabWnd()
{
    for (INT_PTR i = 0; i < m_arTabs.GetSize(); i++)
        delete static_cast<CKtvPTabInfo*>(m_arTabs[i]);
    m_arTabs.RemoveAll();
    delete m_pInPlaceEdit;
}

BOOL CKtvPBaseTabWnd::SetImageList(HIMAGELIST) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetImageList"); }
BOOL CKtvPBaseTabWnd::LoadImageList(UINT, int, COLORREF) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::LoadImageList"); }
void CKtvPBaseTabWnd::UpdateTabsHeight() { KTVP_NOT_BUILT("CKtvPBaseTabWnd::UpdateTabsHeight"); }
void CKtvPBaseTabWnd::AddTabWithResLabel(CWnd*, UINT, UINT, BOOL)
{
    KTVP_NOT_BUILT("CKtvPBaseTabWnd::AddTabWithResLabel");
}
void CKtvPBaseTabWnd::AddTab(CWnd*, LPCTSTR, UINT, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::AddTab"); }
void CKtvPBaseTabWnd::InsertTabWithResLabel(CWnd*, UINT, int, UINT, BOOL)
{
    KTVP_NOT_BUILT("CKtvPBaseTabWnd::InsertTabWithResLabel");
}
void CKtvPBaseTabWnd::InsertTab(CWnd*, LPCTSTR, int, UINT, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::InsertTab"); }
BOOL CKtvPBaseTabWnd::RemoveTab(int, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::RemoveTab"); }
void CKtvPBaseTabWnd::RemoveAllTabs() { KTVP_NOT_BUILT("CKtvPBaseTabWnd::RemoveAllTabs"); }
BOOL CKtvPBaseTabWnd::DetachTab(int, int, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::DetachTab"); }
int CKtvPBaseTabWnd::GetVisibleTabsNum() const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetVisibleTabsNum"); }
BOOL CKtvPBaseTabWnd::ShowTab(int, BOOL, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::ShowTab"); }

CWnd* CKtvPBaseTabWnd::GetTabWnd(int iTab) const
{
    if (iTab < 0 || iTab >= m_iTabsNum)
        return nullptr;
    return static_cast<CKtvPTabInfo*>(m_arTabs[iTab])->m_pWnd;
}

CWnd* CKtvPBaseTabWnd::GetTabContentWnd(int) const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetTabContentWnd"); }
BOOL CKtvPBaseTabWnd::GetTabRect(int, CRect&) const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetTabRect"); }
BOOL CKtvPBaseTabWnd::GetTabLabel(int, CString&) const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetTabLabel"); }
BOOL CKtvPBaseTabWnd::SetTabLabel(int, const CString&) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetTabLabel"); }

UINT CKtvPBaseTabWnd::GetTabIcon(int iTab) const
{
    if (iTab < 0 || iTab >= m_iTabsNum)
        return (UINT)-1;
    return (UINT) static_cast<CKtvPTabInfo*>(m_arTabs[iTab])->m_uiIcon;
}

BOOL CKtvPBaseTabWnd::SetTabIcon(int, UINT) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetTabIcon"); }

BOOL CKtvPBaseTabWnd::IsTabTextHidden(int iTab) const
{
    if (iTab < 0 || iTab >= m_iTabsNum)
        return FALSE;
    return static_cast<CKtvPTabInfo*>(m_arTabs[iTab])->m_bIconOnly;
}

BOOL CKtvPBaseTabWnd::HideTabText(int, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::HideTabText"); }
BOOL CKtvPBaseTabWnd::SetTabIconHandle(int, HICON) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetTabIconHandle"); }

HICON CKtvPBaseTabWnd::GetTabIconHandle(int iTab) const
{
    if (iTab < 0 || iTab >= m_iTabsNum)
        return nullptr;
    return static_cast<CKtvPTabInfo*>(m_arTabs[iTab])->m_hIcon;
}

COLORREF CKtvPBaseTabWnd::GetTabBkColor(int) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetTabBkColor"); }
BOOL CKtvPBaseTabWnd::SetTabBkColor(int, COLORREF) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetTabBkColor"); }

COLORREF CKtvPBaseTabWnd::GetTabTextColor(int iTab) const
{
    if (iTab < 0 || iTab >= m_iTabsNum)
        return (COLORREF)-1;
    return static_cast<CKtvPTabInfo*>(m_arTabs[iTab])->m_clrText;
}

BOOL CKtvPBaseTabWnd::SetTabTextColor(int, COLORREF) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetTabTextColor"); }

BOOL CKtvPBaseTabWnd::IsTabDetachable(int iTab) const
{
    if (iTab < 0 || iTab >= m_iTabsNum)
        return FALSE;
    return static_cast<CKtvPTabInfo*>(m_arTabs[iTab])->m_bIsDetachable;
}

BOOL CKtvPBaseTabWnd::SetTabDetachable(int, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetTabDetachable"); }
BOOL CKtvPBaseTabWnd::StartRenameTab(int) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::StartRenameTab"); }
BOOL CKtvPBaseTabWnd::CommitTabRename() { KTVP_NOT_BUILT("CKtvPBaseTabWnd::CommitTabRename"); }
CWnd* CKtvPBaseTabWnd::GetActiveWnd() const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetActiveWnd"); }
int CKtvPBaseTabWnd::GetTabFromPoint(CPoint) const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetTabFromPoint"); }
int CKtvPBaseTabWnd::GetTabFromHwnd(HWND) const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetTabFromHwnd"); }
int CKtvPBaseTabWnd::GetTabByID(int) const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetTabByID"); }
void CKtvPBaseTabWnd::SetActiveTabColor(COLORREF) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetActiveTabColor"); }
COLORREF CKtvPBaseTabWnd::GetActiveTabColor() const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetActiveTabColor"); }
COLORREF CKtvPBaseTabWnd::GetActiveTabTextColor() const
{
    KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetActiveTabTextColor");
}
CImageList* CKtvPBaseTabWnd::GetImageList() const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetImageList"); }
void CKtvPBaseTabWnd::SetTabBorderSize(int, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetTabBorderSize"); }
int CKtvPBaseTabWnd::GetTabBorderSize() const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetTabBorderSize"); }
void CKtvPBaseTabWnd::ApplySavedTabState(BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::ApplySavedTabState"); }
CWnd* CKtvPBaseTabWnd::GetFirstVisibleTabFrom(int, int&) const
{
    KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetFirstVisibleTabFrom");
}
CWnd* CKtvPBaseTabWnd::GetFirstVisibleTab(int&) const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetFirstVisibleTab"); }
CWnd* CKtvPBaseTabWnd::GetLastVisibleTab(int&) const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetLastVisibleTab"); }
void CKtvPBaseTabWnd::SwapTabs(int, int) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SwapTabs"); }
void CKtvPBaseTabWnd::MoveTab(int, int) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::MoveTab"); }
CSize CKtvPBaseTabWnd::GetLargestTabWndSize() { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetLargestTabWndSize"); }
void CKtvPBaseTabWnd::NotifyActiveTabChanged(int) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::NotifyActiveTabChanged"); }
void CKtvPBaseTabWnd::SetLocation(int) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetLocation"); }

BOOL CKtvPBaseTabWnd::IsTabVisible(int iTab) const
{
    if (iTab < 0 || iTab >= m_iTabsNum)
        return FALSE;
    return static_cast<CKtvPTabInfo*>(m_arTabs[iTab])->m_bVisible;
}

BOOL CKtvPBaseTabWnd::HasColoredTabs() { KTVP_NOT_BUILT("CKtvPBaseTabWnd::HasColoredTabs"); }
void CKtvPBaseTabWnd::ReleaseTabs() { KTVP_NOT_BUILT("CKtvPBaseTabWnd::ReleaseTabs"); }
int CKtvPBaseTabWnd::GetTabToDetach(int) const { KTVP_NOT_BUILT("CKtvPBaseTabWnd::GetTabToDetach"); }
CWnd* CKtvPBaseTabWnd::WrapTabWindow(CWnd*, LPCTSTR, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::WrapTabWindow"); }
void CKtvPBaseTabWnd::BuildDefaultAutoColors() { KTVP_NOT_BUILT("CKtvPBaseTabWnd::BuildDefaultAutoColors"); }

void CKtvPBaseTabWnd::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::Serialize"); }
BOOL CKtvPBaseTabWnd::PreTranslateMessage(MSG*) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::PreTranslateMessage"); }

int CKtvPBaseTabWnd::GetTabID(int iTab) const
{
    if (iTab < 0 || iTab >= m_iTabsNum)
        return -1;
    return static_cast<CKtvPTabInfo*>(m_arTabs[iTab])->m_iTabID;
}

BOOL CKtvPBaseTabWnd::SetTabsOrder(const CArray<int, int>&) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetTabsOrder"); }
void CKtvPBaseTabWnd::SetDrawNoPrefix(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetDrawNoPrefix"); }
void CKtvPBaseTabWnd::EnableAutoColor(BOOL) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::EnableAutoColor"); }
void CKtvPBaseTabWnd::SetAutoColors(const CArray<COLORREF, COLORREF>&)
{
    KTVP_NOT_BUILT("CKtvPBaseTabWnd::SetAutoColors");
}
int CKtvPBaseTabWnd::FindTabByCtrlID(UINT, CKtvPTabInfo**) const
{
    KTVP_NOT_BUILT("CKtvPBaseTabWnd::FindTabByCtrlID");
}
void CKtvPBaseTabWnd::InvalidateTab(int) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::InvalidateTab"); }

int CKtvPBaseTabWnd::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::OnCreate"); }
void CKtvPBaseTabWnd::OnDestroy() { KTVP_NOT_BUILT("CKtvPBaseTabWnd::OnDestroy"); }
void CKtvPBaseTabWnd::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::OnLButtonDown"); }
void CKtvPBaseTabWnd::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::OnLButtonUp"); }
void CKtvPBaseTabWnd::OnLButtonDblClk(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::OnLButtonDblClk"); }
void CKtvPBaseTabWnd::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPBaseTabWnd::OnMouseMove"); }
void CKtvPBaseTabWnd::OnCancelMode() { KTVP_NOT_BUILT("CKtvPBaseTabWnd::OnCancelMode"); }
void CKtvPBaseTabWnd::OnSysColorChange() { KTVP_NOT_BUILT("CKtvPBaseTabWnd::OnSysColorChange"); }
