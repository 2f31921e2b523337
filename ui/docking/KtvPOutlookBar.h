// The navigation pane: a tabbed bar whose tab window is an outlook window that
// stacks its pages under large page buttons. Pages are windows the program
// adds or custom pages the bar re-creates from the settings store. Without the
// resizable style it is a fixed pane that cannot float or take bars at its sides.
#pragma once

#include "platform/mfc/CObList.h"
#include "ui/docking/KtvPBaseTabbedBar.h"

class CFont;

class CKtvPOutlookBar : public CKtvPBaseTabbedBar {
    DECLARE_SERIAL(CKtvPOutlookBar)
public:
    CKtvPOutlookBar();
    // Deletes the custom pages it re-created.
    ~CKtvPOutlookBar() override;

    // --- overrides of earlier slots ----------------------------------------------------------
    BOOL AllowsInsertBefore() const override { return FALSE; }
    BOOL CanAcceptBar(const CKtvPBaseControlBar* pBar) const override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override;
    int GetDockingStatus(CPoint pt, int nSensitivity) override;
    BOOL CanDetachTabs() const override;
    BOOL IsCaptionFromTab() const override;

    // --- virtual operations added, in slot order ---------------------------------------------
    virtual void OnPageScroll(BOOL /*bSecond*/) {}
    virtual BOOL Create(LPCTSTR lpszCaption, CWnd* pParentWnd, const RECT& rect, UINT nID, DWORD dwStyle,
                        DWORD dwControlBarStyle, CCreateContext* pContext = nullptr);
    virtual BOOL AllowPageSlide(int /*iPage*/) { return TRUE; }
    virtual void OnPageActivated(int /*iPage*/) {}

    using CKtvPBaseTabbedBar::Create;

    void SetNavigationPaneMode(BOOL bMode) { m_bNavigationPaneMode = bMode; }
    BOOL IsNavigationPaneMode() const { return m_bNavigationPaneMode; }
    // NULL means the global regular font.
    void SetButtonsFont(CFont* pFont) { m_pFontButtons = pFont; }
    CFont* GetButtonsFont() const { return m_pFontButtons; }

    static const TCHAR m_szSection[];
    static const TCHAR m_szCustomPagesValue[];

    // The navigation-pane layout of the outlook window.
    BOOL m_bNavigationPaneMode;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    BOOL AddCustomPage(LPCTSTR lpszProfileName, UINT nPageID, const CString& strName);

    CObList m_lstCustomPages;
    CFont* m_pFontButtons;
};
