#include "ui/controls/KtvPHeaderCtrl.h"

#include "ui/frames/KtvPNotBuilt.h"

IMPLEMENT_DYNAMIC(CKtvPHeaderCtrl, CHeaderCtrl)

BEGIN_MESSAGE_MAP(CKtvPHeaderCtrl, CHeaderCtrl)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_CANCELMODE()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_SETFONT, OnSetFont)
END_MESSAGE_MAP()

CKtvPHeaderCtrl::CKtvPHeaderCtrl()
    : m_bIsMousePressed(FALSE),
      m_bMultipleSort(FALSE),
      m_bAscending(TRUE),
      m_nHighlightedItem(-1),
      m_bTracked(FALSE),
      m_bIsDlgControl(FALSE),
      m_hFont(nullptr)
{
}

CKtvPHeaderCtrl::~CKtvPHeaderCtrl() = default;

void CKtvPHeaderCtrl::OnDrawItem(CDC*, int, CRect, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnDrawItem"); }
void CKtvPHeaderCtrl::OnFillBackground(CDC*) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnFillBackground"); }
void CKtvPHeaderCtrl::OnDrawSortArrow(CDC*, CRect) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnDrawSortArrow"); }
void CKtvPHeaderCtrl::SetSortColumn(int, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::SetSortColumn"); }
void CKtvPHeaderCtrl::RemoveSortColumn(int) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::RemoveSortColumn"); }
void CKtvPHeaderCtrl::EnableMultipleSort(BOOL) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::EnableMultipleSort"); }
int CKtvPHeaderCtrl::GetSortColumnState(int) const { KTVP_NOT_BUILT("CKtvPHeaderCtrl::GetSortColumnState"); }

void CKtvPHeaderCtrl::OnPaint() { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnPaint"); }
BOOL CKtvPHeaderCtrl::OnEraseBkgnd(CDC*) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnEraseBkgnd"); }
void CKtvPHeaderCtrl::OnLButtonDown(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnLButtonDown"); }
void CKtvPHeaderCtrl::OnLButtonUp(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnLButtonUp"); }
void CKtvPHeaderCtrl::OnMouseMove(UINT, CPoint) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnMouseMove"); }
void CKtvPHeaderCtrl::OnCancelMode() { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnCancelMode"); }
void CKtvPHeaderCtrl::OnMouseLeave() { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnMouseLeave"); }
LRESULT CKtvPHeaderCtrl::OnSetFont(WPARAM, LPARAM) { KTVP_NOT_BUILT("CKtvPHeaderCtrl::OnSetFont"); }
