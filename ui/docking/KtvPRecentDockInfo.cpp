#include "ui/docking/KtvPRecentDockInfo.h"

#include "platform/mfc/afxbarcodes.h"
#include "platform/mfc/CFrameWnd.h"
#include "ui/docking/KtvPBarContainer.h"
#include "ui/docking/KtvPDockingControlBar.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/docking/KtvPSlider.h"
#include "ui/frames/KtvPCodes.h"
#include "ui/frames/KtvPNotBuilt.h"

CKtvPRecentLayoutRecord::CKtvPRecentLayoutRecord()
    : m_pLayoutNode(nullptr), m_nBarPercent(50), m_bWasLeftPart(TRUE), m_pTabbedBarNode(nullptr)
{
    Init();
}

CKtvPRecentLayoutRecord::~CKtvPRecentLayoutRecord() = default;

void CKtvPRecentLayoutRecord::Init()
{
    m_pLayoutNode = nullptr;
    m_rectBar.SetRect(0, 0, 30, 30);
    m_nBarPercent = 50;
    m_bWasLeftPart = TRUE;
    m_pTabbedBarNode = nullptr;
}

// The new reference is taken before the old ones go, so storing the node
// already held keeps it alive.
void CKtvPRecentLayoutRecord::Store(CKtvPBarContainer* pNode, CKtvPDockingControlBar* pBar,
                                   CKtvPDockingControlBar* pTabbedBar)
{
    if (pNode != nullptr) {
        pNode->AddRef();
        const CKtvPDockingControlBar* pOwnBar = pTabbedBar != nullptr ? pTabbedBar : pBar;
        m_bWasLeftPart = pNode->m_pBarLeft == pOwnBar;
    }
    ReleaseNode(m_pLayoutNode);
    ReleaseNode(m_pTabbedBarNode);
    if (pBar != nullptr) {
        pBar->GetWindowRect(m_rectBar);
    }
    if (pTabbedBar != nullptr) {
        m_pTabbedBarNode = pNode;
        m_nBarPercent = pTabbedBar->m_nLastPercent;
    } else {
        m_pLayoutNode = pNode;
        if (pBar != nullptr) {
            m_nBarPercent = pBar->m_nLastPercent;
        }
    }
}

void CKtvPRecentLayoutRecord::ReleaseNode(CKtvPBarContainer*& pNode)
{
    if (pNode != nullptr) {
        pNode->Release();
        pNode = nullptr;
    }
}

// The left-part flag travels with the node: it names the node's side of the bar.
void CKtvPRecentLayoutRecord::Assign(const CKtvPRecentLayoutRecord& src)
{
    if (&src == this) {
        return;
    }
    if (src.m_pLayoutNode != nullptr) {
        src.m_pLayoutNode->AddRef();
    }
    ReleaseNode(m_pLayoutNode);
    m_pLayoutNode = src.m_pLayoutNode;
    if (src.m_pTabbedBarNode != nullptr) {
        src.m_pTabbedBarNode->AddRef();
    }
    ReleaseNode(m_pTabbedBarNode);
    m_pTabbedBarNode = src.m_pTabbedBarNode;
    m_rectBar = src.m_rectBar;
    m_nBarPercent = src.m_nBarPercent;
    m_bWasLeftPart = src.m_bWasLeftPart;
    m_lstSiblingWnds.RemoveAll();
    for (POSITION pos = src.m_lstSiblingWnds.GetHeadPosition(); pos != nullptr;) {
        m_lstSiblingWnds.AddTail(src.m_lstSiblingWnds.GetNext(pos));
    }
}

CKtvPRecentDockInfo::CKtvPRecentDockInfo(CKtvPControlBar* pOwnerBar)
    : m_dwLastAlignment(CBRS_ALIGN_LEFT),
      m_nLastRowIndex(0),
      m_pLastDockBar(nullptr),
      m_pLastRow(nullptr),
      m_hLastDefaultSlider(nullptr),
      m_hLastMiniFrame(nullptr),
      m_pOwnerBar(pOwnerBar)
{
    Init();
}

CKtvPRecentDockInfo::~CKtvPRecentDockInfo() = default;

void CKtvPRecentDockInfo::Init()
{
    m_rectLastFloat.SetRect(10, 10, 110, 110);
    m_dwLastAlignment = CBRS_ALIGN_LEFT;
    m_nLastRowIndex = 0;
    m_pLastDockBar = nullptr;
    m_pLastRow = nullptr;
    m_hLastDefaultSlider = nullptr;
    m_hLastMiniFrame = nullptr;
}

void CKtvPRecentDockInfo::StoreLayoutPlace(CKtvPBarContainer* pNode, CKtvPDockingControlBar* pTabbedBar)
{
    if (m_pOwnerBar == nullptr || !m_pOwnerBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
        return;
    }
    auto* pOwner = static_cast<CKtvPDockingControlBar*>(m_pOwnerBar);
    CKtvPSlider* pSlider = pTabbedBar != nullptr ? pTabbedBar->GetDefaultSlider() : pOwner->GetDefaultSlider();
    CKtvPMiniFrameWnd* pMiniFrame = pOwner->GetParentMiniFrame(FALSE);

    if (pMiniFrame != nullptr) {
        CWnd* pPrevious = m_hLastMiniFrame != nullptr ? CWnd::FromHandlePermanent(m_hLastMiniFrame) : nullptr;
        m_hLastMiniFrame = pMiniFrame->GetSafeHwnd();
        m_floatingLayout.Store(pNode, pOwner, pTabbedBar);
        pMiniFrame->ScreenToClient(m_floatingLayout.m_rectBar);
        pMiniFrame->GetWindowRect(m_rectLastFloat);
        if (pPrevious != nullptr && pPrevious->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
            pPrevious->PostMessage(KTVPMSG_CHECKEMPTYMINIFRAME, 0, 0);
        }
    } else if (pSlider != nullptr) {
        m_dockedLayout.Store(pNode, pOwner, pTabbedBar);
        if (CFrameWnd* pDockSite = pOwner->GetDockSiteFrameWnd()) {
            pDockSite->ScreenToClient(m_dockedLayout.m_rectBar);
        }
        m_hLastDefaultSlider = pSlider->GetSafeHwnd();
        m_dwLastAlignment = pSlider->GetCurrentAlignment();
    } else {
        m_hLastMiniFrame = nullptr;
        m_floatingLayout.Store(nullptr, pOwner, nullptr);
    }
}

void CKtvPRecentDockInfo::CopyPart(BOOL bDocked, const CKtvPRecentDockInfo& src)
{
    if (bDocked) {
        m_dwLastAlignment = src.m_dwLastAlignment;
        m_hLastDefaultSlider = src.m_hLastDefaultSlider;
        m_dockedLayout.Assign(src.m_dockedLayout);
    } else {
        m_rectLastFloat = src.m_rectLastFloat;
        m_hLastMiniFrame = src.m_hLastMiniFrame;
        m_floatingLayout.Assign(src.m_floatingLayout);
    }
}

void CKtvPRecentDockInfo::SetSiblingWnds(const CList<HWND, HWND>& lst, BOOL bDocked)
{
    CList<HWND, HWND>& own = GetSiblingWnds(bDocked);
    own.RemoveAll();
    for (POSITION pos = lst.GetHeadPosition(); pos != nullptr;) {
        own.AddTail(lst.GetNext(pos));
    }
}

CKtvPSlider* CKtvPRecentDockInfo::GetLastDefaultSlider() const
{
    CWnd* pWnd = m_hLastDefaultSlider != nullptr ? CWnd::FromHandlePermanent(m_hLastDefaultSlider) : nullptr;
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKtvPSlider)) ? static_cast<CKtvPSlider*>(pWnd) : nullptr;
}
