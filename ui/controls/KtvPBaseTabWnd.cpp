#include "ui/controls/KtvPBaseTabWnd.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CEdit.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/controls/KtvPButton.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPDockingCBWrapper.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPGlobalData.h"

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

BOOL CKtvPTabDropTarget::Register(CKtvPBaseTabWnd* pOwner)
{
    m_pOwner = pOwner;
    return COleDropTarget::Register(pOwner);
}

// While toolbars are being customised a dragged toolbar button goes to the tab window itself;
// anything else dragged over a tab brings that tab forward and is not dropped on the strip.
BOOL CKtvPTabDropTarget::IsToolbarButtonDrag(COleDataObject* pDataObject) const
{
    return m_pOwner != nullptr && CKtvPToolBar::m_bCustomizeMode && pDataObject != nullptr &&
           pDataObject->IsDataAvailable(CKtvPToolbarButton::GetClipboardFormat());
}

DROPEFFECT CKtvPTabDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (IsToolbarButtonDrag(pDataObject))
        return m_pOwner->OnDragEnter(pDataObject, dwKeyState, point);
    ActivateTabAt(point);
    return DROPEFFECT_NONE;
}

void CKtvPTabDropTarget::OnDragLeave(CWnd*)
{
    if (m_pOwner != nullptr)
        m_pOwner->OnDragLeave();
}

DROPEFFECT CKtvPTabDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (IsToolbarButtonDrag(pDataObject))
        return m_pOwner->OnDragOver(pDataObject, dwKeyState, point);
    ActivateTabAt(point);
    return DROPEFFECT_NONE;
}

BOOL CKtvPTabDropTarget::OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (!IsToolbarButtonDrag(pDataObject))
        return FALSE;
    return m_pOwner->OnDrop(pDataObject, dropEffect, point) ? TRUE : FALSE;
}

void CKtvPTabDropTarget::ActivateTabAt(CPoint point)
{
    if (m_pOwner == nullptr)
        return;
    const int iTab = m_pOwner->GetTabFromPoint(point);
    if (iTab >= 0 && iTab != m_pOwner->GetActiveTab())
        m_pOwner->SetActiveTab(iTab);
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


CKtvPTabInfo* CKtvPBaseTabWnd::TabAt(int iTab) const
{
    if (iTab < 0 || iTab >= m_iTabsNum)
        return nullptr;
    return static_cast<CKtvPTabInfo*>(m_arTabs[iTab]);
}

// --- images -----------------------------------------------------------------------------------------

BOOL CKtvPBaseTabWnd::SetImageList(HIMAGELIST hImageList)
{
    IMAGEINFO info{};
    if (hImageList == nullptr || !::ImageList_GetImageInfo(hImageList, 0, &info))
        return FALSE;
    m_sizeImage = CSize(info.rcImage.right - info.rcImage.left, info.rcImage.bottom - info.rcImage.top);
    m_hImageList = hImageList;
    UpdateTabsHeight();
    return TRUE;
}

BOOL CKtvPBaseTabWnd::LoadImageList(UINT uiID, int cx, COLORREF clrTransp)
{
    CBitmap bmp;
    if (!bmp.LoadBitmap(uiID))
        return FALSE;
    BITMAP info{};
    bmp.GetBitmap(&info);
    m_Images.DeleteImageList();
    const UINT nFlags = KtvImageListColorFlag(info.bmBitsPixel) | (clrTransp != (COLORREF)-1 ? ILC_MASK : 0);
    m_Images.Create(cx, info.bmHeight, nFlags, 0, 0);
    m_Images.Add(&bmp, clrTransp);
    m_sizeImage = CSize(cx, info.bmHeight);
    UpdateTabsHeight();
    return TRUE;
}

void CKtvPBaseTabWnd::UpdateTabsHeight()
{
    m_nTabsHeight = std::max<int>(m_sizeImage.cy + 2 * TAB_IMAGE_MARGIN,
                                  globalData.m_nTextHeight + 2 * TAB_TEXT_MARGIN);
}

CImageList* CKtvPBaseTabWnd::GetImageList() const
{
    if (m_Images.GetSafeHandle() != nullptr)
        return const_cast<CImageList*>(&m_Images);
    if (m_hImageList != nullptr)
        return CImageList::FromHandle(m_hImageList);
    return nullptr;
}

// --- adding and removing ----------------------------------------------------------------------------

void CKtvPBaseTabWnd::AddTabWithResLabel(CWnd* pTabWnd, UINT uiResTabLabel, UINT uiImageId, BOOL bDetachable)
{
    if (pTabWnd->GetSafeHwnd() != nullptr && pTabWnd->GetDlgCtrlID() == -1)
        return;
    CString strLabel;
    strLabel.LoadString(uiResTabLabel);
    AddTab(pTabWnd, strLabel, uiImageId, bDetachable);
}

void CKtvPBaseTabWnd::AddTab(CWnd* pTabWnd, LPCTSTR lpszTabLabel, UINT uiImageId, BOOL bDetachable)
{
    if (pTabWnd->GetSafeHwnd() != nullptr && pTabWnd->GetDlgCtrlID() == -1)
        return;
    InsertTab(WrapTabWindow(pTabWnd, lpszTabLabel, bDetachable), lpszTabLabel, -1, uiImageId, bDetachable);
}

void CKtvPBaseTabWnd::InsertTabWithResLabel(CWnd* pNewWnd, UINT uiResTabLabel, int nInsertAt, UINT uiImageId,
                                            BOOL bDetachable)
{
    CString strLabel;
    strLabel.LoadString(uiResTabLabel);
    InsertTab(pNewWnd, strLabel, nInsertAt, uiImageId, bDetachable);
}

void CKtvPBaseTabWnd::InsertTab(CWnd* pNewWnd, LPCTSTR lpszTabLabel, int nInsertAt, UINT uiImageId,
                                BOOL bDetachable)
{
    pNewWnd = WrapTabWindow(pNewWnd, lpszTabLabel, bDetachable);
    if (GetSafeHwnd() != nullptr && !IsWindowVisible())
        ShowWindow(SW_SHOW);
    if (nInsertAt < 0 || nInsertAt > m_iTabsNum)
        nInsertAt = m_iTabsNum;

    CWnd* pOldActiveWnd = GetActiveWnd();
    const BOOL bIsBar = pNewWnd->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar));
    char szClass[64] = {};
    if (pNewWnd->GetSafeHwnd() != nullptr)
        ::GetClassName(pNewWnd->GetSafeHwnd(), szClass, sizeof(szClass));
    auto* pTab = new CKtvPTabInfo(lpszTabLabel, (int)uiImageId, pNewWnd, m_iTabIdCounter, bDetachable && bIsBar,
                                  strcmp(szClass, "SysListView32") == 0);
    m_arTabs.InsertAt(nInsertAt, pTab);
    m_iTabsNum++;
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.AddTool(this, lpszTabLabel, CRect(0, 0, 0, 0), (UINT_PTR)m_iTabIdCounter);
    m_iTabIdCounter++;
    OnTabsChanged();
    RecalcLayout();

    if (m_iTabsNum == 1) {
        SetActiveTab(0);
        return;
    }
    m_iLastActiveTab = m_iActiveTab + (nInsertAt == m_iActiveTab ? 1 : 0);
    if (nInsertAt == m_iActiveTab) {
        // The new tab takes the active place and shows at once.
        if (m_bHideInactiveWnd && pOldActiveWnd != nullptr)
            pOldActiveWnd->ShowWindow(SW_HIDE);
        pNewWnd->ShowWindow(SW_SHOW);
    } else {
        if (m_bHideInactiveWnd)
            pNewWnd->ShowWindow(SW_HIDE);
        // The active index keeps naming the tab whose window is shown.
        if (m_iActiveTab >= 0 && nInsertAt < m_iActiveTab)
            m_iActiveTab++;
    }
    if (!m_bHideInactiveWnd && pOldActiveWnd != nullptr)
        pOldActiveWnd->BringWindowToTop();
}

// The candidate after the tab at iGone went or was hidden: the first visible
// tab at or after it, else the last visible tab before it.
int CKtvPBaseTabWnd::NextActiveCandidate(int iGone) const
{
    for (int i = iGone; i < m_iTabsNum; i++) {
        if (TabAt(i)->m_bVisible)
            return i;
    }
    for (int i = std::min(iGone, m_iTabsNum) - 1; i >= 0; i--) {
        if (TabAt(i)->m_bVisible)
            return i;
    }
    return -1;
}

BOOL CKtvPBaseTabWnd::RemoveTab(int iTab, BOOL bRecalcLayout)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    if (m_iTabsNum == 1) {
        RemoveAllTabs();
        return TRUE;
    }
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.DelTool(this, (UINT_PTR)pTab->m_iTabID);
    m_arTabs.RemoveAt(iTab);
    m_iTabsNum--;
    if (m_bAutoDestroyWindow && pTab->m_pWnd->GetSafeHwnd() != nullptr)
        pTab->m_pWnd->DestroyWindow();
    delete pTab;

    int iCandidate = -1;
    const BOOL bRemovedActive = iTab == m_iActiveTab;
    if (bRemovedActive) {
        if (m_bActivateLastVisibleTab)
            GetLastVisibleTab(iCandidate);
        else
            iCandidate = NextActiveCandidate(iTab);
        m_iActiveTab = -1;
    } else {
        // Closing another tab leaves the user's tab active, wherever it now is.
        if (iTab < m_iActiveTab)
            m_iActiveTab--;
        iCandidate = m_iActiveTab;
    }
    OnTabsChanged();
    if (!bRecalcLayout)
        return TRUE;

    RecalcLayout();
    if (iCandidate < 0)
        return TRUE;
    int iStart = iCandidate;
    if (bRemovedActive && m_bActivateLastActiveTab && m_iLastActiveTab >= 0)
        iStart = m_iLastActiveTab > iTab ? m_iLastActiveTab - 1 : m_iLastActiveTab;
    int iNewActive = -1;
    GetFirstVisibleTabFrom(iStart, iNewActive);
    if (iNewActive >= 0 && SetActiveTab(iNewActive))
        NotifyActiveTabChanged(m_iActiveTab);
    return TRUE;
}

void CKtvPBaseTabWnd::RemoveAllTabs()
{
    for (int i = 0; i < m_iTabsNum; i++) {
        CKtvPTabInfo* pTab = TabAt(i);
        if (m_ToolTip.GetSafeHwnd() != nullptr)
            m_ToolTip.DelTool(this, (UINT_PTR)pTab->m_iTabID);
    }
    ReleaseTabs();
    m_iTabIdCounter = 1;
    OnTabsChanged();
    RecalcLayout();
    NotifyActiveTabChanged(-1);
}

void CKtvPBaseTabWnd::ReleaseTabs()
{
    for (int i = 0; i < m_iTabsNum; i++) {
        CKtvPTabInfo* pTab = TabAt(i);
        if (m_bAutoDestroyWindow && pTab->m_pWnd->GetSafeHwnd() != nullptr)
            pTab->m_pWnd->DestroyWindow();
        delete pTab;
    }
    m_arTabs.RemoveAll();
    m_iTabsNum = 0;
    m_iActiveTab = -1;
}

// --- detaching and wrapping ---------------------------------------------------------------------------

namespace {

CKtvPBaseTabbedBar* TabbedBarOf(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar)) ? static_cast<CKtvPBaseTabbedBar*>(pWnd)
                                                                               : nullptr;
}

}  // namespace

// Tears a tab off into a floating bar (method 1 a drag, 2 a double click).
// Only tabs of a tabbed docking bar leave this way.
BOOL CKtvPBaseTabWnd::DetachTab(int dockMethod, int nTabNum, BOOL bHide)
{
    const int iTab = GetTabToDetach(nTabNum);
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr || !pTab->m_bIsDetachable || !pTab->m_pWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar)))
        return FALSE;
    auto* pBar = static_cast<CKtvPControlBar*>(pTab->m_pWnd);
    CRect rectEmpty(0, 0, 0, 0);
    if (!pBar->CanFloat() || !pBar->OnBeforeFloat(rectEmpty, dockMethod))
        return FALSE;
    if (dockMethod == KTVP_DM_MOUSE) {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        if (std::abs(ptCursor.x - m_ptHot.x) < ::GetSystemMetrics(SM_CXDRAG) &&
            std::abs(ptCursor.y - m_ptHot.y) < ::GetSystemMetrics(SM_CYDRAG))
            return FALSE;
    }
    CKtvPBaseTabbedBar* pTabbed = TabbedBarOf(GetParent());
    if (!pBar->CanBeAttached() || pTabbed == nullptr)
        return FALSE;
    const int nDockingMode = pBar->GetDockingMode();
    const BOOL bOutlineDrag = dockMethod == KTVP_DM_MOUSE && nDockingMode == KTVP_DT_STANDARD;

    pBar->ShowCaption(TRUE);
    if (iTab != m_iActiveTab)
        pBar->ShowWindow(SW_SHOW);
    if (!pTabbed->FloatTab(pBar, iTab, dockMethod, bHide || bOutlineDrag)) {
        // The tab stays: it keeps the look of a tab.
        if (pBar->GetParent() == this) {
            pBar->ShowCaption(FALSE);
            if (iTab != m_iActiveTab && m_bHideInactiveWnd)
                pBar->ShowWindow(SW_HIDE);
        }
        return FALSE;
    }
    if (m_iTabsNum == 0) {
        if (pTabbed->CanDetachTabs())
            pTabbed->LeaveAndDestroyLater();
        else
            ShowWindow(SW_HIDE);
    } else if (GetVisibleTabsNum() == 0) {
        pTabbed->ShowControlBar(FALSE, FALSE, FALSE);
    }
    RecalcLayout();

    CKtvPMiniFrameWnd* pNewFrame = pBar->GetParentMiniFrame(TRUE);
    if (bOutlineDrag) {
        if (GetCapture() == this)
            ReleaseCapture();
        if (pNewFrame != nullptr)
            pNewFrame->SetFocus();
        GetParent()->SendMessage(WM_IDLEUPDATECMDUI);
    }
    m_bReadyToDetach = FALSE;

    HWND hEmptiedTabbedBar = nullptr;
    if (m_iTabsNum == 1 && m_bHideSingleTab && GiveTabbedBarPlaceToLastTab(pTabbed))
        hEmptiedTabbedBar = pTabbed->GetSafeHwnd();

    if (dockMethod == KTVP_DM_MOUSE && pNewFrame != nullptr) {
        if (nDockingMode == KTVP_DT_STANDARD) {
            pNewFrame->EnterDragMode(hEmptiedTabbedBar);
            pNewFrame->MoveDragFrame();
        } else {
            pNewFrame->SetFocus();
        }
    }
    return TRUE;
}

// The one tab left takes the tabbed bar's place in its floating frame or split
// layout; the emptied tabbed bar hides and goes away.
BOOL CKtvPBaseTabWnd::GiveTabbedBarPlaceToLastTab(CKtvPBaseTabbedBar* pTabbed)
{
    CWnd* pWnd = TabAt(0)->m_pWnd;
    if (!pWnd->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) || !pTabbed->CanDetachTabs())
        return FALSE;
    auto* pLast = static_cast<CKtvPDockingControlBar*>(pWnd);
    CKtvPMiniFrameWnd* pFrame = pTabbed->GetParentMiniFrame(TRUE);
    CWnd* pNewParent = pFrame != nullptr ? static_cast<CWnd*>(pFrame) : pTabbed->GetDockSiteFrameWnd();
    if (pNewParent == nullptr)
        return FALSE;
    CRect rectTabbed;
    pTabbed->GetWindowRect(rectTabbed);
    pNewParent->ScreenToClient(rectTabbed);

    RemoveTab(0, TRUE);
    pLast->ShowCaption(TRUE);
    pLast->ShowWindow(SW_HIDE);
    // Out of the tab window first: moving into a frame takes a bar out of
    // the frame's layout, which the tabbed bar's place is to be given to.
    pLast->OnBeforeChangeParent(pNewParent, FALSE);
    pLast->SetParent(pNewParent);
    pLast->OnAfterChangeParent(this);
    if (!pTabbed->ReplaceControlBar(pLast, KTVP_DM_UNKNOWN, TRUE) &&
        !pLast->DockToFrameWindow(pTabbed->GetCurrentAlignment())) {
        pLast->FloatControlBar(pLast->GetRecentDockInfo().m_rectLastFloat, KTVP_DM_DBL_CLICK, TRUE);
    }
    pLast->SetBarAlignment(pTabbed->GetCurrentAlignment());
    pLast->CWnd::SetWindowPos(nullptr, rectTabbed.left, rectTabbed.top, rectTabbed.Width(), rectTabbed.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    pLast->ShowControlBar(TRUE, FALSE, FALSE);
    pTabbed->ShowWindow(SW_HIDE);
    pTabbed->ScheduleDestroy();
    pNewParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    return TRUE;
}

int CKtvPBaseTabWnd::GetTabToDetach(int nTabNum) const { return nTabNum == -1 ? m_iActiveTab : nTabNum; }

// A detachable tab that is not a docking bar goes into a docking wrapper, so
// that torn off it floats as a pane; the window itself is used when that fails.
CWnd* CKtvPBaseTabWnd::WrapTabWindow(CWnd* pTabWnd, LPCTSTR lpszTabLabel, BOOL bDetachable)
{
    if (pTabWnd == nullptr || pTabWnd->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)) || !bDetachable ||
        !m_bEnableWrapping)
        return pTabWnd;
    CRuntimeClass* pClass =
        m_pDockingBarWrapperRTC != nullptr ? m_pDockingBarWrapperRTC : RUNTIME_CLASS(CKtvPDockingCBWrapper);
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CKtvPDockingCBWrapper))) {
        delete pObject;
        return pTabWnd;
    }
    auto* pWrapper = static_cast<CKtvPDockingCBWrapper*>(pObject);
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (pTabWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar)))
        dwStyle |= static_cast<CKtvPBaseControlBar*>(pTabWnd)->GetBarStyle();
    CRuntimeClass* pTabbedClass = pWrapper->GetTabbedControlBarRTC();
    const UINT nID = pTabWnd->GetSafeHwnd() != nullptr ? (UINT)pTabWnd->GetDlgCtrlID() : 0;
    if (!pWrapper->Create(lpszTabLabel, this, pWrapper->m_rectInitial, TRUE, nID, dwStyle, 0x20,
                          KTVP_CBRS_FLOAT | KTVP_CBRS_AUTOHIDE | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE)) {
        delete pWrapper;
        return pTabWnd;
    }
    // Nobody else holds the plain wrappers made here; subclasses see to their own end.
    if (pClass == RUNTIME_CLASS(CKtvPDockingCBWrapper))
        pWrapper->m_bAutoDelete = TRUE;
    pWrapper->ShowCaption(FALSE);
    pWrapper->SetWrappedWnd(pTabWnd);
    pWrapper->GetRecentDockInfo().m_rectLastFloat = pWrapper->m_rectInitial;
    pWrapper->SetTabbedControlBarRTC(pTabbedClass);
    return pWrapper;
}

// --- visibility -------------------------------------------------------------------------------------

int CKtvPBaseTabWnd::GetVisibleTabsNum() const
{
    int nCount = 0;
    for (int i = 0; i < m_iTabsNum; i++)
        nCount += TabAt(i)->m_bVisible ? 1 : 0;
    return nCount;
}

BOOL CKtvPBaseTabWnd::ShowTab(int iTab, BOOL bShow, BOOL bRecalcLayout, BOOL bActivate)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    if (pTab->m_bVisible == bShow)
        return TRUE;

    const int nVisibleBefore = GetVisibleTabsNum();
    pTab->m_bVisible = bShow;
    int iCandidate = -1;
    BOOL bLeftNoActive = FALSE;
    if (bShow) {
        iCandidate = nVisibleBefore == 0 ? iTab : m_iActiveTab;
    } else {
        if (m_bHideInactiveWnd && pTab->m_pWnd->GetSafeHwnd() != nullptr)
            pTab->m_pWnd->ShowWindow(SW_HIDE);
        if (iTab == m_iActiveTab) {
            iCandidate = NextActiveCandidate(iTab);
            m_iActiveTab = -1;
            bLeftNoActive = TRUE;
        }
    }
    if (bRecalcLayout)
        RecalcLayout();
    if (iCandidate >= 0 && (bLeftNoActive || bActivate || nVisibleBefore == 0)) {
        if (SetActiveTab(iCandidate))
            NotifyActiveTabChanged(m_iActiveTab);
    }
    return TRUE;
}

CWnd* CKtvPBaseTabWnd::GetFirstVisibleTabFrom(int iStart, int& iTab) const
{
    for (int i = std::max(iStart, 0); i < m_iTabsNum; i++) {
        if (TabAt(i)->m_bVisible) {
            iTab = i;
            return TabAt(i)->m_pWnd;
        }
    }
    if (iStart > 0)
        return GetFirstVisibleTabFrom(0, iTab);
    iTab = -1;
    return nullptr;
}

CWnd* CKtvPBaseTabWnd::GetFirstVisibleTab(int& iTab) const { return GetFirstVisibleTabFrom(0, iTab); }

CWnd* CKtvPBaseTabWnd::GetLastVisibleTab(int& iTab) const
{
    for (int i = m_iTabsNum - 1; i >= 0; i--) {
        if (TabAt(i)->m_bVisible) {
            iTab = i;
            return TabAt(i)->m_pWnd;
        }
    }
    iTab = -1;
    return nullptr;
}

// --- tab records ------------------------------------------------------------------------------------

CWnd* CKtvPBaseTabWnd::GetTabWnd(int iTab) const
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    return pTab != nullptr ? pTab->m_pWnd : nullptr;
}

// A wrapped window is the content of its tab, not the wrapper round it.
CWnd* CKtvPBaseTabWnd::GetTabContentWnd(int iTab) const
{
    CWnd* pWnd = GetTabWnd(iTab);
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPDockingCBWrapper)))
        return static_cast<CKtvPDockingCBWrapper*>(pWnd)->GetWrappedWnd();
    return pWnd;
}

BOOL CKtvPBaseTabWnd::GetTabRect(int iTab, CRect& rect) const
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr || !pTab->m_bVisible) {
        rect.SetRectEmpty();
        return FALSE;
    }
    rect = pTab->m_rect;
    return TRUE;
}

BOOL CKtvPBaseTabWnd::GetTabLabel(int iTab, CString& strLabel) const
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    strLabel = pTab->m_bIconOnly ? CString() : pTab->m_strText;
    return TRUE;
}

BOOL CKtvPBaseTabWnd::SetTabLabel(int iTab, const CString& strLabel)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr || strLabel.IsEmpty())
        return FALSE;
    pTab->m_strText = strLabel;
    if (m_ToolTip.GetSafeHwnd() != nullptr)
        m_ToolTip.UpdateTipText(strLabel, this, (UINT_PTR)pTab->m_iTabID);
    if (pTab->m_pWnd->GetSafeHwnd() != nullptr)
        pTab->m_pWnd->SetWindowText(strLabel);
    RecalcLayout();
    CKtvPBaseTabbedBar* pTabbed = TabbedBarOf(GetParent());
    if (iTab == m_iActiveTab && pTabbed != nullptr && pTabbed->IsCaptionFromTab()) {
        pTabbed->SetWindowText(strLabel);
        CWnd* pCaptionOwner = pTabbed->IsFloating() ? pTabbed->GetParent() : pTabbed;
        if (pCaptionOwner != nullptr)
            pCaptionOwner->SendMessage(WM_USER + 1, 0, 0);
    }
    return TRUE;
}

UINT CKtvPBaseTabWnd::GetTabIcon(int iTab) const
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    return pTab != nullptr ? (UINT)pTab->m_uiIcon : (UINT)-1;
}

BOOL CKtvPBaseTabWnd::SetTabIcon(int iTab, UINT uiIcon)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    if (pTab->m_hIcon != nullptr)
        ::DestroyIcon(pTab->m_hIcon);
    pTab->m_hIcon = nullptr;
    pTab->m_uiIcon = (int)uiIcon;
    return TRUE;
}

BOOL CKtvPBaseTabWnd::IsTabTextHidden(int iTab) const
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    return pTab != nullptr && pTab->m_bIconOnly;
}

BOOL CKtvPBaseTabWnd::HideTabText(int iTab, BOOL bHide, BOOL bAlwaysShowToolTip)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    pTab->m_bIconOnly = bHide;
    pTab->m_bAlwaysShowToolTip = bAlwaysShowToolTip;
    return TRUE;
}

BOOL CKtvPBaseTabWnd::SetTabIconHandle(int iTab, HICON hIcon)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    if (pTab->m_hIcon != nullptr)
        ::DestroyIcon(pTab->m_hIcon);
    pTab->m_hIcon = hIcon != nullptr ? ::CopyIcon(hIcon) : nullptr;
    pTab->m_uiIcon = -1;
    m_sizeImage.cx = std::max<int>(m_sizeImage.cx, globalData.m_sizeSmallIcon.cx);
    m_sizeImage.cy = std::max<int>(m_sizeImage.cy, globalData.m_sizeSmallIcon.cy);
    return TRUE;
}

HICON CKtvPBaseTabWnd::GetTabIconHandle(int iTab) const
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    return pTab != nullptr ? pTab->m_hIcon : nullptr;
}

BOOL CKtvPBaseTabWnd::IsTabDetachable(int iTab) const
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    return pTab != nullptr && pTab->m_bIsDetachable;
}

BOOL CKtvPBaseTabWnd::SetTabDetachable(int iTab, BOOL bDetachable)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    pTab->m_bIsDetachable = bDetachable;
    return TRUE;
}

BOOL CKtvPBaseTabWnd::IsTabVisible(int iTab) const
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    return pTab != nullptr && pTab->m_bVisible;
}

int CKtvPBaseTabWnd::GetTabID(int iTab) const
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    return pTab != nullptr ? pTab->m_iTabID : -1;
}

CWnd* CKtvPBaseTabWnd::GetActiveWnd() const { return GetTabWnd(m_iActiveTab); }

int CKtvPBaseTabWnd::GetTabFromPoint(CPoint pt) const
{
    for (int i = 0; i < m_iTabsNum; i++) {
        if (TabAt(i)->m_bVisible && TabAt(i)->m_rect.PtInRect(pt))
            return i;
    }
    return -1;
}

int CKtvPBaseTabWnd::GetTabFromHwnd(HWND hwnd) const
{
    for (int i = 0; i < m_iTabsNum; i++) {
        if (TabAt(i)->m_pWnd->GetSafeHwnd() == hwnd || GetTabContentWnd(i)->GetSafeHwnd() == hwnd)
            return i;
    }
    return -1;
}

int CKtvPBaseTabWnd::GetTabByID(int id) const
{
    for (int i = 0; i < m_iTabsNum; i++) {
        if (TabAt(i)->m_iTabID == id)
            return i;
    }
    return -1;
}

int CKtvPBaseTabWnd::FindTabByCtrlID(UINT nCtrlID, CKtvPTabInfo** ppTab) const
{
    for (int i = 0; i < m_iTabsNum; i++) {
        CWnd* pWnd = TabAt(i)->m_pWnd;
        if (pWnd->GetSafeHwnd() != nullptr && (UINT)pWnd->GetDlgCtrlID() == nCtrlID) {
            if (ppTab != nullptr)
                *ppTab = TabAt(i);
            return i;
        }
    }
    if (ppTab != nullptr)
        *ppTab = nullptr;
    return -1;
}

void CKtvPBaseTabWnd::InvalidateTab(int iTab)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr || !pTab->m_bVisible || GetSafeHwnd() == nullptr)
        return;
    InvalidateRect(pTab->m_rect);
    UpdateWindow();
}

// --- colours ----------------------------------------------------------------------------------------

COLORREF CKtvPBaseTabWnd::GetTabBkColor(int iTab)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return (COLORREF)-1;
    if (pTab->m_clrBack != (COLORREF)-1 || !m_bIsAutoColor || m_arAutoColors.GetSize() == 0)
        return pTab->m_clrBack;
    // The automatic colour sticks to its tab until the table changes.
    pTab->m_clrBack = m_arAutoColors[iTab % m_arAutoColors.GetSize()];
    return pTab->m_clrBack;
}

BOOL CKtvPBaseTabWnd::SetTabBkColor(int iTab, COLORREF color)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    pTab->m_clrBack = color;
    return TRUE;
}

BOOL CKtvPBaseTabWnd::SetTabTextColor(int iTab, COLORREF color)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (pTab == nullptr)
        return FALSE;
    pTab->m_clrText = color;
    return TRUE;
}

COLORREF CKtvPBaseTabWnd::GetTabTextColor(int iTab) const
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    return pTab != nullptr ? pTab->m_clrText : (COLORREF)-1;
}

void CKtvPBaseTabWnd::ResetTabColors()
{
    for (int i = 0; i < m_iTabsNum; i++)
        TabAt(i)->m_clrBack = (COLORREF)-1;
}

void CKtvPBaseTabWnd::EnableAutoColor(BOOL bEnable)
{
    if (!bEnable)
        ResetTabColors();
    m_bIsAutoColor = bEnable;
    BuildDefaultAutoColors();
    if (GetSafeHwnd() != nullptr)
        RedrawWindow();
}

void CKtvPBaseTabWnd::SetAutoColors(const CArray<COLORREF, COLORREF>& arColors)
{
    ResetTabColors();
    if (arColors.GetSize() > 0) {
        m_arAutoColors.Copy(arColors);
        m_bIsDefaultAutoColor = FALSE;
    } else {
        m_bIsDefaultAutoColor = TRUE;
        BuildDefaultAutoColors();
    }
    if (GetSafeHwnd() != nullptr)
        RedrawWindow();
}

void CKtvPBaseTabWnd::BuildDefaultAutoColors()
{
    if (!m_bIsDefaultAutoColor)
        return;
    static const COLORREF kFewColors[] = {RGB(0, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255), RGB(192, 192, 192),
                                          RGB(255, 255, 0)};
    static const COLORREF kManyColors[] = {RGB(148, 175, 230), RGB(255, 219, 117), RGB(189, 205, 159),
                                           RGB(240, 158, 159), RGB(186, 166, 225), RGB(154, 191, 180),
                                           RGB(247, 182, 131), RGB(213, 164, 187)};
    m_arAutoColors.RemoveAll();
    if (globalData.m_nBitsPerPixel > 8) {
        for (COLORREF clr : kManyColors)
            m_arAutoColors.Add(clr);
    } else {
        for (COLORREF clr : kFewColors)
            m_arAutoColors.Add(clr);
    }
}

BOOL CKtvPBaseTabWnd::HasColoredTabs()
{
    for (int i = 0; i < m_iTabsNum; i++) {
        if (GetTabBkColor(i) != (COLORREF)-1)
            return TRUE;
    }
    return FALSE;
}

void CKtvPBaseTabWnd::SetActiveTabColor(COLORREF clr)
{
    m_clrActiveTabBk = clr;
    m_brActiveTab.DeleteObject();
    m_brActiveTab.CreateSolidBrush(GetActiveTabColor());
}

COLORREF CKtvPBaseTabWnd::GetActiveTabColor() const
{
    return m_clrActiveTabBk != (COLORREF)-1 ? m_clrActiveTabBk : globalData.clrWindow;
}

COLORREF CKtvPBaseTabWnd::GetActiveTabTextColor() const
{
    return m_clrActiveTabFg != (COLORREF)-1 ? m_clrActiveTabFg : globalData.clrWindowText;
}

void CKtvPBaseTabWnd::SetTabBorderSize(int nTabBorderSize, BOOL bRepaint)
{
    const BOOL bChanged = m_nTabBorderSize != nTabBorderSize;
    m_nTabBorderSize = nTabBorderSize;
    if (bRepaint && bChanged && GetSafeHwnd() != nullptr) {
        RecalcLayout();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

int CKtvPBaseTabWnd::GetTabBorderSize() const { return GetTabsHeight() < 1 ? 0 : m_nTabBorderSize; }

void CKtvPBaseTabWnd::SetDrawNoPrefix(BOOL bNoPrefix, BOOL bRedraw)
{
    m_bDrawNoPrefix = bNoPrefix;
    if (bRedraw && GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKtvPBaseTabWnd::SetLocation(int location)
{
    m_location = location;
    RecalcLayout();
    if (GetParent() != nullptr)
        GetParent()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// --- order ------------------------------------------------------------------------------------------

BOOL CKtvPBaseTabWnd::SetTabsOrder(const CArray<int, int>& arOrder)
{
    if (arOrder.GetSize() != m_iTabsNum)
        return FALSE;
    CObArray arNew;
    int iNewActive = -1;
    for (int j = 0; j < m_iTabsNum; j++) {
        CKtvPTabInfo* pTab = TabAt(arOrder[j]);
        if (pTab == nullptr)
            return FALSE;
        arNew.Add(pTab);
        if (arOrder[j] == m_iActiveTab && iNewActive < 0)
            iNewActive = j;
    }
    m_arTabs.Copy(arNew);
    m_iActiveTab = iNewActive;
    return TRUE;
}

void CKtvPBaseTabWnd::SwapTabs(int nFirstTab, int nSecondTab)
{
    if (TabAt(nFirstTab) == nullptr || TabAt(nSecondTab) == nullptr)
        return;
    CObject* pFirst = m_arTabs[nFirstTab];
    m_arTabs[nFirstTab] = m_arTabs[nSecondTab];
    m_arTabs[nSecondTab] = pFirst;
}

void CKtvPBaseTabWnd::MoveTab(int nSource, int nDest)
{
    CKtvPTabInfo* pTab = TabAt(nSource);
    if (pTab == nullptr || nSource == nDest)
        return;
    CKtvPTabInfo* pActive = TabAt(m_iActiveTab);
    m_arTabs.RemoveAt(nSource);
    if (nDest < 0 || nDest >= m_iTabsNum)
        m_arTabs.Add(pTab);
    else
        m_arTabs.InsertAt(nDest, pTab);
    if (pActive != nullptr) {
        for (int i = 0; i < m_iTabsNum; i++) {
            if (TabAt(i) != pActive || i == m_iActiveTab)
                continue;
            // The index moved with its tab; a forced switch makes the window shown again.
            m_iActiveTab = -1;
            SetActiveTab(i);
            NotifyActiveTabChanged(m_iActiveTab);
            break;
        }
    }
    RecalcLayout();
}

CSize CKtvPBaseTabWnd::GetLargestTabWndSize()
{
    CSize size(0, 0);
    for (int i = 0; i < m_iTabsNum; i++) {
        CWnd* pWnd = TabAt(i)->m_pWnd;
        if (pWnd->GetSafeHwnd() == nullptr)
            continue;
        CSize sizeWnd;
        if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))) {
            sizeWnd = static_cast<CKtvPBaseControlBar*>(pWnd)->CalcFixedLayout(FALSE, TRUE);
        } else {
            CRect rect;
            pWnd->GetWindowRect(rect);
            sizeWnd = rect.Size();
        }
        size.cx = std::max<int>(size.cx, sizeWnd.cx);
        size.cy = std::max<int>(size.cy, sizeWnd.cy);
    }
    return size;
}

void CKtvPBaseTabWnd::NotifyActiveTabChanged(int iTab)
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return;
    pParent->SendMessage(KTVM_ONCHANGE_ACTIVE_TAB, (WPARAM)iTab, (LPARAM)this);
    // An active in-place frame stands in for the top-level frame.
    CWnd* pTop = g_pKtvTopLevelFrameOverride != nullptr ? g_pKtvTopLevelFrameOverride : GetTopLevelFrame();
    if (pTop != nullptr && pTop != pParent)
        pTop->SendMessage(KTVM_ONCHANGE_ACTIVE_TAB, (WPARAM)iTab, (LPARAM)this);
}

// --- in-place rename --------------------------------------------------------------------------------

BOOL CKtvPBaseTabWnd::StartRenameTab(int iTab)
{
    CKtvPTabInfo* pTab = TabAt(iTab);
    if (!IsInPlaceEditEnabled() || pTab == nullptr || pTab->m_rect.IsRectEmpty())
        return FALSE;
    CRect rectEdit = pTab->m_rect;
    AdjustRenameEditRect(rectEdit);
    m_pInPlaceEdit = new CEdit;
    if (!m_pInPlaceEdit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rectEdit, this, 1)) {
        delete m_pInPlaceEdit;
        m_pInPlaceEdit = nullptr;
        return FALSE;
    }
    m_pInPlaceEdit->SetWindowText(pTab->m_strText);
    m_pInPlaceEdit->SetFont(&globalData.fontRegular);
    m_pInPlaceEdit->SetSel(0, -1);
    m_pInPlaceEdit->SetFocus();
    m_iEditedTab = iTab;
    SetCapture();
    return TRUE;
}

BOOL CKtvPBaseTabWnd::CommitTabRename()
{
    if (m_pInPlaceEdit == nullptr || TabAt(m_iEditedTab) == nullptr)
        return FALSE;
    CString strName;
    m_pInPlaceEdit->GetWindowText(strName);
    if (strName.IsEmpty() || !OnRenameTab(m_iEditedTab, strName))
        return FALSE;
    if (GetParent() != nullptr &&
        GetParent()->SendMessage(KTVM_ON_RENAME_TAB, (WPARAM)m_iEditedTab, (LPARAM)(LPCTSTR)strName) != 0)
        return FALSE;
    return SetTabLabel(m_iEditedTab, strName);
}

void CKtvPBaseTabWnd::EndRename()
{
    if (m_pInPlaceEdit != nullptr) {
        m_pInPlaceEdit->DestroyWindow();
        delete m_pInPlaceEdit;
        m_pInPlaceEdit = nullptr;
    }
    m_iEditedTab = -1;
    if (GetCapture() == this)
        ReleaseCapture();
}

BOOL CKtvPBaseTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_pInPlaceEdit == nullptr)
        return CWnd::PreTranslateMessage(pMsg);

    if (pMsg->message == WM_KEYDOWN) {
        if (pMsg->wParam == VK_RETURN) {
            if (!CommitTabRename()) {
                MessageBeep((UINT)-1);
                return TRUE;
            }
            EndRename();
            return TRUE;
        }
        if (pMsg->wParam == VK_ESCAPE) {
            EndRename();
            return TRUE;
        }
        return FALSE;
    }
    if (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) {
        CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
        ::MapWindowPoints(pMsg->hwnd, m_pInPlaceEdit->GetSafeHwnd(), &pt, 1);
        CRect rectEdit;
        m_pInPlaceEdit->GetClientRect(rectEdit);
        if (rectEdit.PtInRect(pt)) {
            m_pInPlaceEdit->SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(pt.x, pt.y));
            return TRUE;
        }
        if (pMsg->message != WM_MOUSEMOVE)
            EndRename();
        return TRUE;
    }
    return FALSE;
}

// --- archive ----------------------------------------------------------------------------------------

void CKtvPBaseTabWnd::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_iTabsNum;
        for (int i = 0; i < m_iTabsNum; i++) {
            CKtvPTabInfo* pTab = TabAt(i);
            ar << pTab->m_strText;
            ar << (int)pTab->m_bVisible;
            ar << (pTab->m_pWnd->GetSafeHwnd() != nullptr ? pTab->m_pWnd->GetDlgCtrlID() : 0);
            ar << (int)pTab->m_bIsDetachable;
            ar << (int)pTab->m_clrText;
            ar << (int)pTab->m_clrBack;
        }
        ar << m_iActiveTab;
        ar << m_location;
        return;
    }
    m_lstRestoredTabInfo.RemoveAll();
    int nCount = 0;
    ar >> nCount;
    for (int i = 0; i < nCount; i++) {
        CKtvPTabState state;
        ar >> state.m_strLabel;
        ar >> state.m_bVisible;
        ar >> state.m_nControlID;
        ar >> state.m_bDetachable;
        ar >> state.m_clrText;
        ar >> state.m_clrBack;
        m_lstRestoredTabInfo.AddTail(state);
    }
    ar >> m_nRestoredActiveTab;
    ar >> m_nRestoredLocation;
}

// A saved tab whose bar is elsewhere now (another tabbed bar, auto-hide, a
// floating frame) is brought back into this window's tabbed bar.
void CKtvPBaseTabWnd::GatherSavedTabBars()
{
    // Only a tabbed docking bar takes bars from elsewhere; other owners keep their tabs.
    CKtvPBaseTabbedBar* pTabbed = TabbedBarOf(GetParent());
    if (pTabbed == nullptr)
        return;
    CWnd* pFrame = pTabbed->GetDockSiteFrameWnd();
    if (pFrame == nullptr)
        pFrame = KtvGetParentFrame(this);
    CKtvPDockManager* pDockManager = pFrame != nullptr ? globalUtils.GetDockManager(pFrame) : nullptr;
    if (pDockManager == nullptr)
        return;
    for (POSITION pos = m_lstRestoredTabInfo.GetHeadPosition(); pos != nullptr;) {
        const CKtvPTabState& state = m_lstRestoredTabInfo.GetNext(pos);
        if (FindTabByCtrlID((UINT)state.m_nControlID) >= 0)
            continue;
        CKtvPBaseControlBar* pFound = pDockManager->FindBarByID((UINT)state.m_nControlID, TRUE);
        if (pFound == nullptr || pFound == pTabbed || !pFound->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar)))
            continue;
        auto* pBar = static_cast<CKtvPDockingControlBar*>(pFound);
        if (CKtvPBaseTabbedBar* pOther = pBar->GetParentTabbedBar()) {
            pBar->SetParent(pTabbed);
            pOther->RemoveControlBar(pBar);
            pBar->ShowCaption(TRUE);
            pBar->ShowWindow(SW_SHOW);
        } else if (pBar->IsAutoHideMode()) {
            pBar->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY);
        } else if (CKtvPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame(TRUE)) {
            pMiniFrame->RemoveControlBar(pBar, FALSE, FALSE);
        }
        // Docked elsewhere (also where auto-hide returned it) it leaves that
        // place, or the layout would hold it twice.
        if (pBar->IsDocked())
            pBar->UndockControlBar(FALSE);
        pBar->SetParent(pTabbed);
        pBar->AttachToTabbedBar(pTabbed, KTVP_DM_SHOW, FALSE);
    }
}

void CKtvPBaseTabWnd::ApplySavedTabState(BOOL bReorder)
{
    GatherSavedTabBars();
    int j = 0;
    BOOL bAnyVisible = FALSE;
    for (POSITION pos = m_lstRestoredTabInfo.GetHeadPosition(); pos != nullptr; j++) {
        const CKtvPTabState& state = m_lstRestoredTabInfo.GetNext(pos);
        CKtvPTabInfo* pTab = nullptr;
        int iTab = FindTabByCtrlID((UINT)state.m_nControlID, &pTab);
        if (iTab < 0)
            continue;
        pTab->m_strText = state.m_strLabel;
        pTab->m_clrText = (COLORREF)state.m_clrText;
        pTab->m_clrBack = (COLORREF)state.m_clrBack;
        pTab->m_bIsDetachable = state.m_bDetachable;
        ShowTab(iTab, state.m_bVisible, FALSE, FALSE);
        bAnyVisible = bAnyVisible || state.m_bVisible;
        if (bReorder && iTab != j && j < m_iTabsNum) {
            SwapTabs(iTab, j);
            if (j == m_nRestoredActiveTab && pTab->m_pWnd->GetSafeHwnd() != nullptr)
                pTab->m_pWnd->ShowWindow(SW_SHOW);
        }
    }
    if (bAnyVisible && !SetActiveTab(m_nRestoredActiveTab))
        SetActiveTab(0);
    // A tabbed bar whose saved tabs are all hidden stays out of sight; one
    // that had no tabs when it was saved (a pane still waiting for its pages)
    // keeps the visibility it was saved with.
    if (!bAnyVisible && !m_lstRestoredTabInfo.IsEmpty()) {
        if (CKtvPBaseTabbedBar* pTabbed = TabbedBarOf(GetParent()))
            pTabbed->ShowControlBar(FALSE, FALSE, FALSE);
    }
    RecalcLayout();
}

// --- mouse ------------------------------------------------------------------------------------------

int CKtvPBaseTabWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (KtvGetParentFrame(this) == nullptr)
        m_bEnableWrapping = FALSE;
    m_DropTarget.Register(this);
    return 0;
}

void CKtvPBaseTabWnd::OnDestroy()
{
    EndRename();
    ReleaseTabs();
    CWnd::OnDestroy();
}

void CKtvPBaseTabWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    const int iOldHot = m_iHighlighted;
    m_iHighlighted = m_iPressed >= 0 ? -1 : GetTabFromPoint(point);
    if (m_bHighLightTabs && m_iHighlighted != iOldHot) {
        if (m_iHighlighted >= 0 && GetCapture() != this)
            SetCapture();
        else if (m_iHighlighted < 0 && m_iPressed < 0 && !m_bReadyToDetach && GetCapture() == this)
            ReleaseCapture();
        InvalidateTab(iOldHot);
        InvalidateTab(m_iHighlighted);
    }
    if (m_bReadyToDetach)
        DragActiveTab(point);
    CWnd::OnMouseMove(nFlags, point);
}

void CKtvPBaseTabWnd::DragActiveTab(CPoint point)
{
    if (!IsPtInTabArea(point)) {
        const int nTabsBefore = m_iTabsNum;
        if (DetachTab(KTVP_DM_MOUSE, m_iActiveTab) && nTabsBefore > 2) {
            m_bReadyToDetach = FALSE;
            if (GetCapture() == this)
                ReleaseCapture();
        }
        return;
    }
    if (m_iTabsNum < 2 || !m_bEnableTabSwap)
        return;
    const int iTab = GetTabFromPoint(point);
    if (iTab < 0 || iTab == m_iActiveTab)
        return;
    SwapTabs(iTab, m_iActiveTab);
    RecalcLayout();
    // The dragged tab now lies under the cursor.
    SetActiveTab(iTab);
    CRect rectTab;
    GetTabRect(m_iActiveTab, rectTab);
    if (!rectTab.PtInRect(point)) {
        CPoint ptCursor(rectTab.left + m_nOffsetFromTabLeft, point.y);
        ClientToScreen(&ptCursor);
        ::SetCursorPos(ptCursor.x, ptCursor.y);
    }
}

void CKtvPBaseTabWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    CWnd::OnLButtonDown(nFlags, point);
    if (m_iHighlighted < 0)
        m_iHighlighted = GetTabFromPoint(point);
    if (m_iHighlighted < 0)
        return;
    const int iUnderCursor = m_iHighlighted;
    if (m_bActivateOnBtnUp) {
        m_iPressed = m_iHighlighted;
    } else {
        if (m_iHighlighted != m_iActiveTab && IsPtInTabArea(point)) {
            const int iOldActive = m_iActiveTab;
            m_iLastActiveTab = iOldActive;
            // Only a real change is reported: a vetoed switch keeps the shown tab.
            if (SetActiveTab(m_iHighlighted) && m_iActiveTab != iOldActive)
                NotifyActiveTabChanged(m_iActiveTab);
        }
        m_iHighlighted = -1;
        if (GetCapture() == this)
            ReleaseCapture();
    }
    if (m_iPressed >= 0 && m_iPressed != m_iActiveTab)
        InvalidateTab(m_iPressed);
    if (GetTabFromPoint(point) == iUnderCursor && iUnderCursor == m_iActiveTab) {
        m_bReadyToDetach = TRUE;
        SetCapture();
        ::GetCursorPos(&m_ptHot);
        m_iTabBeforeDrag = m_iActiveTab;
        CRect rectTab;
        GetTabRect(m_iActiveTab, rectTab);
        m_nOffsetFromTabLeft = point.x - rectTab.left;
    }
}

void CKtvPBaseTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_iTabBeforeDrag >= 0 && m_iTabBeforeDrag != m_iActiveTab && GetParent() != nullptr) {
        CWnd* pParent = GetParent();
        pParent->SendMessage(KTVM_ON_MOVE_TAB, (WPARAM)m_iTabBeforeDrag, (LPARAM)m_iActiveTab);
        if (TabbedBarOf(pParent) != nullptr) {
            CWnd* pFrame = KtvGetParentFrame(pParent);
            if (pFrame != nullptr && pFrame != pParent)
                pFrame->SendMessage(KTVM_ON_MOVE_TAB, (WPARAM)m_iTabBeforeDrag, (LPARAM)m_iActiveTab);
        }
    }
    m_iTabBeforeDrag = -1;
    if (m_bReadyToDetach) {
        m_bReadyToDetach = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
        if (!m_bActivateOnBtnUp)
            m_iHighlighted = m_iPressed = -1;
    }
    if (m_bActivateOnBtnUp && m_iPressed >= 0) {
        const int iPressed = m_iPressed;
        const int iHot = GetTabFromPoint(point);
        m_iPressed = -1;
        if (iHot == iPressed && iHot != m_iActiveTab) {
            const int iOldActive = m_iActiveTab;
            m_iLastActiveTab = iOldActive;
            if (SetActiveTab(iHot) && m_iActiveTab != iOldActive)
                NotifyActiveTabChanged(m_iActiveTab);
        }
        if (!IsSlantedTabs())
            m_iHighlighted = -1;
        if (GetCapture() == this)
            ReleaseCapture();
        InvalidateTab(iPressed);
    }
    if (IsSlantedTabs()) {
        CRect rectTabs;
        GetTabsRect(rectTabs);
        InvalidateRect(rectTabs, FALSE);
        UpdateWindow();
    }
    CWnd::OnLButtonUp(nFlags, point);
}

void CKtvPBaseTabWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (IsInPlaceEditEnabled() && GetTabFromPoint(point) == m_iActiveTab && m_iActiveTab >= 0) {
        StartRenameTab(m_iActiveTab);
    } else if (FindDragTargetWnd(point) == nullptr) {
        DetachTab(2, m_iActiveTab);
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CKtvPBaseTabWnd::OnCancelMode()
{
    CWnd::OnCancelMode();
    if (m_iHighlighted >= 0 || m_iPressed >= 0 || m_bReadyToDetach) {
        const int iOldHot = m_iHighlighted;
        const int iOldPressed = m_iPressed;
        m_iHighlighted = m_iPressed = -1;
        m_bReadyToDetach = FALSE;
        if (GetCapture() == this)
            ReleaseCapture();
        InvalidateTab(iOldHot);
        InvalidateTab(iOldPressed);
    }
    EndRename();
}

void CKtvPBaseTabWnd::OnSysColorChange()
{
    CWnd::OnSysColorChange();
    BuildDefaultAutoColors();
}
