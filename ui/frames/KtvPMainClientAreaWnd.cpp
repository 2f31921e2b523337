#include "ui/frames/KtvPMainClientAreaWnd.h"

#include "platform/win32/mdi/winmdi.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNAMIC(CKtvPMainClientAreaWnd, CWnd)

BEGIN_MESSAGE_MAP(CKtvPMainClientAreaWnd, CWnd)
    ON_MESSAGE(WM_MDISETMENU, OnMDISetMenu)
    ON_MESSAGE(WM_MDIREFRESHMENU, OnMDIRefreshMenu)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_MDIDESTROY, OnMDIDestroy)
    ON_MESSAGE(KTVP_WM_UPDATE_MDI_TABS, OnUpdateTabs)
END_MESSAGE_MAP()

CKtvPMainClientAreaWnd::CKtvPMainClientAreaWnd()
    : m_tabLocation(CKtvPTabWnd::LOCATION_BOTTOM),
      m_bTabIsVisible(FALSE),
      m_bTabIsEnabled(FALSE),
      m_bTabIcons(TRUE),
      m_bTabCloseButton(FALSE)
{
}

CKtvPMainClientAreaWnd::~CKtvPMainClientAreaWnd()
{
    m_mapIcons.RemoveAll();
    m_TabIcons.DeleteImageList();
    if (m_wndTab.GetSafeHwnd() != nullptr)
        m_wndTab.DestroyWindow();
}

void CKtvPMainClientAreaWnd::EnableMDITabs(BOOL, BOOL, int, BOOL, int)
{
    KTVP_NOT_BUILT("CKtvPMainClientAreaWnd::EnableMDITabs");
}

void CKtvPMainClientAreaWnd::UpdateTabs(BOOL)
{
    KTVP_NOT_BUILT("CKtvPMainClientAreaWnd::UpdateTabs");
}

void CKtvPMainClientAreaWnd::SetActiveTab(HWND)
{
    KTVP_NOT_BUILT("CKtvPMainClientAreaWnd::SetActiveTab");
}

void CKtvPMainClientAreaWnd::CalcWindowRect(LPRECT, UINT)
{
    KTVP_NOT_BUILT("CKtvPMainClientAreaWnd::CalcWindowRect");
}

void CKtvPMainClientAreaWnd::PreSubclassWindow()
{
    KTVP_NOT_BUILT("CKtvPMainClientAreaWnd::PreSubclassWindow");
}

LRESULT CKtvPMainClientAreaWnd::OnMDISetMenu(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMainClientAreaWnd::OnMDISetMenu");
}

LRESULT CKtvPMainClientAreaWnd::OnMDIRefreshMenu(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMainClientAreaWnd::OnMDIRefreshMenu");
}

BOOL CKtvPMainClientAreaWnd::OnEraseBkgnd(CDC*)
{
    KTVP_NOT_BUILT("CKtvPMainClientAreaWnd::OnEraseBkgnd");
}

LRESULT CKtvPMainClientAreaWnd::OnMDIDestroy(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMainClientAreaWnd::OnMDIDestroy");
}

LRESULT CKtvPMainClientAreaWnd::OnUpdateTabs(WPARAM, LPARAM)
{
    KTVP_NOT_BUILT("CKtvPMainClientAreaWnd::OnUpdateTabs");
}
