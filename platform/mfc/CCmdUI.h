// The state of one user-interface item (menu item, control, bar button or
// status pane) offered to the ON_UPDATE_COMMAND_UI handlers of its command.
#pragma once

#include "platform/win32/windef.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);  // 0 clear, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's handlers; when none answered and bDisableIfNoHndler is set,
    // an item whose command has no handler at all is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;     // the menu of a menu item
    CMenu* m_pSubMenu = nullptr;  // the popup of a popup item
    CWnd* m_pOther = nullptr;     // the control, bar or status bar
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;
    CMenu* m_pParentMenu = nullptr;
};
