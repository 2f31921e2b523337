// The MDI client window of the library's MDI frame, subclassed: it keeps one
// tab per child in the MDI tab window (caption, small icon, activation),
// places itself and the tab window when the frame lays out, and lets the
// frame's menu bar take the children's menus.
#pragma once

#include "platform/mfc/CImageList.h"
#include "platform/mfc/CMap.h"
#include "platform/mfc/CWnd.h"
#include "ui/controls/KtvPTabWnd.h"

// Posted to the client area to bring the tabs up to date.
#define KTVP_WM_UPDATE_MDI_TABS (WM_USER + 101)

class CKtvPMDIChildWnd;

class CKtvPMainClientAreaWnd : public CWnd {
    DECLARE_DYNAMIC(CKtvPMainClientAreaWnd)
public:
    CKtvPMainClientAreaWnd();
    ~CKtvPMainClientAreaWnd() override;

    void EnableMDITabs(BOOL bEnable, BOOL bIcons, int location, BOOL bTabCloseButton, int style);
    void UpdateTabs(BOOL bSetActiveTabVisible = FALSE);
    void SetActiveTab(HWND hwndChild);

    CKtvPTabWnd& GetMDITabs() { return m_wndTab; }
    BOOL IsMDITabbed() const { return m_bTabIsEnabled; }

    void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder) override;

    CKtvPTabWnd m_wndTab;
    int m_tabLocation;
    BOOL m_bTabIsVisible;
    BOOL m_bTabIsEnabled;
    CImageList m_TabIcons;
    BOOL m_bTabIcons;
    BOOL m_bTabCloseButton;
    CMap<HICON, HICON, int, int> m_mapIcons;

protected:
    void PreSubclassWindow() override;
    // The image-list index of a child's icon, shared by children with the same icon; -1 for none.
    int GetTabIconIndex(HWND hwndChild, CKtvPMDIChildWnd* pChild);

    LRESULT OnMDISetMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnMDIRefreshMenu(WPARAM wParam, LPARAM lParam);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnMDIDestroy(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateTabs(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
