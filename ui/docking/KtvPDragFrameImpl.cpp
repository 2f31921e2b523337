#include "ui/docking/KtvPDragFrameImpl.h"

#include "ui/docking/KtvPControlBar.h"
#include "ui/docking/KtvPGlobalUtils.h"
#include "ui/docking/KtvPMiniFrameWnd.h"
#include "ui/frames/KtvPGlobalData.h"
#include "ui/frames/KtvPNotBuilt.h"

CKtvPDragFrameImpl::CKtvPDragFrameImpl()
    : m_ptLastCursor(0, 0),
      m_pDropTarget(nullptr),
      m_bDroppedOnTab(FALSE),
      m_bOutlineActive(FALSE),
      m_nPreviewTab(-1),
      m_nOutlineWidth(globalData.m_nDragFrameWidthFloating),
      m_pDockManager(nullptr),
      m_pDraggedWnd(nullptr),
      m_pCurrentTarget(nullptr),
      m_bTabShapeDrawn(FALSE)
{
}

CKtvPDragFrameImpl::~CKtvPDragFrameImpl() = default;

CKtvPDockManager* CKtvPDragFrameImpl::Attach(CWnd* pDraggedWnd)
{
    m_pDraggedWnd = pDraggedWnd;
    CWnd* pDockSite = nullptr;
    CKtvPMiniFrameWnd* pMiniFrame = nullptr;
    if (pDraggedWnd != nullptr && pDraggedWnd->IsKindOf(RUNTIME_CLASS(CKtvPMiniFrameWnd))) {
        pMiniFrame = static_cast<CKtvPMiniFrameWnd*>(pDraggedWnd);
    } else if (pDraggedWnd != nullptr && pDraggedWnd->IsKindOf(RUNTIME_CLASS(CKtvPControlBar))) {
        auto* pBar = static_cast<CKtvPControlBar*>(pDraggedWnd);
        pMiniFrame = pBar->IsFloating() ? pBar->GetParentMiniFrame(TRUE) : nullptr;
        if (pMiniFrame == nullptr) {
            pDockSite = pBar->GetDockSiteFrameWnd();
        }
    }
    if (pMiniFrame != nullptr) {
        pDockSite = CWnd::FromHandlePermanent(pMiniFrame->GetParentFrameHwnd());
    }
    m_pDockManager = globalUtils.GetDockManager(pDockSite);
    return m_pDockManager;
}
void CKtvPDragFrameImpl::MoveDragFrame(BOOL) { KTVP_NOT_BUILT("CKtvPDragFrameImpl::MoveDragFrame"); }
void CKtvPDragFrameImpl::EndOutline(BOOL) { KTVP_NOT_BUILT("CKtvPDragFrameImpl::EndOutline"); }
void CKtvPDragFrameImpl::DrawTabShape(CWnd*, BOOL) { KTVP_NOT_BUILT("CKtvPDragFrameImpl::DrawTabShape"); }

void CKtvPDragFrameImpl::DrawOutline(LPCRECT, LPCRECT, BOOL, int, int)
{
    KTVP_NOT_BUILT("CKtvPDragFrameImpl::DrawOutline");
}
