#include "ui/docking/KtvPControlBar.h"

#include <cstdlib>

#include "platform/mfc/afxmsg.h"
#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CGdiObject.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/commandbars/KtvPTabbedToolbar.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/controls/KtvPTabWnd.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPDockingCBWrapper.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvRegPath.h"

namespace {

CString ControlBarKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strBase = KtvGetRegPath(CKtvPControlBar::m_szSection, lpszProfileName);
    CString strKey;
    if (uiID == (UINT)-1) {
        strKey.Format("%sKtvPControlBar-%d", (LPCTSTR)strBase, nIndex);
    } else {
        strKey.Format("%sKtvPControlBar-%d%x", (LPCTSTR)strBase, nIndex, uiID);
    }
    return strKey;
}

}  // namespace

IMPLEMENT_DYNCREATE(CKtvPControlBar, CKtvPBaseControlBar)

const TCHAR CKtvPControlBar::m_szSection[] = "KtvControlBars";
BOOL CKtvPControlBar::m_bBarsInDialog = FALSE;

BEGIN_MESSAGE_MAP(CKtvPControlBar, CKtvPBaseControlBar)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_CANCELMODE()
    ON_WM_CHAR()
    ON_WM_CONTEXTMENU()
    ON_WM_DESTROY()
    ON_WM_NCDESTROY()
    ON_WM_WINDOWPOSCHANGING()
END_MESSAGE_MAP()

CKtvPControlBar::CKtvPControlBar()
    : m_bFirstInGroup(TRUE),
      m_bLastInGroup(TRUE),
      m_bActiveInGroup(TRUE),
      m_nCount(0),
      m_pData(nullptr),
      m_cxLeftBorder(6),
      m_cxRightBorder(6),
      m_cyTopBorder(2),
      m_cyBottomBorder(2),
      m_cxDefaultGap(2),
      m_nMRUWidth(32767),
      m_bCaptured(0),
      m_nID(0),
      m_ptClientHotSpot(0, 0),
      m_bDblClick(0),
      m_bDragMode(FALSE),
      m_pMiniFrameRTC(RUNTIME_CLASS(CKtvPMiniFrameWnd)),
      m_hwndMiniFrameToDelete(nullptr),
      m_bExclusiveRow(FALSE),
      m_nPinState(0),
      m_sizeMin(1, 1),
      m_recentDockInfo(this),
      m_bRecentFloatingState(FALSE),
      m_bClickHandedToMiniFrame(FALSE)
{
}

// Ends a drag in progress without effect: capture released, mode left, an
// emptied mini frame destroyed.
void CKtvPControlBar::EndDrag()
{
    if (m_bCaptured) {
        ReleaseCapture();
        m_bCaptured = FALSE;
    }
    SetDragMode(FALSE);
    DestroyPendingMiniFrame();
}

void CKtvPControlBar::DestroyPendingMiniFrame()
{
    if (m_hwndMiniFrameToDelete != nullptr && ::IsWindow(m_hwndMiniFrameToDelete)) {
        ::DestroyWindow(m_hwndMiniFrameToDelete);
    }
    m_hwndMiniFrameToDelete = nullptr;
}

// The element array of AllocElements (calloc) is the bar's own.
CKtvPControlBar::~CKtvPControlBar()
{
    std::free(m_pData);
}

void CKtvPControlBar::DoPaint(CDC* pDC) { CKtvPBaseControlBar::DoPaint(pDC); }

BOOL CKtvPControlBar::Create(LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                             DWORD dwControlBarStyle, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, dwStyle, rect, pParentWnd, nID, dwControlBarStyle, pContext);
}

BOOL CKtvPControlBar::IsTabbed() const
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr) {
        return FALSE;
    }
    CWnd* pGrandParent = pParent->GetParent();
    if (pParent->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabWnd))) {
        return pGrandParent != nullptr && (pGrandParent->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar)) ||
                                           pGrandParent->IsKindOf(RUNTIME_CLASS(CKtvPTabbedToolbar)));
    }
    return pParent->IsKindOf(RUNTIME_CLASS(CKtvPDockingCBWrapper)) && pGrandParent != nullptr &&
           pGrandParent->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabWnd));
}
BOOL CKtvPControlBar::CanBeDocked(CKtvPBaseControlBar* pDockBar) const
{
    return pDockBar != nullptr && (pDockBar->GetCurrentAlignment() & GetEnabledAlignment()) != 0;
}
BOOL CKtvPControlBar::DockControlBar(CKtvPBaseControlBar* pDockBar, LPCRECT lpRect, int dockMethod)
{
    if (!OnBeforeDock(&pDockBar, lpRect, dockMethod) || !Dock(pDockBar, lpRect, dockMethod)) {
        return FALSE;
    }
    OnAfterDock(pDockBar, lpRect, dockMethod);
    return TRUE;
}

BOOL CKtvPControlBar::FloatControlBar(CRect rectFloat, int dockMethod, BOOL bShow)
{
    if ((!IsDocked() && !IsTabbed()) || !CanFloat() || !OnBeforeFloat(rectFloat, dockMethod)) {
        return TRUE;
    }
    CFrameWnd* pDockSite = GetDockSiteFrameWnd();
    CRect rectDocked;
    GetWindowRect(rectDocked);
    if (pDockSite != nullptr) {
        pDockSite->ScreenToClient(rectDocked);
    }
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CPoint ptHotSpot = m_ptClientHotSpot;
    ClientToScreen(&ptHotSpot);

    const CRect rectMargins(16, 16, 16, 16);
    globalUtils.AdjustRectToWorkArea(rectFloat, &rectMargins);

    CKtvPMiniFrameWnd* pMiniFrame = CreateDefaultMiniframe(rectFloat);
    if (pMiniFrame == nullptr) {
        return FALSE;
    }
    if (dockMethod != KTVP_DM_MOUSE && globalUtils.GetDockManager(pDockSite) != nullptr && !g_bKtvRestoringDockState) {
        StoreRecentDockInfo();
    }
    pMiniFrame->SetRecentFloatingRect(m_recentDockInfo.m_rectLastFloat);
    OnBeforeChangeParent(pMiniFrame, FALSE);

    CWnd* pOldParent = GetParent();
    if (dockMethod == KTVP_DM_MOUSE) {
        SendMessage(WM_LBUTTONUP, 0xFFFF, 0);
        if (IsTabbed()) {
            if (CKtvPMiniFrameWnd* pOldMiniFrame = GetParentMiniFrame(TRUE)) {
                pOldMiniFrame->SendMessage(WM_LBUTTONUP, 0, 0);
            }
        }
    }
    CKtvPDockBar* pOldDockBar = m_pParentDockBar;
    SetParent(pMiniFrame);
    OnAfterChangeParent(pOldDockBar != nullptr ? static_cast<CWnd*>(pOldDockBar) : pOldParent);
    m_pParentDockBar = nullptr;
    pMiniFrame->AddControlBar(this);
    pMiniFrame->CheckBarCaptions();
    CWnd::SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);

    if (dockMethod == KTVP_DM_MOUSE && GetDockingMode() == KTVP_DT_IMMEDIATE) {
        pMiniFrame->EnterDragMode();
    }
    OnAfterFloat();
    SetBarStyle(GetBarStyle() | CBRS_FLOATING);
    RecalcLayout();
    if (bShow) {
        pMiniFrame->AdjustLayout();
    }
    if (dockMethod == KTVP_DM_MOUSE) {
        CRect rectFrame;
        pMiniFrame->GetWindowRect(rectFrame);
        CPoint ptHot = ptHotSpot;
        if (!rectFrame.PtInRect(ptHot)) {
            ptHot.x = rectFrame.left + rectFrame.Width() / 2;
            ptHot.y = rectFrame.top + pMiniFrame->GetCaptionHeight() / 2;
        }
        pMiniFrame->CWnd::SetWindowPos(nullptr, rectFrame.left + ptCursor.x - ptHot.x,
                                       rectFrame.top + ptCursor.y - ptHot.y, 0, 0,
                                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pMiniFrame->GetDragFrameImpl().m_ptLastCursor = ptCursor;
    }
    if (bShow) {
        pMiniFrame->ShowWindow(SW_SHOWNA);
        if (pDockSite != nullptr) {
            pDockSite->RedrawWindow(rectDocked, nullptr,
                                    RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN |
                                        RDW_UPDATENOW | RDW_FRAME);
        }
        if (CanFocus()) {
            pMiniFrame->SetFocus();
        }
    }
    return TRUE;
}
void CKtvPControlBar::RecalcLayout()
{
    if (m_pDockBarRow != nullptr) {
        UpdateVirtualRect();
        return;
    }
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame != nullptr) {
        CWnd* pParent = pMiniFrame->GetParent();
        if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CKtvPTabWnd))) {
            pMiniFrame->AdjustLayout();
        }
    }
}
CKtvPMiniFrameWnd* CKtvPControlBar::CreateDefaultMiniframe(CRect rectInitial)
{
    auto* pMiniFrame = static_cast<CKtvPMiniFrameWnd*>(m_pMiniFrameRTC->CreateObject());
    if (pMiniFrame == nullptr) {
        return nullptr;
    }
    if (!pMiniFrame->Create(nullptr, WS_POPUP, rectInitial, KtvGetParentFrame(this), nullptr)) {
        delete pMiniFrame;
        return nullptr;
    }
    return pMiniFrame;
}

void CKtvPControlBar::OnBeforeChangeParent(CWnd*, BOOL)
{
    if (m_pParentDockBar != nullptr) {
        m_pParentDockBar->RemoveControlBar(this);
    }
}
void CKtvPControlBar::OnAfterChangeParent(CWnd*)
{
    UpdateVirtualRect();
    CWnd* pParent = GetParent();
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CKtvPDockBar))) {
        m_pParentDockBar = nullptr;
        m_pDockBarRow = nullptr;
    }
}
BOOL CKtvPControlBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    if (nIndex == -1) {
        nIndex = GetDlgCtrlID();
    }
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(ControlBarKey(lpszProfileName, nIndex, uiID))) {
        return FALSE;
    }
    int nID = (int)m_nID;
    reg.Read("ID", nID);
    m_nID = (UINT)nID;
    reg.Read("RectRecentFloat", m_recentDockInfo.m_rectLastFloat);
    CRect rectDocked = m_recentDockInfo.m_dockedLayout.m_rectBar;
    reg.Read("RectRecentDocked", rectDocked);
    // A stored rectangle may be turned inside out; the bars lay out with normal ones.
    m_recentDockInfo.m_rectLastFloat.NormalizeRect();
    rectDocked.NormalizeRect();
    m_recentDockInfo.m_dockedLayout.m_rectBar = rectDocked;
    reg.Read("RecentFrameAlignment", m_recentDockInfo.m_dwLastAlignment);
    reg.Read("RecentRowIndex", m_recentDockInfo.m_nLastRowIndex);
    int nFloating = m_bRecentFloatingState;
    reg.Read("IsFloating", nFloating);
    m_bRecentFloatingState = nFloating;
    reg.Read("MRUWidth", m_nMRUWidth);
    reg.Read("PinState", m_nPinState);
    return CKtvPBaseControlBar::LoadState(lpszProfileName, nIndex, uiID);
}
BOOL CKtvPControlBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    if (nIndex == -1) {
        nIndex = GetDlgCtrlID();
    }
    {
        CKtvPRegistryFactory factory;
        CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
        if (!reg.CreateKey(ControlBarKey(lpszProfileName, nIndex, uiID))) {
            return FALSE;
        }
        if (IsFloating()) {
            if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
                pMiniFrame->GetWindowRect(m_recentDockInfo.m_rectLastFloat);
            }
        } else {
            UpdateRecentDockedRect();
            if (m_pParentDockBar != nullptr) {
                m_recentDockInfo.m_dwLastAlignment = m_pParentDockBar->GetCurrentAlignment();
                m_recentDockInfo.m_nLastRowIndex = m_pParentDockBar->FindRowIndex(m_pDockBarRow);
            }
        }
        BOOL bOk = reg.Write("ID", (int)m_nID);
        bOk = reg.Write("RectRecentFloat", m_recentDockInfo.m_rectLastFloat) && bOk;
        bOk = reg.Write("RectRecentDocked", m_recentDockInfo.m_dockedLayout.m_rectBar) && bOk;
        bOk = reg.Write("RecentFrameAlignment", m_recentDockInfo.m_dwLastAlignment) && bOk;
        bOk = reg.Write("RecentRowIndex", m_recentDockInfo.m_nLastRowIndex) && bOk;
        bOk = reg.Write("IsFloating", (int)IsFloating()) && bOk;
        bOk = reg.Write("MRUWidth", m_nMRUWidth) && bOk;
        bOk = reg.Write("PinState", m_nPinState) && bOk;
        if (!bOk) {
            return FALSE;
        }
    }
    return CKtvPBaseControlBar::SaveState(lpszProfileName, nIndex, uiID);
}
void CKtvPControlBar::UndockControlBar(BOOL bDelay)
{
    if (m_pParentDockBar != nullptr) {
        m_pParentDockBar->RemoveControlBar(this);
    }
    if (!bDelay) {
        AdjustDockingLayout(nullptr);
    }
}
int CKtvPControlBar::GetAvailableExpandSize() const
{
    CRect rect;
    GetWindowRect(rect);
    const int nLength = IsHorizontal() ? rect.Width() : rect.Height();
    const int nVirtual = IsHorizontal() ? m_rectVirtual.Width() : m_rectVirtual.Height();
    return nLength >= nVirtual ? 0 : nVirtual - nLength;
}
int CKtvPControlBar::GetAvailableStretchSize() const
{
    CRect rect;
    GetWindowRect(rect);
    CSize sizeMin;
    GetMinSize(sizeMin);
    return IsHorizontal() ? rect.Width() - sizeMin.cx : rect.Height() - sizeMin.cy;
}
void CKtvPControlBar::AttachToDockBar(CWnd* pDockBar, int dockMethod)
{
    if (pDockBar == nullptr || !pDockBar->IsKindOf(RUNTIME_CLASS(CKtvPDockBar))) {
        return;
    }
    auto* pNewDockBar = static_cast<CKtvPDockBar*>(pDockBar);
    const DWORD dwOldStyle = GetBarStyle();
    ChangeParent(pNewDockBar, dockMethod);
    m_pParentDockBar = pNewDockBar;
    SetBarStyle((dwOldStyle & ~(CBRS_FLOATING | 0xFF00)) | (dwOldStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY);
    SetBarAlignment(pNewDockBar->GetCurrentAlignment());
}
BOOL CKtvPControlBar::DockByMouse(CKtvPBaseControlBar* pDockBar)
{
    if (!OnBeforeDock(&pDockBar, nullptr, KTVP_DM_MOUSE) || !Dock(pDockBar, nullptr, KTVP_DM_MOUSE)) {
        return FALSE;
    }
    OnAfterDock(pDockBar, nullptr, KTVP_DM_MOUSE);
    return TRUE;
}
CSize CKtvPControlBar::ResizeToRect(CRect rect, BOOL bForce)
{
    CRect rectCurrent;
    GetWindowRect(rectCurrent);
    if (!bForce) {
        CSize sizeMin;
        GetMinSize(sizeMin);
        if (rect.Width() < sizeMin.cx) {
            if (rect.left != rectCurrent.left && rect.right == rectCurrent.right) {
                rect.left = rectCurrent.right - sizeMin.cx;
            } else {
                rect.right = rectCurrent.left + sizeMin.cx;
            }
        }
        if (rect.Height() < sizeMin.cy) {
            if (rect.top != rectCurrent.top && rect.bottom == rectCurrent.bottom) {
                rect.top = rectCurrent.bottom - sizeMin.cy;
            } else {
                rect.bottom = rectCurrent.top + sizeMin.cy;
            }
        }
    }
    // The change applied, after any raise to the minimum.
    const CSize sizeDelta(rect.Width() - rectCurrent.Width(), rect.Height() - rectCurrent.Height());
    if (CWnd* pParent = GetParent()) {
        pParent->ScreenToClient(rect);
    }
    CKtvPBaseControlBar::MoveControlBar(rect, TRUE, nullptr);
    return sizeDelta;
}
int CKtvPControlBar::StretchBar(int nDelta, HDWP)
{
    if (nDelta > 0) {
        const int nAvailable = GetAvailableExpandSize();
        if (nAvailable == 0) {
            return 0;
        }
        nDelta = std::min(nDelta, nAvailable);
    } else if (nDelta < 0) {
        nDelta = -std::min(-nDelta, std::max(0, GetAvailableStretchSize()));
    }
    if (nDelta == 0) {
        return 0;
    }
    CRect rect;
    GetWindowRect(rect);
    if (IsHorizontal()) {
        rect.right += nDelta;
    } else {
        rect.bottom += nDelta;
    }
    AdjustStretchRect(rect);
    if (CWnd* pParent = GetParent()) {
        pParent->ScreenToClient(rect);
    }
    CKtvPBaseControlBar::MoveControlBar(rect, TRUE, nullptr);
    OnAfterStretch(nDelta);
    return nDelta;
}
CKtvPBaseControlBar* CKtvPControlBar::DockAtCursor(BOOL& bDocked)
{
    bDocked = FALSE;
    return this;
}
BOOL CKtvPControlBar::GetDockTargetAtCursor(int nSensitivity, CWnd*& pTarget)
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    pTarget = ControlBarFromPointInDockSite(ptCursor, nSensitivity, FALSE, RUNTIME_CLASS(CKtvPDockBar));

    if (m_pParentDockBar != nullptr) {
        CRect rectVirtual;
        GetVirtualRect(rectVirtual);
        CRect rectDockBar;
        m_pParentDockBar->GetWindowRect(rectDockBar);
        CRect rectCommon;
        if (!rectCommon.IntersectRect(rectVirtual, rectDockBar)) {
            return TRUE;
        }
        const BOOL bOut = m_pParentDockBar->IsHorizontal()
                              ? (rectDockBar.left - rectVirtual.left > 2 * nSensitivity ||
                                 rectVirtual.right - rectDockBar.right > 2 * nSensitivity)
                              : (rectDockBar.top - rectVirtual.top > 2 * nSensitivity ||
                                 rectVirtual.bottom - rectDockBar.bottom > 2 * nSensitivity);
        if (!bOut) {
            return FALSE;
        }
        return !rectDockBar.PtInRect(ptCursor);
    }

    if (pTarget == nullptr || !CanBeDocked(static_cast<CKtvPBaseControlBar*>(pTarget))) {
        return FALSE;
    }
    CRect rectTarget;
    pTarget->GetWindowRect(rectTarget);
    if (rectTarget.PtInRect(ptCursor)) {
        return TRUE;
    }
    CRect rectWindow;
    GetWindowRect(rectWindow);
    double dShare = 0.0;
    int nDistance = 0;
    if (ptCursor.x < rectTarget.left) {
        nDistance = rectTarget.left - ptCursor.x;
        dShare = rectWindow.Width() > 0 ? (rectWindow.right - ptCursor.x) * 100.0 / rectWindow.Width() : 0.0;
    } else if (ptCursor.x > rectTarget.right) {
        nDistance = ptCursor.x - rectTarget.right;
        dShare = rectWindow.Width() > 0 ? (ptCursor.x - rectWindow.left) * 100.0 / rectWindow.Width() : 0.0;
    } else if (ptCursor.y < rectTarget.top) {
        nDistance = rectTarget.top - ptCursor.y;
        dShare = rectWindow.Height() > 0 ? (rectWindow.bottom - ptCursor.y) * 100.0 / rectWindow.Height() : 0.0;
    } else {
        nDistance = ptCursor.y - rectTarget.bottom;
        dShare = rectWindow.Height() > 0 ? (ptCursor.y - rectWindow.top) * 100.0 / rectWindow.Height() : 0.0;
    }
    const double dSensitivity = nSensitivity * dShare * 0.01;
    return dSensitivity >= nDistance;
}
void CKtvPControlBar::RestoreRecentDockPos(CKtvPDockManager* pDockManager)
{
    if (m_bRecentFloatingState) {
        ShowControlBar(GetRecentVisibleState(), TRUE, FALSE);
        return;
    }
    if (pDockManager == nullptr) {
        return;
    }
    if (CKtvPDockBar* pDockBar = pDockManager->FindDockBar(m_recentDockInfo.m_dwLastAlignment, TRUE)) {
        CRect rectDocked = m_recentDockInfo.m_dockedLayout.m_rectBar;
        pDockBar->ClientToScreen(rectDocked);
        pDockManager->DockControlBar(this, pDockBar->GetDockBarID(), rectDocked);
    }
    if (m_pParentDockBar != nullptr) {
        m_pParentDockBar->ShowBarInRow(this, GetRecentVisibleState(), TRUE);
        if (m_pDockBarRow != nullptr) {
            m_pDockBarRow->ArrangeAfterChange(this);
        }
    }
}

void CKtvPControlBar::OnProcessDblClk()
{
    m_bDblClick = TRUE;
    StoreRecentDockInfo();
    EndDrag();
}
void CKtvPControlBar::OnAfterFloat()
{
    SetBarAlignment(CBRS_ALIGN_TOP);
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->SetPinned(m_nPinState);
    }
}
BOOL CKtvPControlBar::CreateEx(DWORD dwStyleEx, LPCTSTR lpszClassName, DWORD dwStyle, const RECT& rect,
                               CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle, CCreateContext* pContext)
{
    const CString strClass = lpszClassName != nullptr ? CString(lpszClassName) : KtvRegisterBarWndClass("KtvControlBar");
    m_nID = nID;
    if (!CKtvPBaseControlBar::CreateEx(dwStyleEx, strClass, nullptr, dwStyle | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                       rect, pParentWnd, nID, dwControlBarStyle, pContext)) {
        return FALSE;
    }
    CRect rectScreen(rect);
    if (pParentWnd != nullptr) {
        pParentWnd->ClientToScreen(rectScreen);
    }
    if (m_recentDockInfo.m_dockedLayout.m_rectBar.IsRectEmpty()) {
        m_recentDockInfo.m_dockedLayout.m_rectBar = rectScreen;
    }
    if (m_recentDockInfo.m_floatingLayout.m_rectBar.IsRectEmpty()) {
        m_recentDockInfo.m_floatingLayout.m_rectBar = rectScreen;
    }
    if (!rectScreen.IsRectEmpty()) {
        m_recentDockInfo.m_rectLastFloat = rectScreen;
    }
    SetOwner(pParentWnd);
    UpdateVirtualRect();
    if ((CanFloat() & GetControlBarStyle()) != 0) {
        m_dragFrame.Attach(this);
    }
    return TRUE;
}

CSize CKtvPControlBar::GetSizeDeltaForRect(CRect rect) const
{
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CSize sizeMin;
    GetMinSize(sizeMin);
    return CSize(std::max((int)rect.Width(), (int)sizeMin.cx) - rectWindow.Width(),
                 std::max((int)rect.Height(), (int)sizeMin.cy) - rectWindow.Height());
}
void CKtvPControlBar::AdjustSizeImmediate(BOOL bRecalcLayout)
{
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPReBar))) {
        return;
    }
    const CSize size = CalcFixedLayout(FALSE, IsHorizontal());
    CRect rect;
    GetWindowRect(rect);
    if (rect.Size() != size) {
        CWnd::SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_pParentDockBar == nullptr) {
        return;
    }
    UpdateVirtualRect();
    if (bRecalcLayout) {
        if (m_pDockBarRow != nullptr) {
            m_pDockBarRow->ArrangeAfterChange(this);
        }
        if (CWnd* pFrame = KtvGetParentFrame(this)) {
            static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
        }
    }
}
void CKtvPControlBar::ResumeDragMode() { EnterDragMode(FALSE); }
BOOL CKtvPControlBar::OnBeforeDock(CKtvPBaseControlBar**, LPCRECT, int)
{
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        m_nPinState = pMiniFrame->IsPinned();
    }
    return TRUE;
}

void CKtvPControlBar::ChangeParent(CWnd* pNewParent, int dockMethod)
{
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    CWnd* pOldParent = GetParent();
    OnBeforeChangeParent(pNewParent, FALSE);
    if (pMiniFrame != nullptr) {
        const BOOL bDeferDestroy = dockMethod == KTVP_DM_MOUSE && m_hwndMiniFrameToDelete == nullptr;
        pMiniFrame->RemoveControlBar(this, FALSE, bDeferDestroy);
        if (bDeferDestroy) {
            m_hwndMiniFrameToDelete = pMiniFrame->GetSafeHwnd();
        }
        pMiniFrame->SendMessage(WM_LBUTTONUP, 0, 0);
    }
    SetParent(pNewParent);
    OnAfterChangeParent(pOldParent);
}
BOOL CKtvPControlBar::Dock(CKtvPBaseControlBar* pDockBar, LPCRECT lpRect, int dockMethod)
{
    if (dockMethod == KTVP_DM_DBL_CLICK) {
        pDockBar = m_recentDockInfo.m_pLastDockBar;
        if (pDockBar == nullptr) {
            if (CKtvPDockManager* pDockManager = globalUtils.GetDockManager(GetDockSiteFrameWnd())) {
                pDockManager->DockControlBar(this, 0, nullptr);
            }
            return TRUE;
        }
    }
    if (pDockBar == nullptr || !CanBeDocked(pDockBar) || !pDockBar->CanAcceptBar(this)) {
        return FALSE;
    }
    CRect rectWindow;
    GetWindowRect(rectWindow);
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    const BOOL bResumeDrag = pMiniFrame == nullptr || pMiniFrame->IsCaptured();

    AttachToDockBar(pDockBar, dockMethod);
    auto* pTargetDockBar = static_cast<CKtvPDockBar*>(pDockBar);
    if (dockMethod == KTVP_DM_MOUSE) {
        pTargetDockBar->DockControlBar(this, dockMethod, rectWindow);
        if (bResumeDrag) {
            ResumeDragMode();
        }
    } else {
        pTargetDockBar->DockControlBar(this, dockMethod, lpRect);
    }
    return TRUE;
}
void CKtvPControlBar::EnterDragMode(BOOL bChangeHotPoint)
{
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    UpdateVirtualRect();
    if (bChangeHotPoint) {
        m_ptClientHotSpot = ptCursor;
        ScreenToClient(&m_ptClientHotSpot);
    }
    if (!m_bCaptured && IsDocked()) {
        SetCapture();
        m_dragFrame.m_ptLastCursor = ptCursor;
        m_bCaptured = TRUE;
        SetDragMode(TRUE);
        GetWindowRect(m_rectDragStart);
    }
}
void CKtvPControlBar::StoreRecentDockInfo()
{
    m_recentDockInfo.m_pLastDockBar = m_pParentDockBar;
    m_recentDockInfo.m_pLastRow = m_pDockBarRow;
    if (m_pParentDockBar != nullptr) {
        m_recentDockInfo.m_nLastRowIndex = m_pParentDockBar->FindRowIndex(m_pDockBarRow);
    }
    UpdateRecentDockedRect();
}
BOOL CKtvPControlBar::AllocElements(int nElements, int cbElement)
{
    void* pData = nullptr;
    if (nElements > 0 && cbElement > 0) {
        pData = std::calloc((size_t)nElements, (size_t)cbElement);
        if (pData == nullptr) {
            return FALSE;
        }
    }
    std::free(m_pData);
    m_pData = pData;
    m_nCount = nElements > 0 ? nElements : 0;
    return TRUE;
}
void CKtvPControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
    const DWORD dwStyle = GetBarStyle();
    if (!IsFloating() && !IsTabbed()) {
        if (dwStyle & CBRS_BORDER_LEFT) {
            rect.left += 1;
        }
        if (dwStyle & CBRS_BORDER_TOP) {
            rect.top += 1;
        }
        if (dwStyle & CBRS_BORDER_RIGHT) {
            rect.right -= 1;
        }
        if (dwStyle & CBRS_BORDER_BOTTOM) {
            rect.bottom -= 1;
        }
    }
    if (bHorz) {
        rect.left += m_cxLeftBorder;
        rect.top += m_cyTopBorder;
        rect.right -= m_cxRightBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.top += m_cxLeftBorder;
        rect.right -= m_cyBottomBorder;
        rect.bottom -= m_cxRightBorder;
    }
    if ((dwStyle & CBRS_GRIPPER) != 0 && (dwStyle & CBRS_FLOATING) == 0) {
        if (bHorz) {
            rect.left += 7;
        } else {
            rect.top += 7;
        }
    }
}
void CKtvPControlBar::UpdateVirtualRect()
{
    const CSize size = CalcFixedLayout(FALSE, IsHorizontal());
    UpdateVirtualRectToSize(size.cx, size.cy);
}
void CKtvPControlBar::UpdateVirtualRectToSize(int cx, int cy)
{
    CRect rect;
    GetWindowRect(rect);
    m_rectVirtual.SetRect(rect.left, rect.top, rect.left + cx, rect.top + cy);
    if (CWnd* pParent = GetParent()) {
        pParent->ScreenToClient(m_rectVirtual);
    }
}
void CKtvPControlBar::GetVirtualRect(CRect& rectVirtual) const
{
    rectVirtual = m_rectVirtual;
    if (CWnd* pParent = GetParent()) {
        pParent->ClientToScreen(rectVirtual);
    }
}
void CKtvPControlBar::UpdateRecentDockedRect()
{
    CWnd* pRelative = m_pParentDockBar != nullptr ? static_cast<CWnd*>(m_pParentDockBar) : m_pDockSite;
    if (pRelative == nullptr) {
        return;
    }
    CRect rect;
    GetWindowRect(rect);
    pRelative->ScreenToClient(rect);
    m_recentDockInfo.m_dockedLayout.m_rectBar = rect;
}
void CKtvPControlBar::MoveAcrossRow(DWORD dwAlignment, int nOffset)
{
    const BOOL bSideways = (dwAlignment & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
    const int dx = bSideways ? nOffset : 0;
    const int dy = bSideways ? 0 : nOffset;
    CRect rect;
    GetWindowRect(rect);
    if (CWnd* pParent = GetParent()) {
        pParent->ScreenToClient(rect);
    }
    m_rectVirtual.OffsetRect(dx, dy);
    CWnd::SetWindowPos(nullptr, rect.left + dx, rect.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
BOOL CKtvPControlBar::IsPointBeforeBar(int x, int y, BOOL bScreen) const
{
    if (m_pParentDockBar == nullptr) {
        return TRUE;
    }
    CRect rect;
    GetWindowRect(rect);
    if (!bScreen) {
        m_pParentDockBar->ScreenToClient(rect);
    }
    return m_pParentDockBar->IsHorizontal() ? x < rect.left : y < rect.top;
}
void CKtvPControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bCaptured && CanFloat()) {
        CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
        if (GetDockingMode() == KTVP_DT_IMMEDIATE || pMiniFrame != nullptr) {
            StoreRecentDockInfo();
            if (pMiniFrame != nullptr) {
                if (pMiniFrame->GetControlBarCount() == 1) {
                    CPoint ptFrame = point;
                    MapWindowPoints(pMiniFrame, &ptFrame, 1);
                    pMiniFrame->SendMessage(WM_LBUTTONDOWN, nFlags, MAKELPARAM(ptFrame.x, ptFrame.y));
                    m_bClickHandedToMiniFrame = TRUE;
                    return;
                }
                EnterDragMode(TRUE);
                return;
            }
            EnterDragMode(TRUE);
        } else if (GetDockingMode() == KTVP_DT_STANDARD) {
            EnterDragMode(TRUE);
        }
    }
    CKtvPBaseControlBar::OnLButtonDown(nFlags, point);
}
void CKtvPControlBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bCaptured) {
        CKtvPBaseControlBar::OnMouseMove(nFlags, point);
        return;
    }
    if (GetDockingMode() == KTVP_DT_IMMEDIATE) {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        const CPoint ptDelta = ptCursor - m_dragFrame.m_ptLastCursor;
        if (ptDelta == CPoint(0, 0)) {
            return;
        }
        m_rectDragStart.OffsetRect(ptDelta);
        m_rectVirtual.OffsetRect(ptDelta);
        m_dragFrame.m_ptLastCursor = ptCursor;
        if (m_pParentDockBar != nullptr) {
            m_pParentDockBar->MoveControlBar(this, nFlags, ptDelta);
        }
    } else {
        m_dragFrame.MoveDragFrame();
    }
}
void CKtvPControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bCaptured) {
        ReleaseCapture();
        m_bCaptured = FALSE;
        if (nFlags != 0xFFFF) {
            DestroyPendingMiniFrame();
        }
        SetDragMode(FALSE);
        if (GetDockingMode() == KTVP_DT_STANDARD &&
            (m_dragFrame.m_bOutlineActive || m_dragFrame.m_nPreviewTab >= 0)) {
            const CRect rectDrag = m_dragFrame.m_rectOutline;
            m_dragFrame.EndOutline(TRUE);
            StoreRecentDockInfo();
            BOOL bDocked = FALSE;
            CKtvPBaseControlBar* pResult = DockAtCursor(bDocked);
            if (!bDocked && !rectDrag.IsRectEmpty() && pResult != this) {
                FloatControlBar(rectDrag, KTVP_DM_STANDARD, TRUE);
            }
        }
        return;
    }
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame != nullptr && (pMiniFrame->GetStyle() & WS_VISIBLE) != 0 && !m_bDblClick) {
        CPoint ptFrame = point;
        MapWindowPoints(pMiniFrame, &ptFrame, 1);
        pMiniFrame->SendMessage(WM_LBUTTONUP, nFlags, MAKELPARAM(ptFrame.x, ptFrame.y));
        return;
    }
    m_bDblClick = FALSE;
    if (m_pDockBarRow != nullptr) {
        m_pDockBarRow->ArrangeAfterChange(this);
    }
    CKtvPBaseControlBar::OnLButtonUp(nFlags, point);
}
void CKtvPControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    OnProcessDblClk();
    if (CanFloat()) {
        FloatControlBar(m_recentDockInfo.m_rectLastFloat, KTVP_DM_DBL_CLICK, TRUE);
        CKtvPBaseControlBar::OnLButtonDblClk(nFlags, point);
    }
}
void CKtvPControlBar::OnCancelMode()
{
    CKtvPBaseControlBar::OnCancelMode();
    if (!m_bCaptured) {
        return;
    }
    if (GetDockingMode() == KTVP_DT_STANDARD) {
        m_dragFrame.EndOutline(TRUE);
    }
    EndDrag();
}
void CKtvPControlBar::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE) {
        OnCancelMode();
    }
    CKtvPBaseControlBar::OnChar(nChar, nRepCnt, nFlags);
}
void CKtvPControlBar::OnContextMenu(CWnd*, CPoint point)
{
    if (CKtvPToolBar::m_bCustomizeMode) {
        return;
    }
    CWnd* pTarget = GetDockSiteFrameWnd();
    if (pTarget == nullptr) {
        pTarget = g_pKtvTopLevelFrameOverride != nullptr ? static_cast<CWnd*>(g_pKtvTopLevelFrameOverride)
                                                         : static_cast<CWnd*>(GetTopLevelFrame());
    }
    if (pTarget != nullptr) {
        pTarget->SendMessage(KTVM_TOOLBARMENU, (WPARAM)GetSafeHwnd(), MAKELPARAM(point.x, point.y));
    }
}
void CKtvPControlBar::OnDestroy()
{
    if (IsTabbed()) {
        CWnd* pParent = GetParent();
        if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabWnd))) {
            pParent = pParent->GetParent();
        }
        if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
            const HWND hWnd = GetSafeHwnd();
            static_cast<CKtvPBaseTabbedBar*>(pParent)->RemoveControlBar(this);
            if (!::IsWindow(hWnd)) {
                return;
            }
        }
    }
    CKtvPBaseControlBar::OnDestroy();
}
void CKtvPControlBar::OnNcDestroy()
{
    CKtvPMiniFrameWnd::AddRemoveBarFromGlobalList(this, FALSE);
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->RemoveControlBar(this, FALSE, FALSE);
    }
    CKtvPBaseControlBar::OnNcDestroy();
}
void CKtvPControlBar::OnWindowPosChanging(WINDOWPOS* lpwndpos) { CKtvPBaseControlBar::OnWindowPosChanging(lpwndpos); }
void CKtvPControlBarImpl::DrawNcArea()
{
    CWindowDC dc(m_pBar);
    CRect rectClient;
    m_pBar->GetClientRect(rectClient);
    CRect rectWindow;
    m_pBar->GetWindowRect(rectWindow);
    m_pBar->ScreenToClient(rectWindow);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(rectClient);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);

    const MSG* pMsg = CWnd::GetCurrentMessage();
    CRgn rgnUpdate;
    if (pMsg != nullptr && pMsg->message == WM_NCPAINT && pMsg->wParam != 1) {
        CRect rectScreen;
        m_pBar->GetWindowRect(rectScreen);
        if (rgnUpdate.CreateRectRgn(0, 0, 0, 0) &&
            ::CombineRgn((HRGN)rgnUpdate.GetSafeHandle(), (HRGN)pMsg->wParam, nullptr, RGN_COPY) != ERROR) {
            rgnUpdate.OffsetRgn(-rectScreen.left, -rectScreen.top);
            dc.SelectClipRgn(&rgnUpdate, RGN_AND);
        }
    }

    CKtvPVisualManager* pManager = CKtvPVisualManager::GetInstance();
    pManager->OnDrawBarBorder(&dc, m_pBar, rectWindow);
    pManager->OnFillBarBackground(&dc, m_pBar, rectWindow, CRect(0, 0, 0, 0), TRUE);
    const DWORD dwStyle = m_pBar->GetBarStyle();
    if ((dwStyle & CBRS_GRIPPER) != 0 && (dwStyle & CBRS_FLOATING) == 0) {
        CRect rectGripper;
        GetGripperRect(rectGripper, FALSE);
        pManager->OnDrawBarGripper(&dc, rectGripper, (m_pBar->GetCurrentAlignment() & CBRS_ORIENT_HORZ) != 0, m_pBar);
    }
    dc.SelectClipRgn(nullptr);
}
void CKtvPControlBarImpl::CalcNcSize(NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect(0, 0, 0, 0);
    m_pBar->CalcInsideRect(rect, m_pBar->IsHorizontal());
    lpncsp->rgrc[0].left += rect.left;
    lpncsp->rgrc[0].top += rect.top;
    lpncsp->rgrc[0].right += rect.right;
    lpncsp->rgrc[0].bottom += rect.bottom;
}
void CKtvPControlBarImpl::DrawParentBackground(CDC* pDC) { globalData.DrawParentBackground(m_pBar, pDC); }
void CKtvPControlBarImpl::GetGripperRect(CRect& rect, BOOL bClientCoords)
{
    CRect rectClient;
    m_pBar->GetClientRect(rectClient);
    m_pBar->ClientToScreen(rectClient);
    m_pBar->GetWindowRect(rect);
    if (m_pBar->IsHorizontal()) {
        rect.right = std::min(rect.right, rectClient.left - 1);
    } else {
        rect.bottom = std::min(rect.bottom, rectClient.top - 1);
    }
    if (bClientCoords) {
        m_pBar->ScreenToClient(rect);
    } else {
        rect.OffsetRect(-rect.left, -rect.top);
    }
}
