#include "ui/docking/KtvPBarContainerManager.h"

#include <algorithm>

#include "platform/mfc/CArchive.h"
#include "platform/mfc/CException.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPDockManager.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPMultiMiniFrameWnd.h"
#include "ui/docking/KtvPSlider.h"

int CKtvPBarContainerManager::m_nNextSliderID = 1;

namespace {

CKtvPBaseControlBar* BarAt(const CObList& list, POSITION pos)
{
    return static_cast<CKtvPBaseControlBar*>(list.GetAt(pos));
}

CKtvPDockingControlBar* AsDockingBar(CObject* pObj)
{
    return pObj != nullptr && pObj->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))
               ? static_cast<CKtvPDockingControlBar*>(pObj)
               : nullptr;
}

}  // namespace

CKtvPBarContainerManager::CKtvPBarContainerManager()
    : m_pRootContainer(nullptr),
      m_pContainerRTC(nullptr),
      m_pDefaultSlider(nullptr),
      m_bDestroyRootContainer(TRUE),
      m_pDockSite(nullptr)
{
}

// The tree is the manager's; its sliders stop pointing back at it.
CKtvPBarContainerManager::~CKtvPBarContainerManager()
{
    if (!m_bDestroyRootContainer)
        return;
    for (POSITION pos = m_lstSliders.GetHeadPosition(); pos != nullptr;) {
        if (auto* pSlider = dynamic_cast<CKtvPSlider*>(m_lstSliders.GetNext(pos)))
            pSlider->SetContainerManager(nullptr);
    }
    delete m_pRootContainer;
    m_pRootContainer = nullptr;
}

CKtvPBarContainer* CKtvPBarContainerManager::NewNode()
{
    CKtvPBarContainer* pNode = nullptr;
    if (m_pContainerRTC != nullptr) {
        pNode = static_cast<CKtvPBarContainer*>(m_pContainerRTC->CreateObject());
    }
    if (pNode == nullptr) {
        pNode = new CKtvPBarContainer;
    }
    pNode->SetManager(this, FALSE);
    return pNode;
}

BOOL CKtvPBarContainerManager::Create(CWnd* pParentWnd, CKtvPSlider* pDefaultSlider, CRuntimeClass* pContainerRTC)
{
    m_pDockSite = pParentWnd;
    m_pDefaultSlider = pDefaultSlider;
    m_pContainerRTC = pContainerRTC;
    delete m_pRootContainer;
    m_pRootContainer = NewNode();
    return TRUE;
}

void CKtvPBarContainerManager::Serialize(CArchive& ar)
{
    if (m_pRootContainer == nullptr) {
        return;
    }
    if (ar.IsStoring()) {
        m_pRootContainer->ReleaseEmptyContainers();
        m_pRootContainer->Serialize(ar);
        CObList lstStored;
        for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
            CKtvPBaseControlBar* pBar = BarAt(m_lstControlBars, pos);
            m_lstControlBars.GetNext(pos);
            if (!IsTablessTabbedBar(pBar)) {
                lstStored.AddTail(pBar);
            }
        }
        ar << (int)lstStored.GetCount();
        for (POSITION pos = lstStored.GetHeadPosition(); pos != nullptr;) {
            auto* pBar = static_cast<CKtvPBaseControlBar*>(lstStored.GetNext(pos));
            const int nID = pBar->GetDlgCtrlID();
            if (nID != -1 && (UINT)nID != 0xFFFF) {
                ar << nID;
                continue;
            }
            ar << (int)-1;
            int iTab = 0;
            CWnd* pTab = static_cast<CKtvPBaseTabbedBar*>(pBar)->GetFirstVisibleTab(iTab);
            ar << (int)(pTab != nullptr ? pTab->GetDlgCtrlID() : 0);
        }
        return;
    }
    m_pRootContainer->Serialize(ar);
    CKtvPDockManager* pDockManager = LoadingDockManager();
    if (pDockManager == nullptr) {
        AfxThrowArchiveException(CArchiveException::genericException);
    }
    int nCount = 0;
    ar >> nCount;
    for (int i = 0; i < nCount; i++) {
        int nID = 0;
        ar >> nID;
        if (nID == -1) {
            int nTabID = 0;
            ar >> nTabID;
            if (CKtvPDockingControlBar* pTabbed = m_pRootContainer->FindBarByTabID((UINT)nTabID)) {
                m_lstControlBars.AddTail(pTabbed);
            }
            continue;
        }
        CKtvPDockingControlBar* pBar = AsDockingBar(pDockManager->FindBarByID((UINT)nID, TRUE));
        if (pBar != nullptr) {
            m_lstControlBars.AddTail(pBar);
            m_pRootContainer->SetBarByID((UINT)nID, pBar);
        }
    }
}

BOOL CKtvPBarContainerManager::IsTablessTabbedBar(const CKtvPBaseControlBar* pBar)
{
    const int nID = pBar->GetDlgCtrlID();
    return (nID == -1 || (UINT)nID == 0xFFFF) && pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar)) &&
           static_cast<const CKtvPBaseTabbedBar*>(pBar)->GetTabsNum() == 0;
}

CKtvPDockManager* CKtvPBarContainerManager::LoadingDockManager() const
{
    if (m_pDefaultSlider != nullptr) {
        return globalUtils.GetDockManager(m_pDefaultSlider->GetDockSiteFrameWnd());
    }
    CWnd* pParent = m_pDockSite != nullptr ? m_pDockSite->GetParent() : nullptr;
    return pParent != nullptr ? globalUtils.GetDockManager(pParent) : nullptr;
}

BOOL CKtvPBarContainerManager::AddContainerManagerToBar(CKtvPDockingControlBar* pTargetBar, DWORD dwAlignment,
                                                        CKtvPBarContainerManager& srcManager, BOOL bCopy)
{
    if (m_pRootContainer == nullptr || srcManager.m_pRootContainer == nullptr || pTargetBar == nullptr) {
        return FALSE;
    }
    POSITION posTarget = m_lstControlBars.Find(pTargetBar);
    BOOL bLeft = FALSE;
    CKtvPBarContainer* pTargetNode = FindContainer(pTargetBar, bLeft);
    if (posTarget == nullptr || pTargetNode == nullptr) {
        return FALSE;
    }
    CObList lstBars;
    CObList lstSliders;
    srcManager.AddControlBarsToList(&lstBars, &lstSliders);
    CKtvPBarContainer* pSrcTree = srcManager.m_pRootContainer;
    if (bCopy) {
        pSrcTree = new CKtvPBarContainer(this);
        pSrcTree->CopyVisible(*srcManager.m_pRootContainer, *this);
    } else {
        srcManager.m_bDestroyRootContainer = FALSE;
        srcManager.m_pRootContainer = nullptr;
    }
    pSrcTree->SetManager(this, TRUE);
    globalUtils.SetNewParent(lstBars, m_pDockSite, FALSE);
    globalUtils.SetNewParent(lstSliders, m_pDockSite, FALSE);

    if (!PlaceNodeNextToBar(pSrcTree, pTargetBar, dwAlignment)) {
        CWnd* pSrcSite = srcManager.GetDockSite();
        globalUtils.SetNewParent(lstBars, pSrcSite, FALSE);
        globalUtils.SetNewParent(lstSliders, pSrcSite, FALSE);
        if (!bCopy) {
            srcManager.m_pRootContainer = pSrcTree;
            srcManager.m_bDestroyRootContainer = TRUE;
        }
        return FALSE;
    }
    const BOOL bBefore = dwAlignment == CBRS_ALIGN_LEFT || dwAlignment == CBRS_ALIGN_TOP;
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        CObject* pBar = lstBars.GetNext(pos);
        if (bBefore) {
            m_lstControlBars.InsertBefore(posTarget, pBar);
        } else {
            posTarget = m_lstControlBars.InsertAfter(posTarget, pBar);
        }
    }
    for (POSITION pos = lstSliders.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = static_cast<CKtvPSlider*>(lstSliders.GetNext(pos));
        pSlider->SetContainerManager(this);
        m_lstSliders.AddTail(pSlider);
    }
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        if (CKtvPDockingControlBar* pBar = AsDockingBar(lstBars.GetNext(pos))) {
            pBar->ShowCaption(TRUE);
            pBar->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
    }
    m_pRootContainer->CheckSliderVisibility();
    m_pRootContainer->StoreRecentPercents();
    return TRUE;
}

BOOL CKtvPBarContainerManager::AddContainerManager(CKtvPBarContainerManager& srcManager, BOOL bOuterEdge)
{
    if (m_pRootContainer == nullptr || !m_pRootContainer->IsEmpty() || srcManager.m_pRootContainer == nullptr) {
        return FALSE;
    }
    CKtvPDockManager* pDockManager = globalUtils.GetDockManager(m_pDockSite);
    if (pDockManager == nullptr) {
        return FALSE;
    }
    CObList lstBars;
    CObList lstSliders;
    srcManager.AddControlBarsToList(&lstBars, &lstSliders);
    auto* pCopy = new CKtvPBarContainer(this);
    pCopy->CopyVisible(*srcManager.m_pRootContainer, *this);
    m_pRootContainer->SetContainer(pCopy, TRUE);
    pCopy->SetManager(this, TRUE);

    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(lstBars.GetNext(pos));
        if (pCopy->FindContainer(pBar, CKtvPBarContainer::BC_FIND_BY_LEFT_BAR) == nullptr &&
            pCopy->FindContainer(pBar, CKtvPBarContainer::BC_FIND_BY_RIGHT_BAR) == nullptr) {
            continue;
        }
        CRect rect;
        pBar->GetWindowRect(rect);
        pBar->SetParent(m_pDockSite);
        m_pDockSite->ScreenToClient(rect);
        pBar->MoveWindow(rect.left - rect.Width(), rect.top + rect.Height(), rect.Width(), rect.Height(), TRUE);
        m_lstControlBars.AddTail(pBar);
    }
    for (POSITION pos = lstSliders.GetHeadPosition(); pos != nullptr;) {
        auto* pSlider = static_cast<CKtvPSlider*>(lstSliders.GetNext(pos));
        if (pCopy->FindContainer(pSlider, CKtvPBarContainer::BC_FIND_BY_SLIDER) == nullptr) {
            continue;
        }
        pSlider->SetParent(m_pDockSite);
        pSlider->SetContainerManager(this);
        m_lstSliders.AddTail(pSlider);
    }
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        CKtvPDockingControlBar* pBar = AsDockingBar(m_lstControlBars.GetNext(pos));
        if (pBar == nullptr) {
            continue;
        }
        if (m_pDefaultSlider != nullptr) {
            pBar->SetDefaultSlider(m_pDefaultSlider->GetSafeHwnd());
            pBar->SetBarAlignment(m_pDefaultSlider->GetCurrentAlignment());
        }
        pDockManager->AddControlBar(pBar, !bOuterEdge, FALSE, bOuterEdge);
        pBar->ShowCaption(TRUE);
    }
    m_pRootContainer->CheckSliderVisibility();
    m_pRootContainer->StoreRecentPercents();
    return TRUE;
}

BOOL CKtvPBarContainerManager::AddContainerManagerAsTabs(CKtvPDockingControlBar* pTargetBar,
                                                         CKtvPBarContainerManager& srcManager)
{
    if (pTargetBar == nullptr) {
        return FALSE;
    }
    CObList lstBars;
    srcManager.AddControlBarsToList(&lstBars, nullptr);
    CKtvPDockingControlBar* pTarget = pTargetBar;
    BOOL bAny = FALSE;
    for (POSITION pos = lstBars.GetHeadPosition(); pos != nullptr;) {
        CKtvPDockingControlBar* pBar = AsDockingBar(lstBars.GetNext(pos));
        if (pBar == nullptr) {
            continue;
        }
        CKtvPDockingControlBar* pTabbed = nullptr;
        if (pBar->AttachToTabbedBar(pTarget, KTVP_DM_MOUSE, TRUE, &pTabbed) != nullptr) {
            bAny = TRUE;
        }
        if (pTabbed != nullptr) {
            pTarget = pTabbed;
        }
    }
    return bAny;
}

void CKtvPBarContainerManager::AddControlBar(CKtvPBaseControlBar* pBar)
{
    if (m_pRootContainer == nullptr || pBar == nullptr) {
        return;
    }
    m_pRootContainer->SetBar(AsDockingBar(pBar), TRUE);
    m_lstControlBars.AddTail(pBar);
}

CKtvPBaseControlBar* CKtvPBarContainerManager::AddControlBarToRecentContainer(CKtvPBaseControlBar* pBarToAdd,
                                                                              CKtvPBarContainer* pRecentContainer)
{
    CKtvPDockingControlBar* pBar = AsDockingBar(pBarToAdd);
    if (m_pRootContainer == nullptr || pBar == nullptr || pRecentContainer == nullptr ||
        m_pRootContainer->FindContainer(pRecentContainer, CKtvPBarContainer::BC_FIND_BY_CONTAINER) == nullptr) {
        return nullptr;
    }
    if (!pRecentContainer->IsEmpty() && pRecentContainer->m_pSlider == nullptr) {
        RecreateSlider(pRecentContainer);
    } else if (pRecentContainer->IsEmpty()) {
        for (CKtvPBarContainer* pNode = pRecentContainer->m_pParentContainer;
             pNode != nullptr && pNode != m_pRootContainer; pNode = pNode->m_pParentContainer) {
            if (pNode->m_pSlider == nullptr && pNode->m_dwSavedSliderStyle != 0) {
                RecreateSlider(pNode);
            }
        }
    }
    // A recent node without a slider but with its other part present needs one to split again.
    if (pRecentContainer->m_pSlider == nullptr && !pRecentContainer->IsEmpty()) {
        pRecentContainer->m_pSlider = CreateSlider(CRect(0, 0, CKtvPSlider::m_nDefaultWidth,
                                                         CKtvPSlider::m_nDefaultWidth),
                                                   pRecentContainer->m_bSavedSliderHorz ? KTVP_SS_HORZ : KTVP_SS_VERT);
    }
    CKtvPBarContainer* pPlaced = pRecentContainer->AddRecentBar(pBar);
    if (pPlaced == nullptr) {
        return nullptr;
    }
    BOOL bLeft = FALSE;
    if (FindContainer(pBar, bLeft) == nullptr) {
        // The bar went into a tab: the tabbed bar holds the layout place.
        return pBar->GetParentTabbedBar() != nullptr ? static_cast<CKtvPBaseControlBar*>(pBar->GetParentTabbedBar())
                                                     : nullptr;
    }
    m_pRootContainer->CheckSliderVisibility();
    if (m_lstControlBars.Find(pBar) == nullptr) {
        POSITION posAfter = nullptr;
        CList<HWND, HWND>& lstSiblings = pBar->GetRecentDockInfo().GetSiblingWnds(
            m_pDockSite == nullptr || !m_pDockSite->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd)));
        for (POSITION pos = lstSiblings.GetHeadPosition(); pos != nullptr;) {
            const HWND hWnd = lstSiblings.GetNext(pos);
            if (hWnd == pBar->GetSafeHwnd()) {
                break;
            }
            if (POSITION posFound = m_lstControlBars.Find(CWnd::FromHandlePermanent(hWnd))) {
                posAfter = posFound;
            }
        }
        if (posAfter != nullptr) {
            m_lstControlBars.InsertAfter(posAfter, pBar);
        } else {
            m_lstControlBars.AddHead(pBar);
        }
    }
    return pBar;
}

void CKtvPBarContainerManager::RecreateSlider(CKtvPBarContainer* pNode)
{
    if (pNode->m_dwSavedSliderStyle == 0) {
        return;
    }
    pNode->m_pSlider = CreateSlider(pNode->m_rectSavedSlider, pNode->m_dwSavedSliderStyle);
}

BOOL CKtvPBarContainerManager::InsertControlBar(CKtvPBaseControlBar* pBarToInsert, CKtvPBaseControlBar* pTargetBar,
                                                DWORD dwAlignment)
{
    CKtvPDockingControlBar* pNew = AsDockingBar(pBarToInsert);
    CKtvPDockingControlBar* pTarget = AsDockingBar(pTargetBar);
    POSITION posTarget = m_lstControlBars.Find(pTargetBar);
    if (m_pRootContainer == nullptr || pNew == nullptr || pTarget == nullptr || posTarget == nullptr) {
        return FALSE;
    }
    if (dwAlignment != CBRS_ALIGN_LEFT && dwAlignment != CBRS_ALIGN_TOP && dwAlignment != CBRS_ALIGN_RIGHT &&
        dwAlignment != CBRS_ALIGN_BOTTOM) {
        return FALSE;
    }
    CRect rectNew;
    pNew->GetWindowRect(rectNew);
    CSize sizeMin;
    pNew->GetMinSize(sizeMin);
    const CSize sizeNew(std::max((int)rectNew.Width(), (int)sizeMin.cx),
                        std::max((int)rectNew.Height(), (int)sizeMin.cy));
    CKtvPBarContainer* pNode = SplitTargetRect(pTarget, sizeNew, dwAlignment, pNew, nullptr);
    if (pNode == nullptr) {
        return FALSE;
    }
    const BOOL bBefore = dwAlignment == CBRS_ALIGN_LEFT || dwAlignment == CBRS_ALIGN_TOP;
    if (bBefore) {
        m_lstControlBars.InsertBefore(posTarget, pNew);
    } else {
        m_lstControlBars.InsertAfter(posTarget, pNew);
    }
    return TRUE;
}

BOOL CKtvPBarContainerManager::PlaceNodeNextToBar(CKtvPBarContainer* pTree, CKtvPDockingControlBar* pTarget,
                                                  DWORD dwAlignment)
{
    CSize sizeMin;
    pTree->GetMinSize(sizeMin);
    CRect rectTree;
    pTree->GetWindowRect(rectTree);
    const CSize size(std::max((int)rectTree.Width(), (int)sizeMin.cx),
                     std::max((int)rectTree.Height(), (int)sizeMin.cy));
    return SplitTargetRect(pTarget, size, dwAlignment, nullptr, pTree) != nullptr;
}

// Splits the target's rectangle between it and a new bar or node of the given
// size on the given side, with a new inner slider; the new node takes the
// target's place in the tree. NULL, and nothing changed, when the slider cannot be made.
CKtvPBarContainer* CKtvPBarContainerManager::SplitTargetRect(CKtvPDockingControlBar* pTarget, CSize sizeNew,
                                                             DWORD dwAlignment, CKtvPDockingControlBar* pNewBar,
                                                             CKtvPBarContainer* pNewTree)
{
    BOOL bTargetLeft = FALSE;
    CKtvPBarContainer* pHolder = FindContainer(pTarget, bTargetLeft);
    if (pHolder == nullptr) {
        return nullptr;
    }
    CRect T;
    pTarget->GetWindowRect(T);
    m_pDockSite->ScreenToClient(T);
    const int w = CKtvPSlider::m_nDefaultWidth;
    const BOOL bVertSplit = dwAlignment == CBRS_ALIGN_TOP || dwAlignment == CBRS_ALIGN_BOTTOM;
    const int nExtent = bVertSplit ? T.Height() : T.Width();
    int l = std::min(nExtent / 2, (int)(bVertSplit ? sizeNew.cy : sizeNew.cx));
    // Neither part may go below its minimum: a target too small for both refuses the split.
    CSize sizeNewMin(0, 0);
    if (pNewBar != nullptr) {
        pNewBar->GetMinSize(sizeNewMin);
    } else {
        pNewTree->GetMinSize(sizeNewMin);
    }
    CSize sizeTargetMin;
    pTarget->GetMinSize(sizeTargetMin);
    const int nNewMin = bVertSplit ? sizeNewMin.cy : sizeNewMin.cx;
    const int nTargetMin = bVertSplit ? sizeTargetMin.cy : sizeTargetMin.cx;
    l = std::min(std::max(l, nNewMin), nExtent - w - nTargetMin);
    if (l < nNewMin) {
        return nullptr;
    }
    CRect rectNew = T;
    CRect rectSlider = T;
    CRect rectTarget = T;
    switch (dwAlignment) {
    case CBRS_ALIGN_LEFT:
        rectNew.right = T.left + l;
        rectSlider.left = rectNew.right;
        rectSlider.right = rectSlider.left + w;
        rectTarget.left = rectSlider.right;
        break;
    case CBRS_ALIGN_TOP:
        rectNew.bottom = T.top + l;
        rectSlider.top = rectNew.bottom;
        rectSlider.bottom = rectSlider.top + w;
        rectTarget.top = rectSlider.bottom;
        break;
    case CBRS_ALIGN_RIGHT:
        rectNew.left = T.right - l;
        rectSlider.right = rectNew.left;
        rectSlider.left = rectSlider.right - w;
        rectTarget.right = rectSlider.left;
        break;
    default:
        rectNew.top = T.bottom - l;
        rectSlider.bottom = rectNew.top;
        rectSlider.top = rectSlider.bottom - w;
        rectTarget.bottom = rectSlider.top;
        break;
    }
    CKtvPSlider* pSlider = CreateSlider(rectSlider, bVertSplit ? KTVP_SS_HORZ : KTVP_SS_VERT);
    if (pSlider == nullptr) {
        return nullptr;
    }
    pTarget->MoveControlBar(rectTarget, TRUE, nullptr);
    if (pNewBar != nullptr) {
        pNewBar->MoveControlBar(rectNew, TRUE, nullptr);
    } else {
        HDWP hdwp = nullptr;
        pNewTree->ResizeContainer(rectNew, hdwp, TRUE);
        pNewTree->Move(rectNew.left, rectNew.top);
    }
    CKtvPBarContainer* pNode = NewNode();
    pNode->m_pSlider = pSlider;
    const BOOL bNewFirst = dwAlignment == CBRS_ALIGN_LEFT || dwAlignment == CBRS_ALIGN_TOP;
    pNode->SetBar(pTarget, !bNewFirst);
    if (pNewBar != nullptr) {
        pNode->SetBar(pNewBar, bNewFirst);
    } else {
        pNode->SetContainer(pNewTree, bNewFirst);
    }
    pHolder->ReplaceBarByNode(pTarget, pNode);
    return pNode;
}

void CKtvPBarContainerManager::OnMoveInnerSlider(CKtvPSlider* pSlider, UINT, int nOffset, HDWP& hdwp)
{
    if (m_pRootContainer == nullptr || pSlider == nullptr) {
        return;
    }
    if (pSlider != m_pDefaultSlider) {
        if (CKtvPBarContainer* pNode =
                m_pRootContainer->FindContainer(pSlider, CKtvPBarContainer::BC_FIND_BY_SLIDER)) {
            pNode->MoveInnerSlider(nOffset);
        }
        return;
    }
    CRect rect;
    m_pRootContainer->GetWindowRect(rect);
    CSize sizeMin;
    m_pRootContainer->GetMinSize(sizeMin);
    switch (pSlider->GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        rect.right = std::max(rect.right + nOffset, rect.left + (int)sizeMin.cx);
        break;
    case CBRS_ALIGN_TOP:
        rect.bottom = std::max(rect.bottom + nOffset, rect.top + (int)sizeMin.cy);
        break;
    case CBRS_ALIGN_RIGHT:
        rect.left = std::min(rect.left + nOffset, rect.right - (int)sizeMin.cx);
        break;
    case CBRS_ALIGN_BOTTOM:
        rect.top = std::min(rect.top + nOffset, rect.bottom - (int)sizeMin.cy);
        break;
    default:
        return;
    }
    m_pDockSite->ScreenToClient(rect);
    ResizeBarContainers(rect, hdwp);
}

void CKtvPBarContainerManager::GetWindowRect(CRect& rect) const
{
    rect.SetRectEmpty();
    if (m_pRootContainer != nullptr) {
        m_pRootContainer->GetWindowRect(rect);
    }
}

void CKtvPBarContainerManager::GetAvailableSpace(CRect& rect) const
{
    CRect rectLayout;
    GetWindowRect(rectLayout);
    rect = rectLayout;
    auto cut = [&rect](const CObList& list) {
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
            auto* pWnd = static_cast<CWnd*>(list.GetNext(pos));
            CRect r;
            pWnd->GetWindowRect(r);
            CRect rectRest;
            rectRest.SubtractRect(rect, r);
            rect = rectRest;
        }
    };
    cut(m_lstControlBars);
    cut(m_lstSliders);
}

BOOL CKtvPBarContainerManager::RemoveControlBarFromContainer(CKtvPBaseControlBar* pBar)
{
    if (m_pRootContainer == nullptr) {
        return FALSE;
    }
    m_pRootContainer->RemoveControlBar(pBar);
    return TRUE;
}

// The bar leaves the list, its siblings remembered for its way back.
void CKtvPBarContainerManager::ForgetBar(CKtvPBaseControlBar* pBar)
{
    POSITION posBar = m_lstControlBars.Find(pBar);
    if (posBar == nullptr) {
        return;
    }
    if (CKtvPDockingControlBar* pDockingBar = AsDockingBar(pBar)) {
        CList<HWND, HWND> lstSiblings;
        for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
            lstSiblings.AddTail(static_cast<CWnd*>(m_lstControlBars.GetNext(pos))->GetSafeHwnd());
        }
        const BOOL bDocked = m_pDockSite == nullptr || !m_pDockSite->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd));
        pDockingBar->GetRecentDockInfo().SetSiblingWnds(lstSiblings, bDocked);
    }
    m_lstControlBars.RemoveAt(posBar);
}

void CKtvPBarContainerManager::ResizeBarContainers(CRect rect, HDWP& hdwp)
{
    if (m_pRootContainer != nullptr) {
        m_pRootContainer->ResizeContainer(rect, hdwp);
    }
}

void CKtvPBarContainerManager::StretchBarContainers(int nType, BOOL bGrow, int nOffset, HDWP& hdwp)
{
    if (m_pRootContainer != nullptr) {
        m_pRootContainer->StretchContainer(bGrow ? nOffset : -nOffset, nType == 1 || nType == 2, TRUE, TRUE, hdwp);
    }
}

BOOL CKtvPBarContainerManager::ReplaceControlBar(CKtvPBaseControlBar* pBarOld, CKtvPBaseControlBar* pBarNew)
{
    if (m_pRootContainer == nullptr || pBarNew == nullptr) {
        return FALSE;
    }
    POSITION pos = m_lstControlBars.Find(pBarOld);
    if (pos == nullptr) {
        m_lstControlBars.AddTail(pBarNew);
        return TRUE;
    }
    BOOL bLeft = FALSE;
    if (CKtvPBarContainer* pNode = FindContainer(pBarOld, bLeft)) {
        pNode->SetBar(AsDockingBar(pBarNew), bLeft);
    }
    m_lstControlBars.InsertAfter(pos, pBarNew);
    m_lstControlBars.RemoveAt(pos);
    return TRUE;
}

void CKtvPBarContainerManager::GetMinMaxOffset(CKtvPSlider* pSlider, int& nMinOffset, int& nMaxOffset, int& nStep)
{
    nMinOffset = nMaxOffset = 0;
    nStep = -1;
    if (m_pRootContainer == nullptr || pSlider == nullptr) {
        return;
    }
    CRect S;
    pSlider->GetWindowRect(S);
    if (pSlider != m_pDefaultSlider) {
        CKtvPBarContainer* pNode = m_pRootContainer->FindContainer(pSlider, CKtvPBarContainer::BC_FIND_BY_SLIDER);
        if (pNode == nullptr) {
            return;
        }
        nStep = pNode->GetResizeStep();
        CRect R;
        pNode->GetWindowRect(R);
        CSize Lm;
        CSize Rm;
        pNode->GetMinSizeLeft(Lm);
        pNode->GetMinSizeRight(Rm);
        if (pSlider->IsHorizontal()) {
            nMinOffset = Lm.cy + R.top - S.top + 1;
            nMaxOffset = R.bottom - Rm.cy - S.bottom - 1;
        } else {
            nMinOffset = Lm.cx + R.left - S.left;
            nMaxOffset = R.right - Rm.cx - S.right - 1;
        }
        return;
    }
    nStep = m_pRootContainer->GetResizeStep();
    CRect R;
    m_pRootContainer->GetWindowRect(R);
    CSize sizeMin;
    m_pRootContainer->GetMinSize(sizeMin);
    R.DeflateRect(sizeMin.cx, sizeMin.cy);
    CRect C(0, 0, 0, 0);
    if (CKtvPDockManager* pDockManager = globalUtils.GetDockManager(m_pDockSite)) {
        C = pDockManager->GetClientAreaBounds();
        m_pDockSite->ClientToScreen(C);
    }
    C.DeflateRect(4, 4);
    switch (pSlider->GetCurrentAlignment()) {
    case CBRS_ALIGN_LEFT:
        nMinOffset = R.left - S.left + 1;
        nMaxOffset = C.right - S.right - 1;
        break;
    case CBRS_ALIGN_TOP:
        nMinOffset = R.top - S.top + 1;
        nMaxOffset = C.bottom - S.bottom - 1;
        break;
    case CBRS_ALIGN_RIGHT:
        nMinOffset = C.left - S.left + 1;
        nMaxOffset = R.right - S.right - 1;
        break;
    case CBRS_ALIGN_BOTTOM:
        nMinOffset = C.top - S.top + 1;
        nMaxOffset = R.bottom - S.bottom - 1;
        break;
    default:
        break;
    }
}

BOOL CKtvPBarContainerManager::OnShowControlBar(CKtvPBaseControlBar*, BOOL)
{
    if (m_pRootContainer == nullptr) {
        return FALSE;
    }
    m_pRootContainer->CheckSliderVisibility();
    return IsRootContainerVisible();
}

BOOL CKtvPBarContainerManager::IsRootContainerVisible() const
{
    return m_pRootContainer != nullptr && m_pRootContainer->IsVisible();
}

void CKtvPBarContainerManager::GetMinSize(CSize& size) const
{
    size = CSize(0, 0);
    if (m_pRootContainer != nullptr) {
        m_pRootContainer->GetMinSize(size);
    }
}

int CKtvPBarContainerManager::GetVisibleBarCount() const
{
    int nCount = 0;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        if ((static_cast<CWnd*>(m_lstControlBars.GetNext(pos))->GetStyle() & WS_VISIBLE) != 0) {
            ++nCount;
        }
    }
    return nCount;
}

void CKtvPBarContainerManager::ShowCaptions(BOOL bShow)
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        if (CKtvPDockingControlBar* pBar = AsDockingBar(m_lstControlBars.GetNext(pos))) {
            pBar->ShowCaption(bShow);
        }
    }
}

void CKtvPBarContainerManager::HideAll()
{
    for (const CObList* pList : {&m_lstControlBars, &m_lstSliders}) {
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
            static_cast<CWnd*>(pList->GetNext(pos))->ShowWindow(SW_HIDE);
        }
    }
}

BOOL CKtvPBarContainerManager::CanFloat() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        if (static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos))->CanFloat()) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CKtvPBarContainerManager::AllowsInsertBefore() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        if (static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos))->AllowsInsertBefore()) {
            return TRUE;
        }
    }
    return FALSE;
}

CKtvPBaseControlBar* CKtvPBarContainerManager::ControlBarFromPoint(CPoint point, int nSensitivity, BOOL bExactBar,
                                                                   BOOL& bIsTabArea, BOOL& bCaption)
{
    bIsTabArea = FALSE;
    bCaption = FALSE;
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        CRect rect;
        pBar->GetWindowRect(rect);
        if (CKtvPDockingControlBar* pDockingBar = AsDockingBar(pBar)) {
            CRect rectTop;
            CRect rectBottom;
            pDockingBar->GetTabArea(rectTop, rectBottom);
            if (rectTop.PtInRect(point) || rectBottom.PtInRect(point)) {
                bIsTabArea = TRUE;
                return pBar;
            }
            if (pDockingBar->HitTestCaption(point, TRUE) == HTCAPTION) {
                bCaption = TRUE;
                return pBar;
            }
        }
        CRect rectInner = rect;
        rectInner.DeflateRect(nSensitivity, nSensitivity);
        if (rect.PtInRect(point) && (nSensitivity == 0 || !rectInner.PtInRect(point))) {
            return pBar;
        }
    }
    if (bExactBar) {
        return nullptr;
    }
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        CRect rect;
        pBar->GetWindowRect(rect);
        rect.InflateRect(nSensitivity, nSensitivity);
        if (rect.PtInRect(point)) {
            return pBar;
        }
    }
    return nullptr;
}

BOOL CKtvPBarContainerManager::CheckTitle(CPoint point, CWnd*& pBar) const
{
    pBar = nullptr;
    if (m_pDockSite == nullptr || !m_pDockSite->IsKindOf(RUNTIME_CLASS(CKtvPMultiMiniFrameWnd)) ||
        m_lstControlBars.GetCount() > 1) {
        return FALSE;
    }
    auto* pFrame = static_cast<CKtvPMiniFrameWnd*>(m_pDockSite);
    CRect rectCaption;
    pFrame->GetCaptionRect(rectCaption);
    CRect rectWindow;
    pFrame->GetWindowRect(rectWindow);
    rectCaption.OffsetRect(rectWindow.TopLeft());
    if (!rectCaption.PtInRect(point)) {
        return FALSE;
    }
    pBar = GetFirstVisibleBar();
    return TRUE;
}

CKtvPBaseControlBar* CKtvPBarContainerManager::GetFirstBar() const
{
    return m_lstControlBars.IsEmpty() ? nullptr : static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetHead());
}

CKtvPBaseControlBar* CKtvPBarContainerManager::GetFirstVisibleBar() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        auto* pBar = static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos));
        if ((pBar->GetStyle() & WS_VISIBLE) != 0) {
            return pBar;
        }
    }
    return nullptr;
}

BOOL CKtvPBarContainerManager::CanBeAttached() const
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        if (!static_cast<CKtvPBaseControlBar*>(m_lstControlBars.GetNext(pos))->CanBeAttached()) {
            return FALSE;
        }
    }
    return TRUE;
}

void CKtvPBarContainerManager::NotifySliderTracking(BOOL bTracking)
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        if (CKtvPDockingControlBar* pBar = AsDockingBar(m_lstControlBars.GetNext(pos))) {
            pBar->SetBlockAutoHide(bTracking);
        }
    }
}

void CKtvPBarContainerManager::RemoveSlider(CKtvPSlider* pSlider)
{
    if (POSITION pos = m_lstSliders.Find(pSlider)) {
        m_lstSliders.RemoveAt(pos);
        pSlider->SetContainerManager(nullptr);
    }
    if (m_pRootContainer != nullptr) {
        if (CKtvPBarContainer* pNode =
                m_pRootContainer->FindContainer(pSlider, CKtvPBarContainer::BC_FIND_BY_SLIDER)) {
            pNode->m_pSlider = nullptr;
        }
    }
}

void CKtvPBarContainerManager::StoreRecentDockInfo(CKtvPDockingControlBar* pBar)
{
    BOOL bLeft = FALSE;
    if (CKtvPBarContainer* pNode = FindContainer(pBar, bLeft)) {
        pNode->StoreRecentDockInfo(pBar);
    }
}

CKtvPBarContainer* CKtvPBarContainerManager::FindContainer(CKtvPBaseControlBar* pBar, BOOL& bLeftBar)
{
    bLeftBar = FALSE;
    if (m_pRootContainer == nullptr || pBar == nullptr) {
        return nullptr;
    }
    if (CKtvPBarContainer* pNode = m_pRootContainer->FindContainer(pBar, CKtvPBarContainer::BC_FIND_BY_LEFT_BAR)) {
        bLeftBar = TRUE;
        return pNode;
    }
    return m_pRootContainer->FindContainer(pBar, CKtvPBarContainer::BC_FIND_BY_RIGHT_BAR);
}

CKtvPSlider* CKtvPBarContainerManager::CreateSlider(CRect rectSlider, DWORD dwSliderStyle, int nSliderID)
{
    if (nSliderID == -1) {
        nSliderID = m_nNextSliderID;
    }
    for (POSITION pos = m_lstSliders.GetHeadPosition(); pos != nullptr;) {
        if (static_cast<CKtvPSlider*>(m_lstSliders.GetNext(pos))->GetSliderID() == nSliderID) {
            nSliderID = m_nNextSliderID;
            break;
        }
    }
    m_nNextSliderID = std::max(m_nNextSliderID, nSliderID + 1);
    auto* pSlider = new CKtvPSlider(FALSE);
    if (!pSlider->CreateEx(0, dwSliderStyle | WS_VISIBLE, rectSlider, m_pDockSite, (UINT)nSliderID, nullptr)) {
        delete pSlider;
        return nullptr;
    }
    pSlider->SetContainerManager(this);
    m_lstSliders.AddTail(pSlider);
    return pSlider;
}

int CKtvPBarContainerManager::GetNodeCount() const
{
    return m_pRootContainer != nullptr ? m_pRootContainer->CountNodes() : 0;
}

int CKtvPBarContainerManager::GetTotalRefCount() const
{
    return m_pRootContainer != nullptr ? m_pRootContainer->GetTotalRefCount() : 0;
}

void CKtvPBarContainerManager::AddControlBarsToList(CObList* plstControlBars, CObList* plstSliders)
{
    if (plstControlBars != nullptr) {
        plstControlBars->AddTail(&m_lstControlBars);
    }
    if (plstSliders != nullptr) {
        plstSliders->AddTail(&m_lstSliders);
    }
}

void CKtvPBarContainerManager::RemoveNonBars()
{
    for (POSITION pos = m_lstControlBars.GetHeadPosition(); pos != nullptr;) {
        POSITION posCurrent = pos;
        CObject* pObj = m_lstControlBars.GetNext(pos);
        if (pObj == nullptr || !pObj->IsKindOf(RUNTIME_CLASS(CKtvPBaseControlBar))) {
            m_lstControlBars.RemoveAt(posCurrent);
        }
    }
}

BOOL CKtvPBarContainerManager::CheckBarValid(CKtvPBaseControlBar* pBar)
{
    const BOOL bValid =
        pBar != nullptr && pBar->GetSafeHwnd() != nullptr &&
        ((pBar->GetDlgCtrlID() != -1 && (UINT)pBar->GetDlgCtrlID() != 0xFFFF) ||
         (pBar->IsKindOf(RUNTIME_CLASS(CKtvPBaseTabbedBar)) && static_cast<CKtvPBaseTabbedBar*>(pBar)->GetTabsNum() > 0));
    if (!bValid) {
        if (POSITION pos = m_lstControlBars.Find(pBar)) {
            m_lstControlBars.RemoveAt(pos);
        }
    }
    return bValid;
}

void CKtvPBarContainerManager::RemoveInvalidBars()
{
    if (m_pRootContainer != nullptr) {
        m_pRootContainer->RemoveInvalidBars();
    }
}

void CKtvPBarContainerManager::OnRootEmpty()
{
    if (m_pDefaultSlider != nullptr) {
        m_pDefaultSlider->CheckVisibility();
    }
}
