#include "ui/docking/KtvPBarContainer.h"

#include <algorithm>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CException.h"
#include "ui/docking/KtvPBarContainerManager.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPOutlookBar.h"
#include "ui/docking/KtvPSlider.h"

IMPLEMENT_DYNAMIC(CKtvPBarContainer, CObject)

namespace {

int Extent(const CRect& rect, BOOL bHorzSlider) { return bHorzSlider ? rect.Height() : rect.Width(); }
int Extent(const CSize& size, BOOL bHorzSlider) { return bHorzSlider ? size.cy : size.cx; }

// A stored share of 0 or 100 says nothing about the split: half then.
int UsablePercent(int nPercent) { return nPercent <= 0 || nPercent >= 100 ? 50 : nPercent; }

void MoveWnd(CWnd* pWnd, const CRect& rect, HDWP& hdwp)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr) {
        return;
    }
    if (hdwp != nullptr) {
        HDWP hdwpNew = ::DeferWindowPos(hdwp, pWnd->GetSafeHwnd(), nullptr, rect.left, rect.top, rect.Width(),
                                        rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        if (hdwpNew != nullptr) {
            hdwp = hdwpNew;
            return;
        }
    }
    pWnd->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CKtvPBarContainer::CKtvPBarContainer(CKtvPBarContainerManager* pManager, CKtvPDockingControlBar* pLeftBar,
                                     CKtvPDockingControlBar* pRightBar, CKtvPSlider* pSlider)
    : m_pBarLeft(pLeftBar),
      m_pBarRight(pRightBar),
      m_pSlider(pSlider),
      m_pLeftContainer(nullptr),
      m_pRightContainer(nullptr),
      m_pParentContainer(nullptr),
      m_pContainerManager(pManager),
      m_nSavedPercent(50),
      m_bSavedSliderHorz(FALSE),
      m_dwRefCount(0),
      m_dwSavedSliderStyle(0),
      m_nSavedLeftBarID(-1),
      m_nSavedRightBarID(-1),
      m_nSavedSliderID(-1),
      m_dwReserved(0)
{
}

CKtvPBarContainer::~CKtvPBarContainer() { ReleaseTree(); }

// --- geometry helpers -----------------------------------------------------------------------------

CWnd* CKtvPBarContainer::DockSite() const
{
    return m_pContainerManager != nullptr ? m_pContainerManager->GetDockSite() : nullptr;
}

BOOL CKtvPBarContainer::AllVisible() const
{
    CKtvPSlider* pDefault = m_pContainerManager != nullptr ? m_pContainerManager->GetDefaultSlider() : nullptr;
    return pDefault != nullptr && pDefault->IsAutoHideMode();
}

BOOL CKtvPBarContainer::IsBarVisible(const CKtvPBaseControlBar* pBar) const
{
    return pBar != nullptr && pBar->GetSafeHwnd() != nullptr &&
           (AllVisible() || (pBar->GetStyle() & WS_VISIBLE) != 0);
}

int CKtvPBarContainer::SliderWidth() const
{
    return m_pSlider != nullptr ? m_pSlider->GetWidth() : CKtvPSlider::m_nDefaultWidth;
}

// The part's rectangle in screen coordinates: its visible bar, else its visible node.
CRect CKtvPBarContainer::PartRect(BOOL bLeft) const
{
    CKtvPDockingControlBar* pBar = bLeft ? m_pBarLeft : m_pBarRight;
    CKtvPBarContainer* pNode = bLeft ? m_pLeftContainer : m_pRightContainer;
    CRect rect(0, 0, 0, 0);
    if (IsBarVisible(pBar)) {
        pBar->GetWindowRect(rect);
    } else if (pNode != nullptr && pNode->IsVisible()) {
        pNode->GetWindowRect(rect);
    }
    return rect;
}

int CKtvPBarContainer::PartPercent(BOOL bLeft) const
{
    CKtvPDockingControlBar* pBar = bLeft ? m_pBarLeft : m_pBarRight;
    CKtvPBarContainer* pNode = bLeft ? m_pLeftContainer : m_pRightContainer;
    if (pBar != nullptr) {
        return UsablePercent(pBar->m_nLastPercent);
    }
    return pNode != nullptr ? UsablePercent(pNode->m_nSavedPercent) : 50;
}

void CKtvPBarContainer::SetPartPercent(BOOL bLeft, int nPercent)
{
    if (CKtvPDockingControlBar* pBar = bLeft ? m_pBarLeft : m_pBarRight) {
        pBar->m_nLastPercent = nPercent;
    }
    if (CKtvPBarContainer* pNode = bLeft ? m_pLeftContainer : m_pRightContainer) {
        pNode->m_nSavedPercent = nPercent;
    }
}

// Places one part in rect (dock-site client coordinates): its bar moves, its node lays out.
void CKtvPBarContainer::PlacePart(BOOL bLeft, const CRect& rect, HDWP& hdwp, BOOL bRedraw)
{
    CKtvPDockingControlBar* pBar = bLeft ? m_pBarLeft : m_pBarRight;
    CKtvPBarContainer* pNode = bLeft ? m_pLeftContainer : m_pRightContainer;
    if (IsBarVisible(pBar)) {
        hdwp = pBar->MoveControlBar(rect, bRedraw, hdwp);
    } else if (pNode != nullptr && pNode->IsVisible()) {
        pNode->ResizeContainer(rect, hdwp, bRedraw);
    }
}

// Lays the two parts out in rect with the left part nLeftExtent long, never
// below the parts' minimum sizes while the rectangle allows them.
void CKtvPBarContainer::LayoutParts(const CRect& rect, int nLeftExtent, HDWP& hdwp, BOOL bRedraw)
{
    const BOOL bHorz = IsSliderHorz();
    const int nThickness = SliderWidth();
    const int nTotal = Extent(rect, bHorz);
    CSize sizeMinLeft;
    CSize sizeMinRight;
    GetMinSizeLeft(sizeMinLeft);
    GetMinSizeRight(sizeMinRight);
    nLeftExtent = std::min(nLeftExtent, nTotal - nThickness - Extent(sizeMinRight, bHorz));
    nLeftExtent = std::max(nLeftExtent, (int)Extent(sizeMinLeft, bHorz));
    nLeftExtent = std::max(0, std::min(nLeftExtent, nTotal - nThickness));

    CRect rectLeft = rect;
    CRect rectSlider = rect;
    CRect rectRight = rect;
    if (bHorz) {
        rectLeft.bottom = rect.top + nLeftExtent;
        rectSlider.top = rectLeft.bottom;
        rectSlider.bottom = rectSlider.top + nThickness;
        rectRight.top = rectSlider.bottom;
    } else {
        rectLeft.right = rect.left + nLeftExtent;
        rectSlider.left = rectLeft.right;
        rectSlider.right = rectSlider.left + nThickness;
        rectRight.left = rectSlider.right;
    }
    const int nPercent = nTotal > 0 ? (int)(nLeftExtent * 100.0 / nTotal) : 50;
    PlacePart(TRUE, rectLeft, hdwp, bRedraw);
    SetPartPercent(TRUE, nPercent);
    PlacePart(FALSE, rectRight, hdwp, bRedraw);
    SetPartPercent(FALSE, 100 - nPercent);
    if (m_pSlider != nullptr && (m_pSlider->GetStyle() & WS_VISIBLE) != 0 && !m_pSlider->IsDefault()) {
        MoveWnd(m_pSlider, rectSlider, hdwp);
    }
}

// --- virtual operations -----------------------------------------------------------------------------

void CKtvPBarContainer::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SerializeBarField(ar, m_pBarLeft);
        SerializeBarField(ar, m_pBarRight);
        if (m_pSlider != nullptr) {
            ar << m_pSlider->GetSliderID();
            m_pSlider->Serialize(ar);
        } else {
            ar << (int)0;
        }
        for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
            ar << (int)(pNode != nullptr);
            if (pNode != nullptr) {
                pNode->Serialize(ar);
            }
        }
        return;
    }
    LoadBarField(ar, m_nSavedLeftBarID, m_lstLeftBarTabIDs, m_pBarLeft);
    LoadBarField(ar, m_nSavedRightBarID, m_lstRightBarTabIDs, m_pBarRight);
    ar >> m_nSavedSliderID;
    if (m_nSavedSliderID != 0) {
        CWnd* pDockSite = DockSite();
        auto* pSlider = new CKtvPSlider(FALSE, pDockSite);
        pSlider->Serialize(ar);  // creates the window or throws
        pSlider->SetContainerManager(m_pContainerManager);
        if (m_pContainerManager != nullptr) {
            m_pContainerManager->m_lstSliders.AddTail(pSlider);
        }
        m_pSlider = pSlider;
    }
    for (BOOL bLeft : {TRUE, FALSE}) {
        int nPresent = 0;
        ar >> nPresent;
        if (nPresent != 0) {
            auto* pNode = new CKtvPBarContainer(m_pContainerManager);
            SetContainer(pNode, bLeft);
            pNode->Serialize(ar);
        }
    }
}

// A bar's field of a node record: its id; a tabbed bar without an id of its
// own writes its whole record; a tabbed bar without tabs writes 0, as no bar.
void CKtvPBarContainer::SerializeBarField(CArchive& ar, CKtvPDockingControlBar* pBar)
{
    if (pBar == nullptr) {
        ar << (int)0;
        return;
    }
    const int nID = pBar->GetDlgCtrlID();
    if (nID != -1 && (UINT)nID != 0xFFFF) {
        ar << nID;
        return;
    }
    auto* pTabbed = pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar)) ? static_cast<CKtvPBaseTabbedBar*>(pBar)
                                                                       : nullptr;
    if (pTabbed == nullptr || pTabbed->GetTabsNum() == 0) {
        ar << (int)0;
        return;
    }
    ar << (int)-1;
    pTabbed->SaveSiblingBarIDs(ar);
    ar.WriteObject(pTabbed);
    ar << (DWORD)pTabbed->GetStyle();
    pTabbed->SerializeTabWindow(ar);
}

void CKtvPBarContainer::LoadBarField(CArchive& ar, int& nSavedID, CList<UINT, UINT>& lstTabIDs,
                                     CKtvPDockingControlBar*& pBar)
{
    ar >> nSavedID;
    if (nSavedID != -1) {
        return;
    }
    CKtvPBaseTabbedBar::LoadSiblingBarIDs(ar, lstTabIDs);
    CObject* pObj = ar.ReadObject(nullptr);
    DWORD dwStyle = 0;
    ar >> dwStyle;
    auto* pTabbed = pObj != nullptr && pObj->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar))
                        ? static_cast<CKtvPBaseTabbedBar*>(pObj)
                        : nullptr;
    CRect rect = pTabbed != nullptr ? StoredRectInDockSite(pTabbed) : CRect(0, 0, 0, 0);
    // Creating the window gives the bar the side and floating place of where it is
    // made; the record's own are put back, so that storing the layout again gives it.
    const DWORD dwAlignment = pTabbed != nullptr ? pTabbed->GetCurrentAlignment() : 0;
    const CRect rectLastFloat = pTabbed != nullptr ? pTabbed->GetRecentDockInfo().m_rectLastFloat : CRect();
    if (pTabbed == nullptr ||
        !pTabbed->Create("", DockSite(), rect, TRUE, (UINT)-1, dwStyle,
                         pTabbed->IsKindOf(RUNTIME_CLASS(CKtvPOutlookBar)) ? 0x40 : 0x20,
                         KTVP_CBRS_FLOAT | KTVP_CBRS_AUTOHIDE | KTVP_CBRS_RESIZE | KTVP_CBRS_CLOSE)) {
        lstTabIDs.RemoveAll();
        delete pObj;
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    pTabbed->SetBarAlignment(dwAlignment);
    pTabbed->GetRecentDockInfo().m_rectLastFloat = rectLastFloat;
    pTabbed->SerializeTabWindow(ar);
    pBar = pTabbed;
}

// A bar's stored docked rectangle is in the client coordinates of the frame the
// bars dock in; a layout of a floating frame places its bars in that frame.
CRect CKtvPBarContainer::StoredRectInDockSite(CKtvPDockingControlBar* pBar) const
{
    CRect rect = pBar->GetRecentDockInfo().GetLayoutRect(TRUE);
    auto* pMiniFrame = dynamic_cast<CKtvPMiniFrameWnd*>(DockSite());
    if (pMiniFrame == nullptr || pMiniFrame->GetParentFrameHwnd() == nullptr) {
        return rect;
    }
    ::ClientToScreen(pMiniFrame->GetParentFrameHwnd(), reinterpret_cast<POINT*>(&rect.left));
    ::ClientToScreen(pMiniFrame->GetParentFrameHwnd(), reinterpret_cast<POINT*>(&rect.right));
    pMiniFrame->ScreenToClient(rect);
    return rect;
}

void CKtvPBarContainer::GetWindowRect(CRect& rect, BOOL bIgnoreVisibility) const
{
    rect.SetRectEmpty();
    auto unite = [&rect](const CRect& r) {
        if (rect.IsRectEmpty()) {
            rect = r;
        } else if (!r.IsRectEmpty()) {
            rect.UnionRect(rect, r);
        }
    };
    for (CKtvPDockingControlBar* pBar : {m_pBarLeft, m_pBarRight}) {
        if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || (!bIgnoreVisibility && !IsBarVisible(pBar))) {
            continue;
        }
        CRect r;
        pBar->GetWindowRect(r);
        if (r.IsRectEmpty()) {
            CSize sizeMin;
            pBar->GetMinSize(sizeMin);
            r = CRect(r.TopLeft(), sizeMin);
        }
        unite(r);
    }
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode == nullptr || (!bIgnoreVisibility && !pNode->IsVisible())) {
            continue;
        }
        CRect r;
        pNode->GetWindowRect(r, bIgnoreVisibility);
        unite(r);
    }
}

void CKtvPBarContainer::GetMinSize(CSize& size) const
{
    CSize sizeLeft;
    CSize sizeRight;
    GetMinSizeLeft(sizeLeft);
    GetMinSizeRight(sizeRight);
    const BOOL bSliderShown =
        m_pSlider != nullptr && (AllVisible() || (m_pSlider->GetStyle() & WS_VISIBLE) != 0);
    if (!bSliderShown) {
        size.cx = std::max(sizeLeft.cx, sizeRight.cx);
        size.cy = std::max(sizeLeft.cy, sizeRight.cy);
        return;
    }
    if (IsSliderHorz()) {
        size.cx = std::max(sizeLeft.cx, sizeRight.cx);
        size.cy = sizeLeft.cy + sizeRight.cy + SliderWidth();
    } else {
        size.cy = std::max(sizeLeft.cy, sizeRight.cy);
        size.cx = sizeLeft.cx + sizeRight.cx + SliderWidth();
    }
}

void CKtvPBarContainer::PartMinSize(BOOL bLeft, CSize& size) const
{
    size = CSize(0, 0);
    CKtvPDockingControlBar* pBar = bLeft ? m_pBarLeft : m_pBarRight;
    CKtvPBarContainer* pNode = bLeft ? m_pLeftContainer : m_pRightContainer;
    if (IsBarVisible(pBar)) {
        pBar->GetMinSize(size);
    }
    if (pNode != nullptr && pNode->IsVisible()) {
        CSize sizeNode;
        pNode->GetMinSize(sizeNode);
        size.cx = std::max(size.cx, sizeNode.cx);
        size.cy = std::max(size.cy, sizeNode.cy);
    }
}

void CKtvPBarContainer::GetMinSizeLeft(CSize& size) const { PartMinSize(TRUE, size); }
void CKtvPBarContainer::GetMinSizeRight(CSize& size) const { PartMinSize(FALSE, size); }

int CKtvPBarContainer::GetResizeStep() const
{
    int nStep = -1;
    for (CKtvPDockingControlBar* pBar : {m_pBarLeft, m_pBarRight}) {
        if (pBar != nullptr) {
            nStep = std::max(nStep, pBar->GetDefaultIndex());
        }
    }
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode != nullptr) {
            nStep = std::max(nStep, pNode->GetResizeStep());
        }
    }
    return nStep;
}

void CKtvPBarContainer::FillWithRemaining(CKtvPBaseControlBar* pBarToExclude, HDWP* pHdwp)
{
    if (pHdwp != nullptr) {
        return;
    }
    CRect rect;
    GetWindowRect(rect, TRUE);
    if (CWnd* pDockSite = DockSite()) {
        pDockSite->ScreenToClient(rect);
    }
    for (CKtvPDockingControlBar* pBar : {m_pBarLeft, m_pBarRight}) {
        if (pBar != nullptr && pBar != pBarToExclude && pBar->GetSafeHwnd() != nullptr) {
            pBar->CWnd::SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE);
            return;
        }
    }
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode != nullptr) {
            HDWP hdwp = nullptr;
            pNode->ResizeContainer(rect, hdwp);
            return;
        }
    }
}

void CKtvPBarContainer::RemoveControlBar(CKtvPBaseControlBar* pBar)
{
    if (CKtvPBarContainer* pNode = FindContainer(pBar, BC_FIND_BY_LEFT_BAR)) {
        pNode->DeleteControlBar(pBar, 0);
    } else if ((pNode = FindContainer(pBar, BC_FIND_BY_RIGHT_BAR)) != nullptr) {
        pNode->DeleteControlBar(pBar, 1);
    }
}

void CKtvPBarContainer::DeleteControlBar(CKtvPBaseControlBar* pBar, int nSide)
{
    CKtvPBarContainerManager* pManager = m_pContainerManager;
    // The nearest node that keeps a visible part takes the space the bar leaves.
    CKtvPBarContainer* pFill = this;
    while (pFill->m_pParentContainer != nullptr && pFill->CountVisibleBarsExcept(pBar) == 0) {
        pFill = pFill->m_pParentContainer;
    }
    CRect rectFill;
    pFill->GetWindowRect(rectFill);

    if (nSide == 0) {
        m_pBarLeft = nullptr;
    } else {
        m_pBarRight = nullptr;
    }
    if (CWnd* pDockSite = DockSite()) {
        pDockSite->ScreenToClient(rectFill);
    }
    if (!rectFill.IsRectEmpty() && pFill->IsVisible()) {
        HDWP hdwp = nullptr;
        pFill->ResizeContainer(rectFill, hdwp);
    }
    if (pManager != nullptr) {
        if (CKtvPBarContainer* pRoot = pManager->GetRootContainer()) {
            pRoot->CheckSliderVisibility();
        }
    }
    if (m_pSlider != nullptr && !m_pSlider->IsDefault()) {
        m_pSlider->ShowWindow(SW_HIDE);
    }
    if (pManager != nullptr) {
        pManager->ForgetBar(pBar);
    }
    if (!IsRoot()) {
        CollapseInto();
    }
}

int CKtvPBarContainer::CountVisibleBarsExcept(const CKtvPBaseControlBar* pExcluded) const
{
    int nCount = 0;
    for (CKtvPDockingControlBar* pBar : {m_pBarLeft, m_pBarRight}) {
        if (pBar != pExcluded && IsBarVisible(pBar)) {
            ++nCount;
        }
    }
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode != nullptr) {
            nCount += pNode->CountVisibleBarsExcept(pExcluded);
        }
    }
    return nCount;
}

void CKtvPBarContainer::StoreRecentDockInfo(CKtvPDockingControlBar* pBar)
{
    if (pBar == nullptr) {
        return;
    }
    CKtvPSlider* pDefault = pBar->GetDefaultSlider();
    if (pDefault != nullptr && pDefault->IsAutoHideMode()) {
        return;
    }
    pBar->GetRecentDockInfo().StoreLayoutPlace(this);
}

void CKtvPBarContainer::Move(int x, int y)
{
    const CRect rectLeft = PartRect(TRUE);
    const BOOL bHorz = IsSliderHorz();
    CPoint pt(x, y);
    auto moveTo = [](CWnd* pWnd, CPoint ptAt) {
        if (pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr) {
            pWnd->SetWindowPos(nullptr, ptAt.x, ptAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    };
    moveTo(m_pBarLeft, pt);
    if (m_pLeftContainer != nullptr) {
        m_pLeftContainer->Move(pt.x, pt.y);
    }
    const int nLeft = Extent(rectLeft, bHorz);
    CPoint ptSlider = bHorz ? CPoint(x, y + nLeft) : CPoint(x + nLeft, y);
    if (m_pSlider != nullptr && !m_pSlider->IsDefault()) {
        moveTo(m_pSlider, ptSlider);
    }
    CPoint ptRight = bHorz ? CPoint(x, ptSlider.y + SliderWidth()) : CPoint(ptSlider.x + SliderWidth(), y);
    if (rectLeft.IsRectEmpty()) {
        ptRight = pt;
    }
    moveTo(m_pBarRight, ptRight);
    if (m_pRightContainer != nullptr) {
        m_pRightContainer->Move(ptRight.x, ptRight.y);
    }
}

// --- layout -------------------------------------------------------------------------------------------

void CKtvPBarContainer::ResizeContainer(CRect rect, HDWP& hdwp, BOOL bRedraw)
{
    const BOOL bLeftEmpty = IsLeftPartEmpty(TRUE);
    const BOOL bRightEmpty = IsRightPartEmpty(TRUE);
    if (bLeftEmpty && bRightEmpty) {
        return;
    }
    if (bLeftEmpty || bRightEmpty) {
        PlacePart(bRightEmpty, rect, hdwp, bRedraw);
        return;
    }
    CWnd* pDockSite = DockSite();
    CRect rectNode;
    GetWindowRect(rectNode);
    CRect rectL = PartRect(TRUE);
    CRect rectR = PartRect(FALSE);
    if (pDockSite != nullptr) {
        pDockSite->ScreenToClient(rectNode);
        pDockSite->ScreenToClient(rectL);
        pDockSite->ScreenToClient(rectR);
    }
    const BOOL bHorz = IsSliderHorz();
    const int nNode = Extent(rectNode, bHorz);
    const int nL = Extent(rectL, bHorz);
    const int nR = Extent(rectR, bHorz);

    double dExtent = nL;
    int nShare = -1;
    const BOOL bNormal = nNode >= nL + nR && !rectL.IsRectEmpty() && !rectR.IsRectEmpty();
    if (!bNormal) {
        if (rectL == rectNode) {
            const int p = PartPercent(FALSE);
            dExtent = nNode - (int)((double)nNode * p / 100);
            nShare = 100 - p;
        } else if (rectR == rectNode) {
            const int p = PartPercent(TRUE);
            dExtent = (int)((double)nNode * p / 100);
            nShare = p;
        } else if (bHorz) {
            nShare = 50;
        }
    }
    double v = nNode > 0 ? dExtent * 100.0 / nNode : (nShare >= 0 ? nShare : 50);
    if (v == 0.0 || v == 100.0) {
        v = 50;
    }
    const int d = Extent(rect, bHorz) - nNode;
    int nNewLeft = (int)dExtent;
    if (nNode <= 0) {
        nNewLeft = (int)((Extent(rect, bHorz) - SliderWidth()) * v / 100);
    } else if (d > 0) {
        nNewLeft = (int)dExtent + (int)((100 - v) * d / 100);
    } else if (d < 0) {
        nNewLeft = (int)dExtent + (int)(v * d / 100);
    }
    LayoutParts(rect, nNewLeft, hdwp, bRedraw);
}

int CKtvPBarContainer::StretchContainer(int nOffset, BOOL bHorz, BOOL bLeftBar, BOOL, HDWP& hdwp)
{
    // bHorz: the change is one of width; bLeftBar (the side) 1 moves the far edge, 0 the near edge.
    const int nApplied = CalcAvailableSpace(bHorz ? CSize(nOffset, 0) : CSize(0, nOffset), bLeftBar);
    if (nApplied == 0) {
        return 0;
    }
    CRect rect;
    GetWindowRect(rect);
    if (CWnd* pDockSite = DockSite()) {
        pDockSite->ScreenToClient(rect);
    }
    CRect rectNew = rect;
    if (bHorz) {
        (bLeftBar ? rectNew.right : rectNew.left) += bLeftBar ? nApplied : -nApplied;
    } else {
        (bLeftBar ? rectNew.bottom : rectNew.top) += bLeftBar ? nApplied : -nApplied;
    }
    const BOOL bAcrossSplit = m_pSlider != nullptr && !IsLeftPartEmpty(TRUE) && !IsRightPartEmpty(TRUE) &&
                              (bHorz == !IsSliderHorz());
    if (!bAcrossSplit) {
        ResizeContainer(rectNew, hdwp);
        return nApplied;
    }
    // Across the split only the part on the moved side changes, down to its minimum.
    CRect rectL = PartRect(TRUE);
    if (CWnd* pDockSite = DockSite()) {
        pDockSite->ScreenToClient(rectL);
    }
    int nLeft = Extent(rectL, IsSliderHorz());
    if (!bLeftBar) {
        nLeft += nApplied;
    }
    LayoutParts(rectNew, nLeft, hdwp, TRUE);
    return nApplied;
}

int CKtvPBarContainer::MoveInnerSlider(int nOffset)
{
    CRect rect;
    GetWindowRect(rect);
    CRect rectL = PartRect(TRUE);
    if (CWnd* pDockSite = DockSite()) {
        pDockSite->ScreenToClient(rect);
        pDockSite->ScreenToClient(rectL);
    }
    const BOOL bHorz = IsSliderHorz();
    HDWP hdwp = ::BeginDeferWindowPos(10);
    LayoutParts(rect, Extent(rectL, bHorz) + nOffset, hdwp, TRUE);
    if (hdwp != nullptr) {
        ::EndDeferWindowPos(hdwp);
    }
    return nOffset;
}

int CKtvPBarContainer::ResizePart(int nOffset, BOOL bHorz, BOOL bLeftPart, HDWP& hdwp)
{
    CKtvPDockingControlBar* pBar = bLeftPart ? m_pBarLeft : m_pBarRight;
    CKtvPBarContainer* pNode = bLeftPart ? m_pLeftContainer : m_pRightContainer;
    if (pNode != nullptr && pNode->IsVisible()) {
        return pNode->StretchContainer(nOffset, bHorz, !bLeftPart, TRUE, hdwp);
    }
    if (!IsBarVisible(pBar)) {
        return 0;
    }
    CRect rect;
    pBar->GetWindowRect(rect);
    if (bHorz) {
        (bLeftPart ? rect.right : rect.left) += nOffset;
    } else {
        (bLeftPart ? rect.bottom : rect.top) += nOffset;
    }
    const CSize sizeDelta = pBar->ResizeToRect(rect, FALSE);
    return bHorz ? sizeDelta.cx : sizeDelta.cy;
}

int CKtvPBarContainer::CalcAvailableSpace(CSize sizeStretch, BOOL bLeftBar) const
{
    CRect rect;
    GetWindowRect(rect);
    CSize sizeMin;
    GetMinSize(sizeMin);
    const BOOL bWidth = sizeStretch.cx != 0;
    const int nOffset = bWidth ? sizeStretch.cx : sizeStretch.cy;
    const int nCurrent = bWidth ? rect.Width() : rect.Height();
    const int nMin = bWidth ? sizeMin.cx : sizeMin.cy;
    // Growing the far edge or shrinking the near edge with a positive offset.
    const int nGrowth = bLeftBar ? nOffset : -nOffset;
    if (nCurrent + nGrowth >= nMin) {
        return nOffset;
    }
    const int nAllowed = std::max(0, nCurrent - nMin);
    return bLeftBar ? -nAllowed : nAllowed;
}

int CKtvPBarContainer::CalcAvailablePartSpace(BOOL bHorz, BOOL bLeftPart) const
{
    CRect rect = PartRect(bLeftPart);
    CSize sizeMin;
    PartMinSize(bLeftPart, sizeMin);
    return std::max(0, bHorz ? rect.Width() - (int)sizeMin.cx : rect.Height() - (int)sizeMin.cy);
}

// --- returning to a recent place ------------------------------------------------------------------------

CKtvPBarContainer* CKtvPBarContainer::AddRecentBar(CKtvPDockingControlBar* pBar)
{
    if (pBar == nullptr) {
        return nullptr;
    }
    CWnd* pDockSite = DockSite();
    const BOOL bDocked = pDockSite == nullptr || !pDockSite->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd));
    CKtvPRecentDockInfo& info = pBar->GetRecentDockInfo();
    CRect rectWanted = info.GetLayoutRect(bDocked);
    CSize sizeMin;
    pBar->GetMinSize(sizeMin);
    rectWanted.right = rectWanted.left + std::max((int)rectWanted.Width(), (int)sizeMin.cx);
    rectWanted.bottom = rectWanted.top + std::max((int)rectWanted.Height(), (int)sizeMin.cy);
    const BOOL bLeft = info.WasLeftPart(bDocked);
    const int p = UsablePercent(info.GetLayoutPercent(bDocked));

    const BOOL bWasEmpty = IsLeftPartEmpty(FALSE) && IsRightPartEmpty(FALSE);
    CKtvPBarContainer* pNode = bLeft ? m_pLeftContainer : m_pRightContainer;
    CKtvPDockingControlBar* pOld = bLeft ? m_pBarLeft : m_pBarRight;
    if (pNode != nullptr) {
        return pNode->AddRecentBar(pBar);
    }
    if (pOld != nullptr) {
        CKtvPDockingControlBar* pTabbed = pBar->AttachToTabbedBar(pOld, KTVP_DM_DBL_CLICK, TRUE);
        if (pTabbed == nullptr) {
            return nullptr;
        }
        if (pTabbed != pBar && pTabbed != pOld && m_pContainerManager != nullptr) {
            m_pContainerManager->ReplaceControlBar(pOld, pTabbed);
        }
        return this;
    }
    SetBar(pBar, bLeft);
    CRect rectNode;
    GetWindowRect(rectNode, TRUE);
    if (pDockSite != nullptr) {
        pDockSite->ScreenToClient(rectNode);
    }
    const BOOL bOther = !(bLeft ? IsRightPartEmpty(TRUE) : IsLeftPartEmpty(TRUE));
    if (m_pSlider != nullptr && bOther) {
        const BOOL bHorz = IsSliderHorz();
        const int nNode = Extent(rectNode, bHorz);
        const int nRight = nNode - nNode * (100 - p) / 100 - SliderWidth();
        const int nLeft = bLeft ? nNode * p / 100 : nNode - SliderWidth() - nRight;
        m_pSlider->ShowWindow(SW_SHOW);
        HDWP hdwp = nullptr;
        LayoutParts(rectNode, nLeft, hdwp, TRUE);
    } else {
        if (m_pSlider != nullptr && !m_pSlider->IsDefault()) {
            m_pSlider->ShowWindow(SW_HIDE);
        }
        pBar->MoveControlBar(rectNode.IsRectEmpty() ? rectWanted : rectNode, TRUE, nullptr);
    }
    if (bWasEmpty && m_pParentContainer != nullptr && pDockSite != nullptr) {
        CRect rectParent;
        m_pParentContainer->GetWindowRect(rectParent, TRUE);
        pDockSite->ScreenToClient(rectParent);
        HDWP hdwp = nullptr;
        m_pParentContainer->ResizeContainer(rectParent, hdwp);
    }
    return this;
}

void CKtvPBarContainer::AdjustParentSlider(int nOffset, HDWP& hdwp)
{
    if (m_pParentContainer == nullptr) {
        return;
    }
    const BOOL bLeft = m_pParentContainer->m_pLeftContainer == this;
    m_pParentContainer->StretchContainer(nOffset, !m_pParentContainer->IsSliderHorz(), bLeft, TRUE, hdwp);
}

void CKtvPBarContainer::StoreRecentPercents()
{
    const BOOL bCheck = !AllVisible();
    if (m_pLeftContainer != nullptr) {
        m_pLeftContainer->StoreRecentPercents();
    }
    if (m_pRightContainer != nullptr) {
        m_pRightContainer->StoreRecentPercents();
    }
    const BOOL bLeftEmpty = IsLeftPartEmpty(bCheck);
    const BOOL bRightEmpty = IsRightPartEmpty(bCheck);
    if (bLeftEmpty && bRightEmpty) {
        return;
    }
    if (bRightEmpty) {
        SetPartPercent(TRUE, 100);
        return;
    }
    if (bLeftEmpty) {
        SetPartPercent(FALSE, 100);
        return;
    }
    CRect rectNode;
    GetWindowRect(rectNode);
    const int nNode = Extent(rectNode, IsSliderHorz());
    const int nLeft = Extent(PartRect(TRUE), IsSliderHorz());
    const int v = nNode > 0 ? (int)(nLeft * 100.0 / nNode) : 50;
    SetPartPercent(TRUE, v);
    SetPartPercent(FALSE, 100 - v);
}

void CKtvPBarContainer::CheckSliderVisibility()
{
    if (m_pLeftContainer != nullptr) {
        m_pLeftContainer->CheckSliderVisibility();
    }
    if (m_pRightContainer != nullptr) {
        m_pRightContainer->CheckSliderVisibility();
    }
    if (m_pSlider == nullptr || m_pSlider->IsDefault() || m_pSlider->GetSafeHwnd() == nullptr) {
        return;
    }
    const BOOL bBoth = !IsLeftPartEmpty(TRUE) && !IsRightPartEmpty(TRUE);
    m_pSlider->ShowWindow(bBoth ? SW_SHOW : SW_HIDE);
}

BOOL CKtvPBarContainer::IsEmpty() const { return IsLeftPartEmpty(FALSE) && IsRightPartEmpty(FALSE); }

BOOL CKtvPBarContainer::IsPartEmpty(BOOL bLeft, BOOL bCheckVisibility) const
{
    CKtvPDockingControlBar* pBar = bLeft ? m_pBarLeft : m_pBarRight;
    CKtvPBarContainer* pNode = bLeft ? m_pLeftContainer : m_pRightContainer;
    if (!bCheckVisibility) {
        return pBar == nullptr && (pNode == nullptr || pNode->IsEmpty());
    }
    return !IsBarVisible(pBar) && (pNode == nullptr || !pNode->IsVisible());
}

BOOL CKtvPBarContainer::IsLeftPartEmpty(BOOL bCheckVisibility) const { return IsPartEmpty(TRUE, bCheckVisibility); }
BOOL CKtvPBarContainer::IsRightPartEmpty(BOOL bCheckVisibility) const
{
    return IsPartEmpty(FALSE, bCheckVisibility);
}

BOOL CKtvPBarContainer::IsVisible() const
{
    if (IsBarVisible(m_pBarLeft) || IsBarVisible(m_pBarRight)) {
        return TRUE;
    }
    return (m_pLeftContainer != nullptr && m_pLeftContainer->IsVisible()) ||
           (m_pRightContainer != nullptr && m_pRightContainer->IsVisible());
}

CKtvPBarContainer* CKtvPBarContainer::FindContainer(const void* pObject, BC_FIND_CRITERIA findCriteria)
{
    switch (findCriteria) {
    case BC_FIND_BY_LEFT_BAR:
        if (m_pBarLeft == pObject) {
            return this;
        }
        break;
    case BC_FIND_BY_RIGHT_BAR:
        if (m_pBarRight == pObject) {
            return this;
        }
        break;
    case BC_FIND_BY_SLIDER:
        if (m_pSlider == pObject) {
            return this;
        }
        break;
    case BC_FIND_BY_CONTAINER:
        if (this == pObject) {
            return this;
        }
        break;
    }
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode != nullptr) {
            if (CKtvPBarContainer* pFound = pNode->FindContainer(pObject, findCriteria)) {
                return pFound;
            }
        }
    }
    return nullptr;
}

void CKtvPBarContainer::SetBar(CKtvPDockingControlBar* pBar, BOOL bLeft)
{
    (bLeft ? m_pBarLeft : m_pBarRight) = pBar;
}

void CKtvPBarContainer::SetContainer(CKtvPBarContainer* pContainer, BOOL bLeft)
{
    (bLeft ? m_pLeftContainer : m_pRightContainer) = pContainer;
    if (pContainer != nullptr) {
        pContainer->m_pParentContainer = this;
    }
}

void CKtvPBarContainer::ReplaceBarByNode(CKtvPDockingControlBar* pTargetBar, CKtvPBarContainer* pNode)
{
    if (m_pBarLeft == pTargetBar) {
        m_pBarLeft = nullptr;
        SetContainer(pNode, TRUE);
    } else if (m_pBarRight == pTargetBar) {
        m_pBarRight = nullptr;
        SetContainer(pNode, FALSE);
    }
}

void CKtvPBarContainer::AddRef() { ++m_dwRefCount; }

DWORD CKtvPBarContainer::Release()
{
    --m_dwRefCount;
    const DWORD dwCount = (DWORD)std::max(0, m_dwRefCount);
    if (m_dwRefCount <= 0) {
        CollapseIfEmpty();  // may delete this node
    }
    return dwCount;
}

int CKtvPBarContainer::CountParts() const
{
    return (m_pBarLeft != nullptr) + (m_pBarRight != nullptr) + (m_pLeftContainer != nullptr) +
           (m_pRightContainer != nullptr);
}

BOOL CKtvPBarContainer::IsRoot() const
{
    return m_pParentContainer == nullptr || m_pParentContainer->m_pParentContainer == nullptr ||
           (m_pSlider != nullptr && m_pSlider->IsDefault());
}

void CKtvPBarContainer::CollapseIfEmpty()
{
    if (CountParts() > 1 || m_dwRefCount > 0) {
        return;
    }
    if (IsRoot()) {
        if (m_pContainerManager != nullptr) {
            m_pContainerManager->OnRootEmpty();
        }
        return;
    }
    CollapseInto();
}

// The node leaves its parent, its one remaining part taking its place there; it deletes itself.
void CKtvPBarContainer::CollapseInto()
{
    if (CountParts() > 1 || m_dwRefCount > 0 || IsRoot()) {
        return;
    }
    CKtvPBarContainer* pParent = m_pParentContainer;
    const BOOL bLeft = pParent->m_pLeftContainer == this;
    (bLeft ? pParent->m_pLeftContainer : pParent->m_pRightContainer) = nullptr;
    if (m_pBarLeft != nullptr || m_pBarRight != nullptr) {
        pParent->SetBar(m_pBarLeft != nullptr ? m_pBarLeft : m_pBarRight, bLeft);
    } else if (m_pLeftContainer != nullptr || m_pRightContainer != nullptr) {
        pParent->SetContainer(m_pLeftContainer != nullptr ? m_pLeftContainer : m_pRightContainer, bLeft);
    }
    m_pBarLeft = m_pBarRight = nullptr;
    m_pLeftContainer = m_pRightContainer = nullptr;
    delete this;
}

void CKtvPBarContainer::ReleaseEmptyContainers()
{
    if (m_pLeftContainer != nullptr) {
        m_pLeftContainer->ReleaseEmptyContainers();
    }
    if (m_pRightContainer != nullptr) {
        m_pRightContainer->ReleaseEmptyContainers();
    }
    CollapseInto();
}

void CKtvPBarContainer::ReleaseTree()
{
    if (m_pSlider != nullptr) {
        CKtvPSlider* pSlider = m_pSlider;
        m_pSlider = nullptr;
        if (!pSlider->IsDefault() && pSlider->GetSafeHwnd() != nullptr) {
            if (m_pContainerManager != nullptr) {
                m_pContainerManager->RemoveSlider(pSlider);
            }
            // Gone after the current message; a dock site on its way out destroys it itself.
            pSlider->ShowWindow(SW_HIDE);
            pSlider->PostMessage(WM_CLOSE);
        }
    }
    delete m_pLeftContainer;
    delete m_pRightContainer;
    m_pLeftContainer = nullptr;
    m_pRightContainer = nullptr;
}

// Copies the visible part of src into this node: visible bars and sliders
// move here; a node whose slider moved keeps its style and place to make it again.
void CKtvPBarContainer::CopyVisible(const CKtvPBarContainer& src, CKtvPBarContainerManager& manager)
{
    auto& source = const_cast<CKtvPBarContainer&>(src);
    m_pContainerManager = &manager;
    m_nSavedPercent = src.m_nSavedPercent;
    for (BOOL bLeft : {TRUE, FALSE}) {
        CKtvPDockingControlBar*& pSrcBar = bLeft ? source.m_pBarLeft : source.m_pBarRight;
        if (source.IsBarVisible(pSrcBar)) {
            SetBar(pSrcBar, bLeft);
            pSrcBar = nullptr;
        }
        CKtvPBarContainer* pSrcNode = bLeft ? src.m_pLeftContainer : src.m_pRightContainer;
        if (pSrcNode != nullptr && pSrcNode->IsVisible()) {
            auto* pCopy = new CKtvPBarContainer(&manager);
            SetContainer(pCopy, bLeft);
            pCopy->CopyVisible(*pSrcNode, manager);
        }
    }
    if (src.m_pSlider != nullptr && (src.m_pSlider->GetStyle() & WS_VISIBLE) != 0) {
        CKtvPSlider* pSlider = src.m_pSlider;
        source.m_dwSavedSliderStyle = pSlider->GetSliderStyle();
        source.m_bSavedSliderHorz = pSlider->IsHorizontal();
        pSlider->GetWindowRect(source.m_rectSavedSlider);
        if (CWnd* pParent = pSlider->GetParent()) {
            pParent->ScreenToClient(source.m_rectSavedSlider);
        }
        source.m_pSlider = nullptr;
        m_pSlider = pSlider;
    }
}

void CKtvPBarContainer::SetManager(CKtvPBarContainerManager* pManager, BOOL bRecursive)
{
    m_pContainerManager = pManager;
    if (!bRecursive) {
        return;
    }
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode != nullptr) {
            pNode->SetManager(pManager, TRUE);
        }
    }
}

BOOL CKtvPBarContainer::SetBarByID(UINT nID, CKtvPDockingControlBar* pBar)
{
    if (m_nSavedLeftBarID == (int)nID) {
        m_pBarLeft = pBar;
        return TRUE;
    }
    if (m_nSavedRightBarID == (int)nID) {
        m_pBarRight = pBar;
        return TRUE;
    }
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode != nullptr && pNode->SetBarByID(nID, pBar)) {
            return TRUE;
        }
    }
    return FALSE;
}

CKtvPDockingControlBar* CKtvPBarContainer::FindBarByTabID(UINT nID)
{
    if (m_lstLeftBarTabIDs.Find(nID) != nullptr && m_pBarLeft != nullptr) {
        return m_pBarLeft;
    }
    if (m_lstRightBarTabIDs.Find(nID) != nullptr && m_pBarRight != nullptr) {
        return m_pBarRight;
    }
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode != nullptr) {
            if (CKtvPDockingControlBar* pBar = pNode->FindBarByTabID(nID)) {
                return pBar;
            }
        }
    }
    return nullptr;
}

CList<UINT, UINT>* CKtvPBarContainer::GetSiblingBarIDs(CKtvPDockingControlBar* pBar)
{
    if (pBar == nullptr) {
        return nullptr;
    }
    if (pBar == m_pBarLeft) {
        return &m_lstLeftBarTabIDs;
    }
    return pBar == m_pBarRight ? &m_lstRightBarTabIDs : nullptr;
}

int CKtvPBarContainer::CountNodes() const
{
    int nCount = 1;
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode != nullptr) {
            nCount += pNode->CountNodes();
        }
    }
    return nCount;
}

int CKtvPBarContainer::GetTotalRefCount() const
{
    int nCount = std::max(0, m_dwRefCount);
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode != nullptr) {
            nCount += pNode->GetTotalRefCount();
        }
    }
    return nCount;
}

void CKtvPBarContainer::RemoveInvalidBars()
{
    for (CKtvPDockingControlBar** ppBar : {&m_pBarLeft, &m_pBarRight}) {
        if (*ppBar != nullptr && m_pContainerManager != nullptr && !m_pContainerManager->CheckBarValid(*ppBar)) {
            *ppBar = nullptr;
        }
    }
    for (CKtvPBarContainer* pNode : {m_pLeftContainer, m_pRightContainer}) {
        if (pNode != nullptr) {
            pNode->RemoveInvalidBars();
        }
    }
}

BOOL CKtvPBarContainer::IsSliderHorz() const
{
    return m_pSlider != nullptr ? m_pSlider->IsHorizontal() : m_bSavedSliderHorz;
}
