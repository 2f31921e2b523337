// The outline that follows the mouse while a bar or floating frame is dragged
// with a drag rectangle: the floating place, the docked place the dock manager
// predicts, or a tab preview over a tabbed bar.
#pragma once

#include "platform/mfc/CRect.h"

class CKtvPDockManager;
class CKtvPDockingControlBar;
class CWnd;

class CKtvPDragFrameImpl {
public:
    CKtvPDragFrameImpl();
    virtual ~CKtvPDragFrameImpl();

    CKtvPDockManager* Attach(CWnd* pDraggedWnd);
    void MoveDragFrame(BOOL bForce = FALSE);
    void EndOutline(BOOL bClear = TRUE);
    void DrawTabShape(CWnd* pTarget, BOOL bErase);
    void DrawOutline(LPCRECT pOld, LPCRECT pNew, BOOL bFirst, int nNewWidth, int nOldWidth);

    // An outline counts as shown while it moves or a tab preview is up.
    BOOL IsShown() const { return m_bOutlineActive || m_nPreviewTab >= 0; }

    CPoint m_ptLastCursor;
    CRect m_rectOutline;
    CRect m_rectDockPreview;
    CKtvPDockingControlBar* m_pDropTarget;
    BOOL m_bDroppedOnTab;
    BOOL m_bOutlineActive;
    int m_nPreviewTab;
    int m_nOutlineWidth;
    CKtvPDockManager* m_pDockManager;
    CWnd* m_pDraggedWnd;
    CKtvPDockingControlBar* m_pCurrentTarget;
    BOOL m_bTabShapeDrawn;

private:
    void InitOutline();
    BOOL ShowPlaceholderTab(CKtvPDockingControlBar* pTarget);
    void RemoveTabPreview(CKtvPDockingControlBar* pTarget);
};
