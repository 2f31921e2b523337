// The frame's menu bar: a toolbar in menu mode built from the frame's menu,
// with a maximised MDI child's system menu and caption buttons, keyboard
// navigation, and the library-wide options of personalised menus.
#pragma once

#include "ui/commandbars/KtvPToolBar.h"

class CFont;
class CKtvPMenuPage;
class CKtvPToolbarComboBoxButton;
class CKtvPToolbarSystemMenuButton;

class CKtvPMenuBar : public CKtvPToolBar {
    DECLARE_DYNCREATE(CKtvPMenuBar)
public:
    CKtvPMenuBar();
    ~CKtvPMenuBar() override;

    // --- overrides, in slot order ---------------------------------------------------------------
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL CanBeClosed() const override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    int GetAvailableExpandSize() const override;
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                UINT nID = AFX_IDW_TOOLBAR) override;
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                  DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(1, 1, 1, 1),
                  UINT nID = AFX_IDW_TOOLBAR) override;
    void ResetAllImages() override;
    int GetRowHeight() const override;
    int GetColumnWidth() const override;
    BOOL IsButtonExtraSizeAvailable() const override;
    BOOL AllowShowTextLabels() const override;
    BOOL CanBeRestored() const override;
    BOOL RestoreOriginalState() override;
    BOOL SetDefaultButtonText(CKtvPToolbarButton* pButton) override;
    void DropDownMenuButton(int iIndex) override;
    CSize CalcLayout(DWORD dwMode, int nLength = -1) override;
    int FindDropIndex(const CPoint point, CRect& rectDrag) const override;
    void AdjustLocations() override;
    BOOL OnSendCommand(const CKtvPToolbarButton* pButton) override;
    BOOL IsPureMenuButton(CKtvPToolbarButton* pButton) const override;
    int CalcMaxButtonHeight() override;

    using CKtvPToolBar::Create;
    using CKtvPToolBar::CreateEx;

    // --- new virtuals, in slot order ------------------------------------------------------------
    virtual void CreateFromMenu(HMENU hMenu, BOOL bDefaultMenu = FALSE, BOOL bForceUpdate = FALSE);
    // Called with the default menu before it is first shown and after a reset.
    virtual void OnDefaultMenuLoaded(HMENU hMenu);

    void SetMaximizeMode(BOOL bMax, CWnd* pWnd = nullptr, BOOL bRecalcLayout = TRUE);
    void SetDefaultMenuResId(UINT uiResId) { m_uiDefMenuResId = uiResId; }
    CKtvPToolbarComboBoxButton* GetHelpCombobox();
    CKtvPToolbarSystemMenuButton* GetSystemMenu() const;
    static void SetShowAllCommands(BOOL bShowAllCommands = TRUE) { m_bShowAllCommands = bShowAllCommands; }
    static void SetRecentlyUsedMenus(BOOL bOn = TRUE) { m_bRecentlyUsedMenus = bOn; }
    static BOOL FindMenuItemText(HMENU hMenu, UINT nItemID, CString& strOutText);
    static CFont* GetMenuFont(BOOL bHorz = TRUE);

    // Fields, in declared order.
    BOOL m_bAutoDocMenus = TRUE;
    CWnd* m_pParentWnd = nullptr;
    BOOL m_bMaximizeMode = FALSE;
    HMENU m_hMenu = nullptr;
    HMENU m_hDefaultMenu = nullptr;        // owned
    HMENU m_hSysMenu = nullptr;
    HICON m_hSysIcon = nullptr;
    UINT m_uiDefMenuResId = 0;
    int m_nSystemButtonsNum = 0;
    int m_nSystemButtonsNumSaved = 0;
    BOOL m_bHaveButtons = FALSE;
    CSize m_szSystemButton;
    CKtvPMenuPage* m_pMenuPage = nullptr;
    UINT m_nHelpComboID = 0;
    int m_nHelpComboWidth = 0;
    CString m_strHelpComboPrompt;

    static const TCHAR m_szDefaultSection[];   // "KtvMenuBar"
    static BOOL m_bRecentlyUsedMenus;
    static BOOL m_bShowAllCommands;
    static BOOL m_bShowAllMenusAfterDelay;
    static BOOL m_bMenuShadows;
    static BOOL m_bHighlightDisabledItems;

protected:
    void CalcSysButtonSize();
    // Whether some item other than a maximised child's buttons shows an image.
    void UpdateHaveButtons();
    // The child's system-menu button at the start, its caption buttons at the end.
    void AddChildButtons(CWnd* pWnd);
    // The hot item's menu opens with its first item lit; FALSE when it has none.
    BOOL DropDownHotButton();
    // One menu's stored layout becomes its snapshot; a damaged or outdated
    // one is rebuilt from the menu and the owner told. TRUE when it loaded.
    BOOL LoadMenuLayout(const CString& strPath, int nIndex, HMENU hMenu, UINT uiResId, UINT uiKeyId,
                        BOOL bDefault);
    // Puts a maximised child's buttons back after a load, save or reset took them off.
    void RestoreMaximizeMode(BOOL bRecalcLayout);
    // The toolbar's list of resource items from a menu resource; FALSE without smart update.
    BOOL BuildOriginalItems(UINT uiMenuResID);
    // Set while one menu's stored layout is read: a record that cannot be read
    // then rebuilds that menu only, not every menu of the bar.
    BOOL m_bLoadingLayout = FALSE;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOldWnd);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    DECLARE_MESSAGE_MAP()
};
