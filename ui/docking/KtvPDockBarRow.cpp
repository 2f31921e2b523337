#include "ui/docking/KtvPDockBarRow.h"

#include "ui/docking/KtvPDockBar.h"
#include "ui/frames/KtvPNotBuilt.h"

CKtvPDockBarRow::CKtvPDockBarRow(CKtvPDockBar* pParentDockBar, int nOffset, int nHeight)
    : m_bIgnoreBarVisibility(FALSE),
      m_bVisible(TRUE),
      m_nRowHeight(nHeight),
      m_nRowOffset(nOffset),
      m_dwRowAlignment(pParentDockBar != nullptr ? pParentDockBar->GetCurrentAlignment() : 0),
      m_pParentDockBar(pParentDockBar),
      m_nExtraSpace(0),
      m_nExtraAlignment(0)
{
}

// The bars belong to their frame; the row only lists them.
CKtvPDockBarRow::~CKtvPDockBarRow() = default;

void CKtvPDockBarRow::GetAvailableSpaceRect(CRect&) const { KTVP_NOT_BUILT("CKtvPDockBarRow::GetAvailableSpaceRect"); }
int CKtvPDockBarRow::GetVisibleCount() const { KTVP_NOT_BUILT("CKtvPDockBarRow::GetVisibleCount"); }
void CKtvPDockBarRow::CalcFixedLayout(CSize&, BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPDockBarRow::CalcFixedLayout"); }
void CKtvPDockBarRow::AddControlBar(CKtvPControlBar*, int, LPCRECT, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockBarRow::AddControlBar");
}

void CKtvPDockBarRow::AddControlBarFromRow(CKtvPControlBar*, int)
{
    KTVP_NOT_BUILT("CKtvPDockBarRow::AddControlBarFromRow");
}

void CKtvPDockBarRow::RemoveControlBar(CKtvPControlBar*) { KTVP_NOT_BUILT("CKtvPDockBarRow::RemoveControlBar"); }
void CKtvPDockBarRow::ArrangeBars(int, int) { KTVP_NOT_BUILT("CKtvPDockBarRow::ArrangeBars"); }
int CKtvPDockBarRow::Resize(int) { KTVP_NOT_BUILT("CKtvPDockBarRow::Resize"); }
void CKtvPDockBarRow::OnRowMoved(int) { KTVP_NOT_BUILT("CKtvPDockBarRow::OnRowMoved"); }
void CKtvPDockBarRow::ArrangeAfterChange(CKtvPControlBar*) { KTVP_NOT_BUILT("CKtvPDockBarRow::ArrangeAfterChange"); }
void CKtvPDockBarRow::MoveControlBar(CRect, int, BOOL, int) { KTVP_NOT_BUILT("CKtvPDockBarRow::MoveControlBar"); }
void CKtvPDockBarRow::UpdateVisibleState(BOOL) { KTVP_NOT_BUILT("CKtvPDockBarRow::UpdateVisibleState"); }
void CKtvPDockBarRow::SetVisible(BOOL, BOOL) { KTVP_NOT_BUILT("CKtvPDockBarRow::SetVisible"); }
void CKtvPDockBarRow::ReplaceControlBar(CKtvPControlBar*, CKtvPControlBar*)
{
    KTVP_NOT_BUILT("CKtvPDockBarRow::ReplaceControlBar");
}

BOOL CKtvPDockBarRow::ShowControlBar(CKtvPBaseControlBar*, BOOL, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockBarRow::ShowControlBar");
}

int CKtvPDockBarRow::CalcRequiredLength(BOOL) const { KTVP_NOT_BUILT("CKtvPDockBarRow::CalcRequiredLength"); }
BOOL CKtvPDockBarRow::IsExclusiveRow() const { KTVP_NOT_BUILT("CKtvPDockBarRow::IsExclusiveRow"); }
POSITION CKtvPDockBarRow::FindInsertPosition(CKtvPControlBar*)
{
    KTVP_NOT_BUILT("CKtvPDockBarRow::FindInsertPosition");
}

void CKtvPDockBarRow::GetWindowRect(CRect&) const { KTVP_NOT_BUILT("CKtvPDockBarRow::GetWindowRect"); }
void CKtvPDockBarRow::GetClientRect(CRect&) const { KTVP_NOT_BUILT("CKtvPDockBarRow::GetClientRect"); }
BOOL CKtvPDockBarRow::IsHorizontal() const { KTVP_NOT_BUILT("CKtvPDockBarRow::IsHorizontal"); }
int CKtvPDockBarRow::CalcRowThickness() { KTVP_NOT_BUILT("CKtvPDockBarRow::CalcRowThickness"); }
BOOL CKtvPDockBarRow::CanMoveBar(CKtvPControlBar*, int) const { KTVP_NOT_BUILT("CKtvPDockBarRow::CanMoveBar"); }
void CKtvPDockBarRow::ExpandStretchedBars() { KTVP_NOT_BUILT("CKtvPDockBarRow::ExpandStretchedBars"); }
void CKtvPDockBarRow::GetGroupBars(CKtvPControlBar*, CObList&) { KTVP_NOT_BUILT("CKtvPDockBarRow::GetGroupBars"); }
int CKtvPDockBarRow::GetLastBarEnd() const { KTVP_NOT_BUILT("CKtvPDockBarRow::GetLastBarEnd"); }
void CKtvPDockBarRow::KeepBarInRow(CKtvPControlBar*) { KTVP_NOT_BUILT("CKtvPDockBarRow::KeepBarInRow"); }
void CKtvPDockBarRow::MoveBarInRow(CKtvPControlBar*, int, int, BOOL)
{
    KTVP_NOT_BUILT("CKtvPDockBarRow::MoveBarInRow");
}

void CKtvPDockBarRow::PackBars() { KTVP_NOT_BUILT("CKtvPDockBarRow::PackBars"); }
void CKtvPDockBarRow::PushBarsBack(CKtvPControlBar*) { KTVP_NOT_BUILT("CKtvPDockBarRow::PushBarsBack"); }
void CKtvPDockBarRow::RepositionBars(CRect&) { KTVP_NOT_BUILT("CKtvPDockBarRow::RepositionBars"); }
void CKtvPDockBarRow::ResolveOverlap(CKtvPControlBar*, int) { KTVP_NOT_BUILT("CKtvPDockBarRow::ResolveOverlap"); }
void CKtvPDockBarRow::ShiftBars(POSITION, int) { KTVP_NOT_BUILT("CKtvPDockBarRow::ShiftBars"); }

void CKtvPDockBarRow::StoreBarRects() { KTVP_NOT_BUILT("CKtvPDockBarRow::StoreBarRects"); }
