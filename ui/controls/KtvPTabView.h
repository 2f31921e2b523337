// A document view whose whole client area is a tab window holding other
// views as tabs; the frame's active view follows the active tab, so commands
// and the focus go to the view of the selected tab.
#pragma once

#include "platform/mfc/CView.h"
#include "platform/mfc/afxmsg.h"
#include "ui/controls/KtvPTabWnd.h"

struct CCreateContext;

class CKtvPTabView : public CView {
    DECLARE_DYNCREATE(CKtvPTabView)
public:
    CKtvPTabView() = default;

    // After the frame's active view followed a tab change (NULL: no tab left).
    virtual void OnActivateView(CView* /*pView*/) {}
    // TRUE: the strip shares a horizontal scroll bar with the active view.
    virtual BOOL UsesSharedScrollBar() const { return FALSE; }

    // The tab count minus one, or -1 when the view cannot be made.
    int AddView(CRuntimeClass* pViewClass, const CString& strViewLabel, int iIndex = -1,
                CCreateContext* pContext = nullptr);
    BOOL SetActiveView(int iTab);
    CView* GetActiveView() const;

    CKtvPTabWnd& GetTabControl() { return m_wndTabs; }

    void OnDraw(CDC*) override {}

    // The framework's three-argument activation stays reachable beside the tab hook.
    using CView::OnActivateView;

protected:
    CKtvPTabWnd m_wndTabs;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnChangeActiveTab(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
