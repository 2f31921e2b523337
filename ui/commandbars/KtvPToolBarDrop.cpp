// A toolbar as a drop target: buttons dragged onto it in customise mode.
#include "ui/commandbars/KtvPToolBar.h"

#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPNotBuilt.h"

void CKtvPToolBar::DrawDragMarker(CDC*) { KTVP_NOT_BUILT("CKtvPToolBar::DrawDragMarker"); }

BOOL CKtvPToolBar::OnDrop(COleDataObject*, DROPEFFECT, CPoint) { KTVP_NOT_BUILT("CKtvPToolBar::OnDrop"); }

DROPEFFECT CKtvPToolBar::OnDragEnter(COleDataObject*, DWORD, CPoint) { KTVP_NOT_BUILT("CKtvPToolBar::OnDragEnter"); }

void CKtvPToolBar::OnDragLeave() { KTVP_NOT_BUILT("CKtvPToolBar::OnDragLeave"); }

DROPEFFECT CKtvPToolBar::OnDragOver(COleDataObject*, DWORD, CPoint) { KTVP_NOT_BUILT("CKtvPToolBar::OnDragOver"); }

int CKtvPToolBar::FindDropIndex(const CPoint, CRect&) const { KTVP_NOT_BUILT("CKtvPToolBar::FindDropIndex"); }

CKtvPToolbarButton* CKtvPToolBar::CreateDroppedButton(COleDataObject*)
{
    KTVP_NOT_BUILT("CKtvPToolBar::CreateDroppedButton");
}
