#include "ui/commandbars/KtvPContextMenuManager.h"

#include "platform/win32/menu/winmenu.h"
#include "ui/frames/KtvPNotBuilt.h"

CKtvPContextMenuManager* g_pContextMenuManager = nullptr;

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

CKtvPPopupMenu* CKtvPContextMenuManager::ShowPopupMenu(HMENU, int, int, CWnd*, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPContextMenuManager::ShowPopupMenu");
}

BOOL CKtvPContextMenuManager::ShowPopupMenu(UINT, int, int, CWnd*, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPContextMenuManager::ShowPopupMenu");
}

UINT CKtvPContextMenuManager::TrackPopupMenu(HMENU, int, int, CWnd*, BOOL)
{
    KTVP_NOT_BUILT("CKtvPContextMenuManager::TrackPopupMenu");
}

BOOL CKtvPContextMenuManager::LoadState(LPCTSTR) { KTVP_NOT_BUILT("CKtvPContextMenuManager::LoadState"); }

BOOL CKtvPContextMenuManager::SaveState(LPCTSTR) { KTVP_NOT_BUILT("CKtvPContextMenuManager::SaveState"); }

BOOL CKtvPContextMenuManager::ResetState() { KTVP_NOT_BUILT("CKtvPContextMenuManager::ResetState"); }

BOOL CKtvPContextMenuManager::AddMenu(LPCTSTR, UINT) { KTVP_NOT_BUILT("CKtvPContextMenuManager::AddMenu"); }

void CKtvPContextMenuManager::GetMenuNames(CStringList&) const
{
    KTVP_NOT_BUILT("CKtvPContextMenuManager::GetMenuNames");
}

HMENU CKtvPContextMenuManager::GetMenuByName(LPCTSTR, UINT*) const
{
    KTVP_NOT_BUILT("CKtvPContextMenuManager::GetMenuByName");
}
