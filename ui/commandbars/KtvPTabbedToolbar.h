// A toolbar whose only content is a tab window holding other bars as tabs.
#pragma once

#include "ui/commandbars/KtvPToolBar.h"

class CKtvPTabWnd;

class CKtvPTabbedToolbar : public CKtvPToolBar {
    DECLARE_DYNCREATE(CKtvPTabbedToolbar)
public:
    CKtvPTabbedToolbar();
    ~CKtvPTabbedToolbar() override;

    void RecalcLayout() override;
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    // New virtuals, in slot order.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, BOOL bHasGripper);
    virtual BOOL AddTab(CKtvPControlBar* pNewBar, BOOL bVisible = TRUE, BOOL bSetActive = TRUE,
                        BOOL bDetachable = TRUE);
    virtual CKtvPTabWnd* GetTabWnd() const { return m_pTabWnd; }

    using CKtvPToolBar::Create;

    CKtvPTabWnd* m_pTabWnd = nullptr;      // owned; made at WM_CREATE

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnNcDestroy();
    LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// A control bar around the common rebar control; its bands hold child bars.
class CKtvPReBar : public CKtvPControlBar {
    DECLARE_DYNAMIC(CKtvPReBar)
public:
    CKtvPReBar();
    ~CKtvPReBar() override;

protected:
    BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnHeightChange(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnShowBand(WPARAM wParam, LPARAM lParam);
    LRESULT OnRecalcParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
