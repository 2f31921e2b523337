#include "ui/docking/KtvPBaseControlBar.h"

#include "platform/mfc/CArchive.h"
#include "platform/mfc/afxmsg.h"
#include "platform/comctl/commctrl.h"
#include "platform/mfc/CDC.h"
#include "platform/mfc/CDialog.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CWinApp.h"
#include "platform/win32/dialog/windlg.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/controls/KtvPBaseTabWnd.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/docking/KtvPDockBarRow.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPDockingCBWrapper.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"
#include "ui/frames/KtvPRegistryFactory.h"
#include "ui/frames/KtvPVisualManager.h"
#include "ui/frames/KtvRegPath.h"

namespace {

// The frame hooks of the bar's dock site; NULL for a bar without a library frame.
CKtvPFrameHooks* DockSiteHooks(CFrameWnd* pDockSite)
{
    return pDockSite != nullptr ? KtvGetFrameHooks(pDockSite) : nullptr;
}

CString BaseBarKey(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    const CString strBase = KtvGetRegPath(CKtvPBaseControlBar::m_szSection, lpszProfileName);
    CString strKey;
    if (uiID == (UINT)-1) {
        strKey.Format("%sKtvPBaseControlBar-%d", (LPCTSTR)strBase, nIndex);
    } else {
        strKey.Format("%sKtvPBaseControlBar-%d%x", (LPCTSTR)strBase, nIndex, uiID);
    }
    return strKey;
}

}  // namespace

CString KtvRegisterBarWndClass(LPCTSTR lpszPrefix, UINT nClassStyle)
{
    HINSTANCE hInst = AfxGetInstanceHandle();
    HCURSOR hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    HBRUSH hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    CString strClass;
    strClass.Format("%s:%x:%x:%x:%x", lpszPrefix, (UINT)(UINT_PTR)hInst, nClassStyle,
                    (UINT)(UINT_PTR)hCursor, (UINT)(UINT_PTR)hbrBackground);
    WNDCLASS wndcls{};
    if (!::GetClassInfo(hInst, strClass, &wndcls)) {
        wndcls.style = nClassStyle;
        wndcls.lpfnWndProc = ::DefWindowProc;
        wndcls.hInstance = hInst;
        wndcls.hCursor = hCursor;
        wndcls.hbrBackground = hbrBackground;
        wndcls.lpszClassName = strClass;
        if (::RegisterClass(&wndcls) == 0) {
            AfxThrowResourceException();
        }
    }
    return strClass;
}

IMPLEMENT_DYNAMIC(CKtvPBaseControlBar, CWnd)

BOOL g_bKtvRestoringDockState = FALSE;

BOOL CKtvPBaseControlBar::m_bMultiThreaded = FALSE;
CRITICAL_SECTION CKtvPBaseControlBar::m_CriticalSection;
const TCHAR CKtvPBaseControlBar::m_szSection[] = "KtvPBaseControlBars";
CObList CKtvPBaseControlBar::m_lstAllControlBars;

BEGIN_MESSAGE_MAP(CKtvPBaseControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CKtvPBaseControlBar::CKtvPBaseControlBar()
    : m_dwEnabledAlignment(0),
      m_dwStyle(0),
      m_dwControlBarStyle(0),
      m_bRecentVisibleState(FALSE),
      m_bRestoredFromRegistry(FALSE),
      m_pParentDockBar(nullptr),
      m_pDockBarRow(nullptr),
      m_pDockSite(nullptr),
      m_dockMode(KTVP_DT_UNDEFINED),
      m_bIsDlgControl(FALSE),
      m_lpszBarTemplateName(nullptr),
      m_sizeDialog(0, 0)
{
}

// A bar whose window goes with the object (a member of a window being
// deleted) never hears its own WM_DESTROY: leave the list of all bars here too.
CKtvPBaseControlBar::~CKtvPBaseControlBar()
{
    if (POSITION pos = m_lstAllControlBars.Find(this))
        m_lstAllControlBars.RemoveAt(pos);
}

void CKtvPBaseControlBar::Serialize(CArchive& ar)
{
    CWnd::Serialize(ar);
    if (ar.IsStoring()) {
        ar << (DWORD)(m_dwStyle & CBRS_ALIGN_ANY);
        ar << (DWORD)IsVisible();
    } else {
        DWORD dwAlignment = 0;
        DWORD dwVisible = 0;
        ar >> dwAlignment;
        ar >> dwVisible;
        // Replaced, not OR-ed in: a bar created at one side and stored at another
        // would otherwise hold two sides.
        SetBarAlignment(dwAlignment);
        m_bRecentVisibleState = (BOOL)dwVisible;
    }
}

BOOL CKtvPBaseControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    CFrameWnd* pTopFrame = GetTopLevelFrame();
    if (pTopFrame != nullptr && pTopFrame->m_bHelpMode != CFrameWnd::HELP_INACTIVE) {
        return FALSE;
    }
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr) {
        pOwner = GetParent();
    }
    if (pOwner != nullptr && ::IsWindow(pOwner->GetSafeHwnd()) && pOwner->PreTranslateMessage(pMsg)) {
        return TRUE;
    }
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != nullptr; pFrame = pFrame->GetParentFrame()) {
        if (!::IsWindow(pFrame->GetSafeHwnd())) {
            break;
        }
        if (pFrame != pOwner && pFrame->PreTranslateMessage(pMsg)) {
            return TRUE;
        }
    }
    return ::IsDialogMessage(GetSafeHwnd(), pMsg);
}

// Through the virtual alignment, so that a bar answering its own alignment is horizontal by it.
BOOL CKtvPBaseControlBar::IsHorizontal() const
{
    return (GetCurrentAlignment() & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
}

BOOL CKtvPBaseControlBar::IsDocked() const
{
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    return pMiniFrame == nullptr || pMiniFrame->GetControlBarCount() != 1;
}

BOOL CKtvPBaseControlBar::IsTabbed() const
{
    CWnd* pParent = GetParent();
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabWnd));
}

BOOL CKtvPBaseControlBar::IsFloating() const { return !IsDocked(); }

BOOL CKtvPBaseControlBar::IsVisible() const
{
    if (!IsTabbed()) {
        if (g_bKtvRestoringDockState) {
            return GetRecentVisibleState();
        }
        return (GetStyle() & WS_VISIBLE) != 0;
    }
    HWND hWndTab = nullptr;
    CKtvPBaseTabWnd* pTabWnd = GetParentTabWnd(hWndTab);
    if (pTabWnd == nullptr || (pTabWnd->GetStyle() & WS_VISIBLE) == 0) {
        return FALSE;
    }
    const int iTab = pTabWnd->GetTabFromHwnd(hWndTab);
    return iTab >= 0 && pTabWnd->IsTabVisible(iTab);
}

BOOL CKtvPBaseControlBar::AllowsInsertBefore() const { return CanFloat(); }

int CKtvPBaseControlBar::GetDockingMode() const
{
    return m_dockMode != KTVP_DT_UNDEFINED ? m_dockMode : g_nKtvDefaultDockMode;
}

HICON CKtvPBaseControlBar::GetIcon(BOOL bBigIcon) const
{
    return (HICON)::SendMessage(GetSafeHwnd(), WM_GETICON, (WPARAM)bBigIcon, 0);
}

BOOL CKtvPBaseControlBar::CanFloat() const
{
    if (IsTabbed()) {
        HWND hWndTab = nullptr;
        if (CKtvPBaseTabWnd* pTabWnd = GetParentTabWnd(hWndTab)) {
            const int iTab = pTabWnd->GetTabFromHwnd(hWndTab);
            if (iTab != -1) {
                return pTabWnd->IsTabDetachable(iTab);
            }
        }
    }
    return (m_dwControlBarStyle & KTVP_CBRS_FLOAT) != 0;
}

void CKtvPBaseControlBar::SetBarAlignment(DWORD dwAlignment)
{
    m_dwStyle = (m_dwStyle & ~CBRS_ALIGN_ANY) | (dwAlignment & CBRS_ALIGN_ANY);
}

void CKtvPBaseControlBar::ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate)
{
    const int nCmdShow = bShow ? SW_SHOWNOACTIVATE : SW_HIDE;
    if (IsFloating() && !IsTabbed()) {
        ShowWindow(nCmdShow);
        if (CWnd* pParent = GetParent()) {
            pParent->ShowWindow(nCmdShow);
        }
    } else if (m_pParentDockBar != nullptr) {
        m_pParentDockBar->ShowBarInRow(this, bShow, bDelay);
    } else if (IsTabbed()) {
        HWND hWndTab = nullptr;
        CKtvPBaseTabWnd* pTabWnd = GetParentTabWnd(hWndTab);
        if (pTabWnd != nullptr) {
            CWnd* pTabParent = pTabWnd->GetParent();
            if (pTabParent != nullptr && pTabParent->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
                auto* pTabbedBar = static_cast<CKtvPBaseTabbedBar*>(pTabParent);
                if ((pTabbedBar->GetStyle() & WS_VISIBLE) == 0 && pTabWnd->GetTabsNum() > 1 && bShow) {
                    pTabbedBar->ShowTab(this, TRUE, bDelay, bActivate);
                } else {
                    pTabbedBar->ShowTab(this, bShow, bDelay, bActivate);
                    if (pTabWnd->GetVisibleTabsNum() == 0) {
                        pTabbedBar->ShowControlBar(bShow, bDelay, bActivate);
                    }
                }
            } else {
                pTabWnd->ShowTab(pTabWnd->GetTabFromHwnd(hWndTab), bShow, !bDelay, FALSE);
            }
        }
    } else {
        ShowWindow(nCmdShow);
        if (!bDelay) {
            AdjustDockingLayout(nullptr);
        }
    }
    if (m_pDockBarRow != nullptr) {
        m_pDockBarRow->ArrangeAfterChange(nullptr);
    }
}

CKtvPMiniFrameWnd* CKtvPBaseControlBar::GetParentMiniFrame(BOOL) const
{
    for (CWnd* pWnd = GetParent(); pWnd != nullptr; pWnd = pWnd->GetParent()) {
        if (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
            return static_cast<CKtvPMiniFrameWnd*>(pWnd);
        }
    }
    return nullptr;
}

BOOL CKtvPBaseControlBar::LoadState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    if (nIndex == -1) {
        nIndex = GetDlgCtrlID();
    }
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(BaseBarKey(lpszProfileName, nIndex, uiID))) {
        return FALSE;
    }
    int nVisible = m_bRecentVisibleState;
    reg.Read("IsVisible", nVisible);
    m_bRecentVisibleState = nVisible;
    m_bRestoredFromRegistry = TRUE;
    return TRUE;
}

// FALSE when the key cannot be made, so that a failed save is not taken for one that stored.
BOOL CKtvPBaseControlBar::SaveState(LPCTSTR lpszProfileName, int nIndex, UINT uiID)
{
    if (nIndex == -1) {
        nIndex = GetDlgCtrlID();
    }
    CKtvPRegistryFactory factory;
    CKtvPRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(BaseBarKey(lpszProfileName, nIndex, uiID))) {
        return FALSE;
    }
    return reg.Write("IsVisible", (int)IsVisible());
}

HDWP CKtvPBaseControlBar::MoveControlBar(LPCRECT lpRect, BOOL bRepaint, HDWP hdwp)
{
    CRect rectOld;
    GetWindowRect(rectOld);
    CWnd* pCoords = IsFloating() ? static_cast<CWnd*>(GetParentMiniFrame(TRUE)) : static_cast<CWnd*>(m_pDockSite);
    if (pCoords == nullptr) {
        pCoords = GetParent();
    }
    if (pCoords != nullptr) {
        pCoords->ScreenToClient(rectOld);
    }
    const CRect rectNew(lpRect);
    if (rectOld == rectNew) {
        return hdwp;
    }
    if (hdwp != nullptr) {
        return ::DeferWindowPos(hdwp, GetSafeHwnd(), nullptr, rectNew.left, rectNew.top, rectNew.Width(),
                                rectNew.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    MoveWindow(rectNew.left, rectNew.top, rectNew.Width(), rectNew.Height(), bRepaint);
    return nullptr;
}

HDWP CKtvPBaseControlBar::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags,
                                       HDWP hdwp)
{
    if (hdwp == nullptr) {
        CWnd::SetWindowPos(pWndInsertAfter, x, y, cx, cy, nFlags);
        return nullptr;
    }
    HDWP hdwpResult = ::DeferWindowPos(hdwp, GetSafeHwnd(), nullptr, x, y, cx, cy, nFlags);
    if (hdwpResult != nullptr) {
        return hdwpResult;
    }
    SetWindowPos(pWndInsertAfter, x, y, cx, cy, nFlags, nullptr);
    return hdwp;
}

BOOL CKtvPBaseControlBar::CreateEx(DWORD dwStyleEx, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                                   const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle,
                                   CCreateContext* pContext)
{
    m_bIsDlgControl = pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CDialog));
    SetBarStyle(GetBarStyle() | dwStyle);
    m_dwControlBarStyle = dwControlBarStyle;

    if (m_lpszBarTemplateName == nullptr) {
        if (!CWnd::CreateEx(dwStyleEx, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext)) {
            return FALSE;
        }
    } else {
        // Bars made from a dialog template are not used by this program; the
        // platform creates no modeless dialog under a bar class, so it fails plainly.
        return FALSE;
    }

    if (pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pDockSite = static_cast<CFrameWnd*>(pParentWnd);
    } else {
        m_pDockSite = static_cast<CFrameWnd*>(KtvGetParentFrame(pParentWnd));
    }
    m_bIsDlgControl = pParentWnd != nullptr && pParentWnd->IsKindOf(RUNTIME_CLASS(CDialog));
    return TRUE;
}

CSize CKtvPBaseControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return CSize(bStretch && bHorz ? 32767 : 0, bStretch && !bHorz ? 32767 : 0);
}

void CKtvPBaseControlBar::DoPaint(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(rectClient);
    CRect rectClip;
    pDC->GetClipBox(rectClip);
    CKtvPVisualManager::GetInstance()->OnFillBarBackground(pDC, this, rectClient, rectClip, FALSE);
}

void CKtvPBaseControlBar::AdjustDockingLayout(HDWP hdwp)
{
    if (CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE)) {
        pMiniFrame->AdjustLayout();
        return;
    }
    if (CKtvPFrameHooks* pHooks = DockSiteHooks(GetDockSiteFrameWnd())) {
        pHooks->AdjustDockingLayout(hdwp);
    }
}

CKtvPBaseTabWnd* CKtvPBaseControlBar::GetParentTabWnd(HWND& hWndTab) const
{
    // A wrapper stands for the bar it wraps.
    const CWnd* pBarWnd = this;
    CWnd* pParent = GetParent();
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPDockingCBWrapper))) {
        pBarWnd = pParent;
    }
    hWndTab = pBarWnd->GetSafeHwnd();
    CWnd* pHost = pBarWnd->GetParent();
    if (pHost == nullptr) {
        return nullptr;
    }
    if (pHost->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabWnd))) {
        return static_cast<CKtvPBaseTabWnd*>(pHost);
    }
    if (pHost->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
        return static_cast<CKtvPBaseTabbedBar*>(pHost)->GetUnderlinedWindow();
    }
    return nullptr;
}

CKtvPBaseTabbedBar* CKtvPBaseControlBar::GetParentTabbedBar() const
{
    if (!IsTabbed()) {
        return nullptr;
    }
    HWND hWndTab = nullptr;
    CKtvPBaseTabWnd* pTabWnd = GetParentTabWnd(hWndTab);
    if (pTabWnd == nullptr || hWndTab == nullptr) {
        return nullptr;
    }
    CWnd* pParent = pTabWnd->GetParent();
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))) {
        return static_cast<CKtvPBaseTabbedBar*>(pParent);
    }
    return nullptr;
}

void CKtvPBaseControlBar::AddBarToDockSite(CKtvPBaseControlBar* pBar)
{
    if (CKtvPFrameHooks* pHooks = DockSiteHooks(GetDockSiteFrameWnd())) {
        pHooks->AddControlBar(pBar, TRUE);
    }
}

void CKtvPBaseControlBar::RemoveBarFromDockSite(CKtvPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout,
                                                BOOL bAutoHide)
{
    if (CKtvPFrameHooks* pHooks = DockSiteHooks(GetDockSiteFrameWnd())) {
        pHooks->RemoveControlBarFromDockManager(pBar, bDestroy, bAdjustLayout, bAutoHide);
    }
}

BOOL CKtvPBaseControlBar::IsPointNearDockSite(CPoint pt, DWORD& dwBarAlignment, BOOL& bOuterEdge) const
{
    if (CKtvPFrameHooks* pHooks = DockSiteHooks(GetDockSiteFrameWnd())) {
        return pHooks->IsPointNearDockBar(pt, dwBarAlignment, bOuterEdge);
    }
    return TRUE;
}

CKtvPBaseControlBar* CKtvPBaseControlBar::ControlBarFromPointInDockSite(CPoint pt, int nSensitivity,
                                                                        BOOL bExactBar,
                                                                        CRuntimeClass* pRTCBarType) const
{
    if (CKtvPFrameHooks* pHooks = DockSiteHooks(GetDockSiteFrameWnd())) {
        return pHooks->ControlBarFromPoint(pt, nSensitivity, bExactBar, pRTCBarType);
    }
    return nullptr;
}

BOOL CKtvPBaseControlBar::InsertBarIntoDockSite(CKtvPBaseControlBar* pBar, CKtvPBaseControlBar* pTarget,
                                                BOOL bAfter)
{
    CKtvPMiniFrameWnd* pMiniFrame = GetParentMiniFrame(TRUE);
    if (pMiniFrame != nullptr && pMiniFrame->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd))) {
        if (pBar != nullptr && pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
            static_cast<CKtvPMultiMiniFrameWnd*>(pMiniFrame)
                ->RegisterFloatingBar(static_cast<CKtvPDockingControlBar*>(pBar));
        }
        return TRUE;
    }
    if (CKtvPFrameHooks* pHooks = DockSiteHooks(GetDockSiteFrameWnd())) {
        return pHooks->InsertControlBar(pBar, pTarget, bAfter);
    }
    return TRUE;
}

void CKtvPBaseControlBar::DockToDockSite(BOOL bUseDockSite)
{
    CWnd* pFrame = bUseDockSite ? GetDockSiteFrameWnd() : KtvGetParentFrame(this);
    if (CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pFrame)) {
        pHooks->DockControlBar(this, 0, nullptr);
    }
}

LRESULT CKtvPBaseControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_NOTIFY:
    case WM_COMMAND:
        break;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // Notifications and commands of the bar's controls go to its owner unless the bar handles them.
    LRESULT lResult = 0;
    if (OnWndMsg(message, wParam, lParam, &lResult)) {
        return lResult;
    }
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr) {
        pOwner = GetParent();
    }
    if (pOwner == nullptr) {
        return DefWindowProc(message, wParam, lParam);
    }
    if (message == WM_NOTIFY && lParam != 0) {
        auto* pHdr = reinterpret_cast<NMHDR*>(lParam);
        if (pHdr->code == TTN_NEEDTEXTA || pHdr->code == TTN_NEEDTEXTW) {
            auto* pInfo = reinterpret_cast<TOOLTIPTEXTA*>(lParam);
            lResult = pOwner->SendMessage(message, wParam, lParam);
            const BOOL bFilled = pInfo->hinst != nullptr ||
                                 (pInfo->lpszText != nullptr && pInfo->lpszText[0] != '\0');
            return bFilled ? lResult : DefWindowProc(message, wParam, lParam);
        }
    }
    return pOwner->SendMessage(message, wParam, lParam);
}

int CKtvPBaseControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    m_lstAllControlBars.AddTail(this);
    return 0;
}

void CKtvPBaseControlBar::OnDestroy()
{
    if (POSITION pos = m_lstAllControlBars.Find(this)) {
        m_lstAllControlBars.RemoveAt(pos);
    }
    CWnd::OnDestroy();
}

CRITICAL_SECTION& CKtvPBaseControlBar::GetPaintSection()
{
    static const bool bMade = (::InitializeCriticalSection(&m_CriticalSection), true);
    (void)bMade;
    return m_CriticalSection;
}

void CKtvPBaseControlBar::OnPaint()
{
    // Read once: a flag changed during the paint must not leave the section held.
    const BOOL bLocked = m_bMultiThreaded;
    if (bLocked) {
        ::EnterCriticalSection(&GetPaintSection());
    }
    CPaintDC dc(this);
    if ((GetStyle() & WS_VISIBLE) != 0) {
        DoPaint(&dc);
    }
    if (bLocked) {
        ::LeaveCriticalSection(&GetPaintSection());
    }
}
BOOL CKtvPBaseControlBar::OnEraseBkgnd(CDC*) { return TRUE; }
// The row's resize hook is empty; nothing more than the default is owed.
void CKtvPBaseControlBar::OnSize(UINT nType, int cx, int cy) { CWnd::OnSize(nType, cx, cy); }

LRESULT CKtvPBaseControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if ((GetStyle() & WS_VISIBLE) == 0 ||
        (m_pParentDockBar != nullptr && (m_pParentDockBar->GetStyle() & WS_VISIBLE) == 0)) {
        return 0;
    }
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr) {
        pOwner = GetParent();
    }
    CFrameWnd* pTarget = nullptr;
    if (pOwner != nullptr && pOwner->IsFrameWnd()) {
        pTarget = static_cast<CFrameWnd*>(pOwner);
    } else {
        pTarget = static_cast<CFrameWnd*>(KtvGetParentFrame(this));
    }
    if (pTarget != nullptr) {
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    }
    return 0;
}

LRESULT CKtvPBaseControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    const CPoint point((short)LOWORD(lParam), (short)HIWORD(lParam));
    const INT_PTR nHit = OnToolHitTest(point, nullptr);
    if (nHit != -1) {
        return (LRESULT)nHit + 0x10000;
    }
    const UINT nID = (UINT)GetDlgCtrlID() & 0xFFFF;
    return nID != 0 ? (LRESULT)(nID | 0x50000) : 0;
}

// Bars are never made from a dialog template here (CreateEx refuses one), so
// there is no template data to run and no data exchange to fail.
LRESULT CKtvPBaseControlBar::HandleInitDialog(WPARAM, LPARAM) { return TRUE; }
