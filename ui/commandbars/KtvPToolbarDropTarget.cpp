#include "ui/commandbars/KtvPToolbarDropTarget.h"

#include "platform/mfc/COleDataObject.h"
#include "ui/commandbars/KtvPToolBar.h"
#include "ui/commandbars/KtvPToolbarButton.h"

CKtvPToolbarDropTarget::CKtvPToolbarDropTarget() = default;
CKtvPToolbarDropTarget::~CKtvPToolbarDropTarget() = default;

namespace ktvdroptarget {

// Only dragged toolbar buttons, and only while the bars are customised (an
// Alt-drag turns that on for its own drag), may land on a toolbar.
BOOL AcceptsData(COleDataObject* pDataObject)
{
    return CKtvPToolBar::m_bCustomizeMode && pDataObject != nullptr &&
           pDataObject->IsDataAvailable(static_cast<CLIPFORMAT>(CKtvPToolbarButton::GetClipboardFormat()));
}

}  // namespace ktvdroptarget

DROPEFFECT CKtvPToolbarDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_pOwner == nullptr || !ktvdroptarget::AcceptsData(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CKtvPToolbarDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_pOwner == nullptr || !ktvdroptarget::AcceptsData(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->OnDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CKtvPToolbarDropTarget::OnDropEx(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT,
                                            CPoint point)
{
    if (m_pOwner == nullptr || !ktvdroptarget::AcceptsData(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->OnDrop(pDataObject, dropDefault, point) ? dropDefault : DROPEFFECT_NONE;
}

void CKtvPToolbarDropTarget::OnDragLeave(CWnd*)
{
    if (m_pOwner != nullptr)
        m_pOwner->OnDragLeave();
}
