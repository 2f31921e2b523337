// The customise sheet's Menu page: which application menu the menu bar shows
// while customising, the reset of a menu to its resource, context menus
// opened as floating popups to be edited by dragging, and the menu animation
// and shadow options.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CComboBox.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CStatic.h"
#include "platform/mfc/CString.h"

class CFrameWnd;
class CMultiDocTemplate;
class CKtvPMenuBar;
class CKtvPPopupMenu;

class CKtvPMenuPage : public CPropertyPage {
    DECLARE_DYNCREATE(CKtvPMenuPage)
public:
    explicit CKtvPMenuPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);
    ~CKtvPMenuPage() override;

    // The menu bar calls it when the active document changes while customising:
    // the template's menu is shown for editing; FALSE when it is not listed.
    // Without bSaveCurr the menu shown so far is not saved first.
    BOOL SelectMenu(CMultiDocTemplate* pTemplate, BOOL bSaveCurr = TRUE);
    // The editable context-menu popup was destroyed by the user.
    void OnContextMenuClosed();

    CStatic m_wndMenuAnimationsLabel;
    CComboBox m_wndMenuAnimations;
    CButton m_wndMenuShadows;
    CStatic m_wndContextFrame;
    CStatic m_wndContextHint;
    CButton m_wndResetMenuButton;
    CStatic m_wndContextMenuCaption;
    CComboBox m_wndContextMenus;
    CStatic m_wndIcon;
    CComboBox m_wndMenuesList;

    // Fields, in declared order (after the dialog's controls).
    CString m_strMenuDescr;
    CString m_strContextMenuName;
    CString m_strMenuName;
    int m_iMenuAnimationType = 0;
    BOOL m_bMenuShadows = TRUE;
    CKtvPMenuBar* m_pMenuBar = nullptr;
    HMENU m_hmenuCurr = nullptr;
    HMENU m_hmenuSelected = nullptr;
    CKtvPPopupMenu* m_pContextMenu = nullptr;
    UINT m_uiContextMenuResId = 0;
    BOOL m_bIsDefaultMenuSelected = FALSE;
    BOOL m_bAutoSet = FALSE;
    CFrameWnd* m_pParentFrame = nullptr;

    // Where the context-menu popup opens; kept for the whole process.
    static CPoint m_ptMenuLastPos;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnSelchangeMenuList();
    void OnSelchangeContextMenuList();
    void OnResetContextMenu();
    void OnResetFrameMenu();
    void OnSelchangeAnimation();
    void OnMenuShadows();
    void OnDestroy();
    void SaveContextMenu();
    // Keeps the open context popup's content and position, then closes it.
    void CloseContextPopup();
    void CloseDroppedDownMenu();
    DECLARE_MESSAGE_MAP()
};
