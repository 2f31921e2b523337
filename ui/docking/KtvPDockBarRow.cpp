#include "ui/docking/KtvPDockBarRow.h"

#include <algorithm>
#include <vector>

#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPDockBar.h"
#include "ui/frames/KtvPNotBuilt.h"

namespace {

CKtvPControlBar* BarOf(CObject* pObj) { return static_cast<CKtvPControlBar*>(pObj); }

}  // namespace

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

void CKtvPDockBarRow::GetAvailableSpaceRect(CRect& rect) const
{
    GetClientRect(rect);
    const int nUsed = RowLength() - CalcRequiredLength(FALSE);
    if (IsHorizontal()) {
        rect.right -= nUsed;
    } else {
        rect.bottom -= nUsed;
    }
}

int CKtvPDockBarRow::GetVisibleCount() const
{
    int nCount = 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        if (IsBarShown(BarOf(m_lstControlBars.GetNext(pos)))) {
            ++nCount;
        }
    }
    return nCount;
}

void CKtvPDockBarRow::CalcFixedLayout(CSize& size, BOOL bStretch, BOOL bHorz)
{
    if (!m_bVisible) {
        size = bHorz ? CSize(32767, 0) : CSize(0, 32767);
        return;
    }
    int nLength = 0;
    int nThickness = 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CKtvPControlBar* pBar = BarOf(m_lstControlBars.GetNext(pos));
        if (!IsBarShown(pBar)) {
            continue;
        }
        const CSize sizeBar = pBar->CalcFixedLayout(bStretch, bHorz);
        nLength += bHorz ? sizeBar.cx : sizeBar.cy;
        nThickness = std::max(nThickness, (int)(bHorz ? sizeBar.cy : sizeBar.cx));
    }
    if (m_nExtraSpace > 0) {
        nThickness += m_nExtraSpace;
    }
    size = bHorz ? CSize(nLength, nThickness) : CSize(nThickness, nLength);
}

void CKtvPDockBarRow::AddControlBar(CKtvPControlBar* pControlBar, int, LPCRECT lpRect, BOOL bAddLast)
{
    int nStart = 0;
    if (lpRect != nullptr) {
        CRect rectRow;
        GetWindowRect(rectRow);
        nStart = IsHorizontal() ? lpRect->left - rectRow.left : lpRect->top - rectRow.top;
    } else if (bAddLast) {
        nStart = GetLastBarEnd();
    }
    const CSize size = pControlBar->CalcFixedLayout(FALSE, IsHorizontal());
    PlaceBar(pControlBar, nStart, IsHorizontal() ? size.cx : size.cy, SWP_FRAMECHANGED);
    pControlBar->UpdateVirtualRect();
    FindInsertPosition(pControlBar);
}

void CKtvPDockBarRow::AddControlBarFromRow(CKtvPControlBar* pControlBar, int dockMethod)
{
    CRect rectBar;
    pControlBar->GetWindowRect(rectBar);
    CRect rectRow;
    GetWindowRect(rectRow);
    int nStart = IsHorizontal() ? rectBar.left - rectRow.left : rectBar.top - rectRow.top;
    if (dockMethod == KTVP_DM_MOUSE) {
        CPoint ptCursor;
        ::GetCursorPos(&ptCursor);
        const CPoint ptHot = pControlBar->GetClientHotSpot();
        nStart = IsHorizontal() ? ptCursor.x - ptHot.x - rectRow.left : ptCursor.y - ptHot.y - rectRow.top;
    }
    const int nLength = IsHorizontal() ? rectBar.Width() : rectBar.Height();
    PlaceBar(pControlBar, nStart, nLength, 0);
    pControlBar->UpdateVirtualRect();
    FindInsertPosition(pControlBar);
}

void CKtvPDockBarRow::RemoveControlBar(CKtvPControlBar* pControlBar)
{
    POSITION pos = m_lstControlBars.Find(pControlBar);
    if (pos == nullptr) {
        return;
    }
    pControlBar->StretchBar(0xFFFF, nullptr);
    m_lstControlBars.RemoveAt(pos);
    pControlBar->SetDockBarRow(nullptr);
    if (m_lstControlBars.IsEmpty()) {
        // The dock bar deletes this row.
        m_pParentDockBar->RemoveRow(this);
        return;
    }
    ExpandStretchedBars();
    UpdateVisibleState(TRUE);
    const int nThickness = CalcRowThickness();
    if (nThickness > 0 && m_nRowHeight > nThickness) {
        m_pParentDockBar->ResizeRow(this, nThickness, TRUE);
    }
}

void CKtvPDockBarRow::ArrangeBars(int nMargin, int nSpacing)
{
    int nStart = nMargin;
    BOOL bFirst = TRUE;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CKtvPControlBar* pBar = BarOf(m_lstControlBars.GetNext(pos));
        if (!IsBarShown(pBar)) {
            continue;
        }
        if (!bFirst && !pBar->IsFirstInGroup()) {
            nStart -= nSpacing;
        }
        const CSize size = pBar->CalcLayoutForLength(RowLength(), !IsHorizontal());
        const int nLength = IsHorizontal() ? size.cx : size.cy;
        PlaceBar(pBar, nStart, nLength, 0);
        nStart += nLength + nSpacing;
        bFirst = FALSE;
    }
}

int CKtvPDockBarRow::Resize(int nOffset)
{
    m_nRowHeight += nOffset;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        BarOf(m_lstControlBars.GetNext(pos))->RecalcLayout();
    }
    return nOffset;
}

void CKtvPDockBarRow::OnRowMoved(int nOffset)
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        BarOf(m_lstControlBars.GetNext(pos))->MoveAcrossRow(m_dwRowAlignment, nOffset);
    }
    m_nRowOffset += nOffset;
}

void CKtvPDockBarRow::ArrangeAfterChange(CKtvPControlBar* pBar) { LayOut(RowLength(), pBar); }

void CKtvPDockBarRow::MoveControlBar(CRect rectNew, int, BOOL, int)
{
    const int nLength = IsHorizontal() ? rectNew.Width() : rectNew.Height();
    if (IsExclusiveRow() && m_lstControlBars.GetCount() == 1) {
        CKtvPControlBar* pBar = BarOf(m_lstControlBars.GetHead());
        const int cx = IsHorizontal() ? nLength : m_nRowHeight;
        const int cy = IsHorizontal() ? m_nRowHeight : nLength;
        pBar->SetWindowPos(nullptr, 0, 0, cx, cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE, nullptr);
        pBar->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
        return;
    }
    LayOut(nLength, nullptr);
}

void CKtvPDockBarRow::UpdateVisibleState(BOOL bDelay)
{
    BOOL bVisible = FALSE;
    CWnd* pFrame = m_pParentDockBar->GetParent();
    const BOOL bFrameHidden = pFrame != nullptr && (pFrame->GetStyle() & WS_VISIBLE) == 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr && !bVisible;) {
        CKtvPControlBar* pBar = BarOf(m_lstControlBars.GetNext(pos));
        if (bFrameHidden && pBar->IsRestoredFromRegistry()) {
            bVisible = pBar->GetRecentVisibleState();
        } else {
            bVisible = (pBar->GetStyle() & WS_VISIBLE) != 0;
        }
    }
    if (bVisible != m_bVisible) {
        SetVisible(bVisible, !bDelay);
    }
}

void CKtvPDockBarRow::SetVisible(BOOL bShow, BOOL bAdjustLayout)
{
    if (m_bVisible == bShow) {
        return;
    }
    m_bVisible = bShow;
    m_pParentDockBar->ShowRow(this, bShow, bAdjustLayout);
}

void CKtvPDockBarRow::ReplaceControlBar(CKtvPControlBar* pBarOld, CKtvPControlBar* pBarNew)
{
    if (POSITION pos = m_lstControlBars.Find(pBarOld)) {
        m_lstControlBars.SetAt(pos, pBarNew);
    }
}

BOOL CKtvPDockBarRow::ShowControlBar(CKtvPBaseControlBar* pControlBar, BOOL bShow, BOOL bDelay)
{
    if (m_lstControlBars.Find(pControlBar) == nullptr) {
        return FALSE;
    }
    auto* pBar = static_cast<CKtvPControlBar*>(pControlBar);
    pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    UpdateVisibleState(bDelay);
    if (bShow) {
        pBar->AdjustLayout();
        ArrangeAfterChange(pBar);
    } else {
        ExpandStretchedBars();
    }
    if (!bDelay) {
        m_pParentDockBar->RecalcFrameLayout();
    }
    return TRUE;
}

int CKtvPDockBarRow::CalcRequiredLength(BOOL bVirtual) const
{
    int nFree = RowLength();
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CKtvPControlBar* pBar = BarOf(m_lstControlBars.GetNext(pos));
        if (!IsBarShown(pBar)) {
            continue;
        }
        CRect rect;
        if (bVirtual) {
            pBar->GetVirtualRect(rect);
        } else {
            pBar->GetWindowRect(rect);
        }
        nFree -= IsHorizontal() ? rect.Width() : rect.Height();
    }
    return nFree;
}

BOOL CKtvPDockBarRow::IsExclusiveRow() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        if (!BarOf(m_lstControlBars.GetNext(pos))->AllowsSiblingBars()) {
            return TRUE;
        }
    }
    return FALSE;
}

POSITION CKtvPDockBarRow::FindInsertPosition(CKtvPControlBar* pBar)
{
    CRect rectBar;
    pBar->GetWindowRect(rectBar);
    POSITION posNew = nullptr;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr; m_lstControlBars.GetNext(pos)) {
        if (BarOf(m_lstControlBars.GetAt(pos))->IsPointBeforeBar(rectBar.left, rectBar.top, TRUE)) {
            posNew = m_lstControlBars.InsertBefore(pos, pBar);
            break;
        }
    }
    if (posNew == nullptr) {
        posNew = m_lstControlBars.AddTail(pBar);
    }
    pBar->SetDockBarRow(this);
    UpdateVisibleState(TRUE);
    const CSize size = pBar->CalcFixedLayout(FALSE, IsHorizontal());
    const int nNeeded = (IsHorizontal() ? size.cy : size.cx) + m_nExtraSpace;
    if (m_nRowHeight < nNeeded) {
        m_pParentDockBar->ResizeRow(this, nNeeded, TRUE);
    }
    ArrangeAfterChange(pBar);
    return posNew;
}

void CKtvPDockBarRow::GetWindowRect(CRect& rect) const
{
    m_pParentDockBar->GetWindowRect(rect);
    NarrowToRow(rect);
}

void CKtvPDockBarRow::GetClientRect(CRect& rect) const
{
    m_pParentDockBar->GetClientRect(rect);
    NarrowToRow(rect);
}

BOOL CKtvPDockBarRow::IsHorizontal() const { return (m_dwRowAlignment & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0; }

int CKtvPDockBarRow::CalcRowThickness()
{
    int nThickness = 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CKtvPControlBar* pBar = BarOf(m_lstControlBars.GetNext(pos));
        if (IsBarShown(pBar)) {
            const CSize size = pBar->CalcFixedLayout(FALSE, IsHorizontal());
            nThickness = std::max(nThickness, (int)(IsHorizontal() ? size.cy : size.cx));
        }
    }
    return nThickness;
}

// How far the bar may move: up to the row start backwards, and forwards the gap
// to the row end less the bars beyond it, which it pushes along.
BOOL CKtvPDockBarRow::CanMoveBar(CKtvPControlBar* pBar, int nOffset) const
{
    if (nOffset == 0) {
        return TRUE;
    }
    int nBefore = 0;
    int nAfter = 0;
    BOOL bAfter = FALSE;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CKtvPControlBar* pOther = BarOf(m_lstControlBars.GetNext(pos));
        if (pOther == pBar) {
            bAfter = TRUE;
            continue;
        }
        if (IsBarShown(pOther)) {
            (bAfter ? nAfter : nBefore) += BarLength(pOther);
        }
    }
    const int nStart = BarStart(pBar);
    if (nOffset < 0) {
        return nStart + nOffset >= nBefore;
    }
    return nStart + BarLength(pBar) + nOffset + nAfter <= RowLength();
}

void CKtvPDockBarRow::ExpandStretchedBars() { LayOut(RowLength(), nullptr); }

void CKtvPDockBarRow::GetGroupBars(CKtvPControlBar* pBar, CObList& lstGroupBars)
{
    POSITION posBar = m_lstControlBars.Find(pBar);
    if (posBar == nullptr) {
        return;
    }
    POSITION posFirst = posBar;
    while (posFirst != nullptr && !BarOf(m_lstControlBars.GetAt(posFirst))->IsFirstInGroup()) {
        m_lstControlBars.GetPrev(posFirst);
    }
    if (posFirst == nullptr) {
        posFirst = m_lstControlBars.GetHeadPosition();
    }
    for (POSITION pos = posFirst; pos != nullptr;) {
        CKtvPControlBar* pMember = BarOf(m_lstControlBars.GetNext(pos));
        lstGroupBars.AddTail(pMember);
        if (pMember->IsLastInGroup()) {
            break;
        }
    }
}

int CKtvPDockBarRow::GetLastBarEnd() const
{
    int nEnd = 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CKtvPControlBar* pBar = BarOf(m_lstControlBars.GetNext(pos));
        if (IsBarShown(pBar)) {
            nEnd = std::max(nEnd, BarStart(pBar) + BarLength(pBar));
        }
    }
    return nEnd;
}

void CKtvPDockBarRow::KeepBarInRow(CKtvPControlBar* pBar)
{
    const int nStart = BarStart(pBar);
    const int nLength = BarLength(pBar);
    const int nNewStart = std::max(0, std::min(nStart, RowLength() - nLength));
    if (nNewStart != nStart) {
        PlaceBar(pBar, nNewStart, nLength, 0);
    }
}

// The bar moves along the row as far as there is room; neighbours whose middle
// it passes change places with it, the others are pushed and later return
// towards their preferred places.
void CKtvPDockBarRow::MoveBarInRow(CKtvPControlBar* pBar, int dx, int dy, BOOL)
{
    int nOffset = IsHorizontal() ? dx : dy;
    if (nOffset == 0 || m_lstControlBars.Find(pBar) == nullptr) {
        return;
    }
    while (nOffset != 0 && !CanMoveBar(pBar, nOffset)) {
        nOffset += nOffset > 0 ? -1 : 1;
    }
    if (nOffset == 0) {
        return;
    }
    const int nLength = BarLength(pBar);
    const int nNewStart = BarStart(pBar) + nOffset;
    PlaceBar(pBar, nNewStart, nLength, 0);
    pBar->UpdateVirtualRect();

    // Re-order by the middles: the moved bar goes before the first other bar whose middle lies past its start.
    m_lstControlBars.RemoveAt(m_lstControlBars.Find(pBar));
    POSITION posInsert = nullptr;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr; m_lstControlBars.GetNext(pos)) {
        CKtvPControlBar* pOther = BarOf(m_lstControlBars.GetAt(pos));
        const int nMiddle = VirtualStart(pOther) + BarLength(pOther) / 2;
        if (nOffset > 0 ? nNewStart + nLength <= nMiddle : nNewStart <= nMiddle) {
            posInsert = pos;
            break;
        }
    }
    if (posInsert != nullptr) {
        m_lstControlBars.InsertBefore(posInsert, pBar);
    } else {
        m_lstControlBars.AddTail(pBar);
    }
    ArrangeAfterChange(pBar);
}

void CKtvPDockBarRow::PackBars() { LayOut(RowLength(), nullptr); }

void CKtvPDockBarRow::PushBarsBack(CKtvPControlBar* pBar) { LayOut(RowLength(), pBar); }

void CKtvPDockBarRow::RepositionBars(CRect& rectNew)
{
    LayOut(IsHorizontal() ? rectNew.Width() : rectNew.Height(), nullptr);
}

void CKtvPDockBarRow::ResolveOverlap(CKtvPControlBar* pBar, int) { LayOut(RowLength(), pBar); }

void CKtvPDockBarRow::ShiftBars(POSITION posFrom, int nOffset)
{
    for (POSITION pos = posFrom; pos != nullptr;) {
        CKtvPControlBar* pBar = BarOf(m_lstControlBars.GetNext(pos));
        if (IsBarShown(pBar)) {
            PlaceBar(pBar, BarStart(pBar) + nOffset, BarLength(pBar), 0);
        }
    }
}

// The layout works on its own copies of the bars' places (see LayOut); there is nothing to store.
void CKtvPDockBarRow::StoreBarRects() {}

// --- the row's own helpers ---------------------------------------------------------------------

BOOL CKtvPDockBarRow::IsBarShown(const CKtvPControlBar* pBar) const
{
    return m_bIgnoreBarVisibility || (pBar->GetStyle() & WS_VISIBLE) != 0;
}

int CKtvPDockBarRow::RowLength() const
{
    CRect rect;
    m_pParentDockBar->GetClientRect(rect);
    return IsHorizontal() ? rect.Width() : rect.Height();
}

void CKtvPDockBarRow::NarrowToRow(CRect& rect) const
{
    if (IsHorizontal()) {
        rect.top += m_nRowOffset;
        rect.bottom = rect.top + m_nRowHeight;
    } else {
        rect.left += m_nRowOffset;
        rect.right = rect.left + m_nRowHeight;
    }
}

int CKtvPDockBarRow::BarStart(const CKtvPControlBar* pBar) const
{
    CRect rect;
    pBar->GetWindowRect(rect);
    m_pParentDockBar->ScreenToClient(rect);
    return IsHorizontal() ? rect.left : rect.top;
}

int CKtvPDockBarRow::BarLength(const CKtvPControlBar* pBar) const
{
    CRect rect;
    pBar->GetWindowRect(rect);
    return IsHorizontal() ? rect.Width() : rect.Height();
}

int CKtvPDockBarRow::VirtualStart(const CKtvPControlBar* pBar) const
{
    CRect rect;
    pBar->GetVirtualRect(rect);
    m_pParentDockBar->ScreenToClient(rect);
    return IsHorizontal() ? rect.left : rect.top;
}

void CKtvPDockBarRow::PlaceBar(CKtvPControlBar* pBar, int nStart, int nLength, UINT nExtraFlags)
{
    const CSize size = pBar->CalcFixedLayout(FALSE, IsHorizontal());
    const int nThickness = IsHorizontal() ? size.cy : size.cx;
    const int nAcross = m_nRowOffset + (m_nExtraAlignment == 1 ? m_nExtraSpace : 0);
    const CRect rect = IsHorizontal() ? CRect(nStart, nAcross, nStart + nLength, nAcross + nThickness)
                                      : CRect(nAcross, nStart, nAcross + nThickness, nStart + nLength);
    CRect rectOld;
    pBar->GetWindowRect(rectOld);
    m_pParentDockBar->ScreenToClient(rectOld);
    if (rectOld == rect && nExtraFlags == 0) {
        return;
    }
    pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | nExtraFlags, nullptr);
}

// One pass places every shown bar: each wants its virtual (preferred) start and
// length; the anchor, when given, keeps where it is. Bars after it are pushed
// on, bars before it pushed back; what sticks out at either end is shifted in,
// and when the row is still too short the bars shrink from the last one
// backwards down to their minimum lengths. Bars never overlap nor leave the row.
void CKtvPDockBarRow::LayOut(int nRowLength, CKtvPControlBar* pAnchor)
{
    struct Slot {
        CKtvPControlBar* pBar;
        int nStart;
        int nLength;
        int nMinLength;
    };
    std::vector<Slot> slots;
    size_t nAnchor = SIZE_MAX;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CKtvPControlBar* pBar = BarOf(m_lstControlBars.GetNext(pos));
        if (!IsBarShown(pBar)) {
            continue;
        }
        CRect rectVirtual;
        pBar->GetVirtualRect(rectVirtual);
        int nLength = IsHorizontal() ? rectVirtual.Width() : rectVirtual.Height();
        if (nLength <= 0) {
            nLength = BarLength(pBar);
        }
        CSize sizeMin;
        pBar->GetMinSize(sizeMin);
        const int nMin = std::min(nLength, (int)(IsHorizontal() ? sizeMin.cx : sizeMin.cy));
        if (pBar == pAnchor) {
            nAnchor = slots.size();
            slots.push_back({pBar, BarStart(pBar), nLength, nMin});
        } else {
            slots.push_back({pBar, VirtualStart(pBar), nLength, nMin});
        }
    }
    if (slots.empty()) {
        return;
    }

    int nTotal = 0;
    for (const Slot& slot : slots) {
        nTotal += slot.nLength;
    }
    // Shrink from the last bar backwards until the bars fit.
    for (size_t i = slots.size(); i-- > 0 && nTotal > nRowLength;) {
        const int nCut = std::min(nTotal - nRowLength, slots[i].nLength - slots[i].nMinLength);
        slots[i].nLength -= nCut;
        nTotal -= nCut;
    }

    const size_t nFirstForward = nAnchor == SIZE_MAX ? 0 : nAnchor;
    if (nAnchor != SIZE_MAX) {
        for (size_t i = nAnchor; i-- > 0;) {
            slots[i].nStart = std::min(slots[i].nStart, slots[i + 1].nStart - slots[i].nLength);
        }
    }
    for (size_t i = nFirstForward; i < slots.size(); ++i) {
        if (i == 0) {
            slots[i].nStart = std::max(slots[i].nStart, 0);
        } else {
            slots[i].nStart = std::max(slots[i].nStart, slots[i - 1].nStart + slots[i - 1].nLength);
        }
    }
    // Sticking out at the end: pull back from the last bar; then keep the first at the start.
    int nLimit = nRowLength;
    for (size_t i = slots.size(); i-- > 0;) {
        slots[i].nStart = std::min(slots[i].nStart, nLimit - slots[i].nLength);
        nLimit = slots[i].nStart;
    }
    int nFloor = 0;
    for (Slot& slot : slots) {
        slot.nStart = std::max(slot.nStart, nFloor);
        nFloor = slot.nStart + slot.nLength;
    }

    for (const Slot& slot : slots) {
        const int nCurrent = BarLength(slot.pBar);
        if (slot.nLength != nCurrent) {
            slot.pBar->StretchBar(slot.nLength - nCurrent, nullptr);
        }
        PlaceBar(slot.pBar, slot.nStart, slot.nLength, 0);
    }
}
