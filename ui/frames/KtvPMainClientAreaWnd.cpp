#include "ui/frames/KtvPMainClientAreaWnd.h"

#include "platform/win32/mdi/winmdi.h"
#include "platform/comctl/commctrl.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPMDIChildWnd.h"
#include "ui/frames/KtvPMDIFrameWnd.h"

namespace {

CKtvPMDIFrameWnd* LibraryFrameOf(CWnd* pClient)
{
    CWnd* pParent = pClient->GetParent();
    return pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CKtvPMDIFrameWnd))
               ? static_cast<CKtvPMDIFrameWnd*>(pParent)
               : nullptr;
}

CKtvPMDIChildWnd* LibraryChildOf(HWND hwnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hwnd);
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPMDIChildWnd)) ? static_cast<CKtvPMDIChildWnd*>(pWnd)
                                                                                : nullptr;
}

}  // namespace

IMPLEMENT_DYNAMIC(CKtvPMainClientAreaWnd, CWnd)

BEGIN_MESSAGE_MAP(CKtvPMainClientAreaWnd, CWnd)
    ON_MESSAGE(WM_MDISETMENU, OnMDISetMenu)
    ON_MESSAGE(WM_MDIREFRESHMENU, OnMDIRefreshMenu)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_MDIDESTROY, OnMDIDestroy)
    ON_MESSAGE(KTVP_WM_UPDATE_MDI_TABS, OnUpdateTabs)
END_MESSAGE_MAP()

CKtvPMainClientAreaWnd::CKtvPMainClientAreaWnd()
    : m_tabLocation(CKtvPTabWnd::LOCATION_BOTTOM),
      m_bTabIsVisible(FALSE),
      m_bTabIsEnabled(FALSE),
      m_bTabIcons(TRUE),
      m_bTabCloseButton(FALSE)
{
}

CKtvPMainClientAreaWnd::~CKtvPMainClientAreaWnd()
{
    m_mapIcons.RemoveAll();
    m_TabIcons.DeleteImageList();
    if (m_wndTab.GetSafeHwnd() != nullptr)
        m_wndTab.DestroyWindow();
}

void CKtvPMainClientAreaWnd::EnableMDITabs(BOOL bEnable, BOOL bIcons, int location, BOOL bTabCloseButton, int style)
{
    m_bTabIcons = bIcons;
    m_tabLocation = location;
    m_bTabIsEnabled = m_bTabIsVisible = bEnable;
    m_bTabCloseButton = bTabCloseButton;

    const BOOL bTabWnd = ::IsWindow(m_wndTab.GetSafeHwnd());
    if (bTabWnd) {
        m_wndTab.SetLocation(location);
        m_wndTab.m_bCloseBtn = bTabCloseButton;
        m_wndTab.ModifyTabStyle(style);
        if (bEnable)
            UpdateTabs(FALSE);
        m_wndTab.RecalcLayout();
    }

    if (::IsWindow(GetSafeHwnd()) && GetParent() != nullptr) {
        static_cast<CFrameWnd*>(GetParent())->RecalcLayout(TRUE);
        const UINT uiFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;
        if (bTabWnd)
            m_wndTab.RedrawWindow(nullptr, nullptr, uiFlags);
        RedrawWindow(nullptr, nullptr, uiFlags);
    }
}

int CKtvPMainClientAreaWnd::GetTabIconIndex(HWND hwndChild, CKtvPMDIChildWnd* pChild)
{
    if (!m_bTabIcons)
        return -1;

    HICON hIcon = nullptr;
    if (pChild != nullptr) {
        hIcon = pChild->GetFrameIcon();
    } else {
        hIcon = reinterpret_cast<HICON>(::SendMessage(hwndChild, WM_GETICON, ICON_SMALL, 0));
        if (hIcon == nullptr)
            hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(hwndChild, GCLP_HICONSM));
    }
    if (hIcon == nullptr || m_TabIcons.GetSafeHandle() == nullptr)
        return -1;

    int iIcon = -1;
    if (m_mapIcons.Lookup(hIcon, iIcon))
        return iIcon;

    iIcon = ImageList_ReplaceIcon(m_TabIcons.GetSafeHandle(), -1, hIcon);
    if (iIcon < 0)
        return -1;
    m_mapIcons.SetAt(hIcon, iIcon);
    if (m_TabIcons.GetImageCount() == 1)
        m_wndTab.SetImageList(m_TabIcons.GetSafeHandle());
    return iIcon;
}

void CKtvPMainClientAreaWnd::UpdateTabs(BOOL bSetActiveTabVisible)
{
    if (!::IsWindow(m_wndTab.GetSafeHwnd()) || !m_bTabIsVisible)
        return;

    BOOL bRecalcLayout = FALSE;
    for (HWND hwndChild = ::GetWindow(GetSafeHwnd(), GW_CHILD); hwndChild != nullptr;
         hwndChild = ::GetWindow(hwndChild, GW_HWNDNEXT)) {
        CKtvPMDIChildWnd* pChild = LibraryChildOf(hwndChild);
        const BOOL bCanShow = pChild == nullptr || pChild->CanShowOnMDITabs();
        const int iIcon = GetTabIconIndex(hwndChild, pChild);

        CString strLabel;
        if (pChild != nullptr) {
            strLabel = pChild->GetFrameText();
        } else {
            const int nLen = ::GetWindowTextLength(hwndChild);
            ::GetWindowText(hwndChild, strLabel.GetBuffer(nLen + 1), nLen + 1);
            strLabel.ReleaseBuffer();
        }

        const int iTab = m_wndTab.GetTabFromHwnd(hwndChild);
        if (iTab >= 0) {
            if (::IsWindowVisible(hwndChild)) {
                CString strOldLabel;
                if (m_wndTab.GetTabLabel(iTab, strOldLabel) && strOldLabel != strLabel) {
                    m_wndTab.SetTabLabel(iTab, strLabel);
                    bRecalcLayout = TRUE;
                }
                if (static_cast<int>(m_wndTab.GetTabIcon(iTab)) != iIcon) {
                    m_wndTab.SetTabIcon(iTab, static_cast<UINT>(iIcon));
                    bRecalcLayout = TRUE;
                }
            } else {
                m_wndTab.RemoveTab(iTab, TRUE);
                bRecalcLayout = TRUE;
            }
        } else if (bCanShow && (pChild == nullptr || !pChild->m_bToBeDestroyed)) {
            m_wndTab.AddTab(CWnd::FromHandle(hwndChild), strLabel, static_cast<UINT>(iIcon), TRUE);
            m_wndTab.SetActiveTab(m_wndTab.GetTabsNum() - 1);
            bRecalcLayout = TRUE;
        }
    }

    if (bRecalcLayout && GetParent() != nullptr)
        static_cast<CFrameWnd*>(GetParent())->RecalcLayout(TRUE);
    if (bSetActiveTabVisible)
        m_wndTab.EnsureVisible(m_wndTab.GetActiveTab());
}

void CKtvPMainClientAreaWnd::SetActiveTab(HWND hwndChild)
{
    if (!m_bTabIsVisible || !::IsWindow(m_wndTab.GetSafeHwnd()))
        return;
    const int iTab = m_wndTab.GetTabFromHwnd(hwndChild);
    if (iTab >= 0)
        m_wndTab.SetActiveTab(iTab);
}

void CKtvPMainClientAreaWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    if (!::IsWindow(GetSafeHwnd()))
        return;

    BOOL bRedraw = FALSE;
    CRect rect(lpClientRect);
    const BOOL bTabWnd = ::IsWindow(m_wndTab.GetSafeHwnd());

    if (m_bTabIsVisible && bTabWnd) {
        CRect rectTabOld;
        m_wndTab.GetWindowRect(rectTabOld);
        m_wndTab.SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                              SWP_NOACTIVATE | SWP_NOZORDER);

        // The children live in the tab window's content area.
        CRect rectTabClient;
        m_wndTab.GetClientRect(rectTabClient);
        const CRect rectContent = m_wndTab.m_rectWndArea;
        rect.left += rectContent.left - rectTabClient.left;
        rect.top += rectContent.top - rectTabClient.top;
        rect.right -= rectTabClient.right - rectContent.right;
        rect.bottom -= rectTabClient.bottom - rectContent.bottom;

        m_wndTab.ShowWindow(SW_SHOWNA);
        CRect rectTabNew;
        m_wndTab.GetWindowRect(rectTabNew);
        bRedraw = rectTabNew != rectTabOld;
    } else if (bTabWnd) {
        m_wndTab.ShowWindow(SW_HIDE);
    }

    CRect rectClientOld;
    GetClientRect(rectClientOld);
    SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);

    if (!m_bTabIsVisible) {
        // Minimised children keep their distance to the bottom edge.
        CRect rectClientNew;
        GetClientRect(rectClientNew);
        const int nDeltaY = rectClientNew.Height() - rectClientOld.Height();
        if (nDeltaY != 0) {
            for (HWND hwndChild = ::GetWindow(GetSafeHwnd(), GW_CHILD); hwndChild != nullptr;
                 hwndChild = ::GetWindow(hwndChild, GW_HWNDNEXT)) {
                const LONG lStyle = ::GetWindowLong(hwndChild, GWL_STYLE);
                if (lStyle & WS_MAXIMIZE)
                    break;
                if (!(lStyle & WS_MINIMIZE))
                    continue;
                CRect rectChild;
                ::GetWindowRect(hwndChild, &rectChild);
                ScreenToClient(rectChild);
                const int y = std::max(rectChild.top + nDeltaY, static_cast<LONG>(rectClientNew.top));
                ::SetWindowPos(hwndChild, nullptr, rectChild.left, y, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }

    if (bRedraw)
        RedrawWindow(nullptr, nullptr,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);

    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

void CKtvPMainClientAreaWnd::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();

    if (!m_wndTab.Create(CKtvPTabWnd::TABSTYLE_3D_SCROLLED, CRect(0, 0, 0, 0), GetParent(), (UINT)-1, m_tabLocation,
                         m_bTabCloseButton))
        return;

    m_wndTab.HideNoTabs(TRUE);
    m_wndTab.SetRedrawFlag(TRUE, FALSE);
    m_wndTab.SetActiveTabBoldFont(TRUE);
    // The MDI client owns, shows and sizes the children and paints the content area.
    m_wndTab.m_bAutoDestroyWindow = FALSE;
    m_wndTab.m_bHideInactiveWnd = FALSE;
    m_wndTab.m_bAutoSizeWindow = FALSE;
    m_wndTab.SetEraseNothing(TRUE);
    m_wndTab.SetOutlineTopStrip(TRUE);
    m_wndTab.Invalidate();

    if (!m_bTabIsVisible)
        m_wndTab.ShowWindow(SW_HIDE);

    m_TabIcons.Create(globalData.m_sizeSmallIcon.cx, globalData.m_sizeSmallIcon.cy, ILC_COLOR | ILC_MASK, 0, 1);
}

LRESULT CKtvPMainClientAreaWnd::OnMDISetMenu(WPARAM wParam, LPARAM lParam)
{
    CKtvPMDIFrameWnd* pFrame = LibraryFrameOf(this);
    if (pFrame != nullptr && ::IsWindow(pFrame->GetSafeHwnd()) &&
        !pFrame->OnSetMenu(reinterpret_cast<HMENU>(wParam)))
        return DefWindowProc(WM_MDISETMENU, wParam, lParam);
    // The menu bar took the menu: the frame's window menu stays empty.
    return DefWindowProc(WM_MDISETMENU, 0, lParam);
}

LRESULT CKtvPMainClientAreaWnd::OnMDIRefreshMenu(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = DefWindowProc(WM_MDIREFRESHMENU, wParam, lParam);
    CKtvPMDIFrameWnd* pFrame = LibraryFrameOf(this);
    if (pFrame != nullptr && pFrame->m_Impl.m_pMenuBar != nullptr)
        pFrame->m_hmenuWindow = pFrame->GetWindowMenuPopup(pFrame->m_Impl.m_pMenuBar->m_hMenu);
    return lResult;
}

BOOL CKtvPMainClientAreaWnd::OnEraseBkgnd(CDC* pDC)
{
    CKtvPMDIFrameWnd* pFrame = LibraryFrameOf(this);
    if (pFrame != nullptr && pFrame->OnEraseMDIClientBackground(pDC))
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

LRESULT CKtvPMainClientAreaWnd::OnMDIDestroy(WPARAM wParam, LPARAM lParam)
{
    const HWND hwndChild = reinterpret_cast<HWND>(wParam);
    CKtvPMDIFrameWnd* pFrame = LibraryFrameOf(this);
    const BOOL bClosing = pFrame != nullptr && pFrame->m_bClosing;
    const BOOL bTabWnd = ::IsWindow(m_wndTab.GetSafeHwnd());
    const int nTabsHeight = bTabWnd ? m_wndTab.GetTabsHeight() : 0;

    if (!bClosing)
        SendMessage(WM_SETREDRAW, FALSE);

    const int iTab = bTabWnd ? m_wndTab.GetTabFromHwnd(hwndChild) : -1;
    if (iTab >= 0) {
        if (CKtvPMDIChildWnd* pChild = LibraryChildOf(hwndChild))
            pChild->m_bToBeDestroyed = TRUE;
        m_wndTab.RemoveTab(iTab, TRUE);
    }

    const LRESULT lResult = DefWindowProc(WM_MDIDESTROY, wParam, lParam);

    if (bTabWnd && m_wndTab.GetTabsHeight() != nTabsHeight && GetParent() != nullptr)
        static_cast<CFrameWnd*>(GetParent())->RecalcLayout(TRUE);

    if (!bClosing) {
        SendMessage(WM_SETREDRAW, TRUE);
        if (GetParent() != nullptr)
            GetParent()->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    return lResult;
}

LRESULT CKtvPMainClientAreaWnd::OnUpdateTabs(WPARAM, LPARAM)
{
    UpdateTabs(FALSE);
    return 0;
}
