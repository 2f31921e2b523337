#include "ui/commandbars/KtvPContextMenuManager.h"

#include "platform/mfc/CWinApp.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/menu/winmenu.h"
#include "ui/commandbars/KtvPPopupMenu.h"
#include "ui/commandbars/KtvPPopupMenuBar.h"
#include "ui/commandbars/KtvPSnapshotStore.h"
#include "ui/commandbars/KtvPTearOffManager.h"
#include "ui/controls/KtvPPropertySheet.h"
#include "ui/frames/KtvPDialog.h"
#include "ui/frames/KtvRegPath.h"

CKtvPContextMenuManager* g_pContextMenuManager = nullptr;

namespace {

constexpr TCHAR kDefaultSection[] = _T("KtvContextMenuManager");
constexpr DWORD kTempBarStyle = 0x50402808;   // child, visible, top, bottom border, gripper, hide in place
constexpr UINT kTempBarId = 0xE800;

BOOL IsLibraryDialogOrPage(CWnd* pWnd)
{
    return pWnd != nullptr &&
           (pWnd->IsKindOf(RUNTIME_CLASS(CKtvPDialog)) || pWnd->IsKindOf(RUNTIME_CLASS(CKtvPPropertyPage)));
}

void TellActiveMenu(CWnd* pWnd, CKtvPPopupMenu* pMenu)
{
    if (auto* pDialog = DYNAMIC_DOWNCAST(CKtvPDialog, pWnd))
        pDialog->SetActiveMenu(pMenu);
    else if (auto* pPage = DYNAMIC_DOWNCAST(CKtvPPropertyPage, pWnd))
        pPage->SetActiveMenu(pMenu);
}

// A bar of the desktop that holds one menu while its stored layout passes
// through; its window is gone again when the caller returns.
class TemporaryMenuBar {
public:
    TemporaryMenuBar() : m_pBar(new CKtvPPopupMenuBar)
    {
        m_bCreated = m_pBar->Create(CWnd::FromHandle(::GetDesktopWindow()), kTempBarStyle, kTempBarId);
    }
    ~TemporaryMenuBar()
    {
        if (m_pBar->GetSafeHwnd() != nullptr)
            m_pBar->DestroyWindow();
        delete m_pBar;
    }
    TemporaryMenuBar(const TemporaryMenuBar&) = delete;
    TemporaryMenuBar& operator=(const TemporaryMenuBar&) = delete;

    BOOL IsCreated() const { return m_bCreated; }
    CKtvPPopupMenuBar* operator->() const { return m_pBar; }
    CKtvPPopupMenuBar* Get() const { return m_pBar; }

private:
    CKtvPPopupMenuBar* m_pBar;
    BOOL m_bCreated = FALSE;
};

}  // namespace

CKtvPContextMenuManager::CKtvPContextMenuManager() : m_Menus(10), m_MenuNames(10) { g_pContextMenuManager = this; }

CKtvPContextMenuManager::~CKtvPContextMenuManager()
{
    for (POSITION pos = m_Menus.GetStartPosition(); pos != nullptr;) {
        UINT uiResId = 0;
        HMENU hMenu = nullptr;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        ::DestroyMenu(hMenu);
    }
    g_pContextMenuManager = nullptr;
    m_Menus.RemoveAll();
    m_MenuNames.RemoveAll();
}

BOOL CKtvPContextMenuManager::AddMenu(LPCTSTR lpszName, UINT uiMenuResId)
{
    HMENU hMenu = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(uiMenuResId));
    if (hMenu == nullptr)
        return FALSE;

    HMENU hExisting = nullptr;
    if (m_Menus.Lookup(uiMenuResId, hExisting)) {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    if (g_pTearOffMenuManager != nullptr)
        g_pTearOffMenuManager->SetupTearOffMenus(hMenu);

    m_Menus[uiMenuResId] = hMenu;
    m_MenuNames[lpszName] = hMenu;
    return TRUE;
}

void CKtvPContextMenuManager::GetMenuNames(CStringList& listOfNames) const
{
    listOfNames.RemoveAll();
    for (POSITION pos = m_MenuNames.GetStartPosition(); pos != nullptr;) {
        CString strName;
        HMENU hMenu = nullptr;
        m_MenuNames.GetNextAssoc(pos, strName, hMenu);
        listOfNames.AddTail(strName);
    }
}

HMENU CKtvPContextMenuManager::GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID) const
{
    HMENU hMenu = nullptr;
    if (!m_MenuNames.Lookup(lpszName, hMenu))
        return nullptr;

    if (puiOrigResID != nullptr) {
        *puiOrigResID = 0;
        for (POSITION pos = m_Menus.GetStartPosition(); pos != nullptr;) {
            UINT uiResId = 0;
            HMENU hRegistered = nullptr;
            m_Menus.GetNextAssoc(pos, uiResId, hRegistered);
            if (hRegistered == hMenu) {
                *puiOrigResID = uiResId;
                break;
            }
        }
    }
    return hMenu;
}

CKtvPPopupMenu* CKtvPContextMenuManager::ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner,
                                                       BOOL bOwnMessage, BOOL bRightAlign)
{
    if (IsLibraryDialogOrPage(pWndOwner) && !bOwnMessage)
        return nullptr;

    if (g_pTearOffMenuManager != nullptr)
        g_pTearOffMenuManager->SetupTearOffMenus(hmenuPopup);

    if (m_bTrackMode) {
        bOwnMessage = TRUE;
    } else if (!bOwnMessage) {
        // The commands go to the first window up the chain that is no child.
        while (pWndOwner != nullptr && (pWndOwner->GetStyle() & WS_CHILD))
            pWndOwner = pWndOwner->GetParent();
    }

    auto* pPopupMenu = new CKtvPPopupMenu;
    pPopupMenu->m_bOwnsMenu = FALSE;
    pPopupMenu->m_bTrackMode = m_bTrackMode;
    pPopupMenu->m_bAlignRight = bRightAlign;

    if (CKtvPPopupMenu::m_pActivePopupMenu != nullptr &&
        ::IsWindow(CKtvPPopupMenu::m_pActivePopupMenu->GetSafeHwnd()))
        CKtvPPopupMenu::m_pActivePopupMenu->SendMessage(WM_CLOSE);

    // A popup that fails has closed (and will delete) itself: it is not touched again.
    if (!pPopupMenu->Create(pWndOwner, x, y, hmenuPopup, FALSE, bOwnMessage))
        return nullptr;
    return pPopupMenu;
}

BOOL CKtvPContextMenuManager::ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage,
                                            BOOL bRightAlign)
{
    HMENU hMenu = nullptr;
    if (!m_Menus.Lookup(uiMenuResId, hMenu) || hMenu == nullptr)
        return FALSE;

    if (x == -1 && y == -1 && pWndOwner != nullptr) {
        CPoint pt(0, 0);
        pWndOwner->ClientToScreen(&pt);
        x = pt.x + 5;
        y = pt.y + 5;
    }
    HMENU hPopup = ::GetSubMenu(hMenu, 0);
    if (hPopup == nullptr)
        return FALSE;
    return ShowPopupMenu(hPopup, x, y, pWndOwner, bOwnMessage, bRightAlign) != nullptr;
}

UINT CKtvPContextMenuManager::TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign)
{
    m_nLastCommandID = 0;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return 0;

    m_bTrackMode = TRUE;
    CKtvPPopupMenu* pMenu = ShowPopupMenu(hmenuPopup, x, y, pWndOwner, FALSE, bRightAlign);
    if (pMenu != nullptr && ::IsWindow(pMenu->GetSafeHwnd())) {
        CRect rect;
        pMenu->GetWindowRect(rect);
        pMenu->UpdateShadow(&rect);
    }
    CWnd* pDialog = pWndOwner != nullptr ? pWndOwner->GetParent() : nullptr;
    if (!IsLibraryDialogOrPage(pDialog))
        pDialog = nullptr;
    if (pDialog != nullptr)
        TellActiveMenu(pDialog, pMenu);
    m_bTrackMode = FALSE;

    HWND hwndMenu = pMenu != nullptr ? pMenu->GetSafeHwnd() : nullptr;
    BOOL bQuit = FALSE;
    WPARAM wQuitCode = 0;
    while (hwndMenu != nullptr && ::IsWindow(hwndMenu)) {
        MSG msg;
        while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                // The application is ending: the menu goes, the request stays for the outer loop.
                bQuit = TRUE;
                wQuitCode = msg.wParam;
                ::SendMessage(hwndMenu, WM_CLOSE, 0, 0);
                break;
            }
            if (!::IsWindow(hwndMenu))
                break;
            if (!pApp->PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
            pApp->OnIdle(0);
        }
        if (bQuit || !::IsWindow(hwndMenu))
            break;
        ::WaitMessage();
    }

    if (pDialog != nullptr)
        TellActiveMenu(pDialog, nullptr);
    if (bQuit) {
        m_nLastCommandID = 0;
        ::PostQuitMessage((int)wQuitCode);
    }
    return m_nLastCommandID;
}

BOOL CKtvPContextMenuManager::LoadState(LPCTSTR lpszProfileName)
{
    const CString strBase = KtvGetRegPath(kDefaultSection, lpszProfileName);
    m_strLastBase = strBase;

    for (POSITION pos = m_Menus.GetStartPosition(); pos != nullptr;) {
        UINT uiResId = 0;
        HMENU hMenu = nullptr;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        HMENU hSub = ::GetSubMenu(hMenu, 0);

        TemporaryMenuBar bar;
        if (!bar.IsCreated())
            continue;
        // A menu whose resource no longer imports keeps its resource layout;
        // the others still get their stored layouts.
        if (!bar->ImportFromMenu(hSub, FALSE))
            continue;
        if (bar->LoadState(strBase, 0, uiResId))
            g_SnapshotStore.SaveMenuBar(hSub, bar.Get());
    }
    return TRUE;
}

BOOL CKtvPContextMenuManager::SaveState(LPCTSTR lpszProfileName)
{
    const CString strBase = KtvGetRegPath(kDefaultSection, lpszProfileName);
    m_strLastBase = strBase;

    for (POSITION pos = m_Menus.GetStartPosition(); pos != nullptr;) {
        UINT uiResId = 0;
        HMENU hMenu = nullptr;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        HMENU hSub = ::GetSubMenu(hMenu, 0);

        TemporaryMenuBar bar;
        if (!bar.IsCreated() || !g_SnapshotStore.LoadMenuBar(hSub, bar.Get()))
            continue;
        if (!bar->SaveState(strBase, 0, uiResId))
            return FALSE;
    }
    return TRUE;
}

BOOL CKtvPContextMenuManager::ResetState()
{
    const CString strBase =
        m_strLastBase.IsEmpty() ? KtvGetRegPath(kDefaultSection, nullptr) : m_strLastBase;

    for (POSITION pos = m_Menus.GetStartPosition(); pos != nullptr;) {
        UINT uiResId = 0;
        HMENU hMenu = nullptr;
        m_Menus.GetNextAssoc(pos, uiResId, hMenu);
        g_SnapshotStore.RemoveMenu(::GetSubMenu(hMenu, 0));

        // The stored layout goes too, or the next start would bring the reset menu back.
        CKtvPPopupMenuBar bar;
        bar.RemoveStateFromRegistry(strBase, 0, uiResId);
    }
    return TRUE;
}
