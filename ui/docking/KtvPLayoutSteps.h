// Small steps shared by the code that moves bars between layouts: the floating
// frames of several bars and the dock manager applying a loaded layout.
#pragma once

#include "ui/docking/KtvPBaseTabbedBar.h"
#include "ui/docking/KtvPDockingControlBar.h"

namespace ktvlayout {

inline CKtvPDockingControlBar* AsDockingBar(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))
               ? static_cast<CKtvPDockingControlBar*>(pObject)
               : nullptr;
}

// A tab leaves its tabbed bar for the given parent, with its caption back.
inline void TakeOutOfTabbedBar(CKtvPBaseControlBar* pBar, CWnd* pNewParent)
{
    CKtvPBaseTabbedBar* pTabbed = pBar->GetParentTabbedBar();
    if (pTabbed == nullptr) {
        return;
    }
    pBar->SetParent(pNewParent);
    pTabbed->RemoveControlBar(pBar);
    if (pBar->IsKindOf(RUNTIME_CLASS(CKtvPDockingControlBar))) {
        pBar->ShowCaption(TRUE);
    }
    pBar->ShowWindow(SW_SHOW);
}

inline void LeaveAutoHide(CKtvPDockingControlBar* pBar)
{
    if (pBar->IsAutoHideMode()) {
        pBar->SetAutoHideMode(FALSE, CBRS_ALIGN_ANY, nullptr, TRUE);
    }
}

}  // namespace ktvlayout
