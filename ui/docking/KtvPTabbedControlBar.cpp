#include "ui/docking/KtvPTabbedControlBar.h"

#include "platform/mfc/afxmsg.h"
#include "ui/controls/KtvPTabWnd.h"

// The framework's object archive writes tabbed bars with their class record.
IMPLEMENT_SERIAL(CKtvPTabbedControlBar, CKtvPBaseTabbedBar, VERSIONABLE_SCHEMA | 2)

int CKtvPTabbedControlBar::m_nTabWndStyle = 0;
BOOL CKtvPTabbedControlBar::m_bTabAutoColor = FALSE;
CArray<COLORREF, COLORREF> CKtvPTabbedControlBar::m_arTabAutoColors;
CList<HWND, HWND> CKtvPTabbedControlBar::m_lstTabbedControlBars;

BEGIN_MESSAGE_MAP(CKtvPTabbedControlBar, CKtvPBaseTabbedBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CKtvPTabbedControlBar::CKtvPTabbedControlBar(BOOL bAutoDestroy) : CKtvPBaseTabbedBar(bAutoDestroy) {}

CKtvPTabbedControlBar::~CKtvPTabbedControlBar() = default;

void CKtvPTabbedControlBar::GetTabArea(CRect& rectTabAreaTop, CRect& rectTabAreaBottom) const
{
    rectTabAreaTop.SetRectEmpty();
    rectTabAreaBottom.SetRectEmpty();
    if (CWnd::GetSafeHwndOf(m_pTabWnd) == nullptr) {
        return;
    }
    CRect rectTabs;
    m_pTabWnd->GetTabsRect(rectTabs);
    m_pTabWnd->ClientToScreen(rectTabs);
    (IsTabLocationBottom() ? rectTabAreaBottom : rectTabAreaTop) = rectTabs;
}

BOOL CKtvPTabbedControlBar::IsTabLocationBottom() const
{
    return m_pTabWnd == nullptr || m_pTabWnd->GetLocation() == CKtvPBaseTabWnd::LOCATION_BOTTOM;
}

// The close button closes the active tab, and the whole bar with its last visible tab.
void CKtvPTabbedControlBar::OnPressCloseButton()
{
    if (m_pTabWnd == nullptr) {
        return;
    }
    if (m_pTabWnd->GetVisibleTabsNum() == 1) {
        CKtvPDockingControlBar::OnPressCloseButton();
    }
    m_pTabWnd->ShowTab(m_pTabWnd->GetActiveTab(), FALSE, TRUE, FALSE);
}

// A lone tab does not float by itself: the bar floats instead.
BOOL CKtvPTabbedControlBar::FloatTab(CWnd* pBar, int iTab, int dockMethod, BOOL bHide)
{
    if (GetTabsNum() < 2) {
        return FALSE;
    }
    return CKtvPBaseTabbedBar::FloatTab(pBar, iTab, dockMethod, bHide);
}

BOOL CKtvPTabbedControlBar::DetachControlBar(CWnd* pBar, BOOL bHide)
{
    if (GetTabsNum() < 1) {
        return FALSE;
    }
    return CKtvPBaseTabbedBar::DetachControlBar(pBar, bHide);
}

void CKtvPTabbedControlBar::ApplyAutoColors(CKtvPBaseTabWnd* pTabWnd)
{
    static const CArray<COLORREF, COLORREF> arNone;
    pTabWnd->EnableAutoColor(m_bTabAutoColor);
    pTabWnd->SetAutoColors(m_bTabAutoColor ? m_arTabAutoColors : arNone);
}

void CKtvPTabbedControlBar::EnableTabAutoColor(BOOL bEnable)
{
    m_bTabAutoColor = bEnable;
    for (POSITION pos = m_lstTabbedControlBars.GetHeadPosition(); pos != nullptr;) {
        const HWND hWnd = m_lstTabbedControlBars.GetNext(pos);
        if (!::IsWindow(hWnd)) {
            continue;
        }
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CKtvPTabbedControlBar))) {
            continue;
        }
        if (CKtvPBaseTabWnd* pTabWnd = static_cast<CKtvPTabbedControlBar*>(pWnd)->GetUnderlinedWindow()) {
            ApplyAutoColors(pTabWnd);
        }
    }
}

int CKtvPTabbedControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKtvPDockingControlBar::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    auto* pTabWnd = new CKtvPTabWnd;
    m_pTabWnd = pTabWnd;
    const CRect rect(0, 0, lpCreateStruct->cx, lpCreateStruct->cy);
    if (!pTabWnd->Create(m_nTabWndStyle, rect, this, 101, CKtvPBaseTabWnd::LOCATION_BOTTOM, FALSE)) {
        delete pTabWnd;
        m_pTabWnd = nullptr;
        return -1;
    }
    if (m_bTabAutoColor) {
        ApplyAutoColors(pTabWnd);
    }
    pTabWnd->m_bAutoDestroyWindow = FALSE;
    pTabWnd->SetHideSingleTab(TRUE);
    pTabWnd->m_bEnableWrapping = TRUE;
    m_lstTabbedControlBars.AddTail(GetSafeHwnd());
    return 0;
}

void CKtvPTabbedControlBar::OnDestroy()
{
    if (POSITION pos = m_lstTabbedControlBars.Find(GetSafeHwnd())) {
        m_lstTabbedControlBars.RemoveAt(pos);
    }
    if (m_lstTabbedControlBars.IsEmpty()) {
        m_lstTabbedControlBars.RemoveAll();
    }
    CKtvPDockingControlBar::OnDestroy();
}
