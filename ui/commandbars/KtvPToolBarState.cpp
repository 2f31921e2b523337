// A toolbar's stored state: its buttons, name and original items in the
// registry, the library-wide toolbar options, and reset to the resource.
#include "ui/commandbars/KtvPToolBar.h"

#include "ui/commandbars/KtvPToolbarButton.h"
#include "ui/frames/KtvPNotBuilt.h"

void CKtvPToolBar::Serialize(CArchive&) { KTVP_NOT_BUILT("CKtvPToolBar::Serialize"); }

BOOL CKtvPToolBar::LoadState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPToolBar::LoadState"); }

BOOL CKtvPToolBar::SaveState(LPCTSTR, int, UINT) { KTVP_NOT_BUILT("CKtvPToolBar::SaveState"); }

BOOL CKtvPToolBar::RemoveStateFromRegistry(LPCTSTR, int, UINT)
{
    KTVP_NOT_BUILT("CKtvPToolBar::RemoveStateFromRegistry");
}

BOOL CKtvPToolBar::RestoreOriginalState() { KTVP_NOT_BUILT("CKtvPToolBar::RestoreOriginalState"); }

BOOL CKtvPToolBar::SaveOriginalState(CKtvPRegistry&) { KTVP_NOT_BUILT("CKtvPToolBar::SaveOriginalState"); }

BOOL CKtvPToolBar::LoadLastOriginalState(CKtvPRegistry&) { KTVP_NOT_BUILT("CKtvPToolBar::LoadLastOriginalState"); }

BOOL CKtvPToolBar::MergeOriginalItems(CObList&) { KTVP_NOT_BUILT("CKtvPToolBar::MergeOriginalItems"); }

BOOL CKtvPToolBar::SaveResetOriginalState(CKtvPRegistry&) { KTVP_NOT_BUILT("CKtvPToolBar::SaveResetOriginalState"); }

BOOL CKtvPToolBar::LoadResetOriginalState(CKtvPRegistry&) { KTVP_NOT_BUILT("CKtvPToolBar::LoadResetOriginalState"); }

void CKtvPToolBar::OnResetPrompt() { KTVP_NOT_BUILT("CKtvPToolBar::OnResetPrompt"); }

BOOL CKtvPToolBar::SaveParameters(LPCTSTR) { KTVP_NOT_BUILT("CKtvPToolBar::SaveParameters"); }

BOOL CKtvPToolBar::LoadParameters(LPCTSTR) { KTVP_NOT_BUILT("CKtvPToolBar::LoadParameters"); }

BOOL CKtvPToolBar::LoadLargeIconsState(LPCTSTR) { KTVP_NOT_BUILT("CKtvPToolBar::LoadLargeIconsState"); }
