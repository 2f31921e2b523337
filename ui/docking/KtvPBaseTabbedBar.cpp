#include "ui/docking/KtvPBaseTabbedBar.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CFrameWnd.h"
#include "platform/mfc/afxmsg.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/docking/KtvPAutoHideToolBar.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockingCBWrapper.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/docking/KtvPRecentDockInfo.h"

IMPLEMENT_DYNAMIC(CKtvPBaseTabbedBar, CKtvPDockingControlBar)

BEGIN_MESSAGE_MAP(CKtvPBaseTabbedBar, CKtvPDockingControlBar)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_SETFOCUS()
    ON_REGISTERED_MESSAGE(KTVM_ONCHANGE_ACTIVE_TAB, OnChangeActiveTab)
    ON_WM_NCDESTROY()
    ON_REGISTERED_MESSAGE(KTVPMSG_CHECKEMPTYMINIFRAME, OnCheckEmptyState)
END_MESSAGE_MAP()

CKtvPBaseTabbedBar::CKtvPBaseTabbedBar(BOOL bAutoDestroy)
    : m_bAutoDestroy(bAutoDestroy), m_pTabWnd(nullptr), m_bCaptionFromTab(TRUE)
{
    m_dwEnabledAlignment = CBRS_ALIGN_ANY;
}

// The tab window is deleted at WM_NCDESTROY, after its window is gone.
CKtvPBaseTabbedBar::~CKtvPBaseTabbedBar() = default;

BOOL CKtvPBaseTabbedBar::OnEraseBkgnd(CDC*) { return TRUE; }

namespace {

CKtvPDockingControlBar* DockingBarOf(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))
               ? static_cast<CKtvPDockingControlBar*>(pWnd)
               : nullptr;
}

CKtvPBaseControlBar* ControlBarOf(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))
               ? static_cast<CKtvPBaseControlBar*>(pWnd)
               : nullptr;
}

}  // namespace

// --- archive and settings ---------------------------------------------------------------------------------

void CKtvPBaseTabbedBar::Serialize(CArchive& ar)
{
    CKtvPDockingControlBar::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (int)m_bAutoDestroy;
    } else {
        int nAutoDestroy = 0;
        ar >> nAutoDestroy;
        m_bAutoDestroy = nAutoDestroy != 0;
    }
}

BOOL CKtvPBaseTabbedBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    // The first load records the order the application gave the pages, before
    // any saved order replaces it, so that the user can go back to it.
    if (m_arDefaultTabsOrder.GetSize() == 0 && m_pTabWnd != nullptr) {
        for (int i = 0; i < m_pTabWnd->GetTabsNum(); i++) {
            m_arDefaultTabsOrder.Add(m_pTabWnd->GetTabID(i));
        }
    }
    CKtvPDockingControlBar::LoadState(lpszProfileName, nIndex, uiID);
    for (int i = 0; i < GetTabsNum(); i++) {
        if (CKtvPBaseControlBar* pBar = ControlBarOf(m_pTabWnd->GetTabWnd(i))) {
            pBar->LoadState(lpszProfileName, nIndex, uiID);
        }
    }
    return TRUE;
}

// Every tab saves its own state even after one failed; the answer says whether all did.
BOOL CKtvPBaseTabbedBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    BOOL bSaved = CKtvPDockingControlBar::SaveState(lpszProfileName, nIndex, uiID);
    for (int i = 0; i < GetTabsNum(); i++) {
        if (CKtvPBaseControlBar* pBar = ControlBarOf(m_pTabWnd->GetTabWnd(i))) {
            bSaved = pBar->SaveState(lpszProfileName, nIndex, uiID) && bSaved;
        }
    }
    return bSaved;
}

void CKtvPBaseTabbedBar::SerializeTabWindow(CArchive& ar)
{
    if (m_pTabWnd != nullptr) {
        m_pTabWnd->Serialize(ar);
    }
}

void CKtvPBaseTabbedBar::SaveSiblingBarIDs(CArchive& ar)
{
    if (!ar.IsStoring() || m_pTabWnd == nullptr || m_pTabWnd->GetTabsNum() == 0) {
        return;
    }
    ar << (int)m_pTabWnd->GetTabsNum();
    for (int i = 0; i < m_pTabWnd->GetTabsNum(); i++) {
        CWnd* pWnd = m_pTabWnd->GetTabWnd(i);
        ar << (int)(CWnd::GetSafeHwndOf(pWnd) != nullptr ? pWnd->GetDlgCtrlID() : 0);
    }
}

void CKtvPBaseTabbedBar::LoadSiblingBarIDs(CArchive& ar, CList<UINT, UINT>& lstSiblingIDs)
{
    if (ar.IsStoring()) {
        return;
    }
    int nCount = 0;
    ar >> nCount;
    for (int i = 0; i < nCount; i++) {
        int nID = 0;
        ar >> nID;
        lstSiblingIDs.AddTail((UINT)nID);
    }
}

void CKtvPBaseTabbedBar::ApplyRestoredTabInfo()
{
    if (m_pTabWnd != nullptr) {
        m_pTabWnd->ApplySavedTabState(FALSE);
    }
}

// --- queries ----------------------------------------------------------------------------------------------

int CKtvPBaseTabbedBar::GetTabsNum() const { return m_pTabWnd != nullptr ? m_pTabWnd->GetTabsNum() : 0; }

int CKtvPBaseTabbedBar::GetVisibleTabsNum() const
{
    return m_pTabWnd != nullptr ? m_pTabWnd->GetVisibleTabsNum() : 0;
}

BOOL CKtvPBaseTabbedBar::IsHideSingleTab() const { return m_pTabWnd != nullptr && m_pTabWnd->IsHideSingleTab(); }

CWnd* CKtvPBaseTabbedBar::FindBarByID(UINT uBarID)
{
    for (int i = 0; i < GetTabsNum(); i++) {
        CWnd* pWnd = m_pTabWnd->GetTabWnd(i);
        if (CWnd::GetSafeHwndOf(pWnd) != nullptr && (UINT)pWnd->GetDlgCtrlID() == uBarID) {
            return pWnd;
        }
    }
    return nullptr;
}

CWnd* CKtvPBaseTabbedBar::FindBarByTabNumber(int nTabNum, BOOL bGetWrappedBar)
{
    if (nTabNum < 0 || nTabNum >= GetTabsNum()) {
        return nullptr;
    }
    CWnd* pWnd = m_pTabWnd->GetTabWnd(nTabNum);
    if (bGetWrappedBar && pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPDockingCBWrapper))) {
        return static_cast<CKtvPDockingCBWrapper*>(pWnd)->GetWrappedWnd();
    }
    return pWnd;
}

CWnd* CKtvPBaseTabbedBar::GetFirstVisibleTab(int& iTabNum)
{
    iTabNum = -1;
    return m_pTabWnd != nullptr ? m_pTabWnd->GetFirstVisibleTab(iTabNum) : nullptr;
}

HICON CKtvPBaseTabbedBar::GetIcon(BOOL bBigIcon) const
{
    const WPARAM nKind = bBigIcon ? ICON_BIG : ICON_SMALL;
    auto* pThis = const_cast<CKtvPBaseTabbedBar*>(this);
    auto hIcon = (HICON)pThis->SendMessage(WM_GETICON, nKind);
    if (hIcon == nullptr && m_pTabWnd != nullptr) {
        CWnd* pActive = m_pTabWnd->GetActiveWnd();
        if (CWnd::GetSafeHwndOf(pActive) != nullptr) {
            hIcon = (HICON)pActive->SendMessage(WM_GETICON, nKind);
        }
    }
    return hIcon;
}

BOOL CKtvPBaseTabbedBar::CanFloat() const { return CKtvPBaseControlBar::CanFloat(); }

// --- tabs coming and going --------------------------------------------------------------------------------

// A tab leaves the tab window with its caption back, its place as a tab
// recorded, and re-parented to the dock site.
void CKtvPBaseTabbedBar::ReleaseTabToDockSite(CKtvPDockingControlBar* pBar, int iTab)
{
    m_pTabWnd->RemoveTab(iTab, FALSE);
    pBar->ShowCaption(TRUE);
    pBar->StoreRecentTabRelatedInfo();
    CFrameWnd* pDockSite = GetDockSiteFrameWnd();
    if (pDockSite == nullptr) {
        return;
    }
    CWnd* pOldParent = pBar->GetParent();
    pBar->OnBeforeChangeParent(pDockSite, FALSE);
    pBar->SetParent(pDockSite);
    pBar->SetOwner(pDockSite);
    pBar->OnAfterChangeParent(pOldParent);
}

BOOL CKtvPBaseTabbedBar::AddTab(CWnd* pNewBar, BOOL bVisible, BOOL bSetActive, BOOL bDetachable)
{
    if (pNewBar == nullptr || m_pTabWnd == nullptr) {
        return FALSE;
    }
    if (pNewBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
        MoveTabsFrom(static_cast<CKtvPBaseTabbedBar*>(pNewBar));
        return FALSE;
    }
    if (CKtvPBaseControlBar* pBar = ControlBarOf(pNewBar)) {
        CWnd* pOldParent = pBar->GetParent();
        pBar->OnBeforeChangeParent(m_pTabWnd, TRUE);
        pBar->SetParent(m_pTabWnd);
        pBar->OnAfterChangeParent(pOldParent);
        if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
            pBar->ShowCaption(FALSE);
        }
    }
    CString strLabel;
    pNewBar->GetWindowText(strLabel);
    const int nBefore = m_pTabWnd->GetTabsNum();
    m_pTabWnd->AddTab(pNewBar, strLabel, (UINT)-1, bDetachable);
    // The tab window refuses windows it cannot tell apart (control id -1).
    if (m_pTabWnd->GetTabsNum() == nBefore) {
        return FALSE;
    }
    const int iTab = m_pTabWnd->GetTabsNum() - 1;
    m_pTabWnd->SetTabIconHandle(iTab, (HICON)pNewBar->SendMessage(WM_GETICON, ICON_SMALL));
    m_pTabWnd->SetTabDetachable(iTab, bDetachable);
    if (!bVisible) {
        m_pTabWnd->ShowTab(iTab, FALSE, TRUE, FALSE);
    } else if (bSetActive) {
        m_pTabWnd->SetActiveTab(iTab);
    }
    return TRUE;
}

// A tabbed bar dropped onto this one hands over its tabs and then goes away,
// once the call that dropped it has returned.
void CKtvPBaseTabbedBar::MoveTabsFrom(CKtvPBaseTabbedBar* pDropped)
{
    CKtvPBaseTabWnd* pDroppedTabs = pDropped->GetUnderlinedWindow();
    if (pDroppedTabs == nullptr) {
        return;
    }
    const BOOL bFloating = GetParentMiniFrame(TRUE) != nullptr;
    for (int i = 0; i < pDroppedTabs->GetTabsNum(); i++) {
        CWnd* pWnd = pDroppedTabs->GetTabWnd(i);
        if (CKtvPBaseControlBar* pBar = ControlBarOf(pWnd)) {
            pBar->ShowCaption(FALSE);
        }
        const BOOL bVisible = pDroppedTabs->IsTabVisible(i);
        AddTab(pWnd, bVisible, bVisible, pDroppedTabs->IsTabDetachable(i));
        if (CKtvPDockingControlBar* pDocking = DockingBarOf(pWnd)) {
            pDocking->GetRecentDockInfo().CopyPart(bFloating, pDropped->GetRecentDockInfo());
        }
    }
    // The windows live on here now: emptying the dropped bar must not destroy them.
    pDroppedTabs->m_bAutoDestroyWindow = FALSE;
    pDroppedTabs->RemoveAllTabs();
    pDropped->ScheduleDestroy();
}

void CKtvPBaseTabbedBar::LeaveAndDestroyLater()
{
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
    } else {
        UndockControlBar(FALSE);
    }
    ScheduleDestroy();
}

void CKtvPBaseTabbedBar::ScheduleDestroy()
{
    ShowWindow(SW_HIDE);
    PostMessage(KTVPMSG_CHECKEMPTYMINIFRAME);
}

// Posted when the last tab left: the bar goes unless a tab came back meanwhile.
LRESULT CKtvPBaseTabbedBar::OnCheckEmptyState(WPARAM, LPARAM)
{
    if (GetTabsNum() == 0 && CanDetachTabs()) {
        DestroyWindow();
    }
    return 0;
}

BOOL CKtvPBaseTabbedBar::FloatTab(CWnd* pBar, int iTab, int dockMethod, BOOL bHide)
{
    if (pBar == nullptr || m_pTabWnd == nullptr) {
        return FALSE;
    }
    CString strText;
    pBar->GetWindowText(strText);
    if (strText.IsEmpty()) {
        CString strLabel;
        if (m_pTabWnd->GetTabLabel(iTab, strLabel)) {
            pBar->SetWindowText(strLabel);
        }
    }
    m_pTabWnd->RemoveTab(iTab, TRUE);
    if (dockMethod == KTVP_DM_MOUSE) {
        m_pTabWnd->SendMessage(WM_LBUTTONUP);
    }
    CKtvPDockingControlBar* pDocking = DockingBarOf(pBar);
    if (pDocking != nullptr) {
        pDocking->StoreRecentTabRelatedInfo();
    }
    if (dockMethod == KTVP_DM_DBL_CLICK && pDocking != nullptr) {
        CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
        if (pMiniFrame != nullptr && pMiniFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd))) {
            static_cast<CKtvPMultiMiniFrameWnd*>(pMiniFrame)->DockBarToMainFrame(pDocking);
            return TRUE;
        }
        if (GetDefaultSlider() != nullptr) {
            const HWND hRecentFrame = pDocking->GetRecentDockInfo().m_hLastMiniFrame;
            CWnd* pRecent = hRecentFrame != nullptr ? CWnd::FromHandlePermanent(hRecentFrame) : nullptr;
            if (pRecent != nullptr && pRecent->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd)) &&
                static_cast<CKtvPMultiMiniFrameWnd*>(pRecent)->AddRecentControlBar(pDocking)) {
                return TRUE;
            }
        }
    }
    CKtvPBaseControlBar* pControlBar = ControlBarOf(pBar);
    if (pControlBar == nullptr) {
        return FALSE;
    }
    CRect rectFloat(0, 0, 0, 0);
    if (pControlBar->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
        rectFloat = static_cast<CKtvPControlBar*>(pControlBar)->GetRecentDockInfo().m_rectLastFloat;
    }
    pControlBar->FloatControlBar(rectFloat, dockMethod, !bHide);
    return TRUE;
}

BOOL CKtvPBaseTabbedBar::DetachControlBar(CWnd* pBar, BOOL bHide)
{
    if (m_pTabWnd == nullptr || CWnd::GetSafeHwndOf(pBar) == nullptr) {
        return FALSE;
    }
    const int iTab = m_pTabWnd->GetTabFromHwnd(CWnd::GetSafeHwndOf(pBar));
    if (iTab < 0) {
        return FALSE;
    }
    m_pTabWnd->DetachTab(0, iTab, bHide);
    return TRUE;
}

// The bar whose last tab leaves undocks and goes away after this call; the
// answer is TRUE whenever the tab left.
BOOL CKtvPBaseTabbedBar::RemoveControlBar(CWnd* pBar)
{
    if (m_pTabWnd == nullptr || CWnd::GetSafeHwndOf(pBar) == nullptr) {
        return FALSE;
    }
    const int iTab = m_pTabWnd->GetTabFromHwnd(CWnd::GetSafeHwndOf(pBar));
    if (iTab < 0 || iTab >= m_pTabWnd->GetTabsNum()) {
        return FALSE;
    }
    m_pTabWnd->RemoveTab(iTab, TRUE);
    if (m_pTabWnd->GetTabsNum() > 0) {
        return TRUE;
    }
    if (!CanDetachTabs()) {
        m_pTabWnd->ShowWindow(SW_HIDE);
        return TRUE;
    }
    LeaveAndDestroyLater();
    return TRUE;
}

BOOL CKtvPBaseTabbedBar::ShowTab(CWnd* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    if (m_pTabWnd == nullptr || CWnd::GetSafeHwndOf(pBar) == nullptr) {
        return FALSE;
    }
    const int iTab = m_pTabWnd->GetTabFromHwnd(CWnd::GetSafeHwndOf(pBar));
    const BOOL bResult = m_pTabWnd->ShowTab(iTab, bShow, !bDelay, bActivate);
    const BOOL bAnyVisible = m_pTabWnd->GetVisibleTabsNum() > 0;
    if (bAnyVisible && (m_pTabWnd->GetStyle() & WS_VISIBLE) == 0) {
        m_pTabWnd->ShowWindow(SW_SHOW);
    }
    CKtvPDockingControlBar::ShowControlBar(bAnyVisible, bDelay, bActivate);
    return bResult;
}

// --- docking, floating, auto-hide -------------------------------------------------------------------------

// Tabs that stayed after others left: the bar shows again with them, or stays
// hidden when none of them is visible. Answers whether any is visible.
BOOL CKtvPBaseTabbedBar::ShowRemainingTabs()
{
    if (m_pTabWnd->GetVisibleTabsNum() == 0) {
        ShowControlBar(FALSE, TRUE, FALSE);
        return FALSE;
    }
    if (m_pTabWnd->GetActiveTab() < 0) {
        int iFirst = -1;
        m_pTabWnd->GetFirstVisibleTab(iFirst);
        m_pTabWnd->SetActiveTab(iFirst);
    }
    m_pTabWnd->RecalcLayout();
    ShowControlBar(TRUE, TRUE, FALSE);
    return TRUE;
}

BOOL CKtvPBaseTabbedBar::Dock(CKtvPBaseControlBar* pDockBar, LPCRECT lpRect, int dockMethod)
{
    const BOOL bFloating = GetParentMiniFrame(TRUE) != nullptr;
    BOOL bTabsKnowTheirPlace = m_pTabWnd != nullptr;
    if (bFloating && m_pTabWnd != nullptr) {
        for (int i = 0; i < m_pTabWnd->GetTabsNum(); i++) {
            CKtvPDockingControlBar* pBar = DockingBarOf(m_pTabWnd->GetTabWnd(i));
            if (pBar == nullptr || !m_pTabWnd->IsTabDetachable(i)) {
                continue;
            }
            const CKtvPRecentDockInfo& info = pBar->GetRecentDockInfo();
            if (info.GetLayoutNode(TRUE) == nullptr && info.GetTabbedBarNode(TRUE) == nullptr) {
                bTabsKnowTheirPlace = FALSE;
            }
        }
    }
    if (dockMethod != KTVP_DM_DBL_CLICK || !bTabsKnowTheirPlace) {
        return CKtvPDockingControlBar::Dock(pDockBar, lpRect, dockMethod);
    }
    if (m_recentDockInfo.GetLayoutNode(bFloating) != nullptr) {
        return CKtvPDockingControlBar::Dock(pDockBar, lpRect, KTVP_DM_DBL_CLICK);
    }

    ShowControlBar(FALSE, TRUE, FALSE);
    for (int i = m_pTabWnd->GetTabsNum() - 1; i >= 0; i--) {
        CKtvPDockingControlBar* pBar = DockingBarOf(m_pTabWnd->GetTabWnd(i));
        if (pBar == nullptr || !m_pTabWnd->IsTabVisible(i) || !m_pTabWnd->IsTabDetachable(i)) {
            continue;
        }
        m_pTabWnd->RemoveTab(i, FALSE);
        pBar->ShowCaption(TRUE);
        pBar->StoreRecentTabRelatedInfo();
        pBar->DockControlBar(pBar, lpRect, KTVP_DM_DBL_CLICK);
    }
    if (m_pTabWnd->GetTabsNum() == 0) {
        LeaveAndDestroyLater();
        return TRUE;
    }
    if (!ShowRemainingTabs()) {
        return TRUE;
    }
    return CKtvPDockingControlBar::Dock(pDockBar, lpRect, KTVP_DM_DBL_CLICK);
}

BOOL CKtvPBaseTabbedBar::FloatControlBar(CRect rectFloat, int dockMethod, BOOL bShow)
{
    if (!CKtvPControlBar::FloatControlBar(rectFloat, dockMethod, bShow)) {
        return FALSE;
    }
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame != nullptr && m_pTabWnd != nullptr) {
        pMiniFrame->SendMessage(WM_SETICON, ICON_SMALL,
                                (LPARAM)m_pTabWnd->GetTabIconHandle(m_pTabWnd->GetActiveTab()));
    }
    return TRUE;
}

void CKtvPBaseTabbedBar::RecalcLayout()
{
    CKtvPDockingControlBar::RecalcLayout();
    if (CWnd::GetSafeHwndOf(m_pTabWnd) != nullptr) {
        m_pTabWnd->RecalcLayout();
    }
}

void CKtvPBaseTabbedBar::StoreRecentDockInfo()
{
    for (int i = 0; i < GetTabsNum(); i++) {
        if (CKtvPDockingControlBar* pBar = DockingBarOf(m_pTabWnd->GetTabWnd(i))) {
            pBar->StoreRecentTabRelatedInfo();
        }
    }
    CKtvPDockingControlBar::StoreRecentDockInfo();
}

// Every visible detachable tab becomes an auto-hidden bar of its own; their
// buttons form one group on the strip. Tabs that cannot leave keep the bar,
// which then hides with them.
CKtvPAutoHideToolBar* CKtvPBaseTabbedBar::SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                                          CKtvPAutoHideToolBar* pCurrAutoHideBar, BOOL bUseTimer)
{
    if (!bMode || m_pTabWnd == nullptr) {
        return CKtvPDockingControlBar::SetAutoHideMode(bMode, dwAlignment, pCurrAutoHideBar, bUseTimer);
    }
    const int iActive = m_pTabWnd->GetActiveTab();
    ShowControlBar(FALSE, TRUE, FALSE);

    CList<CKtvPDockingControlBar*, CKtvPDockingControlBar*> lstLeaving;
    CKtvPDockingControlBar* pActiveBar = nullptr;
    for (int i = m_pTabWnd->GetTabsNum() - 1; i >= 0; i--) {
        CKtvPDockingControlBar* pBar = DockingBarOf(m_pTabWnd->GetTabWnd(i));
        if (pBar == nullptr || !m_pTabWnd->IsTabVisible(i) || !m_pTabWnd->IsTabDetachable(i)) {
            continue;
        }
        ReleaseTabToDockSite(pBar, i);
        lstLeaving.AddHead(pBar);
        if (i == iActive) {
            pActiveBar = pBar;
        }
    }

    CKtvPAutoHideToolBar* pLastToolBar = nullptr;
    BOOL bAnyActive = FALSE;
    for (POSITION pos = lstLeaving.GetHeadPosition(); pos != nullptr;) {
        const BOOL bFirst = pos == lstLeaving.GetHeadPosition();
        CKtvPDockingControlBar* pBar = lstLeaving.GetNext(pos);
        CKtvPAutoHideToolBar* pToolBar =
            pBar->SetAutoHideMode(TRUE, dwAlignment, nullptr, pBar == pActiveBar ? bUseTimer : FALSE);
        if (pToolBar == nullptr) {
            continue;
        }
        pToolBar->m_bFirstInGroup = bFirst;
        pToolBar->m_bLastInGroup = pos == nullptr;
        pToolBar->m_bActiveInGroup = pBar == pActiveBar;
        bAnyActive = bAnyActive || pBar == pActiveBar;
        pLastToolBar = pToolBar;
    }
    if (pLastToolBar != nullptr) {
        if (!bAnyActive) {
            pLastToolBar->m_bActiveInGroup = TRUE;
        }
        if (CKtvPDockBar* pStrip = pLastToolBar->GetParentDockBar()) {
            pStrip->AdjustRowsToRect(CRect(0, 0, 0, 0));
        }
    }

    CKtvPAutoHideToolBar* pResult = pCurrAutoHideBar;
    if (m_pTabWnd->GetTabsNum() > 0 && ShowRemainingTabs()) {
        pResult = CKtvPDockingControlBar::SetAutoHideMode(bMode, dwAlignment, pCurrAutoHideBar, bUseTimer);
    }
    if (pResult != nullptr) {
        pResult->UpdateVisibleState();
    }
    return pResult;
}

// --- messages ---------------------------------------------------------------------------------------------

void CKtvPBaseTabbedBar::OnSize(UINT nType, int cx, int cy)
{
    CKtvPDockingControlBar::OnSize(nType, cx, cy);
    if (CWnd::GetSafeHwndOf(m_pTabWnd) != nullptr) {
        m_pTabWnd->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    }
}

void CKtvPBaseTabbedBar::OnSetFocus(CWnd* pOldWnd)
{
    CKtvPDockingControlBar::OnSetFocus(pOldWnd);
    if (CWnd::GetSafeHwndOf(m_pTabWnd) != nullptr) {
        m_pTabWnd->SetFocus();
    }
}

LRESULT CKtvPBaseTabbedBar::OnChangeActiveTab(WPARAM wParam, LPARAM)
{
    CString strLabel;
    if (m_pTabWnd != nullptr && m_pTabWnd->GetTabLabel((int)wParam, strLabel) && m_bCaptionFromTab) {
        SetWindowText(strLabel);
    }
    OnActiveTabChanged((int)wParam);
    return 0;
}

void CKtvPBaseTabbedBar::OnNcDestroy()
{
    delete m_pTabWnd;
    m_pTabWnd = nullptr;
    CKtvPDockingControlBar::OnNcDestroy();
    if (m_bAutoDestroy) {
        delete this;
    }
}
