// The root of every bar window of the docking framework: its three style words,
// where it lives (dock site, dock bar, row), the interface the dock manager,
// dock bars and floating frames call on any bar, and the forwarding of
// dock-site requests to the owning frame.
#pragma once

#include "platform/mfc/CObList.h"
#include "platform/mfc/CString.h"
#include "platform/mfc/CWnd.h"
#include "platform/win32/kernel/Sync.h"
#include "ui/frames/KtvPCodes.h"

class CArchive;
class CCreateContext;
class CDC;
class CFrameWnd;
class CKtvPBaseTabWnd;
class CKtvPBaseTabbedBar;
class CKtvPDockBar;
class CKtvPDockBarRow;
class CKtvPMiniFrameWnd;
struct CRuntimeClass;

// TRUE only while a dock manager applies a loaded docking layout: bars then
// take no focus and answer IsVisible from their recent state.
extern BOOL g_bKtvRestoringDockState;

// Registers, once, the window class "<prefix>:<instance>:<class style>:<arrow cursor>:<button-face brush>"
// of double-clicking bars and answers its name; a failed registration raises the
// platform's resource exception.
CString KtvRegisterBarWndClass(LPCTSTR lpszPrefix, UINT nClassStyle = CS_DBLCLKS);

class CKtvPBaseControlBar : public CWnd {
    DECLARE_DYNAMIC(CKtvPBaseControlBar)
public:
    CKtvPBaseControlBar();
    ~CKtvPBaseControlBar() override;

    // --- slots of the platform window ---------------------------------------------------------
    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // --- the bar interface, in slot order ------------------------------------------------------
    virtual BOOL IsHorizontal() const;
    virtual BOOL IsDocked() const;
    virtual BOOL IsTabbed() const;
    virtual BOOL IsFloating() const;
    virtual BOOL IsResizable() const { return TRUE; }
    virtual BOOL IsVisible() const;
    virtual BOOL AllowsInsertBefore() const;
    virtual BOOL CanAcceptBar(const CKtvPBaseControlBar* /*pBar*/) const { return FALSE; }
    virtual BOOL CanBeDocked(CKtvPBaseControlBar* /*pDockBar*/) const { return FALSE; }
    virtual BOOL CanBeAttached() const { return FALSE; }
    virtual DWORD GetCurrentAlignment() const { return m_dwStyle & CBRS_ALIGN_ANY; }
    virtual DWORD GetEnabledAlignment() const { return m_dwEnabledAlignment; }
    virtual CFrameWnd* GetDockSiteFrameWnd() const { return m_pDockSite; }
    virtual CKtvPDockBar* GetParentDockBar() const { return m_pParentDockBar; }
    virtual int GetCaptionHeight() const { return 0; }
    virtual BOOL IsInMultiMiniFrame() const { return FALSE; }
    virtual BOOL GetRecentVisibleState() const { return m_bRecentVisibleState; }
    virtual BOOL IsRestoredFromRegistry() const { return m_bRestoredFromRegistry; }
    virtual void SetRestoredFromRegistry(BOOL bState) { m_bRestoredFromRegistry = bState; }
    virtual int GetDockingMode() const;
    virtual HICON GetIcon(BOOL bBigIcon = TRUE) const;
    virtual DWORD GetBarStyle() const { return m_dwStyle; }
    virtual DWORD GetControlBarStyle() const { return m_dwControlBarStyle; }
    virtual BOOL CanBeClosed() const { return (m_dwControlBarStyle & KTVP_CBRS_CLOSE) != 0; }
    virtual BOOL CanFloat() const;
    virtual BOOL CanBeResized() const { return (m_dwControlBarStyle & KTVP_CBRS_RESIZE) != 0; }
    virtual BOOL CanAutoHide() const { return (m_dwControlBarStyle & KTVP_CBRS_AUTOHIDE) != 0; }
    void SetControlBarStyle(DWORD dwControlBarStyle) { m_dwControlBarStyle = dwControlBarStyle; }
    virtual BOOL CanFocus() const { return TRUE; }
    virtual void SetBarAlignment(DWORD dwAlignment);
    virtual void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    virtual void EnableDocking(DWORD dwAlignment) { m_dwEnabledAlignment = dwAlignment; }
    virtual void ShowCaption(BOOL /*bShow*/) {}
    virtual void OnReservedHookA() {}
    virtual BOOL DockControlBar(CKtvPBaseControlBar* /*pDockBar*/, LPCRECT /*lpRect*/, int /*dockMethod*/)
    {
        return FALSE;
    }
    virtual BOOL FloatControlBar(CRect /*rectFloat*/, int /*dockMethod*/, BOOL /*bShow*/)
    {
        return FALSE;
    }
    virtual BOOL DockToFrameWindow(DWORD /*dwAlignment*/, LPCRECT /*lpRect*/ = nullptr,
                                   DWORD /*dwDockFlags*/ = 0, CKtvPBaseControlBar* /*pRelativeBar*/ = nullptr,
                                   int /*nRelativeIndex*/ = -1, BOOL /*bOuterEdge*/ = FALSE)
    {
        return FALSE;
    }
    virtual void OnReservedHookB(LPARAM /*lParam*/) {}
    virtual CSize CalcLayoutForLength(int /*nLength*/, BOOL /*bVert*/) { return CSize(0, 0); }
    virtual void AdjustLayout() {}
    virtual void RecalcLayout() {}
    virtual CKtvPMiniFrameWnd* CreateDefaultMiniframe(CRect /*rectInitial*/) { return nullptr; }
    virtual void OnRemoveFromMiniFrame(CKtvPMiniFrameWnd* /*pMiniFrame*/) {}
    virtual void OnBeforeChangeParent(CWnd* /*pWndNewParent*/, BOOL /*bDelay*/ = FALSE) {}
    virtual void OnAfterChangeParent(CWnd* /*pWndOldParent*/) {}
    virtual void ShowControlBar(BOOL bShow, BOOL bDelay, BOOL bActivate);
    virtual CKtvPMiniFrameWnd* GetParentMiniFrame(BOOL bNoAssert = FALSE) const;
    virtual BOOL LoadState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);
    virtual BOOL SaveState(LPCTSTR lpszProfileName = nullptr, int nIndex = -1, UINT uiID = (UINT)-1);
    virtual HDWP MoveControlBar(LPCRECT lpRect, BOOL bRepaint, HDWP hdwp = nullptr);
    virtual HDWP SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags,
                              HDWP hdwp);
    virtual void UndockControlBar(BOOL /*bDelay*/ = FALSE) {}
    virtual void OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHandler*/) {}
    virtual BOOL CreateEx(DWORD dwStyleEx, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                          const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwControlBarStyle,
                          CCreateContext* pContext = nullptr);
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void DoPaint(CDC* pDC);
    virtual void AdjustDockingLayout(HDWP hdwp = nullptr);

    using CWnd::CreateEx;
    using CWnd::SetWindowPos;

    // --- non-virtual operations ----------------------------------------------------------------
    CKtvPBaseTabWnd* GetParentTabWnd(HWND& hWndTab) const;
    CKtvPBaseTabbedBar* GetParentTabbedBar() const;
    CKtvPDockBarRow* GetDockBarRow() const { return m_pDockBarRow; }
    void SetDockBarRow(CKtvPDockBarRow* pRow) { m_pDockBarRow = pRow; }
    void SetDockMode(int nDockMode) { m_dockMode = nDockMode; }
    BOOL IsDialogControl() const { return m_bIsDlgControl; }

    // Dock-site forwarders: each goes to the owning frame's operation of the same
    // purpose; a bar without a library frame gets the neutral answer.
    void AddBarToDockSite(CKtvPBaseControlBar* pBar);
    void RemoveBarFromDockSite(CKtvPBaseControlBar* pBar, BOOL bDestroy, BOOL bAdjustLayout, BOOL bAutoHide);
    BOOL IsPointNearDockSite(CPoint pt, DWORD& dwBarAlignment, BOOL& bOuterEdge) const;
    CKtvPBaseControlBar* ControlBarFromPointInDockSite(CPoint pt, int nSensitivity, BOOL bExactBar,
                                                       CRuntimeClass* pRTCBarType) const;
    BOOL InsertBarIntoDockSite(CKtvPBaseControlBar* pBar, CKtvPBaseControlBar* pTarget, BOOL bAfter);
    void DockToDockSite(BOOL bUseDockSite = TRUE);

    // Every live bar of the process, joined at WM_CREATE and left at WM_DESTROY,
    // so that a change of look can repaint them all.
    static const CObList& GetAllControlBars() { return m_lstAllControlBars; }

    // Painting of every bar runs in m_CriticalSection while this is set.
    static BOOL m_bMultiThreaded;
    static CRITICAL_SECTION m_CriticalSection;
    // m_CriticalSection, made the first time it is asked for (never before
    // main); it lives as long as the process. Other threads take it through here.
    static CRITICAL_SECTION& GetPaintSection();
    // The settings section of the bars' visibility.
    static const TCHAR m_szSection[];

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    DWORD m_dwEnabledAlignment;
    DWORD m_dwStyle;
    DWORD m_dwControlBarStyle;
    BOOL m_bRecentVisibleState;
    BOOL m_bRestoredFromRegistry;
    CKtvPDockBar* m_pParentDockBar;
    CKtvPDockBarRow* m_pDockBarRow;
    CFrameWnd* m_pDockSite;
    int m_dockMode;
    BOOL m_bIsDlgControl;
    LPCTSTR m_lpszBarTemplateName;
    CSize m_sizeDialog;

private:
    static CObList m_lstAllControlBars;

    friend class CKtvPDockManager;
    friend class CKtvPDockBar;
    friend class CKtvPDockBarRow;
};
