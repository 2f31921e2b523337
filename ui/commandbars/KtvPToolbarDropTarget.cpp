#include "ui/commandbars/KtvPToolbarDropTarget.h"

#include "ui/frames/KtvPNotBuilt.h"

CKtvPToolbarDropTarget::CKtvPToolbarDropTarget() = default;
CKtvPToolbarDropTarget::~CKtvPToolbarDropTarget() = default;

DROPEFFECT CKtvPToolbarDropTarget::OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint)
{
    KTVP_NOT_BUILT("CKtvPToolbarDropTarget::OnDragEnter");
}

DROPEFFECT CKtvPToolbarDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint)
{
    KTVP_NOT_BUILT("CKtvPToolbarDropTarget::OnDragOver");
}

DROPEFFECT CKtvPToolbarDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint)
{
    KTVP_NOT_BUILT("CKtvPToolbarDropTarget::OnDropEx");
}

void CKtvPToolbarDropTarget::OnDragLeave(CWnd*) { KTVP_NOT_BUILT("CKtvPToolbarDropTarget::OnDragLeave"); }
