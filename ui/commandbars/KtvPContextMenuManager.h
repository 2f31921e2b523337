// The registered context menus of the program: shown (or tracked modally)
// through library popup menus, customised on the Menu page, stored as the
// state of a popup menu bar.
#pragma once

#include "platform/mfc/CMap.h"
#include "platform/mfc/CObject.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CStringList.h"

class CWnd;
class CKtvPPopupMenu;

class CKtvPContextMenuManager : public CObject {
public:
    CKtvPContextMenuManager();
    ~CKtvPContextMenuManager() override;
    CKtvPContextMenuManager(const CKtvPContextMenuManager&) = delete;
    CKtvPContextMenuManager& operator=(const CKtvPContextMenuManager&) = delete;

    // Virtuals in slot order (after Serialize).
    virtual CKtvPPopupMenu* ShowPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner,
                                          BOOL bOwnMessage = FALSE, BOOL bRightAlign = FALSE);
    virtual BOOL ShowPopupMenu(UINT uiMenuResId, int x, int y, CWnd* pWndOwner, BOOL bOwnMessage = FALSE,
                               BOOL bRightAlign = FALSE);
    // The command chosen, 0 when the menu was dismissed.
    virtual UINT TrackPopupMenu(HMENU hmenuPopup, int x, int y, CWnd* pWndOwner, BOOL bRightAlign = FALSE);
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr);
    virtual BOOL ResetState();

    BOOL AddMenu(LPCTSTR lpszName, UINT uiMenuResId);
    void GetMenuNames(CStringList& listOfNames) const;
    HMENU GetMenuByName(LPCTSTR lpszName, UINT* puiOrigResID = nullptr) const;

    CMap<UINT, UINT, HMENU, HMENU> m_Menus;      // resource id -> the whole menu resource
    CMap<CString, LPCTSTR, HMENU, HMENU> m_MenuNames;
    UINT m_nLastCommandID = 0;
    BOOL m_bTrackMode = FALSE;

private:
    // Where the last load or save found the stored menus; a reset deletes them there.
    CString m_strLastBase;
};

// NULL until the workspace creates the manager.
extern CKtvPContextMenuManager* g_pContextMenuManager;
