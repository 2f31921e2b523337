// A toolbar as a drop target: buttons dragged onto it in customise mode.
#include "ui/commandbars/KtvPButtonAppearanceDlg.h"
#include "ui/commandbars/KtvPToolBar.h"

#include <algorithm>

#include "platform/mfc/CDC.h"
#include "platform/mfc/COleDataObject.h"
#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/commandbars/KtvPToolbarDropSource.h"
#include "ui/controls/KtvPTabWnd.h"

namespace ktvbardrop {

// Half the thickness of the insertion marker, and its whole thickness.
constexpr int kMarkerHalf = 3;
constexpr int kMarkerThickness = 6;

// A 6-pixel strip centred on an edge, kept inside [low, high].
void CentreOnEdge(LONG& from, LONG& to, int edge, int low, int high)
{
    from = std::max(edge - kMarkerHalf, low);
    to = from + kMarkerThickness;
    if (to > high) {
        to = high;
        from = to - kMarkerThickness;
    }
}

BOOL TakesPartInDrop(const CKtvPToolbarButton* pButton)
{
    return pButton->m_bVisible && !pButton->m_bOverflow;
}

// Repaints a part of the bar now, so markers and selections follow the drag.
void RepaintNow(CWnd& wnd, const CRect& rect)
{
    if (!rect.IsRectEmpty())
        wnd.RedrawWindow(rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// The toolbar that holds a bar's parent tab window lays itself out again.
void RecalcTabbedParent(CWnd& bar)
{
    CWnd* pParent = bar.GetParent();
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CKtvPTabWnd)))
        return;
    if (auto* pHolder = DYNAMIC_DOWNCAST(CKtvPToolBar, pParent->GetParent()))
        pHolder->RecalcLayout();
}

// The bar that refused the button under the pointer at the last drag step.
const CKtvPToolBar* g_pRefusingBar = nullptr;

// Whether the pointer is over the bar: a drag leaves a bar either because
// the pointer went away or because the bar refused the drop under it.
BOOL CursorIsOver(const CWnd& wnd)
{
    if (wnd.GetSafeHwnd() == nullptr)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    CRect rectWindow;
    wnd.GetWindowRect(rectWindow);
    return rectWindow.PtInRect(point);
}

}  // namespace ktvbardrop

void CKtvPToolBar::DrawDragMarker(CDC* pDC)
{
    const CRect& r = m_rectDrag;
    CPen* pOldPen = pDC->SelectObject(&m_penDrag);
    for (int i = 0; i < 2; i++) {
        if (IsHorizontal()) {
            const int x = r.left + (r.right - r.left) / 2 + i - 1;
            pDC->MoveTo(x, r.top);
            pDC->LineTo(x, r.bottom);
            pDC->MoveTo(r.left + i, r.top + i);
            pDC->LineTo(r.right - i, r.top + i);
            pDC->MoveTo(r.left + i, r.bottom - i - 1);
            pDC->LineTo(r.right - i, r.bottom - i - 1);
        } else {
            const int y = r.top + (r.bottom - r.top) / 2 + i - 1;
            pDC->MoveTo(r.left, y);
            pDC->LineTo(r.right, y);
            pDC->MoveTo(r.left + i, r.top + i);
            pDC->LineTo(r.left + i, r.bottom - i);
            pDC->MoveTo(r.right - i - 1, r.top + i);
            pDC->LineTo(r.right - i - 1, r.bottom - i);
        }
    }
    pDC->SelectObject(pOldPen);
}

BOOL CKtvPToolBar::OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    int iDropIndex = m_iDragIndex;
    if (iDropIndex < 0)
        return FALSE;

    CKtvPToolbarButton* pSource = m_pDragButton;   // set only when the drag began on this bar
    m_pDragButton = nullptr;
    OnDragLeave();

    CKtvPToolbarButton* pButton = CreateDroppedButton(pDataObject);
    if (pButton == nullptr)
        return FALSE;

    // A refused drop reports no effect, so the bar the button came from keeps it.
    if (!pButton->OnBeforeDrop(this) || m_NonPermittedCommands.Find(pButton->m_nID) != nullptr) {
        delete pButton;
        return FALSE;
    }
    pButton->m_bStoredFlag = FALSE;

    const int iSourceIndex = pSource == nullptr ? -1 : ButtonToIndex(pSource);
    const BOOL bMoveWithinBar = iSourceIndex >= 0 && dropEffect == DROPEFFECT_MOVE;
    if (bMoveWithinBar) {
        if (iDropIndex == iSourceIndex || iDropIndex == iSourceIndex + 1) {
            // Dropped on its own place: a short drag starts or ends a group.
            MoveButtonGroup(pSource, m_ptStartDrag, point);
            delete pButton;
            return TRUE;
        }
        RemoveButton(iSourceIndex);
        if (iSourceIndex < iDropIndex)
            iDropIndex--;
        iDropIndex = std::min(iDropIndex, GetCount());
    }

    if (InsertButton(pButton, iDropIndex) < 0) {
        // A move within the bar puts the button back where it was.
        if (!bMoveWithinBar || InsertButton(pButton, iSourceIndex) < 0)
            delete pButton;
        AdjustLayout();
        RedrawWindow();
        return FALSE;
    }

    AdjustLayout();
    ktvbardrop::RecalcTabbedParent(*this);
    if (m_bAltCustomizeDrag)
        pButton->OnAfterAltDrop();
    m_iSelected = -1;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return TRUE;
}

DROPEFFECT CKtvPToolBar::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    return OnDragOver(pDataObject, dwKeyState, point);
}

void CKtvPToolBar::OnDragLeave()
{
    m_iDragIndex = -1;
    CRect rectMarker = m_rectDrag;
    rectMarker.InflateRect(2, 2);
    m_rectDrag.SetRectEmpty();
    if (GetSafeHwnd() != nullptr)
        ktvbardrop::RepaintNow(*this, rectMarker);
    // Only a pointer that really left the bar may delete the button; the
    // leave that ends a drop this bar refused keeps it with its source.
    const BOOL bRefusedHere = ktvbardrop::g_pRefusingBar == this && ktvbardrop::CursorIsOver(*this);
    ktvbardrop::g_pRefusingBar = nullptr;
    if (!bRefusedHere)
        m_DropSource.m_bDeleteOnDrop = TRUE;
}

DROPEFFECT CKtvPToolBar::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    auto effectHere = [&]() -> DROPEFFECT {
        if (m_bLocked)
            return DROPEFFECT_NONE;

        // The button is made only to ask whether this bar may take it.
        CKtvPToolbarButton* pButton = CKtvPToolbarButton::CreateFromOleData(pDataObject);
        if (pButton == nullptr)
            return DROPEFFECT_NONE;
        const BOOL bCanDrop = pButton->CanBeDropped(this);
        delete pButton;
        if (!bCanDrop)
            return DROPEFFECT_NONE;

        m_bIsDragCopy = (dwKeyState & MK_CONTROL) != 0;

        if (m_pDragButton == nullptr && m_iSelected >= 0) {
            const int iOldSelected = m_iSelected;
            m_iSelected = -1;
            InvalidateButton(iOldSelected);
            UpdateWindow();
        }

        CRect rectMarker;
        const int iIndex = FindDropIndex(point, rectMarker);
        if (rectMarker != m_rectDrag) {
            m_iDragIndex = iIndex;
            CRect rectOld = m_rectDrag;
            rectOld.InflateRect(2, 2);
            m_rectDrag = rectMarker;
            ktvbardrop::RepaintNow(*this, rectOld);
            ktvbardrop::RepaintNow(*this, m_rectDrag);
        }

        const int iHit = HitTest(point);
        if (iHit != m_iHighlighted) {
            const int iOldHighlighted = m_iHighlighted;
            m_iHighlighted = iHit;
            if (iOldHighlighted >= 0)
                InvalidateButton(iOldHighlighted);
            if (iHit >= 0)
                InvalidateButton(iHit);
            UpdateWindow();
            DropDownMenuButton(iHit);
        }

        if (iIndex == -1)
            return DROPEFFECT_NONE;
        return m_bIsDragCopy ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    };

    const DROPEFFECT dropEffect = effectHere();
    // Over a bar, even one that refuses the button, a drop does not delete it.
    m_DropSource.m_bDeleteOnDrop = FALSE;
    ktvbardrop::g_pRefusingBar = dropEffect == DROPEFFECT_NONE ? this : nullptr;
    return dropEffect;
}

int CKtvPToolBar::FindDropIndex(const CPoint pt, CRect& rectDrag) const
{
    CPoint point = pt;
    if (point.y < 0)
        point.y = 0;

    CRect rectClient;
    GetClientRect(rectClient);
    rectDrag.SetRectEmpty();

    const int nCount = GetCount();
    const BOOL bOnlyCustomize = nCount == 1 && m_pCustomizeBtn != nullptr;
    if (nCount == 0 || bOnlyCustomize) {
        rectDrag = rectClient;
        return 0;
    }

    int iIndex = -1;
    int iEdge = 0;
    const CKtvPToolbarButton* pEdgeButton = nullptr;
    const BOOL bHorz = IsHorizontal();

    if (bHorz) {
        // The row pitch: one row and the gap to the second row.
        const int nRowHeight = GetRowHeight();
        int nGap = nRowHeight;
        const CKtvPToolbarButton* pPrev = nullptr;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
            const auto* pButton = static_cast<const CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
            if (!ktvbardrop::TakesPartInDrop(pButton))
                continue;
            if (pPrev != nullptr && pButton->m_rect.top >= pPrev->m_rect.bottom) {
                nGap = pButton->m_rect.top - pPrev->m_rect.bottom;
                break;
            }
            pPrev = pButton;
        }
        const int nPitch = std::max(1, nRowHeight + nGap);
        const int iRowWanted = point.y / nPitch;

        int iRow = 0;
        int i = 0;
        const CKtvPToolbarButton* pLastInRow = nullptr;
        int iLastInRow = -1;
        pPrev = nullptr;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr && pEdgeButton == nullptr; i++) {
            const auto* pButton = static_cast<const CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
            if (!ktvbardrop::TakesPartInDrop(pButton))
                continue;
            if (pPrev != nullptr && pButton->m_rect.top >= pPrev->m_rect.bottom)
                iRow++;
            pPrev = pButton;

            if (iRow > iRowWanted) {
                if (pLastInRow != nullptr) {
                    iIndex = iLastInRow + 1;
                    iEdge = pLastInRow->m_rect.right;
                    pEdgeButton = pLastInRow;
                }
                break;
            }
            if (iRow < iRowWanted)
                continue;

            const CRect& r = pButton->m_rect;
            if (point.x < r.left) {
                iIndex = i;
                iEdge = r.left;
                pEdgeButton = pButton;
            } else if (point.x < r.right) {
                const BOOL bRightHalf = point.x > r.left + r.Width() / 2;
                iIndex = bRightHalf ? i + 1 : i;
                iEdge = bRightHalf ? r.right : r.left;
                pEdgeButton = pButton;
            }
            pLastInRow = pButton;
            iLastInRow = i;
        }
        if (pEdgeButton == nullptr && iRow == iRowWanted && pLastInRow != nullptr) {
            iIndex = nCount;
            iEdge = pLastInRow->m_rect.right;
            pEdgeButton = pLastInRow;
        }
    } else {
        int i = 0;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++) {
            const auto* pButton = static_cast<const CKtvPToolbarButton*>(m_Buttons.GetNext(pos));
            if (!ktvbardrop::TakesPartInDrop(pButton))
                continue;
            const CRect& r = pButton->m_rect;
            if (point.y < r.top) {
                iIndex = i;
                iEdge = r.top;
                pEdgeButton = pButton;
                break;
            }
            if (point.y < r.bottom) {
                const BOOL bLowerHalf = point.y > r.top + r.Height() / 2;
                iIndex = bLowerHalf ? i + 1 : i;
                iEdge = bLowerHalf ? r.bottom : r.top;
                pEdgeButton = pButton;
                break;
            }
        }
    }

    if (pEdgeButton == nullptr)
        return -1;

    // Nothing goes after the customize button.
    if (m_pCustomizeBtn != nullptr && iIndex == nCount)
        iIndex = std::max(0, nCount - 1);

    if (bHorz) {
        rectDrag.top = pEdgeButton->m_rect.top;
        rectDrag.bottom = pEdgeButton->m_rect.bottom;
        ktvbardrop::CentreOnEdge(rectDrag.left, rectDrag.right, iEdge, rectClient.left, rectClient.right);
    } else {
        rectDrag.left = pEdgeButton->m_rect.left;
        rectDrag.right = pEdgeButton->m_rect.right;
        ktvbardrop::CentreOnEdge(rectDrag.top, rectDrag.bottom, iEdge, rectClient.top, rectClient.bottom);
    }
    return iIndex;
}

CKtvPToolbarButton* CKtvPToolBar::CreateDroppedButton(COleDataObject* pDataObject)
{
    CKtvPToolbarButton* pButton = CKtvPToolbarButton::CreateFromOleData(pDataObject);
    if (pButton == nullptr)
        return nullptr;

    const int iTab = pButton->m_strText.Find(_T('\t'));
    if (iTab >= 0)
        pButton->m_strText = pButton->m_strText.Left(iTab);

    if (pButton->m_bStoredFlag) {
        // From the command list: the image stands for the command.
        pButton->m_bImageShown = TRUE;
        pButton->m_bTextShown = FALSE;
    }

    // A button with neither image nor label gets its appearance chosen; without a choice the drop goes.
    if (pButton->GetImage() < 0 && pButton->m_strText.IsEmpty() && !KtvPRunButtonAppearance(this, pButton)) {
        delete pButton;
        return nullptr;
    }

    if (pButton->GetImage() < 0) {
        pButton->m_bImageShown = FALSE;
        pButton->m_bTextShown = TRUE;
    }
    return pButton;
}
