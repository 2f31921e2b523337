#include "ui/docking/KtvPAutoHideToolBar.h"

#include "platform/mfc/afxmsg.h"
#include "ui/docking/KtvPAutoHideButton.h"
#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNCREATE(CKtvPAutoHideToolBar, CKtvPControlBar)

CRuntimeClass* CKtvPAutoHideToolBar::m_pButtonRTC = RUNTIME_CLASS(CKtvPAutoHideButton);
int CKtvPAutoHideToolBar::m_nHoverDelay = 400;

BEGIN_MESSAGE_MAP(CKtvPAutoHideToolBar, CKtvPControlBar)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CKtvPAutoHideToolBar::CKtvPAutoHideToolBar() : m_bHoverPending(FALSE), m_nHoverTimerID(0) {}

CKtvPAutoHideToolBar::~CKtvPAutoHideToolBar()
{
    // The hover timer belongs to the window, which is gone by now.
    while (!m_lstButtons.IsEmpty())
        delete m_lstButtons.RemoveHead();
}

CSize CKtvPAutoHideToolBar::CalcLayoutForLength(int, BOOL)
{
    KTVP_NOT_BUILT("CKtvPAutoHideToolBar::CalcLayoutForLength");
}

CSize CKtvPAutoHideToolBar::CalcFixedLayout(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::CalcFixedLayout"); }
void CKtvPAutoHideToolBar::SetActiveInGroup(BOOL) { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::SetActiveInGroup"); }
CKtvPAutoHideButton* CKtvPAutoHideToolBar::AddAutoHideWindow(CWnd*, DWORD)
{
    KTVP_NOT_BUILT("CKtvPAutoHideToolBar::AddAutoHideWindow");
}

BOOL CKtvPAutoHideToolBar::RemoveAutoHideWindow(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPAutoHideToolBar::RemoveAutoHideWindow");
}

BOOL CKtvPAutoHideToolBar::ShowAutoHideWindow(CKtvPDockingControlBar*, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPAutoHideToolBar::ShowAutoHideWindow");
}

void CKtvPAutoHideToolBar::UpdateVisibleState() { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::UpdateVisibleState"); }
void CKtvPAutoHideToolBar::UnSetAutoHideMode(CKtvPDockingControlBar*)
{
    KTVP_NOT_BUILT("CKtvPAutoHideToolBar::UnSetAutoHideMode");
}

int CKtvPAutoHideToolBar::GetVisibleCount() const { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::GetVisibleCount"); }
CKtvPAutoHideButton* CKtvPAutoHideToolBar::FindButton(CWnd*) const
{
    KTVP_NOT_BUILT("CKtvPAutoHideToolBar::FindButton");
}

CKtvPAutoHideButton* CKtvPAutoHideToolBar::ButtonFromPoint(CPoint) const
{
    KTVP_NOT_BUILT("CKtvPAutoHideToolBar::ButtonFromPoint");
}

void CKtvPAutoHideToolBar::CleanUpButtons() { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::CleanUpButtons"); }
CKtvPDockingControlBar* CKtvPAutoHideToolBar::GetFirstAttachedBar() const
{
    KTVP_NOT_BUILT("CKtvPAutoHideToolBar::GetFirstAttachedBar");
}

int CKtvPAutoHideToolBar::OnCreate(LPCREATESTRUCT) { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::OnCreate"); }
void CKtvPAutoHideToolBar::OnPaint() { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::OnPaint"); }
void CKtvPAutoHideToolBar::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::OnMouseMove"); }
void CKtvPAutoHideToolBar::OnTimer(UINT_PTR) { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::OnTimer"); }
void CKtvPAutoHideToolBar::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::OnLButtonDown"); }
void CKtvPAutoHideToolBar::OnNcDestroy() { KTVP_NOT_BUILT("CKtvPAutoHideToolBar::OnNcDestroy"); }
