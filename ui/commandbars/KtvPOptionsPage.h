// The customise sheet's Options page: tooltips, shortcut keys in tooltips,
// large icons, the Look 2000 style and the personalised-menu options. Each
// box changes the library-wide option the moment it is clicked.
#pragma once

#include "platform/mfc/CButton.h"
#include "platform/mfc/CPropertyPage.h"
#include "platform/mfc/CStatic.h"

class CKtvPOptionsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CKtvPOptionsPage)
public:
    explicit CKtvPOptionsPage(BOOL bIsMenuBarExist = FALSE);
    ~CKtvPOptionsPage() override;

    CButton m_wndVisualizations;
    CButton m_wndLook2000;
    CButton m_wndLargeIcons;
    CButton m_wndRecentlyUsedMenus;
    CButton m_wndResetUsageBtn;
    CStatic m_wndRUMenusLabel;
    CStatic m_wndRUMenusLine;
    CButton m_wndShowAllMenusDelay;
    CButton m_wndShowShortcutKeys;
    BOOL m_bShowTooltips = TRUE;
    BOOL m_bShowShortcutKeys = TRUE;
    BOOL m_bRecentlyUsedMenus = TRUE;
    BOOL m_bShowAllMenusDelay = TRUE;
    BOOL m_bLargeIcons = FALSE;
    BOOL m_bLook2000 = FALSE;
    BOOL m_bIsMenuBarExist = FALSE;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnShowTooltips();
    void OnShowShortcutKeys();
    void OnRecentlyUsedMenus();
    void OnShowAllMenusDelay();
    void OnLargeIcons();
    void OnLook2000();
    void OnResetUsageData();
    DECLARE_MESSAGE_MAP()
};
