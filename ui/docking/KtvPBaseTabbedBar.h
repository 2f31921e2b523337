// Docking bars grouped as tabs: a docking bar whose client area is a tab
// window whose tabs are other docking bars. It keeps its tabs docked, floated,
// auto-hidden, saved and restored together and lets single tabs leave again.
#pragma once

#include "platform/mfc/CArray.h"
#include "platform/mfc/CList.h"
#include "ui/docking/KtvPDockingControlBar.h"

class CKtvPBaseTabWnd;

class CKtvPBaseTabbedBar : public CKtvPDockingControlBar {
    DECLARE_DYNAMIC(CKtvPBaseTabbedBar)
public:
    explicit CKtvPBaseTabbedBar(BOOL bAutoDestroy = FALSE);
    ~CKtvPBaseTabbedBar() override;

    // --- overrides of earlier slots ----------------------------------------------------------
    void Serialize(CArchive& ar) override;
    HICON GetIcon(BOOL bBigIcon = TRUE) const override;
    BOOL CanFloat() const override;
    BOOL FloatControlBar(CRect rectFloat, int dockMethod, BOOL bShow) override;
    void RecalcLayout() override;
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1) override;
    BOOL Dock(CKtvPBaseControlBar* pDockBar, LPCRECT lpRect, int dockMethod) override;
    void StoreRecentDockInfo() override;
    void GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const override = 0;
    BOOL IsSingleBar() const override { return FALSE; }
    CKtvPAutoHideToolBar* SetAutoHideMode(BOOL bMode, DWORD dwAlignment,
                                          CKtvPAutoHideToolBar* pCurrAutoHideBar = nullptr,
                                          BOOL bUseTimer = TRUE) override;

    // --- virtual operations added, in slot order ---------------------------------------------
    virtual CKtvPBaseTabWnd* GetUnderlinedWindow() { return m_pTabWnd; }
    virtual int GetTabsNum() const;
    virtual int GetVisibleTabsNum() const;
    virtual BOOL IsHideSingleTab() const;
    virtual BOOL CanDetachTabs() const { return TRUE; }
    virtual BOOL AddTab(CWnd* pNewBar, BOOL bVisible = TRUE, BOOL bSetActive = TRUE, BOOL bDetachable = TRUE);
    virtual BOOL FloatTab(CWnd* pBar, int iTab, int dockMethod, BOOL bHide = FALSE);
    virtual BOOL DetachControlBar(CWnd* pBar, BOOL bHide = FALSE);
    virtual BOOL RemoveControlBar(CWnd* pBar);
    virtual BOOL ShowTab(CWnd* pBar, BOOL bShow, BOOL bDelay, BOOL bActivate);
    virtual CWnd* FindBarByID(UINT uBarID);
    virtual CWnd* FindBarByTabNumber(int nTabNum, BOOL bGetWrappedBar = FALSE);
    virtual CWnd* GetFirstVisibleTab(int& iTabNum);
    virtual void ApplyRestoredTabInfo();
    virtual void SerializeTabWindow(CArchive& ar);
    virtual void SaveSiblingBarIDs(CArchive& ar);
    virtual void SetCaptionFromTab(BOOL bSet) { m_bCaptionFromTab = bSet; }
    virtual BOOL IsCaptionFromTab() const { return m_bCaptionFromTab; }
    virtual void OnActiveTabChanged(int /*iNewTab*/) {}

    // The reading side of SaveSiblingBarIDs, for the bar containers.
    static void LoadSiblingBarIDs(CArchive& ar, CList<UINT, UINT>& lstSiblingIDs);

    // Hides the emptied bar and destroys it once the current call has returned.
    void ScheduleDestroy();
    // The emptied bar leaves its floating frame or docked place, then goes as above.
    void LeaveAndDestroyLater();

    BOOL IsAutoDestroy() const { return m_bAutoDestroy; }
    void SetAutoDestroy(BOOL bAutoDestroy) { m_bAutoDestroy = bAutoDestroy; }

    // The tab ids of the pages in their order before a saved state was applied;
    // the navigation pane options' Reset rebuilds the page list from it.
    CArray<int, int> m_arDefaultTabsOrder;

protected:
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSetFocus(CWnd* pOldWnd);
    LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
    void OnNcDestroy();
    LRESULT OnCheckEmptyState(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void MoveTabsFrom(CKtvPBaseTabbedBar* pDropped);
    void ReleaseTabToDockSite(CKtvPDockingControlBar* pBar, int iTab);
    BOOL ShowRemainingTabs();

    BOOL m_bAutoDestroy;
    CKtvPBaseTabWnd* m_pTabWnd;
    BOOL m_bCaptionFromTab;
};
