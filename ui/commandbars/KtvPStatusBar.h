// The frame's status bar: panes of text, icon, animation and progress kept in
// the control bar's element array, painted through the visual manager.
#pragma once

#include "platform/comctl/commctrl.h"
#include "platform/mfc/CCmdUI.h"
#include "platform/mfc/afxres.h"
#include "ui/docking/KtvPControlBar.h"

// One pane, in the element array.
struct CKtvPStatusBarPaneInfo {
    RECT rect;
    UINT nID;                // 0 marks the message pane
    UINT nStyle;             // SBPS_ bits
    int cxText;
    COLORREF clrText;        // -1: default
    COLORREF clrBackground;  // -1: not filled
    int cxIcon;
    int cyIcon;
    LPTSTR lpszText;         // owned, NULL when empty
    LPTSTR lpszToolTip;      // owned
    HIMAGELIST hImage;       // owned
    int nFrameCount;         // > 0 while the animation timer runs
    int nCurrFrame;
    int nProgressCurr;
    int nProgressTotal;      // a bar is drawn only when > 0
    BOOL bProgressText;
    COLORREF clrProgressBar;
    COLORREF clrProgressBarDest;
    COLORREF clrProgressText;
};

class CKtvPStatusBar : public CKtvPControlBar {
    DECLARE_DYNAMIC(CKtvPStatusBar)
public:
    CKtvPStatusBar();
    ~CKtvPStatusBar() override;

    // Virtuals in the order of the class's table.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL AllowsInsertBefore() const override;
    void RecalcLayout() override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void DoPaint(CDC* pDC) override;
    virtual void OnDrawPane(CDC* pDC, CKtvPStatusBarPaneInfo* pPane);

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                  UINT nID = AFX_IDW_STATUS_BAR);
    using CKtvPControlBar::Create;
    using CKtvPControlBar::CreateEx;

    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);
    int CommandToIndex(UINT nIDFind) const;
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    void SetPaneWidth(int nIndex, int cx);
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void SetPaneIcon(int nIndex, HICON hIcon, BOOL bUpdate = TRUE);
    void SetPaneAnimation(int nIndex, HIMAGELIST hImageList, UINT nFrameRate = 500, BOOL bUpdate = TRUE);
    void SetPaneTipText(int nIndex, LPCTSTR pszTipText);
    void RedrawPaneContent(int nIndex);
    CKtvPStatusBarPaneInfo* PaneFromPoint(CPoint pt);
    HFONT GetBarFont() const;
    // 255 with fewer than 255 panes: the first stretching pane.
    CKtvPStatusBarPaneInfo* GetPaneByIndex(int nIndex) const;
    int GetCount() const { return m_nCount; }

    // Fields, in declared order.
    HFONT m_hFont = nullptr;               // not owned; NULL: the regular font
    int m_cxSizeBox = 0;                   // 0: no size grip
    BOOL m_bPaneDoubleClick = FALSE;
    CRect m_rectSizeBox;

protected:
    // The position an index names under the pane index rule, -1 for none.
    int GetPaneIndex(int nIndex) const;
    CKtvPStatusBarPaneInfo* GetPanes() const { return static_cast<CKtvPStatusBarPaneInfo*>(m_pData); }
    // Frees the pane's owned text, tip and image list; no repaint, no timer.
    static void ReleasePaneData(CKtvPStatusBarPaneInfo& pane);
    // The pane's rectangle less the border ring that content redraws leave alone.
    static CRect ContentRect(const CKtvPStatusBarPaneInfo& pane);
    void RelayoutAndRepaint();

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnNcHitTest(CPoint point);
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnSize(UINT nType, int cx, int cy);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    LRESULT OnStyleChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// The command-update state of one status pane.
class CKtvPStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetText(LPCTSTR lpszText) override;
};
