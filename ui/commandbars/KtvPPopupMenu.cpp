#include "ui/commandbars/KtvPPopupMenu.h"

#include <algorithm>
#include <cstring>

#include "platform/mfc/CDC.h"
#include "platform/mfc/CRecentFileList.h"
#include "platform/mfc/CWinApp.h"
#include "platform/mfc/afxmsg.h"
#include "platform/win32/kernel/Files.h"
#include "platform/win32/kernel/ProcessClock.h"
#include "platform/win32/menu/winmenu.h"
#include "resources/resource.h"
#include "ui/commandbars/CustomizeButton.h"
#include "ui/commandbars/KtvPCommandManager.h"
#include "ui/commandbars/KtvPMenuBar.h"
#include "ui/commandbars/KtvPMenuImages.h"
#include "ui/commandbars/KtvPMenuPage.h"
#include "ui/commandbars/KtvPSnapshotStore.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/commandbars/KtvPToolbarMenuButton.h"
#include "ui/commandbars/KtvPUserTool.h"
#include "ui/controls/KtvPPropertySheet.h"
#include "ui/docking/KtvPCaptionButton.h"
#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPDialog.h"
#include "ui/frames/KtvPDrawManager.h"
#include "ui/frames/KtvPFrameHooks.h"
#include "ui/frames/KtvPFrameImpl.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPVisualManager.h"

IMPLEMENT_SERIAL(CKtvPPopupMenu, CMiniFrameWnd, VERSIONABLE_SCHEMA | 1)

CKtvPPopupMenu* CKtvPPopupMenu::m_pActivePopupMenu = nullptr;
int CKtvPPopupMenu::m_nAnimationType = CKtvPPopupMenu::NO_ANIMATION;
BOOL CKtvPPopupMenu::m_bForceShadow = FALSE;
int CKtvPPopupMenu::m_nAnimationSpeed = 30;
clock_t CKtvPPopupMenu::m_nAnimTimeStart = 0;
BOOL CKtvPPopupMenu::m_bFocusOwnerBar = TRUE;

BEGIN_MESSAGE_MAP(CKtvPPopupMenu, CMiniFrameWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_MOUSEACTIVATE()
    ON_WM_DESTROY()
    ON_WM_KEYDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_SHOWWINDOW()
    ON_WM_SETCURSOR()
    ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

CKtvPPopupMenu::CKtvPPopupMenu() { Initialize(); }

CKtvPPopupMenu::CKtvPPopupMenu(CKtvPMenuPage* pMenuPage, LPCTSTR lpszTitle)
    : m_pEditPage(pMenuPage), m_strTitle(lpszTitle)
{
    Initialize();
}

void CKtvPPopupMenu::Initialize()
{
    // Animation costs too much over a remote session, and fading needs true colour.
    if (globalData.bIsRemoteSession)
        m_nAnimationType = NO_ANIMATION;
    if (m_nAnimationType == FADE && globalData.m_nBitsPerPixel <= 8)
        m_nAnimationType = NO_ANIMATION;
    m_bAnimationDone = m_nAnimationType == NO_ANIMATION;

    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    m_nScrollButtonHeight = CKtvPMenuImages::Size().cy + 2 * pLook->GetPopupMenuBorderSize();
    const BOOL bShadow =
        CKtvPMenuBar::m_bMenuShadows && !CKtvPToolBar::m_bCustomizeMode && globalData.m_nBitsPerPixel > 8;
    m_nShadowDepth = bShadow ? pLook->m_nMenuShadowDepth : 0;
}

namespace {
// The popup whose window is being created, and whether it was deleted on the
// way: a frame that refuses the popup closes it from inside its creation.
thread_local const CKtvPPopupMenu* g_pKtvPopupInCreation = nullptr;
thread_local bool g_bKtvPopupDeletedInCreation = false;
}  // namespace

CKtvPPopupMenu::~CKtvPPopupMenu()
{
    if (g_pKtvPopupInCreation == this)
        g_bKtvPopupDeletedInCreation = true;
    if (m_bOwnsMenu && m_hMenu != nullptr)
        ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
}

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT_PTR kScrollTimer = 2;
constexpr UINT kScrollStepMs = 80;
constexpr int kTearOffHeight = 10;
constexpr DWORD kBarStyle = 0x50402808 | 0x30;         // visible
constexpr DWORD kHiddenBarStyle = 0x40402808 | 0x30;   // shown when the animation ends
constexpr UINT kEditCaptionStyle = 0x80C80000;          // popup, caption, system menu
constexpr UINT kRecentFileFirst = 0xE110;

// The frame that hosts the menus: the in-place frame while one is active.
CFrameWnd* TopFrameOf(CWnd* pWnd)
{
    if (g_pKtvTopLevelFrameOverride != nullptr)
        return g_pKtvTopLevelFrameOverride;
    return pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr ? pWnd->GetTopLevelFrame() : nullptr;
}

void TellMessageWindow(CWnd* pWndMessage, CKtvPPopupMenu* pMenu)
{
    if (auto* pDialog = DYNAMIC_DOWNCAST(CKtvPDialog, pWndMessage))
        pDialog->SetActiveMenu(pMenu);
    else if (auto* pPage = DYNAMIC_DOWNCAST(CKtvPPropertyPage, pWndMessage))
        pPage->SetActiveMenu(pMenu);
}

BOOL IsSeparatorItem(const CKtvPToolbarButton* pButton) { return (pButton->m_nStyle & TBBS_SEPARATOR) != 0; }

}  // namespace

// --- framework overrides -----------------------------------------------------------------------

BOOL CKtvPPopupMenu::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CMiniFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pWndMessage != nullptr && m_pWndMessage->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CKtvPPopupMenu::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (pHeader != nullptr && m_wndToolTip.GetSafeHwnd() != nullptr && pHeader->hwndFrom == m_wndToolTip.GetSafeHwnd() &&
        (pHeader->code == TTN_SHOW || pHeader->code == TTN_POP)) {
        m_bTearOffHot = pHeader->code == TTN_SHOW;
        InvalidateRect(m_rectTearOff);
        UpdateWindow();
    }
    return CMiniFrameWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CKtvPPopupMenu::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.RelayEvent(pMsg);
    return CMiniFrameWnd::PreTranslateMessage(pMsg);
}

void CKtvPPopupMenu::PostNcDestroy()
{
    if (m_pParentButton != nullptr)
        m_pParentButton->OnCancelMode();
    // The object goes with its window: nobody may reach it as the active menu.
    if (m_pActivePopupMenu == this)
        m_pActivePopupMenu = nullptr;
    CMiniFrameWnd::PostNcDestroy();
}

CKtvPPopupMenuBar* CKtvPPopupMenu::GetMenuBar() { return &m_menuBar; }

BOOL CKtvPPopupMenu::InCommand()
{
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    return pBar != nullptr && pBar->m_bInCommand;
}

// --- creation ------------------------------------------------------------------------------------

BOOL CKtvPPopupMenu::Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked, BOOL bOwnMessage)
{
    CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuPopup);

    const CString strClass = AfxRegisterWndClass(CS_SAVEBITS, ::LoadCursor(nullptr, IDC_ARROW),
                                                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    m_hMenu = hMenu;
    if (x == -1 && y == -1) {
        CPoint pt(0, 0);
        if (pWndParent != nullptr && pWndParent->GetSafeHwnd() != nullptr) {
            pWndParent->ClientToScreen(&pt);
            pt.Offset(5, 5);
        }
        m_ptPos = pt;
    } else {
        m_ptPos = CPoint(x, y);
    }
    m_ptPosInitial = m_ptPos;

    const DWORD dwStyle = m_pEditPage != nullptr ? kEditCaptionStyle : WS_POPUP;
    const BOOL bAnimate = m_nAnimationType != NO_ANIMATION && !CKtvPToolBar::m_bCustomizeMode;
    m_bAnimationDone = !bAnimate;

    if (CKtvPPopupMenu* pParentPopup = GetParentPopupMenu()) {
        m_bTrackMode = pParentPopup->m_bTrackMode;
        if (!bOwnMessage)
            m_pWndMessage = pParentPopup->m_pWndMessage;
    }
    if (bOwnMessage)
        m_pWndMessage = pWndParent;

    CWnd* pOwner = pWndParent;
    if (pWndParent != nullptr && pWndParent->GetSafeHwnd() != nullptr) {
        HWND hwndOwner = ::GetWindow(pWndParent->GetSafeHwnd(), GW_OWNER);
        if (hwndOwner == nullptr)
            hwndOwner = ::GetParent(pWndParent->GetSafeHwnd());
        if (CWnd* pKnown = CWnd::FromHandlePermanent(hwndOwner))
            pOwner = pKnown;
    }

    const CRect rect(m_ptPos, CSize(0, 0));
    // The mini frame's own creation, named by its signature: the window's
    // creation of the same arity would make a plain call ambiguous.
    BOOL (CMiniFrameWnd::*createEx)(DWORD, LPCTSTR, LPCTSTR, DWORD, const RECT&, CWnd*, UINT) =
        &CMiniFrameWnd::CreateEx;
    const CKtvPPopupMenu* pOuterCreation = g_pKtvPopupInCreation;
    const bool bOuterDeleted = g_bKtvPopupDeletedInCreation;
    g_pKtvPopupInCreation = this;
    g_bKtvPopupDeletedInCreation = false;
    const BOOL bCreated = (this->*createEx)(0, strClass, m_strTitle, dwStyle, rect, pOwner, 0);
    const bool bDeleted = g_bKtvPopupDeletedInCreation;
    g_pKtvPopupInCreation = pOuterCreation;
    g_bKtvPopupDeletedInCreation = bOuterDeleted;
    if (bDeleted)
        return FALSE;   // refused by its frame: it closed and deleted itself
    if (!bCreated) {
        // No window ever existed: nothing else will delete this popup.
        delete this;
        return FALSE;
    }
    if (m_bClosing || !::IsWindow(GetSafeHwnd()))
        return FALSE;   // refused by its frame: it closes and deletes itself

    if (m_bAlignRight) {
        m_ptPos.x += 1 - m_sizeFinal.cx;
        m_ptPosInitial = m_ptPos;
        RecalcLayout();
    }
    GetMenuBar()->m_bLocked = bLocked;

    if (bAnimate) {
        const int nShadow = m_nShadowDepth;
        m_sizeAnim = CSize(m_sizeFinal.cx + nShadow, m_sizeFinal.cy + nShadow);
        if (m_nAnimationType == UNFOLD) {
            m_sizeAnim.cx = GetMenuBar()->GetColumnWidth();
            m_sizeAnim.cy = GetMenuBar()->GetRowHeight();
        } else if (m_nAnimationType == SLIDE) {
            m_sizeAnim.cy = GetMenuBar()->GetRowHeight();
        }
        if (GetMenuBar()->IsWindowVisible())
            GetMenuBar()->ShowWindow(SW_HIDE);
        SetTimer(kAnimationTimer, (UINT)m_nAnimationSpeed, nullptr);
        m_nAnimTimeStart = (clock_t)::GetTickCount();
    }

    CheckShadowFits(FALSE);
    if (m_nShadowDepth == 0 && bAnimate && m_nAnimationType == FADE)
        m_sizeAnim = m_sizeFinal;

    SetWindowPos(&wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);

    if (CKtvPToolBar::m_bCustomizeMode) {
        GetMenuBar()->Invalidate();
        GetMenuBar()->UpdateWindow();
    }
    return TRUE;
}

int CKtvPPopupMenu::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CMiniFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;

    CKtvPPopupMenuBar* pBar = GetMenuBar();
    pBar->m_bTrackMode = m_bTrackMode;
    if (m_pParentButton != nullptr && m_pParentButton->m_bPaletteMenu) {
        pBar->m_bPaletteMode = TRUE;
        pBar->m_nPaletteRows = m_pParentButton->m_nPaletteRows;
    }

    const BOOL bHidden = m_nAnimationType != NO_ANIMATION && !CKtvPToolBar::m_bCustomizeMode;
    if (!pBar->Create(this, bHidden ? kHiddenBarStyle : kBarStyle, 1))
        return -1;

    if (CKtvPPopupMenu* pParentPopup = GetParentPopupMenu())
        m_nMaxMenuWidth = pParentPopup->m_nMaxMenuWidth;
    pBar->m_nMaxMenuWidth = m_nMaxMenuWidth;
    // A popup's parent is the window that owns it.
    HWND hwndOwner = ::GetWindow(GetSafeHwnd(), GW_OWNER);
    pBar->SetOwner(hwndOwner != nullptr ? CWnd::FromHandle(hwndOwner) : GetParent());

    return InitMenuBar() ? 0 : 1;
}

BOOL CKtvPPopupMenu::InitMenuBar()
{
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    const BOOL bCustomize = CKtvPToolBar::m_bCustomizeMode;

    if (m_hMenu != nullptr) {
        BOOL bRestored = FALSE;
        if (m_pParentButton == nullptr)
            bRestored = g_SnapshotStore.LoadMenuBar(m_hMenu, pBar);
        if (!bRestored) {
            const BOOL bShowAll = CKtvPMenuBar::m_bShowAllCommands || !CKtvPMenuBar::m_bRecentlyUsedMenus ||
                                  !CKtvPToolBar::m_UsageCount.HasEnoughInformation() || m_pParentButton == nullptr;
            if (!pBar->ImportFromMenu(m_hMenu, bShowAll))
                return FALSE;
        }
    }

    if (!bCustomize)
        ExpandRecentFiles();
    if (!bCustomize)
        ExpandUserTools();

    CWnd* pTarget = pBar->GetCommandTarget();
    auto* pFrameTarget = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
    if (pFrameTarget == nullptr)
        pFrameTarget = DYNAMIC_DOWNCAST(CFrameWnd, KtvGetParentFrame(pBar));
    if (pFrameTarget != nullptr)
        pBar->OnUpdateCmdUI(pFrameTarget, FALSE);

    if (!ActivatePopupMenu(TopFrameOf(this), this))
        return FALSE;

    RecalcLayout();
    return TRUE;
}

void CKtvPPopupMenu::ExpandRecentFiles()
{
    CWinApp* pApp = AfxGetApp();
    CRecentFileList* pList = pApp != nullptr ? pApp->m_pRecentFileList : nullptr;
    if (pList == nullptr)
        return;

    CKtvPPopupMenuBar* pBar = GetMenuBar();
    int iPlace = -1;
    for (int i = 0; i < pBar->GetCount(); i++) {
        CKtvPToolbarButton* pButton = pBar->GetButton(i);
        if (pButton->m_nID == kRecentFileFirst && pButton->m_strText == _T("Recent File")) {
            iPlace = i;
            break;
        }
    }
    if (iPlace < 0)
        return;
    pBar->RemoveButton(iPlace);

    // Files of the current folder show their bare names. The folder is given
    // as the list forms its paths' folders: without a closing separator.
    char szDir[MAX_PATH] = {};
    ::GetCurrentDirectory(MAX_PATH, szDir);
    const CString strDir = szDir;

    int nAdded = 0;
    for (int j = 0; j < pList->GetSize(); j++) {
        CString strName;
        if (!pList->GetDisplayName(strName, j, strDir, strDir.GetLength()))
            continue;
        CString strText;
        strText.Format(_T("&%d %s"), nAdded + 1, static_cast<LPCTSTR>(strName));
        CKtvPToolbarMenuButton item(kRecentFileFirst + j, nullptr, -1, strText);
        item.m_bTextShown = TRUE;
        item.m_bImageShown = FALSE;
        pBar->InsertButtonCopy(item, iPlace + nAdded);
        nAdded++;
    }

    // With no recent file the separators around the item would meet.
    if (nAdded == 0 && iPlace > 0 && iPlace < pBar->GetCount() && IsSeparatorItem(pBar->GetButton(iPlace - 1)) &&
        IsSeparatorItem(pBar->GetButton(iPlace)))
        pBar->RemoveButton(iPlace);
}

void CKtvPPopupMenu::ExpandUserTools()
{
    if (g_pUserToolsManager == nullptr)
        return;
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    const UINT uiPlaceholder = g_pUserToolsManager->GetToolsEntryCmd();
    const CObList& tools = g_pUserToolsManager->GetUserTools();

    BOOL bExpanded = FALSE;
    for (int i = 0; i < pBar->GetCount(); i++) {
        CKtvPToolbarButton* pButton = pBar->GetButton(i);
        if (IsSeparatorItem(pButton)) {
            if (i > 0 && IsSeparatorItem(pBar->GetButton(i - 1))) {
                pBar->RemoveButton(i);
                i--;
            }
            continue;
        }
        if (pButton->m_nID != uiPlaceholder)
            continue;
        pBar->RemoveButton(i);
        if (bExpanded) {
            i--;
            continue;
        }
        bExpanded = TRUE;

        int iAt = i;
        if (!tools.IsEmpty() && iAt > 0 && !IsSeparatorItem(pBar->GetButton(iAt - 1)))
            iAt = pBar->InsertSeparator(iAt) + 1;
        for (POSITION pos = tools.GetHeadPosition(); pos != nullptr;) {
            auto* pTool = static_cast<CKtvPUserTool*>(tools.GetNext(pos));
            const int iUserImage = GetCmdMgr()->GetCmdImage(pTool->m_uiCmdId, TRUE);
            CKtvPToolbarMenuButton item(pTool->m_uiCmdId, nullptr, iUserImage >= 0 ? iUserImage : 0,
                                        pTool->m_strLabel, iUserImage >= 0);
            item.m_bTextShown = TRUE;
            iAt = pBar->InsertButtonCopy(item, iAt) + 1;
        }
        if (!tools.IsEmpty() && iAt < pBar->GetCount())
            pBar->InsertSeparator(iAt);
        i = iAt - 1;
    }
}

BOOL CKtvPPopupMenu::ActivatePopupMenu(CFrameWnd* pTopFrame, CKtvPPopupMenu* pPopupMenu)
{
    if (pPopupMenu != nullptr)
        TellMessageWindow(pPopupMenu->m_pWndMessage, pPopupMenu);

    if (pTopFrame != nullptr) {
        CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pTopFrame);
        if (pHooks != nullptr && !pHooks->ShowPopupMenu(pPopupMenu)) {
            if (pPopupMenu != nullptr && !pPopupMenu->m_bClosing)
                pPopupMenu->CloseMenu(FALSE);
            return FALSE;
        }
    }

    if (pPopupMenu != nullptr) {
        CKtvPPopupMenuBar* pBar = pPopupMenu->GetMenuBar();
        const int nCount = pBar->GetCount();
        const BOOL bHasShowAll =
            nCount > 0 && pBar->GetButton(nCount - 1)->IsKindOf(RUNTIME_CLASS(CKtvPShowAllButton));
        if (pPopupMenu->m_pParentButton != nullptr && !pBar->m_bAllCommandsShown && !bHasShowAll)
            pBar->InsertButton(new CKtvPShowAllButton);
        if (pPopupMenu->m_bTrackMode)
            m_pActivePopupMenu = pPopupMenu;
    }
    return TRUE;
}

// --- placement -----------------------------------------------------------------------------------

void CKtvPPopupMenu::RecalcLayout(BOOL)
{
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    if (GetSafeHwnd() == nullptr || pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;

    const BOOL bCustomize = CKtvPToolBar::m_bCustomizeMode;
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    const int nBorder = pLook->GetPopupMenuBorderSize();
    const BOOL bTearOffStrip = m_pParentButton != nullptr && m_pParentButton->IsTearOffMenu() && !bCustomize;

    CRect rectWork;
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (::GetMonitorInfo(::MonitorFromPoint(m_ptPos, MONITOR_DEFAULTTONEAREST), &mi))
        rectWork = mi.rcWork;
    else
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectWork, 0);
    m_ptPos.x = std::max(rectWork.left, std::min(m_ptPos.x, rectWork.right));
    m_ptPos.y = std::max(rectWork.top, std::min(m_ptPos.y, rectWork.bottom));

    CSize size = pBar->CalcMaxButtonSize(TRUE);
    size.cx += 2 * nBorder;
    size.cy += 2 * nBorder;
    if (m_nLogoLocation == MENU_LOGO_LEFT || m_nLogoLocation == MENU_LOGO_RIGHT)
        size.cx += m_nLogoSize;
    else
        size.cy += m_nLogoSize;

    if (m_pEditPage != nullptr) {
        size.cy += ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * ::GetSystemMetrics(SM_CYBORDER) + 5;
    } else if (bTearOffStrip) {
        m_rectTearOff = CRect(nBorder, nBorder, size.cx - nBorder, nBorder + kTearOffHeight);
        size.cy += kTearOffHeight;
        if (m_wndToolTip.GetSafeHwnd() == nullptr && m_wndToolTip.Create(this)) {
            m_wndToolTip.Activate(TRUE);
            if (globalData.m_nTooltipMaxWidth != -1)
                m_wndToolTip.SetMaxTipWidth(globalData.m_nTooltipMaxWidth);
            CString strTip;
            strTip.LoadString(IDS_KTVP_TEAR_OFF);
            m_wndToolTip.AddTool(this, strTip, m_rectTearOff, 1);
        }
    } else {
        m_rectTearOff.SetRectEmpty();
    }

    CKtvPPopupMenu* pParentPopup = GetParentPopupMenu();
    CWnd* pParentBar = m_pParentButton != nullptr ? m_pParentButton->m_pWndParent : nullptr;
    auto* pParentMenuBar = DYNAMIC_DOWNCAST(CKtvPMenuBar, pParentBar);

    // Horizontal fit: to the left of the parent, else against the work area's edge.
    const BOOL bOutside = m_bAlignRight ? m_ptPos.x < rectWork.left : m_ptPos.x + size.cx > rectWork.right;
    if (bOutside) {
        if (pParentPopup != nullptr) {
            CRect rectParent;
            pParentPopup->GetWindowRect(rectParent);
            m_ptPos.x = rectParent.left - size.cx;
            m_nDropDirection = DROP_DIRECTION_LEFT;
        } else if (pParentMenuBar != nullptr && !pParentMenuBar->IsHorizontal()) {
            CRect rectButton = m_pParentButton->m_rect;
            pParentBar->ClientToScreen(rectButton);
            m_ptPos.x = rectButton.left - size.cx;
            m_nDropDirection = DROP_DIRECTION_LEFT;
        } else {
            m_ptPos.x = m_bAlignRight ? rectWork.left + 1 : rectWork.right - size.cx - 1;
        }
        if (m_ptPos.x < rectWork.left) {
            m_ptPos.x = rectWork.left;
            m_nDropDirection = DROP_DIRECTION_NONE;
        }
        if (m_nAnimationType == UNFOLD)
            m_bAnimRight = FALSE;
        else if (m_nAnimationType == FADE)
            m_bAnimRight = m_bAnimDown = FALSE;
    }

    // Vertical fit: above the button, or level with the parent item, or scrolled.
    if (m_ptPos.y + size.cy > rectWork.bottom) {
        m_bAnimDown = FALSE;
        if (pParentBar != nullptr && pParentPopup == nullptr && pParentBar->GetSafeHwnd() != nullptr) {
            CRect rectButton = m_pParentButton->m_rect;
            pParentBar->ClientToScreen(rectButton);
            const int yTop = rectButton.top;
            if (yTop - size.cy < rectWork.top) {
                if (rectWork.bottom - yTop < yTop - rectWork.top) {
                    m_ptPos.y = rectWork.top;
                    m_nDropDirection = DROP_DIRECTION_NONE;
                    size.cy = yTop - rectWork.top;
                } else {
                    size.cy = rectWork.bottom - m_ptPos.y;
                    m_bAnimDown = TRUE;
                }
                m_bScrollable = TRUE;
            } else {
                m_ptPos.y = yTop - size.cy;
                m_nDropDirection = DROP_DIRECTION_TOP;
            }
        } else {
            m_ptPos.y -= size.cy;
            if (pParentPopup != nullptr)
                m_ptPos.y += pParentPopup->GetMenuBar()->GetRowHeight() + 2 * nBorder;
        }
        if (m_ptPos.y < rectWork.top) {
            m_ptPos.y = rectWork.top;
            m_nDropDirection = DROP_DIRECTION_NONE;
        }
        if (m_ptPos.y + size.cy > rectWork.bottom) {
            size.cy = rectWork.bottom - m_ptPos.y;
            m_bScrollable = TRUE;
        }
    }

    if (pLook->IsMenuAttachedToButton() && pParentPopup != nullptr && m_pParentButton->m_bArrowDown) {
        pParentPopup->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        if (pParentPopup->m_bShowAllForced && !m_bShowAllForced) {
            m_ptPos.x += m_nDropDirection == DROP_DIRECTION_LEFT ? 4 : -4;
            m_ptPos.y += 1;
        }
    }

    m_sizeFinal = size;

    if (m_nAnimationType != NO_ANIMATION && !m_bAnimationDone && !bCustomize) {
        // The animation sizes the window as it goes.
    } else {
        const int nShadow = bCustomize ? 0 : m_nShadowDepth;
        const CSize sizeWindow(size.cx + nShadow, size.cy + nShadow);
        if (m_pEditPage != nullptr)
            SetWindowPos(nullptr, 0, 0, sizeWindow.cx, sizeWindow.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        else
            SetWindowPos(nullptr, m_ptPos.x, m_ptPos.y, sizeWindow.cx, sizeWindow.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (m_nAnimationType != NO_ANIMATION && !m_bAnimationDone && !bCustomize)
        SetWindowPos(nullptr, m_ptPos.x, m_ptPos.y, size.cx + m_nShadowDepth, size.cy + m_nShadowDepth,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    if (bCustomize)
        pBar->AdjustLocations();

    RepaintShadowOverParentButton();
}

void CKtvPPopupMenu::RepaintShadowOverParentButton()
{
    if (m_nShadowDepth == 0 || CKtvPToolBar::m_bCustomizeMode || m_pParentButton == nullptr)
        return;
    CWnd* pBar = m_pParentButton->m_pWndParent;
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;

    const BOOL bShownBefore = m_bShown;
    m_bShown = TRUE;
    CRect w;
    GetWindowRect(w);
    CRect rectRight(w.right + 1, w.top, w.right + 1 + m_nShadowDepth, w.bottom + m_nShadowDepth);
    CRect rectBottom(w.left, w.bottom + 1, w.right + m_nShadowDepth, w.bottom + 1 + m_nShadowDepth);
    pBar->ScreenToClient(rectRight);
    pBar->ScreenToClient(rectBottom);
    CRect rectOverlap;
    if (rectOverlap.IntersectRect(rectRight, m_pParentButton->m_rect) ||
        rectOverlap.IntersectRect(rectBottom, m_pParentButton->m_rect)) {
        pBar->InvalidateRect(m_pParentButton->m_rect);
        pBar->UpdateWindow();
    }
    m_bShown = bShownBefore;
}

// --- items ---------------------------------------------------------------------------------------

int CKtvPPopupMenu::InsertItem(const CKtvPToolbarButton& button, int iInsertAt)
{
    return GetMenuBar()->InsertButtonCopy(button, iInsertAt);
}

int CKtvPPopupMenu::InsertSeparator(int iInsertAt) { return GetMenuBar()->InsertSeparator(iInsertAt); }

int CKtvPPopupMenu::GetMenuItemCount() const
{
    return const_cast<CKtvPPopupMenu*>(this)->GetMenuBar()->GetCount();
}

CKtvPToolbarButton* CKtvPPopupMenu::GetMenuItem(int iIndex) const
{
    return const_cast<CKtvPPopupMenu*>(this)->GetMenuBar()->GetButton(iIndex);
}

BOOL CKtvPPopupMenu::RemoveItem(int iIndex) { return GetMenuBar()->RemoveButton(iIndex); }

void CKtvPPopupMenu::RemoveAllItems() { GetMenuBar()->RemoveAllButtons(); }

// --- the chain -----------------------------------------------------------------------------------

CKtvPPopupMenu* CKtvPPopupMenu::GetParentPopupMenu() const
{
    if (m_pParentButton == nullptr)
        return nullptr;
    auto* pBar = DYNAMIC_DOWNCAST(CKtvPPopupMenuBar, m_pParentButton->m_pWndParent);
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CKtvPPopupMenu, pBar->GetParentFrame());
}

CKtvPToolBar* CKtvPPopupMenu::GetParentToolBar() const
{
    return m_pParentButton != nullptr ? DYNAMIC_DOWNCAST(CKtvPToolBar, m_pParentButton->m_pWndParent) : nullptr;
}

CKtvPToolbarMenuButton* CKtvPPopupMenu::GetSelItem()
{
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    return DYNAMIC_DOWNCAST(CKtvPToolbarMenuButton, pBar->GetButton(pBar->m_iHighlighted));
}

int CKtvPPopupMenu::HitTest(CPoint pt) const
{
    CRect rectClient;
    GetClientRect(rectClient);
    ClientToScreen(rectClient);
    if (!rectClient.PtInRect(pt))
        return OUTSIDE;

    CPoint ptClient = pt;
    ScreenToClient(&ptClient);
    CRect rect;
    GetClientRect(rect);
    if (m_nLogoSize > 0) {
        CRect rectLogo = rect;
        const int nBorder = CKtvPVisualManager::GetInstance()->GetPopupMenuBorderSize();
        switch (m_nLogoLocation) {
        case MENU_LOGO_LEFT: rectLogo.right = rectLogo.left + m_nLogoSize + nBorder; break;
        case MENU_LOGO_RIGHT: rectLogo.left = rectLogo.right - m_nLogoSize - nBorder; break;
        case MENU_LOGO_TOP: rectLogo.bottom = rectLogo.top + m_nLogoSize + nBorder; break;
        default: rectLogo.top = rectLogo.bottom - m_nLogoSize - nBorder; break;
        }
        if (rectLogo.PtInRect(ptClient))
            return LOGO;
    }
    if (ptClient.x > rect.right - m_nShadowDepth)
        return SHADOW_RIGHT;
    if (ptClient.y > rect.bottom - m_nShadowDepth)
        return SHADOW_BOTTOM;
    if (m_rectTearOff.PtInRect(ptClient))
        return TEAROFF_CAPTION;
    return MENU;
}

void CKtvPPopupMenu::CloseMenu(BOOL bSetFocus)
{
    if (GetSafeHwnd() == nullptr)
        return;
    m_bClosing = TRUE;
    WriteBackToParentButtons();

    CFrameWnd* pTopFrame = TopFrameOf(this);
    if (CKtvPPopupMenu* pParentPopup = GetParentPopupMenu()) {
        m_bCloseParentOnDestroy = FALSE;
        ActivatePopupMenu(pTopFrame, pParentPopup);
    } else {
        ActivatePopupMenu(pTopFrame, nullptr);
        if (m_pActivePopupMenu == this || m_pActivePopupMenu == nullptr)
            TellMessageWindow(m_pWndMessage, nullptr);
        if (bSetFocus) {
            if (CKtvPToolBar* pParentBar = GetParentToolBar(); pParentBar != nullptr && pParentBar->GetSafeHwnd())
                pParentBar->SetFocus();
        }
    }
    SendMessage(WM_CLOSE);
}

void CKtvPPopupMenu::WriteBackToParentButtons()
{
    for (CKtvPPopupMenu* pPopup = this; pPopup != nullptr && CKtvPToolBar::m_bCustomizeMode;
         pPopup = pPopup->GetParentPopupMenu()) {
        CKtvPToolbarMenuButton* pButton = pPopup->m_pParentButton;
        if (pButton == nullptr || pButton->m_bPaletteMenu || pPopup->GetMenuBar()->GetSafeHwnd() == nullptr)
            continue;
        HMENU hMenu = pPopup->GetMenuBar()->ExportToMenu();
        pButton->CreateFromMenu(hMenu);
        ::DestroyMenu(hMenu);
    }
}

void CKtvPPopupMenu::ShowAllCommands()
{
    m_bSavedRecentlyUsed = CKtvPMenuBar::m_bRecentlyUsedMenus;
    CKtvPMenuBar::m_bRecentlyUsedMenus = FALSE;
    m_bShowAllForced = TRUE;
}

void CKtvPPopupMenu::ShowAllItems()
{
    if (m_pParentButton == nullptr)
        return;
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    pBar->SetDroppedMenuButton(nullptr);
    CKtvPMenuBar::m_bShowAllCommands = TRUE;
    CKtvPMenuSound::PlayMenuSound(CKtvPMenuSound::ktvpSoundMenuPopup);

    ShowWindow(SW_HIDE);
    m_bShown = FALSE;
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    m_ptPos = m_ptPosInitial;
    InitMenuBar();
    CheckShadowFits(FALSE);
    ShowWindow(SW_SHOWNOACTIVATE);

    if (CWnd* pParentBar = m_pParentButton->m_pWndParent; pParentBar != nullptr && pParentBar->GetSafeHwnd()) {
        pParentBar->InvalidateRect(m_pParentButton->m_rect);
        pParentBar->UpdateWindow();
    }
}

BOOL CKtvPPopupMenu::PostCommand(UINT uiCommandID)
{
    if (m_pWndMessage == nullptr || m_pWndMessage->GetSafeHwnd() == nullptr)
        return FALSE;
    return m_pWndMessage->PostMessage(WM_COMMAND, uiCommandID);
}

void CKtvPPopupMenu::CancelAllItems()
{
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    for (int i = 0; i < pBar->GetCount(); i++)
        pBar->GetButton(i)->OnCancelMode();
}

// --- tear-off ------------------------------------------------------------------------------------

BOOL CKtvPPopupMenu::TearOff(CPoint point)
{
    if (m_pParentButton == nullptr || m_pParentButton->m_uiTearOffId == 0)
        return FALSE;
    ClientToScreen(&point);
    CFrameWnd* pFrame = TopFrameOf(this);
    CKtvPFrameHooks* pHooks = KtvGetFrameHooks(pFrame);
    if (pHooks == nullptr)
        return FALSE;

    const UINT uiID = m_pParentButton->m_uiTearOffId;
    if (auto* pExisting = DYNAMIC_DOWNCAST(CKtvPControlBar, pHooks->GetControlBar(uiID))) {
        pHooks->ShowControlBar(pExisting, TRUE, FALSE, TRUE);
        CRect rect;
        pExisting->GetWindowRect(rect);
        rect.OffsetRect(point - rect.TopLeft());
        if (pExisting->IsDocked())
            pExisting->FloatControlBar(rect, 3, TRUE);
        else
            pExisting->MoveControlBar(rect, TRUE);
        return TRUE;
    }

    CString strName = m_pParentButton->m_strText;
    strName.Remove(_T('&'));
    CKtvPControlBar* pBar = CreateTearOffBar(pFrame, uiID, strName);
    if (pBar == nullptr)
        return FALSE;
    if (CKtvPFrameImpl* pImpl = pHooks->GetFrameImpl())
        pImpl->AddTearOffToolbar(pBar);
    if (!pHooks->OnTearOffMenu(this, pBar)) {
        pBar->DestroyWindow();
        delete pBar;
        return FALSE;
    }

    pBar->OnUpdateCmdUI(pFrame, TRUE);
    const CSize size = pBar->CalcMaxButtonSize(FALSE);
    pBar->FloatControlBar(CRect(point, size), 3, TRUE);
    pBar->RecalcLayout();
    pFrame->RecalcLayout();
    // The new floating bar follows the mouse until the button comes up.
    CKtvPMiniFrameWnd* pMiniFrame = pBar->GetParentMiniFrame(TRUE);
    if (pMiniFrame == nullptr)
        return FALSE;
    if (pMiniFrame->MoveLoop(this))
        return TRUE;
    // A cancelled move destroys the new bar's window and takes it off the
    // frame's tear-off list; the dock manager forgets it too, so that the
    // object can go without leaving a pointer behind.
    if (pBar->GetSafeHwnd() == nullptr) {
        pHooks->RemoveControlBarFromDockManager(pBar, FALSE, FALSE, FALSE);
        pHooks->RemoveControlBarFromDockManager(pBar, FALSE, FALSE, TRUE);
        delete pBar;
    }
    return FALSE;
}

CKtvPControlBar* CKtvPPopupMenu::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName)
{
    if (m_hMenu == nullptr || pWndMain == nullptr)
        return nullptr;
    auto* pBar = new CKtvPToolBar;
    if (!pBar->Create(pWndMain, 0x50402808, uiID)) {
        delete pBar;
        return nullptr;
    }
    pBar->SetWindowText(lpszName);

    const int nCount = ::GetMenuItemCount(m_hMenu);
    const UINT uiToolsPlaceholder = g_pUserToolsManager != nullptr ? g_pUserToolsManager->GetToolsEntryCmd() : 0;
    for (int i = 0; i < nCount; i++) {
        const UINT uiCmd = ::GetMenuItemID(m_hMenu, i);
        char szText[256] = {};
        ::GetMenuString(m_hMenu, (UINT)i, szText, sizeof szText, MF_BYPOSITION);
        CString strText = szText;

        if (uiCmd == 0) {
            if (i != nCount - 1)
                pBar->InsertSeparator();
            continue;
        }
        const BOOL bSkipped = (uiCmd >= 0xE110 && uiCmd <= 0xE11F) || (uiCmd >= 0xF000 && uiCmd < 0xF1F0) ||
                              (uiCmd >= 0xFF00 && uiCmd != (UINT)-1) || (uiCmd >= 0xE210 && uiCmd <= 0xE21F) ||
                              (uiToolsPlaceholder != 0 && uiCmd == uiToolsPlaceholder);
        if (bSkipped)
            continue;
        if (uiCmd == (UINT)-1) {
            const int iTab = strText.Find(_T('\t'));
            if (iTab >= 0)
                strText = strText.Left(iTab);
            const UINT uiTearOff = g_pTearOffMenuManager != nullptr ? CKtvPTearOffManager::Parse(strText) : 0;
            CKtvPToolbarMenuButton button((UINT)-1, ::GetSubMenu(m_hMenu, i), -1, strText);
            button.SetTearOffMenu(uiTearOff);
            button.m_bTextShown = TRUE;
            pBar->InsertButtonCopy(button);
        } else {
            CKtvPToolbarButton button(uiCmd, -1, strText);
            button.m_bTextShown = button.GetImage() == -1;
            pBar->InsertButtonCopy(button);
        }
    }
    pBar->SetBarStyle(pBar->GetBarStyle() | 0x34);
    pBar->EnableDocking(0xF000);
    // A torn-off menu is a floating bar: without leave to float it could not
    // leave the frame at all.
    pBar->SetControlBarStyle(pBar->GetControlBarStyle() | KTVP_CBRS_FLOAT);
    if (m_pParentButton != nullptr && m_pParentButton->m_bPaletteMenu && m_pParentButton->m_nPaletteRows > 0)
        pBar->m_nMaxLen = pBar->GetColumnWidth() * (pBar->GetCount() / m_pParentButton->m_nPaletteRows + 1);
    return pBar;
}

// --- keyboard ------------------------------------------------------------------------------------

void CKtvPPopupMenu::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    CKtvPToolBar* pParentBar = GetParentToolBar();

    switch (nChar) {
    case VK_ESCAPE:
        CloseMenu(TRUE);
        return;

    case VK_LEFT:
        if (pParentBar != nullptr) {
            pParentBar->PrevMenu();
        } else if (m_pParentButton != nullptr && m_pParentButton->m_pPopupMenu == this) {
            CloseMenu(FALSE);
        }
        return;

    case VK_RIGHT: {
        const int nAnimation = m_nAnimationType;
        m_nAnimationType = NO_ANIMATION;
        CKtvPToolbarMenuButton* pSel = GetSelItem();
        BOOL bOpened = FALSE;
        if (pSel != nullptr && (pSel->m_nID == (UINT)-1 || pSel->m_nID == 0 || pSel->IsEmptyMenuAllowed())) {
            bOpened = pSel->OpenPopupMenu(pBar);
            if (bOpened && pSel == GetSelItem() && pSel->m_pPopupMenu != nullptr)
                pSel->m_pPopupMenu->SendMessage(WM_KEYDOWN, VK_HOME);
        }
        if (!bOpened) {
            if (pParentBar != nullptr && !pParentBar->IsKindOf(RUNTIME_CLASS(CKtvPPopupMenuBar)))
                pParentBar->NextMenu();
            else if (CKtvPPopupMenu* pParentPopup = GetParentPopupMenu())
                pParentPopup->SendMessage(WM_KEYDOWN, VK_RIGHT);
        }
        m_nAnimationType = nAnimation;
        return;
    }

    case VK_DOWN:
        if (::GetAsyncKeyState(VK_CONTROL) < 0 && !pBar->m_bAllCommandsShown) {
            ShowAllItems();
            return;
        }
        [[fallthrough]];
    case VK_UP:
    case VK_HOME:
    case VK_END:
        if (!CKtvPToolBar::m_bCustomizeMode)
            pBar->OnKey(nChar);
        BringHotItemIntoView();
        return;

    case VK_RETURN:
        if (!CKtvPToolBar::m_bCustomizeMode)
            pBar->OnKey(nChar);
        return;

    default:
        if (!pBar->OnKey(nChar))
            CMiniFrameWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
}

void CKtvPPopupMenu::BringHotItemIntoView()
{
    if (!m_bScrollable)
        return;
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    CKtvPToolbarButton* pHot = pBar->GetButton(pBar->m_iHighlighted);
    const int nRowHeight = pBar->GetRowHeight();
    if (pHot == nullptr || nRowHeight <= 0)
        return;

    CRect rectClient;
    pBar->GetClientRect(rectClient);
    int nDelta = 0;
    if (pHot->m_rect.top < rectClient.top)
        nDelta = (pHot->m_rect.top - rectClient.top) / nRowHeight - 1;
    else if (pHot->m_rect.bottom > rectClient.bottom)
        nDelta = (pHot->m_rect.bottom - rectClient.bottom) / nRowHeight + 1;
    if (nDelta == 0)
        return;

    const int nMaxOffset = pBar->GetCount() - (m_sizeFinal.cy / nRowHeight - 2) - 1;
    const int nOffset = std::min(std::max(0, pBar->m_iScrollOffset + nDelta), std::max(0, nMaxOffset));
    if (nOffset != pBar->m_iScrollOffset) {
        pBar->m_iScrollOffset = nOffset;
        pBar->AdjustLocations();
    }
    if (UpdateScrollButtons())
        UpdateScrollButtons();
}

// --- lifetime ------------------------------------------------------------------------------------

void CKtvPPopupMenu::OnDestroy()
{
    const BOOL bCustomize = CKtvPToolBar::m_bCustomizeMode;
    CKtvPPopupMenuBar* pBar = GetMenuBar();

    if (m_bShowAllForced) {
        CKtvPMenuBar::m_bRecentlyUsedMenus = m_bSavedRecentlyUsed;
        if (auto* pMiniFrame = DYNAMIC_DOWNCAST(CKtvPMiniFrameWnd, GetParent())) {
            const CObList& buttons = pMiniFrame->GetCaptionButtonList();
            for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
                auto* pButton = static_cast<CKtvPCaptionButton*>(buttons.GetNext(pos));
                if (pButton->GetHit() == 25)
                    pButton->m_bPushed = FALSE;
            }
            pMiniFrame->SendMessage(WM_NCPAINT);
        }
    }

    if (bCustomize && pBar->m_pDragButton != nullptr && !pBar->m_bIsDragCopy) {
        const int iDrag = pBar->ButtonToIndex(pBar->m_pDragButton);
        if (iDrag >= 0)
            pBar->RemoveButton(iDrag);
        pBar->m_pDragButton = nullptr;
    }

    if (m_pParentButton != nullptr) {
        WriteBackToParentButtons();
        m_pParentButton->m_pPopupMenu = nullptr;
        m_pParentButton->m_bClickedOnMenu = FALSE;
        CKtvPPopupMenu* pParentPopup = GetParentPopupMenu();
        if (pParentPopup != nullptr && m_bCloseParentOnDestroy && !bCustomize) {
            m_pParentButton = nullptr;
            pParentPopup->SendMessage(WM_CLOSE);
        }
    } else {
        CKtvPMenuBar::m_bShowAllCommands = FALSE;
    }

    if (m_pEditPage != nullptr)
        m_pEditPage->OnContextMenuClosed();
    TellMessageWindow(m_pWndMessage, nullptr);

    if (CKtvPFrameHooks* pHooks = KtvGetFrameHooks(TopFrameOf(this)))
        pHooks->OnClosePopupMenu(this);

    if (m_bTrackMode && m_pActivePopupMenu == this)
        m_pActivePopupMenu = nullptr;

    if (!bCustomize && m_pActivePopupMenu == nullptr) {
        CKtvPToolBar* pParentBar = GetParentToolBar();
        if (pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr && CWnd::GetFocus() != pParentBar)
            pParentBar->RestoreFocus();
    }
    CMiniFrameWnd::OnDestroy();
}

void CKtvPPopupMenu::OnActivateApp(BOOL bActive, DWORD)
{
    if (bActive || CKtvPToolBar::m_bCustomizeMode || InCommand())
        return;
    if (m_bTrackMode)
        m_bClosing = TRUE;
    PostMessage(WM_CLOSE);
}

// --- drawing -------------------------------------------------------------------------------------

void CKtvPPopupMenu::OnPaint()
{
    CPaintDC dc(this);
    if (m_bAnimationDone || CKtvPToolBar::m_bCustomizeMode)
        DrawFrame(&dc);
    else
        DrawAnimation(&dc);
}

void CKtvPPopupMenu::DrawFrame(CDC* pDC)
{
    CKtvPVisualManager* pLook = CKtvPVisualManager::GetInstance();
    CRect rect;
    GetClientRect(rect);

    if (m_nShadowDepth > 0 && !CKtvPToolBar::m_bCustomizeMode) {
        rect.right -= m_nShadowDepth;
        rect.bottom -= m_nShadowDepth;
        CRect rectJoint;
        CWnd* pParentBar = m_pParentButton != nullptr ? m_pParentButton->m_pWndParent : nullptr;
        CKtvPPopupMenu* pParentPopup = GetParentPopupMenu();
        if (pParentBar != nullptr && pParentBar->GetSafeHwnd() != nullptr && pParentPopup == nullptr) {
            rectJoint = m_pParentButton->m_rect;
            rectJoint.right--;
            rectJoint.bottom--;
            pParentBar->MapWindowPoints(this, rectJoint);
        } else if (pLook->IsMenuAttachedToButton() && pParentPopup != nullptr && m_pParentButton->m_bArrowDown &&
                   pParentPopup->m_bShowAllForced && !m_bShowAllForced &&
                   m_nDropDirection == DROP_DIRECTION_LEFT) {
            rectJoint = m_pParentButton->m_rect;
            rectJoint.bottom += 2;
            pParentBar->MapWindowPoints(this, rectJoint);
        }
        pLook->OnDrawMenuShadow(pDC, rect, rectJoint, m_nShadowDepth, 100, 65, &m_bmpShadowBottom,
                                &m_bmpShadowRight);
    }

    pLook->OnDrawMenuBorder(pDC, this, rect);

    const int nBorder = pLook->GetPopupMenuBorderSize();
    rect.DeflateRect(nBorder, nBorder);
    if (m_nLogoSize > 0) {
        CRect rectLogo = rect;
        switch (m_nLogoLocation) {
        case MENU_LOGO_LEFT: rectLogo.right = rectLogo.left + m_nLogoSize + nBorder; break;
        case MENU_LOGO_RIGHT: rectLogo.left = rectLogo.right - m_nLogoSize - nBorder; break;
        case MENU_LOGO_TOP: rectLogo.bottom = rectLogo.top + m_nLogoSize + nBorder; break;
        default: rectLogo.top = rectLogo.bottom - m_nLogoSize - nBorder; break;
        }
        if (CKtvPFrameHooks* pHooks = KtvGetFrameHooks(TopFrameOf(this)))
            pHooks->OnDrawMenuLogo(pDC, this, rectLogo);
    }

    if (!m_rectTearOff.IsRectEmpty())
        pLook->OnDrawTearOffCaption(pDC, m_rectTearOff, m_bTearOffHot);

    if (CanScrollUp())
        DrawScrollButton(pDC, m_rectScrollUp, CKtvPMenuImages::IdArowUp, m_nScrollDirection < 0);
    if (CanScrollDown())
        DrawScrollButton(pDC, m_rectScrollDown, CKtvPMenuImages::IdArowDown, m_nScrollDirection > 0);

    m_bShown = TRUE;
}

void CKtvPPopupMenu::DrawScrollButton(CDC* pDC, const CRect& rect, int nGlyph, BOOL bHighlight)
{
    CRect rectFill = rect;
    rectFill.top -= 2;
    pDC->FillRect(rectFill, &globalData.brBtnFace);
    const CSize sizeGlyph = CKtvPMenuImages::Size();
    CKtvPMenuImages::Draw(pDC, nGlyph,
                          CPoint(rect.left + (rect.Width() - sizeGlyph.cx) / 2,
                                 rect.top + (rect.Height() - sizeGlyph.cy) / 2));
    if (bHighlight)
        pDC->Draw3dRect(rect, globalData.clrBarHilite, globalData.clrBarShadow);
}

void CKtvPPopupMenu::DrawAnimation(CDC* pDC)
{
    const int nShadow = m_nShadowDepth;
    const int cx = m_sizeFinal.cx + nShadow;
    const int cy = m_sizeFinal.cy + nShadow;
    if (cx <= 0 || cy <= 0)
        return;

    CRect rectClient;
    GetClientRect(rectClient);
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(pDC))
        return;

    if (m_bmpAnimMenu.GetSafeHandle() == nullptr) {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = cx;
        bi.bmiHeader.biHeight = cy;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        bi.bmiHeader.biSizeImage = (DWORD)(cx * cy);
        HBITMAP hBack = ::CreateDIBSection(pDC->GetSafeHdc(), &bi, DIB_RGB_COLORS,
                                           reinterpret_cast<void**>(&m_pAnimBackBits), nullptr, 0);
        HBITMAP hMenu = ::CreateDIBSection(pDC->GetSafeHdc(), &bi, DIB_RGB_COLORS,
                                           reinterpret_cast<void**>(&m_pAnimMenuBits), nullptr, 0);
        HBITMAP hMix = ::CreateDIBSection(pDC->GetSafeHdc(), &bi, DIB_RGB_COLORS,
                                          reinterpret_cast<void**>(&m_pAnimMixBits), nullptr, 0);
        if (hBack == nullptr || hMenu == nullptr || hMix == nullptr) {
            for (HBITMAP h : {hBack, hMenu, hMix})
                if (h != nullptr)
                    ::DeleteObject(h);
            m_pAnimBackBits = m_pAnimMenuBits = m_pAnimMixBits = nullptr;
            return;
        }
        m_bmpAnimBack.Attach(hBack);
        m_bmpAnimMenu.Attach(hMenu);
        m_bmpAnimMix.Attach(hMix);

        CBitmap* pOld = dcMem.SelectObject(&m_bmpAnimBack);
        dcMem.BitBlt(0, 0, cx, cy, pDC, rectClient.left, rectClient.top, SRCCOPY);
        dcMem.SelectObject(pOld);
        memcpy(m_pAnimMenuBits, m_pAnimBackBits, sizeof(DWORD) * (size_t)cx * (size_t)cy);

        pOld = dcMem.SelectObject(&m_bmpAnimMenu);
        DrawFrame(&dcMem);
        CKtvPPopupMenuBar* pBar = GetMenuBar();
        CRect rectBar;
        pBar->GetWindowRect(rectBar);
        ScreenToClient(rectBar);
        const CPoint ptOrg = dcMem.SetViewportOrg(rectBar.TopLeft());
        pBar->DoPaint(&dcMem);
        dcMem.SetViewportOrg(ptOrg);
        dcMem.SelectObject(pOld);
    }

    if (m_nAnimationType == UNFOLD || m_nAnimationType == SLIDE) {
        CBitmap* pOld = dcMem.SelectObject(&m_bmpAnimMenu);
        const int x = m_bAnimRight ? rectClient.left : rectClient.right - m_sizeAnim.cx;
        const int y = m_bAnimDown ? rectClient.top : rectClient.bottom - m_sizeAnim.cy;
        pDC->BitBlt(x, y, m_sizeAnim.cx, m_sizeAnim.cy, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
    } else if (m_nAnimationType == FADE) {
        const int nPercent = std::min(m_nFadePercent, 100);
        for (int i = 0; i < cx * cy; i++)
            m_pAnimMixBits[i] = CKtvPDrawManager::BlendColors(m_pAnimBackBits[i], m_pAnimMenuBits[i], 100 - nPercent);
        CBitmap* pOld = dcMem.SelectObject(&m_bmpAnimMix);
        pDC->BitBlt(rectClient.left, rectClient.top, cx, cy, &dcMem, 0, 0, SRCCOPY);
        dcMem.SelectObject(pOld);
    }
}

void CKtvPPopupMenu::OnSize(UINT nType, int cx, int cy)
{
    CMiniFrameWnd::OnSize(nType, cx, cy);
    if (GetMenuBar()->GetSafeHwnd() != nullptr)
        UpdateScrollButtons(TRUE);
    if (m_nLogoSize > 0) {
        CRect rectLogo;
        GetClientRect(rectLogo);
        const int nStrip = m_nLogoSize + CKtvPVisualManager::GetInstance()->GetPopupMenuBorderSize();
        switch (m_nLogoLocation) {
        case MENU_LOGO_LEFT: rectLogo.right = rectLogo.left + nStrip; break;
        case MENU_LOGO_RIGHT: rectLogo.left = rectLogo.right - nStrip; break;
        case MENU_LOGO_TOP: rectLogo.bottom = rectLogo.top + nStrip; break;
        default: rectLogo.top = rectLogo.bottom - nStrip; break;
        }
        InvalidateRect(rectLogo);
        UpdateWindow();
    }
}

void CKtvPPopupMenu::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CMiniFrameWnd::OnShowWindow(bShow, nStatus);
    if (!bShow)
        m_bShown = FALSE;
}

void CKtvPPopupMenu::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAnimationTimer)
        OnAnimationStep();
    else if (nIDEvent == kScrollTimer)
        OnScrollStep();
    Default();
}

void CKtvPPopupMenu::OnAnimationStep()
{
    if (m_bAnimationDone)
        return;
    const clock_t now = (clock_t)::GetTickCount();
    const int nSteps = (int)((double)(now - m_nAnimTimeStart) / m_nAnimationSpeed + 0.5);
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    const int nShadow = m_nShadowDepth;

    BOOL bDone = FALSE;
    switch (m_nAnimationType) {
    case UNFOLD:
        m_sizeAnim.cx += nSteps * pBar->GetColumnWidth();
        m_sizeAnim.cy += nSteps * pBar->GetRowHeight();
        bDone = m_sizeAnim.cy - nShadow >= m_sizeFinal.cy || m_sizeAnim.cx - nShadow >= m_sizeFinal.cx;
        break;
    case SLIDE:
        m_sizeAnim.cy += nSteps * pBar->GetRowHeight();
        bDone = m_sizeAnim.cy - nShadow >= m_sizeFinal.cy;
        break;
    case FADE:
        m_nFadePercent += 10;
        if (m_nFadePercent > 100 + 10 * nSteps)
            m_nFadePercent = 101;
        bDone = m_nFadePercent > 100;
        break;
    default:
        bDone = TRUE;
        break;
    }

    if (bDone) {
        m_sizeAnim = CSize(m_sizeFinal.cx + nShadow, m_sizeFinal.cy + nShadow);
        KillTimer(kAnimationTimer);
        pBar->SetWindowPos(nullptr, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_SHOWWINDOW);
        pBar->ValidateRect(nullptr);
        m_bAnimationDone = TRUE;
    }
    Invalidate();
    UpdateWindow();
    m_nAnimTimeStart = now;
}

// --- scrolling -----------------------------------------------------------------------------------

BOOL CKtvPPopupMenu::CanScrollUp() { return GetMenuBar()->m_iScrollOffset > 0; }

BOOL CKtvPPopupMenu::CanScrollDown()
{
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    const int nCount = pBar->GetCount();
    if (nCount == 0)
        return FALSE;
    return pBar->GetButton(nCount - 1)->m_rect.bottom > pBar->GetRowHeight() + m_nMenuBarHeight;
}

CRect CKtvPPopupMenu::GetInnerRect() const
{
    CRect rect;
    GetClientRect(rect);
    if (!CKtvPToolBar::m_bCustomizeMode) {
        rect.right -= m_nShadowDepth;
        rect.bottom -= m_nShadowDepth;
    }
    const int nBorder = CKtvPVisualManager::GetInstance()->GetPopupMenuBorderSize();
    rect.DeflateRect(nBorder, nBorder);
    switch (m_nLogoLocation) {
    case MENU_LOGO_LEFT: rect.left += m_nLogoSize; break;
    case MENU_LOGO_RIGHT: rect.right -= m_nLogoSize; break;
    case MENU_LOGO_TOP: rect.top += m_nLogoSize; break;
    default: rect.bottom -= m_nLogoSize; break;
    }
    if (!m_rectTearOff.IsRectEmpty())
        rect.top += m_rectTearOff.Height();
    return rect;
}

BOOL CKtvPPopupMenu::UpdateScrollButtons(BOOL bForce)
{
    CKtvPPopupMenuBar* pBar = GetMenuBar();
    CRect rectInner = GetInnerRect();
    const int nBorder = CKtvPVisualManager::GetInstance()->GetPopupMenuBorderSize();
    const CRect rectUpOld = m_rectScrollUp;
    const CRect rectDownOld = m_rectScrollDown;
    m_rectScrollUp.SetRectEmpty();
    m_rectScrollDown.SetRectEmpty();
    const UINT uiFlags = SWP_NOZORDER | SWP_NOACTIVATE;

    if (m_bScrollable) {
        if (CanScrollUp()) {
            m_rectScrollUp = rectInner;
            m_rectScrollUp.top = rectInner.top + nBorder;
            m_rectScrollUp.bottom = m_rectScrollUp.top + m_nScrollButtonHeight;
            rectInner.top += m_nScrollButtonHeight + nBorder;
        }
        if (CanScrollDown()) {
            m_rectScrollDown = rectInner;
            m_rectScrollDown.top = rectInner.bottom - m_nScrollButtonHeight;
            rectInner.bottom -= m_nScrollButtonHeight + nBorder;
        }
    } else if (!m_bAnimationDone) {
        KillTimer(kScrollTimer);
        m_nScrollDirection = 0;
        pBar->SetWindowPos(nullptr, rectInner.left, rectInner.top, rectInner.Width(), rectInner.Height(),
                           uiFlags | SWP_NOREDRAW);
    }

    if (!bForce && rectUpOld == m_rectScrollUp && rectDownOld == m_rectScrollDown) {
        pBar->AdjustLayout();
        return FALSE;
    }
    pBar->SetWindowPos(nullptr, rectInner.left, rectInner.top, rectInner.Width(), rectInner.Height(), uiFlags);
    m_nMenuBarHeight = rectInner.Height();

    BOOL bChanged = FALSE;
    if (rectUpOld != m_rectScrollUp) {
        InvalidateRect(rectUpOld);
        InvalidateRect(m_rectScrollUp);
        bChanged = TRUE;
    }
    if (rectDownOld != m_rectScrollDown) {
        InvalidateRect(rectDownOld);
        InvalidateRect(m_rectScrollDown);
        bChanged = TRUE;
    }
    if (bChanged)
        UpdateWindow();
    return bChanged;
}

void CKtvPPopupMenu::OnScrollStep()
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    CKtvPPopupMenuBar* pBar = GetMenuBar();

    if (CKtvPToolbarMenuButton* pSel = GetSelItem())
        pSel->OnCancelMode();

    if (m_rectScrollUp.PtInRect(pt) && m_nScrollDirection < 0 && CanScrollUp()) {
        pBar->m_iScrollOffset--;
        pBar->AdjustLocations();
        UpdateScrollButtons(FALSE);
    } else if (m_rectScrollDown.PtInRect(pt) && m_nScrollDirection > 0 && CanScrollDown()) {
        pBar->m_iScrollOffset++;
        pBar->AdjustLocations();
        UpdateScrollButtons(FALSE);
    } else {
        KillTimer(kScrollTimer);
        m_nScrollDirection = 0;
        InvalidateRect(m_rectScrollUp);
        InvalidateRect(m_rectScrollDown);
    }
}

void CKtvPPopupMenu::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bTearOffTracking) {
        if (!m_rectTearOff.PtInRect(point)) {
            ReleaseCapture();
            m_bTearOffTracking = FALSE;
            TearOff(point);
        }
        return;
    }
    CMiniFrameWnd::OnMouseMove(nFlags, point);
    if (!m_bScrollable || m_nScrollDirection != 0)
        return;
    if (m_rectScrollUp.PtInRect(point) && CanScrollUp()) {
        m_nScrollDirection = -1;
        InvalidateRect(m_rectScrollUp);
    } else if (m_rectScrollDown.PtInRect(point) && CanScrollDown()) {
        m_nScrollDirection = 1;
        InvalidateRect(m_rectScrollDown);
    }
    if (m_nScrollDirection != 0)
        SetTimer(kScrollTimer, kScrollStepMs, nullptr);
}

void CKtvPPopupMenu::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!CKtvPToolBar::m_bCustomizeMode && m_rectTearOff.PtInRect(point)) {
        m_bTearOffHot = TRUE;
        InvalidateRect(m_rectTearOff);
        m_bTearOffTracking = TRUE;
        SetCapture();
        return;
    }
    Default();
    (void)nFlags;
}

void CKtvPPopupMenu::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTearOffTracking) {
        m_bTearOffTracking = FALSE;
        ReleaseCapture();
        m_bTearOffHot = FALSE;
        InvalidateRect(m_rectTearOff);
    }
    CMiniFrameWnd::OnLButtonUp(nFlags, point);
}

BOOL CKtvPPopupMenu::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    if (m_rectTearOff.PtInRect(pt)) {
        ::SetCursor(globalData.hcurSizeAll);
        return TRUE;
    }
    return CMiniFrameWnd::OnSetCursor(pWnd, nHitTest, message);
}

// --- shadow --------------------------------------------------------------------------------------

void CKtvPPopupMenu::CheckShadowFits(BOOL bNoResize)
{
    if (m_nShadowDepth == 0)
        return;
    CWnd* pTop = GetTopLevelParent();
    CRect rectMenu(m_ptPos, CSize(m_sizeFinal.cx + m_nShadowDepth, m_sizeFinal.cy + m_nShadowDepth));
    CRect rectTop;
    if (pTop != nullptr && pTop->GetSafeHwnd() != nullptr)
        pTop->GetWindowRect(rectTop);
    CRect rectInside;
    rectInside.IntersectRect(rectMenu, rectTop);
    if (m_bForceShadow || (pTop != nullptr && rectInside == rectMenu)) {
        if (pTop != nullptr && pTop->GetSafeHwnd() != nullptr)
            pTop->UpdateWindow();
        return;
    }
    m_nShadowDepth = 0;
    if (!bNoResize)
        SetWindowPos(nullptr, 0, 0, m_sizeFinal.cx, m_sizeFinal.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKtvPPopupMenu::UpdateShadow(LPCRECT lprectScreen)
{
    CWnd* pTop = GetTopLevelParent();
    if (m_nShadowDepth == 0 || pTop == nullptr || pTop->GetSafeHwnd() == nullptr || GetSafeHwnd() == nullptr)
        return;

    CRect c;
    GetClientRect(c);
    CRect rectRight(c.right - m_nShadowDepth - 1, c.top, c.right, c.bottom);
    CRect rectBottom(c.left, c.bottom - m_nShadowDepth - 1, c.right, c.bottom);
    if (lprectScreen != nullptr) {
        CRect rectTouched = *lprectScreen;
        ScreenToClient(rectTouched);
        rectRight.IntersectRect(rectRight, rectTouched);
        rectBottom.IntersectRect(rectBottom, rectTouched);
        if (rectRight.IsRectEmpty() && rectBottom.IsRectEmpty())
            return;
    }
    if (m_bForceShadow) {
        CRect rectWindow, rectParent, rectInside;
        GetWindowRect(rectWindow);
        pTop->GetWindowRect(rectParent);
        rectInside.IntersectRect(rectWindow, rectParent);
        if (rectInside != rectWindow)
            return;
    }

    const int nDepth = m_nShadowDepth;
    m_nShadowDepth = 0;
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    CRect rectWindow;
    GetWindowRect(rectWindow);
    const UINT uiFlags = 0x41E;
    SetWindowPos(nullptr, 0, 0, rectWindow.Width() - nDepth, rectWindow.Height() - nDepth, uiFlags);

    const UINT uiRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN;
    CRect rectRightParent = rectRight;
    MapWindowPoints(pTop, rectRightParent);
    pTop->RedrawWindow(rectRightParent, nullptr, uiRedraw);
    CRect rectBottomParent = rectBottom;
    MapWindowPoints(pTop, rectBottomParent);
    if (rectBottomParent != rectRightParent)
        pTop->RedrawWindow(rectBottomParent, nullptr, uiRedraw);
    pTop->UpdateWindow();

    m_nShadowDepth = nDepth;
    SetWindowPos(nullptr, 0, 0, rectWindow.Width(), rectWindow.Height(), uiFlags);
    InvalidateRect(rectRight);
    InvalidateRect(rectBottom);
    UpdateWindow();
}

void CKtvPPopupMenu::UpdateAllShadows(LPCRECT lprectScreen)
{
    for (CKtvPPopupMenu* pMenu = m_pActivePopupMenu; pMenu != nullptr; pMenu = pMenu->GetParentPopupMenu()) {
        if (::IsWindow(pMenu->GetSafeHwnd()))
            pMenu->UpdateShadow(lprectScreen);
    }
}

// A menu never takes the activation from the window the user works in.
int CKtvPPopupMenu::OnMouseActivate(CWnd*, UINT, UINT) { return MA_NOACTIVATE; }

// The frame, the bar and the shadow cover every pixel.
BOOL CKtvPPopupMenu::OnEraseBkgnd(CDC*) { return TRUE; }
